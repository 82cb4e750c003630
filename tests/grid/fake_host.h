// A fake grid window and a recording canvas for tests of the grid and of
// what draws through it. The host keeps whatever the grid set (bars, caret,
// cursor, capture, focus, editor) and a list of repaint requests.
#pragma once

#include "grid/canvas.h"
#include "grid/grid_host.h"

#include <string>
#include <vector>

// Showing a scroll bar takes BarSize pixels off the client area, as a real
// window does.
class FakeHost : public GridHost {
  public:
    int Width = 300, Height = 200, BarSize = 16; // outer size, bars included
    bool HorzShown = false, VertShown = false;
    TScrollInfo HorzInfo, VertInfo;
    std::vector<TRect> Invalidated;
    int InvalidateAllCount = 0;
    bool CaretCreated = false, CaretShown = false;
    int CaretH = 0;
    TPoint CaretPos{-1, -1};
    TGridCursor Cursor = crDefault;
    bool Captured = false, Focused = false, OwnerEnabled = true;
    bool EditorShown = false, EditorFocused = false;
    TRect EditorBounds;
    std::string EditorTextValue;
    TFont EditorFont;
    TRect ImeRect;

    void ClearRequests() { Invalidated.clear(), InvalidateAllCount = 0; }
    int ClientWidth() const override { return Width - (VertShown ? BarSize : 0); }
    int ClientHeight() const override { return Height - (HorzShown ? BarSize : 0); }
    void ShowScrollBar(TScrollBarKind Bar, bool Show) override {
        (Bar == sbHorizontal ? HorzShown : VertShown) = Show;
    }
    void SetScrollInfo(TScrollBarKind Bar, const TScrollInfo& Info) override {
        TScrollInfo& t = Bar == sbHorizontal ? HorzInfo : VertInfo;
        if (Info.Mask & sifRange) t.Min = Info.Min, t.Max = Info.Max;
        if (Info.Mask & sifPage) t.Page = Info.Page;
        if (Info.Mask & sifPos) t.Pos = Info.Pos;
        t.Mask |= Info.Mask;
    }
    void Invalidate(const TRect& R) override { Invalidated.push_back(R); }
    void InvalidateAll() override { ++InvalidateAllCount; }
    int TextWidth(const TFont&, const std::string& Text) const override {
        return headless_metric::Width(Text);
    }
    int TextHeight(const TFont&, const std::string&) const override {
        return headless_metric::TextHeight;
    }
    void CreateCaret(int, int H) override { CaretCreated = true, CaretH = H; }
    void DestroyCaret() override { CaretCreated = CaretShown = false; }
    void SetCaretPos(int X, int Y) override { CaretPos = TPoint{X, Y}; }
    void ShowCaret() override { CaretShown = true; }
    void HideCaret() override { CaretShown = false; }
    void SetCursor(TGridCursor C) override { Cursor = C; }
    void SetCapture() override { Captured = true; }
    void ReleaseCapture() override { Captured = false; }
    bool HasCapture() const override { return Captured; }
    bool HasFocus() const override { return Focused; }
    void SetFocus() override { Focused = true, EditorFocused = false; }
    void ShowEditor(const TRect& Bounds, const std::string& Text, const TFont& Font, TColor,
                    THorzAlign) override {
        EditorShown = true, EditorBounds = Bounds, EditorTextValue = Text, EditorFont = Font;
    }
    void HideEditor() override { EditorShown = false; }
    bool EditorVisible() const override { return EditorShown; }
    std::string EditorText() const override { return EditorTextValue; }
    void SetEditorFocus() override { EditorFocused = true, Focused = false; }
    bool EditorHasFocus() const override { return EditorFocused; }
    void SetImeComposition(const TRect& Rc, const TPoint&, const TFont&) override { ImeRect = Rc; }
    bool OwnerAcceptsInput() const override { return OwnerEnabled; }
};

// Records every drawing call with the canvas state it was made in.
class RecordingCanvas : public Canvas {
  public:
    // clang-format off
    enum Kind { kFill, kRectangle, kLine, kText, kClipSet, kClipExclude, kClipIntersect, kClipRemove };
    // clang-format on
    struct Op {
        Kind K;
        TRect R;       // rectangle, clip rectangle or text clip
        TPoint P1, P2; // line ends, or text origin in P1
        std::string Text;
        TFont Font;
        TPen Pen;
        TBrush Brush;
    };
    std::vector<Op> Ops;

    void FillRect(const TRect& r) override { Add(kFill, r); }
    void Rectangle(const TRect& r) override { Add(kRectangle, r); }
    void Line(int X1, int Y1, int X2, int Y2) override {
        Op& o = Add(kLine, TRect{});
        o.P1 = TPoint{X1, Y1};
        o.P2 = TPoint{X2, Y2};
    }
    void TextOut(int X, int Y, const std::string& Text) override {
        TextRect(TRect{X, Y, X + TextWidth(Text), Y + TextHeight(Text)}, X, Y, Text);
    }
    void TextRect(const TRect& Clip, int X, int Y, const std::string& Text) override {
        Op& o = Add(kText, Clip);
        o.P1 = TPoint{X, Y};
        o.Text = Text;
    }
    int TextWidth(const std::string& Text) override { return headless_metric::Width(Text); }
    int TextHeight(const std::string&) override { return headless_metric::TextHeight; }
    void SetClipRect(const TRect& r) override { Add(kClipSet, r); }
    void ExcludeClipRect(const TRect& r) override { Add(kClipExclude, r); }
    void IntersectClipRect(const TRect& r) override { Add(kClipIntersect, r); }
    void RemoveClip() override { Add(kClipRemove, TRect{}); }

    std::vector<Op> OfKind(Kind k) const {
        std::vector<Op> out;
        for (const Op& o : Ops)
            if (o.K == k) out.push_back(o);
        return out;
    }
    // The first text operation drawing Text, or nullptr.
    const Op* FindText(const std::string& Text) const {
        for (const Op& o : Ops)
            if (o.K == kText && o.Text == Text) return &o;
        return nullptr;
    }

  private:
    Op& Add(Kind k, const TRect& r) {
        Ops.push_back(Op{k, r, {}, {}, {}, Font, Pen, Brush});
        return Ops.back();
    }
};
