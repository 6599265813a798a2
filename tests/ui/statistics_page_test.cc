// The Statistics page: its figures against hand-counted result files of each layout, the
// chart's order and colours, a click on a bar, Export CSV through its dialog and a failed
// export, and counting on its own thread: the page is not filled while the window waits,
// and a count overtaken by another choice never shows.
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "tests/ui/fixture.h"
#include "ui/statistics_page.h"
#include "ui/tag_chart.h"
#include "ui/tag_colours.h"

namespace quillon {
namespace {

using testing::Child;

class StatisticsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    world_ = std::make_unique<testing::WindowWorld>();
    window_ = world_->Open();
    page_ = Child<StatisticsPage>(window_, "StatisticsPage");
  }
  void cleanup() { world_.reset(); }

  // a.txt tagged: "The_DT cat_NN sat_VBD on_IN the_DT mat_NN ._." / "" /
  // "Mr._NNP Smith_NNP cats_NNS": 10 tokens, 2 sentences, 10 word types (The, the).
  void CountsATaggedFile() {
    RunAndSelect("a_tag.txt");
    ShowPage();
    QTRY_VERIFY(!page_->Counting());
    QCOMPARE(Figure("StatisticsTokens"), QLocale().toString(10));
    QCOMPARE(Figure("StatisticsSentences"), QLocale().toString(2));
    QCOMPARE(Figure("StatisticsWordTypes"), QLocale().toString(10));
    QCOMPARE(Figure("StatisticsTokensPerSentence"), QLocale().toString(5.0, 'f', 2));
    auto* table = Child<QTableWidget>(window_, "StatisticsTable");
    QCOMPARE(table->rowCount(), 7);
    const QLocale locale;
    QCOMPARE(Row(table, 0), QStringList({"DT", "Function word", locale.toString(2),
                                         locale.toString(20.0, 'f', 2), "The (1), the (1)"}));
    const QList<TagChart::Bar>& bars = Child<TagChart>(window_, "TagChart")->Bars();
    QCOMPARE(bars.size(), 7);
    for (int i = 1; i < bars.size(); ++i) QVERIFY(bars[i - 1].count >= bars[i].count);
    QCOMPARE(bars[1].tag, QString("NN"));
    QCOMPARE(bars[1].colour, WordClassColour(WordClass::kNoun));
  }

  // A file written with "/" and lemmas, counted by hand: 7 tokens (one untagged), 3
  // sentences over CR, LF and CR LF line ends, 6 word types.
  void CountsAnyLayout() {
    RunAndSelect("b_tag.txt");
    testing::WriteBytes(world_->texts + "/Tagged/b_tag.txt",
                        "The/DT/the dog/NN/dog\rran/VBD/run and/or/CC/and/or\n\r\n"
                        "dog/NN/dog the/DT/the loose\r\n");
    ShowPage();
    QTRY_VERIFY(!page_->Counting());
    QCOMPARE(Figure("StatisticsTokens"), QLocale().toString(7));
    QCOMPARE(Figure("StatisticsSentences"), QLocale().toString(3));
    QCOMPARE(Figure("StatisticsWordTypes"), QLocale().toString(6));
    QCOMPARE(Figure("StatisticsUntagged"), QLocale().toString(1));
    auto* table = Child<QTableWidget>(window_, "StatisticsTable");
    const QLocale locale;
    const QString third = locale.toString(100.0 / 3, 'f', 2);
    const QString sixth = locale.toString(100.0 / 6, 'f', 2);
    QCOMPARE(Row(table, 0), QStringList({"DT", "Function word", "2", third, "The (1), the (1)"}));
    QCOMPARE(Row(table, 1), QStringList({"NN", "Noun", "2", third, "dog (2)"}));
    QCOMPARE(Row(table, 3), QStringList({"VBD", "Verb", "1", sixth, "ran (1)"}));
  }

