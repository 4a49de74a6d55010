// The grid control's images host and the container's coordinate units.
#include "GridControlFixture.h"

#include "ControlPrivateInterfaces.h"
#include "HvImages.h"
#include "Units.h"

#include <cmath>

TEST_CASE("the images collection is made on first use; its size is 0 x 0 before")
{
    ComPtr<IUnknown> made = CreateGridByClsid();
    HvTavelle* grid = HvTavelle::FromUnknown(made.Get());
    REQUIRE(grid);
    CHECK(grid->ExistingImages() == nullptr);
    const SIZE none = grid->GetControlImageSize();
    CHECK(none.cx == 0);
    CHECK(none.cy == 0);
    HvImages* images = grid->GetControlImages();
    REQUIRE(images);
    CHECK(grid->GetControlImages() == images);
    CHECK(images->Count() == 0);
}

TEST_CASE("the first image-property interface without a bind host")
{
    HostedGrid hosted;
    ComPtr<IHvImagePropertyQuery> query = QueryIid<IHvImagePropertyQuery>(hosted.host.Control(), IID_IHvImagePropertyQuery);
    REQUIRE(query);
    long count = 0;
    CHECK(query->GetPropertyCount(&count) == S_OK);
    CHECK(count == 1);
    DISPID ids[2] = {0, 0};
    CHECK(query->GetPropertyIds(ids) == S_OK);
    CHECK(ids[0] == 2100);
    long value = -1;
    CHECK(query->GetPropertyDefault(2100, &value) == S_OK);
    CHECK(value == 0);
    CHECK(query->GetPropertyDefault(2102, &value) == S_OK);
    CHECK(query->GetPropertyDefault(2101, &value) == static_cast<HRESULT>(0x800A017C));
    OLE_COLOR color = 1;
    CHECK(query->GetDefaultColor(2100, &color) == S_OK);
    CHECK(color == (0x80000000u | COLOR_BTNFACE));
    CHECK(query->GetDefaultColor(2101, &color) == E_FAIL);
    CHECK(color == 0);
    CHECK(query->GetPropertyCount(nullptr) == E_INVALIDARG);
}

TEST_CASE("the second image-property interface takes Picture, Images and ImageList only")
{
    HostedGrid hosted;
    ComPtr<IHvImagePropertyAccess> access = QueryIid<IHvImagePropertyAccess>(hosted.host.Control(), IID_IHvImagePropertyAccess);
    REQUIRE(access);
    VARIANT value;
    VariantInit(&value);
    CHECK(access->GetImageProperty(2100, &value, 0) == S_OK);
    CHECK(value.vt == VT_DISPATCH);
    CHECK(value.pdispVal != nullptr);
    VariantClear(&value);
    CHECK(access->GetImageProperty(-501, &value, 0) == static_cast<HRESULT>(0x800A017C));
    VARIANT empty;
    VariantInit(&empty);
    CHECK(access->PutImageProperty(2102, empty) == static_cast<HRESULT>(0x800A017C));
    CHECK(access->PutRefImageProperty(-523, &empty) == static_cast<HRESULT>(0x800A017C));
}

TEST_CASE("container units: pixels when the container names none, twips rounded half up")
{
    HostedGrid hosted;
    HvTavelle* grid = hosted.grid;

    SUBCASE("no ScaleUnits is pixels: positions are truncated")
    {
        hosted.host.Ambients().SetString(DISPID_AMBIENT_SCALEUNITS, L"");
        CHECK(grid->GetContainerScaleMode() == 0);
        CHECK(grid->ContainerXToPixels(10.9) == 10);
        CHECK(grid->ContainerYToPixels(3.2) == 3);
        CHECK(grid->PixelsToContainerX(7) == doctest::Approx(7.0));
    }
    SUBCASE("the unit names are compared without regard to case")
    {
        struct Case {
            const wchar_t* units;
            int mode;
        };
        for (const Case& c : {Case{L"Pixels", 0}, Case{L"PIXELS", 0}, Case{L"twip", 1}, Case{L"Twip", 1},
                              Case{L"Centimeter", 2}}) {
            hosted.host.Ambients().SetString(DISPID_AMBIENT_SCALEUNITS, c.units);
            CHECK(grid->GetContainerScaleMode() == c.mode);
        }
    }
    SUBCASE("twips: whole numbers, a half or more goes away from zero")
    {
        hosted.host.Ambients().SetString(DISPID_AMBIENT_SCALEUNITS, L"Twip");
        bool sawUp = false, sawDown = false;
        for (long pixels = 1; pixels <= 12; ++pixels) {
            CAPTURE(pixels);
            const double exact = PixelsToHimetricX(pixels) * 1440.0 / 2540.0;
            const double whole = std::floor(exact);
            const bool up = exact - whole >= 0.5;
            (up ? sawUp : sawDown) = true;
            CHECK(grid->PixelsToContainerX(pixels) == doctest::Approx(whole + (up ? 1 : 0)));
            // A negative position rounds as its mirror image.
            CHECK(grid->PixelsToContainerX(-pixels) == doctest::Approx(-(whole + (up ? 1 : 0))));
        }
        CHECK(sawUp);
        CHECK(sawDown);
        // And back: a twips position to pixels through HIMETRIC.
        CHECK(grid->ContainerXToPixels(1440.0) == HimetricToPixelsX(2540));
    }
}

