#include "dialogs/TagNameDlg.h"

#include "names/NameList.h"

namespace {

// The first is the default.
const wchar_t* const FORMAT_PRESETS[] = {L"%track% %title%", L"%artist% - %title%", L"%track% %artist% - %title%",
                                         L"%album% %track% %title%", L"%date% %time%"};
// Files whose tags one preview reads at most, so that typing a format in a
// folder of untagged files does not read them all; the reading for the
// names themselves runs as long work.
const int PREVIEW_READS = 20;

}  // namespace

CTagNameDlg::CTagNameDlg(CListedFields& fields, const CNameList& names, const CString& strText,
                         CString& strFormat, CWnd* pParent)
    : CDialog(IDD, pParent), m_fields(fields), m_names(names), m_lines(SplitLines(strText)),
      m_strFormat(strFormat)
{
}

void CTagNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAG_FORMAT, m_comboFormat);
    DDX_Control(pDX, IDC_TAG_PREVIEW, m_staticPreview);
}

BEGIN_MESSAGE_MAP(CTagNameDlg, CDialog)
    ON_CBN_EDITCHANGE(IDC_TAG_FORMAT, OnEditChangeFormat)
    ON_CBN_SELCHANGE(IDC_TAG_FORMAT, OnSelChangeFormat)
END_MESSAGE_MAP()

// Shows the presets, and the format last taken in this run (the default at
// first).
BOOL CTagNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const wchar_t* pszPreset : FORMAT_PRESETS)
        m_comboFormat.AddString(pszPreset);
    if (m_strFormat.IsEmpty())
        m_strFormat = FORMAT_PRESETS[0];
    m_comboFormat.SetWindowText(m_strFormat);
    ShowPreview(m_strFormat);
    return TRUE;
}

CString CTagNameDlg::ParseFormat(const CString& strFormat)
{
    std::wstring unknown;
    if (m_format.Parse(strFormat.str(), unknown))
        return CString();
    CString strMessage;
    AfxFormatString1(strMessage, IDS_TAG_UNKNOWN_FIELD, (L"%" + unknown + L"%").c_str());
    return strMessage;
}

void CTagNameDlg::ShowPreview(const CString& strFormat)
{
    CString strPreview = ParseFormat(strFormat);
    if (strPreview.IsEmpty()) {
        strPreview = AfxLoadText(IDS_TAG_NO_CHANGE);
        const bool bTags = m_format.NeedsFileTags();
        int nReads = 0;
        for (int i = 0; i < (int)m_lines.size() && i < m_fields.GetCount(); ++i) {
            if (m_lines[i].IsEmpty())
                continue;
            if (bTags && m_fields.IsUnread(i) && nReads++ == PREVIEW_READS)
                break;
            const CString strNew = TagNameLine(m_format, m_fields.Fields(i, bTags), m_names[i].strDiskName, m_lines[i]);
            if (strNew != m_lines[i]) {
                AfxFormatString2(strPreview, IDS_PREVIEW_CHANGE, m_lines[i], strNew);
                break;
            }
        }
    }
    m_staticPreview.SetWindowText(strPreview);
}

void CTagNameDlg::OnEditChangeFormat()
{
    CString strFormat;
    m_comboFormat.GetWindowText(strFormat);
    ShowPreview(strFormat);
}

// The edit field takes the chosen item only after this notification.
void CTagNameDlg::OnSelChangeFormat()
{
    CString strFormat;
    const int nItem = m_comboFormat.GetCurSel();
    if (nItem >= 0)
        m_comboFormat.GetLBText(nItem, strFormat);
    else
        m_comboFormat.GetWindowText(strFormat);
    ShowPreview(strFormat);
}

// "이름 짓기": a format naming an unknown field is refused, and the dialog
// stays open.
void CTagNameDlg::OnOK()
{
    CString strFormat;
    m_comboFormat.GetWindowText(strFormat);
    const CString strError = ParseFormat(strFormat);
    if (!strError.IsEmpty()) {
        CString strCaption;
        GetWindowText(strCaption);
        MessageBox(strError, strCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_strFormat = strFormat;
    CDialog::OnOK();
}
