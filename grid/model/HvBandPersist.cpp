// HvBand: the band as a participant of layout save, load, reset and copy,
// property code by property code, and its stream form in Bands.
#include "HvBand.h"

#include "BandLayoutSeam.h"
#include "GridColumnSeam.h"
#include "GridGroupSeam.h"
#include "HvBands.h"
#include "HvColumns.h"
#include "HvGroups.h"
#include "HvOverride.h"
#include "HvOverrides.h"
#include "HvSortedCols.h"
#include "LayoutCategories.h"
#include "StreamText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr LONG kSortedColsCategory = 36;

#pragma pack(push, 1)
struct GeneralBlock {
    SHORT autoPreviewMaxLines;
    SHORT colHeaderLines;
    SHORT groupHeaderLines;
    SHORT levelCount;
    BYTE flags;
};
#pragma pack(pop)
static_assert(sizeof(GeneralBlock) == 9, "the general block is nine bytes");

constexpr BYTE kPersistedFlags = 0x01 | 0x02 | 0x04 | 0x10 | 0x20;

// The categories a property code needs beyond hvPropCatBands.
LONG CategoryOf(DWORD code)
{
    switch (code) {
    case HvBand::CodeGroups:
    case HvBand::CodeGroupOrder:
        return GroupsCategory;
    case HvBand::CodeSortedCols:
        return kSortedColsCategory;
    default:
        return BandsCategory;
    }
}

} // namespace

STDMETHODIMP HvBand::Save(IStream* stream, LONG categories)
{
    return Guard([&] { return SaveToStream(stream, categories); });
}

STDMETHODIMP HvBand::Load(IStream* stream, LONG categories)
{
    return Guard([&] { return LoadFromStream(stream, categories); });
}

bool HvBand::HasData(DWORD code, LONG categories)
{
    if (!HoldsAllOf(categories, CategoryOf(code)))
        return false;
    switch (code) {
    case CodeGeneral:
        return autoPreviewMaxLines_ != 3 || colHeaderLines_ != 1 || groupHeaderLines_ != 1 || levelCount_ != 1 ||
               (flags_ & kPersistedFlags) != DefaultFlags;
    case CodeOverride:
        return override_ && override_->HasAnyCategoryData(categories);
    case CodeColumns:
        return columns_ && (columns_->AnyColumnHasCategoryData(categories) || (!HasGroups() && ColumnOrderDiffers()));
    case CodeGroups:
        return groups_ && groups_->HasDataForCategories(categories);
    case CodeSortedCols:
        return sortedCols_ && sortedCols_->HasDataForCategories(categories);
    case CodeColumnOrder:
        return columns_ && !HasGroups() && ColumnOrderDiffers();
    case CodeGroupOrder:
        return HasGroups() && !groupOrder_.empty() && GroupOrderDiffers();
    case CodeKey:
        return !key_.IsEmpty();
    case CodeParent:
        return parent_ != nullptr;
    case CodeAddButtonCaption:
        return !addButtonCaption_.IsEmpty();
    case CodeAddButtonToolTip:
        return !addButtonToolTip_.IsEmpty();
    case CodeAutoPreviewField:
        return !autoPreviewField_.IsEmpty();
    case CodeScrollTipField:
        return !scrollTipField_.IsEmpty();
    case CodeTag:
        return !tag_.IsEmpty();
    default:
        return false;
    }
}

HRESULT HvBand::SaveOrder(IStream* stream, const std::vector<HvKeyedItem*>& order, bool groups)
{
    const SHORT count = static_cast<SHORT>(order.size());
    HRESULT hr = WriteBytes(stream, &count, sizeof count);
    for (HvKeyedItem* item : order) {
        if (FAILED(hr))
            break;
        const SHORT index =
            static_cast<SHORT>(groups ? (groups_ ? groups_->PositionOf(item) : -1) : columns_->PositionOf(item));
        hr = WriteBytes(stream, &index, sizeof index);
    }
    return hr;
}

