// Split files of other timers dropped on the window's grid.
#pragma once

#include "model/laptime_sheet.h"

#include <string>
#include <vector>

class TLaptimeProject;
class UserPort;

// Adds one sheet per split file among Files (.lss, .json, .splits; other
// names are left alone), in order, after the existing sheets, each made as
// import-splits makes it from Defaults (real time, the defaults' display
// format). A file that is refused adds nothing and its one-line message goes
// to Port.Error; the others still come in. Returns how many sheets came in.
int AddSplitsSheets(TLaptimeProject& Project, const std::vector<std::string>& Files,
                    const TLaptimeSheet& Defaults, UserPort& Port);
