// HvOverride: the behaviour and formatting settings that a band, the layout
// or a member of the layout's Overrides overrides, with ten appearance slots
// and the strategies behind its click and select settings. Its resolved
// form is a read-only view of a band's effective settings, asked anew at
// every read.
#pragma once

#include "AppearanceRef.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "HvCollectionItem.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "OverrideSettings.h"
#include "OverrideStrategy.h"

#include <Tavelle.h>

#include <memory>

class HvOverrides;
class OverrideBandSeam;
class OverrideLayoutSeam;
class SubscriptionLink;

class HvOverride final : public HvObjectBaseImpl<IHvOverride>,
                         public HvCollectionItem,
                         public HvKeyedItem,
                         public HvPersistParticipant,
                         public ChangePublisher,
                         public ChangeSubscriber {
public:
    static constexpr LONG Kind = 36;
    static constexpr int SlotCount = 10;
    static constexpr DISPID ClearId = -554;
    static constexpr DWORD CategorySettings = 0x100;
    static constexpr DWORD CategoryAppearances = 0x1000;
    static constexpr DWORD CategoryKey = 0x10000;
    static constexpr DWORD CategoryTag = 0x100000;
    // The largest size in pixels an override keeps; larger ones are refused.
    static constexpr LONG MaxPixels = 1000000;

    // An ordinary override; owner (the band's or layout's subscriber) hears
    // its changes. layout and owner are not owned; owner and key may be null.
    static HRESULT Create(OverrideLayoutSeam* layout, ChangeSubscriber* owner, const CDualString* key,
                          HvOverride** out);
    // The resolved (read-only) override of a band, which it keeps alive.
    static HRESULT CreateResolved(OverrideBandSeam* band, HvOverride** out);
    static HvOverride* FromObject(IUnknown* object);

    // Slot i's dispatch identifier and property name.
    static DISPID SlotDispid(int slot);
    static const wchar_t* SlotName(int slot);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvOverride
    STDMETHODIMP get_ActiveRowAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_ActiveRowAppearance(VARIANT* value) override;
    STDMETHODIMP put_ActiveRowAppearance(VARIANT value) override;
    STDMETHODIMP get_ActiveCellAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_ActiveCellAppearance(VARIANT* value) override;
    STDMETHODIMP put_ActiveCellAppearance(VARIANT value) override;
    STDMETHODIMP get_CellAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_CellAppearance(VARIANT* value) override;
    STDMETHODIMP put_CellAppearance(VARIANT value) override;
    STDMETHODIMP get_EditCellAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_EditCellAppearance(VARIANT* value) override;
    STDMETHODIMP put_EditCellAppearance(VARIANT value) override;
    STDMETHODIMP get_HeaderAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_HeaderAppearance(VARIANT* value) override;
    STDMETHODIMP put_HeaderAppearance(VARIANT value) override;
    STDMETHODIMP get_RowAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_RowAppearance(VARIANT* value) override;
    STDMETHODIMP put_RowAppearance(VARIANT value) override;
    STDMETHODIMP get_RowAlternateAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_RowAlternateAppearance(VARIANT* value) override;
    STDMETHODIMP put_RowAlternateAppearance(VARIANT value) override;
    STDMETHODIMP get_SelectedCellAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_SelectedCellAppearance(VARIANT* value) override;
    STDMETHODIMP put_SelectedCellAppearance(VARIANT value) override;
    STDMETHODIMP get_SelectedRowAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_SelectedRowAppearance(VARIANT* value) override;
    STDMETHODIMP put_SelectedRowAppearance(VARIANT value) override;
    STDMETHODIMP get_RowSelectorAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_RowSelectorAppearance(VARIANT* value) override;
    STDMETHODIMP put_RowSelectorAppearance(VARIANT value) override;
    STDMETHODIMP get_AllowAddNew(Constants_AllowAddNew* out) override;
    STDMETHODIMP put_AllowAddNew(Constants_AllowAddNew value) override;
    STDMETHODIMP get_AllowColMoving(Constants_AllowColMoving* out) override;
    STDMETHODIMP put_AllowColMoving(Constants_AllowColMoving value) override;
    STDMETHODIMP get_AllowColSizing(Constants_AllowColSizing* out) override;
    STDMETHODIMP put_AllowColSizing(Constants_AllowColSizing value) override;
    STDMETHODIMP get_AllowColSwapping(Constants_AllowColSwapping* out) override;
    STDMETHODIMP put_AllowColSwapping(Constants_AllowColSwapping value) override;
    STDMETHODIMP get_AllowDelete(Constants_AllowDelete* out) override;
    STDMETHODIMP put_AllowDelete(Constants_AllowDelete value) override;
    STDMETHODIMP get_AllowGroupMoving(Constants_AllowGroupMoving* out) override;
    STDMETHODIMP put_AllowGroupMoving(Constants_AllowGroupMoving value) override;
    STDMETHODIMP get_AllowGroupSwapping(Constants_AllowGroupSwapping* out) override;
    STDMETHODIMP put_AllowGroupSwapping(Constants_AllowGroupSwapping value) override;
    STDMETHODIMP get_AllowUpdate(Constants_AllowUpdate* out) override;
    STDMETHODIMP put_AllowUpdate(Constants_AllowUpdate value) override;
    STDMETHODIMP get_BorderStyleRow(Constants_BorderStyle* out) override;
    STDMETHODIMP put_BorderStyleRow(Constants_BorderStyle value) override;
    STDMETHODIMP get_BorderStyleCell(Constants_BorderStyle* out) override;
    STDMETHODIMP put_BorderStyleCell(Constants_BorderStyle value) override;
    STDMETHODIMP get_BorderStyleHeader(Constants_BorderStyle* out) override;
    STDMETHODIMP put_BorderStyleHeader(Constants_BorderStyle value) override;
    STDMETHODIMP get_CellClickAction(Constants_CellClickAction* out) override;
    STDMETHODIMP put_CellClickAction(Constants_CellClickAction value) override;
    STDMETHODIMP get_ExpandRowsOnLoad(Constants_ExpandOnLoad* out) override;
    STDMETHODIMP put_ExpandRowsOnLoad(Constants_ExpandOnLoad value) override;
    STDMETHODIMP get_ExpansionIndicator(Constants_ExpansionIndicator* out) override;
    STDMETHODIMP put_ExpansionIndicator(Constants_ExpansionIndicator value) override;
    STDMETHODIMP get_HeaderClickAction(Constants_HeaderClickAction* out) override;
    STDMETHODIMP put_HeaderClickAction(Constants_HeaderClickAction value) override;
    STDMETHODIMP get_MaxSelectedCells(long* out) override;
    STDMETHODIMP put_MaxSelectedCells(long value) override;
    STDMETHODIMP get_MaxSelectedRows(long* out) override;
    STDMETHODIMP put_MaxSelectedRows(long value) override;
    STDMETHODIMP get_FetchRows(Constants_FetchRows* out) override;
    STDMETHODIMP put_FetchRows(Constants_FetchRows value) override;
    STDMETHODIMP get_RowSelectors(Constants_RowSelectors* out) override;
    STDMETHODIMP put_RowSelectors(Constants_RowSelectors value) override;
    STDMETHODIMP get_RowSizing(Constants_RowSizing* out) override;
    STDMETHODIMP put_RowSizing(Constants_RowSizing value) override;
    STDMETHODIMP get_RowSizingAutoMaxLines(short* out) override;
    STDMETHODIMP put_RowSizingAutoMaxLines(short value) override;
    STDMETHODIMP get_SelectTypeCell(Constants_SelectType* out) override;
    STDMETHODIMP put_SelectTypeCell(Constants_SelectType value) override;
    STDMETHODIMP get_SelectTypeCol(Constants_SelectType* out) override;
    STDMETHODIMP put_SelectTypeCol(Constants_SelectType value) override;
    STDMETHODIMP get_SelectTypeRow(Constants_SelectType* out) override;
    STDMETHODIMP put_SelectTypeRow(Constants_SelectType value) override;
    STDMETHODIMP get_TipStyleCell(Constants_TipStyle* out) override;
    STDMETHODIMP put_TipStyleCell(Constants_TipStyle value) override;
    STDMETHODIMP get_TipStyleRowConnector(Constants_TipStyle* out) override;
    STDMETHODIMP put_TipStyleRowConnector(Constants_TipStyle value) override;
    STDMETHODIMP get_TipStyleScroll(Constants_TipStyle* out) override;
    STDMETHODIMP put_TipStyleScroll(Constants_TipStyle value) override;
    STDMETHODIMP get_CellMultiLine(Constants_CellMultiLine* out) override;
    STDMETHODIMP put_CellMultiLine(Constants_CellMultiLine value) override;
    STDMETHODIMP get_RowSizingArea(Constants_RowSizingArea* out) override;
    STDMETHODIMP put_RowSizingArea(Constants_RowSizingArea value) override;
    STDMETHODIMP get_CellPadding(float* out) override;
    STDMETHODIMP put_CellPadding(float value) override;
    STDMETHODIMP get_CellSpacing(float* out) override;
    STDMETHODIMP put_CellSpacing(float value) override;
    STDMETHODIMP get_DefaultColWidth(float* out) override;
    STDMETHODIMP put_DefaultColWidth(float value) override;
    STDMETHODIMP get_DefaultRowHeight(float* out) override;
    STDMETHODIMP put_DefaultRowHeight(float value) override;
    STDMETHODIMP get_RowSpacingBefore(float* out) override;
    STDMETHODIMP put_RowSpacingBefore(float value) override;
    STDMETHODIMP get_RowSpacingAfter(float* out) override;
    STDMETHODIMP put_RowSpacingAfter(float value) override;
    STDMETHODIMP Clone(IHvOverride** out) override;
    STDMETHODIMP Replace(VARIANT* newOverride) override;
    STDMETHODIMP Clear() override;

    // HvCollectionItem
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return &key_; }
    const IID* GetInterfaceId() override { return &IID_IHvOverride; }
    CAutomationObject* GetItemObject() override { return this; }

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override
    {
        return CategorySettings | CategoryAppearances | CategoryKey | CategoryTag;
    }
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

    // ChangeSubscriber: the slots' appearances.
    void OnChange(const ChangeNotice* notice) override;
    bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    bool IsResolved() const { return resolved_; }
    const OverrideSettings& Settings() const { return settings_; }
    bool HasAnySetting() const { return settings_.HasAnySetting(); }
    void ResetSettings(bool alsoAppearances);
    AppearanceRef* GetAppearanceRef(int slot);
    OverrideStrategy* GetCellClickActionHandler();
    OverrideStrategy* GetSelectTypeCellHandler();
    OverrideStrategy* GetSelectTypeRowHandler();
    OverrideStrategy* GetSelectTypeColHandler();
    void FreeHandlers();
    LONG GetAppearanceLineHeight(int slot);

    // References to overrides in a band's or the layout's stream: tag 3 and
    // an index, tag 8 and a key (members of Overrides, when the save holds
    // the collection), or tag 9 and the override itself.
    static HRESULT SaveOverrideToStream(IStream* stream, LONG flags, HvOverrides* overrides, HvOverride* item);
    static HRESULT LoadOverrideFromStream(IStream* stream, LONG flags, OverrideLayoutSeam* layout,
                                          HvOverrides* overrides, ChangeSubscriber* subscriber, HvOverride** out);

