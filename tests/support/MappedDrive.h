// A drive letter of the test prefix mapped to a folder, as the prefix's
// configuration tool maps one: for tests that need a drive whose root holds
// what they put there.
#pragma once

#include <string>

// A free drive letter (M to Y) mapped to a throwaway folder for the
// object's lifetime.
class MappedDrive {
public:
    explicit MappedDrive(const std::wstring& folder);
    ~MappedDrive() { Unmap(); }
    bool Ok() const { return m_letter != 0; }
    // "M:\".
    std::wstring Root() const { return std::wstring(1, m_letter) + L":\\"; }

private:
    void Unmap();
    char m_letter = 0;
};
