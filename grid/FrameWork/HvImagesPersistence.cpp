// HvImages: the stream and property-bag forms, the pictures of an ImagesURL
// download, and the Win32 image list built from the own images.
#include "HvImages.h"

#include "GdiScope.h"
#include "PersistHGlobal.h"
#include "PictureDrawing.h"
#include "PictureLoading.h"
#include "StreamText.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr DWORD kMagic = 0x35830129;
constexpr LONG kVersion = 102;

HRESULT WriteBytes(IStream* stream, const void* data, ULONG size)
{
    ULONG written = 0;
    HRESULT hr = stream->Write(data, size, &written);
    return FAILED(hr) ? hr : (written == size ? S_OK : STG_E_WRITEFAULT);
}

HRESULT ReadBytes(IStream* stream, void* data, ULONG size)
{
    ULONG read = 0;
    HRESULT hr = stream->Read(data, size, &read);
    return FAILED(hr) ? hr : (read == size ? S_OK : E_FAIL);
}

// Stream form fields in the order they are written.
struct ImagesHeader {
    DWORD magic;
    LONG version;
    SHORT count;
};

} // namespace

HRESULT HvImages::SaveToStream(IStream* stream)
{
    return SaveStream(stream, true);
}

HRESULT HvImages::SaveStream(IStream* stream, bool withName)
{
    if (!stream)
        return E_INVALIDARG;
    const DWORD magic = kMagic;
    const LONG version = kVersion;
    const SHORT count = static_cast<SHORT>(Count());
    const LONG sizes[4] = {imageSize_.cx, imageSize_.cy, externalSize_.cx, externalSize_.cy};
    HRESULT hr;
    if (FAILED(hr = WriteBytes(stream, &magic, 4)) || FAILED(hr = WriteBytes(stream, &version, 4)) ||
        FAILED(hr = WriteBytes(stream, &count, 2)) || FAILED(hr = WriteBytes(stream, sizes, sizeof(sizes))))
        return hr;
    if (withName && FAILED(hr = WriteStringToStream(stream, ExternalSelected() ? selected_.DisplayName() : CDualString())))
        return hr;
    for (HvImage* image : images_)
        if (FAILED(hr = image->Save(stream)))
            return hr;
    return S_OK;
}

HRESULT HvImages::LoadFromStream(IStream* stream)
{
    return LoadStream(stream, true);
}

HRESULT HvImages::LoadStream(IStream* stream, bool withName)
{
    if (!stream)
        return E_INVALIDARG;
    ImagesHeader header = {};
    HRESULT hr = ReadBytes(stream, &header.magic, 4);
    if (FAILED(hr) || header.magic != kMagic)
        return E_FAIL;
    if (FAILED(hr = ReadBytes(stream, &header.version, 4)) || FAILED(hr = ReadBytes(stream, &header.count, 2)))
        return hr;
    if (header.version < 0 || header.version > kVersion || header.count < 0)
        return E_FAIL;
    // Everything is read aside first: a stream that fails midway leaves
    // the collection as it was.
    LoadedImages loaded;
    if (FAILED(hr = LoadBody(stream, header.version, header.count, withName, loaded)))
        return hr;
    loading_ = true;
    if (!ReplaceImages(loaded.images)) {
        loading_ = false;
        return E_OUTOFMEMORY;
    }
    imageSize_ = loaded.imageSize;
    externalSize_ = loaded.externalSize;
    if (loaded.named)
        SetImageListName(loaded.name.c_str());
    if (header.version < 102 && !images_.empty()) {
        TakeSizeFromPicture(images_.front()->Picture());
        externalSize_ = imageSize_;
    }
    loading_ = false;
    return S_OK;
}

HRESULT HvImages::LoadBody(IStream* stream, LONG version, SHORT count, bool withName, LoadedImages& loaded)
{
    HRESULT hr;
    if (version >= 101) {
        LONG size[2] = {};
        if (FAILED(hr = ReadBytes(stream, size, sizeof(size))))
            return hr;
        if (size[0] < 0 || size[1] < 0)
            return E_FAIL;
        loaded.imageSize = {size[0], size[1]};
    }
    if (version >= 102) {
        LONG size[2] = {};
        if (FAILED(hr = ReadBytes(stream, size, sizeof(size))))
            return hr;
        if (size[0] < 0 || size[1] < 0)
            return E_FAIL;
        loaded.externalSize = {size[0], size[1]};
    }
    if (version >= 101 && withName) {
        if (FAILED(hr = ReadStringFromStream(stream, loaded.name)))
            return hr;
        loaded.named = true;
    }
    for (SHORT i = 0; i < count; ++i) {
        HvImage* image = HvImage::Create(nullptr);
        if (!image)
            return E_OUTOFMEMORY;
        try {
            loaded.images.push_back(image);
        } catch (const std::bad_alloc&) {
            image->Release();
            return E_OUTOFMEMORY;
        }
        if (FAILED(hr = image->Load(stream)))
            return hr;
    }
    return S_OK;
}

