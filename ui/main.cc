// quillon-gui: the desktop window. Everything is in the quillon_ui library; this only
// reads the command line, starts the application and shows the main window.
#include <QApplication>
#include <QCommandLineParser>

#include "core/temporary_files.h"
#include "core/version.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Killed in the middle of a run (kill, a closed session), it leaves no temporary output.
  quillon::RemoveTemporaryFilesOnSignals();
  QApplication::setApplicationName(QStringLiteral("quillon-gui"));
  QApplication::setApplicationVersion(QString::fromLatin1(quillon::kVersion));
  // Ties the window to its desktop entry (quillon-gui.desktop), for the task bar's icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("quillon-gui"));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QApplication::translate("main", "Quillon: an English part-of-speech tagger"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption data(
      {QStringLiteral("d"), QStringLiteral("data")},
      QApplication::translate("main", "Read the resource files from DIR."), QStringLiteral("DIR"));
  parser.addOption(data);
  parser.process(app);

  quillon::WindowOptions options;
  options.data_dir = parser.value(data);
  quillon::TForm1 window(options);
  window.show();
  return app.exec();
}
