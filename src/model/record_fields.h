// The fields of a packed record image, listed once per record. A record's
// list is a function template that names each field with its offset; run
// with FieldWriter it writes the image, with FieldReader it reads it, with
// FieldLister it gives the layout (name, offset, width, kind) to check. The
// width and kind follow from the member's type.
#pragma once

#include "model/byte_io.h"
#include "model/char_slot.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

namespace byte_io {

enum class TFieldKind : std::uint8_t {
    U8,    // one byte
    I32,   // little-endian signed 32 bits
    U32,   // little-endian unsigned 32 bits
    Chars, // a zero-terminated text slot
    Bytes, // an area carried as it is, read whole or not at all
};

struct TFieldSpan {
    std::string Name;
    std::size_t Offset;
    std::size_t Width;
    TFieldKind Kind;
    std::size_t Count = 1; // elements of an array, each read on its own
};

namespace field_detail {
template <class T> struct Traits;
template <> struct Traits<std::uint8_t> {
    static constexpr std::size_t Width = 1;
    static constexpr TFieldKind Kind = TFieldKind::U8;
    static void Put(std::string& b, std::size_t off, std::uint8_t v) { PutU8(b, off, v); }
    static void Get(const FieldSource& f, std::size_t off, std::uint8_t& v) { v = f.U8(off); }
};
template <> struct Traits<std::int32_t> {
    static constexpr std::size_t Width = 4;
    static constexpr TFieldKind Kind = TFieldKind::I32;
    static void Put(std::string& b, std::size_t off, std::int32_t v) { PutI32(b, off, v); }
    static void Get(const FieldSource& f, std::size_t off, std::int32_t& v) { v = f.I32(off); }
};
template <> struct Traits<std::uint32_t> {
    static constexpr std::size_t Width = 4;
    static constexpr TFieldKind Kind = TFieldKind::U32;
    static void Put(std::string& b, std::size_t off, std::uint32_t v) { PutU32(b, off, v); }
    static void Get(const FieldSource& f, std::size_t off, std::uint32_t& v) { v = f.U32(off); }
};
template <std::size_t N> struct Traits<TCharSlot<N>> {
    static constexpr std::size_t Width = N;
    static constexpr TFieldKind Kind = TFieldKind::Chars;
    static void Put(std::string& b, std::size_t off, const TCharSlot<N>& v) {
        PutBytes(b, off, v.raw());
    }
    static void Get(const FieldSource& f, std::size_t off, TCharSlot<N>& v) {
        v.assignRaw(f.Field(off, N));
    }
};
template <class T> using Plain = std::remove_const_t<T>;
} // namespace field_detail

// A byte area read whole: a short image gives all of it or the fallback's.
template <std::size_t N> struct TWholeBytes { std::array<std::uint8_t, N>& Bytes; };
template <std::size_t N> struct TWholeBytesConst { const std::array<std::uint8_t, N>& Bytes; };
template <std::size_t N> TWholeBytes<N> Whole(std::array<std::uint8_t, N>& a) {
    return {a};
}
template <std::size_t N> TWholeBytesConst<N> Whole(const std::array<std::uint8_t, N>& a) {
    return {a};
}

// Writes each field at Base + its offset.
class FieldWriter {
  public:
    FieldWriter(std::string& bytes, std::size_t base) : FBytes(bytes), FBase(base) {}
    template <class T> void operator()(const char*, std::size_t off, const T& v) {
        field_detail::Traits<T>::Put(FBytes, FBase + off, v);
    }
    template <class T, std::size_t N>
    void operator()(const char* name, std::size_t off, const std::array<T, N>& a) {
        for (std::size_t i = 0; i < N; ++i)
            (*this)(name, off + field_detail::Traits<T>::Width * i, a[i]);
    }
    template <std::size_t N> void operator()(const char*, std::size_t off, TWholeBytesConst<N> w) {
        for (std::size_t i = 0; i < N; ++i)
            PutU8(FBytes, FBase + off + i, w.Bytes[i]);
    }

  private:
    std::string& FBytes;
    std::size_t FBase;
};

// Reads each field from its offset, a field the image cuts short from the
// fallback (see FieldSource).
class FieldReader {
  public:
    explicit FieldReader(const FieldSource& source) : FSource(source) {}
    template <class T> void operator()(const char*, std::size_t off, T& v) {
        field_detail::Traits<T>::Get(FSource, off, v);
    }
    template <class T, std::size_t N>
    void operator()(const char* name, std::size_t off, std::array<T, N>& a) {
        for (std::size_t i = 0; i < N; ++i)
            (*this)(name, off + field_detail::Traits<T>::Width * i, a[i]);
    }
    template <std::size_t N> void operator()(const char*, std::size_t off, TWholeBytes<N> w) {
        const auto bytes = FSource.Field(off, N);
        for (std::size_t i = 0; i < N; ++i)
            w.Bytes[i] = U8(bytes, i);
    }

  private:
    const FieldSource& FSource;
};

// Collects the layout: one span per field, an array as one span.
class FieldLister {
  public:
    std::vector<TFieldSpan> Spans;
    template <class T> void operator()(const char* name, std::size_t off, const T&) {
        using Tr = field_detail::Traits<T>;
        Spans.push_back(TFieldSpan{name, off, Tr::Width, Tr::Kind});
    }
    template <class T, std::size_t N>
    void operator()(const char* name, std::size_t off, const std::array<T, N>&) {
        using Tr = field_detail::Traits<T>;
        Spans.push_back(TFieldSpan{name, off, Tr::Width * N, Tr::Kind, N});
    }
    template <std::size_t N>
    void operator()(const char* name, std::size_t off, TWholeBytesConst<N>) {
        Spans.push_back(TFieldSpan{name, off, N, TFieldKind::Bytes});
    }
};

} // namespace byte_io
