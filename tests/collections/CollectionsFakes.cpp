// Stand-ins for layout, bands, columns, groups, rows and cells.
#include "CollectionsFakes.h"

#include "HvCells.h"
#include "HvColumns.h"
#include "HvGroupCols.h"
#include "HvGroups.h"

#include <algorithm>

int FakeColumn::live = 0;
int FakeGroup::live = 0;
int FakeBand::live = 0;
int FakeCell::live = 0;

namespace {

constexpr DISPID kGroupId = 0x460;

bool IsMissing(const VARIANT* value)
{
    return !value || V_VT(value) == VT_EMPTY || V_VT(value) == VT_ERROR;
}

} // namespace

HRESULT FakeSettings::CopyFrom(DWORD, HvPersistParticipant& source, LONG)
{
    const LONG from = static_cast<FakeSettings&>(source).value;
    if (from < 0)
        return E_FAIL;
    value = from;
    return S_OK;
}

// --- columns ----------------------------------------------------------------

FakeColumn::FakeColumn(FakeBand* owner, const CDualString* name)
    : HvObjectBaseImpl(ObjectType::HvColumn), band(owner),
      columnsLink_(owner ? static_cast<ChangeSubscriber*>(owner->Columns()) : nullptr)
{
    if (name)
        key = *name;
    if (owner && owner->Columns())
        columnsLink_.RelinkSubscription(this);
    ++live;
}

FakeColumn::~FakeColumn()
{
    --live;
    groupLink_.reset();
    DetachAllSubscribers();
}

FakeColumn* FakeColumn::Create(FakeBand* band, const CDualString* key)
{
    return new FakeColumn(band, key);
}

HRESULT FakeColumn::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && (IsEqualIID(iid, IID_IHvColumn) || IsEqualIID(iid, IID_IHvColumnGroupBase) ||
                IsEqualIID(iid, IID_IHvObjectBase))) {
        *out = static_cast<IHvColumn*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

LONG FakeColumn::GetCollectionIndex()
{
    return band && band->Columns() ? band->Columns()->ColumnPosition(this) : -1;
}

bool FakeColumn::IsSameKey(GridColumnSeam* other)
{
    FakeColumn* column = dynamic_cast<FakeColumn*>(other);
    return column && std::string(key.c_str()) == column->key.c_str();
}

bool FakeColumn::SetHeaderCaption(BSTR text)
{
    caption = text ? text : L"";
    return true;
}

void FakeColumn::GetPositionRecord(SHORT* visiblePosition, SHORT* levelOut)
{
    SHORT index = 0;
    if (group && group->GetGroupCols(false))
        group->GetGroupCols(false)->GetLevelPosition(this, &index);
    *visiblePosition = index;
    *levelOut = level;
}

void FakeColumn::LinkToGroup(GridGroupSeam* newGroup)
{
    groupLink_.reset();
    group = newGroup;
    if (HvGroupCols* list = newGroup ? newGroup->GetGroupCols(true) : nullptr) {
        groupLink_ = std::make_unique<SubscriptionLink>(static_cast<ChangeSubscriber*>(list));
        groupLink_->RelinkSubscription(this);
    }
}

HRESULT FakeColumn::JoinGroup(GridGroupSeam* newGroup, VARIANT* visiblePosition, VARIANT* levelArg)
{
    if (!newGroup || newGroup->Band() != static_cast<GridBandSeam*>(band))
        return Exception(static_cast<HRESULT>(0x800A9C4D), 4004);
    SHORT newLevel = level;
    if (!IsMissing(levelArg)) {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, levelArg, 0, VT_I2)) || V_I2(&converted) < 0 ||
            V_I2(&converted) >= band->levelCount)
            return Exception(static_cast<HRESULT>(0x800A9C5A), 4016);
        newLevel = V_I2(&converted);
    }
    SHORT position = 0x7FFF;
    if (!IsMissing(visiblePosition)) {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, visiblePosition, 0, VT_I2)))
            return Exception(static_cast<HRESULT>(0x800AA21D), 1005);
        position = V_I2(&converted);
    }
    AddRef();
    if (group && group->GetGroupCols(false))
        group->GetGroupCols(false)->RemoveColumn(this);
    HvGroupCols* list = newGroup->GetGroupCols(true);
    const HRESULT hr = list->PositionAt(this, position, newLevel);
    LinkToGroup(newGroup);
    Change(kGroupId);
    Release();
    return hr;
}

