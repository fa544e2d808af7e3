// Writing a file whole or not at all: the content goes to a new file beside the target, which replaces
// the target only once it is complete. A write that fails midway (a full disk, a vanished folder) leaves
// the old file, or none, never a truncated one.
//
// What the user set on the file stays: a symbolic link is followed to the file it leads to, which is the
// one replaced (the link stays a link), and the new file takes the old one's mode and, where the process
// may give it, its owner and group.
#pragma once

#include <string>

namespace plotara {

// A name in the folder of the file that a write to path replaces (path, or where its links lead) that no
// other writer in this process uses at the same time.
std::string SiblingTempPath(const std::string& path);

// Gives the complete temp file the mode and owner of the file it replaces, then renames it over that
// file; false (and the temp file removed) when the rename fails.
bool ReplaceWithTemp(const std::string& temp, const std::string& path) noexcept;

// Removes a temp file left by a failed write.
void DiscardTemp(const std::string& temp) noexcept;

}  // namespace plotara
