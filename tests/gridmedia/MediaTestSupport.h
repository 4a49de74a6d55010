// Helpers of the grid media tests: the registered control library hosted by
// our container (with or without a bind host), waiting for downloads while
// messages flow, and small value makers.
#pragma once

#include "ContainerWindow.h"
#include "ControlHost.h"

#include <doctest/doctest.h>
#include <Tavelle.h>

#include <functional>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

// Registers Tavelle.ocx once per test program.
void RegisterControlLibrary();

// The grid made by class identifier from the registered library, hosted at
// place in its own container window and activated in place.
struct RegisteredGrid {
    explicit RegisteredGrid(bool bindHost, const RECT& place = RECT{10, 10, 310, 210});
    hv::container::SiteOptions Options(bool bindHost);

    hv::container::ContainerWindow window;
    hv::container::ControlHost host;
    ComPtr<IHvTavelleControl> control;
};

// Dispatches this thread's messages until done() or the time limit (a
// download from another thread ends at its own pace); done()'s last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000);

// "file:///C:/..." of a Windows path.
std::wstring FileUrl(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);

VARIANT Missing();
VARIANT Long(LONG value);
// A BSTR variant; the caller clears it.
VARIANT Text(const wchar_t* text);
std::wstring TextOf(BSTR text);

// The description of the thread's error object, "" when there is none.
std::wstring ErrorDescription();

// The keys of the grid's images in order.
std::vector<std::wstring> ImageKeys(IHvTavelleControl* control);
