#include "names/RenamePreview.h"

#include <algorithm>

RenamePreview PreviewPlan(const RenamePlan& plan, const CNameList& list, const std::vector<CString>& newNames)
{
    const int nCount = std::min(list.GetCount(), (int)newNames.size());
    RenamePreview preview;
    // A file's last move gives its final name; a cycle's move to the
    // temporary name is a step on the way.
    for (const RenameMove& move : plan.moves)
        if (move.kind != MOVE_TO_TEMP && move.nIndex >= 0 && move.nIndex < nCount)
            preview.rows.push_back({move.nIndex, list[move.nIndex].strShown, move.strTo, 0});
    preview.nRenamed = (int)preview.rows.size();
    for (const RenameRefusal& refusal : plan.refusals)
        if (refusal.nIndex >= 0 && refusal.nIndex < nCount)
            preview.rows.push_back({refusal.nIndex, list[refusal.nIndex].strShown, newNames[refusal.nIndex],
                                    refusal.dwError});
    std::stable_sort(preview.rows.begin(), preview.rows.end(),
                     [](const PreviewRow& a, const PreviewRow& b) { return a.nIndex < b.nIndex; });
    return preview;
}
