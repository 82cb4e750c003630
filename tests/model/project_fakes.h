// Shared test helpers: golden data, a scratch folder, fields inside file
// images, plain stand-ins for the window around the project, and a check that
// every per-sheet list still lines up with the sheets.
#pragma once

#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "model/laptime_project.h"
#include "model/ports.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

inline std::string GoldenFile(const std::string& name) {
    const char* root = std::getenv("SEGMARK_TEST_DATA");
    if (!root) ADD_FAILURE() << "SEGMARK_TEST_DATA is not set";
    return ReadWholeFile(std::string(root ? root : "tests/data") + "/model/" + name);
}

inline std::uint32_t U32At(std::string_view b, std::size_t off) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[off + static_cast<std::size_t>(i)]);
    return v;
}
inline void SetI32(std::string& b, std::size_t off, std::int32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        b[off + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> 8 * i) & 0xFF);
}

// The message of the exception of type E that F raises, or "accepted".
template <typename E = EFileError, typename F> std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "accepted";
}
using ::testing::AllOf;
using ::testing::HasSubstr;

// A fresh folder removed with everything in it at the end of the test.
class ScratchDir {
  public:
    ScratchDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "segmark-model-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) ADD_FAILURE() << "mkdtemp failed";
        path_ = tmpl;
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(path_), {}));
    }

  private:
    std::filesystem::path path_;
};

class FakeSelector : public SheetSelector {
  public:
    int Count() const override { return static_cast<int>(Items.size()); }
    std::string Item(int Index) const override { return Items.at(static_cast<std::size_t>(Index)); }
    void Add(const std::string& Name) override { Items.push_back(Name); }
    void Delete(int Index) override {
        Items.erase(Items.begin() + Index);
        Selected = Index == Selected ? -1 : Selected - (Index < Selected);
    }
    void SetItem(int Index, const std::string& Name) override {
        Items.at(static_cast<std::size_t>(Index)) = Name;
    }
    void Clear() override { Items.clear(), Selected = -1; }
    void Select(int Index) override { Selected = Index; }
    void SetText(const std::string& T) override { Text = T; }
    void SetEnabled(bool E) override { Enabled = E; }

    std::vector<std::string> Items;
    int Selected = -1;
    std::string Text;
    bool Enabled = true;
};

class FakeHost : public ProjectHost {
  public:
    void SetTitle(const std::string& T) override { Title = T; }
    bool AskOkCancel(const std::string& Text, const std::string& Caption) override {
        Questions.push_back(Caption + ": " + Text);
        return Answer;
    }
    bool ConfirmManyRows() const override { return ManyRowsSwitch; }
    int MaxUndoIndex() const override { return UndoIndex; }
    const TLaptimeSheet& DefaultSettings() const override { return Defaults; }
    bool ClipboardText(std::string& T) override {
        if (HasClipboardText) T = Clipboard;
        return HasClipboardText;
    }

    std::string Title;
    std::vector<std::string> Questions; // "caption: text"
    bool Answer = true, ManyRowsSwitch = true, HasClipboardText = false;
    int UndoIndex = 1;
    TLaptimeSheet Defaults = DefaultSheetSettings();
    std::string Clipboard;
};

// The window's grid, the selector and the host, with a project on them.
struct ProjectRig {
    TLapGrid Grid;
    FakeSelector Selector;
    FakeHost Host;
    std::unique_ptr<TLaptimeProject> Project;
    // Rows raised through OnCellAssignment with column 2, in order.
    std::vector<int> Evaluated;

    ProjectRig() {
        Grid.SetColCount(5);
        Grid.Columns[3].ReadOnly = true;
        Grid.Columns[4].ReadOnly = true;
        Grid.SetRowCount(0);
        Grid.OnCellAssignment = [this](int Col, int Row) {
            if (Col == 2) Evaluated.push_back(Row);
        };
    }

    explicit ProjectRig(const std::vector<std::string>& Names) : ProjectRig() { WithSheets(Names); }

    void New() { Project = TLaptimeProject::Create("", Grid, Selector, Host); }

    // A project of sheets with these names; sheet i has i + 1 rows and the
    // title "s<i>" in its first row.
    void WithSheets(const std::vector<std::string>& Names) {
        std::vector<TLaptimeSheet> sheets;
        for (std::size_t i = 0; i < Names.size(); ++i) {
            TLaptimeSheet s = DefaultSheetSettings();
            s.Name.assign(Names[i]);
            s.RowCount = static_cast<int>(i) + 1;
            s.Texts[0] = "s" + std::to_string(i) + "\r\n";
            sheets.push_back(std::move(s));
        }
        Project = TLaptimeProject::CreateFromSheets(std::move(sheets), "/tmp/p.sgp", Grid, Selector,
                                                    Host);
    }

    TLaptimeProject& P() { return *Project; }
};

// Sheets, positions, selector items, split-result lists and undo buffers line
// up, and the grid shows the current sheet.
inline void ExpectAligned(ProjectRig& R) {
    TLaptimeProject& p = R.P();
    const int n = p.SheetCount();
    EXPECT_EQ(static_cast<int>(p.Positions.size()), n);
    EXPECT_EQ(R.Selector.Count(), n);
    EXPECT_EQ(R.Grid.TimeFormatLists().Count(), n);
    EXPECT_EQ(R.Grid.UndoList().Count(), n);
    for (int i = 0; i < std::min(n, R.Selector.Count()); ++i)
        EXPECT_EQ(R.Selector.Item(i), p.Sheets[static_cast<std::size_t>(i)].Name.str())
            << "item " << i;
    if (n == 0) {
        EXPECT_EQ(p.CurrentIndex, -1);
        return;
    }
    ASSERT_GE(p.CurrentIndex, 0);
    ASSERT_LT(p.CurrentIndex, n);
    EXPECT_EQ(R.Grid.SheetIndex(), p.CurrentIndex);
    EXPECT_EQ(R.Selector.Selected, p.CurrentIndex);
    // Only the sheet on show holds a result per row.
    for (int i = 0; i < n; ++i)
        if (i == p.CurrentIndex)
            EXPECT_GE(R.Grid.TimeFormatLists().Items(i).Count(), R.Grid.RowCount());
        else
            EXPECT_EQ(R.Grid.TimeFormatLists().Items(i).Count(), 0) << "sheet " << i;
}
