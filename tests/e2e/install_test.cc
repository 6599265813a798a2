// The installed layout, checked by installing the build into a scratch prefix with
// `cmake --install`: the programs there find their resource files through
// ../share/quillon/Q_data without --data, the manual pages, desktop entry, icons,
// completion and Debian documents are in place, every option that a program's --help lists
// is in its manual page and its completion, and the version is the same everywhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunShell;
using testing::ScratchDir;

const std::string kSource = QUILLON_SOURCE_DIR;
const std::string kVersion = QUILLON_PROJECT_VERSION;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The option names (-d, --data, ...) of the "Options:" part of a --help text, CLI11's or
// Qt's: on each line that starts with a dash after the indent, the names before the
// description (which begins after a run of two or more spaces).
std::vector<std::string> OptionsOfHelp(const std::string& help) {
  std::vector<std::string> options;
  const std::regex name("(^|[ ,])(--?[A-Za-z][-A-Za-z]*)");
  for (const std::string& line : Lines(help)) {
    const size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos || start == 0 || line[start] != '-') continue;
    const size_t gap = line.find("  ", start);
    const std::string names = line.substr(start, gap == std::string::npos ? gap : gap - start);
    for (std::sregex_iterator it(names.begin(), names.end(), name), end; it != end; ++it) {
      options.push_back((*it)[2]);
    }
  }
  return options;
}

// The names listed under "Subcommands:" in a CLI11 --help text.
std::vector<std::string> SubcommandsOfHelp(const std::string& help) {
  std::vector<std::string> names;
  bool in_list = false;
  for (const std::string& line : Lines(help)) {
    if (line.rfind("Subcommands:", 0) == 0) {
      in_list = true;
    } else if (in_list && line.rfind("  ", 0) == 0 && line.size() > 2 && line[2] != ' ') {
      names.push_back(line.substr(2, line.find(' ', 2) - 2));
    } else if (in_list && !line.empty() && line[0] != ' ') {
      in_list = false;
    }
  }
  return names;
}

// An option as roff writes it: every dash escaped, not followed by more of a name.
bool ManPageHasOption(const std::string& roff, const std::string& option) {
  std::string escaped;
  for (char c : option) escaped += c == '-' ? std::string("\\\\-") : std::string(1, c);
  return std::regex_search(roff, std::regex("(^|[^-])" + escaped + "([^-A-Za-z]|$)"));
}

class InstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new ScratchDir;
    prefix_ = *scratch_ / "prefix";
    const Outcome installed =
        RunShell(*scratch_, std::string("\"") + QUILLON_CMAKE_COMMAND + "\" --install \"" +
                                QUILLON_BUILD_DIR + "\" --prefix \"" + prefix_ + "\"");
    ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
  }
  static void TearDownTestSuite() {
    delete scratch_;
    scratch_ = nullptr;
  }

  // Runs a shell line in a fresh folder; "{prefix}" stands for the install prefix.
  Outcome Run(std::string line, const std::string& stdin_bytes = "") {
    for (size_t at; (at = line.find("{prefix}")) != std::string::npos;) {
      line.replace(at, 8, prefix_);
    }
    return RunShell(dir_, line, stdin_bytes);
  }
  std::string Installed(const std::string& path) { return Run("cat {prefix}/" + path).out; }
  std::string ManPage(const std::string& name) {
    return Run("gzip -dc {prefix}/share/man/man1/" + name + ".1.gz").out;
  }
  // The words bash completion offers for the last of the words of line (quillon tag -);
  // a line that ends with a space completes an empty word.
  std::set<std::string> Completions(const std::string& line) {
    std::string args;
    std::istringstream in(line);
    for (std::string word; in >> word;) args += " \"" + word + "\"";
    if (line.ends_with(' ')) args += " \"\"";
    dir_.Write(".complete.sh",
               ". \"$1\"; shift\n"
               "COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1))\n"
               "if [ \"$1\" = quillon-gui ]; then _quillon_gui; else _quillon; fi\n"
               "[ ${#COMPREPLY[@]} -eq 0 ] || printf \"%s\\n\" \"${COMPREPLY[@]}\"\n");
    const Outcome o =
        Run("bash --norc --noprofile .complete.sh "
            "{prefix}/share/bash-completion/completions/quillon" +
            args);
    EXPECT_EQ(o.status, 0) << line << ": " << o.err;
    EXPECT_EQ(o.err, "") << line;
    const std::vector<std::string> words = Lines(o.out);
    return {words.begin(), words.end()};
  }

  static ScratchDir* scratch_;
  static std::string prefix_;
  ScratchDir dir_;
};

