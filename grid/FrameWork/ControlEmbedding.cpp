// The embedding layer of the control base: sites, IOleObject, IOleControl,
// class information, property pages, ambient properties and invalidation.
#include "ControlEmbedding.h"

#include "CriticalSectionLock.h"
#include "EnumObject.h"
#include "Module.h"
#include "ReleaseField.h"
#include "ResourceModule.h"
#include "TextHelpers.h"
#include "Units.h"

#include <Tavelle.h>

#include <new>
#include <vector>

// {6B0C8E52-3D0A-4C2B-9C55-0D7E4A9F1C21}
extern "C" const IID IID_IHvFrameworkControl =
    {0x6b0c8e52, 0x3d0a, 0x4c2b, {0x9c, 0x55, 0x0d, 0x7e, 0x4a, 0x9f, 0x1c, 0x21}};

namespace {

constexpr DISPID kAmbientUserMode = DISPID_AMBIENT_USERMODE;   // -709
constexpr DISPID kAmbientLocaleId = DISPID_AMBIENT_LOCALEID;   // -705
constexpr DISPID kAmbientFont = DISPID_AMBIENT_FONT;           // -703
constexpr UINT kPropertiesVerbString = 1000;                   // "Properties ..."

PropertyFrameFunction g_propertyFrame = &OleCreatePropertyFrame;
// Guarded by the global critical section.
LCID g_libraryLocale = 0;
bool g_localeRead = false;

// Verb names in the records are string-table identifiers; the copy handed
// out carries the loaded text in task memory.
HRESULT CopyVerbElement(void* destination, const void* source, ULONG)
{
    auto* out = static_cast<OLEVERB*>(destination);
    *out = *static_cast<const OLEVERB*>(source);
    if (out->lpszVerbName) {
        const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(out->lpszVerbName));
        out->lpszVerbName = LoadResourceStringWide(id, TextAsTaskMemory);
        if (!out->lpszVerbName)
            return E_OUTOFMEMORY;
    }
    return S_OK;
}

OLEVERB MakeVerb(LONG verb, UINT nameId, DWORD flags, DWORD attributes)
{
    OLEVERB record{};
    record.lVerb = verb;
    record.lpszVerbName = reinterpret_cast<LPOLESTR>(static_cast<UINT_PTR>(nameId));
    record.fuFlags = flags;
    record.grfAttribs = attributes;
    return record;
}

} // namespace

PropertyFrameFunction SetPropertyFrameFunction(PropertyFrameFunction function)
{
    PropertyFrameFunction previous = g_propertyFrame;
    g_propertyFrame = function ? function : &OleCreatePropertyFrame;
    return previous;
}

LCID LibraryLocale()
{
    CriticalSectionLock guard(GlobalCriticalSection());
    return g_libraryLocale;
}

void SetLibraryLocale(LCID locale)
{
    CriticalSectionLock guard(GlobalCriticalSection());
    g_libraryLocale = locale;
}

void SetLibraryLocaleFromContainer(LCID locale)
{
    CriticalSectionLock guard(GlobalCriticalSection());
    g_libraryLocale = locale;
    g_localeRead = true;
}

CControlEmbedding::CControlEmbedding(IUnknown* outer, int objectType, void* primaryInterface)
    : CAutomationObjectWithEvents(outer, objectType, primaryInterface)
{
    const ControlObjectInfo& info = ControlInfo();
    if (info.opaque)
        m_state |= ControlState::Opaque;
    if (info.windowless)
        m_state |= ControlState::WindowlessCapable;
}

CControlEmbedding::~CControlEmbedding()
{
    if (m_reflector) {
        HWND reflector = m_reflector;
        m_reflector = nullptr;
        SetWindowLongPtrW(reflector, GWLP_USERDATA, 0);
        DestroyWindow(reflector);
    }
    ReleaseField(m_clientSite);
    ReleaseField(m_controlSite);
    ReleaseField(m_inPlaceSite);
    ReleaseField(m_frame);
    ReleaseField(m_document);
    ReleaseField(m_simpleFrameSite);
    ReleaseField(m_adviseHolder);
    ReleaseField(m_viewAdviseSink);
    ReleaseField(m_ambientDispatch);
    ReleaseField(m_windowlessSite);
    if (m_accelerators)
        DestroyAcceleratorTable(m_accelerators);
}

