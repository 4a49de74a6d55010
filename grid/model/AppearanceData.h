// AppearanceData: the block of formatting settings behind an appearance,
// in which every setting has an "unset" value, with the resolution that
// fills unset settings from a less specific level, its GDI accessors and its
// stream form.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>

class PropertySinkConnection;

// Property bits, used in request and resolved masks and in change notices.
namespace AppearanceBit {
constexpr std::uint32_t AlphaLevel = 0x1;
constexpr std::uint32_t BackColorAlpha = 0x2;
constexpr std::uint32_t BackColor = 0x4;
constexpr std::uint32_t BorderAlpha = 0x8;
constexpr std::uint32_t BorderColor = 0x10;
constexpr std::uint32_t Font = 0x20;
constexpr std::uint32_t ForegroundAlpha = 0x40;
constexpr std::uint32_t ForeColor = 0x80;
constexpr std::uint32_t Picture = 0x100;
constexpr std::uint32_t PictureAlpha = 0x200;
constexpr std::uint32_t PictureAlign = 0x400;
constexpr std::uint32_t PictureVAlign = 0x800;
constexpr std::uint32_t PictureBackground = 0x1000;
constexpr std::uint32_t PictureBackgroundAlpha = 0x2000;
constexpr std::uint32_t PictureBackgroundOrigin = 0x4000;
constexpr std::uint32_t PictureBackgroundStyle = 0x8000;
constexpr std::uint32_t TextAlign = 0x10000;
constexpr std::uint32_t TextVAlign = 0x20000;
constexpr std::uint32_t PictureMasking = 0x40000;
constexpr std::uint32_t MouseIcon = 0x10000000;
constexpr std::uint32_t MousePointer = 0x20000000;
constexpr std::uint32_t All = 0x3007FFFF;
} // namespace AppearanceBit

constexpr OLE_COLOR UnsetColor = 0xFFFFFFFF;
constexpr BYTE MousePointerCustom = 99;

class AppearanceData {
public:
    AppearanceData();
    AppearanceData(const AppearanceData& other);
    AppearanceData& operator=(const AppearanceData& other);
    virtual ~AppearanceData();

    // Copies every value, with references of its own on the objects.
    // E_OUTOFMEMORY (and nothing copied) when the picture cannot be copied.
    HRESULT Assign(const AppearanceData& other);
    // Releases everything held, then Reset.
    void Clear();
    // Every setting unset, without releasing anything.
    void Reset();

    bool HasAnySetting() const;
    bool HasPicture() const;
    bool HasPictureObject() const;

    // Colours (UnsetColor when unset).
    OLE_COLOR BackColor() const { return backColor_; }
    OLE_COLOR ForeColor() const { return foreColor_; }
    OLE_COLOR BorderColor() const { return borderColor_; }
    void SetBackColor(OLE_COLOR color) { backColor_ = color; }
    void SetForeColor(OLE_COLOR color) { foreColor_ = color; }
    void SetBorderColor(OLE_COLOR color) { borderColor_ = color; }

    short AlphaLevel() const { return alphaLevel_; }
    void SetAlphaLevel(short level) { alphaLevel_ = level; }
    BYTE MousePointer() const { return mousePointer_; }
    void SetMousePointer(BYTE pointer) { mousePointer_ = pointer; }

    // The 4-bit settings, by their property bit (0 for an unknown bit).
    BYTE Nibble(std::uint32_t bit) const;
    void SetNibble(std::uint32_t bit, BYTE value);

    // Not owned by the caller: the block keeps its reference.
    IFontDisp* Font() const { return font_; }
    IPictureDisp* MouseIcon() const { return mouseIcon_; }
    IPictureDisp* PictureBackground() const { return pictureBackground_; }
    // Null when there is no Picture.
    const VARIANT* Picture() const { return picture_; }

    // Releases the Font and takes the connection's font (none for null).
    void SetFont(PropertySinkConnection* connection);
    // Hands the Font (as IFont) to the connection, which advises its sink.
    void ConnectFont(PropertySinkConnection* connection);
    // Accepts an icon or an empty picture; E_FAIL for a bitmap or metafile.
    HRESULT SetMouseIcon(IUnknown* picture);
    // Adds a reference of the block's own; null clears.
    void SetPictureBackground(IPictureDisp* picture);
    // VT_I2 image index, VT_BSTR image key or a picture object; an empty
    // value clears. By-reference values are followed.
    HRESULT SetPicture(const VARIANT& picture);
    void ClearPicture();

    HFONT GetFontHandle() const;
    int GetFontHeight(HDC dc) const;
    // COLORREF values, or 0xFFFFFFFF when unset.
    COLORREF GetBackColorRef() const;
    COLORREF GetForeColorRef() const;
    COLORREF GetBorderColorRef() const;
    // The picture object's size in pixels; 0 by 0 for an index or key.
    void GetPictureSize(SIZE& size) const;
    // Null for the default cursor and for values without a cursor.
    HCURSOR GetCursor() const;

    // Fills target's unset requested settings from source and records in
    // *resolvedMask which settings are settled.
    static void ResolveAppearance(AppearanceData& target, const AppearanceData& source,
                                  std::uint32_t requestMask, std::uint32_t* resolvedMask);

    virtual HRESULT SaveToStream(IStream* stream) const;
    virtual HRESULT LoadFromStream(IStream* stream);

private:
    HRESULT LoadObjects(IStream* stream, BYTE flags);

    IFontDisp* font_;
    IPictureDisp* mouseIcon_;
    IPictureDisp* pictureBackground_;
    OLE_COLOR backColor_;
    OLE_COLOR foreColor_;
    OLE_COLOR borderColor_;
    short alphaLevel_;
    BYTE mousePointer_;
    BYTE nibbles_[6]; // A to F: low and high halves
    VARIANT* picture_;
};