ScratchDir* InstallTest::scratch_ = nullptr;
std::string InstallTest::prefix_;

constexpr char kSample[] =
    "Mr. Smith didn't know that the old house on the hill had been sold.\n"
    "She reads three books every month.\n";

TEST_F(InstallTest, TagsWithTheInstalledDataAndNoDataOption) {
  ASSERT_FALSE(dir_.Exists("../prefix/bin/Q_data"));
  const Outcome installed = Run("{prefix}/bin/quillon tag --lemma", kSample);
  ASSERT_EQ(installed.status, 0) << installed.err;
  EXPECT_EQ(installed.err, "");
  // The same bytes as the build's own binary reading the source's Q_data.
  const Outcome built = Run("{bin}/quillon tag --lemma -d \"" + kSource + "/Q_data\"", kSample);
  ASSERT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(installed.out, built.out);
  EXPECT_EQ(Lines(installed.out).size(), 2u);
  EXPECT_EQ(installed.out.rfind("Mr._NNP_mr. ", 0), 0u) << installed.out;

  // A file, written to Tagged/ beside it with CR LF line ends.
  dir_.Write("news.txt", kSample);
  const Outcome file = Run("{prefix}/bin/quillon tag -q --lemma news.txt");
  ASSERT_EQ(file.status, 0) << file.err;
  std::string crlf = built.out;
  for (size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2) {
    crlf.replace(at, 1, "\r\n");
  }
  EXPECT_EQ(dir_.Read("Tagged/news_tag.txt"), crlf);
}

TEST_F(InstallTest, TheDataFoundIsTheInstalledFolder) {
  // A copy of the prefix (hard links: /proc/self/exe names the link that was run) without
  // its data: the run must miss it, not find another.
  ASSERT_EQ(Run("cp -al {prefix} moved && rm -r moved/share/quillon/Q_data").status, 0);
  const Outcome o = Run("moved/bin/quillon tag", "text\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "ignore.datが見つかりません\n");
  EXPECT_EQ(o.out, "");
  // Q_data beside the program wins over the installed folder.
  ASSERT_EQ(Run("mkdir moved/bin/Q_data && cp -a {prefix}/share/quillon/Q_data/. moved/bin/Q_data")
                .status,
            0);
  EXPECT_EQ(Run("moved/bin/quillon tag", "text\n").status, 0);
}

// The Python package in Debian's layout: with the prefix's dist-packages on the path it
// imports, finds the installed data without being told, and tags as the installed command
// does; quillon-dask starts from bin/ without it.
TEST_F(InstallTest, ThePythonModuleTagsWithTheInstalledData) {
#ifndef QUILLON_PYTHON
  GTEST_SKIP() << "built without the Python module";
#else
  const std::string python =
      "PYTHONPATH={prefix}/lib/python3/dist-packages "
      "PYTHONDONTWRITEBYTECODE=1 " QUILLON_PYTHON;
  const std::string package = "{prefix}/lib/python3/dist-packages/quillon/";
  for (const char* file : {"__init__.py", "dask.py", "_quillon.pyi", "py.typed", "_quillon.*.so"}) {
    EXPECT_EQ(Run("test -f " + package + file).status, 0) << file;
  }
  dir_.Write("tag.py",
             "import sys, quillon\n"
             "print(quillon.__file__)\n"
             "print(quillon.default_data_dir())\n"
             "for sentence in quillon.Tagger(lemma=True).tag(sys.stdin.read()):\n"
             "    print(' '.join('_'.join(token) for token in sentence))\n");
  const Outcome tagged = Run(python + " tag.py", kSample);
  ASSERT_EQ(tagged.status, 0) << tagged.err;
  const Outcome cli = Run("{prefix}/bin/quillon tag --lemma", kSample);
  ASSERT_EQ(cli.status, 0) << cli.err;
  EXPECT_EQ(tagged.out, prefix_ + "/lib/python3/dist-packages/quillon/__init__.py\n" + prefix_ +
                            "/share/quillon/Q_data\n" + cli.out);
  // The script finds the package installed with it, without PYTHONPATH.
  if (Run(QUILLON_PYTHON " -c \"import distributed\"").status != 0) return;
  const Outcome dask = Run("{prefix}/bin/quillon-dask --help");
  EXPECT_EQ(dask.status, 0) << dask.err;
  EXPECT_NE(dask.out.find("usage: quillon-dask"), std::string::npos) << dask.out;
#endif
}

TEST_F(InstallTest, InstallsEveryFileOfTheLayout) {
  std::vector<std::string> files = {
      "bin/quillon",
      "share/man/man1/quillon.1.gz",
      "share/bash-completion/completions/quillon",
      "share/doc/quillon/copyright",
      "share/doc/quillon/changelog.gz",
  };
  if (QUILLON_HAVE_GUI) {
    files.insert(files.end(), {
                                  "bin/quillon-gui",
                                  "share/man/man1/quillon-gui.1.gz",
                                  "share/bash-completion/completions/quillon-gui",
                                  "share/applications/quillon-gui.desktop",
                                  "share/icons/hicolor/scalable/apps/quillon.svg",
                                  "share/icons/hicolor/16x16/apps/quillon.png",
                                  "share/icons/hicolor/48x48/apps/quillon.png",
                                  "share/icons/hicolor/256x256/apps/quillon.png",
                              });
  }
  for (const std::string& file : files) {
    EXPECT_EQ(Run("test -f {prefix}/" + file + " && test -s {prefix}/" + file).status, 0) << file;
  }
  EXPECT_EQ(Run("test -x {prefix}/bin/quillon").status, 0);
  // Every shipped resource file, byte for byte.
  const Outcome diff = Run("diff -r \"" + kSource + "/Q_data\" {prefix}/share/quillon/Q_data");
  EXPECT_EQ(diff.status, 0) << diff.out;
  // The PNGs are what their names say.
  if (QUILLON_HAVE_GUI) {
    const std::string png = Installed("share/icons/hicolor/48x48/apps/quillon.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x30\0\0\0\x30", 8));  // 48 by 48
  }
}