HRESULT HvBand::LoadOrder(IStream* stream, bool groups)
{
    SHORT count = 0;
    HRESULT hr = ReadBytes(stream, &count, sizeof count);
    if (FAILED(hr))
        return hr;
    if (count < 0)
        return E_FAIL;
    std::vector<HvKeyedItem*>& order = groups ? groupOrder_ : columnOrder_;
    std::vector<HvKeyedItem*> loaded;
    for (SHORT i = 0; i < count; ++i) {
        SHORT index = 0;
        hr = ReadBytes(stream, &index, sizeof index);
        if (FAILED(hr))
            return hr;
        HvKeyedItem* item = groups ? (groups_ ? groups_->ItemAtPosition(index) : nullptr)
                                   : (columns_ ? columns_->ItemAtPosition(index) : nullptr);
        if (item && std::find(loaded.begin(), loaded.end(), item) == loaded.end())
            loaded.push_back(item);
    }
    // Items the stored order does not name keep their place at the end.
    for (HvKeyedItem* item : order)
        if (std::find(loaded.begin(), loaded.end(), item) == loaded.end())
            loaded.push_back(item);
    order.swap(loaded);
    return S_OK;
}

HRESULT HvBand::Save(DWORD code, IStream* stream, LONG categories)
{
    switch (code) {
    case CodeGeneral: {
        const GeneralBlock block{autoPreviewMaxLines_, colHeaderLines_, groupHeaderLines_, levelCount_, flags_};
        return WriteBytes(stream, &block, sizeof block);
    }
    case CodeOverride:
        return HvOverride::SaveOverrideToStream(stream, categories, layout_ ? layout_->Overrides() : nullptr,
                                                override_);
    case CodeColumns:
        return columns_ ? columns_->Save(stream, categories) : E_FAIL;
    case CodeGroups:
        return groups_ ? groups_->Save(stream, categories) : E_FAIL;
    case CodeSortedCols:
        return sortedCols_ ? sortedCols_->Save(stream, categories) : E_FAIL;
    case CodeColumnOrder:
        return SaveOrder(stream, columnOrder_, false);
    case CodeGroupOrder:
        return SaveOrder(stream, groupOrder_, true);
    case CodeKey:
        return WriteStringToStream(stream, key_);
    case CodeParent: {
        HvBands* bands = layout_ ? layout_->Bands() : nullptr;
        const SHORT index = static_cast<SHORT>(bands && parent_ ? bands->PositionOf(parent_) : -1);
        return WriteBytes(stream, &index, sizeof index);
    }
    case CodeAddButtonCaption:
        return WriteStringToStream(stream, addButtonCaption_);
    case CodeAddButtonToolTip:
        return WriteStringToStream(stream, addButtonToolTip_);
    case CodeAutoPreviewField:
        return WriteStringToStream(stream, autoPreviewField_);
    case CodeScrollTipField:
        return WriteStringToStream(stream, scrollTipField_);
    case CodeTag:
        return tag_.SaveToStream(stream);
    default:
        return S_OK;
    }
}

