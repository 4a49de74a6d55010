// Layout persistence: the stream frame and its categories, the property
// bag, Save and Load through IHvLayout, Clone, CopyFrom and Reset.
#include <doctest/doctest.h>

#include "LayoutTestSupport.h"

#include "HvAppearances.h"
#include "PropertyBagFake.h"

#include <cstring>

namespace {

LONG ReadLong(const std::vector<BYTE>& bytes, size_t offset)
{
    LONG value = 0;
    REQUIRE(bytes.size() >= offset + 4);
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

void AddAppearance(HvLayout& layout, const wchar_t* key)
{
    Ref<IHvAppearances> appearances;
    REQUIRE(static_cast<IHvLayout&>(layout).get_Appearances(appearances.Out()) == S_OK);
    Ref<IHvAppearance> added;
    VARIANT name = MakeText(key);
    REQUIRE(appearances->Add(name, added.Out()) == S_OK);
    VariantClear(&name);
}

void Customise(HvLayout& layout)
{
    IDispatch* d = static_cast<IHvLayout*>(&layout);
    VARIANT caption = MakeText(L"Análises do dia");
    REQUIRE(LatePut(d, L"Caption", caption).hr == S_OK);
    VariantClear(&caption);
    REQUIRE(LatePut(d, L"BorderStyle", MakeI4(6)).hr == S_OK);
    REQUIRE(LatePut(d, L"TipDelay", MakeI4(750)).hr == S_OK);
    REQUIRE(LatePut(d, L"ViewStyle", MakeI4(0)).hr == S_OK);
    REQUIRE(LatePut(d, L"MaxRowScrollRegions", MakeI4(4)).hr == S_OK);
    REQUIRE(LatePut(d, L"TagVariant", MakeI4(42)).hr == S_OK);
    AddAppearance(layout, L"Realce");
}

VARIANT StreamType()
{
    return MakeI4(2);
}

} // namespace

TEST_CASE("a layout of defaults writes version 100 and an empty mask")
{
    LayoutRef layout;
    std::vector<BYTE> frame = SavedFrame(*layout);
    REQUIRE(frame.size() == 8);
    CHECK(ReadLong(frame, 0) == 100);
    CHECK(ReadLong(frame, 4) == 0);

    // Loading it resets what the categories select.
    LayoutRef other;
    Customise(*other);
    Ref<IStream> stream(NewStream(frame));
    CHECK(other->LoadFromStream(stream.Get(), HvLayout::CatGeneral) == S_OK);
    CHECK(GetText(other.Dispatch(), L"Caption").empty());
    CHECK(GetLong(other.Dispatch(), L"TipDelay") == -1);
    CHECK(other->Appearances()->ItemCount() == 1); // not selected: kept
}

TEST_CASE("the stream frame of a customised layout")
{
    LayoutRef layout;
    Customise(*layout);
    std::vector<BYTE> frame = SavedFrame(*layout);
    const LONG mask = ReadLong(frame, 4);
    CHECK(mask == (HvLayout::PropGeneral | HvLayout::PropAppearances | HvLayout::PropCaption |
                   HvLayout::PropTagVariant));
    // The 29-byte general block follows the mask.
    REQUIRE(frame.size() > 8 + 29);
    CHECK(ReadLong(frame, 8 + 8) == 750);
    CHECK(frame[8 + 21] == 6);
    CHECK(frame[8 + 26] == 0);
    CHECK(frame[8 + 28] == 0x31); // Enabled, AlphaBlendEnabled, the stock font

    SUBCASE("with General only the Appearances are left out")
    {
        std::vector<BYTE> general = SavedFrame(*layout, HvLayout::CatGeneral);
        CHECK((ReadLong(general, 4) & HvLayout::PropAppearances) == 0);
    }
    SUBCASE("loading all of it reproduces the layout")
    {
        LayoutRef copy;
        Ref<IStream> stream(NewStream(frame));
        REQUIRE(copy->LoadFromStream(stream.Get(), -1) == S_OK);
        CHECK(GetText(copy.Dispatch(), L"Caption") == L"Análises do dia");
        CHECK(GetLong(copy.Dispatch(), L"BorderStyle") == 6);
        CHECK(GetLong(copy.Dispatch(), L"MaxRowScrollRegions") == 4);
        CHECK(GetLong(copy.Dispatch(), L"TagVariant") == 42);
        CHECK(copy->Appearances()->ItemCount() == 1);
        CHECK(SavedFrame(*copy) == frame);
    }
    SUBCASE("loading with General only reads the Appearances into a scratch collection")
    {
        LayoutRef copy;
        AddAppearance(*copy, L"Própria");
        AddAppearance(*copy, L"Outra");
        Ref<IStream> stream(NewStream(frame));
        REQUIRE(copy->LoadFromStream(stream.Get(), HvLayout::CatGeneral) == S_OK);
        CHECK(copy->Appearances()->ItemCount() == 2);
        CHECK(GetText(copy.Dispatch(), L"Caption") == L"Análises do dia");
    }
    SUBCASE("a frame of another version is refused and nothing is applied")
    {
        std::vector<BYTE> wrong = frame;
        wrong[0] = 99;
        LayoutRef copy;
        Ref<IStream> stream(NewStream(wrong));
        CHECK(copy->LoadFromStream(stream.Get(), -1) == E_FAIL);
        CHECK(GetLong(copy.Dispatch(), L"BorderStyle") == 0);
    }
}

TEST_CASE("a frame that holds the retired picture loads and drops it")
{
    // version, mask with the retired picture only, then a picture in the
    // standard OLE picture stream form.
    Ref<IPictureDisp> picture(NewBitmapPicture(4, 4));
    Ref<IPersistStream> persist;
    REQUIRE(picture->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.Out())) == S_OK);
    Ref<IStream> stream(NewStream());
    const LONG header[2] = {100, static_cast<LONG>(HvLayout::PropRetiredPicture)};
    ULONG written = 0;
    stream->Write(header, sizeof header, &written);
    REQUIRE(persist->Save(stream.Get(), FALSE) == S_OK);
    const LONG trailingMarker = 0x7E7E7E7E;
    stream->Write(&trailingMarker, 4, &written);
    Rewind(stream.Get());
    LayoutRef layout;
    CHECK(layout->LoadFromStream(stream.Get(), -1) == S_OK);
    LONG after = 0;
    ULONG read = 0;
    stream->Read(&after, 4, &read);
    CHECK(after == trailingMarker); // the picture was read in full
}

