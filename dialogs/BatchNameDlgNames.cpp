// The name editor's menu: the edit control's own items, and the commands
// that make names from numbers, tags and letter case. Like the batch
// commands they change the editor's lines, never the disk.
#include <memory>

#include "dialogs/BatchNameDlg.h"
#include "dialogs/NumberDlg.h"
#include "dialogs/TagNameDlg.h"
#include "names/LetterCase.h"
#include "names/TagNaming.h"

namespace {

// The menu's edit items, each the message the edit control's own menu
// sends for it.
const struct {
    UINT nID;
    UINT message;
    LPARAM lParam;
} EDIT_ITEMS[] = {
    {ID_NAMES_EDIT_UNDO, EM_UNDO, 0},  {ID_NAMES_EDIT_CUT, WM_CUT, 0},     {ID_NAMES_EDIT_COPY, WM_COPY, 0},
    {ID_NAMES_EDIT_PASTE, WM_PASTE, 0}, {ID_NAMES_EDIT_DELETE, WM_CLEAR, 0}, {ID_NAMES_EDIT_SELECT_ALL, EM_SETSEL, -1},
};

}  // namespace

CMenu* CBatchNameDlg::LoadNamesMenu(CMenu& menu)
{
    if (!menu.LoadMenu(IDR_NAMES_MENU))
        return NULL;
    CMenu* pPopup = menu.GetSubMenu(0);
    int nStart = 0, nEnd = 0;
    m_editNames.GetSel(nStart, nEnd);
    const int nLength = m_editNames.GetWindowTextLength();
    const bool bSelection = nStart != nEnd;
    const bool bListed = !m_names.IsEmpty();
    // The edit items as the edit control's own menu has them.
    const struct {
        UINT nID;
        bool bEnabled;
    } states[] = {
        {ID_NAMES_EDIT_UNDO, m_editNames.CanUndo() != FALSE},
        {ID_NAMES_EDIT_CUT, bSelection},
        {ID_NAMES_EDIT_COPY, bSelection},
        {ID_NAMES_EDIT_PASTE, ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE},
        {ID_NAMES_EDIT_DELETE, bSelection},
        {ID_NAMES_EDIT_SELECT_ALL, nLength > 0 && (nStart > 0 || nEnd < nLength)},
        {ID_NAMES_PREVIEW, bListed},
        {ID_NAMES_NUMBER, bListed},
        {ID_NAMES_FROM_TAGS, bListed},
        {ID_NAMES_LOWER_CASE, bListed},
        {ID_NAMES_UPPER_CASE, bListed},
        {ID_NAMES_WORD_CASE, bListed},
    };
    for (const auto& s : states)
        pPopup->EnableMenuItem(s.nID, MF_BYCOMMAND | (s.bEnabled ? MF_ENABLED : MF_GRAYED));
    // The orders are never grayed: one chosen with nothing listed holds
    // for the next folder.
    pPopup->CheckMenuRadioItem(ID_NAMES_ORDER_NAME, ID_NAMES_ORDER_SIZE, ID_NAMES_ORDER_NAME + m_nOrder,
                               MF_BYCOMMAND);
    return pPopup;
}

// The name editor hands its context menu here (right-click, the menu key,
// Shift+F10); other windows keep theirs.
void CBatchNameDlg::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!pWnd || pWnd->GetSafeHwnd() != m_editNames.GetSafeHwnd()) {
        CDialog::OnContextMenu(pWnd, point);
        return;
    }
    // Work under way: a menu's own loop would hold it up.
    if (IsBusy())
        return;
    m_editNames.SetFocus();
    // From the keyboard: at the caret.
    if (point.x == -1 && point.y == -1) {
        ::GetCaretPos(&point);
        ::ClientToScreen(m_editNames.GetSafeHwnd(), &point);
    }
    ShowNamesMenu(point);
}

