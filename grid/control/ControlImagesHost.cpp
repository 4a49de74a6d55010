// The grid control's side of its images collection.
#include "ControlImagesHost.h"

#include "HvTavelle.h"
#include "PictureLoading.h"

void ControlImagesHost::OnImagesChanged(DISPID dispid)
{
    control_.ImagesChanged(dispid);
}

void ControlImagesHost::SetDirty()
{
    control_.SetDirty(true);
}

void ControlImagesHost::Invalidate()
{
    if (control_.ViewFlags() & HvTavelle::ViewRedraw)
        control_.InvalidateControl(nullptr);
}

bool ControlImagesHost::IsAlive()
{
    return control_.IsAlive();
}

int ControlImagesHost::CountImagesAt(const char* url, DecodedImageList& list)
{
    return url ? LoadImagesFromUrl(url, list) : 0;
}

IBindHost* ControlImagesHost::GetBindHost()
{
    return control_.CControlBase::GetBindHost();
}

IOleClientSite* ControlImagesHost::GetClientSite()
{
    IOleClientSite* site = control_.ClientSite();
    if (site)
        site->AddRef();
    return site;
}
