// A control's OLE drag and drop: drop-target registration, the drag loop,
// the drag events and the automatic handlers.
#include "OleDragDrop.h"

#include "ClipboardFormats.h"
#include "ControlEmbedding.h"
#include "CriticalSectionLock.h"
#include "DataSource.h"
#include "DragDropEvents.h"
#include "DropSource.h"
#include "DropTarget.h"
#include "FireEvent.h"
#include "HvDataObject.h"
#include "HvDataObjectFiles.h"
#include "HvReturnBoolean.h"
#include "HvReturnLong.h"
#include "HvReturnShort.h"
#include "Module.h"
#include "Units.h"

#include <algorithm>
#include <utility>

namespace {

constexpr DWORD kSignature = 0x4DE3CCF;

// {6C1D0E52-3B7A-4F69-9E25-8D4A7C31B0F4}
constexpr IID kIidOleDragDrop = {0x6c1d0e52, 0x3b7a, 0x4f69, {0x9e, 0x25, 0x8d, 0x4a, 0x7c, 0x31, 0xb0, 0xf4}};

DoDragDropFunction g_doDragDrop = &::DoDragDrop;

// The live drag-and-drop objects: IsValid looks a pointer up here before it
// reads the signature, so that no pointer value can make it fault.
std::vector<const OleDragDrop*>& LiveObjects()
{
    static std::vector<const OleDragDrop*> objects;
    return objects;
}

// An object argument of an event passed by reference: the handler may put
// another object in its place, which is released after the event.
class ByRefObject {
public:
    explicit ByRefObject(IDispatch* object) : slot_(object) { if (slot_) slot_->AddRef(); }
    ~ByRefObject() { if (slot_) slot_->Release(); }
    ByRefObject(const ByRefObject&) = delete;
    ByRefObject& operator=(const ByRefObject&) = delete;
    IDispatch** Address() { return &slot_; }

private:
    IDispatch* slot_;
};

template <class T>
void ReleaseAndNull(T*& pointer)
{
    if (pointer)
        std::exchange(pointer, nullptr)->Release();
}

SHORT ButtonsFromKeyState(DWORD keyState)
{
    SHORT buttons = 0;
    if (keyState & MK_LBUTTON)
        buttons |= 1;
    if (keyState & MK_RBUTTON)
        buttons |= 2;
    if (keyState & MK_MBUTTON)
        buttons |= 4;
    return buttons;
}

SHORT ShiftFromKeyState(DWORD keyState)
{
    SHORT shift = 0;
    if (keyState & MK_SHIFT)
        shift |= 1;
    if (keyState & MK_CONTROL)
        shift |= 2;
    if (keyState & MK_ALT)
        shift |= 4;
    return shift;
}

} // namespace

DoDragDropFunction SetDoDragDropFunction(DoDragDropFunction function)
{
    return std::exchange(g_doDragDrop, function ? function : &::DoDragDrop);
}

OleDragDrop::OleDragDrop(CControlEmbedding& owner, bool dragSupported, bool dropSupported,
                         const DragDropErrorEntry* errors, int dataObjectType, bool autoDropAllowed)
    : owner_(owner), dataObjectType_(dataObjectType), errors_(errors), signature_(kSignature)
{
    if (dragSupported)
        mode_ |= DragDropMode::DragSupported;
    if (dropSupported)
        mode_ |= DragDropMode::DropSupported;
    if (autoDropAllowed)
        mode_ |= DragDropMode::AutoDropAllowed;
    CriticalSectionLock guard(GlobalCriticalSection());
    LiveObjects().push_back(this);
}

OleDragDrop::~OleDragDrop()
{
    signature_ = 0;
    {
        CriticalSectionLock guard(GlobalCriticalSection());
        auto& live = LiveObjects();
        live.erase(std::remove(live.begin(), live.end(), this), live.end());
    }
    for (auto it = handlers_.rbegin(); it != handlers_.rend(); ++it)
        (*it)->Release();
    handlers_.clear();
    errorTable_.clear();
    ReleaseAndNull(dropTarget_);
    ReleaseAndNull(dropData_);
    ReleaseAndNull(controlSite_);
    ReleaseAndNull(dragged_);
    ReleaseAndNull(further_);
}

