// The layout's Bands (display consequences of band changes, band-wide
// work, copy and reset of the band tree) and a row's Cells (cells made on
// first use, look-ups, slots that follow the band's columns).
#include <doctest/doctest.h>

#include "CollectionsTestSupport.h"
#include "HvBands.h"
#include "HvCells.h"
#include "HvColumns.h"
#include "LayoutCategories.h"

namespace {

struct BandsFixture {
    BandsFixture() { HvBands::Create(&layout, &bands); }
    ~BandsFixture()
    {
        bands->Deactivate();
        bands->Release();
    }
    BandsFixture(const BandsFixture&) = delete;
    BandsFixture& operator=(const BandsFixture&) = delete;

    // A band made by the collection, hung from parent.
    FakeBand* Add(const char* key, FakeBand* parent = nullptr, LONG value = 0)
    {
        CDualString text(key);
        BSTR wide = text.AllocSysString();
        IDispatch* out = nullptr;
        bands->AddInternal(wide, nullptr, &out, 0);
        SysFreeString(wide);
        FakeBand* band = dynamic_cast<FakeBand*>(HvKeyedItem::FromObject(out));
        out->Release();
        band->parent = parent;
        band->value = value;
        return band;
    }
    FakeBand* BandAt(LONG position) { return static_cast<FakeBand*>(bands->BandAt(position)); }
    std::string Keys()
    {
        std::string text;
        for (LONG i = 0; i < bands->ItemCount(); ++i)
            text += (i ? " " : "") + std::string(BandAt(i)->key.c_str());
        return text;
    }

    FakeLayout layout;
    HvBands* bands = nullptr;
};

struct CellsFixture {
    CellsFixture()
    {
        band->AddColumns(2, 2);
        HvCells::Create(&row, &cells);
        cells->EnsureSlots();
    }
    ~CellsFixture()
    {
        cells->Release();
        band->Release();
    }
    CellsFixture(const CellsFixture&) = delete;
    CellsFixture& operator=(const CellsFixture&) = delete;

    FakeBand* band = FakeBand::Create(nullptr, nullptr, nullptr, nullptr);
    FakeRow row{band};
    HvCells* cells = nullptr;
};

} // namespace

TEST_CASE("what a band's change means for the display")
{
    struct Case {
        DISPID what;
        std::vector<std::string> log;
    } cases[] = {
        {1044, {"metrics!", "root 11", "colregions"}},
        {1047, {"metrics!", "root 11", "colregions"}},
        {1127, {"metrics!", "root 11", "colregions"}},
        {1043, {"rowregions", "root 01"}},
        {1034, {"rowregions", "root 01"}},
        {1038, {"rowregions", "root 01"}},
        {1025, {"attached", "root 01"}},
        {1032, {}},
        {1015, {"root 01"}},
    };
    BandsFixture f;
    FakeBand* band = f.Add("Root");
    NoticeLog log(f.bands);
    for (const Case& c : cases) {
        CAPTURE(c.what);
        f.layout.log.clear();
        band->Change(c.what);
        CHECK(f.layout.log == c.log);
        CHECK(log.what.back() == 1187);
        CHECK(log.innerWhat.back() == c.what);
    }
}

TEST_CASE("Bands.Item and the band-wide work")
{
    BandsFixture f;
    FakeBand* root = f.Add("Root");
    FakeBand* child = f.Add("Child", root);
    Ref<IDispatch> bands(Dispatch(f.bands));
    LateResult r;
    Text key(L"child");
    LateGet(bands.Get(), L"Item", r, {key.v});
    CHECK(KeyOfResult(r) == "Child");
    LateGet(bands.Get(), L"Item", r, {Int(2)});
    CHECK(r.scode == static_cast<HRESULT>(0x800AA21D));

    f.bands->UpdateAllBands();
    CHECK(f.bands->ExpandCollapseAll(true) == S_OK);
    root->expandAnswer = E_ABORT;
    CHECK(f.bands->ExpandCollapseAll(false) == E_ABORT);
    CHECK(root->log == std::vector<std::string>{"bind", "expand 1r", "expand 0r"});
    CHECK(child->log == std::vector<std::string>{"bind", "expand 1r"});

    f.bands->InvalidateAll();
    CHECK(child->log.back() == "heights");
    CHECK(f.layout.log.back() == "colregions");
    f.layout.log.clear();
    f.layout.suspended = true;
    f.bands->InvalidateAll();
    CHECK(f.layout.log.empty());
}

