// The command as a Unix tool: a script from standard input, no output from a failed run unless asked,
// --quiet, help for every member and statement, and the same options in plotara-view.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hosts/cli/CommandLine.h"
#include "hosts/cli/MemberDocs.h"
#include "hosts/cli/ScriptDocs.h"
#include "support/Command.h"

namespace plotara::test {
namespace {

TEST(UnixTool, ADashReadsTheScriptFromStandardInput) {
  const std::string png = ScratchPath("y.png");
  std::filesystem::remove(png);
  ShellRun r = Shell("printf 'Size 120, 90\\nNewGraph \"x\"\\nPrint GraphIndex\\n' | " + Cli() +
                     " render - -o " + png);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(png).substr(0, 4), "\x89PNG");
  r = Shell("printf 'Print 1+\\n' | " + Cli() + " run -");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("<stdin>:1: syntax error", 0), 0u) << r.err;
  // Standard input cannot be the script and the data at once.
  r = Shell("printf 'NewGraph \"x\"\\nNewDataSet \"d\"\\nData \"-\"\\n' | " + Cli() + " run -");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Data: standard input holds the script"), std::string::npos) << r.err;
}

// Each way a run writes a picture, in a run where a statement fails: nothing is written unless
// --keep-going asks for it, and then the status still tells the failure.
TEST(UnixTool, AFailedRunWritesNoOutputUnlessAskedTo) {
  const std::string out = ScratchPath("out.png"), saved = ScratchPath("saved.png");
  // A scratch folder of this test's own, so that other runs' files in the shared one do not count.
  const std::string scratch = ScratchPath("tmp");
  std::filesystem::create_directories(scratch);
  const std::string failing = "Size 120, 90\nNewGraph \"x\"\nNewDataSet \"d\"\nData \"no-such.csv\"\n";
  struct Row {
    const char* what;
    std::string script;
    std::string args;  // after the script
    std::string file;  // what would be written ("": standard output)
  } rows[] = {
      {"render -o", failing, "-o " + out, out},
      {"render -o -", failing, "-o -", ""},
      {"Save before the failure", "Size 120, 90\nSave \"" + saved + "\"\nNoSuchMember\n", "", saved},
      {"Save after the failure", "Size 120, 90\nNoSuchMember\nSave \"" + saved + "\"\n", "", saved},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string script = WriteScratch("fail.plotara", row.script);
    const std::string command = row.args.empty() ? " run " : " render ";
    for (const bool keep : {false, true}) {
      std::filesystem::remove(out);
      std::filesystem::remove(saved);
      const ShellRun r = Shell("TMPDIR=" + scratch + " " + Cli() + command + script + " " + row.args +
                               (keep ? " --keep-going" : ""));
      EXPECT_EQ(r.status, 1) << r.err;
      const bool written = row.file.empty() ? !r.out.empty() : std::filesystem::exists(row.file);
      EXPECT_EQ(written, keep) << "--keep-going: " << keep;
    }
  }
  // No scratch file is left beside the outputs either.
  const std::string ours = ScratchPath("");
  for (const std::string& folder : {scratch, ::testing::TempDir()})
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (folder == scratch || entry.path().string().starts_with(ours)) {
        EXPECT_EQ(entry.path().string().find(".part-"), std::string::npos) << entry.path();
      }
    }
}

