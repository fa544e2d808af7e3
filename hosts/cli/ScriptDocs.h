// The reference of the host-script language: every statement with its form, its meaning and an example
// that runs as written (the tests run each one).
#pragma once

#include <string>

#include "hosts/cli/MemberDocs.h"

namespace plotara {

// `plotara help script` (Text) and docs/script.md (Markdown).
std::string ScriptReference(ReferenceFormat format);

}  // namespace plotara
