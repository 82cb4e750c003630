// A five-column sheet grid as the main window sets it up, with one sheet's
// split-result list and undo buffer, a fake clipboard and an event log.
#pragma once

#include "grid/clipboard.h"
#include "grid/lap_grid.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class FakeClipboard : public Clipboard {
  public:
    bool HasText() const override { return Has; }
    std::string GetText() const override { return Has ? Text : std::string(); }
    void SetText(const std::string& bytes) override {
        Has = true;
        Text = bytes;
        ++Sets;
    }
    bool Has = false;
    std::string Text;
    int Sets = 0;
};

struct SheetGrid {
    TLapGrid G;
    FakeClipboard Clip;
    std::vector<std::pair<int, int>> Assigned;
    std::vector<TBufferType> Changes;

    explicit SheetGrid(int rows, int undoSetting = 5) {
        G.SetColCount(5);
        G.Columns[3].ReadOnly = true;
        G.Columns[4].ReadOnly = true;
        G.SetRowCount(rows);
        TTimeFormatList formats;
        formats.AddDefaults(rows);
        G.TimeFormatLists.Add(formats);
        G.UndoList.Add(std::make_unique<TUndoBufferList>(&G, undoSetting));
        G.ClipboardPort = &Clip;
        G.OnCellAssignment = [this](int c, int r) { Assigned.emplace_back(c, r); };
        G.OnCellChange = [this](int, int, TBufferType t) { Changes.push_back(t); };
    }
    TUndoBufferList& Undo() { return *G.CurrentUndo(); }
    TTimeFormatList& Formats() { return *G.CurrentFormats(); }
    void Select(int l, int t, int r, int b) {
        G.SetCol(l);
        G.SetRow(t);
        G.SetSelection(TRect{l, t, r, b});
    }
    // Texts of a column over the shown rows.
    std::vector<std::string> Column(int c) const {
        std::vector<std::string> out;
        for (int r = 0; r < G.RowCount(); ++r)
            out.push_back(G.Cells(c, r));
        return out;
    }
    void SetColumn(int c, std::vector<std::string> texts) {
        G.Columns[c].Strings() = std::move(texts);
    }
    // Types a text into the current cell as the key handler does.
    void Type(const std::string& text, TBufferType kind = btEdit) {
        G.OpenEditRecord(kind);
        G.WriteCell(G.Col(), G.Row(), true, text);
    }
    void Edit(int c, int r, const std::string& text) {
        G.SetCol(c);
        G.SetRow(r);
        Type(text);
        G.CommitEdit();
    }
    void ClearLog() {
        Assigned.clear();
        Changes.clear();
    }
};
