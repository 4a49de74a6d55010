// Override objects: the late-bound property table, sizes in container units
// at two DPIs, appearance slots and their notices, the resolved form,
// strategies, clone/replace/clear, the stream forms and the collections.
#include <doctest/doctest.h>

#include "Model2Support.h"

#include "HvAppearance.h"
#include "HvOverride.h"
#include "HvOverrides.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr HRESULT kReadOnly = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr HRESULT kCannotDo = static_cast<HRESULT>(0x800AA21C);
constexpr HRESULT kBadObject = static_cast<HRESULT>(0x800AA220);

HvOverride* NewOverride(FakeLayout& layout, ChangeSubscriber* owner = nullptr)
{
    HvOverride* created = nullptr;
    REQUIRE(HvOverride::Create(&layout, owner, nullptr, &created) == S_OK);
    return created;
}

long GetLong(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    REQUIRE(LateGet(object, name, &value).hr == S_OK);
    VARIANT asLong;
    VariantInit(&asLong);
    REQUIRE(VariantChangeType(&asLong, &value, 0, VT_I4) == S_OK);
    return V_I4(&asLong);
}

float GetFloat(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    REQUIRE(LateGet(object, name, &value).hr == S_OK);
    REQUIRE(V_VT(&value) == VT_R4);
    return V_R4(&value);
}

struct SettingCase {
    const wchar_t* name;
    DISPID dispid;
    long good;
    long bad;
};

const SettingCase kSettings[] = {
    {L"AllowAddNew", 0x422, 2, 3},          {L"AllowColMoving", 0x423, 3, 4},
    {L"AllowColSizing", 0x425, 3, 4},       {L"AllowColSwapping", 0x427, 3, 4},
    {L"AllowDelete", 0x428, 2, 3},          {L"AllowGroupMoving", 0x429, 2, 3},
    {L"AllowGroupSwapping", 0x42c, 2, 3},   {L"AllowUpdate", 0x42d, 2, 3},
    {L"BorderStyleRow", 0x3f3, 9, 10},      {L"BorderStyleCell", 0x3f1, 5, 10},
    {L"BorderStyleHeader", 0x509, 1, -1},   {L"CellClickAction", 0x83e, 3, 4},
    {L"ExpandRowsOnLoad", 0x40f, 2, 3},     {L"ExpansionIndicator", 0x89f, 2, 3},
    {L"HeaderClickAction", 0x424, 3, 4},    {L"MaxSelectedCells", 0x42e, 500, -2},
    {L"MaxSelectedRows", 0x42f, 0, -2},     {L"FetchRows", 0x898, 4, 5},
    {L"RowSelectors", 0x419, 2, 3},         {L"RowSizing", 0x431, 5, 6},
    {L"RowSizingAutoMaxLines", 0x432, 7, -2}, {L"SelectTypeCell", 0x433, 3, 4},
    {L"SelectTypeCol", 0x434, 1, 4},        {L"SelectTypeRow", 0x435, 2, 4},
    {L"TipStyleCell", 0x888, 2, 3},         {L"TipStyleRowConnector", 0x889, 1, 3},
    {L"TipStyleScroll", 0x88a, 2, 3},       {L"CellMultiLine", 0x4a5, 1, 3},
    {L"RowSizingArea", 0x895, 3, 4},
};

const wchar_t* const kSizes[] = {L"CellPadding", L"CellSpacing", L"DefaultColWidth", L"DefaultRowHeight",
                                 L"RowSpacingBefore", L"RowSpacingAfter"};

std::vector<BYTE> SaveBytes(HvOverride* item, LONG categories = 0)
{
    Ref<IStream> stream(NewStream());
    REQUIRE(item->SaveToStream(stream.Get(), categories) == S_OK);
    return StreamBytes(stream.Get());
}

HRESULT LoadBytes(HvOverride* item, const std::vector<BYTE>& bytes, LONG categories = 0)
{
    Ref<IStream> stream(NewStream(bytes));
    return item->LoadFromStream(stream.Get(), categories);
}

} // namespace

