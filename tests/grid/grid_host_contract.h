// What every GridHost promises the grid, checked on the tests' FakeHost and,
// in the Qt tests, on the grid widget. Free of any test framework so that
// both kinds of test run the same cases.
#pragma once

#include "grid/grid_host.h"

#include <string>
#include <vector>

// Runs every case on Host, whose client area must not be empty. Returns one
// line for each broken promise, naming the case.
inline std::vector<std::string> GridHostContractFailures(GridHost& Host) {
    std::vector<std::string> failures;
    auto expect = [&](bool ok, const std::string& what) {
        if (!ok) failures.push_back(what);
    };

    // A scroll bar takes its room from the client area at once.
    Host.ShowScrollBar(sbHorizontal, false);
    Host.ShowScrollBar(sbVertical, false);
    const int w = Host.ClientWidth(), h = Host.ClientHeight();
    expect(w > 0 && h > 0, "client area: not empty");
    struct Bar {
        const char* Name;
        TScrollBarKind Kind;
    };
    for (const Bar& b : {Bar{"vertical bar", sbVertical}, Bar{"horizontal bar", sbHorizontal}}) {
        const bool vertical = b.Kind == sbVertical;
        Host.ShowScrollBar(b.Kind, true);
        expect((vertical ? Host.ClientWidth() : Host.ClientHeight()) < (vertical ? w : h),
               std::string(b.Name) + ": shown, takes room at once");
        expect((vertical ? Host.ClientHeight() : Host.ClientWidth()) == (vertical ? h : w),
               std::string(b.Name) + ": shown, leaves the other side");
        Host.ShowScrollBar(b.Kind, false);
        expect(Host.ClientWidth() == w && Host.ClientHeight() == h,
               std::string(b.Name) + ": hidden, gives the room back");
    }

    // Text metrics: nothing is no width; more text is wider; a two-byte
    // character is wider than a letter; one height for every text.
    const TFont font;
    const std::string ku = "\x8B\xE6"; // "区"
    expect(Host.TextWidth(font, "") == 0, "text width: empty text is 0");
    expect(Host.TextWidth(font, "a") > 0, "text width: a letter is wider than 0");
    expect(Host.TextWidth(font, "aa") > Host.TextWidth(font, "a"), "text width: more is wider");
    expect(Host.TextWidth(font, ku) > Host.TextWidth(font, "a"),
           "text width: a two-byte character is wider than a letter");
    expect(Host.TextHeight(font, "a") > 0, "text height: above 0");
    expect(Host.TextHeight(font, "") == Host.TextHeight(font, "a" + ku),
           "text height: the same for any text");

    // Pointer capture.
    Host.SetCapture();
    expect(Host.HasCapture(), "capture: held after SetCapture");
    Host.ReleaseCapture();
    expect(!Host.HasCapture(), "capture: gone after ReleaseCapture");

    // The in-place editor: shown with its text, refilled, hidden.
    Host.HideEditor();
    expect(!Host.EditorVisible(), "editor: hidden");
    Host.ShowEditor(TRect{10, 10, 80, 30}, "1:23", font, 0x00FFFFFF, haLeft);
    expect(Host.EditorVisible(), "editor: shown");
    expect(Host.EditorText() == "1:23", "editor: holds the text it was shown with");
    Host.ShowEditor(TRect{10, 40, 80, 60}, "2" + ku, font, 0x00FFFFFF, haRight);
    expect(Host.EditorText() == "2" + ku, "editor: shown again, refilled");
    Host.HideEditor();
    expect(!Host.EditorVisible(), "editor: hidden again");

    expect(Host.OwnerAcceptsInput(), "owner: takes input when nothing blocks it");
    return failures;
}
