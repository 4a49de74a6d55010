// Runs one VBScript test under the Windows script host and judges it.
//
//   script_runner [--register LIBRARY]... [--prelude FILE] [--timeout SECONDS]
//                 [--dismiss TITLE] SCRIPT
//
// Each library is registered with regsvr32 first. The prelude (the check
// procedures) and the script are joined into one temporary script, which
// cscript runs with its output going to a file; the output is then printed.
// A script error ends cscript without a word and with exit code 0, so the
// only proof of a complete run is the end marker the script prints last:
// the run passes when "END checks=N failures=0" is there with N > 0 and no
// line starts with "FAIL". Paths may be given as Unix paths.
//
// With --dismiss, a script may open one kind of modal dialog (an About box):
// every dialog of the script host whose title starts with TITLE is closed
// with IDOK as soon as it shows, the line "DISMISSED <title>" is added to
// the output, and the run fails when no such dialog ever showed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// "/unix/path" to the "Z:\unix\path" Wine maps it to; Windows paths as given.
std::wstring WindowsPath(const wchar_t* path)
{
    std::wstring result = path[0] == L'/' ? L"Z:" : L"";
    for (const wchar_t* c = path; *c; ++c)
        result += *c == L'/' ? L'\\' : *c;
    return result;
}

class Handle {
public:
    explicit Handle(HANDLE h = nullptr) : h_(h) {}
    ~Handle()
    {
        if (h_ && h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ && h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

bool ReadWhole(const std::wstring& path, std::string& text)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    text.clear();
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    return true;
}

bool WriteWhole(const std::wstring& path, const std::string& text)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.Valid() && WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// Closes the dialogs of one process whose titles start with a text.
struct DialogWatch {
    DWORD process = 0;
    std::wstring prefix;
    std::vector<std::wstring> closed;
    std::vector<HWND> handled;   // a closing dialog is closed once
};

BOOL CALLBACK CloseMatchingDialog(HWND window, LPARAM parameter)
{
    auto& watch = *reinterpret_cast<DialogWatch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    wchar_t title[256] = L"";
    GetWindowTextW(window, title, 256);
    if (owner == watch.process && IsWindowVisible(window) && std::wcscmp(className, L"#32770") == 0 &&
        std::wcsncmp(title, watch.prefix.c_str(), watch.prefix.size()) == 0 &&
        std::find(watch.handled.begin(), watch.handled.end(), window) == watch.handled.end()) {
        watch.handled.push_back(window);
        watch.closed.push_back(title);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    return TRUE;
}

// Waits for the process to end within limitMs; with a watch, closes its
// matching dialogs meanwhile.
bool WaitFor(HANDLE process, DWORD processId, DWORD limitMs, DialogWatch* watch)
{
    if (!watch)
        return WaitForSingleObject(process, limitMs) == WAIT_OBJECT_0;
    watch->process = processId;
    const ULONGLONG end = GetTickCount64() + limitMs;
    while (GetTickCount64() < end) {
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0)
            return true;
        EnumWindows(&CloseMatchingDialog, reinterpret_cast<LPARAM>(watch));
    }
    return false;
}

// Starts a command line with its output (and errors) into outputPath, or
// inherited when outputPath is empty; its exit code, or -1 when it could not
// be started or did not end within the time limit (then it is ended).
long Run(std::wstring command, const std::wstring& outputPath, DWORD limitMs, DialogWatch* watch = nullptr)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    Handle output(outputPath.empty() ? nullptr
                                     : CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    Handle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                             nullptr));
    if (!outputPath.empty() && !output.Valid())
        return -1;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (output.Valid()) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input.Get();
        startup.hStdOutput = output.Get();
        startup.hStdError = output.Get();
    }
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, output.Valid(), 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    Handle thread(process.hThread);
    Handle running(process.hProcess);
    if (!WaitFor(running.Get(), process.dwProcessId, limitMs, watch)) {
        TerminateProcess(running.Get(), 1);
        WaitForSingleObject(running.Get(), 5000);
        std::fwprintf(stderr, L"script_runner: timed out: %ls\n", command.c_str());
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(running.Get(), &code);
    return static_cast<long>(code);
}

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// Judges the script's output: the failures found, or an empty text.
std::string Judge(const std::string& output)
{
    long checks = -1;
    long failures = -1;
    long failLines = 0;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos)
            end = output.size();
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("FAIL", 0) == 0)
            ++failLines;
        long c = 0;
        long f = 0;
        if (std::sscanf(line.c_str(), "END checks=%ld failures=%ld", &c, &f) == 2) {
            checks = c;
            failures = f;
        }
        start = end + 1;
    }
    if (checks < 0)
        return "the script did not reach its end marker (a script error ends it silently)";
    if (checks == 0)
        return "the script made no checks";
    if (failures != 0 || failLines != 0)
        return "checks failed";
    return std::string();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::wstring> libraries;
    std::wstring prelude;
    std::wstring script;
    DWORD limitMs = 120000;
    bool dismiss = false;
    DialogWatch watch;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--register" && i + 1 < argc)
            libraries.push_back(WindowsPath(argv[++i]));
        else if (arg == L"--prelude" && i + 1 < argc)
            prelude = WindowsPath(argv[++i]);
        else if (arg == L"--dismiss" && i + 1 < argc)
        {
            dismiss = true;
            watch.prefix = argv[++i];
        }
        else if (arg == L"--timeout" && i + 1 < argc)
            limitMs = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10)) * 1000;
        else
            script = WindowsPath(argv[i]);
    }
    if (script.empty()) {
        std::fputs("usage: script_runner [--register LIBRARY]... [--prelude FILE] [--timeout SECONDS] "
                   "[--dismiss TITLE] SCRIPT\n",
                   stderr);
        return 2;
    }

    for (const std::wstring& library : libraries) {
        const long code = Run(L"regsvr32.exe /s \"" + library + L"\"", std::wstring(), 60000);
        if (code != 0) {
            std::fwprintf(stderr, L"script_runner: regsvr32 %ls failed (%ld)\n", library.c_str(), code);
            return 1;
        }
    }

    std::string text;
    std::string body;
    if ((!prelude.empty() && !ReadWhole(prelude, text)) || !ReadWhole(script, body)) {
        std::fputs("script_runner: cannot read the prelude or the script\n", stderr);
        return 1;
    }
    // Message boxes and non-ASCII text do not belong in these scripts: the
    // script host's code page differs between locales.
    if (!IsAscii(text) || !IsAscii(body)) {
        std::fputs("script_runner: the script is not plain ASCII\n", stderr);
        return 1;
    }
    text += "\r\n" + body;

    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    const std::wstring stem = std::wstring(folder) + L"hvscript-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring joined = stem + L".vbs";
    const std::wstring outputPath = stem + L".out";
    if (!WriteWhole(joined, text)) {
        std::fputs("script_runner: cannot write the joined script\n", stderr);
        return 1;
    }
    const long code = Run(L"cscript.exe //nologo \"" + joined + L"\"", outputPath, limitMs, dismiss ? &watch : nullptr);
    std::string output;
    ReadWhole(outputPath, output);
    for (const std::wstring& title : watch.closed)
        output += "DISMISSED " + std::string(title.begin(), title.end()) + "\r\n";
    DeleteFileW(joined.c_str());
    DeleteFileW(outputPath.c_str());
    std::fwrite(output.data(), 1, output.size(), stdout);
    std::fflush(stdout);

    std::string verdict = code != 0 ? "cscript failed (exit code " + std::to_string(code) + ")" : Judge(output);
    if (verdict.empty() && dismiss && watch.closed.empty())
        verdict = "the dialog to dismiss never showed";
    if (!verdict.empty()) {
        std::fprintf(stderr, "script_runner: %s\n", verdict.c_str());
        return 1;
    }
    return 0;
}
