// The "Result" page: the output files of the last run, kept in alphabetical order ignoring
// letter case, a preview of the chosen one, and the legend of the part-of-speech tags; both
// can show the tags in the colours of their word classes (previews.cc). The progress panel
// lies hidden over the page until a run splits a file into sentences.
// Tested by main_window_test.cc, run_window_test.cc and tag_colours_test.cc.
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/coloured_text_view.h"
#include "ui/fonts.h"
#include "ui/frame2.h"
#include "ui/main_window.h"
#include "ui/text_preview.h"

namespace quillon {
namespace {

// The tag legend, one line per tag: tag, one tab, description.
struct LegendLine {
  const char* tag;
  const char* description;
};
constexpr LegendLine kLegend[] = {
    {"CC", QT_TRANSLATE_NOOP("quillon::TForm1", "Coordinating conjunction")},
    {"CD", QT_TRANSLATE_NOOP("quillon::TForm1", "Cardinal number")},
    {"DT", QT_TRANSLATE_NOOP("quillon::TForm1", "Determiner")},
    {"EX", QT_TRANSLATE_NOOP("quillon::TForm1", "Existential there")},
    {"FW", QT_TRANSLATE_NOOP("quillon::TForm1", "Foreign word")},
    {"IN", QT_TRANSLATE_NOOP("quillon::TForm1", "Preposition/subord. conjunction")},
    {"JJ", QT_TRANSLATE_NOOP("quillon::TForm1", "Adjective")},
    {"JJR", QT_TRANSLATE_NOOP("quillon::TForm1", "Adjective, comparative")},
    {"JJS", QT_TRANSLATE_NOOP("quillon::TForm1", "Adjective, superlative")},
    {"LS", QT_TRANSLATE_NOOP("quillon::TForm1", "List item marker")},
    {"MD", QT_TRANSLATE_NOOP("quillon::TForm1", "Modal")},
    {"NN", QT_TRANSLATE_NOOP("quillon::TForm1", "Noun, singular or mass")},
    {"NNS", QT_TRANSLATE_NOOP("quillon::TForm1", "Noun, plural")},
    {"NNP", QT_TRANSLATE_NOOP("quillon::TForm1", "Proper noun, singular")},
    {"NNPS", QT_TRANSLATE_NOOP("quillon::TForm1", "Proper noun, plural")},
    {"PDT", QT_TRANSLATE_NOOP("quillon::TForm1", "Predeterminer")},
    {"POS", QT_TRANSLATE_NOOP("quillon::TForm1", "Possessive ending")},
    {"PRP", QT_TRANSLATE_NOOP("quillon::TForm1", "Personal pronoun")},
    {"PRP$", QT_TRANSLATE_NOOP("quillon::TForm1", "Possessive pronoun")},
    {"RB", QT_TRANSLATE_NOOP("quillon::TForm1", "Adverb")},
    {"RBR", QT_TRANSLATE_NOOP("quillon::TForm1", "Adverb, comparative")},
    {"RBS", QT_TRANSLATE_NOOP("quillon::TForm1", "Adverb, superlative")},
    {"RP", QT_TRANSLATE_NOOP("quillon::TForm1", "Particle")},
    {"SYM", QT_TRANSLATE_NOOP("quillon::TForm1", "Symbol")},
    {"TO", QT_TRANSLATE_NOOP("quillon::TForm1", "to")},
    {"UH", QT_TRANSLATE_NOOP("quillon::TForm1", "Interjection")},
    {"VB", QT_TRANSLATE_NOOP("quillon::TForm1", "Verb, base form")},
    {"VBD", QT_TRANSLATE_NOOP("quillon::TForm1", "Verb, past tense")},
    {"VBG", QT_TRANSLATE_NOOP("quillon::TForm1", "Verb, gerund/present participle")},
    {"VBN", QT_TRANSLATE_NOOP("quillon::TForm1", "Verb, past participle")},
    {"VBP", QT_TRANSLATE_NOOP("quillon::TForm1", "Verb, non-3rd ps. sing.")},
    {"VBZ", QT_TRANSLATE_NOOP("quillon::TForm1", "Verb, 3rd ps. sing. Present")},
    {"WDT", QT_TRANSLATE_NOOP("quillon::TForm1", "wh-determiner")},
    {"WP ", QT_TRANSLATE_NOOP("quillon::TForm1", "wh-pronoun")},
    {"WP$", QT_TRANSLATE_NOOP("quillon::TForm1", "Possessive wh-pronoun")},
    {"WRB", QT_TRANSLATE_NOOP("quillon::TForm1", "wh-adverb")},
    {"#", QT_TRANSLATE_NOOP("quillon::TForm1", "Pound sign")},
    {"$", QT_TRANSLATE_NOOP("quillon::TForm1", "Dollar sign")},
    {".", QT_TRANSLATE_NOOP("quillon::TForm1", "Sentence-final punctuation")},
    {",", QT_TRANSLATE_NOOP("quillon::TForm1", "Comma")},
    {":", QT_TRANSLATE_NOOP("quillon::TForm1", "Colon, semi-colon")},
    {"(", QT_TRANSLATE_NOOP("quillon::TForm1", "Left bracket character")},
    {")", QT_TRANSLATE_NOOP("quillon::TForm1", "Right bracket character")},
    {"\"", QT_TRANSLATE_NOOP("quillon::TForm1", "Straight double quote")},
    {"`", QT_TRANSLATE_NOOP("quillon::TForm1", "Left open single quote")},
    {"\"", QT_TRANSLATE_NOOP("quillon::TForm1", "Left open double quote")},
    {"'", QT_TRANSLATE_NOOP("quillon::TForm1", "Right close single quote")},
    {"\"", QT_TRANSLATE_NOOP("quillon::TForm1", "Right close double quote")},
};

}  // namespace

QWidget* TForm1::CreateResultPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet2"));

