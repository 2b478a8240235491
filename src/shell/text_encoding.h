#pragma once
// Conversion between the records' single-byte Windows-1252 texts and UTF-8 at the program's
// edges (JSON, the desktop).

#include <optional>
#include <string>
#include <string_view>

namespace wickly {

// Every byte maps to one character; the five bytes Windows-1252 leaves undefined map to the
// control characters of the same code, as Windows itself does.
std::string cp1252ToUtf8(std::string_view bytes);

// Nothing when the text is not valid UTF-8 or holds a character Windows-1252 cannot store.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

} // namespace wickly
