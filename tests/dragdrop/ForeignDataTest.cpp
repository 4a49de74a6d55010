// Data dropped by other programs: DIBs checked against their own block,
// metafile extents kept in HIMETRIC, handles of a medium with a release
// object left to their source, and objects marshalled into a stream that
// nobody reads.
#include "DataSource.h"
#include "DibConversions.h"
#include "DragDropTestSupport.h"
#include "HvDataObject.h"
#include "HvDataObjectFiles.h"
#include "HvReturnLong.h"

#include <cstring>
#include <functional>

namespace {

constexpr HRESULT kFormatMismatch = static_cast<HRESULT>(0x800A01CD);

// Counts its releases; stands for the source's hold on a medium.
struct ReleaseCounter final : IUnknown {
    LONG releases = 0;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ++releases;
        return 1;
    }
};

// A data object of another program: one format, handed out in a medium the
// test builds; every GetData gives a fresh copy of it made by make.
class ForeignData final : public IDataObject {
public:
    ForeignData(CLIPFORMAT format, DWORD tymed, std::function<STGMEDIUM()> make)
        : format_(format), tymed_(tymed), make_(std::move(make))
    {
    }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_IDataObject) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        *medium = make_();
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override
    {
        return format->cfFormat == format_ && (format->tymed & tymed_) ? S_OK : S_FALSE;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    CLIPFORMAT format_;
    DWORD tymed_;
    std::function<STGMEDIUM()> make_;
};

// What the drop side makes of the foreign data in format.
HRESULT Drop(ForeignData& dropped, SHORT format, VARIANT* value)
{
    HvDataObject* data = HvDataObject::CreateForTarget(&dropped, nullptr, ObjectType::HvDataObject);
    VariantInit(value);
    const HRESULT hr = data->GetData(format, value);
    data->Detach();
    data->Release();
    return hr;
}

STGMEDIUM GlobalMedium(const std::vector<BYTE>& bytes)
{
    STGMEDIUM medium = {TYMED_HGLOBAL, {}, nullptr};
    medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(medium.hGlobal), bytes.data(), bytes.size());
    GlobalUnlock(medium.hGlobal);
    return medium;
}

// A packed DIB: the header as given, then extra bytes (table, masks, bits).
std::vector<BYTE> Dib(const BITMAPINFOHEADER& header, size_t extra, size_t headerBytes = sizeof(BITMAPINFOHEADER))
{
    std::vector<BYTE> bytes(headerBytes + extra, 0x5A);
    std::memcpy(bytes.data(), &header, headerBytes < sizeof header ? headerBytes : sizeof header);
    return bytes;
}

BITMAPINFOHEADER Header(LONG width, LONG height, WORD bits, DWORD compression = BI_RGB, DWORD used = 0)
{
    return {sizeof(BITMAPINFOHEADER), width, height, 1, bits, compression, 0, 0, 0, used, 0};
}

template <class T>
ComPtr<T> As(const VARIANT& value)
{
    ComPtr<T> result;
    if (value.vt == VT_DISPATCH && value.pdispVal)
        value.pdispVal->QueryInterface(IID_PPV_ARGS(result.GetAddressOf()));
    return result;
}

// An object that refuses to be marshalled.
struct Unmarshallable final : IDispatch, IMarshal {
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch)
            *out = static_cast<IDispatch*>(this);
        else if (iid == IID_IMarshal)
            *out = static_cast<IMarshal*>(this);
        else
            *out = nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetUnmarshalClass(REFIID, void*, DWORD, void*, DWORD, CLSID*) override { return E_ACCESSDENIED; }
    STDMETHODIMP GetMarshalSizeMax(REFIID, void*, DWORD, void*, DWORD, DWORD*) override { return E_ACCESSDENIED; }
    STDMETHODIMP MarshalInterface(IStream*, REFIID, void*, DWORD, void*, DWORD) override { return E_ACCESSDENIED; }
    STDMETHODIMP UnmarshalInterface(IStream*, REFIID, void**) override { return E_ACCESSDENIED; }
    STDMETHODIMP ReleaseMarshalData(IStream*) override { return E_ACCESSDENIED; }
    STDMETHODIMP DisconnectObject(DWORD) override { return E_ACCESSDENIED; }
};

LONG References(IUnknown* object)
{
    object->AddRef();
    return static_cast<LONG>(object->Release());
}

} // namespace

