// The "Select Files" page and the window's frame, driven through the real widgets: the
// file list and its filter, the input list with its duplicate rule, the previews, drops,
// the destination controls, menus, and the settings file read at start and written at
// the end.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "tests/ui/fixture.h"
#include "ui/folder_tree.h"
#include "ui/radio_group.h"

namespace quillon {
namespace {

using testing::Child;
using testing::Entries;

// Selects the entries of the file list named names, and only those.
void SelectFiles(QListWidget* list, const QStringList& names) {
  list->clearSelection();
  for (int i = 0; i < list->count(); ++i) {
    if (names.contains(list->item(i)->text())) list->item(i)->setSelected(true);
  }
}

QListWidgetItem* Entry(QListWidget* list, const QString& text) {
  const auto found = list->findItems(text, Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.front();
}

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    world_ = std::make_unique<testing::WindowWorld>();
    window_ = world_->Open();
    file_list_ = Child<QListWidget>(window_, "FileListBox1");
    input_list_ = Child<QListWidget>(window_, "ListBox1");
  }
  void cleanup() { world_.reset(); }

  void StartsWithInitialState() {
    for (const char* name : {"RadioGroup4", "RadioGroup3", "Separator", "Splitter", "Tokenization",
                             "Lemma", "RadioGroup1"}) {
      QCOMPARE(Child<TRadioGroup>(window_, name)->ItemIndex(), 0);
    }
    auto* multiword = Child<TRadioGroup>(window_, "RadioGroup5");
    QCOMPARE(multiword->ItemIndex(), 1);
    QVERIFY(!multiword->isVisible());
    QCOMPARE(window_->CurrentRunSettings().RadioGroup5, 1);
    QVERIFY(!Child<QPushButton>(window_, "Button7")->isEnabled());
    QVERIFY(!Child<QLabel>(window_, "Label4")->isEnabled());
    QCOMPARE(Child<QLabel>(window_, "Label4")->text(), world_->root);
    QCOMPARE(Child<QLabel>(window_, "Panel0")->text(), QString("Quillon  Version 0.7"));
    QCOMPARE(Child<QLabel>(window_, "Panel1")->text(), QString("Processing Time "));
    QVERIFY(!window_->findChild<QProgressBar*>("ProgressBar2")->isVisible());
    QVERIFY(window_->TabHighlighted(0));
    QVERIFY(!window_->TabHighlighted(1));
    QCOMPARE(window_->maximumSize(), QSize(920, 612));
    QCOMPARE(Child<QComboBox>(window_, "FilterComboBox1")->currentText(),
             QString("Text Files (*.txt)"));
  }

  void ShowsTagLegend() {
    const QStringList lines = Child<QPlainTextEdit>(window_, "Memo1")->toPlainText().split('\n');
    QCOMPARE(lines.size(), 48);
    QCOMPARE(lines[0], QString("CC\tCoordinating conjunction"));
    QCOMPARE(lines[33], QString("WP \twh-pronoun"));
    QCOMPARE(lines[43], QString("\"\tStraight double quote"));
    QCOMPARE(lines[44], QString("`\tLeft open single quote"));
    QCOMPARE(lines[47], QString("\"\tRight close double quote"));
  }

  void FiltersFileList() {
    QCOMPARE(Entries(file_list_), QStringList({"a.txt", "b.txt", "c.TXT"}));
    Child<QComboBox>(window_, "FilterComboBox1")->setCurrentIndex(1);
    QCOMPARE(Entries(file_list_), QStringList({"a.txt", "b.txt", "c.TXT", "notes.md"}));
  }

  void FollowsFolderChanges() {
    testing::WriteBytes(world_->texts + "/d.txt", "new\n");
    QTRY_COMPARE(Entries(file_list_), QStringList({"a.txt", "b.txt", "c.TXT", "d.txt"}));
  }

