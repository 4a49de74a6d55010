// The grid control's state hooks of the framework's persistence: its own
// participant in streams and property bags, the OLE drop mode beside it.
#include "HvTavelle.h"

#include "ControlStateParticipant.h"
#include "HvImages.h"
#include "OleDragDrop.h"

HRESULT HvTavelle::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    if (!bag)
        return E_INVALIDARG;
    try {
        HRESULT hr = participant_->SaveToPropertyBag(bag, saveAll != FALSE);
        dragDrop_->SaveTextState(bag, saveAll);
        return FAILED(hr) ? hr : S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT HvTavelle::LoadTextState(IPropertyBag* bag, IErrorLog* log)
{
    if (!bag)
        return E_INVALIDARG;
    try {
        HvImages* images = GetControlImages();
        if (!images)
            return E_OUTOFMEMORY;
        images->AfterLoad();
        HRESULT hr = participant_->LoadFromPropertyBag(bag, log);
        dragDrop_->LoadTextState(bag, log);
        return FAILED(hr) ? hr : S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT HvTavelle::SaveBinaryState(IStream* stream)
{
    if (!stream)
        return E_INVALIDARG;
    try {
        short mode = 0;
        HRESULT hr = dragDrop_->get_OLEDropMode(&mode);
        if (FAILED(hr))
            return hr;
        dropModeCopy_ = static_cast<BYTE>(mode);
        return participant_->SaveToStream(stream, -1);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT HvTavelle::LoadBinaryState(IStream* stream)
{
    if (!stream)
        return E_INVALIDARG;
    try {
        // The images collection is made and prepared only once the stream
        // has been found readable.
        return participant_->LoadFromStreamWithAfterLoad(stream);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
