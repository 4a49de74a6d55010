// RowPosition: the current row shared by the consumers of a data source
// (IRowPosition with IRowPositionChange notifications). It is the cursor of
// the recordset it was made for: the application's moves are notified to its
// listeners, and the grid's moves become the recordset's current record.
#pragma once

#include "ComRef.h"
#include "ConnectionPoint.h"
#include "Cursor.h"
#include "NotificationRound.h"

#include <oledb.h>
#include <ocidl.h>

#include <memory>

namespace hv::recordset {

class Rowset;

class RowPosition : public IRowPosition, public IConnectionPointContainer, public CursorMover {
public:
    static HRESULT Create(Rowset* rowset, std::shared_ptr<Cursor> cursor, RowPosition** position);
    // Detaches from the cursor (the recordset was closed or went away).
    void Detach();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IRowPosition
    STDMETHODIMP ClearRowPosition() override;
    STDMETHODIMP GetRowPosition(HCHAPTER* phChapter, HROW* phRow, DBPOSITIONFLAGS* pdwPositionFlags) override;
    STDMETHODIMP GetRowset(REFIID riid, IUnknown** ppRowset) override;
    STDMETHODIMP Initialize(IUnknown* pRowset) override;
    STDMETHODIMP SetRowPosition(HCHAPTER hChapter, HROW hRow, DBPOSITIONFLAGS dwPositionFlags) override;
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

    // CursorMover: a move of the application's recordset.
    HRESULT MoveCursor(Cursor& cursor, const CursorState& to) override;

private:
    RowPosition(Rowset* rowset, std::shared_ptr<Cursor> cursor);
    virtual ~RowPosition();
    NotificationRound::Sender Sender(DBREASON reason);

    LONG refs_ = 1;
    ComRef<IRowset> rowset_;
    Rowset* impl_;
    std::shared_ptr<Cursor> cursor_;
    ConnectionPoint notify_;
    bool cleared_ = false;
};

} // namespace hv::recordset