  // A right click selects the folder under the mouse, and the file list follows.
  void RightClickInTreeSelectsFolder() {
    auto* tree = Child<FolderTree>(window_, "ShellTreeView1");
    QCOMPARE(tree->CurrentFolder(), world_->texts);
    const auto* model = static_cast<const QFileSystemModel*>(tree->model());
    const QRect row = tree->visualRect(model->index(world_->root));
    QVERIFY(row.isValid());
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, row.center());
    QCOMPARE(tree->CurrentFolder(), world_->root);
    QCOMPARE(file_list_->count(), 0);
  }

  void AddsSelectedInListOrderWithoutDuplicates() {
    SelectFiles(file_list_, {"b.txt"});
    QTest::mouseClick(Child<QPushButton>(window_, "Button2"), Qt::LeftButton);
    SelectFiles(file_list_, {"c.TXT", "a.txt", "b.txt"});
    QTest::mouseClick(Child<QPushButton>(window_, "Button2"), Qt::LeftButton);
    const QString t = world_->texts;
    QCOMPARE(Entries(input_list_), QStringList({t + "/b.txt", t + "/a.txt", t + "/c.TXT"}));
    // The file list keeps its selection.
    QCOMPARE(file_list_->selectedItems().size(), 3);
    // The same path again is the same entry; a path in other letter case that leads
    // nowhere is no file to add.
    window_->AddPaths({t + "/a.txt", t + "/A.TXT"});
    QCOMPARE(input_list_->count(), 3);
  }

