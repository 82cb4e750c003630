// What the grid may do with each of its columns. The grid knows nothing of
// what a column holds; its owner names, per column, whether undo restores
// it, whether text sent by another program may land in it and whether the
// records of added, inserted and deleted rows keep its texts.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

enum TColumnFlag : unsigned {
    cfUndoRecorded = 1u << 0, // undo and redo put its texts back
    cfCellInput = 1u << 1,    // takes text sent by another program while visible
    cfRowRecord = 1u << 2,    // row records cover it
};

class TColumnPolicy {
  public:
    // No column has any flag.
    TColumnPolicy() = default;
    // Flags[i] is the TColumnFlag set of column i; columns past the end have none.
    explicit TColumnPolicy(std::vector<unsigned> Flags) : FFlags(std::move(Flags)) {}

    bool Has(int Col, TColumnFlag Flag) const {
        return Col >= 0 && Col < static_cast<int>(FFlags.size()) &&
               (FFlags[static_cast<std::size_t>(Col)] & Flag) != 0;
    }
    // The first and the last column with Flag; -1 when none has it.
    int First(TColumnFlag Flag) const;
    int Last(TColumnFlag Flag) const;

    friend bool operator==(const TColumnPolicy&, const TColumnPolicy&) = default;

  private:
    std::vector<unsigned> FFlags;
};

// The policy a grid keeps until its owner gives it another: the one the
// grid has always had, so that a grid set up without one behaves as before.
const TColumnPolicy& DefaultColumnPolicy();
