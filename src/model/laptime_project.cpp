#include "model/laptime_project.h"

#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "model/project_file.h"
#include "model/sheet_text.h"
#include "pattern/pattern_matcher.h"
#include "pattern/pattern_text.h"
#include "text/lines.h"
#include "text/sjis.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

const char* const project_text::CaptionPrefix = "Segmark v" SEGMARK_VERSION " Eng - ";

namespace {

constexpr std::int32_t MaxSheetNumber = std::numeric_limits<std::int32_t>::max();

// Removes every occurrence of Part, found at character boundaries only.
std::string RemoveAll(std::string_view S, std::string_view Part) {
    std::string out;
    out.reserve(S.size());
    for (std::size_t pos = 0; pos < S.size();) {
        if (S.substr(pos, Part.size()) == Part) {
            pos += Part.size();
            continue;
        }
        std::size_t len = text::CharLength(S, pos);
        out.append(S.substr(pos, len));
        pos += len;
    }
    return out;
}

// The decimal value of a run of digits; -1 when S is not one. Raises when
// the value does not fit, as no name can be generated above it.
std::int64_t ReadSheetNumber(std::string_view S) {
    if (S.empty()) return -1;
    std::int64_t n = 0;
    for (char c : S) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
        if (n > MaxSheetNumber)
            throw ESheetNumberError("The sheet number " + std::string(S) +
                                    " is too large to count on from.");
    }
    return n;
}

EFileError OutOfMemory(const std::string& FileName) {
    return EFileError(FileName, "Not enough memory to open \"" + FileName + "\"");
}

} // namespace

std::string CopyNamePattern(std::string_view Name) {
    return "m/^" + EscapePatternText(Name) + " \\([\\d]+\\)$/sk";
}

// ---- creation ----

TLaptimeProject::TLaptimeProject(Key, TLapGrid& Grid, SheetSelector& Selector, ProjectHost& Host)
    : FGrid(Grid), FSelector(Selector), FHost(Host) {
    FEntries.reserve(255);
}

TLaptimeProject::~TLaptimeProject() {
    // A project that replaced this one keeps the grid.
    if (FGrid.SheetBuffersOwner() == &FBuffers) FGrid.SetSheetBuffers(nullptr);
}

void TLaptimeProject::AttachToGrid() {
    FGrid.ResetSheetBuffers();
    FGrid.SetSheetBuffers(&FBuffers);
}

std::unique_ptr<TSheetEntry> TLaptimeProject::NewEntry(TLaptimeSheet Sheet) {
    auto e = std::make_unique<TSheetEntry>();
    e->Sheet = std::move(Sheet);
    e->Undo = std::make_unique<TUndoBufferList>(&FGrid, FHost.MaxUndoIndex());
    return e;
}

std::unique_ptr<TLaptimeProject> TLaptimeProject::Create(const std::string& FileName,
                                                         TLapGrid& Grid, SheetSelector& Selector,
                                                         ProjectHost& Host) {
    if (!FileName.empty() && FileExists(FileName)) {
        try {
            return CreateFromSheets(LoadProjectFile(FileName), FileName, Grid, Selector, Host);
        } catch (const std::bad_alloc&) {
            throw OutOfMemory(FileName);
        }
    }

    auto p = std::make_unique<TLaptimeProject>(Key(), Grid, Selector, Host);
    Selector.Clear();
    p->AttachToGrid();
    p->SetGridEnabled(true);
    Selector.SetEnabled(true);
    p->AddNewSheet();
    p->Title = project_text::NewProjectTitle;
    p->SetCaptions();
    return p;
}

std::unique_ptr<TLaptimeProject>
TLaptimeProject::CreateFromSheets(std::vector<TLaptimeSheet> Sheets, const std::string& FileName,
                                  TLapGrid& Grid, SheetSelector& Selector, ProjectHost& Host) {
    auto p = std::make_unique<TLaptimeProject>(Key(), Grid, Selector, Host);
    p->LoadSheets(std::move(Sheets), FileName);
    return p;
}

void TLaptimeProject::LoadSheets(std::vector<TLaptimeSheet> Loaded, const std::string& FileName) {
    FSelector.Clear();
    AttachToGrid();
    Title = TitleFromFileName(FileName);
    if (Loaded.empty()) {
        ShowNoSheets();
        SetCaptions();
        return;
    }
    SetGridEnabled(true);
    FSelector.SetEnabled(true);
    for (TLaptimeSheet& s : Loaded) {
        FSelector.Add(s.Name.str());
        FEntries.push_back(NewEntry(std::move(s)));
    }
    FSelector.Select(0);
    ApplySheetToGrid(&Sheets[0]);
    ResetCursor();
    CurrentIndex = 0;
    FGrid.SetSheetIndex(0);
    KeepResultsOfShownSheetOnly();
    SetCaptions();
}

