// The grid's Clipboard over the system clipboard: code-page bytes in and out,
// Unicode text on the desktop.
#pragma once

#include "grid/clipboard.h"

class QClipboard;

class QtClipboard : public Clipboard {
  public:
    // Uses the application's clipboard unless another is given.
    explicit QtClipboard(QClipboard* board = nullptr);

    bool HasText() const override;
    std::string GetText() const override;
    void SetText(const std::string& bytes) override;

  private:
    QClipboard* FBoard;
};
