// The search rules, the find dialog, and the main window's find commands. Tested by
// find_test.cc.
#include "ui/find.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "ui/coloured_text_view.h"
#include "ui/main_window.h"

namespace quillon {

int FindDownFrom(const QString& text, const QString& what, int selection_start,
                 int selection_length) {
  if (what.isEmpty()) return -1;
  const int from = selection_length == 0 ? 0 : selection_start + selection_length;
  return static_cast<int>(text.indexOf(what, from, Qt::CaseInsensitive));
}

int FindUpFrom(const QString& text, const QString& what, int selection_start) {
  if (what.isEmpty()) return -1;
  int found = -1;
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = text.indexOf(what, from, Qt::CaseInsensitive);
    if (at < 0 || at + what.size() > selection_start) break;
    found = static_cast<int>(at);
    from = at + what.size();
  }
  return found;
}

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FindDialog1"));
  setWindowTitle(tr("Find"));
  setModal(false);

  auto* label = new QLabel(tr("Fi&nd what:"), this);
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("FindText"));
  label->setBuddy(text_);

  auto* direction = new QGroupBox(tr("Direction"), this);
  direction->setObjectName(QStringLiteral("Direction"));
  up_ = new QRadioButton(tr("&Up"), direction);
  up_->setObjectName(QStringLiteral("Up"));
  down_ = new QRadioButton(tr("&Down"), direction);
  down_->setObjectName(QStringLiteral("Down"));
  down_->setChecked(true);
  auto* direction_layout = new QHBoxLayout(direction);
  direction_layout->addWidget(up_);
  direction_layout->addWidget(down_);

  find_next_ = new QPushButton(tr("&Find Next"), this);
  find_next_->setObjectName(QStringLiteral("FindNext"));
  find_next_->setDefault(true);
  find_next_->setEnabled(false);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("Cancel"));

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(text_, 0, 1);
  layout->addWidget(find_next_, 0, 2);
  layout->addWidget(direction, 1, 1, Qt::AlignRight);
  layout->addWidget(cancel, 1, 2, Qt::AlignTop);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(text_, &QLineEdit::textChanged, this,
          [this](const QString& text) { find_next_->setEnabled(!text.isEmpty()); });
  connect(find_next_, &QPushButton::clicked, this, &TFindDialog::Find);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFindDialog::FindText() const { return text_->text(); }
void TFindDialog::SetFindText(const QString& text) { text_->setText(text); }
bool TFindDialog::Down() const { return down_->isChecked(); }

void TFindDialog::ShowDialog() {
  show();
  raise();
  activateWindow();
  text_->setFocus();
  text_->selectAll();
}

void TForm1::Find1Click() { find_dialog_->ShowDialog(); }

// F3: the next match for the dialog's text and direction, or the dialog when it has none.
void TForm1::FindNextClick() {
  if (find_dialog_->FindText().isEmpty()) {
    find_dialog_->ShowDialog();
    return;
  }
  FindDialog1Find();
}

void TForm1::FindDialog1Find() {
  const QString what = find_dialog_->FindText();
  QTextDocument* document = result_preview_->document();
  if (document->firstBlock().text().isEmpty()) return;
  ShowPage(1);
  const QTextCursor selection = result_preview_->textCursor();
  const int start = selection.selectionStart();
  const int length = selection.selectionEnd() - start;
  const QString text = document->toPlainText();
  const int found = find_dialog_->Down() ? FindDownFrom(text, what, start, length)
                                         : FindUpFrom(text, what, start);
  if (found < 0) return;
  QTextCursor match(document);
  match.setPosition(found);
  match.setPosition(found + static_cast<int>(what.size()), QTextCursor::KeepAnchor);
  result_preview_->setFocus();
  result_preview_->setTextCursor(match);
}

}  // namespace quillon