void TLaptimeProject::SetGridEnabled(bool Enabled) {
    FGrid.SetEnabled(Enabled);
}

void TLaptimeProject::SetCaptions() {
    FHost.SetTitle(project_text::CaptionPrefix + Title);
}

TLaptimeSheet* TLaptimeProject::CurrentSheet() {
    return CurrentIndex >= 0 && CurrentIndex < SheetCount()
               ? &FEntries[static_cast<std::size_t>(CurrentIndex)]->Sheet
               : nullptr;
}

const TLaptimeSheet* TLaptimeProject::CurrentSheet() const {
    return const_cast<TLaptimeProject*>(this)->CurrentSheet();
}

// ---- grid and sheet ----

void TLaptimeProject::StoreGridShapeToSheet() {
    TLaptimeSheet* s = CurrentSheet();
    if (!s) return;
    s->RowCount = FGrid.RowCount();
    for (int i = 0; i < SheetColumnCount && i < FGrid.ColCount(); ++i)
        s->ColWidth[static_cast<std::size_t>(i)] = FGrid.Columns[i].Width();
}

void TLaptimeProject::StoreGridToSheet() {
    TLaptimeSheet* s = CurrentSheet();
    if (!s) return;
    StoreGridShapeToSheet();
    for (int k = 0; k < StoredColumnCount && k < FGrid.ColCount(); ++k)
        s->Texts[static_cast<std::size_t>(k)] = text::JoinLinesCRLF(FGrid.Columns[k].Strings());
}

void TLaptimeProject::ApplySheetToGrid(const TLaptimeSheet* Sheet) {
    if (!Sheet) return;
    const TLaptimeSheet& s = *Sheet;
    TUpdateBatch batch(FGrid);
    FGrid.ClearCells();
    ApplySettingsToGrid(s);
    // A count from settings never checked against the limit (a damaged
    // LapEnv.dat, say) must not reach the grid.
    const int rows = std::clamp(s.RowCount, 0, MaxSheetRows);
    FGrid.SetRowCount(rows);
    const int cols = std::min(SheetColumnCount, FGrid.ColCount());
    for (int k = 0; k < StoredColumnCount && k < cols; ++k)
        FGrid.Columns[k].Strings() = text::SplitLines(s.Texts[static_cast<std::size_t>(k)]);
    // The evaluation fills the derived columns row by row; room for them up
    // front spares a large sheet repeated regrowth.
    for (int k = StoredColumnCount; k < cols; ++k)
        FGrid.Columns[k].Strings().reserve(static_cast<std::size_t>(rows));
}

void TLaptimeProject::ApplySettingsToGrid(const TLaptimeSheet& s) {
    TUpdateBatch batch(FGrid);
    TFont font = FGrid.Font();
    font.Name = s.FontName.str();
    font.Color = s.FontColor;
    font.Style = s.FontStyle;
    font.Size = s.FontSize;
    FGrid.SetFont(font);
    FGrid.SetColor(s.BackColor);
    TGridLook look = FGrid.Look();
    look.HeaderColor = s.HeaderColor;
    look.HeaderDarkColor = s.HeaderDarkColor;
    look.HeaderFont.Color = s.HeaderFontColor;
    look.BoxColor = s.BoxColor;
    look.AlternateColor = s.AlternateColor;
    look.ShowGrid = s.ShowGrid != 0;
    // A style byte outside the five line styles draws solid lines.
    look.GridStyle = s.GridStyle <= psDashDotDot ? static_cast<TPenStyle>(s.GridStyle) : psSolid;
    look.GridColor = s.GridColor;
    FGrid.SetLook(look);
    const int cols = std::min(SheetColumnCount, FGrid.ColCount());
    for (int i = 0; i < cols; ++i)
        FGrid.Columns[i].SetColor(s.CellColor);
    FGrid.SetDefRowHeight(s.DefRowHeight);
    for (int i = 0; i < cols; ++i) {
        const auto u = static_cast<std::size_t>(i);
        TLapColumn& c = FGrid.Columns[i];
        c.SetVisible(s.ColVisible[u] != 0);
        c.SetWidth(s.ColWidth[u]);
        c.SetHorzAlign(static_cast<THorzAlign>(s.ColHorzAlign[u]));
        c.SetVertAlign(static_cast<TVertAlign>(s.ColVertAlign[u]));
    }
}

