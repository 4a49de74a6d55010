// RowsetBinding: the grid's consumer of one OLE DB rowset, one per band. It
// finds the interfaces the rowset offers, describes its columns, reads and
// writes values through one accessor per column, fetches rows into batches,
// keeps chapters and the row handles it holds within the provider's limit,
// follows the provider's notifications and moves the row position. Every
// call to the provider passes through here.
#pragma once

#include "ChapterHandle.h"
#include "ColumnInfo.h"
#include "ComRef.h"
#include "ConversionService.h"
#include "DualString.h"
#include "SortKeyChain.h"

#include <windows.h>
#include <oledb.h>

#include <memory>
#include <vector>

class HvBandRowPositionListener;
class HvBandRowsetListener;
class RowSortHook;
class RowBatch;
class RowBookmark;
class RowData;
class RowRecordSeam;

class RowsetBinding : public IRowsetNotify, public IRowPositionChange {
public:
    explicit RowsetBinding(RowsetBinding* parent);
    // A child binding over the rowset a chapter column refers to.
    RowsetBinding(RowsetBinding* parent, IUnknown* rowset, ColumnInfo* owningColumn);
    RowsetBinding(const RowsetBinding&) = delete;
    RowsetBinding& operator=(const RowsetBinding&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IRowsetNotify
    STDMETHODIMP OnFieldChange(IRowset* rowset, HROW row, DBORDINAL count, DBORDINAL columns[],
                               DBREASON reason, DBEVENTPHASE phase, BOOL cantDeny) override;
    STDMETHODIMP OnRowChange(IRowset* rowset, DBCOUNTITEM count, const HROW rows[], DBREASON reason,
                             DBEVENTPHASE phase, BOOL cantDeny) override;
    STDMETHODIMP OnRowsetChange(IRowset* rowset, DBREASON reason, DBEVENTPHASE phase, BOOL cantDeny) override;
    // IRowPositionChange
    STDMETHODIMP OnRowPositionChange(DBREASON reason, DBEVENTPHASE phase, BOOL cantDeny) override;

    // The tree of bindings.
    virtual RowsetBinding* GetRootBinding();
    virtual bool IsRoot() const { return false; }
    virtual bool IsTracking() const;
    // The conversion service is shared by the tree and kept by its root.
    virtual ConversionService* GetConversionService();
    // Resets the top-level list's cached counts (root only).
    virtual void ResetTopLevelCounts() {}
    RowsetBinding* GetParent() const { return parent_; }
    bool IsDesignTime() const;

    // Attaching.
    HRESULT AttachInterfaces(IUnknown* rowset);
    HRESULT Initialize();
    bool IsAttached() const { return self_ == this && rowset_; }
    void SetChildSource(IUnknown* source);
    // Stops the notifications of this binding and of its child bindings.
    // The provider's connection points hold references on the bindings, so
    // the owner closes the binding before its last Release.
    void Close();
    IUnknown* GetChildSource() const { return childSource_.Get(); }

    // Interfaces (no reference added).
    IRowset* GetRowset() const { return rowset_.Get(); }
    IRowPosition* GetRowPositionInterface() const { return rowPosition_.Get(); }
    IAccessor* GetAccessorInterface() const { return accessor_.Get(); }
    bool HasColumnsInterface() const { return static_cast<bool>(columnsInfo_); }
    bool HasScroll() const { return static_cast<bool>(scroll_); }
    bool HasLocate() const { return static_cast<bool>(locate_); }
    bool HasChange() const { return static_cast<bool>(change_); }
    bool HasUpdate() const { return static_cast<bool>(update_); }
    bool CanFetchBackwards() const { return canFetchBackwards_; }
    bool HasBookmarks() const { return bookmarks_; }
    bool HasLiteralBookmarks() const { return literalBookmarks_; }
    ULONG GetUpdatability() const { return updatability_; }
    bool IsReadOnly() const { return !change_ || updatability_ == 0; }

    // Columns.
    ULONG GetColumnCount() const;
    ColumnInfo* GetColumn(DBORDINAL ordinal) const;
    ColumnInfo* GetFirstColumn() const;
    ColumnInfo* GetNextColumn(const ColumnInfo* column) const;
    ColumnInfo* GetBookmarkColumn() const;
    long GetFirstChapterColumn() const { return FindNextChapterColumn(-1); }
    long GetLastChapterColumn() const;
    long FindNextChapterColumn(long from) const;
    long FindPrevChapterColumn(long from) const;
    long FindChapterColumnOf(const RowsetBinding* child) const;
    bool HasSameColumns(const RowsetBinding& other) const;
    ColumnInfo* GetOwningColumn() const { return owningColumn_; }

    // Values of one row (its handle) and column.
    HRESULT GetValue(HROW row, DBORDINAL ordinal, VARIANT* value);
    HRESULT GetOriginalValue(HROW row, DBORDINAL ordinal, VARIANT* value);
    HRESULT SetValue(HROW row, DBORDINAL ordinal, const VARIANT& value);
    // The chapter of a chapter column: the reference the provider handed
    // out with the value is the one the handle keeps.
    HRESULT ReadChapter(HROW row, DBORDINAL ordinal, ChapterHandle& chapter);
    HRESULT ReadBookmark(HROW row, BYTE* bytes, ULONG size);
    HRESULT IsRowInChapter(HCHAPTER chapter, HROW row);
    // The order of bookmark1 relative to bookmark2 in one chapter
    // (DBCOMPARE_...): asked of the provider unless its bookmarks are
    // literal, since the bytes of a little-endian number do not sort.
    HRESULT CompareBookmarks(HCHAPTER chapter, ULONG length1, const BYTE* bookmark1, ULONG length2,
                             const BYTE* bookmark2, DBCOMPARE* result);

    // Rows.
    HRESULT FetchAt(ULONG length, const BYTE* bookmark, DBROWOFFSET offset, RowBatch& batch);
    HRESULT FetchAtRatio(DBCOUNTITEM numerator, DBCOUNTITEM denominator, RowBatch& batch);
    HRESULT GetApproximatePosition(HCHAPTER chapter, RowBookmark* row, DBCOUNTITEM* position,
                                   DBCOUNTITEM* rows);
    HRESULT InsertRow(HCHAPTER chapter, HROW* row);
    HRESULT ReleaseRowHandles(DBCOUNTITEM count, const HROW* rows);
    HRESULT AddRefRowHandles(DBCOUNTITEM count, const HROW* rows);
    // Gives back n held row handles, oldest first, keeping their bookmarks;
    // rows with pending changes are kept.
    HRESULT ReleaseHeldHandles(int count);
    size_t HeldHandleCount() const;

    // For the row model: the provider's hash of a bookmark in a chapter,
    // row identity (S_OK same, S_FALSE not, an error when not offered), and
    // one-row update, undo and delete (DB_E_NOTSUPPORTED without the
    // interface; Update succeeds with nothing to do).
    HRESULT HashBookmark(HCHAPTER chapter, ULONG length, const BYTE* bookmark, DBHASHVALUE* hash);
    HRESULT CompareRowIdentity(HROW row1, HROW row2);
    HRESULT UpdateRow(HCHAPTER chapter, HROW row);
    HRESULT UndoRow(HCHAPTER chapter, HROW row);
    HRESULT DeleteRow(HCHAPTER chapter, HROW row);

    // Chapters; nothing is done in design mode.
    HRESULT AddRefChapter(HCHAPTER chapter);
    HRESULT ReleaseChapter(HCHAPTER chapter);

    // Row position (root binding).
    HRESULT GetRowPositionChapter(HCHAPTER* chapter);
    HRESULT GetRowPosition(HCHAPTER* chapter, std::unique_ptr<RowBookmark>* row, DBPOSITIONFLAGS* flags);
    HRESULT SetRowPosition(HCHAPTER chapter, HROW row);
    // Moves the row position to a row unless it is already there.
    HRESULT SyncRowPosition(HCHAPTER chapter, HROW row);

    // Notifications.
    HRESULT AdviseNotifications();
    HRESULT UnadviseNotifications();
    HRESULT AdviseRowPosition();
    HRESULT UnadviseRowPosition();
    bool IsAdvisedForNotifications() const { return notifyCookie_ != kNoCookie; }
    bool IsAdvisedForRowPosition() const { return rowPosition_ && positionCookie_ != kNoCookie; }
    void SetDataChangeListener(HvBandRowsetListener* listener) { dataListener_ = listener; }
    void ClearDataChangeListener() { dataListener_ = nullptr; }
    HvBandRowsetListener* GetDataChangeListener() const { return dataListener_; }
    void SetRowPositionListener(HvBandRowPositionListener* listener) { positionListener_ = listener; }
    void ClearRowPositionListener() { positionListener_ = nullptr; }
    // The band's say in sorting its rows (not owned; null: none).
    void SetSortHook(RowSortHook* hook) { sortHook_ = hook; }
    RowSortHook* GetSortHook() const { return sortHook_; }
    void SetRowRecords(RowRecordSeam* records) { records_ = records; }
    RowRecordSeam* GetRowRecords() const { return records_; }

    // Cached counters, cleared whenever the row set changes.
    void ClearCachedCounts();
    ULONG GetCachedRowCount() const { return cachedRowCount_; }
    void SetCachedRowCount(ULONG count) { cachedRowCount_ = count; }

    // The provider's description of the last error of an interface: 1
    // IRowsetUpdate, 0 IRowsetChange, else IRowset.
    HRESULT ReadOleDbErrors(int interfaceIndex, CDualString& text);

    // The held-row list: rows kept alive by the binding (one reference
    // each) while they hold pending changes. Add and Remove answer whether
    // the list changed.
    bool AddRow(RowData* row);
    bool RemoveRow(RowData* row);
    bool HasRow(RowData* row) const;
    void ClearRows();
    const std::vector<RowData*>& GetRowList() const { return heldRows_; }

    // The sort keys of the band's rows. Replacing them with other keys
    // raises the sort generation, against which each row list stamps the
    // order it was last sorted in; no keys leave the rows in their order.
    void SetSortKeys(const SortKeyChain& keys);
    const SortKeyChain& GetSortKeys() const { return sortKeys_; }
    ULONG GetSortGeneration() const { return sortGeneration_; }

    // The held-handle list (bookmark objects link themselves in and out).
    void LinkHeld(RowBookmark* row);
    void UnlinkHeld(RowBookmark* row);

protected:
    virtual ~RowsetBinding();
    // Design-time placeholder rows.
    HRESULT FillPlaceholderRows(RowBatch& batch);
    HRESULT GetPlaceholderValue(DBORDINAL ordinal, VARIANT* value);

    ComRef<IRowPosition> rowPosition_;
    ComRef<IUnknown> childSource_;
    bool designMode_ = false;

private:
    static constexpr DWORD kNoCookie = 0xFFFFFFFF;

    void ReadRowsetProperties();
    HRESULT GetColumnInfo();
    HRESULT ReadColumnAttributes();
    HRESULT ReadValue(IRowset* source, bool original, HROW row, ColumnInfo& column, VARIANT* value);
    HRESULT GetRowsAtWithRetry(HCHAPTER chapter, ULONG length, const BYTE* bookmark, DBROWOFFSET offset,
                               DBROWCOUNT count, RowBatch& batch, DBCOUNTITEM* obtained);
    HRESULT Advise(IUnknown* source, REFIID iid, IUnknown* sink, DWORD* cookie);
    HRESULT Unadvise(IUnknown* source, REFIID iid, DWORD* cookie);
    HRESULT DispatchRowChange(RowBatch& batch, DBREASON reason, DBEVENTPHASE phase, BOOL cantDeny);
    void TrackDeletions(RowBatch& batch, DBREASON reason, DBEVENTPHASE phase);
    void AfterRowsArrived(DBREASON reason);
    HRESULT NotifyNewPosition();
    bool HasPendingChanges(HROW row);

    ULONG refs_ = 1;
    RowsetBinding* self_ = this;
    RowsetBinding* parent_ = nullptr;
    ComRef<IRowset> rowset_;
    ComRef<IRowsetLocate> locate_;
    ComRef<IRowsetScroll> scroll_;
    ComRef<IRowsetInfo> info_;
    ComRef<IRowsetIdentity> identity_;
    ComRef<IRowsetChange> change_;
    ComRef<IRowsetUpdate> update_;
    ComRef<IAccessor> accessor_;
    ComRef<IColumnsInfo> columnsInfo_;
    ComRef<IChapteredRowset> chaptered_;

    // Bookmark objects holding a row handle, newest first.
    RowBookmark* heldFirst_ = nullptr;
    RowBookmark* heldLast_ = nullptr;

    std::vector<std::unique_ptr<ColumnInfo>> columns_;
    long firstChapterColumn_ = -1;
    ColumnInfo* owningColumn_ = nullptr; // the parent's chapter column leading here

    bool bookmarks_ = false;
    bool numericBookmarks_ = false;
    bool cacheDeferred_ = false;
    bool canFetchBackwards_ = false;
    bool canHoldRows_ = false;
    bool canScrollBackwards_ = false;
    bool literalBookmarks_ = false;
    bool literalIdentity_ = false;
    bool orderedBookmarks_ = false;
    ULONG property258_ = 0;
    ULONG property72_ = 0;
    ULONG property73_ = 0;
    ULONG updatability_ = 0;

    ULONG includedChildren_ = 0;
    ULONG cachedRowCount_ = 0;
    ULONG cachedEstimate_ = 0;
    ULONG cachedVisible_ = 0;

    std::vector<RowData*> beingDeleted_; // one reference each, through the record seam
    std::vector<RowData*> heldRows_;     // one reference each
    SortKeyChain sortKeys_;
    ULONG sortGeneration_ = 0;
    HvBandRowsetListener* dataListener_ = nullptr;         // not owned
    HvBandRowPositionListener* positionListener_ = nullptr; // not owned
    RowSortHook* sortHook_ = nullptr;                       // not owned
    RowRecordSeam* records_ = nullptr;                     // not owned
    // While the row position is read, the provider reports the activation
    // and release of its row to us: those reports are our own doing.
    int positionReads_ = 0;
    DWORD positionCookie_ = kNoCookie;
    DWORD notifyCookie_ = kNoCookie;
};
