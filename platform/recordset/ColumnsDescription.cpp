// Column metadata of a rowset.
#include "ColumnsDescription.h"

#include "RecordsetIds.h"
#include "Table.h"

#include <oledberr.h>

#include <cstring>

namespace hv::recordset {

namespace {
constexpr ULONG kBookmarkPropId = 2; // the bookmark column's property number
}

std::vector<DBTYPE> ColumnsDescription::Types(const Table& table)
{
    std::vector<DBTYPE> types{DBTYPE_UI4};
    for (size_t i = 0; i < table.FieldCount(); ++i) {
        switch (table.FieldAt(i).Type()) {
        case FieldType::Double: types.push_back(DBTYPE_R8); break;
        case FieldType::WideString: types.push_back(DBTYPE_WSTR); break;
        case FieldType::DBDate: types.push_back(DBTYPE_DBDATE); break;
        case FieldType::Chapter: types.push_back(DBTYPE_HCHAPTER); break;
        }
    }
    return types;
}

HRESULT ColumnsDescription::GetColumnInfo(const Table& table, bool writable, DBORDINAL* count, DBCOLUMNINFO** info,
                                          OLECHAR** strings)
{
    if (count)
        *count = 0;
    if (info)
        *info = nullptr;
    if (strings)
        *strings = nullptr;
    if (!count || !info || !strings)
        return E_INVALIDARG;
    const size_t n = table.FieldCount() + 1;
    size_t chars = 0;
    for (size_t i = 0; i < table.FieldCount(); ++i)
        chars += table.FieldAt(i).Name().size() + 1;
    DBCOLUMNINFO* cols = static_cast<DBCOLUMNINFO*>(CoTaskMemAlloc(n * sizeof(DBCOLUMNINFO)));
    OLECHAR* text = static_cast<OLECHAR*>(CoTaskMemAlloc((chars ? chars : 1) * sizeof(OLECHAR)));
    if (!cols || !text) {
        CoTaskMemFree(cols);
        CoTaskMemFree(text);
        return E_OUTOFMEMORY;
    }
    std::memset(cols, 0, n * sizeof(DBCOLUMNINFO));
    DBCOLUMNINFO& bookmark = cols[0];
    bookmark.iOrdinal = 0;
    bookmark.dwFlags = DBCOLUMNFLAGS_ISBOOKMARK | DBCOLUMNFLAGS_ISFIXEDLENGTH;
    bookmark.ulColumnSize = sizeof(ULONG);
    bookmark.wType = DBTYPE_UI4;
    bookmark.bPrecision = 10;
    bookmark.bScale = 0xFF;
    bookmark.columnid.eKind = DBKIND_GUID_PROPID;
    bookmark.columnid.uGuid.guid = kSpecialColumn;
    bookmark.columnid.uName.ulPropid = kBookmarkPropId;

    OLECHAR* at = text;
    for (size_t i = 0; i < table.FieldCount(); ++i) {
        const Field& f = table.FieldAt(i);
        DBCOLUMNINFO& c = cols[i + 1];
        std::memcpy(at, f.Name().c_str(), (f.Name().size() + 1) * sizeof(OLECHAR));
        c.pwszName = at;
        c.columnid.eKind = DBKIND_NAME;
        c.columnid.uName.pwszName = at;
        at += f.Name().size() + 1;
        c.iOrdinal = i + 1;
        c.bScale = 0xFF;
        c.bPrecision = 0xFF;
        const DBCOLUMNFLAGS nullable = f.IsNullable() ? DBCOLUMNFLAGS_ISNULLABLE | DBCOLUMNFLAGS_MAYBENULL : 0;
        const DBCOLUMNFLAGS write = writable ? DBCOLUMNFLAGS_WRITE : 0;
        switch (f.Type()) {
        case FieldType::Double:
            c.wType = DBTYPE_R8;
            c.ulColumnSize = sizeof(double);
            c.bPrecision = 15;
            c.dwFlags = DBCOLUMNFLAGS_ISFIXEDLENGTH | nullable | write;
            break;
        case FieldType::DBDate:
            c.wType = DBTYPE_DBDATE;
            c.ulColumnSize = sizeof(DBDATE);
            c.bPrecision = 10; // "yyyy-mm-dd"
            c.dwFlags = DBCOLUMNFLAGS_ISFIXEDLENGTH | nullable | write;
            break;
        case FieldType::WideString:
            c.wType = DBTYPE_WSTR;
            c.ulColumnSize = f.DefinedSize() > 0 ? static_cast<DBLENGTH>(f.DefinedSize()) : ~DBLENGTH(0);
            c.dwFlags = nullable | write;
            break;
        case FieldType::Chapter:
            c.wType = DBTYPE_HCHAPTER;
            c.ulColumnSize = sizeof(HCHAPTER);
            c.dwFlags = static_cast<DBCOLUMNFLAGS>(DBCOLUMNFLAGS_ISCHAPTER) | DBCOLUMNFLAGS_ISFIXEDLENGTH;
            break;
        }
    }
    *count = n;
    *info = cols;
    *strings = text;
    return S_OK;
}

HRESULT ColumnsDescription::MapColumnIDs(const Table& table, DBORDINAL count, const DBID ids[], DBORDINAL ordinals[])
{
    if (count && (!ids || !ordinals))
        return E_INVALIDARG;
    DBORDINAL found = 0;
    for (DBORDINAL i = 0; i < count; ++i) {
        const DBID& id = ids[i];
        ordinals[i] = DB_INVALIDCOLUMN;
        if (id.eKind == DBKIND_GUID_PROPID && IsEqualGUID(id.uGuid.guid, kSpecialColumn)
            && id.uName.ulPropid == kBookmarkPropId) {
            ordinals[i] = 0;
        } else if ((id.eKind == DBKIND_NAME || id.eKind == DBKIND_GUID_NAME) && id.uName.pwszName) {
            const size_t f = table.FindField(id.uName.pwszName);
            if (f != Table::npos)
                ordinals[i] = f + 1;
        }
        if (ordinals[i] != DB_INVALIDCOLUMN)
            ++found;
    }
    if (found == count)
        return S_OK;
    return found ? DB_S_ERRORSOCCURRED : DB_E_ERRORSOCCURRED;
}

} // namespace hv::recordset
