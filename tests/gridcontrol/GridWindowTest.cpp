// The grid control activated in place in a real window: its window class
// and style, painting, the private messages and the timers.
#include "GridControlFixture.h"

#include "EventEnableMask.h"
#include "HvLayout.h"
#include "Module.h"

#include <string>

namespace {

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

} // namespace

TEST_CASE("activated in place, the grid has its own window of class HvTavelleWndClass")
{
    HostedGrid hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    HWND window = hosted.grid->ControlWindow();
    REQUIRE(window);
    CHECK(IsWindow(window));
    CHECK(ClassName(window) == L"HvTavelleWndClass");
    CHECK(GetParent(window) == hosted.window.Hwnd());
    CHECK((GetWindowLongPtrW(window, GWL_STYLE) & WS_CLIPCHILDREN) != 0);
    CHECK(GetPropW(window, L"TV_Win") == static_cast<HANDLE>(static_cast<CControlBase*>(hosted.grid)));
    WNDCLASSW windowClass = {};
    REQUIRE(GetClassInfoW(ModuleInstance(), L"HvTavelleWndClass", &windowClass));
    CHECK(windowClass.style == (CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    CHECK(windowClass.hbrBackground == reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));

    // Painting goes through the layout's root element.
    ShowWindow(hosted.window.Hwnd(), SW_SHOW);
    UpdateWindow(window);
    PumpGridMessages();
    CHECK((hosted.grid->ViewFlags() & HvTavelle::ViewFirstPaintPending) == 0);
    CHECK(hosted.grid->GetRootElement(false) != nullptr);
    // The grid paints its whole area itself.
    HDC dc = GetDC(window);
    CHECK(SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 1);
    ReleaseDC(window, dc);

    CHECK(hosted.host.Close() == S_OK);
}

TEST_CASE("printing and metafiles paint through a bitmap the size of the control")
{
    HostedGrid hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    ComPtr<IViewObject> view = hosted.Query<IViewObject>();
    REQUIRE(view);
    HDC metafile = CreateMetaFileW(nullptr);
    REQUIRE(metafile);
    REQUIRE(GetDeviceCaps(metafile, TECHNOLOGY) == DT_METAFILE);
    const RECTL bounds = {0, 0, 600, 400};
    CHECK(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, metafile, &bounds, nullptr, nullptr, 0) ==
          S_OK);
    HMETAFILE picture = CloseMetaFile(metafile);
    REQUIRE(picture);
    // The picture holds the control's bitmap, stretched into the bounds.
    const UINT size = GetMetaFileBitsEx(picture, 0, nullptr);
    CHECK(size > 10000);
    DeleteMetaFile(picture);
    hosted.host.Close();
}

TEST_CASE("a posted message reaches PostMessageReceived with its data; another sender's lParam is left alone")
{
    HostedGrid hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    HWND window = hosted.grid->ControlWindow();
    std::vector<std::pair<LONG, VARTYPE>> received;
    hosted.host.Events().On(1062, [&](const hv::container::EventCall& call) {
        received.emplace_back(call.Long(0), call.Type(1));
    });
    hosted.host.Events().ClearReceived();
    CHECK(SendMessageW(window, HvTavelle::MsgPostMessage, 7, 0) == 0);

    // A message of the same number from elsewhere: its lParam is not the
    // control's to free, and carries no data for the event.
    VARIANT foreign[2];
    VariantInit(&foreign[0]);
    VariantInit(&foreign[1]);
    foreign[0].vt = VT_BSTR;
    foreign[0].bstrVal = SysAllocString(L"dados");
    CHECK(SendMessageW(window, HvTavelle::MsgPostMessage, 8, reinterpret_cast<LPARAM>(foreign)) == 0);
    CHECK(foreign[0].vt == VT_BSTR);
    CHECK(std::wstring(foreign[0].bstrVal) == L"dados");
    VariantClear(&foreign[0]);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"dados");
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I4;
    number.lVal = 5;
    CHECK(hosted.grid->PostMessage(9, text, number) == S_OK);
    VariantClear(&text);
    MSG message;
    while (PeekMessageW(&message, window, HvTavelle::MsgPostMessage, HvTavelle::MsgPostMessage, PM_REMOVE))
        DispatchMessageW(&message);
    REQUIRE(received.size() == 3);
    CHECK(received[0].first == 7);
    CHECK(received[0].second == VT_ERROR);
    CHECK(received[1].first == 8);
    CHECK(received[1].second == VT_ERROR);
    CHECK(received[2].first == 9);
    CHECK(received[2].second == VT_BSTR);

    // Data posted but never delivered goes with the control.
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"left");
    CHECK(hosted.grid->PostMessage(10, text, number) == S_OK);
    VariantClear(&text);
    hosted.host.Close();
}

