// ExcelApplication: how the program reaches the spreadsheet application:
// one replaceable creation function (by ProgID "Excel.Application"), and
// the probe that tells whether it can be created at all.
#pragma once

#include <LateObject.h>

#include <functional>

namespace ostrelvia {

using CriadorExcel = std::function<hv::automation::LateObject()>;

// A new application object; AutomationError when it cannot be created.
hv::automation::LateObject fCriaExcel();
// Installs another creation function (an empty one restores the real
// one); returns the one installed before.
CriadorExcel TrocaCriadorExcel(CriadorExcel criador);

// True when an application object can be created. The object is released
// at once and not asked to quit; nothing is raised.
bool fTemExcelInstalado();

} // namespace ostrelvia
