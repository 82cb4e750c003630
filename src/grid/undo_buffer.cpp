#include "grid/undo_buffer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

// The text a record holds for (col, row), or nullptr when it holds none
// (a column it skipped, a kind that keeps no texts there).
const std::string* RecordedText(const TUndoBuffer& R, const TRecordedTexts& Texts, int col,
                                int row) {
    if (col < 0 || col >= RecordedCols || row < R.Area.Top) return nullptr;
    const TStringList& list = Texts[static_cast<std::size_t>(col)];
    auto i = static_cast<std::size_t>(row - R.Area.Top);
    return i < list.size() ? &list[i] : nullptr;
}

// Puts the recorded text back and notifies the cell. A cell the record holds
// no text for, or one no longer inside the grid, is left alone: a throw here
// would leave the grid stuck in its update state.
void PutBack(TCellStore& g, const TUndoBuffer& R, const TRecordedTexts& Texts, int col, int row) {
    const std::string* text = RecordedText(R, Texts, col, row);
    if (text) g.PutCell(col, row, text);
}

// Cells of the area, of every column or only of those undo restores.
template <class F> void ForEachCell(const TRect& A, F f) {
    for (int row = A.Top; row <= A.Bottom; ++row)
        for (int col = A.Left; col <= A.Right; ++col)
            f(col, row);
}

template <class F> void ForEachRecordedCell(TCellStore& g, const TRect& A, F f) {
    // The policy is asked once per record, not once per cell; a record holds
    // no texts beyond its RecordedCols columns.
    const TColumnPolicy& columns = g.StoreColumns();
    std::array<int, RecordedCols> cols{};
    std::size_t n = 0;
    for (int col = std::max(A.Left, 0); col <= A.Right && col < RecordedCols; ++col)
        if (columns.Has(col, cfUndoRecorded)) cols[n++] = col;
    for (int row = A.Top; row <= A.Bottom; ++row)
        for (std::size_t i = 0; i < n; ++i)
            f(cols[i], row);
}

void RestoreFormats(TCellStore& g, const TUndoBuffer& R) {
    if (TTimeFormatList* f = g.StoreFormats()) f->AssignFormats(R.TimeFormats);
}

} // namespace

TUndoBufferList::TUndoBufferList(TCellStore* AStore, int SettingIndex)
    : MaxCount((std::clamp(SettingIndex, 0, 5) + 1) * 5), FStore(AStore) {}

TUndoBufferList::~TUndoBufferList() {
    Clear();
}

void TUndoBufferList::FreeRecord(std::size_t index) {
    if (FStore) FStore->RecordFreed(Records[index].get());
    Records.erase(Records.begin() + static_cast<std::ptrdiff_t>(index));
}

TUndoBuffer* TUndoBufferList::Push(std::unique_ptr<TUndoBuffer> Record) {
    if (!Record) return nullptr;
    while (Position > -1 && !Records.empty()) {
        FreeRecord(0);
        --Position;
    }
    Position = -1;
    Records.insert(Records.begin(), std::move(Record));
    TUndoBuffer* pushed = Records.front().get();
    while (Count() > MaxCount) {
        Overflowed = true;
        FreeRecord(Records.size() - 1);
    }
    Changed = true;
    return pushed;
}

TUndoBuffer* TUndoBufferList::Push(TBufferType Type, const TRect& Area) {
    auto record = std::make_unique<TUndoBuffer>();
    record->BufferType = Type;
    record->Area = Area;
    return Push(std::move(record));
}

TBufferType TUndoBufferList::UndoType() const {
    if (Count() < 1 || Position < -1 || Position >= Count() - 1) return btNone;
    return Records[static_cast<std::size_t>(Position + 1)]->BufferType;
}

TBufferType TUndoBufferList::RedoType() const {
    if (Count() < 1 || Position < 0 || Position >= Count()) return btNone;
    return Records[static_cast<std::size_t>(Position)]->BufferType;
}

void TUndoBufferList::DropRecord(TUndoBuffer* Record) {
    auto it = std::find_if(Records.begin(), Records.end(),
                           [Record](const auto& r) { return r.get() == Record; });
    if (it == Records.end()) return;
    auto index = static_cast<int>(it - Records.begin());
    // Keep the same records undone when one of them goes.
    if (index <= Position) --Position;
    FreeRecord(static_cast<std::size_t>(index));
}

