// The test control.
#include "TestControl.h"

#include "Module.h"
#include "ObjectInfo.h"

#include <new>

// {5E2B7A31-8C4D-4F0E-A6B9-3D1C2E4F5A60}
extern "C" const CLSID CLSID_HvTestControl = kTestControlClsid;

namespace {

TestControlSettings g_settings;
// A non-null marker for the record's reflector field.
int g_reflectorMarker;

std::string Call(const char* name, long argument)
{
    return std::string(name) + "(" + std::to_string(argument) + ")";
}

} // namespace

TestControlSettings& TestSettings()
{
    return g_settings;
}

void UseTestControlRecord(const CLSID* clsid, const char* name)
{
    ControlObjectInfo& record = GetControlObjectInfo();
    SetCreateFunction(ObjectType::HvTavelle, &TestControl::Create);
    record.windowless = g_settings.windowless ? 1 : 0;
    record.reflector = g_settings.reflector ? &g_reflectorMarker : nullptr;
    if (clsid)
        record.clsid = clsid;
    if (name)
        record.name = name;
}

// The control's event gate: every stock event enabled at first.
class TestControl::Gate final : public StockEventSink {
public:
    Gate(TestControl& owner, bool keyCodesAsObjects) : StockEventSink(0xFFFFFFFFu, keyCodesAsObjects), owner_(owner)
    {
    }
    CControlBase* GetOwner() override { return &owner_; }

private:
    TestControl& owner_;
};

IUnknown* TestControl::Create(IUnknown* outer)
{
    UseTestControlRecord();
    auto* control = new (std::nothrow) TestControl(outer);
    return control ? control->PrivateUnknown() : nullptr;
}

TestControl* TestControl::From(IUnknown* control)
{
    if (!control)
        return nullptr;
    void* found = nullptr;
    if (FAILED(control->QueryInterface(IID_IHvFrameworkControl, &found)) || !found)
        return nullptr;
    auto* base = static_cast<CControlEmbedding*>(found);
    base->CUnknownObject::Release();
    return static_cast<TestControl*>(base);
}

TestControl::TestControl(IUnknown* outer)
    : CControlBase(outer, ObjectType::HvTavelle, static_cast<IDispatch*>(this), StockEventMask::All),
      colour_(g_settings.paintColour)
{
    for (int i = 0; i < 8; ++i)
        state_[i] = g_settings.state[i];
    if (g_settings.stockSink) {
        sink_ = new Gate(*this, g_settings.keyCodesAsObjects);
        SetStockEventSink(sink_);
    }
    SetCurrentStateVersion(0x10000);
}

TestControl::~TestControl()
{
    SetStockEventSink(nullptr);
    delete sink_;
}

HRESULT TestControl::InternalQueryInterface(REFIID iid, void** out)
{
    return CControlBase::InternalQueryInterface(iid, out);
}

STDMETHODIMP TestControl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

