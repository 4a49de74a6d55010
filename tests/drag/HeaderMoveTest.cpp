// The column and group moves over a real layout with its band, columns and
// groups, and a stand-in control that answers the hit tests and records the
// position events: who is dragged, where a drop is allowed, the new header
// order, the events with their copies, and Cancel.
#include <doctest/doctest.h>

#include "ColumnMoveOperation.h"
#include "GroupMoveOperation.h"
#include "HeaderDragHost.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvColumn.h"
#include "HvGroup.h"
#include "HvGroupCols.h"
#include "HvLayout.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring KeyOf(HvKeyedItem* item)
{
    const CDualString* key = item ? item->GetKey() : nullptr;
    const char* text = key ? key->c_str() : nullptr;
    return text ? std::wstring(text, text + strlen(text)) : std::wstring();
}

std::wstring OrderText(const std::vector<HvKeyedItem*>& order)
{
    std::wstring text;
    for (HvKeyedItem* item : order)
        text += KeyOf(item);
    return text;
}

// The keys of an event collection's items, read through automation.
template <class TCollection, class TItem>
std::wstring EventKeys(TCollection* collection, std::vector<TItem*>* held)
{
    long count = 0;
    collection->get_Count(&count);
    std::wstring keys;
    for (long i = 0; i < count; ++i) {
        VARIANT index;
        VariantInit(&index);
        V_VT(&index) = VT_I4;
        V_I4(&index) = i;
        TItem* item = nullptr;
        if (FAILED(collection->get_Item(index, &item)) || !item)
            continue;
        BSTR key = nullptr;
        item->get_Key(&key);
        keys += key ? key : L"?";
        SysFreeString(key);
        if (held)
            held->push_back(item);
        else
            item->Release();
    }
    return keys;
}

// Stands for the control's interface, counting its references.
struct CountedControl final : IUnknown {
    STDMETHODIMP QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 0;
};

struct MoveHost final : HeaderDragHost {
    HvSelectableItem* ObjectFromPoint(POINT, RECT* rectangle) override
    {
        if (rectangle)
            *rectangle = hitRect;
        return hit;
    }
    bool HeaderElementAt(POINT, DragHeaderElement*) override { return false; }
    bool BandHeadersAt(POINT, DragBandHeaders* headers) override
    {
        *headers = bandHeaders;
        return !bandHeaders.children.empty();
    }
    bool HasColScrollRegions() override { return false; }
    IHvColScrollRegion* ColScrollRegionAt(LONG) override { return nullptr; }
    void ArmAutoScroll(int, int, bool) override {}
    void DisarmAutoScroll() override {}
    void PrepareDragImage(HvColumnGroupImpl*, CDragTracker&, bool) override {}
    bool IsDesignMode() override { return false; }
    bool CanFireEvents() override { return eventsAllowed; }
    IUnknown* ControlUnknown() override { return &control; }
    bool FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override
    {
        controlRefsInEvent = control.refs;
        log += L"BeforeCol(" + std::to_wstring(action) + L"," + EventKeys(columns, &heldCopies) + L")";
        return cancel;
    }
    void FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override
    {
        log += L"AfterCol(" + std::to_wstring(action) + L"," + EventKeys<IHvSelectedCols, IHvColumn>(columns, nullptr) +
               L")";
    }
    bool FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override
    {
        log += L"BeforeGroup(" + std::to_wstring(action) + L"," + EventKeys(groups, &heldGroups) + L")";
        return cancel;
    }
    void FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override
    {
        log += L"AfterGroup(" + std::to_wstring(action) + L"," + EventKeys<IHvGroups, IHvGroup>(groups, nullptr) +
               L")";
    }
    void HeadersMoved() override { ++moves; }

    HvSelectableItem* hit = nullptr;
    RECT hitRect{};
    DragBandHeaders bandHeaders;
    bool eventsAllowed = true;
    bool cancel = false;
    std::wstring log;
    std::vector<IHvColumn*> heldCopies;
    std::vector<IHvGroup*> heldGroups;
    int moves = 0;
    CountedControl control;
    ULONG controlRefsInEvent = 0;
};

