// Faults end to end: the real `quillon tag` against output folders it cannot write, full
// disks, inputs that vanish, cannot be read, are folders, FIFOs or devices, odd bytes, and
// resource files that are empty, cut short, binary, or hold absurdly long lines. Each case
// checks the message the user gets, the exit status, whether the batch went on, and that no
// earlier output was damaged and no temporary file was left. docs/reliability.md lists the
// same cases for users. Cases the environment cannot set up are skipped with the reason.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <csignal>
#include <functional>
#include <ostream>
#include <random>
#include <thread>

#include "core/messages.h"
#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::ExpectFiles;
using testing::kAbsent;
using testing::Outcome;
using testing::RunShell;
using testing::ScratchDir;
using testing::WriteDataFolder;

int Sh(const std::string& line) { return std::system(line.c_str()); }

// Whether this process may mount file systems (root with the capability to do so).
bool CanMount(const ScratchDir& dir) {
  if (::geteuid() != 0) return false;
  const std::string probe = dir / ".mount-probe";
  Sh("mkdir -p '" + probe + "'");
  const bool ok = Sh("mount -t tmpfs -o size=16k tmpfs '" + probe + "' 2>/dev/null") == 0;
  if (ok) Sh("umount '" + probe + "'");
  Sh("rmdir '" + probe + "'");
  return ok;
}

// Files in folder whose names mark them as temporary outputs.
bool HasTemporaryFiles(const ScratchDir& dir, const std::string& folder) {
  return Sh("ls -A '" + (dir / folder) + "' 2>/dev/null | grep -q '[.]tmp$'") == 0;
}

// The tag command: quiet, the scratch data folder, a time limit against hangs.
// The classic tokenizer, whose bytes these tests check.
constexpr char kTag[] = "exec {bin}/quillon tag -q -d Q_data --tokenizer classic ";

class FaultTest : public ::testing::Test {
 public:
  void SetUp() override { WriteDataFolder(dir_); }
  void TearDown() override {
    for (const std::string& mount : mounts_) Sh("umount -l '" + mount + "' 2>/dev/null");
    Sh("chmod -R u+w '" + dir_.path() + "' 2>/dev/null");  // so that it can be removed
  }

  // Makes folder (already filled) read-only: its mode for a normal user; for root, whom
  // modes do not stop, a read-only tmpfs holding a copy. Returns false when neither works.
  bool MakeReadOnly(const std::string& folder) {
    const std::string path = dir_ / folder;
    if (::geteuid() != 0) return Sh("chmod a-w '" + path + "'") == 0;
    if (!CanMount(dir_)) return false;
    Sh("cp -a '" + path + "' '" + path + ".copy'");
    if (Sh("mount -t tmpfs -o size=1m tmpfs '" + path + "'") != 0) return false;
    mounts_.push_back(path);
    Sh("cp -a '" + path + ".copy'/. '" + path + "'/ && rm -rf '" + path + ".copy'");
    return Sh("mount -o remount,ro '" + path + "'") == 0;
  }

  // A full disk: folder becomes a tmpfs of kib KiB (root only).
  bool MakeSmallDisk(const std::string& folder, int kib) {
    if (!CanMount(dir_)) return false;
    const std::string path = dir_ / folder;
    Sh("mkdir -p '" + path + "'");
    if (Sh("mount -t tmpfs -o size=" + std::to_string(kib) + "k tmpfs '" + path + "'") != 0) {
      return false;
    }
    mounts_.push_back(path);
    return true;
  }

  ScratchDir dir_;
  std::vector<std::string> mounts_;
};

// A text whose output is far larger than a few kilobytes.
std::string BigText() {
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "The cat sat on the mat .\n";
  return text;
}

struct OutputCase {
  std::string name;
  // Prepares the scratch folder; returns a reason to skip, or "" to go on.
  std::function<std::string(FaultTest*, const ScratchDir&)> setup;
  std::string command;  // run with sh -c in the scratch folder
  int status;
  std::string err;
  // Files and their expected bytes afterwards ("<absent>" for none).
  testing::ExpectedFiles files;
  std::string clean_folder;  // a folder that must hold no temporary file afterwards
};

