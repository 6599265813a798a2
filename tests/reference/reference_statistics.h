// A plain counter of result files for the tests: the whole text is cut into lines and the
// lines into tokens at spaces, and everything is counted in ordered maps; the most frequent
// words come from sorting all of a tag's words. ResultCounter (core/result_statistics.h)
// streams pieces of any size through hash tables and bounded heaps; result_statistics_test.cc
// and fuzz/result_statistics_fuzzer.cc require the same figures from both.
// Nothing here is used by the program itself.
#ifndef QUILLON_TESTS_REFERENCE_REFERENCE_STATISTICS_H_
#define QUILLON_TESTS_REFERENCE_REFERENCE_STATISTICS_H_

#include <cstddef>
#include <string_view>

#include "core/result_statistics.h"

namespace quillon::reference {

// The figures of the result file text, keeping top_words words per tag; the layout is
// told from its first sample_bytes.
ResultStatistics CountResultText(std::string_view text, size_t top_words,
                                 size_t sample_bytes = ResultCounter::kSampleBytes);

}  // namespace quillon::reference

#endif  // QUILLON_TESTS_REFERENCE_REFERENCE_STATISTICS_H_
