// HvColumn: construction, level copies, identity, change notices, the
// shared column/group answers and the selection face of a column.
#include "HvColumn.h"

#include "InputState.h"

#include "BandsLayoutSeam.h"
#include "ColumnBandSeam.h"
#include "ColumnErrors.h"
#include "ColumnInfoSeam.h"
#include "ColumnLayoutSeam.h"
#include "ColumnSettingIds.h"
#include "GridBandSeam.h"
#include "HvAppearance.h"
#include "HvColumns.h"
#include "HvGroup.h"
#include "HvGroupCols.h"
#include "HvHeader.h"
#include "HvValueList.h"
#include "HvValueListItem.h"
#include "HvValueListItems.h"
#include "SelectionBandSeam.h"
#include "SelectionControlSeam.h"
#include "SelectionLayoutSeam.h"

#include <algorithm>
#include <new>

HvColumn::HvColumn(ColumnBandSeam* band, HvColumns* collection, ColumnInfoSeam* info, const CDualString* key)
    : HvObjectBaseImpl(ObjectType::HvColumn), HvColumnGroupImpl(band, nullptr), collection_(collection),
      collectionLink_(collection), valueListLink_(this)
{
    CreateHeader(nullptr);
    if (collection)
        collectionLink_.RelinkSubscription(this);
    ResetSettings(false);
    // Not yet in a collection: no index knows the column.
    info_ = info;
    if (info)
        InitFromColumnInfo();
    else if (key)
        key_.Assign(*key);
}

HvColumn::HvColumn(HvColumn& source, Constants_PosChanged kind)
    : HvObjectBaseImpl(ObjectType::HvColumn), HvColumnGroupImpl(source, true), settings_(source.settings_),
      collection_(nullptr), dataField_(source.dataField_), baseColumnName_(source.baseColumnName_),
      baseTableName_(source.baseTableName_), maskInput_(source.maskInput_), collectionLink_(nullptr),
      valueListLink_(this)
{
    tag_.Copy(source.tag_);
    record_.reset(new LevelRecord);
    record_->kind = kind;
    record_->width = source.GetDefaultWidth();
    record_->visiblePosition = source.GetVisiblePosition();
    record_->group = source.group_;
    record_->level = source.settings_.level;
    CreateHeader(&source);
    record_->source = &source;
    source.AddRef();
}

HvColumn::~HvColumn()
{
    mask_.DetachMaskEngine();
    if (maskCallback_)
        maskCallback_->Forget();
    Deactivate();
    ReleaseHeader();
    DropValueList();
    reference_.Clear();
    if (record_ && record_->source)
        record_->source->Release();
    record_.reset();
    groupLink_.reset();
    collectionLink_.Unlink();
    valueListLink_.Unlink();
    DetachAllSubscribers();
}

HRESULT HvColumn::Create(ColumnBandSeam* band, HvColumns* collection, ColumnInfoSeam* info,
                         const CDualString* key, HvColumn** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvColumn(band, collection, info, key);
        return S_OK;
    });
}

HvColumn* HvColumn::FromObject(IUnknown* object)
{
    return dynamic_cast<HvColumn*>(HvKeyedItem::FromObject(object));
}

HvColumn* HvColumn::MakeLevelCopy(Constants_PosChanged kind)
{
    try {
        return new HvColumn(*this, kind);
    } catch (...) {
        return nullptr;
    }
}

HvKeyedItem* HvColumn::CreateLevelCopy(SHORT level)
{
    HvColumn* copy = MakeLevelCopy(hvPosMoved);
    if (copy)
        copy->record_->level = level;
    return copy;
}

HRESULT HvColumn::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
        *out = static_cast<HvCollectionItem*>(this);
    } else if (out && IsEqualIID(iid, IID_HvPropertyQuery)) {
        *out = static_cast<HvPropertyQuery*>(this);
    } else {
        return CDualObject::InternalQueryInterface(iid, out);
    }
    CUnknownObject::AddRef();
    return S_OK;
}

