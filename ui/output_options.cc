// The window's output choices, controls of ours laid in the empty right ends of two radio
// rows, so that none of the described controls moves or changes size: the output format
// (OutputFormat, beside "Specify" of the destination; "word_TAG text" at a first start, as
// the described window writes) and a user lexicon (UserLexicon, beside the last lexicon;
// none at a first start) with its clear button (UserLexiconClear). Both are kept in the
// settings file under keys of their own. Tested by output_options_test.cc.
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/radio_group.h"

namespace quillon {
namespace {

// The format chooser's items, in the order of kOutputFormats.
constexpr const char* kFormatItems[] = {
    QT_TRANSLATE_NOOP("quillon::TForm1", "word_TAG text"),
    QT_TRANSLATE_NOOP("quillon::TForm1", "TSV (a token a line)"),
    QT_TRANSLATE_NOOP("quillon::TForm1", "CoNLL-U"),
    QT_TRANSLATE_NOOP("quillon::TForm1", "JSON Lines"),
    QT_TRANSLATE_NOOP("quillon::TForm1", "XML"),
};
static_assert(std::size(kFormatItems) == std::size(kOutputFormats));

}  // namespace

// Lays widget over the right end of row of group, where the row's radio button leaves the
// space empty: the row keeps its height (widget is made no taller than the button) and the
// button its place; clicks on widget reach widget, which lies above the button.
void TForm1::PlaceBesideItem(TRadioGroup* group, int row, QWidget* widget) {
  auto* grid = static_cast<QGridLayout*>(group->layout());
  QWidget* item = grid->itemAtPosition(row, 0)->widget();
  widget->setFixedHeight(item->sizeHint().height());
  widget->setFont(PlainFont());
  grid->addWidget(widget, row, 0, Qt::AlignRight | Qt::AlignVCenter);
  widget->raise();
}

void TForm1::CreateOutputControls() {
  // The format, beside "Specify" in the destination group: how output files are written.
  auto* format_row = new QWidget(destination_);
  format_row->setObjectName(QStringLiteral("OutputFormatRow"));
  auto* label = new QLabel(tr("Format"), format_row);
  output_format_ = new QComboBox(format_row);
  output_format_->setObjectName(QStringLiteral("OutputFormat"));
  for (const char* item : kFormatItems) output_format_->addItem(tr(item));
  output_format_->setToolTip(
      tr("How output files are written: word_TAG lines (as always), one token a line, "
         "CoNLL-U, JSON Lines or XML; the file takes the format's extension"));
  auto* format_layout = new QHBoxLayout(format_row);
  format_layout->setContentsMargins(0, 0, 0, 0);
  format_layout->setSpacing(4);
  format_layout->addWidget(label);
  format_layout->addWidget(output_format_);
  PlaceBesideItem(destination_, 1, format_row);

  // The user lexicon, beside the last lexicon: its words go in front of the chosen one.
  auto* lexicon_row = new QWidget(lexicon_);
  lexicon_row->setObjectName(QStringLiteral("UserLexiconRow"));
  user_lexicon_button_ = new QPushButton(lexicon_row);
  user_lexicon_button_->setObjectName(QStringLiteral("UserLexicon"));
  user_lexicon_button_->setFlat(true);
  connect(user_lexicon_button_, &QPushButton::clicked, this, &TForm1::UserLexiconClick);
  user_lexicon_clear_ = new QToolButton(lexicon_row);
  user_lexicon_clear_->setObjectName(QStringLiteral("UserLexiconClear"));
  user_lexicon_clear_->setText(QStringLiteral("\u2715"));
  user_lexicon_clear_->setAutoRaise(true);
  user_lexicon_clear_->setToolTip(tr("Tag without a user lexicon"));
  connect(user_lexicon_clear_, &QToolButton::clicked, this, [this] { SetUserLexicon({}); });
  auto* lexicon_layout = new QHBoxLayout(lexicon_row);
  lexicon_layout->setContentsMargins(0, 0, 0, 0);
  lexicon_layout->setSpacing(0);
  lexicon_layout->addWidget(user_lexicon_button_);
  lexicon_layout->addWidget(user_lexicon_clear_);
  PlaceBesideItem(lexicon_, 2, lexicon_row);
  SetUserLexicon({});
}

void TForm1::UserLexiconClick() {
  const QString start =
      user_lexicon_.isEmpty() ? file_list_folder_ : QFileInfo(user_lexicon_).absolutePath();
  auto* dialog = new QFileDialog(this, tr("User lexicon"), start);
  dialog->setObjectName(QStringLiteral("UserLexiconDialog"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setNameFilters({tr("Word lists (*.txt *.lex *.tsv)"), tr("All files (*)")});
  connect(dialog, &QFileDialog::fileSelected, this, &TForm1::SetUserLexicon);
  dialog->open();
}

void TForm1::SetUserLexicon(const QString& path) {
  user_lexicon_ = path;
  if (path.isEmpty()) {
    user_lexicon_button_->setText(tr("+ User lexicon..."));
    user_lexicon_button_->setToolTip(
        tr("Lines \"word TAB tag [tag ...]\": your own words, tagged ahead of the lexicon"));
  } else {
    const QString name = QFileInfo(path).fileName();
    user_lexicon_button_->setText(
        QStringLiteral("+ ") +
        user_lexicon_button_->fontMetrics().elidedText(name, Qt::ElideMiddle, 120));
    user_lexicon_button_->setToolTip(path);
  }
  user_lexicon_clear_->setVisible(!path.isEmpty());
}

int TForm1::OutputFormatIndex() const { return output_format_->currentIndex(); }

}  // namespace quillon
