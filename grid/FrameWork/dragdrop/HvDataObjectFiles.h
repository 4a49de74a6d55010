// HvDataObjectFiles: the list of file names of a data object (the CF_HDROP
// format), 1-based for script, kept in a SAFEARRAY of BSTRs that is made
// with 10 slots on first use and grows by 10.
#pragma once

#include "DualObject.h"

#include <Tavelle.h>

class HvDataObjectFiles final : public CDualObject<IHvDataObjectFiles> {
public:
    // A new empty list with one reference, or null when out of memory.
    static HvDataObjectFiles* Create(int objectType = ObjectType::HvDataObjectFiles);

    // IHvDataObjectFiles
    STDMETHODIMP get_Item(LONG index, BSTR* fileName) override;
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Add(BSTR fileName, VARIANT index) override;
    STDMETHODIMP Remove(LONG index) override;
    STDMETHODIMP Clear() override;
    STDMETHODIMP get__NewEnum(IUnknown** enumerator) override;

    LONG Count() const { return count_; }
    // The name at a 1-based index (not a copy), or null.
    BSTR At(LONG index) const;
    // Appends a copy of name.
    HRESULT Append(const wchar_t* name);
    // Slots of the array (0 before first use).
    LONG Slots() const;

private:
    explicit HvDataObjectFiles(int objectType) : CDualObject(nullptr, objectType) {}
    ~HvDataObjectFiles() override;

    HRESULT EnsureArray();
    HRESULT Insert(LONG index, const wchar_t* name);

    SAFEARRAY* names_ = nullptr;
    LONG count_ = 0;
};
