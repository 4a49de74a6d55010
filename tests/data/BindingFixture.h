// Shared helpers of the binding tests: a recordset of NAME (text) and VALUE
// (number) rows opened through its data source by a root binding, and fake
// row records and listeners that record what the binding hands them.
#pragma once

#include "ChapterHandle.h"
#include "ColumnInfo.h"
#include "Recordset.h"
#include "RootRowsetBinding.h"
#include "RowBatch.h"
#include "RowRecordSeam.h"
#include "HvBandRowsetListener.h"

#include <oledberr.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace datatest {

using namespace hv::recordset;

inline VARIANT Num(double d)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = d;
    return v;
}

inline VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
    return v;
}

// Owns one reference on a binding.
struct BindingRef {
    RootRowsetBinding* p;
    explicit BindingRef(RootRowsetBinding* binding) : p(binding) {}
    ~BindingRef()
    {
        p->Close();
        p->Release();
    }
    BindingRef(const BindingRef&) = delete;
    BindingRef& operator=(const BindingRef&) = delete;
    RootRowsetBinding* operator->() const { return p; }
};

inline void AddRecord(Recordset& rs, const std::wstring& name, double value)
{
    REQUIRE(rs.AddNew() == S_OK);
    VARIANT text = Text(name.c_str());
    REQUIRE(rs.SetValue(L"NAME", text) == S_OK);
    VariantClear(&text);
    REQUIRE(rs.SetValue(L"VALUE", Num(value)) == S_OK);
    REQUIRE(rs.Update() == S_OK);
}

struct Sample {
    Recordset rs;
    explicit Sample(int rows)
    {
        REQUIRE(rs.AppendField(L"NAME", FieldType::WideString, 0, kFieldNullable) == S_OK);
        REQUIRE(rs.AppendField(L"VALUE", FieldType::Double, 0, kFieldNullable) == S_OK);
        REQUIRE(rs.Open() == S_OK);
        for (int i = 0; i < rows; ++i)
            AddRecord(rs, L"r" + std::to_wstring(i), i);
    }
    TestSwitches& Switches() { return rs.GetTable()->Switches(); }
    IUnknown* DataSource()
    {
        IUnknown* unk = nullptr;
        REQUIRE(rs.GetDataSource(&unk) == S_OK);
        return unk;
    }
};

inline HRESULT OpenOn(RootRowsetBinding* binding, Recordset& rs, const wchar_t* member = L"")
{
    IUnknown* unk = nullptr;
    REQUIRE(rs.GetDataSource(&unk) == S_OK);
    HRESULT hr = binding->OpenDataMember(unk, member);
    unk->Release();
    return hr;
}

// The handles of a forward fetch from the first row, taken out of the batch.
inline std::vector<HROW> FetchHandles(RowsetBinding* binding, ULONG count, HRESULT* result = nullptr)
{
    RowBatch batch(binding, ChapterHandle(binding), count, false, true, false);
    HRESULT hr = batch.FetchFirst(0);
    if (result)
        *result = hr;
    std::vector<HROW> rows;
    HROW row = DB_NULL_HROW;
    while (batch.NextHandle(&row) == S_OK)
        rows.push_back(row);
    return rows;
}

inline std::wstring ValueText(RowsetBinding* binding, HROW row, DBORDINAL ordinal)
{
    VARIANT v;
    VariantInit(&v);
    REQUIRE(binding->GetValue(row, ordinal, &v) == S_OK);
    std::wstring out;
    if (V_VT(&v) == VT_BSTR)
        out = V_BSTR(&v) ? V_BSTR(&v) : L"";
    else if (V_VT(&v) == VT_R8)
        out = std::to_wstring(static_cast<int>(V_R8(&v)));
    else if (V_VT(&v) == VT_NULL)
        out = L"<null>";
    VariantClear(&v);
    return out;
}

