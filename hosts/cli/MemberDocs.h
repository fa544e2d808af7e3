// The reference of the automation interface: every member of the by-name table with its meaning, unit,
// default and range. The list of members, their types and parameters come from the table itself and the
// defaults from a fresh control, so the reference follows the interface; the texts are kept here, and a
// member without one makes MissingMemberDocs name it (a test holds that list empty).
#pragma once

#include <string>
#include <vector>

namespace plotara {

enum class ReferenceFormat { Text, Markdown };

// `plotara members --long` (Text) and docs/members.md (Markdown).
std::string MemberReference(ReferenceFormat format);

// Members of the table without a text here.
std::vector<std::string> MissingMemberDocs();

}  // namespace plotara
