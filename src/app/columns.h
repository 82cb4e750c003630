// What each of a sheet's five grid columns holds.
#pragma once

enum TSheetColumn : int {
    colTitle = 0,    // the segment's name
    colBest = 1,     // best running time
    colNow = 2,      // running time of the current run
    colSplit = 3,    // Best - Now, signed
    colInterval = 4, // the current run's time for the segment
};
