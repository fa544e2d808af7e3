#include "platform/FileReplace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>

namespace plotara {

namespace {

namespace fs = std::filesystem;

// The file a write to path lands in: path, or where its chain of links ends (also when the last link
// leads to no file yet). The system's own bound on links applies; past it the last name found is taken.
std::string WriteTarget(const std::string& path) {
  constexpr int kMaxLinks = 40;
  fs::path at = path;
  std::error_code ec;
  for (int i = 0; i < kMaxLinks && fs::is_symlink(fs::symlink_status(at, ec)); ++i) {
    const fs::path next = fs::read_symlink(at, ec);
    if (ec) break;
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
  return at.string();
}

}  // namespace

std::string SiblingTempPath(const std::string& path) {
  static std::atomic<unsigned long> counter{0};
  return WriteTarget(path) + ".part-" + std::to_string(static_cast<long>(getpid())) + "-" +
         std::to_string(++counter);
}

bool ReplaceWithTemp(const std::string& temp, const std::string& path) noexcept {
  const std::string target = WriteTarget(path);
  struct stat old;
  if (::stat(target.c_str(), &old) == 0) {
    // The owner first: changing it may clear the set-id bits that the mode then restores. A process that
    // may not give the file away keeps at least the group where it belongs to it.
    if (::chown(temp.c_str(), old.st_uid, old.st_gid) != 0 && ::chown(temp.c_str(), -1, old.st_gid) != 0) {
      // Neither: the file stays the process's own, as any file it makes.
    }
    ::chmod(temp.c_str(), old.st_mode & 07777);
  }
  if (std::rename(temp.c_str(), target.c_str()) == 0) return true;
  std::remove(temp.c_str());
  return false;
}

void DiscardTemp(const std::string& temp) noexcept {
  std::remove(temp.c_str());
}

}  // namespace plotara
