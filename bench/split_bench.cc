// Split on " +" over 100 MB of sentences, as the tagger cuts sentences with the tokenizer
// off: the pattern is set before every sentence (a cache hit) and the fields are views
// into the sentence. The DFA makes one step per byte; the figure to watch is MB/s, taken
// over CPU time, since the machines it runs on are shared.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bench/synthetic_data.h"
#include "core/line_reader.h"
#include "regex/awk_str.h"

namespace {

constexpr size_t kTextBytes = size_t{100} << 20;

struct Sentences {
  std::vector<std::string> lines;
  size_t bytes = 0;

  Sentences() {
    quillon::bench::SyntheticLoad load;
    load.tokens = 18000000;  // about 100 MB of text
    char pattern[] = "/tmp/quillon-splitbench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    quillon::bench::WriteSyntheticText(load, dir + "/text.txt");
    quillon::ReadLines(dir + "/text.txt", &lines);
    std::system(("rm -rf " + dir).c_str());
    // Trim or repeat to exactly the target size, so runs are comparable.
    std::vector<std::string> sized;
    for (size_t i = 0; bytes < kTextBytes; i = (i + 1) % lines.size()) {
      sized.push_back(lines[i]);
      bytes += lines[i].size();
    }
    lines.swap(sized);
  }
};

const Sentences& Text() {
  static const Sentences sentences;
  return sentences;
}

// Splits every sentence on " +" into Field (std::string_view or std::string) values.
template <typename Field>
void SplitBlanks(benchmark::State& state, quillon::CodePage code_page) {
  const Sentences& text = Text();
  quillon::TAWKStr awk(code_page);
  std::vector<Field> fields;
  size_t field_count = 0;
  for (auto _ : state) {
    for (const std::string& sentence : text.lines) {
      awk.SetRegExp(" +");
      field_count += awk.Split(sentence, &fields);
      benchmark::DoNotOptimize(fields.data());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.bytes));
  state.counters["fields"] = static_cast<double>(field_count / state.iterations());
}

void BM_SplitBlanksToViews(benchmark::State& state, quillon::CodePage code_page) {
  SplitBlanks<std::string_view>(state, code_page);
}
BENCHMARK_CAPTURE(BM_SplitBlanksToViews, single_byte, quillon::CodePage::kSingleByte)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SplitBlanksToViews, shift_jis, quillon::CodePage::kShiftJis)
    ->Unit(benchmark::kMillisecond);

void BM_SplitBlanksToStrings(benchmark::State& state) {
  SplitBlanks<std::string>(state, quillon::CodePage::kSingleByte);
}
BENCHMARK(BM_SplitBlanksToStrings)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
