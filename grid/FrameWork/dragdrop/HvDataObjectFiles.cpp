// The file-name list of a data object.
#include "HvDataObjectFiles.h"

#include "EnumObject.h"

#include <new>

namespace {

constexpr LONG kSlotStep = 10;

// Direct access to the BSTR slots of a locked one-dimensional array.
class SlotAccess {
public:
    explicit SlotAccess(SAFEARRAY* array) : array_(array)
    {
        void* data = nullptr;
        if (array_ && SUCCEEDED(SafeArrayAccessData(array_, &data)))
            slots_ = static_cast<BSTR*>(data);
    }
    ~SlotAccess() { if (slots_) SafeArrayUnaccessData(array_); }
    SlotAccess(const SlotAccess&) = delete;
    SlotAccess& operator=(const SlotAccess&) = delete;
    explicit operator bool() const { return slots_ != nullptr; }
    // 1-based, as script sees the list.
    BSTR& operator[](LONG index) const { return slots_[index - 1]; }

private:
    SAFEARRAY* array_;
    BSTR* slots_ = nullptr;
};

} // namespace

HvDataObjectFiles* HvDataObjectFiles::Create(int objectType)
{
    try {
        return new (std::nothrow) HvDataObjectFiles(objectType);
    } catch (...) {
        return nullptr;
    }
}

HvDataObjectFiles::~HvDataObjectFiles()
{
    if (names_)
        SafeArrayDestroy(names_);
}

HRESULT HvDataObjectFiles::EnsureArray()
{
    if (names_)
        return S_OK;
    SAFEARRAYBOUND bound = {static_cast<ULONG>(kSlotStep), 1};
    names_ = SafeArrayCreate(VT_BSTR, 1, &bound);
    return names_ ? S_OK : E_OUTOFMEMORY;
}

LONG HvDataObjectFiles::Slots() const
{
    return names_ ? static_cast<LONG>(names_->rgsabound[0].cElements) : 0;
}

BSTR HvDataObjectFiles::At(LONG index) const
{
    if (!names_ || index < 1 || index > count_)
        return nullptr;
    SlotAccess slots(names_);
    return slots ? slots[index] : nullptr;
}

HRESULT HvDataObjectFiles::Append(const wchar_t* name)
{
    HRESULT hr = EnsureArray();
    return SUCCEEDED(hr) ? Insert(count_ + 1, name) : hr;
}

HRESULT HvDataObjectFiles::Insert(LONG index, const wchar_t* name)
{
    if (index < 1 || index > count_ + 1)
        return DISP_E_BADINDEX;
    BSTR copy = SysAllocString(name ? name : L"");
    if (!copy)
        return E_OUTOFMEMORY;
    if (count_ == Slots()) {
        SAFEARRAYBOUND bound = {static_cast<ULONG>(Slots() + kSlotStep), 1};
        const HRESULT hr = SafeArrayRedim(names_, &bound);
        if (FAILED(hr)) {
            SysFreeString(copy);
            return hr;
        }
    }
    SlotAccess slots(names_);
    if (!slots) {
        SysFreeString(copy);
        return E_UNEXPECTED;
    }
    for (LONG i = count_; i >= index; --i)
        slots[i + 1] = slots[i];
    slots[index] = copy;
    ++count_;
    return S_OK;
}

STDMETHODIMP HvDataObjectFiles::get_Item(LONG index, BSTR* fileName)
{
    if (!fileName)
        return E_INVALIDARG;
    *fileName = nullptr;
    HRESULT hr = EnsureArray();
    if (FAILED(hr))
        return hr;
    if (index < 1 || index > count_)
        return DISP_E_BADINDEX;
    BSTR name = At(index);
    *fileName = SysAllocStringLen(name, SysStringLen(name));
    return *fileName ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvDataObjectFiles::get_Count(LONG* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = count_;
    return S_OK;
}

STDMETHODIMP HvDataObjectFiles::Add(BSTR fileName, VARIANT index)
{
    HRESULT hr = EnsureArray();
    if (FAILED(hr))
        return hr;
    LONG position = count_ + 1;
    if (!(index.vt == VT_ERROR && index.scode == DISP_E_PARAMNOTFOUND)) {
        VARIANT converted;
        VariantInit(&converted);
        hr = VariantChangeType(&converted, &index, 0, VT_I4);
        if (FAILED(hr))
            return hr;
        position = converted.lVal;
    }
    return Insert(position, fileName);
}

STDMETHODIMP HvDataObjectFiles::Remove(LONG index)
{
    HRESULT hr = EnsureArray();
    if (FAILED(hr))
        return hr;
    if (index < 1 || index > count_)
        return DISP_E_BADINDEX;
    SlotAccess slots(names_);
    if (!slots)
        return E_UNEXPECTED;
    SysFreeString(slots[index]);
    for (LONG i = index; i < count_; ++i)
        slots[i] = slots[i + 1];
    slots[count_] = nullptr;
    --count_;
    return S_OK;
}

STDMETHODIMP HvDataObjectFiles::Clear()
{
    if (names_ && count_ > 0) {
        SlotAccess slots(names_);
        if (!slots)
            return E_UNEXPECTED;
        for (LONG i = 1; i <= count_; ++i) {
            SysFreeString(slots[i]);
            slots[i] = nullptr;
        }
    }
    count_ = 0;
    return S_OK;
}

STDMETHODIMP HvDataObjectFiles::get__NewEnum(IUnknown** enumerator)
{
    if (!enumerator)
        return E_INVALIDARG;
    *enumerator = nullptr;
    HRESULT hr = EnsureArray();
    if (FAILED(hr))
        return hr;
    // The enumerator walks a copy taken now: later changes of the list do
    // not reach it.
    const LONG count = count_ < Slots() ? count_ : Slots();
    EnumElementArray elements(static_cast<ULONG>(count), sizeof(VARIANT), ClearVariantElement);
    if (!elements.Data() && count > 0)
        return E_OUTOFMEMORY;
    elements.SetFilled(0);
    for (LONG i = 1; i <= count; ++i) {
        auto* element = static_cast<VARIANT*>(elements.At(static_cast<ULONG>(i - 1)));
        BSTR name = At(i);
        element->vt = VT_BSTR;
        element->bstrVal = SysAllocStringLen(name, SysStringLen(name));
        if (!element->bstrVal) {
            element->vt = VT_EMPTY;
            return E_OUTOFMEMORY;
        }
        elements.SetFilled(static_cast<ULONG>(i));
    }
    return CEnumObject::Create(IID_IEnumVARIANT, std::move(elements), CopyVariantElement, nullptr,
                               reinterpret_cast<void**>(enumerator));
}
