// The main window's frame: construction, menus and shortcuts, the status bar with its two
// progress bars, the pages and their tab highlighting with the Stop button in their
// corner, the settings file, and closing. Tested by main_window_test.cc and stop_test.cc.
#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include "core/data_dir.h"
#include "core/tagger_pool.h"
#include "core/version.h"
#include "ui/about_tag.h"
#include "ui/background_work.h"
#include "ui/coloured_text_view.h"
#include "ui/find.h"
#include "ui/folder4.h"
#include "ui/radio_group.h"
#include "ui/run_controller.h"
#include "ui/statistics_page.h"

namespace quillon {
namespace {

constexpr int kWidth = 920;
constexpr int kHeight = 612;
// The settings key of the View menu's colour switch; 1 is on.
constexpr char kTagColoursKey[] = "TagColours";
// The modern tokenizer check box (ModernText), ticked: 1.
constexpr char kModernTextKey[] = "ModernText";
// The output format chooser (OutputFormat): its item index, 0 the word_TAG text.
constexpr char kOutputFormatKey[] = "OutputFormat";
// The user lexicon (UserLexicon): its path, empty for none.
constexpr char kUserLexiconKey[] = "UserLexicon";
// The window's money green.
const QColor kBackground(192, 220, 192);

QString OrDefault(const QString& value, const QString& fallback) {
  return value.isEmpty() ? fallback : value;
}

// Beside the program, or in the user's configuration folder when the program's folder
// cannot be written; that folder is created when it does not exist yet.
QString DefaultSettingsPath() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  const QString path = QFile::decodeName(
      SettingsFilePath(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
                       QFile::encodeName(config).toStdString())
          .c_str());
  if (!config.isEmpty() && path.startsWith(config)) QDir().mkpath(config);
  return path;
}

// A status panel of width; a text panel grows when its text needs more room (fonts differ
// from one desktop to the next, and the elapsed time must not lose its unit).
QLabel* MakePanel(const QString& name, int width, bool grows, QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  if (grows) {
    panel->setMinimumWidth(width);
    panel->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
  } else {
    panel->setFixedWidth(width);
  }
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setTextFormat(Qt::PlainText);
  return panel;
}

QProgressBar* MakeStatusBar(const QString& name, const QString& chunk_colour, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(name);
  bar->setTextVisible(false);
  bar->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid palette(mid);"
                                    " background: palette(button); }"
                                    "QProgressBar::chunk { background: %1; }")
                         .arg(chunk_colour));
  bar->hide();
  return bar;
}

}  // namespace

TForm1::TForm1(const WindowOptions& options, QWidget* parent)
    : QMainWindow(parent),
      options_(options),
      settings_file_(
          QFile::encodeName(OrDefault(options.settings_path, DefaultSettingsPath())).toStdString()),
      messages_(options.messages) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(tr("Quillon"));
  setWindowIcon(ProgramIcon());
  if (messages_ == nullptr) {
    own_messages_ = std::make_unique<MessageBoxSink>();
    messages_ = own_messages_.get();
  }
  if (options_.data_dir.isEmpty()) options_.data_dir = QFile::decodeName(DefaultDataDir().c_str());
  options_.start_folder = OrDefault(options_.start_folder, QDir::homePath());
  options_.destination_folder = OrDefault(options_.destination_folder, QDir::homePath());

  QPalette green = palette();
  green.setColor(QPalette::Window, kBackground);
  setPalette(green);
  setAutoFillBackground(true);

  preview_work_ = new BackgroundWork(this);
  CreateActions();
  CreatePages();
  CreateMenus();
  CreateStatusBar();
  CreateRunController();
  ReadSettings();
  ApplyTagColours();

  about_box_ = new TAboutBox(this);
  folder_chooser_ = new TOKBottomDlg(options_.destination_folder, this);
  connect(folder_chooser_, &TOKBottomDlg::FolderChosen, destination_label_, &QLabel::setText);
  find_dialog_ = new TFindDialog(this);
  connect(find_dialog_, &TFindDialog::Find, this, &TForm1::FindDialog1Find);

  resize(kWidth, kHeight);
  setMaximumSize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  ShowFolder(options_.start_folder);
}