STDMETHODIMP TestControl::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TestControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP TestControl::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT*)
{
    try {
        return FireFromInvoke(dispid, params, result);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// Arguments come last first, as IDispatch gives them.
HRESULT TestControl::FireFromInvoke(DISPID dispid, DISPPARAMS* params, VARIANT* result)
{
    const UINT count = params ? params->cArgs : 0;
    auto argument = [&](UINT index, VARTYPE type, VARIANT& value) {
        VariantInit(&value);
        return index < count &&
               SUCCEEDED(VariantChangeType(&value, &params->rgvarg[count - 1 - index], 0, type));
    };
    VARIANT a, b, c, d;
    switch (dispid) {
    case TestDispid::FireClick:
        Fire_Click();
        return S_OK;
    case TestDispid::FireKeyDown:
    case TestDispid::FireKeyPress: {
        if (!argument(0, VT_I2, a))
            return DISP_E_BADPARAMCOUNT;
        SHORT code = a.iVal;
        if (dispid == TestDispid::FireKeyDown)
            Fire_KeyDown(&code, argument(1, VT_I2, b) ? b.iVal : 0);
        else
            Fire_KeyPress(&code);
        if (result) {
            VariantInit(result);
            result->vt = VT_I2;
            result->iVal = code;
        }
        return S_OK;
    }
    case TestDispid::FireMouseDown:
        if (!argument(0, VT_I2, a) || !argument(1, VT_I2, b) || !argument(2, VT_I4, c) || !argument(3, VT_I4, d))
            return DISP_E_BADPARAMCOUNT;
        Fire_MouseDown(a.iVal, b.iVal, c.lVal, d.lVal);
        return S_OK;
    case TestDispid::InterfaceCalls: {
        std::wstring text;
        for (const std::string& call : interfaceCalls_) {
            if (!text.empty())
                text += L';';
            text.append(call.begin(), call.end());
        }
        if (result) {
            VariantInit(result);
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(text.c_str());
        }
        return S_OK;
    }
    case TestDispid::PaintColour:
        if (result) {
            VariantInit(result);
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(colour_);
        }
        return S_OK;
    case TestDispid::PropertyChanged:
        if (!argument(0, VT_I4, a))
            return DISP_E_BADPARAMCOUNT;
        PropertyChanged(a.lVal);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

void TestControl::AmbientPropertyChanged(DISPID dispid)
{
    calls_.push_back(Call("AmbientPropertyChanged", dispid));
}

HRESULT TestControl::DoCustomVerb(LONG verb)
{
    calls_.push_back(Call("DoCustomVerb", verb));
    return g_settings.customVerbResult;
}

BOOL TestControl::OnSetExtent(const SIZE& proposed)
{
    calls_.push_back("OnSetExtent(" + std::to_string(proposed.cx) + "," + std::to_string(proposed.cy) + ")");
    return g_settings.acceptExtent;
}

HRESULT TestControl::InitializeNewState()
{
    calls_.push_back("InitializeNewState");
    // A new control takes its look from the container's mode.
    IsDesignMode();
    return S_OK;
}

HRESULT TestControl::OnSetClientSite()
{
    calls_.push_back(ClientSite() ? "OnSetClientSite(site)" : "OnSetClientSite(null)");
    return S_OK;
}

HRESULT TestControl::OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL* windowBounds, HDC target,
                            BOOL optimize)
{
    if (!dc || !bounds)
        return E_POINTER;
    ++lastDraw_.count;
    lastDraw_.aspect = aspect;
    lastDraw_.bounds = *bounds;
    lastDraw_.windowBounds = windowBounds != nullptr;
    lastDraw_.target = target;
    lastDraw_.targetTechnology = target ? GetDeviceCaps(target, TECHNOLOGY) : -1;
    lastDraw_.optimize = optimize;
    lastDraw_.paintClip = PaintClipRect();
    HBRUSH brush = CreateSolidBrush(colour_);
    RECT area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    return S_OK;
}

HRESULT TestControl::OnQuickActivate(QACONTAINER*, DWORD* viewStatus)
{
    ++lastQuick_.count;
    lastQuick_.clientSite = ClientSite() != nullptr;
    lastQuick_.eventSinks = EventPoint().Count();
    lastQuick_.propertySinks = PropertyPoint().Count();
    lastQuick_.viewSink = m_viewAdviseSink != nullptr;
    lastQuick_.locale = LibraryLocale();
    lastQuick_.ambientFlags = AmbientFlags();
    lastQuick_.viewStatus = viewStatus ? *viewStatus : 0;
    return quickResult_;
}

HRESULT TestControl::OnSetData(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    BYTE bytes[8];
    ULONG read = 0;
    const HRESULT hr = stream->Read(bytes, sizeof bytes, &read);
    if (FAILED(hr))
        return hr;
    if (read != sizeof bytes)
        return E_FAIL;
    SetState(bytes);
    return S_OK;
}

HRESULT TestControl::InPlaceActivate(LONG verb)
{
    calls_.push_back(Call("InPlaceActivate", verb));
    if (g_settings.stubActivation)
        return g_settings.inPlaceActivateResult;
    return CControlBase::InPlaceActivate(verb);
}

void TestControl::SetModalState(bool modal)
{
    calls_.push_back(Call("SetModalState", modal ? 1 : 0));
    CControlBase::SetModalState(modal);
}

void TestControl::SimulateInPlaceActive(HWND window, IOleInPlaceSite* site, const RECT& position, bool windowless)
{
    m_position = position;
    m_window = window;
    m_state |= ControlState::InPlaceActive | ControlState::Shown;
    if (!site)
        return;
    if (windowless)
        site->QueryInterface(IID_IOleInPlaceSiteWindowless, reinterpret_cast<void**>(&m_windowlessSite));
    else
        site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&m_inPlaceSite));
}

void TestControl::EndSimulatedInPlace()
{
    m_state &= ~(ControlState::InPlaceActive | ControlState::Shown);
    m_window = nullptr;
    if (m_windowlessSite) {
        m_windowlessSite->Release();
        m_windowlessSite = nullptr;
    }
}

void TestControl::SetState(const BYTE* state)
{
    for (int i = 0; i < 8; ++i)
        state_[i] = state[i];
}

// --- Window -----------------------------------------------------------------

BOOL TestControl::RegisterClassData()
{
    calls_.push_back("RegisterClassData");
    if (!g_settings.registerClass)
        return FALSE;
    const ControlObjectInfo& record = ControlInfo();
    WNDCLASSW existing{};
    const HINSTANCE instance = ModuleInstance();
    if (::GetClassInfoW(instance, record.windowClassName, &existing))
        return TRUE;
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &CControlEmbedding::ControlWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.lpszClassName = record.windowClassName;
    return RegisterClassW(&windowClass) != 0;
}

BOOL TestControl::BeforeCreateWindow(DWORD*, DWORD*, wchar_t* title)
{
    calls_.push_back("BeforeCreateWindow");
    lstrcpynW(title, L"HvTestControl", 128);
    return g_settings.beforeCreateWindow;
}

BOOL TestControl::AfterCreateWindow()
{
    calls_.push_back("AfterCreateWindow");
    return g_settings.afterCreateWindow;
}

void TestControl::BeforeDestroyWindow()
{
    calls_.push_back("BeforeDestroyWindow");
}

// Mouse messages make the stock mouse events, key messages go through the
// key filter, everything else to the default handling.
LRESULT TestControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    messages_.push_back(message);
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
        FireStockEventsForMessage(message, wParam, lParam, TRUE);
        return 0;
    }
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
        DWORD handled = 0;
        const LRESULT result = ChildKeyFilterProc(this, message, &wParam, &lParam, &handled, nullptr, nullptr);
        if (handled == 0xFFFF)
            return result;
        return DefaultWindowProc(message, wParam, lParam);
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return OnDefaultMessage(message, wParam, lParam);
}

