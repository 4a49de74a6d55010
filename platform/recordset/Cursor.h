// Cursor: the current record of a recordset. A recordset and the row
// position of its data source share one cursor, so that a grid bound to the
// recordset and the application's moves follow each other; when a row
// position is attached every move goes through it and is notified.
#pragma once

#include <windows.h>

#include <cstdint>

namespace hv::recordset {

constexpr uint32_t kNoSlot = 0xFFFFFFFFu;

struct CursorState {
    uint32_t slot = kNoSlot; // the current record, kNoSlot at BOF or EOF
    bool bof = true;
    bool eof = true;
};

class Cursor;

class CursorMover {
public:
    // Moves the cursor (Cursor::Assign) with whatever notification it owes;
    // DB_E_CANCELED when a listener refused the move.
    virtual HRESULT MoveCursor(Cursor& cursor, const CursorState& to) = 0;

protected:
    ~CursorMover() = default;
};

class Cursor {
public:
    const CursorState& State() const { return state_; }
    HRESULT MoveTo(const CursorState& to);
    void Assign(const CursorState& to) { state_ = to; }
    // Not owned; the mover clears itself before it goes.
    void SetMover(CursorMover* mover) { mover_ = mover; }
    CursorMover* Mover() const { return mover_; }

private:
    CursorState state_;
    CursorMover* mover_ = nullptr;
};

} // namespace hv::recordset
