#include "text_encoding.h"

#include <array>
#include <cstdint>

namespace wickly {

namespace {

// The characters of bytes 0x80-0x9F. The five bytes Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the C1 control character of the same code.
constexpr std::array<char32_t, 32> kHighControls = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021', // 80-87
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F', // 88-8F
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014', // 90-97
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178', // 98-9F
};

char32_t characterOf(std::uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte; // ASCII and 0xA0-0xFF are the code points of the same number
}

// The byte of a character, or -1 when Windows-1252 has none.
int byteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Every character of the table lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        appendUtf8(out, characterOf(static_cast<std::uint8_t>(b)));
    }
    return out;
}

std::optional<std::string> utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        char32_t c = 0;
        std::size_t length = 0;
        char32_t smallest = 0; // below this the sequence is an overlong form
        if (lead < 0x80) {
            c = lead;
            length = 1;
        } else if ((lead & 0xE0) == 0xC0) {
            c = lead & 0x1F;
            length = 2;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            c = lead & 0x0F;
            length = 3;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            c = lead & 0x07;
            length = 4;
            smallest = 0x10000;
        } else {
            return std::nullopt; // a continuation byte or 0xF8-0xFF cannot start a character
        }
        if (utf8.size() - i < length) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return std::nullopt;
        }
        const int b = byteOf(c);
        if (b < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(b);
        i += length;
    }
    return out;
}

} // namespace wickly
