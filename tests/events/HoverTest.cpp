// Hover tracking over an element tree of stand-in elements: MouseEnter
// outermost first and MouseExit innermost first as the cursor moves,
// elements rebuilt by a re-layout, leaving the window, and the painted and
// hover-notice rules; the events reach a container through the gate of a
// hosted test control.
#include "ControlBaseTestSupport.h"
#include "DisplayFakes.h"

#include "EventEnableMask.h"
#include "HoverHost.h"
#include "HvUIRect.h"
#include "InputDispatcher.h"
#include "InputDispatcherHost.h"
#include "MouseHoverOperation.h"

#include <map>
#include <string>
#include <vector>

namespace {

RECT R(int l, int t, int r, int b)
{
    return RECT{l, t, r, b};
}

struct DispatcherHost final : InputDispatcherHost {
    CControlBase* InputControl() override { return nullptr; }
    HWND GetGridWindow() override { return nullptr; }
    bool ActiveCellHasMaskEngine() override { return false; }
    HWND GetDropDownCalendar() override { return nullptr; }
    bool IsPointInGridArea(int, int) override { return true; }
};

// Grid 100 (0,0,100,100)
//   DataArea 300 (0,0,100,100)
//     Intersection 1000 (0,0,100,80): regions r1, c1
//       Row 5000 (0,0,100,20): row1
//         Cell 6000 (0,0,50,20): cell1
//         Cell 6000 (50,0,100,20): cell2
//       Row 5000 (0,50,100,70): row2
struct Fixture final : HoverHost {
    Fixture() : gate(hosted.control), dispatcher(dispatcherHost)
    {
        hosted.control->SetStockEventSink(&gate);
        for (auto** object : {&r1, &c1, &row1, &row2, &cell1, &cell2}) {
            HvUIRect* made = nullptr;
            HvUIRect::Create(nullptr, &made);
            *object = made;
        }
        grid = TestElement::Make(&layout, nullptr, R(0, 0, 100, 100), UIElementType::Grid);
        layout.root = grid;
        grid->plan = {{300, R(0, 0, 100, 100),
                       {{1000, R(0, 0, 100, 80),
                         {{5000, R(0, 0, 100, 20), {{6000, R(0, 0, 50, 20), {}}, {6000, R(50, 0, 100, 20), {}}}},
                          {5000, R(0, 50, 100, 70), {}}}}}}};
        Layout();
        auto record = [this](const char* what) {
            return [this, what](const hv::container::EventCall& call) {
                seen.push_back(std::string(what) + " " + NameOf(call.Object(0)));
            };
        };
        hosted.host.Events().On(49, record("enter"));
        hosted.host.Events().On(50, record("exit"));
    }
    ~Fixture()
    {
        grid->Release();
        for (CAutomationObject* object : {r1, c1, row1, row2, cell1, cell2})
            object->CUnknownObject::Release();
        hosted.control->SetStockEventSink(nullptr);
    }

    // Positions the tree again (fresh element objects when rebuilt) and
    // names the elements.
    void Layout()
    {
        grid->PositionChildElements();
        TestElement* area = grid->Child(300);
        TestElement* intersection = area->Child(1000);
        intersection->rowRegion = r1;
        intersection->colRegion = c1;
        rowA = intersection->Child(5000);
        rowA->row = row1;
        cellA = rowA->Child(6000);
        cellA->cell = cell1;
        cellB = rowA->Child(6000, 1);
        cellB->cell = cell2;
        rowB = intersection->Child(5000, 1);
        rowB->row = row2;
        names = {{grid, "grid"},     {area, "area"},   {intersection, "inter"}, {rowA, "rowA"},
                 {cellA, "cellA"}, {cellB, "cellB"}, {rowB, "rowB"}};
    }

    std::string NameOf(IDispatch* object)
    {
        for (auto& [element, name] : names)
            if (static_cast<IDispatch*>(element->Interface()) == object)
                return name;
        return "?";
    }

    void Move(int x, int y)
    {
        bool handled = false;
        hover.OnMouseMove(0, x, y, handled);
    }

    // HoverHost
    InputDispatcher* HoverDispatcher() override { return &dispatcher; }
    bool IsDesignMode() override { return designMode; }
    bool HasPainted() override { return painted; }
    HvUIElement* GetRootUIElement() override { return layout.root; }
    HWND GetGridWindow() override { return nullptr; }
    EventEnableMask& EventGate() override { return gate; }
    bool RequestTipHover() override
    {
        ++tipRequests;
        return true;
    }

