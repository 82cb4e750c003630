#include "model/lap_env.h"

#include "model/byte_io.h"
#include "model/file_io.h"
#include "model/record_fields.h"
#include "model/record_layouts.h"
#include "model/settings_image.h"

#include <cerrno>
#include <sys/stat.h>

using namespace byte_io;

namespace {

// The TLapEnv image, field by field: the only place that says where a field
// is stored. Env is TLapEnv for reading, const TLapEnv otherwise.
template <class Io, class Env> void EnvFields(Io& io, Env& e) {
    auto& p = e.Placement;
    // clang-format off
    io("Placement.Length",                 0, p.Length);
    io("Placement.Flags",                  4, p.Flags);
    io("Placement.ShowCmd",                8, p.ShowCmd);
    io("Placement.MinPosition.X",         12, p.MinPosition.X);
    io("Placement.MinPosition.Y",         16, p.MinPosition.Y);
    io("Placement.MaxPosition.X",         20, p.MaxPosition.X);
    io("Placement.MaxPosition.Y",         24, p.MaxPosition.Y);
    io("Placement.NormalPosition.Left",   28, p.NormalPosition.Left);
    io("Placement.NormalPosition.Top",    32, p.NormalPosition.Top);
    io("Placement.NormalPosition.Right",  36, p.NormalPosition.Right);
    io("Placement.NormalPosition.Bottom", 40, p.NormalPosition.Bottom);
    io("Maximized",                       44, e.Maximized);
    io("ZOrderMode",                      45, e.ZOrderMode);
    io("SizeLocked",                      46, e.SizeLocked);
    io("TitleBarPos",                     47, e.TitleBarPos);
    io("ReopenLast",                      48, e.ReopenLast);
    io("LastFile",                        49, e.LastFile);
    io("MaxUndoIndex",                   561, e.MaxUndoIndex);
    io("ConfirmRename",                  562, e.ConfirmRename);
    io("ConfirmManyRows",                563, e.ConfirmManyRows);
    io("ShowNotes",                      564, e.ShowNotes);
    io("NotesHeight",                    565, e.NotesHeight);
    io("NotesFontName",                  569, e.NotesFontName);
    io("NotesFontSize",                  824, e.NotesFontSize);
    io("NotesFontStyle",                 828, e.NotesFontStyle);
    io("NotesFontColor",                 829, e.NotesFontColor);
    io("NotesPos",                       833, e.NotesPos);
    io("NotesColor",                     834, e.NotesColor);
    io("TitlesLocked",                   838, e.TitlesLocked);
    io("HeaderTexts",                    839, e.HeaderTexts);
    io("Reserved1",                     2114, Whole(e.Reserved1));
    io("ScrollThreshold",               2154, e.ScrollThreshold);
    io("Reserved2",                     2155, Whole(e.Reserved2));
    io("ShowToolButtons",               2164, e.ShowToolButtons);
    io("ColumnsResizable",              2165, e.ColumnsResizable);
    io("HeaderVisible",                 2166, e.HeaderVisible);
    io("Reserved3",                     2167, Whole(e.Reserved3));
    // clang-format on
}

std::string PutEnv(const TLapEnv& e) {
    std::string b(LapEnvSize, '\0');
    FieldWriter w(b, 0);
    EnvFields(w, e);
    return b;
}

TLapEnv GetEnv(const FieldSource& f) {
    TLapEnv e;
    FieldReader r(f);
    EnvFields(r, e);
    return e;
}

} // namespace

std::string WriteLapEnv(const TLapEnvFile& Data) {
    return PutEnv(Data.Env) + WriteSettingsImage(Data.DefaultSettings);
}

TLapEnvFile ReadLapEnv(std::string_view Bytes) {
    static const std::string defaults = WriteLapEnv(TLapEnvFile{});
    const std::string_view fallback = defaults;
    Bytes = Bytes.substr(0, LapEnvFileSize);
    TLapEnvFile out;
    out.Env = GetEnv(FieldSource(Bytes, fallback));
    const std::string_view image =
        Bytes.size() > LapEnvSize ? Bytes.substr(LapEnvSize) : std::string_view{};
    settings_image::ReadSettingsImage(image, fallback.substr(LapEnvSize), out.DefaultSettings);
    return out;
}

TLapEnvFile LoadLapEnv(const std::string& Path) {
    struct stat st {};
    if (::stat(Path.c_str(), &st) != 0 && errno == ENOENT) return TLapEnvFile{};
    return ReadLapEnv(ReadWholeFile(Path));
}

std::vector<TFieldSpan> LapEnvLayout() {
    FieldLister l;
    EnvFields(l, static_cast<const TLapEnv&>(TLapEnv{}));
    return l.Spans;
}

void SaveLapEnv(const std::string& Path, const TLapEnvFile& Data) {
    SaveFileAtomically(Path, WriteLapEnv(Data));
}