// --- Own state ------------------------------------------------------------------

namespace {

const wchar_t kColourEntry[] = L"Colour";
const wchar_t kStateEntry[] = L"State";

HRESULT ReadExactly(IStream* stream, void* data, ULONG size)
{
    ULONG read = 0;
    const HRESULT hr = stream->Read(data, size, &read);
    if (FAILED(hr))
        return hr;
    return read == size ? S_OK : E_FAIL;
}

} // namespace

// The state bytes as a persistable object of one item.
class TestControl::StateBlob final : public PersistableCollection {
public:
    explicit StateBlob(TestControl& owner) : owner_(owner) {}
    LONG ItemCount() override { return g_settings.stateItems; }
    HRESULT Save(IStream* stream, LONG) override
    {
        ULONG written = 0;
        return stream->Write(owner_.state_, sizeof(owner_.state_), &written);
    }
    HRESULT Load(IStream* stream, LONG) override
    {
        BYTE state[8];
        const HRESULT hr = ReadExactly(stream, state, sizeof(state));
        if (FAILED(hr))
            return hr;
        owner_.SetState(state);
        return S_OK;
    }

private:
    TestControl& owner_;
};

HRESULT TestControl::SaveBinaryState(IStream* stream)
{
    calls_.push_back("SaveBinaryState");
    ULONG written = 0;
    HRESULT hr = stream->Write(&colour_, sizeof(colour_), &written);
    if (SUCCEEDED(hr))
        hr = stream->Write(state_, sizeof(state_), &written);
    return hr;
}

