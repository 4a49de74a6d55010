// The UI element base over a stand-in layout: lazy positioning with reuse by
// type, hit-tests, descendant and ancestor searches, liveness and the
// automation members.
#include "DisplayFakes.h"

#include "ElementCursors.h"

#include "HvUIElements.h"
#include "HvUIRect.h"
#include "ModelTestSupport.h"

#include <doctest/doctest.h>

namespace {

constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);

RECT R(int l, int t, int r, int b)
{
    return RECT{l, t, r, b};
}

// Grid 100 (0,0,100,100)
//   DataArea 300 (0,0,100,100)
//     Intersection 1000 (0,0,100,80): row region R1, column region C1
//       Row 5000 (0,0,100,20): Row1
//         Cell 6000 (0,0,50,20): Cell1
//           Text 10000 (2,2,40,18)
//         Cell 6000 (50,0,100,20): Cell2
//       Connector 2000 (0,40,10,60)
//       Row 5000 (0,50,100,70): Row2
//         Indicator 5200 (2,52,8,58)
//       Row 5000 (0,200,100,220): off the region, never made
struct Tree {
    Tree()
    {
        // Any automation object serves as a context object here.
        for (auto** object : {&r1, &c1, &row1, &row2, &cell1, &cell2}) {
            HvUIRect* made = nullptr;
            HvUIRect::Create(nullptr, &made);
            *object = made;
        }
        grid = TestElement::Make(&layout, nullptr, R(0, 0, 100, 100), UIElementType::Grid);
        layout.root = grid;
        grid->plan = {{300, R(0, 0, 100, 100),
                        {{1000, R(0, 0, 100, 80),
                          {{5000, R(0, 0, 100, 20),
                            {{6000, R(0, 0, 50, 20), {{10000, R(2, 2, 40, 18), {}}}},
                             {6000, R(50, 0, 100, 20), {}}}},
                           {2000, R(0, 40, 10, 60), {}},
                           {5000, R(0, 50, 100, 70), {{5200, R(2, 52, 8, 58), {}}}},
                           {5000, R(0, 200, 100, 220), {}}}}}}};
        Layout();
    }
    ~Tree()
    {
        grid->Release();
        for (CAutomationObject* object : {r1, c1, row1, row2, cell1, cell2})
            object->CUnknownObject::Release();
    }
    // Positions the tree and names the context objects.
    void Layout()
    {
        grid->PositionChildElements();
        area = grid->Child(300);
        intersection = area->Child(1000);
        intersection->rowRegion = r1;
        intersection->colRegion = c1;
        rowA = intersection->Child(5000);
        rowA->row = row1;
        cellA = rowA->Child(6000);
        cellA->cell = cell1;
        cellB = rowA->Child(6000, 1);
        cellB->cell = cell2;
        text = cellA->Child(10000);
        connector = intersection->Child(2000);
        rowB = intersection->Child(5000, 1);
        rowB->row = row2;
        indicator = rowB->Child(5200);
    }

    FakeLayout layout;
    CAutomationObject* r1 = nullptr;
    CAutomationObject* c1 = nullptr;
    CAutomationObject* row1 = nullptr;
    CAutomationObject* row2 = nullptr;
    CAutomationObject* cell1 = nullptr;
    CAutomationObject* cell2 = nullptr;
    TestElement* grid = nullptr;
    TestElement* area = nullptr;
    TestElement* intersection = nullptr;
    TestElement* rowA = nullptr;
    TestElement* cellA = nullptr;
    TestElement* cellB = nullptr;
    TestElement* text = nullptr;
    TestElement* connector = nullptr;
    TestElement* rowB = nullptr;
    TestElement* indicator = nullptr;
};

} // namespace

TEST_CASE("positioning places only children that meet the parent, and reuses them by type")
{
    Tree tree;
    CHECK(tree.intersection->GetChildElementList(false)->ItemCount() == 3);
    CHECK(tree.rowB->GetParent() == tree.intersection);
    const int made = TestElement::made;
    TestElement* before = tree.cellB;
    tree.grid->PositionChildElements();
    CHECK(TestElement::made == made);
    CHECK(tree.rowA->Child(6000, 1) == before);

    // An element held by an input operation is not taken: a new one is made.
    tree.cellB->AddRefContextObjects();
    CHECK(tree.cellB->IsHeld());
    tree.rowA->PositionChildElements();
    CHECK(TestElement::made == made + 1);
    CHECK(tree.rowA->Child(6000) != before);
}