// The two lines of a failed output: the fixed text, then the path and the system's reason.
std::string NotFound(const std::string& path, const std::string& reason) {
  return std::string(messages::kDirectoryNotFound) + "\nCannot write \"" + path + "\": " + reason +
         "\n";
}
std::string CannotCreate(const std::string& path, const std::string& reason) {
  return std::string(messages::kCannotCreateDirectory) + "\nCannot write \"" + path +
         "\": " + reason + "\n";
}

std::vector<OutputCase> OutputCases() {
  const std::string no_such = "No such file or directory";
  const std::string read_only = "Read-only file system";
  return {
      {"chosen folder missing: every file reports, the batch goes on to its end",
       [](FaultTest*, const ScratchDir& d) {
         d.Write("a.txt", "cat");
         d.Write("b.txt", "the");
         return std::string();
       },
       std::string(kTag) + "-o nowhere a.txt b.txt",
       1,
       NotFound("nowhere/a_tag.txt", no_such) + NotFound("nowhere/b_tag.txt", no_such),
       {{"nowhere", kAbsent}},
       ""},
      {"chosen folder read-only: the old output stays",
       [](FaultTest* t, const ScratchDir& d) {
         d.Write("a.txt", "cat");
         d.Write("ro/a_tag.txt", "OLD");
         return t->MakeReadOnly("ro") ? "" : std::string("cannot make a read-only folder here");
       },
       std::string(kTag) + "-o ro a.txt",
       1,
       NotFound("ro/a_tag.txt", ::geteuid() == 0 ? read_only : "Permission denied"),
       {{"ro/a_tag.txt", "OLD"}},
       "ro"},
      {"Tagged folder read-only: the old output stays, the next input is written",
       [](FaultTest* t, const ScratchDir& d) {
         d.Write("in/x.txt", "cat");
         d.Write("in/Tagged/x_tag.txt", "OLD");
         d.Write("other/y.txt", "cat");
         return t->MakeReadOnly("in/Tagged") ? "" : std::string("no read-only folder here");
       },
       std::string(kTag) + "in/x.txt other/y.txt",
       1,
       CannotCreate("in/Tagged/x_tag.txt", ::geteuid() == 0 ? read_only : "Permission denied"),
       {{"in/Tagged/x_tag.txt", "OLD"}, {"other/Tagged/y_tag.txt", "cat_NN\r\n"}},
       "in/Tagged"},
      {"input folder read-only: no Tagged folder can be made",
       [](FaultTest* t, const ScratchDir& d) {
         d.Write("in/x.txt", "cat");
         return t->MakeReadOnly("in") ? "" : std::string("no read-only folder here");
       },
       std::string(kTag) + "in/x.txt",
       1,
       CannotCreate(
           "in/Tagged/x_tag.txt",
           "cannot create the folder: " + (::geteuid() == 0 ? read_only : "Permission denied")),
       {{"in/Tagged", kAbsent}},
       "in"},
      {"a file where the Tagged folder should be is left alone",
       [](FaultTest*, const ScratchDir& d) {
         d.Write("in/x.txt", "cat");
         d.Write("in/Tagged", "mine");
         return std::string();
       },
       std::string(kTag) + "in/x.txt",
       1,
       CannotCreate("in/Tagged/x_tag.txt", "Not a directory"),
       {{"in/Tagged", "mine"}},
       "in"},
      {"an output name taken by a folder is not replaced",
       [](FaultTest*, const ScratchDir& d) {
         d.Write("a.txt", "cat");
         d.Write("out/a_tag.txt/keep", "x");
         return std::string();
       },
       std::string(kTag) + "-o out a.txt",
       1,
       NotFound("out/a_tag.txt", "Is a directory"),
       {{"out/a_tag.txt/keep", "x"}},
       "out"},
      {"disk full: the old output stays whole, the next file still fits",
       [](FaultTest* t, const ScratchDir& d) {
         d.Write("big.txt", BigText());
         d.Write("small.txt", "cat");
         if (!t->MakeSmallDisk("full", 32)) return std::string("cannot mount a small tmpfs");
         d.Write("full/big_tag.txt", "OLD");
         return std::string();
       },
       std::string(kTag) + "-o full big.txt small.txt",
       1,
       NotFound("full/big_tag.txt", "No space left on device"),
       {{"full/big_tag.txt", "OLD"}, {"full/small_tag.txt", "cat_NN\r\n"}},
       "full"},
      {"file size limit (a disk that fills up while writing)",
       [](FaultTest*, const ScratchDir& d) {
         d.Write("big.txt", BigText());
         d.Write("small.txt", "cat");
         d.Write("out/big_tag.txt", "OLD");
         return std::string();
       },
       "trap \"\" XFSZ; ulimit -f 64; " + std::string(kTag) + "-o out big.txt small.txt",
       1,
       NotFound("out/big_tag.txt", "File too large"),
       {{"out/big_tag.txt", "OLD"}, {"out/small_tag.txt", "cat_NN\r\n"}},
       "out"},
      {"standard output that takes nothing",
       [](FaultTest*, const ScratchDir&) { return std::string(); },
       std::string(kTag) + "<big.txt >/dev/full",
       1,
       "Cannot write standard output.\n",
       {},
       ""},
  };
}

