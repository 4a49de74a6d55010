// UTF-8 and XML escaping.
#include "XmlText.h"

#include <windows.h>

namespace hv::sheet {

std::string Utf8(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::string XmlEscaped(std::wstring_view text)
{
    std::wstring clean;
    clean.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'&': clean += L"&amp;"; break;
        case L'<': clean += L"&lt;"; break;
        case L'>': clean += L"&gt;"; break;
        case L'"': clean += L"&quot;"; break;
        default:
            if (c >= 0x20 || c == L'\t' || c == L'\n' || c == L'\r')
                clean.push_back(c);
        }
    }
    return Utf8(clean);
}

} // namespace hv::sheet
