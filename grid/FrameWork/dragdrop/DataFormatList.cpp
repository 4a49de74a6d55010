// The format list of a drag source.
#include "DataFormatList.h"

#include "DragDropErrors.h"

#include <oleauto.h>

#include <cstdlib>

namespace {
constexpr ULONG kGrowth = 5;
}

bool IsMissingData(const VARIANT& data)
{
    return data.vt == VT_ERROR && data.scode == DISP_E_PARAMNOTFOUND;
}

DataFormatList::~DataFormatList()
{
    ClearEntries();
    std::free(entries_);
}

DataFormatEntry* DataFormatList::Find(CLIPFORMAT format)
{
    if (format == 0)
        return nullptr;
    for (ULONG i = 0; i < count_; ++i) {
        if (entries_[i].format == format)
            return &entries_[i];
    }
    return nullptr;
}

HRESULT DataFormatList::Prepare(CLIPFORMAT format, DataFormatEntry** entry)
{
    *entry = nullptr;
    if (DataFormatEntry* listed = Find(format)) {
        VariantClear(&listed->data);
        *entry = listed;
        return S_OK;
    }
    if (frozen_)
        return RaiseDragDropError(dragDrop_, DragDropError::FormatsFrozen);
    if (count_ == capacity_) {
        void* grown = std::realloc(entries_, sizeof(DataFormatEntry) * (capacity_ + kGrowth));
        if (!grown)
            return E_OUTOFMEMORY;
        entries_ = static_cast<DataFormatEntry*>(grown);
        capacity_ += kGrowth;
    }
    DataFormatEntry& added = entries_[count_++];
    added.format = format;
    VariantInit(&added.data);
    added.formatEtc = {};
    *entry = &added;
    return S_OK;
}

HRESULT DataFormatList::Clear()
{
    if (frozen_)
        return RaiseDragDropError(dragDrop_, DragDropError::FormatsFrozen);
    ClearEntries();
    return S_OK;
}

void DataFormatList::Reset()
{
    frozen_ = false;
    ClearEntries();
}

void DataFormatList::ClearEntries()
{
    for (ULONG i = 0; i < count_; ++i) {
        entries_[i].format = 0;
        VariantClear(&entries_[i].data);
    }
    count_ = 0;
}
