// The main dialog: the folder tree, the name editor, the batch commands and
// the rename button.
#pragma once

#include <functional>

#include "dialogs/NamesEdit.h"
#include "dialogs/LongWork.h"
#include "framework/afxwin.h"
#include "names/ListOrder.h"
#include "names/NameList.h"
#include "names/Numbering.h"
#include "names/RenameRecord.h"
#include "names/UndoHistory.h"
#include "res/resource.h"
#include "tree/FolderTreeCtrl.h"

// The layout of the two panes and two buttons for a client area of W x H
// pixels at nDpi; false when nothing moves (W of 420 pixels at 96 DPI, so
// scaled, or less).
struct DialogLayout {
    RECT tree, names, manualButton, renameButton;  // left, top, width, height
};
bool ComputeDialogLayout(int cx, int cy, UINT nDpi, DialogLayout& layout);

// Where the minimised dialog draws its icon.
POINT IconPosition(int nClientWidth, int nClientHeight, int nIconWidth, int nIconHeight);

// Posted to the dialog to open the label editor again on an item (lParam)
// once the tree has closed the one whose edit was refused.
#define WM_REOPEN_LABEL_EDIT (WM_APP + 1)

// Posted to the dialog once a folder of more files than the list takes has
// been loaded: wParam the number found, lParam the load it belongs to.
#define WM_LISTING_NOTICE (WM_APP + 2)

// Posted to the dialog by its initialisation, so that it is handled once
// the window shows: the steps of the start that need the window on screen,
// in order (the path the program was started with opens last).
#define WM_AFTER_SHOWN (WM_APP + 0x20)

// Which batch command the Enter key runs, by the focus window and its parent.
enum EnterCommand { ENTER_NOTHING, ENTER_REPLACE, ENTER_INSERT_FRONT };
EnterCommand EnterCommandFor(HWND hFocus, HWND hFindCombo, HWND hReplaceCombo, HWND hFrontEdit);

class CBatchNameDlg : public CDialog {
public:
    enum { IDD = IDD_BATCHNAME_DIALOG };
    explicit CBatchNameDlg(CWnd* pParent = NULL);
    ~CBatchNameDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The fill colours, one brush each.
    enum { BRUSH_FIND, BRUSH_REPLACE, BRUSH_FRONT, BRUSH_TREE, BRUSH_NAMES, BRUSH_DIALOG, BRUSH_COUNT };

    // The path the program was started with (its first argument); set
    // before the window is made, opened once it shows.
    void SetStartPath(const CString& strPath) { m_strStartPath = strPath; }
    // Opens a path handed over from outside (the command line, a drop) as
    // the user would in the tree: each branch down to its folder opened,
    // the folder selected and listed; a file's line gets the caret. Says
    // why in a message where it cannot. Nothing while long work runs.
    void OpenPath(const CString& strPath);
    // Offers each rename that never ended (an orphaned journal) for
    // recovery, one question each; run once the window shows, before the
    // start path opens (BatchNameDlgRecovery.cpp).
    void RecoverRenames();

protected:
    // The files listed, with the names the editor showed for them when
    // they were listed or renamed.
    CNameList m_names;
    // The undo history: the editor's text and the list's order of each
    // step.
    CUndoHistory m_undo;
    // The order in force: for the list and every folder listed after it.
    ListOrder m_nOrder;

    // Colour brushes, one per fill colour, created once.
    CBrush m_brushes[BRUSH_COUNT];

    CEdit m_editFront;
    CButton m_btnUndo;
    CButton m_btnReplace;
    CButton m_btnInsertFront;
    CButton m_btnManual;
    CNamesEdit m_editNames;
    CComboBox m_comboReplace;
    CComboBox m_comboFind;
    CButton m_btnRename;
    CFolderTreeCtrl m_tree;
    // The window's icons, big and small, at its DPI.
    HICON m_hIcon;
    HICON m_hSmallIcon;
    // The DPI the window is drawn at: its layout is in pixels at 96 DPI,
    // scaled to this.
    UINT m_nDpi;

    // The last rename that renamed a file, until it is taken back.
    CRenameRecord m_renameRecord;

    // When the progress window of long work shows (500 ms; 0 for at once).
    DWORD m_nProgressDelayMs;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    // Enter and Escape never end the dialog, even where a key reaches the
    // platform's dialog handling: only closing the window does.
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose();
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnRename();
    void OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnSize(UINT nType, int cx, int cy);
    // Places the four controls the dialog sizes itself for a client area of
    // cx by cy pixels.
    void LayOut(int cx, int cy);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    void LoadIcons();
    void DestroyIcons();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnManual();
    void OnEditChangeReplaceCombo();

    // Batch commands, run by their buttons and by Enter in their fields.
    virtual void OnReplace();
    virtual void OnInsertFront();
    void OnChangeExtension();
    void OnUndo();
    // Reads the name editor's text and records it, with the list's order,
    // as the newest undo step; returns the step as recorded.
    const CUndoStep& RecordEditorText();
    // One name of the list as a command changes it.
    typedef std::function<CString(const CString& strName)> NameTransform;
    // The one routine of the batch commands; readParameters reads the
    // command's fields (keeping their histories) and gives its transform.
    void RunBatchCommand(const std::function<NameTransform()>& readParameters);