bool OleDragDrop::IsValid(const OleDragDrop* object)
{
    if (!object)
        return false;
    CriticalSectionLock guard(GlobalCriticalSection());
    const auto& live = LiveObjects();
    return std::find(live.begin(), live.end(), object) != live.end() && object->signature_ == kSignature;
}

STDMETHODIMP OleDragDrop::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidOleDragDrop)) {
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) OleDragDrop::AddRef()
{
    return ++references_;
}

STDMETHODIMP_(ULONG) OleDragDrop::Release()
{
    return references_ > 0 ? --references_ : 0;
}

const std::vector<DragDropErrorEntry>& OleDragDrop::ErrorTable()
{
    if (errorTable_.empty() && errors_) {
        for (const DragDropErrorEntry* entry = errors_; entry->stringId != 0; ++entry)
            errorTable_.push_back(*entry);
    }
    return errorTable_;
}

HRESULT OleDragDrop::RaiseError(WORD id)
{
    DWORD helpContext = id;
    try {
        for (const DragDropErrorEntry& entry : ErrorTable()) {
            if (entry.stringId == id)
                helpContext = entry.helpContext;
        }
    } catch (...) {
        // The error is still raised, with its identifier as help context.
    }
    return owner_.Exception(DragDropResult(id), id, helpContext);
}

void OleDragDrop::OnSiteChange(IOleClientSite* site)
{
    if (site)
        RegisterDragDropFormats();
    errorTable_.clear();
    ReleaseAndNull(controlSite_);
    ReleaseAndNull(dragged_);
    ReleaseAndNull(further_);
}

HRESULT OleDragDrop::put_OLEDropMode(SHORT mode)
{
    if (!(mode_ & DragDropMode::DropSupported))
        return S_OK;
    const SHORT maximum = (mode_ & DragDropMode::AutoDropAllowed) ? 2 : 1;
    if (mode < 0 || mode > maximum)
        return RaiseError(DragDropError::InvalidPropertyValue);
    if (mode == DropMode())
        return S_OK;
    mode_ = (mode_ & ~DragDropMode::DropModeMask) | (static_cast<DWORD>(mode) << DragDropMode::DropModeShift);
    RegisterDropTarget(mode >= 1);
    return S_OK;
}

HRESULT OleDragDrop::get_OLEDropMode(SHORT* mode)
{
    if (!mode)
        return E_INVALIDARG;
    *mode = DropMode();
    return S_OK;
}

HRESULT OleDragDrop::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    if (!bag)
        return E_INVALIDARG;
    HRESULT result = S_OK;
    auto write = [&](const wchar_t* name, SHORT value) {
        VARIANT v;
        v.vt = VT_I2;
        v.iVal = value;
        const HRESULT hr = bag->Write(name, &v);
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    };
    if ((mode_ & DragDropMode::DragSupported) && (DragMode() != 0 || saveAll))
        write(L"OLEDragMode", DragMode());
    if ((mode_ & DragDropMode::DropSupported) && (DropMode() != 0 || saveAll))
        write(L"OLEDropMode", DropMode());
    return result;
}

HRESULT OleDragDrop::LoadTextState(IPropertyBag* bag, IErrorLog* log)
{
    if (!bag)
        return E_INVALIDARG;
    auto read = [&](const wchar_t* name, SHORT maximum) -> DWORD {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I2;
        if (FAILED(bag->Read(name, &v, log)) || v.vt != VT_I2) {
            VariantClear(&v);
            return 0;
        }
        // A stored mode this control cannot take counts as none.
        return v.iVal >= 0 && v.iVal <= maximum ? static_cast<DWORD>(v.iVal) : 0;
    };
    if (mode_ & DragDropMode::DragSupported) {
        const DWORD mode = read(L"OLEDragMode", 1);
        mode_ = (mode_ & ~DragDropMode::DragModeMask) | (mode << DragDropMode::DragModeShift);
    }
    if (mode_ & DragDropMode::DropSupported) {
        const DWORD mode = read(L"OLEDropMode", (mode_ & DragDropMode::AutoDropAllowed) ? 2 : 1);
        mode_ = (mode_ & ~DragDropMode::DropModeMask) | (mode << DragDropMode::DropModeShift);
    }
    return S_OK;
}

