// Plain value types shared by the grid, the model and the window.
#pragma once

#include <cstdint>
#include <string>

using TColor = std::uint32_t; // 0x00BBGGRR, or 0xFF000000 + system colour index

namespace sys_color {
constexpr TColor Base = 0xFF000000u;
constexpr TColor Window = Base + 5;
constexpr TColor WindowText = Base + 8;
constexpr TColor Highlight = Base + 13;
constexpr TColor BtnFace = Base + 15;
constexpr TColor BtnShadow = Base + 16;
constexpr TColor GrayText = Base + 17;
constexpr TColor BtnHighlight = Base + 20;
} // namespace sys_color

constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000u) == 0xFF000000u;
}
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Pixel rectangles exclude Right and Bottom; cell-index rectangles include them.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
    std::int32_t Width() const { return Right - Left; }
    std::int32_t Height() const { return Bottom - Top; }
    // Cell-index rectangles: one cell only, and whether a cell lies inside.
    bool IsSingle() const { return Left == Right && Top == Bottom; }
    bool Contains(int Col, int Row) const {
        return Col >= Left && Col <= Right && Row >= Top && Row <= Bottom;
    }
};

enum THorzAlign : std::uint8_t { haLeft, haCenter, haRight };
enum TVertAlign : std::uint8_t { vaTop, vaCenter, vaBottom };
enum TGutterKind : std::uint8_t { gkNone, gkBlank, gkPointer, gkNumber, gkString };

// Split result of one row: how the current time compares with the best.
enum TTimeFormat : std::uint8_t { tfMinus = 0, tfPlus = 1, tfEven = 2, tfNone = 3 };

// Kind of an undo record and of an OnCellChange notice.
enum TBufferType : std::uint8_t {
    btEdit,
    btCut,
    btPaste,
    btDelete,
    btAutoFill,
    btAddLine,
    btInsLine,
    btDelLine,
    btCopyThisTime,
    btDeleteThisTime,
    btNone
};

// Font style bits as stored in files: bold, italic, underline, strike-out.
enum TFontStyleBit : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font as the core knows it; the Qt layer turns it into a QFont.
// Name holds code-page bytes, Size is in points, Style the bits above.
struct TFont {
    std::string Name = "MS UI Gothic";
    std::int32_t Size = 9;
    TColor Color = sys_color::WindowText;
    std::uint8_t Style = 0;
    std::uint8_t Charset = 1; // DEFAULT_CHARSET
    friend bool operator==(const TFont&, const TFont&) = default;
};

// The error every bounds-checked cell access raises.
#include <stdexcept>
class ECellIndexError : public std::out_of_range {
  public:
    ECellIndexError() : std::out_of_range("Cell Index out of bound.") {}
};