struct BandFixture {
    BandFixture()
    {
        REQUIRE(HvLayout::Create(nullptr, nullptr, &layout) == S_OK);
        CDualString name("Analises");
        GridBandSeam* seam = nullptr;
        REQUIRE(layout->CreateBand(layout->Bands(), nullptr, &name, &seam) == S_OK);
        band = dynamic_cast<HvBand*>(seam);
        REQUIRE(band != nullptr);
        REQUIRE(layout->Bands()->InsertVectorCollectionItem(-1, band, false, 0) == S_OK);
        for (const char* key : {"A", "B", "C", "D", "E"}) {
            CDualString columnKey(key);
            GridColumnSeam* column = nullptr;
            REQUIRE(band->AddColumn(&columnKey, &column) == S_OK);
            column->StoreWidth(60);
            columns.push_back(dynamic_cast<HvColumn*>(column));
        }
    }
    ~BandFixture()
    {
        for (IHvColumn* copy : host.heldCopies)
            copy->Release();
        for (IHvGroup* copy : host.heldGroups)
            copy->Release();
        layout->Detach();
        layout->Deactivate();
        layout->Release();
    }
    BandFixture(const BandFixture&) = delete;
    BandFixture& operator=(const BandFixture&) = delete;

    HvColumn* Column(char key) { return columns[static_cast<size_t>(key - 'A')]; }
    void Override(LONG colMoving, LONG groupMoving)
    {
        IHvOverride* override = nullptr;
        REQUIRE(band->get_Override(&override) == S_OK);
        if (colMoving)
            CHECK(override->put_AllowColMoving(static_cast<Constants_AllowColMoving>(colMoving)) == S_OK);
        if (groupMoving)
            CHECK(override->put_AllowGroupMoving(static_cast<Constants_AllowGroupMoving>(groupMoving)) == S_OK);
        override->Release();
    }
    HvGroup* AddGroup(const wchar_t* key, const char* members)
    {
        IHvGroups* groups = nullptr;
        REQUIRE(band->get_Groups(&groups) == S_OK);
        VARIANT name;
        VariantInit(&name);
        V_VT(&name) = VT_BSTR;
        V_BSTR(&name) = SysAllocString(key);
        VARIANT missing;
        VariantInit(&missing);
        V_VT(&missing) = VT_ERROR;
        V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
        IHvGroup* added = nullptr;
        REQUIRE(groups->Add(name, missing, missing, &added) == S_OK);
        VariantClear(&name);
        groups->Release();
        HvGroup* group = HvGroup::FromObject(added);
        added->Release();
        SHORT position = 0;
        for (const char* m = members; *m; ++m)
            REQUIRE(Column(*m)->MoveToGroup(group, nullptr, position++) == S_OK);
        return group;
    }
    // Drags from the header under the mouse onto the target's half.
    template <class TOperation>
    TOperation* Drag(HvColumnGroupImpl* underMouse, bool* begun)
    {
        auto* operation = new TOperation(band, &host);
        *begun = operation->Begin(underMouse);
        return operation;
    }
    // Aims at the target's left (side 0) or right (side 1) half.
    POINT Aim(HvSelectableItem* target, int side)
    {
        host.hit = target;
        host.hitRect = RECT{100, 0, 160, 20};
        return POINT{side == 1 ? 150 : 110, 10};
    }

    HvLayout* layout = nullptr;
    HvBand* band = nullptr;
    std::vector<HvColumn*> columns;
    MoveHost host;
};

std::wstring Keys(const std::vector<HvColumnGroupImpl*>& items)
{
    std::wstring keys;
    for (HvColumnGroupImpl* item : items)
        keys += KeyOf(dynamic_cast<HvKeyedItem*>(item));
    return keys;
}

} // namespace

