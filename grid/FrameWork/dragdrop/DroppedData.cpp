// Conversion of dropped data to script values.
#include "DroppedData.h"

#include "AutomationObject.h"
#include "ClipboardFormats.h"
#include "DibConversions.h"
#include "DragDropErrors.h"
#include "DragDropScopes.h"
#include "HvDataObjectFiles.h"
#include "ScreenColors.h"
#include "ShellDropFunctions.h"

#include <olectl.h>

#include <cstring>
#include <vector>

namespace {

// A storage medium received from GetData; ReleaseStgMedium at scope end is
// the only release. A medium with a release object leaves its handles with
// the source (ReleaseStgMedium then frees none of them): whoever wants to
// keep one takes a copy. Without one the handles are the receiver's, and
// HandOver takes them out of the medium.
class ReceivedMedium {
public:
    ReceivedMedium() { std::memset(&medium_, 0, sizeof medium_); }
    ~ReceivedMedium() { ReleaseStgMedium(&medium_); }
    ReceivedMedium(const ReceivedMedium&) = delete;
    ReceivedMedium& operator=(const ReceivedMedium&) = delete;
    STGMEDIUM* operator&() { return &medium_; }
    STGMEDIUM& Get() { return medium_; }
    bool OwnsHandles() const { return medium_.pUnkForRelease == nullptr; }
    // The handle now belongs to someone else; only for a medium whose
    // handles are ours.
    void HandOver()
    {
        medium_.tymed = TYMED_NULL;
        medium_.hGlobal = nullptr;
    }
    // A metafile picture whose metafile was handed on: only its
    // description block is left to free.
    void KeepOnlyBlock(HGLOBAL block)
    {
        medium_.tymed = TYMED_HGLOBAL;
        medium_.hGlobal = block;
    }

private:
    STGMEDIUM medium_;
};

// The GDI handle for a picture to own: the medium's own when the handles
// are ours, else a copy.
HBITMAP OwnBitmap(const ReceivedMedium& medium, HBITMAP bitmap)
{
    if (medium.OwnsHandles() || !bitmap)
        return bitmap;
    return static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0));
}

HPALETTE OwnPalette(const ReceivedMedium& medium, HPALETTE palette)
{
    return medium.OwnsHandles() || !palette ? palette : DuplicatePalette(palette);
}

HRESULT MakePicture(PICTDESC& description, VARIANT* value)
{
    IPictureDisp* picture = nullptr;
    const HRESULT hr = OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                                reinterpret_cast<void**>(&picture));
    if (FAILED(hr))
        return hr;
    value->vt = VT_DISPATCH;
    value->pdispVal = picture;
    return S_OK;
}

HRESULT BitmapPicture(HBITMAP bitmap, HPALETTE palette, VARIANT* value)
{
    PICTDESC description = {sizeof(PICTDESC), PICTYPE_BITMAP, {}};
    description.bmp.hbitmap = bitmap;
    description.bmp.hpal = palette;
    return MakePicture(description, value);
}

HPALETTE DroppedPalette(IDataObject* dropped)
{
    FORMATETC request = {CF_PALETTE, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    if (dropped->QueryGetData(&request) != S_OK)
        return nullptr;
    ReceivedMedium medium;
    if (FAILED(dropped->GetData(&request, &medium)) || medium.Get().tymed != TYMED_GDI)
        return nullptr;
    auto palette = reinterpret_cast<HPALETTE>(medium.Get().hGlobal);
    if (!medium.OwnsHandles())
        return DuplicatePalette(palette);
    medium.HandOver();
    return palette;
}

HRESULT TextFromGlobal(HGLOBAL block, VARIANT* value)
{
    GlobalLockScope lock(block);
    if (!lock.Data())
        return E_OUTOFMEMORY;
    const char* text = lock.As<char>();
    const SIZE_T size = GlobalSize(block);
    SIZE_T length = 0;
    while (length < size && text[length] != '\0')
        ++length;
    const int chars = length ? MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0) : 0;
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(chars));
    if (!result)
        return E_OUTOFMEMORY;
    if (chars > 0)
        MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), result, chars);
    value->vt = VT_BSTR;
    value->bstrVal = result;
    return S_OK;
}

