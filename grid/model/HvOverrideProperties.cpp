// HvOverride: the forwarding bodies of the override's automation properties
// (each goes to the shared setting, size or appearance-slot accessor).
#include "HvOverride.h"

STDMETHODIMP HvOverride::get_ActiveRowAppearance(IHvAppearance** out)
{
    return GetSlot(0, out);
}

STDMETHODIMP HvOverride::putref_ActiveRowAppearance(VARIANT* value)
{
    return value ? PutSlot(0, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_ActiveRowAppearance(VARIANT value)
{
    return PutSlot(0, value);
}

STDMETHODIMP HvOverride::get_ActiveCellAppearance(IHvAppearance** out)
{
    return GetSlot(1, out);
}

STDMETHODIMP HvOverride::putref_ActiveCellAppearance(VARIANT* value)
{
    return value ? PutSlot(1, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_ActiveCellAppearance(VARIANT value)
{
    return PutSlot(1, value);
}

STDMETHODIMP HvOverride::get_CellAppearance(IHvAppearance** out)
{
    return GetSlot(2, out);
}

STDMETHODIMP HvOverride::putref_CellAppearance(VARIANT* value)
{
    return value ? PutSlot(2, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_CellAppearance(VARIANT value)
{
    return PutSlot(2, value);
}

STDMETHODIMP HvOverride::get_EditCellAppearance(IHvAppearance** out)
{
    return GetSlot(3, out);
}

STDMETHODIMP HvOverride::putref_EditCellAppearance(VARIANT* value)
{
    return value ? PutSlot(3, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_EditCellAppearance(VARIANT value)
{
    return PutSlot(3, value);
}

STDMETHODIMP HvOverride::get_HeaderAppearance(IHvAppearance** out)
{
    return GetSlot(4, out);
}

STDMETHODIMP HvOverride::putref_HeaderAppearance(VARIANT* value)
{
    return value ? PutSlot(4, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_HeaderAppearance(VARIANT value)
{
    return PutSlot(4, value);
}

STDMETHODIMP HvOverride::get_RowAppearance(IHvAppearance** out)
{
    return GetSlot(5, out);
}

STDMETHODIMP HvOverride::putref_RowAppearance(VARIANT* value)
{
    return value ? PutSlot(5, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_RowAppearance(VARIANT value)
{
    return PutSlot(5, value);
}

STDMETHODIMP HvOverride::get_RowAlternateAppearance(IHvAppearance** out)
{
    return GetSlot(6, out);
}

STDMETHODIMP HvOverride::putref_RowAlternateAppearance(VARIANT* value)
{
    return value ? PutSlot(6, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_RowAlternateAppearance(VARIANT value)
{
    return PutSlot(6, value);
}

STDMETHODIMP HvOverride::get_SelectedCellAppearance(IHvAppearance** out)
{
    return GetSlot(7, out);
}

STDMETHODIMP HvOverride::putref_SelectedCellAppearance(VARIANT* value)
{
    return value ? PutSlot(7, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_SelectedCellAppearance(VARIANT value)
{
    return PutSlot(7, value);
}

STDMETHODIMP HvOverride::get_SelectedRowAppearance(IHvAppearance** out)
{
    return GetSlot(8, out);
}

STDMETHODIMP HvOverride::putref_SelectedRowAppearance(VARIANT* value)
{
    return value ? PutSlot(8, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_SelectedRowAppearance(VARIANT value)
{
    return PutSlot(8, value);
}

STDMETHODIMP HvOverride::get_RowSelectorAppearance(IHvAppearance** out)
{
    return GetSlot(9, out);
}

STDMETHODIMP HvOverride::putref_RowSelectorAppearance(VARIANT* value)
{
    return value ? PutSlot(9, *value) : E_INVALIDARG;
}

STDMETHODIMP HvOverride::put_RowSelectorAppearance(VARIANT value)
{
    return PutSlot(9, value);
}

STDMETHODIMP HvOverride::get_AllowAddNew(Constants_AllowAddNew* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x422, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_AllowAddNew>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_AllowAddNew(Constants_AllowAddNew value)
{
    return PutSetting(0x422, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_AllowColMoving(Constants_AllowColMoving* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x423, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_AllowColMoving>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_AllowColMoving(Constants_AllowColMoving value)
{
    return PutSetting(0x423, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_AllowColSizing(Constants_AllowColSizing* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x425, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_AllowColSizing>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_AllowColSizing(Constants_AllowColSizing value)
{
    return PutSetting(0x425, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_AllowColSwapping(Constants_AllowColSwapping* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x427, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_AllowColSwapping>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_AllowColSwapping(Constants_AllowColSwapping value)
{
    return PutSetting(0x427, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_AllowDelete(Constants_AllowDelete* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x428, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_AllowDelete>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_AllowDelete(Constants_AllowDelete value)
{
    return PutSetting(0x428, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_AllowGroupMoving(Constants_AllowGroupMoving* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x429, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_AllowGroupMoving>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_AllowGroupMoving(Constants_AllowGroupMoving value)
{
    return PutSetting(0x429, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_AllowGroupSwapping(Constants_AllowGroupSwapping* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x42c, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_AllowGroupSwapping>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_AllowGroupSwapping(Constants_AllowGroupSwapping value)
{
    return PutSetting(0x42c, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_AllowUpdate(Constants_AllowUpdate* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x42d, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_AllowUpdate>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_AllowUpdate(Constants_AllowUpdate value)
{
    return PutSetting(0x42d, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_BorderStyleRow(Constants_BorderStyle* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x3f3, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_BorderStyle>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_BorderStyleRow(Constants_BorderStyle value)
{
    return PutSetting(0x3f3, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_BorderStyleCell(Constants_BorderStyle* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x3f1, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_BorderStyle>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_BorderStyleCell(Constants_BorderStyle value)
{
    return PutSetting(0x3f1, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_BorderStyleHeader(Constants_BorderStyle* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x509, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_BorderStyle>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_BorderStyleHeader(Constants_BorderStyle value)
{
    return PutSetting(0x509, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_CellClickAction(Constants_CellClickAction* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x83e, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_CellClickAction>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_CellClickAction(Constants_CellClickAction value)
{
    return PutSetting(0x83e, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_ExpandRowsOnLoad(Constants_ExpandOnLoad* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x40f, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_ExpandOnLoad>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_ExpandRowsOnLoad(Constants_ExpandOnLoad value)
{
    return PutSetting(0x40f, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_ExpansionIndicator(Constants_ExpansionIndicator* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x89f, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_ExpansionIndicator>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_ExpansionIndicator(Constants_ExpansionIndicator value)
{
    return PutSetting(0x89f, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_HeaderClickAction(Constants_HeaderClickAction* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x424, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_HeaderClickAction>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_HeaderClickAction(Constants_HeaderClickAction value)
{
    return PutSetting(0x424, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_MaxSelectedCells(long* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x42e, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<long>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_MaxSelectedCells(long value)
{
    return PutSetting(0x42e, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_MaxSelectedRows(long* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x42f, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<long>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_MaxSelectedRows(long value)
{
    return PutSetting(0x42f, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_FetchRows(Constants_FetchRows* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x898, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_FetchRows>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_FetchRows(Constants_FetchRows value)
{
    return PutSetting(0x898, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_RowSelectors(Constants_RowSelectors* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x419, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_RowSelectors>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_RowSelectors(Constants_RowSelectors value)
{
    return PutSetting(0x419, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_RowSizing(Constants_RowSizing* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x431, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_RowSizing>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_RowSizing(Constants_RowSizing value)
{
    return PutSetting(0x431, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_RowSizingAutoMaxLines(short* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x432, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<short>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_RowSizingAutoMaxLines(short value)
{
    return PutSetting(0x432, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_SelectTypeCell(Constants_SelectType* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x433, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_SelectType>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_SelectTypeCell(Constants_SelectType value)
{
    return PutSetting(0x433, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_SelectTypeCol(Constants_SelectType* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x434, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_SelectType>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_SelectTypeCol(Constants_SelectType value)
{
    return PutSetting(0x434, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_SelectTypeRow(Constants_SelectType* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x435, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_SelectType>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_SelectTypeRow(Constants_SelectType value)
{
    return PutSetting(0x435, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_TipStyleCell(Constants_TipStyle* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x888, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_TipStyle>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_TipStyleCell(Constants_TipStyle value)
{
    return PutSetting(0x888, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_TipStyleRowConnector(Constants_TipStyle* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x889, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_TipStyle>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_TipStyleRowConnector(Constants_TipStyle value)
{
    return PutSetting(0x889, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_TipStyleScroll(Constants_TipStyle* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x88a, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_TipStyle>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_TipStyleScroll(Constants_TipStyle value)
{
    return PutSetting(0x88a, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_CellMultiLine(Constants_CellMultiLine* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x4a5, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_CellMultiLine>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_CellMultiLine(Constants_CellMultiLine value)
{
    return PutSetting(0x4a5, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_RowSizingArea(Constants_RowSizingArea* out)
{
    LONG value = 0;
    HRESULT hr = GetSetting(0x895, out ? &value : nullptr);
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_RowSizingArea>(value);
    return hr;
}

STDMETHODIMP HvOverride::put_RowSizingArea(Constants_RowSizingArea value)
{
    return PutSetting(0x895, static_cast<LONG>(value));
}

STDMETHODIMP HvOverride::get_CellPadding(float* out)
{
    return GetSize(0x3f4, out);
}

STDMETHODIMP HvOverride::put_CellPadding(float value)
{
    return PutSize(0x3f4, value);
}

STDMETHODIMP HvOverride::get_CellSpacing(float* out)
{
    return GetSize(0x3f5, out);
}

STDMETHODIMP HvOverride::put_CellSpacing(float value)
{
    return PutSize(0x3f5, value);
}

STDMETHODIMP HvOverride::get_DefaultColWidth(float* out)
{
    return GetSize(0x4a9, out);
}

STDMETHODIMP HvOverride::put_DefaultColWidth(float value)
{
    return PutSize(0x4a9, value);
}

STDMETHODIMP HvOverride::get_DefaultRowHeight(float* out)
{
    return GetSize(0x40d, out);
}

STDMETHODIMP HvOverride::put_DefaultRowHeight(float value)
{
    return PutSize(0x40d, value);
}

STDMETHODIMP HvOverride::get_RowSpacingBefore(float* out)
{
    return GetSize(0x4eb, out);
}

STDMETHODIMP HvOverride::put_RowSpacingBefore(float value)
{
    return PutSize(0x4eb, value);
}

STDMETHODIMP HvOverride::get_RowSpacingAfter(float* out)
{
    return GetSize(0x4ec, out);
}

STDMETHODIMP HvOverride::put_RowSpacingAfter(float value)
{
    return PutSize(0x4ec, value);
}
