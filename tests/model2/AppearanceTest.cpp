// Appearance objects: the late-bound property table with its errors, picture
// normalisation, the font connection, clone/replace/clear, and the stream form.
#include <doctest/doctest.h>

#include "Model2Support.h"

#include "HvAppearance.h"

#include <cstring>

namespace {

constexpr HRESULT kReadOnly = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr HRESULT kBadIndex = static_cast<HRESULT>(0x800AA21D);
constexpr HRESULT kCannotDo = static_cast<HRESULT>(0x800AA21C);
constexpr HRESULT kBadObject = static_cast<HRESULT>(0x800AA220);

HvAppearance* NewAppearance(FakeLayout& layout, bool readOnly = false, const char* key = nullptr)
{
    CDualString text(key);
    HvAppearance* appearance = nullptr;
    REQUIRE(HvAppearance::Create(&layout, readOnly, key ? &text : nullptr, nullptr, &appearance) == S_OK);
    return appearance;
}

long GetLong(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    LateResult got = LateGet(object, name, &value);
    REQUIRE(got.hr == S_OK);
    VARIANT asLong;
    VariantInit(&asLong);
    REQUIRE(VariantChangeType(&asLong, &value, 0, VT_I4) == S_OK);
    VariantClear(&value);
    return V_I4(&asLong);
}

// Registers the type library embedded in this program for the test's
// duration, so that automation finds it as clients do.
struct RegisteredTypeLibrary {
    ITypeLib* library = nullptr;
    RegisteredTypeLibrary()
    {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        REQUIRE(LoadTypeLibEx(path, REGKIND_NONE, &library) == S_OK);
        REQUIRE(RegisterTypeLib(library, path, nullptr) == S_OK);
    }
    ~RegisteredTypeLibrary()
    {
        TLIBATTR* attributes = nullptr;
        if (SUCCEEDED(library->GetLibAttr(&attributes))) {
            UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum, attributes->lcid,
                              attributes->syskind);
            library->ReleaseTLibAttr(attributes);
        }
        library->Release();
    }
};

struct PropertyCase {
    const wchar_t* name;
    long good;      // accepted; read back as stored
    long stored;    // what the getter answers after good
    long bad;       // refused with "Invalid property value"
    std::uint32_t bit;
};

const PropertyCase kProperties[] = {
    {L"AlphaLevel", 200, 200, 256, AppearanceBit::AlphaLevel},
    {L"BackColor", static_cast<long>(0x80000005), static_cast<long>(0x80000005), 0x01000000, AppearanceBit::BackColor},
    {L"BorderColor", 0x00FF00, 0x00FF00, 0x7F000000, AppearanceBit::BorderColor},
    {L"ForeColor", 0, 0, 0x02000000, AppearanceBit::ForeColor},
    {L"BackColorAlpha", 3, 3, 4, AppearanceBit::BackColorAlpha},
    {L"BorderAlpha", 1, 1, -1, AppearanceBit::BorderAlpha},
    {L"ForegroundAlpha", 2, 2, 4, AppearanceBit::ForegroundAlpha},
    {L"MousePointer", 50, 99, -1, AppearanceBit::MousePointer},
    {L"PictureAlpha", 3, 3, 4, AppearanceBit::PictureAlpha},
    {L"PictureAlign", 2, 2, 4, AppearanceBit::PictureAlign},
    {L"PictureVAlign", 3, 3, 4, AppearanceBit::PictureVAlign},
    {L"PictureBackgroundAlpha", 1, 1, 4, AppearanceBit::PictureBackgroundAlpha},
    {L"PictureBackgroundOrigin", 3, 3, 4, AppearanceBit::PictureBackgroundOrigin},
    {L"PictureBackgroundStyle", 2, 2, 4, AppearanceBit::PictureBackgroundStyle},
    {L"TextAlign", 1, 1, 4, AppearanceBit::TextAlign},
    {L"TextVAlign", 2, 2, 4, AppearanceBit::TextVAlign},
    {L"PictureMasking", 2, 2, 3, AppearanceBit::PictureMasking},
};

} // namespace

