// Texts of the control are UTF-8. Bytes that do not form UTF-8 are read as Latin-1, so any text a host
// passes can be measured and drawn.
#pragma once

#include <string>
#include <string_view>

namespace plotara {

std::string ToValidUtf8(std::string_view text);

}  // namespace plotara
