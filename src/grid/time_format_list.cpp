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
    return FOwner->SheetFormats(I);
}

const TTimeFormatList& TTimeFormatLists::Items(int I) const {
    if (I < 0 || I >= Count()) throw std::out_of_range("List index out of bounds");
    return FOwner->SheetFormats(I);
}