// The run goes first, while the widgets it reports to still exist; previews still being
// read stop at their next block.
TForm1::~TForm1() {
  delete run_;
  DropPendingPreview(file_preview_);
  DropPendingPreview(result_preview_);
}

QAction* TForm1::MakeAction(const QString& text, const QString& name,
                            const QList<QKeySequence>& keys, void (TForm1::*handler)()) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  action->setShortcuts(keys);
  connect(action, &QAction::triggered, this, handler);
  return action;
}

void TForm1::CreateActions() {
  // Platforms without a desktop theme bind no key to Quit; Ctrl+Q is what users expect.
  QList<QKeySequence> quit = QKeySequence::keyBindings(QKeySequence::Quit);
  if (quit.isEmpty()) quit = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
  exit_action_ = MakeAction(tr("E&xit"), QStringLiteral("Exit1"), quit, &TForm1::Exit1Click);
  copy_action_ = MakeAction(tr("&Copy"), QStringLiteral("Copy1"),
                            QKeySequence::keyBindings(QKeySequence::Copy), &TForm1::Copy1Click);
  find_action_ = MakeAction(tr("&Search"), QStringLiteral("Find1"),
                            QKeySequence::keyBindings(QKeySequence::Find), &TForm1::Find1Click);
  find_next_action_ =
      MakeAction(tr("Find &Next"), QStringLiteral("FindNext1"),
                 QKeySequence::keyBindings(QKeySequence::FindNext), &TForm1::FindNextClick);
  about_action_ = MakeAction(tr("&About"), QStringLiteral("N1"), {}, &TForm1::N1Click);
  tag_colours_action_ = new QAction(tr("&Colour Tags by Word Class"), this);
  tag_colours_action_->setObjectName(QStringLiteral("TagColours"));
  tag_colours_action_->setCheckable(true);
  connect(tag_colours_action_, &QAction::toggled, this, &TForm1::TagColoursClick);
  statistics_action_ = new QAction(tr("S&tatistics of the Selected Result"), this);
  statistics_action_->setObjectName(QStringLiteral("ShowStatistics"));
  connect(statistics_action_, &QAction::triggered, this, [this] { pages_->setCurrentIndex(2); });
  // Esc stops a run; the action is enabled only while one is under way.
  stop_action_ = MakeAction(tr("Stop"), QStringLiteral("StopAction"),
                            {QKeySequence(Qt::Key_Escape)}, &TForm1::StopClick);
  stop_action_->setEnabled(false);
  addAction(stop_action_);

  // The list commands act on the list that has the focus, and show in its context menu.
  add_action_ = MakeAction(tr("Add"), QStringLiteral("AddItem"),
                           {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
                           &TForm1::Button2Click);
  add_all_action_ =
      MakeAction(tr("Add All"), QStringLiteral("AddAllItem"), {}, &TForm1::Button3Click);
  remove_action_ =
      MakeAction(tr("Remove"), QStringLiteral("RemoveItem"),
                 QKeySequence::keyBindings(QKeySequence::Delete), &TForm1::Button4Click);
  remove_all_action_ =
      MakeAction(tr("Remove All"), QStringLiteral("RemoveAllItem"), {}, &TForm1::Button5Click);
  for (QAction* action : {add_action_, add_all_action_, remove_action_, remove_all_action_}) {
    action->setShortcutContext(Qt::WidgetShortcut);
  }
}

void TForm1::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = bar->addMenu(tr("&File"));
  file->addAction(exit_action_);
  QMenu* edit = bar->addMenu(tr("&Edit"));
  edit->addAction(copy_action_);
  QMenu* search = bar->addMenu(tr("&Search"));
  search->addAction(find_action_);
  search->addAction(find_next_action_);
  QMenu* view = bar->addMenu(tr("&View"));
  view->setObjectName(QStringLiteral("ViewMenu"));
  view->addAction(tag_colours_action_);
  view->addAction(statistics_action_);
  QMenu* help = bar->addMenu(tr("&Help"));
  help->addAction(about_action_);
  menus_ = {file, edit, search, view, help};
}

