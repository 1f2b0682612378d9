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
    for (const auto& row : std::vector<std::pair<int, int>>{{5, 0}, {5, 1}, {5, 3}, {5, 5}, {1500, 750}})
        for (const bool bBack : {true, false}) {
            SCOPED_TRACE(std::to_string(row.first) + " files, " + std::to_string(row.second) + " moves, Yes " +
                         std::to_string(bBack));
            TempFolder folder(L"crash");
            CrashRename job{folder.Path(), {}, {}, {}, row.second};
            for (int i = 0; i < row.first; ++i)
                job.shown.push_back(L"곡 " + std::to_wstring(i) + L".mp3");
            job.disk = job.shown;
            job.wanted.assign(job.shown.begin() + 1, job.shown.end());
            job.wanted.push_back(job.shown[0]);
            ASSERT_TRUE(WriteNamedFiles(folder.Path(), job.shown) && RenameAndKill(job));
            const std::vector<CString> journals = FindJournalFiles();
            CJournalRecovery recovery;
            ASSERT_TRUE(journals.size() == 1 && recovery.Open(journals[0]) == RECOVERY_ASK);
            const JournalRecovery& found = recovery.GetStanding();
            EXPECT_EQ(found.nTemp, row.second > 0 && row.second <= row.first ? 1 : 0);
            EXPECT_EQ(found.nOld + found.nTemp + found.nNew, row.first);
            EXPECT_TRUE(recovery.Run(bBack).empty());
            recovery.End();
            // Each file under exactly its old or its new name, nothing else.
            EXPECT_TRUE(FindJournalFiles().empty());
            EXPECT_EQ(ListAllNames(folder.Path()).size(), (size_t)row.first);
            for (int i = 0; i < row.first; ++i)
                EXPECT_EQ(ReadFileText(folder / (bBack ? job.shown[i] : job.wanted[i])), job.shown[i]);
        }
}