    // Folder rename by editing a tree label.
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnReopenLabelEdit(WPARAM wParam, LPARAM lParam);
    void OnTreeItemRenamed(const CString& strOldPath, const CString& strNewPath);
    // Line nLine of the name editor takes strNew where it still reads
    // strOld, without touching the undo history.
    void FollowEditorLine(int nLine, const CString& strOld, const CString& strNew);
    bool IsTreeItem(HTREEITEM hItem, HTREEITEM hFrom = TVI_ROOT);
    // Set while a refusal's message box is up: taking the focus from the
    // label editor ends the edit a second time.
    bool m_bEndingLabelEdit;

    // Shows a message box owned by the dialog.
    virtual int ShowMessage(const CString& strText, const CString& strCaption, UINT nType);

    // Open branches of the tree follow a whole rename (or take-back) in
    // strFolderPath: file k went from before[k] to after[k] on disk.
    void FollowRenamesInTree(const CString& strFolderPath, const std::vector<CString>& before,
                             const std::vector<CString>& after);
    bool m_bFollowingRenames;

    // The rename button's question when the lines and the files differ in
    // number; true when the user goes on.
    bool ConfirmShiftedRename(int nLines);
    // System-menu command 32: renames the files of the last rename back.
    void OnTakeBackRename();
    // Grays the take-back item while there is nothing to take back.
    void UpdateTakeBackItem();
    // Tells, once per folder in a run, that the list shows only part of it:
    // that it holds more files than the list takes.
    LRESULT OnListingNotice(WPARAM wParam, LPARAM lParam);
    int m_nLoadSerial;
    std::vector<CString> m_strNoticedFolders;

    // Long work under way (a rename, a take-back), or NULL: while it runs,
    // every command, menu, tree and notice handler leaves it alone.
    CLongWork* m_pWork;
    bool IsBusy() const { return m_pWork != NULL; }
    // Runs work as long work: the dialog busy meanwhile. Afterwards a
    // notice that came meanwhile is posted again; true when the window was
    // closed meanwhile, and the caller ends the dialog once it has kept
    // what the work did.
    bool RunLongWork(const std::function<void(CLongWork&)>& work);
    bool m_bCloseAfterWork;
    bool m_bNoticeDeferred;
    WPARAM m_nDeferredNoticeFound;
    LPARAM m_nDeferredNoticeLoad;
    // While work runs: the wait cursor over the dialog, no other selection
    // in the tree, and the session's end waiting for the work's stop point.
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnSelChangingTree(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);

    // The name editor's menu and its commands: numbering, names from tags,
    // letter case, and the edit control's own items.
    void OnContextMenu(CWnd* pWnd, CPoint point);
    // Loads the menu into menu (the caller destroys it) with each item
    // enabled or grayed as things stand now; returns the popup to show,
    // NULL when it cannot be loaded.
    CMenu* LoadNamesMenu(CMenu& menu);
    // Shows the menu at a point of the screen until an item is chosen.
    virtual void ShowNamesMenu(CPoint point);
    void OnNamesEditCommand(UINT nID);
    void OnNumberNames();
    void OnNamesFromTags();
    void OnLetterCase(UINT nID);

    // The list's order (BatchNameDlgOrder.cpp). Commands 2021-2025.
    void OnListOrder(UINT nID);
    // The list just read by name, put in the order in force; a stopped
    // reading leaves it by name, with the name order in force. True when
    // the window was closed meanwhile.
    bool OrderListing();
    // The keys of the listed files for nOrder, the photo dates read as long
    // work; false when stopped (*pbClosing: the window closed meanwhile).
    bool ReadOrderKeys(ListOrder nOrder, std::vector<ListOrderKeys>& keys, bool* pbClosing);
    // The files back where an undo step had them, its order in force.
    void PutBackOrder(const CUndoStep& step);
    // Command 2006: the renames the rename button would make, shown first.
    void OnPreviewRenames();
    // One line of the editor as a command changes it, by its index from 0.
    typedef std::function<CString(int nLine, const CString& strLine)> LineTransform;
    // RunBatchCommand for line transforms; a readParameters that gives no
    // transform (its dialog cancelled) leaves everything as it was.
    void RunLineCommand(const std::function<LineTransform()>& readParameters);
    // The values of the last numbering and the last tag format of the run.
    NumberingOptions m_numbering;
    CString m_strTagFormat;

    // Opening a path from outside (BatchNameDlgOpenPath.cpp).
    LRESULT OnAfterShown(WPARAM wParam, LPARAM lParam);
    void OnDropFiles(HDROP hDropInfo);
    // The editor's caret at the start of the line of the listed file named
    // strDiskName, at the top when it is not listed.
    void PutCaretOnFile(const CString& strDiskName);
    CString m_strStartPath;
    // System-menu command 0x0030: adds Explorer's menu entries, or removes
    // them when they run this program; the item's text says which.
    void OnExplorerMenu();
    void UpdateExplorerMenuItem();
    LRESULT OnInitMenu(WPARAM wParam, LPARAM lParam);

    // Empties the undo history and disables its button.
    void ResetUndo();
    HBRUSH Brush(int nBrush, COLORREF color);

    DECLARE_MESSAGE_MAP()
};
