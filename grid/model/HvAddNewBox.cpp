// HvAddNewBox: settings, appearances and their resolution, the button font
// and measures, persistence by property code, and the box as UI owner.
#include "HvAddNewBox.h"

#include "AddNewBoxLayoutSeam.h"
#include "AppearanceData.h"
#include "ChangeNotice.h"
#include "HvAppearance.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "HvLayoutHost.h"
#include "ObjectInfo.h"
#include "OleColor.h"
#include "OverrideBandSeam.h"
#include "LayoutCategories.h"
#include "OwnedElementLookup.h"
#include "OwnedElementSeam.h"
#include "StreamText.h"
#include "Units.h"

#include <algorithm>
#include <cstring>

#include <cstdlib>

namespace {

enum : DISPID {
    kAppearanceId = -520,
    kButtonAppearanceId = 0x881,
    kButtonBorderStyleId = 2178,
    kButtonConnectorColorId = 2175,
    kButtonConnectorStyleId = 2176,
    kBorderStyleId = -504,
    kHiddenId = 1127,
    kPromptId = 2174,
    kFontId = -512,
};

constexpr UINT kPromptStringId = 6000;
constexpr LONG kTextAlignLeft = 1;
constexpr LONG kTextVAlignTop = 1;
constexpr LONG kVAlignMiddle = 2;

HRESULT CopyOut(const CDualString& text, BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    CDualString copy(text);
    *out = copy.AllocSysString();
    return *out || text.IsEmpty() ? S_OK : E_OUTOFMEMORY;
}

void FillUnsetNibble(AppearanceData& data, std::uint32_t bit, BYTE value, DWORD mask, std::uint32_t& resolved)
{
    if ((mask & bit) && !(resolved & bit) && data.Nibble(bit) == 0) {
        data.SetNibble(bit, value);
        resolved |= bit;
    }
}

} // namespace

HvAddNewBox::HvAddNewBox(AddNewBoxLayoutSeam* layout)
    : HvObjectBaseImpl(ObjectType::HvAddNewBox), layout_(layout), layoutLink_(static_cast<ChangeSubscriber*>(this))
{
    HvLayoutHost* host = layout_ ? layout_->Host() : nullptr;
    HvAppearances* appearances = layout_ ? layout_->Appearances() : nullptr;
    appearance_.Init(host, appearances, this);
    buttonAppearance_.Init(host, appearances, this);
    if (layout_)
        if (ChangePublisher* publisher = layout_->LayoutPublisher())
            layoutLink_.RelinkSubscription(publisher);
    prompt_.Assign(DefaultPrompt());
}

HvAddNewBox::~HvAddNewBox()
{
    Deactivate();
    DetachAllSubscribers();
}

HRESULT HvAddNewBox::Create(AddNewBoxLayoutSeam* layout, HvAddNewBox** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvAddNewBox(layout);
        return S_OK;
    });
}

void HvAddNewBox::ReleaseReferences()
{
    appearance_.Detach();
    buttonAppearance_.Detach();
    FreeButtonFont();
    layoutLink_.Unlink();
    layout_ = nullptr;
}

const CDualString& HvAddNewBox::DefaultPrompt()
{
    if (!defaultPromptLoaded_) {
        defaultPromptLoaded_ = true;
        if (!layout_ || !layout_->GetDialogString(kPromptStringId, defaultPrompt_)) {
            wchar_t text[256] = {};
            if (LoadStringW(GetResourceInstance(), kPromptStringId, text, 256) > 0)
                defaultPrompt_.AssignWide(text);
        }
    }
    return defaultPrompt_;
}

// --- appearances ------------------------------------------------------------

HRESULT HvAddNewBox::GetAppearanceObject(AppearanceRef& ref, IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckAlive();
        return FAILED(hr) ? hr : ref.QueryAppearance(out);
    });
}

HRESULT HvAddNewBox::PutAppearance(AppearanceRef& ref, const VARIANT& value, DISPID dispid)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckAlive();
        if (FAILED(hr))
            return hr;
        bool changed = false;
        hr = ref.PutValue(value, &changed);
        if (SUCCEEDED(hr) && changed)
            NotifySubscribers(dispid, 0);
        return hr;
    });
}

