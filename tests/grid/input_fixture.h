// A five-column sheet grid shown in a fake window, with one sheet's undo
// buffer, a fake clipboard and a log of the events that input raises.
//
// Layout with the defaults used here: gutter 20 pixels, one header line of
// 18, columns 80 wide, rows 18 high, client 500 x 200. Cell (c, r) thus has
// its centre at client (20 + 80c + 40, 18 + 18r + 9).
#pragma once

#include "fake_host.h"
#include "grid/clipboard.h"
#include "grid/keys.h"
#include "grid/lap_grid.h"

#include <memory>
#include <string>
#include <vector>

class InputClipboard : public Clipboard {
  public:
    bool HasText() const override { return Has; }
    std::string GetText() const override { return Text; }
    void SetText(const std::string& bytes) override {
        Has = true;
        Text = bytes;
    }
    bool Has = false;
    std::string Text;
};

struct InputGrid {
    FakeHost Host;
    TLapGrid G;
    InputClipboard Clip;
    // Events in order, e.g. "moved 1,2", "assigned 1,2", "changed 1,2 btEdit".
    std::vector<std::string> Log;

    explicit InputGrid(int rows = 10, int width = 500) {
        Host.Width = width;
        G.SetHost(&Host);
        G.SetColCount(5);
        G.Columns[3].ReadOnly = true;
        G.Columns[4].ReadOnly = true;
        G.SetRowCount(rows);
        TTimeFormatList formats;
        formats.AddDefaults(rows);
        G.TimeFormatLists.Add(formats);
        G.UndoList.Add(std::make_unique<TUndoBufferList>(&G, 5));
        G.ClipboardPort = &Clip;
        G.OnColRowChanged = [this](int c, int r) { Add("moved", c, r); };
        G.OnCellAssignment = [this](int c, int r) { Add("assigned", c, r); };
        G.OnCellChange = [this](int c, int r, TBufferType t) {
            Add("changed", c, r);
            Log.back() += t == btEdit ? " btEdit" : t == btDelete ? " btDelete" : " other";
        };
        Host.Focused = true;
        G.FocusIn();
        Log.clear();
    }

    TUndoBufferList& Undo() { return *G.CurrentUndo(); }

    // Puts the current cell somewhere without going through the keys.
    void Go(int c, int r) {
        G.SetCol(c);
        G.SetRow(r);
        Log.clear();
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

    TRect Sel() const { return G.Selection; }
    std::string Cell(int c, int r) const { return G.Cells(c, r); }

  private:
    void Add(const char* what, int c, int r) {
        Log.push_back(std::string(what) + " " + std::to_string(c) + "," + std::to_string(r));
    }
};
