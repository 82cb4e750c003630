// What the grid asks of the system clipboard: plain text as code-page bytes.
// The Qt layer implements it over QClipboard; tests use a fake.
#pragma once

#include <string>

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The clipboard holds something in text format.
    virtual bool HasText() const = 0;
    // The text, converted to code-page bytes; empty when there is none.
    virtual std::string GetText() const = 0;
    // Replaces the clipboard's contents with the text.
    virtual void SetText(const std::string& bytes) = 0;
};
