// Adding, inserting and deleting rows of the shown sheet, the FAutoAddRow
// growth and shrink of the arrow keys, and auto-fill on Enter.
#include "grid/lap_grid.h"
#include "text/sjis.h"

#include <algorithm>

namespace {

std::size_t Size(int n) {
    return static_cast<std::size_t>(n);
}

// Sets entries First .. First + Count - 1 to tfNone, appending where the
// list ends; the list may run past RowCount after rows were removed without
// recording, and a new row must not inherit a stale result.
void ResetEntries(TTimeFormatList& f, int First, int Count) {
    for (int i = First; i < First + Count; ++i) {
        if (i < f.Count())
            f.Entries[Size(i)] = tfNone;
        else
            f.Add(tfNone);
    }
}

} // namespace

TRect TLapGrid::RowRecordArea(int First, int Last) const {
    return TRect{FColumnPolicy.First(cfRowRecord), First, FColumnPolicy.Last(cfRowRecord), Last};
}

TTimeFormatList* TLapGrid::FormatsFor(int Rows) {
    TTimeFormatList* f = CurrentFormats();
    if (f && f->Count() < Rows) f->AddDefaults(Rows - f->Count());
    return f;
}

int TLapGrid::AddRow(bool Record) {
    if (Record) {
        CommitEdit();
        if (TUndoBufferList* undo = CurrentUndo()) {
            TUndoBuffer* R = undo->Push(btAddLine, RowRecordArea(FRowCount + 1, FRowCount + 1));
            if (const TTimeFormatList* f = CurrentFormats()) R->TimeFormats = *f;
        }
        if (OnCellChange) OnCellChange(-1, -1, btAddLine);
    }
    EndEdit();
    if (TTimeFormatList* f = FormatsFor(FRowCount)) ResetEntries(*f, FRowCount, 1);
    for (int c = 0; c < ColCount(); ++c) {
        TStringList& list = Columns[c].Strings();
        if (list.size() < Size(FRowCount) + 1) list.resize(Size(FRowCount) + 1);
        list[Size(FRowCount)].clear();
    }
    SetRowCount(FRowCount + 1);
    return FRowCount - 1;
}

void TLapGrid::InsertRows(int First, int Last, bool Record) {
    if (Record) {
        CommitEdit();
        // The whole column lists are not copied into the record: undo and
        // redo rebuild the rows from the area alone, and the copies would
        // cost time and memory in proportion to the sheet, not the rows.
        if (TUndoBufferList* undo = CurrentUndo()) {
            TUndoBuffer* R = undo->Push(btInsLine, RowRecordArea(First, Last));
            if (const TTimeFormatList* f = CurrentFormats()) R->TimeFormats = *f;
        }
        if (OnCellChange) OnCellChange(-1, -1, btInsLine);
    }
    // Negative rows insert nothing; the rest go in as one block.
    const int first = std::max(First, 0);
    const int count = Last - first + 1;
    if (count <= 0) return;
    EndEdit();
    int N = FRowCount;
    if (first < N) {
        if (TTimeFormatList* f = FormatsFor(N))
            f->Entries.insert(f->Entries.begin() + first, Size(count), tfNone);
        for (int c = 0; c < ColCount(); ++c) {
            TStringList& list = Columns[c].Strings();
            if (list.size() < Size(first)) list.resize(Size(first));
            list.insert(list.begin() + first, Size(count), std::string());
        }
    } else {
        // Rows past the end land at the end.
        if (TTimeFormatList* f = FormatsFor(N)) ResetEntries(*f, N, count);
        for (int c = 0; c < ColCount(); ++c) {
            TStringList& list = Columns[c].Strings();
            if (list.size() < Size(N + count)) list.resize(Size(N + count));
            for (int r = N; r < N + count; ++r)
                list[Size(r)].clear();
        }
    }
    N += count;
    SetRowCount(N);
}

void TLapGrid::RemoveRowsAt(int First, int Count) {
    EndEdit();
    if (First < 0 || First >= FRowCount) return;
    // Rows below move up by Count; the lists keep their length and their
    // last items become empty.
    for (int c = 0; c < ColCount(); ++c) {
        TStringList& list = Columns[c].Strings();
        const std::size_t S = list.size();
        if (S <= Size(First)) continue;
        const std::size_t from = std::min(S, Size(First) + Size(Count));
        std::move(list.begin() + static_cast<std::ptrdiff_t>(from), list.end(),
                  list.begin() + First);
        const std::size_t keep = Size(First) + (S - from);
        for (std::size_t i = keep; i < S; ++i)
            list[i].clear();
    }
}

