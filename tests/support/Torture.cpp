#include "Torture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "DialogDriver.h"
#include "RenameCrash.h"
#include "TestSupport.h"
#include "TreeHost.h"
#include "names/NameList.h"
#include "names/RenamePlan.h"
#include "platform/FileSystem.h"
#include "platform/JournalStore.h"
#include "platform/PathIdentity.h"

namespace {

typedef std::mt19937 Rng;

typedef QuietBatchNameDlg TortureDlg;

int Pick(Rng& rng, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// Letters of many scripts, some outside every Korean code page, and a
// surrogate pair (an emoji), all stored as written.
const wchar_t* const kLetters[] = {L"가", L"나", L"다", L"한", L"글", L"노", L"래", L"봄", L"날", L"음", L"악", L"사",
                                   L"진", L"뷁", L"똠", L"앨범", L"设计", L"ß", L"–", L"\xD83C\xDF89", L"ç"};
const int LETTERS = sizeof(kLetters) / sizeof(kLetters[0]);
// Letters whose case the file system ignores and the list's sort does not
// fold, in pairs of lower and upper case.
const wchar_t* const kFolding[][2] = {{L"α", L"Α"}, {L"ω", L"Ω"}, {L"б", L"Б"}, {L"ａ", L"Ａ"},
                                      {L"é", L"É"}, {L"ñ", L"Ñ"}, {L"ü", L"Ü"}};
const int FOLDING_PAIRS = sizeof(kFolding) / sizeof(kFolding[0]);

std::wstring Lower(const std::wstring& s)
{
    std::wstring out = s;
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z')
            c = c - L'A' + L'a';
    return out;
}

// The name with the case of every letter turned, the folding letters
// included: another spelling of the same name on disk.
std::wstring FlipCase(const std::wstring& s)
{
    std::wstring out = s;
    for (wchar_t& c : out) {
        if (c >= L'A' && c <= L'Z')
            c = c - L'A' + L'a';
        else if (c >= L'a' && c <= L'z')
            c = c - L'a' + L'A';
        else
            for (int k = 0; k < FOLDING_PAIRS; ++k)
                if (c == kFolding[k][0][0] || c == kFolding[k][1][0]) {
                    c = c == kFolding[k][0][0] ? kFolding[k][1][0] : kFolding[k][0][0];
                    break;
                }
    }
    return out;
}

// A random plain name that Windows stores as written.
std::wstring PlainName(Rng& rng)
{
    std::wstring s;
    int parts = Pick(rng, 1, 8);
    for (int i = 0; i < parts; ++i) {
        switch (Pick(rng, 0, 5)) {
        case 0:
        case 1: {
            int n = Pick(rng, 1, 5);
            for (int k = 0; k < n; ++k)
                s += (wchar_t)(Pick(rng, 0, 1) ? L'a' + Pick(rng, 0, 25) : L'A' + Pick(rng, 0, 25));
            break;
        }
        case 2:
            s += Pick(rng, 0, 3) ? kLetters[Pick(rng, 0, LETTERS - 1)]
                                 : kFolding[Pick(rng, 0, FOLDING_PAIRS - 1)][Pick(rng, 0, 1)];
            break;
        case 3:
            s += std::to_wstring(Pick(rng, 0, 99));
            break;
        case 4:
            s += L' ';
            break;
        case 5:
            s += L'.';
            break;
        }
    }
    if (Pick(rng, 0, 2) == 0)
        s += Pick(rng, 0, 1) ? L".mp3" : L".JPG";
    while (!s.empty() && (s.back() == L'.' || s.back() == L' '))
        s.pop_back();
    if (s.empty() || s[0] == L' ')
        s = L"x" + s;
    return s;
}

// A name that moves, is refused, or is otherwise hostile.
std::wstring HostileName(Rng& rng, const std::wstring& base)
{
    switch (Pick(rng, 0, 18)) {
    case 0: return L"sub\\" + base;
    case 1: return L"..\\" + base;
    case 2: return L"sub/" + base;
    case 3: return base + L":x";
    case 4: return base + L"?";
    case 5: return L"*" + base;
    case 6: return L"<" + base + L">";
    case 7: return base + L"|b";
    case 8: return L"\"" + base + L"\"";
    case 9: return base + L".";
    case 10: return base + L"  ";
    case 11: return Pick(rng, 0, 1) ? L"CON" : L"con";
    case 12: return L"NUL.txt";
    case 13: return Pick(rng, 0, 1) ? L"COM1" : L"lpt1.mp3";
    case 14: return std::wstring(Pick(rng, 250, 300), L'L');
    case 15: return L"\xD83C" + base;  // half a surrogate pair
    case 16: return L"sub\\..\\" + base;
    case 17: {
        // Near the 255 UTF-8 bytes a file system may keep of a name.
        std::wstring name;
        for (int n = Pick(rng, 80, 95); n > 0; --n)
            name += kLetters[Pick(rng, 0, 14)];
        return name + base;
    }
    default: return L"\t" + base;
    }
}

// The path of a line's file relative to the case folder P (the listed
// folder is P\f), folder parts resolved as the platform resolves them.
std::wstring Resolve(const std::wstring& line)
{
    std::vector<std::wstring> parts = {L"f"};
    std::wstring part;
    auto flush = [&] {
        if (part == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != L".")
            parts.push_back(part);
        part.clear();
    };
    for (wchar_t c : line) {
        if (c == L'\\' || c == L'/')
            flush();
        else
            part += c;
    }
    flush();
    std::wstring out;
    for (const std::wstring& p : parts)
        out += (out.empty() ? L"" : L"\\") + p;
    return out;
}

// True when the file at path at (below P) is where a resolved line puts
// it: the folders as the file system finds them, whatever their letter
// case, and the name exactly as written.
bool IsLinesPlace(const std::wstring& at, const std::wstring& wanted)
{
    const size_t a = at.rfind(L'\\'), w = wanted.rfind(L'\\');
    if (a == std::wstring::npos || w == std::wstring::npos)
        return at == wanted;
    return at.compare(a, std::wstring::npos, wanted, w, std::wstring::npos) == 0 &&
           Lower(at.substr(0, a)) == Lower(wanted.substr(0, w));
}

// Every file below the folder: relative path -> contents.
void Scan(const std::wstring& base, const std::wstring& rel, std::map<std::wstring, std::wstring>& out)
{
    for (const std::wstring& name : ListAllNames(base + rel)) {
        if (PathExists(base + rel + name + L"\\"))
            Scan(base, rel + name + L"\\", out);
        else
            out[rel + name] = ReadFileText(base + rel + name);
    }
}

std::wstring Join(const std::vector<std::wstring>& lines, bool dropLastBreak)
{
    std::wstring s;
    for (const std::wstring& l : lines)
        s += l + L"\r\n";
    if (dropLastBreak && s.size() >= 2)
        s.resize(s.size() - 2);
    return s;
}

// Where each file is, by its content (contents are distinct); "" when the
// folder lost a file, doubled one, or holds a temporary name.
std::wstring Locate(const std::wstring& P, size_t nExpected, std::map<std::wstring, std::wstring>& where)
{
    std::map<std::wstring, std::wstring> after;
    Scan(P, L"", after);
    where.clear();
    for (const auto& e : after) {
        where[e.second] = e.first;
        size_t part = e.first.rfind(L'\\');
        if (e.first.compare(part == std::wstring::npos ? 0 : part + 1, wcslen(RENAME_TEMP_PREFIX),
                            RENAME_TEMP_PREFIX) == 0)
            return L"a temporary name is left: " + e.first;
    }
    if (after.size() != nExpected || where.size() != after.size())
        return L"the folder holds " + std::to_wstring(after.size()) + L" files instead of " +
               std::to_wstring(nExpected);
    return L"";
}

// The count in the first line of a report whose first line is string
// nHeadID with %1 = nCount, or -1 when the message is no such report.
int ReportedCount(const std::wstring& message, UINT nHeadID, int nCount)
{
    std::wstring first = message.substr(0, message.find(L'\n'));
    const std::wstring format = Text(nHeadID, {std::to_wstring(nCount), L"\x01"});
    const std::wstring head = format.substr(0, format.find(L'\x01'));
    if (first.compare(0, head.size(), head) != 0)
        return -1;
    return _wtoi(first.c_str() + head.size());
}

// A random edit script on the lines.
void EditLines(Rng& rng, std::vector<std::wstring>& lines)
{
    int ops = Pick(rng, 1, 6);
    for (int k = 0; k < ops; ++k) {
        int size = (int)lines.size();
        int i = size ? Pick(rng, 0, size - 1) : 0;
        int j = size ? Pick(rng, 0, size - 1) : 0;
        switch (Pick(rng, 0, 12)) {
        case 0:
            for (int m = Pick(rng, 1, 5); m > 0 && size; --m)
                lines[Pick(rng, 0, size - 1)] = PlainName(rng);
            break;
        case 1:
            if (size)
                std::swap(lines[i], lines[j]);
            break;
        case 2:
            if (size >= 3) {
                int a = Pick(rng, 0, size - 3);
                std::rotate(lines.begin() + a, lines.begin() + a + 1, lines.begin() + a + 3);
            }
            break;
        case 3:
            if (size)
                lines[i] = lines[j];
            break;
        case 4:
            if (size)
                lines[i].clear();
            break;
        case 5:
            if (size)
                lines.erase(lines.begin() + i);
            break;
        case 6:
            lines.insert(lines.begin() + (size ? i : 0), PlainName(rng));
            break;
        case 7:
        case 8:
            if (size)
                lines[i] = HostileName(rng, size ? lines[j] : L"x");
            break;
        case 9:
            if (size)
                lines[i] = Lower(lines[i]) == lines[i] ? lines[i] + L"A" : Lower(lines[i]);
            break;
        case 10: {
            // The names of a few files dealt out among them again: swaps,
            // rotations, cycles of any length.
            std::vector<int> picked;
            for (int m = 0; m < size; ++m)
                picked.push_back(m);
            std::shuffle(picked.begin(), picked.end(), rng);
            picked.resize(std::min(size, Pick(rng, 2, 12)));
            std::vector<std::wstring> names;
            for (int m : picked)
                names.push_back(lines[m]);
            std::shuffle(names.begin(), names.end(), rng);
            for (size_t m = 0; m < picked.size(); ++m)
                lines[picked[m]] = Pick(rng, 0, 3) ? names[m] : FlipCase(names[m]);
            break;
        }
        case 11:
            // A run of files shifted by one name, up or down: a chain.
            if (size >= 2) {
                int a = Pick(rng, 0, size - 2), b = std::min(size - 1, a + Pick(rng, 1, 20));
                if (Pick(rng, 0, 1)) {
                    std::rotate(lines.begin() + a, lines.begin() + a + 1, lines.begin() + b + 1);
                    lines[b] = PlainName(rng);
                } else {
                    std::rotate(lines.begin() + a, lines.begin() + b, lines.begin() + b + 1);
                    lines[a] = PlainName(rng);
                }
            }
            break;
        case 12:
            // Another file's name in other letter case.
            if (size)
                lines[i] = FlipCase(lines[j]);
            break;
        }
    }
}

// A stop asked of the dialog before move g_nStopAt of a rename, as the
// progress window's stop button asks it.
TortureDlg* g_pStopDlg = NULL;
int g_nMoves = 0, g_nStopAt = 0;

void StopAtMove()
{
    if (++g_nMoves == g_nStopAt)
        g_pStopDlg->StopWork();
}

// One of the batch commands, by its button, with a random parameter.
void RunBatchCommand(Rng& rng, TortureDlg& dlg)
{
    const wchar_t* const kTexts[] = {L"", L"a", L"01 ", L"mp3", L"\xD83C\xDF89", L"노래"};
    auto text = [&] { return kTexts[Pick(rng, 0, 5)]; };
    switch (Pick(rng, 0, 2)) {
    case 0:
        SetWindowTextW(dlg.Item(IDC_FIND_COMBO), text());
        SetWindowTextW(dlg.Item(IDC_REPLACE_COMBO), text());
        dlg.Click(IDC_REPLACE);
        break;
    case 1:
        SetWindowTextW(dlg.Item(IDC_FRONT_EDIT), text());
        dlg.Click(IDC_INSERT_FRONT);
        break;
    case 2:
        SetWindowTextW(dlg.Item(IDC_FRONT_EDIT), text());
        dlg.Click(IDC_CHANGE_EXTENSION);
        break;
    }
}

// Changes made between a rename and its taking back, each blocking one
// renamed file: moved away, its old name taken, held open, or replaced by
// another file under its new name.
struct Changes {
    std::map<int, const wchar_t*> blocked;  // file -> what was done to it
    std::vector<std::wstring> addedContents;
    std::vector<HANDLE> handles;
    ~Changes()
    {
        for (HANDLE h : handles)
            CloseHandle(h);
    }
};

std::wstring Long(const std::wstring& path)
{
    return LongPath(path.c_str());
}

void MakeChanges(Rng& rng, const std::wstring& P, const std::vector<std::wstring>& disk, const std::vector<int>& moved,
                 std::map<std::wstring, std::wstring>& where, std::vector<std::wstring>& contents, unsigned seed,
                 Changes& changes)
{
    // Where the rename put each file, before any change.
    std::vector<std::wstring> renamed(disk.size());
    for (int j : moved)
        renamed[j] = where[contents[j]];
    for (int c = Pick(rng, 1, 3); c > 0; --c) {
        int i = moved[Pick(rng, 0, (int)moved.size() - 1)];
        if (changes.blocked.count(i))
            continue;
        const std::wstring at = where[contents[i]];
        const wchar_t* what = L"";
        switch (Pick(rng, 0, 3)) {
        case 0: {
            const std::wstring away = L"away_" + std::to_wstring(i);
            if (!MoveFileExW(Long(P + at).c_str(), Long(P + away).c_str(), 0))
                continue;
            where[contents[i]] = away;
            what = L"moved away";
            break;
        }
        case 1: {
            // Not under a name the rename gave a file: taking back goes by
            // names, and would take a new file there for the renamed one.
            bool bRenamedThere = false;
            for (int j : moved)
                bRenamedThere = bRenamedThere || IsSamePath((P + renamed[j]).c_str(), (P + L"f\\" + disk[i]).c_str());
            const std::wstring blocker = L"blocker_" + std::to_wstring(seed) + L"_" + std::to_wstring(i);
            if (bRenamedThere || PathExists(P + L"f\\" + disk[i]) || !WriteFileText(P + L"f\\" + disk[i], blocker))
                continue;
            changes.addedContents.push_back(blocker);
            what = L"its old name taken";
            break;
        }
        case 2: {
            HANDLE h = CreateFileW(Long(P + at).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
            if (h == INVALID_HANDLE_VALUE)
                continue;
            changes.handles.push_back(h);
            what = L"held open";
            break;
        }
        case 3: {
            // Saved again by another program: a new file moved over it. The
            // file the rename moved is gone; the take-back must leave the
            // new one where it is.
            const std::wstring saved = L"saved_" + std::to_wstring(seed) + L"_" + std::to_wstring(i);
            if (!WriteFileText(P + saved, saved) ||
                !MoveFileExW(Long(P + saved).c_str(), Long(P + at).c_str(), MOVEFILE_REPLACE_EXISTING))
                continue;
            where.erase(contents[i]);
            contents[i] = saved;
            where[saved] = at;
            what = L"replaced by another file";
            break;
        }
        }
        changes.blocked[i] = what;
    }
}

// After a rename or a take-back, each file still in the listed folder has
// its name there as the list's name on disk, and the name the list shows
// is that name, or the one shown before where the file kept its name.
std::wstring CheckListNames(TortureDlg& dlg, const std::vector<std::wstring>& disk,
                            const std::vector<std::wstring>& shown, const std::vector<std::wstring>& contents,
                            std::map<std::wstring, std::wstring>& where)
{
    for (size_t i = 0; i < disk.size(); ++i) {
        const std::wstring& at = where[contents[i]];
        if (at.compare(0, 2, L"f\\") != 0 || at.find(L'\\', 2) != std::wstring::npos)
            continue;
        const std::wstring name = at.substr(2);
        const std::wstring wantShown = name == disk[i] ? shown[i] : name;
        if (dlg.m_names[i].strDiskName.str() != name || dlg.m_names[i].strShown.str() != wantShown)
            return L"the list has " + dlg.m_names[i].strDiskName.str() + L" shown as " + dlg.m_names[i].strShown.str() +
                   L" for " + at;
    }
    return L"";
}

// The rename of one case is taken back from the system menu: each moved
// file is back under its old name, or reported and where it was.
std::wstring CheckTakeBack(TortureDlg& dlg, Rng& rng, const std::wstring& P, unsigned seed,
                           const std::vector<std::wstring>& disk, const std::vector<std::wstring>& shown,
                           std::vector<std::wstring> contents, std::map<std::wstring, std::wstring> where,
                           TortureFigures& figures)
{
    const int n = (int)disk.size();
    std::vector<int> moved;
    for (int i = 0; i < n; ++i)
        if (where[contents[i]] != L"f\\" + disk[i])
            moved.push_back(i);
    if (dlg.TakeBackEnabled() != !moved.empty())
        return std::wstring(L"the take-back item is ") + (moved.empty() ? L"enabled" : L"grayed");
    if (moved.empty())
        return L"";

    Changes changes;
    if (Pick(rng, 0, 2) == 0)
        MakeChanges(rng, P, disk, moved, where, contents, seed, changes);
    const std::map<std::wstring, std::wstring> before = where;
    dlg.messages.clear();
    dlg.TakeBack();
    for (HANDLE h : changes.handles)
        CloseHandle(h);
    changes.handles.clear();
    ++figures.takeBacks;
    figures.changes += (int)changes.blocked.size();

    std::wstring failure = Locate(P, before.size() + changes.addedContents.size(), where);
    if (!failure.empty())
        return L"after taking back: " + failure;
    for (const std::wstring& c : changes.addedContents)
        if (!where.count(c))
            return L"after taking back: the file made meanwhile was lost";
    int notBack = 0;
    for (int i = 0; i < n; ++i) {
        const std::wstring& at = where[contents[i]];
        const bool wasMoved = std::find(moved.begin(), moved.end(), i) != moved.end();
        if (wasMoved && at == L"f\\" + disk[i])
            continue;
        if (at != before.at(contents[i]))
            return L"taking back moved " + disk[i] + L" from " + before.at(contents[i]) + L" to " + at;
        if (!wasMoved)
            continue;
        ++notBack;
        if (changes.blocked.empty())
            return disk[i] + L" did not go back, with nothing in its way";
    }
    for (const auto& b : changes.blocked)
        if (where[contents[b.first]] == L"f\\" + disk[b.first])
            return disk[b.first] + L" went back, " + b.second;
    figures.notTakenBack += notBack;
    const int reported =
        dlg.messages.empty() ? 0 : ReportedCount(dlg.messages[0], IDS_UNDO_RENAME_REPORT, (int)moved.size());
    if (dlg.messages.size() > 1 || reported != notBack)
        return std::to_wstring(reported) + L" reported as not taken back, " + std::to_wstring(notBack) + L" not back";
    if (dlg.TakeBackEnabled())
        return L"the take-back item is still enabled";

    // The list is updated in place: each file in the folder under the name
    // it has, shown as a name read from disk, and the editor shows the list.
    failure = CheckListNames(dlg, disk, shown, contents, where);
    if (!failure.empty())
        return L"after taking back: " + failure;
    if (dlg.EditorText() != dlg.m_names.ShownText() || dlg.m_undo.GetDepth() != 0)
        return L"after taking back, the editor does not show the list";
    return L"";
}

// Names that were hard to reach before the program was a Unicode one, made
// with the wide API, all listed under their exact names: names Win32 paths
// cannot address (a trailing dot or space, a device name), names of scripts
// no Korean code page holds, and decomposed Hangul as macOS writes it,
// listed composed (content -> name on disk). Files in subfolders are never
// touched (path below P -> content).
void AddOddNames(Rng& rng, const std::wstring& F, unsigned seed, std::set<std::wstring>& taken,
                 std::map<std::wstring, std::wstring>& listed, std::map<std::wstring, std::wstring>& untouchable)
{
    int serial = 0;
    auto content = [&] { return L"odd" + std::to_wstring(seed) + L"_" + std::to_wstring(serial++); };
    auto keep = [&](const std::wstring& path) {
        const std::wstring c = content();
        if (WriteFileText(F + path, c))
            untouchable[L"f\\" + path] = c;
    };
    auto list = [&](const std::wstring& name) {
        const std::wstring c = content();
        if (taken.count(Lower(name)) || !WriteFileText(F + name, c))
            return;
        taken.insert(Lower(name));
        listed[c] = name;
    };
    for (int k = Pick(rng, 1, 4); k > 0; --k) {
        const std::wstring n = std::to_wstring(Pick(rng, 0, 99));
        switch (Pick(rng, 0, 5)) {
        case 0:  // the won sign, beside the subfolder a code page would lead into
            if (!taken.count(L"a") && (PathExists(F + L"a") || MakeFolder(F + L"a"))) {
                taken.insert(L"a");
                keep(L"a\\b.txt");
                list(L"a\x20A9" L"b" + n + L".txt");
            }
            break;
        case 1:  // an accented name beside its plain spelling
            list(L"cafe" + n + L".txt");
            list(L"caf\x00E9" + n + L".txt");
            break;
        case 2:
            list(L"smile\xD83D\xDE00" + n + L".mp3");
            list(L"Mot\x00F6rhead \x2013 Ace" + n + L".mp3");
            break;
        case 3: {  // an accented folder with ".mp3" files in it
            const std::wstring folder = L"Bj\x00F6rk";
            if (MakeFolder(F + folder) || PathExists(F + folder))
                keep(folder + L"\\J\x00F3ga" + n + L".mp3");
            break;
        }
        case 4:  // decomposed Hangul, and the same name composed beside it
            list(L"\x1102\x1169\x1105\x1162 " + n + L".mp3");
            if (Pick(rng, 0, 1))
                list(L"노래 " + n + L".mp3");
            break;
        case 5:  // names no plain Win32 path reaches
            list(L"trail" + n + L".");
            list(L"space" + n + L" ");
            list(Pick(rng, 0, 1) ? L"con.txt" : L"aux.mp3");
            break;
        }
    }
}

// Each untouchable file is where it was, with its content.
std::wstring CheckUntouched(const std::wstring& P, const std::map<std::wstring, std::wstring>& untouchable)
{
    for (const auto& u : untouchable)
        if (ReadFileText(P + u.first) != u.second)
            return L"a file no line stood for was touched: " + u.first;
    return L"";
}

// A rename killed before a random move, then recovered as at the next
// start with a random answer: each file has its old name (Yes), or its
// line's place or its old name (No, or a rename that ended before the
// kill); no temporary name, no journal left.
std::wstring CrashAndRecover(Rng& rng, TortureDlg& dlg, const std::wstring& P, const CrashRename& job,
                             const std::vector<std::wstring>& contents, size_t nFiles, TortureFigures& figures)
{
    const bool bKilled = RenameAndKill(job), bBack = Pick(rng, 0, 1) == 0;
    dlg.answer = bBack ? IDYES : IDNO;
    dlg.questions.clear();
    dlg.RecoverRenames();
    if (dlg.questions.size() != (bKilled ? 1u : 0u) || !FindJournalFiles().empty())
        return L"recovery asked " + std::to_wstring(dlg.questions.size()) + L" times, or left its journal";
    std::map<std::wstring, std::wstring> where;
    std::wstring failure = Locate(P, nFiles, where);
    for (size_t i = 0; i < job.disk.size() && failure.empty(); ++i) {
        const std::wstring& at = where[contents[i]];
        if (at != L"f\\" + job.disk[i] && ((bBack && bKilled) || !IsLinesPlace(at, Resolve(job.wanted[i]))))
            failure = L"recovered " + job.disk[i] + L" to " + at;
    }
    figures.crashed += bKilled;
    return failure.empty() ? failure : L"after recovery: " + failure;
}

// One case; returns "" when it held, else what went wrong.
std::wstring RunCase(TortureDlg& dlg, HTREEITEM hRoot, const DesktopFolder& root, unsigned seed,
                     TortureFigures& figures)
{
    Rng rng(seed);
    const std::wstring P = root.Path() + L"c\\";
    const std::wstring F = P + L"f\\";
    RemoveTree(P);
    MakeFolder(P);
    MakeFolder(F);
    if (Pick(rng, 0, 1))
        MakeFolder(F + L"sub");

    // Random files, distinct names ignoring case, distinct contents.
    int want = Pick(rng, 1, 60);
    std::set<std::wstring> taken;
    std::map<std::wstring, std::wstring> before;  // content -> name on disk
    for (int i = 0; i < want * 2 && (int)before.size() < want; ++i) {
        std::wstring name = Pick(rng, 0, 4) == 0 && !taken.empty() ? Lower(*taken.begin()) + L"x" : PlainName(rng);
        if (taken.count(Lower(name)) || name == L"sub")
            continue;
        std::wstring content =
            L"c" + std::to_wstring(seed) + L"_" + std::to_wstring(i) + L"_" + std::to_wstring(rng());
        // A name the file system takes for an existing one is not created.
        if (!WriteFileText(F + name, content) || ReadFileText(F + name) != content)
            continue;
        taken.insert(Lower(name));
        before[content] = name;
    }
    // Odd names in some cases, from a stream of their own so that the other
    // draws stay as they were.
    std::map<std::wstring, std::wstring> untouchable;
    Rng odd(seed * 7919u + 13u);
    if (Pick(odd, 0, 2) == 0) {
        const size_t nPlain = before.size();
        AddOddNames(odd, F, seed, taken, before, untouchable);
        figures.oddNames += (int)(before.size() - nPlain);
    }
    figures.files += (int)before.size();
    if (dlg.TakeBackEnabled())
        return L"the take-back item is enabled before any rename";

    // Load it as the user does: the tree reads the folder afresh.
    dlg.CloseItem(hRoot);
    if (!dlg.SelectDesktopPath({root.Name(), L"c", L"f"}))
        return L"the case folder is not in the tree";
    PumpMessages();
    dlg.messages.clear();
    const int n = dlg.m_names.GetCount();
    if (n != (int)before.size())
        return L"listed " + std::to_wstring(n) + L" of " + std::to_wstring(before.size()) + L" files";
    std::vector<std::wstring> shown, disk, contents(n);
    for (int i = 0; i < n; ++i) {
        shown.push_back(dlg.m_names[i].strShown.str());
        disk.push_back(dlg.m_names[i].strDiskName.str());
        if (ShownName(disk[i].c_str()).str() != shown[i])
            return L"the list shows " + shown[i] + L" for " + disk[i];
    }
    for (const auto& b : before)
        for (int i = 0; i < n; ++i)
            if (b.second == disk[i])
                contents[i] = b.first;

    std::vector<std::wstring> lines = shown;
    EditLines(rng, lines);
    std::wstring text = Join(lines, Pick(rng, 0, 5) == 0);
    // An undo step, which a rename answered No must leave alone.
    dlg.m_undo.Reset();
    dlg.m_undo.Record(L"");
    EnableWindow(dlg.Item(IDC_UNDO), TRUE);
    dlg.SetEditorText(text.c_str());
    // A batch command on the text as it stands, shifted or not: it keeps
    // its lines, so that the rename still asks where it must.
    if (Pick(rng, 0, 3) == 0) {
        const int nBefore = CountNameLines(text.c_str());
        RunBatchCommand(rng, dlg);
        text = dlg.EditorText().str();
        ++figures.batchCommands;
        // Each line written back and closed (a replace may empty some).
        int nAfter = 0;
        for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2))
            ++nAfter;
        if (nAfter != nBefore || (nBefore > 0 && text.compare(text.size() - 2, 2, L"\r\n") != 0))
            return L"a batch command wrote " + std::to_wstring(nAfter) + L" lines of " + std::to_wstring(nBefore);
    }
    const int nUndoDepth = dlg.m_undo.GetDepth();
    dlg.messages.clear();
    dlg.questions.clear();
    const int nLines = CountNameLines(text.c_str());
    const bool bAsked = nLines != n;
    std::vector<CString> split(n > 0 ? n : 1);
    SplitNames(text.c_str(), n, split.data());
    // What the renamer is given to do, for the figures and for a stop at
    // a point of it.
    RenamePlan plan;
    CrashRename crash;
    {
        std::vector<CString> from(shown.begin(), shown.end()), on(disk.begin(), disk.end());
        std::vector<CString> to(split.begin(), split.begin() + n);
        for (int i = nLines; i < n; ++i)
            to[i] = from[i];
        plan = PlanRenames(F.c_str(), from.data(), to.data(), n, on.data());
        crash = {F, shown, disk, std::vector<std::wstring>(to.begin(), to.end())};
    }
    const bool bCycles = std::any_of(plan.moves.begin(), plan.moves.end(),
                                     [](const RenameMove& m) { return m.kind == MOVE_TO_TEMP; });
    // Some renames are stopped before a random move, a cycle's among them.
    // Others are killed there instead, and recovered.
    g_nStopAt = 0;
    bool bCrash = false;
    if (!plan.moves.empty() && Pick(rng, 0, bCycles ? 2 : 8) == 0) {
        g_pStopDlg = &dlg;
        g_nMoves = 0;
        g_nStopAt = Pick(rng, 1, (int)plan.moves.size() + 1);
        bCrash = Pick(rng, 0, 1) == 0;
        if (!bCrash)
            SetBeforeMoveHook(StopAtMove);
        figures.stopped += !bCrash;
    }
    const bool bYes = Pick(rng, 0, 1) != 0;
    if (bCrash && (!bAsked || bYes)) {
        crash.nKillBefore = g_nStopAt - 1;
        return CrashAndRecover(rng, dlg, P, crash, contents, before.size() + untouchable.size(), figures) +
               CheckUntouched(P, untouchable);
    }
    dlg.Rename(bYes ? IDYES : IDNO);
    SetBeforeMoveHook(NULL);
    if (!FindJournalFiles().empty())
        return L"a journal is left after the rename";
    if (dlg.questions.size() != (bAsked ? 1u : 0u))
        return L"asked " + std::to_wstring(dlg.questions.size()) + L" times for " + std::to_wstring(nLines) +
               L" lines and " + std::to_wstring(n) + L" files";
    std::map<std::wstring, std::wstring> where;  // content -> path below P
    std::wstring failure = Locate(P, before.size() + untouchable.size(), where);
    if (failure.empty())
        failure = CheckUntouched(P, untouchable);
    if (!failure.empty())
        return failure;
    if (bAsked && !bYes) {
        ++figures.answeredNo;
        for (int i = 0; i < n; ++i)
            if (where[contents[i]] != L"f\\" + disk[i])
                return L"answered No, yet " + disk[i] + L" went to " + where[contents[i]];
        if (!dlg.messages.empty() || dlg.EditorText() != text.c_str() || dlg.m_undo.GetDepth() != nUndoDepth ||
            !dlg.UndoEnabled())
            return L"answered No, yet the dialog changed";
        return L"";
    }
    figures.answeredYes += bAsked;

    figures.moves += (int)plan.moves.size();
    for (const RenameMove& m : plan.moves)
        figures.cycles += m.kind == MOVE_TO_TEMP;

    // Each file has its line's name, or kept its own and is reported; a
    // file without a line, or whose line is unchanged, keeps its name
    // unreported.
    int differing = 0;
    for (int i = 0; i < n; ++i) {
        const std::wstring& at = where[contents[i]];
        if (i >= nLines || split[i].str() == shown[i]) {
            if (at != L"f\\" + disk[i])
                return L"file " + disk[i] + L" has no new line, yet went to " + at;
            continue;
        }
        if (IsLinesPlace(at, Resolve(split[i].str())) && !split[i].IsEmpty())
            continue;
        ++differing;
        if (at != L"f\\" + disk[i])
            return L"line " + std::to_wstring(i) + L" (" + split[i].str() + L"): " + disk[i] + L" went to " + at;
    }
    const int reported = dlg.messages.empty() ? 0 : ReportedCount(dlg.messages[0], IDS_RENAME_REPORT, n);
    if (dlg.messages.size() > 1 || reported != differing)
        return std::to_wstring(reported) + L" reported, " + std::to_wstring(differing) + L" not renamed";
    figures.notRenamed += differing;

    failure = CheckListNames(dlg, disk, shown, contents, where);
    if (failure.empty())
        failure = CheckTakeBack(dlg, rng, P, seed, disk, shown, contents, where, figures);
    if (failure.empty())
        failure = CheckUntouched(P, untouchable);
    return failure;
}

std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3 + 1, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], (int)out.size(), NULL, NULL);
    out.resize(n > 0 ? n : 0);
    return out;
}

}  // namespace

