// Drives the real main dialog the way a user does: through its tree, its
// controls and the keys its modal loop would pass on.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/BatchNameDlg.h"

// The dialog, created modeless from its template; the members stay
// reachable for checks.
class TestBatchNameDlg : public CBatchNameDlg {
public:
    TestBatchNameDlg();
    ~TestBatchNameDlg() override;

    // The dialog's own state, for checks.
    using CBatchNameDlg::m_brushes;
    using CBatchNameDlg::m_editNames;
    using CBatchNameDlg::m_names;
    using CBatchNameDlg::m_nOrder;
    using CBatchNameDlg::m_tree;
    using CBatchNameDlg::m_undo;
    // Stops the long work under way, as the progress window's stop button
    // does.
    void StopWork()
    {
        if (m_pWork)
            m_pWork->RequestStop();
    }

    // Opens each label in turn below the desktop item, as the user does
    // with the "+" key, and selects the last one; NULL when one is missing.
    HTREEITEM SelectDesktopPath(const std::vector<std::wstring>& labels);
    void OpenItem(HTREEITEM hItem);
    void CloseItem(HTREEITEM hItem);
    HTREEITEM ChildByLabel(HTREEITEM hParent, const std::wstring& label);

    CString EditorText();
    void SetEditorText(const CString& text);
    // A list of nCount names with text in the name editor, and no folder.
    // The tree takes the focus first: a tree that gets the focus selects
    // and loads its first item, which would overwrite the list later.
    void SetList(int nCount, const CString& text);
    // A click on a button of the dialog.
    void Click(int nID);
    // A key pressed in the window hWnd, passed through the dialog's
    // pre-translation exactly as the modal loop passes it.
    void PressKey(HWND hWnd, UINT vk);
    bool UndoEnabled() { return ::IsWindowEnabled(::GetDlgItem(m_hWnd, IDC_UNDO)) != 0; }
    // The system menu's item that takes back the last rename: chosen as the
    // menu sends it, and whether it can be chosen (not grayed).
    void TakeBack() { SendMessage(WM_SYSCOMMAND, IDM_UNDO_RENAME, 0); }
    bool TakeBackEnabled();
    HWND Item(int nID) { return ::GetDlgItem(m_hWnd, nID); }
};

// The dialog with the texts of its message boxes kept instead of shown.
// A question (Yes and No, or Yes, No and Cancel) is kept apart and answered
// with answer.
class QuietBatchNameDlg : public TestBatchNameDlg {
public:
    std::vector<std::wstring> messages;
    std::vector<UINT> messageTypes;
    std::vector<std::wstring> questions;
    int answer = IDYES;

    // The rename as the user's "이름바꾸기" click, answering its question.
    void Rename(int nAnswer)
    {
        answer = nAnswer;
        Click(IDC_RENAME);
    }

protected:
    int ShowMessage(const CString& strText, const CString& strCaption, UINT nType) override
    {
        if ((nType & MB_TYPEMASK) == MB_YESNO || (nType & MB_TYPEMASK) == MB_YESNOCANCEL) {
            questions.push_back(strText.str());
            return answer;
        }
        messages.push_back(strText.str());
        messageTypes.push_back(nType);
        return IDOK;
    }
};

// Runs action on its own thread once a top-level window of this process
// with the given caption is visible (or after timeoutMs without one), while
// the test thread sits in a modal loop.
class WhenWindowAppears {
public:
    WhenWindowAppears(const CString& caption, std::function<void(HWND)> action, int timeoutMs = 10000);
    ~WhenWindowAppears();
    bool Seen() const { return m_seen; }

private:
    std::thread m_thread;
    std::atomic<bool> m_seen{false};
};