TEST_CASE("model2: appearance properties late-bound through the registered type library")
{
    RegisteredTypeLibrary registered;
    ITypeLib* found = nullptr;
    TLIBATTR* attributes = nullptr;
    REQUIRE(registered.library->GetLibAttr(&attributes) == S_OK);
    CHECK(LoadRegTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum, 0, &found) == S_OK);
    registered.library->ReleaseTLibAttr(attributes);
    if (found)
        found->Release();

    FakeLayout layout;
    Ref<HvAppearance> appearance(NewAppearance(layout));
    IDispatch* object = appearance->Interface();
    NoticeRecorder recorder;
    recorder.Watch(appearance.Get());

    for (const PropertyCase& row : kProperties) {
        CAPTURE(std::string(row.name, row.name + wcslen(row.name)));
        recorder.Clear();
        CHECK(LatePut(object, row.name, MakeI4(row.good)).hr == S_OK);
        CHECK(GetLong(object, row.name) == row.stored);
        REQUIRE(recorder.notices.size() == 1);
        CHECK(static_cast<std::uint32_t>(recorder.notices[0].what) == row.bit);
        // The same value again publishes nothing.
        CHECK(LatePut(object, row.name, MakeI4(row.good)).hr == S_OK);
        CHECK(recorder.notices.size() == 1);
        LateResult bad = LatePut(object, row.name, MakeI4(row.bad));
        CHECK(bad.hr == kInvalidValue);
        CHECK(bad.description == L"Invalid property value");
        CHECK(GetLong(object, row.name) == row.stored);
    }
    // A colour can be set back to unset.
    CHECK(LatePut(object, L"BackColor", MakeI4(-1)).hr == S_OK);
    CHECK(GetLong(object, L"BackColor") == -1);

    // A read-only appearance refuses every write, even of its current value.
    Ref<HvAppearance> readOnly(NewAppearance(layout, true));
    for (const PropertyCase& row : kProperties) {
        LateResult refused = LatePut(readOnly->Interface(), row.name, MakeI4(row.good));
        CHECK(refused.hr == kReadOnly);
        CHECK(refused.description == L"Property is read-only");
    }
    VARIANT text = MakeText(L"abc");
    CHECK(LatePut(readOnly->Interface(), L"Picture", text).hr == kReadOnly);
    VariantClear(&text);

    // Key is read-only in the type library and answers a copy.
    Ref<HvAppearance> keyed(NewAppearance(layout, false, "Header"));
    VARIANT key;
    CHECK(LateGet(keyed->Interface(), L"Key", &key).hr == S_OK);
    CHECK(std::wstring(V_BSTR(&key)) == L"Header");
    VariantClear(&key);
    text = MakeText(L"Other");
    CHECK(FAILED(LatePut(keyed->Interface(), L"Key", text).hr));
    VariantClear(&text);
}

TEST_CASE("model2: a fresh appearance reads unset and a dead one refuses writes")
{
    FakeLayout layout;
    Ref<HvAppearance> appearance(NewAppearance(layout));
    CHECK(GetLong(appearance->Interface(), L"BackColor") == -1);
    CHECK(GetLong(appearance->Interface(), L"TextAlign") == 0);
    CHECK_FALSE(appearance->HasOwnData());
    CHECK(appearance->get_BackColor(nullptr) == E_INVALIDARG);

    appearance->put_ForeColor(0x123456);
    NoticeRecorder recorder;
    recorder.Watch(appearance.Get());
    appearance->Deactivate();
    // Deactivation clears the settings and tells the users.
    REQUIRE(recorder.notices.size() == 1);
    CHECK(recorder.notices[0].what == -1);
    CHECK(GetLong(appearance->Interface(), L"ForeColor") == -1);
    LateResult refused = LatePut(appearance->Interface(), L"ForeColor", MakeI4(5));
    CHECK(refused.hr == kNotActive);
    CHECK(refused.description == L"This object is no longer active");
    CHECK(appearance->put_PictureBackground(nullptr) == kNotActive);
}

