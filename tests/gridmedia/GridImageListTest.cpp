// The registered grid with an image-list control beside it: the control is
// given by object, serves the grid's pictures once UseImageList is on, and
// is refused while the container is in design mode.
#include "FakeImageList.h"
#include "MediaTestSupport.h"

#include <olectl.h>

#include <algorithm>

namespace {

constexpr HRESULT kDesignTimeOnly = static_cast<HRESULT>(0x800A018A);
constexpr HRESULT kReadOnly = static_cast<HRESULT>(0x800A017F);

} // namespace

TEST_CASE("ImageList: an image-list control given by object serves the grid; design mode refuses it")
{
    RegisteredGrid grid(false);
    FakeImageListControl* icons = new FakeImageListControl(L"Icones", -1, 12, 10);
    icons->AddImage(L"a", RGB(255, 0, 0));
    icons->AddImage(L"b", RGB(0, 255, 0));

    CHECK(grid.control->putref_ImageList(icons) == S_OK);
    ComPtr<IDispatch> attached;
    REQUIRE(grid.control->get_ImageList(attached.GetAddressOf()) == S_OK);
    CHECK(attached.Get() == static_cast<IDispatch*>(icons));
    CHECK(icons->Connected());
    const auto& changed = grid.host.Site().ChangedProperties();
    CHECK(std::find(changed.begin(), changed.end(), 2101) != changed.end());

    // With UseImageList the images are the control's: the grid's own stay empty.
    CHECK(grid.control->put_UseImageList(VARIANT_TRUE) == S_OK);
    ComPtr<IHvImages> own;
    REQUIRE(grid.control->get_Images(own.GetAddressOf()) == S_OK);
    long count = -1;
    own->get_Count(&count);
    CHECK(count == 0);
    VARIANT_BOOL use = VARIANT_FALSE;
    grid.control->get_UseImageList(&use);
    CHECK(use == VARIANT_TRUE);

    grid.host.Ambients().SetBool(DISPID_AMBIENT_USERMODE, false);
    grid.host.AmbientChanged(DISPID_AMBIENT_USERMODE);
    CHECK(grid.control->get_ImageList(attached.ReleaseAndGetAddressOf()) == kDesignTimeOnly);
    CHECK(ErrorDescription() == L"Property unavailable at design time");
    CHECK(grid.control->putref_ImageList(nullptr) == kReadOnly);
    CHECK(ErrorDescription() == L"Property is read-only");

    grid.host.Ambients().SetBool(DISPID_AMBIENT_USERMODE, true);
    grid.host.AmbientChanged(DISPID_AMBIENT_USERMODE);
    CHECK(grid.control->putref_ImageList(nullptr) == S_OK);
    CHECK_FALSE(icons->Connected());
    attached.Reset();
    icons->Release();
}