TEST_F(InstallTest, DesktopEntryStartsTheWindowWithItsIcon) {
  if (!QUILLON_HAVE_GUI) GTEST_SKIP() << "built without the window";
  const std::string entry = Installed("share/applications/quillon-gui.desktop");
  const std::vector<std::string> lines = Lines(entry);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "[Desktop Entry]");
  for (const char* line : {"Type=Application", "Exec=quillon-gui", "Icon=quillon", "Terminal=false",
                           "StartupWMClass=quillon-gui"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
  const std::string svg = Installed("share/icons/hicolor/scalable/apps/quillon.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("viewBox=\"0 0 48 48\""), std::string::npos);
}

TEST_F(InstallTest, ManualPagesRenderWithoutWarnings) {
  std::vector<std::string> pages = {"quillon"};
  if (QUILLON_HAVE_GUI) pages.push_back("quillon-gui");
  for (const std::string& page : pages) {
    const Outcome o = Run("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l " +
                          std::string("{prefix}/share/man/man1/") + page + ".1.gz");
    ASSERT_EQ(o.status, 0) << page << ": " << o.err;
    EXPECT_EQ(o.err, "") << page;
    EXPECT_NE(o.out.find("NAME"), std::string::npos) << page;
    EXPECT_NE(o.out.find("Quillon " + kVersion), std::string::npos) << page;
  }
}

