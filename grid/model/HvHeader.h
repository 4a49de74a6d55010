// HvHeader: the header of one column or group: its caption, appearance,
// enabled state and optional exclusive column scroll region. The owning
// column or group holds it and hears its changes.
#pragma once

class ColScrollRegionItem;

#include "AppearanceRef.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "HvPropertyQuery.h"
#include "HvUIElementOwner.h"

#include <Tavelle.h>

class AppearanceData;
class ColumnBandSeam;
class HvColumnGroupImpl;
struct AppearanceRequest;

class HvHeader final : public HvObjectBaseImpl<IHvHeader>,
                       public HvPropertyQuery,
                       public HvPersistParticipant,
                       public ChangePublisher,
                       public ChangeSubscriber,
                       public HvUIElementOwner {
public:
    static constexpr LONG Kind = 34;
    static constexpr DWORD CodeEnabled = 0x100;
    static constexpr DWORD CodeAppearance = 0x1000;
    static constexpr DWORD CodeCaption = 0x10000;
    static constexpr DWORD CodeExclusiveRegion = 0x100000;
    static constexpr DWORD CodeTag = 0x1000000;
    static constexpr DISPID AppearanceId = -520;
    static constexpr DISPID CaptionId = -518;
    static constexpr DISPID EnabledId = -514;
    static constexpr DISPID ExclusiveRegionId = 1126;

    // A new header with one reference; owner and band are not owned.
    static HvHeader* Create(HvColumnGroupImpl* owner, ColumnBandSeam* band);
    // A header for owner with source's appearance and caption; read-only
    // appearance when owner is a level copy.
    static HvHeader* Clone(HvColumnGroupImpl* owner, HvHeader& source);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvHeader
    STDMETHODIMP get_Appearance(IHvAppearance** out) override;
    STDMETHODIMP putref_Appearance(VARIANT* value) override;
    STDMETHODIMP put_Appearance(VARIANT value) override;
    STDMETHODIMP get_Caption(BSTR* out) override;
    STDMETHODIMP put_Caption(BSTR value) override;
    STDMETHODIMP get_Column(IHvColumn** out) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL value) override;
    STDMETHODIMP get_ExclusiveColScrollRegion(IHvColScrollRegion** out) override;
    STDMETHODIMP put_ExclusiveColScrollRegion(IHvColScrollRegion* value) override;
    STDMETHODIMP putref_ExclusiveColScrollRegion(IHvColScrollRegion* value) override;
    STDMETHODIMP get_Group(IHvGroup** out) override;
    STDMETHODIMP get_Type(Constants_HeaderType* out) override;
    STDMETHODIMP get_Height(float* out) override;
    STDMETHODIMP get_VisiblePosition(short* out) override;
    STDMETHODIMP put_VisiblePosition(short value) override;
    STDMETHODIMP GetUIElement(VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out) override;
    STDMETHODIMP ResolveAppearance(IHvAppearance** out) override;

    // HvPropertyQuery
    STDMETHODIMP IsValueProperty(DISPID dispid, VARIANT_BOOL* result) override;
    STDMETHODIMP IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result) override;

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return 0x1111100; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;

    // ChangePublisher
    int KindCode() const override { return Kind; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }
    // ChangeSubscriber: the header's appearance.
    void OnChange(const ChangeNotice* notice) override;
    bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    // HvUIElementOwner: the header's caption text, picture and swap button
    // (contexts -1, -2, -3); its element in a pair of regions is found in
    // the element tree of the grid that shows its band.
    LayoutRegionsSeam* GetShowingLayout() override;
    UIElementSeam* GetUIElement(ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion, int create) override;
    LONG GetState(OwnedElementSeam* element) override;
    bool OnMouseDown(OwnedElementSeam* element) override;
    bool GetText(OwnedElementSeam* element, CDualString& text) override;
    // Design mode, or at run time the layout and the header enabled and the
    // owner not disabled.
    bool IsSwappingAvailable();

    // The caption when one was given, else the owner's default caption.
    void GetCaption(CDualString& caption);
    bool IsCaptionSet() const { return captionSet_; }
    bool IsEnabled() const { return enabled_; }
    void SetCaptionText(const CDualString& caption);
    // The exclusive region (a region that is no longer alive is released
    // and forgotten first), not add-ref'd; null when none.
    IHvColScrollRegion* GetExclusiveColScrollRegion();
    // The exclusive region's item side, or null.
    ColScrollRegionItem* RegionItem();
    void TakeRegionByBlock(const BYTE* block);
    AppearanceRef& Appearance() { return appearance_; }
    // Fills block from the header's own appearance first, then from the
    // owner's resolution (header kind 34).
    void ResolveAppearanceData(AppearanceData& block, AppearanceRequest& request);
    // The owner left: the header answers no more.
    void DetachOwner();
    HvColumnGroupImpl* Owner() const { return owner_; }

protected:
    void ReleaseReferences() override;

private:
    HvHeader(HvColumnGroupImpl* owner, ColumnBandSeam* band);
    ~HvHeader() override;

    HRESULT CheckSetter();
    HRESULT PutAppearanceValue(const VARIANT& value);
    HRESULT PutRegion(IHvColScrollRegion* region);

    HvColumnGroupImpl* owner_;  // not owned; null once detached
    ColumnBandSeam* band_;      // not owned
    AppearanceRef appearance_;
    CDualString caption_;
    IHvColScrollRegion* region_ = nullptr;  // one reference
    bool enabled_ = true;
    bool captionSet_ = false;
};
