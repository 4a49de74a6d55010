// The registered grid hosted for the display tests.
#include "OcxGrid.h"

#include "FrameworkTestSupport.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;

namespace {

void Collect(IHvUIElement* element, long type, std::vector<ComPtr<IHvUIElement>>& found)
{
    if (TypeOf(element) == type)
        found.emplace_back(element);
    ComPtr<IHvUIElements> children;
    if (FAILED(element->get_UIElements(&children)) || !children)
        return;
    long count = 0;
    children->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        ComPtr<IHvUIElement> child;
        if (SUCCEEDED(children->get_Item(index, &child)) && child)
            Collect(child.Get(), type, found);
    }
}

} // namespace

void RegisterOnce()
{
    static const DWORD result = RunRegsvr32On(WindowsPathOf(HV_TAVELLE_OCX), L"/s");
    REQUIRE(result == 0);
}

OcxGrid::OcxGrid(int width, int height)
    : window_(width + 40, height + 40), host_((RegisterOnce(), window_.Hwnd()), RECT{0, 0, width, height})
{
    REQUIRE(host_.Create(CLSID_HvTavelle) == S_OK);
    REQUIRE(host_.Activate() == S_OK);
    control_ = host_.Query<IHvTavelleControl>();
    REQUIRE(control_);
    REQUIRE(control_->get_Layout(&layout_) == S_OK);
    REQUIRE(layout_);
}

HWND OcxGrid::Window() const
{
    ComPtr<IOleWindow> window = host_.Query<IOleWindow>();
    HWND handle = nullptr;
    if (window)
        window->GetWindow(&handle);
    return handle;
}

ComPtr<IHvUIElement> OcxGrid::Root() const
{
    ComPtr<IHvUIElement> root;
    REQUIRE(control_->GetUIElement(&root) == S_OK);
    return root;
}

std::vector<ComPtr<IHvUIElement>> OcxGrid::OfType(long type) const
{
    std::vector<ComPtr<IHvUIElement>> found;
    Collect(Root().Get(), type, found);
    return found;
}

void OcxGrid::Bind(IUnknown* source)
{
    REQUIRE(source);
    REQUIRE(control_->putref_DataSource(reinterpret_cast<DataSource*>(source)) == S_OK);
}

HRESULT OcxGrid::DrawInto(Canvas& canvas) const
{
    ComPtr<IViewObject> view = host_.Query<IViewObject>();
    RECTL bounds{0, 0, canvas.Width(), canvas.Height()};
    return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0);
}

ComPtr<IHvRowScrollRegion> OcxGrid::RowRegion(long index) const
{
    ComPtr<IHvRowScrollRegions> regions;
    REQUIRE(layout_->get_RowScrollRegions(&regions) == S_OK);
    ComPtr<IHvRowScrollRegion> region;
    regions->get_Item(index, &region);
    return region;
}

ComPtr<IHvColScrollRegion> OcxGrid::ColRegion(long index) const
{
    ComPtr<IHvColScrollRegions> regions;
    REQUIRE(layout_->get_ColScrollRegions(&regions) == S_OK);
    ComPtr<IHvColScrollRegion> region;
    regions->get_Item(index, &region);
    return region;
}

float OcxGrid::ToUnits(int pixels)
{
    HDC screen = GetDC(nullptr);
    const int perInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return static_cast<float>(pixels) * 1440.0f / static_cast<float>(perInch);
}

long TypeOf(IHvUIElement* element)
{
    Constants_UIElement type{};
    return element && SUCCEEDED(element->get_Type(&type)) ? static_cast<long>(type) : -1;
}

RECT RectOf(IHvUIElement* element)
{
    RECT rect{};
    ComPtr<IHvUIRect> r;
    if (element && SUCCEEDED(element->get_Rect(&r)) && r) {
        r->get_Left(&rect.left);
        r->get_Top(&rect.top);
        r->get_Right(&rect.right);
        r->get_Bottom(&rect.bottom);
    }
    return rect;
}

int InkIn(const Canvas& canvas, const RECT& rect, COLORREF back, COLORREF other)
{
    int ink = 0;
    for (long y = rect.top; y < rect.bottom; ++y)
        for (long x = rect.left; x < rect.right; ++x) {
            const COLORREF at = canvas.At(x, y);
            if (at != back && at != other)
                ++ink;
        }
    return ink;
}

VARIANT Missing()
{
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    return missing;
}
