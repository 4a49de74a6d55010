// ControlEditor: the pictures of value-list entries in the drop-down lists,
// picture objects or images of the control's Images by index or key.
#include "ControlEditor.h"

#include "AppearanceData.h"
#include "HvImages.h"
#include "HvTavelle.h"

#include <commctrl.h>

namespace {

bool IsPictureObject(const VARIANT& picture)
{
    return (V_VT(&picture) == VT_UNKNOWN || V_VT(&picture) == VT_DISPATCH) && V_UNKNOWN(&picture);
}

// The image list of the control's Images and the 0-based image the picture
// names, or -1.
int ListImage(HvTavelle& control, const VARIANT& picture, HIMAGELIST* list, bool* masked)
{
    *list = nullptr;
    *masked = control.ImagesMasking();
    if (V_VT(&picture) != VT_I2 && V_VT(&picture) != VT_BSTR)
        return -1;
    HvImages* images = control.GetControlImages();
    if (!images)
        return -1;
    const short index = images->IndexFromVariant(picture);
    *list = images->GetHImageList(*masked);
    if (!*list || index < 1 || index > ImageList_GetImageCount(*list))
        return -1;
    return index - 1;
}

} // namespace

SIZE ControlEditor::ListPictureSize(const VARIANT& picture)
{
    SIZE size{};
    if (IsPictureObject(picture)) {
        AppearanceData data;
        if (SUCCEEDED(data.SetPicture(picture)))
            data.GetPictureSize(size);
        return size;
    }
    HIMAGELIST list = nullptr;
    bool masked = false;
    int cx = 0;
    int cy = 0;
    if (ListImage(control_, picture, &list, &masked) >= 0 && ImageList_GetIconSize(list, &cx, &cy))
        size = {cx, cy};
    return size;
}

void ControlEditor::DrawListPicture(HDC dc, const VARIANT& picture, POINT at)
{
    if (IsPictureObject(picture)) {
        IPicture* object = nullptr;
        if (FAILED(V_UNKNOWN(&picture)->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&object))) || !object)
            return;
        const SIZE size = ListPictureSize(picture);
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        object->get_Width(&width);
        object->get_Height(&height);
        // The source rectangle in HIMETRIC counts upwards from the bottom.
        object->Render(dc, at.x, at.y, size.cx, size.cy, 0, height, width, -height, nullptr);
        object->Release();
        return;
    }
    HIMAGELIST list = nullptr;
    bool masked = false;
    const int image = ListImage(control_, picture, &list, &masked);
    if (image >= 0)
        ImageList_Draw(list, image, dc, at.x, at.y, masked ? ILD_TRANSPARENT : ILD_NORMAL);
}
