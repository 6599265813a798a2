// Radio groups with an item index. Tested through main_window_test.cc.
#include "ui/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace quillon {

TRadioGroup::TRadioGroup(const QString& name, const QString& caption, const QStringList& items,
                         int initial, QWidget* parent, int columns)
    : QGroupBox(caption, parent), buttons_(this) {
  setObjectName(name);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(8, 2, 8, 4);
  layout->setVerticalSpacing(0);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    button->setObjectName(name + "_" + QString::number(i));
    buttons_.addButton(button, i);
    layout->addWidget(button, i % rows, i / rows);
  }
  SetItemIndex(initial);
  connect(&buttons_, &QButtonGroup::idClicked, this, &TRadioGroup::Clicked);
}

int TRadioGroup::ItemIndex() const { return buttons_.checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_.button(index)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group refuses to uncheck its last checked button, so it is opened briefly.
  buttons_.setExclusive(false);
  for (QAbstractButton* button : buttons_.buttons()) button->setChecked(false);
  buttons_.setExclusive(true);
}

}  // namespace quillon
