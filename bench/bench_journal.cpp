// The journal of a rename of 2000 files rotated by one: its plan written
// and flushed, a record appended per move and the file deleted, without the
// moves themselves.
#include <algorithm>
#include <vector>

#include "bench/bench.h"
#include "names/NameList.h"
#include "names/RenameJournal.h"
#include "names/RenamePlan.h"

namespace {
const int RUNS = 7;
}  // namespace

QUORVEL_BENCH(rename_journal)
{
    std::vector<CString> cur(MAX_NAMES), lines(MAX_NAMES);
    for (int i = 0; i < MAX_NAMES; ++i)
        cur[i] = (L"노래 곡 " + std::to_wstring(100000 + i) + L" - 어느 가수의 긴 제목.mp3").c_str();
    for (int i = 0; i < MAX_NAMES; ++i)
        lines[i] = cur[(i + 1) % MAX_NAMES];
    const RenamePlan plan = PlanRenames(L"C:\\음악\\", cur.data(), lines.data(), MAX_NAMES);
    ULONGLONG nId = 0;
    auto keyOf = [&nId](int, const CString&) {
        CFileKey key;
        key.identity = {0x1234ABCD, ++nId};
        key.nSize = 4000000 + nId;
        key.nWriteTime = key.nCreationTime = 133000000000000000ULL + nId;
        return key;
    };
    double best = 1e9;
    bool bWritten = true;
    for (int run = 0; run < RUNS; ++run) {
        const double t0 = BenchNow();
        CRenameJournal journal;
        journal.Begin(L"C:\\음악\\", plan, 0x1234ABCD, true, keyOf);
        bWritten = bWritten && journal.IsWritten();
        for (const RenameMove& mv : plan.moves)
            journal.Moved(mv.nIndex, mv.strTo);
        journal.End();
        best = std::min(best, BenchNow() - t0);
    }
    BenchPrint("rename_journal_moves", (double)plan.moves.size());
    BenchPrint("rename_journal_written", bWritten ? 1 : 0);
    BenchPrint("rename_journal_ms", best * 1000, "ms");
}
