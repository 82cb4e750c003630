// The cell edit in progress as one value: the undo record reserved for it,
// the text typed into the current cell, and whether a key was typed since
// the edit was last settled.
#pragma once

#include "grid/undo_buffer.h"
#include "text/sjis.h"

#include <string>
#include <utility>

class TTypingState {
  public:
    // Owned by the shown sheet's undo buffer; nullptr when none is open.
    TUndoBuffer* PendingEdit() const { return FPendingEdit; }
    const std::string& TypedText() const { return FTypedText; }
    bool CellTyped() const { return FCellTyped; }

    void Open(TUndoBuffer* Record) { FPendingEdit = Record; }
    // Hands the record over for settling; nothing is pending afterwards.
    TUndoBuffer* Take() { return std::exchange(FPendingEdit, nullptr); }
    // A freed record must not stay pending.
    void Forget(const TUndoBuffer* Record) {
        if (FPendingEdit == Record) FPendingEdit = nullptr;
    }

    void SetTyped(bool Typed) { FCellTyped = Typed; }
    void Append(const std::string& Char) { FTypedText += Char; }
    void EraseLastChar() { FTypedText = text::DropLastChar(FTypedText); }
    void SetText(const std::string& Text) { FTypedText = Text; }
    void ClearText() { FTypedText.clear(); }

  private:
    TUndoBuffer* FPendingEdit = nullptr;
    std::string FTypedText;
    bool FCellTyped = false;
};