TEST(UnixTool, QuietPrintsNothingButFailures) {
  const std::string script = WriteScratch(
      "quiet.plotara", "Print 1\nNewGraph \"x\"\nNewDataSet \"d\"\nData \"" +
                           WriteScratch("d.csv", "1,2\n3,\n") + "\", Missing:=Skip\nNoSuchMember\n");
  ShellRun r = Shell(Cli() + " run " + script + " --events");
  EXPECT_NE(r.out, "");
  EXPECT_NE(r.err.find("note:"), std::string::npos);
  r = Shell(Cli() + " run " + script + " --events --quiet");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.find("note:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(":5: NoSuchMember: Automation error 438"), std::string::npos) << r.err;
}

TEST(UnixTool, HelpTellsEveryMemberEventAndStatement) {
  struct Row {
    const char* topic;
    const char* holds;
  } rows[] = {
      {"NewGraph", "Sub NewGraph(GraphName As String, [x1 As Double = 0]"},
      {"axisthickness", "Property AxisThickness As Byte\n"},
      {"ErrorMsg", "Event ErrorMsg(Source As String, Description As String)\n"},
      {"script", "Data \"file\"[, X, Y[, E]][, Missing:=Skip|Error]"},
  };
  for (const Row& row : rows) {
    const ShellRun r = Shell(Cli() + " help " + row.topic);
    EXPECT_EQ(r.status, 0) << row.topic << ": " << r.err;
    EXPECT_NE(r.out.find(row.holds), std::string::npos) << row.topic << ": " << r.out;
  }
  const ShellRun none = Shell(Cli() + " help NoSuchThing");
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("no command, member or event 'NoSuchThing'"), std::string::npos);
  // Each host statement the parser knows has its entry.
  const std::string reference = ScriptReference(ReferenceFormat::Text);
  for (const char* statement : {"Print", "Size", "Data", "Save", "Mouse", "Scroll", "SaveClipboard", "Pick"})
    EXPECT_NE(reference.find(std::string("\n") + statement + ": " + statement), std::string::npos)
        << statement;
  EXPECT_EQ(ReadFile(std::string(PLOTARA_SOURCE_DIR) + "/docs/script.md"),
            ScriptReference(ReferenceFormat::Markdown))
      << "docs/script.md is stale: run  build/hosts/cli/plotara help script --markdown > docs/script.md";
}

TEST(UnixTool, RunRenderAndTheViewerReadOptionsAlike) {
  struct Row {
    std::vector<std::string> args;
    Program program;
    std::string problem;  // "" when the arguments are good
  } rows[] = {
      {{"s.plotara", "--size", "400x300", "-q"}, Program::View, ""},
      {{"s.plotara", "--size", "400x300", "-q"}, Program::Run, ""},
      {{"s.plotara", "--size", "12"},
       Program::View,
       "bad size '12' (expected WIDTHxHEIGHT in pixels, each 1 to 20000)"},
      {{"s.plotara", "--size", "12"},
       Program::Run,
       "bad size '12' (expected WIDTHxHEIGHT in pixels, each 1 to 20000)"},
      {{"s.plotara", "--dpi", "192"}, Program::View, "unknown option '--dpi'"},  // the screen decides
      {{"s.plotara", "--screenshot", "x.png"}, Program::Run, "unknown option '--screenshot'"},
      {{"-", "-o", "-", "--format", "svg"}, Program::Render, ""},
      {{"s.plotara", "-o", "x.png", "--format", "svg"},
       Program::Render,
       "--format is for -o - (a file's format follows its name)"},
      {{"s.plotara", "-o", "x.bmp"},
       Program::Render,
       "cannot write 'x.bmp': unsupported format '.bmp' (supported: .png, .svg, .pdf)"},
      {{"s.plotara"}, Program::Render, "render needs -o OUT"},
      {{"--size"}, Program::Run, "--size needs WxH"},
      {{"a", "b"}, Program::View, "more than one script given ('a' and 'b')"},
      {{}, Program::View, "no script given (- reads it from standard input)"},
  };
  for (const Row& row : rows) {
    CommandLine line;
    EXPECT_EQ(ParseCommandLine(row.program, row.args, line), row.problem) << row.args.size();
  }
  CommandLine line;
  ASSERT_EQ(ParseCommandLine(Program::View, {"s.plotara", "--size", "400x300", "--events"}, line), "");
  EXPECT_TRUE(line.Options.SizeGiven && line.Options.Width == 400 && line.Options.PrintEvents);
}

}  // namespace
}  // namespace plotara::test
