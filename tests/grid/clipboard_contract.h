// What every Clipboard promises, checked on the fake and, in the Qt tests,
// on the system clipboard. Free of any test framework so that both kinds of
// test run the same cases.
#pragma once

#include "grid/clipboard.h"

#include <functional>
#include <string>
#include <vector>

// Runs every case on Board; Clear empties the clipboard as another program
// would. Returns one line for each broken promise, naming the case.
inline std::vector<std::string> ClipboardContractFailures(Clipboard& Board,
                                                          const std::function<void()>& Clear) {
    std::vector<std::string> failures;
    auto expect = [&](bool ok, const std::string& what) {
        if (!ok) failures.push_back(what);
    };
    Clear();
    expect(!Board.HasText(), "empty: no text");
    expect(Board.GetText().empty(), "empty: reads as empty text");

    struct Row {
        const char* Name;
        std::string Text;
    };
    const Row rows[] = {
        {"a time", "1:23.45"},
        {"cells and rows", "a\tb\r\nc\td\r\n"},
        // "メイリオ" and a trail byte that is a backslash ("表").
        {"two-byte characters", "\x83\x81\x83\x43\x83\x8A\x83\x49 \x95\x5C"},
        {"half-width katakana", "\xB1\xB2\xB3"},
    };
    for (const Row& r : rows) {
        Clear();
        Board.SetText(r.Text);
        expect(Board.HasText(), std::string(r.Name) + ": has text after SetText");
        expect(Board.GetText() == r.Text, std::string(r.Name) + ": reads back what was set");
    }
    Board.SetText("first");
    Board.SetText("second");
    expect(Board.GetText() == "second", "a second text replaces the first");
    return failures;
}
