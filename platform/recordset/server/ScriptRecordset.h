// ScriptRecordset: the registered, scriptable recordset (ProgID
// "HvRecordset.Recordset"). It drives one in-memory recordset and, while
// open, answers DataSource through QueryInterface, so that a script can hand
// it to a grid as its data source.
#pragma once

#include "DispatchObject.h"

#include "../Recordset.h"

#include <HvRecordset.h>

#include <memory>

namespace hv::recordset::server {

class ScriptRecordset final : public DispatchObject<IHvRecordset> {
public:
    static HRESULT Create(std::unique_ptr<Recordset> native, REFIID iid, void** out);
    // The scriptable recordset behind an object, if it is one of ours;
    // the caller gets a reference.
    static HRESULT FromUnknown(IUnknown* object, ScriptRecordset** recordset);

    Recordset& Native() { return *native_; }

    // IHvRecordset
    STDMETHODIMP get_Fields(IHvRecordsetFields** fields) override;
    STDMETHODIMP Open(VARIANT source, VARIANT activeConnection, LONG cursorType, LONG lockType,
                      LONG options) override;
    STDMETHODIMP Close() override;
    STDMETHODIMP get_State(LONG* state) override;
    STDMETHODIMP AddNew() override;
    STDMETHODIMP Update() override;
    STDMETHODIMP get_Collect(VARIANT index, VARIANT* value) override;
    STDMETHODIMP put_Collect(VARIANT index, VARIANT value) override;
    STDMETHODIMP MoveFirst() override;
    STDMETHODIMP MoveNext() override;
    STDMETHODIMP MovePrevious() override;
    STDMETHODIMP MoveLast() override;
    STDMETHODIMP get_EOF(VARIANT_BOOL* atEnd) override;
    STDMETHODIMP get_BOF(VARIANT_BOOL* atStart) override;
    STDMETHODIMP get_RecordCount(LONG* count) override;
    STDMETHODIMP Clone(LONG lockType, IHvRecordset** clone) override;
    STDMETHODIMP AppendChapter(BSTR name, IDispatch* child, BSTR parentKey, BSTR childKey) override;

    // The field of the current record, for the field objects.
    HRESULT GetFieldValue(const VARIANT& index, VARIANT* value);
    HRESULT SetFieldValue(const VARIANT& index, const VARIANT& value);

private:
    explicit ScriptRecordset(std::unique_ptr<Recordset> native);
    HRESULT QueryOther(REFIID iid, void** out) override;
    HRESULT Checked(HRESULT hr, std::wstring_view field = {});

    std::unique_ptr<Recordset> native_;
};

} // namespace hv::recordset::server
