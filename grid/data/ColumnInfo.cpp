// ColumnInfo: type normalisation, buffer layout and the column's accessor.
#include "ColumnInfo.h"

#include "RowsetBinding.h"

namespace {

constexpr DBTYPE kVarNumeric = 139;

// Identifiers keep their GUID and property number; names point into the
// provider's string buffer, which does not outlive the description.
DBID CopyId(const DBID& id)
{
    DBID copy = id;
    switch (id.eKind) {
    case DBKIND_GUID_NAME:
    case DBKIND_NAME:
    case DBKIND_PGUID_NAME:
        copy.uName.pwszName = nullptr;
        break;
    default:
        break;
    }
    if (id.eKind == DBKIND_PGUID_NAME || id.eKind == DBKIND_PGUID_PROPID)
        copy.uGuid.pguid = nullptr;
    return copy;
}

const wchar_t* WideCopy(const CDualString& text, std::wstring& copy)
{
    CDualString source(text);
    BSTR wide = source.AllocSysString();
    copy.assign(wide ? wide : L"");
    SysFreeString(wide);
    return copy.c_str();
}

} // namespace

ColumnInfo::ColumnInfo(RowsetBinding* binding, const DBCOLUMNINFO& info)
    : binding_(binding), type_(info.wType), providerType_(info.wType), size_(info.ulColumnSize),
      id_(CopyId(info.columnid)), ordinal_(info.iOrdinal), precision_(info.bPrecision), scale_(info.bScale)
{
    const DBCOLUMNFLAGS flags = info.dwFlags;
    isBookmark_ = (flags & DBCOLUMNFLAGS_ISBOOKMARK) || (flags == 0 && info.iOrdinal == 0);
    if (!isBookmark_)
        name_.AssignWide(info.pwszName);
    // A text column of unknown size (0 or all ones) is read whole as a BSTR.
    if ((type_ == DBTYPE_STR || type_ == DBTYPE_WSTR) && (size_ > 255 || size_ == 0 || size_ == ~DBLENGTH(0)))
        type_ = DBTYPE_BSTR;
    if (type_ == kVarNumeric)
        type_ = DBTYPE_R8;
    if (isBookmark_ && type_ == DBTYPE_VARIANT) {
        type_ = DBTYPE_UI4;
        size_ = 4;
        bookmarkWasVariant_ = true;
    }
    notReadable_ = (flags & DBCOLUMNFLAGS_ISLONG) && type_ == DBTYPE_BYTES;
    mayBeNull_ = (flags & DBCOLUMNFLAGS_ISNULLABLE) != 0;
    writable_ = (flags & (DBCOLUMNFLAGS_WRITE | DBCOLUMNFLAGS_WRITEUNKNOWN)) != 0;
    fixedLength_ = (flags & DBCOLUMNFLAGS_ISFIXEDLENGTH) != 0;
    LayoutFor(type_, size_, dbBinding_, bufferSize_);
    dbBinding_.iOrdinal = ordinal_;
}

ColumnInfo::~ColumnInfo()
{
    ReleaseAccessor();
    if (RowsetBinding* child = child_) {
        child_ = nullptr;
        child->Release();
    }
}

HRESULT ColumnInfo::LayoutFor(DBTYPE type, DBLENGTH size, DBBINDING& binding, ULONG& bufferSize)
{
    const DBORDINAL ordinal = binding.iOrdinal;
    binding = DBBINDING{};
    binding.iOrdinal = ordinal;
    binding.dwMemOwner = DBMEMOWNER_CLIENTOWNED;
    binding.eParamIO = DBPARAMIO_NOTPARAM;
    binding.wType = type;
    bufferSize = 0;
    ULONG value = 0;
    switch (type) {
    case DBTYPE_I2: case DBTYPE_BOOL: case DBTYPE_UI2:
        value = 2; break;
    case DBTYPE_I4: case DBTYPE_R4: case DBTYPE_BSTR: case DBTYPE_UI4: case DBTYPE_HCHAPTER:
        value = 4; break;
    case DBTYPE_R8: case DBTYPE_CY: case DBTYPE_DATE: case DBTYPE_I8: case DBTYPE_UI8:
    case DBTYPE_FILETIME: case 137:
        value = 8; break;
    case DBTYPE_VARIANT: case DBTYPE_GUID: case DBTYPE_DBTIMESTAMP: case 138:
        value = 16; break;
    case DBTYPE_I1: case DBTYPE_UI1:
        value = 1; break;
    case DBTYPE_NUMERIC:
        value = 19; break;
    case DBTYPE_DBDATE: case DBTYPE_DBTIME:
        value = 6; break;
    case DBTYPE_BYTES: case DBTYPE_STR: case DBTYPE_WSTR: {
        const ULONG n = static_cast<ULONG>(size) * (type == DBTYPE_WSTR ? 2 : 1) + 2;
        value = n + (n & 3);
        binding.obLength = value;
        binding.obStatus = value + 4;
        binding.cbMaxLen = value;
        binding.dwPart = DBPART_VALUE | DBPART_LENGTH | DBPART_STATUS;
        bufferSize = binding.obStatus + 4;
        return S_OK;
    }
    default:
        return E_FAIL;
    }
    binding.obStatus = value;
    binding.cbMaxLen = value;
    binding.dwPart = DBPART_VALUE | DBPART_STATUS;
    bufferSize = value + 4;
    return S_OK;
}