// A split result per row only for the sheet on show: the others keep their
// texts and row count, and are evaluated afresh when shown, so that memory
// follows the rows on show rather than the counts every record claims.
void TLaptimeProject::KeepResultsOfShownSheetOnly() {
    for (int i = 0; i < SheetCount(); ++i) {
        TTimeFormatList& f = FEntries[static_cast<std::size_t>(i)]->Formats;
        if (i == CurrentIndex)
            f.AddDefaults(FGrid.RowCount() - f.Count());
        else if (f.Count() > 0)
            std::vector<TTimeFormat>().swap(f.Entries);
    }
}

void TLaptimeProject::ResetCursor() {
    if (FGrid.RowCount() > 0 && FGrid.ColCount() > 1) {
        FGrid.SetCol(FGrid.Columns[colTitle].Visible() ? colTitle : colBest);
        FGrid.SetRow(0);
    }
    FGrid.ScrollToTop();
}

void TLaptimeProject::EvaluateRows() {
    if (!FGrid.OnCellAssignment) return;
    // One batch, so the layout is rebuilt once rather than once per row.
    TUpdateBatch batch(FGrid);
    for (int r = 0; r < FGrid.RowCount(); ++r)
        FGrid.OnCellAssignment(colNow, r);
}

// ---- naming ----

std::int32_t TLaptimeProject::NextSheetNumber(const std::string& Pattern, const std::string& Prefix,
                                              const std::string& Suffix) {
    std::int64_t result = 1;
    if (SheetCount() == 0) return 1;
    TPatternMatcher& matcher = TPatternMatcher::Shared();
    std::string plainSuffix;
    for (char c : Suffix)
        if (c != '\\') plainSuffix += c;
    const std::string suffixPattern = "m/" + Suffix + "$/";
    for (int i = 0; i < FSelector.Count(); ++i) {
        std::string s = FSelector.Item(i);
        if (!matcher.Match(Pattern, s)) continue;
        if (!Prefix.empty()) s = RemoveAll(s, Prefix);
        if (!Suffix.empty() && matcher.Match(suffixPattern, s) && s.ends_with(plainSuffix))
            s.erase(s.size() - plainSuffix.size());
        // A name the pattern took but that leaves no plain number (a line
        // break before the end, say) does not count.
        const std::int64_t n = ReadSheetNumber(s);
        if (n >= result) result = n + 1;
    }
    if (result > MaxSheetNumber)
        throw ESheetNumberError("No sheet number after " + std::to_string(MaxSheetNumber) +
                                " is left.");
    return static_cast<std::int32_t>(result);
}

std::string TLaptimeProject::NewSheetName() {
    const std::int32_t n =
        NextSheetNumber(project_text::NewSheetPattern, project_text::NewSheetPrefix, std::string());
    return project_text::NewSheetPrefix + std::to_string(n);
}

TLaptimeSheet TLaptimeProject::NewSheetFromDefaults() const {
    TLaptimeSheet s;
    CopySheetSettings(&s, &FHost.DefaultSettings(), false);
    s.Name.assign("");
    // The face name alone: bytes after its terminator in the stored defaults
    // are no part of it and are not passed on to the sheet's record.
    s.FontName.assign(s.FontName.str());
    s.RowCount = std::clamp(s.RowCount, 0, MaxSheetRows);
    return s;
}

// ---- sheet list operations ----

void TLaptimeProject::AddNewSheet() {
    StoreGridToSheet();
    // The name first: a refusal must leave every list as it was.
    const std::string name = NewSheetName();
    TLaptimeSheet sheet = NewSheetFromDefaults();
    sheet.Name.assign(name);
    AppendAndShow(std::move(sheet), TAppendedRows::Load);
}

void TLaptimeProject::CopyCurrentSheet() {
    if (SheetCount() == 0) return;
    StoreGridToSheet();
    const int src = CurrentIndex;
    const std::string s = FSelector.Item(src);
    const std::int32_t n = NextSheetNumber(CopyNamePattern(s), s + " (", "\\)");
    TLaptimeSheet copy;
    CopySheetSettings(&copy, &Sheets[static_cast<std::size_t>(src)], true);
    copy.Name.assign(s + " (" + std::to_string(n) + ")");
    // The grid keeps showing the same rows, which are now the copy's.
    AppendAndShow(std::move(copy), TAppendedRows::AsInGrid);
}

