// SheetFont: the font of a range's cells as an automation object.
#pragma once

#include "RangeTarget.h"
#include "SheetObject.h"

namespace hv::sheet::server {

class SheetFont final : public SheetObject<IHvSheetFont> {
public:
    using InterfaceType = IHvSheetFont;
    SheetFont(Session session, RangeTarget target);
    static IDispatch* Create(Session session, const RangeTarget& target);

    STDMETHODIMP get_Name(VARIANT* value) override;
    STDMETHODIMP put_Name(VARIANT value) override;
    STDMETHODIMP get_Size(VARIANT* value) override;
    STDMETHODIMP put_Size(VARIANT value) override;
    STDMETHODIMP get_Bold(VARIANT* value) override;
    STDMETHODIMP put_Bold(VARIANT value) override;
    STDMETHODIMP get_Italic(VARIANT* value) override;
    STDMETHODIMP put_Italic(VARIANT value) override;
    STDMETHODIMP get_Strikethrough(VARIANT* value) override;
    STDMETHODIMP put_Strikethrough(VARIANT value) override;
    STDMETHODIMP get_Superscript(VARIANT* value) override;
    STDMETHODIMP put_Superscript(VARIANT value) override;
    STDMETHODIMP get_Subscript(VARIANT* value) override;
    STDMETHODIMP put_Subscript(VARIANT value) override;
    STDMETHODIMP get_OutlineFont(VARIANT* value) override;
    STDMETHODIMP put_OutlineFont(VARIANT value) override;
    STDMETHODIMP get_Shadow(VARIANT* value) override;
    STDMETHODIMP put_Shadow(VARIANT value) override;
    STDMETHODIMP get_Underline(VARIANT* value) override;
    STDMETHODIMP put_Underline(VARIANT value) override;
    STDMETHODIMP get_Color(VARIANT* value) override;
    STDMETHODIMP put_Color(VARIANT value) override;
    STDMETHODIMP get_ThemeColor(VARIANT* value) override;
    STDMETHODIMP put_ThemeColor(VARIANT value) override;
    STDMETHODIMP get_TintAndShade(VARIANT* value) override;
    STDMETHODIMP put_TintAndShade(VARIANT value) override;
    STDMETHODIMP get_ThemeFont(VARIANT* value) override;
    STDMETHODIMP put_ThemeFont(VARIANT value) override;

private:
    const FontStyle& Font() const;
    template <class Change>
    HRESULT ChangeFont(Change change);
    HRESULT GetFlag(VARIANT* value, bool FontStyle::*flag);
    HRESULT PutFlag(VARIANT value, bool FontStyle::*flag);

    RangeTarget target_;
};

} // namespace hv::sheet::server