TEST_CASE("model2: Picture keeps indexes, keys and objects apart")
{
    FakeLayout layout;
    Ref<HvAppearance> appearance(NewAppearance(layout));
    IDispatch* object = appearance->Interface();
    NoticeRecorder recorder;
    recorder.Watch(appearance.Get());

    VARIANT value = MakeText(L"3");
    CHECK(LatePut(object, L"Picture", value).hr == S_OK);
    VariantClear(&value);
    VARIANT got;
    CHECK(LateGet(object, L"Picture", &got).hr == S_OK);
    CHECK(V_VT(&got) == VT_I2);
    CHECK(V_I2(&got) == 3);
    // The number 3 is the same picture: nothing published.
    CHECK(LatePut(object, L"Picture", MakeI4(3)).hr == S_OK);
    CHECK(recorder.notices.size() == 1);

    value = MakeText(L"abc");
    CHECK(LatePut(object, L"Picture", value).hr == S_OK);
    VariantClear(&value);
    CHECK(LateGet(object, L"Picture", &got).hr == S_OK);
    CHECK(V_VT(&got) == VT_BSTR);
    CHECK(std::wstring(V_BSTR(&got)) == L"abc");
    VariantClear(&got);

    LateResult negative = LatePut(object, L"Picture", MakeI4(-2));
    CHECK(negative.hr == kBadIndex);
    CHECK(negative.description == L"Specified index is invalid");

    // A picture object stays the very object, not a number made of it.
    Ref<IPictureDisp> picture(NewBitmapPicture(4, 4));
    CHECK(LatePut(object, L"Picture", MakeObject(picture.Get()), true).hr == S_OK);
    CHECK(LateGet(object, L"Picture", &got).hr == S_OK);
    CHECK(V_VT(&got) == VT_DISPATCH);
    CHECK(V_DISPATCH(&got) == picture.Get());
    VariantClear(&got);

    value = MakeText(L"");
    CHECK(LatePut(object, L"Picture", value).hr == S_OK);
    VariantClear(&value);
    CHECK(LateGet(object, L"Picture", &got).hr == S_OK);
    CHECK(V_VT(&got) == VT_EMPTY);
    CHECK(appearance->putref_Picture(nullptr) == E_INVALIDARG);
    for (const ChangeNotice& notice : recorder.notices)
        CHECK(static_cast<std::uint32_t>(notice.what) == AppearanceBit::Picture);
}

TEST_CASE("model2: object properties check their objects")
{
    FakeLayout layout;
    Ref<HvAppearance> appearance(NewAppearance(layout));
    Ref<IPictureDisp> bitmap(NewBitmapPicture(2, 2));
    Ref<IPictureDisp> icon(NewIconPicture());
    // A bitmap is no mouse icon; an icon is.
    CHECK(appearance->put_MouseIcon(bitmap.Get()) == kInvalidValue);
    CHECK_FALSE(appearance->HasOwnData());
    CHECK(appearance->putref_MouseIcon(icon.Get()) == S_OK);
    Ref<IPictureDisp> got;
    CHECK(appearance->get_MouseIcon(got.Out()) == S_OK);
    CHECK(got.Get() == icon.Get());
    CHECK(appearance->putref_PictureBackground(bitmap.Get()) == S_OK);
    CHECK(appearance->get_PictureBackground(got.Out()) == S_OK);
    CHECK(got.Get() == bitmap.Get());
    CHECK(appearance->put_PictureBackground(nullptr) == S_OK);
    CHECK(appearance->get_PictureBackground(got.Out()) == S_OK);
    CHECK_FALSE(got);
}

TEST_CASE("model2: font connection to the layout's font")
{
    FakeLayout layout;
    Ref<HvAppearance> appearance(NewAppearance(layout));
    NoticeRecorder recorder;
    recorder.Watch(appearance.Get());

    // Reading gives a copy of the layout's font, not the font itself.
    Ref<IFontDisp> font;
    REQUIRE(appearance->get_Font(font.Out()) == S_OK);
    Ref<IFontDisp> layoutFont(layout.LayoutFont());
    CHECK(font.Get() != layoutFont.Get());
    IFont* asFont = nullptr;
    REQUIRE(font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&asFont)) == S_OK);
    CY size = {};
    asFont->get_Size(&size);
    CHECK(size.int64 == 120000);
    CHECK_FALSE(appearance->HasOwnData());
    CHECK(recorder.notices.empty());

    // Changing it makes it the appearance's own font.
    CHECK(asFont->put_Bold(TRUE) == S_OK);
    REQUIRE(recorder.notices.size() == 1);
    CHECK(static_cast<std::uint32_t>(recorder.notices[0].what) == AppearanceBit::Font);
    REQUIRE(appearance->HasOwnData());
    CHECK(appearance->GetAppearanceData().Font() == font.Get());
    Ref<IFontDisp> again;
    CHECK(appearance->get_Font(again.Out()) == S_OK);
    CHECK(again.Get() == font.Get());
    asFont->Release();

    // ClearFont drops it and publishes once.
    CHECK(appearance->ClearFont() == S_OK);
    CHECK(recorder.notices.size() == 2);
    CHECK(appearance->GetAppearanceData().Font() == nullptr);

    // A font put is shared with the caller.
    Ref<IFontDisp> mine(NewFont(L"Arial", 10));
    CHECK(appearance->putref_Font(mine.Get()) == S_OK);
    CHECK(appearance->GetAppearanceData().Font() == mine.Get());
    CHECK(appearance->put_Font(nullptr) == S_OK);
    CHECK(appearance->GetAppearanceData().Font() == nullptr);
    CHECK(layout.reports.empty());
}

