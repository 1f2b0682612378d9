// Reading the tags of 1000 MP3 files whose text frames lie behind a large
// picture, against a bare loop that opens each file, reads its first 4 KB
// and closes it.
#include <algorithm>
#include <string>
#include <vector>

#include "bench/bench.h"
#include "names/TagFields.h"
#include "platform/FileBytes.h"

namespace {

const int MP3_COUNT = 1000;
const size_t MP3_SIZE = 300 * 1024;
const size_t PICTURE_SIZE = 200 * 1024;
const int TAG_RUNS = 5;

typedef std::vector<unsigned char> Bytes;

void Append(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

void AppendFrame(Bytes& b, const char* id, const Bytes& data)
{
    Append(b, id);
    for (int i = 3; i >= 0; --i)
        b.push_back((unsigned char)(data.size() >> (8 * i)));
    b.push_back(0);
    b.push_back(0);
    b.insert(b.end(), data.begin(), data.end());
}

Bytes TextFrame(const std::string& text)
{
    Bytes data(1, 0);
    Append(data, text);
    return data;
}

// An ID3v2.3 tag: the picture first, then the text frames, then padding;
// audio-like bytes up to MP3_SIZE, and an ID3v1 tag at the end.
Bytes Mp3File(int k)
{
    Bytes body;
    Bytes picture(1, 0);
    Append(picture, std::string("image/jpeg\0\x03\0", 13));
    for (size_t i = picture.size(); i < PICTURE_SIZE; ++i)
        picture.push_back((unsigned char)(i * 131 + k));
    AppendFrame(body, "APIC", picture);
    AppendFrame(body, "TIT2", TextFrame("Title " + std::to_string(k)));
    AppendFrame(body, "TPE1", TextFrame("Artist"));
    AppendFrame(body, "TALB", TextFrame("Album"));
    AppendFrame(body, "TYER", TextFrame("2024"));
    AppendFrame(body, "TRCK", TextFrame(std::to_string(k % 20 + 1) + "/20"));
    body.resize(body.size() + 1024);
    Bytes file;
    Append(file, "ID3");
    file.insert(file.end(), {3, 0, 0});
    for (int i = 3; i >= 0; --i)
        file.push_back((unsigned char)((body.size() >> (7 * i)) & 0x7F));
    file.insert(file.end(), body.begin(), body.end());
    for (size_t i = file.size(); i < MP3_SIZE - 128; ++i)
        file.push_back((unsigned char)(i * 7));
    Bytes v1(128, 0);
    std::copy_n("TAG", 3, v1.begin());
    file.insert(file.end(), v1.begin(), v1.end());
    return file;
}

std::wstring WideTempFolder()
{
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring folder = std::wstring(cwd) + L"\\bench_tags_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), NULL);
    return folder;
}

double TagLoop(const std::vector<std::wstring>& paths, int& nComplete)
{
    double t0 = BenchNow();
    for (const std::wstring& path : paths)
        if (ReadFileFields(path).size() == 5)
            ++nComplete;
    return BenchNow() - t0;
}

// Bytes the reader asks of one file: the picture must be skipped, not read.
double BytesReadPerFile(const std::wstring& path)
{
    CFileBytes file(path);
    size_t nTotal = 0;
    ReadMp3Fields(
        [&](unsigned long long nOffset, void* pBuffer, size_t nBytes) {
            size_t n = file.Read(nOffset, pBuffer, nBytes);
            nTotal += n;
            return n;
        },
        file.GetSize());
    return (double)nTotal;
}

}  // namespace

QUORVEL_BENCH(tags_read)
{
    std::wstring folder = WideTempFolder();
    std::vector<std::wstring> paths;
    for (int k = 0; k < MP3_COUNT; ++k) {
        paths.push_back(folder + L"\xACE1 " + std::to_wstring(10000 + k) + L".mp3");  // "곡 10000.mp3"
        Bytes file = Mp3File(k);
        HANDLE h = CreateFileW(paths.back().c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD n;
        WriteFile(h, file.data(), (DWORD)file.size(), &n, NULL);
        CloseHandle(h);
    }

    // The loops take turns, so that both meet the same state of the
    // machine; the best run of each counts.
    double bestBare = 1e9, bestTags = 1e9;
    int nRead = 0, nComplete = 0;
    for (int run = 0; run < TAG_RUNS; ++run) {
        nRead = nComplete = 0;
        bestBare = std::min(bestBare, BenchBareReads(paths, &nRead));
        bestTags = std::min(bestTags, TagLoop(paths, nComplete));
    }
    BenchPrint("tags_files_read_bare", nRead);
    BenchPrint("tags_files_with_all_fields", nComplete);
    BenchPrint("tags_bare_1000_mp3_s", bestBare, "s");
    BenchPrint("tags_read_1000_mp3_s", bestTags, "s");
    BenchPrint("tags_ratio", bestTags / bestBare, "x (target <= 3)");
    BenchPrint("tags_bytes_read_per_file", BytesReadPerFile(paths[0]));

    for (const std::wstring& path : paths)
        DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}
