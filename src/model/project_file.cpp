#include "model/project_file.h"

#include "model/byte_io.h"
#include "model/record_layouts.h"
#include "model/settings_image.h"

#include <cstdint>
#include <limits>

using namespace byte_io;

namespace {
// Where the text lengths and positions stand in the packed project record;
// the settings fields before them are laid out by RecordLayout.
enum : std::size_t {
    oTextLength = 609,
    oTextPos = 621,
};

std::string Damaged(const std::string& fileName, const std::string& what) {
    return "\"" + fileName + "\" is not a valid project file: " + what;
}

} // namespace

std::string WriteProjectFile(const std::vector<TLaptimeSheet>& Sheets,
                             const std::string& FileName) {
    std::vector<const TLaptimeSheet*> records;
    records.reserve(Sheets.size());
    for (const TLaptimeSheet& s : Sheets)
        records.push_back(&s);
    return WriteProjectFile(records, FileName);
}

std::string WriteProjectFile(const std::vector<const TLaptimeSheet*>& Sheets,
                             const std::string& FileName) {
    constexpr std::uint64_t Limit = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t base = ProjectHeaderSize + std::uint64_t(ProjectRecordSize) * Sheets.size();
    std::uint64_t total = base;
    for (const TLaptimeSheet* s : Sheets)
        for (const auto& t : s->Texts)
            total += t.size();
    // Every offset and length in the file is a 32-bit signed value.
    if (total > Limit)
        throw EFileError(FileName, "Cannot write \"" + FileName +
                                       "\": the project is too large for a project file");
    // What the reader would refuse is never written: a file that cannot be
    // opened again is worse than no file.
    for (const TLaptimeSheet* s : Sheets)
        if (!IsValidRowCount(s->RowCount))
            throw EFileError(FileName, "Cannot write \"" + FileName + "\": sheet \"" +
                                           s->Name.str() + "\" has " + std::to_string(s->RowCount) +
                                           " rows; a sheet holds at most " +
                                           std::to_string(MaxSheetRows));

    std::string b(base, '\0');
    PutI32(b, 0, static_cast<std::int32_t>(Sheets.size()));
    std::uint64_t run = base;
    for (std::size_t i = 0; i < Sheets.size(); ++i) {
        const std::size_t r = ProjectHeaderSize + ProjectRecordSize * i;
        settings_image::PutSettingsFields(b, r, settings_image::RecordLayout, *Sheets[i]);
        for (std::size_t k = 0; k < StoredColumnCount; ++k) {
            const auto len = Sheets[i]->Texts[k].size();
            PutI32(b, r + oTextLength + 4 * k, static_cast<std::int32_t>(len));
            PutI32(b, r + oTextPos + 4 * k, static_cast<std::int32_t>(run));
            run += len;
        }
    }
    b.reserve(total);
    for (const TLaptimeSheet* s : Sheets)
        for (const auto& t : s->Texts)
            b += t;
    return b;
}

std::vector<TLaptimeSheet> ReadProjectFile(std::string_view Bytes, const std::string& FileName) {
    const std::uint64_t size = Bytes.size();
    if (size < ProjectHeaderSize)
        throw EFileFormatError(FileName,
                               Damaged(FileName, "it is too short to hold a sheet count"));
    const std::int32_t count = I32(Bytes, 0);
    if (count < 0)
        throw EFileFormatError(
            FileName,
            Damaged(FileName, "its sheet count " + std::to_string(count) + " is negative"));
    const std::uint64_t base = ProjectHeaderSize + std::uint64_t(ProjectRecordSize) * count;
    if (base > size)
        throw EFileFormatError(FileName,
                               Damaged(FileName, "it cannot hold the " + std::to_string(count) +
                                                     " sheet records it claims"));

    // Check every text and row count of every sheet before taking any of
    // them. Every row costs memory and an evaluation: a count no sheet can
    // have is damage.
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t r = ProjectHeaderSize + ProjectRecordSize * i;
        const std::int32_t rows = I32(Bytes, r + settings_image::RecordLayout.RowCount);
        if (!IsValidRowCount(rows))
            throw EFileFormatError(FileName,
                                   Damaged(FileName, "sheet " + std::to_string(i + 1) + " claims " +
                                                         std::to_string(rows) + " rows"));
        for (std::size_t k = 0; k < StoredColumnCount; ++k) {
            const std::int32_t len = I32(Bytes, r + oTextLength + 4 * k);
            const std::int32_t pos = I32(Bytes, r + oTextPos + 4 * k);
            if (len <= 0) continue; // an empty text; its position means nothing
            static const char* const column[] = {"title", "Best", "Now"};
            const std::string which =
                std::string("the ") + column[k] + " text of sheet " + std::to_string(i + 1);
            if (pos < 0 || std::uint64_t(pos) < base)
                throw EFileFormatError(
                    FileName, Damaged(FileName, which + " starts inside the sheet records"));
            if (std::uint64_t(pos) + std::uint64_t(len) > size)
                throw EFileFormatError(FileName,
                                       Damaged(FileName, which + " runs past the end of the file"));
        }
    }

    std::vector<TLaptimeSheet> sheets(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t r = ProjectHeaderSize + ProjectRecordSize * i;
        TLaptimeSheet& s = sheets[i];
        settings_image::GetSettingsFields(Bytes.substr(r, ProjectRecordSize), {},
                                          settings_image::RecordLayout, s);
        for (std::size_t k = 0; k < StoredColumnCount; ++k) {
            const std::int32_t len = I32(Bytes, r + oTextLength + 4 * k);
            if (len > 0)
                s.Texts[k] = std::string(Bytes.substr(I32(Bytes, r + oTextPos + 4 * k), len));
        }
    }
    return sheets;
}

std::vector<TLaptimeSheet> LoadProjectFile(const std::string& FileName) {
    return ReadProjectFile(ReadWholeFile(FileName), FileName);
}

void SaveProjectFile(const std::string& FileName, const std::vector<TLaptimeSheet>& Sheets) {
    SaveFileAtomically(FileName, WriteProjectFile(Sheets, FileName));
}

void SaveProjectFile(const std::string& FileName, const std::vector<const TLaptimeSheet*>& Sheets) {
    SaveFileAtomically(FileName, WriteProjectFile(Sheets, FileName));
}

std::vector<TFieldSpan> ProjectRecordLayout() {
    std::vector<TFieldSpan> spans = settings_image::LayoutSpans(settings_image::RecordLayout);
    spans.push_back(
        {"TextLength", oTextLength, 4 * StoredColumnCount, TFieldKind::I32, StoredColumnCount});
    spans.push_back(
        {"TextPos", oTextPos, 4 * StoredColumnCount, TFieldKind::I32, StoredColumnCount});
    return spans;
}
