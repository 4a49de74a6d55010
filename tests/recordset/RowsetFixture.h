// Shared helpers of the rowset tests: a small recordset of NAME (text) and
// VALUE (double) rows bound through its data source, an accessor over both
// columns and the bookmark, and a sink that records notifications.
#pragma once

#include "Recordset.h"
#include "RecordsetIds.h"

#include <oledb.h>
#include <oledberr.h>
#include <ocidl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace rstest {

using namespace hv::recordset;

inline VARIANT Num(double d) { VARIANT v; VariantInit(&v); v.vt = VT_R8; v.dblVal = d; return v; }

struct Fixture {
    Recordset rs;
    IRowset* rowset = nullptr;
    IAccessor* accessor = nullptr;
    HACCESSOR hacc = DB_NULL_HACCESSOR;

    // Row layout read through `hacc`.
    struct Row {
        ULONG bookmark; DBSTATUS bookmarkStatus;
        double value; DBSTATUS valueStatus;
        wchar_t name[16]; DBLENGTH nameLength; DBSTATUS nameStatus;
    };

    explicit Fixture(int rows, bool bind = true)
    {
        REQUIRE(rs.AppendField(L"NAME", FieldType::WideString, 0, kFieldNullable) == S_OK);
        REQUIRE(rs.AppendField(L"VALUE", FieldType::Double, 0, kFieldNullable) == S_OK);
        REQUIRE(rs.Open() == S_OK);
        for (int i = 0; i < rows; ++i)
            Add(i);
        if (bind)
            Bind();
    }
    ~Fixture()
    {
        if (accessor) {
            accessor->ReleaseAccessor(hacc, nullptr);
            accessor->Release();
        }
        if (rowset)
            rowset->Release();
    }
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    void Add(int i)
    {
        REQUIRE(rs.AddNew() == S_OK);
        VARIANT name;
        VariantInit(&name);
        name.vt = VT_BSTR;
        name.bstrVal = SysAllocString((L"r" + std::to_wstring(i)).c_str());
        REQUIRE(rs.SetValue(L"NAME", name) == S_OK);
        VariantClear(&name);
        REQUIRE(rs.SetValue(L"VALUE", Num(i)) == S_OK);
        REQUIRE(rs.Update() == S_OK);
    }

    void Bind()
    {
        IUnknown* unk = nullptr;
        REQUIRE(rs.GetDataSource(&unk) == S_OK);
        ::DataSource* ds = nullptr;
        REQUIRE(unk->QueryInterface(kIidDataSource, reinterpret_cast<void**>(&ds)) == S_OK);
        unk->Release();
        BSTR member = SysAllocString(L"");
        IUnknown* got = nullptr;
        REQUIRE(ds->getDataMember(member, IID_IRowset, &got) == S_OK);
        SysFreeString(member);
        ds->Release();
        REQUIRE(got->QueryInterface(IID_IRowset, reinterpret_cast<void**>(&rowset)) == S_OK);
        got->Release();
        REQUIRE(rowset->QueryInterface(IID_IAccessor, reinterpret_cast<void**>(&accessor)) == S_OK);
        DBBINDING b[3] = {};
        b[0].iOrdinal = 0; b[0].obValue = offsetof(Row, bookmark); b[0].obStatus = offsetof(Row, bookmarkStatus);
        b[0].dwPart = DBPART_VALUE | DBPART_STATUS; b[0].wType = DBTYPE_UI4; b[0].cbMaxLen = 4;
        b[1].iOrdinal = 2; b[1].obValue = offsetof(Row, value); b[1].obStatus = offsetof(Row, valueStatus);
        b[1].dwPart = DBPART_VALUE | DBPART_STATUS; b[1].wType = DBTYPE_R8; b[1].cbMaxLen = 8;
        b[2].iOrdinal = 1; b[2].obValue = offsetof(Row, name); b[2].obLength = offsetof(Row, nameLength);
        b[2].obStatus = offsetof(Row, nameStatus);
        b[2].dwPart = DBPART_VALUE | DBPART_LENGTH | DBPART_STATUS; b[2].wType = DBTYPE_WSTR;
        b[2].cbMaxLen = sizeof(Row::name);
        for (auto& x : b) x.dwMemOwner = DBMEMOWNER_CLIENTOWNED;
        DBBINDSTATUS status[3];
        REQUIRE(accessor->CreateAccessor(DBACCESSOR_ROWDATA, 3, b, sizeof(Row), &hacc, status) == S_OK);
    }

    template <class I>
    I* Query(REFIID iid)
    {
        I* p = nullptr;
        REQUIRE(rowset->QueryInterface(iid, reinterpret_cast<void**>(&p)) == S_OK);
        return p;
    }

    Row Read(HROW row)
    {
        Row r{};
        REQUIRE(SUCCEEDED(rowset->GetData(row, hacc, &r)));
        return r;
    }

    // Values (VALUE column) of the rows a fetch obtained; releases them.
    std::vector<int> Values(HROW* rows, DBCOUNTITEM n)
    {
        std::vector<int> out;
        for (DBCOUNTITEM i = 0; i < n; ++i)
            out.push_back(static_cast<int>(Read(rows[i]).value));
        if (n)
            REQUIRE(rowset->ReleaseRows(n, rows, nullptr, nullptr, nullptr) == S_OK);
        CoTaskMemFree(rows);
        return out;
    }

