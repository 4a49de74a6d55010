// The control base as a container sees it: QueryInterface, verbs, extent,
// misc status, closing, ambient properties and the event freeze.
#include "ControlBaseTestSupport.h"

#include "ControlEmbedding.h"
#include "Units.h"

#include <Tavelle.h>

#include <string>
#include <vector>

namespace {

constexpr DISPID kUserMode = DISPID_AMBIENT_USERMODE;
constexpr DISPID kLocaleId = DISPID_AMBIENT_LOCALEID;

struct FrameCall {
    int calls = 0;
    std::wstring caption;
    ULONG objects = 0;
    ULONG pages = 0;
};
FrameCall g_frame;

HRESULT STDAPICALLTYPE FakePropertyFrame(HWND, UINT, UINT, LPCOLESTR caption, ULONG objects, LPUNKNOWN*,
                                         ULONG pages, LPCLSID, LCID, DWORD, LPVOID)
{
    ++g_frame.calls;
    g_frame.caption = caption ? caption : L"";
    g_frame.objects = objects;
    g_frame.pages = pages;
    return S_OK;
}

struct FrameGuard {
    PropertyFrameFunction previous = SetPropertyFrameFunction(&FakePropertyFrame);
    FrameGuard() { g_frame = FrameCall(); }
    ~FrameGuard() { SetPropertyFrameFunction(previous); }
};

template <class T, class U>
bool SamePointer(const ComPtr<T>& a, const ComPtr<U>& b)
{
    return a && b && static_cast<void*>(a.Get()) == static_cast<void*>(b.Get());
}

std::vector<OLEVERB> ReadVerbs(IOleObject* object)
{
    std::vector<OLEVERB> verbs;
    ComPtr<IEnumOLEVERB> list;
    REQUIRE(object->EnumVerbs(list.GetAddressOf()) == S_OK);
    OLEVERB verb{};
    ULONG fetched = 0;
    while (list->Next(1, &verb, &fetched) == S_OK && fetched == 1)
        verbs.push_back(verb);
    return verbs;
}

} // namespace

TEST_CASE("QueryInterface answers the embedding interfaces with their aliases")
{
    HostedControl hosted;
    auto inPlace = hosted.Query<IOleInPlaceObject>();
    CHECK(SamePointer(inPlace, hosted.Query<IOleInPlaceObjectWindowless>()));
    auto window = hosted.Query<IOleWindow>();
    CHECK(SamePointer(window, hosted.Query<IOleInPlaceActiveObject>()));
    CHECK_FALSE(SamePointer(window, inPlace));
    auto view = hosted.Query<IViewObject>();
    CHECK(SamePointer(view, hosted.Query<IViewObject2>()));
    CHECK(SamePointer(view, hosted.Query<IViewObjectEx>()));
    CHECK(SamePointer(hosted.Query<IPersist>(), hosted.Query<IPersistStorage>()));
    for (const IID* iid : {&IID_IOleObject, &IID_IOleControl, &IID_IPersistPropertyBag, &IID_IPersistStreamInit,
                           &IID_ISpecifyPropertyPages, &IID_IProvideClassInfo, &IID_IPointerInactive,
                           &IID_IQuickActivate, &IID_IPropertyNotifySink, &IID_IPerPropertyBrowsing,
                           &IID_ICategorizeProperties, &IID_IDataObject, &IID_IConnectionPointContainer,
                           &IID_IDispatch}) {
        ComPtr<IUnknown> answered;
        CHECK(hosted.host.Control()->QueryInterface(*iid, reinterpret_cast<void**>(answered.GetAddressOf())) == S_OK);
        CHECK(answered);
    }
    // The private identifiers: the control's IDispatch, and the object itself.
    ComPtr<IDispatch> privateDispatch;
    CHECK(hosted.host.Control()->QueryInterface(IID_IHvPrivateObject,
                                                reinterpret_cast<void**>(privateDispatch.GetAddressOf())) == S_OK);
    CHECK(SamePointer(privateDispatch, hosted.Query<IDispatch>()));
    CHECK(TestControl::From(hosted.Query<IViewObject>().Get()) == hosted.control);

    void* none = reinterpret_cast<void*>(1);
    CHECK(hosted.host.Control()->QueryInterface(IID_IOleInPlaceSite, &none) == E_NOINTERFACE);
    CHECK(none == nullptr);
}