HRESULT BytesFromGlobal(HGLOBAL block, VARIANT* value)
{
    const SIZE_T size = GlobalSize(block);
    GlobalLockScope lock(block);
    if (!lock.Data())
        return E_OUTOFMEMORY;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(size));
    if (!array)
        return E_OUTOFMEMORY;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) {
        SafeArrayDestroy(array);
        return E_OUTOFMEMORY;
    }
    std::memcpy(data, lock.Data(), size);
    SafeArrayUnaccessData(array);
    value->vt = VT_ARRAY | VT_UI1;
    value->parray = array;
    return S_OK;
}

HRESULT ObjectFromStreamMedium(STGMEDIUM& medium, VARIANT* value)
{
    if (medium.tymed != TYMED_ISTREAM || !medium.pstm)
        return E_UNEXPECTED;
    IDispatch* object = nullptr;
    const HRESULT hr = CoUnmarshalInterface(medium.pstm, IID_IDispatch, reinterpret_cast<void**>(&object));
    if (SUCCEEDED(hr)) {
        value->vt = VT_DISPATCH;
        value->pdispVal = object;
    }
    return hr;
}

HRESULT MetafilePicture(ReceivedMedium& medium, VARIANT* value)
{
    if (medium.Get().tymed != TYMED_MFPICT)
        return E_UNEXPECTED;
    HGLOBAL block = medium.Get().hMetaFilePict;
    METAFILEPICT pict = {};
    {
        GlobalLockScope lock(block);
        if (!lock.Data())
            return E_OUTOFMEMORY;
        pict = *lock.As<METAFILEPICT>();
    }
    const bool owned = medium.OwnsHandles();
    HMETAFILE metafile = owned ? pict.hMF : CopyMetaFileW(pict.hMF, nullptr);
    if (!metafile)
        return E_OUTOFMEMORY;
    // Both the medium's extent and the picture's are HIMETRIC.
    PICTDESC description = {sizeof(PICTDESC), PICTYPE_METAFILE, {}};
    description.wmf.hmeta = metafile;
    description.wmf.xExt = pict.xExt;
    description.wmf.yExt = pict.yExt;
    if (description.wmf.xExt == 0)
        description.wmf.xExt = description.wmf.yExt = 1;
    const HRESULT hr = MakePicture(description, value);
    if (FAILED(hr)) {
        if (!owned)
            DeleteMetaFile(metafile);
        return hr;
    }
    // The picture holds the metafile now; only its description block goes.
    if (owned)
        medium.KeepOnlyBlock(block);
    return hr;
}

HRESULT ConvertPicture(IDataObject* dropped, CLIPFORMAT format, ReceivedMedium& medium, VARIANT* value,
                       OleDragDrop* dragDrop)
{
    STGMEDIUM& received = medium.Get();
    HRESULT hr = E_FAIL;
    switch (format) {
    case CF_BITMAP: {
        if (received.tymed != TYMED_GDI)
            return E_UNEXPECTED;
        HBITMAP bitmap = OwnBitmap(medium, received.hBitmap);
        if (!bitmap)
            return E_OUTOFMEMORY;
        HPALETTE palette = DroppedPalette(dropped);
        hr = BitmapPicture(bitmap, palette, value);
        if (FAILED(hr) && palette)
            DeleteObject(palette);
        if (FAILED(hr) && bitmap != received.hBitmap)
            DeleteObject(bitmap);
        break;
    }
    case CF_METAFILEPICT:
        return MetafilePicture(medium, value);
    case CF_DIB: {
        if (received.tymed != TYMED_HGLOBAL)
            return E_UNEXPECTED;
        // A foreign DIB is read only when every part of it lies in its block.
        if (!IsValidPackedDib(received.hGlobal))
            return RaiseDragDropError(dragDrop, DragDropError::FormatMismatch);
        HPALETTE palette = nullptr;
        HBITMAP bitmap = PackedDibToBitmap(received.hGlobal, &palette);
        if (!bitmap)
            return E_OUTOFMEMORY;
        hr = BitmapPicture(bitmap, palette, value);
        if (FAILED(hr)) {
            DeleteObject(bitmap);
            if (palette)
                DeleteObject(palette);
        }
        return hr;   // the DIB block itself is released with the medium
    }
    case CF_ENHMETAFILE: {
        if (received.tymed != TYMED_ENHMF)
            return E_UNEXPECTED;
        HENHMETAFILE metafile =
            medium.OwnsHandles() ? received.hEnhMetaFile : CopyEnhMetaFileW(received.hEnhMetaFile, nullptr);
        if (!metafile)
            return E_OUTOFMEMORY;
        PICTDESC description = {sizeof(PICTDESC), PICTYPE_ENHMETAFILE, {}};
        description.emf.hemf = metafile;
        hr = MakePicture(description, value);
        if (FAILED(hr) && metafile != received.hEnhMetaFile)
            DeleteEnhMetaFile(metafile);
        break;
    }
    case CF_PALETTE: {
        if (received.tymed != TYMED_GDI)
            return E_UNEXPECTED;
        const ScreenColorCaps& caps = ReadScreenColorCaps();
        HBITMAP bitmap = CreateBitmap(1, 1, static_cast<UINT>(caps.planes), static_cast<UINT>(caps.bitsPerPixel),
                                      nullptr);
        if (!bitmap)
            return E_OUTOFMEMORY;
        const auto dropped = reinterpret_cast<HPALETTE>(received.hGlobal);
        HPALETTE palette = OwnPalette(medium, dropped);
        hr = palette ? BitmapPicture(bitmap, palette, value) : E_OUTOFMEMORY;
        if (FAILED(hr)) {
            DeleteObject(bitmap);
            if (palette && palette != dropped)
                DeleteObject(palette);
        }
        break;
    }
    default:
        return E_FAIL;
    }
    if (SUCCEEDED(hr) && medium.OwnsHandles())
        medium.HandOver();
    return hr;
}

} // namespace

