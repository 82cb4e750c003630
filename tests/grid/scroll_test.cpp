// However the view is scrolled, its offsets stay inside the content.
#include "grid_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(ScrollRange, EveryWayInStaysInRange) {
    enum End { kZero, kMax, kValue };
    struct Case {
        const char* name;
        std::function<void(TLapGrid&)> act;
        End x, y;
        int value; // the vertical offset for kValue
    };
    const Case cases[] = {
        {"SetScrollX before the start", [](TLapGrid& g) { g.SetScrollX(-5); }, kZero, kZero, 0},
        {"SetScrollX past the end", [](TLapGrid& g) { g.SetScrollX(100000); }, kMax, kZero, 0},
        {"SetScrollY past the end", [](TLapGrid& g) { g.SetScrollY(100000); }, kZero, kMax, 0},
        {"SetScrollY between rows: the row above", [](TLapGrid& g) { g.SetScrollY(40); }, kZero,
         kValue, 36},
        {"bar dragged past the right end",
         [](TLapGrid& g) { g.HorzScroll(scTrack, 100000); }, kMax, kZero, 0},
        {"bar dragged past the bottom", [](TLapGrid& g) { g.VertScroll(scTrack, 100000); },
         kZero, kMax, 0},
        {"bar dragged between rows: the row below",
         [](TLapGrid& g) { g.VertScroll(scTrack, 40); }, kZero, kValue, 54},
        {"line up at the top", [](TLapGrid& g) { g.VertScroll(scLineUp, 0); }, kZero, kZero, 0},
        {"the wheel turned down past the end",
         [](TLapGrid& g) {
             for (int i = 0; i < 100; ++i)
                 g.MouseWheel(-120);
         },
         kZero, kMax, 0},
        {"the wheel turned up at the top", [](TLapGrid& g) { g.MouseWheel(120); }, kZero, kZero,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s(40, 5, 300);
        const TGridLayout& L = s.G.Layout();
        ASSERT_GT(L.MaxScrollX, 0);
        ASSERT_GT(L.MaxScrollY, 0);
        c.act(s.G);
        EXPECT_EQ(s.G.ScrollX(), c.x == kMax ? L.MaxScrollX : 0);
        EXPECT_EQ(s.G.ScrollY(), c.y == kMax ? L.MaxScrollY : c.y == kValue ? c.value : 0);
    }
}

} // namespace
