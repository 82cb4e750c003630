// Painting of the grid engine over a recording canvas.
#include "grid_fixture.h"

#include <gtest/gtest.h>

namespace {

using Op = RecordingCanvas::Op;

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
    // The outline drawn for body cell (c, r), or nullptr.
    const Op* CellOp(int c, int r) const {
        const TRect rc = grid.ToClient(grid.CellRect(c, r));
        for (const Op& o : canvas.Ops)
            if ((o.K == RecordingCanvas::kRectangle || o.K == RecordingCanvas::kFill) && o.R == rc)
                return &o;
        return nullptr;
    }
    const Op* CellTextOp(int c, int r) const {
        const TRect rc = grid.ToClient(grid.CellRect(c, r));
        const TRect inner{rc.Left + 4, rc.Top + 2, rc.Right - 4, rc.Bottom - 2};
        for (const Op& o : canvas.Ops)
            if (o.K == RecordingCanvas::kText && o.R == inner) return &o;
        return nullptr;
    }
};

TEST_F(Painting, RowColoursAndAlternateRows) {
    grid.Columns[1].SetColor(sys_color::BtnFace);
    grid.SetSelection(TRect{0, 0, 0, 0});
    grid.Paint(canvas);
    for (int r = 0; r < 6; ++r) {
        SCOPED_TRACE(r);
        const Op* op = CellOp(1, r);
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->K, RecordingCanvas::kRectangle);
        EXPECT_EQ(op->Brush.Color, r % 2 ? sys_color::Window : sys_color::BtnFace);
        EXPECT_EQ(op->Pen.Color, sys_color::BtnFace); // GridColor
    }
    // Without grid lines the cell is only filled.
    canvas.Ops.clear();
    grid.SetShowGrid(false);
    grid.Paint(canvas);
    ASSERT_NE(CellOp(1, 0), nullptr);
    EXPECT_EQ(CellOp(1, 0)->K, RecordingCanvas::kFill);
}

TEST_F(Painting, BlockSelectionFocusedAndNot) {
    grid.SetCells(0, 0, "a");
    grid.SetCells(1, 1, "b");
    grid.SetSelection(TRect{0, 0, 1, 1});
    host.Focused = true;
    grid.Paint(canvas);
    EXPECT_EQ(CellOp(0, 0)->Brush.Color, sys_color::Window); // the current cell
    for (auto [c, r] : {std::pair{1, 0}, {0, 1}, {1, 1}})
        EXPECT_EQ(CellOp(c, r)->Brush.Color, 0xCAFFFFu);
    EXPECT_EQ(CellTextOp(1, 1)->Font.Color, 0x350000u);
    EXPECT_EQ(CellTextOp(0, 0)->Font.Color, sys_color::WindowText);
    EXPECT_EQ(CellOp(2, 0)->Brush.Color, sys_color::Window);

    // One 3-pixel frame around all four cells, drawn once.
    int frames = 0;
    for (const Op& o : canvas.OfKind(RecordingCanvas::kRectangle)) {
        if (o.Pen.Width != 3) continue;
        ++frames;
        EXPECT_EQ(o.Pen.Color, RGB(0, 0, 0));
        EXPECT_EQ(o.Brush.Style, bsClear);
        EXPECT_EQ(o.R, (TRect{19, 17, 180, 54}));
    }
    EXPECT_EQ(frames, 1);

    host.Focused = false;
    canvas.Ops.clear();
    grid.Paint(canvas);
    EXPECT_EQ(CellOp(1, 1)->Brush.Color, sys_color::BtnFace);
    EXPECT_EQ(CellTextOp(1, 1)->Font.Color, 0x0F0F0Fu);
}

TEST_F(Painting, SingleCellAndDisabled) {
    grid.SetCells(0, 0, "a");
    grid.SetSelection(TRect{0, 0, 0, 0});
    host.Focused = true;
    grid.Paint(canvas);
    for (const Op& o : canvas.OfKind(RecordingCanvas::kRectangle))
        EXPECT_NE(o.Brush.Color, 0xCAFFFFu);
    EXPECT_EQ(canvas.OfKind(RecordingCanvas::kClipExclude).size(), 8u); // the ring, twice
    int frames = 0;
    for (const Op& o : canvas.OfKind(RecordingCanvas::kRectangle))
        frames += o.Pen.Width == 3;
    EXPECT_EQ(frames, 1);

    // Disabled: no frame, no selection colours, texts in the disabled colours.
    grid.Columns[0].SetTitle("T");
    grid.SetSelection(TRect{0, 0, 1, 1});
    grid.SetEnabled(false);
    canvas.Ops.clear();
    grid.Paint(canvas);
    for (const Op& o : canvas.OfKind(RecordingCanvas::kRectangle)) {
        EXPECT_NE(o.Pen.Width, 3);
        EXPECT_NE(o.Brush.Color, 0xCAFFFFu);
    }
    EXPECT_TRUE(canvas.OfKind(RecordingCanvas::kClipExclude).empty());
    EXPECT_EQ(CellTextOp(0, 0)->Font.Color, sys_color::BtnFace);
    EXPECT_EQ(CellTextOp(1, 1)->Font.Color, sys_color::BtnFace);
    ASSERT_NE(canvas.FindText("T"), nullptr);
    EXPECT_EQ(canvas.FindText("T")->Font.Color, sys_color::BtnShadow);
}

