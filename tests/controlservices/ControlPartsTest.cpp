// The control's small parts: the verbs that refresh the layout first, the
// container window cache, PerformAction through the key action map, the
// selection drag timer, list stepping and lazily made members.
#include <doctest/doctest.h>

#include "ContainerWindowCache.h"
#include "ControlVerbs.h"
#include "GridActionPerformer.h"
#include "LazyMember.h"
#include "ListLink.h"
#include "SelectionDragSupport.h"

#include <string>
#include <vector>

TEST_CASE("Verbs 0, 1 and -7 refresh the layout before the framework's verb")
{
    for (LONG verb : {-7L, -6L, -5L, -4L, -3L, -2L, -1L, 0L, 1L, 2L, 10L, 11L})
        CHECK(VerbRefreshesLayout(verb) == (verb == 0 || verb == 1 || verb == -7));

    struct FakeLayout final : VerbLayoutHost {
        void DirtyRootUIElement() override { steps += "root "; }
        bool HasColScrollRegions() override { return regions; }
        void MarkAllScrollRegionsDirty() override { steps += "regions "; }
        bool regions = false;
        std::string steps;
    } layout;
    PrepareLayoutForPages(layout);
    CHECK(layout.steps == "root ");
    layout.regions = true;
    layout.steps.clear();
    PrepareLayoutForPages(layout);
    CHECK(layout.steps == "root regions ");
}

namespace {

// An in-place site that answers only GetWindow.
struct FakeSite final : IOleInPlaceSite {
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
            *out = this;
            ++refs;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetWindow(HWND* out) override
    {
        ++asked;
        *out = window;
        return window ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame**, IOleInPlaceUIWindow**, LPRECT, LPRECT,
                                  LPOLEINPLACEFRAMEINFO) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    HWND window = reinterpret_cast<HWND>(0x4242);
    ULONG refs = 1;
    int asked = 0;
};

// A client site whose in-place face is the given site.
struct FakeClientSite final : IOleClientSite {
    explicit FakeClientSite(FakeSite* site) : site(site) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IOleInPlaceSite) && site)
            return site->QueryInterface(iid, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOTIMPL; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    FakeSite* site;
};

} // namespace

TEST_CASE("The container window: from the in-place site, else the client site's, then kept")
{
    FakeSite site;
    ContainerWindowCache cache;
    CHECK(cache.Get(nullptr, &site, nullptr) == site.window);
    CHECK(cache.Get(nullptr, nullptr, nullptr) == site.window);
    CHECK(site.asked == 1);
    cache.Reset();

    FakeClientSite client(&site);
    CHECK(cache.Get(nullptr, nullptr, &client) == site.window);
    CHECK(site.refs == 1);
    cache.Reset();

    FakeClientSite bare(nullptr);
    CHECK(cache.Get(nullptr, nullptr, &bare) == nullptr);
    site.window = nullptr;
    CHECK(cache.Get(nullptr, &site, nullptr) == nullptr);
}

namespace {

struct FakeCell final : KeyCellQuery {
    bool HasCellBefore() override { return true; }
    bool HasCellAfter() override { return true; }
    bool IsInEditMode() override { return editing; }
    bool HasDropDown() override { return false; }
    bool IsDropDownShowing() override { return false; }
    bool IsCheckBox() override { return false; }
    bool editing = false;
};

struct FakeRow final : KeyRowQuery {
    bool HasPrevSibling() override { return true; }
    bool HasPrevSiblingSpanningBands() override { return true; }
    bool HasNextSibling() override { return true; }
    bool HasNextSiblingSpanningBands() override { return true; }
    bool IsExpanded() override { return false; }
    bool IsExpandable() override { return false; }
    bool HasParentRow() override { return false; }
};

struct FakeKeyboardControl final : KeyboardHost {
    InputDispatcher* GetInputDispatcher() override { return nullptr; }
    HWND GetGridWindow() override { return nullptr; }
    KeyCellQuery* GetActiveCell() override { return &cell; }
    KeyRowQuery* GetActiveRow() override { return &row; }
    int GetTabNavigation() override { return 0; }
    HWND GetEditWindow() override { return nullptr; }
    void PerformKeyActionFromKeyboard(std::uint32_t action, bool shift, bool ctrl, bool& handled) override
    {
        performed.push_back(action);
        withModifiers = withModifiers || shift || ctrl;
        handled = true;
    }
    FakeCell cell;
    FakeRow row;
    std::vector<std::uint32_t> performed;
    bool withModifiers = false;
};

} // namespace

TEST_CASE("PerformAction carries out only what the grid state allows, with Shift and Ctrl up")
{
    FakeKeyboardControl control;
    KeyActionMap map;
    // 24 is allowed on a cell out of edit mode, 44 only in edit mode.
    CHECK(PerformGridAction(control, map, 24) == S_OK);
    CHECK(PerformGridAction(control, map, 44) == S_OK);
    CHECK(control.performed == std::vector<std::uint32_t>{24});
    control.cell.editing = true;
    CHECK(PerformGridAction(control, map, 24) == S_OK);
    CHECK(PerformGridAction(control, map, 44) == S_OK);
    CHECK(PerformGridAction(control, map, 0) == S_OK);
    CHECK(control.performed == std::vector<std::uint32_t>{24, 44});
    CHECK_FALSE(control.withModifiers);
}

namespace {

struct DragControl final : SelectionDragHost {
    HWND GetGridWindow() override { return window; }
    void BeginDeferredSelectedLook() override { steps += "begin "; }
    void EndDeferredSelectedLook() override { steps += "end "; }
    HWND window = nullptr;
    std::string steps;
};

} // namespace

TEST_CASE("The selection drag timer clears the drag bytes and runs on the grid window")
{
    DragControl control;
    SelectionDragSupport drag(control);
    drag.dragStarted = 1;
    drag.dragMoved = 1;
    CHECK_FALSE(drag.StartSelectionDragTimer());
    CHECK(drag.dragStarted == 0);
    CHECK(drag.dragMoved == 0);

    control.window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    REQUIRE(control.window);
    CHECK(drag.StartSelectionDragTimer());
    CHECK(KillTimer(control.window, 1481));
    DestroyWindow(control.window);

    drag.BeginVisibleRowsSelectionUpdate();
    drag.EndVisibleRowsSelectionUpdate();
    CHECK(control.steps == "begin end ");
}

TEST_CASE("AdvanceListPosition steps forward, back or not at all")
{
    ListLink head, a, b, c;
    a.InsertAfter(&head);
    b.InsertAfter(&a);
    c.InsertAfter(&b);
    ListLink* position = &a;
    AdvanceListPosition(position, 2);
    CHECK(position == &c);
    AdvanceListPosition(position, -1);
    CHECK(position == &b);
    AdvanceListPosition(position, 0);
    CHECK(position == &b);
    AdvanceListPosition(position, 5);
    CHECK(position == nullptr);
}

TEST_CASE("A lazily made member exists only once something asked for it to be made")
{
    int made = 0;
    auto make = [&] {
        ++made;
        return new std::string("lista");
    };
    LazyMember<std::string> list;
    CHECK(list.Get(false, make) == nullptr);
    std::string* first = list.Get(true, make);
    REQUIRE(first);
    CHECK(list.Get(false, make) == first);
    CHECK(list.Get(true, make) == first);
    CHECK(made == 1);
    LazyMember<std::string> failing;
    CHECK(failing.Get(true, [] { return static_cast<std::string*>(nullptr); }) == nullptr);
}
