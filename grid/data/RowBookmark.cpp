// RowBookmark: lazy bookmark reading, re-acquiring handles, conversions.
#include "RowBookmark.h"

#include "RowBatch.h"
#include "RowsetBinding.h"

#include <oleauto.h>

#include <cstring>
#include <new>

namespace {

constexpr USHORT kChangeFlags = VARIANT_NOVALUEPROP | VARIANT_LOCALBOOL;
constexpr VARTYPE kByteArray = VT_ARRAY | VT_UI1;

} // namespace

RowBookmark::RowBookmark(HROW row, RowsetBinding* binding, const ChapterHandle& chapter, ULONG length,
                         const BYTE* bytes, bool borrowed)
    : binding_(binding), row_(row), chapter_(chapter), borrowed_(borrowed)
{
    if (length && bytes) {
        if (length > 4) {
            heap_ = new (std::nothrow) BYTE[length];
            if (!heap_) {
                status_ = E_OUTOFMEMORY;
                length = 0;
            }
        }
        length_ = length;
        if (length_)
            std::memcpy(Bytes(), bytes, length_);
    }
    if (binding_ && row_)
        binding_->LinkHeld(this);
}

RowBookmark::RowBookmark(ULONG length, const BYTE* bytes)
{
    status_ = SetBookmark(length, bytes);
}

RowBookmark::RowBookmark(RowsetBinding* binding, const VARIANT& bookmark) : binding_(binding)
{
    status_ = SetFromVariant(bookmark);
}

RowBookmark::~RowBookmark()
{
    if (!borrowed_)
        ReleaseRowHandle(false);
    else if (binding_ && linked_)
        binding_->UnlinkHeld(this);
    FreeBytes();
}

void RowBookmark::FreeBytes()
{
    delete[] heap_;
    heap_ = nullptr;
    length_ = 0;
}

HROW RowBookmark::GetRowHandle(bool acquire)
{
    if (!row_ && acquire)
        AcquireHandle();
    return row_;
}

ULONG RowBookmark::GetBookmarkLength()
{
    if (!length_)
        ReadBookmark();
    return length_;
}

const BYTE* RowBookmark::GetBookmarkBytes()
{
    return GetBookmarkLength() ? Bytes() : nullptr;
}

void RowBookmark::LookUpColumn()
{
    if (columnType_ != 65535 || !binding_)
        return;
    if (ColumnInfo* column = binding_->GetBookmarkColumn()) {
        columnType_ = column->GetType();
        columnSize_ = static_cast<ULONG>(column->GetSize());
    }
}

