// The clipboard of the tests, fuzzers and benchmarks: one text held in
// memory. It keeps the promises clipboard_contract.h lists, as the system
// clipboard does.
#pragma once

#include "grid/clipboard.h"

#include <string>

class FakeClipboard : public Clipboard {
  public:
    bool HasText() const override { return Has; }
    std::string GetText() const override { return Has ? Text : std::string(); }
    void SetText(const std::string& bytes) override { Has = true, Text = bytes; }
    // Set directly, the two stand for what another program left there.
    bool Has = false;
    std::string Text;
};