HRESULT ReadDroppedData(IDataObject* dropped, CLIPFORMAT format, VARIANT* value, OleDragDrop* dragDrop)
{
    if (!dropped || !value)
        return E_INVALIDARG;
    VariantClear(value);
    FORMATETC request = {};
    if (!BuildFormatEtc(format, &request))
        return RaiseDragDropError(dragDrop, DragDropError::FormatMismatch);
    if (format == CF_HDROP)
        return RaiseDragDropError(dragDrop, DragDropError::InvalidProcedureCall);
    if (dropped->QueryGetData(&request) != S_OK)
        return RaiseDragDropError(dragDrop, DragDropError::FormatMismatch);
    ReceivedMedium medium;
    HRESULT hr = dropped->GetData(&request, &medium);
    if (FAILED(hr))
        return hr;
    if (IsTextFormat(format)) {
        if (medium.Get().tymed != TYMED_HGLOBAL)
            return E_UNEXPECTED;
        return TextFromGlobal(medium.Get().hGlobal, value);
    }
    if (IsPictureFormat(format))
        return ConvertPicture(dropped, format, medium, value, dragDrop);
    if (medium.Get().tymed == TYMED_HGLOBAL && SUCCEEDED(BytesFromGlobal(medium.Get().hGlobal, value)))
        return S_OK;
    return ObjectFromStreamMedium(medium.Get(), value);
}

HRESULT LoadDroppedFiles(IDataObject* dropped, HvDataObjectFiles& files, OleDragDrop* dragDrop)
{
    HRESULT hr = LoadShellDropFunctions();
    if (FAILED(hr))
        return hr;
    files.Clear();
    FORMATETC request = {};
    BuildFormatEtc(CF_HDROP, &request);
    ReceivedMedium medium;
    if (!dropped || FAILED(dropped->GetData(&request, &medium)))
        return RaiseDragDropError(dragDrop, DragDropError::FormatMismatch);
    if (medium.Get().tymed != TYMED_HGLOBAL || !medium.Get().hGlobal)
        return E_UNEXPECTED;
    auto drop = static_cast<HDROP>(medium.Get().hGlobal);
    const DragQueryFileAFunction query = ShellDragQueryFileA();
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    hr = S_OK;
    for (UINT index = 0; index < count; ++index) {
        const UINT length = query(drop, index, nullptr, 0);
        std::vector<char> buffer;
        try {
            buffer.resize(length + 1);
        } catch (...) {
            break;   // the names read so far stay
        }
        query(drop, index, buffer.data(), length + 1);
        const int chars = MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, nullptr, 0);
        std::vector<wchar_t> name(chars > 0 ? chars : 1, L'\0');
        if (chars > 0 && !MultiByteToWideChar(CP_ACP, 0, buffer.data(), -1, name.data(), chars))
            return E_OUTOFMEMORY;
        hr = files.Append(name.data());
        if (FAILED(hr))
            break;
    }
    return hr;
}