  void BarClickSelectsTheTagsRow() {
    RunAndSelect("a_tag.txt");
    ShowPage();
    QTRY_VERIFY(!page_->Counting());
    auto* chart = Child<TagChart>(window_, "TagChart");
    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->BarRect(3).center());
    auto* table = Child<QTableWidget>(window_, "StatisticsTable");
    QCOMPARE(table->selectedItems().size(), 5);
    QCOMPARE(table->selectedItems().front()->text(), chart->Bars()[3].tag);
  }

  void ExportsTheTableAsCsv() {
    RunAndSelect("a_tag.txt");
    ShowPage();
    QTRY_VERIFY(!page_->Counting());
    const QString csv = world_->root + "/a.csv";
    // The dialog is answered when it shows.
    QTimer::singleShot(0, [csv] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      dialog->selectFile(csv);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(Child<QPushButton>(window_, "ExportCsv"), Qt::LeftButton);
    const QByteArray written = testing::ReadBytes(csv);
    QVERIFY(
        written.startsWith("Tag,Word class,Tokens,Share (%),Most frequent words\r\n"
                           "DT,Function word,2,20.00,The (1); the (1)\r\n"));
    QCOMPARE(written.count("\r\n"), 8);
    QVERIFY(world_->sink.shown.isEmpty());

    QVERIFY(!page_->ExportCsv(world_->root + "/absent/a.csv"));
    QCOMPARE(world_->sink.shown.size(), 1);
    QVERIFY(world_->sink.shown[0].second.startsWith("The table could not be written to"));
  }

  // A large file is counted while the window goes on; choosing another file meanwhile
  // drops the first count, whose figures never show.
  void CountsOnItsOwnThread() {
    RunAndSelect("a_tag.txt");
    QByteArray big;
    for (int i = 0; i < 400000; ++i) big += "The_DT cat_NN sat_VBD on_IN the_DT mat_NN ._.\r\n";
    testing::WriteBytes(world_->texts + "/Tagged/c_tag.txt", big);
    auto* results = Child<QListWidget>(window_, "ListBox2");
    ShowPage();
    QTRY_VERIFY(!page_->Counting());
    results->setCurrentRow(2);   // c_tag.txt
    QVERIFY(page_->Counting());  // not counted while the window waited
    results->setCurrentRow(1);   // b_tag.txt, before c's count is done
    QTRY_VERIFY_WITH_TIMEOUT(!page_->Counting(), 30000);
    QCOMPARE(Figure("StatisticsTokens"), QLocale().toString(7));
    QTest::qWait(200);
    QCOMPARE(Figure("StatisticsTokens"), QLocale().toString(7));
    results->setCurrentRow(2);
    QTRY_VERIFY_WITH_TIMEOUT(!page_->Counting(), 30000);
    QCOMPARE(Figure("StatisticsTokens"), QLocale().toString(400000 * 7));
    QCOMPARE(Figure("StatisticsSentences"), QLocale().toString(400000));
    // A run clears the result list, and with it the page.
    QTest::mouseClick(Child<QPushButton>(window_, "Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->RunActive(), 30000);
    ShowPage();
    QCOMPARE(Figure("StatisticsTokens"), QString("-"));
    QVERIFY(!Child<QPushButton>(window_, "ExportCsv")->isEnabled());
  }

 private:
  // Tags the three texts and selects the result named name.
  void RunAndSelect(const QString& name) {
    QListWidgetItem* result = testing::TagAllAndFindResult(window_, name);
    QVERIFY(result != nullptr);
    result->listWidget()->setCurrentItem(result);
  }

  void ShowPage() { Child<QTabWidget>(window_, "PageControl1")->setCurrentWidget(page_); }

  QString Figure(const char* name) { return Child<QLabel>(window_, name)->text(); }

  static QStringList Row(const QTableWidget* table, int row) {
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
      cells << table->item(row, column)->text();
    }
    return cells;
  }

  std::unique_ptr<testing::WindowWorld> world_;
  TForm1* window_ = nullptr;
  StatisticsPage* page_ = nullptr;
};

}  // namespace
}  // namespace quillon

QTEST_MAIN(quillon::StatisticsPageTest)
#include "statistics_page_test.moc"