HRESULT OleDragDrop::GetControlSite(IOleControlSite** site)
{
    if (!site)
        return E_POINTER;
    *site = nullptr;
    if (!controlSite_) {
        IOleClientSite* clientSite = nullptr;
        owner_.GetClientSite(&clientSite);
        if (!clientSite)
            return E_NOINTERFACE;
        const HRESULT hr = clientSite->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&controlSite_));
        clientSite->Release();
        if (FAILED(hr)) {
            controlSite_ = nullptr;
            return hr;
        }
    }
    controlSite_->AddRef();
    *site = controlSite_;
    return S_OK;
}

HWND OleDragDrop::ControlWindow()
{
    if (!window_) {
        HWND window = nullptr;
        if (SUCCEEDED(owner_.GetWindow(&window)))
            window_ = window;
    }
    return window_;
}

HWND OleDragDrop::ContainerWindow()
{
    IOleControlSite* site = nullptr;
    if (FAILED(GetControlSite(&site)))
        return nullptr;
    HWND window = nullptr;
    IOleInPlaceSite* inPlace = nullptr;
    if (SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)))) {
        inPlace->GetWindow(&window);
        inPlace->Release();
    }
    site->Release();
    return window;
}

IDropTarget* OleDragDrop::DropTarget() const
{
    return dropTarget_;
}

bool OleDragDrop::ControlDied(OleDragDrop* object)
{
    if (!IsValid(object))
        return true;
    HWND window = object->ControlWindow();
    if (window && IsWindow(window))
        return false;
    HWND container = object->ContainerWindow();
    return !(container && IsWindow(container));
}

void OleDragDrop::ReleaseDropTarget()
{
    ReleaseAndNull(dropTarget_);
    window_ = nullptr;
}

HRESULT OleDragDrop::RegisterDropTarget(bool registerTarget)
{
    HRESULT hr = S_OK;
    if (!owner_.IsDesignMode() && ControlWindow()) {
        const bool registered = (mode_ & DragDropMode::Registered) != 0;
        if (registerTarget && DropMode() != 0 && !registered) {
            if (!dropTarget_)
                dropTarget_ = CDropTarget::Create(this);
            hr = dropTarget_ ? ::RegisterDragDrop(window_, dropTarget_) : E_OUTOFMEMORY;
            if (SUCCEEDED(hr))
                mode_ |= DragDropMode::Registered;
        } else if ((!registerTarget || DropMode() == 0) && registered) {
            mode_ &= ~DragDropMode::Registered;
            ::RevokeDragDrop(window_);
        }
    }
    if (!(mode_ & DragDropMode::Registered))
        ReleaseDropTarget();
    return hr;
}

