// How the main window sets up its lap grid before a project is shown in it.
#pragma once

#include "model/lap_env.h"

class TLapGrid;

// The grid as the window designs it (five columns, their widths, colours and
// read-only flags, row height, no gutter), with the environment's header
// texts and column sizing applied.
void SetupLapGrid(TLapGrid& Grid, const TLapEnv& Env);
