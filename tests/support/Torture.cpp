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
#include "TestSupport.h"
#include "TreeHost.h"
#include "names/NameList.h"
#include "names/RenamePlan.h"
#include "platform/PathIdentity.h"

namespace {

typedef std::mt19937 Rng;

typedef QuietBatchNameDlg TortureDlg;

int Pick(Rng& rng, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

const char* const kKorean[] = {"가", "나", "다", "한", "글", "노", "래", "봄", "날", "음", "악", "사", "진", "뷁", "똠", "앨범"};
// Letters of code page 949 whose case the file system ignores and the C
// runtime does not fold, in pairs of lower and upper case.
const char* const kFolding[][2] = {{"α", "Α"}, {"ω", "Ω"}, {"б", "Б"}, {"ａ", "Ａ"}, {"ｚ", "Ｚ"}};
const int FOLDING_PAIRS = sizeof(kFolding) / sizeof(kFolding[0]);

std::string Lower(const std::string& s)
{
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = c - 'A' + 'a';
    return out;
}

// The name with the case of every letter turned, the folding letters of
// code page 949 included: another spelling of the same name on disk.
std::string FlipCase(const std::string& s)
{
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = c - 'A' + 'a';
        else if (c >= 'a' && c <= 'z')
            c = c - 'a' + 'A';
    for (int k = 0; k < FOLDING_PAIRS; ++k) {
        const std::string lower = CString(kFolding[k][0]).str(), upper = CString(kFolding[k][1]).str();
        // Both spellings are two bytes and start on a character boundary
        // in these names, whose other characters are ASCII or Korean.
        for (size_t at = 0; at + 1 < out.size();) {
            if (out.compare(at, 2, lower) == 0)
                out.replace(at, 2, upper);
            else if (out.compare(at, 2, upper) == 0)
                out.replace(at, 2, lower);
            else {
                at += (unsigned char)out[at] >= 0x80 ? 2 : 1;
                continue;
            }
            at += 2;
        }
    }
    return out;
}

// A random plain name that Windows stores as written.
std::string PlainName(Rng& rng)
{
    std::string s;
    int parts = Pick(rng, 1, 8);
    for (int i = 0; i < parts; ++i) {
        switch (Pick(rng, 0, 5)) {
        case 0:
        case 1: {
            int n = Pick(rng, 1, 5);
            for (int k = 0; k < n; ++k)
                s += (char)(Pick(rng, 0, 1) ? 'a' + Pick(rng, 0, 25) : 'A' + Pick(rng, 0, 25));
            break;
        }
        case 2:
            s += Pick(rng, 0, 3) ? CString(kKorean[Pick(rng, 0, 15)]).str()
                                 : CString(kFolding[Pick(rng, 0, FOLDING_PAIRS - 1)][Pick(rng, 0, 1)]).str();
            break;
        case 3:
            s += std::to_string(Pick(rng, 0, 99));
            break;
        case 4:
            s += ' ';
            break;
        case 5:
            s += '.';
            break;
        }
    }
    if (Pick(rng, 0, 2) == 0)
        s += Pick(rng, 0, 1) ? ".mp3" : ".JPG";
    while (!s.empty() && (s.back() == '.' || s.back() == ' '))
        s.pop_back();
    if (s.empty() || s[0] == ' ')
        s = "x" + s;
    return s;
}

// A name that moves, is refused, or is otherwise hostile.
std::string HostileName(Rng& rng, const std::string& base)
{
    switch (Pick(rng, 0, 18)) {
    case 0: return "sub\\" + base;
    case 1: return "..\\" + base;
    case 2: return "sub/" + base;
    case 3: return base + ":x";
    case 4: return base + "?";
    case 5: return "*" + base;
    case 6: return "<" + base + ">";
    case 7: return base + "|b";
    case 8: return "\"" + base + "\"";
    case 9: return base + ".";
    case 10: return base + "  ";
    case 11: return Pick(rng, 0, 1) ? "CON" : "con";
    case 12: return "NUL.txt";
    case 13: return Pick(rng, 0, 1) ? "COM1" : "lpt1.mp3";
    case 14: return std::string(300, 'L');
    case 15: return "caf?" + base;  // a character outside code page 949, as an ANSI edit box shows it
    case 16: return "sub\\..\\" + base;
    case 17: {
        // Near the 255 UTF-8 bytes a file system may keep of a name.
        std::string name;
        for (int n = Pick(rng, 80, 95); n > 0; --n)
            name += kKorean[Pick(rng, 0, 14)];
        return name + base;
    }
    default: return "\t" + base;
    }
}

// The path of a line's file relative to the case folder P (the listed
// folder is P\f), folder parts resolved as the platform resolves them.
std::string Resolve(const std::string& line)
{
    std::vector<std::string> parts = {"f"};
    std::string part;
    auto flush = [&] {
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".")
            parts.push_back(part);
        part.clear();
    };
    for (char c : line) {
        if (c == '\\' || c == '/')
            flush();
        else
            part += c;
    }
    flush();
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "\\") + p;
    return out;
}