protected:
    void ReleaseReferences() override;
    void BeforeLoad() override { FreeHandlers(); }

private:
    HvOverride(OverrideLayoutSeam* layout, ChangeSubscriber* owner, const CDualString* key, OverrideBandSeam* band);
    ~HvOverride() override;

    HRESULT Raise(HRESULT result, WORD stringId) { return Exception(result, stringId); }
    HRESULT CheckWrite();
    HRESULT GetSetting(DISPID dispid, LONG* out);
    HRESULT PutSetting(DISPID dispid, LONG value);
    HRESULT GetSize(DISPID dispid, float* out);
    HRESULT PutSize(DISPID dispid, float value);
    HRESULT GetSlot(int slot, IHvAppearance** out);
    HRESULT PutSlot(int slot, const VARIANT& value);
    HRESULT ResolveSlot(int slot, IHvAppearance** out);
    OverrideStrategy* GetHandler(OverrideStrategyKind kind, DISPID setting);
    void FreeHandler(DISPID setting);
    double PixelsToUnits(const OverrideSettings::Setting& setting, LONG pixels);
    HRESULT SaveSettings(IStream* stream);
    HRESULT LoadSettings(IStream* stream);

    OverrideSettings settings_;
    CDualString key_;
    OverrideLayoutSeam* layout_;                 // not owned; null once deactivated
    std::unique_ptr<OverrideStrategy> handlers_[4];
    OverrideBandSeam* band_;                     // resolved form only (a held band)
    bool resolved_;
    AppearanceRef slots_[SlotCount];
    std::unique_ptr<SubscriptionLink> ownerLink_;
};
