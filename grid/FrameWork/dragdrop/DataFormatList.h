// DataFormatList: the formats a drag source offers, each with its data (or
// the mark that the data comes later, in OLESetData) and its FORMATETC. The
// list is open while OLEStartDrag runs; once frozen, neither a new format
// nor clearing is allowed, but the data of a listed format may change.
#pragma once

#include <windows.h>
#include <ole2.h>

class OleDragDrop;

struct DataFormatEntry {
    CLIPFORMAT format;     // 0 for a cleared entry
    VARIANT data;          // VT_ERROR DISP_E_PARAMNOTFOUND: to be supplied
    FORMATETC formatEtc;
};

// True when data is the mark of data still to be supplied.
bool IsMissingData(const VARIANT& data);

class DataFormatList {
public:
    // dragDrop: raises the list's errors; not owned, may be null or dead.
    explicit DataFormatList(OleDragDrop* dragDrop) : dragDrop_(dragDrop) {}
    ~DataFormatList();
    DataFormatList(const DataFormatList&) = delete;
    DataFormatList& operator=(const DataFormatList&) = delete;

    ULONG Count() const { return count_; }
    ULONG Capacity() const { return capacity_; }
    DataFormatEntry& At(ULONG index) { return entries_[index]; }
    // The first entry with this clipboard format, or null.
    DataFormatEntry* Find(CLIPFORMAT format);

    // The entry for format: the listed one with its data cleared, or a new
    // one appended (672 when frozen, E_OUTOFMEMORY). Its FORMATETC is left
    // to the caller.
    HRESULT Prepare(CLIPFORMAT format, DataFormatEntry** entry);
    // Removes every entry (672 when frozen).
    HRESULT Clear();
    // Unfreezes and removes every entry; never fails.
    void Reset();

    bool Frozen() const { return frozen_; }
    void SetFrozen(bool frozen) { frozen_ = frozen; }
    OleDragDrop* DragDrop() const { return dragDrop_; }

private:
    void ClearEntries();

    OleDragDrop* dragDrop_;
    ULONG count_ = 0;
    ULONG capacity_ = 0;
    DataFormatEntry* entries_ = nullptr;   // malloc'd; grows by 5 entries
    bool frozen_ = false;
};
