// TLaptimeProject: the open document. An ordered list of sheets with one
// saved grid position each, the index of the sheet on show and the title.
// It shows one sheet at a time in the grid and keeps, index for index, its
// sheets, its positions, the selector's items and the grid's split-result
// lists and undo buffers together.
#pragma once

#include "model/laptime_sheet.h"
#include "model/ports.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TLapGrid;

// A generated sheet number would not fit a 32-bit signed integer.
class ESheetNumberError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

namespace project_text {
inline constexpr const char* CaptionPrefix = "Segmark v1.7.0 Eng - ";
inline constexpr const char* NewProjectTitle = "My New Project";
inline constexpr const char* NewSheetPrefix = "New Sheet    ";
inline constexpr const char* NewSheetPattern = "m/^New Sheet    [\\d]+$/sk";
// シートがありません
inline constexpr const char* NoSheets =
    "\x83\x56\x81\x5B\x83\x67\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
} // namespace project_text

// Name with a backslash before every character that has a meaning in a
// pattern; two-byte characters are stepped over whole, as their trail byte
// may look like one of them.
std::string EscapePatternText(std::string_view Name);

// The match expression that recognises the copies of a sheet named Name.
std::string CopyNamePattern(std::string_view Name);

class TLaptimeProject {
    // Projects are made only through Create and CreateFromSheets.
    struct Key {
        explicit Key() = default;
    };

  public:
    // A project shown in Grid, listed in Selector. With an empty FileName or
    // one that does not exist: one new sheet titled "My New Project".
    // Otherwise the file is read and checked whole before anything is
    // changed; a damaged or unreadable file raises EFileError and leaves the
    // grid, the selector and whatever project the caller holds untouched.
    // On success the grid's per-sheet lists are reset before the sheets are
    // added, so the caller must not reset them beforehand.
    static std::unique_ptr<TLaptimeProject> Create(const std::string& FileName, TLapGrid& Grid,
                                                   SheetSelector& Selector, ProjectHost& Host);
    // A project of already read sheets (none: the no-sheets state), titled
    // after FileName.
    static std::unique_ptr<TLaptimeProject>
    CreateFromSheets(std::vector<TLaptimeSheet> Sheets, const std::string& FileName, TLapGrid& Grid,
                     SheetSelector& Selector, ProjectHost& Host);

    TLaptimeProject(Key, TLapGrid& Grid, SheetSelector& Selector, ProjectHost& Host);
    TLaptimeProject(const TLaptimeProject&) = delete;
    TLaptimeProject& operator=(const TLaptimeProject&) = delete;

    std::string Title;
    int CurrentIndex = -1;
    std::vector<TSheetPosition> Positions;
    std::vector<TLaptimeSheet> Sheets;

    int SheetCount() const { return static_cast<int>(Sheets.size()); }
    // The sheet on show; nullptr when there is none.
    TLaptimeSheet* CurrentSheet();
    const TLaptimeSheet* CurrentSheet() const;

    // Copies the grid's rows, column widths and the texts of columns 0..2
    // into the sheet on show.
    void StoreGridToSheet();
    // Only the grid's row count and column widths, as the settings dialog
    // shows them.
    void StoreGridShapeToSheet();
    // Settings, row count and texts.
    void ApplySheetToGrid(const TLaptimeSheet* Sheet);
    // The display settings alone: font, colours, lines, row height and each
    // column's visibility, width and alignment; rows and texts stay.
    void ApplySettingsToGrid(const TLaptimeSheet& Sheet);
    // Current cell to row 0 of column 0, or of column 1 when column 0 is
    // hidden; the view back at the top.
    void ResetCursor();
    // Every row of the sheet on show through the grid's assignment event, as
    // if each Now cell had just been written.
    void EvaluateRows();
    bool SelectSheet(int Index, bool StoreCurrent);
    // The operations that make a sheet compute its name first: a number
    // beyond the 32-bit range raises ESheetNumberError before anything
    // changed.
    void AddNewSheet();
    void CopyCurrentSheet();
    void DeleteSheet(int Index);
    void ShowNoSheets();
    std::int32_t NextSheetNumber(const std::string& Pattern, const std::string& Prefix,
                                 const std::string& Suffix);
    void MoveSheet(int From, int To);
    void RenameCurrentSheet(const std::string& Name);

    // A sheet made elsewhere, after the others and shown, as an import shows
    // the sheet it adds.
    void AddSheet(TLaptimeSheet Sheet);

    // Text import. False when nothing was added (no such file, no clipboard
    // text, or the many-rows question answered with Cancel); EFileError for
    // a text of more lines than a sheet may have rows.
    bool AddSheetFromFile(const std::string& FileName);
    // As above, with the sheet named SheetName (code-page bytes) instead of
    // the file name's bytes, for callers whose file names are in another
    // encoding than the code page.
    bool AddSheetFromFile(const std::string& FileName, const std::string& SheetName);
    bool AddSheetFromClipboard();
    void FillSheetFromLines(const TLaptimeSheet& Sheet, const std::vector<std::string>& Lines);

    // Writes the project (the shown sheet refreshed from the grid first);
    // the previous file survives any failure (EFileError).
    void SaveToFile(const std::string& FileName);
    // The project file image, the shown sheet refreshed from the grid first.
    std::string FileImage();
    // Titled after FileName, or "My New Project" when it is empty.
    void Retitle(const std::string& FileName);
    // The rows of the grid in the sheet text format; empty for no rows.
    std::string ExportText() const;
    // Writes ExportText to FileName; nothing happens when the grid has no rows.
    void ExportToFile(const std::string& FileName) const;

    TLapGrid& Grid() { return FGrid; }
    SheetSelector& Selector() { return FSelector; }

  private:
    void LoadSheets(std::vector<TLaptimeSheet> Sheets, const std::string& FileName);
    void SetCaptions();
    void SetGridEnabled(bool Enabled);
    void AppendSheetBuffers();
    void ShowAppended(TLaptimeSheet Sheet);
    void KeepResultsOfShownSheetOnly();
    TLaptimeSheet NewSheetFromDefaults() const;
    std::string NewSheetName();
    // Source names the text in messages ("a.txt" in quotes, or the clipboard).
    bool AddSheetFromText(TLaptimeSheet Sheet, std::string_view Text, const char* Question,
                          const std::string& Source);

    TLapGrid& FGrid;
    SheetSelector& FSelector;
    ProjectHost& FHost;
};
