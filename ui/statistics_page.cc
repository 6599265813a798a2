// The statistics page. Tested by statistics_page_test.cc.
#include "ui/statistics_page.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/output_file.h"
#include "ui/background_work.h"
#include "ui/tag_chart.h"
#include "ui/tag_colours.h"
#include "ui/text_preview.h"

namespace quillon {
namespace {

enum Column { kTag, kClass, kTokens, kShare, kWords, kColumns };

QString Decode(const std::string& bytes) { return DecodeText(bytes); }

QLabel* MakeFigure(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// The table cell of a number.
QTableWidgetItem* NumberItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

}  // namespace

// One count: what the page and the job share.
struct StatisticsPage::Count {
  std::string path;  // as the file system names it
  std::atomic<bool> cancelled{false};
  std::atomic<uint64_t> bytes_read{0};
  qint64 size = 0;
  QDateTime modified;
  Status status;
  ResultStatistics stats;
};

StatisticsPage::StatisticsPage(MessageSink* messages, QWidget* parent)
    : QWidget(parent), messages_(messages) {
  setObjectName(QStringLiteral("StatisticsPage"));
  work_ = new BackgroundWork(this);

  file_label_ = new QLabel(this);
  file_label_->setObjectName(QStringLiteral("StatisticsFile"));
  file_label_->setWordWrap(true);
  file_label_->setTextFormat(Qt::PlainText);
  tokens_ = MakeFigure(QStringLiteral("StatisticsTokens"), this);
  sentences_ = MakeFigure(QStringLiteral("StatisticsSentences"), this);
  word_types_ = MakeFigure(QStringLiteral("StatisticsWordTypes"), this);
  tokens_per_sentence_ = MakeFigure(QStringLiteral("StatisticsTokensPerSentence"), this);
  untagged_ = MakeFigure(QStringLiteral("StatisticsUntagged"), this);
  auto* figures = new QFormLayout;
  figures->addRow(tr("Tokens:"), tokens_);
  figures->addRow(tr("Sentences:"), sentences_);
  figures->addRow(tr("Word types:"), word_types_);
  figures->addRow(tr("Tokens per sentence:"), tokens_per_sentence_);
  figures->addRow(tr("Tokens without a tag:"), untagged_);

  chart_ = new TagChart(this);
  auto* chart_area = new QScrollArea(this);
  chart_area->setWidget(chart_);
  chart_area->setWidgetResizable(true);
  connect(chart_, &TagChart::TagClicked, this, &StatisticsPage::SelectTag);

  table_ = new QTableWidget(0, kColumns, this);
  table_->setObjectName(QStringLiteral("StatisticsTable"));
  table_->setHorizontalHeaderLabels(
      {tr("Tag"), tr("Word class"), tr("Tokens"), tr("Share (%)"), tr("Most frequent words")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(chart_area);
  splitter->addWidget(table_);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 3);
  splitter->setChildrenCollapsible(false);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("StatisticsProgress"));
  progress_->setRange(0, 1000);
  progress_->hide();
  progress_timer_ = new QTimer(this);
  progress_timer_->setInterval(100);
  connect(progress_timer_, &QTimer::timeout, this, &StatisticsPage::ShowProgress);
  export_ = new QPushButton(tr("Export CSV"), this);
  export_->setObjectName(QStringLiteral("ExportCsv"));
  connect(export_, &QPushButton::clicked, this, &StatisticsPage::ExportCsvClick);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(progress_, 1);
  bottom->addStretch();
  bottom->addWidget(export_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(file_label_);
  layout->addLayout(figures);
  layout->addWidget(splitter, 1);
  layout->addLayout(bottom);
  ShowNothing(tr("Choose a result file on the Result page to see what it is made of."));
}

StatisticsPage::~StatisticsPage() {
  if (count_) count_->cancelled = true;
}

void StatisticsPage::SetFile(const QString& path) {
  file_ = path;
  if (count_ && QFile::decodeName(count_->path.c_str()) != path) {
    count_->cancelled = true;
    count_.reset();
    progress_timer_->stop();
    progress_->hide();
  }
  if (isVisible()) Recount();
}

bool StatisticsPage::Counting() const { return count_ != nullptr; }

void StatisticsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Recount();
}

void StatisticsPage::Recount() {
  if (file_.isEmpty()) {
    ShowNothing(tr("Choose a result file on the Result page to see what it is made of."));
    return;
  }
  if (!IsWordTagResult(file_)) {
    ShowNothing(
        tr("The statistics are counted from word_TAG results; this result is written "
           "in another format."));
    return;
  }
  const QFileInfo info(file_);
  if (count_ && QFile::decodeName(count_->path.c_str()) == file_) return;  // under way
  if (file_ == shown_file_ && info.size() == shown_size_ &&
      info.lastModified() == shown_modified_) {
    return;
  }
  auto count = std::make_shared<Count>();
  count->path = QFile::encodeName(file_).toStdString();
  count->size = info.size();
  count->modified = info.lastModified();
  count_ = count;
  file_label_->setText(tr("Counting %1 ...").arg(QDir::toNativeSeparators(file_)));
  progress_->setValue(0);
  progress_->show();
  progress_timer_->start();
  export_->setEnabled(false);
  work_->Run(
      [count] {
        count->status = CountResultFile(
            count->path,
            [&](uint64_t read) {
              count->bytes_read = read;
              return !count->cancelled.load();
            },
            &count->stats);
      },
      [this, count] {
        if (count != count_) return;  // dropped
        count_.reset();
        progress_timer_->stop();
        progress_->hide();
        const QString path = QFile::decodeName(count->path.c_str());
        if (!count->status.ok()) {
          ShowNothing(DecodeText(count->status.message()));
          return;
        }
        shown_size_ = count->size;
        shown_modified_ = count->modified;
        Show(path, count->stats);
      });
}

void StatisticsPage::ShowProgress() {
  if (!count_ || count_->size <= 0) return;
  const double done = static_cast<double>(count_->bytes_read.load()) / count_->size;
  progress_->setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * 1000));
}

