#include "grid/time_format_list.h"

#include <stdexcept>

int TTimeFormatList::CheckIndex(int I) {
    if (I < 0) throw std::out_of_range("List index out of bounds");
    return I;
}

void TTimeFormatList::Insert(int I, TTimeFormat f) {
    if (I < 0 || I > Count()) throw std::out_of_range("List index out of bounds");
    Entries.insert(Entries.begin() + I, f);
}

void TTimeFormatList::Delete(int I) {
    if (I < 0 || I >= Count()) throw std::out_of_range("List index out of bounds");
    Entries.erase(Entries.begin() + I);
}

TTimeFormatList& TTimeFormatLists::Items(int I) {
    if (I < 0 || I >= Count()) throw std::out_of_range("List index out of bounds");
    return Lists[static_cast<std::size_t>(I)];
}

const TTimeFormatList& TTimeFormatLists::Items(int I) const {
    if (I < 0 || I >= Count()) throw std::out_of_range("List index out of bounds");
    return Lists[static_cast<std::size_t>(I)];
}

void TTimeFormatLists::Delete(int I) {
    if (I < 0 || I >= Count()) throw std::out_of_range("List index out of bounds");
    Lists.erase(Lists.begin() + I);
}

void TTimeFormatLists::Move(int From, int To) {
    if (From < 0 || From >= Count() || To < 0 || To >= Count())
        throw std::out_of_range("List index out of bounds");
    if (From == To) return;
    TTimeFormatList item = std::move(Lists[static_cast<std::size_t>(From)]);
    Lists.erase(Lists.begin() + From);
    Lists.insert(Lists.begin() + To, std::move(item));
}
