// Per-sheet undo and redo history of grid edits.
#pragma once

#include "grid/cell_store.h"
#include "grid/lap_types.h"
#include "grid/sheet_buffers.h"
#include "grid/time_format_list.h"

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using TStringList = std::vector<std::string>;

// Undo records hold the texts of grid columns 0 .. RecordedCols - 1 only.
constexpr int RecordedCols = 5;
using TRecordedTexts = std::array<TStringList, RecordedCols>;

// One record.
struct TUndoBuffer {
    TBufferType BufferType = btNone;
    TRecordedTexts OldTexts;
    TRecordedTexts NewTexts;
    TRect Area;
    TTimeFormatList TimeFormats;
};

// Newest record is item 0. Items 0 .. Position are undone (redo-able), the
// rest are done (undo-able).
class TUndoBufferList {
  public:
    // SettingIndex is the "Max. Undo/Redo" choice 0 .. 5; capacity (index + 1) * 5.
    // Store (may be nullptr: nothing to undo into) outlives the buffer.
    TUndoBufferList(TCellStore* AStore, int SettingIndex);
    // Frees every record, telling the store of each.
    ~TUndoBufferList();
    TUndoBufferList(const TUndoBufferList&) = delete;
    TUndoBufferList& operator=(const TUndoBufferList&) = delete;

    // Takes ownership and returns the record, now item 0. Undone records are
    // discarded first; a full buffer frees its oldest record and sets
    // Overflowed. The caller fills the record afterwards.
    TUndoBuffer* Push(std::unique_ptr<TUndoBuffer> Record);
    // Pushes a fresh record of the given kind and area.
    TUndoBuffer* Push(TBufferType Type, const TRect& Area);
    TBufferType UndoType() const;
    TBufferType RedoType() const;
    void Undo();
    void Redo();
    bool IsModified() const { return Changed || Overflowed; }
    // Takes the record out and frees it; the flags stay, so a dropped edit
    // still counts as a change. A record not in this buffer is ignored.
    void DropRecord(TUndoBuffer* Record);
    void Clear();

    TUndoBuffer& Items(int I) { return *Records.at(static_cast<std::size_t>(I)); }
    const TUndoBuffer& Items(int I) const { return *Records.at(static_cast<std::size_t>(I)); }
    int Count() const { return static_cast<int>(Records.size()); }

    int Position = -1;
    bool Changed = false;
    bool Overflowed = false;
    int MaxCount = 5;

  private:
    TCellStore* FStore = nullptr;
    void FreeRecord(std::size_t index);
    void UndoRecord(const TUndoBuffer& R);
    void RedoRecord(const TUndoBuffer& R);
    std::vector<std::unique_ptr<TUndoBuffer>> Records;
};

// The buffers of every sheet, in sheet order, as their owner keeps them;
// empty without one.
class TUndoList {
  public:
    TUndoList() = default;
    explicit TUndoList(SheetBuffers* Owner) : FOwner(Owner) {}
    // Bounds-checked; an index outside the list throws std::out_of_range.
    TUndoBufferList& Items(int I);
    const TUndoBufferList& Items(int I) const;
    int Count() const { return FOwner ? FOwner->SheetCount() : 0; }

  private:
    SheetBuffers* FOwner = nullptr;
};

// The sheets of a grid used on its own, with no project to keep them: the
// grid owns this holder while it shows those sheets.
class TOwnSheetBuffers final : public SheetBuffers {
  public:
    explicit TOwnSheetBuffers(TCellStore* Store) : FStore(Store) {}
    void Add(TTimeFormatList Formats, int UndoSetting) {
        FFormats.push_back(std::make_unique<TTimeFormatList>(std::move(Formats)));
        FUndo.push_back(std::make_unique<TUndoBufferList>(FStore, UndoSetting));
    }
    int SheetCount() const override { return static_cast<int>(FUndo.size()); }
    TTimeFormatList& SheetFormats(int I) override { return *FFormats.at(static_cast<std::size_t>(I)); }
    TUndoBufferList& SheetUndo(int I) override { return *FUndo.at(static_cast<std::size_t>(I)); }

  private:
    TCellStore* FStore;
    std::vector<std::unique_ptr<TTimeFormatList>> FFormats;
    std::vector<std::unique_ptr<TUndoBufferList>> FUndo;
};

