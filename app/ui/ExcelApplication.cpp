// Creation of the spreadsheet application.
#include "ExcelApplication.h"

#include <utility>

namespace ostrelvia {

namespace {

hv::automation::LateObject CriaPeloProgId()
{
    return hv::automation::LateObject::Create(L"Excel.Application");
}

CriadorExcel& Criador()
{
    static CriadorExcel criador = CriaPeloProgId;
    return criador;
}

} // namespace

hv::automation::LateObject fCriaExcel()
{
    return Criador()();
}

CriadorExcel TrocaCriadorExcel(CriadorExcel criador)
{
    CriadorExcel anterior = std::exchange(Criador(), criador ? std::move(criador) : CriadorExcel(CriaPeloProgId));
    return anterior;
}

bool fTemExcelInstalado()
{
    try {
        hv::automation::LateObject excel = fCriaExcel();
        return static_cast<bool>(excel);
    } catch (...) {
        return false;
    }
}

} // namespace ostrelvia