TEST_CASE("the layout is built once, by message 1475, raising InitializeLayout")
{
    HostedGrid hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    HWND window = hosted.grid->ControlWindow();
    hosted.host.Events().ClearReceived();
    CHECK_FALSE(hosted.grid->IsLayoutBuilt());
    CHECK(SendMessageW(window, HvTavelle::MsgBuildLayout, 0, 0) == 0);
    CHECK(hosted.grid->IsLayoutBuilt());
    CHECK(hosted.host.Events().ReceivedCount(1056) == 1);
    CHECK(SendMessageW(window, HvTavelle::MsgBuildLayout, 0, 0) == 0);
    CHECK(hosted.host.Events().ReceivedCount(1056) == 1);
    hosted.host.Close();
}

TEST_CASE("while events are frozen the layout build waits on timer 1475")
{
    HostedGrid hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    HWND window = hosted.grid->ControlWindow();
    REQUIRE(hosted.host.FreezeEvents(true) == S_OK);
    CHECK(SendMessageW(window, HvTavelle::MsgBuildLayout, 0, 0) == 0);
    CHECK_FALSE(hosted.grid->IsLayoutBuilt());
    REQUIRE(hosted.host.FreezeEvents(false) == S_OK);
    // The retry timer's expiry sends the message again.
    SendMessageW(window, WM_TIMER, HvTavelle::BuildLayoutTimer, 0);
    CHECK(hosted.grid->IsLayoutBuilt());
    hosted.host.Close();
}

TEST_CASE("automatic scrolling stops at the first tick that finds the mouse button up")
{
    HostedGrid hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    HvTavelle* grid = hosted.grid;
    grid->StartRowAutoScrollTimer(50);
    grid->StartColAutoScrollTimer(50);
    CHECK(grid->RowTimer() == HvTavelle::RowScrollTimer);
    CHECK(grid->ColTimer() == HvTavelle::ColScrollTimer);
    // No button is held here: the tick stops its own direction only.
    grid->AutoScrollTick(true, true, 50);
    CHECK(grid->RowTimer() == 0);
    CHECK(grid->ColTimer() == HvTavelle::ColScrollTimer);
    grid->DisarmAutoScroll();
    CHECK(grid->ColTimer() == 0);
    CHECK((grid->ViewFlags() & HvTavelle::ViewAutoScrollArmed) == 0);
    hosted.host.Close();
}

TEST_CASE("key pre-translation: Tab, paging, arrows and F2 go to the grid; Home and End do not")
{
    HostedGrid hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    ComPtr<IOleInPlaceActiveObject> active = hosted.Query<IOleInPlaceActiveObject>();
    REQUIRE(active);
    for (WPARAM key : {WPARAM{VK_HOME}, WPARAM{VK_END}}) {
        MSG message = {hosted.grid->ControlWindow(), WM_KEYDOWN, key, 0, 0, {}};
        CHECK(active->TranslateAccelerator(&message) != S_OK);
    }
    hosted.host.Close();
}
