// The checking pass of the control's stored state: every category read into
// objects of its own, thrown away afterwards.
#include "ControlStateScratch.h"

#include "ControlStateParticipant.h"
#include "DualString.h"
#include "HvImages.h"
#include "HvLayout.h"
#include "HvTavelle.h"
#include "StreamText.h"
#include "VariantValue.h"

namespace {

// The images of the checking pass answer to nobody.
class ScratchImagesHost final : public HvImagesHost {
public:
    void OnImagesChanged(DISPID) override {}
    void SetDirty() override {}
    void Invalidate() override {}
    bool IsAlive() override { return true; }
    int CountImagesAt(const char*, DecodedImageList&) override { return 0; }
    IBindHost* GetBindHost() override { return nullptr; }
};

} // namespace

DWORD ControlStateScratch::Signature() const
{
    return ControlStateParticipant::AllCategories;
}

LONG ControlStateScratch::FormatVersion() const
{
    return ControlStateParticipant::StateVersion;
}

HRESULT ControlStateScratch::Load(DWORD code, IStream* stream, LONG)
{
    switch (code) {
    case ControlStateParticipant::General: {
        BYTE block[ControlStateParticipant::GeneralSize] = {};
        HRESULT hr = ReadBytes(stream, block, sizeof block);
        return FAILED(hr) ? hr : ControlStateParticipant::CheckGeneral(block);
    }
    case ControlStateParticipant::DataMember:
    case ControlStateParticipant::ImagesUrl: {
        CDualString text;
        return ReadStringFromStream(stream, text);
    }
    case ControlStateParticipant::Images:
        return LoadImages(stream);
    case ControlStateParticipant::Layout:
        return LoadLayout(stream);
    case ControlStateParticipant::TagVariant: {
        CVariantValue tag;
        return tag.LoadFromStream(stream);
    }
    default:
        return E_FAIL;
    }
}

HRESULT ControlStateScratch::LoadImages(IStream* stream)
{
    ScratchImagesHost host;
    HvImages* images = HvImages::Create(&host, false);
    if (!images)
        return E_OUTOFMEMORY;
    const HRESULT hr = images->LoadFromStream(stream);
    images->Release();
    return hr;
}

HRESULT ControlStateScratch::LoadLayout(IStream* stream)
{
    HvLayout* layout = nullptr;
    HRESULT hr = HvLayout::Create(nullptr, &control_, &layout);
    if (FAILED(hr))
        return hr;
    hr = static_cast<HvPersistParticipant*>(layout)->LoadFromStream(stream, -1);
    layout->Detach();
    layout->PrivateUnknown()->Release();
    return hr;
}
