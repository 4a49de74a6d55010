// AccessorTable: the accessors of one rowset: their bindings, validated
// against the rowset's columns when created, and their reference counts.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <map>
#include <vector>

namespace hv::recordset {

class AccessorTable {
public:
    struct Accessor {
        DBACCESSORFLAGS flags = 0;
        std::vector<DBBINDING> bindings;
        DBLENGTH rowSize = 0;
        DBREFCOUNT refs = 1;
    };

    // columnTypes[i] is the stored type of ordinal i (0 being the bookmark).
    HRESULT Create(DBACCESSORFLAGS flags, DBCOUNTITEM count, const DBBINDING bindings[], DBLENGTH rowSize,
                   const std::vector<DBTYPE>& columnTypes, HACCESSOR* accessor, DBBINDSTATUS status[]);
    const Accessor* Find(HACCESSOR accessor) const;
    HRESULT AddRef(HACCESSOR accessor, DBREFCOUNT* count);
    HRESULT Release(HACCESSOR accessor, DBREFCOUNT* count);
    HRESULT GetBindings(HACCESSOR accessor, DBACCESSORFLAGS* flags, DBCOUNTITEM* count,
                        DBBINDING** bindings) const;
    size_t Count() const { return accessors_.size(); }

private:
    std::map<HACCESSOR, Accessor> accessors_;
    HACCESSOR next_ = 0x100;
};

} // namespace hv::recordset
