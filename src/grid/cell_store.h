// What an undo buffer needs of the cells it restores. The grid implements
// it; the buffer holds no grid, so it can be read and tested on its own.
#pragma once

#include "grid/column_policy.h"

#include <string>

struct TUndoBuffer;
class TTimeFormatList;

class TCellStore {
  public:
    virtual ~TCellStore() = default;

    // Puts a cell back: writes Text plainly (no read-only check, no veto, not
    // recorded) unless it is nullptr, then reports the cell so its owner
    // re-evaluates the row. A cell outside the grid is left alone.
    virtual void PutCell(int ACol, int ARow, const std::string* Text) = 0;
    // The shown sheet's split-result list, nullptr when it has none.
    virtual TTimeFormatList* StoreFormats() = 0;
    // Row operations that are not recorded again.
    virtual void AddStoreRow() = 0;
    virtual void InsertStoreRows(int First, int Last) = 0;
    virtual void DeleteStoreRows(int First, int Last) = 0;
    // Settles the cell edit in progress before a step is undone or redone.
    virtual void SettleEdit() = 0;
    // A record is being freed; nothing may keep pointing at it.
    virtual void RecordFreed(const TUndoBuffer* Record) = 0;
    // A batch of writes: nested batches repaint once, at the outermost end.
    virtual void BeginBatch() = 0;
    virtual void EndBatch() = 0;
    // Which columns undo and redo put back and which row records cover.
    virtual const TColumnPolicy& StoreColumns() const { return DefaultColumnPolicy(); }
};

// Brackets a batch of writes: BeginBatch now, EndBatch when the scope ends,
// also when an event handler throws.
class TUpdateBatch {
  public:
    explicit TUpdateBatch(TCellStore& Store) : FStore(Store) { FStore.BeginBatch(); }
    ~TUpdateBatch() { FStore.EndBatch(); }
    TUpdateBatch(const TUpdateBatch&) = delete;
    TUpdateBatch& operator=(const TUpdateBatch&) = delete;

  private:
    TCellStore& FStore;
};
