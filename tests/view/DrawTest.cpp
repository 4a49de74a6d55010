// Drawing the control through its view into a memory device context, with
// the container's mapping put back afterwards; the view status, the view
// advise, the extent and rectangle, and the colour set.
#include "ViewTestSupport.h"

#include "ObjectInfo.h"
#include "Units.h"

namespace {

struct Mapping {
    int mode;
    POINT windowOrigin, viewportOrigin;
    SIZE windowExtent, viewportExtent;
};

Mapping MappingOf(HDC dc)
{
    Mapping m{};
    m.mode = GetMapMode(dc);
    GetWindowOrgEx(dc, &m.windowOrigin);
    GetViewportOrgEx(dc, &m.viewportOrigin);
    GetWindowExtEx(dc, &m.windowExtent);
    GetViewportExtEx(dc, &m.viewportExtent);
    return m;
}

bool operator==(const Mapping& a, const Mapping& b)
{
    return a.mode == b.mode && a.windowOrigin.x == b.windowOrigin.x && a.windowOrigin.y == b.windowOrigin.y &&
           a.viewportOrigin.x == b.viewportOrigin.x && a.viewportOrigin.y == b.viewportOrigin.y &&
           a.windowExtent.cx == b.windowExtent.cx && a.windowExtent.cy == b.windowExtent.cy &&
           a.viewportExtent.cx == b.viewportExtent.cx && a.viewportExtent.cy == b.viewportExtent.cy;
}

HRESULT DrawInto(IViewObject* view, HDC dc, const RECTL* bounds, DWORD aspect = DVASPECT_CONTENT,
                 DVASPECTINFO* info = nullptr)
{
    return view->Draw(aspect, -1, info, nullptr, nullptr, dc, bounds, nullptr, nullptr, 0);
}

} // namespace