TEST_CASE("Save and Load through IHvLayout with a stream")
{
    LayoutRef layout;
    Customise(*layout);
    VARIANT destination;
    VariantInit(&destination);
    REQUIRE(layout.Interface()->Save(&destination, StreamType(), Missing(), Missing(), Missing()) == S_OK);
    REQUIRE(V_VT(&destination) == VT_UNKNOWN);
    Ref<IStream> stream;
    REQUIRE(V_UNKNOWN(&destination)->QueryInterface(IID_IStream, reinterpret_cast<void**>(stream.Out())) == S_OK);
    ULARGE_INTEGER position{};
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_CUR, &position);
    CHECK(position.QuadPart == 0);

    SUBCASE("loading it reproduces the layout")
    {
        LayoutRef copy;
        REQUIRE(copy.Interface()->Load(&destination, StreamType(), Missing(), Missing(), Missing(), Missing()) == S_OK);
        CHECK(SavedFrame(*copy) == SavedFrame(*layout));
    }
    SUBCASE("Erase false keeps a Caption only when General is not selected")
    {
        LayoutRef target;
        VARIANT caption = MakeText(L"Mantida");
        REQUIRE(LatePut(target.Dispatch(), L"Caption", caption).hr == S_OK);
        VariantClear(&caption);
        LayoutRef plain;
        VARIANT empty;
        VariantInit(&empty);
        REQUIRE(plain.Interface()->Save(&empty, StreamType(), Missing(), Missing(), Missing()) == S_OK);
        REQUIRE(target.Interface()->Load(&empty, StreamType(), MakeI4(HvLayout::CatAppearanceCollection), Missing(),
                                         Missing(), Missing()) == S_OK);
        CHECK(GetText(target.Dispatch(), L"Caption") == L"Mantida");
        REQUIRE(target.Interface()->Load(&empty, StreamType(), MakeI4(HvLayout::CatGeneral), Missing(), Missing(),
                                         Missing()) == S_OK);
        CHECK(GetText(target.Dispatch(), L"Caption").empty());
        VariantClear(&empty);
    }
    VariantClear(&destination);
}

