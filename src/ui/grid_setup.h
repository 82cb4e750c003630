// How the main window sets up its lap grid, and, until the project model
// takes it over, how a new sheet is shown in it.
#pragma once

#include "model/lap_env.h"
#include "model/laptime_sheet.h"

class TLapGrid;

// The grid as the window designs it (five columns, their widths, colours and
// read-only flags, row height, no gutter), with the environment's header
// texts and column sizing applied.
void SetupLapGrid(TLapGrid& Grid, const TLapEnv& Env);

// A sheet's settings, row count and stored texts loaded into the grid.
void ShowSheetInGrid(TLapGrid& Grid, const TLaptimeSheet& Sheet);

// The shown sheet's split-result list and undo buffer, as the project adds
// them for a new sheet.
void AddSheetLists(TLapGrid& Grid, int Rows, int UndoIndex);