void TUndoBufferList::Clear() {
    while (!Records.empty())
        FreeRecord(Records.size() - 1);
    Position = -1;
    Changed = false;
    Overflowed = false;
}

void TUndoBufferList::Undo() {
    if (FStore) FStore->SettleEdit();
    if (UndoType() == btNone || !FStore) return;
    ++Position;
    const TUndoBuffer& R = *Records[static_cast<std::size_t>(Position)];
    {
        TUpdateBatch batch(*FStore);
        UndoRecord(R);
    }
    Changed = Count() - 1 > Position;
}

void TUndoBufferList::UndoRecord(const TUndoBuffer& R) {
    TCellStore& g = *FStore;
    const TRect& A = R.Area;
    switch (R.BufferType) {
    case btEdit:
        PutBack(g, R, R.OldTexts, A.Left, A.Top);
        break;
    case btCut:
    case btPaste:
    case btDelete:
    case btAutoFill:
    case btCopyThisTime:
    case btDeleteThisTime:
        ForEachRecordedCell(g, A, [&](int col, int row) { PutBack(g, R, R.OldTexts, col, row); });
        break;
    case btAddLine:
        g.DeleteStoreRows(A.Top, A.Bottom);
        RestoreFormats(g, R);
        break;
    case btInsLine:
        g.DeleteStoreRows(A.Top, A.Bottom);
        RestoreFormats(g, R);
        ForEachCell(A, [&](int col, int row) { g.PutCell(col, row, nullptr); });
        break;
    case btDelLine:
        g.InsertStoreRows(A.Top, A.Bottom);
        RestoreFormats(g, R);
        ForEachCell(A, [&](int col, int row) { PutBack(g, R, R.OldTexts, col, row); });
        break;
    case btNone:
        break;
    }
}

void TUndoBufferList::Redo() {
    if (RedoType() == btNone || !FStore) return;
    FStore->SettleEdit();
    // The commit may have dropped a record; look the position up again.
    if (RedoType() == btNone) return;
    const TUndoBuffer& R = *Records[static_cast<std::size_t>(Position)];
    {
        TUpdateBatch batch(*FStore);
        RedoRecord(R);
        --Position;
    }
    Changed = true;
}

void TUndoBufferList::RedoRecord(const TUndoBuffer& R) {
    TCellStore& g = *FStore;
    const TRect& A = R.Area;
    switch (R.BufferType) {
    case btEdit:
        PutBack(g, R, R.NewTexts, A.Left, A.Top);
        break;
    case btPaste:
    case btAutoFill:
    case btCopyThisTime:
    case btDeleteThisTime:
        ForEachRecordedCell(g, A, [&](int col, int row) { PutBack(g, R, R.NewTexts, col, row); });
        break;
    case btCut:
    case btDelete:
        // Only the cells the operation emptied are emptied again (a cut
        // skips hidden columns); a Backspace edit gets its shortened text.
        {
            const std::string empty;
            const TColumnPolicy& columns = g.StoreColumns();
            ForEachCell(A, [&](int col, int row) {
                const std::string* text = nullptr;
                if (columns.Has(col, cfUndoRecorded) && RecordedText(R, R.OldTexts, col, row)) {
                    text = RecordedText(R, R.NewTexts, col, row);
                    if (!text) text = &empty;
                }
                g.PutCell(col, row, text);
            });
            break;
        }
    case btAddLine:
        g.AddStoreRow();
        break;
    case btInsLine:
        RestoreFormats(g, R);
        g.InsertStoreRows(A.Top, A.Bottom);
        break;
    case btDelLine:
        g.DeleteStoreRows(A.Top, A.Bottom);
        if (TTimeFormatList* f = g.StoreFormats()) {
            f->AssignFormats(R.TimeFormats);
            int first = std::clamp(A.Top, 0, f->Count());
            int last = std::clamp(A.Bottom + 1, first, f->Count());
            f->Entries.erase(f->Entries.begin() + first, f->Entries.begin() + last);
        }
        break;
    case btNone:
        break;
    }
}

TUndoBufferList& TUndoList::Items(int I) {
    if (I < 0 || I >= Count()) throw std::out_of_range("List index out of bounds");
    return FOwner->SheetUndo(I);
}

const TUndoBufferList& TUndoList::Items(int I) const {
    if (I < 0 || I >= Count()) throw std::out_of_range("List index out of bounds");
    return FOwner->SheetUndo(I);
}

