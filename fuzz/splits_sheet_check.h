// What any split file that is taken must give: one row per segment in every
// stored column, whatever bytes the names hold.
#pragma once

#include "app/splits_import.h"

#include <cstdlib>
#include <vector>

inline void CheckSplitsSheet(const std::vector<TSplit>& Splits) {
    const TLaptimeSheet sheet = SplitsSheet(DefaultSheetSettings(), "fuzz", Splits, 6);
    for (const std::string& t : sheet.Texts) {
        std::size_t breaks = 0, cr = 0;
        for (std::size_t p = t.find("\r\n"); p != std::string::npos; p = t.find("\r\n", p + 2))
            ++breaks;
        for (char c : t)
            cr += c == '\r' || c == '\n';
        if (breaks != Splits.size() || cr != 2 * breaks) std::abort();
    }
}
