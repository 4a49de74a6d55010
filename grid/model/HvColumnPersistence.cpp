// HvColumn: layout persistence of a column (stream form by property code,
// reset and copy by category) and its collection-item save and load.
#include "HvColumn.h"

#include "ColumnBandSeam.h"
#include "ColumnLayoutSeam.h"
#include "GridBandSeam.h"
#include "HvColumns.h"
#include "HvHeader.h"
#include "HvValueList.h"
#include "HvValueLists.h"
#include "LayoutCategories.h"
#include "StreamText.h"
#include "Units.h"
#include "ValueListCategories.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr LONG kValueListsCategory = 1024;

bool TakesPart(LONG categories)
{
    return HoldsAllOf(categories, BandsCategory);
}

} // namespace

STDMETHODIMP HvColumn::Save(IStream* stream, LONG arg)
{
    return Guard([&] { return SaveToStream(stream, arg); });
}

STDMETHODIMP HvColumn::Load(IStream* stream, LONG arg)
{
    return Guard([&] { return LoadFromStream(stream, arg); });
}

bool HvColumn::HasData(DWORD code, LONG categories)
{
    if (!TakesPart(categories) || GetChildBand())
        return false;
    switch (code) {
    case CodeCellAppearance:
        return cellAppearance_.IsSet();
    case CodeGeneral: {
        if (!IsBound())
            return true;
        const ColumnSettings defaults;
        const ColumnSettings& s = settings_;
        return s.level != 0 || s.colSpan != 1 || s.minWidth != 0 || s.maxWidth > s.minWidth ||
               s.promptChar != L'_' || s.autoSizeEditActivation != 0 || s.caseClipMode != 0 ||
               s.dataDisplayMode != 0 || (s.nullableSortIndicator & 0xF0) != 0 ||
               (s.nullableSortIndicator & 0x0F) != 1 || s.tabStop != 0 || s.cellMultiLineButtonStyle != 0 ||
               s.style != 0 || !(s.flags & FlagAutoEdit) ||
               (s.flags & (FlagProportionalResize | FlagHidden | FlagLockedWidth | FlagVertScrollBar)) != 0 ||
               defaults.spare != s.spare;
    }
    case CodeWidth:
        return sized_ && currentWidth_ > 0;
    case CodeReference:
        return !reference_.IsEmpty();
    case CodeHeader:
        return header_ && header_->HasAnyCategoryData(categories);
    case CodeValueList:
        return valueList_ && HoldsAllOf(categories, kValueListsCategory);
    case CodeMaskInput:
        return !maskInput_.IsEmpty();
    case CodeTag:
        return !tag_.IsEmpty();
    case CodeGroup:
        return group_ != nullptr;
    default:
        return false;
    }
}

HRESULT HvColumn::Save(DWORD code, IStream* stream, LONG categories)
{
    ColumnLayoutSeam* layout = ItemLayout();
    auto toTwips = [&](LONG pixels) {
        return layout ? layout->FixedPixelsToTwipsX(pixels) : PixelsToTwipsX(pixels);
    };
    switch (code) {
    case CodeCellAppearance:
        return cellAppearance_.SaveToStream(stream, false, 0);
    case CodeGeneral: {
        ColumnSettings block = settings_;
        block.minWidth = toTwips(block.minWidth);
        block.maxWidth = toTwips(block.maxWidth);
        return WriteBytes(stream, &block, sizeof block);
    }
    case CodeWidth: {
        const LONG twips = toTwips(currentWidth_);
        return WriteBytes(stream, &twips, sizeof twips);
    }
    case CodeReference: {
        CDualString text;
        VARIANT value;
        VariantInit(&value);
        reference_.GetValue(&value);
        HvColumn* column = (V_VT(&value) == VT_DISPATCH) ? HvColumn::FromObject(V_DISPATCH(&value)) : nullptr;
        if (column) {
            const CDualString* key = column->GetKey();
            if (key && !key->IsEmpty())
                text.Assign(*key);
            else
                text.Format("%ld", static_cast<long>(column->GetCollectionIndex()));
        } else {
            VARIANT converted;
            VariantInit(&converted);
            if (SUCCEEDED(VariantChangeType(&converted, &value, 0, VT_BSTR)) && V_BSTR(&converted))
                text.AssignWide(V_BSTR(&converted));
            VariantClear(&converted);
        }
        VariantClear(&value);
        return WriteStringToStream(stream, text);
    }
    case CodeHeader:
        return header_ ? header_->SaveToStream(stream, categories) : E_FAIL;
    case CodeValueList: {
        CDualString text;
        if (valueList_) {
            const CDualString* key = valueList_->GetKey();
            if (key && !key->IsEmpty())
                text.Assign(*key);
            else
                text.Format("%ld", static_cast<long>(valueList_->GetIndex()));
        }
        return WriteStringToStream(stream, text);
    }
    case CodeMaskInput:
        return WriteStringToStream(stream, maskInput_);
    case CodeTag:
        return tag_.SaveToStream(stream);
    default:
        return S_OK;
    }
}

