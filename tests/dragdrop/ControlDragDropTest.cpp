// OLE drag and drop of a hosted control: drop-target registration, the
// drop mode and its persistence, and whole drags played between two
// controls with a stand-in for the system's drag loop.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "DragDropEvents.h"
#include "DragDropTestSupport.h"
#include "DragTestControl.h"
#include "HvDataObject.h"
#include "PropertyBag.h"

#include <Tavelle.h>

#include <string>
#include <vector>

using hv::container::EventCall;

namespace {

struct HostedDragControl {
    explicit HostedDragControl(bool userMode = true, const RECT& place = RECT{10, 10, 210, 110})
        : window(400, 300), host(window.Hwnd(), place)
    {
        host.SetEventIid(DIID_DHvTavelleEvents);
        if (!userMode)
            host.Ambients().SetBool(DISPID_AMBIENT_USERMODE, false);
        control = DragTestControl::Create();
        REQUIRE(control);
        REQUIRE(host.Attach(control->PrivateUnknown()) == S_OK);
        control->PrivateUnknown()->Release();
        control->GiveWindow(window.Hwnd(), place);
    }
    ~HostedDragControl()
    {
        control->TakeWindowAway();
        host.Close();
    }
    OleDragDrop& DragDrop() { return control->DragDrop(); }
    HWND Window() { return control->ControlWindow(); }

    hv::container::ContainerWindow window;
    hv::container::ControlHost host;
    DragTestControl* control = nullptr;   // held by the host
};

bool IsDropTarget(HWND window)
{
    struct Probe : IDropTarget {
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override
        {
            if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
                *out = this;
                return S_OK;
            }
            *out = nullptr;
            return E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
        STDMETHODIMP DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
        STDMETHODIMP DragLeave() override { return S_OK; }
        STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    } probe;
    const HRESULT hr = RegisterDragDrop(window, &probe);
    if (hr == S_OK)
        RevokeDragDrop(window);
    return hr == DRAGDROP_E_ALREADYREGISTERED;
}

ComPtr<IHvDataObject> DataOf(const EventCall& call)
{
    ComPtr<IHvDataObject> data;
    if (IDispatch* object = call.Object(0))
        object->QueryInterface(IID_PPV_ARGS(data.GetAddressOf()));
    return data;
}

HRESULT SetText(IHvDataObject* data, const wchar_t* text, SHORT format)
{
    VARIANT value, fmt;
    VariantInit(&value);
    if (text) {
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(text);
    } else {
        value.vt = VT_ERROR;
        value.scode = DISP_E_PARAMNOTFOUND;
    }
    fmt.vt = VT_I2;
    fmt.iVal = format;
    const HRESULT hr = data->SetData(value, fmt);
    VariantClear(&value);
    return hr;
}

// The drag loop stand-in: it plays one drag over the target it is given.
struct PlayedDrag {
    IDropTarget* target = nullptr;
    DWORD overEffect = 0;
    HRESULT dropResult = E_FAIL;
    HRESULT feedback = E_FAIL;
    HRESULT continueDown = E_FAIL;
    HRESULT continueUp = E_FAIL;
    int calls = 0;
};
PlayedDrag* g_played = nullptr;

HRESULT STDAPICALLTYPE PlayDrag(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect)
{
    PlayedDrag& play = *g_played;
    ++play.calls;
    play.continueDown = source->QueryContinueDrag(FALSE, MK_LBUTTON);
    play.feedback = source->GiveFeedback(allowed);
    POINTL point = {60, 60};
    DWORD chosen = allowed;
    play.target->DragEnter(data, MK_LBUTTON | MK_SHIFT, point, &chosen);
    chosen = allowed;
    play.target->DragOver(MK_LBUTTON, point, &chosen);
    play.overEffect = chosen;
    play.continueUp = source->QueryContinueDrag(FALSE, 0);
    chosen = allowed;
    play.dropResult = play.target->Drop(data, 0, point, &chosen);
    *effect = chosen;
    return DRAGDROP_S_DROP;
}

struct DragLoopScope {
    PlayedDrag play;
    DoDragDropFunction previous;
    DragLoopScope() : previous(SetDoDragDropFunction(&PlayDrag)) { g_played = &play; }
    ~DragLoopScope()
    {
        SetDoDragDropFunction(previous);
        g_played = nullptr;
    }
};

} // namespace

