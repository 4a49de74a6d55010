// The drop source of a drag from the control.
#include "DropSource.h"

#include "OleDragDrop.h"

#include <new>

CDropSource* CDropSource::Create(OleDragDrop* owner)
{
    return new (std::nothrow) CDropSource(owner);
}

CDropSource::CDropSource(OleDragDrop* owner) : CUnknownObject(nullptr, static_cast<IDropSource*>(this)), owner_(owner)
{
}

HRESULT CDropSource::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IDropSource)) {
        *out = static_cast<IDropSource*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CUnknownObject::InternalQueryInterface(iid, out);
}

STDMETHODIMP CDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    if (escapePressed || !OleDragDrop::IsValid(owner_))
        return DRAGDROP_S_CANCEL;
    const DWORD mode = owner_->ModeWord();
    const DWORD recorded = mode & (DragDropMode::PrimaryDown | DragDropMode::SecondaryDown);
    if (recorded == 0) {
        DWORD down = 0;
        if (keyState & MK_LBUTTON)
            down |= DragDropMode::PrimaryDown;
        if (keyState & MK_RBUTTON)
            down |= DragDropMode::SecondaryDown;
        owner_->SetMode(down, 0);
        return S_OK;
    }
    const bool primaryUp = (recorded & DragDropMode::PrimaryDown) && !(keyState & MK_LBUTTON);
    const bool secondaryUp = (recorded & DragDropMode::SecondaryDown) && !(keyState & MK_RBUTTON);
    if (primaryUp || secondaryUp) {
        owner_->SetMode(0, DragDropMode::PrimaryDown | DragDropMode::SecondaryDown);
        return DRAGDROP_S_DROP;
    }
    return S_OK;
}

STDMETHODIMP CDropSource::GiveFeedback(DWORD effect)
{
    if (!OleDragDrop::IsValid(owner_))
        return E_UNEXPECTED;
    return owner_->GiveFeedbackEvent(effect);
}
