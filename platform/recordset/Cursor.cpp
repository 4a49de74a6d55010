// The shared current record.
#include "Cursor.h"

namespace hv::recordset {

HRESULT Cursor::MoveTo(const CursorState& to)
{
    if (mover_)
        return mover_->MoveCursor(*this, to);
    state_ = to;
    return S_OK;
}

} // namespace hv::recordset