namespace {

bool NibblesWithin(BYTE pair, BYTE lowMax, BYTE highMax)
{
    return (pair & 0x0F) <= lowMax && (pair >> 4) <= highMax;
}

} // namespace

HRESULT CheckColumnSettings(const ColumnSettings& block)
{
    constexpr BYTE knownFlags = HvColumn::FlagAutoEdit | HvColumn::FlagProportionalResize | HvColumn::FlagHidden |
                                HvColumn::FlagLockedWidth | HvColumn::FlagVertScrollBar | HvColumn::FlagBound |
                                HvColumn::FlagAcceptsNulls;
    const bool widths = block.minWidth >= 0 && block.maxWidth >= 0 &&
                        (block.maxWidth == 0 || block.minWidth <= block.maxWidth);
    const bool valid = block.fieldLen >= 0 && widths && block.level >= 0 && block.colSpan >= 1 &&
                       block.dataType >= 0 && block.dataType <= 0xFFFF && block.style <= 9 &&
                       NibblesWithin(block.autoSizeEditActivation, 1, 2) && NibblesWithin(block.caseClipMode, 2, 4) &&
                       NibblesWithin(block.dataDisplayMode, 4, 4) &&
                       NibblesWithin(block.nullableSortIndicator, 2, 3) && NibblesWithin(block.tabStop, 2, 0) &&
                       NibblesWithin(block.cellMultiLineButtonStyle, 2, 3) && (block.flags & ~knownFlags) == 0;
    return valid ? S_OK : E_FAIL;
}

HRESULT HvColumn::Load(DWORD code, IStream* stream, LONG categories)
{
    ColumnLayoutSeam* layout = ItemLayout();
    auto toPixels = [&](LONG twips) {
        return layout ? layout->FixedTwipsToPixelsX(twips) : TwipsToPixelsX(twips);
    };
    switch (code) {
    case CodeCellAppearance:
        return cellAppearance_.LoadFromStream(stream, 0);
    case CodeGeneral: {
        ColumnSettings block;
        HRESULT hr = ReadBytes(stream, &block, sizeof block);
        if (SUCCEEDED(hr))
            hr = CheckColumnSettings(block);
        if (FAILED(hr))
            return hr;
        block.minWidth = toPixels(block.minWidth);
        block.maxWidth = toPixels(block.maxWidth);
        const LONG smallest = toPixels(120);
        if (block.minWidth > 0 && block.minWidth < smallest)
            block.minWidth = smallest;
        // The bound bit is the receiving column's own.
        block.flags = static_cast<BYTE>((block.flags & ~FlagBound) | (settings_.flags & FlagBound));
        settings_ = block;
        return S_OK;
    }
    case CodeWidth: {
        LONG twips = 0;
        HRESULT hr = ReadBytes(stream, &twips, sizeof twips);
        if (SUCCEEDED(hr) && twips < 0)
            hr = E_FAIL;
        if (FAILED(hr))
            return hr;
        currentWidth_ = toPixels(twips);
        sized_ = currentWidth_ != 0;
        return S_OK;
    }
    case CodeReference: {
        CDualString text;
        HRESULT hr = ReadStringFromStream(stream, text);
        if (FAILED(hr))
            return hr;
        VARIANT value;
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = text.AllocSysString();
        hr = reference_.SetValue(value);
        VariantClear(&value);
        return hr;
    }
    case CodeHeader:
        return header_ ? header_->LoadFromStream(stream, categories) : E_FAIL;
    case CodeValueList: {
        CDualString text;
        HRESULT hr = ReadStringFromStream(stream, text);
        if (FAILED(hr))
            return hr;
        HvValueLists* lists = layout ? layout->ValueLists() : nullptr;
        HvValueList* list = lists ? lists->FindValueList(text) : nullptr;
        if (!list && lists && !text.IsEmpty()) {
            VARIANT index;
            V_VT(&index) = VT_I4;
            V_I4(&index) = atol(text.c_str());
            IHvValueList* found = nullptr;
            if (SUCCEEDED(lists->get_Item(index, &found)) && found) {
                list = HvValueList::FromObject(found);
                found->Release();
            }
            SetErrorInfo(0, nullptr);
        }
        DropValueList();
        if (list) {
            list->AddRef();
            valueList_ = list;
            valueListLink_.RelinkSubscription(list);
        }
        return S_OK;
    }
    case CodeMaskInput: {
        const HRESULT hr = ReadStringFromStream(stream, maskInput_);
        if (SUCCEEDED(hr))
            ApplyMaskSettings();
        return hr;
    }
    case CodeTag:
        return tag_.LoadFromStream(stream);
    default:
        return S_OK;
    }
}