void HvColumn::ReleaseReferences()
{
    ReleaseSharedReferences();
    if (groupLink_)
        groupLink_->Unlink();
    collectionLink_.Unlink();
    valueListLink_.Unlink();
    info_ = nullptr;
    childBand_ = nullptr;
    collection_ = nullptr;
}

void HvColumn::SetCollection(HvColumns* collection)
{
    collection_ = collection;
}

void HvColumn::DropValueList()
{
    valueListLink_.Unlink();
    if (valueList_) {
        HvValueList* list = valueList_;
        valueList_ = nullptr;
        list->Release();
    }
}

void HvColumn::ResetSettings(bool keepBinding)
{
    const LONG dataType = settings_.dataType;
    const BYTE bound = settings_.flags & (FlagBound | FlagAcceptsNulls);
    settings_ = ColumnSettings();
    if (keepBinding) {
        settings_.dataType = dataType;
        settings_.flags |= bound;
    }
}

// --- identity ----------------------------------------------------------------

const CDualString* HvColumn::GetKey()
{
    if (record_ && record_->source)
        return record_->source->GetKey();
    return IsBound() ? &dataField_ : &key_;
}

LONG HvColumn::GetCollectionIndex()
{
    return collection_ ? collection_->ColumnPosition(this) : -1;
}

bool HvColumn::IsSameKey(GridColumnSeam* other)
{
    HvColumn* column = dynamic_cast<HvColumn*>(other);
    if (!column)
        return false;
    const CDualString* mine = GetKey();
    const CDualString* theirs = column->GetKey();
    return mine && theirs && mine->CompareNoCase(theirs->c_str()) == 0;
}

void HvColumn::GetDefaultCaption(CDualString& caption)
{
    caption.Assign(IsBound() ? dataField_ : key_);
}

void HvColumn::GetCaptionText(CDualString& caption)
{
    GetCaption(caption);
}

bool HvColumn::SetHeaderCaption(BSTR caption)
{
    if (!header_)
        return false;
    header_->SetCaptionText(CDualString(caption ? caption : L""));
    return true;
}

LONG HvColumn::HeaderPictureHeight()
{
    if (!header_)
        return 0;
    const AppearanceData* data = header_->Appearance().GetAppearanceData();
    if (!data || !data->HasPicture())
        return 0;
    SIZE size = {};
    data->GetPictureSize(size);
    return size.cy;
}

LONG HvColumn::HeaderFontHeight()
{
    if (!header_)
        return 0;
    const AppearanceData* data = header_->Appearance().GetAppearanceData();
    if (!data || !data->Font())
        return 0;
    HDC dc = GetDC(nullptr);
    if (!dc)
        return 0;
    const int height = data->GetFontHeight(dc);
    ReleaseDC(nullptr, dc);
    return height;
}

// --- binding ---------------------------------------------------------------

HvColumn::KeyWatch::KeyWatch(HvColumn& column) : column_(column), before_(KeyOf(column)) {}

HvColumn::KeyWatch::~KeyWatch()
{
    try {
        if (KeyOf(column_) != before_)
            HvKeyedItem::KeyChanged();
    } catch (...) {
        HvKeyedItem::KeyChanged();
    }
}

std::string HvColumn::KeyWatch::KeyOf(HvColumn& column)
{
    const CDualString* key = column.GetKey();
    const char* text = key ? key->Text() : nullptr;
    return text ? text : "";
}

HRESULT HvColumn::AttachColumnInfo(ColumnInfoSeam* info)
{
    KeyWatch watch(*this);
    info_ = info;
    return InitFromColumnInfo();
}

