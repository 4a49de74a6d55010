// Stand-ins for the row, column and grid around a cell, each recording what
// the cell asked of it.
#pragma once

#include "CellHostSeam.h"
#include "HvCell.h"

#include <string>
#include <vector>

struct CellFakeRow final : CellRowHost {
    IHvRow* RowInterface() override { return nullptr; }
    bool HasRowData() override { return hasData; }
    HRESULT GetRowValue(LONG, VARIANT* out) override { return VariantCopy(out, &value); }
    HRESULT GetRowOriginalValue(LONG, VARIANT* out) override
    {
        return failOriginal ? E_FAIL : VariantCopy(out, &original);
    }
    HRESULT SetRowValue(LONG, VARIANT* v) override
    {
        if (FAILED(refuseWrite))
            return refuseWrite;
        return VariantCopy(&value, v);
    }
    void SetRowDataChanged() override { rowChanged = true; }
    LONG LevelHeight(LONG) override { return levelHeight; }
    LONG ResolveActivation() override { return activation; }
    bool IsSelected() override { return false; }
    HvSelectableItem* RowSelectable() override { return nullptr; }

    CellFakeRow() { VariantInit(&value); VariantInit(&original); }
    ~CellFakeRow() { VariantClear(&value); VariantClear(&original); }
    bool hasData = true;
    VARIANT value;
    VARIANT original;
    bool failOriginal = false;
    HRESULT refuseWrite = S_OK;
    bool rowChanged = false;
    LONG levelHeight = 20;
    LONG activation = 0;
};

struct CellFakeColumn final : CellColumnHost {
    IHvColumn* ColumnInterface() override { return nullptr; }
    bool IsBound() override { return bound; }
    LONG DataIndex() override { return 0; }
    bool IsChapter() override { return false; }
    HRESULT ChildRows(CellRowHost*, IUnknown**) override { return E_FAIL; }
    VARTYPE ValueType() override { return type; }
    const CDualString* Key() override { return nullptr; }
    LONG Extent() override { return extent; }
    LONG Level() override { return 0; }
    LONG TabStop() override { return 0; }
    LONG ResolveStyle() override { return 0; }
    bool HasValueList() override { return false; }
    bool IsDropDownShowing(HvCell*) override { return false; }
    HRESULT DropDown(HvCell*) override { return S_OK; }
    HRESULT CloseDropDown(HvCell*) override { return S_OK; }
    // Marks the text with the mode, as a mask component would format it.
    HRESULT ApplyMaskModeToValue(VARIANT* value, LONG mode) override
    {
        if (!masked || value->vt != VT_BSTR)
            return S_OK;
        std::wstring text = std::to_wstring(mode) + L":" + value->bstrVal;
        SysFreeString(value->bstrVal);
        value->bstrVal = SysAllocString(text.c_str());
        return S_OK;
    }

    bool bound = true;
    bool masked = false;
    VARTYPE type = VT_EMPTY;
    LONG extent = 100;
};

struct CellFakeGrid final : CellGridHost {
    bool HasGridControl() override { return true; }
    bool HasEventGate() override { return true; }
    bool CanFireEvents() override { return true; }
    bool IsDesignMode() override { return false; }
    bool IsEventFiring(DISPID id) override { return id == firing; }
    LCID Locale() override { return LOCALE_USER_DEFAULT; }
    IHvTVDataFilter* DataFilter() override { return filter; }
    void AddRefControl() override {}
    void ReleaseControl() override {}
    bool FireBeforeCellUpdate(HvCell*, VARIANT*) override { log.push_back("BeforeCellUpdate"); return cancelUpdate; }
    void FireAfterCellUpdate(HvCell*) override { log.push_back("AfterCellUpdate"); }
    bool FireBeforeCellCancelUpdate(HvCell*) override { log.push_back("BeforeCellCancelUpdate"); return false; }
    void FireAfterCellCancelUpdate(HvCell*) override { log.push_back("AfterCellCancelUpdate"); }
    HRESULT ReportUpdateError(HvCell*, HRESULT hr, VARIANT*) override { log.push_back("ReportUpdateError"); return hr; }
    float PixelsToUnitsX(LONG pixels) override { return pixels * 15.0f; }
    float PixelsToUnitsY(LONG pixels) override { return pixels * 15.0f; }
    LONG CellSpacing(HvCell*) override { return 0; }
    bool HasRowsetBinding(HvCell*) override { return true; }
    HWND EditWindow() override { return edit; }
    HRESULT ExitEditMode(HvCell*, bool, bool) override { return S_OK; }
    HRESULT GetValueText(HvCell*, BSTR* out) override { *out = SysAllocString(L"text"); return S_OK; }
    LONG ActivateCell(HvCell*, bool enterEdit, LONG, LONG) override
    {
        log.push_back(enterEdit ? "ActivateCell edit" : "ActivateCell");
        return 0;
    }
    void EnterEditMode(HvCell* cell, bool) override { cell->SetInEditMode(true); }
    HRESULT SelectCell(HvCell* cell, bool select) override { cell->SetSelectedBit(select); return S_OK; }
    HRESULT RefreshCellElement(HvCell*) override { return S_OK; }
    HRESULT GetCellElement(HvCell*, VARIANT*, VARIANT*, IHvUIElement**) override { return S_OK; }
    HRESULT ResolveCellAppearance(HvCell*, VARIANT*, IHvAppearance**) override { return E_NOTIMPL; }

    IHvTVDataFilter* filter = nullptr;
    HWND edit = nullptr;
    DISPID firing = 0;
    bool cancelUpdate = false;
    std::vector<std::string> log;
};

// A data filter that doubles integers read and adds 1 to integers written.
struct CellFakeFilter final : IHvTVDataFilter {
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHvTVDataFilter)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP AfterGetValue(Constants_GetValueContext context, IHvCell*, VARIANT* value) override
    {
        ++gets;
        lastContext = context;
        if (value->vt == VT_I4)
            value->lVal *= 2;
        return S_OK;
    }
    STDMETHODIMP BeforeSetValue(IHvCell*, VARIANT* value) override
    {
        ++sets;
        if (value->vt == VT_I4)
            value->lVal += 1;
        return S_OK;
    }
    int gets = 0;
    int sets = 0;
    LONG lastContext = -1;
};
