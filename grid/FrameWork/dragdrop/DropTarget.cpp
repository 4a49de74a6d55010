// The control's drop target.
#include "DropTarget.h"

#include "OleDragDrop.h"

#include <new>

CDropTarget* CDropTarget::Create(OleDragDrop* owner)
{
    return new (std::nothrow) CDropTarget(owner);
}

CDropTarget::CDropTarget(OleDragDrop* owner) : CUnknownObject(nullptr, static_cast<IDropTarget*>(this)), owner_(owner)
{
}

HRESULT CDropTarget::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IDropTarget)) {
        *out = static_cast<IDropTarget*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CUnknownObject::InternalQueryInterface(iid, out);
}

STDMETHODIMP CDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    if (!OleDragDrop::IsValid(owner_)) {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
    keyState_ = keyState;
    allowed_ = *effect;
    const HRESULT hr = owner_->BeginDrop(data);
    if (FAILED(hr)) {
        *effect = DROPEFFECT_NONE;
        return hr;
    }
    return owner_->DropEvent(DropEnter, keyState, point, effect, allowed_);
}

STDMETHODIMP CDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    if (!OleDragDrop::IsValid(owner_)) {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
    keyState_ = keyState;
    return owner_->DropEvent(DropOver, keyState, point, effect, allowed_);
}

STDMETHODIMP CDropTarget::DragLeave()
{
    if (!OleDragDrop::IsValid(owner_))
        return S_OK;
    DWORD effect = DROPEFFECT_NONE;
    owner_->DropEvent(DropLeave, keyState_, POINTL{0, 0}, &effect, allowed_);
    if (OleDragDrop::IsValid(owner_))
        owner_->EndDrop();
    return S_OK;
}

STDMETHODIMP CDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    if (!OleDragDrop::IsValid(owner_)) {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
    keyState_ = keyState;
    if (!owner_->DropData()) {
        // A drop without DragEnter: the data is wrapped here.
        allowed_ = *effect;
        const HRESULT hr = owner_->BeginDrop(data);
        if (FAILED(hr)) {
            *effect = DROPEFFECT_NONE;
            return hr;
        }
    }
    const HRESULT hr = owner_->DropEvent(DropDrop, keyState, point, effect, allowed_);
    if (FAILED(hr))
        return hr;
    owner_->EndDrop();
    return S_OK;
}
