// Laying the grid out in a client of a given size: column widths, which
// scroll bars are needed, and where the scrolled view can reach.
#include "grid/grid_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int Bar = 16; // scroll bar thickness the tests pretend the host has

struct Result {
    std::vector<int> widths;
    TScrollBarsNeeded bars;
};

// Lays out as the grid does: arrange, take the bars off the client, fit.
TGridLayout Lay(std::vector<TColumnShape>& Cols, const TLayoutRequest& Req, int W, int H,
                Result& Out, int ScrollX = 0, int ScrollY = 0) {
    TGridLayout L;
    // No range yet: the offsets are taken as asked (onto a row) and the
    // layout brings them into range.
    L.MaxScrollX = L.MaxScrollY = 1 << 30;
    L.ScrollXTo(ScrollX);
    L.ScrollYTo(ScrollY);
    Out.bars = L.Arrange(Cols, Req, W, H);
    L.Fit(Req, Out.bars.Vert, W - (Out.bars.Vert ? Bar : 0), H - (Out.bars.Horz ? Bar : 0));
    Out.widths.clear();
    for (const TColumnShape& c : Cols)
        Out.widths.push_back(c.Width);
    return L;
}

TEST(GridLayout, ArrangeFitsWidthsAndAsksForBars) {
    const TColumnShape r80{80, true, true}, fixed80{80, true, false}, hidden80{80, false, true};
    struct Case {
        const char* name;
        std::vector<TColumnShape> cols;
        TLayoutRequest req;
        int w, h;
        std::vector<int> widths;
        TScrollBarsNeeded bars;
    };
    // Requests: gutter, header lines, row height, rows, footer, fit, kept column.
    // clang-format off
    const Case cases[] = {
        {"fits exactly beside the gutter", {r80, r80, r80}, {20, 1, 18, 5, false, false, -1},
         260, 200, {80, 80, 80}, {false, false}},
        {"one pixel short: the horizontal bar", {r80, r80, r80}, {20, 1, 18, 5, false, false, -1},
         259, 200, {80, 80, 80}, {true, false}},
        {"rows fill the view exactly", {r80}, {0, 1, 18, 10, false, false, -1}, 100, 198,
         {80}, {false, false}},
        {"the footer takes a row of room", {r80}, {0, 1, 18, 10, true, false, -1}, 100, 198,
         {80}, {false, true}},
        {"fit widens from the left, hidden and fixed columns stay",
         {r80, hidden80, fixed80, r80}, {0, 1, 18, 1, false, true, -1}, 245, 200,
         {83, 80, 80, 82}, {false, false}},
        {"fit narrows from the left", {r80, r80, r80}, {0, 1, 18, 1, false, true, -1}, 235,
         200, {78, 78, 79}, {false, false}},
        {"fit never narrows the kept column", {r80, r80, r80}, {0, 1, 18, 1, false, true, 0},
         235, 200, {80, 77, 78}, {false, false}},
        {"fit stops at zero widths; what is left overflows", {{3, true, true}, r80},
         {0, 1, 18, 1, false, true, 1}, 40, 200, {0, 80}, {true, false}},
        {"no visible column: nothing to scroll", {hidden80}, {20, 1, 18, 1000, true, false, -1},
         10, 10, {80}, {false, false}},
    };
    // clang-format on
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        Result r;
        Lay(c.cols, c.req, c.w, c.h, r);
        EXPECT_EQ(r.widths, c.widths);
        EXPECT_EQ(r.bars.Horz, c.bars.Horz);
        EXPECT_EQ(r.bars.Vert, c.bars.Vert);
    }
}

// Whatever the sizes, the furthest scroll shows the last column's right edge
// at the client's right edge and the last row whole above the footer, and
// the grid's drawn area ends where its last band ends.
TEST(GridLayout, FitLetsTheViewReachTheEnds) {
    const TColumnShape r80{80, true, true};
    struct Case {
        const char* name;
        TLayoutRequest req;
        int w, h;
    };
    const Case cases[] = {
        {"gutter, both bars", {20, 1, 18, 50, false, false, -1}, 200, 200},
        {"footer, two header lines", {20, 2, 22, 50, true, false, -1}, 300, 301},
        {"footer, rows that fit", {0, 1, 18, 3, true, false, -1}, 400, 300},
        {"no header", {10, 0, 20, 7, false, false, -1}, 150, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TColumnShape> cols{r80, r80, r80};
        Result r;
        // Offsets far out of range come back inside it.
        TGridLayout L = Lay(cols, c.req, c.w, c.h, r, 1 << 20, 1 << 20);
        const int cw = c.w - (r.bars.Vert ? Bar : 0);
        const int ch = c.h - (r.bars.Horz ? Bar : 0);
        EXPECT_EQ(L.ScrollX(), L.MaxScrollX);
        EXPECT_EQ(L.ScrollY(), L.MaxScrollY);
        EXPECT_EQ(L.ScrollY() % c.req.RowHeight, 0);
        const TRect last = L.ToClient(L.CellRect(2, c.req.Rows - 1));
        if (r.bars.Horz) EXPECT_EQ(last.Right, cw);
        // The last row's bottom line lies in the cell area, not below it,
        // and one row less of scrolling would leave it out.
        EXPECT_LE(last.Bottom - 1, L.CellArea.Bottom);
        if (r.bars.Vert) EXPECT_GT(last.Bottom + c.req.RowHeight, L.CellArea.Bottom);
        EXPECT_EQ(L.CellArea.Bottom, c.req.ShowFooter ? L.FooterTop : ch);
        const int footerH = c.req.ShowFooter ? c.req.RowHeight : 0;
        if (r.bars.Vert) {
            EXPECT_EQ(L.GridHeight, ch);
            // The footer sits on the last whole row.
            if (c.req.ShowFooter) EXPECT_LE(L.FooterTop + footerH, ch);
            if (c.req.ShowFooter) EXPECT_GT(L.FooterTop + 2 * footerH, ch);
        } else {
            // Right under the rows, and the grid ends with it.
            if (c.req.ShowFooter) EXPECT_EQ(L.FooterTop, last.Bottom - 1);
            EXPECT_EQ(L.GridHeight, last.Bottom + footerH);
        }
    }
}

} // namespace
