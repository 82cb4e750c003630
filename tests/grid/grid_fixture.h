// Fakes for the grid engine's tests: a window that keeps whatever the grid
// set, a canvas that records every drawing call, a clipboard, and a
// five-column sheet grid as the main window sets it up.
//
// Sheet layout with the defaults: gutter 20 pixels, one header line of 18,
// columns 80 wide, rows 18 high, client 500 x 200. Cell (c, r) thus has its
// centre at client (20 + 80c + 40, 18 + 18r + 9).
#pragma once

#include "grid/canvas.h"
#include "grid/clipboard.h"
#include "grid/grid_host.h"
#include "grid/keys.h"
#include "grid/lap_grid.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

using Strings = std::vector<std::string>;
using Cells = std::vector<std::pair<int, int>>;

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
    TColor EditorBackground = 0;
    THorzAlign EditorAlign = haLeft;
    TRect ImeRect;
    TPoint ImePos;

    void ClearRequests() {
        Invalidated.clear();
        InvalidateAllCount = 0;
    }
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
    void ShowEditor(const TRect& Bounds, const std::string& Text, const TFont& Font,
                    TColor Background, THorzAlign Align) override {
        EditorShown = true;
        EditorBounds = Bounds;
        EditorTextValue = Text;
        EditorFont = Font;
        EditorBackground = Background;
        EditorAlign = Align;
    }
    void HideEditor() override { EditorShown = false; }
    bool EditorVisible() const override { return EditorShown; }
    std::string EditorText() const override { return EditorTextValue; }
    void SetEditorFocus() override { EditorFocused = true, Focused = false; }
    bool EditorHasFocus() const override { return EditorFocused; }
    void SetImeComposition(const TRect& Rc, const TPoint& Pos, const TFont&) override {
        ImeRect = Rc;
        ImePos = Pos;
    }
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

class FakeClipboard : public Clipboard {
  public:
    bool HasText() const override { return Has; }
    std::string GetText() const override { return Has ? Text : std::string(); }
    void SetText(const std::string& bytes) override { Has = true, Text = bytes; }
    bool Has = false;
    std::string Text;
};

// Columns 3 and 4 are the read-only split and interval; one sheet's
// split-result list and undo buffer; the window has the focus.
struct Sheet {
    FakeHost Host;
    TLapGrid G;
    FakeClipboard Clip;
    Strings Log; // "moved 1,2", "assigned 1,2", "changed 1,2 btEdit", in order
    Cells Assigned;
    std::vector<TBufferType> Changes;

    explicit Sheet(int rows = 10, int undoSetting = 5, int width = 500) {
        Host.Width = width;
        G.SetHost(&Host);
        G.SetColCount(5);
        G.Columns[3].ReadOnly = true;
        G.Columns[4].ReadOnly = true;
        G.SetRowCount(rows);
        TTimeFormatList formats;
        formats.AddDefaults(rows);
        G.TimeFormatLists.Add(formats);
        G.UndoList.Add(std::make_unique<TUndoBufferList>(&G, undoSetting));
        G.ClipboardPort = &Clip;
        G.OnColRowChanged = [this](int c, int r) { Add("moved", c, r); };
        G.OnCellAssignment = [this](int c, int r) {
            Assigned.emplace_back(c, r);
            Add("assigned", c, r);
        };
        G.OnCellChange = [this](int c, int r, TBufferType t) {
            Changes.push_back(t);
            Add("changed", c, r);
            Log.back() += t == btEdit ? " btEdit" : t == btDelete ? " btDelete" : " other";
        };
        Host.Focused = true;
        G.FocusIn();
        ClearLog();
    }
    TUndoBufferList& Undo() { return *G.CurrentUndo(); }
    TTimeFormatList& Formats() { return *G.CurrentFormats(); }
    void ClearLog() {
        Log.clear();
        Assigned.clear();
        Changes.clear();
    }

    // Puts the current cell somewhere without going through the keys.
    void Go(int c, int r) {
        G.SetCol(c);
        G.SetRow(r);
        ClearLog();
    }
    void Select(int l, int t, int r, int b) {
        Go(l, t);
        G.SetSelection(TRect{l, t, r, b});
    }
    TRect Sel() const { return G.Selection; }
    std::string Cell(int c, int r) const { return G.Cells(c, r); }
    // Texts of a column over the shown rows.
    Strings Column(int c) const {
        Strings out;
        for (int r = 0; r < G.RowCount(); ++r)
            out.push_back(G.Cells(c, r));
        return out;
    }
    void SetColumn(int c, Strings texts) { G.Columns[c].Strings() = std::move(texts); }
    // Writes into the current cell through an edit record, as typing does.
    void Write(const std::string& text, TBufferType kind = btEdit) {
        G.OpenEditRecord(kind);
        G.WriteCell(G.Col(), G.Row(), true, text);
    }
    void Edit(int c, int r, const std::string& text) {
        Go(c, r);
        Write(text);
        G.CommitEdit();
    }

    void Type(const std::string& s) {
        for (char ch : s)
            G.KeyPress(std::string(1, ch));
    }
    void Key(int k, TShiftState s = 0) { G.KeyDown(k, s); }
    static int X(int c) { return 20 + 80 * c + 40; }
    static int Y(int r) { return 18 + 18 * r + 9; }
    // A press as the window delivers it: the move that sets the cursor first.
    void Press(int x, int y, TMouseButton b = mbLeft, TShiftState s = 0) {
        G.MouseMove(s, x, y);
        G.MouseDown(b, s | (b == mbLeft ? ssLeft : ssRight), x, y);
    }
    void Drag(int x, int y) { G.MouseMove(ssLeft, x, y); }
    void Release(int x, int y) { G.MouseUp(mbLeft, 0, x, y); }
    void Click(int c, int r, TMouseButton b = mbLeft) {
        Press(X(c), Y(r), b);
        Release(X(c), Y(r));
    }

  private:
    void Add(const char* what, int c, int r) {
        Log.push_back(std::string(what) + " " + std::to_string(c) + "," + std::to_string(r));
    }
};
