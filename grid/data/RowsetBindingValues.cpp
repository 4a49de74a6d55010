// RowsetBinding: reading and writing column values, bookmarks, chapters and
// the provider's error text.
#include "RowsetBinding.h"

#include "ValueConversion.h"

#include <oledberr.h>

#include <cstring>
#include <memory>
#include <new>

namespace {

std::unique_ptr<BYTE[]> ZeroedBuffer(ULONG size)
{
    return std::unique_ptr<BYTE[]>(new (std::nothrow) BYTE[size ? size : 1]());
}

} // namespace

HRESULT RowsetBinding::ReadValue(IRowset* source, bool original, HROW row, ColumnInfo& column, VARIANT* value)
{
    HACCESSOR accessor = DB_NULL_HACCESSOR;
    HRESULT hr = column.EnsureAccessor(&accessor);
    if (FAILED(hr))
        return hr;
    auto buffer = ZeroedBuffer(column.GetBufferSize());
    if (!buffer)
        return E_OUTOFMEMORY;
    hr = original ? update_->GetOriginalData(row, accessor, buffer.get()) : source->GetData(row, accessor, buffer.get());
    if (FAILED(hr))
        return hr;
    return BufferToVariant(column, buffer.get(), GetConversionService(), value);
}

HRESULT RowsetBinding::GetValue(HROW row, DBORDINAL ordinal, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    if (IsDesignTime())
        return GetPlaceholderValue(ordinal, value);
    if (!IsAttached())
        return E_FAIL;
    ColumnInfo* column = GetColumn(ordinal);
    if (!column || column->IsChapter())
        return E_FAIL;
    if (!column->IsReadable()) {
        VariantClear(value);
        return S_OK;
    }
    return ReadValue(rowset_.Get(), false, row, *column, value);
}

HRESULT RowsetBinding::GetOriginalValue(HROW row, DBORDINAL ordinal, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    if (!IsAttached() || !update_)
        return E_FAIL;
    ColumnInfo* column = GetColumn(ordinal);
    if (!column || column->IsChapter())
        return E_FAIL;
    if (!column->IsReadable()) {
        VariantClear(value);
        return S_OK;
    }
    return ReadValue(rowset_.Get(), true, row, *column, value);
}

HRESULT RowsetBinding::SetValue(HROW row, DBORDINAL ordinal, const VARIANT& value)
{
    if (!IsAttached() || !change_)
        return E_FAIL;
    ColumnInfo* column = GetColumn(ordinal);
    if (!column)
        return E_FAIL;
    HACCESSOR accessor = DB_NULL_HACCESSOR;
    HRESULT hr = column->EnsureAccessor(&accessor);
    if (FAILED(hr))
        return hr;
    auto buffer = ZeroedBuffer(column->GetBufferSize());
    if (!buffer)
        return E_FAIL;
    VARIANT keep;
    hr = VariantToBuffer(*column, value, GetConversionService(), buffer.get(), &keep);
    if (SUCCEEDED(hr)) {
        // Only an error object that this call leaves may describe its failure.
        SetErrorInfo(0, nullptr);
        hr = change_->SetData(row, accessor, buffer.get());
    }
    VariantClear(&keep);
    return hr;
}

HRESULT RowsetBinding::ReadChapter(HROW row, DBORDINAL ordinal, ChapterHandle& chapter)
{
    ColumnInfo* column = GetColumn(ordinal);
    if (!column)
        return E_UNEXPECTED;
    if (!column->IsChapter())
        return E_INVALIDARG;
    if (IsDesignTime()) {
        chapter.Attach(column->GetChildBinding(), DB_NULL_HCHAPTER, false);
        return S_OK;
    }
    if (!IsAttached())
        return E_FAIL;
    HACCESSOR accessor = DB_NULL_HACCESSOR;
    HRESULT hr = column->EnsureAccessor(&accessor);
    if (FAILED(hr))
        return hr;
    auto buffer = ZeroedBuffer(column->GetBufferSize());
    if (!buffer)
        return E_OUTOFMEMORY;
    hr = rowset_->GetData(row, accessor, buffer.get());
    if (FAILED(hr))
        return hr;
    DBSTATUS status = DBSTATUS_S_OK;
    std::memcpy(&status, buffer.get() + column->GetBindingDescription().obStatus, sizeof status);
    HCHAPTER value = DB_NULL_HCHAPTER;
    if (status == DBSTATUS_S_OK)
        std::memcpy(&value, buffer.get(), sizeof value);
    // GetData handed out one chapter reference with the value: the handle
    // keeps that one rather than adding its own.
    return chapter.Attach(column->GetChildBinding(), value, false);
}

