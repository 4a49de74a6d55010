// CImageSourceHandle: the image-list controls found on the container, in
// the order found, "(None)" always first (entry 0).
#pragma once

#include "ImageSourceDispatch.h"

#include <memory>
#include <vector>

class CImageSourceHandle {
public:
    CImageSourceHandle() noexcept;
    ~CImageSourceHandle();
    CImageSourceHandle(const CImageSourceHandle&) = delete;
    CImageSourceHandle& operator=(const CImageSourceHandle&) = delete;

    // Appends an entry; null when memory is short.
    CImageSourceDispatch* Add(const char* name, IDispatch* control, IUnknown* second, long index);
    // Case-sensitive name compare.
    CImageSourceDispatch* Find(const char* name, long index) const;
    CImageSourceDispatch* FindControl(IUnknown* control) const;
    // The entry after entry; null gives the first.
    CImageSourceDispatch* Next(const CImageSourceDispatch* entry) const;
    CImageSourceDispatch* At(long number) const;
    // The entry's number, -1 when it is not in the list.
    long NumberOf(const CImageSourceDispatch* entry) const;
    long Count() const { return static_cast<long>(entries_.size()); }
    void Clear();
    // Adds "(None)" when the list is empty.
    void EnsureNone();
    // Copies entry (the "(None)" entry when null) into selected.
    void Select(const CImageSourceDispatch* entry, CImageSourceDispatch& selected);

    // The control's "Name" ("ID" when the name reads empty) and its "Index"
    // (-1 when it has none).
    static CDualString ReadName(IDispatch* control);
    static long ReadIndex(IDispatch* control);

    // Clears the list, adds "(None)" and every embedded object of container
    // (the site's container when null) that knows "hImageList".
    HRESULT Scan(IOleContainer* container, IOleClientSite* site);

private:
    std::vector<std::unique_ptr<CImageSourceDispatch>> entries_;
};