bool HvImages::ReplaceImages(std::vector<HvImage*>& images)
{
    // The room is made first: past it nothing can fail.
    try {
        images_.reserve(images.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    ClearImages();
    for (HvImage* image : images) {
        image->SetOwner(this);
        images_.push_back(image);
    }
    images.clear();
    Renumber();
    return true;
}

HvImages::LoadedImages::~LoadedImages()
{
    for (HvImage* image : images)
        image->Release();
}

// --- property bag ---------------------------------------------------------------

HRESULT HvImages::SaveToPropertyBag(IPropertyBag* bag, const wchar_t* listName, const wchar_t* imagesName)
{
    if (!bag)
        return E_INVALIDARG;
    HRESULT hr;
    if (ExternalSelected()) {
        VARIANT name;
        V_VT(&name) = VT_BSTR;
        V_BSTR(&name) = selected_.DisplayName().AllocSysString();
        hr = bag->Write(listName, &name);
        VariantClear(&name);
        if (FAILED(hr))
            return hr;
    } else if (images_.empty()) {
        return S_OK;
    }
    IStream* stream = nullptr;
    hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr))
        return hr;
    hr = SaveStream(stream, false);
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(hr))
        hr = GetHGlobalFromStream(stream, &memory);
    // The blob holds the bytes written: the block under the stream may be
    // larger, and what lies past them was never set.
    ULARGE_INTEGER written = {};
    if (SUCCEEDED(hr)) {
        const LARGE_INTEGER none = {};
        hr = stream->Seek(none, STREAM_SEEK_CUR, &written);
    }
    CPersistHGlobal* blob = nullptr;
    if (SUCCEEDED(hr)) {
        const DWORD count = static_cast<DWORD>(written.QuadPart);
        const void* data = GlobalLock(memory);
        HGLOBAL block = data ? CPersistHGlobal::MakeBlock(data, count) : nullptr;
        GlobalUnlock(memory);
        blob = block ? CPersistHGlobal::Create(block) : nullptr;
        if (!blob)
            hr = E_OUTOFMEMORY;
    }
    stream->Release();
    if (FAILED(hr))
        return hr;
    VARIANT value;
    V_VT(&value) = VT_UNKNOWN;
    V_UNKNOWN(&value) = blob;
    hr = bag->Write(imagesName, &value);
    blob->Release();
    return hr;
}

HRESULT HvImages::LoadFromPropertyBag(IPropertyBag* bag, const wchar_t* listName, const wchar_t* imagesName)
{
    if (!bag)
        return E_INVALIDARG;
    VARIANT list;
    VariantInit(&list);
    V_VT(&list) = VT_BSTR;   // the type asked for
    V_BSTR(&list) = nullptr;
    if (FAILED(bag->Read(listName, &list, nullptr)) || V_VT(&list) != VT_BSTR) {
        if (V_VT(&list) != VT_BSTR)
            VariantClear(&list);
        VariantInit(&list);   // missing: an empty name
    }
    CDualString name(V_VT(&list) == VT_BSTR && V_BSTR(&list) ? V_BSTR(&list) : L"");
    VariantClear(&list);
    SetImageListName(name.c_str());

    VARIANT images;
    VariantInit(&images);
    V_VT(&images) = VT_UNKNOWN;   // the type asked for
    V_UNKNOWN(&images) = nullptr;
    if (FAILED(bag->Read(imagesName, &images, nullptr)) || V_VT(&images) != VT_UNKNOWN || !V_UNKNOWN(&images)) {
        VariantClear(&images);
        return S_OK;   // no images property: the images stay as they are
    }
    // Whatever object the bag hands back, its stream form is the blob:
    // a 32-bit count, then the collection's own stream form.
    IPersistStream* persist = nullptr;
    HRESULT hr = V_UNKNOWN(&images)->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist));
    VariantClear(&images);
    if (FAILED(hr))
        return hr;
    IStream* stream = nullptr;
    hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr))
        hr = persist->Save(stream, FALSE);
    persist->Release();
    if (SUCCEEDED(hr)) {
        LARGE_INTEGER start = {};
        start.QuadPart = 4;
        hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    }
    if (SUCCEEDED(hr))
        hr = LoadStream(stream, false);
    if (stream)
        stream->Release();
    return hr;
}

// --- ImagesURL download -------------------------------------------------------------

HRESULT HvImages::OnUrlData(DISPID dispid, ULONG /*progress*/, ULONG status, const wchar_t* text)
{
    if (dispid != ids_.imagesUrl)
        return S_OK;
    switch (status) {
    case BINDSTATUS_BEGINDOWNLOADDATA:
        SysFreeString(downloadFile_);
        downloadFile_ = nullptr;
        break;
    case BINDSTATUS_CACHEFILENAMEAVAILABLE:
        SysFreeString(downloadFile_);
        downloadFile_ = text ? SysAllocString(text) : nullptr;
        break;
    case BINDSTATUS_ENDDOWNLOADDATA:
        TakeDownloadedImages();
        SysFreeString(downloadFile_);
        downloadFile_ = nullptr;
        if (host_ && host_->IsAlive())
            host_->Invalidate();
        break;
    default:
        break;
    }
    return S_OK;
}