TEST_F(Painting, NoVisibleColumnShowsTheNotice) {
    for (int i = 0; i < 3; ++i)
        grid.Columns[i].SetVisible(false);
    grid.Paint(canvas);
    ASSERT_EQ(canvas.Ops.size(), 2u);
    EXPECT_EQ(canvas.Ops[0].K, RecordingCanvas::kFill);
    EXPECT_EQ(canvas.Ops[0].R, (TRect{0, 0, 500, 300}));
    EXPECT_EQ(canvas.Ops[0].Brush.Color, sys_color::Window);
    const Op& t = canvas.Ops[1];
    const std::string notice =
        "(\x91\x53\x82\xC4\x82\xCC\x83\x4A\x83\x89\x83\x80\x82\xAA\x94\xF1\x95\x5C"
        "\x8E\xA6\x82\xC9\x82\xC8\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7)";
    EXPECT_EQ(t.Text, notice);
    EXPECT_EQ(t.Font.Name, "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
    EXPECT_EQ(t.Font.Color, sys_color::GrayText);
    const int tw = static_cast<int>(notice.size()) * 6;
    EXPECT_EQ(t.P1, (TPoint{250 - tw / 2, 150 - 6}));
}

TEST_F(Painting, PaintOrder) {
    grid.SetShowFooter(true);
    grid.Paint(canvas);
    std::vector<RecordingCanvas::Kind> clips;
    for (const Op& o : canvas.Ops)
        if (o.K == RecordingCanvas::kClipSet || o.K == RecordingCanvas::kClipRemove)
            clips.push_back(o.K);
    EXPECT_EQ(clips, (std::vector<RecordingCanvas::Kind>{
                         RecordingCanvas::kClipSet, RecordingCanvas::kClipSet,
                         RecordingCanvas::kClipSet, RecordingCanvas::kClipRemove}));
    // First the background, then the body clip with the cells.
    EXPECT_EQ(canvas.Ops[0].K, RecordingCanvas::kFill);
    EXPECT_EQ(canvas.Ops[1].K, RecordingCanvas::kClipSet);
    EXPECT_EQ(canvas.Ops[1].R, (TRect{20, 18, 500, grid.FooterTop}));
    // After the clip is removed: gutter cells, then header, then footer.
    std::size_t removed = 0;
    while (canvas.Ops[removed].K != RecordingCanvas::kClipRemove)
        ++removed;
    std::vector<int> tops;
    for (std::size_t i = removed; i < canvas.Ops.size(); ++i)
        if (canvas.Ops[i].K == RecordingCanvas::kRectangle) tops.push_back(canvas.Ops[i].R.Top);
    ASSERT_EQ(tops.size(), 6u + 3u + 1u + 3u + 2u); // gutter, header, corner, footer, corner, area
    EXPECT_EQ(tops[0], 17);                         // gutter row 0
    EXPECT_EQ(tops[6], -1);                         // header
    EXPECT_EQ(tops[10], grid.FooterTop);            // footer
}

TEST_F(Painting, HeaderGutterAndFooterCells) {
    grid.SetHeaderLine(2);
    grid.Columns[0].SetTitle("Lap;Time");
    grid.Columns[1].SetTitle("A|B");
    grid.Columns[2].SetFooter("sum");
    grid.SetGutterKind(gkNumber);
    grid.Paint(canvas);
    // "Lap;Time" covers both lines and is drawn as two centred lines.
    const Op* lap = canvas.FindText("Lap");
    const Op* time = canvas.FindText("Time");
    ASSERT_TRUE(lap && time);
    const TRect cell{19, -1, 100, 36};
    EXPECT_EQ(lap->R, (TRect{cell.Left + 2, cell.Top + 2, cell.Right - 3, cell.Bottom - 3}));
    const int h = lap->R.Bottom - lap->R.Top;
    EXPECT_EQ(lap->P1.Y, lap->R.Top + (h - 24) / 2);
    EXPECT_EQ(time->P1.Y, lap->P1.Y + 12);
    EXPECT_EQ(lap->P1.X, lap->R.Left + (lap->R.Right - lap->R.Left - 18) / 2);
    ASSERT_NE(canvas.FindText("A"), nullptr);
    EXPECT_EQ(canvas.FindText("A")->R.Bottom, 18 - 3);
    EXPECT_EQ(canvas.FindText("B")->R.Top, 17 + 2);
    // Gutter numbers start at 1.
    ASSERT_NE(canvas.FindText("1"), nullptr);
    EXPECT_EQ(canvas.FindText("1")->R.Top, 36 - 1 + 2);
    EXPECT_NE(canvas.FindText("6"), nullptr);
    EXPECT_EQ(canvas.FindText("sum"), nullptr); // no footer shown

    // Gutter strings: empty texts where the list ends.
    grid.SetGutterKind(gkString);
    grid.SetGutterStrings({"x", "y"});
    grid.SetShowFooter(true);
    canvas.Ops.clear();
    grid.Paint(canvas);
    EXPECT_NE(canvas.FindText("y"), nullptr);
    int gutterTexts = 0;
    for (const Op& o : canvas.OfKind(RecordingCanvas::kText))
        if (o.R.Left == 1) ++gutterTexts; // gutter text rectangles start at -1 + 2
    EXPECT_GE(gutterTexts, 6);
    ASSERT_NE(canvas.FindText("sum"), nullptr);
    EXPECT_EQ(canvas.FindText("sum")->R.Top, grid.FooterTop + 2);
}

TEST_F(Painting, GutterPointerOnTheCurrentRow) {
    grid.SetGutterKind(gkPointer);
    grid.SetRow(2);
    grid.Paint(canvas);
    const auto lines = canvas.OfKind(RecordingCanvas::kLine);
    ASSERT_EQ(lines.size(), 3u);
    const int top = 2 * 18 - 1 + 18; // row 2's gutter cell
    const int bottom = 3 * 18 + 18;
    EXPECT_EQ(lines[0].P1, (TPoint{6, bottom - 5}));
    EXPECT_EQ(lines[0].P2, (TPoint{6, top + 5}));
    EXPECT_EQ(lines[1].P2, (TPoint{14, 9 + top}));
    EXPECT_EQ(lines[2].P2, (TPoint{6, bottom - 5}));
    EXPECT_EQ(lines[0].Pen.Color, sys_color::BtnShadow);
    EXPECT_EQ(lines[2].Pen.Color, sys_color::BtnHighlight);
}

TEST_F(Painting, DrawEventsMayRecolourOrTakeOver) {
    grid.OnDrawCell = [](Canvas& c, int x, int y, const TRect&, bool& handled) {
        if (x == 1) c.Brush.Color = RGB(1, 2, 3);
        if (x == 2 && y == 0) handled = true;
    };
    int headers = 0;
    grid.OnDrawHeader = [&](Canvas&, const TRect&, const std::string&, bool& handled) {
        ++headers;
        handled = true;
    };
    grid.Paint(canvas);
    EXPECT_EQ(CellOp(1, 3)->Brush.Color, RGB(1, 2, 3));
    EXPECT_EQ(CellOp(2, 0), nullptr);
    EXPECT_EQ(CellTextOp(2, 0), nullptr);
    EXPECT_NE(CellOp(2, 1), nullptr);
    EXPECT_EQ(headers, 3 + 1); // three columns and the corner
}

TEST_F(Painting, AlignedTextPlacement) {
    const TRect rc{10, 20, 70, 40}; // 60 x 20
    struct Case {
        THorzAlign h;
        TVertAlign v;
        std::string text;
        bool keepEnd;
        TPoint at;
        TPoint caret;
    };
    const Case cases[] = {
        {haLeft, vaCenter, "abc", false, {10, 24}, {29, 19}},
        {haCenter, vaTop, "abc", false, {31, 20}, {50, 19}},
        {haRight, vaBottom, "abc", false, {52, 28}, {70, 19}},
        {haLeft, vaCenter, std::string(15, 'x'), false, {10, 24}, {70, 19}},
        {haLeft, vaCenter, std::string(15, 'x'), true, {-20, 24}, {70, 19}},
    };
    for (const Case& c : cases) {
        RecordingCanvas cv;
        TPoint caret;
        grid.DrawAlignedText(cv, c.text, rc, &caret, c.keepEnd, c.v, c.h);
        ASSERT_EQ(cv.Ops.size(), 1u);
        EXPECT_EQ(cv.Ops[0].R, rc);
        EXPECT_EQ(cv.Ops[0].P1, c.at);
        EXPECT_EQ(caret, c.caret);
    }
}

TEST_F(Painting, RedrawCellInvalidatesAndKeepsTheTypedEnd) {
    const std::string longText(30, 'x'); // 180 pixels in a 72-pixel interior
    grid.SetCells(0, 1, longText);
    host.ClearRequests();
    const TPoint caret = grid.RedrawCell(0, 1, false);
    const TRect inner{19 + 4, 35 + 2, 100 - 4, 54 - 2};
    ASSERT_EQ(host.Invalidated.size(), 1u);
    EXPECT_EQ(host.Invalidated[0], inner);
    EXPECT_EQ(caret, (TPoint{inner.Right, inner.Top - 1}));

    // While typed into, the current cell shows its end in every paint.
    grid.SetRow(1);
    grid.TypedText = longText;
    grid.RedrawCell(0, 1, true);
    grid.Paint(canvas);
    EXPECT_EQ(CellTextOp(0, 1)->P1.X, inner.Right - 180);
    grid.TypedText.clear();
    canvas.Ops.clear();
    grid.Paint(canvas);
    EXPECT_EQ(CellTextOp(0, 1)->P1.X, inner.Left);

    // Writes repaint the written cell only; nothing while Updating.
    host.ClearRequests();
    grid.SetCells(2, 0, "new");
    EXPECT_EQ(host.Invalidated.size(), 1u);
    grid.BeginUpdate();
    host.ClearRequests();
    grid.SetCells(2, 0, "other");
    EXPECT_TRUE(host.Invalidated.empty());
    canvas.Ops.clear();
    grid.Paint(canvas);
    EXPECT_TRUE(canvas.Ops.empty());
    grid.EndUpdate();
}

TEST_F(Painting, EmptyAreaFills) {
    grid.SetGutterKind(gkNone);
    grid.Paint(canvas);
    // Right of the columns and below the rows, in the grid's colour.
    std::vector<TRect> fills;
    for (const Op& o : canvas.OfKind(RecordingCanvas::kFill))
        fills.push_back(o.R);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[1], (TRect{240, 0, 500, 300}));
    EXPECT_EQ(fills[2], (TRect{0, 7 * 18, 500, 300}));
    EXPECT_EQ(fills[3], (TRect{0, (282 / 18) * 18 + 18, 500, 300}));
}

