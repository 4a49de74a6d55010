// AppearanceData: settings, resolution, GDI accessors and stream form.
#include "AppearanceData.h"

#include "OleColor.h"
#include "PictureDrawing.h"
#include "PropertySinkConnection.h"
#include "ResourceModule.h"
#include "StreamBounds.h"
#include "StreamText.h"
#include "Units.h"

#include <cwchar>
#include <new>

namespace {

// Where each 4-bit setting lives: byte A..F, and which half.
struct NibbleSlot {
    std::uint32_t bit;
    int byte;
    bool high;
    BYTE maximum; // the largest value the setting's enumeration has
};

constexpr NibbleSlot kNibbles[] = {
    {AppearanceBit::BackColorAlpha, 0, false, 3},      {AppearanceBit::BorderAlpha, 0, true, 3},
    {AppearanceBit::ForegroundAlpha, 1, false, 3},     {AppearanceBit::PictureAlign, 1, true, 3},
    {AppearanceBit::PictureVAlign, 2, false, 3},       {AppearanceBit::TextAlign, 2, true, 3},
    {AppearanceBit::TextVAlign, 3, false, 3},          {AppearanceBit::PictureBackgroundStyle, 3, true, 3},
    {AppearanceBit::PictureBackgroundAlpha, 4, false, 3}, {AppearanceBit::PictureBackgroundOrigin, 4, true, 3},
    {AppearanceBit::PictureAlpha, 5, false, 3},        {AppearanceBit::PictureMasking, 5, true, 2},
};

const NibbleSlot* FindNibble(std::uint32_t bit)
{
    for (const NibbleSlot& slot : kNibbles)
        if (slot.bit == bit)
            return &slot;
    return nullptr;
}

template <class T>
void Replace(T*& held, T* other)
{
    if (other)
        other->AddRef();
    if (held)
        held->Release();
    held = other;
}

template <class T>
void ReleaseHeld(T*& held)
{
    if (held) {
        held->Release();
        held = nullptr;
    }
}

void FreeVariant(VARIANT*& value)
{
    if (value) {
        VariantClear(value);
        delete value;
        value = nullptr;
    }
}

// Memory streams report a short read only through the byte count.
HRESULT ReadExact(IStream* stream, void* buffer, ULONG size)
{
    ULONG read = 0;
    HRESULT hr = stream->Read(buffer, size, &read);
    if (FAILED(hr))
        return hr;
    return read == size ? S_OK : StreamTextTruncated;
}

HRESULT WriteExact(IStream* stream, const void* buffer, ULONG size)
{
    ULONG written = 0;
    HRESULT hr = stream->Write(buffer, size, &written);
    if (FAILED(hr))
        return hr;
    return written == size ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT SaveObject(IStream* stream, IUnknown* object)
{
    IPersistStream* persist = nullptr;
    HRESULT hr = object->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist));
    if (FAILED(hr))
        return hr;
    hr = persist->Save(stream, TRUE);
    persist->Release();
    return hr;
}

HRESULT LoadPicture(IStream* stream, IPictureDisp** out)
{
    return LoadCheckedPicture(stream, IID_IPictureDisp, reinterpret_cast<void**>(out));
}

HRESULT LoadFont(IStream* stream, IFontDisp** out)
{
    *out = nullptr;
    FONTDESC description = PropertySinkConnection::DefaultFontDescription();
    IPersistStream* persist = nullptr;
    HRESULT hr = OleCreateFontIndirect(&description, IID_IPersistStream, reinterpret_cast<void**>(&persist));
    if (FAILED(hr))
        return hr;
    hr = persist->Load(stream);
    if (SUCCEEDED(hr))
        hr = persist->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(out));
    persist->Release();
    return hr;
}

