// The grid control's verbs, new state, client site, mnemonics and answers
// to property browsers.
#include "HvTavelle.h"

#include "ControlStateParticipant.h"
#include "ControlVerbs.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvImages.h"
#include "HvLayout.h"
#include "HvSelected.h"
#include "MnemonicAccelerators.h"
#include "OleDragDrop.h"
#include "RootRowsetBinding.h"

namespace {

constexpr LONG VerbRetrieveStructure = 10;
constexpr LONG VerbResetLayout = 11;
constexpr DISPID BandsId = 1187;

int SystemMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)
{
    return MessageBoxW(owner, text, caption, flags);
}

HvTavelle::MessageBoxFunction g_messageBox = &SystemMessageBox;

VARIANT LongArgument(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT MissingArgument()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

std::wstring LoadResourceString(HINSTANCE module, UINT id)
{
    wchar_t text[256] = {};
    const int length = LoadStringW(module, id, text, 255);
    return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

} // namespace

HvTavelle::MessageBoxFunction HvTavelle::SetMessageBoxFunction(MessageBoxFunction function)
{
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function ? function : &SystemMessageBox;
    return previous;
}

int HvTavelle::ShowMessage(UINT textId, UINT captionId, UINT flags)
{
    HINSTANCE module = GetResourceInstance();
    const std::wstring text = LoadResourceString(module, textId);
    const std::wstring caption = LoadResourceString(module, captionId);
    return AskUser(text.c_str(), caption.c_str(), flags);
}

int HvTavelle::AskUser(const wchar_t* text, const wchar_t* caption, UINT flags)
{
    SetModalState(true);
    const int answer = g_messageBox(m_window, text, caption, flags);
    SetModalState(false);
    return answer;
}

HRESULT HvTavelle::DoCustomVerb(LONG verb)
{
    switch (verb) {
    case VerbRetrieveStructure:
        return RetrieveStructure();
    case VerbResetLayout:
        return ResetLayoutWithPrompt();
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT HvTavelle::RetrieveStructure()
{
    if (!layout_)
        return S_OK;
    if (!dataSource_)
        ShowMessage(4041, 4042, MB_TASKMODAL | MB_ICONINFORMATION);
    // The layout survives the new structure: saved whole, then loaded back.
    VARIANT saved;
    VariantInit(&saved);
    VARIANT type = LongArgument(2);
    VARIANT all = LongArgument(-1);
    VARIANT noName = MissingArgument();
    layout_->Save(&saved, type, all, noName, MissingArgument());
    if (dataSource_) {
        retrievingStructure_ = 1;
        UnbindRows(false);
        IHvBands* bands = nullptr;
        if (SUCCEEDED(layout_->get_Bands(&bands)) && bands)
            bands->Release();
        retrievingStructure_ = 0;
    }
    VARIANT keep;
    VariantInit(&keep);
    keep.vt = VT_BOOL;
    keep.boolVal = VARIANT_FALSE;
    layout_->Load(&saved, type, all, keep, MissingArgument(), MissingArgument());
    VariantClear(&saved);
    return S_OK;
}

HRESULT HvTavelle::ResetLayoutWithPrompt()
{
    if (!layout_)
        return S_OK;
    if (ShowMessage(6017, 6016, MB_TASKMODAL | MB_ICONQUESTION | MB_YESNO) == IDYES)
        layout_->Reset(MissingArgument(), MissingArgument());
    return S_OK;
}

void HvTavelle::UnbindRows(bool hard)
{
    // The bands go with the rows; the data source kept is bound again at
    // the next read of Bands.
    DetachDataSource(hard);
    bindingPending_ = !hard && dataSource_ != nullptr;
}

HRESULT HvTavelle::InitializeNewState()
{
    participant_->ResetGeneral();
    dragDrop_->put_OLEDropMode(0);
    tag_.Clear();
    if (images_) {
        // A client may keep the old collection: it no longer speaks for
        // this control (nor to it, once the control is gone).
        images_->DetachHost();
        images_->Release();
    }
    images_ = nullptr;
    imagesUrl_.Empty();
    if (m_bindHost)
        m_bindHost->Release();
    m_bindHost = nullptr;
    DetachDataSource(true);
    bindingPending_ = false;
    dataMember_.Empty();
    viewFlags_ |= ViewRedraw;
    activeCell_ = nullptr;
    activeRowRegion_ = nullptr;
    activeColRegion_ = nullptr;
    ForgetPivots();
    if (selected_) {
        CAutomationObject::Deactivate(selected_);
        selected_->Release();
        selected_ = nullptr;
    }
    if (layout_)
        layout_->BuildFont();
    HINSTANCE module = GetResourceInstance();
    for (int i = 0; i < 11; ++i)
        dialogStrings_[i] = LoadResourceString(module, 6000 + i);
    return S_OK;
}

STDMETHODIMP HvTavelle::SetClientSite(IOleClientSite* site)
{
    dragDrop_->OnSiteChange(site);
    return CControlBase::SetClientSite(site);
}

namespace {

// The layout as the verbs see it: its root element re-laid out, its
// scroll regions recalculated.
class LayoutVerbPreparation final : public VerbLayoutHost
{
public:
    explicit LayoutVerbPreparation(HvLayout& layout) : layout_(layout) {}

    void DirtyRootUIElement() override { layout_.DirtyRootUIElement(true, true); }
    bool HasColScrollRegions() override { return layout_.GetColScrollRegions(false) != nullptr; }
    void MarkAllScrollRegionsDirty() override
    {
        if (HvColScrollRegions* regions = layout_.GetColScrollRegions(false))
            regions->MarkAllScrollRegionsDirty(false);
    }

private:
    HvLayout& layout_;
};

} // namespace

STDMETHODIMP HvTavelle::DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                               LPCRECT position)
{
    if (layout_ && VerbRefreshesLayout(verb)) {
        LayoutVerbPreparation preparation(*layout_);
        PrepareLayoutForPages(preparation);
    }
    return CControlBase::DoVerb(verb, message, activeSite, index, parent, position);
}

STDMETHODIMP HvTavelle::GetPages(CAUUID* pages)
{
    if (layout_) {
        LayoutVerbPreparation preparation(*layout_);
        PrepareLayoutForPages(preparation);
    }
    return CControlBase::GetPages(pages);
}

STDMETHODIMP HvTavelle::FreezeEvents(BOOL freeze)
{
    if (!freeze && images_)
        images_->RefreshFromImageList();
    return CControlBase::FreezeEvents(freeze);
}

STDMETHODIMP HvTavelle::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    if (!category)
        return E_INVALIDARG;
    switch (dispid) {
    case -535: case -520: case -518: case -504: case 1251: case 2114: case 2115: case 2124: case 2171:
    case 2172: case 2173:
        *category = PROPCAT_Appearance;
        return S_OK;
    case 1031: case 1185: case 1256: case 2108: case 2109: case 2111: case 2112:
        *category = PROPCAT_Behavior;
        return S_OK;
    case 2120: case 2122:
        *category = PROPCAT_Data;
        return S_OK;
    case -522: case 2101: case 2102:
        *category = 101;
        return S_OK;
    case 1187: case 1188: case 1192: case 1200: case 2100: case 2107: case 2141:
        *category = 102;
        return S_OK;
    default:
        return CControlBase::MapPropertyToCategory(dispid, category);
    }
}

STDMETHODIMP HvTavelle::IsPlainProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    const bool subObject = dispid == -520 || dispid == 1031 || dispid == 1185 || dispid == 1251;
    *result = subObject ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
}

