// SheetInterior: the fill of a range's cells as an automation object.
// Giving a colour to an unfilled cell makes its fill solid.
#pragma once

#include "RangeTarget.h"
#include "SheetObject.h"

namespace hv::sheet::server {

class SheetInterior final : public SheetObject<IHvSheetInterior> {
public:
    using InterfaceType = IHvSheetInterior;
    SheetInterior(Session session, RangeTarget target);
    static IDispatch* Create(Session session, const RangeTarget& target);

    STDMETHODIMP get_Pattern(VARIANT* value) override;
    STDMETHODIMP put_Pattern(VARIANT value) override;
    STDMETHODIMP get_PatternColorIndex(VARIANT* value) override;
    STDMETHODIMP put_PatternColorIndex(VARIANT value) override;
    STDMETHODIMP get_Color(VARIANT* value) override;
    STDMETHODIMP put_Color(VARIANT value) override;
    STDMETHODIMP get_ThemeColor(VARIANT* value) override;
    STDMETHODIMP put_ThemeColor(VARIANT value) override;
    STDMETHODIMP get_TintAndShade(VARIANT* value) override;
    STDMETHODIMP put_TintAndShade(VARIANT value) override;
    STDMETHODIMP get_PatternTintAndShade(VARIANT* value) override;
    STDMETHODIMP put_PatternTintAndShade(VARIANT value) override;

private:
    const FillStyle& Fill() const;
    template <class Change>
    HRESULT ChangeFill(Change change);

    RangeTarget target_;
};

} // namespace hv::sheet::server
