// The lap grid on the desktop: a scroll area whose viewport shows a TLapGrid
// and which is that grid's GridHost. It owns the engine, turns Qt's events
// into the engine's entry points, draws and blinks the text caret, places the
// input method and carries the in-place edit box.
#pragma once

#include "grid/lap_grid.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QRect>
#include <QString>
#include <QTimer>

#include <array>

class QLineEdit;
class TGridAccessible;
class QScrollBar;

class TGridWidget : public QAbstractScrollArea, public GridHost {
    Q_OBJECT
  public:
    explicit TGridWidget(QWidget* parent = nullptr);
    ~TGridWidget() override;

    TLapGrid& Grid() { return FGrid; }
    const TLapGrid& Grid() const { return FGrid; }
    // The in-place edit box (hidden unless a cell is being edited in it).
    QLineEdit* Editor() const { return FEditor; }
    // The caret as the widget draws it: viewport pixels, and whether it is
    // on (shown and in the visible phase of its blink).
    QRect CaretRect() const;
    bool CaretOn() const { return FCaretExists && FCaretShown && FCaretPhase; }
    // The accessible table, once assistive technology has asked for it; it
    // is told of changes from then on, and nothing is spent before.
    void SetAccessible(TGridAccessible* A) { FAccessible = A; }

    // ---- GridHost ----
    int ClientWidth() const override;
    int ClientHeight() const override;
    void ShowScrollBar(TScrollBarKind Bar, bool Show) override;
    void SetScrollInfo(TScrollBarKind Bar, const TScrollInfo& Info) override;
    void Invalidate(const TRect& R) override;
    void InvalidateAll() override;
    int TextWidth(const TFont& Font, const std::string& Text) const override;
    int TextHeight(const TFont& Font, const std::string& Text) const override;
    void CreateCaret(int Width, int Height) override;
    void DestroyCaret() override;
    void SetCaretPos(int X, int Y) override;
    void ShowCaret() override;
    void HideCaret() override;
    void SetCursor(TGridCursor Cursor) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    bool HasFocus() const override;
    void SetFocus() override;
    void ShowEditor(const TRect& Bounds, const std::string& Text, const TFont& Font,
                    TColor Background, THorzAlign Align) override;
    void HideEditor() override;
    bool EditorVisible() const override;
    std::string EditorText() const override;
    void SetEditorFocus() override;
    bool EditorHasFocus() const override;
    void SetImeComposition(const TRect& Rc, const TPoint& Pos, const TFont& Font) override;
    bool OwnerAcceptsInput() const override;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  signals:
    // Cells, the current cell, the selection or the view changed (once per
    // turn of the event loop, however many repaints the engine asked for).
    void Changed();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    void BarAction(TScrollBarKind Bar, int Action);
    void ApplyBar(TScrollBarKind Bar);
    void TypeText(const QString& text);
    void FollowCurrentCell();
    QRect ImeRect() const;
    QRect PreeditRect() const;
    void EditorEdited(const QString& text);
    bool EditorKey(QKeyEvent* e);
    void BlinkCaret();
    void UpdateCaret();
    const QFont& CachedFont(const TFont& f) const;
    void ReportChange();
    void SyncAccessible();

    TLapGrid FGrid;
    QLineEdit* FEditor = nullptr;

    bool FHorzShown = false;
    bool FVertShown = false;
    std::array<TScrollInfo, 2> FBars{}; // what the engine gave each bar
    int FSettingBars = 0;               // inside ShowScrollBar: no re-layout

    bool FCaretExists = false;
    bool FCaretShown = false;
    bool FCaretPhase = true;
    QSize FCaretSize;
    QPoint FCaretPos;
    QTimer FBlink;
    QTimer FChange; // gathers the engine's repaint requests into one Changed
    TGridAccessible* FAccessible = nullptr;

    bool FCaptured = false;
    TGridCursor FCursorId = crDefault;

    bool FComposing = false;
    QString FPreedit;
    QRect FImeRect;
    QFont FImeFont; // the grid's font once a composition has started

    mutable TFont FFontKey;
    mutable QFont FFontValue;
    mutable bool FFontCached = false;
};
