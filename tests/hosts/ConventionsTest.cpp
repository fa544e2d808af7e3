// The plotara command follows the conventions of a command-line tool: help on standard output, a
// version, standard input and output as files, statuses that tell failures apart, and a reference of
// the interface that is generated from the member table.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "hosts/cli/MemberDocs.h"
#include "support/Command.h"

namespace {

using plotara::test::ReadFile;
using plotara::test::Shell;
using plotara::test::ShellRun;

const std::string kCli = PLOTARA_CLI;

std::string Script(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + "/" + name;
  std::ofstream(path) << text;
  return path;
}

TEST(Conventions, HelpGoesToStandardOutputWithStatusZero) {
  struct Row {
    const char* args;
    const char* expected;  // a line the help holds
  } rows[] = {
      {"--help", "plotara run SCRIPT"},
      {"-h", "plotara render SCRIPT"},
      {"help", "plotara members"},
      {"help run", "usage: plotara run SCRIPT"},
      {"help render", "-o - writes the picture"},
      {"render --help", "usage: plotara render"},
      {"eval -h", "usage: plotara eval EXPR"},
      {"members --help", "--long"},
  };
  for (const Row& row : rows) {
    const ShellRun r = Shell(kCli + " " + row.args);
    EXPECT_EQ(r.status, 0) << row.args;
    EXPECT_NE(r.out.find(row.expected), std::string::npos) << row.args << ": " << r.out;
    EXPECT_EQ(r.err, "") << row.args;
  }
  const ShellRun v = Shell(kCli + " --version");
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out, "plotara 1.02\n");
  const ShellRun bad = Shell(kCli + " help frobnicate");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("no command, member or event 'frobnicate'"), std::string::npos);
}

TEST(Conventions, PictureToStandardOutputAndPointsFromStandardInput) {
  const std::string script =
      Script("conv-pipe.plotara",
             "Size 200, 100\nNewGraph \"g\"\nNewDataSet \"d\"\nData \"-\"\nPrint \"to stderr\"\nRefresh\n");
  const ShellRun png = Shell("printf '0 1\\n5 7\\n' | " + kCli + " render " + script + " -o -");
  EXPECT_EQ(png.status, 0) << png.err;
  ASSERT_GT(png.out.size(), 8u);
  EXPECT_EQ(png.out.substr(1, 3), "PNG");
  EXPECT_EQ(png.err, "to stderr\n") << "what the script prints does not mix with the picture";
  const ShellRun svg = Shell("printf '0 1\\n' | " + kCli + " render " + script + " -o - --format svg");
  EXPECT_EQ(svg.status, 0) << svg.err;
  EXPECT_NE(svg.out.find("<svg"), std::string::npos);
  const ShellRun bad = Shell("printf '0 1\\n5 x\\n' | " + kCli + " run " + script);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, script + ":4: Data: <stdin>:2: field 2 'x' is not a number\n");
}

TEST(Conventions, StatusesTellFailuresApartWithOneLineEach) {
  struct Row {
    const char* what;
    std::string script;
    int status;
    std::string err;  // the first line of standard error, after the script's path
  } rows[] = {
      {"misspelt member", "NewGraph \"g\"\nAxisColr = 5\nPrint 1\n", 1,
       ":2: AxisColr: Automation error 438: Object doesn't support this property or method"},
      {"ErrorMsg of a method", "SetSelectedData 1\n", 1,
       ":1: SetSelectedData: Error 9 has occured in Plotara.ocx, SetSelectedData: Subscript out of range"},
      {"number out of range", "NewGraph \"g\"\nAxisValue1 = 1e999\n", 2,
       ":2: syntax error: number '1e999' is out of range"},
      {"unparsable line", "NewGraph \"g\n", 2, ":1: syntax error: missing closing quote"},
      {"all well", "NewGraph \"g\"\n", 0, ""},
  };
  int i = 0;
  for (const Row& row : rows) {
    const std::string path = Script("conv-status" + std::to_string(i++) + ".plotara", row.script);
    const ShellRun r = Shell(kCli + " run " + path);
    EXPECT_EQ(r.status, row.status) << row.what;
    EXPECT_EQ(r.err, row.err.empty() ? "" : path + row.err + "\n") << row.what;
  }
}

TEST(Conventions, RenderRefreshesAScriptThatNeverDid) {
  const std::string a = ::testing::TempDir() + "/norefresh.png", b = ::testing::TempDir() + "/refresh.png";
  const std::string chart =
      "Size 240, 160\nNewGraph \"g\"\nNewDataSet \"d\"\nAddDataPoint 1, 2\nAddDataPoint 3, 5\n";
  EXPECT_EQ(Shell(kCli + " render " + Script("conv-norefresh.plotara", chart) + " -o " + a).status, 0);
  EXPECT_EQ(
      Shell(kCli + " render " + Script("conv-refresh.plotara", chart + "Refresh\n") + " -o " + b).status, 0);
  const std::string drawn = ReadFile(b), blank = ReadFile(a);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(blank, drawn);
}

TEST(Conventions, AnUnsupportedFormatNamesTheSupportedOnes) {
  const std::string script = Script("conv-format.plotara", "NewGraph \"g\"\n");
  const ShellRun r = Shell(kCli + " render " + script + " -o out.bmp");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1),
            "plotara: cannot write 'out.bmp': unsupported format '.bmp' (supported: .png, .svg, .pdf)\n");
  const ShellRun f = Shell(kCli + " render " + script + " -o - --format gif");
  EXPECT_EQ(f.status, 2);
  EXPECT_EQ(f.err.substr(0, f.err.find('\n') + 1),
            "plotara: unsupported format 'gif' (supported: png, svg, pdf)\n");
}

TEST(Conventions, TheReferenceDescribesEveryMemberAndIsCurrent) {
  EXPECT_EQ(plotara::MissingMemberDocs(), std::vector<std::string>{})
      << "members without a text in src/control/MemberTexts.cpp";
  const ShellRun r = Shell(kCli + " members --markdown");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(ReadFile(std::string(PLOTARA_SOURCE_DIR) + "/docs/members.md"), r.out)
      << "docs/members.md is stale: run  build/hosts/cli/plotara members --markdown > docs/members.md";
  const ShellRun longForm = Shell(kCli + " members --long");
  EXPECT_NE(
      longForm.out.find(
          "Property AxisTickLength As Single\n    length of the major ticks (minor ticks are 0.7 of it)\n"
          "    unit: mm\n    default: 1.99"),
      std::string::npos);
}

}  // namespace
