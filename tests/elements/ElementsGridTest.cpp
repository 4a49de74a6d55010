// The grid element: placing the caption area, data area and add-new box,
// the popups in hit-tests, the cursor, and the road of one paint read back
// from a memory context; and the root element a real layout makes.
#include "Canvas.h"
#include "ElementFakes.h"

#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvUIElements.h"
#include "LayoutPartsSeam.h"
#include "LayoutRootElement.h"

#include <doctest/doctest.h>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

struct GridFixture {
    explicit GridFixture(RECT bounds = RECT{0, 0, 200, 150})
    {
        grid = HvGridUIElement::Make(&layout, &layout, RECT{});
        REQUIRE(grid);
        layout.root = grid;
        grid->SetRect(bounds, false);
    }
    ~GridFixture()
    {
        grid->Deactivate();
        grid->Release();
    }

    // The child of a type (not add-ref'd), or null.
    HvUIElement* Child(ULONG type)
    {
        HvUIElement* found = nullptr;
        for (HvUIElement* child : grid->ChildSnapshot()) {
            if (!found && child->Type() == type)
                found = child;
            child->Release();
        }
        return found;
    }
    RECT RectOf(ULONG type)
    {
        HvUIElement* child = Child(type);
        return child ? child->StoredRect() : RECT{-1, -1, -1, -1};
    }

    ElementsLayout layout;
    HvGridUIElement* grid = nullptr;
};

// A hidden top-level window standing for the grid window.
struct Window {
    Window()
    {
        handle = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 150, nullptr, nullptr, nullptr, nullptr);
        REQUIRE(handle);
    }
    ~Window() { DestroyWindow(handle); }
    int TakeRepositionNotices()
    {
        int count = 0;
        MSG msg;
        while (PeekMessageW(&msg, handle, WM_HV_ELEMENTS_REPOSITIONED, WM_HV_ELEMENTS_REPOSITIONED, PM_REMOVE))
            ++count;
        return count;
    }
    HWND handle = nullptr;
};

} // namespace

