// A sheet selector without a window: the list of names alone, for the
// command line and anything else that shows no selector.
#pragma once

#include "model/ports.h"

#include <string>
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