void TLaptimeProject::DeleteSheet(int Index) {
    if (Index < 0 || Index >= SheetCount()) return;
    // Its undo buffer goes with it, and a pending edit recorded there.
    FEntries.erase(FEntries.begin() + Index);
    FSelector.Delete(Index);
    if (Index < CurrentIndex) {
        // The grid still shows the same sheet, one place further up.
        --CurrentIndex;
        FGrid.SetSheetIndex(CurrentIndex);
        FSelector.Select(CurrentIndex);
        return;
    }
    if (Index > CurrentIndex) return;
    FGrid.SetSheetIndex(CurrentIndex);
    if (SheetCount() == 0) {
        ShowNoSheets();
        return;
    }
    if (CurrentIndex >= SheetCount()) CurrentIndex = SheetCount() - 1;
    FGrid.SetSheetIndex(CurrentIndex);
    SelectSheet(CurrentIndex, false);
}

bool TLaptimeProject::SelectSheet(int Index, bool StoreCurrent) {
    if (StoreCurrent && Index == CurrentIndex) return false;
    if (Index < 0 || Index >= SheetCount()) return false;
    if (StoreCurrent) {
        StoreGridToSheet();
        // Only a stored sheet is still the one in the grid; after a delete or
        // a sort the live position belongs to no entry.
        if (TLaptimeSheet* cur = CurrentSheet(); cur)
            Positions[static_cast<std::size_t>(CurrentIndex)] =
                TSheetPosition{FGrid.Col(), FGrid.Row(), FGrid.ScrollX(), FGrid.ScrollY()};
    }
    ApplySheetToGrid(&Sheets[static_cast<std::size_t>(Index)]);
    CurrentIndex = Index;
    FSelector.Select(Index);
    FGrid.SetSheetIndex(CurrentIndex);
    KeepResultsOfShownSheetOnly();
    EvaluateRows();
    const TSheetPosition& p = Positions[static_cast<std::size_t>(Index)];
    // A stored cell outside this sheet's rows would break every later cell
    // access; keep it inside the grid.
    if (FGrid.RowCount() > 0 && FGrid.ColCount() > 0) {
        FGrid.SetCol(std::clamp(p.Col, 0, FGrid.ColCount() - 1));
        FGrid.SetRow(std::clamp(p.Row, 0, FGrid.RowCount() - 1));
    }
    FGrid.SetScrollX(p.ScrollX);
    FGrid.SetScrollY(p.ScrollY);
    return true;
}

void TLaptimeProject::ShowNoSheets() {
    CurrentIndex = -1;
    FSelector.Clear();
    FSelector.SetText(project_text::NoSheets);
    {
        TUpdateBatch batch(FGrid);
        FGrid.ClearCells();
        FGrid.SetRowCount(0);
        const TLaptimeSheet& def = FHost.DefaultSettings();
        for (int i = 0; i < SheetColumnCount && i < FGrid.ColCount(); ++i)
            FGrid.Columns[i].SetWidth(def.ColWidth[static_cast<std::size_t>(i)]);
    }
    SetGridEnabled(false);
    FSelector.SetEnabled(false);
}

void TLaptimeProject::MoveSheet(int From, int To) {
    const int n = SheetCount();
    if (From == To || From < 0 || To < 0 || From >= n || To >= n) return;
    auto first = FEntries.begin();
    if (From < To)
        std::rotate(first + From, first + From + 1, first + To + 1);
    else
        std::rotate(first + To, first + From, first + From + 1);
}

void TLaptimeProject::RenameCurrentSheet(const std::string& Name) {
    if (TLaptimeSheet* s = CurrentSheet(); s) s->Name.assign(Name);
}

// ---- text import ----

void TLaptimeProject::AddSheet(TLaptimeSheet Sheet) {
    StoreGridToSheet();
    ApplySheetToGrid(&Sheet);
    AppendAndShow(std::move(Sheet), TAppendedRows::AsInGridEvaluated);
}

void TLaptimeProject::AppendAndShow(TLaptimeSheet Sheet, TAppendedRows Rows) {
    FEntries.push_back(NewEntry(std::move(Sheet)));
    const TLaptimeSheet& added = FEntries.back()->Sheet;
    FSelector.Add(added.Name.str());
    FSelector.Select(FSelector.Count() - 1);
    if (Rows == TAppendedRows::Load) ApplySheetToGrid(&added);
    CurrentIndex = SheetCount() - 1;
    FGrid.SetSheetIndex(CurrentIndex);
    KeepResultsOfShownSheetOnly();
    if (Rows == TAppendedRows::AsInGridEvaluated) EvaluateRows();
    ResetCursor();
}