TEST_CASE("a Load whose data cannot be read leaves the layout as it was")
{
    LayoutRef layout;
    Customise(*layout);
    std::vector<BYTE> frame = SavedFrame(*layout);
    frame[0] = 99; // another format version
    LayoutRef target;
    VARIANT caption = MakeText(L"Intacta");
    REQUIRE(LatePut(target.Dispatch(), L"Caption", caption).hr == S_OK);
    VariantClear(&caption);
    Ref<IStream> stream(NewStream(frame));
    VARIANT source;
    VariantInit(&source);
    V_VT(&source) = VT_UNKNOWN;
    V_UNKNOWN(&source) = stream.Get();
    VARIANT erase;
    VariantInit(&erase);
    V_VT(&erase) = VT_BOOL;
    V_BOOL(&erase) = VARIANT_TRUE;
    CHECK(target.Interface()->Load(&source, MakeI4(2), Missing(), erase, Missing(), Missing()) == E_FAIL);
    CHECK(GetText(target.Dispatch(), L"Caption") == L"Intacta");
}

TEST_CASE("Save and Load refuse what they cannot do")
{
    LayoutRef layout;
    VARIANT path = MakeText(L"C:\\layout.bin");
    CHECK(layout.Interface()->Save(&path, MakeI4(3), Missing(), Missing(), Missing()) == kInvalidValue);
    // File and registry need a grid whose container offers no bind host.
    CHECK(layout.Interface()->Save(&path, MakeI4(0), Missing(), Missing(), Missing()) == kAccessDenied);
    CHECK(LastErrorDescription() == L"Due to security restrictions access to this file is denied.");
    CHECK(layout.Interface()->Load(&path, MakeI4(1), Missing(), Missing(), Missing(), Missing()) == kAccessDenied);
    CHECK(layout.Interface()->Load(&path, MakeI4(3), Missing(), Missing(), Missing(), Missing()) == kAccessDenied);
    CHECK(layout.Interface()->Load(&path, MakeI4(4), Missing(), Missing(), Missing(), Missing()) == kInvalidValue);
    // A stream load needs an object.
    CHECK(layout.Interface()->Load(&path, StreamType(), Missing(), Missing(), Missing(), Missing()) == kInvalidValue);
    // A Grid argument that is no object.
    CHECK(layout.Interface()->Save(&path, StreamType(), Missing(), Missing(), MakeI4(7)) == kBadObject);
    VariantClear(&path);
}

TEST_CASE("Load type 99 reads a compound file without the access test")
{
    LayoutRef layout;
    Customise(*layout);
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    wchar_t file[MAX_PATH] = {};
    GetTempFileNameW(folder, L"hvl", 0, file);
    IStorage* storage = nullptr;
    REQUIRE(StgCreateDocfile(file, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage) == S_OK);
    IStream* stream = nullptr;
    REQUIRE(storage->CreateStream(L"Layout", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream) ==
            S_OK);
    REQUIRE(layout->SaveToStream(stream, -1) == S_OK);
    stream->Release();
    storage->Release();

    LayoutRef copy;
    VARIANT path = MakeText(file);
    CHECK(copy.Interface()->Load(&path, MakeI4(99), Missing(), Missing(), Missing(), Missing()) == S_OK);
    VariantClear(&path);
    DeleteFileW(file);
    CHECK(GetText(copy.Dispatch(), L"Caption") == L"Análises do dia");
}

