// The main window's document side for the harnesses: a five-column grid in a
// fake window with the time evaluation attached, a sheet selector and the
// settings host, and a project on them.
#pragma once

#include "../tests/grid/fake_host.h"
#include "app/time_eval.h"
#include "grid/lap_grid.h"
#include "model/laptime_project.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fuzz {

class Selector : public SheetSelector {
  public:
    int Count() const override { return static_cast<int>(items.size()); }
    std::string Item(int Index) const override { return items.at(static_cast<std::size_t>(Index)); }
    void Add(const std::string& Name) override { items.push_back(Name); }
    void Delete(int Index) override { items.erase(items.begin() + Index); }
    void SetItem(int Index, const std::string& Name) override {
        items.at(static_cast<std::size_t>(Index)) = Name;
    }
    void Clear() override { items.clear(); }
    void Select(int) override {}
    void SetText(const std::string&) override {}
    void SetEnabled(bool) override {}
    std::vector<std::string> items;
};

class Host : public ProjectHost {
  public:
    void SetTitle(const std::string&) override {}
    bool AskOkCancel(const std::string&, const std::string&) override { return true; }
    bool ConfirmManyRows() const override { return false; }
    int MaxUndoIndex() const override { return 1; }
    const TLaptimeSheet& DefaultSettings() const override { return defaults; }
    bool ClipboardText(std::string& T) override {
        T = clipboard;
        return true;
    }
    TLaptimeSheet defaults = DefaultSheetSettings();
    std::string clipboard;
};

struct Window {
    FakeHost view;
    TLapGrid grid;
    Selector selector;
    Host host;
    std::unique_ptr<TLaptimeProject> project;
    TTimeEvaluator evaluator{grid, [this]() -> std::optional<TEvalSettings> {
                                 const TLaptimeSheet* s =
                                     project ? project->CurrentSheet() : nullptr;
                                 if (!s) return std::nullopt;
                                 return TEvalSettings{s->TimeFormat, s->FontColor, s->PlusColor,
                                                      s->MinusColor, s->EqualColor};
                             }};
    Window() {
        grid.SetHost(&view);
        grid.SetColCount(5);
        grid.Columns[3].ReadOnly = true;
        grid.Columns[4].ReadOnly = true;
        grid.SetRowCount(0);
        evaluator.Attach();
    }
    // Every row evaluated, as the window does on opening, then painted.
    void EvaluateAndPaint() {
        grid.BeginUpdate();
        for (int r = 0; r < grid.RowCount(); ++r)
            grid.OnCellAssignment(2, r);
        grid.EndUpdate();
        RecordingCanvas canvas;
        grid.Paint(canvas);
    }
};

} // namespace fuzz
