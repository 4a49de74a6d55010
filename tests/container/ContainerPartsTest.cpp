// The container's parts on their own: ambient properties through the site's
// IDispatch, the site's interfaces as the options offer them, event
// arguments, and the property bag.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "PropertyBag.h"

#include <doctest/doctest.h>

#include <olectl.h>

#include <string>
#include <vector>

#include <urlmon.h>

using namespace hv::container;
using Microsoft::WRL::ComPtr;

namespace {

template <class T>
ComPtr<T> Adopt(T* pointer)
{
    ComPtr<T> holder;
    *holder.GetAddressOf() = pointer;
    return holder;
}

HRESULT ReadAmbient(IDispatch* dispatch, DISPID dispid, VARIANT& value)
{
    VariantInit(&value);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return dispatch->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
}

// An object with a Value property (DISPID 0), as a return-value object has.
class ValueObject final : public IDispatch {
public:
    explicit ValueObject(LONG value) : value_(value) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override
    {
        if (dispid != DISPID_VALUE)
            return DISP_E_MEMBERNOTFOUND;
        if (flags & DISPATCH_PROPERTYPUT) {
            VARIANT converted;
            VariantInit(&converted);
            if (params->cArgs != 1 || FAILED(VariantChangeType(&converted, &params->rgvarg[0], 0, VT_I4)))
                return DISP_E_TYPEMISMATCH;
            value_ = converted.lVal;
            return S_OK;
        }
        VariantInit(result);
        result->vt = VT_I4;
        result->lVal = value_;
        return S_OK;
    }
    LONG value_;
};

} // namespace

TEST_CASE("Ambient properties through the site: defaults, changes, removals and failures")
{
    ContainerWindow window(200, 100);
    ComPtr<ControlSite> site = Adopt(ControlSite::Create(window.Hwnd(), RECT{0, 0, 50, 50}, SiteOptions()));
    ComPtr<IDispatch> ambient;
    REQUIRE(site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(ambient.GetAddressOf())) == S_OK);

    VARIANT value;
    REQUIRE(ReadAmbient(ambient.Get(), DISPID_AMBIENT_USERMODE, value) == S_OK);
    CHECK(value.vt == VT_BOOL);
    CHECK(value.boolVal == VARIANT_TRUE);
    REQUIRE(ReadAmbient(ambient.Get(), DISPID_AMBIENT_LOCALEID, value) == S_OK);
    CHECK(value.lVal == static_cast<LONG>(GetUserDefaultLCID()));
    REQUIRE(ReadAmbient(ambient.Get(), DISPID_AMBIENT_MESSAGEREFLECT, value) == S_OK);
    CHECK(value.boolVal == VARIANT_TRUE);
    REQUIRE(ReadAmbient(ambient.Get(), DISPID_AMBIENT_SCALEUNITS, value) == S_OK);
    CHECK(std::wstring(value.bstrVal) == L"Twip");
    VariantClear(&value);
    REQUIRE(ReadAmbient(ambient.Get(), DISPID_AMBIENT_FONT, value) == S_OK);
    REQUIRE(value.vt == VT_DISPATCH);
    ComPtr<IFont> font;
    CHECK(value.pdispVal->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf())) == S_OK);
    VariantClear(&value);

    site->Ambients().SetBool(DISPID_AMBIENT_USERMODE, false);
    REQUIRE(ReadAmbient(ambient.Get(), DISPID_AMBIENT_USERMODE, value) == S_OK);
    CHECK(value.boolVal == VARIANT_FALSE);
    site->Ambients().SetFailure(DISPID_AMBIENT_USERMODE, E_ACCESSDENIED);
    CHECK(ReadAmbient(ambient.Get(), DISPID_AMBIENT_USERMODE, value) == E_ACCESSDENIED);
    site->Ambients().ClearFailure(DISPID_AMBIENT_USERMODE);
    CHECK(ReadAmbient(ambient.Get(), DISPID_AMBIENT_USERMODE, value) == S_OK);
    site->Ambients().Remove(DISPID_AMBIENT_LOCALEID);
    CHECK(ReadAmbient(ambient.Get(), DISPID_AMBIENT_LOCALEID, value) == DISP_E_MEMBERNOTFOUND);
    CHECK(ReadAmbient(ambient.Get(), 12345, value) == DISP_E_MEMBERNOTFOUND);
    CHECK(site->Ambients().ReadCount(DISPID_AMBIENT_USERMODE) == 4);
    CHECK(site->Log().Count(L"Ambient(-709)") == 4);

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"usermode")};
    DISPID dispid = 0;
    CHECK(ambient->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid) == S_OK);
    CHECK(dispid == DISPID_AMBIENT_USERMODE);
    names[0] = const_cast<LPOLESTR>(L"Nothing");
    CHECK(ambient->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid) == DISP_E_UNKNOWNNAME);
}

