#include "model/lap_env.h"
#include "model/settings_image.h"
#include "model/sheet_settings_file.h"

#include "project_fakes.h"

namespace {

constexpr std::size_t Img = 3449; // the settings image inside LapEnv.dat

} // namespace

TEST(SettingsImage, PaddingIsIgnoredAndTextsNeverStored) {
    // The golden .dsf pins the layout; padding and reserved bytes read as nothing.
    TLaptimeSheet s = DefaultSheetSettings();
    s.Name.assign("Sheet");
    s.Texts = {"never\r\n", "stored\r\n", ""};
    s.ColWidth = {1, 2, 3, 4, 5};
    std::string img = WriteSettingsImage(s);
    ASSERT_EQ(img.size(), 632u);
    for (std::size_t off : {511u, 517u, 554u, 598u, 620u, 631u})
        img[off] = '\x7F';
    TLaptimeSheet back;
    back.Texts[2] = "old\r\n";
    ReadSettingsImage(img, back);
    s.Texts = {};
    EXPECT_EQ(back, s);
    EXPECT_THROW(ReadSettingsImage(img.substr(0, 631), back), std::invalid_argument);
}

TEST(SheetSettingsFile, GoldenFileStampAndRefusals) {
    const std::string golden = GoldenFile("settings.dsf");
    TLaptimeSheet s;
    s.Texts[0] = "dropped\r\n";
    ASSERT_TRUE(ReadSheetSettingsFile(golden, s));
    EXPECT_EQ(s.Name.str(), "Sheet X");
    EXPECT_EQ(s.FontColor, 0x00112233u);
    EXPECT_EQ(s.ColWidth, (std::array<std::int32_t, 5>{5, 6, 7, 8, 9}));
    EXPECT_EQ(s.RowCount, 99);
    EXPECT_EQ(s.Texts[0], "");
    EXPECT_EQ(WriteSheetSettingsFile(s), golden);

    // Wrong stamp, or too short to hold the image: refused, nothing taken.
    const TLaptimeSheet before = s;
    std::string wrong = golden;
    wrong[0] = 99;
    for (const std::string& bytes : {wrong, golden.substr(0, 635), std::string()}) {
        EXPECT_FALSE(ReadSheetSettingsFile(bytes, s)) << bytes.size();
        EXPECT_EQ(s, before);
    }

    ScratchDir dir;
    SaveSheetSettingsFile(dir / "a.dsf", s);
    EXPECT_EQ(ReadWholeFile(dir / "a.dsf"), golden);
    TLaptimeSheet loaded;
    EXPECT_TRUE(LoadSheetSettingsFile(dir / "a.dsf", loaded));
    EXPECT_EQ(loaded, s);
    EXPECT_THROW(LoadSheetSettingsFile(dir / "none.dsf", loaded), EFileError);
}

TEST(LapEnv, DefaultsAndLayout) {
    const TLapEnvFile d;
    const std::string b = WriteLapEnv(d);
    ASSERT_EQ(b.size(), 4081u);
    EXPECT_EQ(b.substr(0, 49), std::string(49, '\0'));
    EXPECT_EQ(b[561], 1);                                                    // MaxUndoIndex
    EXPECT_EQ(U32At(b, 565), 55u);                                           // NotesHeight
    EXPECT_EQ(U32At(b, 834), 0xFF000005u);                                   // NotesColor
    EXPECT_EQ(b.substr(839 + 255, 5), std::string("\x8D\xC5\x91\xAC\0", 5)); // header 1
    EXPECT_EQ(b.substr(2164, 3), "\x01\x01\x01"); // tool buttons, resizable, header
    EXPECT_EQ(b.substr(Img), WriteSettingsImage(DefaultSheetSettings()));

    EXPECT_EQ(ReadLapEnv(b), d);
    EXPECT_EQ(ReadLapEnv(""), d);
    ScratchDir dir;
    EXPECT_EQ(LoadLapEnv(dir / "LapEnv.dat"), d); // no file: defaults
}

TEST(LapEnv, RoundTripKeepsEveryStoredByteAndShortFilesKeepDefaults) {
    TLapEnvFile data;
    data.Env.Placement.NormalPosition = {10, 20, 419, 390};
    data.Env.LastFile.assign("/home/u/runs.sgp");
    data.Env.HeaderTexts[0].assign(std::string(300, 'h')); // longer than its slot
    data.Env.MaxUndoIndex = 4;
    data.Env.NotesHeight = 99;
    data.DefaultSettings.FontColor = 0x00ABCDEF;
    data.DefaultSettings.FontSize = 30;
    data.DefaultSettings.RowCount = 7;
    std::string b = WriteLapEnv(data);
    // Unused areas and bytes after a terminator are carried as they are.
    b[2114] = 'r';
    b[3448] = 't';
    b[49 + 100] = 'z';
    b[4] = '\x33';

    ScratchDir dir;
    const std::string path = dir / "LapEnv.dat";
    SaveFileAtomically(path, b);
    // Byte for byte: a field read from the wrong place would be written back
    // elsewhere.
    const TLapEnvFile read = LoadLapEnv(path);
    SaveLapEnv(path, read);
    EXPECT_EQ(ReadWholeFile(path), b);
    EXPECT_EQ(ReadLapEnv(b + "extra"), read); // bytes past the size are ignored

    // Cut inside NotesHeight: the whole field falls back, not a mix of bytes.
    TLapEnvFile r = ReadLapEnv(b.substr(0, 567));
    EXPECT_EQ(r.Env.MaxUndoIndex, 4);
    EXPECT_EQ(r.Env.NotesHeight, 55);
    EXPECT_EQ(r.Env.ShowToolButtons, 1);
    EXPECT_EQ(r.DefaultSettings, DefaultSheetSettings());

    // Cut inside the default settings' FontSize.
    r = ReadLapEnv(b.substr(0, Img + 522));
    EXPECT_EQ(r.Env, read.Env);
    EXPECT_EQ(r.DefaultSettings.FontColor, 0x00ABCDEFu);
    EXPECT_EQ(r.DefaultSettings.FontSize, 11);
    EXPECT_EQ(r.DefaultSettings.RowCount, 20);
}
