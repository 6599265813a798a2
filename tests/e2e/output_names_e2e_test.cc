// Output names end to end: every way an output name of `quillon tag` can meet a file that
// is not this output (another input of the run in any spelling, a symbolic or hard link to
// an input, an unrelated file where a numbered name would go, another input's output), and
// names at the edges (a hidden file, an input name of 240 bytes). No file is overwritten
// that the output did not produce; each detour is said in one warning.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunShell;
using testing::ScratchDir;
using testing::WriteDataFolder;

constexpr char kTag[] = "{bin}/quillon tag -q -d Q_data --tokenizer classic ";

int Sh(const std::string& line) { return std::system(line.c_str()); }

struct NameCase {
  std::string name;
  std::function<void(const ScratchDir&)> setup;
  std::string args;                                        // after kTag, run in the scratch folder
  std::string err;                                         // exactly; {dir} is the scratch folder
  std::vector<std::pair<std::string, std::string>> files;  // afterwards
};

std::vector<NameCase> Cases() {
  return {
      {"an input named like another input's output is kept",
       [](const ScratchDir& d) {
         d.Write("x.txt", "cat");
         d.Write("x_tag.txt", "the");
       },
       "-o . x.txt x_tag.txt",
       "An input of this run is ./x_tag.txt; writing ./x_tag(2).txt instead.\n",
       {{"x_tag.txt", "the"}, {"x_tag(2).txt", "cat_NN\r\n"}, {"x_tag_tag.txt", "the_DT\r\n"}}},
      {"the same, tagged in the other order",
       [](const ScratchDir& d) {
         d.Write("x.txt", "cat");
         d.Write("x_tag.txt", "the");
       },
       "-o . x_tag.txt x.txt",
       "An input of this run is ./x_tag.txt; writing ./x_tag(2).txt instead.\n",
       {{"x_tag.txt", "the"}, {"x_tag(2).txt", "cat_NN\r\n"}}},
      {"an input spelled with a folder, ./ and an absolute path",
       [](const ScratchDir& d) {
         d.Write("in/x.txt", "cat");
         d.Write("in/x_tag.txt", "the");
       },
       "-o in in/x.txt {dir}/in/./x_tag.txt",
       "An input of this run is in/x_tag.txt; writing in/x_tag(2).txt instead.\n",
       {{"in/x_tag.txt", "the"}, {"in/x_tag(2).txt", "cat_NN\r\n"}}},
      {"an output name that is a symbolic link to an input",
       [](const ScratchDir& d) {
         d.Write("b.txt", "cat");
         Sh("mkdir -p '" + (d / "Tagged") + "' && ln -s ../b.txt '" + (d / "Tagged/b_tag.txt") +
            "'");
       },
       "b.txt",
       "An input of this run is ./Tagged/b_tag.txt; writing ./Tagged/b_tag(2).txt instead.\n",
       {{"b.txt", "cat"}, {"Tagged/b_tag(2).txt", "cat_NN\r\n"}}},
      {"an output name that is a hard link to an input",
       [](const ScratchDir& d) {
         d.Write("c.txt", "cat");
         Sh("mkdir -p '" + (d / "out") + "' && ln '" + (d / "c.txt") + "' '" +
            (d / "out/c_tag.txt") + "'");
       },
       "-o out c.txt",
       "An input of this run is out/c_tag.txt; writing out/c_tag(2).txt instead.\n",
       {{"c.txt", "cat"}, {"out/c_tag(2).txt", "cat_NN\r\n"}}},
      {"the same input in three spellings gets three outputs",
       [](const ScratchDir& d) { d.Write("d/a.txt", "cat"); },
       "d/a.txt ./d/a.txt {dir}/d/a.txt",
       "Another input of this run also maps to ./d/Tagged/a_tag.txt; writing "
       "./d/Tagged/a_tag(2).txt instead.\n"
       "Another input of this run also maps to {dir}/d/Tagged/a_tag.txt; writing "
       "{dir}/d/Tagged/a_tag(3).txt instead.\n",
       {{"d/Tagged/a_tag.txt", "cat_NN\r\n"}, {"d/Tagged/a_tag(3).txt", "cat_NN\r\n"}}},
      {"an unrelated file where a numbered name would go is passed over",
       [](const ScratchDir& d) {
         d.Write("f/c.txt", "cat");
         d.Write("f/c.md", "the");
         d.Write("f/c_tag(2).txt", "mine");
       },
       "-o f f/c.txt f/c.md",
       "Another input of this run also maps to f/c_tag.txt; writing f/c_tag(3).txt instead.\n",
       {{"f/c_tag.txt", "cat_NN\r\n"},
        {"f/c_tag(2).txt", "mine"},
        {"f/c_tag(3).txt", "the_DT\r\n"}}},
      {"an older output of the same name is replaced, as a rerun should",
       [](const ScratchDir& d) {
         d.Write("g.txt", "cat");
         d.Write("Tagged/g_tag.txt", "OLD");
       },
       "g.txt",
       "",
       {{"Tagged/g_tag.txt", "cat_NN\r\n"}}},
      {"a hidden file keeps its name",
       [](const ScratchDir& d) { d.Write(".notes", "cat"); },
       "-o . .notes",
       "",
       {{".notes_tag.txt", "cat_NN\r\n"}}},
      {"an input name of 240 bytes: the output name is legal, so it is written",
       [](const ScratchDir& d) { d.Write(std::string(236, 'n') + ".txt", "cat"); },
       "-o . " + std::string(236, 'n') + ".txt",
       "",
       {{std::string(236, 'n') + "_tag.txt", "cat_NN\r\n"}}},
  };
}

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class OutputNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(OutputNameTest, NoFileIsOverwrittenThatTheOutputDidNotProduce) {
  const NameCase& c = GetParam();
  ScratchDir dir;
  WriteDataFolder(dir);
  c.setup(dir);
  std::string args = c.args, err = c.err;
  for (std::string* text : {&args, &err}) {
    for (size_t at; (at = text->find("{dir}")) != std::string::npos;) {
      text->replace(at, 5, dir.path());
    }
  }
  const Outcome o = RunShell(dir, kTag + args);
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, err);
  for (const auto& [file, bytes] : c.files) EXPECT_EQ(dir.Read(file), bytes) << file;
  EXPECT_NE(Sh("ls -AR '" + dir.path() + "' | grep -q '[.]tmp$'"), 0) << "a temporary file";
}

INSTANTIATE_TEST_SUITE_P(Names, OutputNameTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace quillon