STDMETHODIMP HvTavelle::IsSubObjectProperty(DISPID dispid, VARIANT_BOOL* result)
{
    HRESULT hr = IsPlainProperty(dispid, result);
    if (SUCCEEDED(hr))
        *result = *result ? VARIANT_FALSE : VARIANT_TRUE;
    return hr;
}

// --- mnemonics -----------------------------------------------------------------------

wchar_t HvTavelle::MnemonicOf(const std::wstring& caption)
{
    const size_t amp = caption.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= caption.size() || caption[amp + 1] == L'&')
        return 0;
    return caption[amp + 1];
}

// The grid's caption first, then the add buttons of the bands that show
// one, in band order; bands receives the band of each add button.
std::vector<std::wstring> HvTavelle::CollectMnemonicCaptions(bool forActivation, std::vector<HvBand*>* bands)
{
    std::vector<std::wstring> captions;
    if (!layout_)
        return captions;
    CDualString caption(layout_->Caption());
    BSTR wide = caption.AllocSysString();
    captions.emplace_back(wide ? wide : L"");
    SysFreeString(wide);
    if (!layout_->IsAddNewBoxVisible() || !layout_->Bands())
        return captions;
    for (LONG i = 0;; ++i) {
        GridBandSeam* seam = layout_->Bands()->BandAt(i);
        if (!seam)
            break;
        auto* band = dynamic_cast<HvBand*>(seam);
        if (!band || band->IsEffectivelyHidden() || !band->CanAddNew(forActivation))
            continue;
        CDualString text;
        band->GetAddButtonText(text);
        BSTR buttonText = text.AllocSysString();
        captions.emplace_back(buttonText ? buttonText : L"");
        SysFreeString(buttonText);
        if (bands)
            bands->push_back(band);
    }
    return captions;
}

STDMETHODIMP HvTavelle::GetControlInfo(CONTROLINFO* info)
{
    HRESULT hr = CControlBase::GetControlInfo(info);
    if (FAILED(hr))
        return hr;
    try {
        std::vector<std::wstring> captions = CollectMnemonicCaptions(false, nullptr);
        std::vector<const wchar_t*> pointers;
        for (const std::wstring& caption : captions)
            if (MnemonicOf(caption))
                pointers.push_back(caption.c_str());
        if (mnemonicTable_)
            DestroyAcceleratorTable(mnemonicTable_);
        mnemonicTable_ = nullptr;
        if (!pointers.empty() &&
            BuildMnemonicAccelerators(info, pointers.data(), static_cast<int>(pointers.size()), 0))
            mnemonicTable_ = info->hAccel;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP HvTavelle::OnMnemonic(MSG* message)
{
    if (!message)
        return S_OK;
    try {
        auto upper = [](wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; };
        const wchar_t key = upper(static_cast<wchar_t>(message->wParam));
        std::vector<HvBand*> bands;
        std::vector<std::wstring> captions = CollectMnemonicCaptions(true, &bands);
        if (captions.empty())
            return S_OK;
        const wchar_t captionKey = MnemonicOf(captions[0]);
        if (captionKey && upper(captionKey) == key) {
            SetControlFocus(TRUE);
            return S_OK;
        }
        for (size_t i = 1; i < captions.size(); ++i) {
            const wchar_t buttonKey = MnemonicOf(captions[i]);
            if (!buttonKey || upper(buttonKey) != key)
                continue;
            IHvRow* row = nullptr;
            if (SUCCEEDED(bands[i - 1]->AddNew(&row)) && row)
                row->Release();
            break;
        }
    } catch (...) {
    }
    return S_OK;
}