HRESULT RowsetBinding::ReadBookmark(HROW row, BYTE* bytes, ULONG size)
{
    if (!IsAttached())
        return E_FAIL;
    ColumnInfo* column = GetBookmarkColumn();
    if (!column)
        return E_FAIL;
    HACCESSOR accessor = DB_NULL_HACCESSOR;
    if (FAILED(column->EnsureAccessor(&accessor)))
        return DB_E_BADACCESSORHANDLE;
    auto buffer = ZeroedBuffer(column->GetBufferSize());
    if (!buffer)
        return E_OUTOFMEMORY;
    HRESULT hr = rowset_->GetData(row, accessor, buffer.get());
    if (FAILED(hr))
        return hr;
    const ULONG columnSize = static_cast<ULONG>(column->GetSize());
    std::memcpy(bytes, buffer.get(), size < columnSize ? size : columnSize);
    return S_OK;
}

HRESULT RowsetBinding::IsRowInChapter(HCHAPTER chapter, HROW row)
{
    ComRef<IRowsetChapterMember> member;
    if (!rowset_ || FAILED(member.QueryFrom(rowset_.Get(), IID_IRowsetChapterMember)))
        return E_FAIL;
    return member->IsRowInChapter(chapter, row);
}

HRESULT RowsetBinding::CompareBookmarks(HCHAPTER chapter, ULONG length1, const BYTE* bookmark1, ULONG length2,
                                        const BYTE* bookmark2, DBCOMPARE* result)
{
    if (!result)
        return E_POINTER;
    *result = DBCOMPARE_NOTCOMPARABLE;
    if (locate_ && !literalBookmarks_)
        return locate_->Compare(chapter, length1, bookmark1, length2, bookmark2, result);
    const ULONG shorter = length1 < length2 ? length1 : length2;
    const int order = std::memcmp(bookmark1, bookmark2, shorter);
    *result = order < 0 ? DBCOMPARE_LT : DBCOMPARE_GT;
    return S_OK;
}

HRESULT RowsetBinding::AddRefChapter(HCHAPTER chapter)
{
    if (!chaptered_ || !chapter || IsDesignTime())
        return S_OK;
    return chaptered_->AddRefChapter(chapter, nullptr);
}

HRESULT RowsetBinding::ReleaseChapter(HCHAPTER chapter)
{
    if (!chaptered_ || !chapter || IsDesignTime())
        return S_OK;
    return chaptered_->ReleaseChapter(chapter, nullptr);
}

HRESULT RowsetBinding::ReadOleDbErrors(int interfaceIndex, CDualString& text)
{
    IUnknown* source = interfaceIndex == 1   ? static_cast<IUnknown*>(update_.Get())
                       : interfaceIndex == 0 ? static_cast<IUnknown*>(change_.Get())
                                             : static_cast<IUnknown*>(rowset_.Get());
    const IID& iid = interfaceIndex == 1 ? IID_IRowsetUpdate : interfaceIndex == 0 ? IID_IRowsetChange : IID_IRowset;
    if (!source)
        return E_FAIL;
    ComRef<ISupportErrorInfo> support;
    if (FAILED(support.QueryFrom(source, IID_ISupportErrorInfo)) ||
        support->InterfaceSupportsErrorInfo(iid) != S_OK)
        return E_FAIL;
    ComRef<IErrorInfo> error;
    if (GetErrorInfo(0, error.Put()) != S_OK || !error)
        return E_FAIL;
    SetErrorInfo(0, error.Get()); // left for the caller's caller as well
    BSTR description = nullptr;
    ComRef<IErrorRecords> records;
    ULONG count = 0;
    if (SUCCEEDED(records.QueryFrom(error.Get(), IID_IErrorRecords)) && SUCCEEDED(records->GetRecordCount(&count)) &&
        count > 0) {
        ComRef<IErrorInfo> record;
        if (SUCCEEDED(records->GetErrorInfo(count >= 2 ? 1 : 0, GetSystemDefaultLCID(), record.Put())) && record)
            record->GetDescription(&description);
    }
    if (!description)
        error->GetDescription(&description);
    if (!description)
        return E_FAIL;
    text.AssignWide(description);
    SysFreeString(description);
    return S_OK;
}
