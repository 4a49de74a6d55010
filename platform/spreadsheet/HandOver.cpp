// Handing workbooks over to the user.
#include "HandOver.h"

#include "SheetError.h"
#include "Workbook.h"
#include "XlsxWriter.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace hv::sheet {

namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
    return length > 0 && length < std::size(value) ? std::wstring(value, length) : std::wstring();
}

std::wstring DocumentsFolder()
{
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        throw SheetError(L"The documents folder is not available.");
    return path;
}

constexpr int kMaxNumber = 100000;

} // namespace

HandOverSettings HandOverSettings::FromEnvironment()
{
    HandOverSettings settings;
    settings.folder = Environment(L"HV_SPREADSHEET_FOLDER");
    settings.openInShell = Environment(L"HV_SPREADSHEET_SHELL") != L"0";
    return settings;
}

std::wstring HandOverNew(const Workbook& book, const HandOverSettings& settings)
{
    std::wstring folder = settings.folder.empty() ? DocumentsFolder() : settings.folder;
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    for (int n = 1; n <= kMaxNumber; ++n) {
        const std::wstring path = folder + L"Workbook " + std::to_wstring(n) + L".xlsx";
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        WritePackage(book, path, false);
        if (settings.openInShell)
            ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return path;
    }
    throw SheetError(L"No free workbook file name is left in \"" + folder + L"\".");
}

void HandOverAgain(const Workbook& book)
{
    WritePackage(book, book.Path(), true);
}

} // namespace hv::sheet
