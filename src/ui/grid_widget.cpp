#include "ui/grid_widget.h"

#include "ui/cursors.h"
#include "ui/grid_accessible.h"
#include "ui/qt_canvas.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

using namespace qt_bridge;

namespace {

// Qt's key codes as the classic virtual-key numbers the engine takes; 0 for
// keys the engine has no use for.
int VirtualKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

TShiftState ShiftState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton) {
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier) s |= ssShift;
    if (mods & Qt::ControlModifier) s |= ssCtrl;
    if (mods & Qt::AltModifier) s |= ssAlt;
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

bool ToMouseButton(Qt::MouseButton b, TMouseButton* out) {
    switch (b) {
    case Qt::LeftButton:
        *out = mbLeft;
        return true;
    case Qt::RightButton:
        *out = mbRight;
        return true;
    case Qt::MiddleButton:
        *out = mbMiddle;
        return true;
    default:
        return false;
    }
}

// Ctrl or Alt alone make no characters (Ctrl together with Alt is AltGr).
bool MakesText(Qt::KeyboardModifiers mods) {
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    return ctrl == alt;
}

// Each character of s as code-page bytes; one the code page lacks is "?".
std::vector<std::string> CodePageChars(const QString& s) {
    std::vector<std::string> chars;
    for (char32_t cp : s.toUcs4()) {
        if (cp < 0x20 || cp == 0x7F) continue;
        chars.push_back(ToBytes(QString::fromUcs4(&cp, 1)));
    }
    return chars;
}

} // namespace

TGridWidget::TGridWidget(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The engine covers every pixel itself; nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);

    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int a) { BarAction(sbHorizontal, a); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int a) { BarAction(sbVertical, a); });

    FEditor = new QLineEdit(viewport());
    FEditor->setFrame(false);
    FEditor->setAutoFillBackground(true);
    FEditor->move(-200, -200);
    FEditor->hide();
    FEditor->installEventFilter(this);
    connect(FEditor, &QLineEdit::textEdited, this, &TGridWidget::EditorEdited);

    FBlink.setInterval(std::max(100, QApplication::cursorFlashTime() / 2));
    connect(&FBlink, &QTimer::timeout, this, &TGridWidget::BlinkCaret);

    FChange.setSingleShot(true);
    FChange.setInterval(0);
    connect(&FChange, &QTimer::timeout, this, &TGridWidget::ReportChange);
    TGridAccessible::Install();

    FGrid.SetHost(this);
    SetCursor(FGrid.Cursor());
}

TGridWidget::~TGridWidget() {
    if (FAccessible) FAccessible->Detach();
    FBlink.stop();
    FEditor->removeEventFilter(this);
    FGrid.SetHost(nullptr);
}

// ---- client area and scroll bars ----

// A shown scroll area lays its viewport out at once, also when a bar is shown
// or hidden; a hidden one does it when it is shown, so until then the size is
// worked out the same way.
int TGridWidget::ClientWidth() const {
    if (isVisible()) return viewport()->width();
    const int bar = FVertShown ? verticalScrollBar()->sizeHint().width() : 0;
    return std::max(0, contentsRect().width() - bar);
}

int TGridWidget::ClientHeight() const {
    if (isVisible()) return viewport()->height();
    const int bar = FHorzShown ? horizontalScrollBar()->sizeHint().height() : 0;
    return std::max(0, contentsRect().height() - bar);
}

void TGridWidget::ShowScrollBar(TScrollBarKind Bar, bool Show) {
    bool& shown = Bar == sbHorizontal ? FHorzShown : FVertShown;
    if (shown == Show) return;
    shown = Show;
    // The viewport is resized at once; that is the engine's own doing, so it
    // must not be reported back as a size change.
    ++FSettingBars;
    const Qt::ScrollBarPolicy policy = Show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (Bar == sbHorizontal)
        setHorizontalScrollBarPolicy(policy);
    else
        setVerticalScrollBarPolicy(policy);
    --FSettingBars;
}

void TGridWidget::SetScrollInfo(TScrollBarKind Bar, const TScrollInfo& Info) {
    TScrollInfo& t = FBars[Bar];
    if (Info.Mask & sifRange) {
        t.Min = Info.Min;
        t.Max = Info.Max;
    }
    if (Info.Mask & sifPage) t.Page = Info.Page;
    if (Info.Mask & sifPos) t.Pos = Info.Pos;
    t.Mask |= Info.Mask;
    ApplyBar(Bar);
}

