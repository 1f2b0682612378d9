#include "platform/ExplorerMenu.h"

#include <string>

namespace {

const wchar_t CLASSES_KEY[] = L"Software\\Classes";

// Where each entry lives below Software\Classes, and the path its command
// takes from Explorer.
struct MenuEntry {
    const wchar_t* pszShellKey;
    const wchar_t* pszPathArgument;
};
const MenuEntry MENU_ENTRIES[] = {
    {L"Directory\\shell", L"%1"},
    {L"Directory\\Background\\shell", L"%V"},
    {L"Drive\\shell", L"%1"},
};
const wchar_t ENTRY_NAME[] = L"Quorvel";

std::wstring EntryKey(const MenuEntry& entry)
{
    return std::wstring(CLASSES_KEY) + L"\\" + entry.pszShellKey + L"\\" + ENTRY_NAME;
}

DWORD SetText(HKEY hKey, const wchar_t* pszName, const CString& strValue)
{
    return ::RegSetValueExW(hKey, pszName, 0, REG_SZ, (const BYTE*)strValue.GetString(),
                            (DWORD)((strValue.GetLength() + 1) * sizeof(wchar_t)));
}

// The default value of a key of HKCU, or empty when there is none.
CString DefaultText(const std::wstring& strKey)
{
    DWORD cb = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, strKey.c_str(), NULL, RRF_RT_REG_SZ, NULL, NULL, &cb) != ERROR_SUCCESS ||
        cb < sizeof(wchar_t))
        return CString();
    std::wstring text(cb / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, strKey.c_str(), NULL, RRF_RT_REG_SZ, NULL, &text[0], &cb) != ERROR_SUCCESS)
        return CString();
    text.resize(wcslen(text.c_str()));
    return CString(std::move(text));
}

DWORD WriteEntry(const MenuEntry& entry, const CString& strExePath, const CString& strMenuText)
{
    HKEY hKey = NULL;
    DWORD dwError = ::RegCreateKeyExW(HKEY_CURRENT_USER, EntryKey(entry).c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL,
                                      &hKey, NULL);
    if (dwError != ERROR_SUCCESS)
        return dwError;
    dwError = SetText(hKey, NULL, strMenuText);
    if (dwError == ERROR_SUCCESS)
        dwError = SetText(hKey, L"Icon", L"\"" + strExePath + L"\",0");
    ::RegCloseKey(hKey);
    if (dwError != ERROR_SUCCESS)
        return dwError;
    dwError = ::RegCreateKeyExW(HKEY_CURRENT_USER, (EntryKey(entry) + L"\\command").c_str(), 0, NULL, 0,
                                KEY_SET_VALUE, NULL, &hKey, NULL);
    if (dwError != ERROR_SUCCESS)
        return dwError;
    dwError = SetText(hKey, NULL, ExplorerMenuCommand(strExePath, entry.pszPathArgument));
    ::RegCloseKey(hKey);
    return dwError;
}

// Deletes a key of HKCU when it holds no key and no value.
void DeleteIfEmpty(const std::wstring& strKey)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    DWORD nSubKeys = 1, nValues = 1;
    const LONG lResult =
        ::RegQueryInfoKeyW(hKey, NULL, NULL, NULL, &nSubKeys, NULL, NULL, &nValues, NULL, NULL, NULL, NULL);
    ::RegCloseKey(hKey);
    if (lResult == ERROR_SUCCESS && nSubKeys == 0 && nValues == 0)
        ::RegDeleteKeyW(HKEY_CURRENT_USER, strKey.c_str());
}

}  // namespace

CString ThisProgramPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(NULL, &path[0], (DWORD)path.size());
        if (n < path.size()) {
            path.resize(n);
            return CString(std::move(path));
        }
        path.resize(path.size() * 2);
    }
}

CString ExplorerMenuCommand(const CString& strExePath, const wchar_t* pszPathArgument)
{
    return L"\"" + strExePath + L"\" \"" + pszPathArgument + L"\"";
}

bool HasExplorerMenu(const CString& strExePath)
{
    for (const MenuEntry& entry : MENU_ENTRIES) {
        const CString strCommand = DefaultText(EntryKey(entry) + L"\\command");
        // Windows' paths ignore letter case: a command that names this .exe
        // otherwise spelt still runs it.
        if (strCommand.IsEmpty() ||
            ::CompareStringOrdinal(strCommand, -1, ExplorerMenuCommand(strExePath, entry.pszPathArgument), -1, TRUE) !=
                CSTR_EQUAL)
            return false;
    }
    return true;
}

DWORD AddExplorerMenu(const CString& strExePath, const CString& strMenuText)
{
    for (const MenuEntry& entry : MENU_ENTRIES) {
        const DWORD dwError = WriteEntry(entry, strExePath, strMenuText);
        if (dwError != ERROR_SUCCESS) {
            RemoveExplorerMenu();
            return dwError;
        }
    }
    return ERROR_SUCCESS;
}

DWORD RemoveExplorerMenu()
{
    DWORD dwFirstError = ERROR_SUCCESS;
    for (const MenuEntry& entry : MENU_ENTRIES) {
        const LONG lResult = ::RegDeleteTreeW(HKEY_CURRENT_USER, EntryKey(entry).c_str());
        if (lResult != ERROR_SUCCESS && lResult != ERROR_FILE_NOT_FOUND && dwFirstError == ERROR_SUCCESS)
            dwFirstError = (DWORD)lResult;
    }
    // Innermost first: a key goes only once the keys below it are gone.
    for (const wchar_t* pszKey : {L"Directory\\shell", L"Directory\\Background\\shell", L"Directory\\Background",
                                  L"Directory", L"Drive\\shell", L"Drive"})
        DeleteIfEmpty(std::wstring(CLASSES_KEY) + L"\\" + pszKey);
    return dwFirstError;
}
