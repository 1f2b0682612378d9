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

void CUndoHistory::Record(CString strText)
{
    if (m_nUndoDepth == MAX_UNDO) {
        // Full: the last MAX_UNDO changes stay undoable. Moving the slots
        // down hands over their buffers; no text is copied.
        for (int i = 1; i < MAX_UNDO; ++i)
            Store(m_strUndoTexts[i - 1], std::move(m_strUndoTexts[i]));
        --m_nUndoDepth;
    }
    Store(m_strUndoTexts[m_nUndoDepth++], std::move(strText));
}

const CString* CUndoHistory::Undo()
{
    if (m_nUndoDepth <= 0)
        return NULL;
    return &m_strUndoTexts[--m_nUndoDepth];
}
