#include "dialogs/NumberDlg.h"

#include <string>

#include "names/NameList.h"

CNumberDlg::CNumberDlg(NumberingOptions& options, const CString& strText, CWnd* pParent)
    : CDialog(IDD, pParent), m_options(options), m_nFirstLine(0)
{
    const std::vector<CString> lines = SplitLines(strText);
    while (m_nFirstLine < (int)lines.size() && lines[m_nFirstLine].IsEmpty())
        ++m_nFirstLine;
    if (m_nFirstLine < (int)lines.size())
        m_strFirstLine = lines[m_nFirstLine];
}

void CNumberDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NUMBER_START, m_editStart);
    DDX_Control(pDX, IDC_NUMBER_STEP, m_editStep);
    DDX_Control(pDX, IDC_NUMBER_DIGITS, m_editDigits);
    DDX_Control(pDX, IDC_NUMBER_SEPARATOR, m_editSeparator);
    DDX_Control(pDX, IDC_NUMBER_IN_FRONT, m_radioInFront);
    DDX_Control(pDX, IDC_NUMBER_BEFORE_EXTENSION, m_radioBeforeExtension);
    DDX_Control(pDX, IDC_NUMBER_PREVIEW, m_staticPreview);
}

BEGIN_MESSAGE_MAP(CNumberDlg, CDialog)
    ON_EN_CHANGE(IDC_NUMBER_START, OnValueChanged)
    ON_EN_CHANGE(IDC_NUMBER_STEP, OnValueChanged)
    ON_EN_CHANGE(IDC_NUMBER_DIGITS, OnValueChanged)
    ON_EN_CHANGE(IDC_NUMBER_SEPARATOR, OnValueChanged)
    ON_BN_CLICKED(IDC_NUMBER_IN_FRONT, OnValueChanged)
    ON_BN_CLICKED(IDC_NUMBER_BEFORE_EXTENSION, OnValueChanged)
END_MESSAGE_MAP()

// Shows the values of the last numbering of this run (the defaults at
// first).
BOOL CNumberDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editStart.SetWindowText(std::to_wstring(m_options.nStart).c_str());
    m_editStep.SetWindowText(std::to_wstring(m_options.nStep).c_str());
    m_editDigits.SetWindowText(std::to_wstring(m_options.nDigits).c_str());
    m_editSeparator.SetWindowText(m_options.strSeparator);
    (m_options.place == NUMBER_IN_FRONT ? m_radioInFront : m_radioBeforeExtension).SetCheck(BST_CHECKED);
    OnValueChanged();
    return TRUE;
}

CString CNumberDlg::ReadValues(NumberingOptions& options)
{
    CString strStart, strStep, strDigits;
    m_editStart.GetWindowText(strStart);
    m_editStep.GetWindowText(strStep);
    m_editDigits.GetWindowText(strDigits);
    m_editSeparator.GetWindowText(options.strSeparator);
    options.place = m_radioBeforeExtension.GetCheck() == BST_CHECKED ? NUMBER_BEFORE_EXTENSION : NUMBER_IN_FRONT;
    switch (ParseNumbering(strStart, strStep, strDigits, options)) {
    case NUMBERING_BAD_START:
        return AfxLoadText(IDS_NUMBER_START_RANGE);
    case NUMBERING_BAD_STEP:
        return AfxLoadText(IDS_NUMBER_STEP_RANGE);
    case NUMBERING_BAD_DIGITS:
        return AfxLoadText(IDS_NUMBER_DIGITS_RANGE);
    case NUMBERING_OK:
        break;
    }
    return CString();
}

void CNumberDlg::OnValueChanged()
{
    NumberingOptions options = m_options;
    const CString strError = ReadValues(options);
    if (!strError.IsEmpty())
        m_staticPreview.SetWindowText(strError);
    else if (!m_strFirstLine.IsEmpty())
        m_staticPreview.SetWindowText(NumberLine(m_strFirstLine, m_nFirstLine, options));
}

// "붙이기": values out of range are named, and the dialog stays open.
void CNumberDlg::OnOK()
{
    NumberingOptions options = m_options;
    const CString strError = ReadValues(options);
    if (!strError.IsEmpty()) {
        CString strCaption;
        GetWindowText(strCaption);
        MessageBox(strError, strCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_options = options;
    CDialog::OnOK();
}