constexpr BYTE kFlagFont = 0x01;
constexpr BYTE kFlagMouseIcon = 0x02;
constexpr BYTE kFlagPictureText = 0x04;
constexpr BYTE kFlagPictureBackground = 0x08;
constexpr BYTE kFlagPictureObject = 0x10;
constexpr ULONG kValueBytes = 22; // the 21 value bytes and the flags

bool IsPictureObjectVariant(const VARIANT* value)
{
    return value && (V_VT(value) == VT_DISPATCH || V_VT(value) == VT_UNKNOWN) && V_UNKNOWN(value);
}

bool IsValidMousePointer(BYTE pointer)
{
    return pointer <= 16 || pointer == MousePointerCustom;
}

COLORREF ColorRef(OLE_COLOR color)
{
    return color == UnsetColor ? 0xFFFFFFFF : TranslateOleColor(color);
}

} // namespace

AppearanceData::AppearanceData()
{
    Reset();
}

AppearanceData::AppearanceData(const AppearanceData& other)
{
    Reset();
    Assign(other);
}

AppearanceData& AppearanceData::operator=(const AppearanceData& other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

AppearanceData::~AppearanceData()
{
    Clear();
}

HRESULT AppearanceData::Assign(const AppearanceData& other)
{
    if (this == &other)
        return S_OK;
    VARIANT* picture = nullptr;
    if (other.picture_) {
        picture = new (std::nothrow) VARIANT;
        if (!picture)
            return E_OUTOFMEMORY;
        VariantInit(picture);
        HRESULT hr = VariantCopy(picture, other.picture_);
        if (FAILED(hr)) {
            delete picture;
            return hr;
        }
    }
    Clear();
    backColor_ = other.backColor_;
    foreColor_ = other.foreColor_;
    borderColor_ = other.borderColor_;
    alphaLevel_ = other.alphaLevel_;
    mousePointer_ = other.mousePointer_;
    for (int i = 0; i < 6; ++i)
        nibbles_[i] = other.nibbles_[i];
    Replace(font_, other.font_);
    Replace(mouseIcon_, other.mouseIcon_);
    Replace(pictureBackground_, other.pictureBackground_);
    picture_ = picture;
    return S_OK;
}

void AppearanceData::Clear()
{
    ReleaseHeld(font_);
    ReleaseHeld(mouseIcon_);
    ReleaseHeld(pictureBackground_);
    FreeVariant(picture_);
    Reset();
}

void AppearanceData::Reset()
{
    font_ = nullptr;
    mouseIcon_ = nullptr;
    pictureBackground_ = nullptr;
    backColor_ = foreColor_ = borderColor_ = UnsetColor;
    alphaLevel_ = 0;
    mousePointer_ = 0;
    for (BYTE& b : nibbles_)
        b = 0;
    picture_ = nullptr;
}

bool AppearanceData::HasAnySetting() const
{
    if (backColor_ != UnsetColor || foreColor_ != UnsetColor || borderColor_ != UnsetColor)
        return true;
    if (alphaLevel_ != 0 || mousePointer_ != 0)
        return true;
    for (BYTE b : nibbles_)
        if (b != 0)
            return true;
    return font_ || pictureBackground_ || HasPicture();
}

bool AppearanceData::HasPicture() const
{
    if (!picture_)
        return false;
    switch (V_VT(picture_)) {
    case VT_I2:
        return true;
    case VT_BSTR:
        return V_BSTR(picture_) != nullptr;
    default:
        return IsPictureObjectVariant(picture_);
    }
}

bool AppearanceData::HasPictureObject() const
{
    return IsPictureObjectVariant(picture_);
}

BYTE AppearanceData::Nibble(std::uint32_t bit) const
{
    const NibbleSlot* slot = FindNibble(bit);
    if (!slot)
        return 0;
    BYTE b = nibbles_[slot->byte];
    return slot->high ? static_cast<BYTE>(b >> 4) : static_cast<BYTE>(b & 0x0F);
}

void AppearanceData::SetNibble(std::uint32_t bit, BYTE value)
{
    const NibbleSlot* slot = FindNibble(bit);
    if (!slot)
        return;
    BYTE& b = nibbles_[slot->byte];
    value &= 0x0F;
    b = slot->high ? static_cast<BYTE>((b & 0x0F) | (value << 4)) : static_cast<BYTE>((b & 0xF0) | value);
}

void AppearanceData::SetFont(PropertySinkConnection* connection)
{
    ReleaseHeld(font_);
    if (connection)
        font_ = connection->GetFontDisp();
}

void AppearanceData::ConnectFont(PropertySinkConnection* connection)
{
    if (!connection)
        return;
    IFont* font = nullptr;
    if (font_)
        font_->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font));
    connection->Connect(font); // takes over the reference
}

HRESULT AppearanceData::SetMouseIcon(IUnknown* picture)
{
    if (!picture) {
        ReleaseHeld(mouseIcon_);
        return S_OK;
    }
    IPicture* asPicture = nullptr;
    if (SUCCEEDED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&asPicture)))) {
        SHORT type = PICTYPE_UNINITIALIZED;
        asPicture->get_Type(&type);
        asPicture->Release();
        if (type != PICTYPE_NONE && type != PICTYPE_ICON && type != PICTYPE_UNINITIALIZED)
            return E_FAIL;
    }
    IPictureDisp* display = nullptr;
    HRESULT hr = picture->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(&display));
    if (FAILED(hr))
        return hr;
    ReleaseHeld(mouseIcon_);
    mouseIcon_ = display;
    return S_OK;
}

void AppearanceData::SetPictureBackground(IPictureDisp* picture)
{
    Replace(pictureBackground_, picture);
}

HRESULT AppearanceData::SetPicture(const VARIANT& picture)
{
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopyInd(&copy, const_cast<VARIANT*>(&picture));
    if (FAILED(hr))
        return hr;
    if (V_VT(&copy) == VT_EMPTY || V_VT(&copy) == VT_NULL || V_VT(&copy) == VT_ERROR) {
        ClearPicture();
        return S_OK;
    }
    if (!picture_) {
        picture_ = new (std::nothrow) VARIANT;
        if (!picture_) {
            VariantClear(&copy);
            return E_OUTOFMEMORY;
        }
        VariantInit(picture_);
    }
    VariantClear(picture_);
    *picture_ = copy; // takes over the copy
    return S_OK;
}

void AppearanceData::ClearPicture()
{
    FreeVariant(picture_);
}

HFONT AppearanceData::GetFontHandle() const
{
    if (!font_)
        return nullptr;
    IFont* font = nullptr;
    if (FAILED(font_->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font))))
        return nullptr;
    HFONT handle = nullptr;
    font->get_hFont(&handle);
    font->Release();
    return handle;
}

int AppearanceData::GetFontHeight(HDC dc) const
{
    HFONT handle = GetFontHandle();
    if (!handle || !dc)
        return 0;
    HGDIOBJ previous = SelectObject(dc, handle);
    SIZE size = {};
    GetTextExtentPoint32W(dc, L"Wj", 2, &size);
    SelectObject(dc, previous);
    return size.cy;
}

COLORREF AppearanceData::GetBackColorRef() const
{
    return ColorRef(backColor_);
}

COLORREF AppearanceData::GetForeColorRef() const
{
    return ColorRef(foreColor_);
}

COLORREF AppearanceData::GetBorderColorRef() const
{
    return ColorRef(borderColor_);
}

void AppearanceData::GetPictureSize(SIZE& size) const
{
    size.cx = size.cy = 0;
    if (!HasPictureObject())
        return;   // an index or key into the images has no size of its own here
    InterfacePtr holder;
    holder.AssignPicture(V_UNKNOWN(picture_));
    if (holder)
        GetPictureSizePixels(holder, size);
}

HCURSOR AppearanceData::GetCursor() const
{
    static const WORD kSystemCursors[16] = {0,     32512, 32515, 32513, 32512, 32646, 32643, 32645,
                                            32642, 32644, 32516, 32514, 32648, 32650, 32651, 32646};
    if (mousePointer_ == 0)
        return nullptr;
    if (mousePointer_ < 16)
        return LoadCursorW(nullptr, MAKEINTRESOURCEW(kSystemCursors[mousePointer_]));
    if (mousePointer_ == 16)
        return LoadCursorW(GetResourceInstance(0), MAKEINTRESOURCEW(1062));
    if (mousePointer_ != MousePointerCustom || !mouseIcon_)
        return nullptr;
    IPicture* picture = nullptr;
    if (FAILED(mouseIcon_->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))))
        return nullptr;
    HCURSOR cursor = nullptr;
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_ICON && SUCCEEDED(picture->get_Handle(&handle)))
        cursor = reinterpret_cast<HCURSOR>(static_cast<UINT_PTR>(handle));
    picture->Release();
    return cursor;
}

// Resolution ---------------------------------------------------------------

namespace {

// The properties in the order in which resolution takes them, with the bits
// each step settles.
enum class Step { BackColor, BorderColor, ForeColor, AlphaLevel, Nibble, Font, MousePointer, Picture, PictureBackground };

struct ResolveStep {
    Step kind;
    std::uint32_t bit;
    std::uint32_t companion; // settled together with bit when requested
};

constexpr ResolveStep kResolveOrder[] = {
    {Step::BackColor, AppearanceBit::BackColor, 0},
    {Step::BorderColor, AppearanceBit::BorderColor, 0},
    {Step::ForeColor, AppearanceBit::ForeColor, 0},
    {Step::AlphaLevel, AppearanceBit::AlphaLevel, 0},
    {Step::Nibble, AppearanceBit::BackColorAlpha, 0},
    {Step::Nibble, AppearanceBit::PictureAlpha, 0},
    {Step::Nibble, AppearanceBit::PictureBackgroundAlpha, 0},
    {Step::Nibble, AppearanceBit::BorderAlpha, 0},
    {Step::Nibble, AppearanceBit::ForegroundAlpha, 0},
    {Step::Nibble, AppearanceBit::TextAlign, 0},
    {Step::Nibble, AppearanceBit::TextVAlign, 0},
    {Step::Font, AppearanceBit::Font, 0},
    {Step::MousePointer, AppearanceBit::MousePointer, AppearanceBit::MouseIcon},
    {Step::Picture, AppearanceBit::Picture, 0},
    {Step::Nibble, AppearanceBit::PictureAlign, 0},
    {Step::Nibble, AppearanceBit::PictureVAlign, 0},
    {Step::Nibble, AppearanceBit::PictureMasking, 0},
    {Step::PictureBackground, AppearanceBit::PictureBackground, AppearanceBit::PictureBackgroundOrigin},
    {Step::Nibble, AppearanceBit::PictureBackgroundStyle, 0},
};
constexpr int kStepCount = sizeof kResolveOrder / sizeof kResolveOrder[0];

} // namespace

void AppearanceData::ResolveAppearance(AppearanceData& target, const AppearanceData& source,
                                       std::uint32_t requestMask, std::uint32_t* resolvedMask)
{
    if (!resolvedMask || !source.HasAnySetting())
        return;
    std::uint32_t untaken = 0;
    for (const ResolveStep& step : kResolveOrder)
        untaken |= step.bit | step.companion;

    for (int i = 0; i < kStepCount; ++i) {
        if ((requestMask & untaken & ~*resolvedMask) == 0)
            return;
        const ResolveStep& step = kResolveOrder[i];
        untaken &= ~(step.bit | step.companion);
        if (!(requestMask & step.bit) || (*resolvedMask & step.bit))
            continue;
        const std::uint32_t settled = step.bit | (requestMask & step.companion);
        bool done = false;
        switch (step.kind) {
        case Step::BackColor:
        case Step::BorderColor:
        case Step::ForeColor: {
            OLE_COLOR AppearanceData::*field = step.kind == Step::BackColor     ? &AppearanceData::backColor_
                                               : step.kind == Step::BorderColor ? &AppearanceData::borderColor_
                                                                                : &AppearanceData::foreColor_;
            if (target.*field != UnsetColor) {
                done = true;
            } else if (source.*field != UnsetColor) {
                target.*field = source.*field;
                done = true;
            }
            break;
        }
        case Step::AlphaLevel:
            if (target.alphaLevel_ != 0) {
                done = true;
            } else if (source.alphaLevel_ != 0) {
                target.alphaLevel_ = source.alphaLevel_;
                done = true;
            }
            break;
        case Step::Nibble:
            if (target.Nibble(step.bit) != 0) {
                done = true;
            } else if (BYTE value = source.Nibble(step.bit)) {
                target.SetNibble(step.bit, value);
                done = true;
            }
            break;
        case Step::Font:
            if (target.font_) {
                done = true;
            } else if (source.font_) {
                Replace(target.font_, source.font_);
                done = true;
            }
            break;
        case Step::MousePointer:
            if (target.mousePointer_ != 0) {
                done = true;
            } else if (source.mousePointer_ != 0) {
                target.mousePointer_ = source.mousePointer_;
                Replace(target.mouseIcon_, source.mouseIcon_);
                done = true;
            }
            break;
        case Step::Picture:
            if (target.picture_) {
                done = true;
            } else if (source.picture_) {
                VARIANT* copy = new (std::nothrow) VARIANT;
                if (copy) {
                    VariantInit(copy);
                    if (SUCCEEDED(VariantCopyInd(copy, source.picture_))) {
                        target.picture_ = copy;
                        done = true;
                    } else {
                        delete copy;
                    }
                }
            }
            break;
        case Step::PictureBackground:
            if (target.pictureBackground_) {
                done = true;
            } else if (source.pictureBackground_) {
                Replace(target.pictureBackground_, source.pictureBackground_);
                target.SetNibble(AppearanceBit::PictureBackgroundOrigin,
                                 source.Nibble(AppearanceBit::PictureBackgroundOrigin));
                target.SetNibble(AppearanceBit::PictureBackgroundStyle,
                                 source.Nibble(AppearanceBit::PictureBackgroundStyle));
                done = true;
            }
            break;
        }
        if (done)
            *resolvedMask |= settled;
    }
}

// Stream form --------------------------------------------------------------

HRESULT AppearanceData::SaveToStream(IStream* stream) const
{
    if (!stream)
        return E_INVALIDARG;
    const bool pictureText =
        picture_ && (V_VT(picture_) == VT_I2 || (V_VT(picture_) == VT_BSTR && V_BSTR(picture_)));
    const bool pictureObject = !pictureText && HasPictureObject();
    BYTE block[kValueBytes] = {};
    CopyMemory(block + 0, &backColor_, 4);
    CopyMemory(block + 4, &foreColor_, 4);
    CopyMemory(block + 8, &borderColor_, 4);
    CopyMemory(block + 12, &alphaLevel_, 2);
    block[14] = mousePointer_;
    CopyMemory(block + 15, nibbles_, 6);
    block[21] = static_cast<BYTE>((font_ ? kFlagFont : 0) | (mouseIcon_ ? kFlagMouseIcon : 0) |
                                  (pictureText ? kFlagPictureText : 0) |
                                  (pictureBackground_ ? kFlagPictureBackground : 0) |
                                  (pictureObject ? kFlagPictureObject : 0));
    HRESULT hr = WriteExact(stream, block, kValueBytes);
    if (SUCCEEDED(hr) && font_)
        hr = SaveObject(stream, font_);
    if (SUCCEEDED(hr) && mouseIcon_)
        hr = SaveObject(stream, mouseIcon_);
    if (SUCCEEDED(hr) && pictureBackground_)
        hr = SaveObject(stream, pictureBackground_);
    if (FAILED(hr))
        return hr;
    if (pictureText) {
        if (V_VT(picture_) == VT_BSTR)
            return WriteBstrToStream(stream, V_BSTR(picture_));
        wchar_t digits[8];
        swprintf(digits, 8, L"%d", static_cast<int>(V_I2(picture_)));
        BSTR text = SysAllocString(digits);
        if (!text)
            return E_OUTOFMEMORY;
        hr = WriteBstrToStream(stream, text);
        SysFreeString(text);
        return hr;
    }
    if (pictureObject)
        return SaveObject(stream, V_UNKNOWN(picture_));
    return S_OK;
}

