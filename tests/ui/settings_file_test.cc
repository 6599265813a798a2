// The settings file: reading values (hexadecimal, signs, junk, saturation), clamping to a
// group, rewriting a file in place without disturbing anything else, the location rule,
// and robustness against arbitrary bytes.
#include <sys/stat.h>

#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "tests/ui/fixture.h"
#include "ui/settings_file.h"

namespace quillon {
namespace {

// A literal's bytes, NUL bytes inside included.
template <size_t N>
QByteArray Bytes(const char (&literal)[N]) {
  return QByteArray(literal, N - 1);
}

class SettingsFileTest : public QObject {
  Q_OBJECT

 private slots:
  void ParsesIntegers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("plain") << "2" << 2;
    QTest::newRow("plus") << "+7" << 7;
    QTest::newRow("minus") << "-3" << -3;
    QTest::newRow("hex lower") << "0x1" << 1;
    QTest::newRow("hex upper") << "0X1F" << 31;
    QTest::newRow("hex digits mixed case") << "0xaB" << 171;
    QTest::newRow("bare 0x is no number") << "0x" << 0;
    QTest::newRow("hex junk") << "0xZ" << 0;
    QTest::newRow("hex with sign is junk") << "0x-1" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("sign only") << "-" << 0;
    QTest::newRow("trailing junk") << "1a" << 0;
    QTest::newRow("inner blank") << "1 2" << 0;
    QTest::newRow("decimal point") << "1.0" << 0;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("huge saturates") << "99999999999999999999" << INT_MAX;
    QTest::newRow("huge negative saturates") << "-99999999999999999999" << INT_MIN;
    QTest::newRow("huge hex saturates") << "0xFFFFFFFFFFFF" << INT_MAX;
  }
  void ParsesIntegers() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(ParseIniInteger(text.toStdString()), value);
  }

