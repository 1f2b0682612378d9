#include "names/RenamePlan.h"

#include <algorithm>
#include <string>

#include "names/NameCheck.h"
#include "platform/PathIdentity.h"

namespace {

const int NO_FILE = -1;
// A name that more than one listed file holds: possible on a file system
// that tells letter cases apart. No move is planned to wait for it.
const int MANY_FILES = -2;

// A temporary name that no listed file has or wants. The renamer still
// finds another when the disk holds this one (an unlisted file, a folder).
CString ChooseTempName(const CString* pDiskNames, const CString* pNewNames, int nCount)
{
    for (int k = 1;; ++k) {
        CString strTemp = CString(RENAME_TEMP_PREFIX) + std::to_wstring(k).c_str() + L".tmp";
        bool bTaken = false;
        for (int i = 0; i < nCount && !bTaken; ++i)
            bTaken = pDiskNames[i].CompareNoCase(strTemp) == 0 || pNewNames[i].CompareNoCase(strTemp) == 0;
        if (!bTaken)
            return strTemp;
    }
}

}  // namespace

RenamePlan PlanRenames(const CString& strFolderPath, const CString* pCurNames, const CString* pNewNames,
                       int nCount, const CString* pDiskNames, bool bCheckNewNames)
{
    RenamePlan plan;
    if (nCount <= 0)
        return plan;
    if (!pDiskNames)
        pDiskNames = pCurNames;

    // Files that ask for a move and whose new name is fit to be tried.
    std::vector<DWORD> refused(nCount, 0);
    std::vector<int> candidates;
    for (int i = 0; i < nCount; ++i) {
        const CString& strNew = pNewNames[i];
        if (strNew.Compare(pCurNames[i]) == 0)
            continue;
        if (bCheckNewNames && !IsAcceptableName(strNew, true))
            refused[i] = ERROR_INVALID_NAME;
        else if (IsPathTooLong(strFolderPath + strNew))
            refused[i] = ERROR_FILENAME_EXCED_RANGE;
        else
            candidates.push_back(i);
    }

    // Every current and wanted name as the entry Windows takes it for.
    std::vector<CString> paths;
    paths.reserve(nCount + candidates.size());
    for (int i = 0; i < nCount; ++i)
        paths.push_back(strFolderPath + pDiskNames[i]);
    for (int i : candidates)
        paths.push_back(strFolderPath + pNewNames[i]);
    const std::vector<int> ids = IdentifyPaths(paths);
    const int nIds = ids.empty() ? 0 : *std::max_element(ids.begin(), ids.end()) + 1;
    std::vector<int> wanted(nCount, NO_FILE);
    for (size_t k = 0; k < candidates.size(); ++k)
        wanted[candidates[k]] = ids[nCount + k];

    std::vector<int> holder(nIds, NO_FILE);
    for (int i = 0; i < nCount; ++i)
        holder[ids[i]] = holder[ids[i]] == NO_FILE ? i : MANY_FILES;

    // One file tries each wanted name: the file whose own name it is (a
    // change of letter case), else the first in list order. The others
    // could only fail, whatever becomes of that one's move.
    std::vector<int> owner(nIds, NO_FILE);
    for (int i : candidates)
        if (wanted[i] == ids[i])
            owner[wanted[i]] = i;
    for (int i : candidates)
        if (owner[wanted[i]] == NO_FILE)
            owner[wanted[i]] = i;
    std::vector<char> moving(nCount, 0);
    for (int i : candidates) {
        if (owner[wanted[i]] == i)
            moving[i] = 1;
        else
            refused[i] = ERROR_ALREADY_EXISTS;
    }

    // The moving file each one waits for: the holder of its new name. Each
    // name has one holder and one file wanting it, so the waits form
    // separate chains and cycles.
    std::vector<int> next(nCount, NO_FILE);
    for (int i = 0; i < nCount; ++i) {
        if (!moving[i])
            continue;
        int h = holder[wanted[i]];
        if (h >= 0 && h != i && moving[h])
            next[i] = h;
    }

    // In list order; a chain goes in when its first file in list order
    // comes, from its far end back to that file.
    plan.strTempName = ChooseTempName(pDiskNames, pNewNames, nCount);
    std::vector<char> placed(nCount, 0);
    std::vector<int> chain;
    int nCycles = 0;
    for (int i = 0; i < nCount; ++i) {
        if (!moving[i] || placed[i])
            continue;
        chain.clear();
        int j = i;
        do {
            chain.push_back(j);
            placed[j] = 1;
            j = next[j];
        } while (j != NO_FILE && !placed[j]);
        // Back at the start: a cycle. Ended at a file placed before, or at
        // none: a chain whose end is free to move.
        if (j == i && chain.size() > 1) {
            const int nCycle = nCycles++;
            plan.moves.push_back({MOVE_TO_TEMP, i, nCycle, pDiskNames[i], plan.strTempName});
            for (size_t k = chain.size() - 1; k > 0; --k)
                plan.moves.push_back({MOVE_DIRECT, chain[k], nCycle, pDiskNames[chain[k]], pNewNames[chain[k]]});
            plan.moves.push_back({MOVE_FROM_TEMP, i, nCycle, plan.strTempName, pNewNames[i]});
        } else {
            for (size_t k = chain.size(); k > 0; --k)
                plan.moves.push_back({MOVE_DIRECT, chain[k - 1], -1, pDiskNames[chain[k - 1]], pNewNames[chain[k - 1]]});
        }
    }

    for (int i = 0; i < nCount; ++i)
        if (refused[i])
            plan.refusals.push_back({i, refused[i]});
    return plan;
}
