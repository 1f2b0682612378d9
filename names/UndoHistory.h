// The undo history of the name editor: each step is the editor's text and
// the list's order as they stood before a command, newest last, taken back
// one step at a time.
#pragma once

#include <memory>
#include <vector>

#include "framework/afxstr.h"
#include "names/ListOrder.h"

#define MAX_UNDO 100

// One step: the text, the order checked, and where the listed files stood:
// entry k is the file (by its place in the name order) that was k-th.
struct CUndoStep {
    CString strText;
    ListOrder nOrder = ORDER_BY_NAME;
    std::shared_ptr<const std::vector<int>> pFiles;
};

class CUndoHistory {
public:
    CUndoHistory() : m_nDepth(0) {}

    // Keeps the step as the newest and returns it as stored. Pass the text
    // just read from the editor as a temporary: it is moved into its slot,
    // not copied. A step whose files stand as in the step before shares
    // that step's list of them, so that text-only commands cost only their
    // text. At MAX_UNDO steps the oldest step is dropped to make room.
    const CUndoStep& Record(CString strText, ListOrder nOrder = ORDER_BY_NAME,
                            const std::vector<int>& files = std::vector<int>());

    // Takes the newest step away and returns it, valid until the next
    // record; NULL when no step is recorded.
    const CUndoStep* Undo();

    // Forgets every step; the slots keep their texts until overwritten.
    void Reset() { m_nDepth = 0; }

    BOOL CanUndo() const { return m_nDepth > 0; }
    int GetDepth() const { return m_nDepth; }

private:
    CUndoStep m_steps[MAX_UNDO];
    int m_nDepth;
};
