// The "Select Files" page: the folder tree drives the file list, the file list feeds the
// ordered input list (no two entries for one file: equal paths, or paths equal ignoring
// letter case where the file system ignores it too), the file preview shows
// the first lines of a clicked file or the whole of an input file, and the settings group
// holds the run settings, the destination of output files and Start.
// Tested by main_window_test.cc.
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileIconProvider>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "ui/folder4.h"
#include "ui/folder_tree.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/radio_group.h"
#include "ui/text_preview.h"

namespace quillon {
namespace {

constexpr int kFilePreviewLines = 100;

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setFont(CaptionFont());
  return button;
}

// Gives a group its caption font and colour; its items keep the page's font and colour.
void StyleGroup(TRadioGroup* group, const QColor& colour) {
  const QFont items = PlainFont();
  QPalette item_palette = group->palette();
  QPalette caption = group->palette();
  for (QPalette::ColorGroup state : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    item_palette.setColor(state, QPalette::WindowText,
                          QApplication::palette().color(state, QPalette::WindowText));
  }
  // A disabled caption greys as usual.
  caption.setColor(QPalette::Active, QPalette::WindowText, colour);
  caption.setColor(QPalette::Inactive, QPalette::WindowText, colour);
  group->setFont(CaptionFont());
  group->setPalette(caption);
  for (QRadioButton* button : group->findChildren<QRadioButton*>()) {
    button->setFont(items);
    button->setPalette(item_palette);
  }
}

// The files of folder that match patterns, ordered by name ignoring letter case.
QFileInfoList MatchingFiles(const QString& folder, const QStringList& patterns) {
  return QDir(folder).entryInfoList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

}  // namespace

QWidget* TForm1::CreateSelectPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet1"));

  folder_tree_ = new FolderTree(QStringLiteral("ShellTreeView1"), /*show_root=*/true, page);
  connect(folder_tree_, &FolderTree::FolderChanged, this, &TForm1::ShellTreeView1Change);

  file_list_ = new QListWidget(page);
  file_list_->setObjectName(QStringLiteral("FileListBox1"));
  file_list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  file_list_->setToolTip(tr("ダブルクリックでファイル選択"));
  file_list_->setFont(ListFont());
  file_list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  file_list_->addAction(add_action_);
  file_list_->addAction(add_all_action_);
  connect(file_list_, &QListWidget::itemClicked, this, &TForm1::FileListBox1Click);
  connect(file_list_, &QListWidget::itemDoubleClicked, this, &TForm1::Button2Click);
  // Moving through the list with the keyboard previews as a click does.
  connect(file_list_, &QListWidget::currentItemChanged, this, [this] {
    if (file_list_->hasFocus() && QApplication::mouseButtons() == Qt::NoButton) {
      FileListBox1Click();
    }
  });
  folder_watcher_ = new QFileSystemWatcher(this);
  connect(folder_watcher_, &QFileSystemWatcher::directoryChanged, this, &TForm1::RefreshFileList);

  filter_ = new QComboBox(page);
  filter_->setObjectName(QStringLiteral("FilterComboBox1"));
  filter_->addItem(tr("Text Files (*.txt)"), QStringLiteral("*.txt"));
  filter_->addItem(tr("All Files (*.*)"), QStringLiteral("*.*"));
  connect(filter_, &QComboBox::currentIndexChanged, this, &TForm1::FilterComboBox1Change);

