// A client's draw filter given to the registered grid: called for each
// element's phases as the grid paints; a cancelled BeforeDraw leaves out the
// element's phases and its children; a draw object the client keeps past
// the paint names no element.
#include "BoundTable.h"

#include <doctest/doctest.h>

#include <map>
#include <set>

using Microsoft::WRL::ComPtr;

namespace {

enum Phase { Draw, Background, Borders, Foreground, After };

// Counts the calls per element type and phase; cancels BeforeDraw for one
// element type; keeps the first draw object it is given.
class RecordingFilter : public IHvTVDrawFilter {
public:
    std::map<long, std::map<Phase, int>> calls;
    long cancelType = 0;
    ComPtr<IHvTVDraw> kept;
    std::set<long> seenWithoutElement;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != __uuidof(IHvTVDrawFilter))
            return E_NOINTERFACE;
        *out = static_cast<IHvTVDrawFilter*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override { return --references_; }

    STDMETHODIMP BeforeDraw(IHvTVDraw* draw, VARIANT_BOOL* cancel) override
    {
        const long type = Count(draw, Draw);
        if (!kept)
            kept = draw;
        if (type == cancelType)
            *cancel = VARIANT_TRUE;
        return S_OK;
    }
    STDMETHODIMP BeforeDrawBackground(IHvTVDraw* draw, VARIANT_BOOL*) override { return Counted(draw, Background); }
    STDMETHODIMP BeforeDrawBorders(IHvTVDraw* draw, VARIANT_BOOL*) override { return Counted(draw, Borders); }
    STDMETHODIMP BeforeDrawForeground(IHvTVDraw* draw, VARIANT_BOOL*) override { return Counted(draw, Foreground); }
    STDMETHODIMP AfterDraw(IHvTVDraw* draw) override { return Counted(draw, After); }
    STDMETHODIMP BeforeSetCursor(IHvUIElement*, VARIANT_BOOL, OLE_HANDLE*) override { return S_OK; }

private:
    long Count(IHvTVDraw* draw, Phase phase)
    {
        ComPtr<IHvUIElement> element;
        long type = -1;
        if (draw && SUCCEEDED(draw->get_UIElement(&element)) && element)
            type = TypeOf(element.Get());
        else
            seenWithoutElement.insert(phase);
        ++calls[type][phase];
        return type;
    }
    HRESULT Counted(IHvTVDraw* draw, Phase phase)
    {
        Count(draw, phase);
        return S_OK;
    }

    ULONG references_ = 1;
};

} // namespace

TEST_CASE("a draw filter given to the grid hears every phase of each element it paints")
{
    BoundTable bound;
    RecordingFilter filter;
    REQUIRE(bound.grid.Control()->putref_DrawFilter(&filter) == S_OK);
    bound.Draw();
    const auto rows = bound.grid.OfType(5000);
    // The cells that show: those under the vertical bar are placed, not
    // drawn.
    int cells = 0;
    for (const auto& cell : bound.grid.OfType(6000)) {
        ComPtr<IHvUIRect> shown;
        long width = 0;
        if (SUCCEEDED(cell->get_RectDisplayed(&shown)) && shown && SUCCEEDED(shown->get_Width(&width)) && width > 0)
            ++cells;
    }
    REQUIRE(!rows.empty());
    REQUIRE(cells > 0);

    CHECK(filter.seenWithoutElement.empty());
    CHECK(filter.calls[100][Draw] == 1);
    CHECK(filter.calls[100][After] == 1);
    CHECK(filter.calls[5000][Draw] == static_cast<int>(rows.size()));
    CHECK(filter.calls[5000][After] == static_cast<int>(rows.size()));
    for (const Phase phase : {Draw, Background, Borders, Foreground, After}) {
        CAPTURE(phase);
        CHECK(filter.calls[6000][phase] == cells);
    }
    // Cells' texts are drawn too.
    CHECK(filter.calls[10000][Foreground] >= cells);

    SUBCASE("a draw object kept after the paint names no element")
    {
        REQUIRE(filter.kept);
        ComPtr<IHvUIElement> element;
        CHECK(filter.kept->get_UIElement(&element) == S_OK);
        CHECK(!element);
        ComPtr<IHvAppearance> look;
        filter.kept->get_Appearance(&look);
        if (look) {
            OLE_COLOR colour = 0;
            look->get_BackColor(&colour); // reads no freed data
        }
    }
    SUBCASE("removing the filter ends the calls")
    {
        REQUIRE(bound.grid.Control()->putref_DrawFilter(nullptr) == S_OK);
        filter.calls.clear();
        bound.Draw();
        CHECK(filter.calls.empty());
    }
    filter.kept.Reset();
    REQUIRE(bound.grid.Control()->putref_DrawFilter(nullptr) == S_OK);
}

TEST_CASE("a cancelled BeforeDraw leaves out the element's phases, its children and its AfterDraw")
{
    BoundTable bound;
    bound.Draw();
    const RECT cell = RectOf(bound.grid.OfType(6000).at(0).Get());
    const RECT header = RectOf(bound.grid.OfType(4000).at(0).Get());
    RECT inner = cell;
    InflateRect(&inner, -2, -2);
    const COLORREF headerPixel = bound.canvas.At(header.left + 4, header.top + 4);
    const int textInk = InkIn(bound.canvas, inner, bound.canvas.At(inner.right - 1, inner.bottom - 1), RGB(1, 2, 3));
    REQUIRE(textInk > 10);

    RecordingFilter filter;
    filter.cancelType = 5000;
    REQUIRE(bound.grid.Control()->putref_DrawFilter(&filter) == S_OK);
    bound.Draw();

    CHECK(filter.calls[5000][Draw] > 0);
    for (const Phase phase : {Background, Borders, Foreground, After})
        CHECK(filter.calls[5000][phase] == 0);
    CHECK(filter.calls.count(5300) == 0);
    CHECK(filter.calls.count(5400) == 0);
    CHECK(filter.calls.count(6000) == 0);
    // Headers are drawn as before; the first cell's text is not.
    CHECK(filter.calls[4000][After] > 0);
    CHECK(bound.canvas.At(header.left + 4, header.top + 4) == headerPixel);
    const COLORREF back = bound.canvas.At(inner.left, inner.top);
    CHECK(InkIn(bound.canvas, inner, back, back) == 0);
    filter.kept.Reset();
    REQUIRE(bound.grid.Control()->putref_DrawFilter(nullptr) == S_OK);
}
