// Rowset: the OLE DB rowset face of a table: row handles and bookmarks over
// the table's record slots, accessors, data conversion, positioning by
// bookmark and by ratio, immediate or deferred changes, notifications to
// IRowsetNotify sinks, and chapters when it is the child of a chapter field.
// Recordset-side changes reach its sinks through the table's observers.
#pragma once

#include "AccessorTable.h"
#include "ChapterTable.h"
#include "ConnectionPoint.h"
#include "PendingChanges.h"
#include "RowHandleTable.h"
#include "RowsetProperties.h"
#include "Table.h"
#include "TableObserver.h"

#include <oledb.h>
#include <ocidl.h>

#include <map>
#include <memory>
#include <vector>

namespace hv::recordset {

class Rowset : public IRowsetScroll,
               public IAccessor,
               public IColumnsInfo,
               public IRowsetInfo,
               public IRowsetIdentity,
               public IRowsetUpdate,
               public IConnectionPointContainer,
               public IChapteredRowset,
               public IRowsetChapterMember,
               public IColumnsRowset,
               public ISupportErrorInfo,
               public TableObserver {
public:
    // A rowset over every record of `table`; a child rowset (keyField set)
    // serves the chapters of a chapter field whose child key is keyField.
    static HRESULT Create(std::shared_ptr<Table> table, size_t keyField, Rowset** rowset);
    static constexpr size_t kNoKey = static_cast<size_t>(-1);

    const std::shared_ptr<Table>& GetTable() const { return table_; }
    // Row handles the consumer holds references on (leak checks).
    long OutstandingRows() const { return handles_.Outstanding(); }
    // A reference for the row position's current row.
    HROW AddRefSlot(uint32_t slot);
    bool IsValidRow(HROW row) const;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IRowset
    STDMETHODIMP AddRefRows(DBCOUNTITEM cRows, const HROW rghRows[], DBREFCOUNT rgRefCounts[],
                            DBROWSTATUS rgRowStatus[]) override;
    STDMETHODIMP GetData(HROW hRow, HACCESSOR hAccessor, void* pData) override;
    STDMETHODIMP GetNextRows(HCHAPTER hChapter, DBROWOFFSET lRowsOffset, DBROWCOUNT cRows,
                             DBCOUNTITEM* pcRowsObtained, HROW** prghRows) override;
    STDMETHODIMP ReleaseRows(DBCOUNTITEM cRows, const HROW rghRows[], DBROWOPTIONS rgRowOptions[],
                             DBREFCOUNT rgRefCounts[], DBROWSTATUS rgRowStatus[]) override;
    STDMETHODIMP RestartPosition(HCHAPTER hChapter) override;
    // IRowsetLocate
    STDMETHODIMP Compare(HCHAPTER hChapter, DBBKMARK cbBookmark1, const BYTE* pBookmark1, DBBKMARK cbBookmark2,
                         const BYTE* pBookmark2, DBCOMPARE* pComparison) override;
    STDMETHODIMP GetRowsAt(HWATCHREGION hReserved1, HCHAPTER hChapter, DBBKMARK cbBookmark, const BYTE* pBookmark,
                           DBROWOFFSET lRowsOffset, DBROWCOUNT cRows, DBCOUNTITEM* pcRowsObtained,
                           HROW** prghRows) override;
    STDMETHODIMP GetRowsByBookmark(HCHAPTER hChapter, DBCOUNTITEM cRows, const DBBKMARK rgcbBookmarks[],
                                   const BYTE* rgpBookmarks[], HROW rghRows[], DBROWSTATUS rgRowStatus[]) override;
    STDMETHODIMP Hash(HCHAPTER hChapter, DBBKMARK cBookmarks, const DBBKMARK rgcbBookmarks[],
                      const BYTE* rgpBookmarks[], DBHASHVALUE rgHashedValues[],
                      DBROWSTATUS rgBookmarkStatus[]) override;
    // IRowsetScroll
    STDMETHODIMP GetApproximatePosition(HCHAPTER hChapter, DBBKMARK cbBookmark, const BYTE* pBookmark,
                                        DBCOUNTITEM* pulPosition, DBCOUNTITEM* pcRows) override;
    STDMETHODIMP GetRowsAtRatio(HWATCHREGION hReserved1, HCHAPTER hChapter, DBCOUNTITEM ulNumerator,
                                DBCOUNTITEM ulDenominator, DBROWCOUNT cRows, DBCOUNTITEM* pcRowsObtained,
                                HROW** prghRows) override;
    // IAccessor
    STDMETHODIMP AddRefAccessor(HACCESSOR hAccessor, DBREFCOUNT* pcRefCount) override;
    STDMETHODIMP CreateAccessor(DBACCESSORFLAGS dwAccessorFlags, DBCOUNTITEM cBindings, const DBBINDING rgBindings[],
                                DBLENGTH cbRowSize, HACCESSOR* phAccessor, DBBINDSTATUS rgStatus[]) override;
    STDMETHODIMP GetBindings(HACCESSOR hAccessor, DBACCESSORFLAGS* pdwAccessorFlags, DBCOUNTITEM* pcBindings,
                             DBBINDING** prgBindings) override;
    STDMETHODIMP ReleaseAccessor(HACCESSOR hAccessor, DBREFCOUNT* pcRefCount) override;
    // IColumnsInfo
    STDMETHODIMP GetColumnInfo(DBORDINAL* pcColumns, DBCOLUMNINFO** prgInfo, OLECHAR** ppStringsBuffer) override;
    STDMETHODIMP MapColumnIDs(DBORDINAL cColumnIDs, const DBID rgColumnIDs[], DBORDINAL rgColumns[]) override;
    // IRowsetInfo
    STDMETHODIMP GetProperties(const ULONG cPropertyIDSets, const DBPROPIDSET rgPropertyIDSets[],
                               ULONG* pcPropertySets, DBPROPSET** prgPropertySets) override;
    STDMETHODIMP GetReferencedRowset(DBORDINAL iOrdinal, REFIID riid, IUnknown** ppReferencedRowset) override;
    STDMETHODIMP GetSpecification(REFIID riid, IUnknown** ppSpecification) override;
    // IRowsetIdentity
    STDMETHODIMP IsSameRow(HROW hThisRow, HROW hThatRow) override;
    // IRowsetChange
    STDMETHODIMP DeleteRows(HCHAPTER hChapter, DBCOUNTITEM cRows, const HROW rghRows[],
                            DBROWSTATUS rgRowStatus[]) override;
    STDMETHODIMP SetData(HROW hRow, HACCESSOR hAccessor, void* pData) override;
    STDMETHODIMP InsertRow(HCHAPTER hChapter, HACCESSOR hAccessor, void* pData, HROW* phRow) override;
    // IRowsetUpdate
    STDMETHODIMP GetOriginalData(HROW hRow, HACCESSOR hAccessor, void* pData) override;
    STDMETHODIMP GetPendingRows(HCHAPTER hChapter, DBPENDINGSTATUS dwRowStatus, DBCOUNTITEM* pcPendingRows,
                                HROW** prgPendingRows, DBPENDINGSTATUS** prgPendingStatus) override;
    STDMETHODIMP GetRowStatus(HCHAPTER hChapter, DBCOUNTITEM cRows, const HROW rghRows[],
                              DBPENDINGSTATUS rgPendingStatus[]) override;
    STDMETHODIMP Undo(HCHAPTER hChapter, DBCOUNTITEM cRows, const HROW rghRows[], DBCOUNTITEM* pcRowsUndone,
                      HROW** prgRowsUndone, DBROWSTATUS** prgRowStatus) override;
    STDMETHODIMP Update(HCHAPTER hChapter, DBCOUNTITEM cRows, const HROW rghRows[], DBCOUNTITEM* pcRows,
                        HROW** prgRows, DBROWSTATUS** prgRowStatus) override;
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;
    // IChapteredRowset
    STDMETHODIMP AddRefChapter(HCHAPTER hChapter, DBREFCOUNT* pcRefCount) override;
    STDMETHODIMP ReleaseChapter(HCHAPTER hChapter, DBREFCOUNT* pcRefCount) override;
    // IRowsetChapterMember
    STDMETHODIMP IsRowInChapter(HCHAPTER hChapter, HROW hRow) override;
    // IColumnsRowset: one row per column after the bookmark column, in
    // ordinal order.
    STDMETHODIMP GetAvailableColumns(DBORDINAL* pcOptColumns, DBID** prgOptColumns) override;
    STDMETHODIMP GetColumnsRowset(IUnknown* pUnkOuter, DBORDINAL cOptColumns, const DBID rgOptColumns[],
                                  REFIID riid, ULONG cPropertySets, DBPROPSET rgPropertySets[],
                                  IUnknown** ppColRowset) override;
    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // TableObserver
    HRESULT OnRecordsChange(DBREASON reason, DBEVENTPHASE phase, bool cantDeny, const uint32_t* slots,
                            size_t count) override;
    HRESULT OnFieldsChange(uint32_t slot, const size_t* fields, size_t count, DBEVENTPHASE phase,
                           bool cantDeny) override;

private:
    Rowset(std::shared_ptr<Table> table, size_t keyField);
    virtual ~Rowset();

    TestSwitches& Switches() const { return table_->Switches(); }
    bool CanChange() const;
    bool IsDeferred() const;
    // The rows of a chapter (the whole table without one); null for a bad chapter.
    const std::vector<uint32_t>* View(HCHAPTER chapter);
    HRESULT SlotOfRow(HROW row, uint32_t& slot) const;
    // The accessor and live row of a read or write of row data: S_FALSE
    // when the accessor binds nothing, so that the call has nothing to do.
    HRESULT RowDataTarget(HROW row, HACCESSOR handle, const void* data, const AccessorTable::Accessor*& accessor,
                          uint32_t& slot) const;
    // An accessor that reads and writes row data.
    HRESULT RowAccessor(HACCESSOR handle, const AccessorTable::Accessor*& accessor) const;
    // Resolves a bookmark within a view: its index, or -1 / n for the
    // standard bookmarks of an empty view.
    HRESULT Locate(const std::vector<uint32_t>& view, DBBKMARK size, const BYTE* bookmark, long long& index) const;
    HRESULT Fetch(const std::vector<uint32_t>& view, long long start, DBROWCOUNT cRows, DBCOUNTITEM* obtained,
                  HROW** rows);
    void Activated(const std::vector<HROW>& rows);
    HRESULT ReadRow(uint32_t slot, const AccessorTable::Accessor& accessor, BYTE* data,
                    const std::vector<CellValue>* values);
    HRESULT ChapterOf(size_t field, uint32_t slot, ULONG& chapter);
    Rowset* Child(size_t field);
    std::vector<CellValue> CurrentValues(uint32_t slot) const;
    std::vector<RowsetProperties::Value> PropertyValues() const;
    HRESULT SendRowChange(DBREASON reason, DBEVENTPHASE phase, bool cantDeny, const std::vector<HROW>& rows);
    NotificationRound::Sender OwnRowsSender(DBREASON reason, std::vector<uint32_t> slots);
    void MarkPending(uint32_t slot);
    void ClearPending(uint32_t slot);
    // The rows an Update or Undo names (all pending rows when it names
    // none), kNoSlot with DBROWSTATUS_E_INVALID for a bad handle.
    void ListRows(DBCOUNTITEM cRows, const HROW rghRows[], std::vector<uint32_t>& listed,
                  std::vector<DBROWSTATUS>& status) const;
    HRESULT ReturnRows(const std::vector<uint32_t>& slots, const std::vector<DBROWSTATUS>& statuses,
                       DBCOUNTITEM* count, HROW** rows, DBROWSTATUS** rowStatus);

    LONG refs_ = 1;
    std::shared_ptr<Table> table_;
    size_t keyField_;
    std::vector<DBTYPE> types_;
    RowHandleTable handles_;
    AccessorTable accessors_;
    PendingChanges pending_;
    ChapterTable chapters_;
    ConnectionPoint notify_;
    std::map<size_t, Rowset*> children_; // each holds one reference
    std::map<HCHAPTER, long long> nextFetch_;
};

} // namespace hv::recordset