  QPushButton* add = MakeButton(QStringLiteral("Button2"), tr("Add"), page);
  QPushButton* add_all = MakeButton(QStringLiteral("Button3"), tr("Add All"), page);
  QPushButton* remove = MakeButton(QStringLiteral("Button4"), tr("Remove"), page);
  QPushButton* remove_all = MakeButton(QStringLiteral("Button5"), tr("Remove All"), page);
  connect(add, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(add_all, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(remove, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(remove_all, &QPushButton::clicked, this, &TForm1::Button5Click);

  auto* selected_label = new QLabel(tr("Selected File(s)"), page);
  selected_label->setObjectName(QStringLiteral("Label2"));
  input_list_ = new QListWidget(page);
  input_list_->setObjectName(QStringLiteral("ListBox1"));
  input_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  input_list_->setFont(ListFont());
  input_list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  input_list_->addAction(remove_action_);
  input_list_->addAction(remove_all_action_);
  input_list_->setToolTip(tr("Drop files or folders here to add them"));
  input_list_->setAcceptDrops(true);
  input_list_->viewport()->installEventFilter(this);
  connect(input_list_, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox1DblClick);

  file_preview_ = MakeTextView(QStringLiteral("RichEdit1"), page);

  auto* file_column = new QVBoxLayout;
  file_column->addWidget(file_list_, 1);
  file_column->addWidget(filter_);
  auto* button_column = new QVBoxLayout;
  button_column->addStretch();
  for (QPushButton* button : {add, add_all}) button_column->addWidget(button);
  button_column->addSpacing(16);
  for (QPushButton* button : {remove, remove_all}) button_column->addWidget(button);
  button_column->addStretch();
  auto* input_column = new QVBoxLayout;
  input_column->addWidget(selected_label);
  input_column->addWidget(input_list_, 1);

  auto* browse = new QWidget(page);
  auto* browse_layout = new QHBoxLayout(browse);
  browse_layout->setContentsMargins(0, 0, 0, 0);
  browse_layout->addWidget(folder_tree_, 6);
  browse_layout->addLayout(file_column, 4);
  browse_layout->addLayout(button_column);
  browse_layout->addLayout(input_column, 6);

  auto* splitter = new QSplitter(Qt::Vertical, page);
  splitter->addWidget(browse);
  splitter->addWidget(file_preview_);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  splitter->setChildrenCollapsible(false);

  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(splitter, 1);
  layout->addWidget(CreateSettingsBox());
  return page;
}

QWidget* TForm1::CreateSettingsBox() {
  auto* box = new QGroupBox(tr("Settings"));
  box->setObjectName(QStringLiteral("GroupBox2"));
  box->setFont(CaptionFont());

  lexicon_ = new TRadioGroup(QStringLiteral("RadioGroup4"), tr("Lexicon"),
                             {tr("LEXICON.BROWN.AND.WSJ"), tr("LEXICON.WSJ"), tr("LEXICON.BROWN")},
                             0, box);
  contextual_ = new TRadioGroup(QStringLiteral("RadioGroup3"), tr("Contextual Rule"),
                                {tr("CONTEXTUALRULEFILE.WSJ"), tr("CONTEXTUALRULEFILE.BROWN"),
                                 tr("CONTEXTUALRULEFILE.WSJ.NOLEX")},
                                0, box);
  separator_ = new TRadioGroup(QStringLiteral("Separator"), tr("Separator"),
                               {tr("WORD_TAG"), tr("WORD/TAG")}, 0, box);
  splitter_ = new TRadioGroup(QStringLiteral("Splitter"), tr("Sentence Splitter"),
                              {tr("Off"), tr("On")}, 0, box);
  tokenization_ = new TRadioGroup(QStringLiteral("Tokenization"), tr("Tokenizer"),
                                  {tr("On (don't -> do n't)"), tr("Off")}, 0, box);
  // Under the tokenizer's two items, which stay as they are: the modern tokenizer.
  modern_text_ = new QCheckBox(tr("Modern text (UTF-8 quotes, numbers, URLs)"), tokenization_);
  modern_text_->setObjectName(QStringLiteral("ModernText"));
  modern_text_->setToolTip(
      tr("With the tokenizer on: cut today's UTF-8 text the way treebanks "
         "do (typographic quotes and dashes, numbers, URLs, e-mail "
         "addresses); looked up and tagged like its ASCII twins"));
  auto* tokenization_layout = static_cast<QGridLayout*>(tokenization_->layout());
  tokenization_layout->addWidget(modern_text_, tokenization_layout->rowCount(), 0);
  lemma_ =
      new TRadioGroup(QStringLiteral("Lemma"), tr("Lemmatizer"), {tr("Off"), tr("On")}, 0, box);
  // Multi-word marks are not offered to the user; the run still reads the choice.
  multiword_ = new TRadioGroup(QStringLiteral("RadioGroup5"), tr("Multiword"),
                               {tr("INCLUDE"), tr("EXCLUDE")}, 1, box);
  multiword_->hide();
  destination_ = new TRadioGroup(
      QStringLiteral("RadioGroup1"), tr("Destination of output files"),
      {QDir::toNativeSeparators(tr("../(original file)/Tagged/")), tr("Specify")}, 0, box);
  connect(destination_, &TRadioGroup::Clicked, this, &TForm1::RadioGroup1Click);

  const std::pair<TRadioGroup*, QColor> colours[] = {{lexicon_, Qt::blue},
                                                     {contextual_, QColor(128, 0, 128)},
                                                     {separator_, QColor(0, 128, 0)},
                                                     {splitter_, QColor(0, 0, 128)},
                                                     {tokenization_, Qt::red},
                                                     {lemma_, QColor(128, 0, 0)},
                                                     {destination_, Qt::black}};
  for (const auto& [group, colour] : colours) StyleGroup(group, colour);

  where_button_ = MakeButton(QStringLiteral("Button7"), tr("where"), box);
  connect(where_button_, &QPushButton::clicked, this, &TForm1::Button7Click);
  destination_label_ = new QLabel(options_.destination_folder, box);
  destination_label_->setObjectName(QStringLiteral("Label4"));
  destination_label_->setWordWrap(true);
  destination_label_->setTextFormat(Qt::PlainText);
  destination_label_->setFont(PlainFont());
  auto* destination_layout = static_cast<QGridLayout*>(destination_->layout());
  auto* where_row = new QHBoxLayout;
  where_row->addWidget(where_button_);
  where_row->addWidget(destination_label_, 1);
  destination_layout->addLayout(where_row, destination_layout->rowCount(), 0);
  RadioGroup1Click();

  start_button_ = MakeButton(QStringLiteral("Button1"), tr("Start"), box);
  start_button_->setFixedHeight(23);
  QPalette red = start_button_->palette();
  red.setColor(QPalette::ButtonText, Qt::red);
  start_button_->setPalette(red);
  connect(start_button_, &QPushButton::clicked, this, &TForm1::Button1Click);

  auto* layout = new QGridLayout(box);
  layout->setVerticalSpacing(4);
  layout->addWidget(lexicon_, 0, 0, 1, 2);
  layout->addWidget(contextual_, 1, 0, 1, 2);
  layout->addWidget(separator_, 2, 0);
  layout->addWidget(splitter_, 2, 1);
  layout->addWidget(tokenization_, 3, 0);
  layout->addWidget(lemma_, 3, 1);
  layout->addWidget(destination_, 4, 0, 1, 2);
  layout->setRowStretch(5, 1);
  layout->addWidget(start_button_, 6, 0, 1, 2);
  CreateOutputControls();
  box->setFixedWidth(340);
  return box;
}

void TForm1::ShowFolder(const QString& folder) {
  folder_tree_->SelectFolder(folder);
  if (file_list_folder_ != QDir(folder).absolutePath()) ShellTreeView1Change();
}

void TForm1::ShellTreeView1Change() {
  const QString folder = folder_tree_->CurrentFolder();
  if (folder.isEmpty()) return;
  if (!folder_watcher_->directories().isEmpty()) {
    folder_watcher_->removePaths(folder_watcher_->directories());
  }
  file_list_folder_ = folder;
  folder_watcher_->addPath(folder);
  RefreshFileList();
}

void TForm1::FilterComboBox1Change() { RefreshFileList(); }

QStringList TForm1::MaskPatterns() const {
  // "*.*" means every file, also those without an extension.
  const QString mask = filter_->currentData().toString();
  return {mask == QStringLiteral("*.*") ? QStringLiteral("*") : mask};
}

// Lists the folder's matching files again, keeping the selection of names still there.
void TForm1::RefreshFileList() {
  QSet<QString> selected;
  for (const QListWidgetItem* item : file_list_->selectedItems()) selected.insert(item->text());
  const QString current = file_list_->currentItem() ? file_list_->currentItem()->text() : "";
  const QSignalBlocker quiet(file_list_);
  file_list_->clear();
  if (file_list_folder_.isEmpty()) return;
  static const QFileIconProvider icons;
  for (const QFileInfo& file : MatchingFiles(file_list_folder_, MaskPatterns())) {
    auto* item = new QListWidgetItem(icons.icon(file), file.fileName(), file_list_);
    if (selected.contains(item->text())) item->setSelected(true);
    if (item->text() == current) {
      file_list_->setCurrentItem(item, QItemSelectionModel::NoUpdate);
    }
  }
}

void TForm1::FileListBox1Click() {
  file_preview_->clear();
  DropPendingPreview(file_preview_);
  const QListWidgetItem* item = file_list_->currentItem();
  // The focus can rest on an entry that is not selected: then there is no file to show.
  if (item == nullptr || !item->isSelected()) return;
  Preview(file_preview_, QDir(file_list_folder_).filePath(item->text()), kFilePreviewLines,
          /*clear_on_failure=*/true);
}

// Paths equal but for letter case are one file where the file system ignores case (both
// names lead to one file) and two where it tells case apart (two files). When the file
// system cannot say (a name no longer leads anywhere), they count as one, as always.
bool TForm1::SameInput(const QString& entry, const QString& path) {
  if (entry == path) return true;
  if (entry.compare(path, Qt::CaseInsensitive) != 0) return false;
  struct stat a, b;
  if (::stat(QFile::encodeName(entry).constData(), &a) != 0 ||
      ::stat(QFile::encodeName(path).constData(), &b) != 0) {
    return true;
  }
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool TForm1::AddToInputList(const QString& path) {
  for (int i = 0; i < input_list_->count(); ++i) {
    if (SameInput(input_list_->item(i)->text(), path)) return false;
  }
  input_list_->addItem(path);
  return true;
}

void TForm1::AddFileListEntries(bool selected_only) {
  const QDir folder(file_list_folder_);
  for (int i = 0; i < file_list_->count(); ++i) {
    const QListWidgetItem* item = file_list_->item(i);
    if (selected_only && !item->isSelected()) continue;
    AddToInputList(QDir::cleanPath(folder.absoluteFilePath(item->text())));
  }
}

void TForm1::Button2Click() { AddFileListEntries(/*selected_only=*/true); }

void TForm1::Button3Click() { AddFileListEntries(/*selected_only=*/false); }

void TForm1::Button4Click() {
  const QList<QListWidgetItem*> selected = input_list_->selectedItems();
  if (selected.isEmpty()) return;
  delete selected.front();
  input_list_->clearSelection();
}

void TForm1::Button5Click() { input_list_->clear(); }

void TForm1::ListBox1DblClick() {
  const QList<QListWidgetItem*> selected = input_list_->selectedItems();
  if (selected.isEmpty()) return;
  Preview(file_preview_, selected.front()->text(), -1, /*clear_on_failure=*/false);
}

void TForm1::AddPaths(const QStringList& paths) {
  for (const QString& path : paths) {
    const QFileInfo info(path);
    if (info.isDir()) {
      for (const QFileInfo& file : MatchingFiles(info.absoluteFilePath(), MaskPatterns())) {
        AddToInputList(QDir::cleanPath(file.absoluteFilePath()));
      }
    } else if (info.isFile()) {
      AddToInputList(QDir::cleanPath(info.absoluteFilePath()));
    }
  }
}

QStringList TForm1::InputFiles() const {
  QStringList files;
  for (int i = 0; i < input_list_->count(); ++i) files << input_list_->item(i)->text();
  return files;
}

bool TForm1::HandleInputListDrop(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!drag->mimeData()->hasUrls()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      QStringList paths;
      for (const QUrl& url : drop->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
      }
      if (paths.isEmpty()) return false;
      AddPaths(paths);
      drop->acceptProposedAction();
      return true;
    }
    default:
      return false;
  }
}

void TForm1::RadioGroup1Click() {
  const bool specify = destination_->ItemIndex() == 1;
  where_button_->setEnabled(specify);
  destination_label_->setEnabled(specify);
}

void TForm1::Button7Click() { folder_chooser_->ShowChooser(); }

}  // namespace quillon