TEST_CASE("the grid element places caption, data area and add-new box")
{
    const int scrollBar = GetSystemMetrics(SM_CYHSCROLL);
    struct Case {
        const char* name;
        long borderStyle;
        long captionHeight;
        long boxExtent;
        RECT caption;
        RECT data;
        RECT box;
    };
    const RECT none = {-1, -1, -1, -1};
    const Case cases[] = {
        {"no border, data area only", 1, 0, 0, none, {0, 0, 200, 150}, none},
        {"raised border of 2 with caption", 7, 20, 0, {2, 2, 198, 22}, {2, 22, 198, 148}, none},
        {"thin border, caption and box", 8, 20, 30, {1, 1, 199, 21}, {1, 21, 199, 119}, {1, 119, 199, 149}},
        {"box taller than the room left", 1, 20, 400, {0, 0, 200, 20}, {0, 20, 200, 20 + scrollBar},
         {0, 20 + scrollBar, 200, 150}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        GridFixture f(RECT{});
        f.layout.borderStyle = c.borderStyle;
        f.layout.captionHeight = c.captionHeight;
        f.layout.boxExtent = c.boxExtent;
        f.grid->SetRect(RECT{0, 0, 200, 150}, false);
        CHECK(Same(f.RectOf(UIElementType::CaptionArea), c.caption));
        CHECK(Same(f.RectOf(UIElementType::DataArea), c.data));
        CHECK(Same(f.RectOf(UIElementType::AddNewBox), c.box));
    }
}

TEST_CASE("re-placing the areas reuses them and drops the ones no longer shown")
{
    GridFixture f;
    f.layout.captionHeight = 20;
    f.layout.boxExtent = 30;
    f.grid->SetRect(RECT{0, 0, 200, 150}, false);
    HvUIElement* data = f.Child(UIElementType::DataArea);
    REQUIRE(data);
    data->AddRef();

    f.layout.captionHeight = 0;
    f.layout.boxExtent = 0;
    f.grid->SetRect(RECT{0, 0, 300, 100}, false);
    CHECK(f.Child(UIElementType::DataArea) == data);
    CHECK(Same(data->StoredRect(), RECT{0, 0, 300, 100}));
    CHECK(f.Child(UIElementType::CaptionArea) == nullptr);
    CHECK(f.Child(UIElementType::AddNewBox) == nullptr);
    CHECK(f.grid->GetChildElementList(false)->ItemCount() == 1);
    data->Release();
}

TEST_CASE("the popups answer hit-tests and descendant searches over the tree")
{
    GridFixture f;
    Window grid;
    f.layout.control.window = grid.handle;
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, grid.handle, nullptr,
                                nullptr, nullptr);
    REQUIRE(edit);
    ShowWindow(grid.handle, SW_SHOWNOACTIVATE);
    f.layout.editWindow = edit;

    CHECK(f.grid->ElementFromPoint(POINT{20, 15}, UIElementType::Any, false, false) == f.grid->EditElement());
    CHECK(f.grid->ElementFromPoint(POINT{20, 15}, UIElementType::Any, false, true)->Type() ==
          UIElementType::DataArea);
    CHECK(f.grid->ElementFromPoint(POINT{100, 100}, UIElementType::Any, false, false)->Type() ==
          UIElementType::DataArea);
    CHECK(f.grid->AdjustableElementFromPoint(POINT{20, 15}) == nullptr);

    DescendantQuery query;
    query.type = UIElementType::DropDown;
    query.band = MustBeNone;
    CHECK(f.grid->GetDescendant(query) == f.grid->DropDownElement());
    query.type = UIElementType::Edit;
    CHECK(f.grid->GetDescendant(query) == f.grid->EditElement());
    CHECK(f.grid->EditElement()->GetParent() == f.grid);
    DestroyWindow(edit);
}

TEST_CASE("the wait cursor wins while the layout is busy")
{
    GridFixture f;
    f.layout.gridAppearance.SetMousePointer(2); // cross
    HCURSOR normal = f.grid->CursorAt(POINT{50, 50});
    CHECK(normal != nullptr);
    f.layout.busy = true;
    CHECK(f.grid->CursorAt(POINT{50, 50}) == LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));
    // Design mode (as the grid was made in) shows no element cursor.
    ElementsLayout designLayout;
    designLayout.designMode = true;
    designLayout.gridAppearance.SetMousePointer(2);
    HvGridUIElement* design = HvGridUIElement::Make(&designLayout, &designLayout, RECT{0, 0, 200, 150});
    REQUIRE(design);
    CHECK(design->CursorAt(POINT{50, 50}) == nullptr);
    design->Deactivate();
    design->Release();
}

TEST_CASE("one paint draws the tree off-screen with the grid's and the caption's appearances")
{
    GridFixture f(RECT{});
    f.layout.captionHeight = 20;
    f.layout.gridAppearance.SetBackColor(Red);
    f.layout.captionAppearance.SetBackColor(Blue);
    Canvas canvas(200, 150, White);
    f.grid->Paint(canvas.Dc(), RECT{0, 0, 200, 150}, RECT{0, 0, 200, 150});

    CHECK(f.layout.scrollBarUpdates == 1);
    CHECK(canvas.At(100, 10) == Blue);
    // The data area draws no background of its own: the grid's shows.
    CHECK(canvas.At(100, 100) == Red);

    // Only the invalid rectangle reaches the device context.
    Canvas partial(200, 150, White);
    f.grid->Paint(partial.Dc(), RECT{0, 0, 200, 150}, RECT{0, 0, 100, 150});
    CHECK(partial.At(50, 100) == Red);
    CHECK(partial.At(150, 100) == White);
}

