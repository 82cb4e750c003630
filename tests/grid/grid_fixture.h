// A clipboard and a five-column sheet grid as the main window sets it up,
// shown in a fake window, and the grid states no public operation reaches.
//
// Sheet layout with the defaults: gutter 20 pixels, one header line of 18,
// columns 80 wide, rows 18 high, client 500 x 200. Cell (c, r) thus has its
// centre at client (20 + 80c + 40, 18 + 18r + 9).
#pragma once

#include "fake_clipboard.h"
#include "fake_host.h"
#include "grid/clipboard.h"
#include "grid/keys.h"
#include "grid/lap_grid.h"
#include "one_sheet.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// A damaged sheet's row height, a block operation's repaint hold, typed text
// without its keys, the column FitToWidth spares, and two operations reached
// otherwise only through keys and clicks.
struct TLapGridTestView {
    static void SetDefRowHeight(TLapGrid& G, int H) { G.FDefRowHeight = H; }
    static void SetUpdating(TLapGrid& G, bool V) { G.FUpdating = V; }
    static void SetTypedText(TLapGrid& G, const std::string& T) { G.FTyping.SetText(T); }
    static void SetKeepWidthCol(TLapGrid& G, int C) { G.FKeepWidthCol = C; }
    // The Delete key's clearing and the double click's editor, without the
    // key's and the click's own conditions.
    static void DeleteSelection(TLapGrid& G) { G.DeleteSelection(); }
    static void OpenEditor(TLapGrid& G) { G.OpenEditor(); }
};

using Strings = std::vector<std::string>;
using Pos = std::pair<int, int>;
using Cells = std::vector<Pos>;

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
        ShowOneSheet(G, rows, undoSetting);
        G.Columns[3].ReadOnly = true;
        G.Columns[4].ReadOnly = true;
        G.SetClipboardPort(&Clip);
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
    TRect Sel() const { return G.Selection(); }
    Pos At() const { return {G.Col(), G.Row()}; }
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