  result_list_ = new QListWidget(page);
  result_list_->setObjectName(QStringLiteral("ListBox2"));
  result_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  result_list_->setFont(file_preview_->font());
  result_list_->setMaximumHeight(150);
  connect(result_list_, &QListWidget::itemClicked, this, &TForm1::ListBox2Click);
  // A double click only previews: nothing is opened, moved or deleted.
  connect(result_list_, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox2Click);
  connect(result_list_, &QListWidget::currentItemChanged, this, [this] {
    if (result_list_->hasFocus() && QApplication::mouseButtons() == Qt::NoButton) {
      ListBox2Click();
    }
  });

  auto* preview_label = new QLabel(tr("Preview"), page);
  preview_label->setObjectName(QStringLiteral("Label3"));
  result_preview_ = new ColouredTextView(QStringLiteral("RichEdit2"), page);
  result_preview_->setContextMenuPolicy(Qt::ActionsContextMenu);
  result_preview_->addAction(copy_action_);

  auto* legend_box = new QGroupBox(tr("POS-tag"), page);
  legend_box->setObjectName(QStringLiteral("GroupBox1"));
  legend_box->setFont(CaptionFont());
  legend_ = new ColouredTextView(QStringLiteral("Memo1"), legend_box);
  QStringList lines;
  for (const LegendLine& line : kLegend) {
    lines << QString::fromLatin1(line.tag) + QLatin1Char('\t') + tr(line.description);
  }
  legend_->setPlainText(lines.join(QLatin1Char('\n')));
  legend_->setTabStopDistance(legend_->fontMetrics().horizontalAdvance(QStringLiteral("NNPS__")));
  auto* legend_layout = new QVBoxLayout(legend_box);
  legend_layout->addWidget(legend_);
  legend_box->setFixedWidth(300);

  auto* left = new QVBoxLayout;
  left->addWidget(result_list_);
  left->addWidget(preview_label);
  left->addWidget(result_preview_, 1);
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(left, 1);
  layout->addWidget(legend_box);

  progress_panel_ = new TFrame2(QStringLiteral("Frame21"), page);
  progress_panel_->label()->setText(tr("Now Segmenting the Text into Sentences ..."));
  return page;
}

void TForm1::ListBox2Click() {
  const QString path = SelectedResult();
  if (path.isEmpty()) return;
  Preview(result_preview_, path, -1, /*clear_on_failure=*/false);
}

QString TForm1::SelectedResult() const {
  const QList<QListWidgetItem*> selected = result_list_->selectedItems();
  return selected.isEmpty() ? QString() : selected.front()->text();
}

void TForm1::AddResult(const QString& path, bool written) {
  int row = 0;
  while (row < result_list_->count() &&
         result_list_->item(row)->text().compare(path, Qt::CaseInsensitive) <= 0) {
    ++row;
  }
  auto* item = new QListWidgetItem(path);
  if (!written) {
    item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    item->setToolTip(tr("This file could not be written."));
  }
  result_list_->insertItem(row, item);
}

}  // namespace quillon
