// Drawing the learners' progress line.
#include "cli/progress_line.h"

#include "train/evaluation.h"

namespace quillon {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

ProgressLine::ProgressLine(bool enabled, std::FILE* out) : enabled_(enabled), out_(out) {}

ProgressLine::~ProgressLine() { Clear(); }

void ProgressLine::Update(const LearnProgress& p) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (drawn_ && now - last_ < kRedrawInterval && p.step < p.limit) return;
  last_ = now;
  std::fprintf(out_, "\r\033[K%.*s %zu/%zu", static_cast<int>(p.stage.size()), p.stage.data(),
               p.step, p.limit);
  if (p.score != 0) std::fprintf(out_, "  score %d", p.score);
  std::fprintf(out_, "  accuracy %s", FormatAccuracy(p.correct, p.total).c_str());
  std::fflush(out_);
  drawn_ = true;
}

void ProgressLine::Clear() {
  if (!drawn_) return;
  std::fputs("\r\033[K", out_);
  std::fflush(out_);
  drawn_ = false;
}

}  // namespace quillon
