// The preview of a rename on 2000 changed lines: planning, rows and the
// dialog opened and drawn, against the planning alone; and the same dialog
// opened on no rows, the part of the cost that is the window's own.
#include <algorithm>
#include <string>
#include <vector>

#include "bench/bench.h"
#include "dialogs/PreviewDlg.h"
#include "dialogs/RenameReport.h"
#include "names/NameList.h"
#include "names/Renamer.h"

namespace {

const int RUNS = 5;

}  // namespace

QUORVEL_BENCH(preview)
{
    const std::wstring folder = BenchTempFolder(L"preview");
    std::vector<CString> names(MAX_NAMES), wanted(MAX_NAMES);
    const CString text = BenchNamesText();
    SplitNames(text, MAX_NAMES, names.data());
    for (int i = 0; i < MAX_NAMES; ++i)
        wanted[i] = L"01 " + names[i];
    const CString newText = JoinNames(wanted.data(), MAX_NAMES);
    const CString strFolder(folder);
    CNameList list;
    list.Reset(strFolder);
    for (const CString& strName : names)
        list.Add(strName, strName);

    double bestPlan = 1e9, bestOpen = 1e9, bestEmpty = 1e9;
    int nRows = 0;
    for (int run = 0; run < RUNS; ++run) {
        std::vector<CString> newNames;
        double t0 = BenchNow();
        RenamePlan plan = PlanTextRenames(list, newText, newNames);
        bestPlan = std::min(bestPlan, BenchNow() - t0);

        t0 = BenchNow();
        plan = PlanTextRenames(list, newText, newNames);
        const RenamePreview preview = PreviewPlan(plan, list, newNames);
        CPreviewDlg dlg(preview, MAX_NAMES, MAX_NAMES, RenameReasonText);
        dlg.Create(CPreviewDlg::IDD);
        dlg.ShowWindow(SW_SHOW);
        // The list view draws its visible rows, asking the dialog for them.
        ::RedrawWindow(dlg.GetSafeHwnd(), NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        bestOpen = std::min(bestOpen, BenchNow() - t0);
        nRows = (int)preview.rows.size();
        dlg.DestroyWindow();

        t0 = BenchNow();
        const RenamePreview none;
        CPreviewDlg empty(none, 0, 0, RenameReasonText);
        empty.Create(CPreviewDlg::IDD);
        empty.ShowWindow(SW_SHOW);
        ::RedrawWindow(empty.GetSafeHwnd(), NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        bestEmpty = std::min(bestEmpty, BenchNow() - t0);
        empty.DestroyWindow();
    }
    BenchPrint("preview_rows", nRows);
    BenchPrint("preview_plan_ms", bestPlan * 1000, "ms");
    BenchPrint("preview_open_ms", bestOpen * 1000, "ms");
    BenchPrint("preview_ratio", bestOpen / bestPlan, "x (target <= 2)");
    BenchPrint("preview_empty_open_ms", bestEmpty * 1000, "ms");
    BenchRemoveTree(folder);
}