STDMETHODIMP HvAddNewBox::get_Appearance(IHvAppearance** out)
{
    return GetAppearanceObject(appearance_, out);
}

STDMETHODIMP HvAddNewBox::putref_Appearance(VARIANT* value)
{
    return value ? PutAppearance(appearance_, *value, kAppearanceId) : E_INVALIDARG;
}

STDMETHODIMP HvAddNewBox::put_Appearance(VARIANT value)
{
    return PutAppearance(appearance_, value, kAppearanceId);
}

STDMETHODIMP HvAddNewBox::get_ButtonAppearance(IHvAppearance** out)
{
    return GetAppearanceObject(buttonAppearance_, out);
}

STDMETHODIMP HvAddNewBox::putref_ButtonAppearance(VARIANT* value)
{
    return value ? PutAppearance(buttonAppearance_, *value, kButtonAppearanceId) : E_INVALIDARG;
}

STDMETHODIMP HvAddNewBox::put_ButtonAppearance(VARIANT value)
{
    return PutAppearance(buttonAppearance_, value, kButtonAppearanceId);
}

// --- styles -----------------------------------------------------------------

HRESULT HvAddNewBox::PutNibble(BYTE* field, bool high, LONG value, LONG maximum, DISPID dispid)
{
    HRESULT hr = CheckAlive();
    if (FAILED(hr))
        return hr;
    if (value < 0 || value > maximum)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    const BYTE current = high ? static_cast<BYTE>(*field >> 4) : static_cast<BYTE>(*field & 0x0F);
    if (current == value)
        return S_OK;
    *field = high ? static_cast<BYTE>((*field & 0x0F) | (value << 4))
                  : static_cast<BYTE>((*field & 0xF0) | value);
    NotifySubscribers(dispid, 0);
    return S_OK;
}

STDMETHODIMP HvAddNewBox::get_ButtonBorderStyle(Constants_BorderStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    HRESULT hr = CheckAlive();
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_BorderStyle>(RawButtonBorderStyle());
    return hr;
}

STDMETHODIMP HvAddNewBox::put_ButtonBorderStyle(Constants_BorderStyle value)
{
    return PutNibble(&style1_, true, value, 9, kButtonBorderStyleId);
}

STDMETHODIMP HvAddNewBox::get_BorderStyle(Constants_BorderStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    HRESULT hr = CheckAlive();
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_BorderStyle>(RawBorderStyle());
    return hr;
}

STDMETHODIMP HvAddNewBox::put_BorderStyle(Constants_BorderStyle value)
{
    return PutNibble(&style1_, false, value, 9, kBorderStyleId);
}

STDMETHODIMP HvAddNewBox::get_ButtonConnectorStyle(Constants_ConnectorStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    HRESULT hr = CheckAlive();
    if (SUCCEEDED(hr))
        *out = static_cast<Constants_ConnectorStyle>(RawButtonConnectorStyle());
    return hr;
}

STDMETHODIMP HvAddNewBox::put_ButtonConnectorStyle(Constants_ConnectorStyle value)
{
    return PutNibble(&style2_, false, value, 7, kButtonConnectorStyleId);
}

STDMETHODIMP HvAddNewBox::get_ButtonConnectorColor(OLE_COLOR* out)
{
    if (!out)
        return E_INVALIDARG;
    HRESULT hr = CheckAlive();
    if (SUCCEEDED(hr))
        *out = connectorColor_;
    return hr;
}

STDMETHODIMP HvAddNewBox::put_ButtonConnectorColor(OLE_COLOR value)
{
    HRESULT hr = CheckAlive();
    if (FAILED(hr))
        return hr;
    const DWORD high = value >> 24;
    if (high != 0 && high != 0x80)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    if (value != connectorColor_) {
        connectorColor_ = value;
        NotifySubscribers(kButtonConnectorColorId, 0);
    }
    return S_OK;
}

