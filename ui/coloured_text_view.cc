// Colouring the visible lines of a text view. Tested by tag_colours_test.cc.
#include "ui/coloured_text_view.h"

#include <QTextBlock>

#include "ui/text_preview.h"

namespace quillon {
namespace {

// The block state of a line that holds the current colours.
constexpr int kColouredLine = 1;

}  // namespace

ColouredTextView::ColouredTextView(const QString& name, QWidget* parent) : QPlainTextEdit(parent) {
  SetUpTextView(this, name);
}

void ColouredTextView::SetColourer(Colourer colourer) {
  Uncolour();
  colourer_ = std::move(colourer);
  viewport()->update();
}

void ColouredTextView::SetColoured(bool coloured) {
  if (coloured == coloured_) return;
  coloured_ = coloured;
  if (!coloured_) Uncolour();
  viewport()->update();
}

void ColouredTextView::paintEvent(QPaintEvent* event) {
  if (coloured_ && colourer_) ColourVisibleLines();
  QPlainTextEdit::paintEvent(event);
}

void ColouredTextView::ColourVisibleLines() {
  const QPointF offset = contentOffset();
  const qreal bottom = viewport()->height();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    if (blockBoundingGeometry(block).translated(offset).top() > bottom) break;
    if (block.userState() == kColouredLine) continue;
    block.setUserState(kColouredLine);
    block.layout()->setFormats(colourer_(block.text()));
    // The layout is redone with the new formats before it is painted.
    document()->markContentsDirty(block.position(), block.length());
  }
}

void ColouredTextView::Uncolour() {
  // Only lines that were painted carry the mark; asking any other line for its layout
  // would make one for it.
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (block.userState() != kColouredLine) continue;
    block.setUserState(-1);
    block.layout()->clearFormats();
    document()->markContentsDirty(block.position(), block.length());
  }
}

}  // namespace quillon
