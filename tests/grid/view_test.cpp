// Layout, hit queries, scrolling and painting of the grid engine.
#include "grid_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

using Op = RecordingCanvas::Op;
using RC = RecordingCanvas;

// Five columns of 80 in a window of the given size; no gutter unless asked.
struct Geometry : ::testing::Test {
    FakeHost host;
    TLapGrid grid;
    void Make(int width, int height, int rows, int rowHeight = 18, TGutterKind gutter = gkNone) {
        host.Width = width;
        host.Height = height;
        grid.SetScrollX(0);
        grid.SetScrollY(0);
        grid.SetColCount(5);
        grid.SetGutterKind(gutter);
        grid.SetDefRowHeight(rowHeight);
        grid.SetRowCount(rows);
        grid.SetHost(&host);
    }
};

// Sizes as large or as negative as a file can hold, with the most rows a
// grid can count: every extent stays a sane, non-negative pixel value.
TEST_F(Geometry, SizesFromFilesNeverOverflow) {
    const struct {
        const char* name;
        int width, rowHeight, rows;
    } cases[] = {
        {"largest of all", INT32_MAX, INT32_MAX, INT32_MAX},
        {"negative widths", INT32_MIN, INT32_MAX, 1'000'000},
        {"the tallest rows of the fullest sheet", 80, 1 << 20, 1'000'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Make(300, 200, 0);
        grid.SetHeaderLine(INT32_MAX);
        grid.SetGutterWidth(INT32_MAX);
        grid.SetGutterKind(gkNumber);
        grid.SetShowFooter(true);
        for (int i = 0; i < 5; ++i)
            grid.Columns[i].SetWidth(c.width);
        grid.SetDefRowHeight(c.rowHeight);
        grid.SetRowCount(c.rows);
        grid.SetHeaderLine(1);
        EXPECT_GT(grid.Layout().RowsHeight, 0);
        EXPECT_GE(grid.Layout().ColsWidth, 0);
        grid.EnsureVisible(4, c.rows - 1);
        EXPECT_GE(grid.CellRect(4, c.rows - 1).Top, 0);
        grid.VertScroll(scTrack, INT32_MAX);
        EXPECT_EQ(grid.ScrollY(), grid.Layout().MaxScrollY);
        grid.VertScroll(scPageDown, 0);
        grid.HorzScroll(scPageDown, 0);
        grid.MouseWheel(-120);
        // Every row of a sheet a file can hold is reachable.
        const int bottom = grid.CellFromPoint(299, 199).Y;
        if (c.rows <= 1'000'000) EXPECT_EQ(bottom, c.rows - 1);
        EXPECT_GE(bottom, 0);
        RecordingCanvas canvas;
        grid.Paint(canvas);
    }
}

TEST_F(Geometry, ScrollBarsAndMaxima) {
    // 400 pixels of columns after a 20-pixel gutter in a 336-pixel window with
    // 50 rows: both bars, a 320-pixel client. Column 4 ends at the client's
    // right edge: the computed 101 is clamped to 400 - 320 + 20, and the row
    // scrolls into view in the same step.
    Make(336, 200, 50, 18, gkBlank);
    EXPECT_TRUE(host.HorzShown);
    EXPECT_EQ(grid.ClientWidth(), 320);
    grid.EnsureVisible(4, 30);
    EXPECT_EQ(host.HorzInfo.Pos, 100);
    EXPECT_EQ(grid.ScrollY(), (30 - 7) * 18);

    // 20 rows of 22 under one header line in a 200-pixel-high client that
    // needs no horizontal bar: 440 - 200 + 22 = 262, rounded up to 264.
    Make(620, 200, 20, 22, gkBlank);
    EXPECT_EQ(grid.Layout().MaxScrollY, 264);
    EXPECT_EQ(host.VertInfo, (TScrollInfo{sifRange | sifPage | sifPos, 0, 440, 178, 0}));
    EXPECT_EQ(grid.Layout().CellArea, (TRect{20, 22, 604, 200}));
    // Fewer rows at the bottom: the offset follows the smaller maximum
    // (330 - 200 + 22 = 152, rounded up to 154); fewer than fit: no vertical
    // bar, offset back at 0.
    grid.VertScroll(scBottom, 0);
    grid.SetRowCount(15);
    EXPECT_EQ(grid.ScrollY(), 154);
    grid.SetRowCount(3);
    EXPECT_FALSE(host.VertShown);
    EXPECT_EQ(grid.ScrollY(), 0);

    // A footer sits under the rows, or on the last whole row when they overflow.
    grid.SetDefRowHeight(18);
    grid.SetShowFooter(true);
    EXPECT_EQ(grid.Layout().FooterTop, (1 + 3) * 18 - 1);
    grid.SetRowCount(30);
    EXPECT_EQ(grid.Layout().FooterTop, (200 / 18 - 1) * 18 - 1);
    EXPECT_EQ(grid.Layout().MaxScrollY, 540 - 200 + 18 + 18 + 2); // 376 rounded up to 378
}

TEST_F(Geometry, EnsureVisibleKeepsThresholdRowsBelow) {
    Make(600, 200, 50); // 200 - 18 = 182 pixels: rows 0..9 whole
    struct Case {
        const char* name;
        int threshold, startY, row, expectY;
    };
    const Case cases[] = {
        {"threshold 1: row 8 still leaves row 9 below", 1, 0, 8, 0},
        {"threshold 1: row 9 scrolls one row", 1, 0, 9, 18},
        {"threshold 0: row 10 scrolls one row", 0, 0, 10, 18},
        {"moving up scrolls only past the top", 1, 90, 5, 90},
        {"above the top row becomes the top row", 1, 90, 4, 72},
        {"the last row is reachable", 1, 0, 49, grid.Layout().MaxScrollY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.SetVertScrollThreshold(static_cast<std::uint8_t>(c.threshold));
        grid.SetScrollY(c.startY);
        grid.EnsureVisible(0, c.row);
        EXPECT_EQ(grid.ScrollY(), c.expectY);
        if (c.expectY != c.startY) EXPECT_EQ(host.VertInfo.Pos, c.expectY);
    }
    // The explicit threshold of the mouse overrides the property.
    grid.SetVertScrollThreshold(1);
    grid.SetScrollY(0);
    grid.EnsureVisible(0, 9, 0);
    grid.EnsureVisible(-1, 40); // no current cell: nothing
    EXPECT_EQ(grid.ScrollY(), 0);

    // A resize keeps the current cell in view.
    grid.SetRow(40);
    host.Height = 100;
    grid.Resize();
    EXPECT_GT(grid.ScrollY(), 0);

    // Room for one whole row (and a part) below the header, or for none: the
    // row goes to the top of the view, never scrolled above it.
    for (int height : {18 + 30, 18 + 10}) {
        Make(600, height, 50);
        for (std::uint8_t threshold : {0, 1, 3}) {
            grid.SetVertScrollThreshold(threshold);
            for (int row : {5, 6, 20, 19, 0, 49}) {
                grid.EnsureVisible(0, row);
                EXPECT_EQ(grid.ScrollY(), std::min(row * 18, grid.Layout().MaxScrollY))
                    << height << " " << row;
            }
        }
    }
}

TEST_F(Geometry, ScrollMessagesAndWheel) {
    Make(316, 200, 40, 22); // 880 pixels of rows, 100 pixels to scroll sideways
    const int max = grid.Layout().MaxScrollY;
    enum Bar { kVert, kHorz, kWheel };
    struct Case {
        const char* name;
        Bar bar;
        TScrollCode code;
        int pos, start, expect; // pos: the wheel's delta
    };
    const Case cases[] = {
        {"thumb drop rounds up", kVert, scPosition, 30, 0, 44},
        {"line down", kVert, scLineDown, 0, 22, 44},
        {"line up at the top stays", kVert, scLineUp, 0, 0, 0},
        {"page down is three rows", kVert, scPageDown, 0, 0, 66},
        {"page up", kVert, scPageUp, 0, 66, 0},
        {"bottom clamps to the maximum", kVert, scBottom, 0, 0, max},
        {"end of scroll ignored", kVert, scEndScroll, 0, 22, 22},
        {"sideways line is a row height", kHorz, scLineDown, 0, 0, 22},
        {"sideways page clamps", kHorz, scPageDown, 0, 22, 100},
        // The wheel moves one row per message whatever the delta.
        {"wheel up", kWheel, scEndScroll, 360, 44, 22},
        {"wheel down", kWheel, scEndScroll, -1, 22, 44},
        {"wheel at the bottom stays", kWheel, scEndScroll, -120, max, max},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.bar == kHorz ? grid.SetScrollX(c.start) : grid.SetScrollY(c.start);
        if (c.bar == kVert) grid.VertScroll(c.code, c.pos);
        if (c.bar == kHorz) grid.HorzScroll(c.code, c.pos);
        if (c.bar == kWheel) grid.MouseWheel(c.pos);
        EXPECT_EQ(c.bar == kHorz ? grid.ScrollX() : grid.ScrollY(), c.expect);
    }
    // Even an unchanged offset repaints below the header.
    grid.SetScrollY(0);
    host.ClearRequests();
    grid.VertScroll(scLineUp, 0);
    EXPECT_EQ(host.Invalidated.size(), 1u);

    // The thumb reaches rows beyond sixteen bits, rounded up to a row.
    Make(600, 200, 1000000);
    grid.VertScroll(scTrack, 40000);
    EXPECT_EQ(grid.ScrollY(), 40014);
}

TEST_F(Geometry, FitToWidthAndAutoColWidth) {
    // How the pixels are shared is GridLayout's; here the grid hands it the
    // hidden column and the one to spare: 300 pixels for 320 of columns.
    Make(300, 200, 3);
    grid.Columns[1].SetVisible(false);
    TLapGridTestView::SetKeepWidthCol(grid, 0);
    grid.SetFitToWidth(true);
    std::vector<int> widths;
    for (int i = 0; i < 5; ++i)
        widths.push_back(grid.Columns[i].Width());
    EXPECT_EQ(widths, (std::vector<int>{80, 80, 73, 73, 74}));

    grid.SetFitToWidth(false);
    grid.Columns[1].SetVisible(true);
    Make(600, 200, 3);
    grid.Columns[0].SetStrings({"x", std::string(20, 'a')}); // 120 + 7
    grid.Columns[1].SetStrings({"a"});
    grid.Columns[2].SetStrings({"", "", "", "", std::string(30, 'b')}); // beyond RowCount too
    grid.SetDefColWidth(10);
    grid.SetAutoColWidth(true);
    EXPECT_EQ(grid.Columns[0].Width(), 127);
    EXPECT_EQ(grid.Columns[1].Width(), 20);
    EXPECT_EQ(grid.Columns[2].Width(), 187);
}

TEST_F(Geometry, HeaderLayoutAndDamagedRowHeight) {
    Make(600, 200, 3);
    grid.SetHeaderLine(2);
    grid.Columns.BeginUpdate();
    grid.Columns[0].SetTitle("Best|Best");
    grid.Columns[1].SetTitle("");
    grid.Columns[2].SetTitle("Lap|Time");
    grid.Columns[3].SetTitle("Time");
    grid.Columns[4].SetTitle("\x83\x7C|x"); // a two-byte character whose trail byte is "|"
    grid.Columns.EndUpdate();
    std::string layout;
    for (const TLapGrid::THeaderInfo& h : grid.HeaderInfos())
        layout += h.Str + " " + std::to_string(h.Rc.Left) + "," + std::to_string(h.Rc.Top) + "-" +
                  std::to_string(h.Rc.Right) + "," + std::to_string(h.Rc.Bottom) + "; ";
    EXPECT_EQ(layout, "Best 0,0-0,1;  1,0-1,1; Lap 2,0-2,0; Time 2,1-2,1; Time 3,0-3,1; "
                      "\x83\x7C 4,0-4,0; x 4,1-4,1; ");
    EXPECT_EQ(grid.Layout().HeaderH, 36);

    // A row height of 0 from a damaged sheet must not divide by zero anywhere.
    Make(600, 200, 50);
    TLapGridTestView::SetDefRowHeight(grid, 0);
    grid.RecalcLayout();
    grid.EnsureVisible(0, 10);
    grid.VertScroll(scPosition, 30);
    EXPECT_EQ(grid.RowFromY(100), -1);
    grid.CellFromPoint(50, 50);
    RecordingCanvas c;
    grid.Paint(c);
    EXPECT_FALSE(c.Ops.empty());

    // Every column hidden: empty layout and no bars.
    grid.SetDefRowHeight(18);
    EXPECT_TRUE(host.VertShown);
    for (int i = 0; i < 5; ++i)
        grid.Columns[i].SetVisible(false);
    EXPECT_FALSE(host.VertShown || host.HorzShown);
}

// Three columns and six rows in a 500 x 300 window with the default gutter.
struct Painting : ::testing::Test {
    FakeHost host;
    TLapGrid grid;
    RecordingCanvas canvas;

    void SetUp() override {
        host.Width = 500;
        host.Height = 300;
        grid.SetColCount(3);
        grid.SetRowCount(6);
        grid.SetHost(&host);
    }
    void Repaint() {
        canvas.Ops.clear();
        grid.Paint(canvas);
    }
    // The outline drawn for body cell (c, r), or nullptr.
    const Op* CellOp(int c, int r) const {
        const TRect rc = grid.ToClient(grid.CellRect(c, r));
        for (const Op& o : canvas.Ops)
            if ((o.K == RC::kRectangle || o.K == RC::kFill) && o.R == rc) return &o;
        return nullptr;
    }
    int Frames() const {
        const auto rects = canvas.OfKind(RC::kRectangle);
        return static_cast<int>(std::count_if(rects.begin(), rects.end(),
                                              [](const Op& o) { return o.Pen.Width == 3; }));
    }
};

TEST_F(Painting, CellColoursAndSelection) {
    grid.Columns[1].SetColor(sys_color::BtnFace);
    grid.SetSelection(TRect{0, 0, 0, 0});
    Repaint();
    for (int r = 0; r < 6; ++r) {
        SCOPED_TRACE(r);
        const Op* op = CellOp(1, r);
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->Brush.Color, r % 2 ? sys_color::Window : sys_color::BtnFace);
    }

    grid.SetCells(0, 0, "a");
    grid.SetCells(1, 1, "b");
    grid.Columns[0].SetTitle("T");
    host.Focused = true;
    grid.SetSelection(TRect{0, 0, 1, 1});
    Repaint();
    EXPECT_EQ(CellOp(0, 0)->Brush.Color, sys_color::Window); // the current cell
    for (auto [c, r] : {std::pair{1, 0}, {0, 1}, {1, 1}})
        EXPECT_EQ(CellOp(c, r)->Brush.Color, 0xCAFFFFu);
    EXPECT_EQ(canvas.FindText("b")->Font.Color, 0x350000u);
    // One 3-pixel frame around all four cells.
    ASSERT_EQ(Frames(), 1);
    host.Focused = false;
    Repaint();
    EXPECT_EQ(CellOp(1, 1)->Brush.Color, sys_color::BtnFace);
    EXPECT_EQ(canvas.FindText("b")->Font.Color, 0x0F0F0Fu);

    // Disabled: no frame, no selection colours, texts in the disabled colours.
    host.Focused = true;
    grid.SetEnabled(false);
    Repaint();
    EXPECT_EQ(Frames(), 0);
    EXPECT_EQ(CellOp(1, 1)->Brush.Color, sys_color::Window);
    EXPECT_EQ(canvas.FindText("b")->Font.Color, sys_color::BtnFace);
    ASSERT_NE(canvas.FindText("T"), nullptr);
    EXPECT_EQ(canvas.FindText("T")->Font.Color, sys_color::BtnShadow);

    // Without grid lines the cell is only filled.
    TGridLook noLines = grid.Look();
    noLines.ShowGrid = false;
    grid.SetLook(noLines);
    Repaint();
    EXPECT_EQ(CellOp(1, 0)->K, RC::kFill);

    // No visible column: only the background and the notice.
    for (int i = 0; i < 3; ++i)
        grid.Columns[i].SetVisible(false);
    Repaint();
    ASSERT_EQ(canvas.Ops.size(), 2u);
    const Op& t = canvas.Ops[1];
    EXPECT_EQ(t.Text, "(\x91\x53\x82\xC4\x82\xCC\x83\x4A\x83\x89\x83\x80\x82\xAA\x94\xF1\x95\x5C"
                      "\x8E\xA6\x82\xC9\x82\xC8\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7)");
    EXPECT_EQ(t.Font.Color, sys_color::GrayText);
    // In the middle of the 500-pixel window.
    EXPECT_NEAR(t.P1.X, 500 - (t.P1.X + 6 * static_cast<int>(t.Text.size())), 1);
}

TEST_F(Painting, PaintOrderAndEmptyAreas) {
    grid.SetShowFooter(true);
    Repaint();
    // First the background, then the body clip with the cells.
    EXPECT_EQ(canvas.Ops[1].R, (TRect{20, 18, 500, grid.Layout().FooterTop}));
    // After the clip is removed: gutter cells, then header, then footer.
    std::size_t removed = 0;
    while (canvas.Ops[removed].K != RC::kClipRemove)
        ++removed;
    std::vector<int> tops;
    for (std::size_t i = removed; i < canvas.Ops.size(); ++i)
        if (canvas.Ops[i].K == RC::kRectangle) tops.push_back(canvas.Ops[i].R.Top);
    ASSERT_EQ(tops.size(), 6u + 3u + 1u + 3u + 2u); // gutter, header, corner, footer, corner, area
    EXPECT_EQ(tops[0], 17);                         // gutter row 0
    EXPECT_EQ(tops[6], -1);                         // header
    EXPECT_EQ(tops[10], grid.Layout().FooterTop);   // footer
    // The footer's own area covers what is below it: only the background and
    // the strip right of the columns are filled.
    EXPECT_EQ(canvas.OfKind(RC::kFill).size(), 2u);

    // Right of the columns and below the rows, in the grid's colour.
    grid.SetShowFooter(false);
    grid.SetGutterKind(gkNone);
    Repaint();
    std::vector<TRect> fills;
    for (const Op& o : canvas.OfKind(RC::kFill))
        fills.push_back(o.R);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[1], (TRect{240, 0, 500, 300}));
    EXPECT_EQ(fills[2], (TRect{0, 7 * 18, 500, 300}));
}