STDMETHODIMP HvAddNewBox::get_Hidden(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    HRESULT hr = CheckAlive();
    if (SUCCEEDED(hr))
        *out = IsHidden() ? VARIANT_TRUE : VARIANT_FALSE;
    return hr;
}

STDMETHODIMP HvAddNewBox::put_Hidden(VARIANT_BOOL value)
{
    HRESULT hr = CheckAlive();
    if (FAILED(hr))
        return hr;
    const bool hide = value != VARIANT_FALSE;
    if (hide != IsHidden()) {
        style2_ = static_cast<BYTE>(hide ? style2_ | HiddenBit : style2_ & ~HiddenBit);
        NotifySubscribers(kHiddenId, 0);
    }
    return S_OK;
}

STDMETHODIMP HvAddNewBox::get_Prompt(BSTR* out)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckAlive();
        return FAILED(hr) ? hr : CopyOut(prompt_, out);
    });
}

STDMETHODIMP HvAddNewBox::put_Prompt(BSTR value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckAlive();
        if (FAILED(hr))
            return hr;
        const CDualString text(value ? value : L"");
        if (prompt_.Compare(text.c_str()) != 0) {
            prompt_.Assign(text);
            NotifySubscribers(kPromptId, 0);
        }
        return S_OK;
    });
}

LONG HvAddNewBox::ResolveBorderStyle() const
{
    return RawBorderStyle() == 0 ? 8 : RawBorderStyle();
}

LONG HvAddNewBox::ResolveButtonBorderStyle(bool resolved) const
{
    return resolved && RawButtonBorderStyle() == 0 ? 7 : RawButtonBorderStyle();
}

LONG HvAddNewBox::ResolveButtonConnectorStyle() const
{
    return RawButtonConnectorStyle() == 0 ? 5 : RawButtonConnectorStyle();
}

COLORREF HvAddNewBox::GetButtonConnectorColorRGB() const
{
    return TranslateOleColor(connectorColor_);
}

// --- element and resolution -------------------------------------------------

STDMETHODIMP HvAddNewBox::GetUIElement(IHvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HRESULT hr = CheckAlive();
    if (FAILED(hr))
        return hr;
    if (layout_ && !layout_->IsDesignMode())
        *out = layout_->GetAddNewBoxElement();
    return S_OK;
}

LayoutRegionsSeam* HvAddNewBox::GetShowingLayout()
{
    auto* layout = IsActive() ? dynamic_cast<HvLayout*>(layout_) : nullptr;
    return layout && layout->Grid() ? layout : nullptr;
}

UIElementSeam* HvAddNewBox::GetUIElement(ScrollRegionSeam*, ScrollRegionSeam*, int create)
{
    OwnedElementQuery query;
    query.type = 400;
    return FindOwnedElement(dynamic_cast<HvLayout*>(GetShowingLayout()), query, create != 0);
}

STDMETHODIMP HvAddNewBox::Refresh()
{
    HRESULT hr = CheckAlive();
    if (SUCCEEDED(hr) && layout_)
        layout_->RedrawAddNewBox();
    return hr;
}

void HvAddNewBox::ResolveButtonAppearanceData(AppearanceData& data, DWORD mask)
{
    AppearanceRequest request;
    request.requestMask = mask;
    request.part = 8;
    std::uint32_t resolved = 0;
    data.SetNibble(AppearanceBit::TextAlign, kTextAlignLeft);
    data.SetNibble(AppearanceBit::TextVAlign, kVAlignMiddle);
    resolved |= mask & (AppearanceBit::TextAlign | AppearanceBit::TextVAlign);
    if (const AppearanceData* own = buttonAppearance_.GetAppearanceData())
        AppearanceData::ResolveAppearance(data, *own, mask, &resolved);
    if ((mask & AppearanceBit::BackColor) && data.BackColor() == UnsetColor)
        data.SetBackColor(0x80000010);
    if ((mask & AppearanceBit::ForeColor) && data.ForeColor() == UnsetColor)
        data.SetForeColor(0x80000014);
    if ((mask & AppearanceBit::Font) && !data.Font())
        data.SetFont(GetButtonFont());
}

