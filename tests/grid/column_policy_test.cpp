// The grid asks its column policy, not the column numbers, which columns
// take text from another program, which undo puts back and which row
// records keep.
#include "grid_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr unsigned In = cfCellInput, Rec = cfUndoRecorded, Row = cfRowRecord;

TEST(ColumnPolicy, GridFollowsTheFlagsNotTheColumnNumbers) {
    struct Case {
        const char* name;
        std::vector<unsigned> flags; // columns 0 .. 4
        std::function<void(Sheet&)> act;
        std::vector<Strings> columns; // columns 0 .. 4 afterwards, rows 0 and 1
    };
    const Strings o0{"o0", ""}, o1{"o1", ""}, o2{"o2", ""}, o3{"o3", ""}, o4{"o4", ""};
    const Strings none{"", ""};
    auto input = [](int col) {
        return [col](Sheet& s) {
            s.Go(col, 0);
            s.G.CellInput("x", -1);
        };
    };
    auto pasteAllThenUndo = [](Sheet& s) {
        s.Clip.SetText("A\tB\tC\tD\tE");
        s.Select(0, 0, 4, 0);
        s.G.PasteFromClipboard();
        s.Undo().Undo();
    };
    auto cutAllThenUndo = [](Sheet& s) {
        s.Select(0, 0, 4, 0);
        s.G.CutToClipboard();
        s.Undo().Undo();
    };
    auto cutUndoWriteRedo = [cutAllThenUndo](Sheet& s) {
        cutAllThenUndo(s);
        s.G.SetCells(0, 0, "w0");
        s.G.SetCells(2, 0, "w2");
        s.Undo().Redo();
    };
    auto deleteRowThenUndo = [](Sheet& s) {
        s.G.DeleteRows(0, 0, true);
        s.Undo().Undo();
    };
    // clang-format off
    const Case cases[] = {
        {"input lands in a flagged column", {In, 0, 0, 0, 0}, input(0),
         {{"x", ""}, o1, o2, o3, o4}},
        {"input refused where unflagged", {In, 0, 0, 0, 0}, input(2),
         {o0, o1, o2, o3, o4}},
        {"input refused in a hidden flagged column", {0, 0, 0, In, 0},
         [](Sheet& s) {
             s.Go(3, 0);
             s.G.Columns[3].SetVisible(false);
             s.G.CellInput("x", -1);
         },
         {o0, o1, o2, o3, o4}},
        {"undo of a paste puts back recorded columns only", {0, 0, 0, Rec, Rec}, pasteAllThenUndo,
         {{"A", ""}, {"B", ""}, {"C", ""}, o3, o4}},
        {"a paste record ends at the last recorded column", {0, Rec, 0, 0, 0}, pasteAllThenUndo,
         {{"A", ""}, o1, {"C", ""}, {"D", ""}, {"E", ""}}},
        {"undo of a cut puts back recorded columns only", {0, 0, Rec, 0, Rec}, cutAllThenUndo,
         {none, none, o2, none, o4}},
        {"redo of a cut empties recorded columns only", {0, 0, Rec, 0, Rec}, cutUndoWriteRedo,
         {{"w0", ""}, none, none, none, none}},
        {"undo of a row delete restores row-record columns", {0, Row, 0, Row, 0}, deleteRowThenUndo,
         {none, o1, none, o3, none}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s(2);
        s.G.Columns[3].ReadOnly = false;
        s.G.Columns[4].ReadOnly = false;
        for (int col = 0; col < 5; ++col)
            s.SetColumn(col, {"o" + std::to_string(col), ""});
        s.G.SetColumnPolicy(TColumnPolicy(c.flags));
        c.act(s);
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(s.Column(col), c.columns[static_cast<std::size_t>(col)]) << col;
    }
}

TEST(ColumnPolicy, RowRecordsSpanTheFlaggedColumns) {
    struct Case {
        const char* name;
        std::function<void(TLapGrid&)> act;
        TBufferType kind;
        TRect area;
    };
    const Case cases[] = {
        {"add a line", [](TLapGrid& g) { g.AddRow(true); }, btAddLine, {1, 5, 3, 5}},
        {"insert lines", [](TLapGrid& g) { g.InsertRows(1, 2, true); }, btInsLine, {1, 1, 3, 2}},
        {"delete lines", [](TLapGrid& g) { g.DeleteRows(0, 1, true); }, btDelLine, {1, 0, 3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s(4);
        s.G.SetColumnPolicy(TColumnPolicy({0, Row, Row | Rec, Row, Rec}));
        c.act(s.G);
        ASSERT_EQ(s.Undo().Count(), 1);
        EXPECT_EQ(s.Undo().Items(0).BufferType, c.kind);
        EXPECT_EQ(s.Undo().Items(0).Area, c.area);
    }
}

} // namespace