  // Where the file system tells letter case apart, Foo.txt and foo.txt are two files and
  // two inputs, and a run writes both; two names of one file (as a disk that ignores case
  // shows them) are one input.
  void LetterCaseTellsFilesApart() {
    const QString t = world_->texts;
    testing::WriteBytes(t + "/Foo.txt", "The cat sat.\n");
    testing::WriteBytes(t + "/foo.txt", "The dog ran.\n");
    testing::WriteBytes(t + "/bar.txt", "one file\n");
    QVERIFY(::link(QFile::encodeName(t + "/bar.txt"), QFile::encodeName(t + "/Bar.txt")) == 0);
    window_->ShowFolder(world_->root);
    window_->ShowFolder(t);
    QTest::mouseClick(Child<QPushButton>(window_, "Button3"), Qt::LeftButton);
    const QStringList entries = Entries(input_list_);
    QCOMPARE(entries.size(), 6);
    for (const char* name : {"/a.txt", "/b.txt", "/c.TXT", "/Foo.txt", "/foo.txt"}) {
      QVERIFY2(entries.contains(t + name), name);
    }
    QVERIFY(entries.contains(t + "/Bar.txt") != entries.contains(t + "/bar.txt"));
    window_->AddPaths({t + "/FOO.txt", t + "/foo.txt"});
    QCOMPARE(input_list_->count(), 6);

    QTest::mouseClick(Child<QPushButton>(window_, "Button5"), Qt::LeftButton);
    window_->AddPaths({t + "/Foo.txt", t + "/foo.txt"});
    QTest::mouseClick(Child<QPushButton>(window_, "Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->RunActive(), 30000);
    QCOMPARE(testing::ReadBytes(t + "/Tagged/Foo_tag.txt"),
             QByteArray("The_DT cat_NN sat_VBD ._.\r\n"));
    QCOMPARE(testing::ReadBytes(t + "/Tagged/foo_tag.txt"),
             QByteArray("The_DT dog_NN ran_VBD ._.\r\n"));
  }

  // Previews beyond the size they can show without freezing the window show their first
  // part and say so; they are read while the window goes on.
  void LargePreviewsShowTheirFirstPart() {
    QByteArray lines;
    for (int i = 0; lines.size() <= 11'000'000; ++i)
      lines += "line " + QByteArray::number(i) + "\r\n";
    testing::WriteBytes(world_->texts + "/lines.txt", lines);
    testing::WriteBytes(world_->texts + "/one.txt", QByteArray(11'000'000, 'x') + "\n");
    window_->AddPaths({world_->texts + "/lines.txt", world_->texts + "/one.txt"});
    auto* preview = Child<QPlainTextEdit>(window_, "RichEdit1");

    const QPoint first = input_list_->visualItemRect(input_list_->item(0)).center();
    QTest::mouseClick(input_list_->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(input_list_->viewport(), Qt::LeftButton, {}, first);
    QVERIFY(window_->PreviewsPending() > 0);  // the window does not wait for the read
    QTRY_VERIFY_WITH_TIMEOUT(!preview->toPlainText().isEmpty(), 30000);
    QString text = preview->toPlainText();
    QVERIFY(text.size() <= 10'000'000 + 200);
    const QLocale locale;
    const QString note =
        QString("[Preview: only the first %1 of this %2 file are shown.]\n")
            .arg(locale.formattedDataSize(10'000'000, 0, QLocale::DataSizeSIFormat),
                 locale.formattedDataSize(lines.size(), 1, QLocale::DataSizeSIFormat));
    QVERIFY2(text.endsWith(note), qPrintable(text.right(100)));
    QVERIFY(text.startsWith("line 0\nline 1\n"));
    // Only whole lines: the line before the note is one of the file's lines.
    const QStringList shown = text.split('\n');
    QVERIFY(lines.contains("\r\n" + shown[shown.size() - 3].toLatin1() + "\r\n"));

    // One line of 11 MB: its first 100,000 bytes, and both notes.
    QListWidgetItem* one = Entry(file_list_, "one.txt");
    QTest::mouseClick(file_list_->viewport(), Qt::LeftButton, {},
                      file_list_->visualItemRect(one).center());
    QTRY_VERIFY_WITH_TIMEOUT(preview->toPlainText().startsWith("xxx"), 30000);
    text = preview->toPlainText();
    QCOMPARE(text.indexOf('\n'), 100000);
    QVERIFY2(text.endsWith("are shown.]\n[Preview: lines longer than " + locale.toString(100000) +
                           " bytes are cut short.]\n"),
             qPrintable(text.right(150)));
  }

  void AddsAllAndNothingFromEmptyFolder() {
    QTest::mouseClick(Child<QPushButton>(window_, "Button3"), Qt::LeftButton);
    QCOMPARE(input_list_->count(), 3);
    const QString empty = world_->root + "/empty";
    QDir().mkpath(empty);
    window_->ShowFolder(empty);
    QCOMPARE(file_list_->count(), 0);
    QTest::mouseClick(Child<QPushButton>(window_, "Button3"), Qt::LeftButton);
    QCOMPARE(input_list_->count(), 3);
  }

  void RemovesSelectedOrAll() {
    QTest::mouseClick(Child<QPushButton>(window_, "Button3"), Qt::LeftButton);
    auto* remove = Child<QPushButton>(window_, "Button4");
    input_list_->clearSelection();
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(input_list_->count(), 3);  // nothing selected, nothing removed
    input_list_->item(1)->setSelected(true);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(Entries(input_list_),
             QStringList({world_->texts + "/a.txt", world_->texts + "/c.TXT"}));
    QTest::mouseClick(Child<QPushButton>(window_, "Button5"), Qt::LeftButton);
    QCOMPARE(input_list_->count(), 0);
  }

  void KeyboardAndMouseShortcuts() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    // Enter in the file list adds the selection.
    file_list_->setFocus();
    SelectFiles(file_list_, {"c.TXT"});
    QTest::keyClick(file_list_, Qt::Key_Return);
    QCOMPARE(Entries(input_list_), QStringList({world_->texts + "/c.TXT"}));
    // A double click in the file list adds the file under the mouse.
    QListWidgetItem* a = Entry(file_list_, "a.txt");
    const QPoint at = file_list_->visualItemRect(a).center();
    QTest::mouseClick(file_list_->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(file_list_->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(input_list_->count(), 2);
    // Delete in the input list removes the selected entry.
    input_list_->setFocus();
    input_list_->item(0)->setSelected(true);
    QTest::keyClick(input_list_, Qt::Key_Delete);
    QCOMPARE(Entries(input_list_), QStringList({world_->texts + "/a.txt"}));
  }

  void ContextMenusOfferTheListCommands() {
    auto texts = [](const QWidget* widget) {
      QStringList names;
      for (const QAction* action : widget->actions()) names << action->text();
      return names;
    };
    QCOMPARE(texts(file_list_), QStringList({"Add", "Add All"}));
    QCOMPARE(texts(input_list_), QStringList({"Remove", "Remove All"}));
    QCOMPARE(texts(Child<QPlainTextEdit>(window_, "RichEdit2")), QStringList({"&Copy"}));
    QCOMPARE(file_list_->contextMenuPolicy(), Qt::ActionsContextMenu);
  }

  void PreviewsHundredLinesOrAll() {
    QByteArray bytes;
    for (int i = 1; i <= 250; ++i) bytes += "line " + QByteArray::number(i) + "\r\n";
    testing::WriteBytes(world_->texts + "/long.txt", bytes);
    window_->ShowFolder(world_->root);
    window_->ShowFolder(world_->texts);
    QListWidgetItem* item = Entry(file_list_, "long.txt");
    QVERIFY(item != nullptr);
    QTest::mouseClick(file_list_->viewport(), Qt::LeftButton, {},
                      file_list_->visualItemRect(item).center());
    auto* preview = Child<QPlainTextEdit>(window_, "RichEdit1");
    QTRY_VERIFY(!preview->toPlainText().isEmpty());
    QStringList lines = preview->toPlainText().split('\n');
    QCOMPARE(lines.size(), 101);  // 100 lines, each followed by a break
    QCOMPARE(lines[99], QString("line 100"));

    QTest::mouseClick(Child<QPushButton>(window_, "Button2"), Qt::LeftButton);
    QListWidgetItem* input = input_list_->item(0);
    QTest::mouseClick(input_list_->viewport(), Qt::LeftButton, {},
                      input_list_->visualItemRect(input).center());
    QTest::mouseDClick(input_list_->viewport(), Qt::LeftButton, {},
                       input_list_->visualItemRect(input).center());
    QTRY_COMPARE(preview->toPlainText().count('\n'), 250);
    lines = preview->toPlainText().split('\n');
    QCOMPARE(lines.size(), 251);
    QCOMPARE(lines[249], QString("line 250"));
  }

  void PreviewShowsNothingForUnselectedFocus() {
    QListWidgetItem* a = Entry(file_list_, "a.txt");
    const QPoint at = file_list_->visualItemRect(a).center();
    QTest::mouseClick(file_list_->viewport(), Qt::LeftButton, {}, at);
    auto* preview = Child<QPlainTextEdit>(window_, "RichEdit1");
    QTRY_VERIFY(preview->toPlainText().startsWith("The cat sat"));
    // A control click takes the entry out of the selection but leaves the focus on it.
    QTest::mouseClick(file_list_->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
    QVERIFY(!a->isSelected());
    QCOMPARE(preview->toPlainText(), QString());
    // A click whose preview is still being read does not fill it afterwards.
    QTest::mouseClick(file_list_->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseClick(file_list_->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
    QTRY_COMPARE(window_->PreviewsPending(), 0);
    QCOMPARE(preview->toPlainText(), QString());
    QVERIFY(world_->sink.shown.isEmpty());
  }

  void ReportsFilesThatCannotBeOpened() {
    QTest::mouseClick(Child<QPushButton>(window_, "Button3"), Qt::LeftButton);
    auto* preview = Child<QPlainTextEdit>(window_, "RichEdit1");
    // The whole-file preview keeps what it showed before.
    preview->setPlainText("before");
    QFile::remove(world_->texts + "/a.txt");
    const QPoint at = input_list_->visualItemRect(input_list_->item(0)).center();
    QTest::mouseClick(input_list_->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(input_list_->viewport(), Qt::LeftButton, {}, at);
    QTRY_COMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(world_->sink.shown[0].second,
             QString("ファイル %1 は開けません").arg(world_->texts + "/a.txt"));
    QCOMPARE(preview->toPlainText(), QString("before"));
  }

  void AcceptsDroppedFilesAndFolders() {
    const QString more = world_->root + "/more";
    QDir().mkpath(more);
    testing::WriteBytes(more + "/x.txt", "x\n");
    testing::WriteBytes(more + "/y.md", "y\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(world_->texts + "/b.txt"), QUrl::fromLocalFile(more),
                  QUrl("https://example.invalid/z.txt")});
    const QPoint at = input_list_->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(input_list_->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(input_list_->viewport(), &drop);
    // The folder adds the files that match the filter, not the others.
    QCOMPARE(Entries(input_list_), QStringList({world_->texts + "/b.txt", more + "/x.txt"}));
  }

  void DestinationChoiceEnablesWhere() {
    auto* where = Child<QPushButton>(window_, "Button7");
    auto* label = Child<QLabel>(window_, "Label4");
    testing::ClickRadio(window_, "RadioGroup1_1");
    QVERIFY(where->isEnabled());
    QVERIFY(label->isEnabled());
    QCOMPARE(window_->CurrentRunSettings().RadioGroup1, 1);
    testing::ClickRadio(window_, "RadioGroup1_0");
    QVERIFY(!where->isEnabled());
    QVERIFY(!label->isEnabled());
  }

  void CopiesResultSelection() {
    auto* preview = Child<QPlainTextEdit>(window_, "RichEdit2");
    preview->setPlainText("The_DT cat_NN");
    QTextCursor cursor = preview->textCursor();
    cursor.setPosition(7);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    preview->setTextCursor(cursor);
    Child<QAction>(window_, "Copy1")->trigger();  // from the Select Files page too
    QCOMPARE(QApplication::clipboard()->text(), QString("cat_NN"));
  }

  // Values in the settings file and the groups they select.
  void LoadsSettings_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("indexes");  // RadioGroup4, 3, Separator, Tokenization,
                                              // Splitter, Lemma
    QTest::newRow("lemmatizer on, tokenizer off")
        << QByteArray("[ItemIndex]\r\nLemma=1\r\nTokenization=1\r\n")
        << QList<int>{0, 0, 0, 1, 0, 1};
    QTest::newRow("large value selects the last item")
        << QByteArray("[ItemIndex]\nSplitter=5\nRadioGruop4=7\n") << QList<int>{2, 0, 0, 0, 1, 0};
    QTest::newRow("negative leaves no selection")
        << QByteArray("[ItemIndex]\nSplitter=-3\n") << QList<int>{0, 0, 0, 0, -1, 0};
    QTest::newRow("junk is zero, hexadecimal is read")
        << QByteArray("[ItemIndex]\nSeparator=abc\nRadioGruop3=0x2\n")
        << QList<int>{0, 2, 0, 0, 0, 0};
    QTest::newRow("hexadecimal one")
        << QByteArray("[ItemIndex]\nSeparator=0x1\n") << QList<int>{0, 0, 1, 0, 0, 0};
    QTest::newRow("the correct spelling is not the key")
        << QByteArray("[ItemIndex]\nRadioGroup4=2\nRadioGroup3=1\n")
        << QList<int>{0, 0, 0, 0, 0, 0};
  }
  void LoadsSettings() {
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, indexes);
    testing::WriteBytes(world_->settings_path, file);
    window_ = world_->Open();
    const char* names[] = {"RadioGroup4",  "RadioGroup3", "Separator",
                           "Tokenization", "Splitter",    "Lemma"};
    for (int i = 0; i < 6; ++i) {
      QCOMPARE(Child<TRadioGroup>(window_, names[i])->ItemIndex(), indexes[i]);
    }
  }

  // The "Modern text" check box of ours: off at a first start and after older settings
  // files, read from and saved to its own key, handed to the run.
  void ModernTextCheckBox() {
    auto* box = Child<QCheckBox>(window_, "ModernText");
    QVERIFY(!box->isChecked());
    QVERIFY(!window_->CurrentRunSettings().modern_tokenizer);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    QVERIFY(box->isChecked());
    QVERIFY(window_->CurrentRunSettings().modern_tokenizer);
    QCOMPARE(window_->CurrentRunSettings().Tokenization, 0);
    window_->close();
    QVERIFY(testing::ReadBytes(world_->settings_path).endsWith("Lemma=0\r\nModernText=1\r\n"));
    window_ = world_->Open();
    QVERIFY(Child<QCheckBox>(window_, "ModernText")->isChecked());
    testing::WriteBytes(world_->settings_path, "[ItemIndex]\nLemma=1\n");
    window_ = world_->Open();
    QVERIFY(!Child<QCheckBox>(window_, "ModernText")->isChecked());
  }

  void FirstCloseWritesSevenLines() {
    QVERIFY(!QFile::exists(world_->settings_path));
    window_->close();
    QCOMPARE(testing::ReadBytes(world_->settings_path),
             QByteArray("[ItemIndex]\r\nRadioGruop4=0\r\nRadioGruop3=0\r\nSeparator=0\r\n"
                        "Tokenization=0\r\nSplitter=0\r\nLemma=0\r\n"));
  }

  void SavesChangesKeepingTheRest() {
    testing::WriteBytes(world_->settings_path,
                        "; mine\n[Window]\nx=1\n[ItemIndex]\nSplitter=-3\nextra=yes\n");
    window_ = world_->Open();
    testing::ClickRadio(window_, "Lemma_1");
    testing::ClickRadio(window_, "RadioGroup4_2");
    // Neither the destination choice nor its folder is kept.
    testing::ClickRadio(window_, "RadioGroup1_1");
    Child<QLabel>(window_, "Label4")->setText("/elsewhere");
    Child<QAction>(window_, "Exit1")->trigger();
    QVERIFY(!window_->isVisible());
    QCOMPARE(testing::ReadBytes(world_->settings_path),
             QByteArray("; mine\n[Window]\nx=1\n[ItemIndex]\nSplitter=-1\nextra=yes\n"
                        "RadioGruop4=2\nRadioGruop3=0\nSeparator=0\nTokenization=0\nLemma=1\n"));
    window_ = world_->Open();
    QCOMPARE(Child<TRadioGroup>(window_, "Lemma")->ItemIndex(), 1);
    QCOMPARE(Child<TRadioGroup>(window_, "RadioGroup1")->ItemIndex(), 0);
    QCOMPARE(Child<QLabel>(window_, "Label4")->text(), world_->root);
  }

  void ReadOnlySettingsFileIsReportedAndTheWindowStillCloses() {
    const QByteArray before = "[ItemIndex]\r\nLemma=1\r\n";
    testing::WriteBytes(world_->settings_path, before);
    ::chmod(QFile::encodeName(world_->settings_path).constData(), 0444);
    window_ = world_->Open();
    testing::ClickRadio(window_, "Lemma_0");
    QVERIFY(window_->close());
    QCOMPARE(world_->sink.shown.size(), 1);
    QCOMPARE(world_->sink.shown[0].second,
             QString("%1 に書き込めません").arg(world_->settings_path));
    QCOMPARE(testing::ReadBytes(world_->settings_path), before);
  }

 private:
  std::unique_ptr<testing::WindowWorld> world_;
  TForm1* window_ = nullptr;
  QListWidget* file_list_ = nullptr;
  QListWidget* input_list_ = nullptr;
};

}  // namespace
}  // namespace quillon

QTEST_MAIN(quillon::MainWindowTest)
#include "main_window_test.moc"