TEST_CASE("a held element lets go of the objects it took, though its row element now shows another row")
{
    Tree tree;
    auto count = [](CAutomationObject* object) {
        object->CUnknownObject::AddRef();
        return object->CUnknownObject::Release();
    };
    const ULONG row1 = count(tree.row1), row2 = count(tree.row2), cell2 = count(tree.cell2);
    tree.cellB->AddRefContextObjects();
    CHECK(count(tree.row1) == row1 + 1);
    CHECK(count(tree.cell2) == cell2 + 1);
    // A scroll reuses the parent row element for the next row meanwhile.
    tree.rowA->row = tree.row2;
    tree.cellB->ReleaseContextObjects();
    CHECK(!tree.cellB->IsHeld());
    CHECK(count(tree.row1) == row1);
    CHECK(count(tree.row2) == row2);
    CHECK(count(tree.cell2) == cell2);
    // A second hold without a release in between takes each object once.
    tree.cellB->AddRefContextObjects();
    tree.cellB->AddRefContextObjects();
    tree.cellB->ReleaseContextObjects();
    CHECK(count(tree.row2) == row2);
    CHECK(count(tree.cell2) == cell2);
    tree.rowA->row = tree.row1;
}

TEST_CASE("hit-testing finds the deepest element under the point up to the asked type")
{
    Tree tree;
    struct Case {
        POINT point;
        ULONG type;
        TestElement* Tree::*expected; // null member: no element
    };
    const Case cases[] = {
        {{10, 10}, UIElementType::Any, &Tree::text},
        {{45, 10}, UIElementType::Any, &Tree::cellA},
        {{60, 10}, UIElementType::Any, &Tree::cellB},
        {{60, 10}, 6000, &Tree::cellB},
        {{60, 10}, 4000, &Tree::intersection},
        {{5, 55}, UIElementType::Any, &Tree::indicator},
        {{5, 45}, UIElementType::Any, &Tree::connector},
        {{5, 55}, 2000, &Tree::connector},
        {{50, 90}, UIElementType::Any, &Tree::area},
        {{99, 99}, 100, &Tree::grid},
        {{100, 10}, UIElementType::Any, nullptr},
        {{10, 10}, 50, nullptr},
    };
    for (const Case& c : cases) {
        CAPTURE(c.point.x);
        CAPTURE(c.point.y);
        CAPTURE(c.type);
        HvUIElement* expected = c.expected ? static_cast<HvUIElement*>(tree.*c.expected) : nullptr;
        CHECK(tree.grid->ElementFromPoint(c.point, c.type, false, false) == expected);
    }
    CHECK(tree.connector->ElementFromPoint(POINT{5, 45}, UIElementType::Any, true, false) == nullptr);

    CAutomationObject* cell = nullptr;
    CHECK(tree.grid->CellFromPoint(POINT{10, 10}, &cell) == tree.cellA);
    CHECK(cell == tree.cell1);
    CHECK(tree.grid->CellFromPoint(POINT{5, 55}, &cell) == nullptr);
    CHECK(cell == nullptr);
}

TEST_CASE("adjustable elements are found up to 2 pixels beyond the right and bottom edges")
{
    FakeLayout layout;
    TestElement* grid = TestElement::Make(&layout, nullptr, R(0, 0, 100, 100), UIElementType::Grid);
    grid->plan = {{300, R(10, 10, 30, 30), {{5300, R(12, 12, 28, 28), {}}}}};
    grid->PositionChildElements();
    TestElement* sizer = grid->Child(300)->Child(5300);
    sizer->adjustable = true;
    sizer->adjustArea = R(26, 12, 40, 28);
    struct Case {
        int x;
        bool found;
    };
    for (const Case& c : {Case{27, true}, Case{31, true}, Case{32, true}, Case{33, false}, Case{20, false}}) {
        CAPTURE(c.x);
        CHECK((grid->AdjustableElementFromPoint(POINT{c.x, 20}) == sizer) == c.found);
    }
    layout.active = false;
    CHECK(grid->AdjustableElementFromPoint(POINT{27, 20}) == nullptr);
    grid->Release();
}