TEST_CASE("The site offers the in-place interfaces its options allow, and logs what it is asked")
{
    struct Case {
        bool ex;
        bool windowless;
    };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{true, true}}) {
        CAPTURE(c.ex);
        CAPTURE(c.windowless);
        SiteOptions options;
        options.offerInPlaceSiteEx = c.ex;
        options.offerWindowless = c.windowless;
        ComPtr<ControlSite> site = Adopt(ControlSite::Create(nullptr, RECT{}, options));
        ComPtr<IUnknown> answer;
        CHECK(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(answer.GetAddressOf())) == S_OK);
        CHECK((site->QueryInterface(IID_IOleInPlaceSiteEx, reinterpret_cast<void**>(answer.ReleaseAndGetAddressOf())) ==
               S_OK) == c.ex);
        CHECK((site->QueryInterface(IID_IOleInPlaceSiteWindowless,
                                    reinterpret_cast<void**>(answer.ReleaseAndGetAddressOf())) == S_OK) == c.windowless);
        CHECK(site->Log().Contains(c.windowless ? L"QueryInterface(IOleInPlaceSiteWindowless)"
                                                : L"QueryInterface(IOleInPlaceSiteWindowless) failed"));
    }
}

namespace {

// Records what a bind reports.
class RecordingCallback final : public IBindStatusCallback {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
    STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
    STDMETHODIMP OnProgress(ULONG, ULONG, ULONG status, LPCWSTR) override
    {
        statuses.push_back(status);
        return S_OK;
    }
    STDMETHODIMP OnStopBinding(HRESULT result, LPCWSTR) override
    {
        stopped = true;
        stopResult = result;
        return S_OK;
    }
    STDMETHODIMP GetBindInfo(DWORD* flags, BINDINFO*) override
    {
        *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE;
        return S_OK;
    }
    STDMETHODIMP OnDataAvailable(DWORD, DWORD size, FORMATETC*, STGMEDIUM*) override
    {
        bytes = size;
        return S_OK;
    }
    STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

    std::vector<ULONG> statuses;
    bool stopped = false;
    HRESULT stopResult = E_FAIL;
    DWORD bytes = 0;
};

} // namespace

TEST_CASE("A site with a bind host makes URL monikers and binds them through the caller's callback")
{
    SiteOptions plain;
    ComPtr<ControlSite> none = Adopt(ControlSite::Create(nullptr, RECT{}, plain));
    ComPtr<IUnknown> answer;
    CHECK(none->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(answer.GetAddressOf())) ==
          E_NOINTERFACE);
    CHECK(none->QueryInterface(IID_IBindHost, reinterpret_cast<void**>(answer.GetAddressOf())) == E_NOINTERFACE);

    // The file the bind fetches, named relative to the base URL.
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"hv_bindhost.txt";
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "twelve bytes", 12, &written, nullptr);
    CloseHandle(file);

    SiteOptions options;
    options.offerBindHost = true;
    options.bindHostBaseUrl = std::wstring(L"file:///") + folder;
    for (wchar_t& c : options.bindHostBaseUrl)
        c = c == L'\\' ? L'/' : c;
    ComPtr<ControlSite> site = Adopt(ControlSite::Create(nullptr, RECT{}, options));
    ComPtr<IServiceProvider> services;
    REQUIRE(site->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(services.GetAddressOf())) == S_OK);
    ComPtr<IBindHost> host;
    REQUIRE(services->QueryService(SID_SBindHost, IID_IBindHost, reinterpret_cast<void**>(host.GetAddressOf())) ==
            S_OK);
    ComPtr<IMoniker> moniker;
    REQUIRE(host->CreateMoniker(const_cast<LPOLESTR>(L"hv_bindhost.txt"), nullptr, moniker.GetAddressOf(), 0) ==
            S_OK);
    RecordingCallback callback;
    ComPtr<IStream> stream;
    const HRESULT bound = host->MonikerBindToStorage(moniker.Get(), nullptr, &callback, IID_IStream,
                                                     reinterpret_cast<void**>(stream.GetAddressOf()));
    CHECK(SUCCEEDED(bound));
    // A file finishes inside the bind.
    CHECK(callback.stopped);
    CHECK(callback.stopResult == S_OK);
    CHECK(callback.bytes == 12);
    CHECK(site->Log().Contains(L"QueryService(SID_SBindHost, IBindHost)"));
    CHECK(site->Log().Contains(L"CreateMoniker(hv_bindhost.txt) 00000000"));
    DeleteFileW(path.c_str());
}

