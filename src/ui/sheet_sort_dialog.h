// TForm4, the sheet sort dialog ("Sort Sht"): the sheet names in a list the
// user reorders with "Up", "Dn" or by dragging a name onto another. Every
// move is made on the project at once; there is no Cancel.
#pragma once

#include <QDialog>
#include <QListWidget>

class TLaptimeProject;

// A list whose items are dragged within it: pressing on an item and moving
// starts a drag from the selected item; releasing over an item drops on it.
class TSortList : public QListWidget {
    Q_OBJECT
  public:
    explicit TSortList(QWidget* Parent);

  signals:
    void Dropped(int From, int To);

  protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

  private:
    int FDragSource = -1;
    bool FDragging = false;
    QPoint FPressPos;
};

class TForm4 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm4(QWidget* Parent);

    // Lists Project's sheets, the first selected, and runs the dialog; true
    // when any sheet was moved.
    bool Execute(TLaptimeProject& Project);

  private:
    void Move(int From, int To);
    void Step(int Delta);

    TSortList* FList = nullptr;
    TLaptimeProject* FProject = nullptr;
    bool FOrderChanged = false;
};