HRESULT CControlEmbedding::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IOleObject))
        *out = static_cast<IOleObject*>(this);
    else if (IsEqualIID(iid, IID_IOleControl))
        *out = static_cast<IOleControl*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceObject) || IsEqualIID(iid, IID_IOleInPlaceObjectWindowless))
        *out = static_cast<IOleInPlaceObjectWindowless*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        *out = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2) ||
             IsEqualIID(iid, IID_IViewObjectEx))
        *out = static_cast<IViewObjectEx*>(this);
    else if (IsEqualIID(iid, IID_IPersistPropertyBag))
        *out = static_cast<IPersistPropertyBag*>(this);
    else if (IsEqualIID(iid, IID_IPersistStreamInit))
        *out = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStorage))
        *out = static_cast<IPersistStorage*>(this);
    else if (IsEqualIID(iid, IID_ISpecifyPropertyPages))
        *out = static_cast<ISpecifyPropertyPages*>(this);
    else if (IsEqualIID(iid, IID_IProvideClassInfo))
        *out = static_cast<IProvideClassInfo*>(this);
    else if (IsEqualIID(iid, IID_IPointerInactive))
        *out = static_cast<IPointerInactive*>(this);
    else if (IsEqualIID(iid, IID_IQuickActivate))
        *out = static_cast<IQuickActivate*>(this);
    else if (IsEqualIID(iid, IID_IHvFrameworkControl))
        *out = this;
    else
        return CAutomationObjectWithEvents::InternalQueryInterface(iid, out);
    CUnknownObject::AddRef();
    return S_OK;
}

void CControlEmbedding::OnFinalRelease()
{
    if (m_window) {
        HWND window = m_window;
        m_window = nullptr;
        DestroyWindow(window);
    }
}

HINSTANCE CControlEmbedding::GetResourceInstance()
{
    LCID locale = 0;
    {
        CriticalSectionLock guard(GlobalCriticalSection());
        if (!g_localeRead) {
            LONG ambient = 0;
            if (GetAmbientProperty(kAmbientLocaleId, VT_I4, &ambient)) {
                g_libraryLocale = static_cast<LCID>(ambient);
                g_localeRead = true;
            }
        }
        locale = g_libraryLocale;
    }
    return ::GetResourceInstance(locale);
}

void CControlEmbedding::SetDirty(bool dirty)
{
    if (dirty)
        m_state |= ControlState::Dirty;
    else
        m_state &= ~ControlState::Dirty;
}

// --- IOleObject ---------------------------------------------------------

STDMETHODIMP CControlEmbedding::SetClientSite(IOleClientSite* site)
{
    try {
        ReleaseField(m_clientSite);
        ReleaseField(m_controlSite);
        ReleaseField(m_simpleFrameSite);
        // The ambient dispatch belongs to the site it came from.
        ReleaseField(m_ambientDispatch);
        m_clientSite = site;
        if (!site) {
            ReleaseField(m_inPlaceSite);
            ReleaseField(m_windowlessSite);
        } else {
            site->AddRef();
            site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&m_controlSite));
            if (ControlInfo().miscStatus & OLEMISC_SIMPLEFRAME)
                site->QueryInterface(IID_ISimpleFrameSite, reinterpret_cast<void**>(&m_simpleFrameSite));
        }
        return OnSetClientSite();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::GetClientSite(IOleClientSite** site)
{
    if (!site)
        return E_POINTER;
    *site = m_clientSite;
    if (m_clientSite)
        m_clientSite->AddRef();
    return S_OK;
}

STDMETHODIMP CControlEmbedding::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }
STDMETHODIMP CControlEmbedding::SetColorScheme(LOGPALETTE*) { return S_OK; }
STDMETHODIMP CControlEmbedding::IsUpToDate() { return S_OK; }
STDMETHODIMP CControlEmbedding::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }
STDMETHODIMP CControlEmbedding::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }
STDMETHODIMP CControlEmbedding::Update() { return S_OK; }

