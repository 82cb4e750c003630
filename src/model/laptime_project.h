// TLaptimeProject: the open document. An ordered list of sheets, each one
// entry holding the sheet's record, its saved grid position, its split
// results and its undo history; the index of the sheet on show and the
// title. It shows one sheet at a time in the grid and keeps the selector's
// items in step with its entries.
#pragma once

#include "grid/sheet_buffers.h"
#include "grid/time_format_list.h"
#include "grid/undo_buffer.h"
#include "model/laptime_sheet.h"
#include "model/ports.h"
#include "pattern/pattern_text.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TLapGrid;

// A generated sheet number would not fit a 32-bit signed integer.
class ESheetNumberError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

namespace project_text {
// "Segmark v<version> Eng - ", the version being the project's.
extern const char* const CaptionPrefix;
inline constexpr const char* NewProjectTitle = "My New Project";
inline constexpr const char* NewSheetPrefix = "New Sheet    ";
inline constexpr const char* NewSheetPattern = "m/^New Sheet    [\\d]+$/sk";
// シートがありません
inline constexpr const char* NoSheets =
    "\x83\x56\x81\x5B\x83\x67\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
} // namespace project_text

// The match expression that recognises the copies of a sheet named Name.
std::string CopyNamePattern(std::string_view Name);

// Everything one sheet of the project has.
struct TSheetEntry {
    TLaptimeSheet Sheet;
    TSheetPosition Position; // where the user was when another sheet was shown
    TTimeFormatList Formats; // a split result per row, only while on show
    std::unique_ptr<TUndoBufferList> Undo;
};

using TSheetEntries = std::vector<std::unique_ptr<TSheetEntry>>;

