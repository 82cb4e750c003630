// The project file (.sgp): the sheet count, one packed 633-byte record per
// sheet, then the texts of every sheet's first three columns.
#pragma once

#include "model/file_io.h"
#include "model/laptime_sheet.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t ProjectHeaderSize = 4;
constexpr std::size_t ProjectRecordSize = 633;

// The file image of these sheets, in order. EFileError when the texts are too
// long for the file's 32-bit offsets.
std::string WriteProjectFile(const std::vector<TLaptimeSheet>& Sheets,
                             const std::string& FileName = {});
// The same of sheets kept elsewhere.
std::string WriteProjectFile(const std::vector<const TLaptimeSheet*>& Sheets,
                             const std::string& FileName = {});

// The sheets of a project file image. Everything is checked before anything is
// returned: a negative sheet count or one the file cannot hold, a record or
// text running past the end of the file, or a text placed inside the header
// or records raises EFileFormatError naming FileName and the fault.
std::vector<TLaptimeSheet> ReadProjectFile(std::string_view Bytes, const std::string& FileName);

// The two above with the file itself; saving replaces the file safely.
std::vector<TLaptimeSheet> LoadProjectFile(const std::string& FileName);
void SaveProjectFile(const std::string& FileName, const std::vector<TLaptimeSheet>& Sheets);
void SaveProjectFile(const std::string& FileName, const std::vector<const TLaptimeSheet*>& Sheets);
