// Copy, cut and paste of cell blocks as tab-separated lines, and the Delete
// key's clearing of the selection.
#include "grid/clipboard.h"
#include "grid/lap_grid.h"
#include "text/lines.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

void Record(TStringList* lists, int col, const std::string& text) {
    if (lists && col >= 0 && col < RecordedCols) lists[col].push_back(text);
}

// A copy text of one empty line would only wipe the clipboard.
void PutOnClipboard(Clipboard* port, const std::string& text) {
    if (!port || text.empty() || text == "\r\n") return;
    port->SetText(text);
}

} // namespace

TRect TLapGrid::CellBlock(const TRect& R) const {
    return TRect{std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, ColCount() - 1),
                 std::min(R.Bottom, FRowCount - 1)};
}

std::string TLapGrid::SelectionText() const {
    const TRect b = CellBlock(FCell.Selection);
    if (b.Left > b.Right || b.Top > b.Bottom) return {};
    TStringList lines;
    lines.reserve(static_cast<std::size_t>(b.Bottom - b.Top + 1));
    for (int row = b.Top; row <= b.Bottom; ++row) {
        std::string line;
        for (int col = b.Left; col <= b.Right; ++col) {
            if (!Columns[col].Visible()) continue;
            if (col != b.Left) line += '\t';
            line += CellText(col, row);
        }
        lines.push_back(std::move(line));
    }
    return text::JoinLinesCRLF(lines);
}

void TLapGrid::CopyToClipboard() {
    EndEdit();
    CommitEdit();
    PutOnClipboard(FClipboardPort, SelectionText());
}

void TLapGrid::CutToClipboard() {
    EndEdit();
    CommitEdit();
    const TRect b = CellBlock(FCell.Selection);
    // Without a clipboard the cut texts would be lost.
    if (!FClipboardPort || b.Left > b.Right || b.Top > b.Bottom) return;
    TUndoBuffer* R = nullptr;
    if (TUndoBufferList* undo = CurrentUndo()) R = undo->Push(btCut, b);
    if (OnCellChange) OnCellChange(-1, -1, btCut);
    {
        TRepaintHold hold(FUpdating);
        TStringList lines;
        std::vector<std::pair<int, int>> cleared;
        for (int row = b.Top; row <= b.Bottom; ++row) {
            std::string line;
            for (int col = b.Left; col <= b.Right; ++col) {
                const TLapColumn& column = Columns[col];
                if (!column.Visible()) continue;
                const std::string old = CellText(col, row);
                Record(R ? R->OldTexts.data() : nullptr, col, old);
                if (col != b.Left) line += '\t';
                line += old;
                WriteCell(col, row, true, std::string());
                if (!column.ReadOnly) cleared.emplace_back(col, row);
            }
            lines.push_back(std::move(line));
        }
        PutOnClipboard(FClipboardPort, text::JoinLinesCRLF(lines));
        // Rows are re-evaluated only once every cell is read: an evaluation
        // rewrites the derived columns, whose texts the cut must carry as
        // they were.
        if (OnCellAssignment)
            for (auto [col, row] : cleared)
                OnCellAssignment(col, row);
    }
    InvalidateCells();
}

void TLapGrid::PasteFromClipboard() {
    if (!FClipboardPort || !FClipboardPort->HasText()) return;
    const std::string clip = FClipboardPort->GetText();
    if (clip.empty() || clip == "\r\n") return;
    const TStringList lines = text::SplitLines(clip);
    // A text that ends at a leading zero byte has no lines to repeat.
    if (lines.empty() || FCell.Col < 0 || FCell.Row < 0) return;
    EndEdit();
    const TRect b = CellBlock(FCell.Selection);
    {
        TRepaintHold hold(FUpdating);
        std::size_t W = 1;
        for (const auto& line : lines)
            W = std::max(W,
                         static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1);

        if (FCell.Selection.IsSingle()) {
            const TLapColumn& column = Columns[FCell.Col];
            if (column.Visible() && !column.ReadOnly) {
                const std::string field = text::SplitFields(lines.front()).front();
                if (TUndoBufferList* undo = CurrentUndo()) {
                    TUndoBuffer* R =
                        undo->Push(btPaste, TRect{FCell.Col, FCell.Row, FCell.Col, FCell.Row});
                    Record(R->OldTexts.data(), FCell.Col, CellText(FCell.Col, FCell.Row));
                    Record(R->NewTexts.data(), FCell.Col, field);
                }
                WriteCell(FCell.Col, FCell.Row, true, field);
                if (OnCellAssignment) OnCellAssignment(FCell.Col, FCell.Row);
            }
        } else if (b.Left <= b.Right && b.Top <= b.Bottom) {
            TUndoBuffer* R = nullptr;
            if (TUndoBufferList* undo = CurrentUndo())
                R = undo->Push(btPaste, TRect{b.Left, b.Top, std::min(b.Right, FColumnPolicy.Last(cfUndoRecorded)), b.Bottom});
            for (int row = b.Top; row <= b.Bottom; ++row) {
                TStringList fields =
                    text::SplitFields(lines[static_cast<std::size_t>(row - b.Top) % lines.size()]);
                fields.resize(W);
                std::size_t k = 0;
                for (int col = b.Left; col <= b.Right; ++col) {
                    const TLapColumn& column = Columns[col];
                    if (!column.Visible()) continue;
                    if (!column.ReadOnly) {
                        Record(R ? R->OldTexts.data() : nullptr, col, CellText(col, row));
                        Record(R ? R->NewTexts.data() : nullptr, col, fields[k]);
                        WriteCell(col, row, true, fields[k]);
                        if (OnCellAssignment) OnCellAssignment(col, row);
                    }
                    if (++k == fields.size()) k = 0;
                }
            }
        }
        if (OnCellChange) OnCellChange(-1, -1, btPaste);
    }
    InvalidateCells();
}

void TLapGrid::DeleteSelection() {
    if (FReadOnly || !FTyping.TypedText().empty()) return;
    CommitEdit();
    EndEdit();
    const TRect b = CellBlock(FCell.Selection);
    if (b.Left > b.Right || b.Top > b.Bottom) return;
    TUndoBuffer* R = nullptr;
    if (TUndoBufferList* undo = CurrentUndo()) R = undo->Push(btDelete, b);
    if (OnCellChange) OnCellChange(-1, -1, btDelete);
    {
        TRepaintHold hold(FUpdating);
        for (int col = b.Left; col <= b.Right; ++col)
            for (int row = b.Top; row <= b.Bottom; ++row) {
                Record(R ? R->OldTexts.data() : nullptr, col, CellText(col, row));
                WriteCell(col, row, true, std::string());
                if (OnCellAssignment) OnCellAssignment(col, row);
            }
    }
    InvalidateCells();
}