void TForm1::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  auto* row = new QWidget(bar);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 2, 0, 0);
  layout->setSpacing(2);
  const int widths[] = {150, 150, 210, 50};
  for (int i = 0; i < 4; ++i) {
    panels_[i] = MakePanel(QStringLiteral("Panel%1").arg(i), widths[i], i < 2, row);
    layout->addWidget(panels_[i]);
  }
  panels_[0]->setText(tr("Quillon  Version %1").arg(QLatin1String(kShortVersion)));
  panels_[1]->setText(tr("Processing Time "));

  // The lexicon bar lies over panel 2; the sentence bar follows panel 3.
  lexicon_bar_ = MakeStatusBar(QStringLiteral("ProgressBar2"), QStringLiteral("gray"), panels_[2]);
  auto* over_panel = new QHBoxLayout(panels_[2]);
  over_panel->setContentsMargins(1, 1, 3, 1);
  over_panel->addWidget(lexicon_bar_);
  sentence_bar_ = MakeStatusBar(QStringLiteral("ProgressBar1"), QStringLiteral("blue"), row);
  // 313 wide where the text panels keep their widths; it gives way when they need more.
  sentence_bar_->setMinimumWidth(150);
  sentence_bar_->setMaximumWidth(313);
  layout->addSpacing(2);
  layout->addWidget(sentence_bar_, 1);
  layout->addStretch(0);
  bar->addWidget(row, 1);
}

void TForm1::CreatePages() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  QWidget* select = CreateSelectPage();
  QWidget* result = CreateResultPage();
  pages_->addTab(select, tr("Select Files"));
  pages_->addTab(result, tr("Result"));
  statistics_page_ = new StatisticsPage(messages_, this);
  pages_->addTab(statistics_page_, tr("Statistics"));
  connect(result_list_, &QListWidget::itemSelectionChanged, this,
          [this] { statistics_page_->SetFile(SelectedResult()); });
  connect(pages_, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
  setCentralWidget(pages_);
  SetHighlight(0);

  // Shown only while a run works, in the empty corner right of the tabs: seen from every
  // page, and it moves nothing else.
  stop_button_ = new QPushButton(tr("Stop"), pages_);
  stop_button_->setObjectName(QStringLiteral("StopButton"));
  stop_button_->setToolTip(
      tr("End the run after the current sentence (Esc). Files already "
         "written are kept; the file being written gets no output."));
  stop_button_->setFocusPolicy(Qt::NoFocus);
  stop_button_->setMaximumHeight(pages_->tabBar()->sizeHint().height());
  stop_button_->hide();
  connect(stop_button_, &QPushButton::clicked, this, &TForm1::StopClick);
  pages_->setCornerWidget(stop_button_, Qt::TopRightCorner);
}

void TForm1::ShowPage(int page) {
  switching_page_ = true;
  pages_->setCurrentIndex(page);
  switching_page_ = false;
}

void TForm1::PageControl1Change(int page) {
  if (!switching_page_) SetHighlight(page);
}

void TForm1::SetHighlight(int page) {
  for (int i = 0; i < pages_->count(); ++i) {
    highlighted_[i] = i == page;
    pages_->tabBar()->setTabTextColor(
        i, highlighted_[i] ? palette().color(QPalette::Highlight) : QColor());
  }
}

bool TForm1::TabHighlighted(int page) const {
  return page >= 0 && page < pages_->count() && highlighted_[page];
}