// A readable test name from the start of a case's description: "disk full: ..." gives
// DiskFull.
std::string CaseName(const std::string& description) {
  std::string name;
  bool upper = true;
  for (const char c : description.substr(0, description.find_first_of(":("))) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
      upper = false;
    } else if (c == ' ') {
      upper = true;
    }
  }
  return name.substr(0, 48);
}

void PrintTo(const OutputCase& c, std::ostream* out) { *out << c.name; }

class OutputFaultTest : public FaultTest, public ::testing::WithParamInterface<OutputCase> {};

// Each case: the message, the exit status, the files afterwards, no temporary file left.
TEST_P(OutputFaultTest, ReportsAndKeepsEarlierOutputs) {
  const OutputCase& c = GetParam();
  dir_.Write("big.txt", BigText());
  const std::string skip = c.setup(this, dir_);
  if (!skip.empty()) GTEST_SKIP() << skip;
  const Outcome o = RunShell(dir_, c.command);
  EXPECT_EQ(o.status, c.status) << o.err;
  EXPECT_EQ(o.err, c.err);
  ExpectFiles(dir_, c.files);
  if (!c.clean_folder.empty()) {
    EXPECT_FALSE(HasTemporaryFiles(dir_, c.clean_folder));
  }
}

INSTANTIATE_TEST_SUITE_P(Outputs, OutputFaultTest, ::testing::ValuesIn(OutputCases()),
                         [](const auto& info) { return CaseName(info.param.name); });

struct InputCase {
  std::string name;
  std::function<std::string(const ScratchDir&)> setup;  // a reason to skip, or ""
  std::string args;
  int status;
  std::vector<std::string> err_parts;  // each must appear in standard error
  testing::ExpectedFiles files;
};

