// The main window: the "Select Files" page where the user browses folders, collects the
// input list, previews files and sets the run settings, and the "Result" page that lists
// and previews the output files of the last run beside the tag legend. Start hands the
// input list and the settings to a tagging run (run_controller.h), whose effects come back
// as the slots of run_view.cc. The class is one window split by concern over several files:
//   main_window.cc  construction, menus, status bar, pages, settings, closing
//   select_page.cc  folder tree, file list, input list, settings controls
//   result_page.cc  result list, result preview, tag legend
//   previews.cc     previews read off the window's thread, tag colours
//   find.cc         the find dialog and the search in the result preview
//   run_view.cc     Start, Stop and what a run shows
// The statistics page of the selected result file is a widget of its own
// (statistics_page.h). Tested by main_window_test.cc, find_test.cc, run_window_test.cc,
// stop_test.cc, tag_colours_test.cc and statistics_page_test.cc.
#ifndef QUILLON_UI_MAIN_WINDOW_H_
#define QUILLON_UI_MAIN_WINDOW_H_

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <memory>

#include "core/result_tokens.h"
#include "core/run_settings.h"
#include "ui/message_sink.h"
#include "ui/settings_file.h"

class QAction;
class QCheckBox;
class QToolButton;
class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace quillon {

class BackgroundWork;
class ColouredTextView;
class FolderTree;
class RunController;
class StatisticsPage;
class TAboutBox;
class TFindDialog;
class TFrame2;
class TOKBottomDlg;
class TRadioGroup;

// What the window is started with; every empty field takes the program's default.
struct WindowOptions {
  QString settings_path;            // default: the settings file of the running program
  QString data_dir;                 // default: DefaultDataDir()
  QString start_folder;             // folder shown first; default: the home folder
  QString destination_folder;       // initial destination of "Specify"; default: the home folder
  MessageSink* messages = nullptr;  // not owned; default: message boxes
};

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(const WindowOptions& options = WindowOptions(), QWidget* parent = nullptr);
  ~TForm1() override;

  // The settings that Start would hand to a run now.
  RunSettings CurrentRunSettings() const;
  // The input list, in order.
  QStringList InputFiles() const;
  // Adds files, and the files of folders that match the file list's mask, to the input
  // list under the duplicate rule. Used for files dropped on the input list.
  void AddPaths(const QStringList& paths);
  // Shows folder in the folder tree, and so its files in the file list.
  void ShowFolder(const QString& folder);
  // Whether the tab of page (0 "Select Files", 1 "Result", 2 "Statistics") is highlighted.
  bool TabHighlighted(int page) const;
  bool RunActive() const;
  // Previews still being read.
  int PreviewsPending() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // main_window.cc
  QAction* MakeAction(const QString& text, const QString& name, const QList<QKeySequence>& keys,
                      void (TForm1::*handler)());
  void CreateActions();
  void CreateMenus();
  void CreateStatusBar();
  void CreatePages();
  void ReadSettings();
  bool WriteSettings();
  void ShowMessage(MessageSink::Kind kind, const QString& text);
  void ShowPage(int page);
  void SetHighlight(int page);
  void PageControl1Change(int page);
  void Exit1Click();
  void Copy1Click();
  void N1Click();
  // The View menu's switch: word-class colours in the result preview and the legend.
  void TagColoursClick(bool on);

  // select_page.cc
  QWidget* CreateSelectPage();
  QWidget* CreateSettingsBox();
  void ShellTreeView1Change();
  void FilterComboBox1Change();
  void RefreshFileList();
  void FileListBox1Click();
  void AddFileListEntries(bool selected_only);
  bool AddToInputList(const QString& path);
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void ListBox1DblClick();
  // Whether path names the same input as entry: equal, or equal but for letter case
  // where the file system does not tell case apart.
  static bool SameInput(const QString& entry, const QString& path);
  void RadioGroup1Click();
  void Button7Click();
  bool HandleInputListDrop(QEvent* event);
  QStringList MaskPatterns() const;

  // output_options.cc
  void CreateOutputControls();
  void PlaceBesideItem(TRadioGroup* group, int row, QWidget* widget);
  void UserLexiconClick();
  // Sets (or, with an empty path, clears) the user lexicon the run will use.
  void SetUserLexicon(const QString& path);
  int OutputFormatIndex() const;

  // result_page.cc
  QWidget* CreateResultPage();
  void ListBox2Click();
  // Adds path to the result list at its sorted place; written false marks a failed write.
  void AddResult(const QString& path, bool written);
  // The path of the selected result, or empty.
  QString SelectedResult() const;

  // previews.cc
  // Loads the file at path into preview off the window's thread; max_lines < 0 for all.
  // A later preview of the same view replaces one still being read. On failure the
  // message is shown and the preview is cleared when clear_on_failure, else left as it
  // was.
  void Preview(QPlainTextEdit* preview, const QString& path, int max_lines, bool clear_on_failure);
  // A preview of preview still being read is dropped (the view was cleared).
  void DropPendingPreview(QPlainTextEdit* preview);
  void ApplyTagColours();

  // find.cc
  void Find1Click();
  void FindNextClick();
  void FindDialog1Find();

