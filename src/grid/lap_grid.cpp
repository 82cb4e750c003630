#include "grid/lap_grid.h"

#include <algorithm>

// ---- TLapColumn ----

TLapColumn::TLapColumn(TLapGrid* AGrid, int AIndex)
    : FGrid(AGrid), FIndex(AIndex), FWidth(AGrid->DefColWidth()), FFont(AGrid->Font()),
      FColor(AGrid->Color()) {}

void TLapColumn::Changed(bool AllItems) {
    if (FGrid) FGrid->Columns.Update(AllItems ? nullptr : this);
}

void TLapColumn::Assign(const TLapColumn& Source) {
    if (&Source == this) return;
    // Through the setters: a new title, width or visibility must rebuild the
    // header layout, not only repaint this column.
    SetTitle(Source.FTitle);
    SetFooter(Source.FFooter);
    SetWidth(Source.FWidth);
    SetFont(Source.FFont);
    SetColor(Source.FColor);
    SetHorzAlign(Source.FHorzAlign);
    SetVertAlign(Source.FVertAlign);
    SetVisible(Source.FVisible);
    Tag = Source.Tag;
    Tag2 = Source.Tag2;
    Hint = Source.Hint;
    CanResize = Source.CanResize;
    ReadOnly = Source.ReadOnly;
    FStrings = Source.FStrings;
    Changed(false);
}

std::string TLapColumn::DisplayName() const {
    return FTitle.empty() ? "Column " + std::to_string(FIndex) : FTitle;
}

void TLapColumn::SetTitle(const std::string& v) {
    if (v == FTitle) return;
    FTitle = v;
    Changed(true);
}

void TLapColumn::SetFooter(const std::string& v) {
    if (v == FFooter) return;
    FFooter = v;
    Changed(false);
}

void TLapColumn::SetWidth(int v) {
    v = std::clamp(v, 0, grid_limits::MaxColWidth);
    if (v == FWidth) return;
    FWidth = v;
    Changed(true);
}

void TLapColumn::SetFont(const TFont& v) {
    FFont = v;
    Changed(false);
}

void TLapColumn::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    Changed(false);
}

void TLapColumn::SetHorzAlign(THorzAlign v) {
    if (v == FHorzAlign) return;
    FHorzAlign = v;
    Changed(false);
}

void TLapColumn::SetVertAlign(TVertAlign v) {
    if (v == FVertAlign) return;
    FVertAlign = v;
    Changed(false);
}

void TLapColumn::SetVisible(bool v) {
    if (v == FVisible) return;
    if (FGrid) FGrid->FKeepWidthCol = FIndex;
    FVisible = v;
    Changed(true);
}

void TLapColumn::SetStrings(const TStringList& v) {
    FStrings = v;
    Changed(false);
}

// ---- TLapColumns ----

TLapColumn& TLapColumns::Add() {
    FItems.push_back(std::make_unique<TLapColumn>(FGrid, Count()));
    Update(nullptr);
    return *FItems.back();
}

void TLapColumns::RemoveLast() {
    if (FItems.empty()) return;
    FItems.pop_back();
    Update(nullptr);
}

void TLapColumns::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Update(nullptr);
}

void TLapColumns::Update(TLapColumn* Item) {
    if (FUpdateCount > 0 || !FGrid) return;
    FGrid->ColumnsChanged(Item);
}

// ---- TLapGrid ----

TLapGrid::TLapGrid() = default;
TLapGrid::~TLapGrid() = default;

void TLapGrid::SetFont(const TFont& f) {
    FFont = f;
    for (int i = 0; i < ColCount(); ++i)
        Columns[i].SetFont(f);
}

void TLapGrid::ColumnsChanged(TLapColumn* Item) {
    if (Item) {
        InvalidateColumn(Item->Index());
    } else {
        BuildHeaderInfo();
        InvalidateAll();
    }
}

void TLapGrid::CheckIndex(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol > ColCount() - 1 || ARow > FRowCount - 1)
        throw ECellIndexError();
}