TEST_CASE("model2: override settings late-bound, with ranges, notices and read-only errors")
{
    FakeLayout layout;
    NoticeRecorder owner;
    Ref<HvOverride> item(NewOverride(layout, &owner));
    IDispatch* object = item->Interface();

    for (const SettingCase& row : kSettings) {
        CAPTURE(std::string(row.name, row.name + wcslen(row.name)));
        const long unset = row.dispid == 0x42e || row.dispid == 0x42f || row.dispid == 0x432 ? -1 : 0;
        CHECK(GetLong(object, row.name) == unset);
        owner.Clear();
        CHECK(LatePut(object, row.name, MakeI4(row.good)).hr == S_OK);
        CHECK(GetLong(object, row.name) == row.good);
        REQUIRE(owner.notices.size() == 1);
        CHECK(owner.notices[0].what == row.dispid);
        CHECK(LatePut(object, row.name, MakeI4(row.good)).hr == S_OK);
        CHECK(owner.notices.size() == 1);
        LateResult bad = LatePut(object, row.name, MakeI4(row.bad));
        CHECK(bad.hr == kInvalidValue);
        CHECK(bad.description == L"Invalid property value");
        CHECK(GetLong(object, row.name) == row.good);
    }
    for (const wchar_t* name : kSizes)
        CHECK(GetFloat(object, name) == -1.0f);

    // The resolved form answers the band's values and refuses every write.
    FakeBand band(layout);
    band.settings[0x422] = 1;
    band.settings[0x3f4] = 2; // CellPadding, pixels
    Ref<HvOverride> resolved;
    REQUIRE(HvOverride::CreateResolved(&band, resolved.Out()) == S_OK);
    CHECK(band.refs == 1);
    CHECK(GetLong(resolved->Interface(), L"AllowAddNew") == 1);
    CHECK(GetFloat(resolved->Interface(), L"CellPadding") == 30.0f);
    band.settings[0x422] = 2;
    CHECK(GetLong(resolved->Interface(), L"AllowAddNew") == 2);
    for (const SettingCase& row : kSettings) {
        LateResult refused = LatePut(resolved->Interface(), row.name, MakeI4(row.good));
        CHECK(refused.hr == kReadOnly);
        CHECK(refused.description == L"Property is read-only");
    }
    CHECK(LatePut(resolved->Interface(), L"CellPadding", MakeR4(15)).hr == kReadOnly);
    CHECK(LatePut(resolved->Interface(), L"RowAppearance", Missing()).hr == kReadOnly);
    for (const wchar_t* method : {L"Clear", L"Clone", L"Replace"}) {
        VARIANT result;
        LateResult refused = LateCall(resolved->Interface(), method, {}, &result);
        CHECK(refused.hr == kCannotDo);
        CHECK(refused.description == L"Unable to perform the requested operation.");
    }
    resolved.Reset();
    CHECK(band.refs == 0);

    // A dead override refuses writes; its scalar getters still answer.
    item->Deactivate();
    LateResult dead = LatePut(object, L"AllowAddNew", MakeI4(1));
    CHECK(dead.hr == kNotActive);
    CHECK(dead.description == L"This object is no longer active");
    CHECK(GetLong(object, L"AllowAddNew") == 2);
    CHECK(GetFloat(object, L"CellPadding") == -1.0f);
}

