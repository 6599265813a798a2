// The "Statistics" page: what the result file selected on the Result page is made of. It
// shows the file's tokens, sentences, word types and tokens per sentence, a bar chart of
// its tags by frequency, and a table of the tags with their most frequent words, which
// "Export CSV" writes to a file. The file is counted on a thread of its own
// (core/result_statistics.h) when the page is shown, so the window never waits for it;
// choosing another file, or a run that clears the result list, drops a count under way.
// Tested by statistics_page_test.cc.
#ifndef QUILLON_UI_STATISTICS_PAGE_H_
#define QUILLON_UI_STATISTICS_PAGE_H_

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <atomic>
#include <memory>

#include "core/result_statistics.h"
#include "ui/message_sink.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace quillon {

class BackgroundWork;
class TagChart;

class StatisticsPage : public QWidget {
  Q_OBJECT

 public:
  // Failures are shown through messages (not owned).
  explicit StatisticsPage(MessageSink* messages, QWidget* parent = nullptr);
  ~StatisticsPage() override;

  // The result file to show, or empty for none. It is counted when the page is shown
  // (at once when it is shown already), unless its figures are shown already.
  void SetFile(const QString& path);
  // Whether a count is under way.
  bool Counting() const;
  // Writes the table shown to path as CSV; on failure shows why and returns false.
  bool ExportCsv(const QString& path);

  // Rows shown in the chart and the table at most; the CSV holds every tag.
  static constexpr int kMaxRows = 200;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Count;

  void Recount();
  void Show(const QString& path, const ResultStatistics& stats);
  void ShowNothing(const QString& why);
  void ExportCsvClick();
  void SelectTag(const QString& tag);
  void ShowProgress();

  MessageSink* messages_;
  BackgroundWork* work_ = nullptr;
  QString file_;              // the file to show
  QString shown_file_;        // the file whose figures are shown
  QDateTime shown_modified_;  // its time of change when counted
  qint64 shown_size_ = -1;
  ResultStatistics stats_;        // the figures shown
  std::shared_ptr<Count> count_;  // the count under way

  QLabel* file_label_ = nullptr;
  QLabel* tokens_ = nullptr;
  QLabel* sentences_ = nullptr;
  QLabel* word_types_ = nullptr;
  QLabel* tokens_per_sentence_ = nullptr;
  QLabel* untagged_ = nullptr;
  TagChart* chart_ = nullptr;
  QTableWidget* table_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QTimer* progress_timer_ = nullptr;
  QPushButton* export_ = nullptr;
};

}  // namespace quillon

#endif  // QUILLON_UI_STATISTICS_PAGE_H_
