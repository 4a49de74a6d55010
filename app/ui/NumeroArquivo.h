// Numbers in the application's files: "." as the decimal separator whatever
// the user's locale, no grouping, up to 15 significant digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The general text form: 812.5, 25, 0.9967, 1E-05.
std::string fTextoNumeroArquivo(double valor);
// The number a token stands for when the whole token is one (sign, digits,
// ".", exponent); nullopt for anything else ("12,5", " 3", "1.2x", "inf").
std::optional<double> fNumeroDoTexto(std::string_view texto);
