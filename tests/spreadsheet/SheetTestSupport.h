// Shared by the spreadsheet tests: a scratch folder that receives the
// workbooks handed over (the shell left out), and listing its files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A new empty folder under the temporary folder, set as the hand-over
// folder of every session made while it lives; removed with its files.
class ScratchFolder {
public:
    ScratchFolder()
    {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        path_ = std::wstring(temp) + L"hvsheet-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial);
        CreateDirectoryW(path_.c_str(), nullptr);
        SetEnvironmentVariableW(L"HV_SPREADSHEET_FOLDER", path_.c_str());
        SetEnvironmentVariableW(L"HV_SPREADSHEET_SHELL", L"0");
    }
    ~ScratchFolder()
    {
        for (const std::wstring& file : Files())
            DeleteFileW((path_ + L"\\" + file).c_str());
        RemoveDirectoryW(path_.c_str());
        SetEnvironmentVariableW(L"HV_SPREADSHEET_FOLDER", nullptr);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::vector<std::wstring> Files() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"\\*.xlsx").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

private:
    std::wstring path_;
};
