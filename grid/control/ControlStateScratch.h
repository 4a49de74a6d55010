// ControlStateScratch: reads the grid control's own stored state (the six
// categories of its participant) into scratch objects: the general bytes,
// two strings, an images collection, a stand-alone layout and a tag value.
// Nothing of the control changes; it is the checking pass of the control's
// all-or-nothing load.
#pragma once

#include "HvPersistParticipant.h"

class HvTavelle;

class ControlStateScratch final : public HvPersistParticipant {
public:
    explicit ControlStateScratch(HvTavelle& control) : control_(control) {}

    LONG ParticipantKind() const override { return 0; }
    DWORD Signature() const override;
    LONG FormatVersion() const override;
    bool HasData(DWORD, LONG) override { return false; }
    HRESULT Save(DWORD, IStream*, LONG) override { return E_NOTIMPL; }
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD, LONG) override {}
    HRESULT CopyFrom(DWORD, HvPersistParticipant&, LONG) override { return E_NOTIMPL; }

private:
    HRESULT LoadImages(IStream* stream);
    HRESULT LoadLayout(IStream* stream);

    HvTavelle& control_; // the grid context of the scratch layout only
};
