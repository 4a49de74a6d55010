// HvGroups: a band's column groups. A removed group gives up its columns,
// its header entry and its life; while the collection copies another band's
// groups it tells nobody about the groups it adds.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"

#include <Tavelle.h>

class GridBandSeam;
class GridGroupSeam;

class HvGroups final : public HvCollectionObject<IHvGroups, HvVectorCollection> {
public:
    static constexpr DISPID OwnerPropertyId = 1044;

    // A new empty collection with one reference; band is not owned.
    static HRESULT Create(GridBandSeam* band, bool readOnly, HvGroups** out);

    // IHvGroups
    STDMETHODIMP get_Item(VARIANT index, IHvGroup** out) override;
    STDMETHODIMP Add(VARIANT key, VARIANT index, VARIANT caption, IHvGroup** out) override;
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP Clear() override;

    GridGroupSeam* GroupAt(LONG position) const;
    HRESULT CopyFrom(HvGroups& source, LONG categories);
    bool HasDataForCategories(LONG categories) const;
    // Asks every group whether a change of the band's LevelCount affects it.
    bool AnyGroupTest();
    LONG GetMaxHeaderPictureHeight() const;
    LONG GetMaxHeaderFontHeight() const;
    bool IsCopying() const { return copying_; }
    GridBandSeam* Band() const { return band_; }

    // HvCollectionImpl
    bool SupportsKeys() const override { return true; }
    bool IndexesKeys() const override { return true; }
    bool IsReadOnly() const override { return readOnly_; }
    HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg) override;
    // A group that could not be stored takes its header entry back with it.
    HRESULT InsertItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg) override;
    HRESULT BeforeClear(bool force, LONG silent, bool* notifyEach) override;
    void OnItemAdded(HvKeyedItem* item, LONG index, LONG arg) override;
    void OnItemRemoved(HvKeyedItem* item, bool force, LONG silent, bool fromClear) override;

    // ChangeSubscriber
    void OnChange(const ChangeNotice* notice) override;

protected:
    void ReleaseReferences() override;

private:
    HvGroups(GridBandSeam* band, bool readOnly);
    ~HvGroups() override;

    GridBandSeam* band_;  // not owned
    bool readOnly_;
    bool copying_ = false;
};