STDMETHODIMP CControlEmbedding::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlEmbedding::GetClipboardData(DWORD, IDataObject** data)
{
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlEmbedding::Close(DWORD saveOption)
{
    try {
        if (m_state & ControlState::InPlaceActive) {
            const HRESULT hr = InPlaceDeactivate();
            if (FAILED(hr))
                return hr;
        }
        const bool saveAsked = saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE;
        // A container that has already taken its site away gets no save.
        if (saveAsked && IsDirtyState() && m_clientSite) {
            m_clientSite->SaveObject();
            if (m_adviseHolder)
                m_adviseHolder->SendOnSave();
        }
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT)
{
    try {
        switch (verb) {
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
        case OLEIVERB_SHOW:
            return InPlaceActivate(verb);
        case OLEIVERB_HIDE:
            UIDeactivate();
            if (m_state & ControlState::Shown)
                ShowControlWindow(false);
            return S_OK;
        case OLEIVERB_PROPERTIES:
        case OLEIVERB_PRIMARY:
        case 1:
            return ShowPropertyPages();
        default:
            break;
        }
        if (verb < 0)
            return E_NOTIMPL;
        const HRESULT hr = DoCustomVerb(verb);
        if (hr != OLEOBJ_S_INVALIDVERB)
            return hr;
        const HRESULT activated = InPlaceActivate(OLEIVERB_PRIMARY);
        return FAILED(activated) ? activated : OLEOBJ_S_INVALIDVERB;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT CControlEmbedding::ShowPropertyPages()
{
    if (!IsDesignMode())
        return S_OK;
    if (m_controlSite) {
        const HRESULT hr = m_controlSite->ShowPropertyFrame();
        if (hr != E_NOTIMPL)
            return hr;
    }
    const ControlObjectInfo& info = ControlInfo();
    wchar_t* caption = AnsiToWideString(info.name, TextAsTaskMemory);
    std::vector<CLSID> pages;
    pages.reserve(info.propertyPageCount);
    for (WORD i = 0; i < info.propertyPageCount; ++i)
        pages.push_back(*info.propertyPages[i]);

    SetModalState(true);
    HRESULT hr;
    {
        CriticalSectionLock guard(GlobalCriticalSection());
        IUnknown* object = static_cast<IOleObject*>(this);
        hr = g_propertyFrame(GetActiveWindow(), GetSystemMetrics(SM_CXSCREEN) / 2,
                             GetSystemMetrics(SM_CYSCREEN) / 2, caption, 1, &object,
                             static_cast<ULONG>(pages.size()), pages.empty() ? nullptr : pages.data(),
                             g_libraryLocale, 0, nullptr);
    }
    SetModalState(false);
    CoTaskMemFree(caption);
    return hr;
}

STDMETHODIMP CControlEmbedding::EnumVerbs(IEnumOLEVERB** verbs)
{
    if (!verbs)
        return E_POINTER;
    *verbs = nullptr;
    try {
        const ControlObjectInfo& info = ControlInfo();
        std::vector<OLEVERB> list;
        const bool invisible = (info.miscStatus & OLEMISC_INVISIBLEATRUNTIME) &&
                               !(info.miscStatus & OLEMISC_ACTIVATEWHENVISIBLE);
        if (!invisible) {
            for (LONG verb : {OLEIVERB_SHOW, OLEIVERB_HIDE, OLEIVERB_INPLACEACTIVATE, OLEIVERB_PRIMARY})
                list.push_back(MakeVerb(verb, 0, 0, 0));
        }
        if (!(info.miscStatus & OLEMISC_NOUIACTIVATE))
            list.push_back(MakeVerb(OLEIVERB_UIACTIVATE, 0, 0, 0));
        if (info.propertyPageCount)
            list.push_back(MakeVerb(1, kPropertiesVerbString, 0, OLEVERBATTRIB_ONCONTAINERMENU));
        for (WORD i = 0; i < info.customVerbCount; ++i) {
            const CustomVerb& custom = info.customVerbs[i];
            list.push_back(MakeVerb(custom.verb, custom.nameStringId, custom.flags, custom.attributes));
        }
        if (list.empty())
            return OLEOBJ_E_NOVERBS;

        EnumElementArray elements(static_cast<ULONG>(list.size()), sizeof(OLEVERB), nullptr);
        if (!elements.Data())
            return E_OUTOFMEMORY;
        for (ULONG i = 0; i < elements.Count(); ++i)
            *static_cast<OLEVERB*>(elements.At(i)) = list[i];
        const HRESULT hr = CEnumObject::Create(IID_IEnumOLEVERB, std::move(elements), &CopyVerbElement, nullptr,
                                               reinterpret_cast<void**>(verbs));
        if (FAILED(hr))
            return hr;
        // The resource module is chosen before the names are read.
        GetResourceInstance();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::GetUserClassID(CLSID* clsid)
{
    return GetClassID(clsid);
}

STDMETHODIMP CControlEmbedding::GetUserType(DWORD, LPOLESTR* userType)
{
    if (!userType)
        return E_POINTER;
    *userType = AnsiToWideString(ControlInfo().name, TextAsTaskMemory);
    return *userType ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CControlEmbedding::SetExtent(DWORD aspect, SIZEL* size)
{
    if (!(aspect & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    // A container that answers a size change by setting the size again (from
    // OnPosRectChange) must not start another round.
    if (m_ambient & AmbientState::InSetExtent)
        return S_OK;
    m_ambient |= AmbientState::InSetExtent;
    bool accepted = false;
    bool changed = false;
    try {
        SIZE proposed{};
        HimetricToPixels(SIZE{size->cx, size->cy}, proposed);
        accepted = OnSetExtent(proposed) != FALSE;
        if (accepted) {
            changed = proposed.cx != m_extent.cx || proposed.cy != m_extent.cy;
            m_extent = proposed;
        }
        if (changed)
            SetDirty(true);
        const bool active = (m_state & ControlState::InPlaceActive) != 0;
        if (!active && !m_windowlessSite) {
            if (m_window)
                SetWindowPos(m_window, nullptr, 0, 0, m_extent.cx, m_extent.cy,
                             SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
            else
                ViewChanged();
        } else if (active && (m_window || m_windowlessSite)) {
            RECT rectangle = {m_position.left, m_position.top, m_position.left + m_extent.cx,
                              m_position.top + m_extent.cy};
            IOleInPlaceSite* site = m_windowlessSite ? m_windowlessSite : m_inPlaceSite;
            if (site)
                site->OnPosRectChange(&rectangle);
        }
    } catch (...) {
        m_ambient &= ~AmbientState::InSetExtent;
        return E_UNEXPECTED;
    }
    m_ambient &= ~AmbientState::InSetExtent;
    if (!accepted)
        return E_FAIL;
    if (changed)
        SendOnDataChange(0);
    return S_OK;
}

STDMETHODIMP CControlEmbedding::GetExtent(DWORD aspect, SIZEL* size)
{
    if (!(aspect & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    SIZE himetric{};
    PixelsToHimetric(m_extent, himetric);
    size->cx = himetric.cx;
    size->cy = himetric.cy;
    return S_OK;
}

STDMETHODIMP CControlEmbedding::Advise(IAdviseSink* sink, DWORD* cookie)
{
    if (!m_adviseHolder) {
        const HRESULT hr = CreateOleAdviseHolder(&m_adviseHolder);
        if (FAILED(hr))
            return hr;
    }
    return m_adviseHolder->Advise(sink, cookie);
}

STDMETHODIMP CControlEmbedding::Unadvise(DWORD cookie)
{
    // Nothing was ever advised, so no cookie can be valid.
    if (!m_adviseHolder)
        return OLE_E_NOCONNECTION;
    return m_adviseHolder->Unadvise(cookie);
}

STDMETHODIMP CControlEmbedding::EnumAdvise(IEnumSTATDATA** advises)
{
    if (!advises)
        return E_POINTER;
    if (!m_adviseHolder) {
        *advises = nullptr;
        return E_FAIL;
    }
    return m_adviseHolder->EnumAdvise(advises);
}

STDMETHODIMP CControlEmbedding::GetMiscStatus(DWORD aspect, DWORD* status)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!status)
        return E_POINTER;
    *status = ControlInfo().miscStatus;
    return S_OK;
}

// --- IOleControl --------------------------------------------------------

STDMETHODIMP CControlEmbedding::GetControlInfo(CONTROLINFO* info)
{
    if (!info)
        return E_POINTER;
    info->hAccel = m_accelerators;
    info->cAccel = m_acceleratorCount;
    info->dwFlags = 0;
    return S_OK;
}

bool CControlEmbedding::SetControlAccelerators(const ACCEL* accelerators, int count)
{
    HACCEL table = nullptr;
    if (accelerators && count > 0) {
        table = CreateAcceleratorTableW(const_cast<ACCEL*>(accelerators), count);
        if (!table)
            return false;
    }
    if (m_accelerators)
        DestroyAcceleratorTable(m_accelerators);
    m_accelerators = table;
    m_acceleratorCount = table ? static_cast<USHORT>(count) : 0;
    return true;
}

STDMETHODIMP CControlEmbedding::OnMnemonic(MSG*) { return E_NOTIMPL; }

STDMETHODIMP CControlEmbedding::OnAmbientPropertyChange(DISPID dispid)
{
    try {
        if (dispid == kAmbientUserMode || dispid == DISPID_UNKNOWN)
            m_ambient &= ~AmbientState::UserModeCached;
        if (dispid == kAmbientLocaleId || dispid == DISPID_UNKNOWN) {
            CriticalSectionLock guard(GlobalCriticalSection());
            g_localeRead = false;
        }
        AmbientPropertyChanged(dispid);
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::FreezeEvents(BOOL freeze)
{
    m_freezeEvents += freeze ? 1 : -1;
    return S_OK;
}

// --- IProvideClassInfo, ISpecifyPropertyPages ---------------------------

STDMETHODIMP CControlEmbedding::GetClassInfo(ITypeInfo** typeInfo)
{
    if (!typeInfo)
        return E_POINTER;
    *typeInfo = nullptr;
    const ControlObjectInfo& info = ControlInfo();
    if (!info.clsid)
        return E_FAIL;
    CriticalSectionLock guard(GlobalCriticalSection());
    ITypeLib* library = nullptr;
    HRESULT hr = LoadRegTypeLib(LIBID_Tavelle, static_cast<WORD>(info.versionMajor),
                                static_cast<WORD>(info.versionMinor), g_libraryLocale, &library);
    if (FAILED(hr))
        return hr;
    hr = library->GetTypeInfoOfGuid(*info.clsid, typeInfo);
    library->Release();
    return hr;
}

STDMETHODIMP CControlEmbedding::GetPages(CAUUID* pages)
{
    if (!pages)
        return E_POINTER;
    const ControlObjectInfo& info = ControlInfo();
    pages->cElems = info.propertyPageCount;
    pages->pElems = nullptr;
    if (info.propertyPageCount == 0)
        return S_OK;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID) * info.propertyPageCount));
    if (!pages->pElems) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    for (WORD i = 0; i < info.propertyPageCount; ++i)
        pages->pElems[i] = *info.propertyPages[i];
    return S_OK;
}

// --- Ambient properties -------------------------------------------------

bool CControlEmbedding::InvokeAmbient(DISPID dispid, VARIANT& result)
{
    if (!m_ambientDispatch) {
        if (!m_clientSite ||
            FAILED(m_clientSite->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_ambientDispatch))) ||
            !m_ambientDispatch) {
            m_ambientDispatch = nullptr;
            return false;
        }
    }
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return SUCCEEDED(m_ambientDispatch->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result,
                                               nullptr, nullptr));
}

bool CControlEmbedding::GetAmbientProperty(DISPID dispid, VARTYPE type, void* value)
{
    if (!value)
        return false;
    switch (type) {
    case VT_BOOL: case VT_I2: case VT_I4: case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN:
        break;
    default:
        return false;
    }
    VARIANT result;
    VariantInit(&result);
    if (!InvokeAmbient(dispid, result))
        return false;
    if (FAILED(VariantChangeType(&result, &result, 0, type))) {
        VariantClear(&result);
        return false;
    }
    // Strings and interfaces pass to the caller without a copy.
    switch (type) {
    case VT_BOOL: *static_cast<VARIANT_BOOL*>(value) = result.boolVal; break;
    case VT_I2: *static_cast<SHORT*>(value) = result.iVal; break;
    case VT_I4: *static_cast<LONG*>(value) = result.lVal; break;
    case VT_BSTR: *static_cast<BSTR*>(value) = result.bstrVal; break;
    case VT_DISPATCH: *static_cast<IDispatch**>(value) = result.pdispVal; break;
    case VT_UNKNOWN: *static_cast<IUnknown**>(value) = result.punkVal; break;
    default: break;
    }
    return true;
}

bool CControlEmbedding::GetAmbientFont(IFont** font)
{
    if (!font)
        return false;
    *font = nullptr;
    IDispatch* dispatch = nullptr;
    if (!GetAmbientProperty(kAmbientFont, VT_DISPATCH, &dispatch) || !dispatch)
        return false;
    dispatch->QueryInterface(IID_IFont, reinterpret_cast<void**>(font));
    dispatch->Release();
    return *font != nullptr;
}

bool CControlEmbedding::IsDesignMode()
{
    if (!(m_ambient & AmbientState::UserModeCached)) {
        VARIANT_BOOL userMode = VARIANT_TRUE;
        // An unreadable UserMode counts as run mode, and is asked again.
        if (!GetAmbientProperty(kAmbientUserMode, VT_BOOL, &userMode))
            return false;
        if (userMode & 1)
            m_ambient |= AmbientState::UserMode;
        else
            m_ambient &= ~AmbientState::UserMode;
        m_ambient |= AmbientState::UserModeCached;
    }
    return (m_ambient & AmbientState::UserMode) == 0;
}

// --- Invalidation and window state --------------------------------------

void CControlEmbedding::ViewChanged()
{
    if (!m_viewAdviseSink)
        return;
    m_viewAdviseSink->OnViewChange(DVASPECT_CONTENT, -1);
    if (m_ambient & AmbientState::AdviseOnlyOnce)
        SetAdvise(DVASPECT_CONTENT, 0, nullptr);
}

void CControlEmbedding::InvalidateControl(const RECT* rectangle)
{
    if (m_state & ControlState::InPlaceActive)
        InvalidateControlRect(rectangle, TRUE);
    else
        ViewChanged();
}

BOOL CControlEmbedding::InvalidateControlRect(const RECT* rectangle, BOOL erase)
{
    if (m_windowlessSite)
        return m_windowlessSite->InvalidateRect(rectangle, erase) == S_OK;
    if ((m_state & ControlState::InPlaceActive) && m_window)
        return ::InvalidateRect(m_window, rectangle, erase);
    ViewChanged();
    return TRUE;
}

bool CControlEmbedding::HasNoWindow() const
{
    return !(m_state & ControlState::InPlaceActive) || m_windowlessSite;
}

void CControlEmbedding::GetControlRect(RECT* rectangle) const
{
    if (!rectangle)
        return;
    if (HasNoWindow())
        *rectangle = m_position;
    else
        GetWindowRect(m_window, rectangle);
}

void CControlEmbedding::ShowControlWindow(bool show)
{
    if (show)
        m_state |= ControlState::Shown;
    else
        m_state &= ~ControlState::Shown;
    if (!m_window)
        return;
    const bool visible = (GetWindowLongW(m_window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != show)
        ShowWindow(m_reflector ? m_reflector : m_window, show ? SW_SHOWNA : SW_HIDE);
}

SHORT CControlEmbedding::GetModifierKeyState()
{
    SHORT state = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        state |= 1;
    if (GetKeyState(VK_CONTROL) < 0)
        state |= 2;
    if (GetKeyState(VK_MENU) < 0)
        state |= 4;
    return state;
}

BOOL CControlEmbedding::OnGetRect(DWORD aspect, RECTL* rectangle)
{
    if (aspect != DVASPECT_CONTENT || !rectangle)
        return FALSE;
    *rectangle = RECTL{m_position.left, m_position.top, m_position.right, m_position.bottom};
    return TRUE;
}

LRESULT CControlEmbedding::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultWindowProc(message, wParam, lParam);
}

LRESULT CControlEmbedding::DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_windowlessSite) {
        LRESULT result = 0;
        m_windowlessSite->OnDefWindowMessage(message, wParam, lParam, &result);
        return result;
    }
    return m_window ? DefWindowProcW(m_window, message, wParam, lParam) : 0;
}

// --- Class of the persisted object ----------------------------------------

STDMETHODIMP CControlEmbedding::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    const CLSID* own = ControlInfo().clsid;
    *clsid = own ? *own : CLSID_NULL;
    return own ? S_OK : E_FAIL;
}
