// Fixture of the display tests through the registered control library: the
// grid created by class identifier from Tavelle.ocx, hosted by our
// container and activated in place; its element tree walked through the
// automation interfaces, and scenes drawn into memory contexts through the
// control's view.
#pragma once

#include "Canvas.h"
#include "ContainerWindow.h"
#include "ControlHost.h"

#include <Tavelle.h>
#include <wrl/client.h>

#include <vector>

class OcxGrid {
public:
    // The grid in a container window, at (0, 0) with the given size.
    OcxGrid(int width, int height);

    IHvTavelleControl* Control() const { return control_.Get(); }
    IHvLayout* Layout() const { return layout_.Get(); }
    hv::container::ControlHost& Host() { return host_; }
    HWND Window() const;

    Microsoft::WRL::ComPtr<IHvUIElement> Root() const;
    // Every element of the type under the root, in tree order.
    std::vector<Microsoft::WRL::ComPtr<IHvUIElement>> OfType(long type) const;
    // Counts of the elements of each type under the root.
    int CountOf(long type) const { return static_cast<int>(OfType(type).size()); }

    // Binds the grid to the data source (a recordset's).
    void Bind(IUnknown* source);

    // Paints the whole control into the canvas through IViewObject::Draw.
    HRESULT DrawInto(Canvas& canvas) const;

    Microsoft::WRL::ComPtr<IHvRowScrollRegion> RowRegion(long index) const;
    Microsoft::WRL::ComPtr<IHvColScrollRegion> ColRegion(long index) const;

    // Pixels to the control's units and back (twips: the container gives
    // no scale).
    static float ToUnits(int pixels);

private:
    hv::container::ContainerWindow window_;
    hv::container::ControlHost host_;
    Microsoft::WRL::ComPtr<IHvTavelleControl> control_;
    Microsoft::WRL::ComPtr<IHvLayout> layout_;
};

// Registers the built Tavelle.ocx (once per program).
void RegisterOnce();
long TypeOf(IHvUIElement* element);
RECT RectOf(IHvUIElement* element);
// Pixels inside the rectangle that differ from both given colours.
int InkIn(const Canvas& canvas, const RECT& rect, COLORREF back, COLORREF other);
// The optional argument left out.
VARIANT Missing();
