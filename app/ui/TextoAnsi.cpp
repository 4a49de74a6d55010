// ANSI conversions through the platform's code-page functions.
#include "TextoAnsi.h"

#include <windows.h>

std::string fAnsiDoTexto(std::wstring_view texto)
{
    if (texto.empty())
        return {};
    const int tamanho = WideCharToMultiByte(CP_ACP, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0,
                                            nullptr, nullptr);
    std::string bytes(static_cast<size_t>(tamanho), '\0');
    WideCharToMultiByte(CP_ACP, 0, texto.data(), static_cast<int>(texto.size()), bytes.data(), tamanho, nullptr,
                        nullptr);
    return bytes;
}

std::wstring fTextoDoAnsi(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int tamanho = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring texto(static_cast<size_t>(tamanho), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), texto.data(), tamanho);
    return texto;
}
