#include "model/lap_env.h"

#include "model/byte_io.h"
#include "model/file_io.h"
#include "model/settings_image.h"

#include <cerrno>
#include <sys/stat.h>

using namespace byte_io;

namespace {
enum : std::size_t {
    oPlacement = 0,
    oMaximized = 44,
    oZOrderMode = 45,
    oSizeLocked = 46,
    oTitleBarPos = 47,
    oReopenLast = 48,
    oLastFile = 49,
    oMaxUndoIndex = 561,
    oConfirmRename = 562,
    oConfirmManyRows = 563,
    oShowNotes = 564,
    oNotesHeight = 565,
    oNotesFontName = 569,
    oNotesFontSize = 824,
    oNotesFontStyle = 828,
    oNotesFontColor = 829,
    oNotesPos = 833,
    oNotesColor = 834,
    oTitlesLocked = 838,
    oHeaderTexts = 839,
    oReserved1 = 2114,
    oScrollThreshold = 2154,
    oReserved2 = 2155,
    oShowToolButtons = 2164,
    oColumnsResizable = 2165,
    oHeaderVisible = 2166,
    oReserved3 = 2167,
};

std::string PutEnv(const TLapEnv& e) {
    std::string b(LapEnvSize, '\0');
    const auto& p = e.Placement;
    const std::int32_t placement[11] = {p.Length,
                                        p.Flags,
                                        p.ShowCmd,
                                        p.MinPosition.X,
                                        p.MinPosition.Y,
                                        p.MaxPosition.X,
                                        p.MaxPosition.Y,
                                        p.NormalPosition.Left,
                                        p.NormalPosition.Top,
                                        p.NormalPosition.Right,
                                        p.NormalPosition.Bottom};
    for (std::size_t i = 0; i < 11; ++i)
        PutI32(b, oPlacement + 4 * i, placement[i]);
    PutU8(b, oMaximized, e.Maximized);
    PutU8(b, oZOrderMode, e.ZOrderMode);
    PutU8(b, oSizeLocked, e.SizeLocked);
    PutU8(b, oTitleBarPos, e.TitleBarPos);
    PutU8(b, oReopenLast, e.ReopenLast);
    PutBytes(b, oLastFile, e.LastFile.raw());
    PutU8(b, oMaxUndoIndex, e.MaxUndoIndex);
    PutU8(b, oConfirmRename, e.ConfirmRename);
    PutU8(b, oConfirmManyRows, e.ConfirmManyRows);
    PutU8(b, oShowNotes, e.ShowNotes);
    PutI32(b, oNotesHeight, e.NotesHeight);
    PutBytes(b, oNotesFontName, e.NotesFontName.raw());
    PutI32(b, oNotesFontSize, e.NotesFontSize);
    PutU8(b, oNotesFontStyle, e.NotesFontStyle);
    PutU32(b, oNotesFontColor, e.NotesFontColor);
    PutU8(b, oNotesPos, e.NotesPos);
    PutU32(b, oNotesColor, e.NotesColor);
    PutU8(b, oTitlesLocked, e.TitlesLocked);
    for (std::size_t i = 0; i < e.HeaderTexts.size(); ++i)
        PutBytes(b, oHeaderTexts + 255 * i, e.HeaderTexts[i].raw());
    auto putArray = [&b](std::size_t off, const auto& a) {
        for (std::size_t i = 0; i < a.size(); ++i)
            PutU8(b, off + i, a[i]);
    };
    putArray(oReserved1, e.Reserved1);
    PutU8(b, oScrollThreshold, e.ScrollThreshold);
    putArray(oReserved2, e.Reserved2);
    PutU8(b, oShowToolButtons, e.ShowToolButtons);
    PutU8(b, oColumnsResizable, e.ColumnsResizable);
    PutU8(b, oHeaderVisible, e.HeaderVisible);
    putArray(oReserved3, e.Reserved3);
    return b;
}

TLapEnv GetEnv(const FieldSource& f) {
    TLapEnv e;
    auto& p = e.Placement;
    std::int32_t* placement[11] = {&p.Length,
                                   &p.Flags,
                                   &p.ShowCmd,
                                   &p.MinPosition.X,
                                   &p.MinPosition.Y,
                                   &p.MaxPosition.X,
                                   &p.MaxPosition.Y,
                                   &p.NormalPosition.Left,
                                   &p.NormalPosition.Top,
                                   &p.NormalPosition.Right,
                                   &p.NormalPosition.Bottom};
    for (std::size_t i = 0; i < 11; ++i)
        *placement[i] = f.I32(oPlacement + 4 * i);
    e.Maximized = f.U8(oMaximized);
    e.ZOrderMode = f.U8(oZOrderMode);
    e.SizeLocked = f.U8(oSizeLocked);
    e.TitleBarPos = f.U8(oTitleBarPos);
    e.ReopenLast = f.U8(oReopenLast);
    e.LastFile.assignRaw(f.Field(oLastFile, 512));
    e.MaxUndoIndex = f.U8(oMaxUndoIndex);
    e.ConfirmRename = f.U8(oConfirmRename);
    e.ConfirmManyRows = f.U8(oConfirmManyRows);
    e.ShowNotes = f.U8(oShowNotes);
    e.NotesHeight = f.I32(oNotesHeight);
    e.NotesFontName.assignRaw(f.Field(oNotesFontName, 255));
    e.NotesFontSize = f.I32(oNotesFontSize);
    e.NotesFontStyle = f.U8(oNotesFontStyle);
    e.NotesFontColor = f.U32(oNotesFontColor);
    e.NotesPos = f.U8(oNotesPos);
    e.NotesColor = f.U32(oNotesColor);
    e.TitlesLocked = f.U8(oTitlesLocked);
    for (std::size_t i = 0; i < e.HeaderTexts.size(); ++i)
        e.HeaderTexts[i].assignRaw(f.Field(oHeaderTexts + 255 * i, 255));
    auto getArray = [&f](std::size_t off, auto& a) {
        const auto bytes = f.Field(off, a.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            a[i] = U8(bytes, i);
    };
    getArray(oReserved1, e.Reserved1);
    e.ScrollThreshold = f.U8(oScrollThreshold);
    getArray(oReserved2, e.Reserved2);
    e.ShowToolButtons = f.U8(oShowToolButtons);
    e.ColumnsResizable = f.U8(oColumnsResizable);
    e.HeaderVisible = f.U8(oHeaderVisible);
    getArray(oReserved3, e.Reserved3);
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

void SaveLapEnv(const std::string& Path, const TLapEnvFile& Data) {
    SaveFileAtomically(Path, WriteLapEnv(Data));
}