TEST_CASE("Clone, CopyFrom and Reset")
{
    LayoutRef layout;
    Customise(*layout);

    SUBCASE("Clone with General copies the settings, caption and tag but no collections")
    {
        Ref<IHvLayout> clone;
        REQUIRE(layout.Interface()->Clone(MakeI4(HvLayout::CatGeneral), clone.Out()) == S_OK);
        CHECK(GetText(clone.Get(), L"Caption") == L"Análises do dia");
        CHECK(GetLong(clone.Get(), L"TipDelay") == 750);
        CHECK(GetLong(clone.Get(), L"TagVariant") == 42);
        CHECK(HvLayout::FromObject(clone.Get())->Appearances()->ItemCount() == 0);
        CHECK(clone.Get() != layout.Interface());
    }
    SUBCASE("Clone of everything gives an equal frame")
    {
        Ref<IHvLayout> clone;
        REQUIRE(layout.Interface()->Clone(Missing(), clone.Out()) == S_OK);
        CHECK(SavedFrame(*HvLayout::FromObject(clone.Get())) == SavedFrame(*layout));
    }
    SUBCASE("CopyFrom needs a live source")
    {
        LayoutRef target;
        CHECK(target.Interface()->CopyFrom(nullptr, Missing()) == kNotActive);
        REQUIRE(target.Interface()->CopyFrom(layout.Interface(), Missing()) == S_OK);
        CHECK(SavedFrame(*target) == SavedFrame(*layout));
        LayoutRef dead;
        dead->Deactivate();
        CHECK(target.Interface()->CopyFrom(dead.Interface(), Missing()) == kNotActive);
    }
    SUBCASE("Reset with no arguments returns every category to its default")
    {
        REQUIRE(layout.Interface()->Reset(Missing(), Missing()) == S_OK);
        CHECK(SavedFrame(*layout).size() == 8);
        CHECK(layout->Appearances()->ItemCount() == 0);
    }
    SUBCASE("Reset of one category leaves the others")
    {
        REQUIRE(layout.Interface()->Reset(MakeI4(HvLayout::CatAppearanceCollection), Missing()) == S_OK);
        CHECK(layout->Appearances()->ItemCount() == 0);
        CHECK(GetText(layout.Dispatch(), L"Caption") == L"Análises do dia");
    }
}

TEST_CASE("the property bag form under LayoutFlags")
{
    LayoutRef layout;
    Customise(*layout);
    MemoryBag bag;
    REQUIRE(layout->SaveToPropertyBag(&bag, false) == S_OK);
    CHECK(bag.Has(L"LayoutFlags"));
    CHECK(bag.Has(L"Caption"));
    CHECK(bag.Has(L"TipDelay"));
    CHECK(bag.Has(L"BorderStyle"));
    CHECK_FALSE(bag.Has(L"ScrollBars")); // at its default
    CHECK_FALSE(bag.Has(L"Override"));

    LayoutRef copy;
    REQUIRE(copy->LoadFromPropertyBag(&bag, nullptr) == S_OK);
    CHECK(GetText(copy.Dispatch(), L"Caption") == L"Análises do dia");
    CHECK(GetLong(copy.Dispatch(), L"TipDelay") == 750);
    CHECK(GetLong(copy.Dispatch(), L"ViewStyle") == 0);
    CHECK(GetLong(copy.Dispatch(), L"ScrollBars") == 4);
    CHECK(GetLong(copy.Dispatch(), L"TagVariant") == 42);

    SUBCASE("save-all writes the defaults too")
    {
        MemoryBag all;
        REQUIRE(layout->SaveToPropertyBag(&all, true) == S_OK);
        CHECK(all.Has(L"ScrollBars"));
        CHECK(all.Has(L"Enabled"));
    }
}
