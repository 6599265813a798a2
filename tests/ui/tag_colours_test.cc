// Tag colours: which parts of a result line and of a legend line get which colour, the
// switch in the View menu (off at first start, saved once on, plain text when off), and
// that the colours lie over the text: the document, search and copy stay plain, and only
// the lines on screen are coloured.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "tests/ui/fixture.h"
#include "ui/coloured_text_view.h"
#include "ui/find.h"
#include "ui/tag_colours.h"

namespace quillon {
namespace {

using testing::Child;

// A range as "start+length:class" for compact comparison.
QStringList Describe(const QList<QTextLayout::FormatRange>& ranges) {
  QStringList described;
  for (const QTextLayout::FormatRange& range : ranges) {
    QString word_class = QStringLiteral("?");
    for (int c = 0; c < kWordClassCount; ++c) {
      if (range.format.foreground().color() == WordClassColour(static_cast<WordClass>(c))) {
        word_class = QString::fromLatin1(WordClassName(static_cast<WordClass>(c)));
      }
    }
    described << QStringLiteral("%1+%2:%3").arg(range.start).arg(range.length).arg(word_class);
  }
  return described;
}

// The lines of view that carry colours now.
int ColouredLines(const QPlainTextEdit* view) {
  int count = 0;
  for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
    if (block.userState() >= 0 && !block.layout()->formats().isEmpty()) ++count;
  }
  return count;
}

class TagColoursTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    world_ = std::make_unique<testing::WindowWorld>();
    window_ = world_->Open();
  }
  void cleanup() { world_.reset(); }

  void ColoursTheSeparatorAndTag_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<char>("separator");
    QTest::addColumn<bool>("lemmas");
    QTest::addColumn<QStringList>("ranges");
    QTest::newRow("word_TAG") << "The_DT cat_NN sat_VBD ._." << '_' << false
                              << QStringList({"3+3:Function word", "10+3:Noun", "17+4:Verb",
                                              "23+2:Punctuation"});
    QTest::newRow("separator inside the word") << "and/or/CC quickly/RB" << '/' << false
                                               << QStringList({"6+3:Function word", "17+3:Adverb"});
    QTest::newRow("lemma and mark stay plain") << "Cats_NNS_cat in_IN_M<PREP>" << '_' << true
                                               << QStringList({"4+4:Noun", "15+3:Function word"});
    // Positions count UTF-16 units, as the text view does.
    QTest::newRow("words beyond ASCII") << QString::fromUtf8("café_NN 秒_NN 𝄞_SYM") << '_' << false
                                        << QStringList({"4+3:Noun", "9+3:Noun", "15+4:Other"});
    QTest::newRow("untagged tokens and spaces")
        << "  plain  words_JJ  " << '_' << false << QStringList({"14+3:Adjective"});
  }
  void ColoursTheSeparatorAndTag() {
    QFETCH(QString, line);
    QFETCH(char, separator);
    QFETCH(bool, lemmas);
    QFETCH(QStringList, ranges);
    QCOMPARE(Describe(ResultLineColours(line, ResultLayout{separator, lemmas}, false)), ranges);
  }

  void ColoursTheLegendsTags() {
    QCOMPARE(Describe(LegendLineColours("WP \twh-pronoun", false)),
             QStringList({"0+3:Function word"}));
    QCOMPARE(Describe(LegendLineColours("\"\tStraight double quote", false)),
             QStringList({"0+1:Punctuation"}));
    QVERIFY(LegendLineColours("no tab here", false).isEmpty());
    QVERIFY(WordClassColour(WordClass::kNoun, true).lightness() >
            WordClassColour(WordClass::kNoun, false).lightness());
  }

  // At first start the switch is off and the preview is plain; on, the tags of the lines
  // on screen carry their colours while the text stays what the file holds.
  void SwitchColoursThePreviewOverPlainText() {
    auto* colours = Child<QAction>(window_, "TagColours");
    QVERIFY(!colours->isChecked());
    ShowResult("a_tag.txt");
    auto* preview = Child<ColouredTextView>(window_, "RichEdit2");
    auto* legend = Child<ColouredTextView>(window_, "Memo1");
    const QString plain = preview->toPlainText();
    preview->grab();  // paints
    QCOMPARE(ColouredLines(preview), 0);

    colours->trigger();
    preview->grab();
    legend->grab();
    const QTextBlock first = preview->document()->firstBlock();
    QCOMPARE(first.text(), QString("The_DT cat_NN sat_VBD on_IN the_DT mat_NN ._."));
    QCOMPARE(Describe(first.layout()->formats()),
             QStringList({"3+3:Function word", "10+3:Noun", "17+4:Verb", "24+3:Function word",
                          "31+3:Function word", "38+3:Noun", "43+2:Punctuation"}));
    QVERIFY(ColouredLines(legend) > 10);
    QCOMPARE(preview->toPlainText(), plain);

    // Search and copy work on the plain text.
    Child<QAction>(window_, "Find1")->trigger();
    Child<QLineEdit>(window_, "FindText")->setText("cat_NN");
    QTest::mouseClick(Child<QPushButton>(window_, "FindNext"), Qt::LeftButton);
    QCOMPARE(preview->textCursor().selectedText(), QString("cat_NN"));
    Child<QAction>(window_, "Copy1")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("cat_NN"));

    colours->trigger();
    preview->grab();
    QCOMPARE(ColouredLines(preview), 0);
    QCOMPARE(ColouredLines(legend), 0);
  }

  // Colouring costs only the lines on screen, however long the preview.
  void ColoursOnlyTheLinesOnScreen() {
    auto* preview = Child<ColouredTextView>(window_, "RichEdit2");
    QStringList lines;
    for (int i = 0; i < 20000; ++i) lines << QStringLiteral("word%1_NN runs_VBZ ._.").arg(i);
    preview->setPlainText(lines.join('\n'));
    Child<QAction>(window_, "TagColours")->trigger();
    preview->grab();
    const int on_screen = ColouredLines(preview);
    QVERIFY(on_screen > 0);
    QVERIFY2(on_screen < 200, qPrintable(QString::number(on_screen)));
  }

  // Saved once switched on, under a key of ours, and read at the next start; switched
  // off again it is saved as off.
  void SwitchIsSavedOnceOn() {
    Child<QAction>(window_, "TagColours")->trigger();
    window_->close();
    QVERIFY(testing::ReadBytes(world_->settings_path).contains("TagColours=1\r\n"));
    window_ = world_->Open();
    auto* colours = Child<QAction>(window_, "TagColours");
    QVERIFY(colours->isChecked());
    QVERIFY(Child<ColouredTextView>(window_, "RichEdit2")->Coloured());
    colours->trigger();
    window_->close();
    const QByteArray saved = testing::ReadBytes(world_->settings_path);
    QVERIFY(saved.contains("TagColours=0\r\n"));
    QVERIFY(saved.startsWith("[ItemIndex]\r\nRadioGruop4=0\r\n"));
  }

 private:
  // Tags the three texts and previews the result named name.
  void ShowResult(const QString& name) {
    QListWidgetItem* result = testing::TagAllAndFindResult(window_, name);
    QVERIFY(result != nullptr);
    QListWidget* results = result->listWidget();
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualItemRect(result).center());
    QTRY_VERIFY(!Child<QPlainTextEdit>(window_, "RichEdit2")->toPlainText().isEmpty());
  }

  std::unique_ptr<testing::WindowWorld> world_;
  TForm1* window_ = nullptr;
};

}  // namespace
}  // namespace quillon

QTEST_MAIN(quillon::TagColoursTest)
#include "tag_colours_test.moc"