std::string RunRenameTorture(unsigned baseSeed, int first, int count, TortureFigures& figures)
{
    if (const char* s = getenv("QUORVEL_TORTURE_SEED")) {
        baseSeed = (unsigned)strtoul(s, NULL, 10);
        first = 0;
    }
    if (const char* s = getenv("QUORVEL_TORTURE_CASES"))
        count = atoi(s);

    figures = TortureFigures();
    figures.firstSeed = baseSeed + (unsigned)first;
    TortureDlg dlg;
    DesktopFolder root(dlg.m_tree.GetDesktopPath().str());
    MakeFolder(root / L"c");
    HTREEITEM hRoot = dlg.SelectDesktopPath({root.Name()});
    if (!hRoot)
        return "the torture folder is not in the tree";
    for (int k = first; k < first + count; ++k) {
        unsigned seed = baseSeed + (unsigned)k;
        std::string failure = Utf8(RunCase(dlg, hRoot, root, seed, figures));
        ++figures.cases;
        if (!failure.empty()) {
            std::ostringstream out;
            out << "seed " << seed << ": " << failure << "  (replay: QUORVEL_TORTURE_SEED=" << seed
                << " QUORVEL_TORTURE_CASES=1)";
            return out.str();
        }
    }
    return "";
}

std::string DescribeTorture(const TortureFigures& f)
{
    std::ostringstream out;
    out << f.cases << " cases, " << f.files << " files, seeds " << f.firstSeed << ".." << f.firstSeed + f.cases - 1
        << "; questions answered No " << f.answeredNo << ", Yes " << f.answeredYes << "; " << f.moves
        << " moves planned, " << f.cycles << " cycles; " << f.notRenamed << " files not renamed and reported; "
        << f.takeBacks << " take-backs, " << f.changes << " changes made before them, " << f.notTakenBack
        << " files not taken back and reported; " << f.batchCommands << " batch commands on the lines; " << f.stopped
        << " renames stopped, " << f.crashed << " killed and recovered; "
        << f.oddNames
        << " names made with scripts beyond Korean, decomposed or unreachable by plain paths";
    return out.str();
}
