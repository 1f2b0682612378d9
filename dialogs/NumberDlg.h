// "번호 붙이기": the values of a numbering, with a preview of the first
// line as it will become.
#pragma once

#include "framework/afxwin.h"
#include "names/Numbering.h"
#include "res/resource.h"

class CNumberDlg : public CDialog {
public:
    enum { IDD = IDD_NUMBER_DIALOG };
    // Shows options, and takes the values typed into them on "붙이기";
    // strText is the name editor's text, for the preview.
    CNumberDlg(NumberingOptions& options, const CString& strText, CWnd* pParent = NULL);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Any value changed: the preview follows.
    void OnValueChanged();

    // The typed values read into options; the message for a value out of
    // its range, or empty.
    CString ReadValues(NumberingOptions& options);

    NumberingOptions& m_options;
    // The first line that is not empty, and its index.
    CString m_strFirstLine;
    int m_nFirstLine;

    CEdit m_editStart;
    CEdit m_editStep;
    CEdit m_editDigits;
    CEdit m_editSeparator;
    CButton m_radioInFront;
    CButton m_radioBeforeExtension;
    CWnd m_staticPreview;

    DECLARE_MESSAGE_MAP()
};
