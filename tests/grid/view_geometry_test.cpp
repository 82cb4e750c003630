// Layout, hit queries, header layout and scrolling of the grid engine,
// driven through a fake host.
#include "grid_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Geometry : ::testing::Test {
    FakeHost host;
    TLapGrid grid;
    // Five columns of 80; no gutter unless a test sets one.
    void Make(int width, int height, int rows, int rowHeight = 18) {
        host.Width = width;
        host.Height = height;
        grid.SetColCount(5);
        grid.SetGutterKind(gkNone);
        grid.SetDefRowHeight(rowHeight);
        grid.SetRowCount(rows);
        grid.SetHost(&host);
    }
};

TEST_F(Geometry, ScrollBarsAndMaxima) {
    // 400 pixels of columns in a 316-pixel window with 20 rows: both bars,
    // leaving a 300-pixel client width.
    Make(316, 200, 20);
    EXPECT_TRUE(host.HorzShown);
    EXPECT_TRUE(host.VertShown);
    EXPECT_EQ(grid.ClientWidth(), 300);
    EXPECT_EQ(grid.MaxScrollX, 100);
    EXPECT_EQ(host.HorzInfo.Max, 100);
    // Column 4 ends at the client's right edge; the computed 101 is clamped.
    grid.EnsureVisible(4, 0);
    EXPECT_EQ(grid.ScrollX, 100);
    EXPECT_EQ(host.HorzInfo.Pos, 100);
    EXPECT_EQ(grid.ColLeft(4) + 80 - grid.ScrollX + grid.GutterW, grid.ClientWidth());
    // Back to column 0.
    grid.EnsureVisible(0, 0);
    EXPECT_EQ(grid.ScrollX, 0);

    // 20 rows of 22 under one header line in a 200-pixel-high client that
    // needs no horizontal bar: 440 - 200 + 22 = 262, rounded up to 264.
    TLapGrid g2;
    FakeHost h2;
    h2.Width = 600;
    h2.Height = 200;
    g2.SetColCount(5);
    g2.SetDefRowHeight(22);
    g2.SetRowCount(20);
    g2.SetHost(&h2);
    EXPECT_FALSE(h2.HorzShown);
    EXPECT_TRUE(h2.VertShown);
    EXPECT_EQ(g2.MaxScrollY, 264);
    EXPECT_EQ(h2.VertInfo, (TScrollInfo{sifRange | sifPage | sifPos, 0, 440, 178, 0}));
    EXPECT_EQ(g2.CellArea, (TRect{20, 22, 584, 200}));
    EXPECT_EQ(g2.GridWidth, 420);
    EXPECT_EQ(g2.GridHeight, 200);

    // Fewer rows than fit: no vertical bar, offsets back at 0.
    g2.ScrollY = 44;
    g2.SetRowCount(3);
    EXPECT_FALSE(h2.VertShown);
    EXPECT_EQ(g2.ScrollY, 0);
    EXPECT_EQ(g2.MaxScrollY, 0);
}

TEST_F(Geometry, FooterTopAndMaxScrollWithFooter) {
    Make(600, 200, 3);
    grid.SetShowFooter(true);
    EXPECT_EQ(grid.FooterTop, (1 + 3) * 18 - 1);
    EXPECT_EQ(grid.CellArea.Bottom, grid.FooterTop);
    grid.SetRowCount(30); // 540 pixels: bar shown, footer on the last whole row
    EXPECT_TRUE(host.VertShown);
    EXPECT_EQ(grid.FooterTop, (200 / 18 - 1) * 18 - 1);
    EXPECT_EQ(grid.MaxScrollY, 540 - 200 + 18 + 18 + 2); // 376 rounded up to 378
}

