#include "model/sheet_settings_file.h"

#include "model/byte_io.h"
#include "model/file_io.h"
#include "model/settings_image.h"

using namespace byte_io;

std::string WriteSheetSettingsFile(const TLaptimeSheet& Settings) {
    std::string b(4, '\0');
    PutI32(b, 0, SheetSettingsStamp);
    return b + WriteSettingsImage(Settings);
}

bool ReadSheetSettingsFile(std::string_view Bytes, TLaptimeSheet& Dest) {
    if (Bytes.size() < SheetSettingsFileSize || I32(Bytes, 0) != SheetSettingsStamp) return false;
    ReadSettingsImage(Bytes.substr(4, SettingsImageSize), Dest);
    return true;
}

bool LoadSheetSettingsFile(const std::string& Path, TLaptimeSheet& Dest) {
    return ReadSheetSettingsFile(ReadWholeFile(Path), Dest);
}

void SaveSheetSettingsFile(const std::string& Path, const TLaptimeSheet& Settings) {
    SaveFileAtomically(Path, WriteSheetSettingsFile(Settings));
}
