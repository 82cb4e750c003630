// Row operations with their undo, and block paste, on large sheets.
#include "../tests/grid/fake_clipboard.h"
#include "grid/lap_grid.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// The grid and the one sheet's lists it shows.
struct BenchSheet {
    TLapGrid Grid;
};

// A five-column sheet with times in every row, as the main window shows it.
std::unique_ptr<BenchSheet> MakeSheet(int rows) {
    auto sheet = std::make_unique<BenchSheet>();
    TLapGrid* g = &sheet->Grid;
    g->SetColCount(5);
    g->Columns[3].ReadOnly = true;
    g->Columns[4].ReadOnly = true;
    g->SetRowCount(rows);
    for (int c = 0; c < 5; ++c) {
        TStringList& list = g->Columns[c].Strings();
        list.reserve(static_cast<std::size_t>(rows) + 2000);
        for (int r = 0; r < rows; ++r)
            list.push_back(std::to_string(r) + ":" + std::to_string(c));
    }
    TTimeFormatList f;
    f.AddDefaults(rows);
    g->AddSheetBuffers(f, 5);
    return sheet;
}

// Removing rows keeps the lists' length (texts past the last row stay), so
// each insert and undo leaves empty items behind; trim them outside the
// timing so that every iteration sees the same sheet.
void KeepLength(TLapGrid& g, benchmark::State& state) {
    state.PauseTiming();
    for (int c = 0; c < g.ColCount(); ++c)
        g.Columns[c].Strings().resize(static_cast<std::size_t>(g.RowCount()));
    state.ResumeTiming();
}

// Inserting range(1) rows in the middle of a range(0)-row sheet, then undoing it.
void BM_InsertRowsAndUndo(benchmark::State& state) {
    auto sheet = MakeSheet(static_cast<int>(state.range(0)));
    TLapGrid* g = &sheet->Grid;
    const int first = g->RowCount() / 2;
    const int last = first + static_cast<int>(state.range(1)) - 1;
    for (auto _ : state) {
        g->InsertRows(first, last, true);
        g->CurrentUndo()->Undo();
        KeepLength(*g, state);
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
}
BENCHMARK(BM_InsertRowsAndUndo)
    ->Args({1000, 1})
    ->Args({100000, 1})
    ->Args({100000, 1000})
    ->Unit(benchmark::kMicrosecond);

void BM_DeleteRowsAndUndo(benchmark::State& state) {
    auto sheet = MakeSheet(static_cast<int>(state.range(0)));
    TLapGrid* g = &sheet->Grid;
    const int first = g->RowCount() / 2;
    const int last = first + static_cast<int>(state.range(1)) - 1;
    for (auto _ : state) {
        g->DeleteRows(first, last, true);
        g->CurrentUndo()->Undo();
        KeepLength(*g, state);
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
}
BENCHMARK(BM_DeleteRowsAndUndo)
    ->Args({1000, 1})
    ->Args({100000, 1})
    ->Args({100000, 1000})
    ->Unit(benchmark::kMicrosecond);

void BM_AddRowAndUndo(benchmark::State& state) {
    auto sheet = MakeSheet(static_cast<int>(state.range(0)));
    TLapGrid* g = &sheet->Grid;
    for (auto _ : state) {
        g->AddRow(true);
        g->CurrentUndo()->Undo();
        KeepLength(*g, state);
    }
}
BENCHMARK(BM_AddRowAndUndo)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Pasting a 1,000 x 3 block into columns 0 .. 2 of a 100,000-row sheet.
void BM_PasteBlock(benchmark::State& state) {
    auto sheet = MakeSheet(100000);
    TLapGrid* g = &sheet->Grid;
    FakeClipboard clip;
    g->SetClipboardPort(&clip);
    std::string texts[2];
    for (int v = 0; v < 2; ++v)
        for (int r = 0; r < 1000; ++r)
            texts[v] += "t" + std::to_string(v) + "\t" + std::to_string(r) + "\t0:0" +
                        std::to_string(v) + "\r\n";
    g->SetSelection(TRect{0, 50000, 2, 50999});
    int v = 0;
    for (auto _ : state) {
        clip.SetText(texts[v ^= 1]);
        g->PasteFromClipboard();
    }
    state.SetItemsProcessed(state.iterations() * 3000);
}
BENCHMARK(BM_PasteBlock)->Unit(benchmark::kMicrosecond);

void BM_PasteBlockUndoRedo(benchmark::State& state) {
    auto sheet = MakeSheet(100000);
    TLapGrid* g = &sheet->Grid;
    FakeClipboard clip;
    g->SetClipboardPort(&clip);
    std::string block;
    for (int r = 0; r < 1000; ++r)
        block += "a\tb\tc\r\n";
    clip.SetText(block);
    g->SetSelection(TRect{0, 50000, 2, 50999});
    g->PasteFromClipboard();
    for (auto _ : state) {
        g->CurrentUndo()->Undo();
        g->CurrentUndo()->Redo();
    }
}
BENCHMARK(BM_PasteBlockUndoRedo)->Unit(benchmark::kMicrosecond);

} // namespace
