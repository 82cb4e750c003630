// What the grid engine asks of the window that shows it. The Qt layer
// implements it on the grid widget; tests use a plain fake. All coordinates
// are client pixels of the grid window; rectangles exclude Right and Bottom.
//
// The engine never draws outside a paint cycle: every visual change is a
// repaint request (Invalidate), and the window answers with a paint event in
// which it calls TLapGrid::Paint with a Canvas over the client area. So
// RedrawCell too only invalidates that cell's interior (it computes the caret
// position from TextWidth); the typed cell keeps its text end visible in
// every later paint while it is being typed.
//
// Input goes the other way: the window calls the engine's entry points
// (Paint, Resize, HorzScroll, VertScroll, MouseWheel, and the key, mouse,
// focus and editor handlers) from its own events.
//
// Without a host (TLapGrid::Host == nullptr) the grid runs headless: it
// paints nothing, its client area is 200 x 200 and text is measured with the
// fixed metric below.
#pragma once

#include "grid/lap_types.h"

#include <cstdint>
#include <string>

// Fixed text metric used when there is no host to ask.
namespace headless_metric {
constexpr int CharWidth = 6;   // per byte: a double-byte character is 12
constexpr int TextHeight = 12; // any text, also an empty one
constexpr int ClientWidth = 200;
constexpr int ClientHeight = 200;
inline int Width(const std::string& s) {
    constexpr std::size_t most = (1u << 30) / CharWidth; // no text is wider than that
    return static_cast<int>(s.size() < most ? s.size() : most) * CharWidth;
}
} // namespace headless_metric

enum TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// Parts of a scroll bar that TScrollInfo sets (bits of TScrollInfo::Mask).
enum TScrollInfoMask : unsigned { sifRange = 1, sifPage = 2, sifPos = 4 };

// The classic scroll-info record: the thumb moves over Min .. Max - (Page - 1)
// when Page > 0, else over Min .. Max; Page is the visible extent and sizes
// the thumb (0: no proportional thumb).
struct TScrollInfo {
    unsigned Mask = 0;
    std::int32_t Min = 0;
    std::int32_t Max = 0;
    std::int32_t Page = 0;
    std::int32_t Pos = 0;
    friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

// What a scroll-bar action asks for (the window maps its bar's actions).
enum TScrollCode : std::uint8_t {
    scLineUp, // line left for the horizontal bar
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition, // thumb released at the given position
    scTrack,    // thumb dragged to the given position
    scTop,
    scBottom,
    scEndScroll
};

// Cursor ids the grid asks for. The numbered ones are the grid's own shapes:
// 101 plus (cells), 103 arrow right (gutter), 104 arrow down (header),
// 105 arrow up-left (top-left corner); crHSplit is the platform's left-right
// double arrow over a column border.
enum TGridCursor : std::int32_t {
    crDefault = 0,
    crHSplit = -14,
    crCellPlus = 101,
    crGutterRight = 103,
    crHeaderDown = 104,
    crCornerLeftTop = 105
};

class GridHost {
  public:
    virtual ~GridHost() = default;

    // ---- client area ----
    // Current size of the client area; reflects a scroll bar shown or hidden
    // by ShowScrollBar at once.
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

    // ---- scroll bars ----
    virtual void ShowScrollBar(TScrollBarKind Bar, bool Show) = 0;
    // Sets the parts named in Info.Mask and redraws the bar. Setting the bar
    // must not call back into the grid's scroll handlers.
    virtual void SetScrollInfo(TScrollBarKind Bar, const TScrollInfo& Info) = 0;

    // ---- repaint requests (never erase the background first) ----
    virtual void Invalidate(const TRect& R) = 0;
    virtual void InvalidateAll() = 0;

    // ---- text metrics, in pixels, for code-page text in the given font ----
    virtual int TextWidth(const TFont& Font, const std::string& Text) const = 0;
    virtual int TextHeight(const TFont& Font, const std::string& Text) const = 0;

    // ---- text caret (one per window, shown while typing into a cell) ----
    virtual void CreateCaret(int Width, int Height) = 0;
    virtual void DestroyCaret() = 0;
    virtual void SetCaretPos(int X, int Y) = 0;
    virtual void ShowCaret() = 0;
    virtual void HideCaret() = 0;

    // ---- pointer ----
    virtual void SetCursor(TGridCursor Cursor) = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;

    // ---- focus ----
    virtual bool HasFocus() const = 0;
    virtual void SetFocus() = 0;

    // ---- in-place edit box (a borderless single-line editor over a cell) ----
    // Bounds are the box's outer rectangle. Showing it again moves and refills
    // it. Text changes made by the user come back through the grid's editor
    // handlers; setting the text here does not report a change.
    virtual void ShowEditor(const TRect& Bounds, const std::string& Text, const TFont& Font,
                            TColor Background, THorzAlign Align) = 0;
    virtual void HideEditor() = 0;
    virtual bool EditorVisible() const = 0;
    virtual std::string EditorText() const = 0;
    virtual void SetEditorFocus() = 0;
    virtual bool EditorHasFocus() const = 0;

    // ---- input method: composition window over Rc, text starting at Pos ----
    virtual void SetImeComposition(const TRect& Rc, const TPoint& Pos, const TFont& Font) = 0;

    // ---- owner window: false while a modal dialog blocks it ----
    virtual bool OwnerAcceptsInput() const = 0;
};
