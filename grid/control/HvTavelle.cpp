// The grid control object: creation, construction and destruction, the
// interface map, IDispatch and the members every object of the model has.
#include "HvTavelle.h"

#include "ActiveRowManager.h"
#include "BandRowSource.h"
#include "ControlDownloads.h"
#include "ControlEditor.h"
#include "ControlGridSink.h"
#include "ControlHeaderDragHost.h"
#include "ControlImagesHost.h"
#include "ControlInputHost.h"
#include "ControlKeyActionHost.h"
#include "ControlSelectionHost.h"
#include "ControlSelectStrategy.h"
#include "ControlSiteRefs.h"
#include "ControlStateParticipant.h"
#include "CSimpleDropDown.h"
#include "ControlSwapList.h"
#include "DragTracker.h"
#include "ErrorReporter.h"
#include "EventEnableMask.h"
#include "HvImages.h"
#include "HvLayout.h"
#include "HvSelected.h"
#include "InputDispatcher.h"
#include "KeyboardHandler.h"
#include "LayoutPartsSeam.h"
#include "LayoutRootElement.h"
#include "ModuleHooks.h"
#include "MouseHoverOperation.h"
#include "ObjectInfo.h"
#include "OleDragDrop.h"
#include "RootRowsetBinding.h"
#include "ScrollRegionParts.h"
#include "ToolTipTool.h"
#include "ToolTipWindow.h"
#include "UrlServices.h"

#include <new>

// {6B1F7C52-2E3A-4D8B-9C41-7A0E5D3F2B61}
extern "C" const IID IID_IHvImagePropertyQuery = {
    0x6b1f7c52, 0x2e3a, 0x4d8b, {0x9c, 0x41, 0x7a, 0x0e, 0x5d, 0x3f, 0x2b, 0x61}};
// {6B1F7C53-2E3A-4D8B-9C41-7A0E5D3F2B61}
extern "C" const IID IID_IHvImagePropertyAccess = {
    0x6b1f7c53, 0x2e3a, 0x4d8b, {0x9c, 0x41, 0x7a, 0x0e, 0x5d, 0x3f, 0x2b, 0x61}};
// {6B1F7C54-2E3A-4D8B-9C41-7A0E5D3F2B61}
extern "C" const IID IID_IHvSubObjectPropertyQuery = {
    0x6b1f7c54, 0x2e3a, 0x4d8b, {0x9c, 0x41, 0x7a, 0x0e, 0x5d, 0x3f, 0x2b, 0x61}};

namespace {

constexpr DISPID TagVariantId = 39;

UIElementControlSeam* ControlOfLayout(HvLayout& layout)
{
    LayoutGridSeam* grid = layout.GridSeam();
    return grid ? dynamic_cast<HvTavelle*>(grid) : nullptr;
}

// The key action performer of the control the keyboard handler works for.
void PerformKeyAction(HvTavelle& control, std::uint32_t action, bool shift, bool ctrl, bool& handled)
{
    control.KeyActions().Performer().PerformKeyActionFromKeyboard(static_cast<std::int32_t>(action), shift, ctrl,
                                                                  handled);
}

void ControlStartUp()
{
    InstallDisplayLayoutParts();
    LayoutParts().selectStrategy = &ControlSelectStrategy::Make;
    ControlInputHost::SetKeyActionPerformer(&PerformKeyAction);
    InstallControlDisplayHooks();
    InstallScrollRegionParts();
    LayoutRootElement::SetControlLookup(&ControlOfLayout);
}

void ControlShutDown()
{
    LayoutRootElement::SetControlLookup(nullptr);
}

// Installs the creation function of entry 0 and the control's module
// hooks before the module starts.
struct ControlClassRegistration {
    ControlClassRegistration()
    {
        SetCreateFunction(ObjectType::HvTavelle, &HvTavelle::CreateControlObject);
        SetModuleHooks(ModuleHookSlot::Control, ModuleHooks{&ControlStartUp, &ControlShutDown});
    }
};
ControlClassRegistration g_registration;

} // namespace

