// In-process micro benchmarks of the tagging stages on the synthetic load.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "bench/synthetic_data.h"
#include "core/line_reader.h"
#include "core/tagger.h"
#include "core/tagging_run.h"
#include "core/tokenizer.h"

namespace {

struct Fixture {
  std::unique_ptr<quillon::Resources> resources = std::make_unique<quillon::Resources>();
  std::vector<std::string> sentences;
  long tokens = 0;

  Fixture() {
    quillon::bench::SyntheticLoad load;
    load.tokens = 200000;
    char pattern[] = "/tmp/quillon-microbench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    quillon::bench::WriteSyntheticData(load, dir);
    tokens = quillon::bench::WriteSyntheticText(load, dir + "/text.txt");
    quillon::ReadLines(dir + "/text.txt", &sentences);
    quillon::LoadFailure failure;
    quillon::LoadResources(quillon::RunSettings(), dir, nullptr, resources.get(), &failure);
    std::system(("rm -rf " + dir).c_str());
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_Tokenize(benchmark::State& state) {
  Fixture& f = Shared();
  std::vector<std::string_view> tokens;
  for (auto _ : state) {
    for (const std::string& s : f.sentences) quillon::Tokenize(s, f.resources->ignore, &tokens);
  }
  state.SetItemsProcessed(state.iterations() * f.tokens);
}
BENCHMARK(BM_Tokenize)->Unit(benchmark::kMillisecond);

void BM_TagSentence(benchmark::State& state) {
  Fixture& f = Shared();
  quillon::Tagger tagger(f.resources.get(), {});
  std::string out;
  for (auto _ : state) {
    out.clear();
    for (const std::string& s : f.sentences) tagger.TagSentence(s, &out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * f.tokens);
}
BENCHMARK(BM_TagSentence)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
