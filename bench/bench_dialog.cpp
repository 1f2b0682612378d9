// The batch commands and the undo button in the real main dialog, on 2000
// names of 40 characters: time of each click against setting the same text
// into the name editor (WM_SETTEXT), and the process memory that 100
// recorded steps take against 100 copies of the text in UTF-16.
#include "bench/bench.h"
#include "support/DialogDriver.h"

#include <psapi.h>

namespace {

const int RUNS = 10;

// The memory the process has committed for itself. Wine leaves PrivateUsage
// at 0 and gives its resident anonymous memory as PagefileUsage; Windows
// gives the same figure in both.
double CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof(pmc);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&pmc, sizeof(pmc)))
        return 0;
    return (double)(pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage);
}

// Milliseconds of one timed action, averaged over RUNS; each run starts
// from the same editor text, set untimed by setup.
template <typename Setup, typename Timed>
double Milliseconds(Setup setup, Timed timed)
{
    double total = 0;
    for (int i = 0; i < RUNS; ++i) {
        setup();
        double t0 = BenchNow();
        timed();
        total += BenchNow() - t0;
    }
    return total * 1000.0 / RUNS;
}

void SetText(TestBatchNameDlg& dlg, int nID, const wchar_t* psz) { SetWindowTextW(dlg.Item(nID), psz); }

}  // namespace

QUORVEL_BENCH(batch_dialog)
{
    const CString text = BenchNamesText();
    const double textBytes = text.GetLength() * sizeof(wchar_t);
    TestBatchNameDlg dlg;
    dlg.SetList(MAX_NAMES, L"");
    // A find text the names do not hold: every step records the same text.
    SetText(dlg, IDC_FIND_COMBO, L"#");
    SetText(dlg, IDC_REPLACE_COMBO, L"$");

    // Memory first, before timing runs leave freed texts in the heap.
    // One command and its undo bring the editor's buffers and the edited
    // names to their working size.
    dlg.SetEditorText(text);
    dlg.Click(IDC_REPLACE);
    dlg.Click(IDC_UNDO);
    const double committed0 = CommittedBytes();
    for (int i = 0; i < MAX_UNDO; ++i)
        dlg.Click(IDC_REPLACE);
    const double growth = CommittedBytes() - committed0;
    BenchPrint("batch_dialog_text_bytes", textBytes);
    BenchPrint("batch_dialog_undo_depth", dlg.m_undo.GetDepth());
    BenchPrint("batch_dialog_committed_bytes_before", committed0);
    BenchPrint("batch_dialog_100_steps_bytes", growth);
    BenchPrint("batch_dialog_100_steps_ratio", growth / (MAX_UNDO * textBytes), "x (target <= 1.1)");

    auto reset = [&] {
        dlg.m_undo.Reset();
        dlg.SetEditorText(text);
    };
    const double setText = Milliseconds(reset, [&] { dlg.SetEditorText(text); });
    BenchPrint("batch_dialog_settext_ms", setText, "ms");

    SetText(dlg, IDC_FIND_COMBO, L"a");
    SetText(dlg, IDC_REPLACE_COMBO, L"b");
    SetText(dlg, IDC_FRONT_EDIT, L"01 ");
    const struct {
        const char* name;
        int nID;
    } commands[] = {{"replace", IDC_REPLACE},
                    {"insert_front", IDC_INSERT_FRONT},
                    {"change_extension", IDC_CHANGE_EXTENSION}};
    char name[80];
    for (const auto& c : commands) {
        double ms = Milliseconds(reset, [&] { dlg.Click(c.nID); });
        snprintf(name, sizeof(name), "batch_dialog_%s_ms", c.name);
        BenchPrint(name, ms, "ms");
        snprintf(name, sizeof(name), "batch_dialog_%s_ratio", c.name);
        BenchPrint(name, ms / setText, "x (target <= 2)");
    }
    double undo = Milliseconds(
        [&] {
            reset();
            dlg.Click(IDC_REPLACE);
        },
        [&] { dlg.Click(IDC_UNDO); });
    BenchPrint("batch_dialog_undo_ms", undo, "ms");
    BenchPrint("batch_dialog_undo_ratio", undo / setText, "x (target <= 2)");
}