void HvColumn::Reset(DWORD code, LONG categories)
{
    if (!TakesPart(categories))
        return;
    switch (code) {
    case CodeCellAppearance:
        cellAppearance_.ReleaseAppearance();
        break;
    case CodeGeneral: {
        KeyWatch watch(*this);
        ColumnLayoutSeam* layout = ItemLayout();
        const bool keep = layout && layout->IsGridLayoutResetting();
        ResetSettings(keep);
        if (!keep)
            selected_ = false;
        if (info_)
            InitFromColumnInfo();
        break;
    }
    case CodeWidth:
        sized_ = false;
        currentWidth_ = 0;
        explicitWidth_ = 0;
        break;
    case CodeReference:
        reference_.Clear();
        break;
    case CodeHeader:
        if (header_)
            header_->ResetAll(categories);
        break;
    case CodeValueList:
        if (HoldsAllOf(categories, kValueListsCategory))
            DropValueList();
        break;
    case CodeMaskInput:
        maskInput_.Empty();
        break;
    case CodeTag:
        tag_.Clear();
        break;
    default:
        break;
    }
}

HRESULT HvColumn::CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories)
{
    HvColumn* other = dynamic_cast<HvColumn*>(&source);
    if (!other)
        return E_FAIL;
    if (!TakesPart(categories))
        return S_OK;
    switch (code) {
    case CodeCellAppearance:
        return cellAppearance_.Assign(other->cellAppearance_);
    case CodeGeneral: {
        const BYTE bound = settings_.flags & FlagBound;
        settings_ = other->settings_;
        settings_.flags = static_cast<BYTE>((settings_.flags & ~FlagBound) | bound);
        return S_OK;
    }
    case CodeWidth:
        sized_ = other->sized_;
        currentWidth_ = other->currentWidth_;
        return S_OK;
    case CodeReference:
        return reference_.Copy(other->reference_);
    case CodeHeader:
        return header_ && other->header_ ? header_->CopyAll(*other->header_, categories) : S_OK;
    case CodeValueList: {
        if (!HoldsAllOf(categories, kValueListsCategory))
            return S_OK;
        ColumnLayoutSeam* layout = ItemLayout();
        HvValueLists* lists = layout ? layout->ValueLists() : nullptr;
        HvValueList* list = nullptr;
        if (lists && other->valueList_ && other->valueList_->GetKey())
            list = lists->FindValueList(*other->valueList_->GetKey());
        DropValueList();
        if (list) {
            list->AddRef();
            valueList_ = list;
            valueListLink_.RelinkSubscription(list);
        }
        return S_OK;
    }
    case CodeMaskInput:
        maskInput_.Assign(other->maskInput_);
        ApplyMaskSettings();
        return S_OK;
    case CodeTag:
        return tag_.Copy(other->tag_);
    default:
        return S_OK;
    }
}

HRESULT HvColumn::SaveHeader(IStream* stream)
{
    for (const CDualString* text : {&key_, &dataField_, &baseColumnName_, &baseTableName_}) {
        const HRESULT hr = WriteStringToStream(stream, *text);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT HvColumn::LoadHeader(IStream* stream)
{
    KeyWatch watch(*this);
    for (CDualString* text : {&key_, &dataField_, &baseColumnName_, &baseTableName_}) {
        const HRESULT hr = ReadStringFromStream(stream, *text);
        if (FAILED(hr))
            return hr;
    }
    settings_.flags = dataField_.IsEmpty() ? static_cast<BYTE>(settings_.flags & ~FlagBound)
                                           : static_cast<BYTE>(settings_.flags | FlagBound);
    return S_OK;
}
