// The test control.
#include "TestControl.h"

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

HRESULT TestControl::OnDraw(DWORD, HDC dc, const RECTL* bounds, const RECTL*, HDC, BOOL)
{
    if (!dc || !bounds)
        return E_POINTER;
    HBRUSH brush = CreateSolidBrush(colour_);
    RECT area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    return S_OK;
}

HRESULT TestControl::InPlaceActivate(LONG verb)
{
    calls_.push_back(Call("InPlaceActivate", verb));
    return g_settings.inPlaceActivateResult;
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
