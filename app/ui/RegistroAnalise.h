// RegistroAnalise: one analysis of the day as the day file and the list keep
// it: the sample identifier and seven numbers, any of them null.
#pragma once

#include <array>
#include <optional>
#include <string>

// The fields of the analysis list, in record order.
inline constexpr std::array<const wchar_t*, 8> kCamposAnalise = {
    L"AMOSTRA", L"ME", L"TEMP_ENS", L"TEMP_EST", L"ME20", L"GRAU", L"GRAU20", L"FATOR"};

struct RegistroAnalise {
    std::optional<std::wstring> amostra;
    // ME, TEMP_ENS, TEMP_EST, ME20, GRAU, GRAU20, FATOR.
    std::array<std::optional<double>, 7> valores;

    bool operator==(const RegistroAnalise&) const = default;
};