TEST_CASE("the widest band extent")
{
    BandsFixture f;
    CHECK(f.bands->GetMaxBandExtent() == 0);
    FakeBand* a = f.Add("A");
    FakeBand* hidden = f.Add("H");
    FakeBand* b = f.Add("B");
    a->extent = 300;
    hidden->hidden = true;
    hidden->extent = 5000;
    b->origin = 40;
    b->extent = 250;
    b->pending = 100;
    CHECK(f.bands->GetMaxBandExtent() == 390);
    CHECK(b->log.back() == "layout A");
    CHECK(hidden->log.empty());
    f.layout.viewStyle = BandsLayoutSeam::SingleBand;
    CHECK(f.bands->GetMaxBandExtent() == 300);
}

TEST_CASE("copying the band tree")
{
    BandsFixture source;
    FakeBand* root = source.Add("Root", nullptr, 1);
    root->AddColumns(3, 0);
    FakeBand* child = source.Add("Child", root, 2);
    child->parentColumnIndex = 2;
    source.Add("Grand", child, 3);
    source.Add("Second", root, 4);

    SUBCASE("a copy layout is rebuilt from the source tree")
    {
        BandsFixture f;
        f.Add("Stale");
        CHECK(f.bands->CopyFrom(*source.bands, 0) == S_OK);
        CHECK(f.Keys() == "Root Child Grand Second");
        CHECK(f.BandAt(1)->parent == f.BandAt(0));
        CHECK(f.BandAt(2)->parent == f.BandAt(1));
        CHECK(f.BandAt(1)->parentColumn == f.BandAt(0)->ColumnAt(1));
        CHECK(f.BandAt(3)->value == 4);
        CHECK(f.BandAt(2)->log == std::vector<std::string>{"strategy"});
    }
    SUBCASE("a failure stops the copy and keeps what was made")
    {
        BandsFixture f;
        child->value = -1;
        CHECK(f.bands->CopyFrom(*source.bands, 0) == E_FAIL);
        CHECK(f.Keys() == "Root");
    }
    SUBCASE("the grid's own layout keeps its bands and takes settings")
    {
        BandsFixture f;
        f.layout.gridOwn = true;
        FakeBand* mine = f.Add("", nullptr);
        FakeBand* mineChild = f.Add("Child", mine);
        FakeBand* other = f.Add("Other", mine);
        CHECK(f.bands->CopyFrom(*source.bands, 0) == S_OK);
        CHECK(f.Keys() == " Child Other");
        CHECK(mine->value == 1);
        CHECK(mineChild->value == 2);
        CHECK(other->value == 0);
    }
}

TEST_CASE("resetting the bands by category")
{
    for (bool gridOwn : {false, true}) {
        CAPTURE(gridOwn);
        BandsFixture f;
        f.layout.gridOwn = gridOwn;
        FakeBand* band = f.Add("A", nullptr, 5);
        Ref<IDispatch> held(Dispatch(band));
        CHECK(f.bands->ResetForCategories(GroupsCategory & ~BandsCategory) == S_OK);
        CHECK(f.bands->ItemCount() == 1);
        CHECK(f.bands->ResetForCategories(BandsCategory) == S_OK);
        CHECK(f.bands->ItemCount() == (gridOwn ? 1 : 0));
        CHECK(band->value == (gridOwn ? 0 : 5));
        CHECK(CAutomationObject::IsActive(band) == gridOwn);
    }
}