HRESULT FakeColumn::LeaveGroup()
{
    if (!group)
        return S_OK;
    AddRef();
    HvGroupCols* list = group->GetGroupCols(false);
    LinkToGroup(nullptr);
    level = 0;
    if (list)
        list->RemoveColumn(this);
    Change(kGroupId);
    Release();
    return S_OK;
}

void FakeColumn::SetGroup(GridGroupSeam* newGroup, SHORT minimumLevel)
{
    level = std::max(level, minimumLevel);
    LinkToGroup(newGroup);
}

// --- groups -----------------------------------------------------------------

FakeGroup::FakeGroup(FakeBand* owner, HvGroups* groups, const CDualString* name)
    : HvObjectBaseImpl(ObjectType::HvGroup), band(owner), link_(groups)
{
    if (name)
        key = *name;
    if (groups)
        link_.RelinkSubscription(this);
    ++live;
}

FakeGroup::~FakeGroup()
{
    --live;
    if (columns_) {
        columns_->Deactivate();
        columns_->Release();
    }
    DetachAllSubscribers();
}

FakeGroup* FakeGroup::Create(FakeBand* band, HvGroups* groups, const CDualString* key)
{
    return new FakeGroup(band, groups, key);
}

HRESULT FakeGroup::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && (IsEqualIID(iid, IID_IHvGroup) || IsEqualIID(iid, IID_IHvColumnGroupBase) ||
                IsEqualIID(iid, IID_IHvObjectBase))) {
        *out = static_cast<IHvGroup*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

GridBandSeam* FakeGroup::Band()
{
    return band;
}

HvGroupCols* FakeGroup::GetGroupCols(bool create)
{
    if (!columns_ && create)
        HvGroupCols::Create(this, false, &columns_);
    return columns_;
}

bool FakeGroup::SetHeaderCaption(BSTR text)
{
    caption = text ? text : L"";
    return true;
}

// --- bands ------------------------------------------------------------------

FakeBand::FakeBand(FakeLayout* owner, ChangeSubscriber* subscriber, GridBandSeam* parentBand, const CDualString* name)
    : HvObjectBaseImpl(ObjectType::HvBand), layout(owner), parent(parentBand), link_(subscriber)
{
    if (name)
        key = *name;
    if (subscriber)
        link_.RelinkSubscription(this);
    HvColumns::Create(this, &columns_);
    ++live;
}

FakeBand::~FakeBand()
{
    --live;
    if (groups_) {
        groups_->Deactivate();
        groups_->ClearCollection(true, 1);
        groups_->Release();
    }
    if (columns_) {
        columns_->Deactivate();
        columns_->Release();
    }
    DetachAllSubscribers();
}

FakeBand* FakeBand::Create(FakeLayout* layout, ChangeSubscriber* subscriber, GridBandSeam* parent,
                           const CDualString* key)
{
    return new FakeBand(layout, subscriber, parent, key);
}

HRESULT FakeBand::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && (IsEqualIID(iid, IID_IHvBand) || IsEqualIID(iid, IID_IHvObjectBase))) {
        *out = static_cast<IHvObjectBase*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

BandsLayoutSeam* FakeBand::Layout()
{
    return layout;
}

HvGroups* FakeBand::GetGroups(bool create)
{
    if (!groups_ && create)
        HvGroups::Create(this, false, &groups_);
    return groups_;
}

HRESULT FakeBand::AddColumn(const CDualString* name, GridColumnSeam** out)
{
    *out = nullptr;
    if (FAILED(addColumnAnswer))
        return addColumnAnswer;
    FakeColumn* column = FakeColumn::Create(this, name);
    HRESULT hr = columns_->InsertVectorCollectionItem(-1, column, false, 0);
    if (FAILED(hr)) {
        column->Release();
        return hr;
    }
    *out = column;
    return S_OK;
}

HRESULT FakeBand::RemoveColumnHeader(GridColumnSeam* column)
{
    if (!column || columns_->ColumnPosition(column) < 0)
        return E_FAIL;
    column->LeaveGroup();
    CAutomationObject::Deactivate(column->ColumnItem()->GetItemObject());
    return columns_->RemoveVectorCollectionItem(column->ColumnItem());
}

HRESULT FakeBand::CreateGroup(HvGroups* groups, const CDualString* name, GridGroupSeam** out)
{
    *out = FakeGroup::Create(this, groups, name);
    return S_OK;
}

HRESULT FakeBand::AppendGroupHeader(GridGroupSeam* group)
{
    if (FAILED(appendGroupAnswer))
        return appendGroupAnswer;
    groupHeaders.push_back(static_cast<FakeGroup*>(group)->key.c_str());
    return S_OK;
}

void FakeBand::RemoveGroupHeader(GridGroupSeam*)
{
    if (!groupHeaders.empty())
        groupHeaders.pop_back();
}

HRESULT FakeBand::ExpandRows(bool expand, bool recursive, LONG)
{
    log.push_back(std::string("expand ") + (expand ? "1" : "0") + (recursive ? "r" : ""));
    return expandAnswer;
}

void FakeBand::LayoutHeaders(GridBandSeam* previous)
{
    FakeBand* before = static_cast<FakeBand*>(previous);
    log.push_back(std::string("layout ") + (before ? before->key.c_str() : "-"));
}

HRESULT FakeBand::CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories)
{
    HRESULT hr = FakeSettings::CopyFrom(code, source, categories);
    FakeBand& from = static_cast<FakeBand&>(static_cast<FakeSettings&>(source));
    if (SUCCEEDED(hr) && columns_->ItemCount() == 0 && from.Columns())
        AddColumns(from.Columns()->ItemCount(), 0);
    return hr;
}

