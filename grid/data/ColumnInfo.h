// ColumnInfo: one column of a bound rowset: its types (effective and the
// provider's), size, id, names and attributes, the layout of its one-column
// buffer, its accessor (made on first use) and, for a chapter column, the
// child binding it leads to.
#pragma once

#include "ColumnInfoSeam.h"
#include "DualString.h"

#include <windows.h>
#include <oledb.h>

#include <string>

class RowsetBinding;

class ColumnInfo final : public ColumnInfoSeam {
public:
    // Normalises the provider's description (effective type, flags).
    ColumnInfo(RowsetBinding* binding, const DBCOLUMNINFO& info);
    virtual ~ColumnInfo();
    ColumnInfo(const ColumnInfo&) = delete;
    ColumnInfo& operator=(const ColumnInfo&) = delete;

    // The buffer layout of a column of that effective type and size:
    // E_FAIL for a type that cannot be bound.
    static HRESULT LayoutFor(DBTYPE type, DBLENGTH size, DBBINDING& binding, ULONG& bufferSize);

    // The accessor, made on first use (E_FAIL for a type that cannot be
    // bound, or the provider's failure).
    HRESULT EnsureAccessor(HACCESSOR* accessor);
    void ReleaseAccessor();
    // Types that the provider converts once the child binding is made.
    void ApplyLateTypeChange();

    // Chapter columns: the child binding over the referenced rowset
    // (owned: one reference).
    void SetChildBinding(RowsetBinding* child);
    RowsetBinding* GetChildBinding() const { return child_; }

    RowsetBinding* GetBinding() const { return binding_; }
    DBTYPE GetType() const { return type_; }
    DBTYPE GetProviderType() const { return providerType_; }
    DBLENGTH GetSize() const { return size_; }
    DBORDINAL GetOrdinal() const { return ordinal_; }
    const DBID& GetId() const { return id_; }
    const CDualString& GetName() const { return name_; }
    const CDualString& GetBaseColumnName() const { return baseColumnName_; }
    const CDualString& GetBaseTableName() const { return baseTableName_; }
    const DBBINDING& GetBindingDescription() const { return dbBinding_; }
    ULONG GetBufferSize() const { return bufferSize_; }
    BYTE GetPrecision() const { return precision_; }
    BYTE GetScale() const { return scale_; }
    bool IsBookmark() const { return isBookmark_; }
    bool IsReadable() const { return !notReadable_; }
    bool MayBeNull() const { return mayBeNull_; }
    bool HasLengthPart() const { return (dbBinding_.dwPart & DBPART_LENGTH) != 0; }
    bool HasStatusPart() const { return (dbBinding_.dwPart & DBPART_STATUS) != 0; }
    bool IsChapter() const { return type_ == DBTYPE_HCHAPTER; }

    // Extended attributes, when the provider describes them.
    bool IsAutoIncrement() const { return autoIncrement_; }
    bool HasDefaultValue() const { return defaultPresent_; }
    const CDualString& GetDefaultValue() const { return defaultValue_; }
    void SetBaseColumnName(const wchar_t* name) { baseColumnName_.AssignWide(name); }
    void SetBaseTableName(const wchar_t* name) { baseTableName_.AssignWide(name); }
    void SetAttribute12(LONG value) { attribute12_ = value; }
    void SetDefaultValue(const wchar_t* text) { defaultValue_.AssignWide(text); defaultPresent_ = true; }
    void SetHasDefault(bool flag) { hasDefault_ = flag; }
    void SetAutoIncrement(bool flag) { autoIncrement_ = flag; }
    void SetCaseSensitive(bool flag) { caseSensitive_ = flag; }
    void SetUnique(bool flag) { unique_ = flag; }

    // ColumnInfoSeam: what the bound grid column reads.
    const wchar_t* Name() override;
    const wchar_t* BaseColumnName() override;
    const wchar_t* BaseTableName() override;
    LONG TypeCode() override { return static_cast<LONG>(type_); }
    LONG Size() override { return static_cast<LONG>(size_); }
    bool AcceptsNulls() override { return mayBeNull_; }
    bool IsWritable() override { return writable_; }

    // Alike for HasSameColumns (chapter columns are compared by the caller).
    bool IsAlike(const ColumnInfo& other) const;

private:
    RowsetBinding* binding_; // not referenced
    DBTYPE type_;
    DBTYPE providerType_;
    DBLENGTH size_;
    DBID id_{};
    DBORDINAL ordinal_;
    CDualString name_;
    CDualString baseColumnName_;
    CDualString baseTableName_;
    LONG attribute12_ = 0;
    CDualString defaultValue_;
    RowsetBinding* child_ = nullptr;
    HACCESSOR accessor_ = DB_NULL_HACCESSOR;
    DBBINDING dbBinding_{};
    ULONG bufferSize_ = 0;
    BYTE precision_;
    BYTE scale_;
    bool autoIncrement_ = false;
    bool defaultPresent_ = false;
    bool caseSensitive_ = false;
    bool mayBeNull_ = false;
    bool unique_ = false;
    bool writable_ = false;
    bool hasDefault_ = false;
    bool fixedLength_ = false;
    bool isBookmark_ = false;
    bool notReadable_ = false;
    bool bookmarkWasVariant_ = false;
    // Wide copies of the names handed to the grid column.
    std::wstring wideName_;
    std::wstring wideBaseColumn_;
    std::wstring wideBaseTable_;
};
