// The split-result lists and undo buffers of every sheet, kept by whoever
// owns the sheets. The grid holds none of them: it works on the ones of the
// sheet it shows (its SheetIndex) and reads the others only to answer for
// all sheets at once.
#pragma once

class TTimeFormatList;
class TUndoBufferList;

class SheetBuffers {
  public:
    virtual ~SheetBuffers() = default;
    virtual int SheetCount() const = 0;
    // 0 <= I < SheetCount().
    virtual TTimeFormatList& SheetFormats(int I) = 0;
    virtual TUndoBufferList& SheetUndo(int I) = 0;
};
