// The header object through IHvHeader: its caption defaults, its owner's
// answers, setters refused on a level copy, and notices to the owner.
#include "ColumnFakes.h"

#include "HvColumn.h"
#include "HvGroup.h"
#include "HvHeader.h"
#include "OwnedElementSeam.h"

#include <doctest/doctest.h>

namespace {

std::wstring Caption(IHvHeader* header)
{
    BSTR text = nullptr;
    REQUIRE(header->get_Caption(&text) == S_OK);
    std::wstring result = text ? text : L"";
    SysFreeString(text);
    return result;
}

} // namespace

TEST_CASE("a bound column's header shows the field name until a caption is given")
{
    TestLayout layout;
    TestBand band(layout);
    TestColumnInfo info;
    Ref<HvColumn> column(band.AddBound(info));
    Ref<IHvHeader> header;
    REQUIRE(column->get_Header(header.Out()) == S_OK);
    CHECK(Caption(header.Get()) == L"AMOSTRA");
    BSTR empty = SysAllocString(L"");
    REQUIRE(header->put_Caption(empty) == S_OK);
    SysFreeString(empty);
    CHECK(Caption(header.Get()) == L"");
}

TEST_CASE("a header answers its owner's kind, group and height")
{
    TestLayout layout;
    TestBand band(layout);
    Ref<HvColumn> column(band.AddUnbound(L"c"));
    Ref<HvGroup> group(band.AddGroup(L"g"));
    Ref<IHvHeader> columnHeader;
    Ref<IHvHeader> groupHeader;
    REQUIRE(column->get_Header(columnHeader.Out()) == S_OK);
    REQUIRE(group->get_Header(groupHeader.Out()) == S_OK);
    Constants_HeaderType type = hvHeaderTypeGroup;
    REQUIRE(columnHeader->get_Type(&type) == S_OK);
    CHECK(type == hvHeaderTypeColumn);
    REQUIRE(groupHeader->get_Type(&type) == S_OK);
    CHECK(type == hvHeaderTypeGroup);
    Ref<IHvColumn> owner;
    REQUIRE(columnHeader->get_Column(owner.Out()) == S_OK);
    CHECK(owner.Get() == static_cast<IHvColumn*>(column->Interface()));
    REQUIRE(groupHeader->get_Column(owner.Out()) == S_OK);
    CHECK_FALSE(owner);
    float height = 0;
    REQUIRE(columnHeader->get_Height(&height) == S_OK);
    CHECK(height == 300.0f); // 20 pixels in twips
    CHECK(Caption(groupHeader.Get()) == L"g");

    layout.designMode = true;
    Ref<IHvGroup> ownerGroup;
    CHECK(columnHeader->get_Group(ownerGroup.Out()) == static_cast<HRESULT>(0x800A018A));
}

TEST_CASE("a header's changes reach its owner, and a level copy's header refuses them")
{
    TestLayout layout;
    TestBand band(layout);
    Ref<HvColumn> column(band.AddUnbound(L"c"));
    NoticeLog log(column.Get());
    Ref<IHvHeader> header;
    REQUIRE(column->get_Header(header.Out()) == S_OK);
    REQUIRE(header->put_Enabled(VARIANT_FALSE) == S_OK);
    CHECK(log.what == std::vector<std::int32_t>{1121});
    CHECK_FALSE(column->CanSize());

    Ref<HvColumn> copy(column->MakeLevelCopy(hvPosMoved));
    REQUIRE(copy);
    Ref<IHvHeader> copyHeader;
    REQUIRE(copy->get_Header(copyHeader.Out()) == S_OK);
    CHECK(copyHeader->put_Enabled(VARIANT_TRUE) == static_cast<HRESULT>(0x800A017F));
    copy->Deactivate();
}

namespace {

class TestElement final : public OwnedElementSeam {
public:
    explicit TestElement(LONG context) : context_(context) {}
    LONG OwnerContext() override { return context_; }
    OwnedElementSeam* FindEnclosing(LONG) override { return nullptr; }
    bool BeginPress() override { return false; }
    bool IsPressed() override { return false; }
    HCURSOR DefaultCursor() override { return nullptr; }

private:
    LONG context_;
};

} // namespace

TEST_CASE("a header tells its elements whether its text and swap button are disabled")
{
    TestLayout layout;
    TestBand band(layout);
    Ref<HvColumn> column(band.AddUnbound(L"c"));
    HvHeader* header = column->Header();
    TestElement text(HvUIElementOwner::ContextText);
    TestElement swap(HvUIElementOwner::ContextSwapButton);
    CHECK(header->GetState(&text) == 0);
    CHECK(header->GetState(&swap) == 0);
    CDualString caption;
    CHECK(header->GetText(&text, caption));
    CHECK(std::string(caption.c_str()) == "c");

    layout.enabled = false;
    CHECK(header->GetState(&text) == HvUIElementOwner::StateDisabled);
    CHECK(header->GetState(&swap) == HvUIElementOwner::StateDisabled);
    layout.designMode = true;
    CHECK(header->GetState(&swap) == 0);
    layout.designMode = false;
    layout.enabled = true;
    REQUIRE(header->put_Enabled(VARIANT_FALSE) == S_OK);
    CHECK(header->GetState(&text) == HvUIElementOwner::StateDisabled);
    CHECK(header->OnMouseDown(&swap));
}
