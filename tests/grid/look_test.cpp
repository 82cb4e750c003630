// A change of the look repaints just the part of the window it shows in.
#include "grid_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

TEST(GridLook, EachFieldRepaintsWhereItShows) {
    // Ten rows fit the 500 x 200 window: no scroll bars.
    const TRect cells{18, 16, 500, 200}, header{0, 0, 500, 18}, gutter{0, 18, 20, 200};
    struct Case {
        const char* name;
        std::function<void(TGridLook&)> change;
        std::vector<TRect> rects;
        int all; // whole-window repaints
    };
    const Case cases[] = {
        {"nothing changed", [](TGridLook&) {}, {}, 0},
        {"alternate rows", [](TGridLook& l) { l.AlternateColor = 0x010203u; }, {cells}, 0},
        {"line colour", [](TGridLook& l) { l.GridColor = 0x010203u; }, {cells}, 0},
        {"lines off", [](TGridLook& l) { l.ShowGrid = false; }, {cells}, 0},
        {"line style", [](TGridLook& l) { l.GridStyle = psDot; }, {cells}, 0},
        {"selection colour", [](TGridLook& l) { l.SelectionColor = 0x010203u; }, {cells}, 0},
        {"frame colour", [](TGridLook& l) { l.BoxColor = 0x010203u; }, {cells}, 0},
        {"header colour", [](TGridLook& l) { l.HeaderColor = 0x010203u; }, {}, 1},
        {"header light edge", [](TGridLook& l) { l.HeaderLightColor = 0x010203u; }, {}, 1},
        {"header dark edge", [](TGridLook& l) { l.HeaderDarkColor = 0x010203u; }, {}, 1},
        {"raised header", [](TGridLook& l) { l.Flat = false; }, {}, 1},
        {"footer font", [](TGridLook& l) { l.FooterFont.Size = 20; }, {}, 1},
        {"header font", [](TGridLook& l) { l.HeaderFont.Size = 20; }, {header}, 0},
        {"gutter font", [](TGridLook& l) { l.GutterFont.Size = 20; }, {gutter}, 0},
        {"header and gutter fonts",
         [](TGridLook& l) { l.HeaderFont.Size = l.GutterFont.Size = 20; }, {header, gutter}, 0},
        {"cells and a header edge",
         [](TGridLook& l) { l.BoxColor = l.HeaderDarkColor = 0x010203u; }, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        TGridLook look = s.G.Look();
        c.change(look);
        s.Host.ClearRequests();
        s.G.SetLook(look);
        EXPECT_EQ(s.G.Look(), look);
        EXPECT_EQ(s.Host.Invalidated, c.rects);
        EXPECT_EQ(s.Host.InvalidateAllCount, c.all);
    }
}

} // namespace

// The one-property setters change their own field of the look and no other.
TEST(GridLook, EachSetterChangesItsOwnField) {
    TFont big;
    big.Size = 20;
    struct Case {
        const char* name;
        std::function<void(TLapGrid&)> set;
        std::function<void(TGridLook&)> expect;
    };
    const Case cases[] = {
        {"alternate", [](TLapGrid& g) { g.SetAlternateColor(1); }, [](TGridLook& l) { l.AlternateColor = 1; }},
        {"grid colour", [](TLapGrid& g) { g.SetGridColor(2); }, [](TGridLook& l) { l.GridColor = 2; }},
        {"show grid", [](TLapGrid& g) { g.SetShowGrid(false); }, [](TGridLook& l) { l.ShowGrid = false; }},
        {"grid style", [](TLapGrid& g) { g.SetGridStyle(psDash); }, [](TGridLook& l) { l.GridStyle = psDash; }},
        {"header", [](TLapGrid& g) { g.SetHeaderColor(3); }, [](TGridLook& l) { l.HeaderColor = 3; }},
        {"header light", [](TLapGrid& g) { g.SetHeaderLightColor(4); }, [](TGridLook& l) { l.HeaderLightColor = 4; }},
        {"header dark", [](TLapGrid& g) { g.SetHeaderDarkColor(5); }, [](TGridLook& l) { l.HeaderDarkColor = 5; }},
        {"selection", [](TLapGrid& g) { g.SetSelectionColor(6); }, [](TGridLook& l) { l.SelectionColor = 6; }},
        {"box", [](TLapGrid& g) { g.SetBoxColor(7); }, [](TGridLook& l) { l.BoxColor = 7; }},
        {"flat", [](TLapGrid& g) { g.SetFlat(false); }, [](TGridLook& l) { l.Flat = false; }},
        {"header font", [&](TLapGrid& g) { g.SetHeaderFont(big); }, [&](TGridLook& l) { l.HeaderFont = big; }},
        {"footer font", [&](TLapGrid& g) { g.SetFooterFont(big); }, [&](TGridLook& l) { l.FooterFont = big; }},
        {"gutter font", [&](TLapGrid& g) { g.SetGutterFont(big); }, [&](TGridLook& l) { l.GutterFont = big; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLapGrid g;
        TGridLook want = g.Look();
        c.expect(want);
        c.set(g);
        EXPECT_TRUE(g.Look() == want);
    }
}
