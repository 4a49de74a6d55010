// CControlProperties: the second layer of the control base: property
// notifications from the control's own objects, property browsing,
// categories, the data object with its advise holder, the stock-event mask
// and the standard persisted state's versions.
#pragma once

#include "ControlEmbedding.h"
#include "OleControlInterfaces.h"

// Stock events that the framework fires from window messages: the bits of
// the mask a control gives to its constructor.
namespace StockEventMask {
constexpr DWORD KeyDown = 0x01;
constexpr DWORD KeyPress = 0x02;
constexpr DWORD KeyUp = 0x04;
constexpr DWORD MouseDown = 0x08;
constexpr DWORD MouseMove = 0x10;
constexpr DWORD MouseUp = 0x20;
constexpr DWORD Click = 0x40;
constexpr DWORD DblClick = 0x80;
constexpr DWORD All = 0xFF;
} // namespace StockEventMask

// The clipboard format in which SetData takes a control's stream: registered
// under the text of a fixed identifier on first use, kept for the process.
CLIPFORMAT ControlPrivateClipboardFormat();

class CControlProperties : public CControlEmbedding,
                           public IPropertyNotifySink,
                           public IPerPropertyBrowsing,
                           public ICategorizeProperties,
                           public IDataObject
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IPropertyNotifySink: a change of one of the control's own objects
    // makes the control dirty.
    STDMETHODIMP OnChanged(DISPID dispid) override;
    STDMETHODIMP OnRequestEdit(DISPID dispid) override;

    // IPerPropertyBrowsing, answered by the control's backends.
    STDMETHODIMP GetDisplayString(DISPID dispid, BSTR* text) override;
    STDMETHODIMP MapPropertyToPage(DISPID dispid, CLSID* page) override;
    STDMETHODIMP GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies) override;
    STDMETHODIMP GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value) override;

    // ICategorizeProperties
    STDMETHODIMP MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;
    STDMETHODIMP GetCategoryName(PROPCAT category, LCID locale, BSTR* name) override;

    // IDataObject: a metafile picture of the control through GetData, and
    // a stream of the control's private clipboard format through SetData.
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP DUnadvise(DWORD cookie) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** advises) override;

    // Tells the data advise sinks that the control's data changed.
    void SendOnDataChange(DWORD adviseFlags) override;

    DWORD StockEvents() const { return m_stockEventMask; }
    DWORD LoadedStateVersion() const { return m_loadedVersion; }
    DWORD CurrentStateVersion() const { return m_currentVersion; }
    void SetCurrentStateVersion(DWORD version) { m_currentVersion = version; }

protected:
    // stockEventMask: the StockEventMask bits of the events that the
    // framework fires from the control's window messages.
    CControlProperties(IUnknown* outer, int objectType, void* primaryInterface, DWORD stockEventMask);
    ~CControlProperties() override;

    // Backends of IPerPropertyBrowsing: TRUE when the control answers for
    // the property. OnMapPropertyToPage sets *stockPage when the page is one
    // of the system's stock pages. The defaults map the stock colours and
    // font to the stock pages and give BorderStyle's two values.
    virtual BOOL OnGetDisplayString(DISPID dispid, BSTR* text);
    virtual BOOL OnMapPropertyToPage(DISPID dispid, CLSID* page, BOOL* stockPage);
    virtual BOOL OnGetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies);
    virtual BOOL OnGetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value);
    // Backend of SetData: the stream given in the private clipboard format.
    virtual HRESULT OnSetData(IStream* stream);

    // The framework's standard persisted state: extent and state version.
    HRESULT LoadStandardBinaryState(IStream* stream) override;
    HRESULT SaveStandardBinaryState(IStream* stream) override;
    HRESULT LoadStandardTextState(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT SaveStandardTextState(IPropertyBag* bag) override;

    IDataAdviseHolder* m_dataAdviseHolder = nullptr;
    DWORD m_stockEventMask;
    WORD m_pendingLeadByte = 0;
    DWORD m_loadedVersion = 0;
    DWORD m_currentVersion = 0;
    DWORD m_helpClick = 0;
    DWORD m_buttonDown = 0;
};