HRESULT HvBand::Load(DWORD code, IStream* stream, LONG categories)
{
    switch (code) {
    case CodeGeneral: {
        GeneralBlock block{};
        HRESULT hr = ReadBytes(stream, &block, sizeof block);
        if (FAILED(hr))
            return hr;
        // Values the setters would refuse are not taken.
        if (block.autoPreviewMaxLines < 0 || block.colHeaderLines < 1 || block.colHeaderLines > 10 ||
            block.groupHeaderLines < 1 || block.groupHeaderLines > 10 || block.levelCount < 1)
            return E_FAIL;
        autoPreviewMaxLines_ = block.autoPreviewMaxLines;
        colHeaderLines_ = block.colHeaderLines;
        groupHeaderLines_ = block.groupHeaderLines;
        levelCount_ = block.levelCount;
        flags_ = block.flags;
        InvalidateHeaderHeights();
        return S_OK;
    }
    case CodeOverride: {
        if (!layout_)
            return E_FAIL;
        HvOverride* loaded = nullptr;
        HRESULT hr = HvOverride::LoadOverrideFromStream(stream, categories, layout_->OverrideSide(),
                                                        layout_->Overrides(), nullptr, &loaded);
        if (FAILED(hr))
            return hr;
        DropOverride();
        override_ = loaded;
        if (override_)
            overrideLink_.RelinkSubscription(override_);
        InvalidateHeaderHeights();
        return S_OK;
    }
    case CodeColumns:
        return columns_ ? columns_->Load(stream, categories) : E_FAIL;
    case CodeGroups: {
        HvGroups* groups = GetGroups(true);
        return groups ? groups->Load(stream, categories) : E_OUTOFMEMORY;
    }
    case CodeSortedCols: {
        HRESULT hr = EnsureSortedCols();
        return SUCCEEDED(hr) ? sortedCols_->LoadColumnList(stream, categories) : hr;
    }
    case CodeColumnOrder:
        return Guard([&] { return LoadOrder(stream, false); });
    case CodeGroupOrder:
        return Guard([&] { return LoadOrder(stream, true); });
    case CodeKey:
        HvKeyedItem::KeyChanged();
        return ReadStringFromStream(stream, key_);
    case CodeParent: {
        SHORT index = 0;
        HRESULT hr = ReadBytes(stream, &index, sizeof index);
        if (FAILED(hr))
            return hr;
        HvBands* bands = layout_ ? layout_->Bands() : nullptr;
        HvBand* parent = bands ? dynamic_cast<HvBand*>(bands->BandAt(index)) : nullptr;
        if (parent == this || (parent && parent->IsDescendantOf(this)))
            return E_FAIL;
        if (parent)
            parent->AddRef();
        if (parent_)
            parent_->Release();
        parent_ = parent;
        return S_OK;
    }
    case CodeAddButtonCaption:
        return ReadStringFromStream(stream, addButtonCaption_);
    case CodeAddButtonToolTip:
        return ReadStringFromStream(stream, addButtonToolTip_);
    case CodeAutoPreviewField:
        return ReadStringFromStream(stream, autoPreviewField_);
    case CodeScrollTipField:
        return ReadStringFromStream(stream, scrollTipField_);
    case CodeTag:
        return tag_.LoadFromStream(stream);
    default:
        return S_OK;
    }
}

void HvBand::Reset(DWORD code, LONG categories)
{
    if (!HoldsAllOf(categories, CategoryOf(code)))
        return;
    switch (code) {
    case CodeGeneral:
        autoPreviewMaxLines_ = 3;
        colHeaderLines_ = 1;
        groupHeaderLines_ = 1;
        levelCount_ = 1;
        flags_ = DefaultFlags;
        InvalidateHeaderHeights();
        break;
    case CodeOverride:
        DropOverride();
        InvalidateHeaderHeights();
        break;
    case CodeColumns:
        if (columns_)
            columns_->ResetForCategories(categories);
        break;
    case CodeGroups:
        if (groups_) {
            groupsLink_.Unlink();
            groups_->ClearCollection(true, 1);
            groups_->Deactivate();
            groups_->Release();
            groups_ = nullptr;
        }
        groupOrder_.clear();
        break;
    case CodeSortedCols:
        if (sortedCols_) {
            sortedCols_->Deactivate();
            sortedCols_->Release();
            sortedCols_ = nullptr;
        }
        break;
    case CodeColumnOrder:
        if (!HasGroups())
            RebuildColumnOrder();
        break;
    case CodeGroupOrder:
        RebuildGroupOrder();
        break;
    case CodeKey:
        HvKeyedItem::EmptyKey(key_);
        break;
    case CodeAddButtonCaption:
        addButtonCaption_.Empty();
        break;
    case CodeAddButtonToolTip:
        addButtonToolTip_.Empty();
        break;
    case CodeAutoPreviewField:
        autoPreviewField_.Empty();
        break;
    case CodeScrollTipField:
        scrollTipField_.Empty();
        break;
    case CodeTag:
        tag_.Clear();
        break;
    default:
        break;
    }
}