std::string TLapGrid::Cells(int ACol, int ARow) const {
    CheckIndex(ACol, ARow);
    return CellText(ACol, ARow);
}

const std::string& TLapGrid::CellText(int ACol, int ARow) const {
    static const std::string empty;
    const TStringList& list = Columns[ACol].Strings();
    if (ARow < 0 || static_cast<std::size_t>(ARow) >= list.size()) return empty;
    return list[static_cast<std::size_t>(ARow)];
}

void TLapGrid::WriteCell(int ACol, int ARow, bool ByUser, const std::string& Value) {
    if (ColCount() == 0 || FRowCount == 0) return;
    // A negative column cannot name a column to test for read-only.
    if (ByUser && ACol >= 0 && ACol < ColCount() && Columns[ACol].ReadOnly) return;
    CheckIndex(ACol, ARow);
    TStringList& list = Columns[ACol].Strings();
    if (list.size() < static_cast<std::size_t>(ARow) + 1)
        list.resize(static_cast<std::size_t>(ARow) + 1);
    std::string& item = list[static_cast<std::size_t>(ARow)];
    if (item == Value) return;
    if (ByUser) {
        bool CanChange = true;
        if (OnCellChanging) OnCellChanging(ACol, ARow, CanChange);
        if (!CanChange) return;
        // The handler may have changed the lists; look the item up again.
        TStringList& again = Columns[ACol].Strings();
        if (again.size() < static_cast<std::size_t>(ARow) + 1)
            again.resize(static_cast<std::size_t>(ARow) + 1);
        again[static_cast<std::size_t>(ARow)] = Value;
    } else {
        item = Value;
    }
    if (!FUpdating) RedrawCell(ACol, ARow);
}

void TLapGrid::ClearCells() {
    for (int i = 0; i < ColCount(); ++i)
        Columns[i].Strings().clear();
    InvalidateCellArea();
}

void TLapGrid::ClampCurrentCell() {
    if (FRowCount == 0 || ColCount() == 0) {
        FCell.Col = -1;
        FCell.Row = -1;
    } else {
        FCell.Col = std::clamp(FCell.Col, 0, ColCount() - 1);
        FCell.Row = std::clamp(FCell.Row, 0, FRowCount - 1);
    }
    FCell.Selection = TRect{FCell.Col, FCell.Row, FCell.Col, FCell.Row};
}

void TLapGrid::SetColCount(int N) {
    if (N < 0) N = 0;
    if (N == ColCount()) return;
    Columns.BeginUpdate();
    while (ColCount() > N)
        Columns.RemoveLast();
    while (ColCount() < N)
        Columns.Add();
    FLayout.ResetScroll();
    ClampCurrentCell();
    Columns.EndUpdate();
    if (OnColRowChanged) OnColRowChanged(FCell.Col, FCell.Row);
}

void TLapGrid::SetRowCount(int N) {
    if (N < 0) N = 0;
    if (N == FRowCount) return;
    FRowCount = N;
    ClampCurrentCell();
    RecalcLayout();
    InvalidateAll();
    if (OnColRowChanged) OnColRowChanged(FCell.Col, FCell.Row);
}

void TLapGrid::SetCol(int N) {
    if (N != FCell.Col) MoveCurrentCell(TCellMove::To(N, FCell.Row, TCellMove::scNone));
}

void TLapGrid::SetRow(int N) {
    if (N != FCell.Row) MoveCurrentCell(TCellMove::To(FCell.Col, N, TCellMove::scNone));
}

TLapGrid::TCellMove TLapGrid::TCellMove::To(int ACol, int ARow, TScroll AScroll) {
    TCellMove m;
    m.Col = m.FarCol = ACol;
    m.Row = m.FarRow = ARow;
    m.Selection = TRect{ACol, ARow, ACol, ARow};
    m.Scroll = AScroll;
    return m;
}