TEST_CASE("model2: override sizes in container units at 96 and 120 DPI")
{
    for (int dpi : {96, 120}) {
        CAPTURE(dpi);
        FakeLayout layout(dpi);
        Ref<HvOverride> item(NewOverride(layout));
        IDispatch* object = item->Interface();
        const float step = 1440.0f / static_cast<float>(dpi);
        // Whole pixels read back as put.
        CHECK(LatePut(object, L"DefaultColWidth", MakeR4(100 * step)).hr == S_OK);
        CHECK(LatePut(object, L"RowSpacingAfter", MakeR4(3 * step)).hr == S_OK);
        CHECK(LatePut(object, L"CellPadding", MakeR4(0)).hr == S_OK);
        CHECK(GetFloat(object, L"DefaultColWidth") == 100 * step);
        CHECK(GetFloat(object, L"RowSpacingAfter") == 3 * step);
        CHECK(GetFloat(object, L"CellPadding") == 0.0f);
        // Other values settle on the nearest pixel and stay there.
        CHECK(LatePut(object, L"DefaultRowHeight", MakeR4(250)).hr == S_OK);
        const float settled = GetFloat(object, L"DefaultRowHeight");
        CHECK(std::fabs(settled - 250) <= step / 2);
        // Negative is unset.
        CHECK(LatePut(object, L"CellSpacing", MakeR4(-5)).hr == S_OK);
        CHECK(GetFloat(object, L"CellSpacing") == -1.0f);
        // Values no conversion holds are refused.
        for (float wrong : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1e30f,
                            3e9f, 1e12f}) {
            LateResult refused = LatePut(object, L"DefaultColWidth", MakeR4(wrong));
            CHECK(refused.hr == kInvalidValue);
        }
        CHECK(GetFloat(object, L"DefaultColWidth") == 100 * step);

        // The stream holds twips; unset sizes stay unset.
        const std::vector<BYTE> bytes = SaveBytes(item.Get());
        std::int32_t twips = 0;
        std::memcpy(&twips, bytes.data() + 8, 4); // DefaultColWidth after version and mask
        CHECK(twips == std::lround(100 * step));
        std::memcpy(&twips, bytes.data() + 8 + 12, 4); // CellSpacing
        CHECK(twips == -1);
        Ref<HvOverride> loaded(NewOverride(layout));
        REQUIRE(LoadBytes(loaded.Get(), bytes) == S_OK);
        for (const wchar_t* name : kSizes)
            CHECK(GetFloat(loaded->Interface(), name) == GetFloat(object, name));
        CHECK(GetFloat(loaded->Interface(), L"RowSpacingBefore") == -1.0f);
        CHECK(SaveBytes(loaded.Get()) == bytes);
    }
}

TEST_CASE("model2: a layout saved at one DPI reads the same sizes at another")
{
    FakeLayout small(96);
    Ref<HvOverride> item(NewOverride(small));
    CHECK(LatePut(item->Interface(), L"DefaultColWidth", MakeR4(1440)).hr == S_OK);
    const std::vector<BYTE> bytes = SaveBytes(item.Get());
    FakeLayout large(120);
    Ref<HvOverride> loaded(NewOverride(large));
    REQUIRE(LoadBytes(loaded.Get(), bytes) == S_OK);
    CHECK(GetFloat(loaded->Interface(), L"DefaultColWidth") == 1440.0f);
    CHECK(GetFloat(loaded->Interface(), L"CellPadding") == -1.0f);
}