HRESULT HvBand::CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories)
{
    HvBand* other = dynamic_cast<HvBand*>(&source);
    if (!other)
        return E_FAIL;
    if (other == this || !HoldsAllOf(categories, CategoryOf(code)))
        return S_OK;
    switch (code) {
    case CodeGeneral:
        autoPreviewMaxLines_ = other->autoPreviewMaxLines_;
        colHeaderLines_ = other->colHeaderLines_;
        groupHeaderLines_ = other->groupHeaderLines_;
        levelCount_ = other->levelCount_;
        flags_ = other->flags_;
        InvalidateHeaderHeights();
        return S_OK;
    case CodeOverride:
        if (!other->override_) {
            DropOverride();
            return S_OK;
        }
        {
            HRESULT hr = EnsureOverride();
            return SUCCEEDED(hr) ? override_->CopyAll(*other->override_, categories) : hr;
        }
    case CodeColumns:
        return columns_ && other->columns_ ? columns_->CopyFrom(*other->columns_, categories) : S_OK;
    case CodeGroups: {
        if (!other->groups_) {
            Reset(CodeGroups, categories);
            return S_OK;
        }
        HvGroups* groups = GetGroups(true);
        if (!groups)
            return E_OUTOFMEMORY;
        groups->ClearCollection(true, 1);
        groupOrder_.clear();
        return groups->CopyFrom(*other->groups_, categories);
    }
    case CodeSortedCols: {
        if (!other->sortedCols_)
            return S_OK;
        HRESULT hr = EnsureSortedCols();
        return SUCCEEDED(hr) ? sortedCols_->CopyFrom(*other->sortedCols_, categories) : hr;
    }
    case CodeColumnOrder: {
        LONG position = 0;
        for (HvKeyedItem* entry : other->columnOrder_) {
            const CDualString* key = entry->GetKey();
            GridColumnSeam* mine = key && columns_ ? columns_->FindColumnByKey(key) : nullptr;
            if (mine && SUCCEEDED(SetColumnHeaderPosition(mine, position, nullptr)))
                ++position;
        }
        return S_OK;
    }
    case CodeGroupOrder: {
        LONG position = 0;
        for (HvKeyedItem* entry : other->groupOrder_) {
            const CDualString* key = entry->GetKey();
            for (size_t i = 0; key && i < groupOrder_.size(); ++i) {
                const CDualString* mineKey = groupOrder_[i]->GetKey();
                if (mineKey && mineKey->Compare(key->c_str()) == 0) {
                    HvKeyedItem* item = groupOrder_[i];
                    groupOrder_.erase(groupOrder_.begin() + static_cast<LONG>(i));
                    groupOrder_.insert(groupOrder_.begin() + std::min<LONG>(position, groupOrder_.size()), item);
                    ++position;
                    break;
                }
            }
        }
        return S_OK;
    }
    case CodeKey:
        HvKeyedItem::CopyKey(key_, other->key_);
        return S_OK;
    case CodeAddButtonCaption:
        addButtonCaption_.Assign(other->addButtonCaption_);
        return S_OK;
    case CodeAddButtonToolTip:
        addButtonToolTip_.Assign(other->addButtonToolTip_);
        return S_OK;
    case CodeAutoPreviewField:
        autoPreviewField_.Assign(other->autoPreviewField_);
        return S_OK;
    case CodeScrollTipField:
        scrollTipField_.Assign(other->scrollTipField_);
        return S_OK;
    case CodeTag:
        return tag_.Copy(other->tag_);
    default:
        return S_OK;
    }
}
