// The band with the real layout, columns and groups of the object model:
// made through the layout's parts, measured by its header layout.
#include <doctest/doctest.h>

#include "GridColumnSeam.h"
#include "HvAddNewBox.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvLayout.h"
#include "LateBound.h"
#include "ModelTestSupport.h"

namespace {

struct LayoutFixture {
    LayoutFixture()
    {
        REQUIRE(HvLayout::Create(nullptr, nullptr, &layout) == S_OK);
        REQUIRE(layout->Bands() != nullptr);
    }
    ~LayoutFixture()
    {
        layout->Detach();
        layout->Deactivate();
        layout->Release();
    }
    LayoutFixture(const LayoutFixture&) = delete;
    LayoutFixture& operator=(const LayoutFixture&) = delete;

    HvBand* AddBand(const char* key)
    {
        CDualString name(key);
        GridBandSeam* seam = nullptr;
        REQUIRE(layout->CreateBand(layout->Bands(), nullptr, &name, &seam) == S_OK);
        HvBand* band = dynamic_cast<HvBand*>(seam);
        REQUIRE(band != nullptr);
        REQUIRE(layout->Bands()->InsertVectorCollectionItem(-1, band, false, 0) == S_OK);
        return band;
    }

    HvLayout* layout = nullptr;
};

GridColumnSeam* AddColumn(HvBand* band, const char* key, LONG width)
{
    CDualString name(key);
    GridColumnSeam* column = nullptr;
    REQUIRE(band->AddColumn(&name, &column) == S_OK);
    REQUIRE(column != nullptr);
    column->StoreWidth(width);
    return column;
}

} // namespace

TEST_CASE("a band of a real layout lays out its real columns")
{
    LayoutFixture f;
    HvBand* band = f.AddBand("Analises");
    GridColumnSeam* amostra = AddColumn(band, "AMOSTRA", 80);
    GridColumnSeam* me = AddColumn(band, "ME", 60);
    AddColumn(band, "TEMP_ENS", 40);
    CHECK(band->GetColumnCount() == 3);
    band->LayoutHeaders(nullptr);
    // The extent holds the row selector column beside the columns.
    CHECK(band->Extent() == 180 + 19);
    CHECK(band->GetColumnPositionInBand(me) == 80);

    LateResult put;
    IDispatch* column = nullptr;
    REQUIRE(amostra->ColumnItem()->QueryItemInterface(&column) == S_OK);
    LatePut(column, L"Hidden", MakeBool(true), put);
    column->Release();
    CHECK(put.hr == S_OK);
    band->LayoutHeaders(nullptr);
    CHECK(band->Extent() == 100 + 19);
    CHECK(band->GetColumnPositionInBand(me) == 0);
    CHECK(band->GetColumnPositionInBand(amostra) == -1);

    // The add-new button shows the band's key; the resolved override
    // answers through the real layout's defaults.
    CDualString text;
    band->GetAddButtonText(text);
    CHECK(std::string(text.c_str()) == "Analises");
    CHECK(band->ResolveSetting(0x509) == 9);
    CHECK(band->ResolveSetting(0x423) == 3);

    // Without a grid a sort has nobody to ask: nothing changes.
    CHECK(band->AddSortedColumn(me, true) == S_OK);
    HvBand* other = f.AddBand("Other");
    CHECK(other->AddSortedColumn(me, false) == static_cast<HRESULT>(0x800A9C4D));
}

TEST_CASE("an add-new box of a real layout")
{
    LayoutFixture f;
    HvAddNewBox* box = nullptr;
    REQUIRE(HvAddNewBox::Create(f.layout, &box) == S_OK);
    BSTR prompt = nullptr;
    REQUIRE(box->get_Prompt(&prompt) == S_OK);
    CHECK(std::wstring(prompt) == L"Add...");
    SysFreeString(prompt);
    CHECK(box->GetButtonFont() != nullptr);
    IHvUIElement* element = nullptr;
    CHECK(box->GetUIElement(&element) == S_OK);
    CHECK(element == nullptr); // a stand-alone layout shows nothing
    IHvAppearance* resolved = nullptr;
    REQUIRE(box->ResolveAppearance(&resolved) == S_OK);
    resolved->Release();
    box->Deactivate();
    box->Release();
}
