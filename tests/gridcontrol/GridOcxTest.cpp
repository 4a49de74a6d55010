// The registered control library: the grid created by class identifier
// from Tavelle.ocx, hosted and activated in place, and its state carried
// through a stream.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "FrameworkTestSupport.h"

#include <doctest/doctest.h>
#include <Tavelle.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace {

std::wstring OcxPath()
{
    return WindowsPathOf(HV_TAVELLE_OCX);
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

} // namespace

TEST_CASE("the registered library creates the grid by class identifier; it activates in place")
{
    REQUIRE(RunRegsvr32On(OcxPath(), L"/s") == 0);
    hv::container::ContainerWindow window(400, 300);
    ComPtr<IStream> stream;
    REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()) == S_OK);
    {
        hv::container::ControlHost host(window.Hwnd(), RECT{10, 10, 310, 210});
        REQUIRE(host.Create(CLSID_HvTavelle) == S_OK);
        ComPtr<IHvTavelleControl> control = host.Query<IHvTavelleControl>();
        REQUIRE(control);
        REQUIRE(host.Activate() == S_OK);
        ComPtr<IOleWindow> oleWindow = host.Query<IOleWindow>();
        HWND grid = nullptr;
        REQUIRE(oleWindow->GetWindow(&grid) == S_OK);
        CHECK(ClassName(grid) == L"HvTavelleWndClass");
        CHECK(GetParent(grid) == window.Hwnd());
        VARIANT tag;
        VariantInit(&tag);
        tag.vt = VT_I4;
        tag.lVal = 1234;
        CHECK(control->put_TagVariant(tag) == S_OK);
        ComPtr<IPersistStreamInit> persist = host.Query<IPersistStreamInit>();
        REQUIRE(persist->Save(stream.Get(), TRUE) == S_OK);
        CHECK(host.Close() == S_OK);
    }
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ComPtr<IPersistStreamInit> loaded;
    REQUIRE(CoCreateInstance(CLSID_HvTavelle, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStreamInit,
                             reinterpret_cast<void**>(loaded.GetAddressOf())) == S_OK);
    REQUIRE(loaded->Load(stream.Get()) == S_OK);
    ComPtr<IHvTavelleControl> control;
    REQUIRE(loaded.As(&control) == S_OK);
    VARIANT read;
    VariantInit(&read);
    REQUIRE(control->get_TagVariant(&read) == S_OK);
    // The tag is kept in streams in its text form.
    REQUIRE(VariantChangeType(&read, &read, 0, VT_I4) == S_OK);
    CHECK(read.lVal == 1234);
}

TEST_CASE("the registered grid's verbs and property pages bring its layout up to date first")
{
    REQUIRE(RunRegsvr32On(OcxPath(), L"/s") == 0);
    hv::container::ContainerWindow window(400, 300);
    hv::container::ControlHost host(window.Hwnd(), RECT{10, 10, 310, 210});
    REQUIRE(host.Create(CLSID_HvTavelle) == S_OK);
    REQUIRE(host.Activate() == S_OK);
    ComPtr<ISpecifyPropertyPages> pages = host.Query<ISpecifyPropertyPages>();
    REQUIRE(pages);
    CAUUID list{};
    REQUIRE(pages->GetPages(&list) == S_OK);
    CHECK(list.cElems == 6);
    CHECK(list.pElems != nullptr);
    CoTaskMemFree(list.pElems);
    // At run time the properties verb and the primary verb show nothing.
    ComPtr<IOleObject> object = host.Query<IOleObject>();
    RECT place{10, 10, 310, 210};
    CHECK(object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, window.Hwnd(), &place) == S_OK);
    CHECK(object->DoVerb(OLEIVERB_PRIMARY, nullptr, nullptr, 0, window.Hwnd(), &place) == S_OK);
    // Still in place: the verbs activated nothing else.
    HWND grid = nullptr;
    ComPtr<IOleWindow> oleWindow = host.Query<IOleWindow>();
    CHECK(oleWindow->GetWindow(&grid) == S_OK);
    CHECK(grid != nullptr);
    CHECK(host.Close() == S_OK);
}