TEST_CASE("selected columns dropped on a column's right half land after it in their order")
{
    BandFixture f;
    for (char key : {'A', 'C', 'D'})
        f.Column(key)->SetSelectedFlag(true);
    bool begun = false;
    ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('A'), &begun);
    REQUIRE(begun);
    CHECK(Keys(operation->Items()) == L"ACD");
    CHECK(operation->HasSeveralItems());

    HeaderDragTarget target;
    RECT rect{};
    POINT point = f.Aim(f.Column('B'), 1);
    REQUIRE(operation->FindTarget(point, &target, &rect));
    CHECK(target.GetColumn() == f.Column('B'));
    CHECK(operation->CanDrop(point, &target, &rect));
    CHECK(operation->PerformMove(point, &target, &rect));
    CHECK(OrderText(f.band->ColumnHeaderOrder()) == L"BACDE");
    CHECK(f.host.log == L"BeforeCol(0,ACD)AfterCol(0,ACD)");
    CHECK(f.host.moves == 1);
    // The control is held while its events run, and let go afterwards.
    CHECK(f.host.controlRefsInEvent == 1);
    CHECK(f.host.control.refs == 0);
    // The copies the Before event saw are dead now.
    REQUIRE(f.host.heldCopies.size() == 3);
    float width = 0;
    CHECK(f.host.heldCopies[0]->get_Width(&width) == static_cast<HRESULT>(0x800AA21B));
    operation->Release();
}

TEST_CASE("a drop on a dragged column or back in place moves nothing")
{
    BandFixture f;
    f.Column('B')->SetSelectedFlag(true);
    f.Column('C')->SetSelectedFlag(true);
    bool begun = false;
    ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('B'), &begun);
    REQUIRE(begun);
    struct Case {
        char target;
        int side;
    };
    for (const Case& c : {Case{'C', 1}, Case{'B', 0}, Case{'D', 0}, Case{'A', 1}}) {
        CAPTURE(c.target);
        CAPTURE(c.side);
        HeaderDragTarget target;
        RECT rect{};
        POINT point = f.Aim(f.Column(c.target), c.side);
        REQUIRE(operation->FindTarget(point, &target, &rect));
        CHECK_FALSE(operation->CanDrop(point, &target, &rect));
    }
    HeaderDragTarget target;
    RECT rect{};
    POINT point = f.Aim(f.Column('C'), 1);
    REQUIRE(operation->FindTarget(point, &target, &rect));
    CHECK_FALSE(operation->PerformMove(point, &target, &rect));
    CHECK(OrderText(f.band->ColumnHeaderOrder()) == L"ABCDE");
    CHECK(f.host.log.empty());
    operation->Release();
}

TEST_CASE("dragging an unselected column moves the selected ones")
{
    BandFixture f;
    f.Column('B')->SetSelectedFlag(true);
    f.Column('C')->SetSelectedFlag(true);
    bool begun = false;
    ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('E'), &begun);
    REQUIRE(begun);
    CHECK(Keys(operation->Items()) == L"BC");
    CHECK(operation->FirstItem() == f.Column('B'));
    HeaderDragTarget target;
    RECT rect{};
    POINT point = f.Aim(f.Column('E'), 1);
    REQUIRE(operation->FindTarget(point, &target, &rect));
    REQUIRE(operation->PerformMove(point, &target, &rect));
    CHECK(OrderText(f.band->ColumnHeaderOrder()) == L"ADEBC");
    operation->Release();

    // Nothing selected: the column under the mouse alone.
    f.Column('B')->SetSelectedFlag(false);
    f.Column('C')->SetSelectedFlag(false);
    operation = f.Drag<ColumnMoveOperation>(f.Column('E'), &begun);
    CHECK(Keys(operation->Items()) == L"E");
    CHECK_FALSE(operation->HasSeveralItems());
    operation->Release();
}

