// Preview reading: the run's line rule, the line limit across read chunks, and decoding of
// UTF-8 with a single-byte fallback.
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/fixture.h"
#include "ui/text_preview.h"

namespace quillon {
namespace {

class TextPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void Decodes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("cat_NN") << QString("cat_NN");
    QTest::newRow("utf-8 japanese") << QByteArray("\xe7\xa7\x92") << QString::fromUtf8("秒");
    QTest::newRow("utf-8 byte-order mark dropped") << QByteArray(
                                                          "\xef\xbb\xbf"
                                                          "abc")
                                                   << QString("abc");
    QTest::newRow("latin-1 fallback") << QByteArray("caf\xe9") << QString::fromUtf8("café");
    QTest::newRow("shift-jis shown byte by byte")
        << QByteArray("\x95\x62") << QString::fromLatin1("\x95\x62");
    QTest::newRow("truncated utf-8 falls back")
        << QByteArray("a\xe7\xa7") << QString::fromLatin1("a\xe7\xa7");
  }
  void Decodes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeText(std::string_view(bytes.constData(), bytes.size())), text);
  }

  void ReadsLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("max_lines");
    QTest::addColumn<QString>("text");
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\rc\nd") << -1 << "a\nb\nc\nd\n";
    QTest::newRow("LF CR makes an empty line") << QByteArray("a\n\rb") << -1 << "a\n\nb\n";
    QTest::newRow("final break adds no line") << QByteArray("a\n") << -1 << "a\n";
    QTest::newRow("NUL ends the text") << QByteArray("a\nb\0c\nd", 7) << -1 << "a\nb\n";
    QTest::newRow("limit") << QByteArray("1\n2\n3\n4\n") << 2 << "1\n2\n";
    QTest::newRow("limit above count") << QByteArray("1\n2") << 5 << "1\n2\n";
    QTest::newRow("limit zero") << QByteArray("1\n2") << 0 << "";
    QTest::newRow("empty file") << QByteArray() << 100 << "";
  }
  void ReadsLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, max_lines);
    QFETCH(QString, text);
    QTemporaryDir dir;
    testing::WriteBytes(dir.path() + "/f.txt", bytes);
    QString read;
    QVERIFY(ReadPreview(dir.path() + "/f.txt", max_lines, &read));
    QCOMPARE(read, text);
  }

  // Long lines span several read chunks; CR LF pairs may be cut between chunks.
  void LimitHoldsAcrossChunks() {
    QTemporaryDir dir;
    QByteArray bytes;
    QString expected;
    for (int i = 0; i < 300; ++i) {
      const QByteArray line = QByteArray(1000 + i * 7, 'a' + i % 26);
      bytes += line + "\r\n";
      if (i < 100) expected += QString::fromLatin1(line) + '\n';
    }
    testing::WriteBytes(dir.path() + "/long.txt", bytes);
    QString read;
    QVERIFY(ReadPreview(dir.path() + "/long.txt", 100, &read));
    QCOMPARE(read, expected);
    QVERIFY(ReadPreview(dir.path() + "/long.txt", -1, &read));
    QCOMPARE(read.count('\n'), 300);
  }

  // Small limits stand in for the 10 MB and 100,000 bytes the window uses.
  void KeepsWithinLimits_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("max_lines");
    QTest::addColumn<QString>("text");
    const QString size_note = "[Preview: only the first %1 of this %2 file are shown.]\n";
    const QString line_note = "[Preview: lines longer than 4 bytes are cut short.]\n";
    const QLocale locale;
    const auto sizes = [&](qint64 file) {
      return size_note.arg(locale.formattedDataSize(12, 0, QLocale::DataSizeSIFormat),
                           locale.formattedDataSize(file, 1, QLocale::DataSizeSIFormat));
    };
    QTest::newRow("within") << QByteArray("ab\ncd\n") << -1 << "ab\ncd\n";
    QTest::newRow("whole lines up to the size")
        << QByteArray("ab\ncd\nef\ngh\nij\n") << -1 << "ab\ncd\nef\ngh\n" + sizes(15);
    QTest::newRow("no note when the line limit comes first")
        << QByteArray("ab\ncd\nef\ngh\nij\n") << 2 << "ab\ncd\n";
    QTest::newRow("long lines cut")
        << QByteArray("abcdefg\nab\n") << -1 << "abcd\nab\n" + line_note;
    QTest::newRow("a line cut at a character")
        << QByteArray("a\xc3\xa9\xc3\xa9\n") << -1 << QString::fromUtf8("a\u00e9\n") + line_note;
    QTest::newRow("one line over the size")
        << QByteArray(20, 'x') << -1 << "xxxx\n" + sizes(20) + line_note;
    QTest::newRow("NUL before the size") << QByteArray("ab\0cd\nef\ngh\nij\n", 15) << -1 << "ab\n";
  }
  void KeepsWithinLimits() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, max_lines);
    QFETCH(QString, text);
    QTemporaryDir dir;
    testing::WriteBytes(dir.path() + "/f.txt", bytes);
    QString read;
    PreviewLimits limits;
    limits.max_bytes = 12;
    limits.max_line_bytes = 4;
    QVERIFY(ReadPreview(dir.path() + "/f.txt", max_lines, &read, limits));
    QCOMPARE(read, text);
  }

  void StopsWhenNoLongerWanted() {
    QTemporaryDir dir;
    testing::WriteBytes(dir.path() + "/f.txt", QByteArray(1 << 20, 'a'));
    int asked = 0;
    QString read;
    QVERIFY(!ReadPreview(dir.path() + "/f.txt", -1, &read, PreviewLimits(),
                         [&] { return ++asked < 3; }));
    QCOMPARE(asked, 3);
  }

  void FailsOnMissingFileOrFolder() {
    QTemporaryDir dir;
    QString read = "old";
    QVERIFY(!ReadPreview(dir.path() + "/absent.txt", 100, &read));
    QVERIFY(!ReadPreview(dir.path(), -1, &read));
  }
};

}  // namespace
}  // namespace quillon

QTEST_GUILESS_MAIN(quillon::TextPreviewTest)
#include "text_preview_test.moc"
