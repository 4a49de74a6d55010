// The cell's value road, settings and errors, called late-bound as a
// script client calls them.
#include "CellFakes.h"
#include "LateBound.h"

#include <doctest/doctest.h>

namespace {

VARIANT I4(LONG v)
{
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}

VARIANT Null()
{
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_NULL;
    return r;
}

struct CellFixture {
    CellFakeRow row;
    CellFakeColumn column;
    CellFakeGrid grid;
    HvCell* cell = nullptr;
    IDispatch* dispatch = nullptr;

    CellFixture()
    {
        REQUIRE(HvCell::Create(&row, &column, &grid, &cell) == S_OK);
        dispatch = static_cast<IHvCell*>(cell);
    }
    ~CellFixture() { cell->Release(); }
};

} // namespace

TEST_CASE("cell_ bound value passes through the data filter both ways")
{
    CellFixture f;
    CellFakeFilter filter;
    f.grid.filter = &filter;
    f.row.value = I4(5);
    f.row.original = I4(4);

    LateResult got;
    LateGet(f.dispatch, L"Value", got);
    CHECK(got.hr == S_OK);
    CHECK(got.value.lVal == 10);
    CHECK(filter.lastContext == hvGetValueContextReserved);

    LateResult original;
    LateGet(f.dispatch, L"OriginalValue", original);
    CHECK(original.value.lVal == 8);

    LateResult put;
    LatePut(f.dispatch, L"Value", I4(7), put);
    CHECK(put.hr == S_OK);
    CHECK(f.row.value.lVal == 8);
    CHECK(filter.sets == 1);
    CHECK(f.row.rowChanged);
    CHECK(f.grid.log == std::vector<std::string>{"BeforeCellUpdate", "AfterCellUpdate"});
    LateResult changed;
    LateGet(f.dispatch, L"DataChanged", changed);
    CHECK(changed.value.boolVal == VARIANT_TRUE);
}

TEST_CASE("cell_ putting an equal value or Null over Null fires nothing")
{
    CellFixture f;
    f.row.value = I4(3);
    LateResult same;
    LatePut(f.dispatch, L"Value", I4(3), same);
    CHECK(same.hr == S_OK);
    f.row.value = Null();
    LateResult nulls;
    LatePut(f.dispatch, L"Value", Null(), nulls);
    CHECK(nulls.hr == S_OK);
    CHECK(f.grid.log.empty());
    CHECK_FALSE(f.row.rowChanged);
}

TEST_CASE("cell_ value put errors")
{
    CellFixture f;
    SUBCASE("cancelled BeforeCellUpdate writes nothing")
    {
        f.grid.cancelUpdate = true;
        LateResult r;
        LatePut(f.dispatch, L"Value", I4(9), r);
        CHECK(r.hr == S_OK);
        CHECK(f.row.value.vt == VT_EMPTY);
    }
    SUBCASE("inside BeforeCellUpdate the value is read-only")
    {
        f.grid.firing = 1023;
        LateResult r;
        LatePut(f.dispatch, L"Value", I4(9), r);
        CHECK(r.scode == static_cast<SCODE>(0x800A9C58));
    }
    SUBCASE("in edit mode")
    {
        f.cell->SetInEditMode(true);
        LateResult r;
        LatePut(f.dispatch, L"Value", I4(9), r);
        CHECK(r.scode == static_cast<SCODE>(0x800A9C6F));
    }
    SUBCASE("a refused write goes to the data-error road")
    {
        f.row.refuseWrite = E_ACCESSDENIED;
        LateResult r;
        LatePut(f.dispatch, L"Value", I4(9), r);
        CHECK(r.hr != S_OK);
        CHECK(f.grid.log.back() == "ReportUpdateError");
    }
    SUBCASE("bound column without row data")
    {
        f.row.hasData = false;
        LateResult r;
        LateGet(f.dispatch, L"Value", r);
        CHECK(r.scode == E_FAIL);
    }
}