TEST_CASE("a cancelled Before event, or a layout that may not raise events, leaves the order")
{
    struct Case {
        const char* name;
        bool cancel;
        bool eventsAllowed;
        bool answer;
        const wchar_t* log;
    };
    const Case cases[] = {{"cancelled", true, true, false, L"BeforeCol(0,A)"},
                          {"no events now", false, false, true, L""}};
    for (const Case& c : cases) {
        CAPTURE(c.name);
        BandFixture f;
        f.host.cancel = c.cancel;
        f.host.eventsAllowed = c.eventsAllowed;
        bool begun = false;
        ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('A'), &begun);
        HeaderDragTarget target;
        RECT rect{};
        POINT point = f.Aim(f.Column('D'), 0);
        REQUIRE(operation->FindTarget(point, &target, &rect));
        CHECK(operation->PerformMove(point, &target, &rect) == c.answer);
        CHECK(OrderText(f.band->ColumnHeaderOrder()) == L"ABCDE");
        CHECK(f.host.log == c.log);
        // The copies the Before event saw are dead, and the moving mark is
        // gone: the real column takes changes again.
        for (IHvColumn* copy : f.host.heldCopies) {
            float width = 0;
            CHECK(copy->get_Width(&width) == static_cast<HRESULT>(0x800AA21B));
        }
        CHECK_FALSE(f.Column('A')->IsReadOnlyInEvent());
        operation->Release();
    }
}

TEST_CASE("AllowColMoving decides whether a drag starts")
{
    BandFixture f;
    HvGroup* g1 = f.AddGroup(L"G1", "AB");
    f.AddGroup(L"G2", "CD");
    struct Case {
        LONG allow;
        const char* selected;
        bool begins;
    };
    const Case cases[] = {{1, "A", false}, {2, "AB", true}, {2, "AC", false}, {3, "AC", true}};
    for (const Case& c : cases) {
        CAPTURE(c.allow);
        CAPTURE(c.selected);
        f.Override(c.allow, 0);
        for (HvColumn* column : f.columns)
            column->SetSelectedFlag(false);
        for (const char* s = c.selected; *s; ++s)
            f.Column(*s)->SetSelectedFlag(true);
        bool begun = false;
        ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('A'), &begun);
        CHECK(begun == c.begins);
        if (!begun && c.allow == 2)
            CHECK(operation->GetItemCount() == 0);
        operation->Release();
    }
    // Columns of a group are collected in the group's column order.
    f.Override(3, 0);
    for (HvColumn* column : f.columns)
        column->SetSelectedFlag(column == f.Column('B') || column == f.Column('D'));
    bool begun = false;
    ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('A'), &begun);
    CHECK(Keys(operation->Items()) == L"BD");
    operation->Release();
    CHECK(g1->GetDragKind() == HvDragKindGroup);
}

TEST_CASE("the column drop test follows AllowColMoving and the groups")
{
    BandFixture f;
    f.AddGroup(L"G1", "AB");
    HvGroup* g2 = f.AddGroup(L"G2", "CD");
    struct Case {
        LONG allow;
        char dragged;
        HvSelectableItem* target;
        bool accepted;
    };
    const Case cases[] = {
        {2, 'A', f.Column('B'), true},   // within its own group
        {2, 'A', f.Column('C'), false},  // another group's column
        {2, 'A', g2, false},             // another group
        {3, 'A', f.Column('C'), true},   // anywhere in the band
        {3, 'A', g2, true},
        {3, 'A', nullptr, false},        // nothing under the point
    };
    for (const Case& c : cases) {
        CAPTURE(c.allow);
        CAPTURE(c.dragged);
        f.Override(c.allow, 0);
        bool begun = false;
        ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column(c.dragged), &begun);
        REQUIRE(begun);
        HeaderDragTarget target;
        RECT rect{};
        const POINT point = f.Aim(c.target, 0);
        CHECK(operation->FindTarget(point, &target, &rect) == c.accepted);
        CHECK((target.object != nullptr) == c.accepted);
        operation->Release();
    }
}

