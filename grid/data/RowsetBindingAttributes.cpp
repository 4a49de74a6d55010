// RowsetBinding: the extended attributes of the columns (base column and
// table names, defaults, autoincrement, case, uniqueness), read from the
// rowset that describes them when the provider offers one.
#include "RowsetBinding.h"

#include "ColumnInfo.h"
#include "DataIds.h"

#include <cstring>
#include <vector>

namespace {

constexpr DBLENGTH kTextBytes = 512;
constexpr size_t kMostAttributes = 8;

bool IsTaken(ULONG propid)
{
    switch (propid) {
    case 10: case 11: case 12: case 14: case 16: case 17: case 18: case 21: return true;
    default: return false;
    }
}

bool IsText(ULONG propid)
{
    return propid == 10 || propid == 11 || propid == 14;
}

DBLENGTH Aligned(DBLENGTH offset)
{
    return (offset + 7) & ~DBLENGTH(7);
}

// The accessor and row handles of one read, given back at the end.
class ColumnsRead {
public:
    explicit ColumnsRead(IRowset* rowset) : rowset_(rowset) { accessor_.QueryFrom(rowset, IID_IAccessor); }
    ~ColumnsRead()
    {
        if (!rows_.empty())
            rowset_->ReleaseRows(rows_.size(), rows_.data(), nullptr, nullptr, nullptr);
        if (handle_)
            accessor_->ReleaseAccessor(handle_, nullptr);
    }
    ColumnsRead(const ColumnsRead&) = delete;
    ColumnsRead& operator=(const ColumnsRead&) = delete;

    HRESULT MakeAccessor(const std::vector<DBBINDING>& bindings, DBLENGTH size)
    {
        if (!accessor_)
            return E_NOINTERFACE;
        return accessor_->CreateAccessor(DBACCESSOR_ROWDATA, bindings.size(), bindings.data(), size, &handle_,
                                         nullptr);
    }
    HRESULT Fetch(DBROWCOUNT wanted)
    {
        DBCOUNTITEM obtained = 0;
        HROW* handles = nullptr;
        const HRESULT hr = rowset_->GetNextRows(DB_NULL_HCHAPTER, 0, wanted, &obtained, &handles);
        if (handles) {
            rows_.assign(handles, handles + obtained);
            CoTaskMemFree(handles);
        }
        return hr;
    }
    const std::vector<HROW>& Rows() const { return rows_; }
    HACCESSOR Handle() const { return handle_; }

private:
    IRowset* rowset_;
    ComRef<IAccessor> accessor_;
    HACCESSOR handle_ = 0;
    std::vector<HROW> rows_;
};

} // namespace

