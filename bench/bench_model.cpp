// Opening (with the evaluation of every row of the shown sheet) and saving
// of large projects: one sheet of 100,000 rows, and 200 sheets of 500 rows.
// Aims: open plus evaluation under 200 ms, save under 100 ms, and a peak
// memory under 100 MB for the 100,000-row sheet (peak_rss_MB); a sheet at
// the row limit (1,000,000 rows) opens in well under 1 GB. peak_B_per_row is
// the process's peak over the rows opened: an upper bound of the cost of a
// row, as it includes everything else the process holds.
#include "app/session.h"
#include "app/time_eval.h"
#include "grid/lap_grid.h"
#include "model/headless.h"
#include "model/laptime_project.h"
#include "model/project_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

// The window's grid with the evaluation attached, and a project on it.
struct Window {
    TLapGrid grid;
    TPlainSelector selector;
    THeadlessHost host;
    TSession session{grid, selector, host};
    Window() { SetupLapGrid(grid, host.Env.Env); }
    void Open(const std::string& file) {
        session.OpenProject(file);
        session.EvaluateAllRows();
    }
};

std::string Clock(int seconds) {
    return std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") +
           std::to_string(seconds % 60);
}

// A project file of Sheets sheets of Rows rows: titles, Best and Now times.
std::string MakeProject(const std::string& name, int sheets, int rows) {
    const auto path = std::filesystem::temp_directory_path() / ("segmark_bench_" + name + ".sgp");
    std::vector<TLaptimeSheet> list;
    for (int s = 0; s < sheets; ++s) {
        TLaptimeSheet sheet = DefaultSheetSettings();
        sheet.Name.assign("Course " + std::to_string(s));
        sheet.RowCount = rows;
        for (int r = 0; r < rows; ++r) {
            sheet.Texts[0] += "Segment " + std::to_string(r) + "\r\n";
            sheet.Texts[1] += Clock(30 * (r + 1)) + "\r\n";
            sheet.Texts[2] += Clock(30 * (r + 1) + (r % 7) - 3) + "\r\n";
        }
        list.push_back(std::move(sheet));
    }
    SaveProjectFile(path.string(), list);
    return path.string();
}

double PeakRssMB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void OpenAndEvaluate(benchmark::State& state, int sheets, int rows) {
    const std::string file =
        MakeProject("open_" + std::to_string(sheets) + "x" + std::to_string(rows), sheets, rows);
    for (auto _ : state) {
        Window w;
        w.Open(file);
        benchmark::DoNotOptimize(w.grid.CellText(3, rows - 1));
    }
    state.counters["peak_rss_MB"] = PeakRssMB();
    state.counters["peak_B_per_row"] = PeakRssMB() * 1024 * 1024 / (double(sheets) * rows);
    std::filesystem::remove(file);
}

void Save(benchmark::State& state, int sheets, int rows) {
    const std::string file = MakeProject("save_" + std::to_string(sheets), sheets, rows);
    Window w;
    w.Open(file);
    const std::string out = file + ".out.sgp";
    for (auto _ : state)
        w.session.Project()->SaveToFile(out);
    state.counters["peak_rss_MB"] = PeakRssMB();
    std::filesystem::remove(file);
    std::filesystem::remove(out);
}

void BM_OpenEvaluate_1x100000(benchmark::State& state) {
    OpenAndEvaluate(state, 1, 100000);
}
void BM_OpenEvaluate_1x1000000(benchmark::State& state) {
    OpenAndEvaluate(state, 1, 1000000);
}
void BM_Save_1x100000(benchmark::State& state) {
    Save(state, 1, 100000);
}
void BM_OpenEvaluate_200x500(benchmark::State& state) {
    OpenAndEvaluate(state, 200, 500);
}
void BM_Save_200x500(benchmark::State& state) {
    Save(state, 200, 500);
}

// The 100,000-row runs first, so that their peak is not another's.
BENCHMARK(BM_OpenEvaluate_1x100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save_1x100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEvaluate_1x1000000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_OpenEvaluate_200x500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save_200x500)->Unit(benchmark::kMillisecond);

} // namespace
