#include "names/tags/ByteSource.h"

#include <algorithm>

namespace {

// A file is asked for this much at a time.
const size_t READ_CHUNK = 4096;

}  // namespace

CByteSource::CByteSource(const unsigned char* pBytes, unsigned long long nSize)
    : m_pBytes(pBytes), m_pRead(NULL), m_nSize(nSize), m_nCacheAt(0), m_nCached(0)
{
}

CByteSource::CByteSource(const TagByteReader& read, unsigned long long nSize)
    : m_pBytes(NULL), m_pRead(&read), m_nSize(nSize), m_nCacheAt(0), m_nCached(0)
{
}

const unsigned char* CByteSource::Get(unsigned long long nOffset, size_t nBytes)
{
    return Fetch(nOffset, nBytes, READ_CHUNK);
}

const unsigned char* CByteSource::GetOnly(unsigned long long nOffset, size_t nBytes)
{
    return Fetch(nOffset, nBytes, 0);
}

const unsigned char* CByteSource::Fetch(unsigned long long nOffset, size_t nBytes, size_t nAhead)
{
    static const unsigned char s_none = 0;
    if (nOffset > m_nSize || nBytes > m_nSize - nOffset)
        return NULL;
    if (nBytes == 0)
        return &s_none;
    if (m_pBytes)
        return m_pBytes + nOffset;
    if (nOffset >= m_nCacheAt && nOffset - m_nCacheAt <= m_nCached && nBytes <= m_nCached - (nOffset - m_nCacheAt))
        return m_cache.data() + (nOffset - m_nCacheAt);
    size_t nWant = (size_t)std::min<unsigned long long>(std::max(nBytes, nAhead), m_nSize - nOffset);
    if (m_cache.size() < nWant)
        m_cache.resize(nWant);
    m_nCacheAt = nOffset;
    m_nCached = std::min((*m_pRead)(nOffset, m_cache.data(), nWant), nWant);
    return m_nCached >= nBytes ? m_cache.data() : NULL;
}

unsigned long long BigEndianAt(const unsigned char* p, int nBytes)
{
    unsigned long long n = 0;
    for (int i = 0; i < nBytes; ++i)
        n = (n << 8) | p[i];
    return n;
}

unsigned long LittleEndian32(const unsigned char* p)
{
    return (unsigned long)p[0] | (unsigned long)p[1] << 8 | (unsigned long)p[2] << 16 | (unsigned long)p[3] << 24;
}