TEST_F(Painting, HeaderGutterAndFooterCells) {
    grid.SetHeaderLine(2);
    grid.Columns[0].SetTitle("Lap;Time");
    grid.Columns[1].SetTitle("A|B");
    grid.Columns[2].SetFooter("sum");
    grid.SetGutterKind(gkNumber);
    Repaint();
    // "Lap;Time" covers both lines and is drawn as two lines, one under the other.
    const Op* lap = canvas.FindText("Lap");
    const Op* time = canvas.FindText("Time");
    ASSERT_TRUE(lap && time);
    EXPECT_EQ(time->P1.Y, lap->P1.Y + 12);
    // Centred: as much room left of "Lap" as right of it (three 6-pixel characters).
    EXPECT_NEAR(lap->P1.X - lap->R.Left, lap->R.Right - (lap->P1.X + 18), 1);
    // Gutter numbers start at 1; no footer is shown yet.
    EXPECT_NE(canvas.FindText("1"), nullptr);
    EXPECT_EQ(canvas.FindText("sum"), nullptr);

    // Gutter strings (empty texts where the list ends) and the footer's texts.
    grid.SetGutterKind(gkString);
    grid.SetGutterStrings({"x", "y"});
    grid.SetShowFooter(true);
    Repaint();
    EXPECT_NE(canvas.FindText("y"), nullptr);
    ASSERT_NE(canvas.FindText("sum"), nullptr);
    EXPECT_GT(canvas.FindText("sum")->R.Top, grid.Layout().FooterTop);

    // The pointer gutter marks the current row, and only that one.
    grid.SetGutterKind(gkPointer);
    grid.SetShowFooter(false);
    grid.SetRow(2);
    Repaint();
    const auto lines = canvas.OfKind(RC::kLine);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(grid.RowFromY(lines[1].P2.Y), 2);
}

