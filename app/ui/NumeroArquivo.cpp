// File numbers through the locale-free conversions of the standard library.
#include "NumeroArquivo.h"

#include <cctype>
#include <charconv>
#include <cmath>

std::string fTextoNumeroArquivo(double valor)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::general, 15);
    std::string texto(buffer, result.ptr);
    for (char& c : texto)
        if (c == 'e')
            c = 'E';
    return texto;
}

std::optional<double> fNumeroDoTexto(std::string_view texto)
{
    if (texto.empty())
        return std::nullopt;
    // from_chars reads "inf" and "nan" and hexadecimal-looking forms: only
    // digits, signs, point and exponent make a number here.
    for (char c : texto)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != '+' && c != '.' && c != 'e' &&
            c != 'E')
            return std::nullopt;
    double valor = 0;
    const auto result = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (result.ec != std::errc() || result.ptr != texto.data() + texto.size() || !std::isfinite(valor))
        return std::nullopt;
    return valor;
}
