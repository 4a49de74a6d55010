// HandOver: where and how a visible workbook reaches the user: a new
// numbered file "Workbook N.xlsx" (never one that exists) in the user's
// documents folder, then the shell is asked to open it. The environment
// variable HV_SPREADSHEET_FOLDER names another folder; HV_SPREADSHEET_SHELL
// set to 0 leaves the shell out (tests, scripts).
#pragma once

#include <string>

namespace hv::sheet {

class Workbook;

struct HandOverSettings {
    std::wstring folder;
    bool openInShell = true;
    static HandOverSettings FromEnvironment();
};

// Writes the workbook to a new numbered file and opens it; the path.
std::wstring HandOverNew(const Workbook& book, const HandOverSettings& settings);
// Writes the workbook again over the file it was handed over in.
void HandOverAgain(const Workbook& book);

} // namespace hv::sheet
