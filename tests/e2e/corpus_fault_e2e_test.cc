// Faults of `quillon eval` and `quillon train` end to end: corpora and word lists that are
// devices, empty, all malformed, saved with a byte order mark, hold a line without end or
// bytes that would drive the terminal; reports and outputs that cannot be written; an
// output that is a symbolic link or a device; a data folder that is not there. Each case
// checks the exit status, what standard error says, and the files afterwards.
// docs/reliability.md lists the same cases for users.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::ExpectFiles;
using testing::kAbsent;
using testing::Outcome;
using testing::RunShell;
using testing::ScratchDir;
using testing::WriteDataFolder;

constexpr char kConllu[] =
    "1\tThe\tthe\tDET\tDT\t_\t2\tdet\t_\t_\n"
    "2\tcat\tcat\tNOUN\tNN\t_\t0\troot\t_\t_\n\n";
constexpr char kBom[] = "\xEF\xBB\xBF";

struct CorpusCase {
  std::string name;
  std::function<void(const ScratchDir&)> setup;
  std::string command;  // run with sh -c in the scratch folder; {bin} is the binaries' folder
  int status;
  std::string err;               // standard error must be exactly this
  testing::ExpectedFiles files;  // name and bytes, or kAbsent
};

std::vector<CorpusCase> Cases() {
  const std::string malformed = "1\tThe\tDT\n\n";
  return {
      {"a report that cannot be written is an error",
       [](const ScratchDir& d) { d.Write("s.conllu", kConllu); },
       "{bin}/quillon eval -d Q_data s.conllu >/dev/full",
       1,
       "Cannot write standard output.\n",
       {}},
      {"figures of train that cannot be written are an error",
       [](const ScratchDir& d) { d.Write("s.conllu", kConllu); },
       "{bin}/quillon train tagset s.conllu -o tags >/dev/full",
       1,
       "Cannot write standard output.\n",
       {}},
      {"an endless device as corpus ends at its first NUL and holds no sentence",
       [](const ScratchDir&) {},
       "{bin}/quillon eval -d Q_data /dev/zero",
       1,
       "/dev/zero: no usable sentence\n",
       {}},
      {"train from a device of zeros writes nothing",
       [](const ScratchDir&) {},
       "{bin}/quillon train lexicon /dev/zero -o lex",
       1,
       "/dev/zero: no usable sentence\n",
       {{"lex", kAbsent}}},
      {"an empty corpus among good ones is named",
       [](const ScratchDir& d) {
         d.Write("s.conllu", kConllu);
         d.Write("empty.conllu", "");
       },
       "{bin}/quillon eval -d Q_data s.conllu empty.conllu",
       1,
       "empty.conllu: no usable sentence\n",
       {}},
      {"a corpus whose sentences were all skipped as malformed is named",
       [malformed](const ScratchDir& d) { d.Write("bad.conllu", malformed); },
       "{bin}/quillon eval -d Q_data --skip-malformed bad.conllu",
       1,
       "bad.conllu: no usable sentence (left out 1 malformed sentence; the first: "
       "bad.conllu:1: expected 10 tab-separated columns, found 3)\n",
       {}},
      {"a CoNLL-U corpus with a byte order mark is read",
       [](const ScratchDir& d) { d.Write("bom.conllu", kBom + std::string(kConllu)); },
       "{bin}/quillon train lexicon bom.conllu -o lex >/dev/null",
       0,
       "",
       {{"lex", "cat NN\nThe DT\n"}}},
      {"a word_TAG corpus and a word list with a byte order mark keep it out of words",
       [](const ScratchDir& d) {
         d.Write("c.txt", kBom + std::string("The_DT cat_NN\n"));
         d.Write("words.txt", kBom + std::string("dog NN\n"));
       },
       "{bin}/quillon train lexicon c.txt --wordlist words.txt -o lex >/dev/null",
       0,
       "",
       {{"lex", "cat NN\ndog NN\nThe DT\n"}}},
      {"a corpus line without end is refused with its file and line",
       [](const ScratchDir& d) { d.Write("long.txt", "a_DT\n" + std::string(2 << 20, 'x')); },
       "{bin}/quillon eval -d Q_data -f wordtag long.txt",
       1,
       "long.txt:2: the line is longer than 1048576 bytes\n",
       {}},
      {"escape sequences from a corpus reach the terminal escaped",
       [](const ScratchDir& d) { d.Write("esc.txt", "x\x1b]0;owned\x07 y\x1b[31m_NN\n"); },
       "{bin}/quillon eval -d Q_data -f wordtag esc.txt",
       1,
       "esc.txt:1: the token \"x\\x1B]0;owned\\x07\" has no _TAG\n",
       {}},
      {"train to a full device gives the device's own reason",
       [](const ScratchDir& d) { d.Write("s.conllu", kConllu); },
       "{bin}/quillon train tagset s.conllu -o /dev/full",
       1,
       "Cannot write \"/dev/full\": No space left on device\n",
       {}},
      {"train to /dev/null writes in place and succeeds",
       [](const ScratchDir& d) { d.Write("s.conllu", kConllu); },
       "{bin}/quillon train tagset s.conllu -o /dev/null >/dev/null",
       0,
       "",
       {}},
      {"train through a symbolic link replaces the file it points to and keeps the link",
       [](const ScratchDir& d) {
         d.Write("s.conllu", kConllu);
         d.Write("real/tags", "OLD\n");
         std::system(("ln -s real/tags '" + (d / "link") + "'").c_str());
       },
       "{bin}/quillon train lexicon s.conllu -o link >/dev/null && test -L link",
       0,
       "",
       {{"real/tags", "cat NN\nThe DT\n"}}},
      {"a data folder that is not there says so",
       [](const ScratchDir& d) { d.Write("s.conllu", kConllu); },
       "{bin}/quillon eval -d nowhere s.conllu; {bin}/quillon tag -d nowhere s.conllu",
       1,
       "Cannot open data folder \"nowhere\": No such file or directory\n"
       "Cannot open data folder \"nowhere\": No such file or directory\n",
       {{"Tagged", kAbsent}}},
  };
}

void PrintTo(const CorpusCase& c, std::ostream* out) { *out << c.name; }

class CorpusFaultTest : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusFaultTest, ReportsAndKeepsFiles) {
  const CorpusCase& c = GetParam();
  ScratchDir dir;
  WriteDataFolder(dir);
  c.setup(dir);
  const Outcome o = RunShell(dir, c.command);
  EXPECT_EQ(o.status, c.status) << o.err;
  EXPECT_EQ(o.err, c.err);
  ExpectFiles(dir, c.files);
}

INSTANTIATE_TEST_SUITE_P(Corpora, CorpusFaultTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace quillon