TEST_CASE("over a group's header area a column targets the group at the level under the point")
{
    BandFixture f;
    HvGroup* group = f.AddGroup(L"G1", "AB");
    REQUIRE(f.band->put_LevelCount(2) == S_OK);
    const LONG levelHeight = f.band->ColumnHeaderHeight() / 2;
    REQUIRE(levelHeight > 0);
    f.host.hit = nullptr;
    DragBandHeaders::Child child;
    child.rect = RECT{40, 0, 160, 20};
    child.object = group;
    f.host.bandHeaders.children.push_back(child);

    bool begun = false;
    ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('C'), &begun);
    REQUIRE(begun);
    struct Case {
        LONG x, y;
        bool found;
        int level;
    };
    const Case cases[] = {{100, 20 + 1, true, 0},
                          {100, 20 + levelHeight + 1, true, 1},
                          {100, 20 + 2 * levelHeight + 1, false, -1},
                          {40, 21, false, -1}}; // on the group's edge
    for (const Case& c : cases) {
        CAPTURE(c.y);
        HeaderDragTarget target;
        RECT rect{};
        CHECK(operation->FindTarget(POINT{c.x, c.y}, &target, &rect) == c.found);
        CHECK(target.level == c.level);
        if (c.found) {
            CHECK(target.GetGroup() == group);
            CHECK(rect.left == 40);
            CHECK(rect.right == 160);
            CHECK(rect.top == 20 + c.level * levelHeight);
            CHECK(rect.bottom - rect.top == levelHeight);
        }
    }
    operation->Release();
}

TEST_CASE("groups move by the band's group order")
{
    BandFixture f;
    HvGroup* g1 = f.AddGroup(L"G1", "A");
    HvGroup* g2 = f.AddGroup(L"G2", "B");
    HvGroup* g3 = f.AddGroup(L"G3", "C");
    f.Override(0, 2);
    bool begun = false;
    GroupMoveOperation* operation = f.Drag<GroupMoveOperation>(g1, &begun);
    REQUIRE(begun);
    CHECK(Keys(operation->Items()) == L"G1");

    HeaderDragTarget target;
    RECT rect{};
    POINT point = f.Aim(f.Column('B'), 0); // a column is no group target
    CHECK_FALSE(operation->FindTarget(point, &target, &rect));
    point = f.Aim(g2, 0); // back where it stands
    REQUIRE(operation->FindTarget(point, &target, &rect));
    CHECK_FALSE(operation->CanDrop(point, &target, &rect));
    point = f.Aim(g3, 1);
    REQUIRE(operation->FindTarget(point, &target, &rect));
    CHECK(operation->CanDrop(point, &target, &rect));
    CHECK(operation->PerformMove(point, &target, &rect));
    CHECK(OrderText(f.band->GroupHeaderOrder()) == L"G2G3G1");
    CHECK(f.host.log == L"BeforeGroup(0,G1)AfterGroup(0,G1)");
    REQUIRE(f.host.heldGroups.size() == 1);
    float width = 0;
    CHECK(f.host.heldGroups[0]->get_Width(&width) == static_cast<HRESULT>(0x800AA21B));
    operation->Release();

    f.Override(0, 1);
    operation = f.Drag<GroupMoveOperation>(g1, &begun);
    CHECK_FALSE(begun);
    operation->Release();
}

namespace {

// A group's columns in list order, each followed by its level: "A0B0C1".
std::string GroupText(HvGroup* group)
{
    std::string text;
    HvGroupCols* columns = group->GetGroupCols(false);
    for (LONG i = 0; columns && i < columns->ItemCount(); ++i) {
        auto* column = dynamic_cast<HvColumn*>(columns->ItemAtPosition(i));
        const std::wstring key = KeyOf(columns->ItemAtPosition(i));
        text += std::string(key.begin(), key.end()) + std::to_string(column ? column->Level() : -1);
    }
    return text;
}

// Drags the column under the mouse onto the target and drops it there.
bool DropColumn(BandFixture& f, char dragged, HvSelectableItem* onto, int side, bool* offered)
{
    bool begun = false;
    ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column(dragged), &begun);
    REQUIRE(begun);
    HeaderDragTarget target;
    RECT rect{};
    const POINT point = f.Aim(onto, side);
    REQUIRE(operation->FindTarget(point, &target, &rect));
    *offered = operation->CanDrop(point, &target, &rect);
    const bool moved = *offered && operation->PerformMove(point, &target, &rect);
    operation->Release();
    return moved;
}

} // namespace

