// What the window knows of the open document: whether its sheets or its data
// changed since it was opened or saved, whether it has a file, the file it
// came from, where Save writes, and that file as it was last seen here.
#pragma once

#include "model/recovery_store.h"

#include <cstdint>
#include <string>

class TLapGrid;

struct TDocumentState {
    bool SheetChange = false;
    bool DataChange = false;
    bool HasFileName = false;
    // The project's file (LastFile at exit); empty while it has none.
    std::string OpenFileName;
    // Where Save writes, or the name Save As proposes for a project without one.
    std::string SaveFileName;
    // The file as last opened or saved here (Size -1: none).
    TFileIdentity Identity;

    // Something would be lost without a save.
    bool Unsaved() const { return SheetChange || DataChange; }

    // Made new, opened, saved or restored: nothing unsaved, File where the
    // document lives (empty: nowhere yet), SaveName where Save writes.
    void Reset(const std::string& File, const std::string& SaveName, const TFileIdentity& Id);

    // DataChange follows the undo buffers: set while some sheet's buffer
    // holds a change since the last save. A sheet's name is not in them.
    void FollowUndo(const TLapGrid& Grid);
};

// An option of the environment record that a check item switches: 1 is on,
// any other value off.
inline bool OptionOn(std::uint8_t Option) {
    return Option == 1;
}
inline void ToggleOption(std::uint8_t& Option) {
    Option = OptionOn(Option) ? 0 : 1;
}
