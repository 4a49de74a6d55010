// The grid control's own persisted state in streams and property bags.
#include "GridControlFixture.h"

#include "ControlStateParticipant.h"
#include "PropertyBag.h"

namespace {

using hv::container::PropertyBag;

ComPtr<PropertyBag> SaveToBag(HostedGrid& hosted, bool saveAll)
{
    ComPtr<PropertyBag> bag;
    bag.Attach(PropertyBag::Create());
    ComPtr<IPersistPropertyBag> persist = hosted.Query<IPersistPropertyBag>();
    REQUIRE(persist);
    REQUIRE(persist->Save(bag.Get(), TRUE, saveAll ? TRUE : FALSE) == S_OK);
    return bag;
}

ComPtr<IStream> SaveToStream(HostedGrid& hosted)
{
    ComPtr<IStream> stream;
    REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()) == S_OK);
    ComPtr<IPersistStreamInit> persist = hosted.Query<IPersistStreamInit>();
    REQUIRE(persist->Save(stream.Get(), TRUE) == S_OK);
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

// A second grid loaded from the stream.
void LoadFromStream(HostedGrid& hosted, IStream* stream)
{
    ComPtr<IPersistStreamInit> persist = hosted.Query<IPersistStreamInit>();
    REQUIRE(persist->Load(stream) == S_OK);
}

void WriteLong(PropertyBag* bag, const wchar_t* key, LONG number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    bag->Write(key, &value);
}

const wchar_t* const kOwnKeys[] = {L"UpdateMode", L"UseImageList", L"ImagesMasking", L"DataMember", L"ImagesURL",
                                   L"TagVariant"};

} // namespace

TEST_CASE("a grid at its defaults writes GridFlags and none of its own keys, with or without saveAll")
{
    for (bool saveAll : {false, true}) {
        CAPTURE(saveAll);
        HostedGrid hosted;
        ComPtr<PropertyBag> bag = SaveToBag(hosted, saveAll);
        CHECK(bag->Has(L"GridFlags"));
        for (const wchar_t* key : kOwnKeys)
            CHECK_FALSE(bag->Has(key));
    }
}

TEST_CASE("UpdateMode 1 writes UpdateMode only; saveAll adds the two image flags")
{
    HostedGrid hosted;
    hosted.grid->SetUpdateMode(1);
    ComPtr<PropertyBag> bag = SaveToBag(hosted, false);
    CHECK(bag->Has(L"UpdateMode"));
    CHECK_FALSE(bag->Has(L"UseImageList"));
    CHECK_FALSE(bag->Has(L"ImagesMasking"));
    const VARIANT* flags = bag->Find(L"GridFlags");
    REQUIRE(flags);
    CHECK(flags->vt == VT_I4);
    CHECK((flags->lVal & ControlStateParticipant::General) != 0);

    ComPtr<PropertyBag> all = SaveToBag(hosted, true);
    REQUIRE(all->Find(L"UseImageList"));
    CHECK(all->Find(L"UseImageList")->boolVal == VARIANT_FALSE);
    REQUIRE(all->Find(L"ImagesMasking"));
    CHECK(all->Find(L"ImagesMasking")->boolVal == VARIANT_TRUE);
    REQUIRE(all->Find(L"UpdateMode"));
    CHECK(all->Find(L"UpdateMode")->vt == VT_I2);
}

TEST_CASE("loading a bag reads every category from its own keys whatever GridFlags says")
{
    ComPtr<PropertyBag> bag;
    bag.Attach(PropertyBag::Create());
    WriteLong(bag.Get(), L"GridFlags", 0);
    WriteLong(bag.Get(), L"UpdateMode", 1);
    HostedGrid hosted;
    hosted.grid->SetImageFlags(0);
    ComPtr<IPersistPropertyBag> persist = hosted.Query<IPersistPropertyBag>();
    REQUIRE(persist->Load(bag.Get(), nullptr) == S_OK);
    CHECK(hosted.grid->GetUpdateMode() == 1);
    // No ImagesMasking key: masking is on.
    CHECK(hosted.grid->ImageFlags() == HvTavelle::ImageMasking);
}