// True when the file at path at (below P) is where a resolved line puts
// it: the folders as the file system finds them, whatever their letter
// case, and the name exactly as written.
bool IsLinesPlace(const std::string& at, const std::string& wanted)
{
    const size_t a = at.rfind('\\'), w = wanted.rfind('\\');
    if (a == std::string::npos || w == std::string::npos)
        return at == wanted;
    return at.compare(a, std::string::npos, wanted, w, std::string::npos) == 0 &&
           Lower(at.substr(0, a)) == Lower(wanted.substr(0, w));
}

// The code-page form of a wide name when the code page holds it exactly,
// composed first (NFC) when bCompose; "" otherwise.
std::string ExactName(const std::wstring& name, bool bCompose)
{
    std::wstring w = name;
    if (bCompose) {
        wchar_t composed[MAX_PATH * 2] = L"";
        int n = NormalizeString(NormalizationC, name.c_str(), (int)name.size(), composed, MAX_PATH * 2);
        if (n > 0)
            w.assign(composed, n);
    }
    char buf[MAX_PATH * 4] = "";
    BOOL bDefault = FALSE;
    int nBytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.c_str(), (int)w.size(), buf, sizeof(buf), NULL,
                                     &bDefault);
    if (nBytes > 0 && !bDefault && WideText(std::string(buf, nBytes)) == w)
        return std::string(buf, nBytes);
    return "";
}

// "<...>": the characters of a wide name in hexadecimal, which no line
// can spell.
std::string HexKey(const std::wstring& name)
{
    std::ostringstream out;
    out << "<" << std::hex;
    for (wchar_t c : name)
        out << (unsigned)c << ".";
    out << ">";
    return out.str();
}

// The names of one folder as the program shows them: exact in the code
// page, or composed where decomposed Hangul composes into a name no other
// entry has; any other name by HexKey.
std::vector<std::string> ShownKeys(const std::vector<std::wstring>& names)
{
    std::vector<std::string> keys(names.size());
    std::map<std::string, int> uses;
    for (size_t i = 0; i < names.size(); ++i) {
        keys[i] = ExactName(names[i], false);
        if (keys[i].empty())
            keys[i] = ExactName(names[i], true);
        if (!keys[i].empty())
            ++uses[Lower(keys[i])];
    }
    for (size_t i = 0; i < names.size(); ++i)
        if (keys[i].empty() || (ExactName(names[i], false).empty() && uses[Lower(keys[i])] > 1))
            keys[i] = HexKey(names[i]);
    return keys;
}

std::string ShownKey(const std::wstring& name)
{
    return ShownKeys({name})[0];
}

