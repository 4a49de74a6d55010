// CAutomationObject: type information cache, IDispatch and error raising.
#include "AutomationObject.h"

#include "CriticalSectionLock.h"
#include "DualString.h"
#include "LiveObjectRegistry.h"
#include "Module.h"
#include "ResourceModule.h"

#include <Tavelle.h>

namespace {

// Loads the interface half of the object type's dual interface. Called
// inside the global critical section.
HRESULT LoadTypeInfo(const ObjectInfo& info, ITypeInfo** result)
{
    ITypeLib* library = nullptr;
    HRESULT hr = LoadRegTypeLib(LIBID_Tavelle, static_cast<WORD>(info.versionMajor),
                                static_cast<WORD>(info.versionMinor), 0, &library);
    if (FAILED(hr)) {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(ModuleInstance(), path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return E_FAIL;
        hr = LoadTypeLib(path, &library);
        if (FAILED(hr))
            return hr;
    }
    ITypeInfo* coType = nullptr;
    hr = library->GetTypeInfoOfGuid(*info.iid, &coType);
    library->Release();
    if (FAILED(hr))
        return hr;
    HREFTYPE reference = 0;
    hr = coType->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference);
    if (SUCCEEDED(hr))
        hr = coType->GetRefTypeInfo(reference, result);
    coType->Release();
    return hr;
}

} // namespace

CAutomationObject::CAutomationObject(IUnknown* outer, int objectType, void* primaryInterface)
    : CUnknownObject(outer, primaryInterface), objectType_(objectType)
{
}

CAutomationObject::~CAutomationObject()
{
    if (!holdsTypeInfo_)
        return;
    CriticalSectionLock guard(GlobalCriticalSection());
    ObjectInfo& info = Info();
    if (--info.typeInfoHolders == 0 && info.typeInfo) {
        info.typeInfo->Release();
        info.typeInfo = nullptr;
    }
}

HRESULT CAutomationObject::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IDispatch)) {
        *out = PrimaryInterface();
        AddRef();
        return S_OK;
    }
    return CUnknownObject::InternalQueryInterface(iid, out);
}

HRESULT CAutomationObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = 1;
    return S_OK;
}

HRESULT CAutomationObject::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo)
{
    if (index != 0)
        return DISP_E_BADINDEX;
    if (!typeInfo)
        return E_POINTER;
    *typeInfo = nullptr;

    CriticalSectionLock guard(GlobalCriticalSection());
    ObjectInfo& info = Info();
    if (!info.typeInfo) {
        HRESULT hr = LoadTypeInfo(info, &info.typeInfo);
        if (FAILED(hr)) {
            info.typeInfo = nullptr;
            return hr;
        }
        ++info.typeInfoHolders;
        holdsTypeInfo_ = true;
    }
    info.typeInfo->AddRef();
    *typeInfo = info.typeInfo;
    return S_OK;
}

HRESULT CAutomationObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                         DISPID* dispids)
{
    if (!IsEqualIID(iid, IID_NULL))
        return E_INVALIDARG;
    ITypeInfo* typeInfo = nullptr;
    HRESULT hr = GetTypeInfo(0, locale, &typeInfo);
    if (FAILED(hr))
        return hr;
    hr = typeInfo->GetIDsOfNames(names, count, dispids);
    typeInfo->Release();
    return hr;
}

HRESULT CAutomationObject::Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags,
                                  DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                  UINT* argumentError)
{
    if (!IsEqualIID(iid, IID_NULL))
        return E_INVALIDARG;
    ITypeInfo* typeInfo = nullptr;
    HRESULT hr = GetTypeInfo(0, locale, &typeInfo);
    if (FAILED(hr))
        return hr;
    // A method that fails leaves exactly its own error object.
    SetErrorInfo(0, nullptr);
    hr = typeInfo->Invoke(PrimaryInterface(), dispid, flags, params, result, exception, argumentError);
    typeInfo->Release();
    return hr;
}

HRESULT CAutomationObject::InterfaceSupportsErrorInfo(REFIID iid)
{
    const IID* own = Info().iid;
    return own && IsEqualIID(iid, *own) ? S_OK : S_FALSE;
}

