// "태그로 이름 짓기": the format of names made from tags, with a preview
// of the first line it would change. The folder's listing is read before
// it opens; the preview reads the tags of a few files, as it needs them.
#pragma once

#include <vector>

#include "framework/afxwin.h"
#include "names/TagFormat.h"
#include "names/TagNaming.h"
#include "res/resource.h"

class CTagNameDlg : public CDialog {
public:
    enum { IDD = IDD_TAG_NAME_DIALOG };
    // fields: those of the listed files, the names' list; strText: the name editor's text, whose line i is that file's.
    // strFormat: the format shown, and on "이름 짓기" the one taken.
    CTagNameDlg(CListedFields& fields, const CNameList& names, const CString& strText, CString& strFormat,
                CWnd* pParent = NULL);

    // The format taken, once the dialog ended with IDOK.
    const CTagFormat& GetFormat() const { return m_format; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The format was typed, or chosen from the list: the preview follows.
    void OnEditChangeFormat();
    void OnSelChangeFormat();
    void ShowPreview(const CString& strFormat);

    // Parses strFormat into m_format; the message for an unknown field,
    // or empty.
    CString ParseFormat(const CString& strFormat);

    CListedFields& m_fields;
    const CNameList& m_names;
    std::vector<CString> m_lines;
    CString& m_strFormat;
    CTagFormat m_format;

    CComboBox m_comboFormat;
    CWnd m_staticPreview;

    DECLARE_MESSAGE_MAP()
};