TEST_CASE("a paint after a change of the tree posts one notice; the first paint posts none")
{
    GridFixture f(RECT{});
    Window grid;
    f.layout.control.window = grid.handle;
    Canvas canvas(200, 150, White);
    const RECT bounds = {0, 0, 200, 150};

    f.grid->Paint(canvas.Dc(), bounds, bounds);
    CHECK(grid.TakeRepositionNotices() == 0);
    CHECK_FALSE(f.grid->TreeChanged());

    f.grid->Paint(canvas.Dc(), bounds, bounds);
    CHECK(grid.TakeRepositionNotices() == 0);

    f.grid->OnLayoutDirty();
    f.grid->Paint(canvas.Dc(), bounds, bounds);
    f.grid->Paint(canvas.Dc(), bounds, bounds);
    CHECK(grid.TakeRepositionNotices() == 1);

    // Not the control's current layout: nothing is posted, the change waits.
    f.layout.control.current = false;
    f.grid->OnLayoutDirty();
    f.grid->Paint(canvas.Dc(), bounds, bounds);
    CHECK(grid.TakeRepositionNotices() == 0);
    CHECK(f.grid->TreeChanged());
}

TEST_CASE("a resize re-places the areas and puts a visible edit window back; a plain paint does not")
{
    GridFixture f(RECT{});
    Window grid;
    f.layout.control.window = grid.handle;
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, grid.handle, nullptr,
                                nullptr, nullptr);
    REQUIRE(edit);
    ShowWindow(grid.handle, SW_SHOWNOACTIVATE);
    f.layout.editWindow = edit;
    Canvas canvas(300, 200, White);

    f.grid->Paint(canvas.Dc(), RECT{0, 0, 200, 150}, RECT{0, 0, 200, 150});
    CHECK(f.layout.editRepositions == 1);
    f.grid->Paint(canvas.Dc(), RECT{0, 0, 200, 150}, RECT{0, 0, 200, 150});
    CHECK(f.layout.editRepositions == 1);
    f.grid->Paint(canvas.Dc(), RECT{0, 0, 300, 200}, RECT{0, 0, 300, 200});
    CHECK(f.layout.editRepositions == 2);
    CHECK(Same(f.RectOf(UIElementType::DataArea), RECT{0, 0, 300, 200}));

    // A re-layout the layout asked for re-places the areas at the same size.
    f.layout.captionHeight = 25;
    f.layout.relayout = true;
    f.grid->Paint(canvas.Dc(), RECT{0, 0, 300, 200}, RECT{0, 0, 300, 200});
    CHECK(Same(f.RectOf(UIElementType::CaptionArea), RECT{0, 0, 300, 25}));

    ShowWindow(edit, SW_HIDE);
    f.grid->Paint(canvas.Dc(), RECT{0, 0, 250, 200}, RECT{0, 0, 250, 200});
    CHECK(f.layout.editRepositions == 3);
    DestroyWindow(edit);
}

TEST_CASE("a layout makes its root through the installed maker, and paints with its own appearance")
{
    static ElementsControl control;
    LayoutRootElement::SetControlLookup([](HvLayout&) -> UIElementControlSeam* { return &control; });
    InstallDisplayLayoutParts();
    HvLayout* layout = nullptr;
    REQUIRE(HvLayout::Create(nullptr, nullptr, &layout) == S_OK);
    LayoutRootElementSeam* root = layout->GetRootUIElement(false, false);
    REQUIRE(root);
    HvGridUIElement* grid = LayoutRootElement::GridElement(root);
    REQUIRE(grid);

    Constants_UIElement type = static_cast<Constants_UIElement>(0);
    CHECK(grid->get_Type(&type) == S_OK);
    CHECK(type == 100);

    IHvAppearance* appearance = nullptr;
    REQUIRE(layout->get_Appearance(&appearance) == S_OK);
    REQUIRE(appearance);
    appearance->put_BackColor(Blue);
    appearance->Release();

    Canvas canvas(120, 80, White);
    grid->Paint(canvas.Dc(), RECT{0, 0, 120, 80}, RECT{0, 0, 120, 80});
    // The resolved BorderStyle (thin, 1 pixel) keeps the data area inside.
    CHECK(grid->GetBorderStyle() == 8);
    HvUIElement* data = nullptr;
    for (HvUIElement* child : grid->ChildSnapshot()) {
        if (child->Type() == UIElementType::DataArea)
            data = child;
        child->Release();
    }
    REQUIRE(data);
    CHECK(Same(data->StoredRect(), RECT{1, 1, 119, 79}));
    CHECK(canvas.At(60, 40) == Blue);

    // Dropping the layout's tree leaves a client's element dead.
    grid->AddRef();
    layout->Release();
    CHECK_FALSE(grid->IsAlive());
    IHvUIElements* children = nullptr;
    CHECK(FAILED(grid->get_UIElements(&children)));
    CHECK(children == nullptr);
    grid->Release();
    LayoutRootElement::SetControlLookup(nullptr);
}

