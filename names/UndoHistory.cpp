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

const CUndoStep& CUndoHistory::Record(CString strText, ListOrder nOrder, const std::vector<int>& files)
{
    if (m_nDepth >= MAX_UNDO) {
        // Full: the last MAX_UNDO changes stay undoable. Moving the slots
        // down hands over their buffers; no text is copied.
        for (int i = 1; i < MAX_UNDO; ++i) {
            Store(m_steps[i - 1].strText, std::move(m_steps[i].strText));
            m_steps[i - 1].nOrder = m_steps[i].nOrder;
            m_steps[i - 1].pFiles = std::move(m_steps[i].pFiles);
        }
        m_nDepth = MAX_UNDO - 1;
    }
    CUndoStep& rStep = m_steps[m_nDepth];
    Store(rStep.strText, std::move(strText));
    rStep.nOrder = nOrder;
    const CUndoStep* pPrevious = m_nDepth > 0 ? &m_steps[m_nDepth - 1] : NULL;
    if (pPrevious && pPrevious->pFiles && *pPrevious->pFiles == files)
        rStep.pFiles = pPrevious->pFiles;
    else
        rStep.pFiles = std::make_shared<const std::vector<int>>(files);
    ++m_nDepth;
    return rStep;
}

const CUndoStep* CUndoHistory::Undo()
{
    if (m_nDepth <= 0)
        return NULL;
    return &m_steps[--m_nDepth];
}
