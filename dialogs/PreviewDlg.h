// "바뀔 이름 보기": the renames the rename button would make, and the lines
// it would refuse with their reasons, before anything on disk changes. The
// rows live in the dialog, not in the list view, which asks for the texts
// of the rows it draws, so that thousands of rows open at once.
#pragma once

#include <functional>
#include <vector>

#include "framework/afxwin.h"
#include "names/RenamePreview.h"
#include "res/resource.h"

class CPreviewDlg : public CDialog {
public:
    enum { IDD = IDD_PREVIEW_DIALOG };
    // The preview of nFiles listed files and a text of nLines lines;
    // reasonText gives the failure report's reason for an error code. The
    // dialog ends with IDC_PREVIEW_RENAME when the user asks for the
    // rename, else IDCANCEL.
    CPreviewDlg(const RenamePreview& preview, int nFiles, int nLines, std::function<CString(DWORD)> reasonText,
                CWnd* pParent = NULL);

    // The text above the list: the count of files renamed, and a second
    // line when the lines and the files differ in number.
    static CString SummaryText(const RenamePreview& preview, int nFiles, int nLines);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnRenameButton();
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // Places the controls in a client area of cx by cy pixels, the columns
    // sharing the list's width.
    void LayOut(int cx, int cy);
    // A length in the dialog's units, in pixels at its font and DPI.
    int DialogUnitsX(int n);
    int DialogUnitsY(int n);

    const RenamePreview& m_preview;
    int m_nFiles;
    int m_nLines;
    std::function<CString(DWORD)> m_reasonText;
    // The reason of each row, made once.
    std::vector<CString> m_reasons;
    // The client size the template gives, the least the window takes.
    SIZE m_minTrack = {0, 0};
    UINT m_nDpi = 0;

    CListCtrl m_list;
    CWnd m_summary;
    CButton m_btnRename;
    CButton m_btnClose;

    DECLARE_MESSAGE_MAP()
};