TEST_CASE("EnumVerbs lists the in-place verbs, Properties and the custom verbs with their names")
{
    HostedControl hosted;
    std::vector<OLEVERB> verbs = ReadVerbs(hosted.host.OleObject());
    struct Expected {
        LONG verb;
        const wchar_t* name;
        DWORD attributes;
    };
    const Expected expected[] = {{-1, nullptr, 0}, {-3, nullptr, 0}, {-5, nullptr, 0}, {0, nullptr, 0},
                                 {-4, nullptr, 0}, {1, L"Properties ...", 2},
                                 {10, L"Retrieve Structure", 3}, {11, L"Reset Layout", 2}};
    REQUIRE(verbs.size() == std::size(expected));
    for (size_t i = 0; i < verbs.size(); ++i) {
        CAPTURE(i);
        CHECK(verbs[i].lVerb == expected[i].verb);
        CHECK(verbs[i].grfAttribs == expected[i].attributes);
        CHECK(verbs[i].fuFlags == 0);
        if (expected[i].name) {
            REQUIRE(verbs[i].lpszVerbName);
            CHECK(std::wstring(verbs[i].lpszVerbName) == expected[i].name);
        } else {
            CHECK(verbs[i].lpszVerbName == nullptr);
        }
        CoTaskMemFree(verbs[i].lpszVerbName);
    }
}

TEST_CASE("EnumVerbs follows the misc status and answers OLEOBJ_E_NOVERBS when nothing is left")
{
    HostedControl hosted;
    ControlObjectInfo& record = GetControlObjectInfo();
    record.miscStatus = OLEMISC_INVISIBLEATRUNTIME | OLEMISC_NOUIACTIVATE;
    std::vector<OLEVERB> verbs = ReadVerbs(hosted.host.OleObject());
    REQUIRE(verbs.size() == 3);
    CHECK(verbs[0].lVerb == 1);
    for (OLEVERB& verb : verbs)
        CoTaskMemFree(verb.lpszVerbName);

    record.propertyPageCount = 0;
    record.customVerbCount = 0;
    ComPtr<IEnumOLEVERB> none;
    CHECK(hosted.host.OleObject()->EnumVerbs(none.GetAddressOf()) == OLEOBJ_E_NOVERBS);
    CHECK_FALSE(none);
}

TEST_CASE("DoVerb by verb, in run mode")
{
    HostedControl hosted;
    FrameGuard frame;
    TestSettings().stubActivation = true;
    IOleObject* object = hosted.host.OleObject();
    struct Case {
        LONG verb;
        HRESULT result;
        const char* call;   // the control's virtual operation, or null
    };
    const Case cases[] = {
        {OLEIVERB_PROPERTIES, S_OK, nullptr}, {OLEIVERB_PRIMARY, S_OK, nullptr}, {1, S_OK, nullptr},
        {OLEIVERB_OPEN, E_NOTIMPL, nullptr}, {OLEIVERB_DISCARDUNDOSTATE, E_NOTIMPL, nullptr},
        {-8, E_NOTIMPL, nullptr}, {OLEIVERB_HIDE, S_OK, nullptr},
        {OLEIVERB_INPLACEACTIVATE, S_OK, "InPlaceActivate(-5)"}, {OLEIVERB_UIACTIVATE, S_OK, "InPlaceActivate(-4)"},
        {OLEIVERB_SHOW, S_OK, "InPlaceActivate(-1)"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.verb);
        hosted.control->ClearCalls();
        CHECK(object->DoVerb(c.verb, nullptr, &hosted.host.Site(), 0, hosted.window.Hwnd(), nullptr) == c.result);
        if (c.call) {
            REQUIRE(hosted.control->Calls().size() == 1);
            CHECK(hosted.control->Calls()[0] == c.call);
        } else {
            CHECK(hosted.control->Calls().empty());
        }
    }
    CHECK_FALSE(hosted.Log().Contains(L"ShowPropertyFrame"));
    CHECK(g_frame.calls == 0);
}

