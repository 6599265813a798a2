// A captioned group of radio buttons with an item index, as the run settings need it:
// the index of the checked item, or -1 when none is (a stored value below 0 leaves a group
// without a selection, and such a group hands -1 on to the run and back to the settings
// file). Tested through main_window_test.cc.
#ifndef QUILLON_UI_RADIO_GROUP_H_
#define QUILLON_UI_RADIO_GROUP_H_

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace quillon {

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // A group named name (its objectName) with caption and items, one column unless
  // columns says otherwise; item index initial is checked.
  TRadioGroup(const QString& name, const QString& caption, const QStringList& items, int initial,
              QWidget* parent, int columns = 1);

  int ItemIndex() const;
  // Checks item index; -1 (or any index outside the items) unchecks every item.
  void SetItemIndex(int index);
  int Count() const { return static_cast<int>(buttons_.buttons().size()); }

 signals:
  // The user checked item index.
  void Clicked(int index);

 private:
  QButtonGroup buttons_;
};

}  // namespace quillon

#endif  // QUILLON_UI_RADIO_GROUP_H_