TEST_F(Painting, DrawEventsMayRecolourOrTakeOver) {
    grid.SetCells(2, 0, "taken");
    grid.OnDrawCell = [](Canvas& c, int x, int y, const TRect&, bool& handled) {
        if (x == 1) c.Brush.Color = RGB(1, 2, 3);
        if (x == 2 && y == 0) handled = true;
    };
    int headers = 0;
    grid.OnDrawHeader = [&](Canvas&, const TRect&, const std::string&, bool& handled) {
        ++headers;
        handled = true;
    };
    Repaint();
    EXPECT_EQ(CellOp(1, 3)->Brush.Color, RGB(1, 2, 3));
    EXPECT_EQ(CellOp(2, 0), nullptr);
    EXPECT_EQ(canvas.FindText("taken"), nullptr);
    EXPECT_EQ(headers, 3 + 1); // three columns and the corner
}

TEST_F(Painting, RedrawCellInvalidatesAndKeepsTheTypedEnd) {
    const std::string longText(30, 'x'); // 180 pixels in a 72-pixel interior
    grid.SetCells(0, 1, longText);
    host.ClearRequests();
    const TPoint caret = grid.RedrawCell(0, 1, false);
    const TRect inner{19 + 4, 35 + 2, 100 - 4, 54 - 2};
    EXPECT_EQ(host.Invalidated, std::vector<TRect>{inner});
    EXPECT_EQ(caret, (TPoint{inner.Right, inner.Top - 1}));

    // An overlong text starts at the left edge; while typed into, the current
    // cell shows its end instead, in every paint.
    Repaint();
    EXPECT_EQ(canvas.FindText(longText)->P1.X, inner.Left);
    grid.SetRow(1);
    TLapGridTestView::SetTypedText(grid, longText);
    grid.RedrawCell(0, 1, true);
    Repaint();
    EXPECT_EQ(canvas.FindText(longText)->P1.X, inner.Right - 180);

    // Nothing is repainted while Updating.
    grid.BeginUpdate();
    host.ClearRequests();
    grid.SetCells(2, 0, "other");
    EXPECT_TRUE(host.Invalidated.empty());
    Repaint();
    EXPECT_TRUE(canvas.Ops.empty());
    grid.EndUpdate();

    // A column's colour repaints its strip; a width, every column.
    host.ClearRequests();
    grid.Columns[1].SetColor(RGB(1, 1, 1));
    EXPECT_EQ(host.Invalidated, std::vector<TRect>{(TRect{20 + 80 - 3, 0, 20 + 160 + 3, 300})});
    host.ClearRequests();
    grid.Columns[1].SetWidth(90);
    EXPECT_EQ(host.InvalidateAllCount, 1);
}

