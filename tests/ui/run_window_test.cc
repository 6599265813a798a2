// Runs started from the window: what the user sees before, during and after a run, the
// messages in their order while the run waits for them, the input that a run refuses, and
// that the window writes exactly what `quillon tag` writes with the same settings.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/fixture.h"
#include "ui/radio_group.h"

namespace quillon {
namespace {

using testing::Child;
using testing::Entries;

class RunWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    world_ = std::make_unique<testing::WindowWorld>();
    window_ = world_->Open();
    start_ = Child<QPushButton>(window_, "Button1");
    results_ = Child<QListWidget>(window_, "ListBox2");
  }
  void cleanup() { world_.reset(); }

  void StartWithoutFilesClearsFirstThenTells() {
    auto* file_preview = Child<QPlainTextEdit>(window_, "RichEdit1");
    auto* result_preview = Child<QPlainTextEdit>(window_, "RichEdit2");
    file_preview->setPlainText("old");
    result_preview->setPlainText("old");
    results_->addItem("/old/result_tag.txt");
    bool cleared_before_message = false;
    world_->sink.while_shown = [&] {
      cleared_before_message = file_preview->toPlainText().isEmpty() &&
                               result_preview->toPlainText().isEmpty() && results_->count() == 0;
    };
    RunAndWait();
    QCOMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(world_->sink.shown[0].first, MessageSink::Kind::kMessage);
    QCOMPARE(world_->sink.shown[0].second, QString("Please select one or more files."));
    QVERIFY(cleared_before_message);
    QCOMPARE(Child<QTabWidget>(window_, "PageControl1")->currentIndex(), 0);
    QCOMPARE(Child<QLabel>(window_, "Panel1")->text(), QString("Processing Time "));
  }

  void FullRunListsAndWritesOutputs() {
    AddAll();
    RunAndWait();
    QVERIFY(world_->sink.shown.isEmpty());
    const QString tagged = world_->texts + "/Tagged";
    // Sorted without regard to letter case, whatever the input order.
    QCOMPARE(Entries(results_),
             QStringList({tagged + "/a_tag.txt", tagged + "/b_tag.txt", tagged + "/c_tag.txt"}));
    QCOMPARE(testing::ReadBytes(tagged + "/a_tag.txt"),
             QByteArray("The_DT cat_NN sat_VBD on_IN the_DT mat_NN ._.\r\n\r\n"
                        "Mr._NNP Smith_NNP cats_NNS\r\n"));
    QCOMPARE(Child<QTabWidget>(window_, "PageControl1")->currentIndex(), 1);
    QVERIFY(window_->TabHighlighted(1));
    QVERIFY(!window_->TabHighlighted(0));
    const QString elapsed = Child<QLabel>(window_, "Panel1")->text();
    QVERIFY2(elapsed.startsWith(QString::fromUtf8("Processing Time\u3000")) &&
                 elapsed.endsWith(QString::fromUtf8("\u3000秒")),
             qPrintable(elapsed));
    // The lexicon bar and its texts are gone after each file; the sentence bar stays, at 0.
    QVERIFY(!Child<QProgressBar>(window_->statusBar(), "ProgressBar2")->isVisible());
    QCOMPARE(Child<QLabel>(window_, "Panel3")->text(), QString());
    auto* sentence_bar = Child<QProgressBar>(window_->statusBar(), "ProgressBar1");
    QVERIFY(sentence_bar->isVisible());
    QCOMPARE(sentence_bar->value(), 0);
    QVERIFY(!Child<QWidget>(window_, "Frame21")->isVisible());
  }

