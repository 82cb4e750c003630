// A full repaint of the grid should cost the same whatever the sheet's row
// count: only the rows in view are visited. The canvas counts calls only.
#include "../tests/grid/fake_host.h"
#include "grid/lap_grid.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

class NullCanvas : public Canvas {
  public:
    long Calls = 0;
    void FillRect(const TRect&) override { ++Calls; }
    void Rectangle(const TRect&) override { ++Calls; }
    void Line(int, int, int, int) override { ++Calls; }
    void TextOut(int, int, const std::string&) override { ++Calls; }
    void TextRect(const TRect&, int, int, const std::string&) override { ++Calls; }
    int TextWidth(const std::string& s) override { return headless_metric::Width(s); }
    int TextHeight(const std::string&) override { return headless_metric::TextHeight; }
    void SetClipRect(const TRect&) override {}
    void ExcludeClipRect(const TRect&) override {}
    void IntersectClipRect(const TRect&) override {}
    void RemoveClip() override {}
};

// The main window's sheet: five columns, times in every row, the view
// scrolled to the middle with a block selected there.
void BM_FullRepaint(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    // A 600 x 800 client area whatever bars are shown, with the focus.
    FakeHost host;
    host.Width = 600, host.Height = 800, host.BarSize = 0;
    host.Focused = true;
    TLapGrid grid;
    grid.SetColCount(5);
    grid.SetGutterKind(gkNumber);
    grid.SetShowFooter(true);
    grid.SetRowCount(rows);
    for (int c = 0; c < 5; ++c)
        grid.Columns[c].Strings().assign(static_cast<std::size_t>(rows), "0:01:23.45");
    grid.OnDrawCell = [](Canvas& cv, int x, int y, const TRect&, bool&) {
        if (x == 2 && y % 3 == 0) cv.Font.Color = RGB(255, 0, 0);
    };
    grid.SetHost(&host);
    const int mid = rows / 2;
    grid.SetRow(mid);
    grid.SetSelection(TRect{1, mid, 3, mid + 2});
    grid.EnsureVisible(1, mid);

    NullCanvas canvas;
    for (auto _ : state) {
        grid.Paint(canvas);
        benchmark::DoNotOptimize(canvas.Calls);
    }
    state.counters["calls/paint"] = benchmark::Counter(static_cast<double>(canvas.Calls) /
                                                       static_cast<double>(state.iterations()));
}
BENCHMARK(BM_FullRepaint)->Arg(100)->Arg(10000)->Arg(1000000);

} // namespace