TEST_CASE("cell_ unbound value converts, and InitializeRow leaves DataChanged")
{
    CellFixture f;
    f.column.bound = false;
    f.column.type = VT_I4;
    f.grid.firing = 1057;
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"42");
    LateResult r;
    LatePut(f.dispatch, L"Value", text, r);
    VariantClear(&text);
    CHECK(r.hr == S_OK);
    LateResult got;
    LateGet(f.dispatch, L"Value", got);
    CHECK(got.value.vt == VT_I4);
    CHECK(got.value.lVal == 42);
    CHECK_FALSE(f.row.rowChanged);

    f.cell->RestoreOwnValue();
    LateResult restored;
    LateGet(f.dispatch, L"Value", restored);
    CHECK(restored.value.vt == VT_EMPTY);
}

TEST_CASE("cell_ CancelUpdate writes back only a changed cell and always fires both events")
{
    CellFixture f;
    f.row.value = I4(1);
    f.row.original = I4(1);
    LateResult r;
    LateCall(f.dispatch, L"CancelUpdate", {}, r);
    CHECK(r.hr == S_OK);
    CHECK(f.grid.log == std::vector<std::string>{"BeforeCellCancelUpdate", "AfterCellCancelUpdate"});

    LateResult put;
    LatePut(f.dispatch, L"Value", I4(2), put);
    LateResult cancel;
    LateCall(f.dispatch, L"CancelUpdate", {}, cancel);
    CHECK(f.row.value.lVal == 1);
    LateResult changed;
    LateGet(f.dispatch, L"DataChanged", changed);
    CHECK(changed.value.boolVal == VARIANT_FALSE);
}

TEST_CASE("cell_ CancelUpdate gives back the stored value past the data filter; a failed read gives back nothing")
{
    CellFixture f;
    CellFakeFilter filter;
    f.grid.filter = &filter;
    f.row.value = I4(5);
    f.row.original = I4(4);
    LateResult put;
    LatePut(f.dispatch, L"Value", I4(7), put);
    REQUIRE(f.row.value.lVal == 8);
    f.grid.log.clear();
    LateResult cancel;
    LateCall(f.dispatch, L"CancelUpdate", {}, cancel);
    CHECK(cancel.hr == S_OK);
    // Exactly the stored value, not what the filter would make of it.
    CHECK(f.row.value.lVal == 4);
    CHECK(filter.sets == 1);
    CHECK(f.grid.log == std::vector<std::string>{"BeforeCellCancelUpdate", "AfterCellCancelUpdate"});

    LatePut(f.dispatch, L"Value", I4(9), put);
    f.row.failOriginal = true;
    f.grid.log.clear();
    LateCall(f.dispatch, L"CancelUpdate", {}, cancel);
    CHECK(FAILED(cancel.hr));
    CHECK(f.row.value.lVal == 10);
    CHECK(f.grid.log == std::vector<std::string>{"BeforeCellCancelUpdate"});
}

TEST_CASE("cell_ settings, sizes and editor-selection members")
{
    CellFixture f;
    struct Case {
        const wchar_t* name;
        LONG value;
        SCODE expected;
    } cases[] = {
        {L"Activation", 2, S_OK}, {L"Activation", 3, static_cast<SCODE>(0x800A017C)},
        {L"TabStop", 1, S_OK},    {L"TabStop", -1, static_cast<SCODE>(0x800A017C)},
        {L"SelStart", 0, static_cast<SCODE>(0x800A017C)}, {L"SelLength", 0, static_cast<SCODE>(0x800A017C)},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        CAPTURE(c.value);
        LateResult r;
        LatePut(f.dispatch, c.name, I4(c.value), r);
        CHECK((r.hr == S_OK ? S_OK : r.scode) == c.expected);
    }
    CHECK(f.cell->ResolvedActivation() == 2);

    LateResult height;
    LateGet(f.dispatch, L"Height", height);
    CHECK(height.value.fltVal == doctest::Approx(300.0));
    f.row.levelHeight = 0;
    f.column.extent = 0;
    LateResult h0, w0;
    LateGet(f.dispatch, L"Height", h0);
    LateGet(f.dispatch, L"Width", w0);
    CHECK(h0.value.fltVal == 0.0f);
    CHECK(w0.value.fltVal == 0.0f);

    VARIANT yes;
    yes.vt = VT_BOOL;
    yes.boolVal = VARIANT_TRUE;
    LateResult sel;
    LatePut(f.dispatch, L"Selected", yes, sel);
    LateResult selected;
    LateGet(f.dispatch, L"Selected", selected);
    CHECK(selected.value.boolVal == VARIANT_TRUE);
}

