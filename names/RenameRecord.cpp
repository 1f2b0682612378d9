#include "names/RenameRecord.h"

#include "names/RenamePlan.h"
#include "platform/PathIdentity.h"

bool CRenameRecord::Keep(const CString& strFolderPath, const CString* pBefore, const CString* pAfter, int nCount)
{
    std::vector<CString> oldNames, newNames;
    for (int i = 0; i < nCount; ++i) {
        if (pBefore[i].Compare(pAfter[i]) == 0)
            continue;
        oldNames.push_back(pBefore[i]);
        newNames.push_back(pAfter[i]);
    }
    if (newNames.empty())
        return false;
    m_strFolderPath = strFolderPath;
    m_strOldNames.swap(oldNames);
    m_strNewNames.swap(newNames);
    return true;
}

void CRenameRecord::Clear()
{
    m_strFolderPath.Empty();
    m_strOldNames.clear();
    m_strNewNames.clear();
}

void CRenameRecord::FollowFolderRename(const CString& strOldPath, const CString& strNewPath)
{
    if (!IsEmpty())
        ::FollowFolderRename(m_strFolderPath, strOldPath, strNewPath);
}

std::vector<RenameFailure> CRenameRecord::TakeBack(std::vector<CString>& rNowNames) const
{
    rNowNames = m_strNewNames;
    const int nCount = GetCount();
    // The old names are names the files had on disk: they go back as they
    // were, even where a new name could not be spelt so.
    RenamePlan plan = PlanRenames(m_strFolderPath, rNowNames.data(), m_strOldNames.data(), nCount, NULL, false);
    return ApplyPlan(m_strFolderPath, plan, rNowNames.data(), m_strOldNames.data());
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
