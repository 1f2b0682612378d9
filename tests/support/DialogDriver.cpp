#include "DialogDriver.h"

#include "TestSupport.h"

TestBatchNameDlg::TestBatchNameDlg()
{
    Create(IDD_BATCHNAME_DIALOG);
    AfxGetApp()->m_pMainWnd = this;
}

TestBatchNameDlg::~TestBatchNameDlg()
{
    if (AfxGetApp()->m_pMainWnd == this)
        AfxGetApp()->m_pMainWnd = NULL;
    DestroyWindow();
}

bool IsOpenItem(CTreeCtrl& tree, HTREEITEM hItem)
{
    return (tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// The tree view tells its parent of an opening or closing made with the
// keyboard, whereas TVM_EXPAND may not notify at all.
void TestBatchNameDlg::OpenItem(HTREEITEM hItem)
{
    m_tree.SelectItem(hItem);
    if (!IsOpenItem(m_tree, hItem))
        m_tree.SendMessage(WM_KEYDOWN, VK_ADD, 0);
}

void TestBatchNameDlg::CloseItem(HTREEITEM hItem)
{
    m_tree.SelectItem(hItem);
    if (IsOpenItem(m_tree, hItem))
        m_tree.SendMessage(WM_KEYDOWN, VK_SUBTRACT, 0);
}

HTREEITEM TestBatchNameDlg::ChildByLabel(HTREEITEM hParent, const std::wstring& label)
{
    for (HTREEITEM h = m_tree.GetChildItem(hParent); h; h = m_tree.GetNextSiblingItem(h))
        if (m_tree.GetItemText(h).str() == label)
            return h;
    return NULL;
}

HTREEITEM TestBatchNameDlg::SelectDesktopPath(const std::vector<std::wstring>& labels)
{
    HTREEITEM h = m_tree.GetDesktopItem();
    for (size_t i = 0; i < labels.size(); ++i) {
        OpenItem(h);
        h = ChildByLabel(h, labels[i]);
        if (!h)
            return NULL;
    }
    m_tree.SelectItem(h);
    return h;
}

CString TestBatchNameDlg::EditorText()
{
    CString s;
    m_editNames.GetWindowText(s);
    return s;
}

void TestBatchNameDlg::SetEditorText(const CString& text)
{
    m_editNames.SetWindowText(text);
}

void TestBatchNameDlg::SetList(int nCount, const CString& text)
{
    ::SetFocus(Item(IDC_TREE));
    PumpMessages();
    m_names.Reset();
    for (int i = 0; i < nCount; ++i)
        m_names.Add(CString());
    SetEditorText(text);
}

void TestBatchNameDlg::Click(int nID)
{
    SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)Item(nID));
}

void TestBatchNameDlg::PressKey(HWND hWnd, UINT vk)
{
    ::SetFocus(hWnd);
    const UINT msgs[] = {WM_KEYDOWN, WM_KEYUP};
    for (UINT m : msgs) {
        MSG msg = {};
        msg.hwnd = hWnd;
        msg.message = m;
        msg.wParam = vk;
        msg.lParam = m == WM_KEYUP ? 0xC0000001 : 1;
        AfxDispatchMessage(&msg, m_hWnd);
    }
    PumpMessages();
}

bool TestBatchNameDlg::TakeBackEnabled()
{
    UINT state = ::GetMenuState(::GetSystemMenu(m_hWnd, FALSE), IDM_UNDO_RENAME, MF_BYCOMMAND);
    return state != (UINT)-1 && !(state & (MF_GRAYED | MF_DISABLED));
}

WhenWindowAppears::WhenWindowAppears(const CString& caption, std::function<void(HWND)> action, int timeoutMs)
{
    std::wstring text = caption.str();
    m_thread = std::thread([this, text, action, timeoutMs] {
        DWORD end = GetTickCount() + timeoutMs;
        while ((int)(end - GetTickCount()) > 0) {
            // Other tests may show a window of the same caption.
            for (HWND h = FindWindowExW(NULL, NULL, NULL, text.c_str()); h;
                 h = FindWindowExW(NULL, h, NULL, text.c_str())) {
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                if (pid == GetCurrentProcessId() && IsWindowVisible(h)) {
                    m_seen = true;
                    action(h);
                    return;
                }
            }
            Sleep(10);
        }
    });
}

WhenWindowAppears::~WhenWindowAppears()
{
    m_thread.join();
}