TEST_CASE("descendant search by type and context objects")
{
    Tree tree;
    struct Case {
        const char* name;
        DescendantQuery query;
        TestElement* Tree::*expected;
    };
    const Case cases[] = {
        {"cell by cell", {6000, nullptr, nullptr, nullptr, nullptr, tree.cell2, nullptr}, &Tree::cellB},
        {"cell of another row", {6000, nullptr, nullptr, tree.row2, nullptr, nullptr, nullptr}, nullptr},
        {"first cell of the row", {6000, nullptr, nullptr, tree.row1, nullptr, nullptr, nullptr}, &Tree::cellA},
        {"row by region and row", {5000, tree.r1, nullptr, tree.row2, nullptr, nullptr, nullptr}, &Tree::rowB},
        {"region that is not there", {1000, tree.c1, nullptr, nullptr, nullptr, nullptr, nullptr}, nullptr},
        {"intersection by its regions", {1000, tree.r1, tree.c1, nullptr, nullptr, nullptr, nullptr},
         &Tree::intersection},
        {"a row with no cell asked", {5000, nullptr, nullptr, nullptr, nullptr, MustBeNone, nullptr}, &Tree::rowA},
        {"a cell that must have no cell", {6000, nullptr, nullptr, nullptr, nullptr, MustBeNone, nullptr}, nullptr},
        {"type above the element's", {50, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}, nullptr},
    };
    for (const Case& c : cases) {
        const std::string name = c.name;
        CAPTURE(name);
        HvUIElement* expected = c.expected ? static_cast<HvUIElement*>(tree.*c.expected) : nullptr;
        CHECK(tree.grid->GetDescendant(c.query) == expected);
    }
}

TEST_CASE("ancestor walks: resolve by type, common ancestor, equivalence")
{
    Tree tree;
    CHECK(tree.text->ResolveUIElementOfType(10000) == tree.text);
    CHECK(tree.text->ResolveUIElementOfType(5000) == tree.rowA);
    CHECK(tree.text->ResolveUIElementOfType(4000) == nullptr);
    CHECK(tree.text->ResolveRow() == tree.row1);
    CHECK(tree.text->ResolveRowScrollRegion() == tree.r1);
    CHECK(tree.text->ResolveBand() == nullptr);
    CHECK(tree.text->IsDescendantOf(tree.intersection));
    CHECK_FALSE(tree.intersection->IsDescendantOf(tree.text));

    struct Case {
        TestElement* Tree::*a;
        TestElement* Tree::*b;
        TestElement* Tree::*common;
    };
    const Case cases[] = {
        {&Tree::text, &Tree::cellB, &Tree::rowA},
        {&Tree::cellB, &Tree::text, &Tree::rowA},
        {&Tree::text, &Tree::indicator, &Tree::intersection},
        {&Tree::text, &Tree::rowA, &Tree::rowA},
        {&Tree::rowA, &Tree::text, &Tree::rowA},
        {&Tree::grid, &Tree::text, &Tree::grid},
        {&Tree::cellA, &Tree::cellA, &Tree::cellA},
    };
    for (const Case& c : cases)
        CHECK(FindCommonAncestorUIElement(tree.*c.a, tree.*c.b) == tree.*c.common);

    CHECK(tree.text->IsEquivalentTo(tree.text));
    CHECK_FALSE(tree.text->IsEquivalentTo(tree.cellA));
}

TEST_CASE("liveness follows the layout, the control and the context objects")
{
    Tree tree;
    CHECK(tree.text->IsAlive());
    CAutomationObject::Deactivate(tree.cell1);
    CHECK_FALSE(tree.text->IsAlive());
    CHECK(tree.cellB->IsAlive());
    CHECK(tree.text->GetFirstAliveAncestor() == tree.rowA);
    tree.layout.hasControl = false;
    CHECK_FALSE(tree.grid->IsAlive());
    CHECK_FALSE(tree.cellB->IsAlive());
    CHECK(tree.cellB->GetFirstAliveAncestor() == nullptr);
}

TEST_CASE("children are positioned again only when marked, from the topmost marked ancestor")
{
    Tree tree;
    tree.grid->VerifyChildElements();
    CHECK(tree.layout.fits == 0);
    tree.grid->MarkChangedAndUpdate(false);
    tree.text->VerifyChildElements();
    CHECK(tree.layout.fits == 1);
    CHECK_FALSE(tree.grid->ChildrenDirty());
}

