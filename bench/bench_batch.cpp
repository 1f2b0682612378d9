// The batch commands and the undo history on 2000 names of 40 characters,
// without the window: time of each whole command, and the heap that 100
// recorded steps of that text take, against the bytes of 100 copies of the
// text in UTF-16.
#include <malloc.h>

#include <string>

#include "bench/bench.h"
#include "names/BatchEdit.h"
#include "names/NameList.h"
#include "names/UndoHistory.h"

namespace {

// Bytes of the C runtime's heap in use now.
size_t HeapInUse()
{
    _HEAPINFO info;
    info._pentry = NULL;
    size_t nUsed = 0;
    while (_heapwalk(&info) == _HEAPOK)
        if (info._useflag == _USEDENTRY)
            nUsed += info._size;
    return nUsed;
}

template <typename F>
double MillisecondsPerRun(F f)
{
    const int nRuns = 20;
    double t0 = BenchNow();
    for (int i = 0; i < nRuns; ++i)
        f();
    return (BenchNow() - t0) * 1000.0 / nRuns;
}

}  // namespace

QUORVEL_BENCH(batch_logic)
{
    const CString text = BenchNamesText();
    const double textBytes = text.GetLength() * sizeof(wchar_t);
    CString result;
    BenchPrint("batch_text_bytes", textBytes);
    BenchPrint("batch_copy_text_ms", MillisecondsPerRun([&] { result = CString(text); }), "ms");
    auto replace = [](const CString& s) { return ReplaceInName(s, L"a", L"b"); };
    auto front = [](const CString& s) { return InsertFrontOfName(s, L"01 "); };
    auto wav = [](const CString& s) { return ChangeExtensionOfName(s, L"wav"); };
    BenchPrint("batch_replace_ms", MillisecondsPerRun([&] { result = TransformLines(text, replace); }), "ms");
    BenchPrint("batch_insert_front_ms", MillisecondsPerRun([&] { result = TransformLines(text, front); }), "ms");
    BenchPrint("batch_change_extension_ms", MillisecondsPerRun([&] { result = TransformLines(text, wav); }), "ms");

    CUndoHistory* pUndo = new CUndoHistory;
    BenchPrint("undo_record_and_undo_ms", MillisecondsPerRun([&] {
                   pUndo->Record(text);
                   result = pUndo->Undo()->strText;
               }), "ms");
    delete pUndo;

    // A fresh history, so that no slot holds a text from before.
    pUndo = new CUndoHistory;
    // Each step records a fresh text, as read from the editor.
    size_t nBefore = HeapInUse();
    for (int i = 0; i < MAX_UNDO; ++i)
        pUndo->Record(CString(text));
    size_t nAfter = HeapInUse();
    BenchPrint("undo_100_steps_bytes", (double)(nAfter - nBefore));
    BenchPrint("undo_100_steps_per_text_bytes",
               (double)(nAfter - nBefore) / (MAX_UNDO * textBytes));
    delete pUndo;
}