HRESULT AppearanceData::LoadFromStream(IStream* stream)
{
    if (!stream)
        return E_INVALIDARG;
    Clear();
    BYTE block[kValueBytes];
    HRESULT hr = ReadExact(stream, block, kValueBytes);
    if (FAILED(hr))
        return hr;
    // A layout file is untrusted: settings outside their ranges are refused.
    short alpha = 0;
    CopyMemory(&alpha, block + 12, 2);
    if (alpha < 0 || alpha > 255 || !IsValidMousePointer(block[14]) || (block[21] & 0xE0))
        return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    for (const NibbleSlot& slot : kNibbles) {
        const BYTE b = block[15 + slot.byte];
        const BYTE value = slot.high ? static_cast<BYTE>(b >> 4) : static_cast<BYTE>(b & 0x0F);
        if (value > slot.maximum)
            return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    }
    CopyMemory(&backColor_, block + 0, 4);
    CopyMemory(&foreColor_, block + 4, 4);
    CopyMemory(&borderColor_, block + 8, 4);
    alphaLevel_ = alpha;
    mousePointer_ = block[14];
    CopyMemory(nibbles_, block + 15, 6);
    return LoadObjects(stream, block[21]);
}

HRESULT AppearanceData::LoadObjects(IStream* stream, BYTE flags)
{
    HRESULT hr = S_OK;
    if (flags & kFlagFont) {
        hr = LoadFont(stream, &font_);
        if (FAILED(hr))
            return hr;
    }
    if (flags & kFlagMouseIcon) {
        hr = LoadPicture(stream, &mouseIcon_);
        if (FAILED(hr))
            return hr;
    }
    if (flags & kFlagPictureBackground) {
        hr = LoadPicture(stream, &pictureBackground_);
        if (FAILED(hr))
            return hr;
    }
    if (flags & kFlagPictureText) {
        BSTR text = nullptr;
        hr = ReadBstrFromStream(stream, &text);
        if (FAILED(hr))
            return hr;
        if (SysStringLen(text) == 0) {
            SysFreeString(text);
            return S_OK;
        }
        picture_ = new (std::nothrow) VARIANT;
        if (!picture_) {
            SysFreeString(text);
            return E_OUTOFMEMORY;
        }
        VariantInit(picture_);
        V_VT(picture_) = VT_BSTR;
        V_BSTR(picture_) = text;
        // A purely numeric key comes back as an image index.
        VariantChangeType(picture_, picture_, 0, VT_I2);
        return S_OK;
    }
    if (flags & kFlagPictureObject) {
        IPictureDisp* picture = nullptr;
        hr = LoadPicture(stream, &picture);
        if (FAILED(hr))
            return hr;
        picture_ = new (std::nothrow) VARIANT;
        if (!picture_) {
            picture->Release();
            return E_OUTOFMEMORY;
        }
        VariantInit(picture_);
        V_VT(picture_) = VT_DISPATCH;
        V_DISPATCH(picture_) = picture;
    }
    return S_OK;
}
