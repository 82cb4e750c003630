#include "app/session.h"

#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "model/laptime_sheet.h"
#include "text/codepage.h"
#include "text/utf8.h"

#include <string_view>
#include <utility>
#include <vector>

namespace {

// "メイリオ" in code page 932.
const char* const GridFace = "\x83\x81\x83\x43\x83\x8A\x83\x49";

} // namespace

// The sheet name of an imported file, in the code page as every stored text
// is. File names on this desktop are UTF-8; one that is not (bytes written in
// the code page itself, say) is taken as it stands.
std::string SheetNameOfFile(const std::string& Path) {
    const std::string title = TitleFromFileName(Path);
    return text::IsUtf8(title) ? text::ToCodePage(title) : title;
}

TColumnPolicy SheetColumnPolicy() {
    // The derived Split and Interval columns are the evaluation's to write.
    std::vector<unsigned> flags(SheetColumnCount, 0u);
    for (int c = 0; c < StoredColumnCount; ++c)
        flags[static_cast<std::size_t>(c)] = cfUndoRecorded | cfRowRecord;
    flags[colBest] |= cfCellInput;
    flags[colNow] |= cfCellInput;
    return TColumnPolicy(std::move(flags));
}

void SetupLapGrid(TLapGrid& Grid, const TLapEnv& Env) {
    TUpdateBatch batch(Grid);
    TFont font;
    font.Name = GridFace;
    font.Style = fsBold;
    Grid.SetFont(font);
    Grid.SetColCount(SheetColumnCount);
    Grid.SetColumnPolicy(SheetColumnPolicy());
    constexpr int widths[SheetColumnCount] = {81, 81, 81, 81, 69};
    for (int i = 0; i < SheetColumnCount; ++i)
        Grid.Columns[i].SetWidth(widths[i]);
    Grid.Columns[colTitle].SetHorzAlign(haCenter);
    Grid.Columns[colTitle].SetColor(sys_color::BtnFace);
    Grid.Columns[colSplit].ReadOnly = true;
    Grid.Columns[colInterval].ReadOnly = true;
    Grid.Columns[colInterval].SetHorzAlign(haCenter);
    Grid.SetDefRowHeight(22);
    Grid.SetDefColWidth(74);
    Grid.SetGutterKind(gkNone);
    Grid.SetShowFooter(false);
    Grid.SetHeaderLine(Env.HeaderVisible);
    ApplyEnvToGrid(Grid, Env);
}

void ApplyEnvToGrid(TLapGrid& Grid, const TLapEnv& Env) {
    TUpdateBatch batch(Grid);
    for (int i = 0; i < SheetColumnCount && i < Grid.ColCount(); ++i) {
        TLapColumn& c = Grid.Columns[i];
        c.SetTitle(Env.HeaderTexts[std::size_t(i)].str());
        c.CanResize = Env.ColumnsResizable != 0;
    }
    Grid.SetVertScrollThreshold(Env.ScrollThreshold);
}

TSession::TSession(TLapGrid& Grid, SheetSelector& Selector, ProjectHost& Host)
    : FGrid(Grid), FSelector(Selector), FHost(Host),
      FEvaluator(Grid, [this] { return EvalSettings(); }) {
    FEvaluator.Attach();
}

TSession::~TSession() {
    // The grid may outlive the session; its events lead back here.
    FGrid.OnCellAssignment = nullptr;
    FGrid.OnDrawCell = nullptr;
}

std::optional<TEvalSettings> TSession::EvalSettings() const {
    const TLaptimeSheet* s = FProject ? FProject->CurrentSheet() : nullptr;
    if (!s) return std::nullopt;
    return TEvalSettings{s->TimeFormat, s->FontColor, s->PlusColor, s->MinusColor, s->EqualColor};
}

void TSession::NewProject() {
    auto p = TLaptimeProject::Create(std::string(), FGrid, FSelector, FHost);
    FProject = std::move(p);
}

void TSession::OpenProject(const std::string& FileName) {
    if (FolderExists(FileName))
        throw EFileError(FileName, "\"" + FileName + "\" is a folder, not a project file");
    if (!FileExists(FileName))
        throw EFileError(FileName, "No such project file \"" + FileName + "\"");
    auto p = TLaptimeProject::Create(FileName, FGrid, FSelector, FHost);
    FProject = std::move(p);
}

void TSession::EmptyProject() {
    auto p = TLaptimeProject::CreateFromSheets({}, std::string(), FGrid, FSelector, FHost);
    FProject = std::move(p);
}

void TSession::EvaluateAllRows() {
    FProject->EvaluateRows();
}

void TSession::OpenAndShowSheet(const std::string& FileName, int Sheet) {
    OpenProject(FileName);
    TLaptimeProject& p = *FProject;
    if (Sheet >= p.SheetCount())
        throw EFileError(FileName, "\"" + FileName + "\" has " + std::to_string(p.SheetCount()) +
                                       " sheet(s); there is no sheet " + std::to_string(Sheet));
    if (Sheet == 0)
        EvaluateAllRows(); // the first sheet is on show once the file is open
    else
        p.SelectSheet(Sheet, true);
}
