// Text from another program is cut to what a global atom's name holds.
#include "grid/cell_input.h"
#include "grid/grid_fixture.h"

#include <gtest/gtest.h>

#include <string>

TEST(CellInput, TextIsCutTo255BytesOnACharacterBoundary) {
    // "区" is two bytes in the code page.
    const std::string ku = "\x8B\xE6";
    struct Row {
        const char* Name;
        std::string Text;
        std::string Kept;
    };
    const Row rows[] = {
        {"254 bytes kept", std::string(254, 'a'), std::string(254, 'a')},
        {"255 bytes kept", std::string(255, 'a'), std::string(255, 'a')},
        {"256 bytes lose the last", std::string(256, 'a'), std::string(255, 'a')},
        {"a two-byte character across the limit goes whole", std::string(254, 'a') + ku,
         std::string(254, 'a')},
        {"a two-byte character ending at the limit stays", std::string(253, 'a') + ku + "b",
         std::string(253, 'a') + ku},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(CutCellInput(r.Text), r.Kept);
        // The grid writes the cut text into the cell.
        Sheet s;
        s.Go(1, 2);
        EXPECT_TRUE(s.G.CellInput(r.Text, 0));
        EXPECT_EQ(s.G.Cells(1, 2), r.Kept);
    }
}