namespace {

// A draw filter that answers one cursor for every element.
class CursorFilter final : public IHvTVDrawFilter {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IHvTVDrawFilter) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP BeforeDraw(IHvTVDraw*, VARIANT_BOOL*) override { return S_OK; }
    STDMETHODIMP BeforeDrawBackground(IHvTVDraw*, VARIANT_BOOL*) override { return S_OK; }
    STDMETHODIMP BeforeDrawBorders(IHvTVDraw*, VARIANT_BOOL*) override { return S_OK; }
    STDMETHODIMP BeforeDrawForeground(IHvTVDraw*, VARIANT_BOOL*) override { return S_OK; }
    STDMETHODIMP AfterDraw(IHvTVDraw*) override { return S_OK; }
    STDMETHODIMP BeforeSetCursor(IHvUIElement*, VARIANT_BOOL, OLE_HANDLE* cursor) override
    {
        ++calls;
        *cursor = answer;
        return S_OK;
    }
    OLE_HANDLE answer = 0;
    int calls = 0;
};

class FilteringLayout final : public UIElementLayoutSeam {
public:
    explicit FilteringLayout(ElementsLayout& inner) : inner_(inner) {}
    bool IsLayoutActive() override { return true; }
    IDispatch* LayoutDispatch() override { return nullptr; }
    UIElementControlSeam* GetControl() override { return &inner_.control; }
    HvUIElement* GetRootUIElement() override { return inner_.root; }
    void FitToClientRect() override {}
    HvTVDraw* GetDrawObject() override { return nullptr; }
    IHvTVDrawFilter* GetDrawFilter() override { return &filter; }
    HWND GetEditWindow() override { return nullptr; }
    HWND GetActiveCellEditWindow() override { return nullptr; }
    bool GetFormRect(RECT&) override { return false; }
    bool GetContainerRect(RECT&) override { return false; }
    CursorFilter filter;

private:
    ElementsLayout& inner_;
};

} // namespace

TEST_CASE("the draw filter may choose the cursor; without an answer the element's own is shown")
{
    ElementsLayout inner;
    inner.gridAppearance.SetMousePointer(2);
    FilteringLayout layout(inner);
    HvGridUIElement* grid = HvGridUIElement::Make(&layout, &inner, RECT{0, 0, 100, 100});
    REQUIRE(grid);
    inner.root = grid;
    const HCURSOR own = grid->GetCursor();
    REQUIRE(own);

    CHECK(grid->CursorAt(POINT{10, 10}) == own);
    CHECK(layout.filter.calls == 1);
    const HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
    layout.filter.answer = static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(hand));
    CHECK(grid->CursorAt(POINT{10, 10}) == hand);
    // The wait cursor wins over the filter.
    inner.busy = true;
    CHECK(grid->CursorAt(POINT{10, 10}) == LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));
    CHECK(layout.filter.calls == 2);
    grid->Deactivate();
    grid->Release();
}