TEST_CASE("DoVerb of the property verbs in design mode asks the site first, then shows the frame")
{
    SettingsGuard guard;
    hv::container::SiteOptions options;
    options.showPropertyFrame = S_OK;
    HostedControl hosted(options);
    FrameGuard frame;
    hosted.host.Ambients().SetBool(kUserMode, false);
    hosted.host.AmbientChanged(kUserMode);
    IOleObject* object = hosted.host.OleObject();

    for (LONG verb : {OLEIVERB_PROPERTIES, OLEIVERB_PRIMARY, 1L}) {
        CAPTURE(verb);
        hosted.Log().Clear();
        CHECK(object->DoVerb(verb, nullptr, &hosted.host.Site(), 0, hosted.window.Hwnd(), nullptr) == S_OK);
        CHECK(hosted.Log().Count(L"ShowPropertyFrame") == 1);
    }
    CHECK(g_frame.calls == 0);

    hosted.host.Site().Options().showPropertyFrame = E_FAIL;
    CHECK(object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, nullptr, nullptr) == E_FAIL);
    CHECK(g_frame.calls == 0);

    hosted.host.Site().Options().showPropertyFrame = E_NOTIMPL;
    hosted.control->ClearCalls();
    CHECK(object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, nullptr, nullptr) == S_OK);
    CHECK(g_frame.calls == 1);
    CHECK(g_frame.caption == L"HvTavelle");
    CHECK(g_frame.objects == 1);
    CHECK(g_frame.pages == 6);
    CHECK(hosted.control->Calls() == std::vector<std::string>{"SetModalState(1)", "SetModalState(0)"});
}

TEST_CASE("DoVerb of a custom verb: the control's answer, or activation for a verb it does not know")
{
    SettingsGuard guard;
    HostedControl hosted;
    IOleObject* object = hosted.host.OleObject();
    TestSettings().stubActivation = true;

    TestSettings().customVerbResult = S_OK;
    CHECK(object->DoVerb(10, nullptr, nullptr, 0, nullptr, nullptr) == S_OK);
    CHECK(hosted.control->Calls().back() == "DoCustomVerb(10)");

    TestSettings().customVerbResult = OLEOBJ_S_INVALIDVERB;
    hosted.control->ClearCalls();
    CHECK(object->DoVerb(12, nullptr, nullptr, 0, nullptr, nullptr) == OLEOBJ_S_INVALIDVERB);
    CHECK(hosted.control->Calls() == std::vector<std::string>{"DoCustomVerb(12)", "InPlaceActivate(0)"});

    TestSettings().inPlaceActivateResult = E_FAIL;
    CHECK(object->DoVerb(12, nullptr, nullptr, 0, nullptr, nullptr) == E_FAIL);
}

TEST_CASE("Aspects of GetMiscStatus and GetExtent, and the extent of a new control")
{
    HostedControl hosted;
    IOleObject* object = hosted.host.OleObject();
    DWORD status = 0;
    CHECK(object->GetMiscStatus(DVASPECT_CONTENT, &status) == S_OK);
    CHECK(status == 0x28191);
    CHECK(object->GetMiscStatus(DVASPECT_CONTENT | DVASPECT_THUMBNAIL, &status) == DV_E_DVASPECT);
    CHECK(object->GetMiscStatus(DVASPECT_ICON, &status) == DV_E_DVASPECT);

    SIZEL extent{};
    CHECK(object->GetExtent(DVASPECT_CONTENT | DVASPECT_THUMBNAIL, &extent) == S_OK);
    CHECK(extent.cx == PixelsToHimetricX(100));
    CHECK(extent.cy == PixelsToHimetricY(50));
    CHECK(extent.cx > 2600);   // 100 pixels are more than an inch at any usual resolution
    CHECK(object->GetExtent(DVASPECT_THUMBNAIL, &extent) == DV_E_DVASPECT);
    CHECK(object->SetExtent(DVASPECT_ICON, &extent) == DV_E_DVASPECT);
}

