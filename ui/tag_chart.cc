// Drawing the tag chart. Tested by statistics_page_test.cc.
#include "ui/tag_chart.h"

#include <QHelpEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace quillon {
namespace {

constexpr int kMargin = 6;
constexpr int kGap = 6;  // between label, bar and figures

QString Figures(const TagChart::Bar& bar) {
  const QLocale locale;
  return QStringLiteral("%1 (%2%)")
      .arg(locale.toString(bar.count), locale.toString(bar.share, 'f', 1));
}

}  // namespace

TagChart::TagChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TagChart"));
  setMouseTracking(true);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void TagChart::SetBars(QList<Bar> bars) {
  bars_ = std::move(bars);
  updateGeometry();
  update();
}

int TagChart::RowHeight() const { return fontMetrics().height() + 4; }

int TagChart::LabelWidth() const {
  int width = fontMetrics().horizontalAdvance(QStringLiteral("NNPS"));
  for (const Bar& bar : bars_) width = std::max(width, fontMetrics().horizontalAdvance(bar.tag));
  return std::min(width, 120);
}

QSize TagChart::sizeHint() const {
  return QSize(360, 2 * kMargin + RowHeight() * static_cast<int>(bars_.size()));
}

QSize TagChart::minimumSizeHint() const { return QSize(200, sizeHint().height()); }

QRect TagChart::BarRect(int row) const {
  if (row < 0 || row >= bars_.size()) return QRect();
  const quint64 largest = bars_.front().count;  // the bars come most frequent first
  const int left = kMargin + LabelWidth() + kGap;
  const int figures = fontMetrics().horizontalAdvance(QStringLiteral("000,000,000 (100.0%)"));
  const int room = std::max(10, width() - left - kGap - figures - kMargin);
  const int length =
      largest == 0 ? 0
                   : std::max(1, static_cast<int>(room * static_cast<double>(bars_[row].count) /
                                                  static_cast<double>(largest)));
  const int top = kMargin + row * RowHeight();
  return QRect(left, top + 2, length, RowHeight() - 4);
}

int TagChart::RowAt(const QPoint& point) const {
  if (point.y() < kMargin) return -1;
  const int row = (point.y() - kMargin) / RowHeight();
  return row < bars_.size() ? row : -1;
}

void TagChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int label_width = LabelWidth();
  for (int row = 0; row < bars_.size(); ++row) {
    const Bar& bar = bars_[row];
    const QRect rect = BarRect(row);
    const QRect label(kMargin, rect.top() - 2, label_width, RowHeight());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                     fontMetrics().elidedText(bar.tag, Qt::ElideRight, label_width));
    painter.fillRect(rect, bar.colour);
    const QRect figures(rect.right() + kGap, rect.top() - 2, width(), RowHeight());
    painter.drawText(figures, Qt::AlignLeft | Qt::AlignVCenter, Figures(bar));
  }
}

bool TagChart::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const int row = RowAt(help->pos());
    if (row >= 0) {
      QToolTip::showText(help->globalPos(),
                         bars_[row].tag + QStringLiteral(": ") + Figures(bars_[row]));
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

void TagChart::mouseReleaseEvent(QMouseEvent* event) {
  const int row = RowAt(event->position().toPoint());
  if (row >= 0 && event->button() == Qt::LeftButton) emit TagClicked(bars_[row].tag);
}

}  // namespace quillon