TEST_CASE("OLEDropMode registers and revokes the control window as drop target")
{
    HostedDragControl hosted;
    OleDragDrop& dd = hosted.DragDrop();
    CHECK_FALSE(IsDropTarget(hosted.Window()));

    CHECK(dd.put_OLEDropMode(2) == static_cast<HRESULT>(0x800A017C));
    CHECK(TakeErrorDescription() == L"Invalid property value");
    CHECK(dd.put_OLEDropMode(-1) == static_cast<HRESULT>(0x800A017C));
    CHECK(dd.put_OLEDropMode(1) == S_OK);
    SHORT mode = 0;
    dd.get_OLEDropMode(&mode);
    CHECK(mode == 1);
    CHECK(IsDropTarget(hosted.Window()));
    CHECK(dd.put_OLEDropMode(0) == S_OK);
    CHECK_FALSE(IsDropTarget(hosted.Window()));
    CHECK(dd.DropTarget() == nullptr);
}

TEST_CASE("in design mode the drop mode is stored but nothing is registered")
{
    HostedDragControl hosted(false);
    CHECK(hosted.DragDrop().put_OLEDropMode(1) == S_OK);
    CHECK(hosted.DragDrop().DropMode() == 1);
    CHECK_FALSE(IsDropTarget(hosted.Window()));
}

TEST_CASE("the drop mode is saved only when set, unless everything is saved")
{
    HostedDragControl hosted;
    hv::container::PropertyBag* bag = hv::container::PropertyBag::Create();
    CHECK(hosted.DragDrop().SaveTextState(bag, FALSE) == S_OK);
    CHECK_FALSE(bag->Has(L"OLEDropMode"));
    CHECK(hosted.DragDrop().SaveTextState(bag, TRUE) == S_OK);
    CHECK(bag->Has(L"OLEDropMode"));
    CHECK_FALSE(bag->Has(L"OLEDragMode"));   // the grid has no automatic dragging
    hosted.DragDrop().put_OLEDropMode(1);
    bag->Clear();
    CHECK(hosted.DragDrop().SaveTextState(bag, FALSE) == S_OK);
    REQUIRE(bag->Find(L"OLEDropMode"));
    CHECK(bag->Find(L"OLEDropMode")->vt == VT_I2);
    CHECK(bag->Find(L"OLEDropMode")->iVal == 1);

    HostedDragControl other;
    CHECK(other.DragDrop().LoadTextState(bag, nullptr) == S_OK);
    CHECK(other.DragDrop().DropMode() == 1);
    bag->Release();
}

TEST_CASE("a drag whose OLEStartDrag offers nothing is cancelled before the drag loop")
{
    DragLoopScope loop;
    HostedDragControl source;
    auto& events = source.host.Events();

    SUBCASE("no allowed effects")
    {
        events.On(DragDropDispid::OLEStartDrag, [](const EventCall& e) {
            SetText(DataOf(e).Get(), L"x", 1);
        });
    }
    SUBCASE("no data")
    {
        events.On(DragDropDispid::OLEStartDrag, [](const EventCall& e) { e.SetLong(1, DROPEFFECT_COPY); });
    }
    LONG effect = -1;
    CHECK(source.DragDrop().DoOleDrag(&effect) == DRAGDROP_S_CANCEL);
    CHECK(effect == 0);
    CHECK(loop.play.calls == 0);
    CHECK(events.ReceivedCount(DragDropDispid::OLECompleteDrag) == 0);
    CHECK((source.DragDrop().ModeWord() & DragDropMode::Dragging) == 0);
}

TEST_CASE("OLEDrag from inside a drag is refused")
{
    DragLoopScope loop;
    HostedDragControl source;
    HRESULT inner = S_OK;
    source.host.Events().On(DragDropDispid::OLEStartDrag, [&](const EventCall&) {
        LONG effect = 0;
        inner = source.DragDrop().DoOleDrag(&effect);
    });
    LONG effect = 0;
    source.DragDrop().DoOleDrag(&effect);
    CHECK(inner == static_cast<HRESULT>(0x800A02A2));
}

TEST_CASE("a drag whose control loses its windows in OLEStartDrag ends, and the next one may start")
{
    DragLoopScope loop;
    HostedDragControl source;
    bool takeAway = true;
    source.host.Events().On(DragDropDispid::OLEStartDrag, [&](const EventCall& e) {
        if (!takeAway)
            return;   // offers nothing: cancelled before the drag loop
        SetText(DataOf(e).Get(), L"x", 1);
        e.SetLong(1, DROPEFFECT_COPY);
        source.control->TakeWindowAway();
        source.host.Site().SetWindow(nullptr);
    });
    LONG effect = -1;
    CHECK(source.DragDrop().DoOleDrag(&effect) == DRAGDROP_S_CANCEL);
    CHECK(loop.play.calls == 0);
    CHECK((source.DragDrop().ModeWord() & DragDropMode::Dragging) == 0);

    takeAway = false;
    source.host.Site().SetWindow(source.window.Hwnd());
    source.control->GiveWindow(source.window.Hwnd(), RECT{10, 10, 210, 110});
    CHECK(source.DragDrop().DoOleDrag(&effect) == DRAGDROP_S_CANCEL);
    CHECK(source.host.Events().ReceivedCount(DragDropDispid::OLEStartDrag) == 2);
}