  void PreviewsResultsAlsoAfterInputsAreRemoved() {
    AddAll();
    RunAndWait();
    QTest::mouseClick(Child<QPushButton>(window_, "Button5"), Qt::LeftButton);
    auto* preview = Child<QPlainTextEdit>(window_, "RichEdit2");
    QListWidgetItem* b = results_->item(1);
    QTest::mouseClick(results_->viewport(), Qt::LeftButton, {},
                      results_->visualItemRect(b).center());
    QTRY_COMPARE(preview->toPlainText(),
                 QString("The_DT dog_NN quickly_RB ran_VBD to_TO run_VB ._.\n"));
    // A double click previews too, and touches no file.
    QTest::mouseDClick(results_->viewport(), Qt::LeftButton, {},
                       results_->visualItemRect(b).center());
    QVERIFY(QFile::exists(b->text()));
    QCOMPARE(results_->count(), 3);
  }

  void MissingResourceEndsTheRunOnTheResultPage() {
    QFile::remove(world_->data_dir + "/tagset");
    AddAll();
    RunAndWait();
    QCOMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(world_->sink.shown[0].second, QString::fromUtf8("tagsetが見つかりません"));
    QCOMPARE(Child<QTabWidget>(window_, "PageControl1")->currentIndex(), 1);
    QCOMPARE(results_->count(), 0);
    QCOMPARE(Child<QLabel>(window_, "Panel1")->text(), QString("Processing Time"));
    // An early end sets no highlight.
    QVERIFY(window_->TabHighlighted(0));
    QVERIFY(!QDir(world_->texts + "/Tagged").exists());
  }

  // Each failed write shows its message while the run waits; the run then goes on, and
  // the path is listed all the same.
  void FailedWritesAreShownInOrderWhileTheRunWaits() {
    testing::ClickRadio(window_, "RadioGroup1_1");
    Child<QLabel>(window_, "Label4")->setText(world_->root + "/absent");
    AddAll();
    QList<int> listed_when_shown;
    QList<bool> lexicon_bar_when_shown;
    world_->sink.while_shown = [&] {
      listed_when_shown << results_->count();
      lexicon_bar_when_shown
          << Child<QProgressBar>(window_->statusBar(), "ProgressBar2")->isVisible();
    };
    RunAndWait();
    QCOMPARE(world_->sink.shown.size(), 3);
    for (const auto& [kind, text] : world_->sink.shown) {
      QCOMPARE(text, QString::fromUtf8("ディレクトリが見つかりません！"));
    }
    QCOMPARE(listed_when_shown, QList<int>({0, 1, 2}));
    QCOMPARE(lexicon_bar_when_shown, QList<bool>({true, false, false}));
    QCOMPARE(results_->count(), 3);
    QVERIFY(results_->item(0)->text().startsWith(world_->root + "/absent/"));
  }

  // While a run waits on a message, the window takes no input and a close waits for the
  // run's end; then the window closes and the settings are written.
  void RunRefusesInputAndDefersClose() {
    QFile::remove(world_->data_dir + "/ignore.dat");
    AddAll();
    bool closed_during_run = true;
    bool find_shown_during_run = true;
    auto* input_list = Child<QListWidget>(window_, "ListBox1");
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    world_->sink.while_shown = [&] {
      QTest::mouseClick(Child<QPushButton>(window_, "Button5"), Qt::LeftButton);
      QTest::mouseClick(start_, Qt::LeftButton);
      input_list->setFocus();
      input_list->item(0)->setSelected(true);
      QTest::keyClick(input_list, Qt::Key_Delete);
      QTest::keyClick(window_, Qt::Key_F, Qt::ControlModifier);
      find_shown_during_run = Child<QWidget>(window_, "FindDialog1")->isVisible();
      closed_during_run = window_->close();
    };
    QTest::mouseClick(start_, Qt::LeftButton);
    QTRY_VERIFY(!window_->isVisible());
    QVERIFY(!closed_during_run);
    QVERIFY(!find_shown_during_run);
    QCOMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(window_->InputFiles().size(), 3);
    QVERIFY(QFile::exists(world_->settings_path));
  }

