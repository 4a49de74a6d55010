// The shared row position of a data source.
#include "RowPosition.h"

#include "Rowset.h"

#include <oledberr.h>
#include <olectl.h>

#include <new>

namespace hv::recordset {

HRESULT RowPosition::Create(Rowset* rowset, std::shared_ptr<Cursor> cursor, RowPosition** position)
{
    if (!position)
        return E_POINTER;
    *position = new (std::nothrow) RowPosition(rowset, std::move(cursor));
    return *position ? S_OK : E_OUTOFMEMORY;
}

RowPosition::RowPosition(Rowset* rowset, std::shared_ptr<Cursor> cursor)
    : rowset_(static_cast<IRowsetScroll*>(rowset)), impl_(rowset), cursor_(std::move(cursor)),
      notify_(static_cast<IRowPosition*>(this), this, IID_IRowPositionChange)
{
    cursor_->SetMover(this);
}

RowPosition::~RowPosition()
{
    Detach();
}

void RowPosition::Detach()
{
    if (cursor_ && cursor_->Mover() == this)
        cursor_->SetMover(nullptr);
}

STDMETHODIMP RowPosition::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRowPosition))
        *out = static_cast<IRowPosition*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer)
             && !impl_->GetTable()->Switches().IsDisabled(IID_IConnectionPointContainer))
        *out = static_cast<IConnectionPointContainer*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) RowPosition::AddRef()
{
    return static_cast<ULONG>(++refs_);
}

STDMETHODIMP_(ULONG) RowPosition::Release()
{
    const LONG n = --refs_;
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

NotificationRound::Sender RowPosition::Sender(DBREASON reason)
{
    return [this, reason](DBEVENTPHASE phase, bool cantDeny) -> HRESULT {
        AddRef();
        HRESULT answer = S_OK;
        for (const ComRef<IUnknown>& sink : notify_.Sinks()) {
            auto* listener = static_cast<IRowPositionChange*>(sink.Get());
            if (listener->OnRowPositionChange(reason, phase, cantDeny) == S_FALSE && !cantDeny) {
                answer = S_FALSE;
                break;
            }
        }
        if (answer == S_OK && !cantDeny && impl_->GetTable()->Switches().IsVetoed(reason, phase))
            answer = S_FALSE;
        Release();
        return answer;
    };
}

STDMETHODIMP RowPosition::ClearRowPosition()
{
    try {
        HRESULT hr = impl_->GetTable()->Switches().Enter("IRowPosition::ClearRowPosition");
        if (hr != S_OK)
            return hr;
        if (NotificationRound::IsLocked())
            return DB_E_NOTREENTRANT;
        if (cleared_)
            return E_UNEXPECTED;
        hr = NotificationRound::Approve(Sender(DBREASON_ROWPOSITION_CLEARED));
        if (FAILED(hr))
            return hr;
        cleared_ = true;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP RowPosition::GetRowPosition(HCHAPTER* phChapter, HROW* phRow, DBPOSITIONFLAGS* pdwPositionFlags)
{
    try {
        if (phChapter)
            *phChapter = DB_NULL_HCHAPTER;
        if (phRow)
            *phRow = DB_NULL_HROW;
        if (pdwPositionFlags)
            *pdwPositionFlags = DBPOSITION_NOROW;
        if (!phRow)
            return E_INVALIDARG;
        HRESULT hr = impl_->GetTable()->Switches().Enter("IRowPosition::GetRowPosition");
        if (hr != S_OK)
            return hr;
        const CursorState& s = cursor_->State();
        DBPOSITIONFLAGS flags = DBPOSITION_NOROW;
        if (!cleared_ && s.slot != kNoSlot && impl_->GetTable()->IsLive(s.slot)) {
            *phRow = impl_->AddRefSlot(s.slot);
            flags = DBPOSITION_OK;
        } else if (!cleared_ && s.slot == kNoSlot && impl_->GetTable()->Count() != 0) {
            flags = s.eof ? DBPOSITION_EOF : s.bof ? DBPOSITION_BOF : DBPOSITION_NOROW;
        }
        if (pdwPositionFlags)
            *pdwPositionFlags = flags;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP RowPosition::GetRowset(REFIID riid, IUnknown** ppRowset)
{
    if (!ppRowset)
        return E_INVALIDARG;
    *ppRowset = nullptr;
    return rowset_->QueryInterface(riid, reinterpret_cast<void**>(ppRowset));
}

STDMETHODIMP RowPosition::Initialize(IUnknown*)
{
    return DB_E_ALREADYINITIALIZED;
}

STDMETHODIMP RowPosition::SetRowPosition(HCHAPTER hChapter, HROW hRow, DBPOSITIONFLAGS dwPositionFlags)
{
    try {
        HRESULT hr = impl_->GetTable()->Switches().Enter("IRowPosition::SetRowPosition");
        if (hr != S_OK)
            return hr;
        if (!cleared_)
            return E_UNEXPECTED;
        if (hChapter != DB_NULL_HCHAPTER)
            return DB_E_BADCHAPTER;
        CursorState to;
        if (hRow == DB_NULL_HROW) {
            if (dwPositionFlags != DBPOSITION_BOF && dwPositionFlags != DBPOSITION_EOF
                && dwPositionFlags != DBPOSITION_NOROW)
                return E_INVALIDARG;
            to.bof = dwPositionFlags != DBPOSITION_EOF;
            to.eof = dwPositionFlags != DBPOSITION_BOF;
        } else {
            if (dwPositionFlags != DBPOSITION_OK)
                return E_INVALIDARG;
            if (!impl_->IsValidRow(hRow))
                return DB_E_BADROWHANDLE;
            const uint32_t slot = static_cast<uint32_t>(hRow - 1);
            if (!impl_->GetTable()->IsLive(slot))
                return DB_E_DELETEDROW;
            to.slot = slot;
            to.bof = to.eof = false;
        }
        cursor_->Assign(to);
        cleared_ = false;
        NotificationRound::Complete(Sender(DBREASON_ROWPOSITION_CHANGED));
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP RowPosition::EnumConnectionPoints(IEnumConnectionPoints** ppEnum)
{
    if (ppEnum)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP RowPosition::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    if (!ppCP)
        return E_POINTER;
    *ppCP = nullptr;
    if (!IsEqualIID(riid, IID_IRowPositionChange))
        return CONNECT_E_NOCONNECTION;
    *ppCP = &notify_;
    notify_.AddRef();
    return S_OK;
}

HRESULT RowPosition::MoveCursor(Cursor& cursor, const CursorState& to)
{
    if (!notify_.HasSinks()) {
        cursor.Assign(to);
        return S_OK;
    }
    if (NotificationRound::IsLocked())
        return DB_E_NOTREENTRANT;
    AddRef();
    HRESULT hr = S_OK;
    try {
        if (!cleared_)
            hr = NotificationRound::Approve(Sender(DBREASON_ROWPOSITION_CLEARED));
        if (SUCCEEDED(hr)) {
            cursor.Assign(to);
            cleared_ = false;
            NotificationRound::Complete(Sender(DBREASON_ROWPOSITION_CHANGED));
        }
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    }
    Release();
    return hr;
}

} // namespace hv::recordset
