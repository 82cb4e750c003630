// States of the grid that no public operation reaches directly: a damaged
// sheet's row height, a block operation's repaint hold, typed text without
// its keys. Tests only.
#pragma once

#include "grid/lap_grid.h"

#include <string>

struct TLapGridTestView {
    static void SetDefRowHeight(TLapGrid& G, int H) { G.FDefRowHeight = H; }
    static void SetUpdating(TLapGrid& G, bool V) { G.FUpdating = V; }
    static void SetTypedText(TLapGrid& G, const std::string& T) { G.FTyping.SetText(T); }
    static void SetKeepWidthCol(TLapGrid& G, int C) { G.FKeepWidthCol = C; }
};
