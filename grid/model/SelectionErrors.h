// Results and string identifiers raised by the selection and sort
// collections and the cell click handlers.
#pragma once

#include <windows.h>

namespace SelectionError {
constexpr HRESULT NoGrid = static_cast<HRESULT>(0x800A9C47);          // string 3000
constexpr HRESULT BadObject = static_cast<HRESULT>(0x800AA220);       // string 1003
constexpr HRESULT BadIndex = static_cast<HRESULT>(0x800AA21D);        // string 1005
constexpr HRESULT CantSelectCell = static_cast<HRESULT>(0x800A9C54);  // string 4011
constexpr HRESULT NotInEvent = static_cast<HRESULT>(0x800A9C59);      // string 4015
constexpr WORD NoGridString = 3000;
constexpr WORD BadObjectString = 1003;
constexpr WORD BadIndexString = 1005;
constexpr WORD CantSelectCellString = 4011;
constexpr WORD NotInEventString = 4015;
} // namespace SelectionError

// Events that selection and sorting ask the grid's gate about.
namespace SelectionEvent {
constexpr DISPID AfterSelectChange = 1017;
constexpr DISPID BeforeSelectChange = 1045;
constexpr DISPID InitializeLayout = 1056;
} // namespace SelectionEvent