namespace {

// A bitmap without an alpha channel: an image list draws the images that
// carry alpha by it and leaves their masks unused, so masked images must
// not carry one (a decoded picture's alpha bytes would otherwise come
// through the stretch).
HBITMAP MakeOpaqueBitmap(long width, long height)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

bool KeyTaken(const std::vector<HvImage*>& images, const CDualString& key)
{
    for (HvImage* image : images)
        if (!image->Key().IsEmpty() && image->Key().CompareNoCase(key.c_str()) == 0)
            return true;
    return false;
}

} // namespace

void HvImages::TakeDownloadedImages()
{
    if (!downloadFile_)
        return;
    CDualString name(downloadFile_);
    FILE* file = std::fopen(name.c_str(), "rb");
    if (!file)
        return;
    DecodedImageList list;
    const bool decoded = LoadPngDecoder(file, list) != 0;
    std::fclose(file);
    if (!decoded)
        return;
    // The new images are made aside and replace the old ones only when all
    // of them could be made.
    LoadedImages loaded;
    for (int i = 0; i < list.Count(); ++i) {
        DecodedImageList::Entry& entry = list.At(i);
        HvImage* image = HvImage::Create(nullptr);
        if (!image)
            return;
        try {
            loaded.images.push_back(image);
        } catch (const std::bad_alloc&) {
            image->Release();
            return;
        }
        // A name that cannot be a key (a number, or one an earlier image
        // has) leaves the image without one.
        if (!entry.name.IsEmpty() && !KeyTaken(loaded.images, entry.name)) {
            BSTR key = entry.name.AllocSysString();
            if (key && FAILED(image->put_Key(key)))
                SetErrorInfo(0, nullptr);
            SysFreeString(key);
        }
        if (entry.picture)
            image->TakePicture(entry.picture->Get());
        entry.picture.reset();
    }
    if (!ReplaceImages(loaded.images))
        return;
    imageSize_ = {0, 0};
    if (!images_.empty())
        TakeSizeFromPicture(images_.front()->Picture());
    ContentChanged();
}

// --- image list ------------------------------------------------------------------------

HIMAGELIST HvImages::GetHImageList(bool masked)
{
    // A list built from the own images has its masks or not: asked the
    // other way, it is built again.
    if (imageList_ && ownsImageList_ && listMasked_ != masked)
        DestroyImageList();
    if (!imageList_ && useImageList_) {
        imageList_ = selected_.ImageListHandle();   // the control keeps owning it
        ownsImageList_ = false;
    } else if (!imageList_ && !useImageList_ && !images_.empty()) {
        imageList_ = BuildImageList(masked);
        ownsImageList_ = imageList_ != nullptr;
        listMasked_ = masked;
    }
    return imageList_;
}

HIMAGELIST HvImages::BuildImageList(bool masked)
{
    long width = 0;
    long height = 0;
    if (FAILED(GetImageWidthFor(ids_.images, &width)) || FAILED(GetImageHeightFor(ids_.images, &height)) ||
        width <= 0 || height <= 0)
        return nullptr;
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLORDDB | (masked ? ILC_MASK : 0), Count(), 1);
    if (!list)
        return nullptr;
    ImageList_SetBkColor(list, CLR_NONE);
    HDC screen = GetDC(nullptr);
    for (HvImage* image : images_) {
        InterfacePtr& picture = image->Picture();
        OLE_HANDLE handle = 0;
        if (picture.GetPictureType() == PICTYPE_ICON && SUCCEEDED(picture.Get()->get_Handle(&handle))) {
            ImageList_ReplaceIcon(list, -1, reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)));
            continue;
        }
        GdiObject<HBITMAP> scaled(masked ? MakeOpaqueBitmap(width, height)
                                         : CreateCompatibleBitmap(screen, width, height));
        MemoryDC target(screen);
        if (!scaled || !target)
            continue;
        {
            SelectScope selected(target.Get(), scaled.Get());
            RECT all = {0, 0, width, height};
            FillRect(target.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            if (picture.GetPictureType() == PICTYPE_BITMAP && SUCCEEDED(picture.Get()->get_Handle(&handle))) {
                HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
                BITMAP info = {};
                MemoryDC source(screen);
                if (source && GetObjectW(bitmap, sizeof(info), &info)) {
                    SelectScope sourceSelected(source.Get(), bitmap);
                    SetStretchBltMode(target.Get(), COLORONCOLOR);
                    StretchBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, info.bmWidth, info.bmHeight,
                               SRCCOPY);
                }
            } else if (picture.GetPictureType() > PICTYPE_NONE) {
                OLE_XSIZE_HIMETRIC hmWidth = 0;
                OLE_YSIZE_HIMETRIC hmHeight = 0;
                picture.Get()->get_Width(&hmWidth);
                picture.Get()->get_Height(&hmHeight);
                picture.Get()->Render(target.Get(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
            }
        }
        if (masked)
            ImageList_AddMasked(list, scaled.Get(), GetBitmapMaskColor(scaled.Get()));
        else
            ImageList_Add(list, scaled.Get(), nullptr);
    }
    ReleaseDC(nullptr, screen);
    return list;
}