TEST_CASE("SetExtent: an accepted change makes the control dirty and sends one OnDataChange")
{
    SettingsGuard guard;
    HostedControl hosted;
    IOleObject* object = hosted.host.OleObject();
    auto data = hosted.Query<IDataObject>();
    FORMATETC format = {0, nullptr, DVASPECT_CONTENT, -1, TYMED_NULL};
    DWORD cookie = 0;
    REQUIRE(data->DAdvise(&format, ADVF_NODATA, &hosted.host.Site(), &cookie) == S_OK);
    hosted.control->SetDirty(false);

    SIZEL size = {PixelsToHimetricX(240), PixelsToHimetricY(120)};
    CHECK(object->SetExtent(DVASPECT_CONTENT, &size) == S_OK);
    CHECK(hosted.control->ExtentPixels().cx == 240);
    CHECK(hosted.control->ExtentPixels().cy == 120);
    CHECK(hosted.control->IsDirtyState());
    CHECK(hosted.host.Site().DataChanges() == 1);

    hosted.control->SetDirty(false);
    CHECK(object->SetExtent(DVASPECT_CONTENT, &size) == S_OK);
    CHECK_FALSE(hosted.control->IsDirtyState());
    CHECK(hosted.host.Site().DataChanges() == 1);

    TestSettings().acceptExtent = false;
    SIZEL other = {PixelsToHimetricX(50), PixelsToHimetricY(50)};
    CHECK(object->SetExtent(DVASPECT_CONTENT, &other) == E_FAIL);
    CHECK(hosted.control->ExtentPixels().cx == 240);
    CHECK(hosted.host.Site().DataChanges() == 1);
    CHECK(data->DUnadvise(cookie) == S_OK);
}

TEST_CASE("SetExtent re-entered from the site's OnPosRectChange changes nothing")
{
    HostedControl hosted;
    IOleObject* object = hosted.host.OleObject();
    hosted.control->SimulateInPlaceActive(hosted.window.Hwnd(), &hosted.host.Site(), RECT{100, 50, 300, 150}, false);
    HRESULT inner = E_UNEXPECTED;
    RECT told{};
    hosted.host.Site().onPosRectChange = [&](const RECT& position) {
        told = position;
        SIZEL again = {PixelsToHimetricX(10), PixelsToHimetricY(10)};
        inner = object->SetExtent(DVASPECT_CONTENT, &again);
    };
    hosted.control->ClearCalls();
    SIZEL size = {PixelsToHimetricX(150), PixelsToHimetricY(80)};
    CHECK(object->SetExtent(DVASPECT_CONTENT, &size) == S_OK);
    CHECK(inner == S_OK);
    CHECK(told.left == 100);
    CHECK(told.top == 50);
    CHECK(told.right == 250);
    CHECK(told.bottom == 130);
    CHECK(hosted.control->ExtentPixels().cx == 150);
    CHECK(hosted.control->ExtentPixels().cy == 80);
    CHECK(hosted.control->Calls().size() == 1);   // one OnSetExtent

    // The guard is down again afterwards.
    hosted.host.Site().onPosRectChange = nullptr;
    SIZEL later = {PixelsToHimetricX(60), PixelsToHimetricY(40)};
    CHECK(object->SetExtent(DVASPECT_CONTENT, &later) == S_OK);
    CHECK(hosted.control->ExtentPixels().cx == 60);
    hosted.control->EndSimulatedInPlace();
}