bool TLaptimeProject::AddSheetFromFile(const std::string& FileName) {
    return AddSheetFromFile(FileName, TitleFromFileName(FileName));
}

bool TLaptimeProject::AddSheetFromFile(const std::string& FileName, const std::string& SheetName) {
    if (!FileExists(FileName)) return false;
    try {
        const std::string content = ReadWholeFile(FileName);
        StoreGridToSheet();
        TLaptimeSheet sheet = NewSheetFromDefaults();
        sheet.Name.assign(SheetName);
        return AddSheetFromText(std::move(sheet), content, ManyRowsFileQuestion,
                                "\"" + FileName + "\"");
    } catch (const std::bad_alloc&) {
        throw OutOfMemory(FileName);
    }
}

bool TLaptimeProject::AddSheetFromClipboard() {
    std::string content;
    if (!FHost.ClipboardText(content)) return false;
    StoreGridToSheet();
    const std::string name = NewSheetName();
    TLaptimeSheet sheet = NewSheetFromDefaults();
    sheet.Name.assign(name);
    return AddSheetFromText(std::move(sheet), content, ManyRowsClipboardQuestion,
                            "The clipboard text");
}

bool TLaptimeProject::AddSheetFromText(TLaptimeSheet Sheet, std::string_view Text,
                                       const char* Question, const std::string& Source) {
    const std::vector<std::string> lines = text::SplitLines(Text);
    // Refused here rather than at saving, where the sheet would be lost.
    if (!IsValidRowCount(static_cast<std::int64_t>(lines.size())))
        throw EFileFormatError(Source, Source + " has " + std::to_string(lines.size()) +
                                           " lines; a sheet holds at most " +
                                           std::to_string(MaxSheetRows) + " rows");
    Sheet.RowCount = static_cast<std::int32_t>(lines.size());
    // With the question switched off the sheet is made without asking.
    if (IsManyRows(lines.size()) && FHost.ConfirmManyRows() &&
        !FHost.AskOkCancel(Question, ManyRowsTitle))
        return false;
    FillSheetFromLines(Sheet, lines);
    AppendAndShow(std::move(Sheet), TAppendedRows::AsInGridEvaluated);
    return true;
}

void TLaptimeProject::FillSheetFromLines(const TLaptimeSheet& Sheet,
                                         const std::vector<std::string>& Lines) {
    ApplySheetToGrid(&Sheet);
    std::array<TStringList, StoredColumnCount> columns;
    for (auto& c : columns)
        c.reserve(Lines.size());
    for (const std::string& line : Lines) {
        std::vector<std::string> fields = SplitImportFields(line);
        for (std::size_t k = 0; k < columns.size(); ++k)
            columns[k].push_back(k < fields.size() ? std::move(fields[k]) : std::string());
    }
    const int cols = std::min(StoredColumnCount, FGrid.ColCount());
    for (int k = 0; k < cols; ++k)
        FGrid.Columns[k].Strings() = std::move(columns[static_cast<std::size_t>(k)]);
    FGrid.InvalidateCellArea();
}

// ---- files ----

void TLaptimeProject::SaveToFile(const std::string& FileName) {
    StoreGridToSheet();
    SaveProjectFile(FileName, SheetRecords());
    if (SheetCount() == 0) return;
    Title = TitleFromFileName(FileName);
    SetCaptions();
}

std::string TLaptimeProject::FileImage() {
    StoreGridToSheet();
    return WriteProjectFile(SheetRecords());
}

std::vector<const TLaptimeSheet*> TLaptimeProject::SheetRecords() const {
    std::vector<const TLaptimeSheet*> out;
    out.reserve(FEntries.size());
    for (const auto& e : FEntries)
        out.push_back(&e->Sheet);
    return out;
}

void TLaptimeProject::Retitle(const std::string& FileName) {
    Title = FileName.empty() ? std::string(project_text::NewProjectTitle)
                             : TitleFromFileName(FileName);
    SetCaptions();
}

std::string TLaptimeProject::ExportText() const {
    const TLapGrid& g = FGrid;
    return FormatSheetText(g.RowCount(), [&g](int Col, int Row) {
        return Col < g.ColCount() ? g.CellText(Col, Row) : std::string();
    });
}

void TLaptimeProject::ExportToFile(const std::string& FileName) const {
    if (FGrid.RowCount() == 0) return;
    SaveFileAtomically(FileName, ExportText());
}
