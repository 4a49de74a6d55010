// Quick activation of the control base: a container that knows the protocol
// hands over its site, sinks and ambient settings in one call instead of a
// round of separate ones; and the content extent it asks for afterwards.
#include "ControlEmbedding.h"

#include <cstddef>
#include <new>

namespace {

// True when the container block, by its own size, holds field (one of its
// members). An older container's shorter block is never read past its end.
template <class Field>
bool Holds(const QACONTAINER& block, const Field& field)
{
    const auto end = static_cast<size_t>(reinterpret_cast<const BYTE*>(&field) -
                                         reinterpret_cast<const BYTE*>(&block)) + sizeof(Field);
    return block.cbSize >= end;
}

} // namespace

STDMETHODIMP CControlEmbedding::QuickActivate(QACONTAINER* container, QACONTROL* control)
{
    if (!container || !control || control->cbSize < sizeof(QACONTROL))
        return E_UNEXPECTED;
    try {
        const QACONTAINER& block = *container;
        if (Holds(block, block.pClientSite) && block.pClientSite) {
            const HRESULT hr = SetClientSite(block.pClientSite);
            if (FAILED(hr))
                return hr;
        }
        if (Holds(block, block.lcid) && block.lcid)
            SetLibraryLocaleFromContainer(static_cast<LCID>(block.lcid));
        if (Holds(block, block.dwAmbientFlags) && (block.dwAmbientFlags & QACONTAINER_MESSAGEREFLECT))
            m_ambient |= AmbientState::ContainerReflects | AmbientState::ReflectRead;
        if (Holds(block, block.pPropertyNotifySink) && block.pPropertyNotifySink) {
            IPropertyNotifySink* sink = block.pPropertyNotifySink;
            sink->AddRef();
            const HRESULT hr = PropertyPoint().Advise(sink, &control->dwPropNotifyCookie);
            sink->Release();
            if (FAILED(hr))
                return hr;
        }
        if (Holds(block, block.pUnkEventSink) && block.pUnkEventSink) {
            const HRESULT hr = EventPoint().Advise(block.pUnkEventSink, &control->dwEventCookie);
            if (FAILED(hr))
                return hr;
        }
        if (Holds(block, block.pAdviseSink) && block.pAdviseSink) {
            const HRESULT hr = SetAdvise(DVASPECT_CONTENT, 0, block.pAdviseSink);
            if (FAILED(hr))
                return hr;
        }
        const ControlObjectInfo& info = ControlInfo();
        control->dwMiscStatus = info.miscStatus;
        control->dwViewStatus = (m_state & ControlState::Opaque) ? VIEWSTATUS_OPAQUE : 0;
        control->dwPointerActivationPolicy = info.pointerActivationPolicy;
        return OnQuickActivate(container, &control->dwViewStatus);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::SetContentExtent(LPSIZEL size)
{
    return SetExtent(DVASPECT_CONTENT, size);
}

STDMETHODIMP CControlEmbedding::GetContentExtent(LPSIZEL size)
{
    return GetExtent(DVASPECT_CONTENT, size);
}