void HvAddNewBox::ResolveAppearanceData(AppearanceData& data, DWORD mask)
{
    AppearanceRequest request;
    request.requestMask = mask;
    request.part = Kind;
    std::uint32_t resolved = 0;
    if (const AppearanceData* own = appearance_.GetAppearanceData())
        AppearanceData::ResolveAppearance(data, *own, mask, &resolved);
    if ((mask & AppearanceBit::BackColor) && data.BackColor() == UnsetColor) {
        data.SetBackColor(0x8000000F);
        resolved |= AppearanceBit::BackColor;
    }
    FillUnsetNibble(data, AppearanceBit::PictureAlign, 1, mask, resolved);
    FillUnsetNibble(data, AppearanceBit::PictureVAlign, kVAlignMiddle, mask, resolved);
    for (std::uint32_t bit : {AppearanceBit::ForegroundAlpha, AppearanceBit::BackColorAlpha, AppearanceBit::BorderAlpha,
                              AppearanceBit::PictureAlpha, AppearanceBit::PictureBackgroundAlpha})
        FillUnsetNibble(data, bit, 2, mask, resolved);
    FillUnsetNibble(data, AppearanceBit::PictureBackgroundStyle, 1, mask, resolved);
    request.resolvedMask = resolved;
    if (layout_ && (mask & ~resolved & (AppearanceBit::Font | AppearanceBit::ForeColor)))
        layout_->ResolveLayoutAppearance(data, request);
}

STDMETHODIMP HvAddNewBox::ResolveAppearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckAlive();
        if (FAILED(hr))
            return hr;
        HvAppearance* snapshot = nullptr;
        hr = HvAppearance::Create(layout_ ? layout_->Host() : nullptr, false, nullptr, nullptr, &snapshot);
        if (SUCCEEDED(hr))
            hr = snapshot->EnsureAppearanceData();
        if (FAILED(hr)) {
            if (snapshot)
                snapshot->Release();
            return hr;
        }
        AppearanceData& data = *snapshot->MutableAppearanceData();
        ResolveButtonAppearanceData(data, AppearanceBit::All);
        if (data.Nibble(AppearanceBit::TextAlign) == 0)
            data.SetNibble(AppearanceBit::TextAlign, kTextAlignLeft);
        if (data.Nibble(AppearanceBit::TextVAlign) == 0)
            data.SetNibble(AppearanceBit::TextVAlign, kTextVAlignTop);
        *out = snapshot;
        return S_OK;
    });
}

HCURSOR HvAddNewBox::GetButtonCursor()
{
    AppearanceData data;
    ResolveButtonAppearanceData(data, AppearanceBit::MousePointer | AppearanceBit::MouseIcon);
    return data.GetCursor();
}

// --- font and measures ------------------------------------------------------

PropertySinkConnection* HvAddNewBox::GetButtonFont()
{
    if (buttonFont_)
        return buttonFont_.get();
    PropertySinkConnection* base = layout_ && layout_->Host() ? layout_->Host()->DefaultFont() : nullptr;
    HFONT handle = base ? base->GetHFont() : nullptr;
    LOGFONTW logFont{};
    if (!handle || !GetObjectW(handle, sizeof logFont, &logFont))
        return nullptr;
    auto font = std::make_unique<PropertySinkConnection>();
    FONTDESC description = PropertySinkConnection::DefaultFontDescription();
    description.lpstrName = logFont.lfFaceName;
    description.cySize.int64 = FontHeightToSize(logFont.lfHeight, 110);
    description.sWeight = static_cast<SHORT>(logFont.lfWeight);
    description.sCharset = logFont.lfCharSet;
    description.fItalic = logFont.lfItalic != 0;
    description.fUnderline = logFont.lfUnderline != 0;
    description.fStrikethrough = logFont.lfStrikeOut != 0;
    font->AssignFont(&description, nullptr);
    if (!font->GetHFont())
        return nullptr;
    buttonFont_ = std::move(font);
    return buttonFont_.get();
}

void HvAddNewBox::FreeButtonFont()
{
    if (buttonFont_) {
        buttonFont_->Disconnect();
        buttonFont_.reset();
    }
}

