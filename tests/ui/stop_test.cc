// Stopping a run: the Stop button, Esc, and closing the window (Ctrl+Q, File › Exit, the
// window's close) in the middle of a long file all end the run after the current
// sentence. The files already written stay, the file being written leaves no output and
// no temporary file, later files are not touched; Stop says how many files were written,
// closing saves the settings and closes the window.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "tests/ui/fixture.h"

namespace quillon {
namespace {

using testing::Child;

enum class StopBy { kButton, kEscape, kQuitKeys, kExitMenu, kClose };

class StopTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    world_ = std::make_unique<testing::WindowWorld>();
    tagged_ = world_->texts + "/Tagged";
    // Long enough to be caught in its middle on any machine: 400,000 sentences.
    QByteArray big;
    for (int i = 0; i < 400000; ++i) big += "The cat sat on the mat .\n";
    testing::WriteBytes(world_->texts + "/big.txt", big);
    window_ = world_->Open();
  }
  void cleanup() { world_.reset(); }

  void StopsInTheMiddleOfAFile_data() {
    QTest::addColumn<int>("by_number");  // a StopBy
    QTest::newRow("Stop button") << static_cast<int>(StopBy::kButton);
    QTest::newRow("Esc") << static_cast<int>(StopBy::kEscape);
    QTest::newRow("Ctrl+Q") << static_cast<int>(StopBy::kQuitKeys);
    QTest::newRow("File > Exit") << static_cast<int>(StopBy::kExitMenu);
    QTest::newRow("closing the window") << static_cast<int>(StopBy::kClose);
  }
  void StopsInTheMiddleOfAFile() {
    QFETCH(int, by_number);
    const auto by = static_cast<StopBy>(by_number);
    window_->AddPaths(
        {world_->texts + "/a.txt", world_->texts + "/big.txt", world_->texts + "/b.txt"});
    auto* stop = Child<QPushButton>(window_, "StopButton");
    QVERIFY(!stop->isVisible());
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QTest::mouseClick(Child<QPushButton>(window_, "Button1"), Qt::LeftButton);
    // big.txt is being written once its temporary file has taken a first block.
    QTRY_VERIFY_WITH_TIMEOUT(TemporaryFileSize() > 0, 30000);
    QVERIFY(stop->isVisible());
    const bool closes = by != StopBy::kButton && by != StopBy::kEscape;
    switch (by) {
      case StopBy::kButton:
        QTest::mouseClick(stop, Qt::LeftButton);
        break;
      case StopBy::kEscape:
        QTest::keyClick(window_, Qt::Key_Escape);
        break;
      case StopBy::kQuitKeys:
        QTest::keySequence(window_, Child<QAction>(window_, "Exit1")->shortcuts().value(0));
        break;
      case StopBy::kExitMenu:
        ChooseFileExit();
        break;
      case StopBy::kClose:
        QVERIFY(!window_->close());  // the close waits for the run to stop
        break;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!window_->RunActive(), 30000);
    QCOMPARE(QDir(tagged_).entryList(QDir::Files), QStringList({"a_tag.txt"}));
    QVERIFY(world_->sink.shown.isEmpty());
    if (closes) {
      QTRY_VERIFY(!window_->isVisible());
      QVERIFY(QFile::exists(world_->settings_path));
    } else {
      QVERIFY(window_->isVisible());
      QVERIFY(!QFile::exists(world_->settings_path));
      QCOMPARE(Child<QLabel>(window_, "Panel1")->text(), QString("Stopped: 1 of 3 files written"));
      QVERIFY(!stop->isVisible());
      QVERIFY(Child<QPushButton>(window_, "Button1")->isEnabled());
    }
  }

  // A stop while the run waits on a message ends it before the next file.
  void StopsBeforeTheNextFile() {
    testing::WriteBytes(world_->texts + "/a.md", "The dog ran.\n");
    window_->AddPaths(
        {world_->texts + "/a.txt", world_->texts + "/a.md", world_->texts + "/b.txt"});
    world_->sink.while_shown = [this] {
      QTest::mouseClick(Child<QPushButton>(window_, "StopButton"), Qt::LeftButton);
    };
    QTest::mouseClick(Child<QPushButton>(window_, "Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->RunActive(), 30000);
    // The warning about the numbered name came after a.md was written; b.txt never began.
    QCOMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(QDir(tagged_).entryList(QDir::Files), QStringList({"a_tag(2).txt", "a_tag.txt"}));
    QCOMPARE(Child<QLabel>(window_, "Panel1")->text(), QString("Stopped: 2 of 3 files written"));
  }

  // Without a run, Stop is not offered and Esc does nothing; a run that is not stopped
  // ends as always.
  void NothingToStopWithoutARun() {
    QVERIFY(!Child<QAction>(window_, "StopAction")->isEnabled());
    QTest::keyClick(window_, Qt::Key_Escape);
    window_->AddPaths({world_->texts + "/a.txt"});
    QTest::mouseClick(Child<QPushButton>(window_, "Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->RunActive(), 30000);
    QVERIFY(Child<QLabel>(window_, "Panel1")->text().startsWith("Processing Time"));
    QVERIFY(QFile::exists(tagged_ + "/a_tag.txt"));
    QVERIFY(!Child<QPushButton>(window_, "StopButton")->isVisible());
  }

 private:
  // The size of big.txt's temporary output, or -1 while there is none.
  qint64 TemporaryFileSize() const {
    const QStringList temporary =
        QDir(tagged_).entryList({"big_tag.txt.quillon-*.tmp"}, QDir::Files | QDir::Hidden);
    if (temporary.size() != 1) return -1;
    return QFileInfo(tagged_ + "/" + temporary.front()).size();
  }

  // Opens the File menu with the mouse and chooses Exit, as a user would during a run.
  void ChooseFileExit() {
    QMenuBar* bar = window_->menuBar();
    QMenu* file = bar->findChildren<QMenu*>().value(0);
    for (QMenu* menu : bar->findChildren<QMenu*>()) {
      if (menu->actions().contains(Child<QAction>(window_, "Exit1"))) file = menu;
    }
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    QTRY_VERIFY(file->isVisible());
    QAction* exit = Child<QAction>(window_, "Exit1");
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(exit).center());
  }

  std::unique_ptr<testing::WindowWorld> world_;
  QString tagged_;
  TForm1* window_ = nullptr;
};

}  // namespace
}  // namespace quillon

QTEST_MAIN(quillon::StopTest)
#include "stop_test.moc"
