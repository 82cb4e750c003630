#include "grid/column_policy.h"

int TColumnPolicy::First(TColumnFlag Flag) const {
    for (int i = 0; i < static_cast<int>(FFlags.size()); ++i)
        if (Has(i, Flag)) return i;
    return -1;
}

int TColumnPolicy::Last(TColumnFlag Flag) const {
    for (int i = static_cast<int>(FFlags.size()) - 1; i >= 0; --i)
        if (Has(i, Flag)) return i;
    return -1;
}

const TColumnPolicy& DefaultColumnPolicy() {
    constexpr unsigned kept = cfUndoRecorded | cfRowRecord;
    static const TColumnPolicy policy({kept, kept | cfCellInput, kept | cfCellInput, 0u, 0u});
    return policy;
}
