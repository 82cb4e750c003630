#include "app/splits_drop.h"

#include "app/session.h"
#include "app/splits_import.h"
#include "app/user_port.h"
#include "model/file_io.h"
#include "model/laptime_project.h"

#include <new>

int AddSplitsSheets(TLaptimeProject& Project, const std::vector<std::string>& Files,
                    const TLaptimeSheet& Defaults, UserPort& Port) {
    int added = 0;
    for (const std::string& f : Files) {
        if (!IsSplitsFileName(f)) continue;
        try {
            Project.AddSheet(SplitsSheet(Defaults, SheetNameOfFile(f),
                                         ReadSplitsFile(f, TSplitTiming::Real), std::nullopt));
            ++added;
        } catch (const EFileError& e) {
            Port.Error(e.what());
        } catch (const std::bad_alloc&) {
            Port.Error("\"" + f + "\": not enough memory to read it");
        }
    }
    return added;
}
