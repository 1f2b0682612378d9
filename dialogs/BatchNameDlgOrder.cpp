// The list's order: the listed files ordered by a key, each taking its line
// of the editor along, so that every edit stays with the file it was made
// for. Choosing an order is one undo step; an undo puts the order back.
#include <numeric>

#include "dialogs/BatchNameDlg.h"
#include "names/TakenDate.h"

bool CBatchNameDlg::ReadOrderKeys(ListOrder nOrder, std::vector<ListOrderKeys>& keys, bool* pbClosing)
{
    auto read = [&](const TagReadProgress& progress) {
        return ReadListOrderKeys(m_tree.GetShellService(), m_names, nOrder, keys, progress);
    };
    *pbClosing = false;
    if (nOrder != ORDER_BY_TAKEN)
        return read(TagReadProgress());
    // The photos are opened one by one: long work, as the reading of tags.
    bool bRead = false;
    *pbClosing = RunLongWork([&](CLongWork& work) { bRead = read(work.AsProgress()); });
    return bRead && !*pbClosing;
}

bool CBatchNameDlg::OrderListing()
{
    if (m_nOrder == ORDER_BY_NAME || m_names.GetCount() < 2)
        return false;
    std::vector<ListOrderKeys> keys;
    bool bClosing = false;
    if (ReadOrderKeys(m_nOrder, keys, &bClosing))
        m_names.Move(OrderFiles(keys, m_nOrder));
    else
        m_nOrder = ORDER_BY_NAME;
    return bClosing;
}

// Commands 2021-2025: the list in another order, the lines moving with
// their files, as one undo step; the order holds for the folders listed
// after. A stopped reading of photo dates changes nothing.
void CBatchNameDlg::OnListOrder(UINT nID)
{
    if (IsBusy())
        return;
    const ListOrder nOrder = (ListOrder)(nID - ID_NAMES_ORDER_NAME);
    if (m_names.IsEmpty()) {
        m_nOrder = nOrder;
        return;
    }
    std::vector<ListOrderKeys> keys;
    bool bClosing = false;
    const bool bRead = ReadOrderKeys(nOrder, keys, &bClosing);
    if (bClosing) {
        EndDialog(IDCANCEL);
        return;
    }
    if (!bRead)
        return;
    const std::vector<int> moved = OrderFiles(keys, nOrder);
    std::vector<int> same(moved.size());
    std::iota(same.begin(), same.end(), 0);
    if (nOrder == m_nOrder && moved == same)
        return;
    // A file the text has no line for carries its current name.
    const std::vector<CString> lines = MoveLinesWithFiles(SplitLines(RecordEditorText().strText), moved,
                                                          [this](int nOld) { return m_names[nOld].strShown; });
    m_names.Move(moved);
    m_nOrder = nOrder;
    m_btnUndo.EnableWindow(TRUE);
    m_editNames.SetWindowText(JoinNames(lines.data(), (int)lines.size()));
}

void CBatchNameDlg::PutBackOrder(const CUndoStep& step)
{
    const std::vector<int> files = m_names.NameOrder();
    // A step of another list (none is kept across listings) moves nothing.
    if (!step.pFiles || step.pFiles->size() != files.size())
        return;
    std::vector<int> at(files.size());
    for (size_t k = 0; k < files.size(); ++k)
        at[files[k]] = (int)k;
    std::vector<int> moved;
    for (int nFile : *step.pFiles)
        moved.push_back(at[nFile]);
    m_names.Move(moved);
    m_nOrder = step.nOrder;
}