HRESULT HvColumn::InitFromColumnInfo()
{
    if (!info_)
        return E_FAIL;
    dataField_.AssignWide(info_->Name() ? info_->Name() : L"");
    baseColumnName_.AssignWide(info_->BaseColumnName() ? info_->BaseColumnName() : L"");
    baseTableName_.AssignWide(info_->BaseTableName() ? info_->BaseTableName() : L"");
    settings_.dataType = info_->TypeCode();
    settings_.fieldLen = info_->Size();
    settings_.flags = static_cast<BYTE>((settings_.flags & 0x3F) | FlagBound |
                                        (info_->AcceptsNulls() ? FlagAcceptsNulls : 0));
    return S_OK;
}

void HvColumn::SetChildBand(GridBandSeam* band)
{
    if (childBandSet_)
        return;
    childBandSet_ = true;
    childBand_ = band;
}

GridBandSeam* HvColumn::GetChildBand()
{
    if (record_ && record_->source)
        return record_->source->GetChildBand();
    return childBand_;
}

// --- notices ------------------------------------------------------------------

void HvColumn::OnChange(const ChangeNotice* notice)
{
    if (!notice || !IsActive())
        return;
    const std::intptr_t inner = reinterpret_cast<std::intptr_t>(notice);
    if (IsHeaderNotice(notice)) {
        if (notice->what == CellAppearanceId && band_ && band_->GridBand())
            band_->GridBand()->InvalidateHeaderHeights();
        if (notice->what == ExclusiveRegionId) {
            if (ColumnLayoutSeam* layout = ItemLayout()) {
                if (BandsLayoutSeam* bands = layout->BandsLayout()) {
                    bands->SetColumnMetricsDirty(true);
                    bands->MarkColScrollRegionsDirty();
                    bands->MarkRowScrollRegionsDirty();
                }
            }
        }
        NotifySubscribers(HeaderId, inner);
        return;
    }
    if (valueList_ && notice->publisher == static_cast<ChangePublisher*>(valueList_)) {
        NotifySubscribers(1133, inner);
        return;
    }
    HvAppearance* appearance = cellAppearance_.GetAppearance();
    if (appearance && notice->publisher == static_cast<ChangePublisher*>(appearance))
        NotifySubscribers(CellAppearanceId, inner);
}

// --- the shared column/group answers -----------------------------------------

bool HvColumn::CanSwap()
{
    return band_ && band_->ResolveSetting(ColumnSettingId::AllowColSwapping) != 1;
}

LONG HvColumn::GetVisibleExtent()
{
    LONG extent = GetExtent();
    if (group_ && lastItem_ && band_ && band_->LevelCount() >= 2) {
        const LONG stretched = group_->GetExtent() - origin_;
        if (stretched > extent)
            extent = stretched;
    }
    return extent > 0 ? extent : 0;
}

LONG HvColumn::GetOrigin()
{
    if (IsHiddenItem())
        return 0;
    if (!group_)
        return SharedOrigin();
    return group_->GetOrigin() + origin_;
}

bool HvColumn::CanSize()
{
    if (!header_ || !header_->IsEnabled() || !band_)
        return false;
    return band_->ResolveSetting(ColumnSettingId::AllowColSizing) != 1 && !(settings_.flags & FlagLockedWidth);
}

void HvColumn::GetSizeRange(LONG* minWidth, LONG* maxWidth)
{
    LONG low = 0;
    LONG high = 0;
    GetWidthBounds(true, &low, &high);
    if (minWidth)
        *minWidth = low;
    if (maxWidth)
        *maxWidth = high;
}

void HvColumn::GetHeaderRect(RECT* rect, const RECT* area)
{
    if (!rect)
        return;
    const LONG height = band_ ? band_->ColumnHeaderHeight() : 0;
    SetRect(rect, 0, 0, GetVisibleExtent(), height);
    if (firstItem_ && band_)
        rect->left += band_->ExpansionIndicatorWidth();
    const SHORT levels = band_ ? band_->LevelCount() : 1;
    if (group_ && levels > 1) {
        const LONG share = height / levels;
        const SHORT level = GetEffectiveLevel();
        rect->top = share * level;
        rect->bottom = level == levels - 1 ? height : rect->top + share;
    }
    AlignRectToBottom(rect, area);
}