// Nothing changes unless the whole state was read.
HRESULT TestControl::LoadBinaryState(IStream* stream)
{
    calls_.push_back("LoadBinaryState");
    COLORREF colour = 0;
    BYTE state[8];
    HRESULT hr = ReadExactly(stream, &colour, sizeof(colour));
    if (SUCCEEDED(hr))
        hr = ReadExactly(stream, state, sizeof(state));
    if (FAILED(hr))
        return hr;
    colour_ = colour;
    SetState(state);
    return S_OK;
}

HRESULT TestControl::SaveTextState(IPropertyBag* bag, BOOL)
{
    calls_.push_back("SaveTextState");
    VARIANT colour;
    VariantInit(&colour);
    colour.vt = VT_I4;
    colour.lVal = static_cast<LONG>(colour_);
    HRESULT hr = bag->Write(kColourEntry, &colour);
    if (FAILED(hr))
        return hr;
    StateBlob blob(*this);
    return SaveObjectToPropertyBag(blob, bag, kStateEntry, 0);
}

HRESULT TestControl::LoadTextState(IPropertyBag* bag, IErrorLog* log)
{
    calls_.push_back("LoadTextState");
    VARIANT colour;
    VariantInit(&colour);
    colour.vt = VT_I4;
    HRESULT hr = bag->Read(kColourEntry, &colour, log);
    if (FAILED(hr))
        return hr;
    StateBlob blob(*this);
    hr = LoadObjectFromPropertyBag(blob, bag, log, kStateEntry, 0);
    if (FAILED(hr))
        return hr;
    colour_ = static_cast<COLORREF>(colour.lVal);
    return S_OK;
}

// --- Interface log ------------------------------------------------------------------

HRESULT TestControl::Record(const std::string& call, HRESULT result)
{
    char text[16];
    if (SUCCEEDED(result))
        wsprintfA(text, "%ld", static_cast<long>(result));
    else
        wsprintfA(text, "0x%08lX", static_cast<unsigned long>(result));
    interfaceCalls_.push_back(call + "=" + text);
    return result;
}

STDMETHODIMP TestControl::SetClientSite(IOleClientSite* site)
{
    return Record(site ? "SetClientSite" : "SetClientSite(null)", CControlBase::SetClientSite(site));
}

STDMETHODIMP TestControl::Close(DWORD saveOption)
{
    return Record("Close", CControlBase::Close(saveOption));
}

STDMETHODIMP TestControl::DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                                 LPCRECT position)
{
    return Record(Call("DoVerb", verb), CControlBase::DoVerb(verb, message, activeSite, index, parent, position));
}

STDMETHODIMP TestControl::SetExtent(DWORD aspect, SIZEL* size)
{
    return Record("SetExtent", CControlBase::SetExtent(aspect, size));
}

STDMETHODIMP TestControl::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    return Record("SetObjectRects", CControlBase::SetObjectRects(position, clip));
}

STDMETHODIMP TestControl::InitNew()
{
    return Record("InitNew", CControlBase::InitNew());
}

STDMETHODIMP TestControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    return Record(sink ? "SetAdvise" : "SetAdvise(null)", CControlBase::SetAdvise(aspects, flags, sink));
}

STDMETHODIMP TestControl::QuickActivate(QACONTAINER* container, QACONTROL* control)
{
    return Record("QuickActivate", CControlBase::QuickActivate(container, control));
}