TEST_CASE("model2: a font change on a read-only appearance is ignored and reported")
{
    FakeLayout layout;
    Ref<HvAppearance> appearance(NewAppearance(layout, true));
    NoticeRecorder recorder;
    recorder.Watch(appearance.Get());
    Ref<IFontDisp> font;
    REQUIRE(appearance->get_Font(font.Out()) == S_OK);
    IFont* asFont = nullptr;
    REQUIRE(font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&asFont)) == S_OK);
    asFont->put_Italic(TRUE);
    asFont->Release();
    CHECK(recorder.notices.empty());
    CHECK_FALSE(appearance->HasOwnData());
    REQUIRE(layout.reports.size() == 1);
    CHECK(layout.reports[0] ==
          L"Font Change Ignored|Changes to font properties on a resolved (read-only) HvAppearance object are ignored.");
    // Nothing is reported once the layout is gone.
    layout.alive = false;
    Ref<IFontDisp> same;
    appearance->get_Font(same.Out());
    same->QueryInterface(IID_IFont, reinterpret_cast<void**>(&asFont));
    asFont->put_Italic(FALSE);
    asFont->Release();
    CHECK(layout.reports.size() == 1);
}

TEST_CASE("model2: Clone, Replace and Clear")
{
    FakeLayout layout;
    Ref<HvAppearance> appearance(NewAppearance(layout));
    NoticeRecorder recorder;
    recorder.Watch(appearance.Get());
    CHECK(appearance->Clear() == S_OK);
    CHECK(recorder.notices.empty()); // nothing to clear

    appearance->put_BackColor(0xFF);
    VARIANT tag = MakeI4(7);
    appearance->put_TagVariant(tag);
    Ref<IHvAppearance> clone;
    REQUIRE(appearance->Clone(clone.Out()) == S_OK);
    OLE_COLOR color = 0;
    clone->get_BackColor(&color);
    CHECK(color == 0xFF);
    VARIANT cloneTag;
    VariantInit(&cloneTag);
    clone->get_TagVariant(&cloneTag);
    CHECK(V_VT(&cloneTag) == VT_I4);
    VariantClear(&cloneTag);
    clone->put_BackColor(0xFF00); // independent, and nobody hears it
    appearance->get_BackColor(&color);
    CHECK(color == 0xFF);
    CHECK(recorder.notices.size() == 1);

    recorder.Clear();
    CHECK(appearance->Clear() == S_OK);
    REQUIRE(recorder.notices.size() == 1);
    CHECK(recorder.notices[0].what == -1);
    appearance->get_TagVariant(&cloneTag);
    CHECK(V_VT(&cloneTag) == VT_EMPTY);

    // Replace hands the users over to the new appearance.
    VARIANT replacement = MakeObject(clone.Get());
    CHECK(appearance->Replace(&replacement) == S_OK);
    recorder.Clear();
    clone->put_BackColor(0x1);
    CHECK(recorder.notices.size() == 1);
    appearance->put_BackColor(0x2);
    CHECK(recorder.notices.size() == 1);

    // Something else than an appearance is refused.
    Ref<IPictureDisp> picture(NewBitmapPicture(1, 1));
    replacement = MakeObject(picture.Get());
    LateResult wrong = LateCall(clone.Get(), L"Replace", {replacement}, nullptr);
    CHECK(wrong.hr == kBadObject);
    CHECK(wrong.description == L"Error accessing passed in object");
    CHECK(LateCall(clone.Get(), L"Replace", {MakeI4(3)}, nullptr).hr == kBadObject);
    // Without an argument the users drop the appearance.
    CHECK(LateCall(clone.Get(), L"Replace", {}, nullptr).hr == S_OK);
    recorder.Clear();
    clone->put_BackColor(0x3);
    CHECK(recorder.notices.empty());
}