  // Two inputs that would write the same output: the second gets a numbered name and the
  // user is warned; both are listed.
  void CollidingOutputsAreKeptApart() {
    testing::WriteBytes(world_->texts + "/a.md", "The dog ran.\n");
    window_->AddPaths({world_->texts + "/a.txt", world_->texts + "/a.md"});
    RunAndWait();
    QCOMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(world_->sink.shown[0].first, MessageSink::Kind::kWarning);
    const QString tagged = world_->texts + "/Tagged";
    QCOMPARE(Entries(results_), QStringList({tagged + "/a_tag(2).txt", tagged + "/a_tag.txt"}));
    QCOMPARE(testing::ReadBytes(tagged + "/a_tag(2).txt"),
             QByteArray("The_DT dog_NN ran_VBD ._.\r\n"));
  }

  // A group left without a selection by the settings file hands -1 to the run; for the
  // lexicon and for the contextual rules that names no file, and the run ends before any
  // input, saying so.
  void GroupWithoutSelectionReachesTheRun_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("message");
    QTest::newRow("lexicon") << QByteArray("[ItemIndex]\nRadioGruop4=-5\n")
                             << QString("No lexicon is selected.");
    QTest::newRow("contextual rules") << QByteArray("[ItemIndex]\nRadioGruop3=-5\n")
                                      << QString("No contextual rule file is selected.");
  }
  void GroupWithoutSelectionReachesTheRun() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    testing::WriteBytes(world_->settings_path, settings);
    window_ = world_->Open();
    start_ = Child<QPushButton>(window_, "Button1");
    results_ = Child<QListWidget>(window_, "ListBox2");
    AddAll();
    RunAndWait();
    QCOMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(world_->sink.shown[0].first, MessageSink::Kind::kError);
    QCOMPARE(world_->sink.shown[0].second, message);
    QCOMPARE(results_->count(), 0);
    QVERIFY(!QDir(world_->texts + "/Tagged").exists());
  }

  // The window and the command line write the same bytes for the same settings.
  void WritesWhatTheCommandLineWrites_data() {
    QTest::addColumn<QStringList>("radios");  // radio buttons clicked before Start
    QTest::addColumn<QStringList>("flags");   // the same settings for `quillon tag`
    QTest::newRow("defaults") << QStringList() << QStringList({"--tokenizer", "classic"});
    QTest::newRow("slash, split at spaces") << QStringList({"Separator_1", "Tokenization_1"})
                                            << QStringList({"-s", "/", "--no-tokenize"});
    QTest::newRow("modern text, splitter")
        << QStringList({"ModernText", "Splitter_1"}) << QStringList({"--split"});
  }
  void WritesWhatTheCommandLineWrites() {
    QFETCH(QStringList, radios);
    QFETCH(QStringList, flags);
    for (const QString& radio : radios) {
      if (auto* box = window_->findChild<QCheckBox*>(radio)) {
        box->setChecked(true);
      } else {
        testing::ClickRadio(window_, radio);
      }
    }
    AddAll();
    RunAndWait();
    QVERIFY(world_->sink.shown.isEmpty());
    const QStringList outputs = Entries(results_);
    QCOMPARE(outputs.size(), 3);
    QList<QByteArray> from_window;
    for (const QString& output : outputs) from_window << testing::ReadBytes(output);
    QVERIFY(QDir(world_->texts + "/Tagged").removeRecursively());

    QProcess cli;
    cli.start(QStringLiteral(QUILLON_BIN_DIR "/quillon"),
              QStringList({"tag", "-q", "-d", world_->data_dir}) + flags + window_->InputFiles());
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    for (int i = 0; i < outputs.size(); ++i) {
      QCOMPARE(testing::ReadBytes(outputs[i]), from_window[i]);
    }
  }

 private:
  void AddAll() { QTest::mouseClick(Child<QPushButton>(window_, "Button3"), Qt::LeftButton); }

  void RunAndWait() {
    QTest::mouseClick(start_, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->RunActive() && start_->isEnabled(), 30000);
  }

  std::unique_ptr<testing::WindowWorld> world_;
  TForm1* window_ = nullptr;
  QPushButton* start_ = nullptr;
  QListWidget* results_ = nullptr;
};

}  // namespace
}  // namespace quillon

QTEST_MAIN(quillon::RunWindowTest)
#include "run_window_test.moc"