// The picture of a paint is what visiting every row would draw, and a sheet
// of a million rows visits only the rows in view.
TEST_F(Painting, OnlyRowsInViewAreVisited) {
    for (int rows : {300, 1000000}) {
        SCOPED_TRACE(rows);
        grid.SetRowCount(rows);
        grid.SetCells(0, 150, "mid");
        grid.SetScrollY(150 * 18 - 5 * 18);
        grid.RecalcLayout();
        int calls = 0;
        grid.OnDrawCell = [&](Canvas&, int, int, const TRect&, bool&) { ++calls; };
        Repaint();
        EXPECT_LE(calls, 3 * (300 / 18 + 3));
        EXPECT_NE(canvas.FindText("mid"), nullptr);
        if (rows > 1000) continue;

        // The same cells drawn by visiting every row, for the smaller sheet.
        RecordingCanvas all;
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < rows; ++r)
                grid.DrawCell(all, c, r);
        std::vector<Op> painted;
        int clipSets = 0;
        for (const Op& o : canvas.Ops)
            if (o.K == RC::kClipSet)
                ++clipSets;
            else if (clipSets == 1 && o.K != RC::kClipExclude)
                painted.push_back(o);
        auto same = [](const Op& a, const Op& b) {
            return a.K == b.K && a.R == b.R && a.Text == b.Text && a.Brush == b.Brush;
        };
        EXPECT_TRUE(
            std::equal(painted.begin(), painted.end(), all.Ops.begin(), all.Ops.end(), same));
    }
}

} // namespace