TEST_CASE("model2: appearance slots publish their appearances' changes")
{
    FakeLayout layout;
    NoticeRecorder owner;
    Ref<HvOverride> item(NewOverride(layout, &owner));
    IDispatch* object = item->Interface();

    // Reading a slot makes its private appearance, the same at each read.
    VARIANT first;
    VARIANT second;
    REQUIRE(LateGet(object, L"CellAppearance", &first).hr == S_OK);
    REQUIRE(LateGet(object, L"CellAppearance", &second).hr == S_OK);
    CHECK(V_DISPATCH(&first) == V_DISPATCH(&second));
    VariantClear(&first);
    VariantClear(&second);
    CHECK(owner.notices.empty());

    // A shared member in RowAppearance: its change reaches the owner as 0x41c.
    IHvAppearance* added = nullptr;
    VARIANT key = MakeText(L"Stripe");
    REQUIRE(layout.Appearances()->Add(key, &added) == S_OK);
    VariantClear(&key);
    Ref<IHvAppearance> stripe(added);
    CHECK(LatePut(object, L"RowAppearance", MakeObject(stripe.Get()), true).hr == S_OK);
    REQUIRE(owner.notices.size() == 1);
    CHECK(owner.notices[0].what == 0x41c);
    owner.Clear();
    stripe->put_BackColor(0xFF);
    REQUIRE(owner.notices.size() == 1);
    CHECK(owner.notices[0].what == 0x41c);
    CHECK(owner.innerWhat[0] == static_cast<std::int32_t>(AppearanceBit::BackColor));

    // By key too, resolved when used.
    key = MakeText(L"Stripe");
    CHECK(LatePut(object, L"HeaderAppearance", key).hr == S_OK);
    VariantClear(&key);
    CHECK(item->GetAppearanceRef(4)->GetAppearance() == HvAppearance::FromObject(stripe.Get()));
    VARIANT none;
    VariantInit(&none);
    CHECK(item->put_HeaderAppearance(none) == S_OK);
    CHECK_FALSE(item->GetAppearanceRef(4)->IsSet());

    // Replace moves every slot holding the old appearance to the new one.
    CHECK(LatePut(object, L"CellAppearance", MakeObject(stripe.Get()), true).hr == S_OK);
    Ref<IHvAppearance> other;
    REQUIRE(stripe->Clone(other.Out()) == S_OK);
    owner.Clear();
    VARIANT replacement = MakeObject(other.Get());
    REQUIRE(stripe->Replace(&replacement) == S_OK);
    CHECK(item->GetAppearanceRef(5)->GetAppearance() == HvAppearance::FromObject(other.Get()));
    int moved = 0;
    for (int slot = 0; slot < HvOverride::SlotCount; ++slot) {
        CHECK(item->GetAppearanceRef(slot)->GetAppearance() != HvAppearance::FromObject(stripe.Get()));
        moved += item->GetAppearanceRef(slot)->GetAppearance() == HvAppearance::FromObject(other.Get()) ? 1 : 0;
    }
    CHECK(moved == 2);
    auto heard = [&](std::int32_t what) {
        for (const auto& notice : owner.notices)
            if (notice.what == what)
                return true;
        return false;
    };
    CHECK(heard(0x41c));
    owner.Clear();
    other->put_ForeColor(0x1);
    CHECK(heard(0x41c));

    // Wrong values for a slot.
    CHECK(LatePut(object, L"CellAppearance", MakeI4(3)).hr == kInvalidValue);
    CHECK(item->putref_CellAppearance(nullptr) == E_INVALIDARG);
    CHECK(item->get_CellAppearance(nullptr) == E_INVALIDARG);

    // Clear empties every slot, the tag and the settings, then says -554.
    item->put_AllowDelete(hvAllowDeleteNo);
    owner.Clear();
    CHECK(LateCall(object, L"Clear", {}, nullptr).hr == S_OK);
    REQUIRE(owner.notices.size() == 1);
    CHECK(owner.notices[0].what == -554);
    CHECK_FALSE(item->GetAppearanceRef(5)->IsSet());
    CHECK_FALSE(item->HasAnySetting());
    other->put_ForeColor(0x2);
    CHECK(owner.notices.size() == 1);
}

