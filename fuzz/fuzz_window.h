// The main window's document side for the harnesses: a five-column grid in a
// fake window with the time evaluation attached, a sheet selector and the
// settings host, and a project on them.
#pragma once

#include "../tests/grid/fake_host.h"
#include "app/time_eval.h"
#include "grid/lap_grid.h"
#include "model/headless.h"
#include "model/laptime_project.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fuzz {

using Selector = TPlainSelector;

// Every question answered OK; the clipboard holds what the harness puts there.
class Host : public THeadlessHost {
  public:
    bool ClipboardText(std::string& T) override {
        T = clipboard;
        return true;
    }
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
