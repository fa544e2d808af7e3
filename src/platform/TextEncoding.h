// Texts of the control are UTF-8. Bytes that do not form UTF-8 are read as Latin-1, so any text a host
// passes can be measured and drawn.
#pragma once

#include <string>
#include <string_view>

namespace plotara {

std::string ToValidUtf8(std::string_view text);

// Length of the valid UTF-8 sequence at text[i] (1 for ASCII), or 0 when the bytes there do not form one.
size_t Utf8SequenceLength(std::string_view text, size_t i);

// The code point of the valid UTF-8 sequence at text[i] (Utf8SequenceLength > 0).
char32_t Utf8CodePoint(std::string_view text, size_t i);

// The text for a message on a terminal: control characters and bytes that do not form UTF-8 become
// \xHH, so that what a file or a user wrote cannot move the cursor, clear the screen or break the line.
std::string PrintableText(std::string_view text);

}  // namespace plotara
