// Stand-in bodies for every member of the column, group and header
// interfaces, for test fakes that stand in for those objects but serve only
// the members a test needs: each answers E_NOTIMPL.
#pragma once

#include <Tavelle.h>

struct IHvColumnStub : public IHvColumn {
    STDMETHODIMP get_CellAppearance(IHvAppearance **) override { return E_NOTIMPL; }
    STDMETHODIMP putref_CellAppearance(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP put_CellAppearance(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_Band(IHvBand **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Header(IHvHeader **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Hidden(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Hidden(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Index(short *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Key(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Selected(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Selected(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Width(float *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Width(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_AutoEdit(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_AutoEdit(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_AutoSizeEdit(Constants_AutoSizeEdit *) override { return E_NOTIMPL; }
    STDMETHODIMP put_AutoSizeEdit(Constants_AutoSizeEdit) override { return E_NOTIMPL; }
    STDMETHODIMP get_BaseColumnName(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP get_BaseTableName(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP get_ButtonDisplayStyle(Constants_ButtonDisplayStyle *) override { return E_NOTIMPL; }
    STDMETHODIMP put_ButtonDisplayStyle(Constants_ButtonDisplayStyle) override { return E_NOTIMPL; }
    STDMETHODIMP get_Case(Constants_Case *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Case(Constants_Case) override { return E_NOTIMPL; }
    STDMETHODIMP get_ColSpan(short *) override { return E_NOTIMPL; }
    STDMETHODIMP put_ColSpan(short) override { return E_NOTIMPL; }
    STDMETHODIMP get_DataField(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP get_DataType(Constants_DataType *) override { return E_NOTIMPL; }
    STDMETHODIMP put_DataType(Constants_DataType) override { return E_NOTIMPL; }
    STDMETHODIMP get_Activation(Constants_Activation *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Activation(Constants_Activation) override { return E_NOTIMPL; }
    STDMETHODIMP get_FieldLen(LONG *) override { return E_NOTIMPL; }
    STDMETHODIMP put_FieldLen(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_Group(IHvGroup **) override { return E_NOTIMPL; }
    STDMETHODIMP putref_Group(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Group(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_Level(short *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Level(short) override { return E_NOTIMPL; }
    STDMETHODIMP get_LockedWidth(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_LockedWidth(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_MaskClipMode(Constants_MaskMode *) override { return E_NOTIMPL; }
    STDMETHODIMP put_MaskClipMode(Constants_MaskMode) override { return E_NOTIMPL; }
    STDMETHODIMP get_MaskDataMode(Constants_MaskMode *) override { return E_NOTIMPL; }
    STDMETHODIMP put_MaskDataMode(Constants_MaskMode) override { return E_NOTIMPL; }
    STDMETHODIMP get_MaskDisplayMode(Constants_MaskMode *) override { return E_NOTIMPL; }
    STDMETHODIMP put_MaskDisplayMode(Constants_MaskMode) override { return E_NOTIMPL; }
    STDMETHODIMP get_MaskInput(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP put_MaskInput(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP get_MaxWidth(float *) override { return E_NOTIMPL; }
    STDMETHODIMP put_MaxWidth(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_MinWidth(float *) override { return E_NOTIMPL; }
    STDMETHODIMP put_MinWidth(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_Nullable(Constants_Nullable *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Nullable(Constants_Nullable) override { return E_NOTIMPL; }
    STDMETHODIMP get_PromptChar(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP put_PromptChar(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP get_ProportionalResize(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_ProportionalResize(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_SortIndicator(Constants_SortIndicator *) override { return E_NOTIMPL; }
    STDMETHODIMP put_SortIndicator(Constants_SortIndicator) override { return E_NOTIMPL; }
    STDMETHODIMP get_Style(Constants_Style *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Style(Constants_Style) override { return E_NOTIMPL; }
    STDMETHODIMP get_TabStop(Constants_TabStop *) override { return E_NOTIMPL; }
    STDMETHODIMP put_TabStop(Constants_TabStop) override { return E_NOTIMPL; }
    STDMETHODIMP get_ValueList(IHvValueList **) override { return E_NOTIMPL; }
    STDMETHODIMP putref_ValueList(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP put_ValueList(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_VertScrollBar(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_VertScrollBar(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_CellMultiLine(Constants_CellMultiLine *) override { return E_NOTIMPL; }
    STDMETHODIMP put_CellMultiLine(Constants_CellMultiLine) override { return E_NOTIMPL; }
};

struct IHvGroupStub : public IHvGroup {
    STDMETHODIMP get_CellAppearance(IHvAppearance **) override { return E_NOTIMPL; }
    STDMETHODIMP putref_CellAppearance(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP put_CellAppearance(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_Band(IHvBand **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Header(IHvHeader **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Hidden(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Hidden(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Index(short *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Key(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Selected(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Selected(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Width(float *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Width(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_Columns(IHvGroupCols **) override { return E_NOTIMPL; }
};

struct IHvHeaderStub : public IHvHeader {
    STDMETHODIMP get_Appearance(IHvAppearance **) override { return E_NOTIMPL; }
    STDMETHODIMP putref_Appearance(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Appearance(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_Caption(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Caption(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP get_Column(IHvColumn **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Enabled(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Enabled(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_ExclusiveColScrollRegion(IHvColScrollRegion **) override { return E_NOTIMPL; }
    STDMETHODIMP put_ExclusiveColScrollRegion(IHvColScrollRegion *) override { return E_NOTIMPL; }
    STDMETHODIMP putref_ExclusiveColScrollRegion(IHvColScrollRegion *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Group(IHvGroup **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Type(Constants_HeaderType *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Height(float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_VisiblePosition(short *) override { return E_NOTIMPL; }
    STDMETHODIMP put_VisiblePosition(short) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIElement(VARIANT *, VARIANT *, IHvUIElement **) override { return E_NOTIMPL; }
    STDMETHODIMP ResolveAppearance(IHvAppearance **) override { return E_NOTIMPL; }
};

struct IHvColScrollRegionStub : public IHvColScrollRegion {
    STDMETHODIMP get_Hidden(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Hidden(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_ScrollBar(Constants_ScrollBar *) override { return E_NOTIMPL; }
    STDMETHODIMP put_ScrollBar(Constants_ScrollBar) override { return E_NOTIMPL; }
    STDMETHODIMP get_SizingMode(Constants_SizingMode *) override { return E_NOTIMPL; }
    STDMETHODIMP put_SizingMode(Constants_SizingMode) override { return E_NOTIMPL; }
    STDMETHODIMP get_ClientHeight(VARIANT, float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_ClientWidth(VARIANT, float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Height(float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Left(float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Position(float *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Position(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_Range(float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_VisibleHeaders(IHvHeaders **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Width(float *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Width(float) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIElement(VARIANT, IHvUIElement **) override { return E_NOTIMPL; }
    STDMETHODIMP Scroll(Constants_ColScrollAction) override { return E_NOTIMPL; }
    STDMETHODIMP ScrollCellIntoView(IHvCell *, VARIANT, VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP ScrollColumnIntoView(IHvColumn *, VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP ScrollGroupIntoView(IHvGroup *, VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP Split(VARIANT, IHvColScrollRegion **) override { return E_NOTIMPL; }
};

struct IHvRowScrollRegionStub : public IHvRowScrollRegion {
    STDMETHODIMP get_Hidden(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Hidden(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_ScrollBar(Constants_ScrollBar *) override { return E_NOTIMPL; }
    STDMETHODIMP put_ScrollBar(Constants_ScrollBar) override { return E_NOTIMPL; }
    STDMETHODIMP get_SizingMode(Constants_SizingMode *) override { return E_NOTIMPL; }
    STDMETHODIMP put_SizingMode(Constants_SizingMode) override { return E_NOTIMPL; }
    STDMETHODIMP get_ClientHeight(VARIANT, float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_ClientWidth(VARIANT, float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Height(float *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Height(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_Top(float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_FirstRow(IHvRow **) override { return E_NOTIMPL; }
    STDMETHODIMP put_FirstRow(IHvRow *) override { return E_NOTIMPL; }
    STDMETHODIMP putref_FirstRow(IHvRow *) override { return E_NOTIMPL; }
    STDMETHODIMP get_VisibleRows(IHvVisibleRows **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Width(float *) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIElement(VARIANT, IHvUIElement **) override { return E_NOTIMPL; }
    STDMETHODIMP Scroll(Constants_RowScrollAction) override { return E_NOTIMPL; }
    STDMETHODIMP ScrollRowIntoView(IHvRow *) override { return E_NOTIMPL; }
    STDMETHODIMP ScrollCellIntoView(IHvCell *, VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP Split(VARIANT, IHvRowScrollRegion **) override { return E_NOTIMPL; }
};

struct IHvCellStub : public IHvCell {
    STDMETHODIMP get_Value(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP putref_Value(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Value(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_OriginalValue(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Appearance(IHvAppearance **) override { return E_NOTIMPL; }
    STDMETHODIMP putref_Appearance(VARIANT *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Appearance(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_Column(IHvColumn **) override { return E_NOTIMPL; }
    STDMETHODIMP get_DataChanged(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP get_DroppedDown(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_DroppedDown(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Activation(Constants_Activation *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Activation(Constants_Activation) override { return E_NOTIMPL; }
    STDMETHODIMP get_Height(float *) override { return E_NOTIMPL; }
    STDMETHODIMP get_Row(IHvRow **) override { return E_NOTIMPL; }
    STDMETHODIMP get_Selected(VARIANT_BOOL *) override { return E_NOTIMPL; }
    STDMETHODIMP put_Selected(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_TabStop(Constants_TabStop *) override { return E_NOTIMPL; }
    STDMETHODIMP put_TabStop(Constants_TabStop) override { return E_NOTIMPL; }
    STDMETHODIMP get_Width(float *) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIElement(VARIANT *, VARIANT *, IHvUIElement **) override { return E_NOTIMPL; }
    STDMETHODIMP Refresh() override { return E_NOTIMPL; }
    STDMETHODIMP ResolveAppearance(VARIANT *, IHvAppearance **) override { return E_NOTIMPL; }
    STDMETHODIMP GetText(VARIANT *, BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP CancelUpdate() override { return E_NOTIMPL; }
    STDMETHODIMP get_SelLength(LONG *) override { return E_NOTIMPL; }
    STDMETHODIMP put_SelLength(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_SelStart(LONG *) override { return E_NOTIMPL; }
    STDMETHODIMP put_SelStart(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_SelText(BSTR *) override { return E_NOTIMPL; }
    STDMETHODIMP put_SelText(BSTR) override { return E_NOTIMPL; }
};

struct IHvRowStub : public IHvRow {
    STDMETHODIMP get_Activation(Constants_Activation*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Activation(Constants_Activation) override { return E_NOTIMPL; }
    STDMETHODIMP get_Appearance(IHvAppearance**) override { return E_NOTIMPL; }
    STDMETHODIMP putref_Appearance(VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Appearance(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_AutoPreviewHidden(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_AutoPreviewHidden(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_CellAppearance(IHvAppearance**) override { return E_NOTIMPL; }
    STDMETHODIMP putref_CellAppearance(VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP put_CellAppearance(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_Band(IHvBand**) override { return E_NOTIMPL; }
    STDMETHODIMP get_Bookmark(VARIANT, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP get_Cells(IHvCells**) override { return E_NOTIMPL; }
    STDMETHODIMP get_DataChanged(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP get_Description(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Description(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP get_Expanded(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Expanded(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_ExpandChildRowsOnLoad(Constants_ExpandOnLoad*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ExpandChildRowsOnLoad(Constants_ExpandOnLoad) override { return E_NOTIMPL; }
    STDMETHODIMP get_ExpansionIndicator(Constants_ExpansionIndicator*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ExpansionIndicator(Constants_ExpansionIndicator) override { return E_NOTIMPL; }
    STDMETHODIMP get_FixedHeight(Constants_FixedHeight*) override { return E_NOTIMPL; }
    STDMETHODIMP put_FixedHeight(Constants_FixedHeight) override { return E_NOTIMPL; }
    STDMETHODIMP get_Height(float*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Height(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_Hidden(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Hidden(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_RowSelectorAppearance(IHvAppearance**) override { return E_NOTIMPL; }
    STDMETHODIMP putref_RowSelectorAppearance(VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP put_RowSelectorAppearance(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP get_RowSpacingBefore(float*) override { return E_NOTIMPL; }
    STDMETHODIMP put_RowSpacingBefore(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_RowSpacingAfter(float*) override { return E_NOTIMPL; }
    STDMETHODIMP put_RowSpacingAfter(float) override { return E_NOTIMPL; }
    STDMETHODIMP get_Selected(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Selected(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Type(Constants_RowType*) override { return E_NOTIMPL; }
    STDMETHODIMP CollapseAll() override { return E_NOTIMPL; }
    STDMETHODIMP ExpandAll() override { return E_NOTIMPL; }
    STDMETHODIMP GetChildFromBookmark(VARIANT, VARIANT*, IHvRow**) override { return E_NOTIMPL; }
    STDMETHODIMP GetChild(Constants_ChildRow, VARIANT*, IHvRow**) override { return E_NOTIMPL; }
    STDMETHODIMP GetParent(VARIANT*, IHvRow**) override { return E_NOTIMPL; }
    STDMETHODIMP GetSibling(Constants_SiblingRow, VARIANT*, IHvRow**) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIElement(VARIANT*, VARIANT*, IHvUIElement**) override { return E_NOTIMPL; }
    STDMETHODIMP HasChild(VARIANT*, VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP HasParent(VARIANT*, VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP HasNextSibling(VARIANT*, VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP HasPrevSibling(VARIANT*, VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP Refresh(VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP ResolveAppearance(VARIANT*, IHvAppearance**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return E_NOTIMPL; }
    STDMETHODIMP CancelUpdate() override { return E_NOTIMPL; }
    STDMETHODIMP Delete() override { return E_NOTIMPL; }
};