  void ClampsToGroup_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::newRow("inside") << 1 << 3 << 1;
    QTest::newRow("above is last") << 7 << 3 << 2;
    QTest::newRow("at count is last") << 2 << 2 << 1;
    QTest::newRow("minus one kept") << -1 << 2 << -1;
    QTest::newRow("below minus one") << -3 << 2 << -1;
    QTest::newRow("int min") << INT_MIN << 2 << -1;
    QTest::newRow("int max") << INT_MAX << 3 << 2;
  }
  void ClampsToGroup() {
    QFETCH(int, value);
    QFETCH(int, count);
    QFETCH(int, index);
    QCOMPARE(ClampItemIndex(value, count), index);
  }

  void ReadsValues_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");  // "<none>" for absent
    QTest::newRow("simple") << QByteArray("[ItemIndex]\r\nLemma=1\r\n") << "ItemIndex"
                            << "Lemma"
                            << "1";
    QTest::newRow("names ignore case") << QByteArray("[itemindex]\nLEMMA=1\n") << "ItemIndex"
                                       << "Lemma"
                                       << "1";
    QTest::newRow("blanks trimmed")
        << QByteArray("  [ ItemIndex ]  \n  Lemma  =  1  \n") << "ItemIndex"
        << "Lemma"
        << "1";
    QTest::newRow("other section") << QByteArray("[Other]\nLemma=1\n[ItemIndex]\n") << "ItemIndex"
                                   << "Lemma"
                                   << "<none>";
    QTest::newRow("first of two") << QByteArray("[ItemIndex]\nLemma=1\nLemma=0\n") << "ItemIndex"
                                  << "Lemma"
                                  << "1";
    QTest::newRow("misspelling is another key")
        << QByteArray("[ItemIndex]\nRadioGroup4=2\n") << "ItemIndex"
        << "RadioGruop4"
        << "<none>";
    QTest::newRow("value with equals") << QByteArray("[s]\nk=a=b\n") << "s"
                                       << "k"
                                       << "a=b";
    QTest::newRow("lone CR lines") << QByteArray("[s]\rk=5\r") << "s"
                                   << "k"
                                   << "5";
    QTest::newRow("no final line end") << QByteArray("[s]\nk=5") << "s"
                                       << "k"
                                       << "5";
    QTest::newRow("empty value") << QByteArray("[s]\nk=\n") << "s"
                                 << "k"
                                 << "";
    QTest::newRow("key before any section") << QByteArray("k=1\n[s]\n") << "s"
                                            << "k"
                                            << "<none>";
    QTest::newRow("empty file") << QByteArray() << "s"
                                << "k"
                                << "<none>";
  }
  void ReadsValues() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const IniFile ini(std::string_view(file.constData(), file.size()));
    const auto found = ini.Value(section.toStdString(), key.toStdString());
    QCOMPARE(found ? QString::fromStdString(*found) : QString("<none>"), value);
  }

  void WritesInPlace_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");  // after SetValue("ItemIndex", "Lemma", "1")
    QTest::newRow("new file") << QByteArray() << QByteArray("[ItemIndex]\r\nLemma=1\r\n");
    QTest::newRow("replaced, spelling of the file kept")
        << QByteArray("[ItemIndex]\r\nlemma = 0 \r\nSplitter=1\r\n")
        << QByteArray("[ItemIndex]\r\nlemma=1\r\nSplitter=1\r\n");
    QTest::newRow("added after last key, before blank lines")
        << QByteArray("[ItemIndex]\nSplitter=1\n\n[Other]\nx=y\n")
        << QByteArray("[ItemIndex]\nSplitter=1\nLemma=1\n\n[Other]\nx=y\n");
    QTest::newRow("section appended, file's line end used")
        << QByteArray("; comment\n[Other]\nx=y\n")
        << QByteArray("; comment\n[Other]\nx=y\n[ItemIndex]\nLemma=1\n");
    QTest::newRow("last line without break gets one")
        << QByteArray("[Other]\r\nx=y")
        << QByteArray("[Other]\r\nx=y\r\n[ItemIndex]\r\nLemma=1\r\n");
    QTest::newRow("empty section")
        << QByteArray("[ItemIndex]\n[Other]\n") << QByteArray("[ItemIndex]\nLemma=1\n[Other]\n");
    QTest::newRow("odd bytes elsewhere kept")
        << Bytes("[X]\n\xff\xfe junk\0line\n[ItemIndex]\nLemma=0\n")
        << Bytes("[X]\n\xff\xfe junk\0line\n[ItemIndex]\nLemma=1\n");
  }
  void WritesInPlace() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    IniFile ini(std::string_view(before.constData(), before.size()));
    ini.SetValue("ItemIndex", "Lemma", "1");
    const std::string bytes = ini.Bytes();
    QCOMPARE(QByteArray(bytes.data(), bytes.size()), after);
  }

  // Whatever the bytes, parsing, reading and writing neither crash nor lose the other
  // bytes: a rewrite of a key that is absent only adds lines.
  void ArbitraryBytesSurvive() {
    std::mt19937 random(20240611);
    const char alphabet[] = "[]=\r\n \tkKaI0x-\xff";
    for (int round = 0; round < 2000; ++round) {
      std::string bytes(random() % 64, ' ');
      for (char& c : bytes) c = alphabet[random() % (sizeof alphabet - 1)];
      IniFile ini(bytes);
      QCOMPARE(ini.Bytes(), bytes);
      (void)ini.Value("ItemIndex", "k");
      ini.SetValue("ItemIndex", "Lemma", "3");
      QCOMPARE(IniFile(ini.Bytes()).Value("ItemIndex", "Lemma").value_or(""), std::string("3"));
    }
  }

  void SavesSixKeysInOrder() {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/q.ini").toStdString();
    SettingsFile file(path);
    SavedIndexes indexes;
    indexes.values = {0, 0, 0, 0, 0, 0};
    std::string error;
    QVERIFY(file.Save(indexes, &error));
    QCOMPARE(testing::ReadBytes(QString::fromStdString(path)),
             QByteArray("[ItemIndex]\r\nRadioGruop4=0\r\nRadioGruop3=0\r\nSeparator=0\r\n"
                        "Tokenization=0\r\nSplitter=0\r\nLemma=0\r\n"));
    indexes.values = {2, 1, 1, -1, 1, 0};
    QVERIFY(file.Save(indexes, &error));
    QCOMPARE(file.Load().values, indexes.values);
  }

  // A setting of ours is added only once it differs from its default; then it is kept
  // and updated like the six. Older files lack it and read as the default.
  void SavesOwnSettingsOnlyOnceSet_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("after");
    const QByteArray six =
        "[ItemIndex]\r\nRadioGruop4=0\r\nRadioGruop3=0\r\nSeparator=0\r\n"
        "Tokenization=0\r\nSplitter=0\r\nLemma=0\r\n";
    QTest::newRow("default, no file: the six alone") << QByteArray() << 0 << six;
    QTest::newRow("set: added after the six") << QByteArray() << 1 << six + "Own=1\r\n";
    QTest::newRow("back to default: kept")
        << QByteArray(six + "Own=1\r\n") << 0 << six + "Own=0\r\n";
    QTest::newRow("in place in an older order")
        << QByteArray("[ItemIndex]\r\nOwn=1\r\n") << 2
        << QByteArray(
               "[ItemIndex]\r\nOwn=2\r\nRadioGruop4=0\r\nRadioGruop3=0\r\nSeparator=0\r\n"
               "Tokenization=0\r\nSplitter=0\r\nLemma=0\r\n");
  }
  void SavesOwnSettingsOnlyOnceSet() {
    QFETCH(QByteArray, before);
    QFETCH(int, value);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.path() + "/q.ini";
    if (!before.isEmpty()) testing::WriteBytes(path, before);
    SettingsFile file(path.toStdString());
    QCOMPARE(file.LoadOwn("Own", 7), before.isEmpty() ? 7 : 1);
    std::string error;
    QVERIFY(file.Save(SavedIndexes(), &error, {{"Own", value, 0}}));
    QCOMPARE(testing::ReadBytes(path), after);
    QCOMPARE(file.LoadOwn("own", 7), after.contains("Own=") ? value : 7);  // any letter case
  }

  // The modern-text key: absent from older files (read as 0), written once it is set, and
  // then kept even when it goes back to 0.
  void ModernTextKeyIsWrittenOnceUsed() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/q.ini";
    const QByteArray older =
        "[ItemIndex]\r\nRadioGruop4=0\r\nRadioGruop3=0\r\nSeparator=0\r\n"
        "Tokenization=0\r\nSplitter=0\r\nLemma=1\r\n";
    testing::WriteBytes(path, older);
    SettingsFile file(path.toStdString());
    const SavedIndexes indexes = file.Load();
    QCOMPARE(file.LoadOwn("ModernText", 0), 0);
    std::string error;
    QVERIFY(file.Save(indexes, &error, {{"ModernText", 0, 0}}));
    QCOMPARE(testing::ReadBytes(path), older);
    QVERIFY(file.Save(indexes, &error, {{"ModernText", 1, 0}}));
    QCOMPARE(testing::ReadBytes(path), older + "ModernText=1\r\n");
    QCOMPARE(file.LoadOwn("ModernText", 0), 1);
    QVERIFY(file.Save(indexes, &error, {{"ModernText", 0, 0}}));
    QCOMPARE(testing::ReadBytes(path), older + "ModernText=0\r\n");
    testing::WriteBytes(path, "[itemindex]\nmoderntext = 0x1\n");
    QCOMPARE(file.LoadOwn("ModernText", 0), 1);
  }

  // A text setting of ours (the user lexicon's path): absent from older files (read as
  // empty), written once set, kept as an empty value once cleared; a value that would
  // break its line is not written at all.
  void TextSettingsOfOurs() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/q.ini";
    const QByteArray older = "[ItemIndex]\r\nLemma=1\r\n";
    testing::WriteBytes(path, older);
    SettingsFile file(path.toStdString());
    const SavedIndexes indexes = file.Load();
    QCOMPARE(file.LoadOwnText("UserLexicon"), std::string());
    std::string error;
    const auto save = [&](const std::string& value) {
      QVERIFY(file.Save(indexes, &error, {}, {{"UserLexicon", value}}));
    };
    save("");
    QVERIFY(!testing::ReadBytes(path).contains("UserLexicon"));
    save("/home/a b/words.lex");
    QCOMPARE(file.LoadOwnText("UserLexicon"), std::string("/home/a b/words.lex"));
    save("/tmp/two\nlines");
    QCOMPARE(file.LoadOwnText("userlexicon"), std::string("/home/a b/words.lex"));
    save("");
    QVERIFY(testing::ReadBytes(path).endsWith("UserLexicon=\r\n"));
    QCOMPARE(file.LoadOwnText("UserLexicon"), std::string());
  }

  void KeepsPermissionsOfTheFile() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/q.ini";
    testing::WriteBytes(path, "[ItemIndex]\nLemma=1\n");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    std::string error;
    QVERIFY(SettingsFile(path.toStdString()).Save(SavedIndexes(), &error));
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0640u);
  }

  void RefusesReadOnlyFile() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/q.ini";
    const QByteArray before = "[ItemIndex]\nLemma=1\n";
    testing::WriteBytes(path, before);
    ::chmod(QFile::encodeName(path).constData(), 0444);
    std::string error;
    QVERIFY(!SettingsFile(path.toStdString()).Save(SavedIndexes(), &error));
    QVERIFY(!error.empty());
    QCOMPARE(testing::ReadBytes(path), before);
  }

  void FailsInMissingFolder() {
    QTemporaryDir dir;
    std::string error;
    QVERIFY(
        !SettingsFile((dir.path() + "/absent/q.ini").toStdString()).Save(SavedIndexes(), &error));
    QVERIFY(!error.empty());
  }

  void LoadsZerosWithoutFile() {
    QTemporaryDir dir;
    QCOMPARE(SettingsFile((dir.path() + "/none.ini").toStdString()).Load().values,
             SavedIndexes().values);
  }

  void LocatesFileBesideProgram() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    QCOMPARE(SettingsFilePath(folder + "/quillon-gui", "/cfg"), folder + "/quillon-gui.ini");
    QCOMPARE(SettingsFilePath(folder + "/tool.exe", "/cfg"), folder + "/tool.ini");
    QCOMPARE(SettingsFilePath(folder + "/a.b/tool", "/cfg"), "/cfg/tool.ini");  // no folder
  }
};

}  // namespace
}  // namespace quillon

QTEST_GUILESS_MAIN(quillon::SettingsFileTest)
#include "settings_file_test.moc"
