// TLapGrid: the lap grid engine, free of any toolkit. It holds the cell texts
// per column, the current cell and selection, the per-sheet split-result
// lists and undo buffers, and (in the sections below) geometry, painting,
// keyboard, mouse and the in-place editor state. The desktop is reached only
// through the GridHost and Canvas ports; with no host the grid still works.
#pragma once

#include "grid/canvas.h"
#include "grid/cell_cursor.h"
#include "grid/column_policy.h"
#include "grid/grid_host.h"
#include "grid/grid_layout.h"
#include "grid/grid_keyboard.h"
#include "grid/grid_look.h"
#include "grid/grid_mouse.h"
#include "grid/keys.h"
#include "grid/lap_types.h"
#include "grid/time_format_list.h"
#include "grid/typing_state.h"
#include "grid/undo_buffer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TLapGrid;
class Clipboard;

using TStringList = std::vector<std::string>;

class TLapColumn {
  public:
    TLapColumn(TLapGrid* AGrid, int AIndex);

    // Copies every property and the texts of Source, then reports a change
    // of this column only.
    void Assign(const TLapColumn& Source);
    // Title, or "Column N" when the title is empty.
    std::string DisplayName() const;
    int Index() const { return FIndex; }

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v);
    const std::string& Footer() const { return FFooter; }
    void SetFooter(const std::string& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    THorzAlign HorzAlign() const { return FHorzAlign; }
    void SetHorzAlign(THorzAlign v);
    TVertAlign VertAlign() const { return FVertAlign; }
    void SetVertAlign(TVertAlign v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // Direct access to the texts; changes through it are not reported.
    TStringList& Strings() { return FStrings; }
    const TStringList& Strings() const { return FStrings; }
    void SetStrings(const TStringList& v);

    std::int32_t Tag = 0;
    std::int32_t Tag2 = 0;
    bool CanResize = true;
    std::string Hint;
    bool ReadOnly = false;

  private:
    friend class TLapColumns;
    void Changed(bool AllItems);

    TLapGrid* FGrid;
    int FIndex;
    std::string FTitle;
    std::string FFooter;
    int FWidth;
    TFont FFont;
    TColor FColor;
    THorzAlign FHorzAlign = haLeft;
    TVertAlign FVertAlign = vaCenter;
    bool FVisible = true;
    TStringList FStrings;
};

class TLapColumns {
  public:
    explicit TLapColumns(TLapGrid* AGrid) : FGrid(AGrid) {}
    TLapColumn& Add();
    TLapColumn& Items(int I) { return *FItems.at(static_cast<std::size_t>(I)); }
    const TLapColumn& Items(int I) const { return *FItems.at(static_cast<std::size_t>(I)); }
    TLapColumn& operator[](int I) { return Items(I); }
    const TLapColumn& operator[](int I) const { return Items(I); }
    int Count() const { return static_cast<int>(FItems.size()); }
    void RemoveLast();

    // Batches change reports: Update runs once at the closing EndUpdate.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // A change of Item (nullptr: of all items).
    void Update(TLapColumn* Item);

  private:
    TLapGrid* FGrid;
    std::vector<std::unique_ptr<TLapColumn>> FItems;
    int FUpdateCount = 0;
};

class TLapGrid final : public TCellStore {
  public:
    TLapGrid();
    ~TLapGrid() override;
    TLapGrid(const TLapGrid&) = delete;
    TLapGrid& operator=(const TLapGrid&) = delete;

    // ---- events (unassigned ones are skipped) ----
    std::function<void(int Col, int Row, bool& CanChange)> OnCellChanging;
    std::function<void(int Col, int Row, TBufferType typ)> OnCellChange;
    std::function<void(int Col, int Row)> OnCellAssignment;
    std::function<void(int Col, int Row)> OnColRowChanged;
    std::function<void(int ARow)> OnInsertRow;
    std::function<void(int ARow)> OnDeleteRow;
    // Drawing events: the handler may change the canvas font, pen and brush,
    // or draw the cell itself and set Handled.
    std::function<void(Canvas& ACanvas, int X, int Y, const TRect& Rc, bool& Handled)> OnDrawCell;
    std::function<void(Canvas& ACanvas, const TRect& Rc, const std::string& Str, bool& Handled)>
        OnDrawHeader;
    std::function<void(Canvas& ACanvas, const TRect& Rc, const std::string& Str, bool& Handled)>
        OnDrawGutter;
    std::function<void(Canvas& ACanvas, const TRect& Rc, const std::string& Str, bool& Handled)>
        OnDrawFooter;

    // The columns; each reports its own changes to the grid.
    TLapColumns Columns{this};

    // ---- options ----
    bool AutoAddRow() const { return FAutoAddRow; }
    void SetAutoAddRow(bool v) { FAutoAddRow = v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool AutoFillRight() const { return FAutoFillRight; }
    void SetAutoFillRight(bool v) { FAutoFillRight = v; }
    bool AutoFillDown() const { return FAutoFillDown; }
    void SetAutoFillDown(bool v) { FAutoFillDown = v; }
    bool Enabled() const { return FEnabled; }
    int DefRowHeight() const { return FDefRowHeight; }
    int DefColWidth() const { return FDefColWidth; }
    // Inside a BeginUpdate batch or a block operation: cell writes do not repaint.
    bool Updating() const { return FUpdating; }

    // The grid's own font and colour; new columns take copies of them.
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& f);
    TColor Color() const { return FColor; }

    // ---- cells ----
    // Bounds-checked read; throws ECellIndexError outside the grid.
    std::string Cells(int ACol, int ARow) const;
    // Plain write: no read-only check, no OnCellChanging.
    void SetCells(int ACol, int ARow, const std::string& Value) {
        WriteCell(ACol, ARow, false, Value);
    }
    // The one write path.
    void WriteCell(int ACol, int ARow, bool ByUser, const std::string& Value);
    // Unchecked read for painting and copying (0 <= ACol < ColCount).
    const std::string& CellText(int ACol, int ARow) const;
    void ClearCells();

    // ---- shape and position ----
    int ColCount() const { return Columns.Count(); }
    void SetColCount(int N);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int N);
    int Col() const { return FCell.Col; }
    void SetCol(int N);
    int Row() const { return FCell.Row; }
    void SetRow(int N);
    // The far corner of the selection, which Shift+arrows move.
    int FarCol() const { return FCell.FarCol; }
    int FarRow() const { return FCell.FarRow; }
    const TRect& Selection() const { return FCell.Selection; }
    // Replaces Selection, ending the cell edit and repainting old and new.
    void SetSelection(const TRect& R, bool ForceRepaint = false);
    // Batches nest: only the outermost EndUpdate clears Updating (back to
    // what it was before the batch), rebuilds the header and repaints.
    void BeginUpdate();
    void EndUpdate();
    int FirstVisibleCol() const;
    int LastVisibleCol() const;
    int NextVisibleCol(int I) const;
    int PrevVisibleCol(int I) const;

    // ---- per-sheet lists ----
    // The shown sheet; its split-result list and undo buffer are the current ones.
    int SheetIndex() const { return FSheetIndex; }
    void SetSheetIndex(int I) { FSheetIndex = I; }
    // Every sheet's lists, kept by their owner; the grid holds none of them.
    const TTimeFormatLists& TimeFormatLists() const { return FTimeFormatLists; }
    const TUndoList& UndoList() const { return FUndoList; }
    // The owner of the lists (nullptr: none).
    void SetSheetBuffers(SheetBuffers* Owner);
    SheetBuffers* SheetBuffersOwner() const { return FSheets; }
    // Lets the owner go: no pending edit, no lists, sheet 0.
    void ResetSheetBuffers();
    // For a grid used without a project: appends one sheet's split results
    // and undo buffer to a holder the grid owns (and shows it, when the grid
    // showed another owner's sheets).
    void AddSheetBuffers(TTimeFormatList Formats, int UndoSetting);
    // Empties every sheet's undo buffer (after a save).
    void ClearUndoBuffers();
    bool IsAnyModified() const;
    // The shown sheet's split-result list and undo buffer (nullptr when the
    // project has not added them yet).
    TTimeFormatList* CurrentFormats();
    TUndoBufferList* CurrentUndo();

    // Which columns undo restores, which take text from another program and
    // which row records cover; DefaultColumnPolicy until set.
    const TColumnPolicy& ColumnPolicy() const { return FColumnPolicy; }
    void SetColumnPolicy(TColumnPolicy P) { FColumnPolicy = std::move(P); }

    // ==== undo, clipboard and rows (grid_edit.cpp, grid_clipboard.cpp, grid_rows.cpp) ====
    // Opens the undo record of a cell edit on the current cell (btEdit, or
    // btDelete for Backspace) unless one is already pending. The key handler
    // calls it when a typed key is about to change the current cell, the
    // in-place editor when it opens. Returns PendingEdit (nullptr when no
    // sheet buffer exists or the cell lies outside the recorded columns).
    TUndoBuffer* OpenEditRecord(TBufferType typ);
    // The record of the cell edit in progress (owned by the shown sheet's
    // buffer), nullptr when none is open.
    const TUndoBuffer* PendingEdit() const { return FTyping.PendingEdit(); }
    // What was typed into the current cell since it was entered.
    const std::string& TypedText() const { return FTyping.TypedText(); }
    // Settles the pending edit: keeps the record (with the new text) and fires
    // OnCellChange and OnCellAssignment when the cell changed, else drops it.
    // Ends with PendingEdit nil, TypedText empty and the editor hidden.
    void CommitEdit();

    void SetClipboardPort(Clipboard* C) { FClipboardPort = C; }
    // Ctrl+C copies; Ctrl+X and Ctrl+V call cut and paste only while the grid
    // is not ReadOnly. Paste leaves a pending edit pending.
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // Row operations on the shown sheet, keeping the column lists and the
    // split-result list in step; Record settles the edit in progress and adds
    // an undo record. They fire neither OnInsertRow nor OnDeleteRow.
    int AddRow(bool Record);
    void InsertRows(int First, int Last, bool Record);
    void DeleteRows(int First, int Last, bool Record);

    // ==== geometry and scrolling (grid_geometry.cpp) ====
    struct THeaderInfo {
        std::string Str;
        TRect Rc; // Left = Right = column; Top .. Bottom = header lines (inclusive)
    };
    // Where everything lies since the last RecalcLayout, and the scroll offsets.
    const TGridLayout& Layout() const { return FLayout; }
    int ScrollX() const { return FLayout.ScrollX(); }
    int ScrollY() const { return FLayout.ScrollY(); }
    const std::vector<THeaderInfo>& HeaderInfos() const { return FHeaderInfos; }

    int HeaderLine() const { return FHeaderLine; }
    void SetHeaderLine(int v);
    TGutterKind GutterKind() const { return FGutterKind; }
    void SetGutterKind(TGutterKind v);
    int GutterWidth() const { return FGutterWidth; }
    void SetGutterWidth(int v);
    bool ShowFooter() const { return FShowFooter; }
    void SetShowFooter(bool v);
    bool FitToWidth() const { return FFitToWidth; }
    void SetFitToWidth(bool v);
    bool AutoColWidth() const { return FAutoColWidth; }
    void SetAutoColWidth(bool v);
    std::uint8_t VertScrollThreshold() const { return FVertScrollThreshold; }
    void SetVertScrollThreshold(std::uint8_t v) { FVertScrollThreshold = v; }
    // Setters of the plain fields DefRowHeight and DefColWidth that lay out
    // and repaint (a row height below 1 is refused: such rows cannot be laid out).
    void SetDefRowHeight(int v);
    void SetDefColWidth(int v);

    // Client size from the host; 200 x 200 headless.
    int ClientWidth() const;
    int ClientHeight() const;

    // The layout's queries (see TGridLayout).
    int ColLeft(int ACol) const { return FLayout.ColLeft(ACol); }
    TRect CellRect(int ACol, int ARow) const { return FLayout.CellRect(ACol, ARow); }
    TRect ToClient(const TRect& R) const { return FLayout.ToClient(R); }
    TPoint CellFromPoint(int X, int Y) const { return FLayout.CellFromPoint(X, Y); }
    int ColFromX(int X) const { return FLayout.ColFromX(X); }
    int RowFromY(int Y) const { return FLayout.RowFromY(Y); }

    void BuildHeaderInfo();
    void RecalcLayout();
    void ShowScrollBars(bool Horz, bool Vert);
    void SetBarInfo(TScrollBarKind Bar, int Max, unsigned Mask, int Pos);
    void SetScrollX(int X);
    void SetScrollY(int Y);
    // Scrolls so that the cell is in view, keeping Threshold whole rows
    // below it when scrolling down (-1: VertScrollThreshold).
    void EnsureVisible(int ACol, int ARow, int Threshold = -1);
    void ScrollToTop();

    // Window events, called by the host.
    void Resize();
    void HorzScroll(TScrollCode Code, int Pos);
    void VertScroll(TScrollCode Code, int Pos);
    void MouseWheel(int Delta);

    // ==== painting (grid_paint.cpp) ====
    using THeaderDrawEvent = std::function<void(Canvas& ACanvas, const TRect& Rc,
                                                const std::string& Str, bool& Handled)>;

    // The look as one value; SetLook repaints what the changed fields show in.
    const TGridLook& Look() const { return FLook; }
    void SetLook(const TGridLook& v);
    TColor AlternateColor() const { return FLook.AlternateColor; }
    TColor GridColor() const { return FLook.GridColor; }
    bool ShowGrid() const { return FLook.ShowGrid; }
    TPenStyle GridStyle() const { return FLook.GridStyle; }
    TColor HeaderColor() const { return FLook.HeaderColor; }
    TColor HeaderLightColor() const { return FLook.HeaderLightColor; }
    TColor HeaderDarkColor() const { return FLook.HeaderDarkColor; }
    TColor SelectionColor() const { return FLook.SelectionColor; }
    TColor BoxColor() const { return FLook.BoxColor; }
    bool Flat() const { return FLook.Flat; }
    const TFont& HeaderFont() const { return FLook.HeaderFont; }
    const TFont& FooterFont() const { return FLook.FooterFont; }
    const TFont& GutterFont() const { return FLook.GutterFont; }
    // One field of the look at a time, for callers that set a single property.
    void SetAlternateColor(TColor v) { SetLookField(&TGridLook::AlternateColor, v); }
    void SetGridColor(TColor v) { SetLookField(&TGridLook::GridColor, v); }
    void SetShowGrid(bool v) { SetLookField(&TGridLook::ShowGrid, v); }
    void SetGridStyle(TPenStyle v) { SetLookField(&TGridLook::GridStyle, v); }
    void SetHeaderColor(TColor v) { SetLookField(&TGridLook::HeaderColor, v); }
    void SetHeaderLightColor(TColor v) { SetLookField(&TGridLook::HeaderLightColor, v); }
    void SetHeaderDarkColor(TColor v) { SetLookField(&TGridLook::HeaderDarkColor, v); }
    void SetSelectionColor(TColor v) { SetLookField(&TGridLook::SelectionColor, v); }
    void SetBoxColor(TColor v) { SetLookField(&TGridLook::BoxColor, v); }
    void SetFlat(bool v) { SetLookField(&TGridLook::Flat, v); }
    void SetHeaderFont(const TFont& v) { SetLookField(&TGridLook::HeaderFont, v); }
    void SetFooterFont(const TFont& v) { SetLookField(&TGridLook::FooterFont, v); }
    void SetGutterFont(const TFont& v) { SetLookField(&TGridLook::GutterFont, v); }
    const TStringList& GutterStrings() const { return FGutterStrings; }
    void SetGutterStrings(const TStringList& v);
    // Setters of the plain fields Color and Enabled that repaint.
    void SetColor(TColor v);
    void SetEnabled(bool v);

    // Draws the whole client area (the host's paint event).
    void Paint(Canvas& C);
    TColor CellColor(int ACol, int ARow) const;
    void DrawCell(Canvas& C, int ACol, int ARow);
    // Repaints one cell's interior and returns where a caret after its text
    // belongs, (-1, -1) when the cell is outside the cell area. KeepEnd keeps
    // the end of an overlong left-aligned text in view (typing); it holds for
    // the current cell's later paints until the cell is left or TypedText is
    // emptied.
    TPoint RedrawCell(int ACol, int ARow, bool KeepEnd = false);
    void DrawAlignedText(Canvas& C, const std::string& Text, const TRect& Rc, TPoint* CaretPos,
                         bool KeepEnd, TVertAlign VAlign, THorzAlign HAlign) const;
    void DrawHeaderText(Canvas& C, const std::string& Text, const TRect& Rc, TVertAlign VAlign,
                        THorzAlign HAlign) const;
    void DrawHeaderCell(Canvas& C, const TRect& Rc, const std::string& Str,
                        const THeaderDrawEvent& Event, const TFont& AFont);
    void FillEmptyArea(Canvas& C) const;
    void DrawSelectionBox(Canvas& C) const;
    // The selection frame's rectangle in client coordinates.
    TRect SelectionFrameRect() const;

    void InvalidateAll();
    void InvalidateCellArea();
    void InvalidateCells(); // everything right of and below the gutter and header
    // The client rectangle of a block of cells, grown by Margin pixels.
    void InvalidateCells(const TRect& CellRange, int Margin);
    void InvalidateBelow(int Y);
    void InvalidateRightOf(int X);

    // ==== keyboard and typing (grid_keys.cpp) ====
    // Window events that reach these entry points:
    //   key press event      -> KeyDown (virtual-key code and modifiers), then,
    //                           for a key that yields text, KeyPress once per
    //                           whole character (code-page bytes, 1 or 2);
    //                           Backspace comes as KeyPress("\b")
    //   input method commit  -> KeyPress with the committed text
    //   input method query   -> CompositionRect / ImeStartComposition
    //   focus in / focus out -> FocusIn / FocusOut
    //   cell text from another program -> CellInput
    // The window runs its own key-down listeners after KeyDown, and its own
    // character listeners before KeyPress (a listener may swallow the char).
    // The window must deliver the four arrow keys to the grid; Tab is not
    // taken.

    // A character typed into a cell or into the in-place editor (FromEditor).
    // Setting Allowed to false drops it.
    std::function<void(bool FromEditor, int Col, int Row, const std::string& Char, bool& Allowed)>
        OnFilterChar;

    // A character or Backspace was typed since the last settling of the edit.
    bool CellTyped() const { return FTyping.CellTyped(); }
    // The text caret is shown (typing into the current cell).
    bool CaretVisible() const { return FCaretVisible; }

    // Key down. Returns true when the grid acted on the key; false for keys
    // it does not take and while it is disabled or empty (then the window
    // fires no key-down listeners either: check KeysBlocked).
    // The handler beside the grid (TGridKeys) does the work.
    bool KeyDown(int Key, TShiftState Shift) { return FKeys.KeyDown(Key, Shift); }
    // Keys and characters are refused: disabled grid, no rows or no columns.
    bool KeysBlocked() const;
    // Characters typed into the current cell: "\b" removes the last whole
    // character, characters below a blank are ignored, others are appended.
    // Text of several characters is typed one character at a time; a lead
    // byte without its trail byte is not a character and is ignored.
    void KeyPress(const std::string& Char);
    void FocusIn();
    // ToEditor: the focus goes to the grid's own in-place editor.
    void FocusOut(bool ToEditor);
    // Where the input method's composition window belongs (client pixels):
    // over the current cell, text starting at the rectangle's top-left.
    TRect CompositionRect() const;
    // Composition start: places the composition window through the host.
    void ImeStartComposition();
    // Another program's text for the current cell (WM_CELLINPUT): writes and
    // records it, then runs Enter Moves + 1 times (none when Moves < 0).
    // Returns false when refused: owner window blocked, current column 0, 3
    // or 4, a hidden column 1 or 2, a disabled grid or a read-only column.
    bool CellInput(const std::string& Text, int Moves);

    // The common end of a keyboard cell move, after Col and/or Row were set.
    void MoveCursor();
    // The common end of a Shift+arrow, after FarCol or FarRow was set.
    void ExtendSelection();
    // Settles typed text (or an in-place edit whose box a scroll hid) before
    // an arrow key or Enter moves.
    void FinishTyping();

    // ==== mouse (grid_mouse.cpp) ====
    // Window events that reach these entry points (client pixels):
    //   mouse press          -> MouseDown
    //   mouse move           -> MouseMove (also without a button held)
    //   mouse release        -> MouseUp
    //   double click         -> DblClick (instead of the second MouseDown)
    //   pointer leaves       -> MouseLeave
    // Shift carries the held modifiers and buttons (ssLeft while the left
    // button is down: a move with ssLeft and the capture held is a drag).
    // The grid sets its cursor and takes the capture through the host; the
    // window runs its own mouse listeners after MouseDown and MouseMove.

    // Areas under the pointer.
    enum THitArea : int {
        htNothing = 0,
        htCorner = 1,
        htGutter = 2,
        htHeader = 3,
        htCells = 4,
        htBorder = 5
    };
    // A left press in the header has selected column Col.
    std::function<void(int Col, TMouseButton Button, TShiftState Shift)> OnHeaderClick;
    // A left press in the gutter has selected row Row.
    std::function<void(int Row, TMouseButton Button, TShiftState Shift)> OnGutterClick;

    // The column whose right border was last found in the header.
    int ResizeCol() const { return FMouse.ResizeCol(); }
    // The cursor now shown; it also decides what a press does.
    TGridCursor Cursor() const { return FMouse.Cursor(); }

    // The area under a client point; sets ResizeCol over a column border.
    int HitTest(int X, int Y) { return FMouse.HitTest(X, Y); }
    // The handler beside the grid (TGridMouse) does the work.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
        FMouse.Press(Button, Shift, X, Y);
    }
    void MouseMove(TShiftState Shift, int X, int Y) { FMouse.Move(Shift, X, Y); }
    void MouseUp(TMouseButton, TShiftState, int, int) { FMouse.Release(); }
    void DblClick(int X, int Y) { FMouse.DoubleClick(X, Y); }
    void MouseLeave() { FMouse.Leave(); }

    // ==== in-place editor (grid_editor.cpp) ====
    // The host's edit box over the current cell, opened by a double click.
    // Edit box events that reach these entry points:
    //   text changed by the user -> EditorChanged
    //   key press                -> EditorKeyDown first; when it returns true
    //                               the box must not handle the key itself
    //   character typed          -> EditorKeyPress; insert only when it
    //                               returns true
    struct TLapInplace {
        THorzAlign Alignment = haLeft;
        int EditCol = 0;
        int EditRow = 0;
    };
    // Background of the edit box.
    static constexpr TColor EditorColor = 0xDDDDFFu;
    // The editor was opened for the current cell and not closed by
    // CloseEditor(false).
    bool EditorOpen() const { return FEditorOpen; }

    // The box's outer rectangle over a cell (client pixels).
    TRect EditorBounds(int ACol, int ARow) const;
    // Hides the box when it is shown; nothing else.
    void HideEdit();
    // EditorOpen := Open; on false settles the pending record (no
    // OnCellAssignment, the box stays as it is).
    void CloseEditor(bool Open);
    // Hides the text caret and the in-place editor.
    void EndEdit();
    void EditorChanged(const std::string& Text);
    // Enter and Escape close the editor (true); other keys belong to the box.
    bool EditorKeyDown(int Key, TShiftState Shift);
    // Returns whether the box may take the character.
    bool EditorKeyPress(const std::string& Char);

    // ==== the window ====
    // The window the grid is shown in; nullptr runs headless. SetHost also
    // hides both scroll bars and lays the grid out, as a new window does.
    GridHost* Host() const { return FHost; }
    void SetHost(GridHost* H);

  private:
    // ---- helpers of the operations above ----
    // AutoAddRow: the key handler calls AutoGrowRow for the Down arrow and
    // AutoShrinkRow for the Up arrow (after settling any typing); when either
    // returns false the key moves the current cell as usual.
    bool AutoGrowRow();
    bool AutoShrinkRow();
    // Auto-fill on Enter: t is the current cell's text as Enter finds it,
    // read before the typed edit is settled. Returns true when a fill was
    // done (the edit is then folded into one btAutoFill record and the
    // current cell stays); on false the key handler settles the typing and
    // moves on as usual.
    bool AutoFill(const std::string& t);
    void InvalidateColumn(int ACol);
    // Asks for the selection frame to be drawn again (the editor was shown).
    void InvalidateSelectionBox();
    // Writes a column width as the layout's own result: no change report,
    // no header rebuild, no repaint (the caller lays out and repaints).
    void SetColWidthQuiet(int ACol, int W);
    // Places, fills and shows the box over a cell.
    void ShowEdit(int ACol, int ARow);
    const TLapInplace& Inplace() const { return FInplace; }
    // What the vertical bar was last given.
    const TScrollInfo& VertBarInfo() const { return FVertBarInfo; }
    // The system clipboard; without one copy, cut and paste do nothing.
    Clipboard* ClipboardPort() const { return FClipboardPort; }
    // Tab-separated text of the selection's visible columns, CR LF per line.
    std::string SelectionText() const;
    // Called by the columns when a property changed (nullptr: all columns).
    void ColumnsChanged(TLapColumn* Item);
    const TCellCursor& CellCursor() const { return FCell; }
    // Opens the editor on the current cell: scrolls it into view, refuses
    // read-only grids and columns, opens a btEdit record unless one is
    // pending, shows and focuses the box.
    void OpenEditor();
    // The Delete key over the selection: records btDelete and empties every
    // selected cell. The key handler calls it for the Delete key while
    // TypedText is empty; does nothing in a ReadOnly grid.
    void DeleteSelection();

    void TypeChar(const std::string& Char);
    void WriteTyped(TBufferType typ);
    void ShowTypingCaret();


    // Keeps the pending record with the cell's new text and fires
    // OnCellChange (and OnCellAssignment when Assign), or drops it when the
    // text did not change. Returns whether it was kept. CommitEdit and the
    // key handler's FinishTyping share it.
    bool SettleEditRecord(bool Assign = false);

    void DrawGutter(Canvas& C);
    void DrawHeader(Canvas& C);
    void DrawFooter(Canvas& C);
    void DrawCellText(Canvas& C, int ACol, int ARow, TRect rc, bool KeepEnd,
                      TPoint* CaretPos) const;
    int HostTextWidth(const TFont& F, const std::string& S) const;
    bool GridFocused() const;
    int VisibleColCount() const;
    std::vector<bool> VisibleColumns() const;
    int RowH() const { return FLayout.RowH(); }

    int FHeaderLine = 1;
    TGutterKind FGutterKind = gkBlank;
    int FGutterWidth = 20;
    bool FShowFooter = false;
    bool FFitToWidth = false;
    bool FAutoColWidth = false;
    std::uint8_t FVertScrollThreshold = 1;

    TGridLook FLook;
    template <class T> void SetLookField(T TGridLook::*Field, const T& v) {
        TGridLook l = FLook;
        l.*Field = v;
        SetLook(l);
    }
    TStringList FGutterStrings;
    int FKeepEndCol = -1;       // cell shown with its text end kept in view
    bool FQuietColumns = false; // width writes of the layout itself are not reported
    int FKeepEndRow = -1;

    // ---- edit helpers ----
    TRect CellBlock(const TRect& R) const;
    void RemoveRowsAt(int First, int Count);
    TTimeFormatList* FormatsFor(int Rows);
    // Rows First .. Last of the columns row records cover.
    TRect RowRecordArea(int First, int Last) const;
    // Takes a record out of whichever sheet's buffer holds it.
    void DropRecord(TUndoBuffer* R);
    // ---- end edit helpers ----

    // Holds back cell repaints for the span of a block operation and puts
    // the previous state back, also when an event handler throws.
    class TRepaintHold {
      public:
        explicit TRepaintHold(bool& Flag) : FFlag(Flag), FSaved(Flag) { FFlag = true; }
        ~TRepaintHold() { FFlag = FSaved; }
        TRepaintHold(const TRepaintHold&) = delete;
        TRepaintHold& operator=(const TRepaintHold&) = delete;

      private:
        bool& FFlag;
        bool FSaved;
    };

    void ClampCurrentCell();
    // Where a move puts the current cell, the selection's far corner and
    // the selection, and how it scrolls the new current cell into view.
    struct TCellMove {
        enum TScroll {
            scNone,  // no scrolling (the Col and Row setters)
            scKeep,  // keeping VertScrollThreshold rows below it
            scTight, // keeping no row below it (a click)
        };
        int Col = 0;
        int Row = 0;
        int FarCol = 0;
        int FarRow = 0;
        TRect Selection;
        bool ForceRepaint = false;
        TScroll Scroll = scKeep;
        // To the cell with the selection collapsed onto it.
        static TCellMove To(int ACol, int ARow, TScroll AScroll);
    };
    // The one move of the current cell: ends the cell edit, empties
    // TypedText, scrolls, selects and fires OnColRowChanged once.
    void MoveCurrentCell(const TCellMove& M);
    void CheckIndex(int ACol, int ARow) const;

    friend struct TLapGridTestView; // tests: states no operation reaches
    friend class TLapColumns;       // a change of a column is reported to the grid
    friend class TGridMouse;        // the pointer handler works on the grid's state
    friend class TGridKeys;         // so does the key handler
    friend class TLapColumn;        // a Visible change names the column FitToWidth keeps
    friend class TUndoBufferList;   // a freed record must not stay the pending edit

    // ---- TCellStore, for the undo buffers ----
    void PutCell(int ACol, int ARow, const std::string* Text) override;
    TTimeFormatList* StoreFormats() override { return CurrentFormats(); }
    void AddStoreRow() override { AddRow(false); }
    void InsertStoreRows(int First, int Last) override { InsertRows(First, Last, false); }
    void DeleteStoreRows(int First, int Last) override { DeleteRows(First, Last, false); }
    void SettleEdit() override { CommitEdit(); }
    void RecordFreed(const TUndoBuffer* Record) override { FTyping.Forget(Record); }
    void BeginBatch() override { BeginUpdate(); }
    void EndBatch() override { EndUpdate(); }
    const TColumnPolicy& StoreColumns() const override { return FColumnPolicy; }

    // ---- state ----
    bool FAutoAddRow = false;
    bool FReadOnly = false;
    bool FAutoFillRight = false;
    bool FAutoFillDown = false;
    bool FEnabled = true;
    int FDefRowHeight = 18;
    int FDefColWidth = 80;
    TColor FColor = sys_color::Window;
    bool FUpdating = false;
    TCellCursor FCell;
    TTypingState FTyping;
    bool FCaretVisible = false;
    bool FEditorOpen = false;
    TLapInplace FInplace;
    SheetBuffers* FSheets = nullptr;
    std::unique_ptr<TOwnSheetBuffers> FOwnSheets;
    TGridMouse FMouse{*this};
    TGridKeys FKeys{*this};
    TTimeFormatLists FTimeFormatLists;
    TUndoList FUndoList;
    int FSheetIndex = 0;
    TColumnPolicy FColumnPolicy = DefaultColumnPolicy();
    Clipboard* FClipboardPort = nullptr;
    GridHost* FHost = nullptr;
    TGridLayout FLayout;
    int FKeepWidthCol = -1; // FitToWidth never narrows this column (last Visible change)
    int FLineStepX = 18;
    int FPageStepX = 90;
    std::vector<THeaderInfo> FHeaderInfos;
    TScrollInfo FVertBarInfo;

    int FUpdateDepth = 0;
    bool FUpdatingBefore = false;
    int FRowCount = 5;
    TFont FFont;
};
