// Prints the rate at which a consumer reads an in-memory recordset through
// IRowsetLocate::GetRowsAt and IRowset::GetData, in batches as the grid
// reads (200 rows from a bookmark, then the next 200), for 100,000 and
// 1,000,000 rows of the analysis layout (one text and seven doubles).
#include "Recordset.h"
#include "RecordsetIds.h"

#include <windows.h>
#include <oledb.h>
#include <oledberr.h>

#include <cstdio>
#include <string>

using namespace hv::recordset;

namespace {

constexpr DBROWCOUNT kBatch = 200;

struct Row {
    ULONG bookmark; DBSTATUS bookmarkStatus;
    BSTR sample; DBSTATUS sampleStatus;
    double values[7]; DBSTATUS valueStatus[7];
};

bool Fill(Recordset& rs, int rows)
{
    if (FAILED(rs.AppendField(L"AMOSTRA", FieldType::WideString, 0, kFieldNullable)))
        return false;
    for (const wchar_t* name : {L"ME", L"TEMP_ENS", L"TEMP_EST", L"ME20", L"GRAU", L"GRAU20", L"FATOR"})
        rs.AppendField(name, FieldType::Double, 0, kFieldNullable);
    if (FAILED(rs.Open()) || FAILED(rs.Reserve(static_cast<size_t>(rows))))
        return false;
    VARIANT v;
    VariantInit(&v);
    for (int i = 0; i < rows; ++i) {
        rs.AddNew();
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString((L"A" + std::to_wstring(i)).c_str());
        rs.SetValue(0L, v);
        VariantClear(&v);
        v.vt = VT_R8;
        for (long f = 1; f <= 7; ++f) {
            v.dblVal = 800.0 + i * 0.001 + f;
            rs.SetValue(f, v);
        }
    }
    return SUCCEEDED(rs.Update());
}

void Measure(int rows)
{
    Recordset rs;
    if (!Fill(rs, rows)) {
        std::printf("%9d rows: could not build the recordset\n", rows);
        return;
    }
    IUnknown* unk = nullptr;
    rs.GetDataSource(&unk);
    ::DataSource* ds = nullptr;
    unk->QueryInterface(kIidDataSource, reinterpret_cast<void**>(&ds));
    unk->Release();
    IUnknown* got = nullptr;
    ds->getDataMember(nullptr, IID_IRowsetLocate, &got);
    ds->Release();
    IRowsetLocate* locate = static_cast<IRowsetLocate*>(got);
    IAccessor* accessor = nullptr;
    locate->QueryInterface(IID_IAccessor, reinterpret_cast<void**>(&accessor));
    DBBINDING b[9] = {};
    b[0] = DBBINDING{0, offsetof(Row, bookmark), 0, offsetof(Row, bookmarkStatus), nullptr, nullptr, nullptr,
                     DBPART_VALUE | DBPART_STATUS, DBMEMOWNER_CLIENTOWNED, DBPARAMIO_NOTPARAM, 4, 0, DBTYPE_UI4, 0, 0};
    b[1] = b[0];
    b[1].iOrdinal = 1;
    b[1].obValue = offsetof(Row, sample);
    b[1].obStatus = offsetof(Row, sampleStatus);
    b[1].wType = DBTYPE_BSTR;
    b[1].cbMaxLen = sizeof(BSTR);
    for (int i = 0; i < 7; ++i) {
        b[2 + i] = b[0];
        b[2 + i].iOrdinal = 2 + i;
        b[2 + i].obValue = offsetof(Row, values) + i * sizeof(double);
        b[2 + i].obStatus = offsetof(Row, valueStatus) + i * sizeof(DBSTATUS);
        b[2 + i].wType = DBTYPE_R8;
        b[2 + i].cbMaxLen = 8;
    }
    HACCESSOR acc = 0;
    accessor->CreateAccessor(DBACCESSOR_ROWDATA, 9, b, sizeof(Row), &acc, nullptr);

    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    long long read = 0;
    double checksum = 0;
    HROW handles[kBatch];
    const BYTE first = DBBMK_FIRST;
    ULONG bookmark = 0;
    bool atStart = true;
    for (;;) {
        HROW* rowsOut = handles;
        DBCOUNTITEM obtained = 0;
        HRESULT hr = atStart ? locate->GetRowsAt(0, 0, 1, &first, 0, kBatch, &obtained, &rowsOut)
                             : locate->GetRowsAt(0, 0, 4, reinterpret_cast<BYTE*>(&bookmark), 1, kBatch, &obtained,
                                                 &rowsOut);
        atStart = false;
        for (DBCOUNTITEM i = 0; i < obtained; ++i) {
            Row row;
            locate->GetData(handles[i], acc, &row);
            checksum += row.values[0];
            SysFreeString(row.sample);
            bookmark = row.bookmark;
        }
        read += static_cast<long long>(obtained);
        if (obtained)
            locate->ReleaseRows(obtained, handles, nullptr, nullptr, nullptr);
        if (hr != S_OK || obtained == 0)
            break;
    }
    QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
    std::printf("%9d rows: read %lld in %.3f s, %.0f rows/s (GetRowsAt batches of %ld + GetData of 9 columns;"
                " checksum %.1f)\n",
                rows, read, seconds, static_cast<double>(read) / seconds, static_cast<long>(kBatch), checksum);
    accessor->ReleaseAccessor(acc, nullptr);
    accessor->Release();
    locate->Release();
}

} // namespace

int main()
{
    CoInitialize(nullptr);
    for (int rows : {100000, 1000000})
        Measure(rows);
    CoUninitialize();
    return 0;
}
