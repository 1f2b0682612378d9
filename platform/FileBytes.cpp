#include "platform/FileBytes.h"

#include "platform/PathIdentity.h"

namespace {

// ReadFile takes a 32-bit count: larger reads go in steps of this size.
const DWORD MAX_READ_STEP = 1u << 30;

}  // namespace

CFileBytes::CFileBytes(const std::wstring& wstrPath) : m_hFile(INVALID_HANDLE_VALUE), m_nSize(0)
{
    // By the long form, as every file the list holds: a name with a trailing
    // dot or a device name is reached too.
    m_hFile = ::CreateFileW(LongPath(wstrPath).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
    LARGE_INTEGER size;
    if (m_hFile != INVALID_HANDLE_VALUE && ::GetFileSizeEx(m_hFile, &size))
        m_nSize = (unsigned long long)size.QuadPart;
}

CFileBytes::~CFileBytes()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
}

size_t CFileBytes::Read(unsigned long long nOffset, void* pBuffer, size_t nBytes)
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return 0;
    size_t nDone = 0;
    while (nDone < nBytes) {
        // The offset goes with each read, so no file position is shared
        // between calls.
        OVERLAPPED ov = {};
        unsigned long long nAt = nOffset + nDone;
        ov.Offset = (DWORD)nAt;
        ov.OffsetHigh = (DWORD)(nAt >> 32);
        DWORD nStep = nBytes - nDone < MAX_READ_STEP ? (DWORD)(nBytes - nDone) : MAX_READ_STEP;
        DWORD nRead = 0;
        if (!::ReadFile(m_hFile, (char*)pBuffer + nDone, nStep, &nRead, &ov) || nRead == 0)
            break;
        nDone += nRead;
    }
    return nDone;
}
