// Fixture of the control base tests: a test control made in this program
// and hosted by our container in a hidden window.
#pragma once

#include "ContainerWindow.h"
#include "ControlHost.h"
#include "TestControl.h"

#include <doctest/doctest.h>

#include <memory>

using Microsoft::WRL::ComPtr;

// Restores the test control settings and its object-info record when the
// test ends.
struct SettingsGuard {
    TestControlSettings saved = TestSettings();
    ControlObjectInfo record = GetControlObjectInfo();
    ~SettingsGuard()
    {
        TestSettings() = saved;
        GetControlObjectInfo() = record;
    }
};

struct HostedControl {
    explicit HostedControl(const hv::container::SiteOptions& options = {})
        : window(400, 300), host(window.Hwnd(), RECT{100, 50, 300, 150}, options)
    {
        IUnknown* made = TestControl::Create(nullptr);
        REQUIRE(made);
        REQUIRE(host.Attach(made) == S_OK);
        made->Release();
        control = TestControl::From(host.Control());
        REQUIRE(control);
    }

    template <class T>
    ComPtr<T> Query() const { return host.Query<T>(); }
    hv::container::CallLog& Log() const { return host.Log(); }

    SettingsGuard settings;
    hv::container::ContainerWindow window;
    hv::container::ControlHost host;
    TestControl* control = nullptr;   // held by the host
};