HRESULT RowBookmark::ReadBookmark()
{
    if (!binding_)
        return E_FAIL;
    HROW row = GetRowHandle(true);
    ColumnInfo* column = binding_->GetBookmarkColumn();
    if (!row || !column)
        return E_FAIL;
    const ULONG size = static_cast<ULONG>(column->GetSize());
    FreeBytes();
    if (size > 4) {
        heap_ = new (std::nothrow) BYTE[size]();
        if (!heap_)
            return E_OUTOFMEMORY;
    } else {
        std::memset(inline_, 0, sizeof inline_);
    }
    length_ = size;
    HRESULT hr = binding_->ReadBookmark(row, Bytes(), size);
    if (FAILED(hr) || length_ == 0) {
        FreeBytes();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT RowBookmark::AcquireHandle()
{
    if (!binding_ || length_ == 0)
        return E_FAIL;
    RowBatch batch(binding_, chapter_, 1, false, true, false);
    HRESULT hr = batch.FetchFromBookmark(length_, Bytes(), 0);
    if (FAILED(hr))
        return hr;
    HROW row = DB_NULL_HROW;
    if (FAILED(batch.NextHandle(&row)) || !row)
        return E_FAIL;
    if (linked_)
        binding_->UnlinkHeld(this);
    row_ = row;
    borrowed_ = false;
    binding_->LinkHeld(this);
    return S_OK;
}

HRESULT RowBookmark::SetBookmark(ULONG length, const BYTE* bytes)
{
    FreeBytes();
    if (length == 0 || !bytes)
        return S_OK;
    if (length > 4) {
        heap_ = new (std::nothrow) BYTE[length]();
        if (!heap_)
            return E_OUTOFMEMORY;
    }
    length_ = length;
    std::memcpy(Bytes(), bytes, length);
    if (!row_)
        AcquireHandle();
    return S_OK;
}

HRESULT RowBookmark::SetFromVariant(const VARIANT& bookmark)
{
    if (!binding_)
        return E_FAIL;
    ColumnInfo* column = binding_->GetBookmarkColumn();
    if (!column)
        return E_FAIL;
    // The conversions work on a copy of their own.
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, const_cast<VARIANT*>(&bookmark));
    if (FAILED(hr))
        return hr;
    if (column->GetSize() == 4) {
        hr = VariantChangeType(&value, &value, kChangeFlags, VT_I4);
        if (SUCCEEDED(hr)) {
            const LONG number = V_I4(&value);
            hr = SetBookmark(4, reinterpret_cast<const BYTE*>(&number));
        }
        VariantClear(&value);
        return hr;
    }
    // Other bookmarks travel as byte arrays.
    if (V_VT(&value) != kByteArray || !V_ARRAY(&value)) {
        VariantClear(&value);
        return E_FAIL;
    }
    SAFEARRAY* array = V_ARRAY(&value);
    LONG low = 0;
    LONG high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    const ULONG count = high >= low ? static_cast<ULONG>(high - low + 1) : 0;
    void* data = nullptr;
    hr = SafeArrayAccessData(array, &data);
    if (SUCCEEDED(hr)) {
        hr = SetBookmark(count, static_cast<const BYTE*>(data));
        SafeArrayUnaccessData(array);
    }
    VariantClear(&value);
    return hr;
}

HRESULT RowBookmark::ReleaseRowHandle(bool keepBookmark)
{
    if (!row_ || !binding_)
        return S_OK;
    if (keepBookmark && !length_)
        ReadBookmark();
    HROW row = row_;
    row_ = DB_NULL_HROW;
    if (linked_)
        binding_->UnlinkHeld(this);
    return borrowed_ ? S_OK : binding_->ReleaseRowHandles(1, &row);
}

HRESULT RowBookmark::SetBorrowed(bool borrowed)
{
    if (borrowed == borrowed_ || !row_)
        return S_OK;
    FreeBytes();
    HRESULT hr = ReadBookmark();
    if (FAILED(hr))
        return hr;
    // The borrowed handle is left to its owner; ours is fetched afresh.
    HROW old = row_;
    row_ = DB_NULL_HROW;
    if (linked_)
        binding_->UnlinkHeld(this);
    if (!borrowed_)
        binding_->ReleaseRowHandles(1, &old);
    borrowed_ = false;
    return AcquireHandle();
}

bool RowBookmark::IsSameRow(RowBookmark& other)
{
    const ULONG otherLength = other.GetBookmarkLength();
    if (otherLength == 0) {
        RowsetBinding* root = binding_ ? binding_->GetRootBinding() : nullptr;
        return root && root->IsDesignTime() && row_ == other.row_;
    }
    const ULONG length = GetBookmarkLength();
    return length == otherLength && std::memcmp(Bytes(), other.Bytes(), length) == 0;
}

VARTYPE RowBookmark::ResultTypeFor(VARTYPE requested)
{
    requested &= ~VT_BYREF;
    LookUpColumn();
    const ULONG size = columnSize_;
    if (requested > 23)
        return kByteArray;
    switch (requested) {
    case VT_EMPTY: case VT_NULL: case VT_ERROR:
        return columnType_ >= 2 && columnType_ <= 71 ? columnType_ : kByteArray;
    case VT_I2: case VT_UI2:
        return size <= 2 ? requested : kByteArray;
    case VT_I4: case VT_R4: case VT_UI4: case VT_INT: case VT_UINT:
        return size <= 4 ? requested : kByteArray;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8:
        return size <= 8 ? requested : kByteArray;
    case VT_BSTR:
        return VT_BSTR;
    default:
        return kByteArray;
    }
}

HRESULT RowBookmark::GetAsVariant(VARIANT* out, VARTYPE requested)
{
    if (!out)
        return E_INVALIDARG;
    VariantClear(out);
    V_VT(out) = VT_NULL;
    const ULONG length = GetBookmarkLength();
    if (!length)
        return S_OK;
    const VARTYPE result = ResultTypeFor(requested);
    const BYTE* bytes = Bytes();
    auto makeArray = [&](VARIANT* target) -> HRESULT {
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, length);
        if (!array)
            return E_OUTOFMEMORY;
        void* data = nullptr;
        SafeArrayAccessData(array, &data);
        std::memcpy(data, bytes, length);
        SafeArrayUnaccessData(array);
        V_VT(target) = kByteArray;
        V_ARRAY(target) = array;
        return S_OK;
    };
    if (result == kByteArray) {
        VariantClear(out);
        return makeArray(out);
    }
    VARIANT raw;
    VariantInit(&raw);
    const ULONG copy = length < columnSize_ ? length : columnSize_;
    const VARTYPE type = columnType_;
    if ((type >= 2 && type <= 7) || type == 10 || type == 11 || (type >= 16 && type <= 21)) {
        V_VT(&raw) = type;
        std::memcpy(&V_UI1(&raw), bytes, copy < 8 ? copy : 8);
    } else if (type == VT_DECIMAL) {
        std::memcpy(&raw, bytes, copy < sizeof(DECIMAL) ? copy : sizeof(DECIMAL));
        V_VT(&raw) = VT_DECIMAL;
    } else if (type == VT_BSTR) {
        V_VT(&raw) = VT_BSTR;
        V_BSTR(&raw) = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(bytes), length / sizeof(OLECHAR));
    } else if (type == 0 || type == 1) {
        V_VT(&raw) = VT_EMPTY;
    } else {
        HRESULT hr = makeArray(&raw);
        if (FAILED(hr))
            return hr;
    }
    VariantClear(out);
    if (FAILED(VariantChangeType(out, &raw, kChangeFlags, result)))
        VariantCopyInd(out, &raw);
    VariantClear(&raw);
    return S_OK;
}