HRESULT OleDragDrop::AddAutomaticHandler(IHvAutomaticDragDrop* handler)
{
    if (!handler)
        return E_INVALIDARG;
    try {
        handlers_.push_back(handler);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    handler->AddRef();
    return S_OK;
}

HRESULT OleDragDrop::AutoDragStart(IHvDataObject* data, LONG* allowedEffects)
{
    return handlers_.empty() ? S_OK : handlers_.front()->StartDrag(data, allowedEffects);
}

HRESULT OleDragDrop::AutoDropPhase(IHvDataObject* data, DWORD keyState, POINTL point, DWORD* effect, int phase)
{
    return handlers_.empty() ? S_OK : handlers_.front()->DropPhase(data, keyState, point, effect, phase);
}

HRESULT OleDragDrop::AutoFeedback(DWORD effect, VARIANT_BOOL* defaultCursors)
{
    return handlers_.empty() ? S_OK : handlers_.front()->GiveFeedback(effect, defaultCursors);
}

void OleDragDrop::RecordButtons()
{
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    const bool left = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    const bool right = (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
    mode_ &= ~(DragDropMode::PrimaryDown | DragDropMode::SecondaryDown);
    if (swapped ? right : left)
        mode_ |= DragDropMode::PrimaryDown;
    if (swapped ? left : right)
        mode_ |= DragDropMode::SecondaryDown;
}

void OleDragDrop::MoveCursorIntoControl()
{
    RECT bounds = {};
    owner_.GetControlRect(&bounds);
    if (owner_.HasNoWindow()) {
        if (HWND container = ContainerWindow())
            MapWindowPoints(container, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    }
    POINT cursor = {};
    if (GetCursorPos(&cursor) && !PtInRect(&bounds, cursor))
        SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
}

HRESULT OleDragDrop::DoOleDrag(LONG* effect)
{
    if (effect)
        *effect = DROPEFFECT_NONE;
    if (mode_ & DragDropMode::Dragging)
        return RaiseError(DragDropError::RecursiveDrag);
    mode_ |= DragDropMode::Dragging;
    RecordButtons();

    HvDataObjectFiles* files = HvDataObjectFiles::Create();
    CDataSource* source = files ? CDataSource::Create(files, this) : nullptr;
    HvDataObject* data = source ? HvDataObject::CreateForSource(*source, this, dataObjectType_) : nullptr;
    IHvReturnLong* allowed = data ? HvReturnLong::Create(0) : nullptr;
    CDropSource* dropSource = allowed ? CDropSource::Create(this) : nullptr;
    // Everything made here is let go of at the end, whether or not the
    // control survived the drag; while this object lives, the drag is over
    // on every path, so that the next OLEDrag may start.
    auto finish = [&](HRESULT result) {
        if (IsValid(this)) {
            ReleaseAndNull(dragged_);
            mode_ &= ~DragDropMode::Dragging;
        }
        ReleaseAndNull(dropSource);
        ReleaseAndNull(allowed);
        if (data)
            data->Detach();
        ReleaseAndNull(data);
        ReleaseAndNull(source);
        ReleaseAndNull(files);
        return result;
    };
    if (!dropSource)
        return finish(E_OUTOFMEMORY);
    ReleaseAndNull(dragged_);
    dragged_ = source;
    dragged_->AddRef();

    LONG allowedEffects = 0;
    if ((mode_ & DragDropMode::DragSupported) && DragMode() == 1) {
        const HRESULT hr = AutoDragStart(data->Interface(), &allowedEffects);
        if (FAILED(hr))
            return finish(hr);
        allowed->put_Value(allowedEffects);
    }

    {
        ByRefObject dataArgument(data->Interface());
        ByRefObject allowedArgument(allowed);
        FireEvent(&owner_, DragDropEventDescriptors::OLEStartDrag, dataArgument.Address(), allowedArgument.Address());
    }
    if (ControlDied(this))
        return finish(DRAGDROP_S_CANCEL);
    allowed->get_Value(&allowedEffects);
    source->Formats().SetFrozen(true);

    HRESULT hr = DRAGDROP_S_CANCEL;
    if (source->Formats().Count() != 0 && allowedEffects != 0) {
        ReleaseCapture();
        if (!(mode_ & (DragDropMode::PrimaryDown | DragDropMode::SecondaryDown)))
            MoveCursorIntoControl();
        source->SetInDragDrop(true);
        DWORD finalEffect = DROPEFFECT_NONE;
        hr = g_doDragDrop(source, dropSource, static_cast<DWORD>(allowedEffects), &finalEffect);
        source->SetInDragDrop(false);
        if (SUCCEEDED(hr)) {
            if (ControlDied(this))
                return finish(DRAGDROP_S_CANCEL);
            IHvReturnLong* completed = HvReturnLong::Create(static_cast<LONG>(finalEffect));
            if (completed) {
                ByRefObject effectArgument(completed);
                completed->Release();
                FireEvent(&owner_, DragDropEventDescriptors::OLECompleteDrag, effectArgument.Address());
            }
            if (ControlDied(this))
                return finish(DRAGDROP_S_CANCEL);
            if (effect)
                *effect = static_cast<LONG>(finalEffect);
        }
    }
    return finish(hr);
}

HRESULT OleDragDrop::GiveFeedbackEvent(DWORD effect)
{
    VARIANT_BOOL defaultCursors = VARIANT_TRUE;
    if (DragMode() == 1)
        AutoFeedback(effect, &defaultCursors);
    IHvReturnLong* effectObject = HvReturnLong::Create(static_cast<LONG>(effect));
    IHvReturnBoolean* cursorsObject = HvReturnBoolean::Create(defaultCursors);
    if (!effectObject || !cursorsObject) {
        ReleaseAndNull(effectObject);
        ReleaseAndNull(cursorsObject);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    {
        ByRefObject effectArgument(effectObject);
        ByRefObject cursorsArgument(cursorsObject);
        FireEvent(&owner_, DragDropEventDescriptors::OLEGiveFeedback, effectArgument.Address(),
                  cursorsArgument.Address());
    }
    cursorsObject->get_Value(&defaultCursors);
    effectObject->Release();
    cursorsObject->Release();
    if (ControlDied(this))
        return E_UNEXPECTED;
    return defaultCursors ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
}

void OleDragDrop::FireSetData(CDataSource& source, CLIPFORMAT format)
{
    HvDataObject* data = HvDataObject::CreateForSource(source, this, dataObjectType_);
    IHvReturnShort* formatObject = data ? HvReturnShort::Create(ClipboardToScriptFormat(format)) : nullptr;
    if (formatObject) {
        ByRefObject dataArgument(data->Interface());
        ByRefObject formatArgument(formatObject);
        FireEvent(&owner_, DragDropEventDescriptors::OLESetData, dataArgument.Address(), formatArgument.Address());
    }
    ReleaseAndNull(formatObject);
    if (data)
        data->Detach();
    ReleaseAndNull(data);
}

HRESULT OleDragDrop::BeginDrop(IDataObject* data)
{
    ReleaseAndNull(dropData_);
    dropData_ = HvDataObject::CreateForTarget(data, this, dataObjectType_);
    return dropData_ ? S_OK : E_OUTOFMEMORY;
}

void OleDragDrop::EndDrop()
{
    if (dropData_)
        dropData_->Detach();
    ReleaseAndNull(dropData_);
}

void OleDragDrop::ToContainerPoint(POINTL screen, float* x, float* y)
{
    POINT point = {screen.x, screen.y};
    if (HWND window = ControlWindow()) {
        ScreenToClient(window, &point);
    } else if (HWND container = ContainerWindow()) {
        ScreenToClient(container, &point);
        point.x -= owner_.PositionRect().left;
        point.y -= owner_.PositionRect().top;
    }
    POINTL himetric = {PixelsToHimetricX(point.x), PixelsToHimetricY(point.y)};
    POINTF container = {static_cast<float>(himetric.x), static_cast<float>(himetric.y)};
    IOleControlSite* site = nullptr;
    if (SUCCEEDED(GetControlSite(&site))) {
        site->TransformCoords(&himetric, &container, XFORMCOORDS_POSITION | XFORMCOORDS_HIMETRICTOCONTAINER);
        site->Release();
    }
    *x = container.x;
    *y = container.y;
}

HRESULT OleDragDrop::DropEvent(int phase, DWORD keyState, POINTL point, DWORD* effect, DWORD allowed)
{
    if (DropMode() != 1) {
        AutoDropPhase(dropData_ ? dropData_->Interface() : nullptr, keyState, point, effect, phase);
    } else {
        const bool leaving = phase == DropLeave;
        IHvReturnLong* effectObject = HvReturnLong::Create(leaving ? 0 : static_cast<LONG>(*effect));
        IHvReturnShort* stateObject = HvReturnShort::Create(static_cast<SHORT>(phase == DropEnter ? 0 : phase == DropLeave ? 1 : 2));
        if (!effectObject || !stateObject) {
            ReleaseAndNull(effectObject);
            ReleaseAndNull(stateObject);
            *effect = DROPEFFECT_NONE;
            return E_OUTOFMEMORY;
        }
        SHORT button = ButtonsFromKeyState(keyState);
        SHORT shift = ShiftFromKeyState(keyState);
        float x = 0;
        float y = 0;
        if (!leaving)
            ToContainerPoint(point, &x, &y);
        {
            ByRefObject dataArgument(dropData_ ? dropData_->Interface() : nullptr);
            ByRefObject effectArgument(effectObject);
            ByRefObject stateArgument(stateObject);
            if (phase == DropDrop)
                FireEvent(&owner_, DragDropEventDescriptors::OLEDragDrop, dataArgument.Address(),
                          effectArgument.Address(), &button, &shift, &x, &y);
            else
                FireEvent(&owner_, DragDropEventDescriptors::OLEDragOver, dataArgument.Address(),
                          effectArgument.Address(), &button, &shift, &x, &y, stateArgument.Address());
        }
        LONG chosen = 0;
        effectObject->get_Value(&chosen);
        effectObject->Release();
        stateObject->Release();
        if (!leaving)
            *effect = static_cast<DWORD>(chosen);
    }
    if (ControlDied(this)) {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
    *effect &= allowed;
    return S_OK;
}