TEST_CASE("a foreign CF_DIB is read only when every part of it lies in its block")
{
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        HRESULT expected;
    };
    // A 4 x 3 image at 24 bits has rows of 12 bytes; at 8 bits, of 4.
    BITMAPINFOHEADER fields = Header(4, 3, 16, BI_BITFIELDS);
    std::vector<BYTE> withMasks = Dib(fields, 12 + 8 * 3);
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(withMasks.data() + 40, masks, sizeof masks);
    std::vector<BYTE> overlapping = withMasks;
    const DWORD same[3] = {0xF800, 0xF800, 0x001F};
    std::memcpy(overlapping.data() + 40, same, sizeof same);
    const Case cases[] = {
        {"a whole 24-bit DIB", Dib(Header(4, 3, 24), 36), S_OK},
        {"a whole 8-bit DIB with its table", Dib(Header(4, 3, 8), 1024 + 12), S_OK},
        {"a 16-bit DIB with its masks", withMasks, S_OK},
        {"masks that overlap", overlapping, kFormatMismatch},
        {"masks cut off", Dib(fields, 4), kFormatMismatch},
        {"more colours than 8 bits can index", Dib(Header(4, 3, 8, BI_RGB, 0x10000), 1024 + 12), kFormatMismatch},
        {"a colour table past the block", Dib(Header(4, 3, 8, BI_RGB, 256), 100), kFormatMismatch},
        {"bits shorter than their rows", Dib(Header(4, 3, 24), 35), kFormatMismatch},
        {"a block shorter than its header", Dib(Header(4, 3, 24), 0, 20), kFormatMismatch},
        {"a header size of no header", [] {
             BITMAPINFOHEADER h = Header(4, 3, 24);
             h.biSize = 0x7FFFFFFF;
             return Dib(h, 36);
         }(), kFormatMismatch},
        {"no planes", [] {
             BITMAPINFOHEADER h = Header(4, 3, 24);
             h.biPlanes = 0;
             return Dib(h, 36);
         }(), kFormatMismatch},
        {"an image of compressed JPEG data", Dib(Header(4, 3, 24, BI_JPEG), 36), kFormatMismatch},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        ForeignData dropped(CF_DIB, TYMED_HGLOBAL, [&] { return GlobalMedium(c.bytes); });
        VARIANT value;
        CHECK(Drop(dropped, CF_DIB, &value) == c.expected);
        if (c.expected == S_OK) {
            ComPtr<IPicture> picture = As<IPicture>(value);
            REQUIRE(picture);
            OLE_HANDLE handle = 0;
            picture->get_Handle(&handle);
            BITMAP info = {};
            GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof info, &info);
            CHECK(info.bmWidth == 4);
            CHECK(info.bmHeight == 3);
        } else {
            CHECK(TakeErrorDescription() == L"Specified format doesn't match format of data");
        }
        VariantClear(&value);
    }
}

TEST_CASE("a dropped metafile keeps its HIMETRIC extent")
{
    ForeignData dropped(CF_METAFILEPICT, TYMED_MFPICT, [] {
        HDC recorder = CreateMetaFileW(nullptr);
        Rectangle(recorder, 0, 0, 50, 30);
        STGMEDIUM medium = {TYMED_MFPICT, {}, nullptr};
        medium.hMetaFilePict = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
        *static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict)) = {MM_ANISOTROPIC, 5080, 2540,
                                                                         CloseMetaFile(recorder)};
        GlobalUnlock(medium.hMetaFilePict);
        return medium;
    });
    VARIANT value;
    REQUIRE(Drop(dropped, CF_METAFILEPICT, &value) == S_OK);
    ComPtr<IPicture> picture = As<IPicture>(value);
    REQUIRE(picture);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    CHECK(width == 5080);
    CHECK(height == 2540);
    VariantClear(&value);
}