void StatisticsPage::ShowNothing(const QString& why) {
  shown_file_.clear();
  stats_ = ResultStatistics();
  file_label_->setText(why);
  for (QLabel* figure : {tokens_, sentences_, word_types_, tokens_per_sentence_, untagged_}) {
    figure->setText(QStringLiteral("-"));
  }
  chart_->SetBars({});
  table_->setRowCount(0);
  export_->setEnabled(false);
}

void StatisticsPage::Show(const QString& path, const ResultStatistics& stats) {
  shown_file_ = path;
  stats_ = stats;
  const QLocale locale;
  file_label_->setText(QDir::toNativeSeparators(path));
  tokens_->setText(locale.toString(stats.tokens));
  sentences_->setText(locale.toString(stats.sentences));
  word_types_->setText(locale.toString(stats.word_types));
  tokens_per_sentence_->setText(locale.toString(stats.TokensPerSentence(), 'f', 2));
  untagged_->setText(locale.toString(stats.untagged + stats.overlong));

  uint64_t tagged = 0;
  for (const TagStatistics& row : stats.tags) tagged += row.count;
  const int rows = std::min<int>(kMaxRows, static_cast<int>(stats.tags.size()));
  QList<TagChart::Bar> bars;
  table_->setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    const TagStatistics& row = stats.tags[static_cast<size_t>(r)];
    const WordClass word_class = ClassOfTag(row.tag);
    const double share = tagged == 0 ? 0.0 : 100.0 * static_cast<double>(row.count) / tagged;
    const QString tag = Decode(row.tag);
    bars.append({tag, row.count, share, WordClassColour(word_class)});
    QStringList words;
    for (const WordCount& word : row.top_words) {
      words << QStringLiteral("%1 (%2)").arg(Decode(word.word), locale.toString(word.count));
    }
    auto* tag_item = new QTableWidgetItem(tag);
    tag_item->setForeground(WordClassColour(word_class));
    table_->setItem(r, kTag, tag_item);
    table_->setItem(r, kClass, new QTableWidgetItem(tr(WordClassName(word_class))));
    table_->setItem(r, kTokens, NumberItem(locale.toString(row.count)));
    table_->setItem(r, kShare, NumberItem(locale.toString(share, 'f', 2)));
    auto* words_item = new QTableWidgetItem(words.join(QStringLiteral(", ")));
    words_item->setToolTip(words.join(QLatin1Char('\n')));
    table_->setItem(r, kWords, words_item);
  }
  for (int column = kTag; column < kWords; ++column) table_->resizeColumnToContents(column);
  chart_->SetBars(std::move(bars));
  if (stats.tags.size() > static_cast<size_t>(rows)) {
    file_label_->setText(file_label_->text() +
                         tr(" (the %1 most frequent of %2 tags are shown; Export CSV writes all)")
                             .arg(rows)
                             .arg(stats.tags.size()));
  }
  export_->setEnabled(true);
}

void StatisticsPage::SelectTag(const QString& tag) {
  for (int r = 0; r < table_->rowCount(); ++r) {
    if (table_->item(r, kTag)->text() == tag) {
      table_->selectRow(r);
      table_->scrollToItem(table_->item(r, kTag));
      return;
    }
  }
}

void StatisticsPage::ExportCsvClick() {
  if (shown_file_.isEmpty()) return;
  const QFileInfo shown(shown_file_);
  const QString suggested = shown.dir().filePath(shown.completeBaseName() + QStringLiteral(".csv"));
  const QString path = QFileDialog::getSaveFileName(this, tr("Export CSV"), suggested,
                                                    tr("CSV files (*.csv);;All files (*)"));
  if (!path.isEmpty()) ExportCsv(path);
}

bool StatisticsPage::ExportCsv(const QString& path) {
  if (shown_file_.isEmpty()) return false;
  const Status written =
      WriteFileAtomically(QFile::encodeName(path).toStdString(), StatisticsCsv(stats_));
  if (written.ok()) return true;
  messages_->Show(this, MessageSink::Kind::kError,
                  tr("The table could not be written to %1. %2")
                      .arg(QDir::toNativeSeparators(path), DecodeText(written.message())));
  return false;
}

}  // namespace quillon
