// The day file's contents: per analysis one line of eight texts, each ended
// by a NUL, then CR LF; after the last analysis the line "<<**END**>>". A
// day without analyses is an empty file. Numbers use "." whatever the locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RegistroAnalise.h"

inline constexpr std::string_view kLinhaFim = "<<**END**>>";

// The bytes of a day file holding these analyses, in this order.
std::string fConteudoArquivoDia(const std::vector<RegistroAnalise>& registros);

struct LeituraArquivoDia {
    // The analyses read whole, in file order.
    std::vector<RegistroAnalise> registros;
    // False when the file stopped before its end line: a short or malformed
    // record, a token that is not a number, or no end line at all.
    bool completa = true;
};

// Reads day-file bytes strictly and without regard to the user's locale;
// a record is taken only when all of it was read. Bytes after the end line
// are ignored.
LeituraArquivoDia fLeConteudoArquivoDia(std::string_view bytes);
