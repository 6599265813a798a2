// Searching the result preview: the down and up rules on their own, then through the
// window's find dialog, where a match is selected in the preview and a miss changes nothing.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/fixture.h"
#include "ui/find.h"

namespace quillon {
namespace {

class FindTest : public QObject {
  Q_OBJECT

 private slots:
  void SearchesDown_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("found");
    QTest::newRow("nothing selected starts at the beginning") << "a b a b"
                                                              << "A" << 0 << 0 << 0;
    QTest::newRow("caret ignored without selection") << "abc abc"
                                                     << "abc" << 5 << 0 << 0;
    QTest::newRow("after the selection") << "a b a b"
                                         << "A" << 0 << 1 << 4;
    QTest::newRow("no wrap-around") << "a b a b"
                                    << "A" << 4 << 1 << -1;
    QTest::newRow("match right at the selection end") << "abab"
                                                      << "ab" << 0 << 2 << 2;
    QTest::newRow("case ignored beyond ASCII") << "une ÉCOLE"
                                               << "école" << 0 << 0 << 4;
    QTest::newRow("empty search text") << "abc"
                                       << "" << 0 << 0 << -1;
    QTest::newRow("not there") << "abc"
                               << "d" << 0 << 0 << -1;
  }
  void SearchesDown() {
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, found);
    QCOMPARE(FindDownFrom(text, what, start, length), found);
  }

  void SearchesUp_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("found");
    QTest::newRow("caret at the end") << "abc xyz"
                                      << "abc" << 7 << 0;
    QTest::newRow("nothing before the start") << "abc xyz"
                                              << "abc" << 0 << -1;
    QTest::newRow("match ending exactly at the start") << "xx ab"
                                                       << "ab" << 5 << 3;
    QTest::newRow("match crossing the start is skipped") << "ab ab"
                                                         << "ab" << 4 << 0;
    QTest::newRow("last of several") << "a.a.a.a"
                                     << "A" << 5 << 4;
    // The scan resumes after each occurrence, so overlapping ones are not seen.
    QTest::newRow("scan resumes after the occurrence") << "aaaa"
                                                       << "aa" << 3 << 0;
    QTest::newRow("non-overlapping last") << "aaaa"
                                          << "aa" << 4 << 2;
    QTest::newRow("empty search text") << "abc"
                                       << "" << 3 << -1;
  }
  void SearchesUp() {
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(int, start);
    QFETCH(int, found);
    QCOMPARE(FindUpFrom(text, what, start), found);
  }

  // The sequences a user sees, through the dialog's controls.
  void FindsThroughTheDialog() {
    testing::WindowWorld world;
    TForm1* window = world.Open();
    auto* preview = testing::Child<QPlainTextEdit>(window, "RichEdit2");
    auto* pages = testing::Child<QTabWidget>(window, "PageControl1");
    auto* dialog = testing::Child<QDialog>(window, "FindDialog1");
    auto* text = testing::Child<QLineEdit>(dialog, "FindText");
    auto* next = testing::Child<QPushButton>(dialog, "FindNext");
    auto* up = testing::Child<QRadioButton>(dialog, "Up");
    auto* down = testing::Child<QRadioButton>(dialog, "Down");
    QVERIFY(down->isChecked());
    QVERIFY(!next->isEnabled());  // nothing to search for yet

    auto selection = [&] {
      const QTextCursor cursor = preview->textCursor();
      return QPair<int, int>(cursor.selectionStart(), cursor.selectionEnd());
    };

    // Down over "a b a b": 0, then 4, then it stays on 4.
    preview->setPlainText("a b a b");
    QCOMPARE(pages->currentIndex(), 0);
    text->setText("A");
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(selection(), qMakePair(0, 1));
    QCOMPARE(pages->currentIndex(), 1);  // the result page comes to the front
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(selection(), qMakePair(4, 5));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(selection(), qMakePair(4, 5));

    // Up from the end of "abc xyz": abc, then nothing more.
    preview->setPlainText("abc xyz");
    preview->moveCursor(QTextCursor::End);
    text->setText("abc");
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(selection(), qMakePair(0, 3));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(selection(), qMakePair(0, 3));

    // A search that finds nothing leaves the selection as it was.
    text->setText("zzz");
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(selection(), qMakePair(0, 3));
  }

  // An empty preview, or one whose first line is empty, is not searched: the page stays.
  void SkipsPreviewWithEmptyFirstLine_data() {
    QTest::addColumn<QString>("content");
    QTest::newRow("empty") << "";
    QTest::newRow("first line empty") << "\nabc";
  }
  void SkipsPreviewWithEmptyFirstLine() {
    QFETCH(QString, content);
    testing::WindowWorld world;
    TForm1* window = world.Open();
    auto* preview = testing::Child<QPlainTextEdit>(window, "RichEdit2");
    auto* dialog = testing::Child<QDialog>(window, "FindDialog1");
    preview->setPlainText(content);
    testing::Child<QLineEdit>(dialog, "FindText")->setText("abc");
    QTest::mouseClick(testing::Child<QPushButton>(dialog, "FindNext"), Qt::LeftButton);
    QCOMPARE(testing::Child<QTabWidget>(window, "PageControl1")->currentIndex(), 0);
    QVERIFY(!preview->textCursor().hasSelection());
  }

  // Ctrl+F opens the dialog; F3 repeats the search without it.
  void ShortcutsOpenAndRepeat() {
    testing::WindowWorld world;
    TForm1* window = world.Open();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* preview = testing::Child<QPlainTextEdit>(window, "RichEdit2");
    auto* dialog = testing::Child<QDialog>(window, "FindDialog1");
    preview->setPlainText("tag tag");
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(dialog->isVisible());
    testing::Child<QLineEdit>(dialog, "FindText")->setText("TAG");
    dialog->hide();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F3);
    QCOMPARE(preview->textCursor().selectionStart(), 0);
    QTest::keyClick(window, Qt::Key_F3);
    QCOMPARE(preview->textCursor().selectionStart(), 4);
  }
};

}  // namespace
}  // namespace quillon

QTEST_MAIN(quillon::FindTest)
#include "find_test.moc"
