// The undo history of the batch commands: the name editor's text as it
// stood before each command, newest last, taken back one step at a time.
#pragma once

#include "framework/afxstr.h"

#define MAX_UNDO 100

class CUndoHistory {
public:
    CUndoHistory() : m_nUndoDepth(0) {}

    // Keeps strText as the newest step. Pass the text just read from the
    // editor as a temporary: it is moved into its slot, not copied. At
    // MAX_UNDO steps the oldest step is dropped to make room.
    void Record(CString strText);

    // Takes the newest step away and returns its text, which stays valid
    // until the next Record; NULL when no step is recorded.
    const CString* Undo();

    // Forgets every step; the slots keep their texts until overwritten.
    void Reset() { m_nUndoDepth = 0; }

    BOOL CanUndo() const { return m_nUndoDepth > 0; }
    int GetDepth() const { return m_nUndoDepth; }

    // Slots below the depth hold the recorded texts, the oldest in slot 0.
    CString m_strUndoTexts[MAX_UNDO];
    int m_nUndoDepth;
};
