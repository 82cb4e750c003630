#include "app/document_state.h"

#include "grid/lap_grid.h"

void TDocumentState::Reset(const std::string& File, const std::string& SaveName,
                           const TFileIdentity& Id) {
    SheetChange = DataChange = false;
    HasFileName = !File.empty();
    OpenFileName = File;
    SaveFileName = SaveName;
    Identity = Id;
}

void TDocumentState::FollowUndo(const TLapGrid& Grid) {
    DataChange = Grid.IsAnyModified();
}
