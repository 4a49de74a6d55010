// Persistence of the control base through the container's three media:
// IPersistStreamInit (a stream), IPersistStorage (the stream "Contents" of a
// storage) and IPersistPropertyBag (named properties). Each medium carries
// the framework's standard state first, then the control's own; the dirty
// flag and InitNew are kept here too.
#include "ControlEmbedding.h"

#include "Guarded.h"

#include <new>

namespace {

const wchar_t kContentsStream[] = L"Contents";

} // namespace

STDMETHODIMP CControlEmbedding::IsDirty()
{
    return IsDirtyState() ? S_OK : S_FALSE;
}

STDMETHODIMP CControlEmbedding::InitNew()
{
    return Guarded([&] {
        SetDirty(true);
        const HRESULT hr = InitializeNewState();
        if (FAILED(hr))
            return hr;
        SendOnDataChange(0);
        return hr;
    });
}

STDMETHODIMP CControlEmbedding::InitNew(IStorage*)
{
    return InitNew();
}

// --- Streams ---------------------------------------------------------------

STDMETHODIMP CControlEmbedding::Load(LPSTREAM stream)
{
    if (!stream)
        return E_POINTER;
    return Guarded([&] {
        const SIZE extent = m_extent;
        HRESULT hr = LoadStandardBinaryState(stream);
        if (SUCCEEDED(hr))
            hr = LoadBinaryState(stream);
        if (FAILED(hr))
            m_extent = extent;
        return hr;
    });
}

STDMETHODIMP CControlEmbedding::Save(LPSTREAM stream, BOOL clearDirty)
{
    if (!stream)
        return E_POINTER;
    return Guarded([&] {
        HRESULT hr = SaveStandardBinaryState(stream);
        if (SUCCEEDED(hr))
            hr = SaveBinaryState(stream);
        if (FAILED(hr))
            return hr;
        if (clearDirty)
            SetDirty(false);
        if (m_adviseHolder)
            m_adviseHolder->SendOnSave();
        return S_OK;
    });
}

STDMETHODIMP CControlEmbedding::GetSizeMax(ULARGE_INTEGER*) { return E_NOTIMPL; }

// --- Property bags -----------------------------------------------------------

STDMETHODIMP CControlEmbedding::Load(IPropertyBag* bag, IErrorLog* log)
{
    if (!bag)
        return E_POINTER;
    return Guarded([&] {
        const SIZE extent = m_extent;
        HRESULT hr = LoadStandardTextState(bag, log);
        if (SUCCEEDED(hr))
            hr = LoadTextState(bag, log);
        if (FAILED(hr))
            m_extent = extent;
        return hr;
    });
}

STDMETHODIMP CControlEmbedding::Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll)
{
    if (!bag)
        return E_POINTER;
    return Guarded([&] {
        HRESULT hr = SaveStandardTextState(bag);
        if (SUCCEEDED(hr))
            hr = SaveTextState(bag, saveAll);
        if (FAILED(hr))
            return hr;
        if (clearDirty)
            SetDirty(false);
        if (m_adviseHolder)
            m_adviseHolder->SendOnSave();
        return S_OK;
    });
}

// --- Storages -------------------------------------------------------------------

STDMETHODIMP CControlEmbedding::Load(IStorage* storage)
{
    if (!storage)
        return E_POINTER;
    return Guarded([&] {
        IStream* stream = nullptr;
        HRESULT hr = storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
        if (FAILED(hr))
            return hr;
        hr = Load(stream);
        stream->Release();
        return hr;
    });
}

// The dirty flag stays until the container confirms with SaveCompleted.
STDMETHODIMP CControlEmbedding::Save(IStorage* storage, BOOL)
{
    if (!storage)
        return E_POINTER;
    return Guarded([&] {
        m_state &= ~ControlState::SaveDone;
        IStream* stream = nullptr;
        HRESULT hr = storage->CreateStream(kContentsStream, STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_WRITE, 0, 0,
                                           &stream);
        if (FAILED(hr))
            return hr;
        hr = SaveStandardBinaryState(stream);
        if (SUCCEEDED(hr))
            hr = SaveBinaryState(stream);
        if (SUCCEEDED(hr))
            m_state |= ControlState::SaveDone;
        stream->Release();
        return hr;
    });
}

STDMETHODIMP CControlEmbedding::SaveCompleted(IStorage*)
{
    if (m_state & ControlState::SaveDone) {
        m_state &= ~ControlState::SaveDone;
        SetDirty(false);
        if (m_adviseHolder)
            m_adviseHolder->SendOnSave();
    }
    return S_OK;
}

STDMETHODIMP CControlEmbedding::HandsOffStorage() { return S_OK; }