LONG HvColumn::GetLevelHeaderHeight()
{
    if (!band_)
        return 0;
    const LONG height = band_->ColumnHeaderHeight();
    const SHORT levels = band_->LevelCount();
    if (!group_ || levels < 2)
        return height;
    const LONG share = height / levels;
    return GetEffectiveLevel() == levels - 1 ? height - share * (levels - 1) : share;
}

SHORT HvColumn::GetEffectiveLevel()
{
    const SHORT levels = band_ ? band_->LevelCount() : 1;
    if (levels < 2)
        return 0;
    return std::min<SHORT>(settings_.level, static_cast<SHORT>(levels - 1));
}

LONG HvColumn::GetWidth(bool)
{
    return IsHiddenItem() ? 0 : GetDefaultWidth();
}

HRESULT HvColumn::SetWidth(LONG width)
{
    return SetWidthInternal(width, true, true, true);
}

SHORT HvColumn::GetVisiblePosition()
{
    if (record_)
        return record_->visiblePosition;
    if (group_) {
        if (HvGroupCols* list = group_->GetGroupCols(false)) {
            SHORT index = -1;
            list->GetLevelPosition(this, &index);
            return index;
        }
        return -1;
    }
    return band_ ? band_->HeaderPosition(this) : -1;
}

// --- selection ---------------------------------------------------------------

void HvColumn::SetSelectedFlag(bool selected)
{
    if (selected == selected_)
        return;
    selected_ = selected;
    NotifySubscribers(SelectedId, 0);
}

bool HvColumn::IsHiddenItem()
{
    return GetChildBand() != nullptr || (settings_.flags & FlagHidden) != 0;
}

LONG HvColumn::GetEffectiveActivation()
{
    const LONG own = GetNibble(settings_.autoSizeEditActivation, true);
    ColumnLayoutSeam* layout = ItemLayout();
    if (layout && !layout->IsDesignMode() && !layout->IsEnabled())
        return std::max<LONG>(own, 2);
    const bool writable = !IsBound() || (info_ && info_->IsWritable());
    if (band_ && band_->ResolveSetting(ColumnSettingId::AllowUpdate) == 1 && writable)
        return own;
    return std::max<LONG>(own, 1);
}

bool HvColumn::CanMove()
{
    return band_ && band_->ResolveSetting(ColumnSettingId::AllowColMoving) != 1;
}

SelectionBandSeam* HvColumn::OwnerBand()
{
    return band_ ? band_->SelectionBand() : nullptr;
}

SelectionLayoutSeam* HvColumn::Layout()
{
    ColumnLayoutSeam* layout = ItemLayout();
    return layout ? layout->SelectionLayout() : nullptr;
}

bool HvColumn::OnHeaderClick()
{
    if (!band_)
        return false;
    const LONG action = band_->ResolveSetting(ColumnSettingId::HeaderClickAction);
    bool clearOthers;
    if (action == 2)
        clearOthers = true;
    else if (action == 3)
        clearOthers = !CurrentInputState().shift;
    else
        return false;
    const LONG current = GetSortIndicator();
    if (current == SortIndicatorDisabled)
        return true;
    const LONG next = current == SortIndicatorAscending ? SortIndicatorDescending : SortIndicatorAscending;
    band_->ChangeSort(this, next, clearOthers);
    return true;
}

void HvColumn::SetSortIndicator(LONG indicator)
{
    const BYTE value = static_cast<BYTE>(indicator & 0x0F);
    if (GetSortIndicator() == value)
        return;
    settings_.nullableSortIndicator = static_cast<BYTE>((settings_.nullableSortIndicator & 0x0F) | (value << 4));
    if (!record_)
        NotifySubscribers(1131, 0);
}

// --- style and values ----------------------------------------------------------

