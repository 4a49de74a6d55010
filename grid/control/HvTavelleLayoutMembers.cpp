// The grid control's members shared with its layout: each call goes, with its
// arguments and result unchanged, to the same member of the layout, where
// the grid-level properties live. The filters' putref is the control's put.
#include "HvTavelle.h"

#include "HvLayout.h"

STDMETHODIMP HvTavelle::get_AddNewBox(IHvAddNewBox** AddNewBox)
{
    return layout_ ? layout_->get_AddNewBox(AddNewBox) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_AlphaBlendEnabled(VARIANT_BOOL* Value)
{
    return layout_ ? layout_->get_AlphaBlendEnabled(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_AlphaBlendEnabled(VARIANT_BOOL Value)
{
    return layout_ ? layout_->put_AlphaBlendEnabled(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_Appearances(IHvAppearances** Appearances)
{
    return layout_ ? layout_->get_Appearances(Appearances) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_Appearance(IHvAppearance** Appearance)
{
    return layout_ ? layout_->get_Appearance(Appearance) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::putref_Appearance(VARIANT* Appearance)
{
    return layout_ ? layout_->putref_Appearance(Appearance) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_Appearance(VARIANT Appearance)
{
    return layout_ ? layout_->put_Appearance(Appearance) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_Bands(IHvBands** Bands)
{
    return layout_ ? layout_->get_Bands(Bands) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_DrawFilter(IHvTVDrawFilter** Filter)
{
    return layout_ ? layout_->get_DrawFilter(Filter) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_DrawFilter(IHvTVDrawFilter* Filter)
{
    return layout_ ? layout_->put_DrawFilter(Filter) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::putref_DrawFilter(IHvTVDrawFilter* Filter)
{
    return put_DrawFilter(Filter);
}

STDMETHODIMP HvTavelle::get_DataFilter(IHvTVDataFilter** Filter)
{
    return layout_ ? layout_->get_DataFilter(Filter) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_DataFilter(IHvTVDataFilter* Filter)
{
    return layout_ ? layout_->put_DataFilter(Filter) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::putref_DataFilter(IHvTVDataFilter* Filter)
{
    return put_DataFilter(Filter);
}

STDMETHODIMP HvTavelle::get_Override(IHvOverride** Override)
{
    return layout_ ? layout_->get_Override(Override) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::putref_Override(VARIANT* Override)
{
    return layout_ ? layout_->putref_Override(Override) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_Override(VARIANT Override)
{
    return layout_ ? layout_->put_Override(Override) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_BorderStyle(Constants_BorderStyle* Value)
{
    return layout_ ? layout_->get_BorderStyle(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_BorderStyle(Constants_BorderStyle Value)
{
    return layout_ ? layout_->put_BorderStyle(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_Caption(BSTR* Value)
{
    return layout_ ? layout_->get_Caption(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_Caption(BSTR Value)
{
    return layout_ ? layout_->put_Caption(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_CaptionAppearance(IHvAppearance** Appearance)
{
    return layout_ ? layout_->get_CaptionAppearance(Appearance) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::putref_CaptionAppearance(VARIANT* Appearance)
{
    return layout_ ? layout_->putref_CaptionAppearance(Appearance) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_CaptionAppearance(VARIANT Appearance)
{
    return layout_ ? layout_->put_CaptionAppearance(Appearance) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_ColScrollRegions(IHvColScrollRegions** Regions)
{
    return layout_ ? layout_->get_ColScrollRegions(Regions) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_Enabled(VARIANT_BOOL* Value)
{
    return layout_ ? layout_->get_Enabled(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_Enabled(VARIANT_BOOL Value)
{
    return layout_ ? layout_->put_Enabled(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_EstimatedRows(LONG* Value)
{
    return layout_ ? layout_->get_EstimatedRows(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_EstimatedRows(LONG Value)
{
    return layout_ ? layout_->put_EstimatedRows(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_Font(IFontDisp** Font)
{
    return layout_ ? layout_->get_Font(Font) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_Font(IFontDisp* Font)
{
    return layout_ ? layout_->put_Font(Font) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::putref_Font(IFontDisp* Font)
{
    return layout_ ? layout_->putref_Font(Font) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_InterBandSpacing(float* Value)
{
    return layout_ ? layout_->get_InterBandSpacing(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_InterBandSpacing(float Value)
{
    return layout_ ? layout_->put_InterBandSpacing(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_MaxColScrollRegions(short* Value)
{
    return layout_ ? layout_->get_MaxColScrollRegions(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_MaxColScrollRegions(short Value)
{
    return layout_ ? layout_->put_MaxColScrollRegions(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_MaxRowScrollRegions(short* Value)
{
    return layout_ ? layout_->get_MaxRowScrollRegions(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_MaxRowScrollRegions(short Value)
{
    return layout_ ? layout_->put_MaxRowScrollRegions(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_Overrides(IHvOverrides** Overrides)
{
    return layout_ ? layout_->get_Overrides(Overrides) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_RowConnectorColor(OLE_COLOR* Value)
{
    return layout_ ? layout_->get_RowConnectorColor(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_RowConnectorColor(OLE_COLOR Value)
{
    return layout_ ? layout_->put_RowConnectorColor(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_RowConnectorStyle(Constants_ConnectorStyle* Value)
{
    return layout_ ? layout_->get_RowConnectorStyle(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_RowConnectorStyle(Constants_ConnectorStyle Value)
{
    return layout_ ? layout_->put_RowConnectorStyle(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_RowScrollRegions(IHvRowScrollRegions** Regions)
{
    return layout_ ? layout_->get_RowScrollRegions(Regions) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_ScrollBars(Constants_ScrollBars* Value)
{
    return layout_ ? layout_->get_ScrollBars(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_ScrollBars(Constants_ScrollBars Value)
{
    return layout_ ? layout_->put_ScrollBars(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_SortFilter(IHvTVSortFilter** Filter)
{
    return layout_ ? layout_->get_SortFilter(Filter) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_SortFilter(IHvTVSortFilter* Filter)
{
    return layout_ ? layout_->put_SortFilter(Filter) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::putref_SortFilter(IHvTVSortFilter* Filter)
{
    return put_SortFilter(Filter);
}

STDMETHODIMP HvTavelle::get_TabNavigation(Constants_TabNavigation* Value)
{
    return layout_ ? layout_->get_TabNavigation(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_TabNavigation(Constants_TabNavigation Value)
{
    return layout_ ? layout_->put_TabNavigation(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_TipDelay(LONG* Value)
{
    return layout_ ? layout_->get_TipDelay(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_TipDelay(LONG Value)
{
    return layout_ ? layout_->put_TipDelay(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_ValueLists(IHvValueLists** ValueLists)
{
    return layout_ ? layout_->get_ValueLists(ValueLists) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_ViewStyle(Constants_ViewStyle* Value)
{
    return layout_ ? layout_->get_ViewStyle(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_ViewStyle(Constants_ViewStyle Value)
{
    return layout_ ? layout_->put_ViewStyle(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_ViewStyleBand(Constants_ViewStyleBand* Value)
{
    return layout_ ? layout_->get_ViewStyleBand(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_ViewStyleBand(Constants_ViewStyleBand Value)
{
    return layout_ ? layout_->put_ViewStyleBand(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::get_BorderStyleCaption(Constants_BorderStyle* Value)
{
    return layout_ ? layout_->get_BorderStyleCaption(Value) : E_UNEXPECTED;
}

STDMETHODIMP HvTavelle::put_BorderStyleCaption(Constants_BorderStyle Value)
{
    return layout_ ? layout_->put_BorderStyleCaption(Value) : E_UNEXPECTED;
}
