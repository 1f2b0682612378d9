// Opening a folder from where the user already is: the path the program was
// started with (Explorer's menu, Send To, a command line), a drop from
// Explorer, and the system-menu command that adds Explorer's menu entries.
#include "dialogs/BatchNameDlg.h"

#include "platform/ExplorerMenu.h"
#include "platform/FileSystem.h"
#include "platform/NameParts.h"
#include "platform/PathArgument.h"

// Runs once the window shows (posted by the initialisation). Steps that
// must come before the start path opens go ahead of it here.
LRESULT CBatchNameDlg::OnAfterShown(WPARAM wParam, LPARAM lParam)
{
    // The window is drawn before the tree opens, and owns any message.
    UpdateWindow();
    // A rename that never ended is settled before any folder lists.
    RecoverRenames();
    const CString strStartPath = m_strStartPath;
    m_strStartPath.Empty();
    if (!strStartPath.IsEmpty())
        OpenPath(strStartPath);
    return 0;
}

void CBatchNameDlg::OpenPath(const CString& strPath)
{
    if (IsBusy())
        return;
    const CPathArgument target = ResolvePathArgument(strPath);
    const CString strCaption = AfxLoadText(IDS_RENAME_CAPTION);
    if (target.kind == PATH_ARGUMENT_NONE)
        return;
    if (target.kind == PATH_ARGUMENT_NETWORK) {
        ShowMessage(AfxLoadText(IDS_NETWORK_PATH), strCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // A file opens its folder.
    CString strFolder = target.strPath, strFile;
    if (target.kind == PATH_ARGUMENT_FILE) {
        const int nSep = LastPartStart(strFolder);
        strFile = strFolder.Mid(nSep);
        strFolder = strFolder.Left(nSep);
    }
    HTREEITEM hItem = target.kind == PATH_ARGUMENT_MISSING ? NULL : m_tree.OpenFolderPath(strFolder);
    if (!hItem) {
        CString strText;
        AfxFormatString1(strText, IDS_PATH_NOT_FOUND, target.strPath);
        ShowMessage(strText, strCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Selected as a click selects it: the selection lists its files.
    m_tree.SelectItem(hItem);
    m_tree.SendMessage(TVM_ENSUREVISIBLE, 0, (LPARAM)hItem);
    if (!strFile.IsEmpty())
        PutCaretOnFile(strFile);
}

void CBatchNameDlg::PutCaretOnFile(const CString& strDiskName)
{
    // The exact name first, else the one that differs in letter case only.
    int nLine = -1;
    for (int i = 0; i < m_names.GetCount(); ++i) {
        if (m_names[i].strDiskName == strDiskName) {
            nLine = i;
            break;
        }
        if (nLine < 0 && IsSameFileName(m_names[i].strDiskName, strDiskName))
            nLine = i;
    }
    const int nChar = nLine < 0 ? 0 : m_editNames.LineIndex(nLine);
    m_editNames.SetFocus();
    m_editNames.SetSel(nChar, nChar);
    m_editNames.SendMessage(EM_SCROLLCARET);
}

// A file or folder was dropped on the window (from Explorer): the first
// one opens as a path given on the command line does.
void CBatchNameDlg::OnDropFiles(HDROP hDropInfo)
{
    CString strPath;
    // Not while long work runs, nor under a dialog of ours (the window is
    // disabled then): either works on the folder listed now.
    if (!IsBusy() && IsWindowEnabled()) {
        const UINT nLength = ::DragQueryFileW(hDropInfo, 0, NULL, 0);
        if (nLength > 0) {
            ::DragQueryFileW(hDropInfo, 0, strPath.GetBuffer((int)nLength + 1), nLength + 1);
            strPath.ReleaseBuffer();
        }
    }
    // The drop's memory is ours to free, whether it is taken or not.
    ::DragFinish(hDropInfo);
    if (!strPath.IsEmpty())
        OpenPath(strPath);
}

void CBatchNameDlg::OnExplorerMenu()
{
    const CString strExePath = ThisProgramPath();
    const DWORD dwError = HasExplorerMenu(strExePath)
                              ? RemoveExplorerMenu()
                              : AddExplorerMenu(strExePath, AfxLoadText(IDS_EXPLORER_MENU_TEXT));
    UpdateExplorerMenuItem();
    if (dwError != ERROR_SUCCESS) {
        CString strText;
        AfxFormatString1(strText, IDS_EXPLORER_MENU_FAILED, CString::FormatMessageText(dwError));
        ShowMessage(strText, AfxLoadText(IDS_RENAME_CAPTION), MB_OK | MB_ICONHAND);
    }
}

void CBatchNameDlg::UpdateExplorerMenuItem()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (!pSysMenu)
        return;
    const UINT nText = HasExplorerMenu(ThisProgramPath()) ? IDS_EXPLORER_MENU_REMOVE : IDS_EXPLORER_MENU_ADD;
    ::ModifyMenuW(pSysMenu->m_hMenu, IDM_EXPLORER_MENU, MF_BYCOMMAND | MF_STRING, IDM_EXPLORER_MENU,
                  AfxLoadText(nText));
}

// A menu of the window is about to open: the system menu's item follows
// the entries as they are now (another copy may have changed them).
LRESULT CBatchNameDlg::OnInitMenu(WPARAM wParam, LPARAM lParam)
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu && (HMENU)wParam == pSysMenu->m_hMenu)
        UpdateExplorerMenuItem();
    return Default();
}