LONG HvColumn::ResolveStyle()
{
    if (settings_.style != 0)
        return settings_.style;
    HvValueList* list = valueList_;
    if (!list && record_ && record_->source)
        list = record_->source->valueList_;
    if (list)
        return 4;
    switch (settings_.dataType) {
    case 7:
    case 133:
        return 8;
    case 11:
        return 3;
    default:
        return 1;
    }
}

HRESULT HvColumn::ParseEditText(BSTR text, VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    VariantInit(value);
    if (valueList_) {
        // A null text counts as empty.
        BSTR empty = text ? nullptr : SysAllocString(L"");
        IHvValueListItem* item = nullptr;
        const HRESULT found = valueList_->FindItemByText(text ? text : empty, &item);
        SysFreeString(empty);
        if (SUCCEEDED(found) && item) {
            const HRESULT hr = item->get_DataValue(value);
            item->Release();
            return hr;
        }
        const LONG style = ResolveStyle();
        if (style == 5 || style == 6)
            return E_FAIL;
    }
    V_VT(value) = VT_BSTR;
    V_BSTR(value) = SysAllocString(text ? text : L"");
    return V_BSTR(value) ? S_OK : E_OUTOFMEMORY;
}

VARTYPE HvColumn::GetEmptyValueType()
{
    switch (GetNibble(settings_.nullableSortIndicator, false)) {
    case 1:
        return VT_NULL;
    case 2:
        return VT_BSTR;
    default:
        return (settings_.flags & FlagAcceptsNulls) ? VT_NULL : VT_BSTR;
    }
}

bool HvColumn::LookupValueListItem(const VARIANT& value, BSTR* text)
{
    if (!text || !valueList_)
        return false;
    *text = nullptr;
    IHvValueListItem* item = nullptr;
    VARIANT criterion = value;
    if (FAILED(valueList_->FindByDataValue(&criterion, &item)) || !item)
        return false;
    const HRESULT hr = item->get_DisplayText(text);
    item->Release();
    return SUCCEEDED(hr);
}

bool HvColumn::GetValueListItemPicture(const VARIANT& value, VARIANT* out)
{
    if (!out || !valueList_)
        return false;
    IHvValueListItem* found = nullptr;
    VARIANT criterion = value;
    if (FAILED(valueList_->FindByDataValue(&criterion, &found)) || !found)
        return false;
    auto* item = dynamic_cast<HvValueListItem*>(found);
    const bool any = item && item->GetPicture(out);
    found->Release();
    return any;
}

HvGroup* HvColumn::GetGroup() const
{
    return group_;
}

bool HvColumn::CompleteFromValueList(BSTR* text)
{
    if (!text || !*text || !**text || !valueList_ || !(settings_.flags & FlagAutoEdit))
        return false;
    const LONG style = ResolveStyle();
    if (style != 1 && style != 2)
        return false;
    HvValueListItems* items = valueList_->GetValueListItems(true);
    if (!items)
        return false;
    const UINT typed = SysStringLen(*text);
    for (LONG i = 0; HvValueListItem* item = items->GetItemAt(i); ++i) {
        VARIANT value;
        VariantInit(&value);
        if (FAILED(item->get_DataValue(&value)) || V_VT(&value) != VT_BSTR) {
            VariantClear(&value);
            return false;
        }
        const UINT length = SysStringLen(V_BSTR(&value));
        if (length >= typed &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, V_BSTR(&value), typed, *text, typed) == CSTR_EQUAL) {
            SysFreeString(*text);
            *text = V_BSTR(&value);
            return true;
        }
        VariantClear(&value);
    }
    return false;
}

bool HvColumn::ResolveCellMultiLine(bool bandAnswer)
{
    switch (GetNibble(settings_.cellMultiLineButtonStyle, false)) {
    case 1:
        return true;
    case 2:
        return false;
    default:
        return bandAnswer;
    }
}
