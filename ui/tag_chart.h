// A horizontal bar chart of tag counts, drawn with QPainter: one row per tag in the order
// given (most frequent first), the tag at the left, a bar in the colour of its word class
// scaled to the largest count, and the count with its share at the bar's end. It is as
// tall as its rows need and sits in a scroll area. Hovering a bar shows its figures;
// clicking it reports the tag. Tested by statistics_page_test.cc.
#ifndef QUILLON_UI_TAG_CHART_H_
#define QUILLON_UI_TAG_CHART_H_

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

namespace quillon {

class TagChart : public QWidget {
  Q_OBJECT

 public:
  struct Bar {
    QString tag;
    quint64 count = 0;
    double share = 0;  // percent
    QColor colour;
  };

  explicit TagChart(QWidget* parent = nullptr);

  void SetBars(QList<Bar> bars);
  const QList<Bar>& Bars() const { return bars_; }
  // The rectangle of bar row's bar (empty when there is no such row), for tests.
  QRect BarRect(int row) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void TagClicked(const QString& tag);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int RowAt(const QPoint& point) const;
  int RowHeight() const;
  int LabelWidth() const;

  QList<Bar> bars_;
};

}  // namespace quillon

#endif  // QUILLON_UI_TAG_CHART_H_
