// CImageSourceHandle: the candidate image-list controls and the scan of the
// container that finds them.
#include "ImageSourceHandle.h"

#include "Module.h"

#include <new>

namespace {

// The object as its container's users see it: a control's extender when its
// site offers one (which knows "Name" and "Index"), else its own IDispatch.
// second receives the object itself when the extender is used.
IDispatch* DispatchOf(IUnknown* object, IUnknown*& second)
{
    second = nullptr;
    IOleObject* ole = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)))) {
        IOleClientSite* site = nullptr;
        IOleControlSite* controlSite = nullptr;
        IDispatch* extender = nullptr;
        if (SUCCEEDED(ole->GetClientSite(&site)) && site &&
            SUCCEEDED(site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&controlSite))) &&
            SUCCEEDED(controlSite->GetExtendedControl(&extender)) && extender) {
            second = object;
            second->AddRef();
        }
        if (controlSite)
            controlSite->Release();
        if (site)
            site->Release();
        ole->Release();
        if (extender)
            return extender;
    }
    IDispatch* dispatch = nullptr;
    object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    return dispatch;
}

} // namespace

CImageSourceHandle::CImageSourceHandle() noexcept
{
    LibraryAddRef();
}

CImageSourceHandle::~CImageSourceHandle()
{
    Clear();
    LibraryRelease();
}

CImageSourceDispatch* CImageSourceHandle::Add(const char* name, IDispatch* control, IUnknown* second, long index)
{
    try {
        entries_.push_back(std::make_unique<CImageSourceDispatch>(name, control, second, index));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    entries_.back()->SetOwner(this);
    return entries_.back().get();
}

CImageSourceDispatch* CImageSourceHandle::Find(const char* name, long index) const
{
    for (const auto& entry : entries_)
        if (entry->Index() == index && entry->Name().Compare(name) == 0)
            return entry.get();
    return nullptr;
}

CImageSourceDispatch* CImageSourceHandle::FindControl(IUnknown* control) const
{
    for (const auto& entry : entries_)
        if (entry->IsControl(control))
            return entry.get();
    return nullptr;
}

CImageSourceDispatch* CImageSourceHandle::Next(const CImageSourceDispatch* entry) const
{
    if (!entry)
        return At(0);
    const long number = NumberOf(entry);
    return number < 0 ? nullptr : At(number + 1);
}

CImageSourceDispatch* CImageSourceHandle::At(long number) const
{
    if (number < 0 || number >= Count())
        return nullptr;
    return entries_[static_cast<size_t>(number)].get();
}

long CImageSourceHandle::NumberOf(const CImageSourceDispatch* entry) const
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].get() == entry)
            return static_cast<long>(i);
    return -1;
}

void CImageSourceHandle::Clear()
{
    entries_.clear();
}

void CImageSourceHandle::EnsureNone()
{
    if (entries_.empty())
        Add("(None)", nullptr, nullptr, -1);
}

void CImageSourceHandle::Select(const CImageSourceDispatch* entry, CImageSourceDispatch& selected)
{
    if (!entry) {
        EnsureNone();
        entry = At(0);
    }
    if (entry)
        selected.CopyFrom(*entry);
}

CDualString CImageSourceHandle::ReadName(IDispatch* control)
{
    CDualString name;
    // Resolved on each control: the controls found need not share their
    // dispatch identifiers.
    for (const wchar_t* property : {L"Name", L"ID"}) {
        DISPID id = DISPID_UNKNOWN;
        VARIANT value;
        if (SUCCEEDED(ImageSourceCalls::IdOfName(control, property, id)) &&
            SUCCEEDED(ImageSourceCalls::GetProperty(control, id, value)) &&
            SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR)))
            name.AssignWide(V_BSTR(&value) ? V_BSTR(&value) : L"");
        VariantClear(&value);
        if (!name.IsEmpty())
            break;
    }
    return name;
}

long CImageSourceHandle::ReadIndex(IDispatch* control)
{
    DISPID id = DISPID_UNKNOWN;
    VARIANT value;
    long index = -1;
    if (SUCCEEDED(ImageSourceCalls::IdOfName(control, L"Index", id)) &&
        SUCCEEDED(ImageSourceCalls::GetProperty(control, id, value)) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I2)))
        index = V_I2(&value);
    VariantClear(&value);
    return index;
}

HRESULT CImageSourceHandle::Scan(IOleContainer* given, IOleClientSite* site)
{
    Clear();
    EnsureNone();
    IOleContainer* container = given;
    if (container)
        container->AddRef();
    else if (!site || FAILED(site->GetContainer(&container)) || !container)
        return E_FAIL;
    IEnumUnknown* objects = nullptr;
    HRESULT hr = container->EnumObjects(OLECONTF_EMBEDDINGS, &objects);
    container->Release();
    if (FAILED(hr) || !objects)
        return FAILED(hr) ? hr : E_FAIL;
    IUnknown* object = nullptr;
    ULONG fetched = 0;
    while (objects->Next(1, &object, &fetched) == S_OK && fetched == 1 && object) {
        IUnknown* second = nullptr;
        IDispatch* dispatch = DispatchOf(object, second);
        DISPID id = DISPID_UNKNOWN;
        if (dispatch && SUCCEEDED(ImageSourceCalls::IdOfName(dispatch, L"hImageList", id)))
            Add(ReadName(dispatch).c_str(), dispatch, second, ReadIndex(dispatch));
        if (dispatch)
            dispatch->Release();
        if (second)
            second->Release();
        object->Release();
        object = nullptr;
    }
    objects->Release();
    return S_OK;
}
