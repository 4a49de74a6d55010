// CPngCallback: the object the image decoder library calls once for every
// picture it decodes; it turns the bitmap into a picture and appends it,
// with its name, to a DecodedImageList.
#pragma once

#include "DecodedImageList.h"

#include <windows.h>
#include <ole2.h>

extern "C" const IID IID_IHvPngCallback;

// The decoder's view of the callback: after IUnknown, one operation. The
// bitmap and palette pass to the callee, which owns them from then on.
struct IHvPngCallback : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE OnImage(HBITMAP bitmap, HPALETTE palette, const char* name) = 0;
};

class CPngCallback final : public IHvPngCallback {
public:
    // list is not owned and must outlive the callback's use.
    explicit CPngCallback(DecodedImageList* list) noexcept : list_(list) {}
    CPngCallback(const CPngCallback&) = delete;
    CPngCallback& operator=(const CPngCallback&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // E_FAIL without a list, E_INVALIDARG for a null bitmap (which adds
    // nothing), E_OUTOFMEMORY when the picture cannot be held.
    STDMETHODIMP OnImage(HBITMAP bitmap, HPALETTE palette, const char* name) override;

private:
    ~CPngCallback() = default;

    LONG count_ = 1;
    DecodedImageList* list_;
};