HRESULT ColumnInfo::EnsureAccessor(HACCESSOR* accessor)
{
    *accessor = accessor_;
    if (accessor_)
        return S_OK;
    IAccessor* source = binding_ ? binding_->GetAccessorInterface() : nullptr;
    if (!source)
        return E_FAIL;
    if (bufferSize_ == 0 && FAILED(LayoutFor(type_, size_, dbBinding_, bufferSize_)))
        return E_FAIL;
    DBBINDSTATUS status = DBBINDSTATUS_OK;
    HRESULT hr = source->CreateAccessor(DBACCESSOR_ROWDATA, 1, &dbBinding_, bufferSize_, &accessor_, &status);
    if (FAILED(hr) && bookmarkWasVariant_ && type_ != DBTYPE_VARIANT) {
        // The provider would not hand its bookmark out as a number.
        type_ = DBTYPE_VARIANT;
        size_ = 16;
        if (FAILED(LayoutFor(type_, size_, dbBinding_, bufferSize_)))
            return E_FAIL;
        hr = source->CreateAccessor(DBACCESSOR_ROWDATA, 1, &dbBinding_, bufferSize_, &accessor_, &status);
    }
    if (FAILED(hr)) {
        accessor_ = DB_NULL_HACCESSOR;
        return hr;
    }
    *accessor = accessor_;
    return S_OK;
}

void ColumnInfo::ReleaseAccessor()
{
    if (!accessor_)
        return;
    if (IAccessor* source = binding_ ? binding_->GetAccessorInterface() : nullptr)
        source->ReleaseAccessor(accessor_, nullptr);
    accessor_ = DB_NULL_HACCESSOR;
}

void ColumnInfo::ApplyLateTypeChange()
{
    switch (type_) {
    case DBTYPE_GUID: case DBTYPE_UI8: case DBTYPE_I8: case DBTYPE_DBTIMESTAMP: case DBTYPE_DBTIME:
        type_ = DBTYPE_BSTR;
        LayoutFor(type_, size_, dbBinding_, bufferSize_);
        dbBinding_.iOrdinal = ordinal_;
        break;
    default:
        break;
    }
}

void ColumnInfo::SetChildBinding(RowsetBinding* child)
{
    if (child)
        child->AddRef();
    if (child_)
        child_->Release();
    child_ = child;
}

bool ColumnInfo::IsAlike(const ColumnInfo& other) const
{
    return type_ == other.type_ && size_ == other.size_ && name_.Compare(other.name_.Text()) == 0 &&
           autoIncrement_ == other.autoIncrement_ &&
           baseColumnName_.Compare(other.baseColumnName_.Text()) == 0 &&
           baseTableName_.Compare(other.baseTableName_.Text()) == 0 && defaultPresent_ == other.defaultPresent_ &&
           defaultValue_.Compare(other.defaultValue_.Text()) == 0;
}

const wchar_t* ColumnInfo::Name()
{
    return WideCopy(name_, wideName_);
}

const wchar_t* ColumnInfo::BaseColumnName()
{
    return WideCopy(baseColumnName_, wideBaseColumn_);
}

const wchar_t* ColumnInfo::BaseTableName()
{
    return WideCopy(baseTableName_, wideBaseTable_);
}