void TForm1::ReadSettings() {
  const SavedIndexes saved = settings_file_.Load();
  TRadioGroup* groups[] = {lexicon_, contextual_, separator_, tokenization_, splitter_, lemma_};
  for (int i = 0; i < SavedIndexes::kCount; ++i) {
    groups[i]->SetItemIndex(ClampItemIndex(saved.values[i], groups[i]->Count()));
  }
  // Off at first start and in files written before the switch existed.
  tag_colours_action_->setChecked(settings_file_.LoadOwn(kTagColoursKey, 0) == 1);
  modern_text_->setChecked(settings_file_.LoadOwn(kModernTextKey, 0) == 1);
  const int format = settings_file_.LoadOwn(kOutputFormatKey, 0);
  output_format_->setCurrentIndex(format >= 0 && format < output_format_->count() ? format : 0);
  SetUserLexicon(QFile::decodeName(settings_file_.LoadOwnText(kUserLexiconKey).c_str()));
}

bool TForm1::WriteSettings() {
  const TRadioGroup* groups[] = {lexicon_,      contextual_, separator_,
                                 tokenization_, splitter_,   lemma_};
  SavedIndexes indexes;
  for (int i = 0; i < SavedIndexes::kCount; ++i) indexes.values[i] = groups[i]->ItemIndex();
  std::string error;
  if (settings_file_.Save(indexes, &error,
                          {{kTagColoursKey, tag_colours_ ? 1 : 0, 0},
                           {kModernTextKey, modern_text_->isChecked() ? 1 : 0, 0},
                           {kOutputFormatKey, OutputFormatIndex(), 0}},
                          {{kUserLexiconKey, QFile::encodeName(user_lexicon_).toStdString()}})) {
    return true;
  }
  ShowMessage(MessageSink::Kind::kError,
              tr("%1 に書き込めません").arg(QFile::decodeName(settings_file_.path().c_str())));
  return false;
}

void TForm1::ShowMessage(MessageSink::Kind kind, const QString& text) {
  messages_->Show(this, kind, text);
}

RunSettings TForm1::CurrentRunSettings() const {
  RunSettings settings;
  settings.RadioGroup4 = lexicon_->ItemIndex();
  settings.RadioGroup3 = contextual_->ItemIndex();
  settings.Separator = separator_->ItemIndex();
  settings.Splitter = splitter_->ItemIndex();
  settings.Tokenization = tokenization_->ItemIndex();
  settings.modern_tokenizer = modern_text_->isChecked();
  settings.Lemma = lemma_->ItemIndex();
  settings.RadioGroup5 = multiword_->ItemIndex();
  settings.RadioGroup1 = destination_->ItemIndex();
  settings.destination_folder = QFile::encodeName(destination_label_->text()).toStdString();
  settings.output_format = kOutputFormats[OutputFormatIndex()];
  settings.user_lexicon = QFile::encodeName(user_lexicon_).toStdString();
  // The run tags on every core the window may use; what it shows does not depend on it.
  settings.threads = AvailableCores();
  return settings;
}

bool TForm1::RunActive() const { return run_ != nullptr && run_->Running(); }

void TForm1::Exit1Click() { close(); }

void TForm1::Copy1Click() { result_preview_->copy(); }

void TForm1::N1Click() { about_box_->ShowBox(); }

void TForm1::TagColoursClick(bool on) {
  tag_colours_ = on;
  ApplyTagColours();
}

// Closing saves the settings once and ends the program without asking. A close that comes
// while a run is under way stops the run after its current sentence, as Stop does, and
// closes the window when the run has ended.
void TForm1::closeEvent(QCloseEvent* event) {
  if (RunActive()) {
    close_pending_ = true;
    StopClick();
    event->ignore();
    return;
  }
  if (!settings_written_) {
    settings_written_ = true;
    WriteSettings();
  }
  about_box_->hide();
  folder_chooser_->hide();
  find_dialog_->hide();
  event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (input_list_ != nullptr && watched == input_list_->viewport()) {
    return HandleInputListDrop(event);
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillon
