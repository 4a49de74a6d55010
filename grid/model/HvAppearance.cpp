// HvAppearance: setters, font connection, picture normalisation, clone,
// replace and clear of an appearance, and its persistence by category.
#include "HvAppearance.h"

#include "HvAppearances.h"
#include "HvLayoutHost.h"
#include "StreamText.h"
#include "SubscriptionLink.h"

#include <new>

namespace {

template <class TBody>
HRESULT Guard(TBody body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

const AppearanceData& UnsetData()
{
    static const AppearanceData unset;
    return unset;
}

bool IsColorAccepted(OLE_COLOR color)
{
    const DWORD high = color >> 24;
    return color == UnsetColor || high == 0x00 || high == 0x80;
}

bool IsEmptyPicture(const VARIANT* value)
{
    if (!value)
        return true;
    const VARTYPE type = V_VT(value);
    return type == VT_EMPTY || type == VT_NULL || type == VT_ERROR;
}

std::wstring LoadText(HINSTANCE instance, WORD id)
{
    wchar_t buffer[256] = {};
    LoadStringW(instance, id, buffer, 256);
    return buffer;
}

} // namespace

HvAppearance::HvAppearance(HvLayoutHost* owner, bool readOnly, const CDualString* key)
    : CDualObject(nullptr, ObjectType::HvAppearance), owner_(owner), readOnly_(readOnly), fontSink_(*this)
{
    if (key)
        key_.Assign(*key);
}

HvAppearance::~HvAppearance()
{
    if (collectionLink_)
        collectionLink_->Unlink();
    fontConnection_.reset();
    DetachAllSubscribers();
}

HRESULT HvAppearance::Create(HvLayoutHost* owner, bool readOnly, const CDualString* key, HvAppearances* collection,
                             HvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        HvAppearance* appearance = new HvAppearance(owner, readOnly, key);
        if (collection)
            appearance->SetCollection(collection);
        *out = appearance;
        return S_OK;
    });
}

HvAppearance* HvAppearance::FromObject(IUnknown* object)
{
    return dynamic_cast<HvAppearance*>(HvKeyedItem::FromObject(object));
}

HRESULT HvAppearance::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
        *out = static_cast<HvCollectionItem*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

// --- IHvObjectBase ---------------------------------------------------------

STDMETHODIMP HvAppearance::_GetObjectPointer(long* pointer)
{
    return ObjectPointerMember(static_cast<IHvAppearance*>(this), pointer);
}

STDMETHODIMP HvAppearance::get_TagVariant(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    VariantInit(value);
    if (!IsActive())
        return NotActiveError();
    return tag_.GetValue(value);
}

STDMETHODIMP HvAppearance::put_TagVariant(VARIANT value)
{
    if (!IsActive())
        return NotActiveError();
    return tag_.SetValue(value);
}

STDMETHODIMP HvAppearance::putref_TagVariant(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    return tag_.SetValueRef(value);
}

STDMETHODIMP HvAppearance::IsSameAs(IDispatch* other, VARIANT_BOOL* result)
{
    return IsSameAsMember(other, result);
}

// --- data block ------------------------------------------------------------

const AppearanceData& HvAppearance::GetAppearanceData() const
{
    return data_ ? *data_ : UnsetData();
}

HRESULT HvAppearance::EnsureAppearanceData()
{
    if (data_)
        return S_OK;
    if (!IsActive())
        return NotActiveError();
    data_.reset(new (std::nothrow) AppearanceData);
    return data_ ? S_OK : E_OUTOFMEMORY;
}

template <class TValue, class TStore>
HRESULT HvAppearance::PutValue(std::uint32_t bit, TValue value, TValue current, bool inRange, TStore store)
{
    if (readOnly_)
        return Raise(HvResult::ReadOnlyProperty, HvResult::ReadOnlyPropertyString);
    if (value == current)
        return S_OK;
    if (!inRange)
        return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    HRESULT hr = EnsureAppearanceData();
    if (FAILED(hr))
        return hr;
    store(*data_);
    NotifySubscribers(static_cast<std::int32_t>(bit), 0);
    return S_OK;
}

