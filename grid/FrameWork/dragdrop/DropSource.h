// CDropSource: the IDropSource of a drag from the control. The drag ends
// when a button that was down at its start comes up (or, for a drag begun
// from code with no button down, when a button pressed later comes up).
#pragma once

#include "UnknownObject.h"

class OleDragDrop;

class CDropSource final : public IDropSource, public CUnknownObject {
public:
    // A new source with one reference; null when out of memory.
    static CDropSource* Create(OleDragDrop* owner);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }

    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

private:
    explicit CDropSource(OleDragDrop* owner);
    ~CDropSource() override = default;

    OleDragDrop* owner_;   // not owned
};
