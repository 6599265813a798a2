// Counting a result file as the window's Statistics page does (core/result_statistics.h):
// read from disk in 1 MiB blocks, layout told, every token counted, the most frequent
// words picked. The file is a tagged text of about 100 MB written with 60,000 word types in
// Zipf use, or the file named by QUILLON_RESULT_FILE (for example a real text tagged by
// `quillon tag`). Reports MB/s and tokens/s.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/result_statistics.h"

namespace quillon {
namespace {

constexpr size_t kFileBytes = 100u << 20;

// Writes the generated result file once; returns its path.
std::string ResultFile() {
  if (const char* given = std::getenv("QUILLON_RESULT_FILE")) return given;
  static const std::string path = [] {
    const std::string file = "/tmp/quillon-result-statistics-bench_tag.txt";
    static constexpr const char* kTags[] = {"NN", "NNS", "NNP", "VB",  "VBD", "VBZ", "JJ",
                                            "RB", "DT",  "IN",  "PRP", "CC",  "CD",  "."};
    std::mt19937 random(7);
    // Zipf weights over the word types.
    std::vector<double> weights(60000);
    for (size_t i = 0; i < weights.size(); ++i) weights[i] = 1.0 / static_cast<double>(i + 1);
    std::discrete_distribution<size_t> word(weights.begin(), weights.end());
    std::ofstream out(file, std::ios::binary);
    std::string line;
    size_t bytes = 0;
    while (bytes < kFileBytes) {
      line.clear();
      for (int t = 0; t < 18; ++t) {
        const size_t w = word(random);
        line += "w" + std::to_string(w) + "_" + kTags[(w * 7 + t % 3) % std::size(kTags)] + " ";
      }
      line.back() = '\r';
      line += '\n';
      out << line;
      bytes += line.size();
    }
    return file;
  }();
  return path;
}

void CountFile(benchmark::State& state) {
  const std::string path = ResultFile();
  ResultStatistics stats;
  for (auto _ : state) {
    if (!CountResultFile(path, nullptr, &stats).ok()) state.SkipWithError("cannot read the file");
    benchmark::DoNotOptimize(stats.tokens);
  }
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(file.tellg()));
  state.counters["tokens/s"] = benchmark::Counter(
      static_cast<double>(stats.tokens) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
  state.counters["types"] = static_cast<double>(stats.word_types);
}
BENCHMARK(CountFile)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);

}  // namespace
}  // namespace quillon

BENCHMARK_MAIN();
