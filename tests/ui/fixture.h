// What the window tests share: a tiny data folder that a run can load, a message sink that
// records instead of blocking, files written in a temporary folder, and finding widgets by
// their object names.
#ifndef QUILLON_TESTS_UI_FIXTURE_H_
#define QUILLON_TESTS_UI_FIXTURE_H_

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "ui/main_window.h"
#include "ui/message_sink.h"

class QListWidget;
class QListWidgetItem;

namespace quillon::testing {

// Records every message; optional hook runs while the message would be on screen.
class RecordingSink : public MessageSink {
 public:
  void Show(QWidget* parent, Kind kind, const QString& text) override;

  QList<QPair<Kind, QString>> shown;
  std::function<void()> while_shown;
};

// Writes a data folder into folder: ignore.dat, a plain lexicon of more than 100 lines,
// tagset, LEXICALRULEFILE.WSJ and CONTEXTUALRULEFILE.WSJ.
void WriteDataDir(const QString& folder);

// Writes bytes to path (creating no folders). Fails the test when it cannot.
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

// A window over a temporary world: its own settings file, data folder and start folder,
// all in a temporary folder that goes with the world.
struct WindowWorld {
  WindowWorld();
  // Creates the window (again); settings are read from settings_path.
  TForm1* Open();

  QTemporaryDir dir;
  QString root;
  QString settings_path;
  QString data_dir;
  QString texts;  // the start folder, holding a.txt, b.txt and c.TXT
  RecordingSink sink;
  std::unique_ptr<TForm1> window;
};

// The texts of the entries of list, in order.
QStringList Entries(const QListWidget* list);

// The child of window named name of type T; fails the test when there is none.
template <typename T>
T* Child(QObject* window, const QString& name) {
  T* child = window->findChild<T*>(name);
  if (child == nullptr) qFatal("no widget named %s", qPrintable(name));
  return child;
}

// Adds every file of the start folder (Add All), starts a run, waits for its end and
// returns the result list's entry whose path ends with name; null when the run does not
// end within 30 s or there is no such entry.
QListWidgetItem* TagAllAndFindResult(TForm1* window, const QString& name);

// Clicks the radio button named name on its indicator (its centre may lie beyond the
// caption's end, where a click does nothing).
void ClickRadio(QObject* window, const QString& name);

}  // namespace quillon::testing

#endif  // QUILLON_TESTS_UI_FIXTURE_H_