TEST_CASE("Draw paints the control within the bounds in device pixels and gives the container its mapping back")
{
    struct Case {
        const char* name;
        int mode;
        POINT viewportOrigin;
        int scale;           // viewport extent over window extent
        RECTL bounds;        // logical
        RECT device;         // where the control must land
    };
    const Case cases[] = {
        {"plain pixels", MM_TEXT, {0, 0}, 1, {10, 20, 60, 50}, {10, 20, 60, 50}},
        {"scaled twice", MM_ANISOTROPIC, {0, 0}, 2, {5, 5, 30, 20}, {10, 10, 60, 40}},
        {"scaled and moved", MM_ISOTROPIC, {5, 5}, 2, {5, 5, 30, 20}, {15, 15, 65, 45}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        ViewHost hosted;
        auto view = hosted.Query<IViewObject>();
        REQUIRE(view);
        Canvas canvas(100, 80);
        SetMapMode(canvas.Dc(), c.mode);
        if (c.mode != MM_TEXT) {
            SetWindowExtEx(canvas.Dc(), 100, 100, nullptr);
            SetViewportExtEx(canvas.Dc(), 100 * c.scale, 100 * c.scale, nullptr);
        }
        SetViewportOrgEx(canvas.Dc(), c.viewportOrigin.x, c.viewportOrigin.y, nullptr);
        const Mapping before = MappingOf(canvas.Dc());

        REQUIRE(DrawInto(view.Get(), canvas.Dc(), &c.bounds) == S_OK);

        CHECK(MappingOf(canvas.Dc()) == before);
        const TestControl::DrawCall& call = hosted.control->LastDraw();
        CHECK(call.count == 1);
        CHECK(call.bounds.left == c.device.left);
        CHECK(call.bounds.top == c.device.top);
        CHECK(call.bounds.right == c.device.right);
        CHECK(call.bounds.bottom == c.device.bottom);
        CHECK(call.target == nullptr);   // a screen drawing makes no target device
        const COLORREF colour = hosted.control->PaintColour();
        CHECK(canvas.At(c.device.left, c.device.top) == colour);
        CHECK(canvas.At(c.device.right - 1, c.device.bottom - 1) == colour);
        CHECK(canvas.At(c.device.left - 1, c.device.top) == kWhite);
        CHECK(canvas.At(c.device.right, c.device.bottom - 1) == kWhite);
    }
}

TEST_CASE("Draw hands the control the clip box, the optimize flag and the aspect")
{
    ViewHost hosted;
    auto view = hosted.Query<IViewObject>();
    Canvas canvas(100, 80);
    const RECTL bounds = {0, 0, 100, 80};

    SUBCASE("without a clip the whole bitmap is the paint clip")
    {
        REQUIRE(DrawInto(view.Get(), canvas.Dc(), &bounds) == S_OK);
        CHECK(SameRect(hosted.control->LastDraw().paintClip, RECT{0, 0, 100, 80}));
        CHECK(hosted.control->LastDraw().optimize == FALSE);
    }
    SUBCASE("a clip rectangle limits the paint clip and the painting")
    {
        IntersectClipRect(canvas.Dc(), 0, 0, 40, 40);
        REQUIRE(DrawInto(view.Get(), canvas.Dc(), &bounds) == S_OK);
        CHECK(SameRect(hosted.control->LastDraw().paintClip, RECT{0, 0, 40, 40}));
        CHECK(canvas.At(39, 39) == hosted.control->PaintColour());
        CHECK(canvas.At(50, 30) == kWhite);
    }
    SUBCASE("an aspect information block of its own size carries the optimize flag")
    {
        DVASPECTINFO info = {sizeof(DVASPECTINFO), DVASPECTINFOFLAG_CANOPTIMIZE};
        REQUIRE(DrawInto(view.Get(), canvas.Dc(), &bounds, DVASPECT_OPAQUE, &info) == S_OK);
        CHECK(hosted.control->LastDraw().optimize == TRUE);
        CHECK(hosted.control->LastDraw().aspect == static_cast<DWORD>(DVASPECT_OPAQUE));
        info.cb = 12;   // not a block this framework knows
        REQUIRE(DrawInto(view.Get(), canvas.Dc(), &bounds, DVASPECT_TRANSPARENT, &info) == S_OK);
        CHECK(hosted.control->LastDraw().optimize == FALSE);
    }
    SUBCASE("other aspects and a missing device context are refused without drawing")
    {
        CHECK(DrawInto(view.Get(), canvas.Dc(), &bounds, DVASPECT_ICON) == DV_E_DVASPECT);
        CHECK(DrawInto(view.Get(), canvas.Dc(), &bounds, DVASPECT_DOCPRINT) == DV_E_DVASPECT);
        CHECK(DrawInto(view.Get(), nullptr, &bounds) == E_INVALIDARG);
        CHECK(hosted.control->LastDraw().count == 0);
    }
}

TEST_CASE("A windowless-capable control with a window of its own leaves screen drawing to that window")
{
    SettingsGuard guard;
    TestSettings().windowless = true;
    ViewHost hosted;
    auto view = hosted.Query<IViewObject>();
    hosted.control->SimulateInPlaceActive(hosted.window.Hwnd(), nullptr, RECT{0, 0, 50, 50}, false);
    Canvas canvas(60, 60);
    const RECTL bounds = {0, 0, 50, 50};
    CHECK(DrawInto(view.Get(), canvas.Dc(), &bounds) == S_OK);
    CHECK(hosted.control->LastDraw().count == 0);
    CHECK(canvas.At(10, 10) == kWhite);
    hosted.control->EndSimulatedInPlace();
}

TEST_CASE("The view status follows the control's opaque flag")
{
    for (WORD opaque : {WORD(0), WORD(1)}) {
        CAPTURE(opaque);
        SettingsGuard guard;
        GetControlObjectInfo().opaque = opaque;
        ViewHost hosted;
        DWORD status = 0xFF;
        REQUIRE(hosted.Query<IViewObjectEx>()->GetViewStatus(&status) == S_OK);
        CHECK(status == (opaque ? static_cast<DWORD>(VIEWSTATUS_OPAQUE) : 0u));
    }
}

TEST_CASE("The view advise: a primed advise tells the sink at once, a one-time advise then lets it go")
{
    ViewHost hosted;
    auto view = hosted.Query<IViewObject>();
    IAdviseSink* site = static_cast<IAdviseSink*>(&hosted.host.Site());
    const int before = hosted.host.Site().ViewChanges();

    REQUIRE(view->SetAdvise(DVASPECT_CONTENT, ADVF_PRIMEFIRST | ADVF_ONLYONCE, site) == S_OK);
    CHECK(hosted.host.Site().ViewChanges() == before + 1);
    IAdviseSink* held = reinterpret_cast<IAdviseSink*>(1);
    DWORD flags = 0xFF;
    REQUIRE(view->GetAdvise(nullptr, &flags, &held) == S_OK);
    CHECK(held == nullptr);
    CHECK(flags == 0u);   // the removal was an advise without flags

    REQUIRE(view->SetAdvise(DVASPECT_CONTENT, ADVF_PRIMEFIRST | ADVF_DATAONSTOP, site) == S_OK);
    DWORD aspects = 0;
    REQUIRE(view->GetAdvise(&aspects, &flags, &held) == S_OK);
    CHECK(aspects == static_cast<DWORD>(DVASPECT_CONTENT));
    CHECK(flags == static_cast<DWORD>(ADVF_PRIMEFIRST));   // the other flags are not kept
    CHECK(held == site);
    held->Release();
    hosted.control->InvalidateControl(nullptr);
    CHECK(hosted.host.Site().ViewChanges() == before + 3);

    CHECK(view->SetAdvise(DVASPECT_ICON, 0, site) == DV_E_DVASPECT);
}

TEST_CASE("The view's extent and rectangle are the control's in HIMETRIC; it has no colour set")
{
    ViewHost hosted;
    auto view = hosted.Query<IViewObjectEx>();
    SIZEL viaView{}, viaObject{};
    REQUIRE(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viaView) == S_OK);
    REQUIRE(hosted.host.OleObject()->GetExtent(DVASPECT_CONTENT, &viaObject) == S_OK);
    CHECK(viaView.cx == viaObject.cx);
    CHECK(viaView.cy == viaObject.cy);
    CHECK(view->GetExtent(DVASPECT_ICON, -1, nullptr, &viaView) == DV_E_DVASPECT);

    hosted.control->SimulateInPlaceActive(nullptr, nullptr, RECT{10, 20, 110, 70}, false);
    RECTL rectangle{};
    REQUIRE(view->GetRect(DVASPECT_CONTENT, &rectangle) == S_OK);
    CHECK(rectangle.left == PixelsToHimetricX(10));
    CHECK(rectangle.top == PixelsToHimetricY(20));
    CHECK(rectangle.right == PixelsToHimetricX(110));
    CHECK(rectangle.bottom == PixelsToHimetricY(70));
    CHECK(view->GetRect(DVASPECT_ICON, &rectangle) == DV_E_DVASPECT);
    hosted.control->EndSimulatedInPlace();

    LOGPALETTE* colours = reinterpret_cast<LOGPALETTE*>(1);
    CHECK(view->GetColorSet(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &colours) == E_NOTIMPL);
    CHECK(colours == nullptr);
    CHECK(view->GetColorSet(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, &colours) == DV_E_DVASPECT);
}

TEST_CASE("An inactive pointer is ignored; the activation policy is the control's record")
{
    ViewHost hosted;
    auto pointer = hosted.Query<IPointerInactive>();
    REQUIRE(pointer);
    DWORD policy = 0xFF;
    REQUIRE(pointer->GetActivationPolicy(&policy) == S_OK);
    CHECK(policy == GetControlObjectInfo().pointerActivationPolicy);
    const RECT bounds = {0, 0, 10, 10};
    CHECK(pointer->OnInactiveMouseMove(&bounds, 1, 1, 0) == S_OK);
    CHECK(pointer->OnInactiveSetCursor(&bounds, 1, 1, WM_MOUSEMOVE, FALSE) == S_OK);
}
