// The one gateway through which the tag readers see a file's bytes: from
// memory or through a reader, every request checked against the size, so
// that no reader ever sees a byte past the end or trusts a size field.
#pragma once

#include <functional>
#include <vector>

// Copies up to nBytes at nOffset of the file into pBuffer; returns how many
// it copied.
typedef std::function<size_t(unsigned long long nOffset, void* pBuffer, size_t nBytes)> TagByteReader;

class CByteSource {
public:
    CByteSource(const unsigned char* pBytes, unsigned long long nSize);
    CByteSource(const TagByteReader& read, unsigned long long nSize);

    unsigned long long Size() const { return m_nSize; }

    // nBytes at nOffset, or NULL when they are not all there. The pointer
    // holds until the next call. A read of the file takes a few KB more,
    // so that headers and text that lie together come in one read.
    const unsigned char* Get(unsigned long long nOffset, size_t nBytes);
    // As Get, but reads no more than asked: for headers between long runs
    // of data that are skipped (Ogg pages across a picture).
    const unsigned char* GetOnly(unsigned long long nOffset, size_t nBytes);

private:
    const unsigned char* Fetch(unsigned long long nOffset, size_t nBytes, size_t nAhead);

    const unsigned char* m_pBytes;
    const TagByteReader* m_pRead;
    unsigned long long m_nSize;
    std::vector<unsigned char> m_cache;
    unsigned long long m_nCacheAt;
    size_t m_nCached;
};

// Numbers as the formats store them.
unsigned long long BigEndianAt(const unsigned char* p, int nBytes);
unsigned long LittleEndian32(const unsigned char* p);