namespace {

// Selects a font into a screen DC for one measurement.
class ScreenFontScope {
public:
    explicit ScreenFontScope(HFONT font) : dc_(GetDC(nullptr))
    {
        if (dc_ && font)
            old_ = SelectObject(dc_, font);
    }
    ~ScreenFontScope()
    {
        if (dc_) {
            if (old_)
                SelectObject(dc_, old_);
            ReleaseDC(nullptr, dc_);
        }
    }
    ScreenFontScope(const ScreenFontScope&) = delete;
    ScreenFontScope& operator=(const ScreenFontScope&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

SIZE Measure(HDC dc, const CDualString& text)
{
    SIZE size{0, 0};
    if (dc && !text.IsEmpty())
        GetTextExtentPoint32A(dc, text.c_str(), text.Length(), &size);
    return size;
}

} // namespace

SIZE HvAddNewBox::GetPromptSize()
{
    if (prompt_.IsEmpty())
        return SIZE{0, 0};
    AppearanceData data;
    ResolveButtonAppearanceData(data, AppearanceBit::Font);
    ScreenFontScope scope(data.GetFontHandle());
    return Measure(scope.Dc(), prompt_);
}

LONG HvAddNewBox::GetButtonHeight(HDC dc)
{
    AppearanceData data;
    ResolveButtonAppearanceData(data, 0xF00);
    SIZE text{0, 0};
    if (dc) {
        HFONT font = data.GetFontHandle();
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        GetTextExtentPoint32A(dc, "WWWWy", 5, &text);
        if (old)
            SelectObject(dc, old);
    }
    LONG picture = 0;
    if (data.HasPicture()) {
        SIZE size{0, 0};
        data.GetPictureSize(size);
        picture = size.cy + 1;
    }
    // A picture above or below the text stacks with it.
    const BYTE vertical = data.Nibble(AppearanceBit::PictureVAlign);
    const bool stacked = picture > 0 && (vertical == 1 || vertical == 3) &&
                         data.Nibble(AppearanceBit::PictureAlign) == 2;
    return stacked ? text.cy + picture : std::max<LONG>(text.cy, picture);
}

SIZE HvAddNewBox::MeasureButtonText(HvBand*, const CDualString& text)
{
    PropertySinkConnection* font = GetButtonFont();
    ScreenFontScope scope(font ? font->GetHFont() : nullptr);
    return Measure(scope.Dc(), text);
}

// --- notices and owner answers ----------------------------------------------

void HvAddNewBox::OnChange(const ChangeNotice* notice)
{
    if (!notice || !IsActive())
        return;
    if (layout_ && notice->publisher == layout_->LayoutPublisher()) {
        if (notice->what == kFontId)
            FreeButtonFont();
        return;
    }
    HvAppearance* area = appearance_.GetAppearance();
    if (area && notice->publisher == static_cast<ChangePublisher*>(area))
        NotifySubscribers(kAppearanceId, reinterpret_cast<std::intptr_t>(notice));
    else
        NotifySubscribers(AddNewBoxId, reinterpret_cast<std::intptr_t>(notice));
}

HCURSOR HvAddNewBox::GetCursor(OwnedElementSeam* element)
{
    return element ? element->DefaultCursor() : nullptr;
}

bool HvAddNewBox::GetText(OwnedElementSeam*, CDualString& text)
{
    text.Assign(prompt_);
    return !text.IsEmpty();
}

// --- persistence ------------------------------------------------------------

bool HvAddNewBox::HasData(DWORD code, LONG categories)
{
    if (!(EffectiveCategories(categories) & GeneralCategory))
        return false;
    switch (code) {
    case CodeStyles:
        return style1_ != 0 || (style2_ & 0x0F) != 0 || !IsHidden() || connectorColor_ != DefaultConnectorColor;
    case CodeAppearance:
        return appearance_.IsSet();
    case CodeButtonAppearance:
        return buttonAppearance_.IsSet();
    case CodePrompt:
        return prompt_.Compare(DefaultPrompt().c_str()) != 0;
    case CodeTag:
        return !tag_.IsEmpty();
    default:
        return false;
    }
}

HRESULT HvAddNewBox::Save(DWORD code, IStream* stream, LONG categories)
{
    // By reference only when the save carries the Appearances too.
    const bool inlineObjects = categories != 0 && !(categories & 1);
    switch (code) {
    case CodeStyles: {
        BYTE bytes[6];
        std::memcpy(bytes, &connectorColor_, 4);
        bytes[4] = style1_;
        bytes[5] = style2_;
        return WriteBytes(stream, bytes, sizeof bytes);
    }
    case CodeAppearance:
        return appearance_.SaveToStream(stream, inlineObjects, categories);
    case CodeButtonAppearance:
        return buttonAppearance_.SaveToStream(stream, inlineObjects, categories);
    case CodePrompt:
        return WriteStringToStream(stream, prompt_);
    case CodeTag:
        return tag_.SaveToStream(stream);
    default:
        return S_OK;
    }
}

HRESULT HvAddNewBox::Load(DWORD code, IStream* stream, LONG categories)
{
    switch (code) {
    case CodeStyles: {
        BYTE bytes[6];
        HRESULT hr = ReadBytes(stream, bytes, sizeof bytes);
        if (FAILED(hr))
            return hr;
        OLE_COLOR color = 0;
        std::memcpy(&color, bytes, 4);
        // Values the setters would refuse are not taken.
        if (((color >> 24) != 0 && (color >> 24) != 0x80) || (bytes[4] & 0x0F) > 9 || (bytes[4] >> 4) > 9 ||
            (bytes[5] & 0x0F) > 7)
            return E_FAIL;
        connectorColor_ = color;
        style1_ = bytes[4];
        style2_ = bytes[5];
        return S_OK;
    }
    case CodeAppearance:
        return appearance_.LoadFromStream(stream, categories);
    case CodeButtonAppearance:
        return buttonAppearance_.LoadFromStream(stream, categories);
    case CodePrompt:
        return ReadStringFromStream(stream, prompt_);
    case CodeTag:
        return tag_.LoadFromStream(stream);
    default:
        return S_OK;
    }
}

void HvAddNewBox::Reset(DWORD code, LONG categories)
{
    if (!(EffectiveCategories(categories) & GeneralCategory))
        return;
    switch (code) {
    case CodeStyles:
        style1_ = 0;
        style2_ = HiddenBit;
        connectorColor_ = DefaultConnectorColor;
        break;
    case CodeAppearance:
        appearance_.ReleaseAppearance();
        break;
    case CodeButtonAppearance:
        buttonAppearance_.ReleaseAppearance();
        break;
    case CodePrompt:
        prompt_.Assign(DefaultPrompt());
        break;
    case CodeTag:
        tag_.Clear();
        break;
    default:
        break;
    }
}

HRESULT HvAddNewBox::CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories)
{
    HvAddNewBox* other = dynamic_cast<HvAddNewBox*>(&source);
    if (!other)
        return E_FAIL;
    if (other == this || !(EffectiveCategories(categories) & GeneralCategory))
        return S_OK;
    switch (code) {
    case CodeStyles:
        connectorColor_ = other->connectorColor_;
        style1_ = other->style1_;
        style2_ = other->style2_;
        return S_OK;
    case CodeAppearance:
        return appearance_.Assign(other->appearance_);
    case CodeButtonAppearance:
        return buttonAppearance_.Assign(other->buttonAppearance_);
    case CodePrompt:
        prompt_.Assign(other->prompt_);
        return S_OK;
    case CodeTag:
        return tag_.Copy(other->tag_);
    default:
        return S_OK;
    }
}

HRESULT HvAddNewBox::LoadIntoScratch(IStream* stream, LONG categories)
{
    if (!layout_)
        return S_OK;
    HvAddNewBox* scratch = nullptr;
    HRESULT hr = Create(layout_, &scratch);
    if (FAILED(hr))
        return hr;
    hr = scratch->LoadFrame(stream, categories);
    scratch->Detach();
    scratch->Release();
    return hr;
}
