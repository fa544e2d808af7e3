// Running the plotara command as a user does, for the host tests: a shell line (pipes, redirections,
// environment), its status and its two output streams; scratch files that each test names for itself.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace plotara::test {

struct ShellRun {
  int status;  // the exit status; 128 + N when a signal N ended it
  std::string out, err;
};

// Runs commandLine with sh, standard output and error kept apart.
inline ShellRun Shell(const std::string& commandLine) {
  static int runs = 0;
  const std::string errFile =
      ::testing::TempDir() + "/shell." + std::to_string(::getpid()) + "." + std::to_string(++runs) + ".err";
  const std::string cmd = "( " + commandLine + " ) 2>" + errFile;
  FILE* pipe = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  const int status = pclose(pipe);
  std::ifstream e(errFile);
  std::stringstream err;
  err << e.rdbuf();
  std::remove(errFile.c_str());
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return {code, out, err.str()};
}

// The command itself, quoted for a shell line.
inline std::string Cli() {
  return std::string("'") + PLOTARA_CLI + "'";
}

// A path in the test's scratch folder whose name carries the test's name, so that test programs that run
// in parallel never share a file.
inline std::string ScratchPath(const std::string& name) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string tag = test ? std::string(test->test_suite_name()) + "." + test->name() : "none";
  for (char& c : tag)
    if (c == '/') c = '_';
  return ::testing::TempDir() + "/" + tag + "." + name;
}

// Writes text (bytes as they are) to ScratchPath(name) and returns that path.
inline std::string WriteScratch(const std::string& name, const std::string& text) {
  const std::string path = ScratchPath(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace plotara::test