TEST_F(InstallTest, EveryOptionIsInTheManualPageAndTheCompletion) {
  const std::string roff = ManPage("quillon");
  const Outcome top = Run("{prefix}/bin/quillon --help");
  ASSERT_EQ(top.status, 0);
  std::vector<std::string> commands = {""};
  for (const std::string& command : SubcommandsOfHelp(top.out)) {
    commands.push_back(command);
    const Outcome help = Run("{prefix}/bin/quillon " + command + " --help");
    for (const std::string& sub : SubcommandsOfHelp(help.out)) {
      commands.push_back(command + " " + sub);
    }
  }
  ASSERT_GE(commands.size(), 12u);  // the three commands and nine train commands
  for (const std::string& command : commands) {
    if (!command.empty()) {
      EXPECT_NE(roff.find(".B " + command + "\n"), std::string::npos)
          << "quillon(1) has no entry for the command " << command;
      const size_t space = command.rfind(' ');
      const std::string last = command.substr(space == std::string::npos ? 0 : space + 1);
      const std::string before = space == std::string::npos ? "" : " " + command.substr(0, space);
      EXPECT_TRUE(Completions("quillon" + before + " ").count(last))
          << "the completion does not offer " << command;
    }
    const Outcome help = Run("{prefix}/bin/quillon " + command + " --help");
    ASSERT_EQ(help.status, 0) << command;
    const std::vector<std::string> options = OptionsOfHelp(help.out);
    ASSERT_FALSE(options.empty()) << command;
    const std::set<std::string> offered = Completions("quillon " + command + " -");
    for (const std::string& option : options) {
      EXPECT_TRUE(ManPageHasOption(roff, option))
          << "quillon(1) does not describe " << option << " of 'quillon " << command << "'";
      EXPECT_TRUE(offered.count(option))
          << "the completion does not offer " << option << " after 'quillon " << command << "'";
    }
  }
  if (!QUILLON_HAVE_GUI) return;
  const Outcome gui = Run("QT_QPA_PLATFORM=offscreen {prefix}/bin/quillon-gui --help");
  ASSERT_EQ(gui.status, 0) << gui.err;
  const std::string gui_roff = ManPage("quillon-gui");
  const std::set<std::string> offered = Completions("quillon-gui -");
  const std::vector<std::string> options = OptionsOfHelp(gui.out);
  ASSERT_GE(options.size(), 5u);
  for (const std::string& option : options) {
    EXPECT_TRUE(ManPageHasOption(gui_roff, option)) << "quillon-gui(1) lacks " << option;
    EXPECT_TRUE(offered.count(option)) << "the completion lacks quillon-gui " << option;
  }
}

TEST_F(InstallTest, CompletionOffersTheValuesOfFixedChoices) {
  const struct {
    const char* words;
    std::set<std::string> expected;
  } cases[] = {
      {"quillon ", {"tag", "train", "eval"}},
      {"quillon tag -l ", {"0", "1", "2"}},
      {"quillon eval --contextual 1", {"1"}},
      {"quillon tag -s ", {"_", "/"}},
      {"quillon train lexicon -f c", {"conllu"}},
      {"quillon train le", {"lexicon", "lexical", "lemmas"}},
      {"quillon train contextual --seed ", {}},
      {"quillon tag --output-dir nowhere", {}},
      {"quillon tag --format ", {"text", "tsv", "conllu", "json", "xml"}},
      {"quillon tag --input v", {"vertical"}},
      {"quillon eval --format w", {"wordtag"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Completions(c.words), c.expected) << c.words;
  // Files and folders are offered from the working folder.
  dir_.Write("news.txt", "x\n");
  dir_.Write("corpora/a.conllu", "x\n");
  EXPECT_EQ(Completions("quillon tag ne"), std::set<std::string>{"news.txt"});
  EXPECT_EQ(Completions("quillon tag -d "), std::set<std::string>{"corpora"});
  EXPECT_EQ(Completions("quillon train contextual --lexicon n"), std::set<std::string>{"news.txt"});
  EXPECT_EQ(Completions("quillon tag --user-lexicon n"), std::set<std::string>{"news.txt"});
}

TEST_F(InstallTest, TheVersionIsTheProjectVersionEverywhere) {
  EXPECT_EQ(Run("{prefix}/bin/quillon --version").out, "quillon " + kVersion + "\n");
  if (QUILLON_HAVE_GUI) {
    const Outcome gui = Run("QT_QPA_PLATFORM=offscreen {prefix}/bin/quillon-gui --version");
    EXPECT_EQ(gui.out, "quillon-gui " + kVersion + "\n");
    EXPECT_NE(ManPage("quillon-gui").find("\"Quillon " + kVersion + "\""), std::string::npos);
  }
  EXPECT_NE(ManPage("quillon").find("\"Quillon " + kVersion + "\""), std::string::npos);
  // The changelog's newest entry names the version the package is built as.
  const std::string changelog = Run("gzip -dc {prefix}/share/doc/quillon/changelog.gz").out;
  EXPECT_EQ(changelog.rfind("quillon (" + kVersion + ") ", 0), 0u) << changelog.substr(0, 80);
}

}  // namespace
}  // namespace quillon
