// The grid control's own automation members: the event switches, its
// windows, Redraw, the selection object, UpdateMode, the images and their
// settings, the layout, the dialog strings, OLE drag and drop, the About box,
// and the methods it passes to its layout, its key actions and its window.
#include "HvTavelle.h"

#include "AboutBox.h"
#include "ControlDownloads.h"
#include "ControlInputHost.h"
#include "EventEnableMask.h"
#include "GridActionPerformer.h"
#include "Guarded.h"
#include "HvImages.h"
#include "HvLayout.h"
#include "HvSelected.h"
#include "KeyboardHandler.h"
#include "OleDragDrop.h"

namespace {

constexpr DISPID RedrawId = 2105;
constexpr DISPID UpdateModeId = 1256;
constexpr DISPID UseImageListId = 2124;
constexpr DISPID ImagesUrlId = 2102;
constexpr DISPID ImagesMaskingId = 2188;
constexpr DISPID OleDropModeId = 1551;

constexpr HRESULT UnavailableAtDesignTime = static_cast<HRESULT>(0x800A018A);
constexpr WORD UnavailableAtDesignTimeString = 10501;
constexpr HRESULT BadIndex = static_cast<HRESULT>(0x800A9C42);
constexpr WORD BadIndexString = 1005;
constexpr HRESULT BadUrl = static_cast<HRESULT>(0x800A9C68);
constexpr WORD BadUrlString = 1006;

constexpr int DialogStringCount = 11;

VARIANT_BOOL AsBool(bool value)
{
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

bool IsMissing(const VARIANT& value)
{
    return value.vt == VT_ERROR;
}

// The last three characters lower-cased, as the picture strip's URL must
// end in "png".
bool EndsWithPng(const std::wstring& text)
{
    if (text.size() < 3)
        return false;
    std::wstring tail = text.substr(text.size() - 3);
    CharLowerBuffW(tail.data(), static_cast<DWORD>(tail.size()));
    return tail == L"png";
}

} // namespace

HRESULT HvTavelle::RefuseAtDesignTime(WORD stringId)
{
    if (!IsDesignMode())
        return S_OK;
    const HRESULT code = stringId == HvResult::ReadOnlyPropertyString ? HvResult::ReadOnlyProperty
                                                                        : UnavailableAtDesignTime;
    return Exception(code, stringId);
}

// --- events and windows ----------------------------------------------------------------

STDMETHODIMP HvTavelle::get_EventEnabled(Constants_GridEventIds EventID, VARIANT_BOOL* Enabled)
{
    if (!Enabled)
        return E_INVALIDARG;
    *Enabled = AsBool(gate_ && gate_->IsEnabled(static_cast<std::int32_t>(EventID)));
    return S_OK;
}

STDMETHODIMP HvTavelle::put_EventEnabled(Constants_GridEventIds EventID, VARIANT_BOOL Enabled)
{
    if (gate_)
        gate_->SetEnabled(static_cast<std::int32_t>(EventID), Enabled != VARIANT_FALSE);
    return S_OK;
}

STDMETHODIMP HvTavelle::get_hWnd(OLE_HANDLE* Window)
{
    if (HRESULT hr = RefuseAtDesignTime(UnavailableAtDesignTimeString); FAILED(hr))
        return hr;
    if (!Window)
        return E_INVALIDARG;
    *Window = static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(m_window));
    return S_OK;
}

STDMETHODIMP HvTavelle::get_hWndEdit(OLE_HANDLE* Window)
{
    if (HRESULT hr = RefuseAtDesignTime(UnavailableAtDesignTimeString); FAILED(hr))
        return hr;
    if (!Window)
        return E_INVALIDARG;
    HWND edit = layout_ ? layout_->EditWindow() : nullptr;
    *Window = static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(edit));
    return S_OK;
}

STDMETHODIMP HvTavelle::get_IsInEditMode(VARIANT_BOOL* Editing)
{
    if (HRESULT hr = RefuseAtDesignTime(UnavailableAtDesignTimeString); FAILED(hr))
        return hr;
    if (!Editing)
        return E_INVALIDARG;
    *Editing = AsBool(IsInEditMode());
    return S_OK;
}

STDMETHODIMP HvTavelle::get_Redraw(VARIANT_BOOL* Value)
{
    if (HRESULT hr = RefuseAtDesignTime(UnavailableAtDesignTimeString); FAILED(hr))
        return hr;
    if (!Value)
        return E_INVALIDARG;
    *Value = AsBool((viewFlags_ & ViewRedraw) != 0);
    return S_OK;
}

