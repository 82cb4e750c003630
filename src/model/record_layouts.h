// The layouts of the stored records, as their readers and writers use them:
// each field's name, offset, width and kind, in the order of the list.
#pragma once

#include "model/record_fields.h"

#include <vector>

std::vector<byte_io::TFieldSpan> LapEnvLayout();        // the TLapEnv image of LapEnv.dat
std::vector<byte_io::TFieldSpan> SettingsImageLayout(); // the 632-byte settings image
std::vector<byte_io::TFieldSpan> ProjectRecordLayout(); // a sheet's 633-byte project record

namespace settings_image {
struct TSettingsLayout;
// The settings fields at the offsets of Layout.
std::vector<byte_io::TFieldSpan> LayoutSpans(const TSettingsLayout& Layout);
} // namespace settings_image