void TGridWidget::ApplyBar(TScrollBarKind Bar) {
    const TScrollInfo& t = FBars[Bar];
    QScrollBar* bar = Bar == sbHorizontal ? horizontalScrollBar() : verticalScrollBar();
    // The thumb moves over Min .. Max - (Page - 1); a bar without a page
    // gets a thumb in proportion to the view.
    const int max = std::max(t.Min, t.Page > 0 ? t.Max - (t.Page - 1) : t.Max);
    const int page = t.Page > 0 ? t.Page : (Bar == sbHorizontal ? ClientWidth() : ClientHeight());
    const QSignalBlocker block(bar);
    bar->setRange(t.Min, max);
    bar->setPageStep(std::max(1, page));
    bar->setValue(t.Pos);
}

void TGridWidget::BarAction(TScrollBarKind Bar, int Action) {
    QScrollBar* bar = Bar == sbHorizontal ? horizontalScrollBar() : verticalScrollBar();
    TScrollCode code;
    switch (Action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = scLineDown;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = scLineUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = scPageDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = scPageUp;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = scTop;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = scBottom;
        break;
    case QAbstractSlider::SliderMove:
        code = scTrack;
        break;
    default:
        return;
    }
    const int pos = bar->sliderPosition();
    if (Bar == sbHorizontal)
        FGrid.HorzScroll(code, pos);
    else
        FGrid.VertScroll(code, pos);
    // The bar shows what the engine made of the action, not Qt's own step.
    bar->setSliderPosition(FBars[Bar].Pos);
}

void TGridWidget::scrollContentsBy(int, int) {
    // The engine repaints what scrolling changes.
}

void TGridWidget::resizeEvent(QResizeEvent*) {
    if (FSettingBars == 0) FGrid.Resize();
    for (TScrollBarKind b : {sbHorizontal, sbVertical})
        if (FBars[b].Page <= 0) ApplyBar(b);
}

// ---- painting ----

// Every change the engine makes to what is shown comes as a repaint request.
void TGridWidget::Invalidate(const TRect& R) {
    if (R.Right > R.Left && R.Bottom > R.Top) viewport()->update(ToQRect(R));
    if (!FChange.isActive()) FChange.start();
}

void TGridWidget::InvalidateAll() {
    viewport()->update();
    if (!FChange.isActive()) FChange.start();
}

void TGridWidget::ReportChange() {
    SyncAccessible();
    emit Changed();
}

void TGridWidget::SyncAccessible() {
    if (FAccessible) FAccessible->Sync();
}

void TGridWidget::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    {
        QtCanvas canvas(p, palette());
        FGrid.Paint(canvas);
    }
    p.setClipping(false);
    if (CaretOn()) p.fillRect(CaretRect(), palette().color(QPalette::Text));
    if (!FPreedit.isEmpty()) {
        // The text being composed, over the cell it will go to.
        const QRect box = PreeditRect();
        const QFontMetrics fm(FImeFont);
        p.fillRect(box, palette().color(QPalette::Base));
        QFont u = FImeFont;
        u.setUnderline(true);
        p.setFont(u);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(box.topLeft() + QPoint(1, fm.ascent()), FPreedit);
    }
}

QRect TGridWidget::ImeRect() const {
    return FImeRect.isValid() ? FImeRect : ToQRect(FGrid.CompositionRect());
}

QRect TGridWidget::PreeditRect() const {
    if (FPreedit.isEmpty()) return QRect();
    const QFontMetrics fm(FImeFont);
    return QRect(ImeRect().topLeft(), QSize(fm.horizontalAdvance(FPreedit) + 2, fm.height()));
}

const QFont& TGridWidget::CachedFont(const TFont& f) const {
    if (!FFontCached || !(FFontKey == f)) {
        FFontKey = f;
        FFontValue = ToQFont(f);
        FFontCached = true;
    }
    return FFontValue;
}

int TGridWidget::TextWidth(const TFont& Font, const std::string& Text) const {
    return QFontMetrics(CachedFont(Font)).horizontalAdvance(FromBytes(Text));
}

int TGridWidget::TextHeight(const TFont& Font, const std::string&) const {
    return QFontMetrics(CachedFont(Font)).height();
}

// ---- caret ----

QRect TGridWidget::CaretRect() const {
    return QRect(FCaretPos, FCaretSize);
}

void TGridWidget::UpdateCaret() {
    if (FCaretSize.isValid()) viewport()->update(CaretRect());
}

void TGridWidget::CreateCaret(int Width, int Height) {
    UpdateCaret();
    FCaretExists = true;
    FCaretShown = false;
    FCaretSize = QSize(Width, Height);
}

