// A fixed, zero-terminated text slot as records carry it on disk. The whole
// slot is kept, bytes after the terminator included, so that a file read and
// written back unchanged stays byte for byte the same.
#pragma once

#include "text/sjis.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

template <std::size_t N> struct TCharSlot {
    static_assert(N >= 1);
    static constexpr std::size_t MaxLength = N - 1; // room for the terminator

    std::array<char, N> Bytes{};

    static TCharSlot From(std::string_view s) {
        TCharSlot slot;
        slot.assign(s);
        return slot;
    }

    // The text: bytes up to the first zero byte, at most N - 1 of them.
    std::string str() const {
        const auto end = std::find(Bytes.begin(), Bytes.begin() + MaxLength, '\0');
        return std::string(Bytes.begin(), end);
    }

    // Clears the slot to zeros and stores s cut to N - 1 bytes without
    // splitting a two-byte character.
    void assign(std::string_view s) {
        Bytes.fill('\0');
        const std::string cut = text::CutToBytes(s, MaxLength);
        std::copy(cut.begin(), cut.end(), Bytes.begin());
    }

    // Takes a raw slot image; one without any zero byte keeps its first
    // N - 1 bytes, so the slot is always terminated.
    void assignRaw(std::string_view raw) {
        Bytes.fill('\0');
        std::copy_n(raw.begin(), std::min(raw.size(), N), Bytes.begin());
        const auto last = Bytes.begin() + MaxLength;
        if (std::find(Bytes.begin(), last, '\0') == last) *last = '\0';
    }

    std::string_view raw() const { return std::string_view(Bytes.data(), N); }

    friend bool operator==(const TCharSlot&, const TCharSlot&) = default;
};
