// Whole-program throughput of `quillon tag`: generates a realistic resource load and a
// text of at least two million tokens, runs the real binary on it several times (one
// thread, the tokenizer of --tokenizer, classic by default) and reports tokens per second
// (median) and peak memory.
// Usage: tag_throughput [--tokens N] [--runs N] [--keep DIR] [--lemma 1] [--tokenizer NAME]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/synthetic_data.h"

namespace {

struct Measurement {
  double seconds;      // wall clock
  double cpu_seconds;  // user and system time of the child: steadier on a shared machine
  long max_rss_kib;
};

Measurement RunOnce(const std::vector<std::string>& args) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  wait4(pid, &status, 0, &usage);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "quillon failed with status %d\n", status);
    std::exit(1);
  }
  const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
                     usage.ru_stime.tv_usec / 1e6;
  return {seconds, cpu, usage.ru_maxrss};
}

}  // namespace

int main(int argc, char** argv) {
  quillon::bench::SyntheticLoad load;
  int runs = 5;
  std::string keep;
  bool lemma = false;
  std::string tokenizer = "classic";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--tokens")) load.tokens = std::atol(argv[i + 1]);
    if (!std::strcmp(argv[i], "--runs")) runs = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--keep")) keep = argv[i + 1];
    if (!std::strcmp(argv[i], "--lemma")) lemma = std::atoi(argv[i + 1]) != 0;
    if (!std::strcmp(argv[i], "--tokenizer")) tokenizer = argv[i + 1];
  }
  char pattern[] = "/tmp/quillon-bench-XXXXXX";
  const std::string dir = keep.empty() ? mkdtemp(pattern) : keep;
  std::system(("mkdir -p " + dir + "/data " + dir + "/out").c_str());
  quillon::bench::WriteSyntheticData(load, dir + "/data");
  const long tokens = quillon::bench::WriteSyntheticText(load, dir + "/text.txt");
  std::printf("text: %ld tokens; lexicon %d entries, %d contextual and %d lexical rules\n", tokens,
              load.lexicon_entries, load.contextual_rules, load.lexical_rules);

  std::vector<std::string> args = {std::string(QUILLON_BIN_DIR) + "/quillon",
                                   "tag",
                                   "-q",
                                   "--tokenizer",
                                   tokenizer,
                                   "-d",
                                   dir + "/data",
                                   "-o",
                                   dir + "/out",
                                   dir + "/text.txt"};
  if (lemma) args.push_back("--lemma");
  std::vector<Measurement> results;
  for (int r = 0; r < runs; ++r) {
    results.push_back(RunOnce(args));
    const Measurement& m = results.back();
    std::printf(
        "run %d: %.3f s (%.3f s CPU), %.2f M tokens/s (%.2f M per CPU second), peak %.1f MB\n",
        r + 1, m.seconds, m.cpu_seconds, tokens / m.seconds / 1e6, tokens / m.cpu_seconds / 1e6,
        m.max_rss_kib / 1024.0);
  }
  std::sort(results.begin(), results.end(),
            [](const Measurement& a, const Measurement& b) { return a.seconds < b.seconds; });
  const Measurement& median = results[results.size() / 2];
  std::vector<double> cpu;
  for (const Measurement& m : results) cpu.push_back(m.cpu_seconds);
  std::sort(cpu.begin(), cpu.end());
  long peak = 0;
  for (const Measurement& m : results) peak = std::max(peak, m.max_rss_kib);
  std::printf(
      "median: %.3f s, %.2f M tokens/s; median CPU %.3f s, %.2f M tokens per CPU second;"
      " peak memory %.1f MB\n",
      median.seconds, tokens / median.seconds / 1e6, cpu[cpu.size() / 2],
      tokens / cpu[cpu.size() / 2] / 1e6, peak / 1024.0);
  if (keep.empty()) std::system(("rm -rf " + dir).c_str());
  return 0;
}