TEST_CASE("an UpdateMode out of range: the default from a bag, a refusal from a stream")
{
    HostedGrid hosted;
    hosted.grid->SetUpdateMode(2);
    ComPtr<PropertyBag> bag;
    bag.Attach(PropertyBag::Create());
    WriteLong(bag.Get(), L"UpdateMode", 7);
    ComPtr<IPersistPropertyBag> persist = hosted.Query<IPersistPropertyBag>();
    REQUIRE(persist->Load(bag.Get(), nullptr) == S_OK);
    CHECK(hosted.grid->GetUpdateMode() == 0);

    hosted.grid->SetUpdateMode(2);
    const BYTE block[ControlStateParticipant::GeneralSize] = {7, 0, 0, HvTavelle::ImageMasking};
    ComPtr<IStream> stream;
    REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()) == S_OK);
    REQUIRE(stream->Write(block, sizeof block, nullptr) == S_OK);
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    CHECK(FAILED(hosted.grid->StateParticipant().Load(ControlStateParticipant::General, stream.Get(), -1)));
    CHECK(hosted.grid->GetUpdateMode() == 2);
}

TEST_CASE("the property bag round trip keeps the control's own settings")
{
    HostedGrid first;
    first.grid->SetUpdateMode(2);
    first.grid->SetImageFlags(HvTavelle::ImageUseImageList);
    first.grid->SetDataMemberName(CDualString(L"Analises"));
    VARIANT tag;
    VariantInit(&tag);
    tag.vt = VT_BSTR;
    tag.bstrVal = SysAllocString(L"etiqueta");
    REQUIRE(first.grid->put_TagVariant(tag) == S_OK);
    VariantClear(&tag);
    ComPtr<PropertyBag> bag = SaveToBag(first, false);
    CHECK(bag->Has(L"DataMember"));
    CHECK(bag->Has(L"TagVariant"));

    HostedGrid second;
    ComPtr<IPersistPropertyBag> persist = second.Query<IPersistPropertyBag>();
    REQUIRE(persist->Load(bag.Get(), nullptr) == S_OK);
    CHECK(second.grid->GetUpdateMode() == 2);
    CHECK(second.grid->ImageFlags() == HvTavelle::ImageUseImageList);
    CHECK(std::string(second.grid->DataMemberName().c_str()) == "Analises");
    VARIANT read;
    VariantInit(&read);
    REQUIRE(second.grid->get_TagVariant(&read) == S_OK);
    REQUIRE(read.vt == VT_BSTR);
    CHECK(std::wstring(read.bstrVal) == L"etiqueta");
    VariantClear(&read);
}

TEST_CASE("the stream round trip keeps UpdateMode, OLEDropMode, DataMember and the tag")
{
    HostedGrid first;
    first.grid->SetUpdateMode(1);
    REQUIRE(first.grid->put_OLEDropMode(hvOLEDropManual) == S_OK);
    first.grid->SetDataMemberName(CDualString(L"Dia"));
    ComPtr<IStream> stream = SaveToStream(first);

    HostedGrid second;
    LoadFromStream(second, stream.Get());
    CHECK(second.grid->GetUpdateMode() == 1);
    Constants_OLEDrop mode = hvOLEDropNone;
    CHECK(second.grid->get_OLEDropMode(&mode) == S_OK);
    CHECK(mode == 1);
    CHECK(std::string(second.grid->DataMemberName().c_str()) == "Dia");
}

TEST_CASE("the control's stream block: version, mask of the categories with data, blocks")
{
    HostedGrid hosted;
    ControlStateParticipant& participant = hosted.grid->StateParticipant();
    ComPtr<IStream> stream;
    REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()) == S_OK);
    REQUIRE(participant.SaveToStream(stream.Get(), -1) == S_OK);
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    LONG header[2] = {};
    ULONG read = 0;
    REQUIRE(stream->Read(header, sizeof header, &read) == S_OK);
    CHECK(header[0] == 0x10000);
    // An empty DataMember is not written at all; nor are default settings.
    CHECK((header[1] & ControlStateParticipant::DataMember) == 0);
    CHECK((header[1] & ControlStateParticipant::General) == 0);
    CHECK((header[1] & ~ControlStateParticipant::AllCategories) == 0);

    SUBCASE("a stream of another version fails before anything else is read")
    {
        ComPtr<IStream> wrong;
        REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, wrong.GetAddressOf()) == S_OK);
        const LONG bad[2] = {0x20000, 0};
        wrong->Write(bad, sizeof bad, nullptr);
        wrong->Seek(start, STREAM_SEEK_SET, nullptr);
        CHECK(participant.LoadFromStream(wrong.Get(), -1) == E_FAIL);
    }
}
