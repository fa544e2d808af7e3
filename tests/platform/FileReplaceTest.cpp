// Files written whole: the new content replaces the file the user named, keeping its mode and owner, and
// a symbolic link keeps leading to the file that now holds it.
#include "platform/FileReplace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/Command.h"

namespace plotara {
namespace {

namespace fs = std::filesystem;

// Writes text to path the way the savers do: into the temp file, then in place.
bool WriteWhole(const std::string& path, const std::string& text) {
  const std::string temp = SiblingTempPath(path);
  std::ofstream(temp, std::ios::binary) << text;
  return ReplaceWithTemp(temp, path);
}

TEST(FileReplace, WritesThroughLinksToTheFileTheyLeadTo) {
  const fs::path dir = test::ScratchPath("dir"), other = test::ScratchPath("other");
  fs::remove_all(dir);
  fs::remove_all(other);
  fs::create_directories(dir);
  fs::create_directories(other);
  struct Row {
    const char* what;
    std::string link;    // the name written to; "" writes the target itself
    std::string target;  // where the text must land
  } rows[] = {
      {"a plain file", "", (dir / "plain.png").string()},
      {"a relative link", "rel.png", (dir / "a.png").string()},
      {"a link into another folder", "far.png", (other / "b.png").string()},
      {"a link to a link", "chain.png", (dir / "c.png").string()},
      {"a link to a file not yet made", "dangling.png", (other / "new.png").string()},
  };
  fs::create_symlink("a.png", dir / "rel.png");
  fs::create_symlink(other / "b.png", dir / "far.png");
  fs::create_symlink("c.png", dir / "c-link.png");
  fs::create_symlink("c-link.png", dir / "chain.png");
  fs::create_symlink(other / "new.png", dir / "dangling.png");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    if (row.link != "dangling.png") std::ofstream(row.target) << "old";
    const std::string written = row.link.empty() ? row.target : (dir / row.link).string();
    ASSERT_TRUE(WriteWhole(written, "new"));
    EXPECT_EQ(test::ReadFile(row.target), "new");
    if (!row.link.empty()) {
      EXPECT_TRUE(fs::is_symlink(dir / row.link));
    }
  }
  // No temp file is left in either folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 8);  // three files, five links
  EXPECT_EQ(std::distance(fs::directory_iterator(other), {}), 2);
}

TEST(FileReplace, KeepsTheModeAndOwnerOfTheFileItReplaces) {
  const std::string path = test::ScratchPath("kept.png");
  struct Row {
    mode_t mode;
  } rows[] = {{0600}, {0640}, {0755}, {0444}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    fs::remove(path);
    std::ofstream(path) << "old";
    ASSERT_EQ(::chmod(path.c_str(), row.mode), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
      ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    }
    ASSERT_TRUE(WriteWhole(path, "new"));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, row.mode);
    if (root) {
      EXPECT_EQ(st.st_uid, 4321u);
      EXPECT_EQ(st.st_gid, 4322u);
    }
    EXPECT_EQ(test::ReadFile(path), "new");
  }
  // A new file gets what the umask allows, as any file the user makes.
  fs::remove(path);
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(WriteWhole(path, "new"));
  ::umask(mask);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

}  // namespace
}  // namespace plotara