TEST_CASE("OnAmbientPropertyChange(-1) makes the next design-mode and locale reads ask again")
{
    HostedControl hosted;
    auto control = hosted.Query<IOleControl>();
    hv::container::AmbientProperties& ambients = hosted.host.Ambients();

    hosted.control->IsDesignMode();
    const int userModeReads = ambients.ReadCount(kUserMode);
    CHECK(userModeReads >= 1);
    CHECK_FALSE(hosted.control->IsDesignMode());
    CHECK(ambients.ReadCount(kUserMode) == userModeReads);   // cached

    hosted.control->GetResourceInstance();
    const int localeReads = ambients.ReadCount(kLocaleId);
    hosted.control->GetResourceInstance();
    CHECK(ambients.ReadCount(kLocaleId) == localeReads);     // read once

    ambients.SetBool(kUserMode, false);
    CHECK(control->OnAmbientPropertyChange(DISPID_UNKNOWN) == S_OK);
    CHECK(hosted.control->Calls().back() == "AmbientPropertyChanged(-1)");
    CHECK(hosted.control->IsDesignMode());
    CHECK(ambients.ReadCount(kUserMode) == userModeReads + 1);
    hosted.control->GetResourceInstance();
    CHECK(ambients.ReadCount(kLocaleId) == localeReads + 1);

    // A change of another ambient keeps both caches.
    CHECK(control->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR) == S_OK);
    hosted.control->IsDesignMode();
    hosted.control->GetResourceInstance();
    CHECK(ambients.ReadCount(kUserMode) == userModeReads + 1);
    CHECK(ambients.ReadCount(kLocaleId) == localeReads + 1);
}

TEST_CASE("Ambient reads: failures, unsupported types, the font and the locale")
{
    HostedControl hosted;
    hv::container::AmbientProperties& ambients = hosted.host.Ambients();
    hosted.host.AmbientChanged(DISPID_UNKNOWN);

    // An unreadable UserMode counts as run mode and is asked again next time.
    ambients.SetFailure(kUserMode, E_FAIL);
    const int before = ambients.ReadCount(kUserMode);
    CHECK_FALSE(hosted.control->IsDesignMode());
    CHECK_FALSE(hosted.control->IsDesignMode());
    CHECK(ambients.ReadCount(kUserMode) == before + 2);

    double real = 0;
    const int reads = ambients.ReadCount(DISPID_AMBIENT_SCALEUNITS);
    CHECK_FALSE(hosted.control->GetAmbientProperty(DISPID_AMBIENT_SCALEUNITS, VT_R8, &real));
    CHECK(ambients.ReadCount(DISPID_AMBIENT_SCALEUNITS) == reads);
    BSTR units = nullptr;
    CHECK(hosted.control->GetAmbientProperty(DISPID_AMBIENT_SCALEUNITS, VT_BSTR, &units));
    CHECK(std::wstring(units) == L"Twip");
    SysFreeString(units);
    LONG number = 0;
    CHECK_FALSE(hosted.control->GetAmbientProperty(DISPID_AMBIENT_SCALEUNITS, VT_I4, &number));
    ambients.Remove(DISPID_AMBIENT_MESSAGEREFLECT);
    VARIANT_BOOL reflect = VARIANT_TRUE;
    CHECK_FALSE(hosted.control->GetAmbientProperty(DISPID_AMBIENT_MESSAGEREFLECT, VT_BOOL, &reflect));

    IFont* font = nullptr;
    CHECK(hosted.control->GetAmbientFont(&font));
    REQUIRE(font);
    font->Release();

    ambients.SetLong(kLocaleId, 0x0416);
    hosted.host.AmbientChanged(kLocaleId);
    hosted.control->GetResourceInstance();
    CHECK(LibraryLocale() == 0x0416);
}

