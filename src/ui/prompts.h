// Every modal question the window asks goes through here, so that tests can
// drive the real window offscreen and answer each question themselves.
#pragma once

#include <QString>

class QWidget;

class Prompts {
  public:
    virtual ~Prompts() = default;
    // True on OK.
    virtual bool OkCancel(QWidget* Parent, const QString& Caption, const QString& Text) = 0;
    // An error the user only acknowledges.
    virtual void Error(QWidget* Parent, const QString& Caption, const QString& Text) = 0;
};

// The desktop's own message boxes.
class QtPrompts : public Prompts {
  public:
    bool OkCancel(QWidget* Parent, const QString& Caption, const QString& Text) override;
    void Error(QWidget* Parent, const QString& Caption, const QString& Text) override;
};