bool FakeBand::MatchesBand(GridBandSeam* other)
{
    FakeBand* band = static_cast<FakeBand*>(other);
    if (std::string(key.c_str()) == band->key.c_str())
        return true;
    return !parent && !band->parent && (key.IsEmpty() || band->key.IsEmpty());
}

void FakeBand::AddColumns(int boundCount, int unboundCount)
{
    for (int i = 0; i < boundCount + unboundCount; ++i) {
        const bool isBound = i < boundCount;
        CDualString name((std::string(isBound ? "B" : "U") + std::to_string(isBound ? i : i - boundCount)).c_str());
        GridColumnSeam* column = nullptr;
        AddColumn(&name, &column);
        static_cast<FakeColumn*>(column)->bound = isBound;
    }
}

FakeColumn* FakeBand::ColumnAt(LONG position)
{
    return static_cast<FakeColumn*>(columns_->ColumnAt(position));
}

// --- layout -----------------------------------------------------------------

void FakeLayout::DirtyRootUIElement(bool a, bool b)
{
    log.push_back(std::string("root ") + (a ? "1" : "0") + (b ? "1" : "0"));
}

HRESULT FakeLayout::CreateBand(ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                               GridBandSeam** out)
{
    *out = FakeBand::Create(this, subscriber, parent, key);
    log.push_back(std::string("band ") + (key ? key->c_str() : "-"));
    return S_OK;
}

// --- rows and cells ---------------------------------------------------------

FakeCell::FakeCell(FakeColumn* owner, ChangeSubscriber* cells)
    : HvObjectBaseImpl(ObjectType::HvCell), column(owner), link_(cells)
{
    column->AddRef();
    if (cells)
        link_.RelinkSubscription(this);
    ++live;
}

FakeCell::~FakeCell()
{
    --live;
    column->Release();
    DetachAllSubscribers();
}

FakeCell* FakeCell::Create(FakeColumn* column, ChangeSubscriber* cells)
{
    return new FakeCell(column, cells);
}

HRESULT FakeCell::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && (IsEqualIID(iid, IID_IHvCell) || IsEqualIID(iid, IID_IHvObjectBase))) {
        *out = static_cast<IHvCell*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

HRESULT FakeRow::CreateCell(GridColumnSeam* column, HvCells* cells, HvKeyedItem** out)
{
    *out = nullptr;
    if (failCreate)
        return E_OUTOFMEMORY;
    ++made;
    *out = FakeCell::Create(static_cast<FakeColumn*>(column), static_cast<ChangeSubscriber*>(cells));
    return S_OK;
}

GridColumnSeam* FakeRow::ColumnOfCell(HvKeyedItem* cell)
{
    FakeCell* fake = dynamic_cast<FakeCell*>(cell);
    return fake ? fake->column : nullptr;
}
