// The project's ports without a window, for the command line, benchmarks and
// tests: a selector that is a list of names, and a host that never asks.
#pragma once

#include "model/lap_env.h"
#include "model/ports.h"

#include <string>
#include <utility>
#include <vector>

class TPlainSelector : public SheetSelector {
  public:
    int Count() const override { return static_cast<int>(Items.size()); }
    std::string Item(int Index) const override { return Items.at(static_cast<std::size_t>(Index)); }
    void Add(const std::string& Name) override { Items.push_back(Name); }
    void Delete(int Index) override { Items.erase(Items.begin() + Index); }
    void SetItem(int Index, const std::string& Name) override {
        Items.at(static_cast<std::size_t>(Index)) = Name;
    }
    void Clear() override { Items.clear(); }
    void Select(int) override {}
    void SetText(const std::string&) override {}
    void SetEnabled(bool) override {}

    std::vector<std::string> Items;
};

// The window's settings without the window. Nothing is ever asked (every
// question counts as OK, and the many-rows question is off, so every text
// is imported whole), and there is no clipboard.
class THeadlessHost : public ProjectHost {
  public:
    THeadlessHost() = default;
    explicit THeadlessHost(TLapEnvFile Env) : Env(std::move(Env)) {}
    void SetTitle(const std::string&) override {}
    bool AskOkCancel(const std::string&, const std::string&) override { return true; }
    bool ConfirmManyRows() const override { return false; }
    int MaxUndoIndex() const override { return Env.Env.MaxUndoIndex; }
    const TLaptimeSheet& DefaultSettings() const override { return Env.DefaultSettings; }
    bool ClipboardText(std::string&) override { return false; }

    TLapEnvFile Env;
};
