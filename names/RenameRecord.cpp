#include "names/RenameRecord.h"

#include <algorithm>
#include <unordered_map>

#include "names/NameCheck.h"
#include "names/RenamePlan.h"
#include "platform/PathIdentity.h"

bool CRenameRecord::Keep(const CString& strFolderPath, const CString* pBefore, const CString* pAfter, int nCount,
                         const std::vector<CFileIdentity>& identities)
{
    std::vector<CString> oldNames, newNames;
    std::vector<CFileIdentity> kept;
    for (int i = 0; i < nCount; ++i) {
        if (pBefore[i].Compare(pAfter[i]) == 0)
            continue;
        oldNames.push_back(pBefore[i]);
        newNames.push_back(pAfter[i]);
        kept.push_back(i < (int)identities.size() ? identities[i] : CFileIdentity());
    }
    if (newNames.empty())
        return false;
    m_strFolderPath = strFolderPath;
    m_strOldNames.swap(oldNames);
    m_strNewNames.swap(newNames);
    m_identities.swap(kept);
    m_bStopped = false;
    return true;
}

bool CRenameRecord::KeepOrExtend(const std::vector<CString>& before, const CNameList& after,
                                 const std::vector<CFileIdentity>& identities, bool bStopped)
{
    const CString& strFolderPath = after.GetFolderPath();
    const std::vector<CString> afterNames = after.DiskNames();
    const CString *pBefore = before.data(), *pAfter = afterNames.data();
    const int nCount = std::min((int)before.size(), after.GetCount());
    if (IsEmpty() || !m_bStopped || !IsSamePath(strFolderPath, m_strFolderPath)) {
        if (!Keep(strFolderPath, pBefore, pAfter, nCount, identities))
            return false;
        m_bStopped = bStopped;
        return true;
    }
    std::unordered_map<std::wstring, size_t> recorded;
    for (size_t k = 0; k < m_strNewNames.size(); ++k)
        recorded.emplace(m_strNewNames[k].str(), k);
    std::vector<bool> back(m_strNewNames.size(), false);
    bool bChanged = false;
    for (int i = 0; i < nCount; ++i) {
        if (pBefore[i].Compare(pAfter[i]) == 0)
            continue;
        bChanged = true;
        auto it = recorded.find(pBefore[i].str());
        if (it == recorded.end()) {
            m_strOldNames.push_back(pBefore[i]);
            m_strNewNames.push_back(pAfter[i]);
            m_identities.push_back(i < (int)identities.size() ? identities[i] : CFileIdentity());
            back.push_back(false);
            continue;
        }
        m_strNewNames[it->second] = pAfter[i];
        back[it->second] = m_strOldNames[it->second].Compare(pAfter[i]) == 0;
    }
    if (!bChanged)
        return false;
    size_t nKept = 0;
    for (size_t k = 0; k < m_strNewNames.size(); ++k)
        if (!back[k]) {
            m_strOldNames[nKept] = m_strOldNames[k];
            m_strNewNames[nKept] = m_strNewNames[k];
            m_identities[nKept] = m_identities[k];
            ++nKept;
        }
    m_strOldNames.resize(nKept);
    m_strNewNames.resize(nKept);
    m_identities.resize(nKept);
    m_bStopped = bStopped;
    return true;
}

CRenameRecord CRenameRecord::Stopped(const std::vector<RenameFailure>& failures) const
{
    CRenameRecord left;
    left.m_strFolderPath = m_strFolderPath;
    for (const RenameFailure& f : failures)
        if (f.dwError == ERROR_CANCELLED && f.nIndex >= 0 && f.nIndex < GetCount()) {
            left.m_strOldNames.push_back(m_strOldNames[f.nIndex]);
            left.m_strNewNames.push_back(m_strNewNames[f.nIndex]);
            left.m_identities.push_back(m_identities[f.nIndex]);
        }
    return left;
}

void CRenameRecord::Clear()
{
    m_strFolderPath.Empty();
    m_strOldNames.clear();
    m_strNewNames.clear();
    m_identities.clear();
    m_bStopped = false;
}

void CRenameRecord::FollowFolderRename(const CString& strOldPath, const CString& strNewPath)
{
    if (!IsEmpty())
        ::FollowFolderRename(m_strFolderPath, strOldPath, strNewPath);
}

std::vector<RenameFailure> CRenameRecord::TakeBack(std::vector<CString>& rNowNames, CRenameRun* pRun) const
{
    rNowNames = m_strNewNames;
    const int nCount = GetCount();
    // Only a file that is still the file the rename moved goes back: what
    // another program put under its new name since is left alone. The
    // folder is read once, for this check and for the moves.
    CFolderSnapshot snapshot(m_strFolderPath);
    std::vector<CString> wanted = m_strOldNames;
    std::vector<int> changed;
    for (int k = 0; k < nCount; ++k) {
        // A file a line moved into another folder is asked about on its own.
        const CFileIdentity now = LastPartStart(rNowNames[k]) == 0
                                      ? snapshot.IdentityOf(rNowNames[k])
                                      : GetFileIdentity(m_strFolderPath + rNowNames[k]);
        if (m_identities[k].IsKnown() && now.IsKnown() && now != m_identities[k]) {
            wanted[k] = rNowNames[k];
            changed.push_back(k);
        }
    }
    // The old names are names the files had on disk: they go back as they
    // were, even where a new name could not be spelt so.
    RenamePlan plan = PlanRenames(m_strFolderPath, rNowNames.data(), wanted.data(), nCount, NULL, false);
    for (int k : changed)
        plan.refusals.push_back({k, RENAME_ERROR_FILE_CHANGED});
    CRenameRun run;
    if (!pRun)
        pRun = &run;
    pRun->pSnapshot = &snapshot;
    std::vector<RenameFailure> failures =
        ApplyPlan(m_strFolderPath, plan, rNowNames.data(), m_strOldNames.data(), NULL, pRun);
    pRun->pSnapshot = NULL;
    return failures;
}

bool FollowFolderRename(CString& strFolderPath, const CString& strOldPath, const CString& strNewPath)
{
    const int nOld = strOldPath.GetLength();
    // The character after the old path tells whether a whole part ends there.
    if (nOld == 0 || strFolderPath.GetLength() <= nOld || strFolderPath.GetAt(nOld) != L'\\')
        return false;
    if (!IsSamePath(strFolderPath.Left(nOld), strOldPath))
        return false;
    strFolderPath = strNewPath + strFolderPath.Mid(nOld);
    return true;
}
