// The window framework's error and clean-up paths: a handler that throws,
// temporary window objects, a dialog bound to a control it does not have.
#include <gtest/gtest.h>

#include <stdexcept>
#include <typeinfo>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

// A tree whose label-edit and last-message handlers throw.
class CThrowingTree : public CTreeCtrl {
public:
    int nBeginEdits = 0;

protected:
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++nBeginEdits;
        throw std::runtime_error("label edit");
    }
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam) { throw std::runtime_error("last message"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, OnBeginLabelEdit)
    ON_MESSAGE(WM_NCDESTROY, OnNcDestroy)
END_MESSAGE_MAP()

// A dialog that binds a control its template does not have.
class CMissingControlDlg : public CDialog {
public:
    CMissingControlDlg() : CDialog(IDD_MANUAL_DIALOG) {}
    CButton m_btnMissing;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 4242, m_btnMissing); }
};

// The main dialog, run modally, whose key pre-translation throws on Enter:
// an Enter in the name editor, then the window closed, both through the
// modal loop; what the editor holds is kept as the window closes.
class CThrowingKeysDlg : public CBatchNameDlg {
public:
    int nThrown = 0;
    CString strTextAtClose;

protected:
    BOOL OnInitDialog() override
    {
        CBatchNameDlg::OnInitDialog();
        ::PostMessageW(m_editNames, WM_KEYDOWN, VK_RETURN, 1);
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
            ++nThrown;
            throw std::runtime_error("enter");
        }
        return CBatchNameDlg::PreTranslateMessage(pMsg);
    }
    void OnClose()
    {
        m_editNames.GetWindowText(strTextAtClose);
        CBatchNameDlg::OnClose();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingKeysDlg, CBatchNameDlg)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

}  // namespace

// The exception stays in the loop; the Enter is swallowed, not dispatched
// (the editor would have taken a line break); closing still ends the run.
TEST(PreTranslation, AThrowingPreTranslationSwallowsItsMessageAndTheLoopGoesOn)
{
    CThrowingKeysDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.nThrown, 1);
    EXPECT_STREQ(dlg.strTextAtClose, L"");
}

TEST(WindowProcedure, AThrowingHandlerRefusesTheEditAndTheWindowStillLeavesTheMap)
{
    PumpMessages();
    const int nBoundBefore = AfxGetWndMapCounts().nPermanent;
    {
        CWnd frame;
        CRect rc(0, 0, 300, 300);
        ASSERT_TRUE(frame.CreateEx(0, NULL, L"throwing tree", WS_OVERLAPPEDWINDOW, rc, NULL, 0));
        CThrowingTree tree;
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, rc, &frame, 1000));
        HTREEITEM hItem = tree.InsertItem(L"item");
        tree.SetFocus();

        // Refused, not allowed: the handler never approved the edit.
        EXPECT_EQ(tree.EditLabel(hItem), (CEdit*)NULL);
        EXPECT_EQ(tree.nBeginEdits, 1);
        EXPECT_EQ(tree.GetEditControl(), (CEdit*)NULL);
        // And the program goes on: the tree still answers, and refuses again.
        EXPECT_TRUE(tree.InsertItem(L"second"));
        EXPECT_EQ(tree.GetCount(), 2u);
        EXPECT_EQ(tree.EditLabel(hItem), (CEdit*)NULL);
        EXPECT_EQ(tree.nBeginEdits, 2);

        // A notification the tree sent, forwarded to a window that is not
        // its parent, is that window's own: it is not reflected back.
        CWnd other;
        ASSERT_TRUE(other.CreateEx(0, NULL, L"other", WS_OVERLAPPEDWINDOW, rc, NULL, 0));
        NMTVDISPINFO info = {};
        info.hdr.hwndFrom = tree.m_hWnd;
        info.hdr.idFrom = 1000;
        info.hdr.code = TVN_BEGINLABELEDIT;
        other.SendMessage(WM_NOTIFY, 1000, (LPARAM)&info);
        EXPECT_EQ(tree.nBeginEdits, 2);
        other.DestroyWindow();

        // The tree's last message throws too: it is unbound all the same.
        frame.DestroyWindow();
        EXPECT_EQ(tree.m_hWnd, (HWND)NULL);
        EXPECT_EQ(frame.m_hWnd, (HWND)NULL);
        PumpMessages();
        CWndMapCounts counts = AfxGetWndMapCounts();
        EXPECT_EQ(counts.nGone, 0);
        EXPECT_EQ(counts.nPermanent, nBoundBefore);
    }
}

TEST(WindowProcedure, ManyLabelEditsLeaveNoTemporaryObjectsBehind)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"inner"));
    HTREEITEM hInner = dlg.SelectDesktopPath({folder.Name(), L"inner"});
    ASSERT_TRUE(hInner);

    int nAfterFirst = -1;
    for (int i = 0; i < 30; ++i) {
        dlg.m_tree.SetFocus();
        CEdit* pEdit = dlg.m_tree.EditLabel(hInner);
        ASSERT_TRUE(pEdit != NULL) << i;
        // The editor is asked for as an edit control, and is one.
        EXPECT_TRUE(typeid(*dlg.m_tree.GetEditControl()) == typeid(CEdit));
        // Each edit has a window of its own; ending it unchanged asks the
        // tree for it once more.
        dlg.m_tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE, 0);
        PumpMessages();
        if (i == 0)
            nAfterFirst = AfxGetWndMapCounts().nTemporary;
    }
    CWndMapCounts counts = AfxGetWndMapCounts();
    EXPECT_LE(counts.nTemporary, nAfterFirst);
    EXPECT_EQ(counts.nGone, 0);
    EXPECT_STREQ(dlg.m_tree.GetItemText(hInner), L"inner");
}

TEST(DialogData, AMissingControlIsReportedWithItsIdAndTheDialogNeverOpens)
{
    MessageBoxWatcher boxes;
    CMissingControlDlg dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
    EXPECT_EQ(dlg.m_btnMissing.m_hWnd, (HWND)NULL);
    auto seen = boxes.Boxes();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, Text(IDS_PROGRAM_ERROR_CAPTION));
    EXPECT_EQ(seen[0].text, Text(IDS_NO_CONTROL, {L"4242"}));
    EXPECT_EQ(AfxGetWndMapCounts().nGone, 0);
}
