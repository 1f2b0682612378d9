#include "Torture.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "TreeHost.h"
#include "names/NameList.h"

namespace {

typedef std::mt19937 Rng;

typedef QuietBatchNameDlg TortureDlg;

int Pick(Rng& rng, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

const char* const kKorean[] = {"가", "나", "다", "한", "글", "노", "래", "봄", "날", "음", "악", "사", "진", "뷁", "똠", "앨범"};

std::string Lower(const std::string& s)
{
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = c - 'A' + 'a';
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
            s += CString(kKorean[Pick(rng, 0, 15)]).str();
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

// Every file below the folder: relative path -> contents.
void Scan(const std::string& base, const std::string& rel, std::map<std::string, std::string>& out)
{
    std::string folder = base + rel;
    for (const std::string& n : ListFileNames(folder))
        out[rel + n] = ReadFileBytes(folder + n);
    for (const std::string& d : ListFolderNames(folder))
        Scan(base, rel + d + "\\", out);
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

// One case; returns "" when it held, else what went wrong.
std::string RunCase(TortureDlg& dlg, HTREEITEM hRoot, const DesktopFolder& root, unsigned seed, int& files)
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
        if (!WriteFileBytes(F + name, content))
            continue;
        taken.insert(Lower(name));
        before[content] = name;
    }
    files += (int)before.size();

    // Load it as the user does: the tree reads the folder afresh.
    dlg.CloseItem(hRoot);
    if (!dlg.SelectDesktopPath({root.Name(), "c", "f"}))
        return "the case folder is not in the tree";
    const int n = dlg.m_nNameCount;
    if (n != (int)before.size())
        return "listed " + std::to_string(n) + " of " + std::to_string(before.size()) + " files";
    std::vector<std::string> cur;
    for (int i = 0; i < n; ++i)
        cur.push_back(dlg.m_strCurNames[i].str());

    // A random edit script on the lines.
    std::vector<std::string> lines = cur;
    int ops = Pick(rng, 1, 6);
    for (int k = 0; k < ops; ++k) {
        int size = (int)lines.size();
        int i = size ? Pick(rng, 0, size - 1) : 0;
        int j = size ? Pick(rng, 0, size - 1) : 0;
        switch (Pick(rng, 0, 9)) {
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
        }
    }
    std::string text = Join(lines, Pick(rng, 0, 5) == 0);
    dlg.SetEditorText(text.c_str());
    dlg.messages.clear();
    dlg.Click(IDC_RENAME);

    std::vector<CString> split(n > 0 ? n : 1);
    SplitNames(text.c_str(), n, split.data());

    // Nothing lost, nothing doubled, nothing overwritten.
    std::map<std::string, std::string> after;
    Scan(P, "", after);
    std::map<std::string, std::string> where;  // content -> path below P
    for (const auto& e : after)
        where[e.second] = e.first;
    if (after.size() != before.size() || where.size() != after.size())
        return "the folder holds " + std::to_string(after.size()) + " files instead of " +
               std::to_string(before.size());
    for (const auto& b : before)
        if (!where.count(b.first))
            return "the file " + b.second + " was lost";

    // Where each listed file is now, by its content.
    std::vector<std::string> ended(n);
    for (int i = 0; i < n; ++i)
        for (const auto& b : before)
            if (b.second == cur[i])
                ended[i] = where[b.first];

    // Each file has its line's name, or kept its own and is reported.
    int differing = 0;
    for (int i = 0; i < n; ++i) {
        const std::string& at = ended[i];
        const std::string wanted = Resolve(split[i].str());
        if (at == wanted && !split[i].IsEmpty())
            continue;
        ++differing;
        if (at != "f\\" + cur[i])
            return "line " + std::to_string(i) + " (" + split[i].str() + "): " + cur[i] + " went to " + at;
    }
    int reported = 0;
    if (!dlg.messages.empty()) {
        if (dlg.messages.size() != 1)
            return "more than one message";
        std::string first = dlg.messages[0].substr(0, dlg.messages[0].find('\n'));
        // The count line with the number of failures read back from it.
        const std::string format = Text(IDS_RENAME_REPORT, {std::to_string(n), "\x01"});
        const std::string head = format.substr(0, format.find('\x01'));
        if (first.compare(0, head.size(), head) != 0)
            return "report begins " + first;
        reported = atoi(first.c_str() + head.size());
    }
    if (reported != differing)
        return std::to_string(reported) + " reported, " + std::to_string(differing) + " not renamed";

    // The dialog's current names are the names on disk for files that
    // stayed in the folder.
    for (int i = 0; i < n; ++i) {
        const std::string& at = ended[i];
        if (at.compare(0, 2, "f\\") == 0 && at.find('\\', 2) == std::string::npos &&
            dlg.m_strCurNames[i].str() != at.substr(2))
            return "current name " + dlg.m_strCurNames[i].str() + " for " + at;
    }
    return "";
}

}  // namespace

std::string RunRenameTorture(unsigned baseSeed, int first, int count, int* pCasesRun, int* pFilesSeen,
                             unsigned* pFirstSeed)
{
    if (const char* s = getenv("QUORVEL_TORTURE_SEED")) {
        baseSeed = (unsigned)strtoul(s, NULL, 10);
        first = 0;
    }
    if (const char* s = getenv("QUORVEL_TORTURE_CASES"))
        count = atoi(s);

    *pFirstSeed = baseSeed + (unsigned)first;
    TortureDlg dlg;
    DesktopFolder root(dlg.m_tree.GetDesktopPath().str());
    MakeFolder(root / "c");
    HTREEITEM hRoot = dlg.SelectDesktopPath({root.Name()});
    if (!hRoot)
        return "the torture folder is not in the tree";
    *pCasesRun = 0;
    *pFilesSeen = 0;
    for (int k = first; k < first + count; ++k) {
        unsigned seed = baseSeed + (unsigned)k;
        std::string failure = RunCase(dlg, hRoot, root, seed, *pFilesSeen);
        ++*pCasesRun;
        if (!failure.empty()) {
            std::ostringstream out;
            out << "seed " << seed << ": " << failure << "  (replay: QUORVEL_TORTURE_SEED=" << seed
                << " QUORVEL_TORTURE_CASES=1)";
            return out.str();
        }
    }
    return "";
}
