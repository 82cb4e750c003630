#include "app/time_eval.h"
#include "grid/lap_grid.h"

#include <benchmark/benchmark.h>

#include <string>

static void BM_ClassifyAndParse(benchmark::State& state) {
    const std::string texts[] = {"1:23", "1:02:03", "1:21\"500", "1:02:03\"456", "abc"};
    const std::string& text = texts[state.range(0)];
    for (auto _ : state) {
        TTimeTextKind kind = ClassifyTimeText(text);
        benchmark::DoNotOptimize(ParseTimeText(kind, text));
    }
    state.SetLabel(text);
}
BENCHMARK(BM_ClassifyAndParse)->DenseRange(0, 4);

// Every row of a large sheet, as after opening a project.
static void BM_EvaluateAllRows(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    TLapGrid grid;
    grid.SetColCount(5);
    grid.SetRowCount(rows);
    TTimeFormatList list;
    list.AddDefaults(rows);
    grid.AddSheetBuffers(list, 0);
    TTimeEvaluator eval(grid, [] { return std::optional<TEvalSettings>(TEvalSettings{}); });
    eval.Attach();
    for (int r = 0; r < rows; ++r) {
        const unsigned ms = 60'000u + unsigned(r) * 1'000u;
        grid.SetCells(1, r, std::to_string(ms / 60'000) + ":" + std::to_string(ms / 1'000 % 60));
        grid.SetCells(
            2, r, std::to_string(ms / 60'000) + ":" + std::to_string(ms / 1'000 % 60) + "\"250");
    }
    for (auto _ : state) {
        // As the window evaluates every row on opening: one batch.
        grid.BeginUpdate();
        for (int r = 0; r < rows; ++r)
            grid.OnCellAssignment(2, r);
        grid.EndUpdate();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_EvaluateAllRows)->Arg(100'000)->Unit(benchmark::kMillisecond);