TEST_CASE("a column dropped into a group's header level lands there in order")
{
    BandFixture f;
    f.Override(3, 0);
    HvGroup* group = f.AddGroup(L"G1", "AB");
    HvGroup* other = f.AddGroup(L"G2", "CDE");
    REQUIRE(f.band->put_LevelCount(2) == S_OK);
    const LONG levelHeight = f.band->ColumnHeaderHeight() / 2;
    REQUIRE(levelHeight > 0);
    DragBandHeaders::Child child;
    child.rect = RECT{40, 0, 160, 20};
    child.object = group;
    f.host.bandHeaders.children.push_back(child);

    // C from the other group, over the empty second level, left of the middle: C opens that level.
    f.Column('C')->SetSelectedFlag(true);
    bool begun = false;
    ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('C'), &begun);
    REQUIRE(begun);
    f.host.hit = nullptr;
    HeaderDragTarget target;
    RECT rect{};
    const POINT point{60, 20 + levelHeight + 1};
    REQUIRE(operation->FindTarget(point, &target, &rect));
    CHECK(target.level == 1);
    CHECK(operation->CanDrop(point, &target, &rect));
    REQUIRE(operation->PerformMove(point, &target, &rect));
    operation->Release();
    CHECK(GroupText(group) == "A0B0C1");
    CHECK(GroupText(other) == "D0E0");
    CHECK(f.Column('C')->GetGroup() == group);
    CHECK(f.host.log == L"BeforeCol(0,C)AfterCol(0,C)");
    CHECK(f.host.moves == 1);
    CHECK(f.host.control.refs == 0);
    f.Column('C')->SetSelectedFlag(false);

    // D and E together onto the right half of A: after A, in their order.
    f.Column('D')->SetSelectedFlag(true);
    f.Column('E')->SetSelectedFlag(true);
    bool offered = false;
    CHECK(DropColumn(f, 'D', f.Column('A'), 1, &offered));
    CHECK(GroupText(group) == "A0D0E0B0C1");
    CHECK(GroupText(other).empty());
    // Onto the left half of C: into the second level, before C.
    CHECK(DropColumn(f, 'D', f.Column('C'), 0, &offered));
    CHECK(GroupText(group) == "A0B0D1E1C1");
}

TEST_CASE("a drop inside its own group moves the column before or after another")
{
    struct Case {
        char dragged;
        char onto;
        int side;
        bool moves;
        const char* after;
    };
    const Case cases[] = {
        {'A', 'D', 1, true, "B0C0D0A0"},   // right half of the last
        {'D', 'B', 0, true, "A0D0B0C0"},   // left half
        {'C', 'A', 1, true, "A0C0B0D0"},
        {'A', 'B', 0, false, "A0B0C0D0"},  // where it stands already
        {'B', 'A', 1, false, "A0B0C0D0"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.dragged);
        CAPTURE(c.onto);
        CAPTURE(c.side);
        BandFixture f;
        f.Override(2, 0);
        HvGroup* group = f.AddGroup(L"G1", "ABCD");
        bool offered = false;
        CHECK(DropColumn(f, c.dragged, f.Column(c.onto), c.side, &offered) == c.moves);
        CHECK(offered == c.moves);
        CHECK(GroupText(group) == c.after);
        CHECK(f.host.log.empty() == !c.moves);
    }
}

TEST_CASE("a cancelled Before event leaves the group's order")
{
    BandFixture f;
    f.Override(2, 0);
    HvGroup* group = f.AddGroup(L"G1", "ABC");
    f.host.cancel = true;
    bool begun = false;
    ColumnMoveOperation* operation = f.Drag<ColumnMoveOperation>(f.Column('A'), &begun);
    REQUIRE(begun);
    HeaderDragTarget target;
    RECT rect{};
    const POINT point = f.Aim(f.Column('C'), 1);
    REQUIRE(operation->FindTarget(point, &target, &rect));
    CHECK_FALSE(operation->PerformMove(point, &target, &rect));
    operation->Release();
    CHECK(GroupText(group) == "A0B0C0");
    CHECK(f.host.log == L"BeforeCol(0,A)");
    CHECK(f.host.moves == 0);
    REQUIRE(f.host.heldCopies.size() == 1);
    float width = 0;
    CHECK(f.host.heldCopies[0]->get_Width(&width) == static_cast<HRESULT>(0x800AA21B));
    CHECK_FALSE(f.Column('A')->IsReadOnlyInEvent());
}
