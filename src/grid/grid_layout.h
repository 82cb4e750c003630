// Where the grid's parts lie, as the last layout left them: the gutter and
// header bands, the column edges, the row height, the scroll offsets and
// their maxima. A plain value: the grid asks it to arrange itself in
// RecalcLayout and applies what follows (column widths, scroll bars,
// repaints); nothing here reaches outside the value.
//
// Content coordinates start at the top-left of cell (0, 0); client ones add
// (GutterW - ScrollX, HeaderH - ScrollY). Header cells scroll only sideways,
// gutter cells only up and down.
#pragma once

#include "grid/lap_types.h"

#include <vector>

// Sizes from files (column widths, row height, gutter width, header lines)
// are held to these, and pixel extents that grow with the row count to
// GridMaxExtent, so that no layout, scroll or paint computation overflows,
// whatever a file holds. Each is far above anything a screen can show.
namespace grid_limits {
constexpr int MaxColWidth = 100'000;
constexpr int MaxRowHeight = 1'000; // a million such rows stay below MaxExtent
constexpr int MaxGutterWidth = 100'000;
constexpr int MaxHeaderLines = 100;
constexpr int MaxExtent = 1 << 30;
// Value within -MaxExtent .. MaxExtent.
constexpr int Extent(long long v) {
    return static_cast<int>(v < -MaxExtent ? -MaxExtent : v > MaxExtent ? MaxExtent : v);
}
} // namespace grid_limits

// A column as the layout sees it.
struct TColumnShape {
    int Width = 0;
    bool Visible = true;
    bool CanResize = true;
};

// What the grid's settings ask of a layout, apart from the columns.
struct TLayoutRequest {
    int GutterW = 0;
    int HeaderLines = 0;
    int RowHeight = 18;
    int Rows = 0;
    bool ShowFooter = false;
    bool FitToWidth = false;
    int KeepWidthCol = -1; // fitting to the width never narrows this column
};

struct TScrollBarsNeeded {
    bool Horz = false;
    bool Vert = false;
    bool operator==(const TScrollBarsNeeded&) const = default;
};

struct TGridLayout {
    // What the layout was computed from.
    int RowHeight = 18;
    int Rows = 0;
    // Content x of each column's left edge, one more entry for the right end
    // of the last column; a hidden column is 0 wide.
    std::vector<int> Lefts{0};

    // Results.
    int GutterW = 0;
    int HeaderH = 0;
    int ColsWidth = 0;
    int RowsHeight = 0;
    int GridWidth = 200;
    int GridHeight = 200;
    int FooterTop = 0; // last pixel row of the cell area when the footer is shown
    TRect CellArea;
    int MaxScrollX = 0;
    int MaxScrollY = 0;

    // The view's position over the content; ScrollY is a multiple of the row
    // height. Only the operations below move it, and each keeps it in range.
    int ScrollX() const { return FScrollX; }
    int ScrollY() const { return FScrollY; }
    void ScrollXTo(int X) { FScrollX = ClampScrollX(X); }
    // Onto the row at or above Y.
    void ScrollYTo(int Y) { FScrollY = ClampScrollY(Y); }
    // Onto the row at or below Y.
    void ScrollYUpTo(int Y) { FScrollY = ClampScrollYUp(Y); }
    // Into range only (a wheel step keeps the offset's place within a row).
    void ScrollYWithin(int Y);
    void ResetScrollX() { FScrollX = 0; }
    void ResetScroll() { FScrollX = FScrollY = 0; }

    // A layout is made in two steps around the scroll bars, since showing a
    // bar changes the client size. Arrange settles the column widths (fitted
    // to the client width when asked; Cols gets them back), the edges and
    // extents, and says which bars the content needs in a client of the
    // given size; an offset along an axis where everything fits goes back
    // to 0. Fit then takes the client size with those bars shown and works
    // out the maxima, the footer, the bands and the cell area, and brings
    // the offsets into range. Neither looks at anything but its arguments.
    TScrollBarsNeeded Arrange(std::vector<TColumnShape>& Cols, const TLayoutRequest& Req,
                              int ClientW, int ClientH);
    void Fit(const TLayoutRequest& Req, bool VertBar, int ClientW, int ClientH);

    int ColCount() const { return static_cast<int>(Lefts.size()) - 1; }
    // The row height to divide by; a height below 1 cannot lay out rows.
    int RowH() const { return RowHeight > 0 ? RowHeight : 1; }
    int ColLeft(int ACol) const;
    // Content coordinates, with the left and top grid line.
    TRect CellRect(int ACol, int ARow) const;
    TRect ToClient(const TRect& R) const;
    // Client point to cell: X = column, Y = row, clamped into the grid.
    TPoint CellFromPoint(int X, int Y) const;
    int ColFromX(int X) const; // -1 outside the columns
    int RowFromY(int Y) const; // -1 outside the rows
    // A scroll offset brought into range; a vertical one also onto a row.
    int ClampScrollX(int X) const;
    int ClampScrollY(int Y) const;
    // The same, but rounded up onto a row; in range as MaxScrollY is on a row.
    int ClampScrollYUp(int Y) const;

  private:
    int FScrollX = 0;
    int FScrollY = 0;
    int ColumnsBefore(int cx) const;
    void TakeColumns(const std::vector<TColumnShape>& Cols);
};