TEST_CASE("a row's cells are made on first use")
{
    CellsFixture f;
    Ref<IDispatch> cells(Dispatch(f.cells));
    LateResult r;
    Text key(L"u1");
    LateGet(cells.Get(), L"Item", r, {key.v});
    CHECK(KeyOfResult(r) == "U1");
    CHECK(f.row.made == 1);
    LateGet(cells.Get(), L"Item", r, {Int(3)});
    CHECK(f.row.made == 1);
    VARIANT real;
    VariantInit(&real);
    V_VT(&real) = VT_R8;
    V_R8(&real) = 1.7;
    LateGet(cells.Get(), L"Item", r, {real});
    CHECK(KeyOfResult(r) == "B1");

    Text unknown(L"Zed");
    Text numeric(L"2");
    // 65536 is not cell 0 cut to 16 bits.
    for (VARIANT index : {Int(99), Int(-1), Int(65536), unknown.v, numeric.v}) {
        LateGet(cells.Get(), L"Item", r, {index});
        CHECK(r.scode == static_cast<HRESULT>(0x800AA21D));
    }
    LateGet(cells.Get(), L"Count", r);
    CHECK(V_I4(&r.value) == 4);

    HvKeyedItem* cell = nullptr;
    CDualString b0("B0");
    CHECK(f.cells->GetCellByColumnKey(&b0, &cell) == S_OK);
    CHECK(std::string(cell->GetKey()->c_str()) == "B0");
    CHECK(f.cells->GetCellAt(4, &cell) == static_cast<HRESULT>(0x800AA21D));

    // _NewEnum fills every slot first.
    IUnknown* enumerator = nullptr;
    CHECK(f.cells->get__NewEnum(&enumerator) == S_OK);
    enumerator->Release();
    CHECK(f.row.made == 4);
}

TEST_CASE("cells that cannot be made")
{
    CellsFixture f;
    f.row.failCreate = true;
    HvKeyedItem* cell = nullptr;
    CHECK(f.cells->GetCellAt(0, &cell) == E_OUTOFMEMORY);
    IHvCell* out = nullptr;
    CHECK(f.cells->get_Item(Int(0), &out) == E_OUTOFMEMORY);
    f.row.failCreate = false;
    f.cells->Deactivate();
    CHECK(f.cells->GetCellAt(0, &cell) == static_cast<HRESULT>(0x800AA21B));
    CHECK(LastErrorDescription() == L"This object is no longer active");
}

TEST_CASE("the slots follow the band's columns")
{
    CellsFixture f;
    HvKeyedItem* cell = nullptr;
    REQUIRE(f.cells->GetCellAt(3, &cell) == S_OK);
    REQUIRE(f.cells->GetCellAt(0, &cell) == S_OK);
    const int live = FakeCell::live;
    Ref<IDispatch> held;
    cell->QueryItemInterface(held.Out());

    // An unbound column goes: its cell is ended and the slots close up, so
    // that each cell stays at its own column's position.
    REQUIRE(f.band->RemoveColumnHeader(f.band->ColumnAt(3)) == S_OK);
    f.cells->SyncWithColumns();
    CHECK(f.cells->ItemCount() == 3);
    CHECK(FakeCell::live == live - 1);
    CHECK(f.cells->ItemAtPosition(2) == nullptr);
    REQUIRE(f.cells->GetCellAt(2, &cell) == S_OK);
    CHECK(std::string(cell->GetKey()->c_str()) == "U0");
    CHECK(CAutomationObject::IsActive(HvKeyedItem::FromObject(held.Get())->GetItemObject()));

    GridColumnSeam* added = nullptr;
    CDualString key("New");
    REQUIRE(f.band->AddColumn(&key, &added) == S_OK);
    f.cells->SyncWithColumns();
    CHECK(f.cells->ItemCount() == 4);
    IHvCell* out = nullptr;
    Text newKey(L"new");
    CHECK(f.cells->get_Item(newKey.v, &out) == S_OK);
    out->Release();

    // Every column gone: the cells go too.
    f.band->Columns()->ClearCollection(true, 0);
    f.cells->SyncWithColumns();
    CHECK(f.cells->ItemCount() == 0);
}
