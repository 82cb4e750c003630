#include "app/view_commands.h"

#include "grid/lap_grid.h"

void TViewCommands::SetZ(int Mode) {
    SettleEdit();
    FEnv.Env.ZOrderMode = static_cast<std::uint8_t>(Mode);
    Changed();
}

void TViewCommands::CanNotResizeMoveClick() {
    SettleEdit();
    ToggleOption(FEnv.Env.SizeLocked);
    Changed();
}

void TViewCommands::TitleBarPosClick(int Pos) {
    SettleEdit();
    FEnv.Env.TitleBarPos = static_cast<std::uint8_t>(Pos);
    Changed();
}

void TViewCommands::ShowToolButtonClick() {
    ToggleOption(FEnv.Env.ShowToolButtons);
    Changed();
}

void TViewCommands::ShowMemoClick() {
    SettleEdit();
    ToggleOption(FEnv.Env.ShowNotes);
    Changed();
}

void TViewCommands::MemoPosClick(int Pos) {
    SettleEdit();
    FEnv.Env.NotesPos = static_cast<std::uint8_t>(Pos);
    Changed();
}

void TViewCommands::ShowHeaderClick(bool Checked) {
    SettleEdit();
    FEnv.Env.HeaderVisible = Checked ? 1 : 0;
    Grid().SetHeaderLine(FEnv.Env.HeaderVisible);
    Changed();
}