TEST_CASE("model2: resolved appearance slots are fresh read-only snapshots")
{
    FakeLayout layout;
    FakeBand band(layout);
    band.level.SetForeColor(0x111111);
    band.stateLevel.SetBackColor(0x222222);
    Ref<HvOverride> resolved;
    REQUIRE(HvOverride::CreateResolved(&band, resolved.Out()) == S_OK);

    Ref<IHvAppearance> first;
    Ref<IHvAppearance> second;
    REQUIRE(resolved->get_SelectedRowAppearance(first.Out()) == S_OK);
    REQUIRE(resolved->get_SelectedRowAppearance(second.Out()) == S_OK);
    CHECK(first.Get() != second.Get());
    OLE_COLOR color = 0;
    first->get_BackColor(&color);
    CHECK(color == 0x222222);
    first->get_ForeColor(&color);
    CHECK(color == 0x111111);
    REQUIRE(band.requests.size() == 4);
    CHECK(band.requests[0].part == AppearanceRequest::Row);
    CHECK(band.requests[0].state[AppearanceRequest::Selected] == 1);
    CHECK(band.requests[1].state[AppearanceRequest::Selected] == 0);
    CHECK(band.requests[0].requestMask == AppearanceBit::All);
    LateResult refused = LatePut(first.Get(), L"ForeColor", MakeI4(5));
    CHECK(refused.hr == kReadOnly);

    band.requests.clear();
    REQUIRE(resolved->get_HeaderAppearance(first.Out()) == S_OK);
    REQUIRE(band.requests.size() == 1);
    CHECK(band.requests[0].part == AppearanceRequest::Header);
    first->get_BackColor(&color);
    CHECK(color == UnsetColor);
    REQUIRE(resolved->get_RowSelectorAppearance(first.Out()) == S_OK);
    CHECK(band.requests.back().state[AppearanceRequest::RowSelector] == 1);
}

TEST_CASE("model2: strategies are cached until their setting changes")
{
    FakeLayout layout;
    Ref<HvOverride> item(NewOverride(layout));
    CHECK(item->GetCellClickActionHandler() == nullptr); // default: none
    item->put_CellClickAction(hvClickActionRowSelect);
    OverrideStrategy* handler = item->GetCellClickActionHandler();
    REQUIRE(handler != nullptr);
    CHECK(item->GetCellClickActionHandler() == handler);
    CHECK(layout.strategiesMade == 1);
    item->put_CellClickAction(hvClickActionRowSelect);
    CHECK(item->GetCellClickActionHandler() == handler);
    item->put_CellClickAction(hvClickActionEdit);
    item->GetCellClickActionHandler();
    CHECK(layout.strategiesMade == 2);
    item->put_SelectTypeRow(hvSelectTypeSingle);
    CHECK(item->GetSelectTypeRowHandler() != nullptr);
    CHECK(item->GetSelectTypeColHandler() == nullptr);
}

TEST_CASE("model2: Clone and Replace of overrides")
{
    FakeLayout layout;
    NoticeRecorder owner;
    Ref<HvOverride> item(NewOverride(layout, &owner));
    item->put_RowSizing(hvRowSizingFree);
    VARIANT tag = MakeI4(3);
    item->put_TagVariant(tag);
    VARIANT empty;
    VariantInit(&empty);
    item->put_CellAppearance(empty);
    item->get_CellAppearance(Ref<IHvAppearance>().Out());

    Ref<IHvOverride> clone;
    REQUIRE(item->Clone(clone.Out()) == S_OK);
    Constants_RowSizing sizing = hvRowSizingDefault;
    clone->get_RowSizing(&sizing);
    CHECK(sizing == hvRowSizingFree);
    CHECK_FALSE(HvOverride::FromObject(clone.Get())->GetAppearanceRef(2)->IsSet());

    // Replace hands the owner to the new override.
    VARIANT replacement = MakeObject(clone.Get());
    REQUIRE(item->Replace(&replacement) == S_OK);
    owner.Clear();
    clone->put_RowSizing(hvRowSizingFixed);
    CHECK(owner.notices.size() == 1);
    Ref<IPictureDisp> picture(NewBitmapPicture(1, 1));
    replacement = MakeObject(picture.Get());
    LateResult wrong = LateCall(item->Interface(), L"Replace", {replacement}, nullptr);
    CHECK(wrong.hr == kBadObject);
    CHECK(wrong.description == L"Error accessing passed in object");
}

