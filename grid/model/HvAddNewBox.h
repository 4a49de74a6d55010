// HvAddNewBox: the layout's add-new box: its prompt, border styles, the
// style and colour of the connectors between its band buttons, its two
// appearances and whether it is hidden; with the resolution of the box and
// button appearances, the button font and the box's measures.
#pragma once

#include "AppearanceRef.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "HvUIElementOwner.h"
#include "LayoutPartsSeam.h"
#include "PropertySinkConnection.h"
#include "SubscriptionLink.h"

#include <Tavelle.h>

#include <memory>

class AddNewBoxLayoutSeam;
class AppearanceData;
class HvBand;

class HvAddNewBox final : public HvObjectBaseImpl<IHvAddNewBox>,
                          public HvPersistParticipant,
                          public ChangePublisher,
                          public ChangeSubscriber,
                          public HvUIElementOwner,
                          public LayoutAddNewBoxSeam {
public:
    static constexpr LONG Kind = 47;
    static constexpr DWORD SignatureBits = 0x111110;
    static constexpr LONG GeneralCategory = 256;
    static constexpr DWORD CodeStyles = 16;
    static constexpr DWORD CodeAppearance = 256;
    static constexpr DWORD CodeButtonAppearance = 4096;
    static constexpr DWORD CodePrompt = 0x10000;
    static constexpr DWORD CodeTag = 0x100000;
    static constexpr OLE_COLOR DefaultConnectorColor = 0x80000008;
    // The layout's AddNewBox property, under which button appearance
    // changes are published.
    static constexpr DISPID AddNewBoxId = 1185;

    // A new box with one reference; layout is not owned.
    static HRESULT Create(AddNewBoxLayoutSeam* layout, HvAddNewBox** out);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }

    // IHvAddNewBox
    STDMETHODIMP get_Appearance(IHvAppearance** out) override;
    STDMETHODIMP putref_Appearance(VARIANT* value) override;
    STDMETHODIMP put_Appearance(VARIANT value) override;
    STDMETHODIMP get_ButtonAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_ButtonAppearance(VARIANT* value) override;
    STDMETHODIMP put_ButtonAppearance(VARIANT value) override;
    STDMETHODIMP get_ButtonBorderStyle(Constants_BorderStyle* out) override;
    STDMETHODIMP put_ButtonBorderStyle(Constants_BorderStyle value) override;
    STDMETHODIMP get_ButtonConnectorColor(OLE_COLOR* out) override;
    STDMETHODIMP put_ButtonConnectorColor(OLE_COLOR value) override;
    STDMETHODIMP get_ButtonConnectorStyle(Constants_ConnectorStyle* out) override;
    STDMETHODIMP put_ButtonConnectorStyle(Constants_ConnectorStyle value) override;
    STDMETHODIMP get_BorderStyle(Constants_BorderStyle* out) override;
    STDMETHODIMP put_BorderStyle(Constants_BorderStyle value) override;
    STDMETHODIMP get_Hidden(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Hidden(VARIANT_BOOL value) override;
    STDMETHODIMP get_Prompt(BSTR* out) override;
    STDMETHODIMP put_Prompt(BSTR value) override;
    STDMETHODIMP GetUIElement(IHvUIElement** out) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP ResolveAppearance(IHvAppearance** out) override;

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return SignatureBits; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;
    HRESULT LoadIntoScratch(IStream* stream, LONG categories) override;

    // ChangePublisher
    int KindCode() const override { return Kind; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    // ChangeSubscriber: its two appearances and the layout's Font.
    void OnChange(const ChangeNotice* notice) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    // HvUIElementOwner: the box area (its prompt text is centred by the
    // prompt's own owner, PromptOwner()); the box has one element whatever
    // the regions.
    LayoutRegionsSeam* GetShowingLayout() override;
    UIElementSeam* GetUIElement(ScrollRegionSeam*, ScrollRegionSeam*, int create) override;
    HCURSOR GetCursor(OwnedElementSeam* element) override;
    bool GetText(OwnedElementSeam* element, CDualString& text) override;
    HvUIElementOwner* PromptOwner() { return &promptOwner_; }

    // LayoutAddNewBoxSeam
    IHvAddNewBox* Interface() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    ChangePublisher* Publisher() override { return this; }
    bool IsHidden() override { return (style2_ & HiddenBit) != 0; }
    LONG ButtonBorderStyle() override { return RawButtonBorderStyle(); }
    HCURSOR ButtonCursor() override { return GetButtonCursor(); }
    void Detach() override { Deactivate(); }

    // Settings and their resolved values.
    LONG RawBorderStyle() const { return style1_ & 0x0F; }
    LONG RawButtonBorderStyle() const { return style1_ >> 4; }
    LONG RawButtonConnectorStyle() const { return style2_ & 0x0F; }
    const CDualString& Prompt() const { return prompt_; }
    LONG ResolveBorderStyle() const;
    LONG ResolveButtonBorderStyle(bool resolved) const;
    LONG ResolveButtonConnectorStyle() const;
    COLORREF GetButtonConnectorColorRGB() const;

    // Appearance resolution (request kinds 8 and 47).
    void ResolveButtonAppearanceData(AppearanceData& data, DWORD mask);
    void ResolveAppearanceData(AppearanceData& data, DWORD mask);
    // The cursor of the resolved button appearance (null for none).
    HCURSOR GetButtonCursor();

    // Measures, pixels.
    PropertySinkConnection* GetButtonFont();
    void FreeButtonFont();
    SIZE GetPromptSize();
    LONG GetButtonHeight(HDC dc);
    SIZE MeasureButtonText(HvBand* band, const CDualString& text);

protected:
    void ReleaseReferences() override;

private:
    static constexpr BYTE HiddenBit = 0x10;

    // The prompt's owner table: only its default alignment differs.
    class PromptView final : public HvUIElementOwner {
    public:
        explicit PromptView(HvAddNewBox* box) : box_(box) {}
        LayoutRegionsSeam* GetShowingLayout() override { return box_->GetShowingLayout(); }
        UIElementSeam* GetUIElement(ScrollRegionSeam* rows, ScrollRegionSeam* cols, int create) override
        {
            return box_->GetUIElement(rows, cols, create);
        }
        bool GetText(OwnedElementSeam* element, CDualString& text) override { return box_->GetText(element, text); }
        UINT GetDefaultHAlign(OwnedElementSeam*, const AppearanceData*) override { return 32; }

    private:
        HvAddNewBox* box_;
    };

    explicit HvAddNewBox(AddNewBoxLayoutSeam* layout);
    ~HvAddNewBox() override;

    HRESULT CheckAlive() { return IsActive() ? S_OK : NotActiveError(); }
    HRESULT PutNibble(BYTE* field, bool high, LONG value, LONG maximum, DISPID dispid);
    HRESULT PutAppearance(AppearanceRef& ref, const VARIANT& value, DISPID dispid);
    HRESULT GetAppearanceObject(AppearanceRef& ref, IHvAppearance** out);
    const CDualString& DefaultPrompt();

    OLE_COLOR connectorColor_ = DefaultConnectorColor;
    BYTE style1_ = 0;
    BYTE style2_ = HiddenBit;
    AddNewBoxLayoutSeam* layout_; // not owned; null once deactivated
    std::unique_ptr<PropertySinkConnection> buttonFont_;
    CDualString prompt_;
    CDualString defaultPrompt_;
    bool defaultPromptLoaded_ = false;
    AppearanceRef appearance_;
    AppearanceRef buttonAppearance_;
    SubscriptionLink layoutLink_;
    PromptView promptOwner_{this};
};
