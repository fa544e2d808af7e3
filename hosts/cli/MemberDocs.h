// The reference of the automation interface as the command lists it: every member of the by-name table
// with its meaning, unit, default and range (the library's MemberTextOf); a member without a text makes
// MissingMemberDocs name it (a test holds that list empty).
#pragma once

#include <string>
#include <vector>

namespace plotara {

enum class ReferenceFormat { Text, Markdown };

// `plotara members --long` (Text) and docs/members.md (Markdown): every member, then the events.
std::string MemberReference(ReferenceFormat format);

// `plotara help NAME`: the reference of one member or event (any letter case); "" for no such name.
std::string MemberHelp(const std::string& name);

// Members of the table without a text here.
std::vector<std::string> MissingMemberDocs();

}  // namespace plotara
