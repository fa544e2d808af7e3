// Writing a file whole or not at all: the content goes to a new file beside the target, which replaces
// the target only once it is complete. A write that fails midway (a full disk, a vanished folder) leaves
// the old file, or none, never a truncated one.
#pragma once

#include <string>

namespace plotara {

// A name in the target's folder that no other writer in this process uses at the same time.
std::string SiblingTempPath(const std::string& path);

// Renames the complete temp file over path; false (and the temp file removed) when that fails.
bool ReplaceWithTemp(const std::string& temp, const std::string& path) noexcept;

// Removes a temp file left by a failed write.
void DiscardTemp(const std::string& temp) noexcept;

}  // namespace plotara