std::vector<InputCase> InputCases() {
  return {
      {"input deleted before its turn: the run ends there, earlier outputs stay",
       [](const ScratchDir& d) {
         d.Write("a.txt", "cat");
         d.Write("c.txt", "cat");
         return std::string();
       },
       "a.txt gone.txt c.txt",
       1,
       {"Cannot open file \"gone.txt\".", "No such file", "\n2 of 3 files were not tagged.\n"},
       {{"Tagged/a_tag.txt", "cat_NN\r\n"}, {"Tagged/c_tag.txt", kAbsent}}},
      {"input without read permission",
       [](const ScratchDir& d) {
         d.Write("a.txt", "cat");
         d.Write("locked.txt", "cat");
         Sh("chmod 000 '" + (d / "locked.txt") + "'");
         return ::geteuid() == 0 ? std::string("root reads files of any mode") : "";
       },
       "a.txt locked.txt",
       1,
       {"Cannot open file \"locked.txt\".", "Permission denied"},
       {{"Tagged/a_tag.txt", "cat_NN\r\n"}, {"Tagged/locked_tag.txt", kAbsent}}},
      {"input that is a folder",
       [](const ScratchDir& d) {
         Sh("mkdir '" + (d / "folder.txt") + "'");
         return std::string();
       },
       "folder.txt",
       1,
       {"Cannot open file \"folder.txt\".", "Is a directory"},
       {{"Tagged/folder_tag.txt", kAbsent}}},
      {"an endless device of zeros ends at its first NUL, and says so",
       [](const ScratchDir& d) {
         Sh("mkdir '" + (d / "out") + "'");
         return std::string();
       },
       "-o out /dev/zero",
       0,
       {"\"/dev/zero\": a NUL byte in line 1 ends the text; only the bytes before it were "
        "tagged."},
       {{"out/zero_tag.txt", ""}}},
      {"a NUL before the last byte is named with its line; a last NUL is not",
       [](const ScratchDir& d) {
         d.Write("n.txt", std::string("cat\nthe\0cat\n", 12));
         d.Write("z.txt", std::string("cat\0", 4));
         return std::string();
       },
       "n.txt z.txt",
       0,
       {"\"n.txt\": a NUL byte in line 2 ends the text; only the bytes before it were tagged.\n"},
       {{"Tagged/n_tag.txt", "cat_NN\r\nthe_DT\r\n"}, {"Tagged/z_tag.txt", "cat_NN\r\n"}}},
      {"UTF-16 without a byte order mark is named as such",
       [](const ScratchDir& d) {
         d.Write("u.txt", std::string("c\0a\0t\0\n\0", 8));
         return std::string();
       },
       "u.txt",
       0,
       {"\"u.txt\" looks like UTF-16 without a byte order mark: its first NUL byte (line 1) "
        "ends the text, so only the bytes before it were tagged."},
       {{"Tagged/u_tag.txt", "c_NN\r\n"}}},
  };
}

void PrintTo(const InputCase& c, std::ostream* out) { *out << c.name; }

class InputFaultTest : public FaultTest, public ::testing::WithParamInterface<InputCase> {};

// Each case: the message, the exit status, and which outputs exist afterwards.
TEST_P(InputFaultTest, ReportsAndEndsOrGoesOn) {
  const InputCase& c = GetParam();
  const std::string skip = c.setup(dir_);
  if (!skip.empty()) GTEST_SKIP() << skip;
  const Outcome o = RunShell(dir_, kTag + c.args);
  EXPECT_EQ(o.status, c.status) << o.err;
  for (const std::string& part : c.err_parts) {
    EXPECT_NE(o.err.find(part), std::string::npos) << o.err;
  }
  if (c.err_parts.empty()) {
    EXPECT_EQ(o.err, "");
  }
  ExpectFiles(dir_, c.files);
}

INSTANTIATE_TEST_SUITE_P(Inputs, InputFaultTest, ::testing::ValuesIn(InputCases()),
                         [](const auto& info) { return CaseName(info.param.name); });

// A FIFO is read as `cat` reads it: the run waits for its writer and takes all it writes,
// in one pass, then goes on with the next input.
TEST_F(FaultTest, FifoWhoseWriterComesLaterIsReadWhole) {
  Sh("mkfifo '" + (dir_ / "pipe.txt") + "'");
  dir_.Write("b.txt", "cat");
  const Outcome o =
      RunShell(dir_, "(sleep 1; printf \"The cat\\nsat .\\n\" > pipe.txt) & " + std::string(kTag) +
                         "pipe.txt b.txt; status=$?; wait; exit $status");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(dir_.Read("Tagged/pipe_tag.txt"), "The_DT cat_NN\r\nsat_VBD ._.\r\n");
  EXPECT_EQ(dir_.Read("Tagged/b_tag.txt"), "cat_NN\r\n");
}

// One line of half a million tokens is one sentence, from a file and from standard input;
// blocks of the reader end inside it many times.
TEST_F(FaultTest, HugeOneLineInput) {
  std::string line, tagged;
  for (int i = 0; i < 500000; ++i) {
    line += i ? " cat" : "cat";
    tagged += i ? " cat_NN" : "cat_NN";
  }
  dir_.Write("long.txt", line);
  const Outcome file = RunShell(dir_, std::string(kTag) + "long.txt");
  EXPECT_EQ(file.status, 0) << file.err;
  EXPECT_TRUE(dir_.Read("Tagged/long_tag.txt") == tagged + "\r\n");
  const Outcome piped = RunShell(dir_, std::string(kTag) + "<long.txt");
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_TRUE(piped.out == tagged + "\n");
}

