// Text of the application's files: single bytes of the system's ANSI code
// page (1252 under Portuguese and English).
#pragma once

#include <string>
#include <string_view>

std::string fAnsiDoTexto(std::wstring_view texto);
std::wstring fTextoDoAnsi(std::string_view bytes);
