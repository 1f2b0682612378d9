// The undo history of the batch commands: the name editor's text as it
// stood before each command, newest last, taken back one step at a time.
#pragma once

#include <utility>

#include "framework/afxstr.h"

#define MAX_UNDO 100

// The history's operations over its two parts, the MAX_UNDO slots pTexts
// and the depth nDepth, wherever they live (the main dialog keeps them as
// its own members). Slots below the depth hold the recorded texts, the
// oldest in slot 0. A depth outside 0 to MAX_UNDO is brought back inside
// before use, so the history never reads or writes past its slots.

// Keeps strText as the newest step and returns it as stored. Pass the text
// just read from the editor as a temporary: it is moved into its slot, not
// copied. At MAX_UNDO steps the oldest step is dropped to make room.
const CString& RecordUndo(CString* pTexts, int& nDepth, CString strText);

// Takes the newest step away and returns its text, which stays valid until
// the next record; NULL (and the depth 0) when no step is recorded.
const CString* TakeUndo(CString* pTexts, int& nDepth);

// The same history as an object of its own.
class CUndoHistory {
public:
    CUndoHistory() : m_nUndoDepth(0) {}

    void Record(CString strText) { RecordUndo(m_strUndoTexts, m_nUndoDepth, std::move(strText)); }
    const CString* Undo() { return TakeUndo(m_strUndoTexts, m_nUndoDepth); }

    // Forgets every step; the slots keep their texts until overwritten.
    void Reset() { m_nUndoDepth = 0; }

    BOOL CanUndo() const { return m_nUndoDepth > 0; }
    int GetDepth() const { return m_nUndoDepth; }

    CString m_strUndoTexts[MAX_UNDO];
    int m_nUndoDepth;
};