void TLapGrid::DeleteRows(int First, int Last, bool Record) {
    if (Last < First) return;
    const int n = Last - First + 1;
    if (Record) {
        CommitEdit();
        // Checked before the record is pushed, so a bad range leaves no
        // half-filled record behind.
        if (First < 0 || Last > FRowCount - 1 || ColCount() == 0) throw ECellIndexError();
        if (TUndoBufferList* undo = CurrentUndo()) {
            TUndoBuffer* R = undo->Push(btDelLine, RowRecordArea(First, Last));
            const int cols = std::min(R->Area.Right + 1, ColCount());
            for (int row = First; row <= Last; ++row)
                for (int col = std::max(R->Area.Left, 0); col < cols; ++col) {
                    if (!FColumnPolicy.Has(col, cfRowRecord)) continue;
                    R->OldTexts[Size(col)].push_back(CellText(col, row));
                    R->NewTexts[Size(col)].emplace_back();
                }
            if (const TTimeFormatList* f = CurrentFormats()) R->TimeFormats = *f;
        }
        if (OnCellChange) OnCellChange(-1, -1, btDelLine);
    }
    RemoveRowsAt(First, n);
    if (Record) {
        if (TTimeFormatList* f = CurrentFormats()) {
            const int from = std::clamp(First, 0, f->Count());
            const int to = std::clamp(First + n, from, f->Count());
            f->Entries.erase(f->Entries.begin() + from, f->Entries.begin() + to);
        }
    }
    SetRow(std::min(FCell.Row, FRowCount - n - 1));
    SetRowCount(FRowCount - n);
}

bool TLapGrid::AutoGrowRow() {
    if (!FAutoAddRow || FReadOnly || FRowCount == 0 || FCell.Row != FRowCount - 1) return false;
    SetRow(FCell.Row + 1);
    SetRowCount(FRowCount + 1);
    // The texts stay as the lists hold them, but the new row needs a split
    // result for the evaluation to write.
    FormatsFor(FRowCount);
    if (OnInsertRow) OnInsertRow(FCell.Row);
    return true;
}

bool TLapGrid::AutoShrinkRow() {
    if (!FAutoAddRow || FReadOnly || FRowCount == 0 || FCell.Row != FRowCount - 1 || FCell.Row == 0)
        return false;
    for (int c = 0; c < ColCount(); ++c)
        if (!CellText(c, FCell.Row).empty()) return false;
    SetRowCount(FRowCount - 1);
    SetRow(FRowCount - 1);
    if (OnDeleteRow) OnDeleteRow(FRowCount);
    return true;
}

bool TLapGrid::AutoFill(const std::string& t) {
    if (t.empty() || FCell.Col < 0 || FCell.Row < 0) return false;
    const std::string value = text::DropLastChar(t);
    const std::string last = t.substr(value.size());
    const bool down = FAutoFillDown && last == "*";
    const bool right = !down && FAutoFillRight && last == ">";
    if (!down && !right) return false;

    FTyping.ClearText();
    EndEdit();
    const bool single = FCell.Selection.IsSingle();
    TRect area{FCell.Col, FCell.Row, FCell.Col, FCell.Row};
    if (down)
        area.Bottom = std::max(FCell.Row, single ? FRowCount - 1
                                                 : std::min(FCell.Selection.Bottom, FRowCount - 1));
    else
        area.Right = std::max(FCell.Col, single ? ColCount() - 1
                                                : std::min(FCell.Selection.Right, ColCount() - 1));

    // The typed edit of the current cell and its fill are one step for undo:
    // the fill record takes the text from before the typing.
    std::string before = CellText(FCell.Col, FCell.Row);
    const TUndoBuffer* open = FTyping.PendingEdit();
    if (open && open->Area.Left == FCell.Col && open->Area.Top == FCell.Row) {
        const TStringList& old = open->OldTexts[Size(FCell.Col)];
        if (!old.empty()) before = old.front();
        DropRecord(FTyping.Take());
    }

    TUndoBuffer* R = nullptr;
    if (TUndoBufferList* undo = CurrentUndo()) R = undo->Push(btAutoFill, area);
    {
        TRepaintHold hold(FUpdating);
        for (int row = area.Top; row <= area.Bottom; ++row)
            for (int col = area.Left; col <= area.Right; ++col) {
                if (R && col < RecordedCols) {
                    const bool current = col == FCell.Col && row == FCell.Row;
                    R->OldTexts[Size(col)].push_back(current ? before : CellText(col, row));
                    R->NewTexts[Size(col)].push_back(value);
                }
                SetCells(col, row, value);
                if (OnCellAssignment) OnCellAssignment(col, row);
            }
        if (OnCellChange) OnCellChange(-1, -1, btAutoFill);
    }
    InvalidateCells();
    return true;
}
