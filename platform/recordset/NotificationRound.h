// NotificationRound: runs one change through the notification phases.
// Every event of the round is approved (OKTODO, then ABOUTTODO) before the
// change is applied; a veto or a failed change sends FAILEDTODO to every
// event and the round answers DB_E_CANCELED (or the failure); a done change
// is followed by SYNCHAFTER and DIDEVENT, which cannot be denied.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <functional>
#include <vector>

namespace hv::recordset {

class NotificationRound {
public:
    // Sends one phase of one event to its listeners; answers S_FALSE when a
    // listener vetoed a deniable phase.
    using Sender = std::function<HRESULT(DBEVENTPHASE phase, bool cantDeny)>;

    void Add(Sender sender) { senders_.push_back(std::move(sender)); }
    bool Empty() const { return senders_.empty(); }
    HRESULT Run(const std::function<HRESULT()>& apply);

    // The two halves of a round for events whose change happens between two
    // calls (the row position: cleared, then set): approval (OKTODO,
    // ABOUTTODO; FAILEDTODO and DB_E_CANCELED on a veto) and completion
    // (SYNCHAFTER, DIDEVENT).
    static HRESULT Approve(const Sender& sender);
    static void Complete(const Sender& sender);

    // True while a round of this thread is in a phase other than DIDEVENT:
    // listeners may read and move then, but not change rows or records.
    static bool IsLocked();

private:
    void SendAll(DBEVENTPHASE phase);
    std::vector<Sender> senders_;
};

} // namespace hv::recordset
