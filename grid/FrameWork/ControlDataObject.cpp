// The data object of the control base: a metafile picture of the control
// for GetData, and the control's stream in the private clipboard format
// for SetData.
#include "ControlProperties.h"

#include "Units.h"

#include <cstdio>

namespace {

// {8C3E41D2-6F0B-4A57-9E1D-2B7A5C9F0E34}
constexpr GUID kPrivateFormatId = {0x8c3e41d2, 0x6f0b, 0x4a57, {0x9e, 0x1d, 0x2b, 0x7a, 0x5c, 0x9f, 0x0e, 0x34}};

// A memory metafile being recorded, deleted unless it was closed.
class MetafileRecorder {
public:
    MetafileRecorder() : dc_(CreateMetaFileA(nullptr)) {}
    ~MetafileRecorder()
    {
        if (dc_)
            DeleteMetaFile(CloseMetaFile(dc_));
    }
    MetafileRecorder(const MetafileRecorder&) = delete;
    MetafileRecorder& operator=(const MetafileRecorder&) = delete;
    HDC Dc() const { return dc_; }
    HMETAFILE Close()
    {
        HDC dc = dc_;
        dc_ = nullptr;
        return dc ? CloseMetaFile(dc) : nullptr;
    }

private:
    HDC dc_;
};

} // namespace

CLIPFORMAT ControlPrivateClipboardFormat()
{
    static const CLIPFORMAT format = [] {
        char name[40];
        const GUID& id = kPrivateFormatId;
        std::snprintf(name, sizeof name, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                      static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1],
                      id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
        return static_cast<CLIPFORMAT>(RegisterClipboardFormatA(name));
    }();
    return format;
}

STDMETHODIMP CControlProperties::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!medium)
        return E_POINTER;
    *medium = STGMEDIUM{};
    if (!format)
        return E_POINTER;
    // Whatever clipboard format is named, a metafile medium gets the picture.
    if (!(format->tymed & TYMED_MFPICT))
        return DV_E_FORMATETC;
    try {
        const SIZE extent = m_extent;
        MetafileRecorder recorder;
        if (!recorder.Dc())
            return E_UNEXPECTED;
        HDC dc = recorder.Dc();
        SaveDC(dc);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetWindowExtEx(dc, extent.cx, extent.cy, nullptr);
        const RECTL bounds = {0, 0, extent.cx, extent.cy};
        Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, &bounds, nullptr, 0);
        RestoreDC(dc, -1);
        HMETAFILE metafile = recorder.Close();
        if (!metafile)
            return E_UNEXPECTED;

        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, sizeof(METAFILEPICT));
        auto* picture = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr;
        if (!picture) {
            if (block)
                GlobalFree(block);
            DeleteMetaFile(metafile);
            return STG_E_MEDIUMFULL;
        }
        SIZE himetric{};
        PixelsToHimetric(extent, himetric);
        picture->mm = MM_ANISOTROPIC;
        picture->xExt = himetric.cx;
        picture->yExt = himetric.cy;
        picture->hMF = metafile;
        GlobalUnlock(block);

        medium->tymed = TYMED_MFPICT;
        medium->hMetaFilePict = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlProperties::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }
STDMETHODIMP CControlProperties::QueryGetData(FORMATETC*) { return E_NOTIMPL; }

STDMETHODIMP CControlProperties::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out)
        out->ptd = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlProperties::EnumFormatEtc(DWORD, IEnumFORMATETC** formats)
{
    if (formats)
        *formats = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlProperties::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
    if (!format || !medium)
        return E_POINTER;
    HRESULT hr;
    if (medium->tymed != TYMED_ISTREAM)
        hr = DV_E_TYMED;
    else if (format->cfFormat != ControlPrivateClipboardFormat())
        hr = DV_E_FORMATETC;
    else {
        try {
            hr = OnSetData(medium->pstm);
        } catch (...) {
            hr = E_UNEXPECTED;
        }
    }
    // A medium given to keep is the object's to free, taken or not.
    if (release)
        ReleaseStgMedium(medium);
    return hr;
}

HRESULT CControlProperties::OnSetData(IStream*) { return E_NOTIMPL; }
