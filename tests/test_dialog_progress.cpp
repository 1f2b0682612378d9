// Long work through the real dialog, made slow by a hook in the platform's
// rename (20 ms a move): the progress window, a window that stays alive,
// and stops that come between moves, from the stop button or from closing
// the main window.
#include <gtest/gtest.h>

#include <atomic>

#include "names/RenamePlan.h"
#include "platform/JournalStore.h"
#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

typedef std::vector<std::wstring> Names;

std::atomic<int> g_nMoves{0};
int g_nStopAt = 0;
// At g_nStopAt: the stop button is clicked (both NULL), the dialog is told
// to stop at once, or the dialog g_hDlg is sent g_nStopMessage (closing the
// window, the session ending).
TestBatchNameDlg* g_pStopNow = NULL;
HWND g_hDlg = NULL;
UINT g_nStopMessage = 0;
// At g_nKeysAt, before the progress window shows: Escape in the name box
// (which an edit box in a dialog turns into closing it), and Windows asking
// whether the session may end.
int g_nKeysAt = 0;
LRESULT g_nQueryAnswer = -1;

// The dialog, noting whether a rename journal is on the disk when it shows
// a message.
struct JournalWatchingDlg : QuietBatchNameDlg {
    bool bJournalAtMessage = false;
    int ShowMessage(const CString& strText, const CString& strCaption, UINT nType) override
    {
        bJournalAtMessage = !FindJournalFiles().empty();
        return QuietBatchNameDlg::ShowMessage(strText, strCaption, nType);
    }
};

// Before each move: 20 ms, and at move g_nStopAt a stop.
void SlowMove()
{
    const int n = ++g_nMoves;
    Sleep(20);
    if (n == g_nKeysAt) {
        PostMessageW(GetDlgItem(g_hDlg, IDC_NAMES_EDIT), WM_KEYDOWN, VK_ESCAPE, 0);
        g_nQueryAnswer = SendMessageW(g_hDlg, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
    }
    if (n != g_nStopAt)
        return;
    if (g_pStopNow) {
        g_pStopNow->StopWork();
        return;
    }
    if (g_nStopMessage) {
        PostMessageW(g_hDlg, g_nStopMessage, TRUE, 0);
        return;
    }
    HWND hProgress = FindWindowW(NULL, L"진행 중");
    PostMessageW(hProgress, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_STOP, BN_CLICKED),
                 (LPARAM)GetDlgItem(hProgress, IDC_PROGRESS_STOP));
}

// The files of the folder: how many have the new names ("g..."), and that
// no temporary name is left.
int Renamed(const std::wstring& folder)
{
    int n = 0;
    for (const std::wstring& name : ListFileNames(folder)) {
        EXPECT_NE(name.compare(0, wcslen(RENAME_TEMP_PREFIX), RENAME_TEMP_PREFIX), 0) << name;
        n += name[0] == L'g';
    }
    return n;
}

}  // namespace