void CBatchNameDlg::ShowNamesMenu(CPoint point)
{
    CMenu menu;
    CMenu* pPopup = LoadNamesMenu(menu);
    auto destroy = AfxScopeExit([&menu] { menu.DestroyMenu(); });
    // The chosen item reaches the dialog as WM_COMMAND.
    if (pPopup)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

// The menu's edit items: the edit control does as its own menu would.
void CBatchNameDlg::OnNamesEditCommand(UINT nID)
{
    if (IsBusy())
        return;
    for (const auto& item : EDIT_ITEMS)
        if (item.nID == nID)
            m_editNames.SendMessage(item.message, 0, item.lParam);
}

// Command 2001: a number on every line, from the values of "번호 붙이기".
void CBatchNameDlg::OnNumberNames()
{
    RunLineCommand([this]() -> LineTransform {
        CString strText;
        m_editNames.GetWindowText(strText);
        CNumberDlg dlg(m_numbering, strText, this);
        if (dlg.DoModal() != IDOK)
            return LineTransform();
        const NumberingOptions options = m_numbering;
        return [options](int nLine, const CString& strLine) { return NumberLine(strLine, nLine, options); };
    });
}

// Command 2002: each listed file's line made from its tags in the format of
// "태그로 이름 짓기". The folder's listing is read as the dialog opens; the
// files' own tags only once a format needs them, the preview's few first.
void CBatchNameDlg::OnNamesFromTags()
{
    int nMissing = 0, nOnlineOnly = 0;
    bool bClosing = false;
    RunLineCommand([this, &nMissing, &nOnlineOnly, &bClosing]() -> LineTransform {
        auto fields = std::make_shared<CListedFields>();
        fields->ReadListing(m_tree.GetShellService(), m_names);
        CString strText;
        m_editNames.GetWindowText(strText);
        CTagNameDlg dlg(*fields, m_names, strText, m_strTagFormat, this);
        if (dlg.DoModal() != IDOK)
            return LineTransform();
        const CTagFormat format = dlg.GetFormat();
        if (format.NeedsFileTags()) {
            // Read as long work: a stopped reading changes nothing.
            bool bRead = false;
            bClosing = RunLongWork([&](CLongWork& work) { bRead = fields->ReadAllTags(work.AsProgress()); });
            if (!bRead || bClosing)
                return LineTransform();
        }
        // Line i is file i's; lines past the files keep their text.
        return [this, fields, format, &nMissing, &nOnlineOnly](int nLine, const CString& strLine) {
            if (nLine >= fields->GetCount())
                return strLine;
            bool bMissing = false;
            const CString strNew =
                TagNameLine(format, fields->Fields(nLine, false), m_names[nLine].strDiskName, strLine, &bMissing);
            if (bMissing)
                ++(fields->IsOnlineOnly(nLine) ? nOnlineOnly : nMissing);
            return strNew;
        };
    });
    if (bClosing) {
        EndDialog(IDCANCEL);
        return;
    }
    // One line for the files that lack a field, one for the online-only
    // files left unread.
    CString strText;
    for (const auto& count : {std::make_pair(nMissing, IDS_TAG_FIELDS_MISSING),
                              std::make_pair(nOnlineOnly, IDS_TAG_ONLINE_ONLY)}) {
        if (count.first == 0)
            continue;
        CString strLine;
        AfxFormatString1(strLine, count.second, std::to_wstring(count.first).c_str());
        if (!strText.IsEmpty())
            strText += L"\n";
        strText += strLine;
    }
    if (!strText.IsEmpty())
        ShowMessage(strText, AfxLoadText(IDS_RENAME_CAPTION), MB_OK | MB_ICONINFORMATION);
}

// Commands 2003-2005: the letter case of every name before its extension.
void CBatchNameDlg::OnLetterCase(UINT nID)
{
    const LetterCase nCase = nID == ID_NAMES_LOWER_CASE   ? LETTERS_LOWER
                             : nID == ID_NAMES_UPPER_CASE ? LETTERS_UPPER
                                                          : LETTERS_WORDS;
    RunBatchCommand([nCase]() -> NameTransform {
        return [nCase](const CString& strName) { return ChangeLetterCase(strName, nCase); };
    });
}
