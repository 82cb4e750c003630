// LapEnv.dat and sheet settings file readers over any bytes.
#include "model/lap_env.h"
#include "model/sheet_settings_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TLapEnvFile env = ReadLapEnv(bytes);
    if (ReadLapEnv(WriteLapEnv(env)) != env) std::abort();

    TLaptimeSheet sheet;
    if (ReadSheetSettingsFile(bytes, sheet)) {
        TLaptimeSheet again;
        if (!ReadSheetSettingsFile(WriteSheetSettingsFile(sheet), again) || !(again == sheet))
            std::abort();
    }
    return 0;
}