// Referring to it links the control object in.
extern "C" {
int HvTavelleClassLinked = 1;
}

IUnknown* HvTavelle::CreateControlObject(IUnknown* outer)
{
    ControlStartUp();
    HvTavelle* control = nullptr;
    try {
        control = new HvTavelle(outer);
    } catch (...) {
        return nullptr;
    }
    if (!control->Constructed()) {
        // The half-built object dies with its only reference.
        control->PrivateUnknown()->Release();
        return nullptr;
    }
    return control->PrivateUnknown();
}

HvTavelle* HvTavelle::FromUnknown(IUnknown* object)
{
    if (!object)
        return nullptr;
    void* found = nullptr;
    if (FAILED(object->QueryInterface(IID_IHvFrameworkControl, &found)) || !found)
        return nullptr;
    auto* base = static_cast<CControlEmbedding*>(found);
    base->CUnknownObject::Release();
    return dynamic_cast<HvTavelle*>(base);
}

HvTavelle::HvTavelle(IUnknown* outer)
    : CControlBase(outer, ObjectType::HvTavelle, static_cast<IHvTavelleControl*>(this), StockEventMask::All),
      tag_(this, TagVariantId), layoutLink_(static_cast<ChangeSubscriber*>(this))
{
    dragDrop_ = std::make_unique<OleDragDrop>(*this, false, true, GridDragDropErrors(), ObjectType::HvDataObject,
                                              false);
    editor_ = std::make_unique<ControlEditor>(*this);
    participant_ = std::make_unique<ControlStateParticipant>(*this);
    imagesHost_ = std::make_unique<ControlImagesHost>(*this);
    inputHost_ = std::make_unique<ControlInputHost>(*this);
    selection_ = std::make_unique<ControlSelectionHost>(*this);
    keyActions_ = std::make_unique<ControlKeyActionHost>(*this);
    headerDrags_ = std::make_unique<ControlHeaderDragHost>(*this);
    MakeDownloads();
    rowActivation_ = std::make_unique<ActiveRowManager>(*this);
    keyboard_ = std::make_unique<KeyboardHandler>(*inputHost_);
    SetCurrentStateVersion(0x10000);
    participant_->ResetGeneral();

    gate_ = std::make_unique<EventEnableMask>(this);
    gate_->SetContainerUnits(this);
    HvLayout* layout = nullptr;
    if (SUCCEEDED(HvLayout::Create(nullptr, this, &layout)))
        layout_ = layout;
    siteRefs_ = std::make_unique<ControlSiteRefs>(static_cast<IHvTavelleControl*>(this), &m_clientSite);
    dispatcher_ = std::make_unique<InputDispatcher>(*inputHost_);
    keyboard_->Register();

    InitializeNewState();
    SetStockEventSink(gate_.get());
    if (layout_)
        layoutLink_.RelinkSubscription(layout_);
    hover_ = std::make_unique<MouseHoverOperation>(*inputHost_);
    gridSink_ = std::make_unique<ControlGridSink>(*this);
}

bool HvTavelle::Constructed() const
{
    return layout_ && siteRefs_ && gate_;
}