// Ctrl+C, kill and a closed terminal in the middle of an output: the temporary file goes,
// the output already written stays, and the process ends by the signal (a shell shows
// 130, 143 or 129). The second input is a FIFO whose writer keeps it open, so the run is
// caught inside that file's output, with its temporary file open.
TEST_F(FaultTest, SignalsRemoveTheTemporaryOutputAndKeepFinishedOnes) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    Sh("rm -rf '" + (dir_ / "out") + "' '" + (dir_ / "pipe.txt") + "'");
    Sh("mkdir '" + (dir_ / "out") + "' && mkfifo '" + (dir_ / "pipe.txt") + "'");
    dir_.Write("a.txt", "cat");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::chdir(dir_.path().c_str()) != 0) ::_exit(99);
      const std::string bin = std::string(QUILLON_BIN_DIR) + "/quillon";
      ::execl(bin.c_str(), bin.c_str(), "tag", "-q", "-d", "Q_data", "-o", "out", "a.txt",
              "pipe.txt", static_cast<char*>(nullptr));
      ::_exit(98);
    }
    const int writer = ::open((dir_ / "pipe.txt").c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "The cat sat.\n", 13), 13);
    bool caught = false;  // the run is inside the FIFO's output
    for (int i = 0; i < 1000 && !caught; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      caught = HasTemporaryFiles(dir_, "out");
    }
    EXPECT_TRUE(caught);
    ::kill(child, signal_number);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(writer);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), signal_number);
    EXPECT_FALSE(HasTemporaryFiles(dir_, "out"));
    EXPECT_EQ(dir_.Read("out/a_tag.txt"), "cat_NN\r\n");
    EXPECT_FALSE(dir_.Exists("out/pipe_tag.txt"));
  }
}

TEST_F(FaultTest, TwoInputsForOneOutputAreBothKept) {
  dir_.Write("in/a.txt", "cat");
  dir_.Write("in/a.md", "the");
  dir_.Write("in/Tagged/a_tag.txt", "OLD");
  const Outcome o = RunShell(dir_, std::string(kTag) + "in/a.txt in/a.md");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err,
            "Another input of this run also maps to in/Tagged/a_tag.txt; writing "
            "in/Tagged/a_tag(2).txt instead.\n");
  EXPECT_EQ(dir_.Read("in/Tagged/a_tag.txt"), "cat_NN\r\n");
  EXPECT_EQ(dir_.Read("in/Tagged/a_tag(2).txt"), "the_DT\r\n");
}

