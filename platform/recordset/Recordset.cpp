// The application's face of the in-memory table.
#include "Recordset.h"

#include "DataSourceObject.h"
#include "RecordsetErrors.h"

#include <new>

namespace hv::recordset {

Recordset::Recordset() : Recordset(std::make_shared<Table>()) {}

Recordset::Recordset(std::shared_ptr<Table> table)
    : table_(std::move(table)), cursor_(std::make_shared<Cursor>())
{
}

Recordset::~Recordset()
{
    if (dataSource_)
        dataSource_->Release();
}

HRESULT Recordset::AppendField(const std::wstring& name, FieldType type, long definedSize, long attributes)
{
    if (open_)
        return kObjectOpen;
    return table_->AppendField(name, type, definedSize, attributes);
}

HRESULT Recordset::AppendChapter(const std::wstring& name, const Recordset& child,
                                 std::wstring_view parentKey, std::wstring_view childKey)
{
    if (open_)
        return kObjectOpen;
    const size_t parent = table_->FindField(parentKey);
    const size_t key = child.table_->FindField(childKey);
    if (parent == Table::npos || key == Table::npos)
        return kItemNotFound;
    return table_->AppendChapter(name, child.table_, parent, key);
}

HRESULT Recordset::GetFieldName(long index, std::wstring& name) const
{
    if (index < 0 || static_cast<size_t>(index) >= table_->FieldCount())
        return kItemNotFound;
    try {
        name = table_->FieldAt(static_cast<size_t>(index)).Name();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT Recordset::Open()
{
    if (open_)
        return kObjectOpen;
    if (table_->FieldCount() == 0)
        return kIllegalOperation;
    open_ = true;
    cursor_->Assign(CursorState());
    return S_OK;
}

HRESULT Recordset::Close()
{
    if (!open_)
        return kObjectClosed;
    // A fresh table with the same fields: clones and rowsets over the old
    // records keep them.
    auto fresh = std::make_shared<Table>();
    fresh->ShareSwitches(*table_);
    try {
        for (size_t i = 0; i < table_->FieldCount(); ++i) {
            const hv::recordset::Field& f = table_->FieldAt(i);
            if (f.Type() == FieldType::Chapter)
                fresh->AppendChapter(f.Name(), f.ChildTable(), f.ParentKey(), f.ChildKey());
            else
                fresh->AppendField(f.Name(), f.Type(), f.DefinedSize(), f.Attributes());
        }
        newRecord_.clear();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (cursor_->Mover())
        cursor_ = std::make_shared<Cursor>();
    cursor_->Assign(CursorState());
    table_ = std::move(fresh);
    adding_ = false;
    open_ = false;
    if (dataSource_)
        dataSource_->Replace(table_, cursor_);
    return S_OK;
}

HRESULT Recordset::AddNew()
{
    if (!open_)
        return kObjectClosed;
    HRESULT hr = CommitNew();
    if (FAILED(hr))
        return hr;
    try {
        newRecord_.assign(table_->FieldCount(), CellValue());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    adding_ = true;
    return S_OK;
}

HRESULT Recordset::CommitNew()
{
    if (!adding_)
        return S_OK;
    uint32_t slot = 0;
    HRESULT hr = table_->NewSlot(slot);
    if (FAILED(hr))
        return hr;
    for (size_t i = 0; i < newRecord_.size(); ++i)
        table_->SetCell(slot, i, newRecord_[i]);
    NotificationRound round;
    round.Add(table_->RecordsSender(DBREASON_ROW_INSERT, {slot}));
    hr = round.Run([&] { return table_->Link(slot); });
    if (FAILED(hr))
        return hr;
    adding_ = false;
    newRecord_.clear();
    CursorState at;
    at.slot = slot;
    at.bof = at.eof = false;
    // The new record is current; a refused move leaves it committed anyway.
    cursor_->MoveTo(at);
    return S_OK;
}

HRESULT Recordset::Update()
{
    if (!open_)
        return kObjectClosed;
    return CommitNew();
}

HRESULT Recordset::Field(std::wstring_view name, size_t& index) const
{
    index = table_->FindField(name);
    return index == Table::npos ? kItemNotFound : S_OK;
}

HRESULT Recordset::CheckCurrent() const
{
    if (!open_)
        return kObjectClosed;
    if (adding_)
        return S_OK;
    const CursorState& s = cursor_->State();
    if (s.slot == kNoSlot || !table_->IsLive(s.slot))
        return kNoCurrentRecord;
    return S_OK;
}

HRESULT Recordset::GetAt(size_t field, VARIANT* value) const
{
    if (!value)
        return E_POINTER;
    VariantInit(value);
    HRESULT hr = CheckCurrent();
    if (FAILED(hr))
        return hr;
    const FieldType type = table_->FieldAt(field).Type();
    if (type == FieldType::Chapter)
        return kIllegalOperation;
    try {
        if (adding_)
            return newRecord_[field].ToVariant(type, value);
        return table_->GetCell(cursor_->State().slot, field).ToVariant(type, value);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT Recordset::SetAt(size_t field, const VARIANT& value)
{
    HRESULT hr = CheckCurrent();
    if (FAILED(hr))
        return hr;
    try {
        CellValue cell;
        hr = CellValue::FromVariant(table_->FieldAt(field), value, cell);
        if (FAILED(hr))
            return hr;
        return StoreAt(field, std::move(cell));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

// Stores a converted value into the current record (checked by the caller).
HRESULT Recordset::StoreAt(size_t field, CellValue&& cell)
{
    try {
        if (adding_) {
            newRecord_[field] = std::move(cell);
            return S_OK;
        }
        const uint32_t slot = cursor_->State().slot;
        NotificationRound round;
        round.Add(table_->FieldsSender(slot, {field}));
        return round.Run([&] {
            if (!table_->IsLive(slot))
                return kNoCurrentRecord;
            table_->SetCell(slot, field, cell);
            return S_OK;
        });
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT Recordset::GetValue(long index, VARIANT* value) const
{
    if (index < 0 || static_cast<size_t>(index) >= table_->FieldCount()) {
        if (value)
            VariantInit(value);
        return kItemNotFound;
    }
    return GetAt(static_cast<size_t>(index), value);
}

HRESULT Recordset::GetValue(std::wstring_view name, VARIANT* value) const
{
    size_t index = 0;
    HRESULT hr = Field(name, index);
    if (FAILED(hr)) {
        if (value)
            VariantInit(value);
        return hr;
    }
    return GetAt(index, value);
}

HRESULT Recordset::SetValue(long index, const VARIANT& value)
{
    if (index < 0 || static_cast<size_t>(index) >= table_->FieldCount())
        return kItemNotFound;
    return SetAt(static_cast<size_t>(index), value);
}

HRESULT Recordset::SetValue(std::wstring_view name, const VARIANT& value)
{
    size_t index = 0;
    HRESULT hr = Field(name, index);
    return FAILED(hr) ? hr : SetAt(index, value);
}

HRESULT Recordset::SetNumber(long index, double value)
{
    if (index < 0 || static_cast<size_t>(index) >= table_->FieldCount())
        return kItemNotFound;
    const size_t field = static_cast<size_t>(index);
    if (table_->FieldAt(field).Type() != FieldType::Double)
        return DISP_E_TYPEMISMATCH;
    HRESULT hr = CheckCurrent();
    if (FAILED(hr))
        return hr;
    CellValue cell;
    cell.isNull = false;
    cell.number = value;
    return StoreAt(field, std::move(cell));
}

HRESULT Recordset::MoveToPosition(size_t position, bool forward)
{
    CursorState to;
    if (position < table_->Count()) {
        to.slot = table_->SlotAt(position);
        to.bof = to.eof = false;
    } else {
        to.bof = !forward || table_->Count() == 0;
        to.eof = forward || table_->Count() == 0;
    }
    return cursor_->MoveTo(to);
}

HRESULT Recordset::MoveFirst()
{
    if (!open_)
        return kObjectClosed;
    HRESULT hr = CommitNew();
    return FAILED(hr) ? hr : MoveToPosition(0, false);
}

HRESULT Recordset::MoveLast()
{
    if (!open_)
        return kObjectClosed;
    HRESULT hr = CommitNew();
    if (FAILED(hr))
        return hr;
    const size_t n = table_->Count();
    return MoveToPosition(n == 0 ? Table::npos : n - 1, true);
}

HRESULT Recordset::MoveNext()
{
    if (!open_)
        return kObjectClosed;
    HRESULT hr = CommitNew();
    if (FAILED(hr))
        return hr;
    const CursorState s = cursor_->State();
    if (s.eof && s.slot == kNoSlot && !s.bof)
        return kNoCurrentRecord;
    if (s.slot == kNoSlot) // at BOF: the first record
        return MoveToPosition(0, true);
    // A current record that was deleted meanwhile: its successor is next.
    size_t next = table_->LowerBound(s.slot);
    if (table_->IsLive(s.slot))
        ++next;
    return MoveToPosition(next, true);
}

HRESULT Recordset::MovePrevious()
{
    if (!open_)
        return kObjectClosed;
    HRESULT hr = CommitNew();
    if (FAILED(hr))
        return hr;
    const CursorState s = cursor_->State();
    if (s.bof && s.slot == kNoSlot && !s.eof)
        return kNoCurrentRecord;
    if (s.slot == kNoSlot) { // at EOF: the last record
        const size_t n = table_->Count();
        return MoveToPosition(n == 0 ? Table::npos : n - 1, false);
    }
    const size_t here = table_->LowerBound(s.slot);
    return MoveToPosition(here == 0 ? Table::npos : here - 1, false);
}

bool Recordset::IsEOF() const
{
    if (adding_)
        return false;
    const CursorState& s = cursor_->State();
    return s.slot == kNoSlot ? s.eof : false;
}

bool Recordset::IsBOF() const
{
    if (adding_)
        return false;
    const CursorState& s = cursor_->State();
    return s.slot == kNoSlot ? s.bof : false;
}

long Recordset::RecordCount() const
{
    return open_ ? static_cast<long>(table_->Count()) + (adding_ ? 1 : 0) : -1;
}

HRESULT Recordset::Reserve(size_t records)
{
    return table_->Reserve(records);
}

HRESULT Recordset::Clone(std::unique_ptr<Recordset>& clone) const
{
    if (!open_)
        return kObjectClosed;
    try {
        std::unique_ptr<Recordset> copy(new Recordset(table_));
        copy->open_ = true;
        CursorState first;
        if (table_->Count() > 0) {
            first.slot = table_->SlotAt(0);
            first.bof = first.eof = false;
        }
        copy->cursor_->Assign(first);
        clone = std::move(copy);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT Recordset::GetDataSource(IUnknown** dataSource)
{
    if (!dataSource)
        return E_POINTER;
    *dataSource = nullptr;
    if (!open_)
        return kObjectClosed;
    if (!dataSource_) {
        HRESULT hr = DataSourceObject::Create(table_, cursor_, &dataSource_);
        if (FAILED(hr))
            return hr;
    }
    dataSource_->AddRef();
    *dataSource = static_cast<::DataSource*>(dataSource_);
    return S_OK;
}

void Recordset::AnnounceDataMemberChanged(const wchar_t* member)
{
    if (dataSource_)
        dataSource_->AnnounceDataMemberChanged(member);
}

} // namespace hv::recordset
