// Spreadsheet stand-in figures: the cost of one late-bound property put on
// a range through the registered server, and the time to fill, format and
// write a workbook of 100,000 cells (through the server, and in the model
// alone).
#include "FrameworkTestSupport.h"

#include <LateObject.h>
#include <SpreadsheetSession.h>
#include <Workbook.h>
#include <XlsxWriter.h>

#include <chrono>
#include <cstdio>

using hv::automation::LateObject;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::wstring ScratchFolder()
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"hvsheet-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void PutCost(const LateObject& app)
{
    LateObject cell = app.Object(L"Range", {L"B2"});
    constexpr int kPuts = 20000;
    const auto start = Clock::now();
    for (int i = 0; i < kPuts; ++i)
        cell.Put(L"Value", static_cast<double>(i));
    std::printf("late-bound Value put on a range: %.2f us per call (%d calls)\n", Seconds(start) * 1e6 / kPuts, kPuts);
    const auto again = Clock::now();
    for (int i = 0; i < kPuts; ++i)
        app.Object(L"Cells", {i % 1000 + 1, 3}).Put(L"Value", static_cast<double>(i));
    std::printf("Cells(r, c) then its Value put: %.2f us per cell\n", Seconds(again) * 1e6 / kPuts);
}

void ThroughServer(const LateObject& app, const std::wstring& folder)
{
    const auto start = Clock::now();
    LateObject sheet = app.Object(L"ActiveWorkbook").Object(L"Sheets", {2});
    sheet.Call(L"Select");
    for (int r = 1; r <= 10000; ++r)
        for (int c = 1; c <= 10; ++c)
            app.Object(L"Cells", {r, c}).Put(L"Value", r * 0.5 + c);
    const double filled = Seconds(start);
    for (int c = 1; c <= 10; ++c) {
        app.Object(L"Columns", {c}).Call(L"Select");
        app.Object(L"Selection").Put(L"Style", L"Comma");
        app.Object(L"Selection").Object(L"Interior").Put(L"ThemeColor", c % 2 ? 5 : 9);
    }
    const double formatted = Seconds(start);
    app.Put(L"Visible", true);
    std::printf("through the server, 100,000 cells: filled %.2f s, formatted %.2f s, written %.2f s (in %ls)\n", filled,
                formatted - filled, Seconds(start) - formatted, folder.c_str());
}

void InTheModel(const std::wstring& folder)
{
    using namespace hv::sheet;
    const auto start = Clock::now();
    Workbook book(L"bench", 1);
    Worksheet& sheet = *book.Sheet(1);
    for (int r = 1; r <= 10000; ++r)
        for (int c = 1; c <= 10; ++c)
            sheet.SetValue({r, c, r, c}, CellValue::Number(r * 0.5 + c));
    const double filled = Seconds(start);
    for (int c = 1; c <= 10; ++c)
        sheet.Format({1, c, kMaxRows, c}, [c](CellStyle& s) {
            s.numberFormat = kCommaFormat;
            s.fill.pattern = 1;
            s.fill.color = {StyleColor::Kind::Theme, 0, c % 2 ? 4 : 8, 0.6};
        });
    const double formatted = Seconds(start);
    const std::wstring path = folder + L"\\model.xlsx";
    WritePackage(book, path, true);
    std::printf("in the model, 100,000 cells in %zu styles: filled %.3f s, formatted %.3f s, written %.3f s\n",
                book.Styles().Count(), filled, formatted - filled, Seconds(start) - formatted);
    DeleteFileW(path.c_str());
}

} // namespace

int main()
{
    if (FAILED(OleInitialize(nullptr)))
        return 2;
    const std::wstring folder = ScratchFolder();
    SetEnvironmentVariableW(L"HV_SPREADSHEET_FOLDER", folder.c_str());
    SetEnvironmentVariableW(L"HV_SPREADSHEET_SHELL", L"0");
    int status = 0;
    if (RunRegsvr32On(WindowsPathOf(HV_SPREADSHEET_DLL), L"/s") != 0) {
        std::printf("the spreadsheet server could not be registered\n");
        status = 1;
    } else {
        try {
            LateObject app = LateObject::Create(L"Excel.Application");
            app.Object(L"Workbooks").Call(L"Add");
            PutCost(app);
            ThroughServer(app, folder);
            app.Call(L"Quit");
        } catch (const hv::automation::AutomationError& e) {
            std::printf("automation error 0x%08lX: %ls\n", static_cast<unsigned long>(e.Result()), e.Description().c_str());
            status = 1;
        }
        InTheModel(folder);
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.xlsx").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
    OleUninitialize();
    return status;
}