HRESULT HvAppearance::GetNibble(std::uint32_t bit, long* out) const
{
    if (!out)
        return E_INVALIDARG;
    *out = GetAppearanceData().Nibble(bit);
    return S_OK;
}

HRESULT HvAppearance::PutNibble(std::uint32_t bit, long value, long maximum)
{
    return Guard([&] {
        const long current = GetAppearanceData().Nibble(bit);
        return PutValue(bit, value, current, value >= 0 && value <= maximum,
                        [&](AppearanceData& data) { data.SetNibble(bit, static_cast<BYTE>(value)); });
    });
}

HRESULT HvAppearance::PutColor(std::uint32_t bit, OLE_COLOR value, OLE_COLOR current,
                               void (AppearanceData::*store)(OLE_COLOR))
{
    return Guard([&] {
        return PutValue(bit, value, current, IsColorAccepted(value),
                        [&](AppearanceData& data) { (data.*store)(value); });
    });
}

// --- value properties ------------------------------------------------------

STDMETHODIMP HvAppearance::get_AlphaLevel(short* value)
{
    if (!value)
        return E_INVALIDARG;
    *value = GetAppearanceData().AlphaLevel();
    return S_OK;
}

STDMETHODIMP HvAppearance::put_AlphaLevel(short value)
{
    return Guard([&] {
        return PutValue(AppearanceBit::AlphaLevel, value, GetAppearanceData().AlphaLevel(), value >= 0 && value <= 255,
                        [&](AppearanceData& data) { data.SetAlphaLevel(value); });
    });
}

STDMETHODIMP HvAppearance::get_BackColor(OLE_COLOR* value)
{
    if (!value)
        return E_INVALIDARG;
    *value = GetAppearanceData().BackColor();
    return S_OK;
}

STDMETHODIMP HvAppearance::put_BackColor(OLE_COLOR value)
{
    return PutColor(AppearanceBit::BackColor, value, GetAppearanceData().BackColor(), &AppearanceData::SetBackColor);
}

STDMETHODIMP HvAppearance::get_BorderColor(OLE_COLOR* value)
{
    if (!value)
        return E_INVALIDARG;
    *value = GetAppearanceData().BorderColor();
    return S_OK;
}

STDMETHODIMP HvAppearance::put_BorderColor(OLE_COLOR value)
{
    return PutColor(AppearanceBit::BorderColor, value, GetAppearanceData().BorderColor(),
                    &AppearanceData::SetBorderColor);
}

STDMETHODIMP HvAppearance::get_ForeColor(OLE_COLOR* value)
{
    if (!value)
        return E_INVALIDARG;
    *value = GetAppearanceData().ForeColor();
    return S_OK;
}

STDMETHODIMP HvAppearance::put_ForeColor(OLE_COLOR value)
{
    return PutColor(AppearanceBit::ForeColor, value, GetAppearanceData().ForeColor(), &AppearanceData::SetForeColor);
}

STDMETHODIMP HvAppearance::get_MousePointer(Constants_MousePointer* value)
{
    if (!value)
        return E_INVALIDARG;
    *value = static_cast<Constants_MousePointer>(GetAppearanceData().MousePointer());
    return S_OK;
}

STDMETHODIMP HvAppearance::put_MousePointer(Constants_MousePointer value)
{
    // Any pointer above the last stock one is the custom pointer.
    const long stored = value > hvHand ? MousePointerCustom : static_cast<long>(value);
    return Guard([&] {
        return PutValue(AppearanceBit::MousePointer, stored, static_cast<long>(GetAppearanceData().MousePointer()),
                        stored >= 0,
                        [&](AppearanceData& data) { data.SetMousePointer(static_cast<BYTE>(stored)); });
    });
}

#define HV_NIBBLE_PROPERTY(Name, Type, Bit, Maximum)                                  \
    STDMETHODIMP HvAppearance::get_##Name(Type* value)                                \
    {                                                                                 \
        long nibble = 0;                                                              \
        HRESULT hr = GetNibble(Bit, value ? &nibble : nullptr);                       \
        if (SUCCEEDED(hr))                                                            \
            *value = static_cast<Type>(nibble);                                       \
        return hr;                                                                    \
    }                                                                                 \
    STDMETHODIMP HvAppearance::put_##Name(Type value)                                 \
    {                                                                                 \
        return PutNibble(Bit, static_cast<long>(value), Maximum);                     \
    }

HV_NIBBLE_PROPERTY(BackColorAlpha, Constants_Alpha, AppearanceBit::BackColorAlpha, 3)
HV_NIBBLE_PROPERTY(BorderAlpha, Constants_Alpha, AppearanceBit::BorderAlpha, 3)
HV_NIBBLE_PROPERTY(ForegroundAlpha, Constants_Alpha, AppearanceBit::ForegroundAlpha, 3)
HV_NIBBLE_PROPERTY(PictureAlpha, Constants_Alpha, AppearanceBit::PictureAlpha, 3)
HV_NIBBLE_PROPERTY(PictureAlign, Constants_Align, AppearanceBit::PictureAlign, 3)
HV_NIBBLE_PROPERTY(PictureVAlign, Constants_VAlign, AppearanceBit::PictureVAlign, 3)
HV_NIBBLE_PROPERTY(PictureBackgroundAlpha, Constants_Alpha, AppearanceBit::PictureBackgroundAlpha, 3)
HV_NIBBLE_PROPERTY(PictureBackgroundOrigin, Constants_PictureBackgroundOrigin,
                   AppearanceBit::PictureBackgroundOrigin, 3)
HV_NIBBLE_PROPERTY(PictureBackgroundStyle, Constants_PictureBackgroundStyle, AppearanceBit::PictureBackgroundStyle,
                   3)
HV_NIBBLE_PROPERTY(TextAlign, Constants_Align, AppearanceBit::TextAlign, 3)
HV_NIBBLE_PROPERTY(TextVAlign, Constants_VAlign, AppearanceBit::TextVAlign, 3)
HV_NIBBLE_PROPERTY(PictureMasking, Constants_PictureMasking, AppearanceBit::PictureMasking, 2)

#undef HV_NIBBLE_PROPERTY

STDMETHODIMP HvAppearance::get_Key(BSTR* value)
{
    if (!value)
        return E_INVALIDARG;
    return Guard([&] {
        CDualString copy(key_);
        *value = copy.AllocSysString();
        return S_OK;
    });
}

// --- object properties -----------------------------------------------------

HRESULT HvAppearance::CheckObjectWrite()
{
    if (!IsActive())
        return NotActiveError();
    if (readOnly_)
        return Raise(HvResult::ReadOnlyProperty, HvResult::ReadOnlyPropertyString);
    return S_OK;
}

HRESULT HvAppearance::MakeFontConnection()
{
    if (!fontConnection_) {
        fontConnection_.reset(new (std::nothrow) PropertySinkConnection(&fontSink_));
        if (!fontConnection_)
            return E_OUTOFMEMORY;
    }
    return S_OK;
}

void HvAppearance::ConnectDataFont()
{
    if (!data_ || !data_->Font()) {
        fontConnection_.reset();
        return;
    }
    if (SUCCEEDED(MakeFontConnection()))
        data_->ConnectFont(fontConnection_.get());
}

STDMETHODIMP HvAppearance::get_Font(IFontDisp** value)
{
    if (!value)
        return E_INVALIDARG;
    *value = nullptr;
    return Guard([&]() -> HRESULT {
        IFontDisp* own = data_ ? data_->Font() : nullptr;
        if (own && !readOnly_) {
            own->AddRef();
            *value = own;
            return S_OK;
        }
        if (!IsActive())
            return NotActiveError();
        if (!fontConnection_) {
            HRESULT hr = MakeFontConnection();
            if (FAILED(hr))
                return hr;
            // A read-only appearance hands out a copy of its own font, any
            // other one a copy of the layout's font, which the client may
            // change to give the appearance a font of its own.
            IUnknown* source = own;
            if (!source && owner_) {
                PropertySinkConnection* layoutFont = owner_->DefaultFont();
                source = layoutFont ? layoutFont->Object() : nullptr;
            }
            fontConnection_->AssignFont(nullptr, source);
        }
        *value = fontConnection_->GetFontDisp();
        return *value ? S_OK : E_UNEXPECTED;
    });
}

HRESULT HvAppearance::PutFont(IFontDisp* font)
{
    HRESULT hr = CheckObjectWrite();
    if (FAILED(hr))
        return hr;
    if (!font)
        return ClearFont();
    IFontDisp* current = data_ ? data_->Font() : nullptr;
    if (current == font)
        return S_OK;
    IFont* asFont = nullptr;
    IFontDisp* asDisp = nullptr;
    if (FAILED(font->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&asDisp))) || !asDisp ||
        FAILED(font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&asFont))) || !asFont) {
        if (asDisp)
            asDisp->Release();
        return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    }
    asDisp->Release();
    hr = EnsureAppearanceData();
    if (SUCCEEDED(hr))
        hr = MakeFontConnection();
    if (FAILED(hr)) {
        asFont->Release();
        return hr;
    }
    fontConnection_->Connect(asFont); // takes the reference
    data_->SetFont(fontConnection_.get());
    NotifySubscribers(static_cast<std::int32_t>(AppearanceBit::Font), 0);
    return S_OK;
}

STDMETHODIMP HvAppearance::put_Font(IFontDisp* value)
{
    return Guard([&] { return PutFont(value); });
}

STDMETHODIMP HvAppearance::putref_Font(IFontDisp* value)
{
    return Guard([&] { return PutFont(value); });
}

STDMETHODIMP HvAppearance::ClearFont()
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckObjectWrite();
        if (FAILED(hr))
            return hr;
        fontConnection_.reset();
        if (data_ && data_->Font()) {
            data_->SetFont(nullptr);
            NotifySubscribers(static_cast<std::int32_t>(AppearanceBit::Font), 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvAppearance::FontSink::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyNotifySink)) {
        *out = static_cast<IPropertyNotifySink*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP HvAppearance::FontSink::OnChanged(DISPID)
{
    owner_.OnFontChanged();
    return S_OK;
}

void HvAppearance::OnFontChanged()
{
    if (!IsActive() || !fontConnection_)
        return;
    if (!readOnly_) {
        if (FAILED(EnsureAppearanceData()))
            return;
        data_->SetFont(fontConnection_.get());
        NotifySubscribers(static_cast<std::int32_t>(AppearanceBit::Font), 0);
        return;
    }
    if (owner_ && owner_->IsAlive()) {
        std::wstring text = LoadText(GetResourceInstance(), FontChangeIgnoredText);
        std::wstring caption = LoadText(GetResourceInstance(), FontChangeIgnoredCaption);
        owner_->ReportMessage(FontChangeIgnoredCode, text.c_str(), caption.c_str());
    }
}

STDMETHODIMP HvAppearance::get_MouseIcon(IPictureDisp** value)
{
    if (!value)
        return E_INVALIDARG;
    *value = GetAppearanceData().MouseIcon();
    if (*value)
        (*value)->AddRef();
    return S_OK;
}

HRESULT HvAppearance::PutMouseIcon(IPictureDisp* icon)
{
    HRESULT hr = CheckObjectWrite();
    if (FAILED(hr))
        return hr;
    if (GetAppearanceData().MouseIcon() == icon)
        return S_OK;
    if (icon) {
        // Checked before the block is made, so that a refused icon leaves
        // the appearance as it was.
        AppearanceData probe;
        if (FAILED(probe.SetMouseIcon(icon)))
            return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    }
    hr = EnsureAppearanceData();
    if (FAILED(hr))
        return hr;
    if (FAILED(data_->SetMouseIcon(icon)))
        return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    NotifySubscribers(static_cast<std::int32_t>(AppearanceBit::MouseIcon), 0);
    return S_OK;
}

STDMETHODIMP HvAppearance::put_MouseIcon(IPictureDisp* value)
{
    return Guard([&] { return PutMouseIcon(value); });
}

STDMETHODIMP HvAppearance::putref_MouseIcon(IPictureDisp* value)
{
    return Guard([&] { return PutMouseIcon(value); });
}

STDMETHODIMP HvAppearance::get_PictureBackground(IPictureDisp** value)
{
    if (!value)
        return E_INVALIDARG;
    *value = GetAppearanceData().PictureBackground();
    if (*value)
        (*value)->AddRef();
    return S_OK;
}

HRESULT HvAppearance::PutPictureBackground(IPictureDisp* picture)
{
    HRESULT hr = CheckObjectWrite();
    if (FAILED(hr))
        return hr;
    if (GetAppearanceData().PictureBackground() == picture)
        return S_OK;
    IPictureDisp* asPicture = nullptr;
    if (picture && (FAILED(picture->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(&asPicture))) ||
                    !asPicture))
        return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    hr = EnsureAppearanceData();
    if (SUCCEEDED(hr))
        data_->SetPictureBackground(asPicture);
    if (asPicture)
        asPicture->Release();
    if (FAILED(hr))
        return hr;
    NotifySubscribers(static_cast<std::int32_t>(AppearanceBit::PictureBackground), 0);
    return S_OK;
}

STDMETHODIMP HvAppearance::put_PictureBackground(IPictureDisp* value)
{
    return Guard([&] { return PutPictureBackground(value); });
}

STDMETHODIMP HvAppearance::putref_PictureBackground(IPictureDisp* value)
{
    return Guard([&] { return PutPictureBackground(value); });
}

STDMETHODIMP HvAppearance::get_Picture(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    VariantInit(value);
    const VARIANT* stored = GetAppearanceData().Picture();
    return stored ? VariantCopy(value, const_cast<VARIANT*>(stored)) : S_OK;
}

HRESULT HvAppearance::PutPictureValue(const VARIANT& value)
{
    HRESULT hr = CheckObjectWrite();
    if (FAILED(hr))
        return hr;
    VARIANT copy;
    VariantInit(&copy);
    hr = VariantCopyInd(&copy, const_cast<VARIANT*>(&value));
    if (FAILED(hr))
        return hr;
    struct Clear {
        VARIANT& v;
        ~Clear() { VariantClear(&v); }
    } clearCopy{copy};

    switch (V_VT(&copy)) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR:
        break;
    case VT_BSTR:
        if (!V_BSTR(&copy) || SysStringLen(V_BSTR(&copy)) == 0) {
            VariantClear(&copy);
        } else {
            // A numeric text is an image index, any other text a key.
            VARIANT number;
            VariantInit(&number);
            if (SUCCEEDED(VariantChangeType(&number, &copy, 0, VT_I2))) {
                VariantClear(&copy);
                copy = number;
            }
        }
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        // A picture object stays an object (never its handle as a number).
        if (!V_UNKNOWN(&copy)) {
            VariantClear(&copy);
            V_VT(&copy) = VT_NULL;
        }
        break;
    default:
        if (FAILED(VariantChangeType(&copy, &copy, 0, VT_I2)) &&
            FAILED(VariantChangeType(&copy, &copy, 0, VT_BSTR)))
            return Raise(CollectionError::BadIndex, CollectionError::BadIndexString);
        break;
    }
    if (V_VT(&copy) == VT_I2 && V_I2(&copy) < 0)
        return Raise(CollectionError::BadIndex, CollectionError::BadIndexString);

    const VARIANT* stored = GetAppearanceData().Picture();
    if (IsEmptyPicture(stored) && IsEmptyPicture(&copy))
        return S_OK;
    if (stored && V_VT(stored) == V_VT(&copy)) {
        const VARTYPE type = V_VT(&copy);
        if (type == VT_I2 && V_I2(stored) == V_I2(&copy))
            return S_OK;
        if (type == VT_BSTR && CompareWideStrings(V_BSTR(stored), V_BSTR(&copy)) == 0)
            return S_OK;
        if ((type == VT_DISPATCH || type == VT_UNKNOWN) && V_UNKNOWN(stored) == V_UNKNOWN(&copy))
            return S_OK;
    }
    hr = EnsureAppearanceData();
    if (SUCCEEDED(hr))
        hr = data_->SetPicture(copy);
    if (FAILED(hr))
        return hr;
    NotifySubscribers(static_cast<std::int32_t>(AppearanceBit::Picture), 0);
    return S_OK;
}

