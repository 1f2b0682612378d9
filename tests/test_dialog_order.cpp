// The preview of a rename and the list's order, in the real main dialog:
// the preview shows what the rename then does, refusals with the report's
// own reasons; an order moves each line with its file, undoably.
#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

typedef std::vector<std::wstring> Names;

std::wstring ItemText(HWND hDlg, int nID)
{
    wchar_t buf[1024] = L"";
    GetDlgItemTextW(hDlg, nID, buf, 1024);
    return buf;
}

// The rows of the preview's list view, each as "old|new|note", read as
// the list view gets them.
Names PreviewRows(HWND hDlg)
{
    HWND hList = GetDlgItem(hDlg, IDC_PREVIEW_LIST);
    Names rows;
    const int nRows = (int)SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < nRows; ++i) {
        std::wstring row;
        for (int nCol = 0; nCol < 3; ++nCol) {
            wchar_t buf[1024] = L"";
            LVITEMW item = {};
            item.iSubItem = nCol;
            item.pszText = buf;
            item.cchTextMax = 1024;
            SendMessageW(hList, LVM_GETITEMTEXTW, i, (LPARAM)&item);
            row += (nCol ? L"|" : L"") + std::wstring(buf);
        }
        rows.push_back(row);
    }
    return rows;
}

class OrderDialog : public testing::Test {
protected:
    void Load(const Names& files)
    {
        ASSERT_TRUE(WriteNamedFiles(m_root.Path(), files));
        ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name()}));
    }

    QuietBatchNameDlg m_dlg;
    DesktopFolder m_root{m_dlg.m_tree.GetDesktopPath().str()};
};

}  // namespace

TEST_F(OrderDialog, ThePreviewShowsTheFinalNamesAndTheReportsReasonsAndItsButtonRenames)
{
    Load({L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt"});
    // A swap, a refused name, a chain, and one line more than the files.
    m_dlg.SetEditorText(L"b.txt\r\na.txt\r\nbad?.txt\r\ne.txt\r\nf.txt\r\nextra.txt\r\n");
    std::wstring summary;
    Names rows;
    WhenWindowAppears when(L"바뀔 이름 보기", [&](HWND hDlg) {
        summary = ItemText(hDlg, IDC_PREVIEW_SUMMARY);
        rows = PreviewRows(hDlg);
        PostMessageW(hDlg, WM_COMMAND, IDC_PREVIEW_RENAME, 0);
    });
    m_dlg.answer = IDYES;
    m_dlg.SendMessage(WM_COMMAND, ID_NAMES_PREVIEW, 0);
    ASSERT_TRUE(when.Seen());

    const std::wstring question = Text(IDS_SHIFTED_LINES_QUESTION, {L"5", L"6"});
    EXPECT_EQ(summary, Text(IDS_PREVIEW_COUNT, {L"4"}) + L"\r\n" + question.substr(0, question.find(L'\n')));
    // Its rename asked the main button's question, and did what the
    // preview showed; the report gives the refusal's reason word for word.
    ASSERT_EQ(m_dlg.questions, Names{question});
    ASSERT_EQ(rows.size(), 5u);
    const std::wstring refusal = rows[2];
    const std::wstring reason = refusal.substr(refusal.rfind(L'|') + 1);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(rows, (Names{L"a.txt|b.txt|", L"b.txt|a.txt|", L"c.txt|bad?.txt|" + reason, L"d.txt|e.txt|",
                           L"e.txt|f.txt|"}));
    ASSERT_EQ(m_dlg.messages.size(), 1u);
    EXPECT_NE(m_dlg.messages[0].find(Text(IDS_REPORT_LINE, {L"c.txt", L"bad?.txt", reason})), std::wstring::npos)
        << m_dlg.messages[0];
    EXPECT_EQ(ListFileNames(m_root.Path()), (Names{L"a.txt", L"b.txt", L"c.txt", L"e.txt", L"f.txt"}));
    EXPECT_EQ(ReadFileText(m_root / L"a.txt"), L"b.txt");
    EXPECT_EQ(ReadFileText(m_root / L"f.txt"), L"e.txt");
}

TEST_F(OrderDialog, AnOrderMovesEachLineWithItsFileAndItsUndoPutsBothBack)
{
    Load({L"track 1.txt", L"track 10.txt", L"track 2.txt"});
    m_dlg.SetEditorText(L"one.txt\r\nten.txt\r\ntwo.txt\r\n");
    m_dlg.SendMessage(WM_COMMAND, ID_NAMES_ORDER_EXPLORER, 0);
    EXPECT_STREQ(m_dlg.EditorText(), L"one.txt\r\ntwo.txt\r\nten.txt\r\n");
    EXPECT_STREQ(m_dlg.m_names[1].strDiskName, L"track 2.txt");
    m_dlg.Click(IDC_UNDO);
    EXPECT_EQ(m_dlg.m_nOrder, ORDER_BY_NAME);
    EXPECT_FALSE(m_dlg.UndoEnabled());
    m_dlg.Rename(IDYES);
    EXPECT_TRUE(m_dlg.questions.empty());
    EXPECT_TRUE(m_dlg.messages.empty());
    EXPECT_EQ(ReadFileText(m_root / L"one.txt"), L"track 1.txt");
    EXPECT_EQ(ReadFileText(m_root / L"ten.txt"), L"track 10.txt");
    EXPECT_EQ(ReadFileText(m_root / L"two.txt"), L"track 2.txt");
}
