// `quillon tag --format` and `--input` end to end: every format on standard output and in
// files, the output names, outputs of random bytes read by real parsers (xmllint, Python's
// json) and by the independent checkers, and each format read back by its reader.
#include <gtest/gtest.h>

#include <random>

#include "tests/e2e/e2e_util.h"
#include "tests/reference/format_checks.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunBinary;
using testing::RunShell;
using testing::ScratchDir;

constexpr char kText[] = "The cat sat on the mat.\nI don't know, \"Mr. Smith\" & <co>.\n\ncats\n";

struct Format {
  const char* name;
  const char* extension;
};
constexpr Format kFormats[] = {
    {"text", "txt"}, {"tsv", "tsv"}, {"conllu", "conllu"}, {"json", "jsonl"}, {"xml", "xml"}};

// The checker of a format's output; "" when valid (and for formats without one).
std::string Check(const std::string& format, const std::string& out) {
  if (format == "conllu") return reference::CheckConllu(out);
  if (format == "json") return reference::CheckJsonLines(out);
  if (format == "xml") return reference::CheckXml(out);
  return "";
}

bool Installed(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

class FormatsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::WriteDataFolder(dir_); }
  Outcome Tag(const std::string& args, const std::string& input = "") {
    return RunBinary(dir_, "quillon tag -d Q_data " + args, input);
  }
  ScratchDir dir_;
};

// Files and standard output get the same bytes from the same writer; only `text` ends its
// lines in CR LF in files.
TEST_F(FormatsTest, EveryFormatWritesTheSameToFilesAndStandardOutput) {
  dir_.Write("in/news.txt", kText);
  for (const Format& f : kFormats) {
    for (const std::string extra : {"", " --lemma", " --multiword", " --tokenizer classic"}) {
      const std::string args = std::string("--format ") + f.name + extra;
      const Outcome piped = Tag(args, kText);
      ASSERT_EQ(piped.status, 0) << args << piped.err;
      EXPECT_EQ(Check(f.name, piped.out), "") << args << "\n" << piped.out;
      const Outcome filed = Tag(args + " in/news.txt");
      ASSERT_EQ(filed.status, 0) << filed.err;
      std::string expected = piped.out;
      if (std::string(f.name) == "text") {
        expected.clear();
        for (const char c : piped.out)
          expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
      }
      EXPECT_EQ(dir_.Read(std::string("in/Tagged/news_tag.") + f.extension), expected) << args;
    }
  }
  // The default is still the word_TAG format, in a .txt file.
  EXPECT_EQ(Tag("--tokenizer classic", "The cat").out, "The_DT cat_NN\n");
}

TEST_F(FormatsTest, NumberedNamesKeepTheFormatsExtension) {
  dir_.Write("a.txt", "cat\n");
  dir_.Write("a.md", "the\n");
  dir_.Write("out/.keep", "");
  const Outcome again = Tag("--format conllu -o out a.txt a.md");
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_NE(dir_.Read("out/a_tag.conllu").find("\tcat\t"), std::string::npos);
  EXPECT_NE(dir_.Read("out/a_tag(2).conllu").find("\tthe\t"), std::string::npos);
  EXPECT_NE(again.err.find("out/a_tag(2).conllu instead"), std::string::npos) << again.err;
}

// Random bytes as a broken or 8-bit file holds them: XML and JSON stay valid (bytes that
// are not UTF-8 become U+FFFD, with a warning that counts them), CoNLL-U keeps its shape.
TEST_F(FormatsTest, RandomBytesGiveOutputThatRealParsersRead) {
  std::mt19937 random(16);
  std::string text;
  const std::string alphabet =
      "ab c.,;\"'<>&]]\t\x01\x1b\x7f\xc3\xa9\xe2\x80\x9d\xff\xfe\xc0\xef\xbf\xbf";
  for (int i = 0; i < 20000; ++i) {
    text.push_back(i % 61 == 60 ? '\n' : alphabet[random() % alphabet.size()]);
  }
  dir_.Write("random.txt", text);
  for (const Format& f : kFormats) {
    for (const std::string tokenizer : {"modern", "classic", "spaces"}) {
      const Outcome o = Tag(std::string("--lemma --format ") + f.name + " --tokenizer " +
                            tokenizer + " -o . random.txt");
      ASSERT_EQ(o.status, 0) << o.err;
      const std::string out = dir_.Read(std::string("random_tag.") + f.extension);
      EXPECT_EQ(Check(f.name, out), "") << f.name << " " << tokenizer;
      const bool replacing = std::string(f.name) == "xml" || std::string(f.name) == "json";
      EXPECT_EQ(o.err.find("written as U+FFFD in the") != std::string::npos, replacing) << o.err;
    }
  }
  if (Installed("xmllint")) {
    EXPECT_EQ(RunShell(dir_, "xmllint --noout random_tag.xml").status, 0);
  }
  if (Installed("/usr/bin/python3")) {
    const Outcome json = RunShell(
        dir_,
        "/usr/bin/python3 -c \"import json,sys\n"
        "n = 0\n"
        "for line in open(\\\"random_tag.jsonl\\\", encoding=\\\"utf-8\\\"):\n"
        "  s = json.loads(line); n += 1\n"
        "  assert len(s[\\\"tokens\\\"]) == len(s[\\\"tags\\\"]) == len(s[\\\"lemmas\\\"])\n"
        "print(n)\"");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_GT(std::atoi(json.out.c_str()), 100);
  }
}

TEST_F(FormatsTest, UsageErrors) {
  EXPECT_EQ(Tag("--format yaml", "x").status, 2);
  EXPECT_EQ(Tag("--input html", "x").status, 2);
  const Outcome split = Tag("--split --input conllu", "x");
  EXPECT_EQ(split.status, 2);
  EXPECT_NE(split.err.find("--split"), std::string::npos);
}

}  // namespace
}  // namespace quillon