TEST_CASE("The site gives its window context and frame, converts coordinates and reports a new place")
{
    ContainerWindow window(300, 200);
    ComPtr<ControlSite> site = Adopt(ControlSite::Create(window.Hwnd(), RECT{10, 20, 110, 70}, SiteOptions()));
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof info;
    REQUIRE(site->GetWindowContext(frame.GetAddressOf(), document.GetAddressOf(), &position, &clip, &info) == S_OK);
    CHECK(frame.Get() == site->Frame());
    CHECK(position.left == 10);
    CHECK(position.bottom == 70);
    CHECK(clip.right == 300);
    CHECK(info.hwndFrame == window.Hwnd());
    HWND frameWindow = nullptr;
    CHECK(frame->GetWindow(&frameWindow) == S_OK);
    CHECK(frameWindow == window.Hwnd());
    CHECK(frame->SetActiveObject(nullptr, nullptr) == S_OK);
    CHECK(frame->EnableModeless(FALSE) == S_OK);
    CHECK_FALSE(site->Frame()->Modeless());
    CHECK(site->Log().IndexOf(L"GetWindowContext") < site->Log().IndexOf(L"Frame::EnableModeless(FALSE)"));

    POINTL himetric = {2540, 1270};
    POINTF twips{};
    CHECK(site->TransformCoords(&himetric, &twips, XFORMCOORDS_HIMETRICTOCONTAINER | XFORMCOORDS_SIZE) == S_OK);
    CHECK(twips.x == doctest::Approx(1440.0));
    CHECK(twips.y == doctest::Approx(720.0));
    POINTL back{};
    CHECK(site->TransformCoords(&back, &twips, XFORMCOORDS_CONTAINERTOHIMETRIC | XFORMCOORDS_SIZE) == S_OK);
    CHECK(back.x == 2540);
    CHECK(back.y == 1270);

    RECT told{};
    site->onPosRectChange = [&](const RECT& place) { told = place; };
    RECT moved = {15, 25, 215, 125};
    CHECK(site->OnPosRectChange(&moved) == S_OK);
    CHECK(told.right == 215);
    CHECK(site->Position().bottom == 125);
}

TEST_CASE("Event arguments in declaration order, with by-reference values and objects writable")
{
    ComPtr<EventSink> sink = Adopt(EventSink::Create(IID_NULL));
    SHORT byRef = 5;
    ValueObject object(9);
    VARIANTARG args[3];
    // Declared (short* Code, IDispatch* Cancel, long Count): the last first.
    VariantInit(&args[2]);
    args[2].vt = VT_I2 | VT_BYREF;
    args[2].piVal = &byRef;
    VariantInit(&args[1]);
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = &object;
    VariantInit(&args[0]);
    args[0].vt = VT_I4;
    args[0].lVal = 77;
    DISPPARAMS params = {args, nullptr, 3, 0};

    int calls = 0;
    sink->On(1500, [&](const EventCall& call) {
        ++calls;
        CHECK(call.Count() == 3);
        CHECK(call.Short(0) == 5);
        CHECK(call.Long(1) == 9);
        CHECK(call.Long(2) == 77);
        CHECK(call.Object(1) == &object);
        CHECK(call.SetShort(0, -1));
        CHECK(call.SetLong(1, 0));
        CHECK_FALSE(call.SetLong(2, 1));   // passed by value
        CHECK(call.Arg(3) == nullptr);
    });
    int others = 0;
    sink->OnAny([&](const EventCall&) { ++others; });
    CHECK(sink->Invoke(1500, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr) == S_OK);
    CHECK(sink->Invoke(1501, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr) == S_OK);
    CHECK(calls == 1);
    CHECK(others == 1);
    CHECK(byRef == -1);
    CHECK(object.value_ == 0);
    CHECK(sink->Received() == std::vector<DISPID>{1500, 1501});

    // The sink answers the control's event interface besides IDispatch.
    const IID events = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    sink->SetEventIid(events);
    ComPtr<IDispatch> asEvents;
    CHECK(sink->QueryInterface(events, reinterpret_cast<void**>(asEvents.GetAddressOf())) == S_OK);
}

TEST_CASE("The property bag keeps what is written and converts what is read")
{
    ComPtr<PropertyBag> bag = Adopt(PropertyBag::Create());
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = 42;
    CHECK(bag->Write(L"Width", &value) == S_OK);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(L"Grade");
    CHECK(bag->Write(L"Caption", &value) == S_OK);
    VariantClear(&value);

    VARIANT read;
    VariantInit(&read);
    read.vt = VT_BSTR;
    CHECK(bag->Read(L"Width", &read, nullptr) == S_OK);
    CHECK(std::wstring(read.bstrVal) == L"42");
    VariantClear(&read);
    CHECK(bag->Read(L"Caption", &read, nullptr) == S_OK);
    CHECK(read.vt == VT_BSTR);
    VariantClear(&read);
    CHECK(bag->Read(L"Missing", &read, nullptr) == E_INVALIDARG);
    read.vt = VT_I4;
    CHECK(FAILED(bag->Read(L"Caption", &read, nullptr)));
    CHECK(bag->Size() == 2);
}
