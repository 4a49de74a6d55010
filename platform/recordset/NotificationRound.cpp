// The phases of one notified change.
#include "NotificationRound.h"

#include <oledberr.h>

namespace hv::recordset {

namespace {

thread_local int lockDepth = 0;

// Marks the phases during which a change may not start.
class PhaseLock {
public:
    explicit PhaseLock(DBEVENTPHASE phase) : locked_(phase != DBEVENTPHASE_DIDEVENT)
    {
        if (locked_)
            ++lockDepth;
    }
    ~PhaseLock()
    {
        if (locked_)
            --lockDepth;
    }
    PhaseLock(const PhaseLock&) = delete;
    PhaseLock& operator=(const PhaseLock&) = delete;

private:
    bool locked_;
};

} // namespace

bool NotificationRound::IsLocked()
{
    return lockDepth > 0;
}

void NotificationRound::SendAll(DBEVENTPHASE phase)
{
    PhaseLock lock(phase);
    for (auto& send : senders_)
        send(phase, true);
}

HRESULT NotificationRound::Run(const std::function<HRESULT()>& apply)
{
    for (DBEVENTPHASE phase : {DBEVENTPHASE_OKTODO, DBEVENTPHASE_ABOUTTODO}) {
        bool vetoed = false;
        {
            PhaseLock lock(phase);
            for (auto& send : senders_) {
                if (send(phase, false) == S_FALSE) {
                    vetoed = true;
                    break;
                }
            }
        }
        if (vetoed) {
            SendAll(DBEVENTPHASE_FAILEDTODO);
            return DB_E_CANCELED;
        }
    }
    const HRESULT hr = apply();
    if (FAILED(hr)) {
        SendAll(DBEVENTPHASE_FAILEDTODO);
        return hr;
    }
    SendAll(DBEVENTPHASE_SYNCHAFTER);
    SendAll(DBEVENTPHASE_DIDEVENT);
    return hr;
}

HRESULT NotificationRound::Approve(const Sender& sender)
{
    for (DBEVENTPHASE phase : {DBEVENTPHASE_OKTODO, DBEVENTPHASE_ABOUTTODO}) {
        HRESULT answer;
        {
            PhaseLock lock(phase);
            answer = sender(phase, false);
        }
        if (answer == S_FALSE) {
            PhaseLock lock(DBEVENTPHASE_FAILEDTODO);
            sender(DBEVENTPHASE_FAILEDTODO, true);
            return DB_E_CANCELED;
        }
    }
    return S_OK;
}

void NotificationRound::Complete(const Sender& sender)
{
    {
        PhaseLock lock(DBEVENTPHASE_SYNCHAFTER);
        sender(DBEVENTPHASE_SYNCHAFTER, true);
    }
    sender(DBEVENTPHASE_DIDEVENT, true);
}

} // namespace hv::recordset