  // run_view.cc
  void CreateRunController();
  void Button1Click();
  // Stop, Esc, and closing the window during a run: the run ends after the current
  // sentence; the file being written gets no output.
  void StopClick();
  // During a run only File › Exit and Stop take input.
  void SetRunning(bool running);
  void OnClearPreviews();
  void OnMessage(MessageSink::Kind kind, const QString& text);
  void OnStatusText(int panel, const QString& text);
  void OnShowResultPage();
  void OnProgressShown(int indicator, int maximum);
  void OnProgressStep(int indicator);
  void OnProgressReset(int indicator);
  void OnProgressHidden(int indicator);
  void OnFinished(double seconds);
  void OnOutputAdded(const QString& path, bool written);
  void OnRunEnded(bool stopped);
  QProgressBar* BarOf(int indicator) const;

  WindowOptions options_;
  SettingsFile settings_file_;
  std::unique_ptr<MessageSink> own_messages_;
  MessageSink* messages_;
  RunController* run_ = nullptr;
  bool settings_written_ = false;
  bool close_pending_ = false;
  bool switching_page_ = false;  // a page switch made by the program, not the user
  bool highlighted_[3] = {true, false, false};
  bool tag_colours_ = false;
  int run_inputs_ = 0;   // files of the run under way
  int run_written_ = 0;  // outputs it has written so far
  BackgroundWork* preview_work_ = nullptr;
  // The latest preview request of RichEdit1 and of RichEdit2, shared with the jobs.
  std::shared_ptr<std::atomic<int>> preview_latest_[2] = {std::make_shared<std::atomic<int>>(0),
                                                          std::make_shared<std::atomic<int>>(0)};

  // Menus and their shortcuts.
  QAction* exit_action_ = nullptr;
  QAction* copy_action_ = nullptr;
  QAction* find_action_ = nullptr;
  QAction* find_next_action_ = nullptr;
  QAction* about_action_ = nullptr;
  QAction* tag_colours_action_ = nullptr;
  QAction* statistics_action_ = nullptr;
  QAction* stop_action_ = nullptr;
  QList<QMenu*> menus_;  // File first
  QAction* add_action_ = nullptr;
  QAction* add_all_action_ = nullptr;
  QAction* remove_action_ = nullptr;
  QAction* remove_all_action_ = nullptr;

  QTabWidget* pages_ = nullptr;  // PageControl1

  // "Select Files" page.
  FolderTree* folder_tree_ = nullptr;  // ShellTreeView1
  QComboBox* filter_ = nullptr;        // FilterComboBox1
  QListWidget* file_list_ = nullptr;   // FileListBox1
  QString file_list_folder_;           // the folder FileListBox1 shows
  QFileSystemWatcher* folder_watcher_ = nullptr;
  QListWidget* input_list_ = nullptr;       // ListBox1
  QPlainTextEdit* file_preview_ = nullptr;  // RichEdit1
  TRadioGroup* lexicon_ = nullptr;          // RadioGroup4
  TRadioGroup* contextual_ = nullptr;       // RadioGroup3
  TRadioGroup* separator_ = nullptr;        // Separator
  TRadioGroup* splitter_ = nullptr;         // Splitter
  TRadioGroup* tokenization_ = nullptr;     // Tokenization
  QCheckBox* modern_text_ = nullptr;        // ModernText: the modern tokenizer, ours
  TRadioGroup* lemma_ = nullptr;            // Lemma
  TRadioGroup* multiword_ = nullptr;        // RadioGroup5, never shown
  TRadioGroup* destination_ = nullptr;      // RadioGroup1
  QPushButton* where_button_ = nullptr;     // Button7
  QLabel* destination_label_ = nullptr;     // Label4
  QPushButton* start_button_ = nullptr;     // Button1
  // Controls of ours beside the radio items (output_options.cc).
  QComboBox* output_format_ = nullptr;          // OutputFormat
  QPushButton* user_lexicon_button_ = nullptr;  // UserLexicon
  QToolButton* user_lexicon_clear_ = nullptr;   // UserLexiconClear
  QString user_lexicon_;                        // the chosen file, or empty

  // "Result" page.
  QListWidget* result_list_ = nullptr;          // ListBox2
  ColouredTextView* result_preview_ = nullptr;  // RichEdit2
  ColouredTextView* legend_ = nullptr;          // Memo1
  TFrame2* progress_panel_ = nullptr;           // Frame21
  ResultLayout result_layout_;                  // of the result previewed
  bool result_is_word_tag_ = true;              // the result previewed is word_TAG text

  StatisticsPage* statistics_page_ = nullptr;

  // Status bar.
  std::array<QLabel*, 4> panels_{};
  QProgressBar* sentence_bar_ = nullptr;  // ProgressBar1
  QProgressBar* lexicon_bar_ = nullptr;   // ProgressBar2
  QPushButton* stop_button_ = nullptr;

  // Dialogs, created hidden at start and kept until the end.
  TAboutBox* about_box_ = nullptr;          // AboutBox
  TOKBottomDlg* folder_chooser_ = nullptr;  // OKBottomDlg
  TFindDialog* find_dialog_ = nullptr;      // FindDialog1
};

}  // namespace quillon

#endif  // QUILLON_UI_MAIN_WINDOW_H_
