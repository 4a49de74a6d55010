// ControlImagesHost: the grid control's side of its images collection:
// dirty marking, repaint, change notices, URL pictures and the bind host.
#pragma once

#include "HvImagesHost.h"

class HvTavelle;

class ControlImagesHost final : public HvImagesHost {
public:
    explicit ControlImagesHost(HvTavelle& control) : control_(control) {}

    void OnImagesChanged(DISPID dispid) override;
    void SetDirty() override;
    void Invalidate() override;
    bool IsAlive() override;
    int CountImagesAt(const char* url, DecodedImageList& list) override;
    IBindHost* GetBindHost() override;
    IOleClientSite* GetClientSite() override;

private:
    HvTavelle& control_;
};
