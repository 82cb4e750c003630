#include "app/menu_state.h"

#include "app/document_state.h"
#include "grid/lap_grid.h"
#include "model/lap_env.h"
#include "model/laptime_project.h"

#include <initializer_list>

namespace {

// How an item's state follows from the case.
enum TRule : unsigned char {
    Off,
    On,
    Clip,     // the clipboard holds text
    TwoSheets // the project has two sheets or more
};

struct TMenuRow {
    std::initializer_list<const char*> Items;
    TRule Rule[4]; // indexed by TMenuCase
};

const TMenuRow MenuTable[] = {
    {{"SheetToFile"}, {Off, Off, On, Off}},
    {{"CutMain", "CutPop", "CopyMain", "CopyPop", "DeleteMain", "DeletePop", "SelAllCellMain",
      "SelAllCellPop"},
     {Off, Off, On, Off}},
    {{"PasteMain", "PastePop"}, {Off, Off, Clip, Off}},
    {{"CopySheet", "DeleteSheet"}, {Off, On, On, On}},
    {{"AddLineMain", "AddLinePop", "InsertLineMain", "InsertLinePop"}, {Off, On, On, Off}},
    {{"DeleteLineMain", "DeleteLinePop"}, {Off, Off, On, Off}},
    {{"AddFromClipBoard"}, {Clip, Clip, Clip, Clip}},
    {{"SheetSort"}, {Off, TwoSheets, TwoSheets, TwoSheets}},
    {{"SheetSetting", "CopyThisToDef"}, {Off, On, On, On}},
    {{"CopyTime", "DeleteTime", "SpeedButton1", "SpeedButton2"}, {Off, Off, On, On}},
};

} // namespace

TMenuCase MenuCaseOf(const TLaptimeProject* Project, const TLapGrid& Grid) {
    if (!Project || Project->SheetCount() <= 0) return mcNoSheet;
    if (Grid.RowCount() < 1) return mcNoRows;
    for (int i = 0; i < Grid.ColCount(); ++i)
        if (Grid.Columns[i].Visible()) return mcRows;
    return mcRowsNoVisibleColumn;
}

std::string UndoSuffix(TBufferType Kind) {
    static const char* const Suffixes[] = {
        "(Cell Edit) ",
        "(Cut) ",
        "(Paste) ",
        "(Del) ",
        "(Auto-Fill) ",
        "(Add Row) ",
        "(Ins. Row)",
        "(Del. Row)",
        "(Copy \"Now\" to \"Best\") ",
        "(Clear \"Now\" Times)",
    };
    const auto i = static_cast<std::size_t>(Kind);
    return i < std::size(Suffixes) ? Suffixes[i] : std::string();
}

TUndoCaptions UndoCaptionsOf(const TLaptimeProject* Project, TLapGrid& Grid) {
    TUndoCaptions c;
    if (!Project || Project->CurrentIndex < 0) return c;
    TUndoBufferList* undo = Grid.CurrentUndo();
    if (!undo) return c;
    const auto apply = [](std::string& Caption, bool& Enabled, TBufferType Kind) {
        const std::string suffix = UndoSuffix(Kind);
        Enabled = !suffix.empty();
        if (Enabled) Caption += "\t" + suffix;
    };
    apply(c.Undo, c.UndoEnabled, undo->UndoType());
    apply(c.Redo, c.RedoEnabled, undo->RedoType());
    return c;
}

TMenuState ComputeMenuState(const TLaptimeProject* Project, TLapGrid& Grid, bool ClipHasText) {
    TMenuState state;
    state.Undo = UndoCaptionsOf(Project, Grid);
    const TMenuCase mc = MenuCaseOf(Project, Grid);
    for (const TMenuRow& row : MenuTable) {
        bool on = false;
        switch (row.Rule[mc]) {
        case Off:
            on = false;
            break;
        case On:
            on = true;
            break;
        case Clip:
            on = ClipHasText;
            break;
        case TwoSheets:
            on = Project && Project->SheetCount() >= 2;
            break;
        }
        for (const char* item : row.Items)
            state.Enabled[item] = on;
    }
    return state;
}

std::map<std::string, bool> CheckStatesOf(const TLapEnv& Env) {
    std::map<std::string, bool> c = {
        {"ZNormal", Env.ZOrderMode == 0},
        {"StayOnTop", Env.ZOrderMode == 1},
        {"StayOnHide", Env.ZOrderMode == 2},
        {"CanNotResizeMove", OptionOn(Env.SizeLocked)},
        {"ShowToolButton", OptionOn(Env.ShowToolButtons)},
        {"ShowMemo", OptionOn(Env.ShowNotes)},
        {"ShowHeader", OptionOn(Env.HeaderVisible)},
        {"TitleLock", OptionOn(Env.TitlesLocked)},
    };
    // Radio items of a group of two: checking one clears the other.
    if (Env.TitleBarPos <= 1) c[Env.TitleBarPos == 0 ? "ListPosTop" : "ListPosBottom"] = true;
    if (Env.NotesPos <= 1) c[Env.NotesPos == 0 ? "MemoTop" : "MemoBottom"] = true;
    return c;
}

std::string WindowCaption(const std::string& Title, bool SheetChange, bool DataChange) {
    return SheetChange || DataChange ? Title + "*" : Title;
}
