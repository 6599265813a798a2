// Shared pieces of the window tests.
#include "tests/ui/fixture.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace quillon::testing {

void RecordingSink::Show(QWidget* parent, Kind kind, const QString& text) {
  shown.append({kind, text});
  if (while_shown) while_shown();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    qFatal("cannot write %s", qPrintable(path));
  }
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

void WriteDataDir(const QString& folder) {
  QDir().mkpath(folder);
  WriteBytes(folder + "/ignore.dat", "Mr\netc\n");
  QByteArray lexicon =
      "the DT\nThe DT\ncat NN\nsat VBD VBN\n. .\non IN\nmat NN\ndog NN\nran VBD\nto TO\n"
      "run VB NN\n, ,\nquick JJ\nbrown JJ NN\nfox NN\n";
  for (int i = 1; i <= 100; ++i) lexicon += "filler" + QByteArray::number(i) + " NN\n";
  WriteBytes(folder + "/LEXICON.BROWN.AND.WSJ", lexicon);
  WriteBytes(folder + "/LEXICALRULEFILE.WSJ", "ly hassuf 2 RB\nNN s fhassuf 1 NNS\n");
  WriteBytes(folder + "/tagset", "NN\nNNS\nRB\nVB\nVBD\nJJ\nDT\n");
  WriteBytes(folder + "/CONTEXTUALRULEFILE.WSJ", "NN VB PREVTAG TO\n");
}

WindowWorld::WindowWorld()
    : root(dir.path()),
      settings_path(root + "/quillon-gui.ini"),
      data_dir(root + "/Q_data"),
      texts(root + "/texts") {
  WriteDataDir(data_dir);
  QDir().mkpath(texts);
  WriteBytes(texts + "/b.txt", "The dog quickly ran to run.\r\n");
  WriteBytes(texts + "/a.txt", "The cat sat on the mat.\r\n\r\nMr. Smith cats\r\n");
  WriteBytes(texts + "/c.TXT", "The quick brown fox.\n");
  WriteBytes(texts + "/notes.md", "not text\n");
}

TForm1* WindowWorld::Open() {
  window.reset();
  WindowOptions options;
  options.settings_path = settings_path;
  options.data_dir = data_dir;
  options.start_folder = texts;
  options.destination_folder = root;
  options.messages = &sink;
  window = std::make_unique<TForm1>(options);
  window->show();
  return window.get();
}

QStringList Entries(const QListWidget* list) {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
  return entries;
}

QListWidgetItem* TagAllAndFindResult(TForm1* window, const QString& name) {
  QTest::mouseClick(Child<QPushButton>(window, "Button3"), Qt::LeftButton);
  QTest::mouseClick(Child<QPushButton>(window, "Button1"), Qt::LeftButton);
  if (!QTest::qWaitFor([window] { return !window->RunActive(); }, 30000)) return nullptr;
  const auto found = Child<QListWidget>(window, "ListBox2")->findItems(name, Qt::MatchEndsWith);
  return found.size() == 1 ? found.front() : nullptr;
}

void ClickRadio(QObject* window, const QString& name) {
  auto* button = Child<QRadioButton>(window, name);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

}  // namespace quillon::testing
