// What a tagging run shows a person goes through this interface, which each front end
// implements: the window turns the calls into widgets, the command line into lines on
// standard error and a progress bar, the tests record them. Calls arrive in the order the
// run makes them, on the thread that runs it. Every method has an empty default.
#ifndef QUILLON_CORE_RUN_OBSERVER_H_
#define QUILLON_CORE_RUN_OBSERVER_H_

#include <cstddef>
#include <string_view>

namespace quillon {

// The three progress indicators of a run.
enum class Indicator {
  kLexiconBar,   // lexicon preparation, advanced once per 7 lexicon lines
  kSentenceBar,  // the sentences of one file, advanced once per 10 sentences
  kSplitPanel,   // the panel shown while one file is split into sentences
};

class RunObserver {
 public:
  virtual ~RunObserver() = default;

  // The previews and the result list are cleared; first thing of every run.
  virtual void ClearPreviews() {}
  // A message with one of the run's fixed texts (a message box in the window).
  virtual void Message(std::string_view text) {}
  // An output file could not be written: message is the run's fixed text (all that a
  // message box shows), detail names the path and the system's reason.
  virtual void OutputFailed(std::string_view message, std::string_view detail) { Message(message); }
  // A failure without a text of its own, reported with the failure's own text.
  virtual void ErrorReport(std::string_view text) {}
  // Something the run worked around and went on (a renamed output, a skipped line).
  virtual void Warning(std::string_view text) {}
  // Status bar panel (counted from 0) gets text.
  virtual void StatusText(int panel, std::string_view text) {}
  // The result page becomes the active page.
  virtual void ShowResultPage() {}

  virtual void ProgressShown(Indicator indicator, int maximum) {}
  virtual void ProgressStep(Indicator indicator) {}
  virtual void ProgressReset(Indicator indicator) {}
  virtual void ProgressHidden(Indicator indicator) {}

  // Input file index (from 0) of count is about to be read.
  virtual void FileStarted(size_t index, size_t count, std::string_view path) {}
  // An output path joins the result list; written is false when the write failed.
  virtual void OutputAdded(std::string_view path, bool written) {}
  // The run ended normally after seconds; status text, page and highlight follow.
  virtual void Finished(double seconds) {}

  // Asked before each file and after each sentence, on the run's thread: true ends the run
  // there (the Stop button, a closed window, a signal). The file being written then gets no
  // output, its temporary file is removed; outputs already written stay. May be called from
  // a thread other than the one that sets the request, so implement it with an atomic.
  virtual bool StopRequested() { return false; }
};

}  // namespace quillon

#endif  // QUILLON_CORE_RUN_OBSERVER_H_
