// Showing the About box, its replaceable display and link opener, and the
// texts it fills in.
#include "AboutBox.h"

#include "AboutBoxResources.h"
#include "AboutDialog.h"
#include "ControlEmbedding.h"
#include "Module.h"
#include "ModuleStrings.h"
#include "ResourceModule.h"

#include <shellapi.h>

#include <cstdio>
#include <vector>

namespace {

INT_PTR ShowModal(HINSTANCE module, HWND owner, DLGPROC procedure)
{
    return DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_HV_ABOUT), owner, procedure, 0);
}

BOOL EndModal(HWND dialog, INT_PTR result)
{
    return EndDialog(dialog, result);
}

AboutBoxDisplay g_display = {&ShowModal, &EndModal};
AboutBoxShellExecute g_shellExecute = &ShellExecuteW;

std::wstring Widen(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

std::wstring LoadResourceString(HINSTANCE module, UINT id, const CDualString& fallback)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out the resource's own text.
    const int length = module ? LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0) : 0;
    if (length > 0 && text)
        return std::wstring(text, static_cast<size_t>(length));
    return Widen(fallback.c_str());
}

// The fixed file version of the library's version resource.
bool ReadFixedVersion(VS_FIXEDFILEINFO& fixed)
{
    wchar_t path[MAX_PATH];
    const DWORD pathLength = GetModuleFileNameW(ModuleInstance(), path, MAX_PATH);
    if (pathLength == 0 || pathLength >= MAX_PATH)
        return false;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path, 0, size, block.data()))
        return false;
    void* value = nullptr;
    UINT valueLength = 0;
    if (!VerQueryValueW(block.data(), L"\\", &value, &valueLength) || !value || valueLength < sizeof fixed)
        return false;
    fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    return fixed.dwSignature == 0xFEEF04BD;
}

} // namespace

AboutBoxDisplay SetAboutBoxDisplay(AboutBoxDisplay display)
{
    const AboutBoxDisplay previous = g_display;
    g_display.show = display.show ? display.show : &ShowModal;
    g_display.end = display.end ? display.end : &EndModal;
    return previous;
}

AboutBoxShellExecute SetAboutBoxShellExecute(AboutBoxShellExecute function)
{
    const AboutBoxShellExecute previous = g_shellExecute;
    g_shellExecute = function ? function : &ShellExecuteW;
    return previous;
}

BOOL EndAboutBox(HWND dialog, INT_PTR result)
{
    return g_display.end(dialog, result);
}

void OpenAboutBoxLink(const std::wstring& target)
{
    // A link that cannot be opened leaves the box as it is.
    if (!target.empty())
        g_shellExecute(nullptr, L"Open", target.c_str(), L"", L"", SW_SHOWNORMAL);
}

void ShowAboutBox(CControlEmbedding* control)
{
    HINSTANCE module = control ? control->GetResourceInstance() : GetResourceInstance(0);
    // A modal dialog disables its owner: a foreground window of another
    // thread or program is not ours to disable.
    HWND owner = GetForegroundWindow();
    if (owner && GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId())
        owner = nullptr;
    if (control)
        control->SetModalState(true);
    g_display.show(module, owner, &AboutDlgProc);
    if (control)
        control->SetModalState(false);
}

AboutBoxTexts ReadAboutBoxTexts(HINSTANCE resources)
{
    AboutBoxTexts texts;
    texts.product = LoadResourceString(resources, IDS_ABOUT_PRODUCT, ModuleProductName());
    texts.notice = LoadResourceString(resources, IDS_ABOUT_NOTICE, ModuleNoticeText());
    VS_FIXEDFILEINFO fixed = {};
    if (ReadFixedVersion(fixed)) {
        wchar_t number[32];
        swprintf(number, 32, L"%u.%02u", static_cast<unsigned>(HIWORD(fixed.dwFileVersionMS)),
                 static_cast<unsigned>(LOWORD(fixed.dwFileVersionMS)));
        texts.version = number;
        swprintf(number, 32, L"%04u", static_cast<unsigned>(LOWORD(fixed.dwFileVersionLS)));
        texts.build = number;
    } else {
        texts.version = Widen(ModuleVersionText().c_str());
        texts.build = Widen(ModuleBuildText().c_str());
    }
    return texts;
}