TEST_CASE("model2: override stream round trips and corrupted streams")
{
    FakeLayout layout;
    IHvAppearance* added = nullptr;
    VARIANT key = MakeText(L"Shared");
    REQUIRE(layout.Appearances()->Add(key, &added) == S_OK);
    VariantClear(&key);
    Ref<IHvAppearance> shared(added);
    shared->put_BackColor(0x00FF00);

    Ref<HvOverride> item(NewOverride(layout));
    item->put_AllowUpdate(hvAllowUpdateNo);
    item->put_MaxSelectedRows(10);
    item->put_DefaultRowHeight(300);
    item->putref_RowAppearance(&(key = MakeObject(shared.Get())));
    Ref<IHvAppearance> privateOne;
    item->get_CellAppearance(privateOne.Out());
    privateOne->put_ForeColor(0x0000FF);
    VARIANT tag = MakeText(L"tag");
    item->put_TagVariant(tag);
    VariantClear(&tag);

    // With the Appearances in the save the shared one goes by key, the
    // private one inline; without them both inline.
    const std::vector<BYTE> byReference = SaveBytes(item.Get(), 0);
    const std::vector<BYTE> inlined = SaveBytes(item.Get(), 4);
    CHECK(inlined.size() > byReference.size());
    DWORD mask = 0;
    std::memcpy(&mask, byReference.data() + 4, 4);
    CHECK(mask == (0x100 | 0x1000 | 0x100000));

    for (LONG categories : {0, 4}) {
        CAPTURE(categories);
        const std::vector<BYTE>& bytes = categories ? inlined : byReference;
        Ref<HvOverride> loaded(NewOverride(layout));
        REQUIRE(LoadBytes(loaded.Get(), bytes, categories) == S_OK);
        CHECK(SaveBytes(loaded.Get(), categories) == bytes);
        Constants_AllowUpdate update = hvAllowUpdateDefault;
        loaded->get_AllowUpdate(&update);
        CHECK(update == hvAllowUpdateNo);
        HvAppearance* row = loaded->GetAppearanceRef(5)->GetAppearance();
        REQUIRE(row != nullptr);
        CHECK((row == HvAppearance::FromObject(shared.Get())) == (categories == 0));
        CHECK(row->GetAppearanceData().BackColor() == 0x00FF00);
        CHECK(loaded->GetAppearanceRef(2)->GetAppearanceData()->ForeColor() == 0x0000FF);
        CHECK_FALSE(loaded->GetAppearanceRef(0)->IsSet());

        // Truncations fail; nothing is half-taken by a failed settings read.
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            Ref<HvOverride> victim(NewOverride(layout));
            Ref<IStream> shortStream(NewStream(std::vector<BYTE>(bytes.begin(), bytes.begin() + cut)));
            CHECK(FAILED(victim->LoadFromStream(shortStream.Get(), categories)));
        }
    }

    // Out-of-range stored values and unknown data are refused.
    std::vector<BYTE> badEnum = byReference;
    badEnum[8 + 37] = 0x0F; // RowSelectors 15
    Ref<HvOverride> victim(NewOverride(layout));
    CHECK(LoadBytes(victim.Get(), badEnum) == E_FAIL);
    Constants_AllowUpdate update = hvAllowUpdateDefault;
    victim->get_AllowUpdate(&update);
    CHECK(update == hvAllowUpdateDefault);
    std::vector<BYTE> badMask = byReference;
    badMask[4] |= 0x01;
    CHECK(LoadBytes(victim.Get(), badMask) == E_FAIL);
    std::vector<BYTE> badSlots = byReference;
    badSlots[8 + 49 + 1] = 0x04; // a slot mask bit past the ten slots
    CHECK(LoadBytes(victim.Get(), badSlots) == E_FAIL);
}

