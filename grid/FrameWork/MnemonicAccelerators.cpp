// Mnemonic accelerators of a control's captions.
#include "MnemonicAccelerators.h"

#include <new>

namespace {

constexpr WORD kMnemonicCommand = 1;

wchar_t UpperCase(wchar_t character)
{
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(
        static_cast<UINT_PTR>(character)))));
}

wchar_t LowerCase(wchar_t character)
{
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(
        static_cast<UINT_PTR>(character)))));
}

} // namespace

void ExtractMnemonics(const wchar_t* caption, std::wstring& mnemonics)
{
    if (!caption)
        return;
    for (const wchar_t* p = caption; *p; ++p) {
        if (*p != L'&')
            continue;
        ++p;
        if (!*p)
            break;
        if (*p != L'&')
            mnemonics.push_back(UpperCase(*p));
    }
}

std::vector<ACCEL> MnemonicAcceleratorEntries(const std::wstring& mnemonics)
{
    std::vector<ACCEL> entries;
    entries.reserve(mnemonics.size() * 4);
    for (wchar_t character : mnemonics) {
        const WORD virtualKey = static_cast<WORD>(LOBYTE(VkKeyScanW(character)));
        // The lower-case entry is the character's real lower case: adding 32
        // would turn a digit or a sign into some other key.
        entries.push_back({FVIRTKEY | FALT, virtualKey, kMnemonicCommand});
        entries.push_back({FVIRTKEY | FSHIFT | FALT, virtualKey, kMnemonicCommand});
        entries.push_back({FALT, static_cast<WORD>(character), kMnemonicCommand});
        entries.push_back({FALT, static_cast<WORD>(LowerCase(character)), kMnemonicCommand});
    }
    return entries;
}

BOOL FillMnemonicControlInfo(CONTROLINFO* info, const std::wstring& mnemonics, DWORD flags)
{
    if (!info)
        return FALSE;
    HACCEL table = nullptr;
    USHORT count = 0;
    if (!mnemonics.empty()) {
        try {
            std::vector<ACCEL> entries = MnemonicAcceleratorEntries(mnemonics);
            table = CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
            if (table)
                count = static_cast<USHORT>(entries.size());
        } catch (const std::bad_alloc&) {
            table = nullptr;
        }
    }
    info->cb = sizeof(CONTROLINFO);
    info->hAccel = table;
    info->cAccel = count;
    info->dwFlags = flags;
    return TRUE;
}

BOOL BuildMnemonicAccelerators(CONTROLINFO* info, const wchar_t* const* captions, int count, DWORD flags)
{
    if (!info || !captions || count < 1)
        return FALSE;
    std::wstring mnemonics;
    try {
        for (int i = 0; i < count; ++i)
            ExtractMnemonics(captions[i], mnemonics);
    } catch (const std::bad_alloc&) {
        mnemonics.clear();
    }
    return FillMnemonicControlInfo(info, mnemonics, flags);
}