// Bytes are taken as they stand, with and without the splitter: NULs end the text,
// Shift-JIS and broken UTF-8 pass through, lone CRs end lines.
TEST_F(FaultTest, OddBytesInInputFiles) {
  const struct {
    std::string name;
    std::string bytes;
    std::string args;
    std::string output;
  } cases[] = {
      {"nul", std::string("cat\nthe\0cat\n", 12), "", "cat_NN\r\nthe_DT\r\n"},
      {"sjis", "\x93\xfa\x96\x7b cat\r\n", "", "\x93\xfa\x96\x7b_NN cat_NN\r\n"},
      {"broken utf8", "\xc3 \xff\xfe cat\r", "", "\xc3_NN \xff\xfe_NN cat_NN\r\n"},
      {"nul split", std::string("The cat sat. The\0 mat", 21), "--split",
       "The_DT cat_NN sat_VBD ._.\r\nThe_DT\r\n"},
      {"sjis split", "\x93\xfa. The cat\r\n", "--split", "\x93\xfa_NN ._.\r\nThe_DT cat_NN\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dir_.Write("odd.txt", c.bytes);
    const Outcome o = RunShell(dir_, std::string(kTag) + c.args + " odd.txt");
    EXPECT_EQ(o.status, 0) << o.err;
    // The tokenizer drops the spaces the splitter leaves at either end of a sentence.
    EXPECT_EQ(dir_.Read("Tagged/odd_tag.txt"), c.output);
  }
}

// How a resource file can be broken.
enum class Damage { kEmpty, kTruncated, kBinary, kLongLine, kManyFields, kFolder, kFifo };

std::string Damaged(Damage damage, const std::string& good) {
  switch (damage) {
    case Damage::kEmpty:
      return "";
    case Damage::kTruncated:
      return good.substr(0, good.size() / 2 + 3);  // cut inside a line
    case Damage::kBinary: {
      std::mt19937 random(7);
      std::string bytes(64 << 10, '\0');
      for (char& c : bytes) c = static_cast<char>(random());
      bytes[0] = 'x';  // a NUL first would make it empty
      return bytes;
    }
    case Damage::kLongLine:
      return good + std::string(4 << 20, 'y') + "\n" + good;
    case Damage::kManyFields: {
      std::string line = "cat";
      for (int i = 0; i < 1000000; ++i) line += i % 2 ? " NN" : "\tVB";
      return line + "\n" + good;
    }
    default:
      return good;
  }
}

// Broken resource files never crash or hang the run: it either tags the input (every
// input line gives one output line) or ends with the file's own message.
TEST_F(FaultTest, DamagedResourceFiles) {
  struct File {
    std::string name;
    std::string args;
  };
  const File files[] = {
      {"ignore.dat", ""},
      {"LEXICON.BROWN.AND.WSJ", ""},
      {"LEXICALRULEFILE.WSJ", ""},
      {"tagset", ""},
      {"CONTEXTUALRULEFILE.WSJ", ""},
      {"e_lemma.txt", "--lemma"},
      {"Multiword.dat", "--multiword"},
  };
  const Damage damages[] = {Damage::kEmpty,    Damage::kTruncated,  Damage::kBinary,
                            Damage::kLongLine, Damage::kManyFields, Damage::kFolder,
                            Damage::kFifo};
  const std::string input = "The cat sat on the mat .\nto run quickly\n\n";
  for (const File& file : files) {
    for (const Damage damage : damages) {
      SCOPED_TRACE(file.name + " damage " + std::to_string(static_cast<int>(damage)));
      WriteDataFolder(dir_);
      Sh("rm -rf '" + dir_.path() + "/Tagged'");
      const std::string path = dir_ / ("Q_data/" + file.name);
      const std::string good = dir_.Read("Q_data/" + file.name);
      Sh("rm -f '" + path + "'");
      if (damage == Damage::kFolder) {
        Sh("mkdir '" + path + "'");
      } else if (damage == Damage::kFifo) {
        Sh("mkfifo '" + path + "'");
      } else {
        dir_.Write("Q_data/" + file.name, Damaged(damage, good));
      }
      dir_.Write("in.txt", input);
      const Outcome o = RunShell(dir_, std::string(kTag) + file.args + " in.txt");
      Sh("rm -rf '" + path + "'");
      ASSERT_TRUE(o.status == 0 || o.status == 1) << "status " << o.status << ": " << o.err;
      // Binary bytes are cut at their first NUL, and the user hears of it.
      if (damage == Damage::kBinary) {
        EXPECT_NE(o.err.find("\"Q_data/" + file.name + "\": a NUL byte in line "),
                  std::string::npos)
            << o.err;
      }
      if (o.status == 0) {
        const std::string output = dir_.Read("Tagged/in_tag.txt");
        size_t lines = 0;
        for (size_t at = 0; (at = output.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
        EXPECT_EQ(lines, 3u) << output.substr(0, 200);
        continue;
      }
      // An ending names its cause and leaves no output.
      EXPECT_FALSE(dir_.Exists("Tagged/in_tag.txt"));
      const bool folder_error = damage == Damage::kFolder &&
                                o.err.find("Is a directory") != std::string::npos &&
                                o.err.find(file.name) != std::string::npos;
      const bool bad_lemmas = file.name == "e_lemma.txt" &&
                              o.err.ends_with(std::string(messages::kBadLemmaList) + "\n");
      // A line over the limit of a resource file ends the run naming the file and line.
      const bool too_long =
          (damage == Damage::kLongLine || damage == Damage::kManyFields) &&
          o.err.find("Q_data/" + file.name + ":") != std::string::npos &&
          o.err.find(": the line is longer than 1048576 bytes\n") != std::string::npos;
      EXPECT_TRUE(folder_error || bad_lemmas || too_long) << o.err.substr(0, 300);
    }
  }
}

}  // namespace
}  // namespace quillon