TEST_CASE("FreezeEvents counts: TRUE twice and FALSE once leave events frozen")
{
    HostedControl hosted;
    CHECK(CanFireEvents(hosted.control));
    CHECK(hosted.host.FreezeEvents(true) == S_OK);
    CHECK(hosted.host.FreezeEvents(true) == S_OK);
    CHECK(hosted.host.FreezeEvents(false) == S_OK);
    CHECK(hosted.control->FreezeCount() == 1);
    CHECK_FALSE(CanFireEvents(hosted.control));
    CHECK(hosted.host.FreezeEvents(false) == S_OK);
    CHECK(CanFireEvents(hosted.control));
    // Unbalanced unfreezing goes below zero and needs as many freezes back.
    CHECK(hosted.host.FreezeEvents(false) == S_OK);
    CHECK(hosted.host.FreezeEvents(true) == S_OK);
    CHECK(CanFireEvents(hosted.control));
}

TEST_CASE("Close saves a dirty control through its site only while it has one")
{
    HostedControl hosted;
    IOleObject* object = hosted.host.OleObject();
    hosted.control->SetDirty(true);
    hosted.Log().Clear();
    CHECK(object->Close(OLECLOSE_NOSAVE) == S_OK);
    CHECK_FALSE(hosted.Log().Contains(L"SaveObject"));
    CHECK(object->Close(OLECLOSE_SAVEIFDIRTY) == S_OK);
    CHECK(hosted.Log().Count(L"SaveObject") == 1);
    CHECK(hosted.Log().IndexOf(L"SaveObject") < hosted.Log().IndexOf(L"OnSave"));
    CHECK(object->Close(OLECLOSE_PROMPTSAVE) == S_OK);
    CHECK(hosted.Log().Count(L"SaveObject") == 2);

    hosted.control->SetDirty(false);
    CHECK(object->Close(OLECLOSE_SAVEIFDIRTY) == S_OK);
    CHECK(hosted.Log().Count(L"SaveObject") == 2);

    // The container took the site away first: nothing to save through.
    hosted.control->SetDirty(true);
    ComPtr<IOleObject> keep = hosted.host.OleObject();
    REQUIRE(keep->SetClientSite(nullptr) == S_OK);
    CHECK(keep->Close(OLECLOSE_SAVEIFDIRTY) == S_OK);
    CHECK(hosted.Log().Count(L"SaveObject") == 2);
}

TEST_CASE("The OLE advise family: Unadvise and EnumAdvise before any Advise")
{
    SettingsGuard guard;
    IUnknown* made = TestControl::Create(nullptr);
    ComPtr<IOleObject> object;
    REQUIRE(made->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(object.GetAddressOf())) == S_OK);
    made->Release();
    CHECK(object->Unadvise(1) == OLE_E_NOCONNECTION);
    IEnumSTATDATA* list = reinterpret_cast<IEnumSTATDATA*>(1);
    CHECK(object->EnumAdvise(&list) == E_FAIL);
    CHECK(list == nullptr);

    hv::container::ContainerWindow window(100, 100);
    hv::container::ControlHost host(window.Hwnd(), RECT{0, 0, 50, 50});
    REQUIRE(host.Attach(object.Get()) == S_OK);   // advises the site
    ComPtr<IEnumSTATDATA> advises;
    CHECK(object->EnumAdvise(advises.GetAddressOf()) == S_OK);
    CHECK(object->Unadvise(12345) != S_OK);
}

