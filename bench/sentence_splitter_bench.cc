// Throughput of sentence splitting on a 50 MB text: lines in, sentences out, MB/s of
// input. "Prose" is clean running text where few lines need a line command; "Messy" puts
// leading blanks, tabs, space runs and trailing spaces on every line, so each line goes
// through all four commands.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/sentence_splitter.h"

namespace quillon {
namespace {

constexpr size_t kTextBytes = 50u << 20;

std::vector<std::string> MakeLines(bool messy) {
  static constexpr const char* kWords[] = {
      "the",  "of",     "market", "said", "Mr.",  "Smith", "U.S.",   "on",    "J.",
      "a.m.", "shares", "rose",   "to",   "\"We", "will",  "see.\"", "(Fig.", "2)",
      "Dec.", "5",      "and",    "it",   "vs.",  "Corp.", "year",   "in",    "its"};
  std::mt19937 random(1);
  std::vector<std::string> lines;
  size_t bytes = 0;
  while (bytes < kTextBytes) {
    std::string line = messy ? " \t " : "";
    while (line.size() < 70) {
      const int roll = random() % 12;
      if (roll == 0) {
        line += "It ended. The";
      } else if (roll == 1) {
        line += "Why? Because";
      } else {
        line += kWords[random() % std::size(kWords)];
      }
      line += messy && roll == 2 ? "  \t " : " ";
    }
    if (!messy) line.pop_back();
    bytes += line.size() + 1;
    lines.push_back(std::move(line));
  }
  return lines;
}

void Split(benchmark::State& state, bool messy) {
  const std::vector<std::string> lines = MakeLines(messy);
  size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size() + 1;
  SentenceSplitter splitter;
  size_t sentences = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> copy = lines;
    state.ResumeTiming();
    sentences = splitter.Split(std::move(copy), nullptr).size();
    benchmark::DoNotOptimize(sentences);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["sentences"] = static_cast<double>(sentences);
}

void BM_SplitProse(benchmark::State& state) { Split(state, false); }
void BM_SplitMessy(benchmark::State& state) { Split(state, true); }

BENCHMARK(BM_SplitProse)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_SplitMessy)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace quillon

BENCHMARK_MAIN();