    HostedControl hosted;
    EventEnableMask gate;
    DispatcherHost dispatcherHost;
    InputDispatcher dispatcher;
    FakeLayout layout;
    CAutomationObject* r1 = nullptr;
    CAutomationObject* c1 = nullptr;
    CAutomationObject* row1 = nullptr;
    CAutomationObject* row2 = nullptr;
    CAutomationObject* cell1 = nullptr;
    CAutomationObject* cell2 = nullptr;
    TestElement* grid = nullptr;
    TestElement* rowA = nullptr;
    TestElement* cellA = nullptr;
    TestElement* cellB = nullptr;
    TestElement* rowB = nullptr;
    std::map<HvUIElement*, std::string> names;
    std::vector<std::string> seen;
    bool designMode = false;
    bool painted = true;
    int tipRequests = 0;
    // Made last: registers with the dispatcher above.
    MouseHoverOperation hover{*this};
};

using Names = std::vector<std::string>;

} // namespace

namespace doctest {
template <>
struct StringMaker<std::vector<std::string>> {
    static String convert(const std::vector<std::string>& names)
    {
        std::string joined;
        for (const std::string& name : names)
            joined += (joined.empty() ? "" : ", ") + name;
        return String(("[" + joined + "]").c_str());
    }
};
} // namespace doctest

namespace {

} // namespace

TEST_CASE("Enter and exit chains follow the cursor through the tree")
{
    Fixture f;
    REQUIRE(f.hover.IsRegistered());

    // The first move enters every element from the root down.
    f.Move(10, 10);
    CHECK(f.seen == Names{"enter grid", "enter area", "enter inter", "enter rowA", "enter cellA"});
    CHECK(f.hover.CurrentElement() == f.cellA);

    // A neighbour in the same row: the row gets nothing.
    f.seen.clear();
    f.Move(60, 10);
    CHECK(f.seen == Names{"exit cellA", "enter cellB"});

    // The same element again: nothing.
    f.seen.clear();
    f.Move(70, 12);
    CHECK(f.seen.empty());

    // Up to an ancestor, then down into another branch.
    f.Move(10, 30);
    CHECK(f.seen == Names{"exit cellB", "exit rowA"});
    f.seen.clear();
    f.Move(10, 60);
    CHECK(f.seen == Names{"enter rowB"});

    // Leaving the window exits up to and including the root.
    f.seen.clear();
    bool handled = false;
    CHECK(f.hover.OnMouseLeave(0, 0, 0, handled) == 0);
    CHECK(f.seen == Names{"exit rowB", "exit inter", "exit area", "exit grid"});
    CHECK(f.hover.CurrentElement() == nullptr);
}

TEST_CASE("A hover notice where another element lies than the current one follows the pointer there")
{
    // A move message that trailed behind the pointer left cellA current;
    // the notice names the place where the pointer rests.
    Fixture f;
    f.Move(10, 10);
    f.seen.clear();
    bool handled = false;
    CHECK(f.hover.OnMouseHover(0, 60, 10, handled) == 0);
    CHECK(f.seen == Names{"exit cellA", "enter cellB"});
    CHECK(f.hover.CurrentElement() == f.cellB);
    // On the current element the notice moves nothing.
    f.seen.clear();
    CHECK(f.hover.OnMouseHover(0, 62, 12, handled) == 0);
    CHECK(f.seen.empty());
}

TEST_CASE("A re-layout that rebuilds the elements fires nothing within the same cell")
{
    Fixture f;
    f.Move(10, 10);
    f.seen.clear();
    // Rebuild: drop the children so fresh element objects are made.
    std::vector<HvUIElement*> none;
    f.grid->ReplaceChildren(none);
    f.Layout();
    CHECK(f.cellA != f.hover.CurrentElement());
    f.Move(12, 10);
    CHECK(f.seen.empty());
    // Leaving forgets the dropped element; the next move starts afresh.
    bool handled = false;
    CHECK(f.hover.OnMouseLeave(0, 0, 0, handled) == 0);
    CHECK(f.hover.CurrentElement() == nullptr);
    f.seen.clear();
    f.Move(60, 10);
    CHECK(f.seen == Names{"enter grid", "enter area", "enter inter", "enter rowA", "enter cellB"});
    CHECK(f.hover.CurrentElement() == f.cellB);
}

TEST_CASE("Nothing is tracked before the first paint; outside the tree a move does nothing")
{
    Fixture f;
    f.painted = false;
    f.Move(10, 10);
    CHECK(f.seen.empty());
    f.designMode = true;
    f.Move(10, 10);
    CHECK(f.seen.size() == 5);

    f.seen.clear();
    bool handled = false;
    CHECK(f.hover.OnMouseMove(0, 500, 500, handled) == 1);
    CHECK(f.seen.empty());
    // No hover notice while the grid is not in the active window.
    CHECK(f.tipRequests == 0);
}