void TGridWidget::DestroyCaret() {
    UpdateCaret();
    FCaretExists = false;
    FCaretShown = false;
    FBlink.stop();
}

void TGridWidget::SetCaretPos(int X, int Y) {
    UpdateCaret();
    FCaretPos = QPoint(X, Y);
    // A caret that moves is seen at once, as typing expects.
    FCaretPhase = true;
    if (FBlink.isActive()) FBlink.start();
    UpdateCaret();
}

void TGridWidget::ShowCaret() {
    if (!FCaretExists) return;
    FCaretShown = true;
    FCaretPhase = true;
    FBlink.start();
    UpdateCaret();
}

void TGridWidget::HideCaret() {
    FCaretShown = false;
    FBlink.stop();
    UpdateCaret();
}

void TGridWidget::BlinkCaret() {
    FCaretPhase = !FCaretPhase;
    UpdateCaret();
}

// ---- pointer and focus ----

void TGridWidget::SetCursor(TGridCursor Cursor) {
    if (Cursor == FCursorId && viewport()->testAttribute(Qt::WA_SetCursor)) return;
    FCursorId = Cursor;
    viewport()->setCursor(grid_cursors::Cursor(Cursor));
}

void TGridWidget::SetCapture() {
    // Qt already sends every move to the widget a button was pressed on.
    FCaptured = true;
}

void TGridWidget::ReleaseCapture() {
    FCaptured = false;
}

bool TGridWidget::HasCapture() const {
    return FCaptured;
}

bool TGridWidget::HasFocus() const {
    return hasFocus();
}

void TGridWidget::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

bool TGridWidget::OwnerAcceptsInput() const {
    const QWidget* modal = QApplication::activeModalWidget();
    return window()->isEnabled() && (!modal || modal == window());
}

void TGridWidget::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    FGrid.FocusIn();
    if (FAccessible) {
        FAccessible->Sync();
        FAccessible->FocusCurrentCell();
    }
}

void TGridWidget::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    FGrid.FocusOut(QApplication::focusWidget() == FEditor);
}

// ---- keys and the input method ----

void TGridWidget::keyPressEvent(QKeyEvent* e) {
    if (FGrid.KeysBlocked()) {
        e->ignore();
        return;
    }
    const int vk = VirtualKey(e->key());
    const bool acted = FGrid.KeyDown(vk, ShiftState(e->modifiers()));
    bool typed = false;
    if (vk == VK_BACK) {
        if (MakesText(e->modifiers())) {
            FGrid.KeyPress(std::string(1, KeyBackspace));
            typed = true;
        }
    } else if (MakesText(e->modifiers()) && !e->text().isEmpty()) {
        for (const std::string& ch : CodePageChars(e->text())) {
            FGrid.KeyPress(ch);
            typed = true;
        }
    }
    e->setAccepted(acted || typed);
    FollowCurrentCell();
    // A screen reader speaks the new cell as the key lands, not a turn later.
    SyncAccessible();
}

// The input method's window follows the current cell.
void TGridWidget::FollowCurrentCell() {
    if (hasFocus() && QGuiApplication::inputMethod())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TGridWidget::TypeText(const QString& text) {
    for (const std::string& ch : CodePageChars(text))
        FGrid.KeyPress(ch);
}

void TGridWidget::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->preeditString().isEmpty() && !FComposing) {
        FComposing = true;
        FGrid.ImeStartComposition();
        if (QGuiApplication::inputMethod())
            QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImFont);
    }
    // Only the pre-edit area needs repainting; the typed text repaints itself.
    viewport()->update(PreeditRect());
    FPreedit = e->preeditString();
    viewport()->update(PreeditRect());
    if (!e->commitString().isEmpty() && !FGrid.KeysBlocked()) TypeText(e->commitString());
    if (FPreedit.isEmpty()) {
        FComposing = false;
        FImeRect = QRect();
    }
    e->accept();
}

void TGridWidget::SetImeComposition(const TRect& Rc, const TPoint& Pos, const TFont& Font) {
    FImeRect = QRect(QPoint(Pos.X, Pos.Y), QPoint(Rc.Right - 1, Rc.Bottom - 1));
    FImeFont = ToQFont(Font);
}

