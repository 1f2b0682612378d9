// A rename killed between two moves, then recovered both ways: a rotation
// through the temporary name killed before its first move, after it, in
// the middle and before its last; and a rotation of 1,500 files killed
// halfway.
#include <gtest/gtest.h>

#include "names/RenameRecovery.h"
#include "support/RenameCrash.h"
#include "support/TestSupport.h"

TEST(RenameCrash, KilledRotationRecoveredBothWays)
{
    const std::pair<int, int> rows[] = {{5, 0}, {5, 1}, {5, 3}, {5, 5}, {1500, 750}};  // files, moves made
    for (const auto& row : rows)
        for (const bool bBack : {true, false}) {
            SCOPED_TRACE(std::to_string(row.first) + " files, killed after " + std::to_string(row.second) +
                         (bBack ? " moves, Yes" : " moves, No"));
            TempFolder folder(L"crash");
            CrashRename job;
            job.folder = folder.Path();
            job.nKillBefore = row.second;
            for (int i = 0; i < row.first; ++i)
                job.shown.push_back(L"곡 " + std::to_wstring(i) + L".mp3");
            job.disk = job.shown;
            for (int i = 0; i < row.first; ++i)
                job.wanted.push_back(job.shown[(i + 1) % row.first]);
            ASSERT_TRUE(WriteNamedFiles(folder.Path(), job.shown));
            ASSERT_TRUE(RenameAndKill(job));

            const std::vector<CString> journals = FindJournalFiles();
            ASSERT_EQ(journals.size(), 1u);
            CJournalRecovery recovery;
            ASSERT_EQ(recovery.Open(journals[0]), RECOVERY_ASK);
            const JournalRecovery& standing = recovery.GetStanding();
            EXPECT_EQ(standing.nTemp, row.second > 0 && row.second <= row.first ? 1 : 0);
            EXPECT_EQ(standing.nOld + standing.nTemp + standing.nNew, row.first);
            EXPECT_TRUE(recovery.Run(bBack).empty());
            recovery.End();
            EXPECT_TRUE(FindJournalFiles().empty());
            // Each file under exactly its old or its new name, nothing else.
            EXPECT_EQ(ListAllNames(folder.Path()).size(), (size_t)row.first);
            for (int i = 0; i < row.first; ++i)
                EXPECT_EQ(ReadFileText(folder / (bBack ? job.shown[i] : job.wanted[i])), job.shown[i]);
        }
}
