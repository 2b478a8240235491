#pragma once
// Little-endian reads and writes at fixed offsets of a byte buffer.
//
// Every stored record is encoded and decoded through these helpers only: values are assembled
// with shifts, so the host's byte order never matters, and no record is ever copied as a struct.
// Callers check the buffer's length once (record sizes are fixed); the helpers assert it again.

#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace wickly::codec {

using Bytes = std::span<std::uint8_t>;
using ConstBytes = std::span<const std::uint8_t>;

inline std::uint8_t getU8(ConstBytes b, std::size_t off)
{
    assert(off + 1 <= b.size());
    return b[off];
}

inline void putU8(Bytes b, std::size_t off, std::uint8_t v)
{
    assert(off + 1 <= b.size());
    b[off] = v;
}

inline std::uint16_t getU16(ConstBytes b, std::size_t off)
{
    assert(off + 2 <= b.size());
    return static_cast<std::uint16_t>(b[off] | (b[off + 1] << 8));
}

inline void putU16(Bytes b, std::size_t off, std::uint16_t v)
{
    assert(off + 2 <= b.size());
    b[off] = static_cast<std::uint8_t>(v & 0xFF);
    b[off + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline std::int16_t getI16(ConstBytes b, std::size_t off)
{
    return static_cast<std::int16_t>(getU16(b, off));
}

inline void putI16(Bytes b, std::size_t off, std::int16_t v)
{
    putU16(b, off, static_cast<std::uint16_t>(v));
}

inline std::uint32_t getU32(ConstBytes b, std::size_t off)
{
    assert(off + 4 <= b.size());
    return static_cast<std::uint32_t>(b[off]) | (static_cast<std::uint32_t>(b[off + 1]) << 8) |
           (static_cast<std::uint32_t>(b[off + 2]) << 16) | (static_cast<std::uint32_t>(b[off + 3]) << 24);
}

inline void putU32(Bytes b, std::size_t off, std::uint32_t v)
{
    assert(off + 4 <= b.size());
    for (int i = 0; i < 4; ++i) {
        b[off + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
    }
}

inline std::int32_t getI32(ConstBytes b, std::size_t off)
{
    return static_cast<std::int32_t>(getU32(b, off));
}

inline void putI32(Bytes b, std::size_t off, std::int32_t v)
{
    putU32(b, off, static_cast<std::uint32_t>(v));
}

inline float getF32(ConstBytes b, std::size_t off)
{
    return std::bit_cast<float>(getU32(b, off));
}

inline void putF32(Bytes b, std::size_t off, float v)
{
    putU32(b, off, std::bit_cast<std::uint32_t>(v));
}

// Raw bytes of a fixed-width field, copied unchanged (text and reserved areas).
template <std::size_t N> std::array<std::uint8_t, N> getRaw(ConstBytes b, std::size_t off)
{
    assert(off + N <= b.size());
    std::array<std::uint8_t, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = b[off + i];
    }
    return out;
}

template <std::size_t N> void putRaw(Bytes b, std::size_t off, const std::array<std::uint8_t, N>& v)
{
    assert(off + N <= b.size());
    for (std::size_t i = 0; i < N; ++i) {
        b[off + i] = v[i];
    }
}

} // namespace wickly::codec
