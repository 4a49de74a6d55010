// HvImagesHost: what the images collection asks of the control that owns it
// (dirty marking, repaint, change notices, URL pictures, image sizes). The
// control implements it; the collection does not hold a reference on it.
#pragma once

#include "DecodedImageList.h"

#include <windows.h>
#include <ole2.h>
#include <urlmon.h>

class HvImagesHost {
public:
    // Marks the control dirty and tells its property sinks about dispid
    // (then about Images and ImageList) and repaints it.
    virtual void OnImagesChanged(DISPID dispid) = 0;
    virtual void SetDirty() = 0;
    virtual void Invalidate() = 0;
    virtual bool IsAlive() = 0;
    // The pictures of the image file at url; the number decoded.
    virtual int CountImagesAt(const char* url, DecodedImageList& list) = 0;
    virtual IBindHost* GetBindHost() = 0;
    // The control's client site, through whose container the external
    // image-list controls are found; a new reference, or null.
    virtual IOleClientSite* GetClientSite() { return nullptr; }
    // Whether the control supplies the image size for dispid itself, and that size.
    virtual bool SuppliesImageSize(DISPID) { return false; }
    virtual long ImageWidthFor(DISPID) { return 0; }
    virtual long ImageHeightFor(DISPID) { return 0; }

protected:
    ~HvImagesHost() = default;
};
