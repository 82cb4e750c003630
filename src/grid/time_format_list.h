// Per-sheet split-result lists: one TTimeFormat entry per row.
#pragma once

#include "grid/lap_types.h"
#include "grid/sheet_buffers.h"

#include <cstddef>
#include <vector>

class TTimeFormatList {
  public:
    // Bounds-checked; an index outside the list throws std::out_of_range.
    TTimeFormat& Items(int I) { return Entries.at(static_cast<std::size_t>(CheckIndex(I))); }
    TTimeFormat Items(int I) const { return Entries.at(static_cast<std::size_t>(CheckIndex(I))); }
    int Count() const { return static_cast<int>(Entries.size()); }

    void AddDefaults(int ACount) {
        if (ACount > 0) Entries.insert(Entries.end(), static_cast<std::size_t>(ACount), tfNone);
    }
    void AssignFormats(const TTimeFormatList& Source) { Entries = Source.Entries; }
    void Add(TTimeFormat f = tfNone) { Entries.push_back(f); }
    void Insert(int I, TTimeFormat f = tfNone);
    void Delete(int I);
    void Clear() { Entries.clear(); }

    friend bool operator==(const TTimeFormatList&, const TTimeFormatList&) = default;

    std::vector<TTimeFormat> Entries;

  private:
    static int CheckIndex(int I);
};

// The lists of every sheet, in sheet order, as their owner keeps them;
// empty without one.
class TTimeFormatLists {
  public:
    TTimeFormatLists() = default;
    explicit TTimeFormatLists(SheetBuffers* Owner) : FOwner(Owner) {}
    // Bounds-checked; an index outside the list throws std::out_of_range.
    TTimeFormatList& Items(int I);
    const TTimeFormatList& Items(int I) const;
    int Count() const { return FOwner ? FOwner->SheetCount() : 0; }

  private:
    SheetBuffers* FOwner = nullptr;
};