TEST(LongWork, ProgressShowsTheWindowAnswersAndAStopComesBetweenMoves)
{
    const int N = 150;
    auto dlg = std::make_unique<JournalWatchingDlg>();
    DesktopFolder folder(dlg->m_tree.GetDesktopPath().str());
    Names files;
    std::wstring text;
    for (int i = 0; i < N; ++i) {
        files.push_back(L"f" + std::to_wstring(1000 + i) + L".txt");
        text += L"g" + std::to_wstring(1000 + i) + L".txt\r\n";
    }
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), files));
    ASSERT_TRUE(dlg->SelectDesktopPath({folder.Name()}));
    dlg->SetEditorText(text.c_str());
    g_hDlg = dlg->m_hWnd;
    SetBeforeMoveHook(SlowMove);
    auto unhook = AfxScopeExit([] { SetBeforeMoveHook(NULL); });

    // The window appears with its own controls; the main window answers
    // another thread while moves remain.
    std::atomic<bool> bAnswered{false};
    std::atomic<int> nMovesAtAnswer{0};
    std::wstring barClass;
    WhenWindowAppears progress(L"진행 중", [&](HWND hWnd) {
        wchar_t cls[64] = L"";
        GetClassNameW(GetDlgItem(hWnd, IDC_PROGRESS_BAR), cls, 64);
        barClass = cls;
        DWORD_PTR result = 0;
        bAnswered = SendMessageTimeoutW(dlg->m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
        nMovesAtAnswer = g_nMoves.load();
    });
    g_nStopAt = 40;
    dlg->Click(IDC_RENAME);
    EXPECT_TRUE(progress.Seen());
    EXPECT_EQ(barClass, L"msctls_progress32");
    EXPECT_TRUE(bAnswered);
    EXPECT_LT(nMovesAtAnswer.load(), N);
    // The stop took effect at the next step: every file renamed or
    // reported, the stopped ones counted in one line.
    const int nRenamed = Renamed(folder.Path());
    EXPECT_EQ(nRenamed, 40);
    ASSERT_EQ(dlg->messages.size(), 1u);
    EXPECT_EQ(dlg->messages[0], Text(IDS_RENAME_REPORT, {std::to_wstring(N), std::to_wstring(N - nRenamed)}) +
                                    L"\n" + Text(IDS_REPORT_STOPPED, {std::to_wstring(N - nRenamed)}));
    EXPECT_TRUE(IsWindowEnabled(dlg->m_hWnd));

    // Pressed again, the button finishes the rest. Neither the keys nor the
    // session's question stop it, and the record grows by what it renames.
    dlg->SetEditorText(text.c_str());
    // A key typed in the box first goes through the dialog's keys, which
    // puts the edit box in its dialog mode, where Escape closes the dialog.
    MSG typed = {dlg->Item(IDC_NAMES_EDIT), WM_KEYDOWN, VK_END, 0, 0, {0, 0}};
    IsDialogMessageW(dlg->m_hWnd, &typed);
    g_nMoves = 0;
    g_nStopAt = 0;
    g_nKeysAt = 2;
    dlg->Click(IDC_RENAME);
    g_nKeysAt = 0;
    ASSERT_NE(dlg->m_hWnd, (HWND)NULL);
    EXPECT_EQ(g_nQueryAnswer, FALSE);
    EXPECT_EQ(Renamed(folder.Path()), N);
    EXPECT_EQ(dlg->messages.size(), 1u);

    // A take-back stopped in its turn keeps the files it did not take back,
    // and takes them back next time: both renames, as one.
    g_nMoves = 0;
    g_nStopAt = 10;
    g_pStopNow = dlg.get();
    dlg->TakeBack();
    g_pStopNow = NULL;
    EXPECT_EQ(Renamed(folder.Path()), N - 10);
    EXPECT_TRUE(dlg->TakeBackEnabled());
    g_nStopAt = 0;
    dlg->TakeBack();
    EXPECT_EQ(Renamed(folder.Path()), 0);
    EXPECT_EQ(ListFileNames(folder.Path()), files);

    // The session ending brings the rename to its stop point, and takes its
    // journal away before the program may be ended.
    dlg->messages.clear();
    dlg->SetEditorText(text.c_str());
    g_nMoves = 0;
    g_nStopAt = 20;
    g_nStopMessage = WM_ENDSESSION;
    dlg->Click(IDC_RENAME);
    g_nStopMessage = 0;
    g_nStopAt = 0;
    EXPECT_EQ(dlg->messages.size(), 1u);
    EXPECT_FALSE(dlg->bJournalAtMessage);
    EXPECT_EQ(Renamed(folder.Path()), 20);
    dlg->TakeBack();
    EXPECT_EQ(ListFileNames(folder.Path()), files);

    // Closing the main window stops the work the same way; the window
    // closes then, without a report.
    ASSERT_TRUE(dlg->SelectDesktopPath({folder.Name()}));
    dlg->SetEditorText(text.c_str());
    dlg->messages.clear();
    g_nMoves = 0;
    g_nStopAt = 40;
    g_nStopMessage = WM_CLOSE;
    dlg->Click(IDC_RENAME);
    g_nStopMessage = 0;
    EXPECT_EQ(Renamed(folder.Path()), 40);
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_EQ(dlg->m_hWnd, (HWND)NULL);
}