HINSTANCE CAutomationObject::GetResourceInstance()
{
    return ::GetResourceInstance(0);
}

HRESULT CAutomationObject::Exception(HRESULT result, WORD stringId, DWORD helpContext,
                                     const char* const* inserts)
{
    try {
        ICreateErrorInfo* create = nullptr;
        if (FAILED(CreateErrorInfo(&create)))
            return result;
        const ObjectInfo& info = Info();
        if (info.iid)
            create->SetGUID(*info.iid);
        if (info.helpFile) {
            CDualString helpFile(info.helpFile);
            BSTR text = helpFile.AllocSysString();
            create->SetHelpFile(text);
            SysFreeString(text);
        }
        create->SetHelpContext(helpContext);

        char buffer[256] = {};
        LoadStringA(GetResourceInstance(), stringId, buffer, sizeof buffer);
        CDualString message(buffer);
        if (inserts)
            SubstituteInserts(message, inserts);
        BSTR description = message.AllocSysString();
        create->SetDescription(description);
        SysFreeString(description);

        CDualString source(info.name);
        BSTR sourceText = source.AllocSysString();
        create->SetSource(sourceText);
        SysFreeString(sourceText);

        IErrorInfo* error = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&error)))) {
            SetErrorInfo(0, error);
            error->Release();
        }
        create->Release();
    } catch (...) {
        // Raising never fails: the result code alone still reaches the caller.
    }
    return result;
}

bool CAutomationObject::IsActive() const
{
    return IsValidObjectPointer(this) && active_;
}

void CAutomationObject::Deactivate()
{
    if (!IsValidObjectPointer(this))
        return;
    active_ = false;
    ReleaseReferences();
}

bool CAutomationObject::IsActive(const CAutomationObject* object)
{
    return IsValidObjectPointer(object) && object->active_;
}

void CAutomationObject::Deactivate(CAutomationObject* object)
{
    if (IsValidObjectPointer(object))
        object->Deactivate();
}

VARIANT_BOOL CAutomationObject::IsSameAs(IDispatch* other)
{
    if (!other || !IsValidObjectPointer(this) || !Info().iid)
        return VARIANT_FALSE;
    const IID& iid = *Info().iid;
    IUnknown* mine = nullptr;
    IUnknown* theirs = nullptr;
    InternalQueryInterface(iid, reinterpret_cast<void**>(&mine));
    other->QueryInterface(iid, reinterpret_cast<void**>(&theirs));
    bool same = mine && mine == theirs;
    if (mine)
        mine->Release();
    if (theirs)
        theirs->Release();
    return same ? VARIANT_TRUE : VARIANT_FALSE;
}

HRESULT CAutomationObject::GetObjectPointer(const void* calledInterface, long* pointer)
{
    if (!pointer)
        return E_INVALIDARG;
    *pointer = static_cast<long>(reinterpret_cast<INT_PTR>(calledInterface));
    return S_OK;
}

HRESULT CAutomationObject::ObjectPointerMember(const void* calledInterface, long* pointer)
{
    if (!pointer)
        return E_INVALIDARG;
    *pointer = 0;
    if (!IsActive())
        return NotActiveError();
    return GetObjectPointer(calledInterface, pointer);
}

HRESULT CAutomationObject::IsSameAsMember(IDispatch* other, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = VARIANT_FALSE;
    if (!IsActive())
        return NotActiveError();
    *result = IsSameAs(other);
    return S_OK;
}

CAutomationObject* CAutomationObject::FromInterface(IUnknown* object, REFIID iid)
{
    if (!object)
        return nullptr;
    IUnknown* primary = nullptr;
    if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&primary))) || !primary)
        return nullptr;
    CAutomationObject* automation = FromPrimaryInterface(primary);
    primary->Release();
    return automation;
}

CAutomationObject* CAutomationObject::FromObjectPointer(long pointer)
{
    return FromPrimaryInterface(reinterpret_cast<const void*>(static_cast<INT_PTR>(pointer)));
}

CAutomationObject* CAutomationObject::FromPrimaryInterface(const void* primary)
{
    return dynamic_cast<CAutomationObject*>(LiveObjectRegistry::FromPrimaryInterface(primary));
}