TEST_CASE("handles of a medium with a release object stay with the source; others pass to the picture")
{
    ReleaseCounter holder;
    HBITMAP sourceBitmap = MakeColourBitmap(4, 3, {RGB(255, 0, 0)});
    HMETAFILE sourceMetafile = [] {
        HDC recorder = CreateMetaFileW(nullptr);
        Rectangle(recorder, 0, 0, 50, 30);
        return CloseMetaFile(recorder);
    }();
    HGLOBAL sourceBlock = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    *static_cast<METAFILEPICT*>(GlobalLock(sourceBlock)) = {MM_ANISOTROPIC, 2540, 2540, sourceMetafile};
    GlobalUnlock(sourceBlock);

    SUBCASE("a bitmap")
    {
        ForeignData dropped(CF_BITMAP, TYMED_GDI, [&] {
            STGMEDIUM medium = {TYMED_GDI, {}, &holder};
            medium.hBitmap = sourceBitmap;
            return medium;
        });
        VARIANT value;
        REQUIRE(Drop(dropped, CF_BITMAP, &value) == S_OK);
        OLE_HANDLE handle = 0;
        As<IPicture>(value)->get_Handle(&handle);
        CHECK(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)) != sourceBitmap);
        VariantClear(&value);
        BITMAP info = {};
        CHECK(GetObjectW(sourceBitmap, sizeof info, &info) != 0);   // still the source's
        CHECK(holder.releases == 1);
    }
    SUBCASE("a metafile")
    {
        ForeignData dropped(CF_METAFILEPICT, TYMED_MFPICT, [&] {
            STGMEDIUM medium = {TYMED_MFPICT, {}, &holder};
            medium.hMetaFilePict = sourceBlock;
            return medium;
        });
        VARIANT value;
        REQUIRE(Drop(dropped, CF_METAFILEPICT, &value) == S_OK);
        OLE_HANDLE handle = 0;
        As<IPicture>(value)->get_Handle(&handle);
        CHECK(reinterpret_cast<HMETAFILE>(static_cast<UINT_PTR>(handle)) != sourceMetafile);
        VariantClear(&value);
        CHECK(GetMetaFileBitsEx(sourceMetafile, 0, nullptr) != 0);
        CHECK(GlobalSize(sourceBlock) >= sizeof(METAFILEPICT));
        CHECK(holder.releases == 1);
    }
    SUBCASE("a bitmap given away")
    {
        HBITMAP given = MakeColourBitmap(4, 3, {RGB(0, 0, 255)});
        ForeignData dropped(CF_BITMAP, TYMED_GDI, [&] {
            STGMEDIUM medium = {TYMED_GDI, {}, nullptr};
            medium.hBitmap = given;
            return medium;
        });
        VARIANT value;
        REQUIRE(Drop(dropped, CF_BITMAP, &value) == S_OK);
        OLE_HANDLE handle = 0;
        As<IPicture>(value)->get_Handle(&handle);
        CHECK(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)) == given);
        VariantClear(&value);
    }
    DeleteObject(sourceBitmap);
    DeleteMetaFile(sourceMetafile);
    GlobalFree(sourceBlock);
}

TEST_CASE("an object marshalled for a drop that nobody reads is let go with its medium")
{
    HvDataObjectFiles* files = HvDataObjectFiles::Create();
    CDataSource* source = CDataSource::Create(files, nullptr);
    HvDataObject* data = HvDataObject::CreateForSource(*source, nullptr, ObjectType::HvDataObject);
    IHvReturnLong* object = HvReturnLong::Create(7);
    const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HvDragTest.Unread"));
    VARIANT value;
    value.vt = VT_UNKNOWN;
    value.punkVal = object;
    VARIANT formatArgument;
    formatArgument.vt = VT_I2;
    formatArgument.iVal = static_cast<SHORT>(format);
    REQUIRE(data->SetData(value, formatArgument) == S_OK);
    const LONG before = References(object);

    FORMATETC request = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    REQUIRE(source->GetData(&request, &medium) == S_OK);
    CHECK(medium.tymed == TYMED_ISTREAM);
    CHECK(References(object) > before);   // the marshal data holds it
    ReleaseStgMedium(&medium);
    CHECK(References(object) == before);

    // Read by a drop target: the unmarshalled object is the only extra hold.
    REQUIRE(source->GetData(&request, &medium) == S_OK);
    ComPtr<IUnknown> unmarshalled;
    REQUIRE(CoUnmarshalInterface(medium.pstm, IID_PPV_ARGS(unmarshalled.GetAddressOf())) == S_OK);
    ReleaseStgMedium(&medium);
    unmarshalled.Reset();
    CHECK(References(object) == before);

    // One that cannot be marshalled fails the request.
    Unmarshallable refusing;
    value.vt = VT_DISPATCH;
    value.pdispVal = &refusing;
    REQUIRE(data->SetData(value, formatArgument) == S_OK);
    CHECK(FAILED(source->GetData(&request, &medium)));
    CHECK(medium.tymed == TYMED_NULL);

    data->Detach();
    data->Release();
    source->Release();
    files->Release();
    object->Release();
}