// Row records stand-in: a record is a handle the test knows; the binding
// only passes the pointers along.
struct FakeRecords : RowRecordSeam {
    struct Record { HROW row; };
    std::map<HROW, std::unique_ptr<Record>> known;
    std::vector<std::string> log;
    int outstanding = 0;

    RowData* Know(HROW row)
    {
        auto& slot = known[row];
        if (!slot)
            slot = std::make_unique<Record>(Record{row});
        return reinterpret_cast<RowData*>(slot.get());
    }
    static HROW RowOf(RowData* record) { return reinterpret_cast<Record*>(record)->row; }

    RowData* FindOrMakeRow(RowsetBinding&, HROW row, const ChapterHandle&, bool existingOnly) override
    {
        auto it = known.find(row);
        if (it == known.end() && existingOnly)
            return nullptr;
        ++outstanding;
        return Know(row);
    }
    void ReleaseRow(RowData*) override { --outstanding; }
    void MarkBeingDeleted(RowData*, bool mark) override { log.push_back(mark ? "mark" : "unmark"); }
    void SettleDeleted(RowData*) override { log.push_back("settle"); }
    void ClearRowMap(RowsetBinding&) override { log.push_back("clear"); }
    void ForgetSiblingAnswers() override { log.push_back("forget"); }
};

struct FakeListener : HvBandRowsetListener, HvBandRowPositionListener {
    std::vector<std::string> calls;
    HRESULT answer = S_OK;
    std::vector<RowData*> rows;

    HRESULT Note(const char* what, LONG phase)
    {
        calls.push_back(std::string(what) + ":" + std::to_string(phase));
        return answer;
    }
    HRESULT OnFieldChange(LONG phase, LONG, RowData* row, ColumnInfo* column) override
    {
        rows.push_back(row);
        calls.push_back("field:" + std::to_string(phase) + ":" +
                        std::to_string(column ? column->GetOrdinal() : 0));
        return answer;
    }
    HRESULT OnRowActivate(LONG p, LONG, RowBatch*) override { return Note("activate", p); }
    HRESULT OnRowRelease(LONG p, LONG, RowBatch*) override { return Note("release", p); }
    HRESULT OnRowDelete(LONG p, LONG, RowBatch*) override { return Note("delete", p); }
    HRESULT OnRowFirstChange(LONG p, LONG, RowBatch*) override { return Note("firstchange", p); }
    HRESULT OnRowInsert(LONG p, LONG, RowBatch*) override { return Note("insert", p); }
    HRESULT OnRowResynch(LONG p, LONG, RowBatch*) override { return Note("resynch", p); }
    HRESULT OnRowUndoChange(LONG p, LONG, RowBatch*) override { return Note("undochange", p); }
    HRESULT OnRowUndoInsert(LONG p, LONG, RowBatch*) override { return Note("undoinsert", p); }
    HRESULT OnRowUndoDelete(LONG p, LONG, RowBatch*) override { return Note("undodelete", p); }
    HRESULT OnRowUpdate(LONG p, LONG, RowBatch*) override { return Note("update", p); }
    HRESULT OnRowAsynchInsert(LONG p, LONG, RowBatch*) override { return Note("asynch", p); }
    HRESULT OnRowsetChange(LONG p, LONG, RowBatch*) override { return Note("rowset", p); }
    void GetRowObjectForRecord(RowData*) override {}
    HRESULT OnPositionOkToDo() override { return Note("position", 0); }
    HRESULT OnPositionSyncAfter(RowData* row) override
    {
        rows.push_back(row);
        return Note("position", 2);
    }
    HRESULT OnPositionDidEvent() override { return Note("position", 4); }

    int Count(const std::string& prefix) const
    {
        int n = 0;
        for (const auto& c : calls)
            n += c.compare(0, prefix.size(), prefix) == 0;
        return n;
    }
    bool Has(const std::string& call) const
    {
        for (const auto& c : calls)
            if (c == call)
                return true;
        return false;
    }
};

} // namespace datatest
