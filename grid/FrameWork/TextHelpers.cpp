// Text helpers of the framework.
#include "TextHelpers.h"

#include "ResourceModule.h"

#include <cstdio>
#include <cwchar>

namespace {

// Hands a converted text (chars without terminator) out in the mode asked.
wchar_t* Deliver(const wchar_t* text, size_t chars, TextResult mode, wchar_t* buffer, size_t bufferChars)
{
    switch (mode) {
    case TextAsBstr:
        return SysAllocStringLen(text, static_cast<UINT>(chars));
    case TextAsTaskMemory: {
        auto* block = static_cast<wchar_t*>(CoTaskMemAlloc((chars + 1) * sizeof(wchar_t)));
        if (!block)
            return nullptr;
        wmemcpy(block, text, chars);
        block[chars] = L'\0';
        return block;
    }
    default:
        if (!buffer || bufferChars < chars + 1)
            return nullptr;
        wmemmove(buffer, text, chars);
        buffer[chars] = L'\0';
        return buffer;
    }
}

} // namespace

int FormatGuidString(REFGUID guid, wchar_t* buffer, size_t bufferChars)
{
    if (!buffer || bufferChars < 39)
        return 0;
    return std::swprintf(buffer, bufferChars, L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                         static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3,
                         guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                         guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
}

wchar_t* AnsiToWideString(const char* text, TextResult mode, wchar_t* buffer, size_t bufferChars)
{
    if (!text)
        return nullptr;
    int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (chars <= 1)
        return nullptr;
    BSTR converted = SysAllocStringLen(nullptr, static_cast<UINT>(chars - 1));
    if (!converted)
        return nullptr;
    MultiByteToWideChar(CP_ACP, 0, text, -1, converted, chars);
    if (mode == TextAsBstr)
        return converted;
    wchar_t* result = Deliver(converted, static_cast<size_t>(chars - 1), mode, buffer, bufferChars);
    SysFreeString(converted);
    return result;
}

wchar_t* CopyWideString(const wchar_t* text, TextResult mode, wchar_t* buffer, size_t bufferChars)
{
    if (!text)
        return nullptr;
    return Deliver(text, std::wcslen(text), mode, buffer, bufferChars);
}

wchar_t* LoadResourceStringWide(UINT id, TextResult mode, wchar_t* buffer, size_t bufferChars)
{
    char text[512];
    if (LoadStringA(GetResourceInstance(0), id, text, sizeof text) == 0)
        return nullptr;
    return AnsiToWideString(text, mode, buffer, bufferChars);
}

wchar_t* ReplaceFileName(const wchar_t* path, const wchar_t* fileName, wchar_t* buffer, size_t bufferChars)
{
    if (!path || !fileName || !buffer || bufferChars == 0)
        return nullptr;
    const wchar_t* slash = std::wcsrchr(path, L'\\');
    size_t keep = slash ? static_cast<size_t>(slash - path) + 1 : 0;
    size_t nameLength = std::wcslen(fileName);
    if (keep + nameLength + 1 > bufferChars)
        return nullptr;
    wmemmove(buffer, path, keep);
    wmemcpy(buffer + keep, fileName, nameLength + 1);
    return buffer + keep;
}
