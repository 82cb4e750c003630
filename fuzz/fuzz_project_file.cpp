// Project file reader: any input is refused cleanly or read; what was read
// writes back to a file that reads the same.
#include "model/project_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<TLaptimeSheet> sheets;
    try {
        sheets = ReadProjectFile(bytes, "fuzz.sgp");
    } catch (const EFileFormatError&) {
        return 0;
    }
    const std::string written = WriteProjectFile(sheets);
    if (ReadProjectFile(written, "again.sgp") != sheets) std::abort();
    return 0;
}
