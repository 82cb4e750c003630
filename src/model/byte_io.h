// Little-endian access to packed record images held in byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace byte_io {

inline std::uint8_t U8(std::string_view b, std::size_t off) {
    return static_cast<std::uint8_t>(b[off]);
}

inline std::uint32_t U32(std::string_view b, std::size_t off) {
    return std::uint32_t(U8(b, off)) | std::uint32_t(U8(b, off + 1)) << 8 |
           std::uint32_t(U8(b, off + 2)) << 16 | std::uint32_t(U8(b, off + 3)) << 24;
}

inline std::int32_t I32(std::string_view b, std::size_t off) {
    return static_cast<std::int32_t>(U32(b, off));
}

inline void PutU8(std::string& b, std::size_t off, std::uint8_t v) {
    b[off] = static_cast<char>(v);
}

inline void PutU32(std::string& b, std::size_t off, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[off + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void PutI32(std::string& b, std::size_t off, std::int32_t v) {
    PutU32(b, off, static_cast<std::uint32_t>(v));
}

inline void PutBytes(std::string& b, std::size_t off, std::string_view v) {
    b.replace(off, v.size(), v);
}

// Fields of a record image that may be cut short: a field the data holds
// whole is read from it, any other from the fallback image (the defaults),
// so a short file never mixes the bytes of one field.
class FieldSource {
  public:
    explicit FieldSource(std::string_view data, std::string_view fallback = {})
        : FData(data), FFallback(fallback) {}
    std::string_view Field(std::size_t off, std::size_t size) const {
        return (off + size <= FData.size() ? FData : FFallback).substr(off, size);
    }
    std::uint8_t U8(std::size_t off) const { return byte_io::U8(Field(off, 1), 0); }
    std::uint32_t U32(std::size_t off) const { return byte_io::U32(Field(off, 4), 0); }
    std::int32_t I32(std::size_t off) const { return byte_io::I32(Field(off, 4), 0); }

  private:
    std::string_view FData;
    std::string_view FFallback;
};

} // namespace byte_io