// One field of every entry as a list in sheet order, read and written in
// place: the project's Sheets and Positions.
template <class T, T TSheetEntry::*Field> class TEntryFieldList {
  public:
    template <class V> class Iterator {
      public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = V*;
        using reference = V&;

        Iterator() = default;
        Iterator(const TSheetEntries* E, std::size_t I) : FEntries(E), FIndex(I) {}
        reference operator*() const { return (*FEntries)[FIndex].get()->*Field; }
        pointer operator->() const { return &**this; }
        reference operator[](difference_type N) const { return *(*this + N); }
        Iterator& operator++() { return *this += 1; }
        Iterator operator++(int) { return std::exchange(*this, *this + 1); }
        Iterator& operator--() { return *this -= 1; }
        Iterator operator--(int) { return std::exchange(*this, *this - 1); }
        Iterator& operator+=(difference_type N) {
            FIndex = static_cast<std::size_t>(static_cast<difference_type>(FIndex) + N);
            return *this;
        }
        Iterator& operator-=(difference_type N) { return *this += -N; }
        friend Iterator operator+(Iterator A, difference_type N) { return A += N; }
        friend Iterator operator+(difference_type N, Iterator A) { return A += N; }
        friend Iterator operator-(Iterator A, difference_type N) { return A -= N; }
        friend difference_type operator-(const Iterator& A, const Iterator& B) {
            return static_cast<difference_type>(A.FIndex) - static_cast<difference_type>(B.FIndex);
        }
        friend bool operator==(const Iterator& A, const Iterator& B) { return A.FIndex == B.FIndex; }
        friend auto operator<=>(const Iterator& A, const Iterator& B) { return A.FIndex <=> B.FIndex; }

      private:
        const TSheetEntries* FEntries = nullptr;
        std::size_t FIndex = 0;
    };
    using iterator = Iterator<T>;
    using const_iterator = Iterator<const T>;
    using value_type = T;
    using size_type = std::size_t;

    explicit TEntryFieldList(const TSheetEntries& Entries) : FEntries(&Entries) {}
    TEntryFieldList(const TEntryFieldList&) = delete;
    TEntryFieldList& operator=(const TEntryFieldList&) = delete;

    std::size_t size() const { return FEntries->size(); }
    bool empty() const { return FEntries->empty(); }
    T& operator[](std::size_t I) { return (*FEntries)[I].get()->*Field; }
    const T& operator[](std::size_t I) const { return (*FEntries)[I].get()->*Field; }
    T& at(std::size_t I) { return FEntries->at(I).get()->*Field; }
    const T& at(std::size_t I) const { return FEntries->at(I).get()->*Field; }
    T& front() { return (*this)[0]; }
    const T& front() const { return (*this)[0]; }
    T& back() { return (*this)[size() - 1]; }
    const T& back() const { return (*this)[size() - 1]; }
    iterator begin() { return iterator(FEntries, 0); }
    iterator end() { return iterator(FEntries, size()); }
    const_iterator begin() const { return const_iterator(FEntries, 0); }
    const_iterator end() const { return const_iterator(FEntries, size()); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    // A copy of the fields, in sheet order.
    operator std::vector<T>() const { return std::vector<T>(begin(), end()); }

  private:
    const TSheetEntries* FEntries;
};

class TLaptimeProject {
    // Projects are made only through Create and CreateFromSheets.
    struct Key {
        explicit Key() = default;
    };

  public:
    // A project shown in Grid, listed in Selector. With an empty FileName or
    // one that does not exist: one new sheet titled "My New Project".
    // Otherwise the file is read and checked whole before anything is
    // changed; a damaged or unreadable file raises EFileError and leaves the
    // grid, the selector and whatever project the caller holds untouched.
    // On success the grid's per-sheet lists are reset before the sheets are
    // added, so the caller must not reset them beforehand.
    static std::unique_ptr<TLaptimeProject> Create(const std::string& FileName, TLapGrid& Grid,
                                                   SheetSelector& Selector, ProjectHost& Host);
    // A project of already read sheets (none: the no-sheets state), titled
    // after FileName.
    static std::unique_ptr<TLaptimeProject>
    CreateFromSheets(std::vector<TLaptimeSheet> Sheets, const std::string& FileName, TLapGrid& Grid,
                     SheetSelector& Selector, ProjectHost& Host);

    TLaptimeProject(Key, TLapGrid& Grid, SheetSelector& Selector, ProjectHost& Host);
    TLaptimeProject(const TLaptimeProject&) = delete;
    TLaptimeProject& operator=(const TLaptimeProject&) = delete;
    // Lets go of the grid if it still shows this project.
    ~TLaptimeProject();

    std::string Title;
    int CurrentIndex = -1;
    TEntryFieldList<TSheetPosition, &TSheetEntry::Position> Positions{FEntries};
    TEntryFieldList<TLaptimeSheet, &TSheetEntry::Sheet> Sheets{FEntries};

    int SheetCount() const { return static_cast<int>(FEntries.size()); }
    // The sheet on show; nullptr when there is none.
    TLaptimeSheet* CurrentSheet();
    const TLaptimeSheet* CurrentSheet() const;

    // Copies the grid's rows, column widths and the texts of columns 0..2
    // into the sheet on show.
    void StoreGridToSheet();
    // Only the grid's row count and column widths, as the settings dialog
    // shows them.
    void StoreGridShapeToSheet();
    // Settings, row count and texts.
    void ApplySheetToGrid(const TLaptimeSheet* Sheet);
    // The display settings alone: font, colours, lines, row height and each
    // column's visibility, width and alignment; rows and texts stay.
    void ApplySettingsToGrid(const TLaptimeSheet& Sheet);
    // Current cell to row 0 of column 0, or of column 1 when column 0 is
    // hidden; the view back at the top.
    void ResetCursor();
    // Every row of the sheet on show through the grid's assignment event, as
    // if each Now cell had just been written.
    void EvaluateRows();
    bool SelectSheet(int Index, bool StoreCurrent);
    // The operations that make a sheet compute its name first: a number
    // beyond the 32-bit range raises ESheetNumberError before anything
    // changed.
    void AddNewSheet();
    void CopyCurrentSheet();
    void DeleteSheet(int Index);
    void ShowNoSheets();
    std::int32_t NextSheetNumber(const std::string& Pattern, const std::string& Prefix,
                                 const std::string& Suffix);
    void MoveSheet(int From, int To);
    void RenameCurrentSheet(const std::string& Name);

    // A sheet made elsewhere, after the others and shown, as an import shows
    // the sheet it adds.
    void AddSheet(TLaptimeSheet Sheet);

    // Text import. False when nothing was added (no such file, no clipboard
    // text, or the many-rows question answered with Cancel); EFileError for
    // a text of more lines than a sheet may have rows.
    bool AddSheetFromFile(const std::string& FileName);
    // As above, with the sheet named SheetName (code-page bytes) instead of
    // the file name's bytes, for callers whose file names are in another
    // encoding than the code page.
    bool AddSheetFromFile(const std::string& FileName, const std::string& SheetName);
    bool AddSheetFromClipboard();
    void FillSheetFromLines(const TLaptimeSheet& Sheet, const std::vector<std::string>& Lines);

    // Writes the project (the shown sheet refreshed from the grid first);
    // the previous file survives any failure (EFileError).
    void SaveToFile(const std::string& FileName);
    // The project file image, the shown sheet refreshed from the grid first.
    std::string FileImage();
    // Titled after FileName, or "My New Project" when it is empty.
    void Retitle(const std::string& FileName);
    // The rows of the grid in the sheet text format; empty for no rows.
    std::string ExportText() const;
    // Writes ExportText to FileName; nothing happens when the grid has no rows.
    void ExportToFile(const std::string& FileName) const;

    TLapGrid& Grid() { return FGrid; }
    SheetSelector& Selector() { return FSelector; }

  private:
    void LoadSheets(std::vector<TLaptimeSheet> Sheets, const std::string& FileName);
    void SetCaptions();
    void SetGridEnabled(bool Enabled);
    // The grid without lists, then with this project's.
    void AttachToGrid();
    std::unique_ptr<TSheetEntry> NewEntry(TLaptimeSheet Sheet);
    // How the grid comes to show an appended sheet: loaded from its record,
    // or already holding its rows (evaluated afresh or as they stand).
    enum class TAppendedRows { Load, AsInGrid, AsInGridEvaluated };
    // The sheet becomes the last one and the one on show, the cursor at its start.
    void AppendAndShow(TLaptimeSheet Sheet, TAppendedRows Rows);
    void KeepResultsOfShownSheetOnly();
    std::vector<const TLaptimeSheet*> SheetRecords() const;
    TLaptimeSheet NewSheetFromDefaults() const;
    std::string NewSheetName();
    // Source names the text in messages ("a.txt" in quotes, or the clipboard).
    bool AddSheetFromText(TLaptimeSheet Sheet, std::string_view Text, const char* Question,
                          const std::string& Source);

    // The entries' lists as the grid reaches them.
    class TEntryBuffers final : public SheetBuffers {
      public:
        explicit TEntryBuffers(TSheetEntries& Entries) : FEntries(Entries) {}
        int SheetCount() const override { return static_cast<int>(FEntries.size()); }
        TTimeFormatList& SheetFormats(int I) override { return Entry(I).Formats; }
        TUndoBufferList& SheetUndo(int I) override { return *Entry(I).Undo; }

      private:
        TSheetEntry& Entry(int I) { return *FEntries.at(static_cast<std::size_t>(I)); }
        TSheetEntries& FEntries;
    };

    TLapGrid& FGrid;
    SheetSelector& FSelector;
    ProjectHost& FHost;
    TSheetEntries FEntries;
    TEntryBuffers FBuffers{FEntries};
};
