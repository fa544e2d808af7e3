// The command's reads and writes when files and streams misbehave: a disk that fails, a folder or an
// endless stream where a script should be, a full standard output, an output file whose mode, owner or
// link the user set, a picture larger than the control makes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Command.h"

namespace plotara::test {
namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool IsPng(const std::string& path) {
  return ReadFile(path).substr(0, 4) == "\x89PNG";
}

TEST(Files, APictureLargerThanTheControlMakesFailsAndWritesNothing) {
  const std::string script = WriteScratch("s.plotara", "NewGraph \"g\"\n");
  const std::string png = ScratchPath("out.png");
  for (const char* size : {"--size 20000x20000", "--size 10000x8000 --dpi 192"}) {
    SCOPED_TRACE(size);
    std::filesystem::remove(png);
    const ShellRun r = Shell(Cli() + " render " + script + " -o " + png + " " + size);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is too large"), std::string::npos) << r.err;
    EXPECT_FALSE(Exists(png)) << "no stand-in picture";
  }
}

TEST(Files, AScriptWithoutEndIsRefusedWithinItsBounds) {
  // The memory limit turns an unbounded read into a crash the test sees, instead of a machine that swaps.
  // A sanitizer reserves terabytes of address space up front, so there the time limit alone bounds it.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  const std::string limit;
#else
  const std::string limit = "ulimit -v 2000000; ";
#endif
  const std::string bounded = "timeout 120 ";
  struct Row {
    std::string command;
    std::string problem;
  } rows[] = {
      {limit + bounded + Cli() + " run /dev/zero", "line 1 is longer than 1048576 bytes"},
      {limit + "yes \"' a comment\" | " + bounded + Cli() + " run /dev/stdin", "is larger than 16 MiB"},
  };
  for (const Row& row : rows) {
    const ShellRun r = Shell(row.command);
    EXPECT_EQ(r.status, 1) << row.command << ": " << r.err;
    EXPECT_NE(r.err.find(row.problem), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
  }
}

TEST(Files, AReadErrorIsNotTheEndOfTheFile) {
  const std::string folder = ScratchPath("folder");
  std::filesystem::create_directories(folder);
  const std::string png = ScratchPath("out.png");
  const std::string data =
      WriteScratch("mem.plotara", "NewGraph \"g\"\nNewDataSet \"d\"\nData \"/proc/self/mem\"\n");
  struct Row {
    std::string args;
    std::string problem;
  } rows[] = {
      {"run " + folder, "cannot read script '" + folder + "': Is a directory"},
      {"render " + folder + " -o " + png, "cannot read script '" + folder + "': Is a directory"},
      // Reading a process's memory at address 0 fails with EIO, as a failing disk does.
      {"run " + data, "Data: cannot read '/proc/self/mem': Input/output error"},
  };
  for (const Row& row : rows) {
    std::filesystem::remove(png);
    const ShellRun r = Shell(Cli() + " " + row.args);
    EXPECT_EQ(r.status, 1) << row.args;
    EXPECT_NE(r.err.find(row.problem), std::string::npos) << row.args << ": " << r.err;
    EXPECT_FALSE(Exists(png)) << row.args;
  }
}

TEST(Files, AFullStandardOutputFailsTheCommand) {
  const std::string script = WriteScratch("p.plotara", "Print 1\n");
  for (const std::string& args :
       std::vector<std::string>{"run " + script, "eval 1+1", "members", "members --long", "--help",
                                "help run", "--version", "render " + script + " -o -"}) {
    const ShellRun r = Shell(Cli() + " " + args + " >/dev/full");
    EXPECT_EQ(r.status, 1) << args;
    EXPECT_NE(r.err.find("standard output"), std::string::npos) << args << ": " << r.err;
  }
}

// Each way the command saves a picture: the output file keeps the mode and owner the user gave it, and a
// symbolic link stays a link to a file that now holds the picture.
TEST(Files, SavingKeepsWhatTheUserSetOnTheOutput) {
  const std::string target = ScratchPath("target.png"), link = ScratchPath("link.png");
  const std::string chart = "Size 120, 90\nNewGraph \"g\"\nRefresh\n";
  struct Row {
    const char* how;
    const char* command;  // SCRIPT and OUT stand for the script's path and the output's
    const char* script;   // after the chart
  } rows[] = {
      {"render -o", "render SCRIPT -o OUT", ""},
      {"Save", "run SCRIPT", "Save \"OUT\"\n"},
      {"SaveClipboard", "run SCRIPT", "CopyToClipboard\nSaveClipboard \"OUT\"\n"},
  };
  auto replace = [](std::string text, const std::string& what, const std::string& by) {
    return text.replace(text.find(what), what.size(), by);
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.how);
    for (const bool throughLink : {false, true}) {
      std::filesystem::remove(link);
      WriteScratch("target.png", "old");
      ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
      const bool root = ::geteuid() == 0;
      if (root) {
        ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
      }
      if (throughLink) std::filesystem::create_symlink(target, link);
      const std::string out = throughLink ? link : target;
      std::string script = chart + row.script;
      if (script.find("OUT") != std::string::npos) script = replace(script, "OUT", out);
      std::string command = replace(row.command, "SCRIPT", WriteScratch("save.plotara", script));
      if (command.find("OUT") != std::string::npos) command = replace(command, "OUT", out);
      const ShellRun r = Shell(Cli() + " " + command);
      ASSERT_EQ(r.status, 0) << r.err;
      EXPECT_TRUE(IsPng(target)) << "through a link: " << throughLink;
      struct stat st;
      ASSERT_EQ(::stat(target.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 07777, 0640u) << "through a link: " << throughLink;
      if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
      }
      if (throughLink) {
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link stays a link";
      }
    }
  }
}

TEST(Files, SaveClipboardWritesTheFormatItsNameSaysAndOnlyPictures) {
  const std::string script = ScratchPath("clip.plotara");
  const std::string head = "Size 120, 90\nNewGraph \"g\"\nRefresh\nCopyToClipboard\n";
  struct Row {
    const char* name;
    const char* starts;  // what the file starts with; nullptr: refused
  } rows[] = {
      {"clip.png", "\x89PNG"},
      {"clip.svg", "<?xml"},
      {"clip.pdf", "%PDF"},
      {"clip.bmp", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string out = ScratchPath(row.name);
    std::filesystem::remove(out);
    WriteScratch("clip.plotara", head + "SaveClipboard \"" + out + "\"\n");
    const ShellRun r = Shell(Cli() + " run " + script);
    if (row.starts != nullptr) {
      EXPECT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(ReadFile(out).substr(0, std::string(row.starts).size()), row.starts);
    } else {
      EXPECT_EQ(r.status, 1);
      EXPECT_NE(r.err.find("unsupported format '.bmp'"), std::string::npos) << r.err;
      EXPECT_FALSE(Exists(out));
    }
  }
  // The running script is no picture: it stays as it was.
  const std::string self = head + "SaveClipboard \"" + script + "\"\n";
  WriteScratch("clip.plotara", self);
  EXPECT_EQ(Shell(Cli() + " run " + script).status, 1);
  EXPECT_EQ(ReadFile(script), self);
}

TEST(Files, PictureToStandardOutputUsesTheScratchFolderTheUserNames) {
  const std::string script = WriteScratch("t.plotara", "Size 60, 40\nNewGraph \"g\"\n");
  const std::string folder = ScratchPath("tmp");
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  ShellRun r = Shell("TMPDIR=" + folder + " " + Cli() + " render " + script + " -o -");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 4), "\x89PNG");
  EXPECT_TRUE(std::filesystem::is_empty(folder)) << "nothing left behind";
  // A TMPDIR that is no folder is reported, not passed over for /tmp.
  const std::string notAFolder = WriteScratch("tmpfile", "");
  r = Shell("TMPDIR=" + notAFolder + " " + Cli() + " render " + script + " -o -");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(notAFolder), std::string::npos) << r.err;
}

}  // namespace
}  // namespace plotara::test
