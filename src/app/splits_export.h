// A sheet out to other split timers: a LiveSplit 1.8 run (.lss), an urn or
// LibreSplit split file (.json) or the splits.io exchange format (.splits),
// each holding the segment names and the personal best from the Best column,
// so that the import of the written file gives the sheet's rows back.
#pragma once

#include "app/splits_import.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TLapGrid;
class TSession;

enum class TSplitsFormat { Lss, Urn, SplitsIo };

// What a run file takes of a sheet; texts in UTF-8.
struct TSplitsRun {
    std::string Game;
    std::string Category;
    std::vector<TSplit> Segments;
};

// The format the output's name asks for (.lss, .json, .splits in any case);
// nullopt for any other name.
std::optional<TSplitsFormat> SplitsFormatOfFile(const std::string& Path);

// .NET's TimeSpan text as LiveSplit writes it: hh:mm:ss.fffffff, with the
// days in front (d.hh:mm:ss.fffffff) from one day on.
std::string LssTimeText(TTimeValue Value);
// urn's time text: h:mm:ss.ffffff.
std::string UrnTimeText(TTimeValue Value);

// UTF-8 as a run file may hold it: a sequence that is not UTF-8 becomes
// U+FFFD and a control character a blank (XML cannot carry most of them,
// and the import reads them as blanks).
std::string CleanUtf8(std::string_view Text);
// A name of the code page as a run file holds it.
std::string ExportNameText(std::string_view CodePage);

// The Best value of a Best cell's text; nullopt when it is empty or not a time.
std::optional<TTimeValue> BestCellValue(std::string_view Cell);
// Column 0 and the Best values of every row the grid shows.
std::vector<TSplit> GridSegments(const TLapGrid& Grid);

// The whole file of each format. urn's has no zero time, which it reads as
// none.
std::string FormatLssRun(const TSplitsRun& Run);
std::string FormatUrnRun(const TSplitsRun& Run);
std::string FormatSplitsIoRun(const TSplitsRun& Run);
std::string FormatSplitsRun(TSplitsFormat Format, const TSplitsRun& Run);

// Opens ProjectFile in Session, evaluates sheet Sheet as the window shows it
// and writes its run to Output through the one atomic writer. Category
// defaults to the sheet's name. EFileError when the project cannot be read,
// has no such sheet or Output cannot be written.
void ExportSplitsFile(TSession& Session, const std::string& ProjectFile, int Sheet,
                      const std::string& Output, TSplitsFormat Format, const std::string& Game,
                      const std::optional<std::string>& Category);