STDMETHODIMP HvTavelle::put_Redraw(VARIANT_BOOL Value)
{
    if (HRESULT hr = RefuseAtDesignTime(HvResult::ReadOnlyPropertyString); FAILED(hr))
        return hr;
    const bool redraw = Value != VARIANT_FALSE;
    if (redraw == ((viewFlags_ & ViewRedraw) != 0))
        return S_OK;
    if (redraw)
        viewFlags_ |= ViewRedraw;
    else
        viewFlags_ &= static_cast<BYTE>(~ViewRedraw);
    PropertyChangedNotice(RedrawId);
    if (!m_window)
        return redraw ? Refresh(nullptr) : S_OK;
    // The grid window itself paints through the control, which drops its
    // invalidations meanwhile; its child windows are told.
    for (HWND child = ::GetWindow(m_window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
        if (redraw)
            InvalidateRect(child, nullptr, TRUE);
    }
    return redraw ? Refresh(nullptr) : S_OK;
}

STDMETHODIMP HvTavelle::get_Selected(IHvSelected** Selected)
{
    if (!Selected)
        return E_INVALIDARG;
    *Selected = nullptr;
    HvSelected* selected = GetSelectedObject(true);
    if (!selected)
        return E_OUTOFMEMORY;
    return selected->QueryInterface(IID_IHvSelected, reinterpret_cast<void**>(Selected));
}

STDMETHODIMP HvTavelle::get_UpdateMode(Constants_UpdateMode* Mode)
{
    if (!Mode)
        return E_INVALIDARG;
    *Mode = static_cast<Constants_UpdateMode>(updateMode_);
    return S_OK;
}

STDMETHODIMP HvTavelle::put_UpdateMode(Constants_UpdateMode Mode)
{
    if (!IsAlive())
        return NotActiveError();
    if (Mode < hvUpdateOnRowChange || Mode > hvUpdateOnUpdate)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    if (static_cast<BYTE>(Mode) == updateMode_)
        return S_OK;
    updateMode_ = static_cast<BYTE>(Mode);
    PropertyChangedNotice(UpdateModeId);
    return S_OK;
}

// --- images -----------------------------------------------------------------------------

STDMETHODIMP HvTavelle::get_UseImageList(VARIANT_BOOL* Value)
{
    if (!Value)
        return E_INVALIDARG;
    *Value = AsBool((imageFlags_ & ImageUseImageList) != 0);
    return S_OK;
}

STDMETHODIMP HvTavelle::put_UseImageList(VARIANT_BOOL Value)
{
    const bool use = Value != VARIANT_FALSE;
    if (use == ((imageFlags_ & ImageUseImageList) != 0))
        return S_OK;
    if (use)
        imageFlags_ |= ImageUseImageList;
    else
        imageFlags_ &= static_cast<BYTE>(~ImageUseImageList);
    if (HvImages* images = GetControlImages())
        images->SetUseImageList(use);
    PropertyChangedNotice(UseImageListId);
    return S_OK;
}

STDMETHODIMP HvTavelle::get_ImagesMasking(VARIANT_BOOL* Value)
{
    if (!Value)
        return E_INVALIDARG;
    *Value = AsBool((imageFlags_ & ImageMasking) != 0);
    return S_OK;
}

STDMETHODIMP HvTavelle::put_ImagesMasking(VARIANT_BOOL Value)
{
    const bool masking = Value != VARIANT_FALSE;
    if (masking == ((imageFlags_ & ImageMasking) != 0))
        return S_OK;
    if (masking)
        imageFlags_ |= ImageMasking;
    else
        imageFlags_ &= static_cast<BYTE>(~ImageMasking);
    PropertyChangedNotice(ImagesMaskingId);
    // The pictures from the images are drawn the new way from now on.
    InvalidateControl(nullptr);
    return S_OK;
}

STDMETHODIMP HvTavelle::get_ImageList(IDispatch** ImageList)
{
    if (!ImageList)
        return E_INVALIDARG;
    *ImageList = nullptr;
    if (HRESULT hr = RefuseAtDesignTime(UnavailableAtDesignTimeString); FAILED(hr))
        return hr;
    HvImages* images = GetControlImages();
    if (!images)
        return E_OUTOFMEMORY;
    *ImageList = images->GetImageListControl();
    return S_OK;
}

STDMETHODIMP HvTavelle::putref_ImageList(IDispatch* ImageList)
{
    if (HRESULT hr = RefuseAtDesignTime(HvResult::ReadOnlyPropertyString); FAILED(hr))
        return hr;
    HvImages* images = GetControlImages();
    if (!images)
        return E_OUTOFMEMORY;
    const HRESULT hr = images->SetImageListControl(ImageList);
    images->RefreshFromImageList();
    return hr;
}

STDMETHODIMP HvTavelle::put_ImageList(IDispatch* ImageList)
{
    return putref_ImageList(ImageList);
}

STDMETHODIMP HvTavelle::get_Images(IHvImages** Images)
{
    if (!Images)
        return E_INVALIDARG;
    *Images = nullptr;
    HvImages* images = GetControlImages();
    if (!images)
        return E_OUTOFMEMORY;
    return images->QueryInterface(IID_IHvImages, reinterpret_cast<void**>(Images));
}

STDMETHODIMP HvTavelle::get_ImagesURL(BSTR* URL)
{
    if (!HasBindHost())
        return Exception(UnavailableAtDesignTime, UnavailableAtDesignTimeString);
    if (!URL)
        return E_INVALIDARG;
    *URL = GetControlImages() ? imagesUrl_.AllocSysString() : SysAllocString(L"");
    return *URL ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvTavelle::put_ImagesURL(BSTR URL)
{
    try {
        if (!GetControlImages())
            return E_OUTOFMEMORY;
        if (!URL && imagesUrl_.IsEmpty())
            return S_OK;
        const std::wstring text(URL ? URL : L"");
        if (!text.empty() && !EndsWithPng(text))
            return Exception(BadUrl, BadUrlString);
        BSTR stored = imagesUrl_.AllocSysString();
        const bool same = (stored ? std::wstring(stored) : std::wstring()) == text;
        SysFreeString(stored);
        if (same)
            return S_OK;
        imagesUrl_ = CDualString(text.c_str());
        PropertyChangedNotice(ImagesUrlId);
        StartImagesDownload();
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// --- layout, texts, drag and drop -------------------------------------------------------

STDMETHODIMP HvTavelle::get_Layout(IHvLayout** Layout)
{
    if (!Layout)
        return E_INVALIDARG;
    *Layout = nullptr;
    if (!layout_)
        return E_UNEXPECTED;
    return layout_->QueryInterface(IID_IHvLayout, reinterpret_cast<void**>(Layout));
}

STDMETHODIMP HvTavelle::get_DialogStrings(Constants_DialogStrings Index, BSTR* Text)
{
    if (Index < 0 || Index >= DialogStringCount)
        return Exception(BadIndex, BadIndexString);
    if (!Text)
        return E_INVALIDARG;
    *Text = SysAllocString(dialogStrings_[Index].c_str());
    return *Text ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvTavelle::put_DialogStrings(Constants_DialogStrings Index, BSTR Text)
{
    if (Index < 0 || Index >= DialogStringCount)
        return Exception(BadIndex, BadIndexString);
    return Guarded([&] {
        dialogStrings_[Index] = Text ? std::wstring(Text, SysStringLen(Text)) : std::wstring();
        return S_OK;
    });
}

STDMETHODIMP HvTavelle::get_OLEDropMode(Constants_OLEDrop* Mode)
{
    if (!Mode)
        return E_INVALIDARG;
    SHORT mode = 0;
    const HRESULT hr = dragDrop_->get_OLEDropMode(&mode);
    *Mode = static_cast<Constants_OLEDrop>(mode);
    return hr;
}

STDMETHODIMP HvTavelle::put_OLEDropMode(Constants_OLEDrop Mode)
{
    const HRESULT hr = dragDrop_->put_OLEDropMode(static_cast<SHORT>(Mode));
    if (SUCCEEDED(hr))
        PropertyChangedNotice(OleDropModeId);
    return hr;
}

STDMETHODIMP HvTavelle::OLEDrag()
{
    // A drag that ran, or was cancelled, is a success to the caller; what
    // became of the data the source's events have told.
    LONG effect = 0;
    const HRESULT hr = dragDrop_->DoOleDrag(&effect);
    return FAILED(hr) ? hr : S_OK;
}

STDMETHODIMP HvTavelle::AboutBox()
{
    ShowAboutBox(this);
    return S_OK;
}

// --- methods passed on ------------------------------------------------------------------

STDMETHODIMP HvTavelle::CollapseAll()
{
    return layout_ ? layout_->CollapseAll() : S_OK;
}

STDMETHODIMP HvTavelle::ExpandAll()
{
    return layout_ ? layout_->ExpandAll() : S_OK;
}

STDMETHODIMP HvTavelle::DeleteSelectedRows()
{
    if (!layout_ || !layout_->IsAlive())
        return NotActiveError();
    return layout_->DeleteSelectedRows(false);
}

STDMETHODIMP HvTavelle::PerformAction(Constants_KeyActions Action)
{
    KeyActionMap* map = keyboard_ ? keyboard_->GetKeyActionMap() : nullptr;
    if (!map)
        return S_OK;
    return Guarded([&] { return PerformGridAction(*inputHost_, *map, static_cast<std::uint32_t>(Action)); });
}

STDMETHODIMP HvTavelle::PostMessage(LONG MsgID, VARIANT MsgData1, VARIANT MsgData2)
{
    if (!m_window)
        return S_OK;
    LPARAM data = 0;
    if (!IsMissing(MsgData1) || !IsMissing(MsgData2)) {
        PostedMessageData::Pair pair = PostedMessageData::MakePair(MsgData1, MsgData2);
        data = reinterpret_cast<LPARAM>(pair.get());
        if (!postedData_.Keep(std::move(pair)))
            return E_OUTOFMEMORY;
    }
    if (!::PostMessageW(m_window, MsgPostMessage, static_cast<WPARAM>(MsgID), data) && data)
        postedData_.Drop(data);
    return S_OK;
}

STDMETHODIMP HvTavelle::PlaySoundFile(BSTR Sound, VARIANT SoundFlags)
{
    return Guarded([&] {
        if (ControlDownloads* downloads = Downloads())
            downloads->PlaySoundFile(Sound, IsMissing(SoundFlags) ? nullptr : &SoundFlags);
        return S_OK;
    });
}

