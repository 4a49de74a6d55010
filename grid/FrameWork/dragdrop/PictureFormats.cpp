// Picture checks and picture rendering for the data objects.
#include "PictureFormats.h"

#include "BitmapPalettePair.h"
#include "DibConversions.h"
#include "DragDropErrors.h"
#include "DragDropScopes.h"

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

DWORD MediumTypeOf(CLIPFORMAT format)
{
    switch (format) {
    case CF_BITMAP:
    case CF_PALETTE: return TYMED_GDI;
    case CF_METAFILEPICT: return TYMED_MFPICT;
    case CF_ENHMETAFILE: return TYMED_ENHMF;
    default: return TYMED_HGLOBAL;
    }
}

HRESULT PictureHandles(IPicture* picture, HGDIOBJ* handle, HPALETTE* palette)
{
    OLE_HANDLE value = 0;
    if (FAILED(picture->get_Handle(&value)))
        return E_UNEXPECTED;
    *handle = reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(value));
    if (palette) {
        OLE_HANDLE paletteValue = 0;
        if (FAILED(picture->get_hPal(&paletteValue)))
            return E_UNEXPECTED;
        *palette = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(paletteValue));
    }
    return S_OK;
}

HRESULT RenderEnhancedMetafile(IPicture* picture, STGMEDIUM* medium)
{
    HGDIOBJ handle = nullptr;
    if (FAILED(PictureHandles(picture, &handle, nullptr)))
        return E_UNEXPECTED;
    HENHMETAFILE copy = CopyEnhMetaFileA(static_cast<HENHMETAFILE>(handle), nullptr);
    if (!copy)
        return E_OUTOFMEMORY;
    medium->hEnhMetaFile = copy;
    return S_OK;
}

HRESULT RenderMetafilePicture(IPicture* picture, STGMEDIUM* medium)
{
    HGDIOBJ handle = nullptr;
    if (FAILED(PictureHandles(picture, &handle, nullptr)))
        return E_UNEXPECTED;
    GlobalBlock block(GMEM_MOVEABLE | GMEM_SHARE, sizeof(METAFILEPICT));
    if (!block)
        return E_OUTOFMEMORY;
    HMETAFILE copy = CopyMetaFileA(static_cast<HMETAFILE>(handle), nullptr);
    if (!copy)
        return E_OUTOFMEMORY;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    {
        GlobalLockScope lock(block.Get());
        if (!lock.Data()) {
            DeleteMetaFile(copy);
            return E_OUTOFMEMORY;
        }
        *lock.As<METAFILEPICT>() = {MM_ANISOTROPIC, width, height, copy};
    }
    medium->hMetaFilePict = block.Release();
    return S_OK;
}

HRESULT RenderBitmap(IPicture* picture, BitmapPalettePair& pair, STGMEDIUM* medium)
{
    if (pair.Bitmap()) {
        medium->hBitmap = pair.TakeBitmap();
        return S_OK;
    }
    HGDIOBJ handle = nullptr;
    HPALETTE palette = nullptr;
    if (FAILED(PictureHandles(picture, &handle, &palette)))
        return E_UNEXPECTED;
    if (palette) {
        const HRESULT hr = pair.SetCopies(static_cast<HBITMAP>(handle), palette);
        if (FAILED(hr))
            return hr;
        medium->hBitmap = pair.TakeBitmap();
        return S_OK;
    }
    HBITMAP bitmap = PictureToBitmap(picture, 0, 0);
    if (!bitmap)
        return E_OUTOFMEMORY;
    medium->hBitmap = bitmap;
    return S_OK;
}

HRESULT RenderPalette(IPicture* picture, BitmapPalettePair& pair, STGMEDIUM* medium)
{
    if (pair.Palette()) {
        medium->hGlobal = reinterpret_cast<HGLOBAL>(pair.TakePalette());
        return S_OK;
    }
    HGDIOBJ handle = nullptr;
    HPALETTE palette = nullptr;
    if (FAILED(PictureHandles(picture, &handle, &palette)))
        return E_UNEXPECTED;
    if (palette) {
        const HRESULT hr = pair.SetCopies(static_cast<HBITMAP>(handle), palette);
        if (FAILED(hr))
            return hr;
        medium->hGlobal = reinterpret_cast<HGLOBAL>(pair.TakePalette());
        return S_OK;
    }
    // A bitmap without a palette: the medium carries no palette.
    medium->hGlobal = nullptr;
    return S_OK;
}

