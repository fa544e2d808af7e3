// The plotara command as a user runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/Command.h"

namespace {

struct Result {
  int status;
  std::string output;  // stdout and stderr
};

Result RunCli(const std::string& args) {
  const plotara::test::ShellRun r = plotara::test::Shell(plotara::test::Cli() + " " + args + " 2>&1");
  return {r.status, r.out};
}

std::string WriteScript(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + "/" + name;
  std::ofstream(path) << text;
  return path;
}

// Width and height from a PNG header, or 0, 0 when the file is not a PNG.
std::pair<int, int> PngSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char h[24] = {};
  in.read(reinterpret_cast<char*>(h), 24);
  if (!in || h[1] != 'P' || h[2] != 'N' || h[3] != 'G') return {0, 0};
  auto be = [&](int i) { return (h[i] << 24) | (h[i + 1] << 16) | (h[i + 2] << 8) | h[i + 3]; };
  return {be(16), be(20)};
}

TEST(Cli, RunPrintsVersionAndGraphIndex) {
  const Result r = RunCli("run " + WriteScript("v.plotara", "Print Version, GraphIndex\n"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "1.02\t0\n");
}

TEST(Cli, RenderWritesAPngOfTheRequestedSize) {
  const std::string script = WriteScript("r.plotara", "Reset\n");
  const std::string sized = WriteScript("s.plotara", "Size 300, 200\n");
  const std::string png = ::testing::TempDir() + "/r.png";
  struct Row {
    const char* options;
    int w, h;
  };
  for (const Row& row :
       {Row{"--size 400x300", 400, 300}, Row{"--size 400x300 --dpi 192", 800, 600}, Row{"", 800, 600}}) {
    std::remove(png.c_str());
    const Result r = RunCli("render " + script + " -o " + png + " " + row.options);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(PngSize(png), std::make_pair(row.w, row.h)) << row.options;
  }
  // A script's own Size holds unless the command line gives one.
  EXPECT_EQ(RunCli("render " + sized + " -o " + png).status, 0);
  EXPECT_EQ(PngSize(png), std::make_pair(300, 200));
  EXPECT_EQ(RunCli("render " + sized + " -o " + png + " --size 500x100 --dpi 192").status, 0);
  EXPECT_EQ(PngSize(png), std::make_pair(1000, 200));
}

TEST(Cli, PngLevelSetsTheCompressionOfThePicture) {
  const std::string script = WriteScript("z.plotara", "Size 300, 200\nNewGraph \"z\"\n");
  const std::string png = ::testing::TempDir() + "/z.png";
  std::vector<uintmax_t> sizes;
  for (const char* level : {"0", "9"}) {
    EXPECT_EQ(RunCli("render " + script + " -o " + png + " --png-level " + level).status, 0);
    sizes.push_back(std::filesystem::file_size(png));
  }
  EXPECT_GT(sizes[0], 300u * 200 * 3) << "level 0 keeps every byte of the pixels";
  EXPECT_LT(sizes[1] * 10, sizes[0]);
}

TEST(Cli, FailuresAreOneClearLine) {
  struct Row {
    std::string args;
    int status;
    std::string output;
  };
  const std::string script = WriteScript("f.plotara", "Reset\n");
  const Row rows[] = {
      {"run /no/such.plotara", 1,
       "plotara: cannot open script '/no/such.plotara': No such file or directory\n"},
      {"render " + script + " -o /no/such/dir/out.png", 1,
       "plotara: cannot write '/no/such/dir/out.png': Path/File access error\n"},
      {"run " + WriteScript("bad.plotara", "Reset\nNewGraph \"x\n"), 2, ""},
  };
  for (const Row& row : rows) {
    const Result r = RunCli(row.args);
    EXPECT_EQ(r.status, row.status) << row.args;
    if (!row.output.empty()) {
      EXPECT_EQ(r.output, row.output);
    }
  }
  EXPECT_NE(
      RunCli("run " + WriteScript("bad2.plotara", "Reset\nNewGraph \"x\n")).output.find(":2: syntax error"),
      std::string::npos);
}

TEST(Cli, UsageMistakesExitWithTwo) {
  for (const char* args : {"", "frobnicate", "run", "render x.plotara", "run x --size 0x5", "run x --dpi abc",
                           "render x.plotara -o x.png --png-level 10"}) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.output.find("usage:"), std::string::npos) << args;
  }
}

TEST(Cli, MembersListsTheInterface) {
  const Result r = RunCli("members");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.output.find("Property Version As String (read-only)\n"), std::string::npos);
  EXPECT_NE(r.output.find("Sub Reset()\n"), std::string::npos);
}

}  // namespace