TEST_F(Geometry, EnsureVisibleKeepsThresholdRowsBelow) {
    // 200 - 18 = 182 pixels: rows 0..9 whole.
    Make(600, 200, 50);
    struct Case {
        const char* name;
        int threshold;
        int startY;
        int row;
        int expectY;
    };
    const Case cases[] = {
        {"threshold 1: row 8 still leaves row 9 below", 1, 0, 8, 0},
        {"threshold 1: row 9 scrolls one row", 1, 0, 9, 18},
        {"threshold 0: row 9 is the last whole row", 0, 0, 9, 0},
        {"threshold 0: row 10 scrolls one row", 0, 0, 10, 18},
        {"far down", 1, 0, 40, (40 - 8) * 18},
        {"moving up scrolls only past the top", 1, 90, 5, 90},
        {"above the top row becomes the top row", 1, 90, 4, 72},
        {"the last row is reachable", 1, 0, 49, grid.MaxScrollY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.SetVertScrollThreshold(static_cast<std::uint8_t>(c.threshold));
        grid.ScrollY = c.startY;
        host.ClearRequests();
        grid.EnsureVisible(0, c.row);
        EXPECT_EQ(grid.ScrollY, c.expectY);
        if (c.expectY != c.startY) {
            ASSERT_EQ(host.Invalidated.size(), 1u);
            EXPECT_EQ(host.Invalidated[0], (TRect{0, 18, 600 - 16, 200}));
            EXPECT_EQ(host.VertInfo.Pos, c.expectY);
        }
    }
    // The explicit threshold of the mouse overrides the property.
    grid.SetVertScrollThreshold(1);
    grid.ScrollY = 0;
    grid.EnsureVisible(0, 9, 0);
    EXPECT_EQ(grid.ScrollY, 0);
    // No current cell: nothing.
    grid.EnsureVisible(-1, 40);
    EXPECT_EQ(grid.ScrollY, 0);
}

TEST_F(Geometry, EnsureVisibleInAViewTooShortForTheKeptRows) {
    // Room for one whole row (and a part) below the header, or for none.
    for (int height : {18 + 30, 18 + 10}) {
        SCOPED_TRACE(height);
        TLapGrid g;
        FakeHost h;
        h.Width = 600;
        h.Height = height;
        g.SetColCount(5);
        g.SetRowCount(50);
        g.SetHost(&h);
        for (std::uint8_t threshold : {0, 1, 3}) {
            g.SetVertScrollThreshold(threshold);
            for (int row : {5, 6, 20, 19, 0, 49}) {
                g.EnsureVisible(0, row);
                // The row is at the top of the view, never scrolled above it.
                EXPECT_EQ(g.ScrollY, std::min(row * 18, g.MaxScrollY)) << row;
            }
        }
    }
}

TEST_F(Geometry, EnsureVisibleBothWaysRepaintsAll) {
    Make(316, 200, 50);
    host.ClearRequests();
    grid.EnsureVisible(4, 30);
    EXPECT_EQ(grid.ScrollX, 100);
    EXPECT_EQ(grid.ScrollY % 18, 0);
    EXPECT_GT(grid.ScrollY, 0);
    EXPECT_EQ(host.InvalidateAllCount, 1);
    EXPECT_EQ(host.HorzInfo.Pos, 100);
    EXPECT_EQ(host.VertInfo.Pos, grid.ScrollY);
}

TEST_F(Geometry, ScrollMessagesAndWheel) {
    Make(600, 200, 40, 22); // 880 pixels of rows
    ASSERT_GE(grid.MaxScrollY, 100);
    struct Case {
        const char* name;
        TScrollCode code;
        int pos;
        int startY;
        int expectY;
    };
    const Case cases[] = {
        {"thumb drop rounds up", scPosition, 30, 0, 44},
        {"thumb track", scTrack, 44, 0, 44},
        {"line down", scLineDown, 0, 22, 44},
        {"line up at the top stays", scLineUp, 0, 0, 0},
        {"page down is three rows", scPageDown, 0, 0, 66},
        {"page up", scPageUp, 0, 66, 0},
        {"top", scTop, 0, 88, 0},
        {"bottom clamps to the maximum", scBottom, 0, 0, grid.MaxScrollY},
        {"negative thumb", scPosition, -5, 22, 0},
        {"end of scroll ignored", scEndScroll, 0, 22, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.ScrollY = c.startY;
        grid.VertScroll(c.code, c.pos);
        EXPECT_EQ(grid.ScrollY, c.expectY);
    }
    // Even an unchanged offset repaints below the header.
    grid.ScrollY = 0;
    host.ClearRequests();
    grid.VertScroll(scLineUp, 0);
    ASSERT_EQ(host.Invalidated.size(), 1u);
    EXPECT_EQ(host.Invalidated[0].Top, 22);

    // The wheel moves one row per message whatever the delta.
    grid.ScrollY = 44;
    grid.MouseWheel(360);
    EXPECT_EQ(grid.ScrollY, 22);
    grid.MouseWheel(-1);
    EXPECT_EQ(grid.ScrollY, 44);
    host.ClearRequests();
    grid.MouseWheel(0);
    grid.ScrollY = 0;
    grid.MouseWheel(120);
    EXPECT_EQ(grid.ScrollY, 0);
    EXPECT_TRUE(host.Invalidated.empty());
    grid.MouseWheel(-120);
    EXPECT_TRUE(host.Focused);
}

TEST_F(Geometry, ThumbReachesRowsBeyondSixteenBits) {
    Make(600, 200, 1000000);
    grid.VertScroll(scTrack, 40000);
    EXPECT_EQ(grid.ScrollY, 40014); // rounded up to a row
    grid.HorzScroll(scTrack, 50);   // nothing to scroll sideways
    EXPECT_EQ(grid.ScrollX, 0);
}

TEST_F(Geometry, HorizontalScrolling) {
    Make(316, 200, 20);
    grid.HorzScroll(scLineDown, 0);
    EXPECT_EQ(grid.ScrollX, 18);
    grid.HorzScroll(scPageDown, 0);
    EXPECT_EQ(grid.ScrollX, 100); // 18 + 90 clamped
    host.ClearRequests();
    grid.HorzScroll(scPageDown, 0);
    EXPECT_TRUE(host.Invalidated.empty());
    grid.HorzScroll(scPosition, 40);
    EXPECT_EQ(grid.ScrollX, 40);
    ASSERT_EQ(host.Invalidated.size(), 1u);
    EXPECT_EQ(host.Invalidated[0], (TRect{0, 0, 300, 184}));
    grid.SetDefRowHeight(20);
    EXPECT_EQ(grid.LineStepX, 20);
    EXPECT_EQ(grid.PageStepX, 100);
}

TEST_F(Geometry, FitToWidthPasses) {
    struct Case {
        const char* name;
        int availW;
        bool resizable;
        int keep;
        std::vector<int> widths;
    };
    const std::vector<Case> cases = {
        {"grow by two passes", 410, true, -1, {82, 82, 82, 82, 82}},
        {"grow stops mid-pass", 403, true, -1, {81, 81, 81, 80, 80}},
        {"nothing resizable", 410, false, -1, {80, 80, 80, 80, 80}},
        {"shrink spares the kept column", 390, true, 0, {80, 77, 77, 78, 78}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost h;
        h.Width = c.availW;
        h.Height = 200;
        TLapGrid g;
        g.SetColCount(5);
        g.SetGutterKind(gkNone);
        for (int i = 0; i < 5; ++i)
            g.Columns[i].CanResize = c.resizable;
        g.SetHost(&h);
        g.KeepWidthCol = c.keep;
        g.SetFitToWidth(true);
        std::vector<int> widths;
        for (int i = 0; i < 5; ++i)
            widths.push_back(g.Columns[i].Width());
        EXPECT_EQ(widths, c.widths);
        EXPECT_EQ(g.KeepWidthCol, -1);
    }

    // Hidden columns take no room and no pixels.
    FakeHost h;
    h.Width = 400;
    TLapGrid g;
    g.SetColCount(3);
    g.SetGutterKind(gkNone);
    g.SetHost(&h);
    g.Columns[1].SetVisible(false);
    g.SetFitToWidth(true);
    EXPECT_EQ(g.Columns[0].Width(), 200);
    EXPECT_EQ(g.Columns[1].Width(), 80);
    EXPECT_EQ(g.Columns[2].Width(), 200);
    EXPECT_EQ(g.ColsWidth, 400);
}

TEST_F(Geometry, AutoColWidthFollowsTheWidestText) {
    Make(600, 200, 3);
    grid.Columns[0].SetStrings({"x", std::string(20, 'a')}); // 120 + 7
    grid.Columns[1].SetStrings({"a"});
    grid.Columns[2].SetStrings({"", "", "", "", std::string(30, 'b')}); // beyond RowCount too
    grid.SetDefColWidth(10);
    grid.SetAutoColWidth(true);
    EXPECT_EQ(grid.Columns[0].Width(), 127);
    EXPECT_EQ(grid.Columns[1].Width(), 20);
    EXPECT_EQ(grid.Columns[2].Width(), 187);
    EXPECT_EQ(grid.Columns[3].Width(), 20);
    grid.SetDefColWidth(50);
    grid.RecalcLayout();
    EXPECT_EQ(grid.Columns[1].Width(), 50);
}

TEST_F(Geometry, HeaderLayout) {
    Make(600, 200, 3);
    grid.SetHeaderLine(2);
    grid.Columns.BeginUpdate();
    grid.Columns[0].SetTitle("Best|Best");
    grid.Columns[1].SetTitle("");
    grid.Columns[2].SetTitle("Lap|Time");
    grid.Columns[3].SetTitle("Time");
    grid.Columns[4].SetTitle("\x83\x7C|x"); // a two-byte character whose trail byte is "|"
    grid.Columns.EndUpdate();
    using HI = TLapGrid::THeaderInfo;
    std::vector<HI> expect = {
        {"Best", {0, 0, 0, 1}}, {"", {1, 0, 1, 1}},     {"Lap", {2, 0, 2, 0}},
        {"Time", {2, 1, 2, 1}}, {"Time", {3, 0, 3, 1}}, {"\x83\x7C", {4, 0, 4, 0}},
        {"x", {4, 1, 4, 1}},
    };
    ASSERT_EQ(grid.HeaderInfos.size(), expect.size());
    for (std::size_t i = 0; i < expect.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(grid.HeaderInfos[i].Str, expect[i].Str);
        EXPECT_EQ(grid.HeaderInfos[i].Rc, expect[i].Rc);
    }
    EXPECT_EQ(grid.HeaderH, 36);

    // No header lines: no cells, rows start at the top.
    grid.SetHeaderLine(0);
    EXPECT_TRUE(grid.HeaderInfos.empty());
    EXPECT_EQ(grid.HeaderH, 0);
    EXPECT_EQ(grid.ToClient(grid.CellRect(0, 0)).Top, -1);

    // Every column hidden: empty layout and no bars.
    grid.SetHeaderLine(1);
    grid.SetRowCount(100);
    EXPECT_TRUE(host.VertShown);
    for (int i = 0; i < 5; ++i)
        grid.Columns[i].SetVisible(false);
    EXPECT_TRUE(grid.HeaderInfos.empty());
    EXPECT_FALSE(host.VertShown);
    EXPECT_FALSE(host.HorzShown);
    EXPECT_EQ(grid.HeaderH, 0);
    EXPECT_EQ(grid.ColsWidth, 0);
}

TEST_F(Geometry, PointsAndCells) {
    Make(600, 400, 10);
    grid.SetGutterKind(gkBlank); // 20 pixels
    grid.Columns[1].SetVisible(false);
    EXPECT_EQ(grid.ColLeft(2), 80);
    EXPECT_EQ(grid.ColLeft(5), grid.ColsWidth);
    EXPECT_EQ(grid.CellRect(2, 1), (TRect{79, 17, 160, 36}));
    EXPECT_EQ(grid.CellRect(1, 1), (TRect{79, 17, 80, 36}));
    EXPECT_EQ(grid.CellRect(-1, 3), (TRect{}));
    EXPECT_EQ(grid.ToClient(grid.CellRect(0, 0)), (TRect{19, 17, 100, 36}));

    struct Case {
        int x;
        int colFromX;
        int cellCol;
    };
    const Case cols[] = {
        {10, -1, 0}, // gutter
        {20, -1, 0}, // left border of column 0
        {21, 0, 0},  // inside column 0
        {100, 0, 0}, // the border after column 0 belongs to it
        {101, 2, 2}, // the hidden column 1 is skipped
        {500, 4, 4}, // right of the last column: the last column
    };
    for (const Case& c : cols) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(grid.ColFromX(c.x), c.colFromX);
        EXPECT_EQ(grid.CellFromPoint(c.x, 30).X, c.cellCol);
    }
    EXPECT_EQ(grid.RowFromY(17), -1);
    EXPECT_EQ(grid.RowFromY(18), 0);
    EXPECT_EQ(grid.RowFromY(18 + 18 * 9 + 17), 9);
    EXPECT_EQ(grid.RowFromY(18 + 18 * 10), -1);
    EXPECT_EQ(grid.CellFromPoint(30, 5).Y, 0);    // above the rows: clamped
    EXPECT_EQ(grid.CellFromPoint(30, 5000).Y, 9); // below: the last row

    grid.ScrollY = 36;
    EXPECT_EQ(grid.RowFromY(18), 2);
    EXPECT_EQ(grid.CellFromPoint(30, 18).Y, 2);
}

TEST_F(Geometry, ResizeKeepsTheCurrentCellInView) {
    Make(600, 400, 50);
    grid.SetRow(30);
    EXPECT_EQ(grid.ScrollY, 0); // setting Row does not scroll
    host.Height = 200;
    grid.Resize();
    EXPECT_GT(grid.ScrollY, 0);
    EXPECT_LE(grid.ScrollY, 30 * 18);
    grid.ScrollToTop();
    EXPECT_EQ(grid.ScrollY, 0);
    EXPECT_EQ(host.VertInfo.Pos, 0);
}

TEST_F(Geometry, HeadlessGridLaysOutWithFixedMetrics) {
    TLapGrid g;
    g.SetColCount(5);
    g.SetRowCount(100);
    g.RecalcLayout();
    EXPECT_EQ(g.ClientWidth(), 200);
    EXPECT_EQ(g.MaxScrollY, 1620); // 1800 - 200 + 18, rounded up to a row
    g.EnsureVisible(0, 50);
    EXPECT_GT(g.ScrollY, 0);
    EXPECT_EQ(g.RedrawCell(0, 0), (TPoint{-1, -1})); // scrolled out of view
}

// A row height of 0 from a damaged sheet must not divide by zero anywhere.
TEST_F(Geometry, ZeroRowHeightDoesNotCrash) {
    Make(600, 200, 50);
    grid.SetDefRowHeight(0); // refused
    EXPECT_EQ(grid.DefRowHeight, 18);
    grid.DefRowHeight = 0;
    grid.RecalcLayout();
    grid.EnsureVisible(0, 10);
    grid.VertScroll(scPosition, 30);
    EXPECT_EQ(grid.RowFromY(100), -1);
    grid.CellFromPoint(50, 50);
    RecordingCanvas c;
    grid.Paint(c);
    EXPECT_FALSE(c.Ops.empty());
}

} // namespace