TEST_CASE("model2: a resolved appearance refuses Clear and Replace and clones read-only")
{
    FakeLayout layout;
    Ref<HvAppearance> resolved(NewAppearance(layout, true));
    REQUIRE(resolved->Interface()->put_ForeColor(0x20) == kReadOnly);
    LateResult clear = LateCall(resolved->Interface(), L"Clear", {}, nullptr);
    CHECK(clear.hr == kCannotDo);
    CHECK(clear.description == L"Unable to perform the requested operation.");
    CHECK(LateCall(resolved->Interface(), L"Replace", {}, nullptr).hr == kCannotDo);
    VARIANT result;
    REQUIRE(LateCall(resolved->Interface(), L"Clone", {}, &result).hr == S_OK);
    REQUIRE(V_VT(&result) == VT_DISPATCH);
    // The copy is a snapshot as well: its writes are refused, and so is a
    // change through a clone of the clone.
    LateResult put = LatePut(V_DISPATCH(&result), L"BackColor", MakeI4(0x10));
    CHECK(put.hr == kReadOnly);
    CHECK(put.description == L"Property is read-only");
    VARIANT again;
    REQUIRE(LateCall(V_DISPATCH(&result), L"Clone", {}, &again).hr == S_OK);
    REQUIRE(V_VT(&again) == VT_DISPATCH);
    CHECK(LatePut(V_DISPATCH(&again), L"BackColor", MakeI4(0x10)).hr == kReadOnly);
    VariantClear(&again);
    VariantClear(&result);
}

namespace {

std::vector<BYTE> SaveBytes(HvAppearance* appearance)
{
    Ref<IStream> stream(NewStream());
    REQUIRE(appearance->SaveToStream(stream.Get(), 0) == S_OK);
    return StreamBytes(stream.Get());
}

} // namespace

TEST_CASE("model2: appearance stream round trip is byte-exact and a corrupted stream fails")
{
    FakeLayout layout;
    Ref<HvAppearance> appearance(NewAppearance(layout, false, "Warn"));
    appearance->put_BackColor(0x0000FF);
    appearance->put_TextAlign(hvAlignRight);
    appearance->put_MousePointer(hvHand);
    Ref<IFontDisp> font(NewFont(L"Arial", 9));
    appearance->putref_Font(font.Get());
    VARIANT picture = MakeText(L"flag");
    appearance->put_Picture(picture);
    VariantClear(&picture);
    VARIANT tag = MakeText(L"note");
    appearance->put_TagVariant(tag);
    VariantClear(&tag);

    const std::vector<BYTE> bytes = SaveBytes(appearance.Get());
    // Version 100, then the mask of the three categories.
    REQUIRE(bytes.size() > 8);
    LONG version = 0;
    DWORD mask = 0;
    std::memcpy(&version, bytes.data(), 4);
    std::memcpy(&mask, bytes.data() + 4, 4);
    CHECK(version == 100);
    CHECK(mask == 0x11100);

    Ref<HvAppearance> loaded(NewAppearance(layout));
    Ref<IStream> stream(NewStream(bytes));
    REQUIRE(loaded->LoadFromStream(stream.Get(), 0) == S_OK);
    CHECK(SaveBytes(loaded.Get()) == bytes);
    CHECK(CDualString(*loaded->GetKey()).Compare("Warn") == 0);
    OLE_COLOR color = 0;
    loaded->get_BackColor(&color);
    CHECK(color == 0x0000FF);

    // Every cut of the stream fails and leaves no half-read settings.
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CAPTURE(cut);
        Ref<HvAppearance> victim(NewAppearance(layout));
        Ref<IStream> shortStream(NewStream(std::vector<BYTE>(bytes.begin(), bytes.begin() + cut)));
        CHECK(FAILED(victim->LoadFromStream(shortStream.Get(), 0)));
    }
    // A wrong version, or data of a category an appearance does not have.
    std::vector<BYTE> wrongVersion = bytes;
    wrongVersion[0] = 101;
    Ref<IStream> versionStream(NewStream(wrongVersion));
    CHECK(loaded->LoadFromStream(versionStream.Get(), 0) == E_FAIL);
    std::vector<BYTE> wrongMask = bytes;
    wrongMask[4] |= 0x01;
    Ref<IStream> maskStream(NewStream(wrongMask));
    CHECK(loaded->LoadFromStream(maskStream.Get(), 0) == E_FAIL);

    // An empty appearance writes only the version and an empty mask.
    Ref<HvAppearance> empty(NewAppearance(layout));
    CHECK(SaveBytes(empty.Get()) == std::vector<BYTE>{100, 0, 0, 0, 0, 0, 0, 0});
}