QVariant TGridWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    const QPoint origin = viewport()->geometry().topLeft();
    switch (query) {
    case Qt::ImCursorRectangle:
    case Qt::ImInputItemClipRectangle: {
        const QRect r = ImeRect();
        return query == Qt::ImCursorRectangle ? QRect(r.topLeft() + origin, QSize(1, r.height()))
                                              : r.translated(origin);
    }
    case Qt::ImFont:
        return FComposing ? FImeFont : CachedFont(FGrid.Font());
    case Qt::ImEnabled:
        return !FGrid.KeysBlocked() && !FGrid.ReadOnly();
    case Qt::ImHints:
        return int(Qt::ImhNoPredictiveText);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- mouse ----

void TGridWidget::mousePressEvent(QMouseEvent* e) {
    TMouseButton b;
    if (!ToMouseButton(e->button(), &b)) return;
    const QPoint p = e->position().toPoint();
    FGrid.MouseDown(b, ShiftState(e->modifiers(), e->buttons()), p.x(), p.y());
    FollowCurrentCell();
    SyncAccessible();
}

void TGridWidget::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    FGrid.MouseMove(ShiftState(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TGridWidget::mouseReleaseEvent(QMouseEvent* e) {
    TMouseButton b;
    const QPoint p = e->position().toPoint();
    if (ToMouseButton(e->button(), &b))
        FGrid.MouseUp(b, ShiftState(e->modifiers(), e->buttons()), p.x(), p.y());
    // The capture ends with the button that began it.
    if (e->buttons() == Qt::NoButton) FCaptured = false;
}

void TGridWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        FGrid.DblClick(p.x(), p.y());
    else
        mousePressEvent(e);
}

void TGridWidget::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    if (delta != 0) FGrid.MouseWheel(delta);
    e->accept();
    FollowCurrentCell();
}

bool TGridWidget::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Leave) FGrid.MouseLeave();
    return QAbstractScrollArea::viewportEvent(e);
}

// ---- the in-place edit box ----

void TGridWidget::ShowEditor(const TRect& Bounds, const std::string& Text, const TFont& Font,
                             TColor Background, THorzAlign Align) {
    FEditor->setGeometry(ToQRect(Bounds));
    FEditor->setFont(ToQFont(Font));
    QPalette pal = FEditor->palette();
    pal.setColor(QPalette::Base, ToQColor(Background, palette()));
    pal.setColor(QPalette::Window, ToQColor(Background, palette()));
    pal.setColor(QPalette::Text, ToQColor(Font.Color, palette()));
    FEditor->setPalette(pal);
    const Qt::Alignment h = Align == haCenter  ? Qt::AlignHCenter
                            : Align == haRight ? Qt::AlignRight
                                               : Qt::AlignLeft;
    FEditor->setAlignment(h | Qt::AlignVCenter);
    FEditor->setText(FromBytes(Text));
    FEditor->show();
    FEditor->raise();
}

void TGridWidget::HideEditor() {
    if (FEditor->isHidden()) return;
    // Hiding the focused box would pass the focus on to whatever comes next
    // in the window; it belongs to the grid.
    if (FEditor->hasFocus()) setFocus(Qt::OtherFocusReason);
    FEditor->hide();
}

bool TGridWidget::EditorVisible() const {
    return !FEditor->isHidden();
}

std::string TGridWidget::EditorText() const {
    return ToBytes(FEditor->text());
}

void TGridWidget::SetEditorFocus() {
    FEditor->setFocus(Qt::OtherFocusReason);
}

bool TGridWidget::EditorHasFocus() const {
    return FEditor->hasFocus();
}

void TGridWidget::EditorEdited(const QString& text) {
    const std::string bytes = ToBytes(text);
    // What the code page cannot hold is shown as the "?" it will be stored as.
    const QString shown = FromBytes(bytes);
    if (shown != text) {
        const int pos = FEditor->cursorPosition();
        FEditor->setText(shown);
        FEditor->setCursorPosition(std::min(pos, int(shown.size())));
    }
    FGrid.EditorChanged(bytes);
}

bool TGridWidget::EditorKey(QKeyEvent* e) {
    if (FGrid.EditorKeyDown(VirtualKey(e->key()), ShiftState(e->modifiers()))) return true;
    if (e->key() == Qt::Key_Backspace) {
        FGrid.EditorKeyPress(std::string(1, KeyBackspace)); // cannot be refused
        return false;
    }
    if (!MakesText(e->modifiers()) || e->text().isEmpty()) return false;
    for (const std::string& ch : CodePageChars(e->text()))
        if (!FGrid.EditorKeyPress(ch)) return true;
    return false;
}

bool TGridWidget::eventFilter(QObject* watched, QEvent* e) {
    if (watched == FEditor && e->type() == QEvent::KeyPress)
        return EditorKey(static_cast<QKeyEvent*>(e));
    return QAbstractScrollArea::eventFilter(watched, e);
}
