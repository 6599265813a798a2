// A read-only text view whose lines can be coloured by a function of their text. Only the
// lines about to be painted are coloured, just before they are painted, so a preview of
// a hundred thousand lines costs nothing more until it is scrolled through. The colours
// are formats laid over the text, never part of it: the document's text, its search and
// what is copied from it stay exactly the plain text. Tested by tag_colours_test.cc.
#ifndef QUILLON_UI_COLOURED_TEXT_VIEW_H_
#define QUILLON_UI_COLOURED_TEXT_VIEW_H_

#include <QList>
#include <QPlainTextEdit>
#include <QTextLayout>
#include <functional>

namespace quillon {

class ColouredTextView : public QPlainTextEdit {
  Q_OBJECT

 public:
  using Colourer = std::function<QList<QTextLayout::FormatRange>(const QString& line)>;

  // A view set up as every preview is (text_preview.h), named name.
  explicit ColouredTextView(const QString& name, QWidget* parent = nullptr);

  // How lines are coloured from now on; lines already coloured are coloured again.
  void SetColourer(Colourer colourer);
  // Colours on or off; off shows the plain text.
  void SetColoured(bool coloured);
  bool Coloured() const { return coloured_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ColourVisibleLines();
  // Takes every colour off.
  void Uncolour();

  Colourer colourer_;
  bool coloured_ = false;
};

}  // namespace quillon

#endif  // QUILLON_UI_COLOURED_TEXT_VIEW_H_
