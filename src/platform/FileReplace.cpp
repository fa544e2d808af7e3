#include "platform/FileReplace.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace plotara {

std::string SiblingTempPath(const std::string& path) {
  static std::atomic<unsigned long> counter{0};
  return path + ".part-" + std::to_string(static_cast<long>(getpid())) + "-" + std::to_string(++counter);
}

bool ReplaceWithTemp(const std::string& temp, const std::string& path) noexcept {
  if (std::rename(temp.c_str(), path.c_str()) == 0) return true;
  std::remove(temp.c_str());
  return false;
}

void DiscardTemp(const std::string& temp) noexcept {
  std::remove(temp.c_str());
}

}  // namespace plotara