HRESULT RowsetBinding::ReadColumnAttributes()
{
    ComRef<IColumnsRowset> columnsRowset;
    if (!rowset_ || FAILED(columnsRowset.QueryFrom(rowset_.Get(), IID_IColumnsRowset)))
        return S_FALSE;

    // The attributes the grid keeps, in the order the provider lists them.
    DBORDINAL available = 0;
    DBID* availableIds = nullptr;
    HRESULT hr = columnsRowset->GetAvailableColumns(&available, &availableIds);
    if (FAILED(hr))
        return hr;
    std::vector<DBID> ids;
    std::vector<ULONG> propids;
    for (DBORDINAL i = 0; i < available && ids.size() < kMostAttributes; ++i) {
        const DBID& id = availableIds[i];
        if (id.eKind == DBKIND_GUID_PROPID && IsEqualGUID(id.uGuid.guid, kDbColumnGuid) && IsTaken(id.uName.ulPropid)) {
            ids.push_back(id);
            propids.push_back(id.uName.ulPropid);
        }
    }
    if (availableIds)
        CoTaskMemFree(availableIds);
    if (ids.empty())
        return S_FALSE;

    ComRef<IUnknown> described;
    hr = columnsRowset->GetColumnsRowset(nullptr, ids.size(), ids.data(), IID_IRowset, 0, nullptr, described.Put());
    if (FAILED(hr) || !described)
        return FAILED(hr) ? hr : E_FAIL;
    ComRef<IRowset> rows;
    ComRef<IColumnsInfo> info;
    if (FAILED(rows.QueryFrom(described.Get(), IID_IRowset)) || FAILED(info.QueryFrom(described.Get(), IID_IColumnsInfo)))
        return E_NOINTERFACE;
    std::vector<DBORDINAL> ordinals(ids.size(), DB_INVALIDCOLUMN);
    hr = info->MapColumnIDs(ids.size(), ids.data(), ordinals.data());
    if (FAILED(hr))
        return hr;

    // One row buffer: texts with length and status, numbers and flags with status.
    std::vector<DBBINDING> bindings;
    std::vector<ULONG> boundPropids;
    DBLENGTH offset = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (ordinals[i] == DB_INVALIDCOLUMN)
            continue;
        DBBINDING b{};
        b.iOrdinal = ordinals[i];
        b.dwMemOwner = DBMEMOWNER_CLIENTOWNED;
        b.eParamIO = DBPARAMIO_NOTPARAM;
        b.obValue = offset;
        if (IsText(propids[i])) {
            b.wType = DBTYPE_WSTR;
            b.cbMaxLen = kTextBytes;
            b.dwPart = DBPART_VALUE | DBPART_LENGTH | DBPART_STATUS;
            b.obLength = offset + kTextBytes;
            b.obStatus = b.obLength + sizeof(DBLENGTH);
        } else {
            b.wType = propids[i] == 12 ? DBTYPE_I4 : DBTYPE_BOOL;
            b.cbMaxLen = propids[i] == 12 ? sizeof(LONG) : sizeof(VARIANT_BOOL);
            b.dwPart = DBPART_VALUE | DBPART_STATUS;
            b.obStatus = offset + sizeof(LONG);
        }
        offset = Aligned(b.obStatus + sizeof(DBSTATUS));
        bindings.push_back(b);
        boundPropids.push_back(propids[i]);
    }
    if (bindings.empty())
        return S_FALSE;

    ColumnsRead read(rows.Get());
    hr = read.MakeAccessor(bindings, offset);
    if (FAILED(hr))
        return hr;
    hr = read.Fetch(static_cast<DBROWCOUNT>(GetColumnCount()));
    if (FAILED(hr))
        return hr;
    std::vector<BYTE> buffer(offset);
    ColumnInfo* column = GetFirstColumn();
    for (HROW row : read.Rows()) {
        if (!column)
            break;
        std::memset(buffer.data(), 0, buffer.size());
        if (FAILED(rows->GetData(row, read.Handle(), buffer.data()))) {
            column = GetNextColumn(column);
            continue;
        }
        for (size_t i = 0; i < bindings.size(); ++i) {
            const DBBINDING& b = bindings[i];
            DBSTATUS status;
            std::memcpy(&status, buffer.data() + b.obStatus, sizeof status);
            if (status != DBSTATUS_S_OK)
                continue;
            const BYTE* value = buffer.data() + b.obValue;
            if (b.wType == DBTYPE_WSTR) {
                std::vector<wchar_t> text(kTextBytes / sizeof(wchar_t) + 1, L'\0');
                std::memcpy(text.data(), value, kTextBytes);
                switch (boundPropids[i]) {
                case 10: column->SetBaseColumnName(text.data()); break;
                case 11: column->SetBaseTableName(text.data()); break;
                default: column->SetDefaultValue(text.data()); break;
                }
                continue;
            }
            if (b.wType == DBTYPE_I4) {
                LONG number;
                std::memcpy(&number, value, sizeof number);
                column->SetAttribute12(number);
                continue;
            }
            VARIANT_BOOL flag;
            std::memcpy(&flag, value, sizeof flag);
            const bool on = flag == VARIANT_TRUE;
            switch (boundPropids[i]) {
            case 16: column->SetHasDefault(on); break;
            case 17: column->SetAutoIncrement(on); break;
            case 18: column->SetCaseSensitive(on); break;
            default: column->SetUnique(on); break;
            }
        }
        column = GetNextColumn(column);
    }
    return S_OK;
}