// The picture of a paint is what visiting every row would draw, and a sheet
// of a million rows visits only the rows in view.
TEST_F(Painting, OnlyRowsInViewAreVisited) {
    for (int rows : {300, 1000000}) {
        SCOPED_TRACE(rows);
        grid.SetRowCount(rows);
        grid.SetCells(0, 150, "mid");
        grid.ScrollY = 150 * 18 - 5 * 18;
        grid.RecalcLayout();
        int calls = 0;
        grid.OnDrawCell = [&](Canvas&, int, int, const TRect&, bool&) { ++calls; };
        canvas.Ops.clear();
        grid.Paint(canvas);
        EXPECT_LE(calls, 3 * (300 / 18 + 3));

        // The same cells drawn by visiting every row, for the smaller sheet.
        if (rows > 1000) continue;
        RecordingCanvas all;
        all.Ops.push_back(canvas.Ops[0]);
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < rows; ++r)
                grid.DrawCell(all, c, r);
        std::vector<Op> painted;
        bool inBody = false;
        int clipSets = 0;
        for (const Op& o : canvas.Ops) {
            if (o.K == RecordingCanvas::kClipSet)
                inBody = ++clipSets == 1;
            else if (inBody && o.K != RecordingCanvas::kClipExclude)
                painted.push_back(o);
        }
        ASSERT_EQ(painted.size() + 1, all.Ops.size());
        for (std::size_t i = 0; i < painted.size(); ++i) {
            EXPECT_EQ(painted[i].K, all.Ops[i + 1].K);
            EXPECT_EQ(painted[i].R, all.Ops[i + 1].R);
            EXPECT_EQ(painted[i].Text, all.Ops[i + 1].Text);
            EXPECT_EQ(painted[i].Brush, all.Ops[i + 1].Brush);
        }
        EXPECT_NE(canvas.FindText("mid"), nullptr);
    }
}

TEST_F(Painting, RepaintRequests) {
    host.ClearRequests();
    grid.Columns[1].SetColor(RGB(1, 1, 1)); // one column's strip
    ASSERT_EQ(host.Invalidated.size(), 1u);
    EXPECT_EQ(host.Invalidated[0], (TRect{20 + 80 - 3, 0, 20 + 160 + 3, 300}));
    host.ClearRequests();
    grid.Columns[1].SetWidth(90); // all columns: everything
    EXPECT_EQ(host.InvalidateAllCount, 1);
    host.ClearRequests();
    grid.SetSelectionColor(RGB(9, 9, 9));
    EXPECT_EQ(host.Invalidated[0], (TRect{18, 16, 500, 300}));
    host.ClearRequests();
    grid.SetGutterKind(gkNumber); // gutter shown before and after: its strip only
    EXPECT_EQ(host.InvalidateAllCount, 0);
    EXPECT_EQ(host.Invalidated[0], (TRect{0, 18, 20, 300}));
}

} // namespace
