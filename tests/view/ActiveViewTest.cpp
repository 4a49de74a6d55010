// The view of an active control: a windowless control drawn by its
// container where its position puts it and hit-tested there, and a
// quick-activated control that learned of message reflection from the
// container's block.
#include "ViewTestSupport.h"

#include "ObjectInfo.h"

TEST_CASE("A windowless control is drawn at its position and hit-tested by its container")
{
    SettingsGuard guard;
    TestSettings().windowless = true;
    hv::container::SiteOptions options;
    options.offerWindowless = true;
    ViewHost hosted(false, options);   // at 100, 50 - 300, 150
    REQUIRE(hosted.host.Activate() == S_OK);
    REQUIRE(hosted.control->WindowlessSite());
    auto view = hosted.Query<IViewObjectEx>();

    Canvas canvas(400, 300);
    REQUIRE(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), nullptr, nullptr, nullptr, 0) ==
            S_OK);
    const COLORREF colour = hosted.control->PaintColour();
    struct Point {
        int x, y;
        bool inside;
    };
    const Point points[] = {{100, 50, true}, {299, 149, true}, {200, 100, true},
                            {99, 100, false}, {300, 100, false}, {200, 49, false}, {200, 150, false}};
    for (const Point& p : points) {
        CAPTURE(p.x);
        CAPTURE(p.y);
        CHECK(canvas.At(p.x, p.y) == (p.inside ? colour : kWhite));

        DWORD hit = 0xFF;
        const RECT& position = hosted.control->PositionRect();
        REQUIRE(view->QueryHitPoint(DVASPECT_CONTENT, &position, POINT{p.x, p.y}, 0, &hit) == S_OK);
        CHECK(hit == (p.inside ? static_cast<DWORD>(HITRESULT_HIT) : static_cast<DWORD>(HITRESULT_OUTSIDE)));
        const RECT probe = {p.x, p.y, p.x + 1, p.y + 1};
        REQUIRE(view->QueryHitRect(DVASPECT_CONTENT, &position, &probe, 0, &hit) == S_OK);
        CHECK(hit == (p.inside ? static_cast<DWORD>(HITRESULT_HIT) : static_cast<DWORD>(HITRESULT_OUTSIDE)));
    }
    const RECT& position = hosted.control->PositionRect();
    const RECT overlapping = {0, 0, 101, 51};
    DWORD hit = 0;
    CHECK(view->QueryHitRect(DVASPECT_CONTENT, &position, &overlapping, 0, &hit) == S_OK);
    CHECK(hit == static_cast<DWORD>(HITRESULT_HIT));
    CHECK(view->QueryHitPoint(DVASPECT_ICON, &position, POINT{150, 100}, 0, &hit) == DV_E_DVASPECT);
    CHECK(view->QueryHitRect(DVASPECT_DOCPRINT, &position, &overlapping, 0, &hit) == DV_E_DVASPECT);
}

TEST_CASE("A container that says it reflects messages in its block is never asked the MessageReflect ambient")
{
    for (bool quick : {true, false}) {
        CAPTURE(quick);
        SettingsGuard guard;
        TestSettings().reflector = true;   // a control that would make its own reflector
        ViewHost hosted(quick);
        REQUIRE(hosted.attached == S_OK);
        REQUIRE(hosted.host.Activate() == S_OK);
        HWND window = hosted.control->ControlWindow();
        REQUIRE(window);
        CHECK(hosted.control->ReflectorWindow() == nullptr);
        CHECK(hosted.host.Ambients().ReadCount(DISPID_AMBIENT_MESSAGEREFLECT) == (quick ? 0 : 1));
        // Quick or not, the control takes the extent the container gives.
        RECT area{};
        GetClientRect(window, &area);
        CHECK(area.right == 200);
        CHECK(area.bottom == 100);
        CHECK(hosted.Log().Contains(quick ? L"Host::SetContentExtent" : L"Host::SetExtent"));
    }
}