STDMETHODIMP HvAppearance::put_Picture(VARIANT value)
{
    return Guard([&] { return PutPictureValue(value); });
}

STDMETHODIMP HvAppearance::putref_Picture(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return Guard([&] { return PutPictureValue(*value); });
}

// --- methods ---------------------------------------------------------------

HRESULT HvAppearance::CloneFor(HvLayoutHost* owner, bool writable, HvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvAppearance* clone = nullptr;
    HRESULT hr = Create(owner, readOnly_ && !writable, nullptr, nullptr, &clone);
    if (FAILED(hr))
        return hr;
    if (data_) {
        clone->data_.reset(new (std::nothrow) AppearanceData);
        hr = clone->data_ ? clone->data_->Assign(*data_) : E_OUTOFMEMORY;
        if (SUCCEEDED(hr))
            clone->ConnectDataFont();
    }
    if (SUCCEEDED(hr))
        hr = clone->tag_.Copy(tag_);
    if (FAILED(hr)) {
        clone->Release();
        return hr;
    }
    *out = clone;
    return S_OK;
}

STDMETHODIMP HvAppearance::Clone(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        // The copy of a resolved snapshot is a snapshot too: read-only.
        HvAppearance* clone = nullptr;
        HRESULT hr = CloneFor(owner_, false, &clone);
        if (SUCCEEDED(hr))
            *out = clone;
        return hr;
    });
}

STDMETHODIMP HvAppearance::Replace(VARIANT* newAppearance)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (readOnly_)
            return Raise(HvResult::OperationFailed, HvResult::OperationFailedString);
        HvAppearance* target = nullptr;
        VARIANT value;
        VariantInit(&value);
        if (newAppearance && FAILED(VariantCopyInd(&value, newAppearance)))
            return Raise(CollectionError::BadObject, 1003);
        const VARTYPE type = V_VT(&value);
        if (type == VT_DISPATCH || type == VT_UNKNOWN) {
            target = HvAppearance::FromObject(V_UNKNOWN(&value));
            VariantClear(&value);
            if (!target || !target->IsActive())
                return Raise(CollectionError::BadObject, 1003);
        } else {
            VariantClear(&value);
            if (newAppearance && type != VT_EMPTY && type != VT_ERROR)
                return Raise(CollectionError::BadObject, 1003);
        }
        if (target == this)
            return S_OK;
        AddRef();
        TransferSubscribers(target, 0);
        Release();
        return S_OK;
    });
}

void HvAppearance::ClearAll()
{
    fontConnection_.reset();
    tag_.Clear();
    if (data_) {
        data_.reset();
        NotifySubscribers(-1, 0);
    }
}

STDMETHODIMP HvAppearance::Clear()
{
    return Guard([&]() -> HRESULT {
        // A resolved snapshot is not the client's to clear.
        if (readOnly_)
            return Raise(HvResult::OperationFailed, HvResult::OperationFailedString);
        ClearAll();
        return S_OK;
    });
}