HRESULT RenderDib(IPicture* picture, STGMEDIUM* medium)
{
    HGDIOBJ handle = nullptr;
    HPALETTE palette = nullptr;
    if (FAILED(PictureHandles(picture, &handle, &palette)))
        return E_UNEXPECTED;
    HGLOBAL dib = BitmapToPackedDib(static_cast<HBITMAP>(handle), palette);
    if (!dib)
        return E_OUTOFMEMORY;
    medium->hGlobal = dib;
    return S_OK;
}

} // namespace

HRESULT CheckPictureFormat(IPicture* picture, CLIPFORMAT format, CLIPFORMAT* outFormat, OleDragDrop* dragDrop)
{
    if (outFormat)
        *outFormat = format;
    SHORT type = PICTYPE_NONE;
    if (!picture || FAILED(picture->get_Type(&type)) || type == PICTYPE_NONE)
        return RaiseDragDropError(dragDrop, DragDropError::InvalidPropertyValue);
    CLIPFORMAT chosen = format;
    switch (type) {
    case PICTYPE_BITMAP:
        if (format == 0)
            chosen = CF_DIB;
        else if (format != CF_BITMAP && format != CF_DIB && format != CF_PALETTE)
            return RaiseDragDropError(dragDrop, DragDropError::FormatMismatch);
        break;
    case PICTYPE_METAFILE:
        if (format == 0)
            chosen = CF_METAFILEPICT;
        else if (format != CF_METAFILEPICT)
            return ErrorNumberToResult(DragDropError::FormatMismatch);
        break;
    case PICTYPE_ENHMETAFILE:
        if (format == 0)
            chosen = CF_ENHMETAFILE;
        else if (format != CF_ENHMETAFILE)
            return RaiseDragDropError(dragDrop, DragDropError::FormatMismatch);
        break;
    default:
        return RaiseDragDropError(dragDrop, DragDropError::FormatMismatch);
    }
    if (outFormat)
        *outFormat = chosen;
    return S_OK;
}

HRESULT RenderPictureMedium(const VARIANT& stored, BitmapPalettePair& pair, const FORMATETC& request,
                            STGMEDIUM* medium, OleDragDrop* dragDrop)
{
    if (!medium)
        return E_INVALIDARG;
    ComPtr<IPicture> picture;
    if ((stored.vt != VT_DISPATCH && stored.vt != VT_UNKNOWN) || !stored.punkVal ||
        FAILED(stored.punkVal->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.GetAddressOf()))))
        return E_UNEXPECTED;
    if (FAILED(CheckPictureFormat(picture.Get(), request.cfFormat, nullptr, dragDrop)))
        return E_UNEXPECTED;
    medium->tymed = MediumTypeOf(request.cfFormat);
    medium->pUnkForRelease = nullptr;
    medium->hGlobal = nullptr;

    SHORT type = PICTYPE_NONE;
    picture->get_Type(&type);
    if (type == PICTYPE_ENHMETAFILE && request.cfFormat == CF_ENHMETAFILE)
        return RenderEnhancedMetafile(picture.Get(), medium);
    if (type == PICTYPE_METAFILE && request.cfFormat == CF_METAFILEPICT)
        return RenderMetafilePicture(picture.Get(), medium);
    if (type == PICTYPE_BITMAP) {
        switch (request.cfFormat) {
        case CF_BITMAP: return RenderBitmap(picture.Get(), pair, medium);
        case CF_PALETTE: return RenderPalette(picture.Get(), pair, medium);
        case CF_DIB: return RenderDib(picture.Get(), medium);
        default: break;
        }
    }
    return E_UNEXPECTED;
}
