// The decoder callback.
#include "PngCallback.h"

#include <memory>
#include <new>

// {6B0D5C1E-4A73-4E0B-9C52-2F1D7A8E3B61}
extern "C" const IID IID_IHvPngCallback = {0x6b0d5c1e, 0x4a73, 0x4e0b, {0x9c, 0x52, 0x2f, 0x1d, 0x7a, 0x8e, 0x3b, 0x61}};

STDMETHODIMP CPngCallback::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHvPngCallback)) {
        *out = static_cast<IHvPngCallback*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CPngCallback::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&count_));
}

STDMETHODIMP_(ULONG) CPngCallback::Release()
{
    LONG count = InterlockedDecrement(&count_);
    if (count < 1) {
        delete this;
        return 0;
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP CPngCallback::OnImage(HBITMAP bitmap, HPALETTE palette, const char* name)
{
    if (!bitmap)
        return list_ ? E_INVALIDARG : E_FAIL;
    // The handles were handed over with the call: until a picture owns
    // them, every way out frees them.
    auto discard = [&](HRESULT result) {
        DeleteObject(bitmap);
        if (palette)
            DeleteObject(palette);
        return result;
    };
    if (!list_)
        return discard(E_FAIL);
    std::unique_ptr<InterfacePtr> holder(new (std::nothrow) InterfacePtr);
    if (!holder || !holder->CreatePictureFromBitmap(bitmap, palette, true))
        return discard(E_OUTOFMEMORY);
    return list_->Append(std::move(holder), name) ? S_OK : E_OUTOFMEMORY;
}