void TLapGrid::MoveCurrentCell(const TCellMove& M) {
    EndEdit();
    FTyping.ClearText();
    FCell.Col = M.Col;
    FCell.Row = M.Row;
    FCell.FarCol = M.FarCol;
    FCell.FarRow = M.FarRow;
    if (M.Scroll != TCellMove::scNone) {
        // The scroll paints nothing until the selection has moved as well.
        TRepaintHold hold(FUpdating);
        EnsureVisible(M.Col, M.Row, M.Scroll == TCellMove::scTight ? 0 : -1);
    }
    SetSelection(M.Selection, M.ForceRepaint);
    // A move that does not scroll may have come from anywhere: the whole
    // cell area is repainted.
    if (M.Scroll == TCellMove::scNone) InvalidateCellArea();
    if (OnColRowChanged) OnColRowChanged(FCell.Col, FCell.Row);
}

void TLapGrid::SetSelection(const TRect& R, bool ForceRepaint) {
    if (R == FCell.Selection && !ForceRepaint) return;
    EndEdit();
    TRect old = FCell.Selection;
    FCell.Selection = R;
    TRect both{std::min(old.Left, R.Left), std::min(old.Top, R.Top), std::max(old.Right, R.Right),
               std::max(old.Bottom, R.Bottom)};
    InvalidateCells(both, 3);
}

void TLapGrid::BeginUpdate() {
    if (FUpdateDepth++ == 0) FUpdatingBefore = FUpdating;
    FUpdating = true;
    EndEdit();
}

void TLapGrid::EndUpdate() {
    if (FUpdateDepth > 0 && --FUpdateDepth > 0) return;
    // A batch inside a block operation that set FUpdating itself (paste, cut)
    // leaves the repaint to that operation.
    FUpdating = FUpdatingBefore;
    FUpdatingBefore = false;
    if (FUpdating) return;
    BuildHeaderInfo();
    InvalidateAll();
}

int TLapGrid::FirstVisibleCol() const {
    return visible_cols::First(ColCount(), [this](int i) { return Columns[i].Visible(); });
}

int TLapGrid::LastVisibleCol() const {
    return visible_cols::Last(ColCount(), [this](int i) { return Columns[i].Visible(); });
}

int TLapGrid::NextVisibleCol(int I) const {
    return visible_cols::Next(
        ColCount(), [this](int i) { return Columns[i].Visible(); }, I);
}

int TLapGrid::PrevVisibleCol(int I) const {
    return visible_cols::Prev(
        ColCount(), [this](int i) { return Columns[i].Visible(); }, I);
}

void TLapGrid::SetSheetBuffers(SheetBuffers* Owner) {
    FSheets = Owner;
    FTimeFormatLists = TTimeFormatLists(Owner);
    FUndoList = TUndoList(Owner);
}

void TLapGrid::ResetSheetBuffers() {
    FTyping.Take();
    SetSheetBuffers(nullptr);
    FOwnSheets.reset();
    FSheetIndex = 0;
}

void TLapGrid::AddSheetBuffers(TTimeFormatList Formats, int UndoSetting) {
    if (!FOwnSheets || FSheets != FOwnSheets.get()) {
        FTyping.Take();
        FOwnSheets = std::make_unique<TOwnSheetBuffers>(this);
        SetSheetBuffers(FOwnSheets.get());
    }
    FOwnSheets->Add(std::move(Formats), UndoSetting);
}

void TLapGrid::ClearUndoBuffers() {
    for (int i = 0; i < FUndoList.Count(); ++i)
        FUndoList.Items(i).Clear();
}

bool TLapGrid::IsAnyModified() const {
    for (int i = 0; i < FUndoList.Count(); ++i)
        if (FUndoList.Items(i).IsModified()) return true;
    return false;
}

TTimeFormatList* TLapGrid::CurrentFormats() {
    if (!FSheets || FSheetIndex < 0 || FSheetIndex >= FSheets->SheetCount()) return nullptr;
    return &FSheets->SheetFormats(FSheetIndex);
}

TUndoBufferList* TLapGrid::CurrentUndo() {
    if (!FSheets || FSheetIndex < 0 || FSheetIndex >= FSheets->SheetCount()) return nullptr;
    return &FSheets->SheetUndo(FSheetIndex);
}
