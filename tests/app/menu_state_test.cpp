// The check marks of the View menu and the title lock, from the options of
// the environment record.
#include "app/menu_state.h"
#include "model/lap_env.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

TEST(MenuState, CheckMarksFollowTheEnvironment) {
    using Marks = std::map<std::string, bool>;
    // clang-format off
    const struct { const char* Name; std::function<void(TLapEnv&)> Set; Marks Expected; } cases[] = {
        {"first start", [](TLapEnv&) {},
         {{"ZNormal", true}, {"StayOnTop", false}, {"StayOnHide", false}, {"CanNotResizeMove", false},
          {"ListPosTop", true}, {"ShowToolButton", true}, {"ShowMemo", false}, {"MemoBottom", true},
          {"ShowHeader", true}, {"TitleLock", false}}},
        {"every option the other way",
         [](TLapEnv& E) { E.ZOrderMode = 2; E.SizeLocked = 1; E.TitleBarPos = 1; E.ShowToolButtons = 0;
                          E.ShowNotes = 1; E.NotesPos = 0; E.HeaderVisible = 0; E.TitlesLocked = 1; },
         {{"ZNormal", false}, {"StayOnTop", false}, {"StayOnHide", true}, {"CanNotResizeMove", true},
          {"ListPosBottom", true}, {"ShowToolButton", false}, {"ShowMemo", true}, {"MemoTop", true},
          {"ShowHeader", false}, {"TitleLock", true}}},
        {"always on top", [](TLapEnv& E) { E.ZOrderMode = 1; },
         {{"ZNormal", false}, {"StayOnTop", true}, {"StayOnHide", false}, {"CanNotResizeMove", false},
          {"ListPosTop", true}, {"ShowToolButton", true}, {"ShowMemo", false}, {"MemoBottom", true},
          {"ShowHeader", true}, {"TitleLock", false}}},
        // A file may hold other values: no window mode and no position is
        // marked, and a switch is on only at 1.
        {"values out of range",
         [](TLapEnv& E) { E.ZOrderMode = 3; E.SizeLocked = 2; E.TitleBarPos = 2; E.ShowToolButtons = 2;
                          E.ShowNotes = 255; E.NotesPos = 7; E.HeaderVisible = 2; E.TitlesLocked = 2; },
         {{"ZNormal", false}, {"StayOnTop", false}, {"StayOnHide", false}, {"CanNotResizeMove", false},
          {"ShowToolButton", false}, {"ShowMemo", false}, {"ShowHeader", false}, {"TitleLock", false}}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TLapEnv env;
        c.Set(env);
        EXPECT_EQ(CheckStatesOf(env), c.Expected);
    }
}
