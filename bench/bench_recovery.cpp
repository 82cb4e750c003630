// The window thread's share of one recovery snapshot: the project file image
// built from the grid (the write and fsync happen on the worker). Aim: at
// most 5 ms at 100,000 rows. BM_SnapshotWrite is the worker's part, for
// comparison.
#include "app/session.h"
#include "grid/lap_grid.h"
#include "model/headless.h"
#include "model/laptime_project.h"
#include "model/project_file.h"
#include "model/recovery_store.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Window {
    TLapGrid grid;
    TPlainSelector selector;
    THeadlessHost host;
    TSession session{grid, selector, host};
    explicit Window(int rows) {
        SetupLapGrid(grid, host.Env.Env);
        const auto path = std::filesystem::temp_directory_path() /
                          ("segmark_bench_recovery_" + std::to_string(rows) + ".sgp");
        TLaptimeSheet sheet = DefaultSheetSettings();
        sheet.Name.assign("Course");
        sheet.RowCount = rows;
        for (int r = 0; r < rows; ++r) {
            sheet.Texts[0] += "Segment " + std::to_string(r) + "\r\n";
            sheet.Texts[1] += std::to_string(r / 60) + ":" + std::to_string(10 + r % 50) + ".25\r\n";
            sheet.Texts[2] += std::to_string(r / 60) + ":" + std::to_string(10 + r % 49) + ".50\r\n";
        }
        SaveProjectFile(path.string(), {sheet});
        session.OpenProject(path.string());
        session.EvaluateAllRows();
        std::filesystem::remove(path);
    }
};

void BM_SnapshotWindowThread(benchmark::State& state) {
    Window w(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(w.session.Project()->FileImage());
    state.SetLabel("rows=" + std::to_string(state.range(0)));
}
BENCHMARK(BM_SnapshotWindowThread)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SnapshotWrite(benchmark::State& state) {
    Window w(static_cast<int>(state.range(0)));
    const std::string bytes = w.session.Project()->FileImage();
    const auto dir = std::filesystem::temp_directory_path() / "segmark_bench_recovery_state";
    TRecoveryStore store(dir.string());
    for (auto _ : state)
        store.Write(bytes, TRecoveryRecord{});
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SnapshotWrite)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