// Every file below the folder, read through the wide API: relative path
// (each part as ShownKeys gives it) -> contents.
void Scan(const std::wstring& base, const std::wstring& rel, const std::string& relKey,
          std::map<std::string, std::string>& out)
{
    const std::wstring folder = base + rel;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::wstring> names;
    std::vector<bool> isFolder;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..")
            continue;
        names.push_back(name);
        isFolder.push_back((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    const std::vector<std::string> keys = ShownKeys(names);
    for (size_t i = 0; i < names.size(); ++i) {
        if (isFolder[i])
            Scan(base, rel + names[i] + L"\\", relKey + keys[i] + "\\", out);
        else
            out[relKey + keys[i]] = ReadWideFile(folder + names[i]);
    }
}

void Scan(const std::string& base, std::map<std::string, std::string>& out)
{
    Scan(WideText(base), L"", "", out);
}

std::string Join(const std::vector<std::string>& lines, bool dropLastBreak)
{
    std::string s;
    for (const std::string& l : lines)
        s += l + "\r\n";
    if (dropLastBreak && s.size() >= 2)
        s.resize(s.size() - 2);
    return s;
}

// Where each file is, by its content (contents are distinct); "" when the
// folder lost a file, doubled one, or holds a temporary name.
std::string Locate(const std::string& P, size_t nExpected, std::map<std::string, std::string>& where)
{
    std::map<std::string, std::string> after;
    Scan(P, after);
    where.clear();
    for (const auto& e : after) {
        where[e.second] = e.first;
        size_t part = e.first.rfind('\\');
        if (e.first.compare(part == std::string::npos ? 0 : part + 1, strlen(RENAME_TEMP_PREFIX), RENAME_TEMP_PREFIX) ==
            0)
            return "a temporary name is left: " + e.first;
    }
    if (after.size() != nExpected || where.size() != after.size())
        return "the folder holds " + std::to_string(after.size()) + " files instead of " + std::to_string(nExpected);
    return "";
}

// The count in the first line of a report whose first line is string
// nHeadID with %1 = nCount, or -1 when the message is no such report.
int ReportedCount(const std::string& message, UINT nHeadID, int nCount)
{
    std::string first = message.substr(0, message.find('\n'));
    const std::string format = Text(nHeadID, {std::to_string(nCount), "\x01"});
    const std::string head = format.substr(0, format.find('\x01'));
    if (first.compare(0, head.size(), head) != 0)
        return -1;
    return atoi(first.c_str() + head.size());
}

// A random edit script on the lines.
void EditLines(Rng& rng, std::vector<std::string>& lines)
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
                lines[i] = HostileName(rng, size ? lines[j] : "x");
            break;
        case 9:
            if (size)
                lines[i] = Lower(lines[i]) == lines[i] ? lines[i] + "A" : Lower(lines[i]);
            break;
        case 10: {
            // The names of a few files dealt out among them again: swaps,
            // rotations, cycles of any length.
            std::vector<int> picked;
            for (int m = 0; m < size; ++m)
                picked.push_back(m);
            std::shuffle(picked.begin(), picked.end(), rng);
            picked.resize(std::min(size, Pick(rng, 2, 12)));
            std::vector<std::string> names;
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

// Changes made between a rename and its taking back, each blocking one
// renamed file: moved away, its old name taken, or held open.
struct Changes {
    std::map<int, const char*> blocked;  // file -> what was done to it
    std::vector<std::string> addedContents;
    std::vector<HANDLE> handles;
    ~Changes()
    {
        for (HANDLE h : handles)
            CloseHandle(h);
    }
};

void MakeChanges(Rng& rng, const std::string& P, const std::vector<std::string>& cur, const std::vector<int>& moved,
                 std::map<std::string, std::string>& where, const std::vector<std::string>& contents, unsigned seed,
                 Changes& changes)
{
    // Where the rename put each file, before any change.
    std::vector<std::string> renamed(cur.size());
    for (int j : moved)
        renamed[j] = where[contents[j]];
    for (int c = Pick(rng, 1, 3); c > 0; --c) {
        int i = moved[Pick(rng, 0, (int)moved.size() - 1)];
        if (changes.blocked.count(i))
            continue;
        const std::string at = where[contents[i]];
        const char* what = "";
        switch (Pick(rng, 0, 2)) {
        case 0: {
            const std::string away = "away_" + std::to_string(i);
            if (!MoveFileA((P + at).c_str(), (P + away).c_str()))
                continue;
            where[contents[i]] = away;
            what = "moved away";
            break;
        }
        case 1: {
            // Not under a name the rename gave a file: taking back goes by
            // names, and would take a new file there for the renamed one.
            bool bRenamedThere = false;
            for (int j : moved)
                bRenamedThere = bRenamedThere || IsSamePath((P + renamed[j]).c_str(), (P + "f\\" + cur[i]).c_str());
            const std::string blocker = "blocker_" + std::to_string(seed) + "_" + std::to_string(i);
            if (bRenamedThere || PathExists(P + "f\\" + cur[i]) || !WriteFileBytes(P + "f\\" + cur[i], blocker))
                continue;
            changes.addedContents.push_back(blocker);
            what = "its old name taken";
            break;
        }
        case 2: {
            HANDLE h = CreateFileA((P + at).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
            if (h == INVALID_HANDLE_VALUE)
                continue;
            changes.handles.push_back(h);
            what = "held open";
            break;
        }
        }
        changes.blocked[i] = what;
    }
}

// The rename of one case is taken back from the system menu: each moved
// file is back under its old name, or reported and where it was.
std::string CheckTakeBack(TortureDlg& dlg, Rng& rng, const std::string& P, unsigned seed,
                          const std::vector<std::string>& cur, const std::vector<std::string>& contents,
                          std::map<std::string, std::string> where, TortureFigures& figures)
{
    const int n = (int)cur.size();
    std::vector<int> moved;
    for (int i = 0; i < n; ++i)
        if (where[contents[i]] != "f\\" + cur[i])
            moved.push_back(i);
    if (dlg.TakeBackEnabled() != !moved.empty())
        return std::string("the take-back item is ") + (moved.empty() ? "enabled" : "grayed");
    if (moved.empty())
        return "";

    Changes changes;
    if (Pick(rng, 0, 2) == 0)
        MakeChanges(rng, P, cur, moved, where, contents, seed, changes);
    const std::map<std::string, std::string> before = where;
    dlg.messages.clear();
    dlg.TakeBack();
    for (HANDLE h : changes.handles)
        CloseHandle(h);
    changes.handles.clear();
    ++figures.takeBacks;
    figures.changes += (int)changes.blocked.size();

    std::string failure = Locate(P, before.size() + changes.addedContents.size(), where);
    if (!failure.empty())
        return "after taking back: " + failure;
    for (const std::string& c : changes.addedContents)
        if (!where.count(c))
            return "after taking back: the file made meanwhile was lost";
    int notBack = 0;
    for (int i = 0; i < n; ++i) {
        const std::string& at = where[contents[i]];
        const bool wasMoved = std::find(moved.begin(), moved.end(), i) != moved.end();
        if (wasMoved && at == "f\\" + cur[i])
            continue;
        if (at != before.at(contents[i]))
            return "taking back moved " + cur[i] + " from " + before.at(contents[i]) + " to " + at;
        if (!wasMoved)
            continue;
        ++notBack;
        if (changes.blocked.empty())
            return cur[i] + " did not go back, with nothing in its way";
    }
    for (const auto& b : changes.blocked)
        if (where[contents[b.first]] == "f\\" + cur[b.first])
            return cur[b.first] + " went back, " + b.second;
    figures.notTakenBack += notBack;
    const int reported =
        dlg.messages.empty() ? 0 : ReportedCount(dlg.messages[0], IDS_UNDO_RENAME_REPORT, (int)moved.size());
    if (dlg.messages.size() > 1 || reported != notBack)
        return std::to_string(reported) + " reported as not taken back, " + std::to_string(notBack) + " not back";
    if (dlg.TakeBackEnabled())
        return "the take-back item is still enabled";

    // The list is updated in place: each file in the folder under the name
    // it has, and the editor shows the list.
    for (int i = 0; i < n; ++i) {
        const std::string& at = where[contents[i]];
        if (at.compare(0, 2, "f\\") == 0 && at.find('\\', 2) == std::string::npos &&
            dlg.m_strCurNames[i].str() != at.substr(2))
            return "after taking back, current name " + dlg.m_strCurNames[i].str() + " for " + at;
    }
    if (dlg.EditorText() != JoinNames(dlg.m_strCurNames, n) || dlg.m_nUndoDepth != 0)
        return "after taking back, the editor does not show the list";
    return "";
}

// Files whose names the code page cannot hold, made with the wide API, each
// beside what its nearest spelling would name: never listed, never touched
// (exact path below P -> content). And decomposed Hangul names, as macOS
// writes them: listed composed, so they join the listed files (content ->
// composed name).
void AddOddNames(Rng& rng, const std::string& F, unsigned seed, std::set<std::string>& taken,
                 std::map<std::string, std::string>& listed, std::map<std::wstring, std::string>& untouchable)
{
    const std::wstring f = WideText(F);
    int serial = 0;
    auto content = [&] { return "odd" + std::to_string(seed) + "_" + std::to_string(serial++); };
    auto keep = [&](const std::wstring& name) {
        const std::string c = content();
        if (WriteWideFile(f + name, c))
            untouchable[L"f\\" + name] = c;
    };
    auto list = [&](const std::wstring& name, const std::string& shown) {
        const std::string c = content();
        if (taken.count(Lower(shown)) || !WriteWideFile(f + name, c))
            return false;
        taken.insert(Lower(shown));
        listed[c] = shown;
        return true;
    };
    for (int k = Pick(rng, 1, 4); k > 0; --k) {
        switch (Pick(rng, 0, 5)) {
        case 0:  // the won sign, beside the subfolder its nearest spelling leads into
            if (!taken.count("a") && (PathExists(F + "a") || MakeFolder(F + "a"))) {
                taken.insert("a");
                const std::string c = content();
                if (WriteWideFile(f + L"a\\b.txt", c))
                    untouchable[L"f\\a\\b.txt"] = c;
                keep(L"a\x20A9" L"b.txt");
            }
            break;
        case 1:  // an accented name, beside the name best fit turns it into
            list(L"cafe.txt", "cafe.txt");
            keep(L"caf\x00E9.txt");
            break;
        case 2:
            keep(L"e\x2215" L"f" + std::to_wstring(serial) + L".txt");
            keep(L"smile\xD83D\xDE00" + std::to_wstring(serial) + L".mp3");
            break;
        case 3: {  // an accented folder with ".mp3" files in it
            const std::wstring folder = L"Bj\x00F6rk";
            if (CreateDirectoryW((f + folder).c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS) {
                const std::wstring song = folder + L"\\J\x00F3ga" + std::to_wstring(serial) + L".mp3";
                const std::string c = content();
                if (WriteWideFile(f + song, c))
                    untouchable[L"f\\" + song] = c;
            }
            break;
        }
        case 4: {  // decomposed Hangul: 노래 n.mp3
            const int n = Pick(rng, 0, 99);
            list(L"\x1102\x1169\x1105\x1162 " + std::to_wstring(n) + L".mp3",
                 CString("노래 ").str() + std::to_string(n) + ".mp3");
            break;
        }
        case 5: {  // the same name composed and decomposed, side by side: the
                   // composed one is listed, the other would answer to its name
            const int n = Pick(rng, 0, 99);
            if (list(WideText(CString("사랑 ").str()) + std::to_wstring(n) + L".txt",
                     CString("사랑 ").str() + std::to_string(n) + ".txt"))
                keep(L"\x1109\x1161\x1105\x1161\x11BC " + std::to_wstring(n) + L".txt");
            break;
        }
        }
    }
}

// Each untouchable file is where it was, with its content.
std::string CheckUntouched(const std::string& P, const std::map<std::wstring, std::string>& untouchable)
{
    const std::wstring p = WideText(P);
    for (const auto& u : untouchable)
        if (ReadWideFile(p + u.first) != u.second)
            return "a file no line stood for was touched: " + ShownKey(u.first);
    return "";
}

// One case; returns "" when it held, else what went wrong.
std::string RunCase(TortureDlg& dlg, HTREEITEM hRoot, const DesktopFolder& root, unsigned seed,
                    TortureFigures& figures)
{
    Rng rng(seed);
    const std::string P = root.Path() + "c\\";
    const std::string F = P + "f\\";
    RemoveTree(P);
    MakeFolder(P);
    MakeFolder(F);
    if (Pick(rng, 0, 1))
        MakeFolder(F + "sub");

    // Random files, distinct names ignoring case, distinct contents.
    int want = Pick(rng, 1, 60);
    std::set<std::string> taken;
    std::map<std::string, std::string> before;  // content -> name
    for (int i = 0; i < want * 2 && (int)before.size() < want; ++i) {
        std::string name = Pick(rng, 0, 4) == 0 && !taken.empty() ? Lower(*taken.begin()) + "x" : PlainName(rng);
        if (taken.count(Lower(name)) || name == "sub")
            continue;
        std::string content = "c" + std::to_string(seed) + "_" + std::to_string(i) + "_" + std::to_string(rng());
        // A name the file system takes for an existing one is not created;
        // a device name ("NUL.x") opens the device, and no file is made.
        if (!WriteFileBytes(F + name, content) || ReadFileBytes(F + name) != content)
            continue;
        taken.insert(Lower(name));
        before[content] = name;
    }
    // Names the code page cannot hold, and decomposed ones, in some cases,
    // from a stream of their own so that the other draws stay as they were.
    std::map<std::wstring, std::string> untouchable;
    Rng odd(seed * 7919u + 13u);
    if (Pick(odd, 0, 2) == 0) {
        const size_t nPlain = before.size();
        AddOddNames(odd, F, seed, taken, before, untouchable);
        figures.decomposed += (int)(before.size() - nPlain);
        figures.leftOut += (int)untouchable.size();
    }
    figures.files += (int)before.size();
    if (dlg.TakeBackEnabled())
        return "the take-back item is enabled before any rename";

    // Load it as the user does: the tree reads the folder afresh.
    dlg.CloseItem(hRoot);
    if (!dlg.SelectDesktopPath({root.Name(), "c", "f"}))
        return "the case folder is not in the tree";
    // The notice of files left out comes posted; it is no part of the rename.
    PumpMessages();
    dlg.messages.clear();
    const int n = dlg.m_nNameCount;
    if (n != (int)before.size())
        return "listed " + std::to_string(n) + " of " + std::to_string(before.size()) + " files";
    std::vector<std::string> cur, contents(n);
    for (int i = 0; i < n; ++i)
        cur.push_back(dlg.m_strCurNames[i].str());
    for (const auto& b : before)
        for (int i = 0; i < n; ++i)
            if (b.second == cur[i])
                contents[i] = b.first;

    std::vector<std::string> lines = cur;
    EditLines(rng, lines);
    std::string text = Join(lines, Pick(rng, 0, 5) == 0);
    // An undo step, which a rename answered No must leave alone.
    dlg.m_nUndoDepth = 1;
    EnableWindow(dlg.Item(IDC_UNDO), TRUE);
    dlg.SetEditorText(text.c_str());
    dlg.messages.clear();
    dlg.questions.clear();
    const bool bYes = Pick(rng, 0, 1) != 0;
    dlg.Rename(bYes ? IDYES : IDNO);

    const int nLines = CountNameLines(text.c_str());
    const bool bAsked = nLines != n;
    if (dlg.questions.size() != (bAsked ? 1u : 0u))
        return "asked " + std::to_string(dlg.questions.size()) + " times for " + std::to_string(nLines) +
               " lines and " + std::to_string(n) + " files";
    std::map<std::string, std::string> where;  // content -> path below P
    std::string failure = Locate(P, before.size() + untouchable.size(), where);
    if (failure.empty())
        failure = CheckUntouched(P, untouchable);
    if (!failure.empty())
        return failure;
    if (bAsked && !bYes) {
        ++figures.answeredNo;
        for (int i = 0; i < n; ++i)
            if (where[contents[i]] != "f\\" + cur[i])
                return "answered No, yet " + cur[i] + " went to " + where[contents[i]];
        if (!dlg.messages.empty() || dlg.EditorText() != text.c_str() || dlg.m_nUndoDepth != 1 || !dlg.UndoEnabled())
            return "answered No, yet the dialog changed";
        return "";
    }
    figures.answeredYes += bAsked;

    std::vector<CString> split(n > 0 ? n : 1);
    SplitNames(text.c_str(), n, split.data());
    {
        // What the renamer was given to do, for the figures.
        std::vector<CString> from(cur.begin(), cur.end()), to(split.begin(), split.begin() + n);
        for (int i = nLines; i < n; ++i)
            to[i] = from[i];
        RenamePlan plan = PlanRenames(F.c_str(), from.data(), to.data(), n);
        figures.moves += (int)plan.moves.size();
        for (const RenameMove& m : plan.moves)
            figures.cycles += m.kind == MOVE_TO_TEMP;
    }

    // Each file has its line's name, or kept its own and is reported; a
    // file without a line keeps its name unreported.
    int differing = 0;
    for (int i = 0; i < n; ++i) {
        const std::string& at = where[contents[i]];
        if (i >= nLines) {
            if (at != "f\\" + cur[i])
                return "file " + cur[i] + " has no line, yet went to " + at;
            continue;
        }
        if (IsLinesPlace(at, Resolve(split[i].str())) && !split[i].IsEmpty())
            continue;
        ++differing;
        if (at != "f\\" + cur[i])
            return "line " + std::to_string(i) + " (" + split[i].str() + "): " + cur[i] + " went to " + at;
    }
    const int reported = dlg.messages.empty() ? 0 : ReportedCount(dlg.messages[0], IDS_RENAME_REPORT, n);
    if (dlg.messages.size() > 1 || reported != differing)
        return std::to_string(reported) + " reported, " + std::to_string(differing) + " not renamed";
    figures.notRenamed += differing;

    // The dialog's current names are the names on disk for files that
    // stayed in the folder.
    for (int i = 0; i < n; ++i) {
        const std::string& at = where[contents[i]];
        if (at.compare(0, 2, "f\\") == 0 && at.find('\\', 2) == std::string::npos &&
            dlg.m_strCurNames[i].str() != at.substr(2))
            return "current name " + dlg.m_strCurNames[i].str() + " for " + at;
    }
    failure = CheckTakeBack(dlg, rng, P, seed, cur, contents, where, figures);
    if (failure.empty())
        failure = CheckUntouched(P, untouchable);
    return failure;
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
    MakeFolder(root / "c");
    HTREEITEM hRoot = dlg.SelectDesktopPath({root.Name()});
    if (!hRoot)
        return "the torture folder is not in the tree";
    for (int k = first; k < first + count; ++k) {
        unsigned seed = baseSeed + (unsigned)k;
        std::string failure = RunCase(dlg, hRoot, root, seed, figures);
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
        << " files not taken back and reported; " << f.decomposed << " decomposed names listed, " << f.leftOut
        << " names the code page cannot hold left alone";
    return out.str();
}
