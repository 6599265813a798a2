// The window's output choices of ours: where they lie (no described control moves), their
// first-start values, the settings file keys, the user lexicon's file dialog, and runs that
// write the chosen format with the chosen user lexicon, as the command line does.
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "tests/ui/fixture.h"
#include "ui/coloured_text_view.h"

namespace quillon {
namespace {

using testing::Child;

// The described controls whose place and size must not change.
const char* const kDescribed[] = {
    "RadioGroup4",   "RadioGroup4_0", "RadioGroup4_1", "RadioGroup4_2", "RadioGroup3",
    "RadioGroup3_2", "Separator",     "Splitter",      "Tokenization",  "Tokenization_1",
    "Lemma",         "RadioGroup1",   "RadioGroup1_0", "RadioGroup1_1", "Button7",
    "Label4",        "Button1",       "FileListBox1",  "ListBox1",      "RichEdit1"};

class OutputOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    world_ = std::make_unique<testing::WindowWorld>();
    window_ = world_->Open();
    format_ = Child<QComboBox>(window_, "OutputFormat");
  }
  void cleanup() { world_.reset(); }

  void FirstStartAsDescribed() {
    QCOMPARE(format_->currentIndex(), 0);
    QCOMPARE(format_->currentText(), QString("word_TAG text"));
    QCOMPARE(window_->CurrentRunSettings().output_format, OutputFormat::kText);
    QCOMPARE(window_->CurrentRunSettings().user_lexicon, std::string());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    QVERIFY(!Child<QToolButton>(window_, "UserLexiconClear")->isVisible());
    // Closing from a first start writes the six described keys and nothing of ours.
    window_->close();
    QVERIFY(!testing::ReadBytes(world_->settings_path).contains("Output"));
    QVERIFY(!testing::ReadBytes(world_->settings_path).contains("UserLexicon"));
  }

