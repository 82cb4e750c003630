// TForm3, the application settings dialog ("CNFG"): edits a copy of the
// environment record; the caller takes it back only on OK. It opens on the
// page that was on show when it last closed, for as long as the program runs.
#pragma once

#include "model/lap_env.h"
#include "ui/settings_widgets.h"

#include <QDialog>
#include <QLabel>

class QTabWidget;
class TColorPanel;

// Support address shown on the "Version" page.
inline constexpr const char* SupportAddress = "https://github.com/segmark/segmark#readme";

// A label that opens its address in the desktop's browser; blue while the
// mouse is over it.
class TLinkLabel : public QLabel {
    Q_OBJECT
  public:
    TLinkLabel(const QString& Address, QWidget* Parent);

  protected:
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

  private:
    void SetTextColor(const QColor& Color);
};

class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(QWidget* Parent);

    // True on OK, Env then holding the edited record; on Cancel Env is
    // left as it was. Either way the page on show is remembered.
    bool Execute(TLapEnv& Env);

    const TLapEnv& Work() const { return FWork; }
    // The page the next opening shows (0: "Genral").
    static int LastPage() { return FLastPage; }

  private:
    QWidget* BuildGeneralPage();
    QWidget* BuildHeaderPage();
    QWidget* BuildNotesPage();
    QWidget* BuildVersionPage();
    void ChooseNotesFont();
    TFont NotesFont() const;

    // The page shown last: program-wide, like the remembered page itself.
    static inline int FLastPage = 0;

    TLapEnv FWork;
    TFieldBinder<TLapEnv> FFields{this, FWork};
    QTabWidget* FTabs = nullptr;
    QLabel* FFontLabel = nullptr;
    TColorPanel* FNotesPanel = nullptr;
};