    // One row from a standard or row bookmark; the caller releases it.
    HROW FetchOne(const BYTE* bookmark, DBBKMARK size, DBROWOFFSET offset)
    {
        IRowsetLocate* locate = Query<IRowsetLocate>(IID_IRowsetLocate);
        DBCOUNTITEM got = 0;
        HROW* rows = nullptr;
        HRESULT hr = locate->GetRowsAt(0, DB_NULL_HCHAPTER, size, bookmark, offset, 1, &got, &rows);
        locate->Release();
        REQUIRE(SUCCEEDED(hr));
        REQUIRE(got == 1);
        HROW h = rows[0];
        CoTaskMemFree(rows);
        return h;
    }
    HROW Nth(long n)
    {
        const BYTE first = DBBMK_FIRST;
        return FetchOne(&first, 1, n);
    }
    void ReleaseRow(HROW h) { REQUIRE(rowset->ReleaseRows(1, &h, nullptr, nullptr, nullptr) == S_OK); }

    TestSwitches& Switches() { return rs.GetTable()->Switches(); }
};

// Records every notification as "reason:phase" (row change), "field:phase"
// or "pos:reason:phase", and can veto or act inside a chosen one.
class RecordingSink : public IRowsetNotify, public IRowPositionChange {
public:
    std::vector<std::string> log;
    std::string vetoAt;                              // an entry of the log to answer S_FALSE to
    std::function<void(const std::string&)> action;  // runs inside every notification

    static std::string Reason(DBREASON r)
    {
        switch (r) {
        case DBREASON_ROW_ACTIVATE: return "activate";
        case DBREASON_ROW_RELEASE: return "release";
        case DBREASON_ROW_DELETE: return "delete";
        case DBREASON_ROW_FIRSTCHANGE: return "firstchange";
        case DBREASON_ROW_INSERT: return "insert";
        case DBREASON_ROW_UNDOCHANGE: return "undochange";
        case DBREASON_ROW_UNDOINSERT: return "undoinsert";
        case DBREASON_ROW_UNDODELETE: return "undodelete";
        case DBREASON_ROW_UPDATE: return "update";
        case DBREASON_COLUMN_SET: return "field";
        case DBREASON_ROWPOSITION_CLEARED: return "pos-cleared";
        case DBREASON_ROWPOSITION_CHANGED: return "pos-changed";
        default: return "reason" + std::to_string(r);
        }
    }
    static std::string Phase(DBEVENTPHASE p)
    {
        const char* names[] = {"OKTODO", "ABOUTTODO", "SYNCHAFTER", "FAILEDTODO", "DIDEVENT"};
        return p < 5 ? names[p] : "?";
    }
    HRESULT Record(const std::string& entry)
    {
        log.push_back(entry);
        if (action)
            action(entry);
        return entry == vetoAt ? S_FALSE : S_OK;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRowsetNotify))
            *out = static_cast<IRowsetNotify*>(this);
        else if (IsEqualIID(iid, IID_IRowPositionChange))
            *out = static_cast<IRowPositionChange*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP OnFieldChange(IRowset*, HROW, DBORDINAL, DBORDINAL[], DBREASON r, DBEVENTPHASE p, BOOL) override
    {
        return Record(Reason(r) + ":" + Phase(p));
    }
    STDMETHODIMP OnRowChange(IRowset*, DBCOUNTITEM, const HROW[], DBREASON r, DBEVENTPHASE p, BOOL) override
    {
        if (r == DBREASON_ROW_ACTIVATE || r == DBREASON_ROW_RELEASE)
            return S_OK; // fetch bookkeeping: kept out of the change logs
        return Record(Reason(r) + ":" + Phase(p));
    }
    STDMETHODIMP OnRowsetChange(IRowset*, DBREASON r, DBEVENTPHASE p, BOOL) override
    {
        return Record("rowset:" + Reason(r) + ":" + Phase(p));
    }
    STDMETHODIMP OnRowPositionChange(DBREASON r, DBEVENTPHASE p, BOOL) override
    {
        return Record(Reason(r) + ":" + Phase(p));
    }
    ULONG refs = 1;
};

// Advises a sink on an object's connection point for its lifetime.
class Advised {
public:
    Advised(IUnknown* source, REFIID iid, IUnknown* sink)
    {
        IConnectionPointContainer* cpc = nullptr;
        REQUIRE(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)) == S_OK);
        REQUIRE(cpc->FindConnectionPoint(iid, &point_) == S_OK);
        cpc->Release();
        REQUIRE(point_->Advise(sink, &cookie_) == S_OK);
    }
    ~Advised()
    {
        point_->Unadvise(cookie_);
        point_->Release();
    }
    Advised(const Advised&) = delete;
    Advised& operator=(const Advised&) = delete;

private:
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
};

inline std::string Join(const std::vector<std::string>& v)
{
    std::string s;
    for (const auto& e : v)
        s += (s.empty() ? "" : " ") + e;
    return s;
}

} // namespace rstest
