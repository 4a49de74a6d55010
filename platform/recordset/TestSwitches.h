// TestSwitches: what a test can change in the rowsets over one table, and
// what it can count. Every rowset, row position and data source over the
// table obeys the same switches.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <map>
#include <string>
#include <vector>

namespace hv::recordset {

class TestSwitches {
public:
    // Optional interfaces (IRowsetScroll, IRowsetChange, IRowsetUpdate,
    // IRowsetIdentity, IRowsetInfo, IConnectionPointContainer,
    // IChapteredRowset, IRowsetChapterMember, IRowPosition, IColumnsRowset)
    // can be refused.
    void DisableInterface(REFIID iid) { disabled_.push_back(iid); }
    bool IsDisabled(REFIID iid) const;

    // Row handles the consumer may hold at once (0: no limit); a fetch beyond
    // it answers DB_S_ROWLIMITEXCEEDED.
    void SetMaxHeldRows(size_t limit) { maxHeldRows_ = limit; }
    size_t MaxHeldRows() const { return maxHeldRows_; }

    // The next `times` calls of the named method ("IRowset::GetData", ...)
    // fail with `hr`; with a description the failure carries OLE DB error
    // records: record 0 "<method> failed", record 1 the description. With
    // `after`, that many calls succeed first.
    void FailCall(const std::string& method, HRESULT hr, const std::wstring& description = L"",
                  int times = 1, int after = 0);
    // Counts the call and answers the failure to return, or S_OK.
    HRESULT Enter(const char* method);
    int Calls(const std::string& method) const;
    // Calls of every counted method together.
    long TotalCalls() const;

    // A listener-independent veto: the given phase of the given reason is
    // refused as if a listener had answered S_FALSE.
    void Veto(DBREASON reason, DBEVENTPHASE phase) { vetoes_.push_back({reason, phase}); }
    void ClearVetoes() { vetoes_.clear(); }
    bool IsVetoed(DBREASON reason, DBEVENTPHASE phase) const;

    // Leak counters, kept by the rowsets.
    long OutstandingRowRefs() const { return rowRefs_; }
    long OutstandingChapterRefs() const { return chapterRefs_; }
    long LiveRowsets() const { return rowsets_; }
    void AddRowRefs(long delta) { rowRefs_ += delta; }
    void AddChapterRefs(long delta) { chapterRefs_ += delta; }
    void AddRowsets(long delta) { rowsets_ += delta; }
    // Row handles handed out by fetches, bookmark look-ups and inserts,
    // counted over the table's life.
    long RowsFetched() const { return rowsFetched_; }
    void AddFetched(long rows) { rowsFetched_ += rows; }

private:
    struct Failure {
        HRESULT hr;
        std::wstring description;
        int times;
        int after;
    };
    std::vector<IID> disabled_;
    size_t maxHeldRows_ = 0;
    std::map<std::string, Failure> failures_;
    std::map<std::string, int> calls_;
    std::vector<std::pair<DBREASON, DBEVENTPHASE>> vetoes_;
    long rowRefs_ = 0;
    long chapterRefs_ = 0;
    long rowsets_ = 0;
    long rowsFetched_ = 0;
};

} // namespace hv::recordset