TEST_CASE("Sites, user type, class, pages, control info and class information")
{
    HostedControl hosted;
    IOleObject* object = hosted.host.OleObject();
    CHECK(hosted.Log().Contains(L"QueryInterface(IOleControlSite)"));
    CHECK(hosted.control->ControlSite() != nullptr);
    ComPtr<IOleClientSite> site;
    CHECK(object->GetClientSite(site.GetAddressOf()) == S_OK);
    CHECK(site.Get() == static_cast<IOleClientSite*>(&hosted.host.Site()));

    LPOLESTR userType = nullptr;
    CHECK(object->GetUserType(USERCLASSTYPE_FULL, &userType) == S_OK);
    CHECK(std::wstring(userType) == L"HvTavelle");
    CoTaskMemFree(userType);
    CLSID clsid{};
    CHECK(object->GetUserClassID(&clsid) == S_OK);
    CHECK(IsEqualCLSID(clsid, CLSID_HvTavelle));

    CAUUID pages{};
    CHECK(hosted.Query<ISpecifyPropertyPages>()->GetPages(&pages) == S_OK);
    REQUIRE(pages.cElems == 6);
    CHECK(IsEqualGUID(pages.pElems[0], CLSID_HvPropertyPageGeneral));
    CoTaskMemFree(pages.pElems);

    CONTROLINFO info{};
    info.cb = sizeof info;
    info.cAccel = 7;
    info.dwFlags = 3;
    CHECK(hosted.Query<IOleControl>()->GetControlInfo(&info) == S_OK);
    CHECK(info.cb == sizeof info);
    CHECK(info.hAccel == nullptr);
    CHECK(info.cAccel == 0);
    CHECK(info.dwFlags == 0);

    // One accelerator table at a time, the same on every call until replaced.
    ACCEL keys[] = {{FALT | FVIRTKEY, 'G', 1}, {FALT | FVIRTKEY, 'R', 2}};
    REQUIRE(hosted.control->SetControlAccelerators(keys, 2));
    CONTROLINFO first{}, second{};
    hosted.Query<IOleControl>()->GetControlInfo(&first);
    hosted.Query<IOleControl>()->GetControlInfo(&second);
    CHECK(first.hAccel != nullptr);
    CHECK(first.hAccel == second.hAccel);
    CHECK(first.cAccel == 2);
    REQUIRE(hosted.control->SetControlAccelerators(keys, 1));
    hosted.Query<IOleControl>()->GetControlInfo(&second);
    CHECK(second.cAccel == 1);
    CHECK(CopyAcceleratorTableW(second.hAccel, nullptr, 0) == 1);
    REQUIRE(hosted.control->SetControlAccelerators(nullptr, 0));
    hosted.Query<IOleControl>()->GetControlInfo(&second);
    CHECK(second.hAccel == nullptr);

    // Class information comes from the registered type library.
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    ComPtr<ITypeLib> library;
    REQUIRE(LoadTypeLibEx(path, REGKIND_NONE, library.GetAddressOf()) == S_OK);
    REQUIRE(RegisterTypeLib(library.Get(), path, nullptr) == S_OK);
    ComPtr<ITypeInfo> classInfo;
    const HRESULT found = hosted.Query<IProvideClassInfo>()->GetClassInfo(classInfo.GetAddressOf());
    UnRegisterTypeLib(LIBID_Tavelle, 1, 0, 0, SYS_WIN32);
    REQUIRE(found == S_OK);
    TYPEATTR* attributes = nullptr;
    REQUIRE(classInfo->GetTypeAttr(&attributes) == S_OK);
    CHECK(attributes->typekind == TKIND_COCLASS);
    CHECK(IsEqualGUID(attributes->guid, CLSID_HvTavelle));
    classInfo->ReleaseTypeAttr(attributes);

    // Without a site every site goes.
    CHECK(object->SetClientSite(nullptr) == S_OK);
    CHECK(hosted.control->ClientSite() == nullptr);
    CHECK(hosted.control->ControlSite() == nullptr);
    CHECK(hosted.control->Calls().back() == "OnSetClientSite(null)");
}

TEST_CASE("Invalidation without a window tells the view advise sink; property changes reach the site")
{
    HostedControl hosted;
    auto view = hosted.Query<IViewObject>();
    const int before = hosted.host.Site().ViewChanges();
    hosted.control->InvalidateControl(nullptr);
    CHECK(hosted.host.Site().ViewChanges() == before + 1);

    REQUIRE(view->SetAdvise(DVASPECT_CONTENT, ADVF_ONLYONCE, &hosted.host.Site()) == S_OK);
    hosted.control->InvalidateControl(nullptr);
    hosted.control->InvalidateControl(nullptr);
    CHECK(hosted.host.Site().ViewChanges() == before + 2);

    hosted.control->PropertyChanged(1234);
    REQUIRE(hosted.host.Site().ChangedProperties().size() == 1);
    CHECK(hosted.host.Site().ChangedProperties()[0] == 1234);
}
