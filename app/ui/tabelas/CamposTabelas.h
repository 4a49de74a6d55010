// CamposTabelas: the six range fields of table generation as read from the
// form: a value, or nothing when the field is empty.
#pragma once

#include <optional>

struct CamposTabelas
{
    std::optional<double> massaIni;
    std::optional<double> massaFim;
    std::optional<double> massaInc;
    std::optional<double> tempIni;
    std::optional<double> tempFim;
    std::optional<double> tempInc;
};
