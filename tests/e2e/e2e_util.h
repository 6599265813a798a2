// Running the real binaries in a scratch folder, for end-to-end tests.
#ifndef QUILLON_TESTS_E2E_E2E_UTIL_H_
#define QUILLON_TESTS_E2E_E2E_UTIL_H_

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace quillon::testing {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// A temporary folder, removed with everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/quillon-e2e-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~ScratchDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  void Write(const std::string& name, const std::string& bytes) const {
    const std::string full = *this / name;
    std::system(("mkdir -p \"$(dirname '" + full + "')\"").c_str());
    std::ofstream(full, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(*this / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Exists(const std::string& name) const {
    return std::system(("test -e '" + (*this / name) + "'").c_str()) == 0;
  }

 private:
  std::string path_;
};

// Runs "bin/<command>" (a shell word list) in dir with stdin_bytes on standard input.
inline Outcome RunBinary(const ScratchDir& dir, const std::string& command,
                         const std::string& stdin_bytes = "") {
  dir.Write(".stdin", stdin_bytes);
  const std::string line = "cd '" + dir.path() + "' && " + QUILLON_BIN_DIR + "/" + command +
                           " <.stdin >.stdout 2>.stderr";
  const int raw = std::system(line.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = dir.Read(".stdout");
  outcome.err = dir.Read(".stderr");
  return outcome;
}

// Runs a shell line in dir; "{bin}" in it stands for the folder of the binaries. Standard
// output and error are caught unless the line redirects them itself. A run that takes
// longer than a minute is killed (status 124), so a hang fails the test instead of CI.
inline Outcome RunShell(const ScratchDir& dir, std::string line,
                        const std::string& stdin_bytes = "") {
  for (size_t at; (at = line.find("{bin}")) != std::string::npos;) {
    line.replace(at, 5, QUILLON_BIN_DIR);
  }
  dir.Write(".stdin", stdin_bytes);
  dir.Write(".stdout", "");
  dir.Write(".stderr", "");
  const std::string full =
      "cd '" + dir.path() + "' && timeout -k 5 60 sh -c '" + line + "' <.stdin >.stdout 2>.stderr";
  const int raw = std::system(full.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = dir.Read(".stdout");
  outcome.err = dir.Read(".stderr");
  return outcome;
}

// " --tokenizer classic", which the tests that check the classic tokenizer's bytes add to
// their options, unless args choose a tokenizer themselves.
inline std::string ClassicUnlessChosen(const std::string& args) {
  const bool chosen = args.find("--tokenizer") != std::string::npos ||
                      args.find("--no-tokenize") != std::string::npos;
  return chosen ? args : "--tokenizer classic " + args;
}

// A small, complete data folder: every file a run can ask for.
inline void WriteDataFolder(const ScratchDir& dir, const std::string& folder = "Q_data") {
  std::string lexicon;
  const char* words[] = {"the DT",      "The DT",    "a DT",      "cat NN VB", "cats NNS VBZ",
                         "sat VBD VBN", "on IN RP",  "mat NN",    ". .",       ", ,",
                         "to TO",       "run VB NN", "do VBP VB", "n't RB",    "I PRP",
                         "know VB VBP", "Mr. NNP",   "'s POS VBZ"};
  for (const char* w : words) lexicon += std::string(w) + "\n";
  for (int i = 0; lexicon.size() < 4000 || i < 100; ++i) {
    lexicon += "filler" + std::to_string(i) + " NN\n";
  }
  dir.Write(folder + "/ignore.dat", "Mr\nDr\n");
  dir.Write(folder + "/LEXICON.BROWN.AND.WSJ", lexicon);
  dir.Write(folder + "/LEXICON.WSJ", lexicon);
  dir.Write(folder + "/LEXICON.BROWN", lexicon);
  dir.Write(folder + "/LEXICALRULEFILE.WSJ", "ly hassuf 2 RB\nNN s fhassuf 1 NNS\n");
  dir.Write(folder + "/tagset", "NN\tnoun\nNNS\tplural noun\nDT\tdeterminer\nVB\tverb\n");
  dir.Write(folder + "/CONTEXTUALRULEFILE.WSJ", "NN VB PREVTAG TO\n");
  dir.Write(folder + "/CONTEXTUALRULEFILE.BROWN", "NN VB PREVTAG TO\n");
  dir.Write(folder + "/CONTEXTUALRULEFILE.WSJ.NOLEX", "NN VB PREVTAG TO\n");
  dir.Write(folder + "/e_lemma.txt", "cat -> cats\nsit -> sat,sits\n");
  dir.Write(folder + "/Multiword.dat", "on the\tIN\n");
}

// The files a case expects afterwards: each name with its bytes, or kAbsent for no file.
inline constexpr char kAbsent[] = "<absent>";
using ExpectedFiles = std::vector<std::pair<std::string, std::string>>;

// Checks each expected file of dir.
inline void ExpectFiles(const ScratchDir& dir, const ExpectedFiles& files) {
  for (const auto& [file, bytes] : files) {
    if (bytes == kAbsent) {
      EXPECT_FALSE(dir.Exists(file)) << file;
    } else {
      EXPECT_EQ(dir.Read(file), bytes) << file;
    }
  }
}

}  // namespace quillon::testing

#endif  // QUILLON_TESTS_E2E_E2E_UTIL_H_