TEST_CASE("cell_ selectable face: activation follows the most restrictive setting")
{
    CellFixture f;
    HvSelectableItem* item = HvSelectableItem::FromKeyed(f.cell);
    REQUIRE(item == static_cast<HvSelectableItem*>(f.cell));
    CHECK(item->MayActivate());
    f.row.activation = hvActivationDisabled;
    CHECK_FALSE(item->MayActivate());
    f.row.activation = hvActivationAllowEdit;
    LateResult r;
    LatePut(f.dispatch, L"Activation", I4(hvActivationDisabled), r);
    CHECK_FALSE(item->MayActivate());

    CHECK(item->Activate(true, 0, 0) == 0);
    CHECK(f.grid.log.back() == "ActivateCell edit");
    item->EnterEditMode();
    CHECK(f.cell->IsInEditMode());
    CHECK(item->Activate(false, 0, 0) != 0);  // already editing: refused

    item->SetSelected(true);
    LateResult selected;
    LateGet(f.dispatch, L"Selected", selected);
    CHECK(selected.value.boolVal == VARIANT_TRUE);
}

TEST_CASE("cell_ while edited: GetText reads the editor, selection members work")
{
    CellFixture f;
    f.column.masked = true;
    LateResult stored;
    LateCall(f.dispatch, L"GetText", {}, stored);
    CHECK(std::wstring(stored.value.bstrVal) == L"0:text");
    VARIANT badMode;
    badMode.vt = VT_I4;
    badMode.lVal = 9;
    LateResult bad;
    LateCall(f.dispatch, L"GetText", {badMode}, bad);
    CHECK(bad.scode == static_cast<SCODE>(0x800A017C));

    f.grid.edit = CreateWindowExW(WS_EX_NOACTIVATE, L"EDIT", L"typed", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  nullptr, nullptr);
    REQUIRE(f.grid.edit);
    ShowWindow(f.grid.edit, SW_SHOWNOACTIVATE);
    f.cell->SetInEditMode(true);

    VARIANT mode;
    mode.vt = VT_I4;
    mode.lVal = hvMaskModeIncludeLiterals;
    LateResult typed;
    LateCall(f.dispatch, L"GetText", {mode}, typed);
    CHECK(std::wstring(typed.value.bstrVal) == L"1:typed");

    struct Case {
        const wchar_t* name;
        LONG value;
        SCODE expected;
    } cases[] = {{L"SelStart", 1, S_OK}, {L"SelLength", 2, S_OK}, {L"SelStart", -1, S_OK},
                 {L"SelStart", -2, static_cast<SCODE>(0x800A017C)}, {L"SelLength", -2, static_cast<SCODE>(0x800A017C)}};
    for (const Case& c : cases) {
        CAPTURE(c.value);
        LateResult r;
        LatePut(f.dispatch, c.name, I4(c.value), r);
        CHECK((r.hr == S_OK ? S_OK : r.scode) == c.expected);
    }
    LateResult whole;
    LatePut(f.dispatch, L"SelLength", I4(-1), whole);
    LateResult text;
    LateGet(f.dispatch, L"SelText", text);
    CHECK(std::wstring(text.value.bstrVal) == L"typed");
    LateResult length;
    LateGet(f.dispatch, L"SelLength", length);
    CHECK(length.value.lVal == 5);

    VARIANT replacement;
    replacement.vt = VT_BSTR;
    replacement.bstrVal = SysAllocString(L"new");
    LateResult put;
    LatePut(f.dispatch, L"SelText", replacement, put);
    VariantClear(&replacement);
    LateResult after;
    LateCall(f.dispatch, L"GetText", {}, after);
    CHECK(std::wstring(after.value.bstrVal) == L"0:new");
    DestroyWindow(f.grid.edit);
}

TEST_CASE("cell_ a detached cell is no longer active")
{
    CellFixture f;
    f.cell->Detach();
    LateResult r;
    LateGet(f.dispatch, L"Value", r);
    CHECK(r.scode == static_cast<SCODE>(0x800AA21B));
}