TEST_CASE("model2: every set value survives a round trip, ExpansionIndicator alone too")
{
    FakeLayout layout;
    Ref<HvOverride> item(NewOverride(layout));
    item->put_ExpansionIndicator(hvExpansionIndicatorHide);
    CHECK(item->HasAnyCategoryData(0));
    const std::vector<BYTE> bytes = SaveBytes(item.Get());
    Ref<HvOverride> loaded(NewOverride(layout));
    REQUIRE(LoadBytes(loaded.Get(), bytes) == S_OK);
    Constants_ExpansionIndicator indicator = hvExpansionIndicatorDefault;
    loaded->get_ExpansionIndicator(&indicator);
    CHECK(indicator == hvExpansionIndicatorHide);

    // An override with nothing set writes an empty mask.
    Ref<HvOverride> empty(NewOverride(layout));
    CHECK(SaveBytes(empty.Get()) == std::vector<BYTE>{100, 0, 0, 0, 0, 0, 0, 0});
}

TEST_CASE("model2: override references in streams and the Overrides collection")
{
    FakeLayout layout;
    Ref<HvOverrides> overrides;
    REQUIRE(HvOverrides::Create(&layout, overrides.Out()) == S_OK);
    NoticeRecorder layoutWatch;
    layoutWatch.Watch(overrides.Get());

    VARIANT key = MakeText(L"Totals");
    IHvOverride* added = nullptr;
    REQUIRE(overrides->Add(key, &added) == S_OK);
    VariantClear(&key);
    Ref<IHvOverride> totals(added);
    REQUIRE(overrides->Add(Missing(), &added) == S_OK);
    Ref<IHvOverride> unkeyed(added);
    key = MakeText(L"5");
    CHECK(overrides->Add(key, &added) == static_cast<HRESULT>(0x800AA21E));
    VariantClear(&key);

    // A member's change reaches the collection's watchers as 1188.
    layoutWatch.Clear();
    totals->put_AllowDelete(hvAllowDeleteNo);
    REQUIRE(layoutWatch.notices.size() == 1);
    CHECK(layoutWatch.notices[0].what == 1188);
    CHECK(layoutWatch.innerWhat[0] == 0x428);

    HvOverride* totalsItem = HvOverride::FromObject(totals.Get());
    HvOverride* unkeyedItem = HvOverride::FromObject(unkeyed.Get());
    auto save = [&](HvOverride* which, LONG flags) {
        Ref<IStream> stream(NewStream());
        REQUIRE(HvOverride::SaveOverrideToStream(stream.Get(), flags, overrides.Get(), which) == S_OK);
        return StreamBytes(stream.Get());
    };
    CHECK(save(totalsItem, 2) == std::vector<BYTE>{8, 0, 6, 0, 'T', 'o', 't', 'a', 'l', 's'});
    CHECK(save(unkeyedItem, 2) == std::vector<BYTE>{3, 0, 1, 0, 0, 0});
    const std::vector<BYTE> whole = save(totalsItem, 0);
    CHECK(whole[0] == 9);
    Ref<IStream> none(NewStream());
    CHECK(HvOverride::SaveOverrideToStream(none.Get(), 2, overrides.Get(), nullptr) == E_FAIL);

    auto load = [&](const std::vector<BYTE>& bytes, HvOverride** out) {
        Ref<IStream> stream(NewStream(bytes));
        return HvOverride::LoadOverrideFromStream(stream.Get(), 0, &layout, overrides.Get(), nullptr, out);
    };
    Ref<HvOverride> found;
    REQUIRE(load(save(totalsItem, 2), found.Out()) == S_OK);
    CHECK(found.Get() == totalsItem);
    REQUIRE(load(save(unkeyedItem, 2), found.Out()) == S_OK);
    CHECK(found.Get() == unkeyedItem);
    REQUIRE(load(whole, found.Out()) == S_OK);
    REQUIRE(found);
    CHECK(found.Get() != totalsItem);
    Constants_AllowDelete allowDelete = hvAllowDeleteDefault;
    found->get_AllowDelete(&allowDelete);
    CHECK(allowDelete == hvAllowDeleteNo);
    REQUIRE(load({8, 0, 2, 0, 'N', 'o'}, found.Out()) == S_OK);
    CHECK_FALSE(found);
    CHECK(load({3, 0, 0xFF, 0xFF, 0xFF, 0xFF}, found.Out()) == S_OK);
    CHECK_FALSE(found);
    CHECK(FAILED(load({7, 0}, found.Out())));
    CHECK(HvOverride::LoadOverrideFromStream(none.Get(), 0, &layout, overrides.Get(), nullptr, nullptr) == E_FAIL);

    CHECK(overrides->HasDataForCategories(2));
    CHECK_FALSE(overrides->HasDataForCategories(4));

    // Copying "Totals" and "Extra" over "Totals" and an unkeyed override.
    Ref<HvOverrides> source;
    REQUIRE(HvOverrides::Create(&layout, source.Out()) == S_OK);
    for (const wchar_t* name : {L"Totals", L"Extra"}) {
        key = MakeText(name);
        REQUIRE(source->Add(key, &added) == S_OK);
        VariantClear(&key);
        added->put_FetchRows(hvFetchRowsOnDemandDiscard);
        added->Release();
    }
    REQUIRE(overrides->CopyFrom(*source.Get()) == S_OK);
    long count = 0;
    overrides->get_Count(&count);
    CHECK(count == 3);
    CHECK(overrides->OverrideAt(0) == unkeyedItem);
    HvOverride* copied = overrides->FindOverride(CDualString("Totals"));
    REQUIRE(copied != nullptr);
    CHECK(copied != totalsItem);
    Constants_FetchRows fetch = hvFetchRowsDefault;
    copied->get_FetchRows(&fetch);
    CHECK(fetch == hvFetchRowsOnDemandDiscard);
    CHECK(overrides->FindOverride(CDualString("extra")) != nullptr);
    source->Deactivate();
}

