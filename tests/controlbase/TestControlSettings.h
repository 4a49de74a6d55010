// The settings of a test control, read when one is made. A test in the
// control's own module sets them through TestSettings(); a test that loads
// the test control library reaches them through its export
// "HvTestControlSettings".
#pragma once

#include <windows.h>
#include <olectl.h>

// {5E2B7A31-8C4D-4F0E-A6B9-3D1C2E4F5A60}
inline constexpr CLSID kTestControlClsid =
    {0x5e2b7a31, 0x8c4d, 0x4f0e, {0xa6, 0xb9, 0x3d, 0x1c, 0x2e, 0x4f, 0x5a, 0x60}};

struct TestControlSettings {
    COLORREF paintColour = RGB(0x20, 0x80, 0xC0);
    BYTE state[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    bool windowless = false;
    bool reflector = false;
    bool stockSink = true;           // give the control a stock-event sink
    bool keyCodesAsObjects = true;   // how that sink passes key codes
    bool acceptExtent = true;
    HRESULT customVerbResult = OLEOBJ_S_INVALIDVERB;
    // With stubActivation, InPlaceActivate only answers inPlaceActivateResult.
    bool stubActivation = false;
    HRESULT inPlaceActivateResult = S_OK;
    // Answers of the window's life hooks.
    bool registerClass = true;
    bool beforeCreateWindow = true;
    bool afterCreateWindow = true;
    // Items of the state object that goes through a property bag (0: none,
    // so nothing is written).
    LONG stateItems = 1;
};

using TestControlSettingsFunction = TestControlSettings*(STDAPICALLTYPE*)();

// Methods of the test control's IDispatch, through which a container makes
// it fire events.
namespace TestDispid {
constexpr DISPID FireClick = 1;          // ()
constexpr DISPID FireKeyDown = 2;        // (short code, short shift) -> short code
constexpr DISPID FireKeyPress = 3;       // (short ascii) -> short ascii
constexpr DISPID FireMouseDown = 4;      // (short button, short shift, long x, long y)
constexpr DISPID PropertyChanged = 5;    // (long dispid)
constexpr DISPID InterfaceCalls = 6;     // () -> string: the interface log, entries joined by ";"
constexpr DISPID PaintColour = 7;        // () -> long: the colour the control paints
} // namespace TestDispid
