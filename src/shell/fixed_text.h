#pragma once
// A fixed-width single-byte text field as stored in the record files.
//
// The bytes are kept exactly as read, so a record read and written back is identical. A field
// that is never assigned holds zero bytes; assigning a text pads it with blanks on the right or
// cuts it at the width. Texts are Windows-1252 bytes; conversion happens at the program's edges.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wickly {

// Removes trailing blanks. Zero bytes count as blanks too: a never-assigned field reads as empty.
std::string rtrimBlanks(std::string_view s);
// Removes leading blanks (and zero bytes).
std::string ltrimBlanks(std::string_view s);
// True when the text holds nothing but blanks and zero bytes.
bool isBlankText(std::string_view s);

template <std::size_t N> class FixedText
{
public:
    static constexpr std::size_t width = N;

    FixedText() = default;

    // Assignment as the program does it: cut at the width, blanks after the text.
    void assign(std::string_view text)
    {
        for (std::size_t i = 0; i < N; ++i) {
            m_bytes[i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : std::uint8_t{' '};
        }
    }

    static FixedText of(std::string_view text)
    {
        FixedText t;
        t.assign(text);
        return t;
    }

    // All N bytes as stored.
    std::string raw() const { return std::string(reinterpret_cast<const char*>(m_bytes.data()), N); }
    // The text with trailing blanks removed, the form every reader uses.
    std::string str() const { return rtrimBlanks(raw()); }
    bool blank() const { return isBlankText(raw()); }
    char first() const { return static_cast<char>(m_bytes[0]); }

    const std::array<std::uint8_t, N>& bytes() const { return m_bytes; }
    std::array<std::uint8_t, N>& bytes() { return m_bytes; }

    bool operator==(const FixedText&) const = default;

private:
    std::array<std::uint8_t, N> m_bytes{};
};

} // namespace wickly
