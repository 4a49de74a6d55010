// HvMaskError: the details of an input-mask error: the text that failed and
// the position of its first bad character, and whether the control beeps.
#pragma once

#include "DualString.h"
#include "HvObjectBaseImpl.h"

#include <Tavelle.h>

class HvMaskError final : public HvObjectBaseImpl<IHvMaskError> {
public:
    // Null when memory is short.
    static HvMaskError* Create(const CDualString& invalidText, short startPosition);

    STDMETHODIMP get_CancelBeep(VARIANT_BOOL* cancel) override;
    STDMETHODIMP put_CancelBeep(VARIANT_BOOL cancel) override;
    STDMETHODIMP get_InvalidText(BSTR* text) override;
    STDMETHODIMP get_StartPosition(short* position) override;

    bool CancelBeep() const { return cancelBeep_; }

private:
    HvMaskError(const CDualString& invalidText, short startPosition);
    ~HvMaskError() override = default;

    bool cancelBeep_ = false;
    CDualString invalidText_;
    short startPosition_;
};
