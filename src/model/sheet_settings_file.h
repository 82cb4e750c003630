// The sheet settings file (.dsf): the stamp 100, then a settings image.
#pragma once

#include "model/laptime_sheet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::int32_t SheetSettingsStamp = 100;
constexpr std::size_t SheetSettingsFileSize = 4 + 632;
constexpr const char* IncompatibleSettingsMessage =
    "Not a compatible default sheet settings file. It may be an older version.";
constexpr const char* LoadedSettingsMessage = "Loaded sheet settings file.  ";

std::string WriteSheetSettingsFile(const TLaptimeSheet& Settings);

// Takes the image into Dest (its texts emptied) and returns true; returns
// false and leaves Dest as it was when the stamp is not 100 or the file is
// too short to hold the image.
bool ReadSheetSettingsFile(std::string_view Bytes, TLaptimeSheet& Dest);

// The same on a file; EFileError when it cannot be read or written.
bool LoadSheetSettingsFile(const std::string& Path, TLaptimeSheet& Dest);
void SaveSheetSettingsFile(const std::string& Path, const TLaptimeSheet& Settings);
