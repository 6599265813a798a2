// The command line's observer. Messages keep their exact text; the lemma list message,
// whose lines are joined by LF CR for a message box, is printed with plain line ends.
#include "cli/stderr_observer.h"

#include "cli/terminal_text.h"

namespace quillon {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

StderrObserver::StderrObserver(bool show_progress, std::FILE* out)
    : show_progress_(show_progress), out_(out) {}

StderrObserver::~StderrObserver() { ClearProgress(); }

void StderrObserver::PrintLine(std::string_view text) {
  ClearProgress();
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\r') {
      line += '\n';
      ++i;
    } else {
      line += text[i];
    }
  }
  line = EscapeForTerminal(line) + '\n';
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);
}

void StderrObserver::Message(std::string_view text) { PrintLine(text); }
void StderrObserver::ErrorReport(std::string_view text) { PrintLine(text); }
void StderrObserver::Warning(std::string_view text) { PrintLine(text); }

// The fixed text stays a line of its own, as scripts compare it; the path and the reason
// follow on the next line.
void StderrObserver::OutputFailed(std::string_view message, std::string_view detail) {
  PrintLine(message);
  PrintLine(detail);
}

void StderrObserver::FileStarted(size_t index, size_t count, std::string_view path) {
  file_index_ = index;
  file_count_ = count;
  file_ = path;
  files_ = index + 1;
  sentence_max_ = 0;
  sentence_steps_ = 0;
  DrawProgress(true);
}

void StderrObserver::ProgressShown(Indicator indicator, int maximum) {
  if (indicator == Indicator::kLexiconBar) return;
  splitting_ = indicator == Indicator::kSplitPanel;
  sentence_max_ = maximum;
  sentence_steps_ = 0;
  DrawProgress(true);
}

void StderrObserver::ProgressStep(Indicator indicator) {
  if (indicator == Indicator::kLexiconBar) return;
  ++sentence_steps_;
  DrawProgress(false);
}

void StderrObserver::ProgressHidden(Indicator indicator) {
  if (indicator == Indicator::kSplitPanel) splitting_ = false;
}

void StderrObserver::Finished(double seconds) {
  if (!show_progress_) return;
  char text[128];
  std::snprintf(text, sizeof text, "Tagged %zu file%s in %.3f s.", files_, files_ == 1 ? "" : "s",
                seconds);
  PrintLine(text);
}

void StderrObserver::DrawProgress(bool force) {
  if (!show_progress_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && now - last_draw_ < kRedrawInterval) return;
  last_draw_ = now;
  const int percent =
      sentence_max_ > 0 ? std::min(100, 100 * sentence_steps_ / (sentence_max_ + 1)) : 0;
  std::string name = EscapeForTerminal(file_);
  if (name.size() > 50) name = "..." + name.substr(name.size() - 47);
  std::fprintf(out_, "\r\033[K[%zu/%zu] %3d%% %s%s", file_index_ + 1, file_count_, percent,
               splitting_ ? "splitting " : "", name.c_str());
  std::fflush(out_);
  progress_drawn_ = true;
}

void StderrObserver::ClearProgress() {
  if (!progress_drawn_) return;
  std::fputs("\r\033[K", out_);
  std::fflush(out_);
  progress_drawn_ = false;
}

}  // namespace quillon
