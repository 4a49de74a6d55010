// Fixture of the grid control tests: the control made by class identifier
// through the library's class factory and hosted by our container.
#pragma once

#include "ContainerWindow.h"
#include "ControlHost.h"
#include "HvTavelle.h"

#include <doctest/doctest.h>
#include <Tavelle.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

// Defined with the control object; referring to it links the control in.
extern "C" int HvTavelleClassLinked;

// An interface by its identifier (for interfaces without __uuidof).
template <class T>
ComPtr<T> QueryIid(IUnknown* object, REFIID iid)
{
    ComPtr<T> result;
    if (object)
        object->QueryInterface(iid, reinterpret_cast<void**>(result.GetAddressOf()));
    return result;
}

// The control made through the class factory of entry 0, with one
// reference on its non-delegating unknown.
inline ComPtr<IUnknown> CreateGridByClsid()
{
    REQUIRE(HvTavelleClassLinked == 1);
    ComPtr<IClassFactory> factory;
    REQUIRE(DllGetClassObject(CLSID_HvTavelle, IID_IClassFactory,
                              reinterpret_cast<void**>(factory.GetAddressOf())) == S_OK);
    ComPtr<IUnknown> made;
    REQUIRE(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(made.GetAddressOf())) == S_OK);
    return made;
}

struct HostedGrid {
    explicit HostedGrid(const hv::container::SiteOptions& options = {})
        : window(400, 300), host(window.Hwnd(), RECT{10, 10, 310, 210}, options)
    {
        ComPtr<IUnknown> made = CreateGridByClsid();
        REQUIRE(host.Attach(made.Get()) == S_OK);
        grid = HvTavelle::FromUnknown(host.Control());
        REQUIRE(grid);
    }

    template <class T>
    ComPtr<T> Query() const { return host.Query<T>(); }
    hv::container::CallLog& Log() const { return host.Log(); }

    hv::container::ContainerWindow window;
    hv::container::ControlHost host;
    HvTavelle* grid = nullptr;   // held by the host
};

// Answers the grid's message boxes in place of the user and records them.
struct ScriptedMessageBox {
    static inline int answer = IDNO;
    static inline std::vector<std::wstring> texts;
    static int Show(HWND, const wchar_t* text, const wchar_t*, UINT)
    {
        texts.emplace_back(text ? text : L"");
        return answer;
    }
    explicit ScriptedMessageBox(int reply) : previous(HvTavelle::SetMessageBoxFunction(&Show))
    {
        answer = reply;
        texts.clear();
    }
    ~ScriptedMessageBox() { HvTavelle::SetMessageBoxFunction(previous); }
    HvTavelle::MessageBoxFunction previous;
};

// Dispatches every message waiting for this thread (paints included).
inline void PumpGridMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
