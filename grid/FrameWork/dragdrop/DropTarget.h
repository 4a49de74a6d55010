// CDropTarget: the control window's IDropTarget. It remembers what DragEnter
// was offered and hands every phase to the control's OleDragDrop, which
// may have died meanwhile (then every call answers E_UNEXPECTED).
#pragma once

#include "UnknownObject.h"

class OleDragDrop;

class CDropTarget final : public IDropTarget, public CUnknownObject {
public:
    // A new target with one reference; null when out of memory.
    static CDropTarget* Create(OleDragDrop* owner);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

private:
    explicit CDropTarget(OleDragDrop* owner);
    ~CDropTarget() override = default;

    OleDragDrop* owner_;   // not owned
    DWORD keyState_ = 0;
    DWORD allowed_ = 0;
};
