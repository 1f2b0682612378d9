#include "names/UndoHistory.h"

#include <utility>

namespace {

// Puts strText into rSlot and frees the slot's old buffer. A plain move
// assignment of a short text would keep the old buffer's capacity, so a
// slot that once held a large text could go on holding its memory.
void Store(CString& rSlot, CString&& strText)
{
    CString strOld(std::move(rSlot));
    rSlot = std::move(strText);
}

}  // namespace

const CString& RecordUndo(CString* pTexts, int& nDepth, CString strText)
{
    if (nDepth < 0)
        nDepth = 0;
    if (nDepth >= MAX_UNDO) {
        // Full: the last MAX_UNDO changes stay undoable. Moving the slots
        // down hands over their buffers; no text is copied.
        for (int i = 1; i < MAX_UNDO; ++i)
            Store(pTexts[i - 1], std::move(pTexts[i]));
        nDepth = MAX_UNDO - 1;
    }
    CString& rSlot = pTexts[nDepth++];
    Store(rSlot, std::move(strText));
    return rSlot;
}

const CString* TakeUndo(CString* pTexts, int& nDepth)
{
    if (nDepth > MAX_UNDO)
        nDepth = MAX_UNDO;
    if (nDepth <= 0) {
        nDepth = 0;
        return NULL;
    }
    return &pTexts[--nDepth];
}