HvTavelle::~HvTavelle()
{
    tearingDown_ = true;
    editor_.reset();
    activeCell_ = nullptr;
    if (rowActivation_)
        rowActivation_->Clear();
    // The rows and bands made for the data source die with the control.
    DetachDataSource(true);
    ReleaseListener();
    ForgetPivots();
    if (images_) {
        // A client may keep the collection: it goes on without the control.
        images_->DetachHost();
        images_->Release();
    }
    images_ = nullptr;
    if (detachedSelected_)
        detachedSelected_->Release();
    detachedSelected_ = nullptr;
    if (selected_) {
        CAutomationObject::Deactivate(selected_);
        selected_->Release();
        selected_ = nullptr;
    }
    if (layout_) {
        layoutLink_.Unlink();
        // A client may keep the layout or its parts: they answer that they
        // are no longer active.
        layout_->Deactivate();
        layout_->Release();
        layout_ = nullptr;
    }
    siteRefs_.reset();
    toolTipTool_.reset();
    toolTip_.reset();
    // The layout's strategies have retired their operations into the
    // selection host by now; the sinks go before the dispatcher.
    dragTracker_.reset();
    dropDownList_.reset();
    swapList_.reset();
    gridSink_.reset();
    keyActions_.reset();
    selection_.reset();
    hover_.reset();
    keyboard_.reset();
    dispatcher_.reset();
    if (mnemonicTable_)
        DestroyAcceleratorTable(mnemonicTable_);
    SetStockEventSink(nullptr);
    gate_.reset();
}

HRESULT HvTavelle::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    IUnknown* answer = nullptr;
    // The layout's own interface is another object's: only the shared
    // bases answer here.
    if (IsEqualIID(iid, IID_IHvTavelleControl) || IsEqualIID(iid, IID_IHvLayoutBase) ||
        IsEqualIID(iid, IID_IHvObjectBase) || IsEqualIID(iid, IID_IHvBase))
        answer = static_cast<IHvTavelleControl*>(this);
    else if (IsEqualIID(iid, IID_IHvImagePropertyQuery))
        answer = static_cast<IHvImagePropertyQuery*>(this);
    else if (IsEqualIID(iid, IID_IHvImagePropertyAccess))
        answer = static_cast<IHvImagePropertyAccess*>(this);
    else if (IsEqualIID(iid, IID_IHvSubObjectPropertyQuery))
        answer = static_cast<IHvSubObjectPropertyQuery*>(this);
    else if (IsEqualIID(iid, IID_ISupportErrorInfo))
        answer = static_cast<ISupportErrorInfo*>(this);
    if (!answer)
        return CControlBase::InternalQueryInterface(iid, out);
    answer->AddRef();
    *out = answer;
    return S_OK;
}

STDMETHODIMP HvTavelle::GetTypeInfoCount(UINT* count)
{
    return CAutomationObject::GetTypeInfoCount(count);
}

STDMETHODIMP HvTavelle::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info)
{
    return CAutomationObject::GetTypeInfo(index, locale, info);
}

STDMETHODIMP HvTavelle::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids)
{
    return CAutomationObject::GetIDsOfNames(iid, names, count, locale, dispids);
}

STDMETHODIMP HvTavelle::Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
{
    return CAutomationObject::Invoke(dispid, iid, locale, flags, params, result, exception, argumentError);
}

STDMETHODIMP HvTavelle::InterfaceSupportsErrorInfo(REFIID iid)
{
    return CAutomationObject::InterfaceSupportsErrorInfo(iid);
}

STDMETHODIMP HvTavelle::_GetObjectPointer(long* pointer)
{
    return CAutomationObject::GetObjectPointer(static_cast<IHvTavelleControl*>(this), pointer);
}

STDMETHODIMP HvTavelle::get_TagVariant(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return tag_.GetValue(value);
}

STDMETHODIMP HvTavelle::put_TagVariant(VARIANT value)
{
    return tag_.SetValue(value);
}

STDMETHODIMP HvTavelle::putref_TagVariant(VARIANT* value)
{
    return tag_.SetValueRef(value);
}

STDMETHODIMP HvTavelle::IsSameAs(IDispatch* object, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = CAutomationObject::IsSameAs(object);
    return S_OK;
}

void HvTavelle::OnVariantValueChanged(DWORD cookie)
{
    PropertyChangedNotice(static_cast<DISPID>(cookie));
}

void HvTavelle::PropertyChangedNotice(DISPID dispid)
{
    SetDirty(true);
    PropertyChanged(dispid);
}

HRESULT HvTavelle::OnSetData(IStream*)
{
    return E_NOTIMPL;
}