void HvAppearance::SetCollection(HvAppearances* collection)
{
    if (collection == collection_)
        return;
    collectionLink_.reset();
    collection_ = collection;
    if (collection_) {
        collectionLink_.reset(new SubscriptionLink(static_cast<ChangeSubscriber*>(collection_)));
        collectionLink_->RelinkSubscription(this);
    }
}

void HvAppearance::ReleaseReferences()
{
    SetCollection(nullptr);
    ClearAll();
    // The layout may be going: nothing is asked of it any more.
    owner_ = nullptr;
}

// --- persistence -----------------------------------------------------------

STDMETHODIMP HvAppearance::Save(IStream* stream, LONG arg)
{
    return Guard([&] { return SaveToStream(stream, arg); });
}

STDMETHODIMP HvAppearance::Load(IStream* stream, LONG arg)
{
    return Guard([&] { return LoadFromStream(stream, arg); });
}

bool HvAppearance::HasData(DWORD code, LONG)
{
    switch (code) {
    case CategorySettings:
        return data_ && data_->HasAnySetting();
    case CategoryKey:
        return !key_.IsEmpty();
    case CategoryTag:
        return !tag_.IsEmpty();
    default:
        return false;
    }
}

HRESULT HvAppearance::Save(DWORD code, IStream* stream, LONG)
{
    switch (code) {
    case CategorySettings:
        return data_ ? data_->SaveToStream(stream) : E_FAIL;
    case CategoryKey:
        return WriteStringToStream(stream, key_);
    case CategoryTag:
        return tag_.SaveToStream(stream);
    default:
        return S_OK;
    }
}

HRESULT HvAppearance::Load(DWORD code, IStream* stream, LONG)
{
    switch (code) {
    case CategorySettings: {
        fontConnection_.reset();
        std::unique_ptr<AppearanceData> data(new (std::nothrow) AppearanceData);
        if (!data)
            return E_OUTOFMEMORY;
        HRESULT hr = data->LoadFromStream(stream);
        if (FAILED(hr))
            return hr;
        data_ = std::move(data);
        ConnectDataFont();
        return S_OK;
    }
    case CategoryKey:
        HvKeyedItem::KeyChanged();
        return ReadStringFromStream(stream, key_);
    case CategoryTag:
        return tag_.LoadFromStream(stream);
    default:
        return S_OK;
    }
}

void HvAppearance::Reset(DWORD code, LONG)
{
    switch (code) {
    case CategorySettings:
        fontConnection_.reset();
        data_.reset();
        break;
    case CategoryKey:
        HvKeyedItem::EmptyKey(key_);
        break;
    case CategoryTag:
        tag_.Clear();
        break;
    default:
        break;
    }
}

HRESULT HvAppearance::CopyFrom(DWORD code, HvPersistParticipant& source, LONG)
{
    HvAppearance* other = dynamic_cast<HvAppearance*>(&source);
    if (!other)
        return E_FAIL;
    switch (code) {
    case CategorySettings:
        fontConnection_.reset();
        if (other->data_ && other->data_->HasAnySetting()) {
            std::unique_ptr<AppearanceData> data(new (std::nothrow) AppearanceData);
            if (!data)
                return E_OUTOFMEMORY;
            HRESULT hr = data->Assign(*other->data_);
            if (FAILED(hr))
                return hr;
            data_ = std::move(data);
            ConnectDataFont();
        } else {
            data_.reset();
        }
        return S_OK;
    case CategoryKey:
        HvKeyedItem::CopyKey(key_, other->key_);
        return S_OK;
    case CategoryTag:
        return tag_.Copy(other->tag_);
    default:
        return S_OK;
    }
}

HRESULT HvAppearance::LoadIntoScratch(IStream* stream, LONG categories)
{
    HvAppearance* scratch = nullptr;
    HRESULT hr = Create(owner_, false, nullptr, nullptr, &scratch);
    if (FAILED(hr))
        return hr;
    hr = scratch->LoadFrame(stream, categories);
    scratch->Deactivate();
    scratch->Release();
    return hr;
}
