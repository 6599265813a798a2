// The folder chooser behind "where", the about box and the progress panel.
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/fixture.h"
#include "ui/about_tag.h"
#include "ui/folder4.h"
#include "ui/folder_tree.h"
#include "ui/frame2.h"

namespace quillon {
namespace {

using testing::Child;
using testing::Entries;

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    world_ = std::make_unique<testing::WindowWorld>();
    window_ = world_->Open();
    chooser_ = Child<TOKBottomDlg>(window_, "OKBottomDlg");
    label_ = Child<QLabel>(window_, "Label4");
    testing::ClickRadio(window_, "RadioGroup1_1");
  }
  void cleanup() { world_.reset(); }

  void ChooserStartsHiddenWithItsCaptions() {
    QVERIFY(!chooser_->isVisible());
    QCOMPARE(chooser_->windowTitle(), QString::fromUtf8("フォルダ選択"));
    QCOMPARE(Child<QPushButton>(chooser_, "CancelBtn")->text(), QString("Cansel"));
    QVERIFY(Child<QPushButton>(chooser_, "OKBtn")->isDefault());
    QCOMPARE(chooser_->size(), QSize(308, 275));
  }

  void OkWritesTheFolderAndTheChooserKeepsIt() {
    QTest::mouseClick(Child<QPushButton>(window_, "Button7"), Qt::LeftButton);
    QVERIFY(chooser_->isVisible());
    QVERIFY(window_->isEnabled());  // the main window stays usable
    chooser_->tree()->SelectFolder(world_->texts);
    QTest::mouseClick(Child<QPushButton>(chooser_, "OKBtn"), Qt::LeftButton);
    QVERIFY(!chooser_->isVisible());
    QCOMPARE(label_->text(), world_->texts);
    QCOMPARE(window_->CurrentRunSettings().destination_folder, world_->texts.toStdString());
    QTest::mouseClick(Child<QPushButton>(window_, "Button7"), Qt::LeftButton);
    QCOMPARE(chooser_->tree()->CurrentFolder(), world_->texts);
  }

  void CancelKeepsTheFolderButNotTheTree() {
    const QString before = label_->text();
    QTest::mouseClick(Child<QPushButton>(window_, "Button7"), Qt::LeftButton);
    chooser_->tree()->SelectFolder(world_->data_dir);
    QTest::mouseClick(Child<QPushButton>(chooser_, "CancelBtn"), Qt::LeftButton);
    QVERIFY(!chooser_->isVisible());
    QCOMPARE(label_->text(), before);
    QCOMPARE(chooser_->tree()->CurrentFolder(), world_->data_dir);
    // Escape is the cancel button.
    QTest::mouseClick(Child<QPushButton>(window_, "Button7"), Qt::LeftButton);
    QTest::keyClick(chooser_, Qt::Key_Escape);
    QVERIFY(!chooser_->isVisible());
    QCOMPARE(label_->text(), before);
  }

  void OkWithoutAFolderEmptiesTheDestination() {
    QTest::mouseClick(Child<QPushButton>(window_, "Button7"), Qt::LeftButton);
    chooser_->tree()->setCurrentIndex(QModelIndex());
    QTest::mouseClick(Child<QPushButton>(chooser_, "OKBtn"), Qt::LeftButton);
    QCOMPARE(label_->text(), QString());
  }

  void AboutBoxShowsOnce() {
    QAction* about = Child<QAction>(window_, "N1");
    about->trigger();
    about->trigger();
    const QList<TAboutBox*> boxes = window_->findChildren<TAboutBox*>();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes[0]->isVisible());
    QCOMPARE(boxes[0]->windowTitle(), QString("Quillon"));
    QCOMPARE(Child<QLabel>(boxes[0], "Version")->text(), QString("version 0.7"));
    QTest::mouseClick(Child<QPushButton>(boxes[0], "OKButton"), Qt::LeftButton);
    QVERIFY(!boxes[0]->isVisible());
  }

  void ProgressPanelTexts() {
    TFrame2 own(QStringLiteral("Panel"), nullptr);
    QCOMPARE(own.label()->text(), QString("Now Segmenting the Text into Sentences"));
    auto* panel = Child<TFrame2>(window_, "Frame21");
    QVERIFY(!panel->isVisible());
    QCOMPARE(panel->label()->text(), QString("Now Segmenting the Text into Sentences ..."));
    QCOMPARE(panel->width(), 361);
    QCOMPARE(panel->focusPolicy(), Qt::NoFocus);
    // Shown with a maximum, stepped by one, never past the end.
    panel->ShowProgress(2);
    for (int i = 0; i < 5; ++i) panel->Step();
    QCOMPARE(panel->bar()->value(), 2);
  }

 private:
  std::unique_ptr<testing::WindowWorld> world_;
  TForm1* window_ = nullptr;
  TOKBottomDlg* chooser_ = nullptr;
  QLabel* label_ = nullptr;
};

}  // namespace
}  // namespace quillon

QTEST_MAIN(quillon::DialogsTest)
#include "dialogs_test.moc"