TEST_CASE("without a control site conversions return their input")
{
    ComPtr<IUnknown> made = CreateGridByClsid();
    HvTavelle* grid = HvTavelle::FromUnknown(made.Get());
    REQUIRE(grid);
    CHECK(grid->ContainerXToPixels(10.9) == 10);
    CHECK(grid->PixelsToContainerY(12) == doctest::Approx(12.0));
}

namespace {

VARIANT Missing()
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}

// Owns its string.
struct TextArg {
    VARIANT v;
    explicit TextArg(const wchar_t* text)
    {
        VariantInit(&v);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocString(text);
    }
    ~TextArg() { VariantClear(&v); }
};

ComPtr<IHvImage> AddKeyed(IHvImages* images, const wchar_t* key)
{
    TextArg text(key);
    ComPtr<IHvImage> image;
    CHECK(images->Add(Missing(), text.v, Missing(), image.GetAddressOf()) == S_OK);
    return image;
}

} // namespace

TEST_CASE("images a client keeps go on without the control: after a new state and after the control is gone")
{
    HostedGrid hosted;
    ComPtr<IHvTavelleControl> control = hosted.Query<IHvTavelleControl>();
    REQUIRE(control);
    ComPtr<IHvImages> kept;
    REQUIRE(control->get_Images(kept.GetAddressOf()) == S_OK);
    ComPtr<IHvImage> first = AddKeyed(kept.Get(), L"first");

    // A new state gives the control a new collection; the old one no longer
    // marks the control changed.
    ComPtr<IPersistStreamInit> persist = hosted.Query<IPersistStreamInit>();
    REQUIRE(persist->InitNew() == S_OK);
    ComPtr<IStream> stream;
    REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()) == S_OK);
    REQUIRE(persist->Save(stream.Get(), TRUE) == S_OK);
    REQUIRE(persist->IsDirty() == S_FALSE);
    AddKeyed(kept.Get(), L"second");
    CHECK(persist->IsDirty() == S_FALSE);
    ComPtr<IHvImages> current;
    REQUIRE(control->get_Images(current.GetAddressOf()) == S_OK);
    CHECK(current.Get() != kept.Get());
    long count = -1;
    CHECK(current->get_Count(&count) == S_OK);
    CHECK(count == 0);

    persist.Reset();
    control.Reset();
    current.Reset();
    REQUIRE(hosted.host.Close() == S_OK);

    // Every member answers from the collection's own list.
    AddKeyed(kept.Get(), L"third");
    CHECK(kept->get_Count(&count) == S_OK);
    CHECK(count == 3);
    TextArg second(L"SECOND");
    ComPtr<IHvImage> found;
    REQUIRE(kept->get_Item(second.v, found.GetAddressOf()) == S_OK);
    short index = 0;
    CHECK(found->get_Index(&index) == S_OK);
    CHECK(index == 2);
    CHECK(found->put_Index(1) == S_OK);
    CHECK(first->get_Index(&index) == S_OK);
    CHECK(index == 2);
    BSTR renamed = SysAllocString(L"renamed");
    CHECK(first->put_Key(renamed) == S_OK);
    SysFreeString(renamed);
    ComPtr<IUnknown> enumerator;
    CHECK(kept->get__NewEnum(enumerator.GetAddressOf()) == S_OK);
    TextArg third(L"third");
    CHECK(kept->Remove(third.v) == S_OK);
    CHECK(kept->InternalAdd(Missing()) == S_OK);
    CHECK(kept->Clear() == S_OK);
    CHECK(kept->get_Count(&count) == S_OK);
    CHECK(count == 0);
    // An image let go by its collection stands alone.
    CHECK(first->get_Index(&index) == S_OK);
    CHECK(index == 0);
    CHECK(FAILED(first->put_Index(1)));
}