TEST_CASE("automation members: results, null pointers and dead elements")
{
    Tree tree;
    IHvUIElement* element = tree.text;
    Constants_UIElement type;
    REQUIRE(element->get_Type(&type) == S_OK);
    CHECK(type == hvUIElementText);
    CHECK(element->get_Type(nullptr) == E_INVALIDARG);

    IHvUIElement* found = nullptr;
    REQUIRE(element->ResolveUIElement(hvUIElementRow, &found) == S_OK);
    CHECK(HvUIElement::FromObject(found) == tree.rowA);
    found->Release();
    REQUIRE(element->ResolveUIElement(hvUIElementText, &found) == S_OK);
    CHECK(HvUIElement::FromObject(found) == tree.text);
    found->Release();
    REQUIRE(element->ResolveUIElement(hvUIElementHeader, &found) == S_OK);
    CHECK(found == nullptr);
    VARIANT_BOOL can = VARIANT_TRUE;
    REQUIRE(element->CanResolveUIElement(hvUIElementHeader, &can) == S_OK);
    CHECK(can == VARIANT_FALSE);
    REQUIRE(element->CanResolveUIElement(hvUIElementCell, &can) == S_OK);
    CHECK(can == VARIANT_TRUE);

    IHvUIElement* parent = nullptr;
    REQUIRE(static_cast<IHvUIElement*>(tree.grid)->get_ParentUIElement(&parent) == S_OK);
    CHECK(parent == nullptr);
    IHvUIElements* children = nullptr;
    REQUIRE(static_cast<IHvUIElement*>(tree.rowA)->get_UIElements(&children) == S_OK);
    long count = 0;
    children->get_Count(&count);
    CHECK(count == 2);
    children->Release();

    IHvUIRect* rect = nullptr;
    REQUIRE(element->get_Rect(&rect) == S_OK);
    long width = 0;
    rect->get_Width(&width);
    CHECK(width == 38);
    rect->Release();

    // The layout is gone: members fail, DrawState and Rect still answer.
    tree.layout.active = false;
    CHECK(element->get_Type(&type) == kNotActive);
    CHECK(LastErrorDescription() == L"This object is no longer active");
    CHECK(element->ResolveUIElement(hvUIElementRow, &found) == kNotActive);
    Constants_DrawState state;
    tree.text->drawState = 6;
    CHECK(element->get_DrawState(&state) == S_OK);
    CHECK(state == 6);
    REQUIRE(element->get_Rect(&rect) == S_OK);
    rect->Release();
}

TEST_CASE("a client's element outlives the tree without reaching back to it")
{
    IHvUIElement* kept = nullptr;
    {
        Tree tree;
        kept = tree.text;
        kept->AddRef();
        // The cell's children are rebuilt without a text: the old one leaves.
        tree.cellA->plan = {{6200, R(0, 0, 10, 10), {}}};
        tree.cellA->PositionChildElements();
        CHECK(tree.cellA->Child(10000) == nullptr);
        Constants_UIElement type;
        CHECK(kept->get_Type(&type) == kNotActive);
        IHvUIElement* parent = nullptr;
        CHECK(kept->get_ParentUIElement(&parent) == kNotActive);
    }
    Constants_DrawState state;
    CHECK(kept->get_DrawState(&state) == S_OK);
    CHECK(state == 0);
    CHECK(kept->Release() == 0);
}

TEST_CASE("the Edit and DropDown elements take their place from the editor's windows")
{
    FakeLayout layout;
    HvUIElement* grid = TestElement::Make(&layout, nullptr, R(0, 0, 100, 100), UIElementType::Grid);
    HvUIElement* edit = nullptr;
    REQUIRE(HvUIElement::Create(&layout, grid, R(0, 0, 0, 0), UIElementType::Edit, &edit) == S_OK);
    // Without windows: an empty rectangle, and the stored parent.
    const RECT rect = edit->GetRect();
    CHECK(IsRectEmpty(&rect));
    CHECK(edit->GetParent() == grid);
    HvUIElement* cell = TestElement::Make(&layout, grid, R(0, 0, 10, 10), UIElementType::Cell);
    layout.control.activeCell = cell;
    layout.control.editMode = true;
    CHECK(edit->GetParent() == cell);
    edit->Release();
    cell->Release();
    grid->Release();
}

TEST_CASE("element cursors: one for each id of the library, none for others")
{
    for (WORD id = 107; id <= 111; ++id) {
        CAPTURE(id);
        HCURSOR cursor = GetElementCursor(id);
        CHECK(cursor != nullptr);
        CHECK(GetElementCursor(id) == cursor);
    }
    CHECK(GetElementCursor(106) == nullptr);
    CHECK(GetElementCursor(112) == nullptr);
}