TEST_CASE("a drag from one control drops on another")
{
    DragLoopScope loop;
    HostedDragControl source;
    HostedDragControl target;
    REQUIRE(target.DragDrop().put_OLEDropMode(1) == S_OK);
    loop.play.target = target.DragDrop().DropTarget();
    REQUIRE(loop.play.target);

    std::vector<SHORT> states;
    std::wstring dropped;
    SHORT setDataFormat = 0;
    SHORT enterShift = 0;
    HRESULT frozen = S_OK;
    source.host.Events().On(DragDropDispid::OLEStartDrag, [&](const EventCall& e) {
        CHECK(SetText(DataOf(e).Get(), nullptr, 1) == S_OK);   // the text comes in OLESetData
        e.SetLong(1, DROPEFFECT_COPY);
    });
    source.host.Events().On(DragDropDispid::OLESetData, [&](const EventCall& e) {
        setDataFormat = e.Short(1);
        CHECK(SetText(DataOf(e).Get(), L"dados tardios", 1) == S_OK);
        frozen = SetText(DataOf(e).Get(), L"rtf", static_cast<SHORT>(0xBF01));
    });
    target.host.Events().On(DragDropDispid::OLEDragOver, [&](const EventCall& e) {
        states.push_back(e.Short(6));
        if (e.Short(6) == 0)
            enterShift = e.Short(3);
        e.SetLong(1, DROPEFFECT_MOVE);   // more than the source allows
    });
    target.host.Events().On(DragDropDispid::OLEDragDrop, [&](const EventCall& e) {
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(DataOf(e)->GetData(1, &value)) && value.vt == VT_BSTR)
            dropped = value.bstrVal;
        VariantClear(&value);
        e.SetLong(1, DROPEFFECT_COPY);
    });
    LONG completed = -1;
    source.host.Events().On(DragDropDispid::OLECompleteDrag, [&](const EventCall& e) { completed = e.Long(0); });

    LONG effect = 0;
    CHECK(source.DragDrop().DoOleDrag(&effect) == DRAGDROP_S_DROP);
    CHECK(loop.play.calls == 1);
    CHECK(effect == DROPEFFECT_COPY);
    CHECK(completed == DROPEFFECT_COPY);
    CHECK(loop.play.overEffect == 0);
    CHECK(loop.play.dropResult == S_OK);
    CHECK(loop.play.feedback == DRAGDROP_S_USEDEFAULTCURSORS);
    CHECK(loop.play.continueDown == S_OK);
    CHECK(loop.play.continueUp == DRAGDROP_S_DROP);
    CHECK(states == std::vector<SHORT>{0, 2});
    CHECK(enterShift == 1);
    CHECK(dropped == L"dados tardios");
    CHECK(setDataFormat == 1);
    CHECK(frozen == static_cast<HRESULT>(0x800A02A0));
    CHECK(source.host.Events().ReceivedCount(DragDropDispid::OLEGiveFeedback) == 1);
    CHECK(target.DragDrop().DropData() == nullptr);
}

TEST_CASE("a drop target whose control is gone answers E_UNEXPECTED")
{
    IDropTarget* target = nullptr;
    OleDragDrop* dragDrop = nullptr;
    {
        HostedDragControl hosted;
        REQUIRE(hosted.DragDrop().put_OLEDropMode(1) == S_OK);
        target = hosted.DragDrop().DropTarget();
        target->AddRef();
        dragDrop = &hosted.DragDrop();
        CHECK(OleDragDrop::IsValid(dragDrop));
    }
    CHECK_FALSE(OleDragDrop::IsValid(dragDrop));
    CHECK_FALSE(OleDragDrop::IsValid(reinterpret_cast<OleDragDrop*>(static_cast<INT_PTR>(0x10))));
    DWORD effect = DROPEFFECT_COPY;
    CHECK(target->DragOver(0, POINTL{0, 0}, &effect) == E_UNEXPECTED);
    CHECK(effect == 0);
    target->Release();
}
