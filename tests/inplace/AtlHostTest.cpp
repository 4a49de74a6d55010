// A container we did not write: the system's ATL host window ("AtlAxWin" of
// atl.dll, loaded at run time) creates the registered test control by its
// ProgID, activates it in place, and the control paints in it.
#include "ContainerWindow.h"
#include "RegisteredTestControl.h"
#include "ScreenPixels.h"

#include "AtlLibrary.h"

#include <doctest/doctest.h>

#include <string>

namespace {

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

VARIANT Get(IDispatch* control, DISPID dispid)
{
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    CHECK(control->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr) == S_OK);
    return result;
}

std::wstring CallsOf(IDispatch* control)
{
    VARIANT calls = Get(control, TestDispid::InterfaceCalls);
    std::wstring text = calls.vt == VT_BSTR && calls.bstrVal ? calls.bstrVal : L"";
    VariantClear(&calls);
    return L";" + text + L";";
}

bool Logged(const std::wstring& calls, const wchar_t* entry)
{
    return calls.find(std::wstring(L";") + entry + L";") != std::wstring::npos;
}

} // namespace

TEST_CASE("Wine's ATL host creates the test control by ProgID, activates it in place and it paints")
{
    RegisteredTestControl library;
    AtlLibrary atl;
    REQUIRE(atl.module);
    auto init = atl.Entry<AtlAxWinInitFunction>("AtlAxWinInit");
    auto getControl = atl.Entry<AtlAxGetControlFunction>("AtlAxGetControl");
    REQUIRE(static_cast<bool>(init));
    REQUIRE(static_cast<bool>(getControl));
    REQUIRE(init());

    hv::container::ContainerWindow window(400, 300);
    ShowWindow(window.Hwnd(), SW_SHOWNORMAL);
    HWND host = CreateWindowExW(0, L"AtlAxWin", L"HvTest.HvTestControl", WS_CHILD | WS_VISIBLE, 40, 30, 200, 100,
                                window.Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host);
    IUnknown* made = nullptr;
    REQUIRE(getControl(host, &made) == S_OK);
    REQUIRE(made);
    IDispatch* control = nullptr;
    REQUIRE(made->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&control)) == S_OK);
    made->Release();

    std::wstring calls = CallsOf(control);
    CAPTURE(calls);
    for (const wchar_t* entry : {L"SetClientSite=0", L"InitNew=0", L"SetExtent=0", L"DoVerb(-5)=0",
                                 L"SetObjectRects=0"}) {
        CAPTURE(std::wstring(entry));
        CHECK(Logged(calls, entry));
    }

    // The control window lives in the host window and shows its colour.
    HWND own = GetWindow(host, GW_CHILD);
    REQUIRE(own);
    RECT area{};
    GetClientRect(own, &area);
    CHECK(area.right > 0);
    CHECK(area.bottom > 0);
    RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    VARIANT colour = Get(control, TestDispid::PaintColour);
    POINT centre = {area.right / 2, area.bottom / 2};
    MapWindowPoints(own, window.Hwnd(), &centre, 1);
    ScreenPixels shot(window.Hwnd());
    CHECK(shot.At(centre.x, centre.y) == static_cast<COLORREF>(colour.lVal));

    // Destroying the host window closes the control.
    DestroyWindow(host);
    PumpMessages();
    calls = CallsOf(control);
    CHECK(Logged(calls, L"Close=0"));
    control->Release();
}
