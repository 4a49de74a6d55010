// Picture holder over the OLE picture object.
#include "InterfacePtr.h"

void InterfacePtr::Release() noexcept
{
    if (IPicture* picture = m_picture) {
        m_picture = nullptr;
        picture->Release();
    }
}

bool InterfacePtr::CreateFrom(PICTDESC& description, bool own) noexcept
{
    Release();
    IPicture* picture = nullptr;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, own ? TRUE : FALSE,
                                        reinterpret_cast<void**>(&picture))))
        return false;
    m_picture = picture;
    return m_picture != nullptr;
}

bool InterfacePtr::CreateEmptyPicture() noexcept
{
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof(PICTDESC);
    description.picType = PICTYPE_NONE;
    return CreateFrom(description, false);
}

bool InterfacePtr::CreatePictureFromBitmap(HBITMAP bitmap, HPALETTE palette, bool own) noexcept
{
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof(PICTDESC);
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    description.bmp.hpal = palette;
    return CreateFrom(description, own);
}

void InterfacePtr::AssignPicture(IUnknown* object) noexcept
{
    Release();
    IPicture* picture = nullptr;
    if (object && SUCCEEDED(object->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))))
        m_picture = picture;
}

IPictureDisp* InterfacePtr::GetPictureDisp() const noexcept
{
    IPictureDisp* disp = nullptr;
    if (m_picture && FAILED(m_picture->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(&disp))))
        disp = nullptr;
    return disp;
}

SHORT InterfacePtr::GetPictureType() const noexcept
{
    SHORT type = -1;
    if (m_picture && FAILED(m_picture->get_Type(&type)))
        type = -1;
    return type;
}
