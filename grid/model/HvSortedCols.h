// HvSortedCols: the sort columns of one band, in sort order (first = primary
// sort column). Every change goes through a proposal: a second list handed
// to BeforeSortChange, which the handler may still change, and which the
// band's list adopts when the event is not cancelled; adopting it sets the
// columns' sort indicators and has the band re-bound to its rows.
#pragma once

#include "HvCollectionObject.h"
#include "HvColumnListCollection.h"

#include <Tavelle.h>

#include <unordered_set>

class GridBandSeam;
class GridColumnSeam;
class SelectionLayoutSeam;

class HvSortedCols final : public HvCollectionObject<IHvSortedCols, HvColumnListCollection> {
public:
    // hvPropCatSortedCols: both bits (4 and 32) must be asked for.
    static constexpr LONG SortedColsCategory = 36;

    // A new empty list for band with one reference; band and layout (the
    // band's) are not owned. A proposal is changed directly, without events.
    static HvSortedCols* Create(GridBandSeam* band, SelectionLayoutSeam* layout, bool proposal);

    // IHvSortedCols
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP Clear() override;
    STDMETHODIMP get_Item(long index, IHvColumn** out) override;
    STDMETHODIMP Add(IHvColumn* column, VARIANT* descending) override;
    // Reads the column list written by Save, against the band.
    virtual HRESULT STDMETHODCALLTYPE LoadColumnList(IStream* stream, LONG arg);

    // The road by which a column enters (indicator Ascending or
    // Descending), moves in or leaves (None) the band's sort; with single,
    // it becomes the only sort column.
    HRESULT ApplyColumnSort(GridColumnSeam* column, LONG indicator, bool single, bool fireEvents);
    // Adopts a proposal: its columns, in order, with their pending indicators.
    void Resort(HvSortedCols& proposal);
    // Layout copy: the columns of this band with the keys of source's.
    HRESULT CopyFrom(HvSortedCols& source, LONG categories);
    bool HasDataForCategories(LONG categories) const;

    bool IsProposal() const { return proposal_; }
    bool InSortEvent() const { return sortEvent_; }

    // HvCollectionImpl: the column-list form.
    HRESULT Save(IStream* stream, LONG arg) override;

private:
    HvSortedCols(GridBandSeam* band, SelectionLayoutSeam* layout, bool proposal);
    ~HvSortedCols() override = default;

    // A proposal holding the current columns with their indicators pending.
    HvSortedCols* MakeProposal(bool withColumns);
    // BeforeSortChange with the sort-event flag set; true when cancelled.
    bool OfferProposal(HvSortedCols* proposal, bool fireEvents);
    void AdoptProposal(HvSortedCols* proposal, bool fireEvents);
    // The change made on the list itself, when no handler could see a
    // proposal: what adopting one would give, without a copy of the list.
    void ApplyInPlace(HvKeyedItem* column, LONG indicator, bool single);
    // The band re-bound to its rows after its sort changed.
    void RebindBand();
    HRESULT RemoveColumn(HvKeyedItem* column);
    // bandColumns, when given, holds the band's columns (a walk saved).
    bool BelongsToBand(HvKeyedItem* column, const std::unordered_set<const HvKeyedItem*>* bandColumns = nullptr);
    HRESULT SortEventError();

    // Holds a band alive for a scope (the event handlers may let it go).
    class BandHold {
    public:
        explicit BandHold(GridBandSeam* band);
        ~BandHold();
        BandHold(const BandHold&) = delete;
        BandHold& operator=(const BandHold&) = delete;

    private:
        CAutomationObject* object_;
    };

    GridBandSeam* band_;           // not owned
    SelectionLayoutSeam* layout_;  // not owned
    bool proposal_;
    bool sortEvent_ = false;
};
