#include "model/laptime_sheet.h"

#include <gtest/gtest.h>

TEST(CharSlot, KeepsByteLimitsCharactersAndRawTails) {
    TCharSlot<255> slot;
    slot.assign(std::string(300, 'x'));
    EXPECT_EQ(slot.str(), std::string(254, 'x'));
    EXPECT_EQ(slot.Bytes[254], '\0');
    // A two-byte character that would straddle the limit is left out whole.
    slot.assign(std::string(253, 'a') + "\x83\x5C");
    EXPECT_EQ(slot.str(), std::string(253, 'a'));
    // Assigning clears what an older, longer text left behind.
    slot.assign("ab");
    EXPECT_EQ(slot.raw().substr(0, 4), std::string_view("ab\0\0", 4));

    std::string raw(255, '\0');
    raw.replace(0, 4, "Lap\0", 4);
    raw.replace(10, 3, "zzz");
    slot.assignRaw(raw);
    EXPECT_EQ(slot.str(), "Lap");
    EXPECT_EQ(slot.raw(), raw);            // bytes after the terminator survive
    slot.assignRaw(std::string(255, 'n')); // no zero byte at all
    EXPECT_EQ(slot.str(), std::string(254, 'n'));
    EXPECT_EQ(slot.Bytes[254], '\0');
}

TEST(LaptimeSheet, TitleFromFileName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/run.2024.sgp", "run"}, {"/a.b/noext", "noext"},      {"/tmp/.hidden.sgp", ""},
        {"rel/dir/Lap.sgp", "Lap"},      {"\x83\x5C.sgp", "\x83\x5C"},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(TitleFromFileName(path), title) << path;
}