  // Our controls lie in space the described ones leave empty: with them shown or hidden,
  // every described control has the same place and size, and the window its size.
  void DescribedControlsDoNotMove() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    const auto geometries = [this] {
      QApplication::processEvents();
      QList<QRect> rects;
      for (const char* name : kDescribed) {
        auto* widget = Child<QWidget>(window_, name);
        rects << QRect(widget->mapTo(window_, QPoint(0, 0)), widget->size());
      }
      rects << window_->rect();
      return rects;
    };
    const QList<QRect> with_ours = geometries();
    Child<QWidget>(window_, "OutputFormatRow")->hide();
    Child<QWidget>(window_, "UserLexiconRow")->hide();
    QCOMPARE(geometries(), with_ours);
    // And ours do not overlap the captions of the items they sit beside.
    for (const auto& [ours, item] : {std::pair{"OutputFormatRow", "RadioGroup1_1"},
                                     std::pair{"UserLexiconRow", "RadioGroup4_2"}}) {
      auto* widget = Child<QWidget>(window_, ours);
      widget->show();
      QApplication::processEvents();
      auto* button = Child<QWidget>(window_, item);
      const int caption_end = button->mapTo(window_, QPoint(button->sizeHint().width(), 0)).x();
      QVERIFY2(widget->mapTo(window_, QPoint(0, 0)).x() > caption_end, ours);
    }
  }

  void FormatIsSavedUnderItsOwnKey() {
    format_->setCurrentIndex(2);
    QCOMPARE(window_->CurrentRunSettings().output_format, OutputFormat::kConllu);
    window_->close();
    QVERIFY(testing::ReadBytes(world_->settings_path).endsWith("OutputFormat=2\r\n"));
    window_ = world_->Open();
    QCOMPARE(Child<QComboBox>(window_, "OutputFormat")->currentIndex(), 2);
    for (const QByteArray& file :
         {QByteArray("[ItemIndex]\nLemma=1\n"), QByteArray("[ItemIndex]\nOutputFormat=9\n"),
          QByteArray("[ItemIndex]\nOutputFormat=-1\n")}) {
      testing::WriteBytes(world_->settings_path, file);
      window_ = world_->Open();
      QCOMPARE(Child<QComboBox>(window_, "OutputFormat")->currentIndex(), 0);
    }
  }

  void UserLexiconIsChosenSavedAndCleared() {
    const QString lexicon = world_->root + "/my words.lex";
    testing::WriteBytes(lexicon, "quick\tNN\n");
    ChooseUserLexicon(lexicon);
    QCOMPARE(window_->CurrentRunSettings().user_lexicon, QFile::encodeName(lexicon).toStdString());
    auto* button = Child<QPushButton>(window_, "UserLexicon");
    QVERIFY(button->text().contains("my words.lex"));
    QCOMPARE(button->toolTip(), lexicon);
    window_->close();
    QVERIFY(testing::ReadBytes(world_->settings_path).contains("UserLexicon=" + lexicon.toUtf8()));
    window_ = world_->Open();
    window_->show();
    QCOMPARE(window_->CurrentRunSettings().user_lexicon, QFile::encodeName(lexicon).toStdString());
    auto* clear = Child<QToolButton>(window_, "UserLexiconClear");
    QVERIFY(clear->isVisible());
    QTest::mouseClick(clear, Qt::LeftButton);
    QCOMPARE(window_->CurrentRunSettings().user_lexicon, std::string());
    QVERIFY(!clear->isVisible());
    window_->close();
    QVERIFY(testing::ReadBytes(world_->settings_path).endsWith("UserLexicon=\r\n"));
  }

  // A run writes the chosen format with the chosen user lexicon, byte for byte what the
  // command line writes; the result list shows the new names; the preview shows such a
  // result as plain text and the statistics say they read word_TAG results only.
  void RunWritesTheChosenFormat() {
    const QString lexicon = world_->root + "/words.lex";
    testing::WriteBytes(lexicon, "quick\tNN\nfox\tVB\n");
    format_->setCurrentIndex(2);
    ChooseUserLexicon(lexicon);
    QListWidgetItem* item = testing::TagAllAndFindResult(window_, "/Tagged/c_tag.conllu");
    QVERIFY(item != nullptr);
    QVERIFY(world_->sink.shown.isEmpty());
    const QByteArray written = testing::ReadBytes(item->text());
    QVERIFY(written.contains("\tquick\t_\tNOUN\tNN\t"));
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_BIN_DIR "/quillon"),
              {"tag", "-q", "-d", world_->data_dir, "--tokenizer", "classic", "--format", "conllu",
               "--user-lexicon", lexicon, "-o", world_->root, world_->texts + "/c.TXT"});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(testing::ReadBytes(world_->root + "/c_tag.conllu"), written);

    auto* results = Child<QListWidget>(window_, "ListBox2");
    results->setCurrentItem(item);
    item->setSelected(true);
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualItemRect(item).center());
    auto* preview = Child<ColouredTextView>(window_, "RichEdit2");
    QTRY_COMPARE(preview->toPlainText().toUtf8(), written);
    QVERIFY(!preview->Coloured());
  }

  void MalformedUserLexiconEndsTheRunWithItsLines() {
    const QString lexicon = world_->root + "/bad.lex";
    testing::WriteBytes(lexicon, "quick NN\nfox\tXX\n");
    ChooseUserLexicon(lexicon);
    QVERIFY(testing::TagAllAndFindResult(window_, "_tag.txt") == nullptr);
    QCOMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(world_->sink.shown[0].second,
             lexicon + ", line 1: no TAB between the word and its tags.\n" + lexicon +
                 ", line 2: \"XX\" is not a tag of the tag set.");
    QVERIFY(!QDir(world_->texts + "/Tagged").exists());
  }

 private:
  // Picks path in the user lexicon's file dialog, as a user would.
  void ChooseUserLexicon(const QString& path) {
    QTest::mouseClick(Child<QPushButton>(window_, "UserLexicon"), Qt::LeftButton);
    QFileDialog* dialog = nullptr;
    QTRY_VERIFY((dialog = window_->findChild<QFileDialog*>("UserLexiconDialog")) != nullptr);
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");
  }

  std::unique_ptr<testing::WindowWorld> world_;
  TForm1* window_ = nullptr;
  QComboBox* format_ = nullptr;
};

}  // namespace
}  // namespace quillon

QTEST_MAIN(quillon::OutputOptionsTest)
#include "output_options_test.moc"