TEST_CASE("model2: the Appearances collection publishes adds, removals and clears")
{
    FakeLayout layout;
    HvAppearances* appearances = layout.Appearances();
    NoticeRecorder watch;
    watch.Watch(appearances);
    IHvAppearance* added = nullptr;
    for (const wchar_t* name : {L"A", L"B", L"C"}) {
        VARIANT key = MakeText(name);
        REQUIRE(appearances->Add(key, &added) == S_OK);
        VariantClear(&key);
        added->Release();
    }
    CHECK(watch.notices.size() == 3);
    VARIANT duplicate = MakeText(L"a");
    CHECK(appearances->Add(duplicate, &added) == static_cast<HRESULT>(0x800A797D));
    VariantClear(&duplicate);

    // A member's change comes through as 1200 with the member's notice.
    watch.Clear();
    appearances->AppearanceAt(1)->put_TextAlign(hvAlignCenter);
    REQUIRE(watch.notices.size() == 1);
    CHECK(watch.notices[0].what == 1200);
    CHECK(watch.innerWhat[0] == static_cast<std::int32_t>(AppearanceBit::TextAlign));

    // Clear of three publishes four notices, and the former members go quiet.
    Ref<IHvAppearance> kept;
    VARIANT index = MakeI4(0);
    REQUIRE(appearances->get_Item(index, kept.Out()) == S_OK);
    watch.Clear();
    CHECK(appearances->Clear() == S_OK);
    CHECK(watch.notices.size() == 4);
    kept->put_BackColor(0x5);
    CHECK(watch.notices.size() == 4);

    // Late-bound Add and InternalAdd.
    VARIANT result;
    VARIANT text = MakeText(L"Late");
    REQUIRE(LateCall(appearances, L"Add", {text}, &result).hr == S_OK);
    VariantClear(&text);
    CHECK(V_VT(&result) == VT_DISPATCH);
    VariantClear(&result);
    CHECK(LateCall(appearances, L"InternalAdd", {Missing()}, nullptr).hr == S_OK);
    CHECK(GetLong(appearances, L"Count") == 2);
}
