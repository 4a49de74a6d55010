// ChangePublisher: the part of an object through which it tells the objects
// that watch it about its changes. Its list runs most recently subscribed
// first; every walk over it survives callbacks that unsubscribe, relink or
// release.
#pragma once

#include "ListLink.h"
#include "SubscriptionLink.h"

#include <cstdint>

class ChangePublisher {
public:
    ChangePublisher(const ChangePublisher&) = delete;
    ChangePublisher& operator=(const ChangePublisher&) = delete;

    // The publishing object's kind (10 appearance, 36 override, ...).
    virtual int KindCode() const = 0;
    // Reference counting of the object that embeds the publisher.
    virtual unsigned long AddRefPublisher() = 0;
    virtual unsigned long ReleasePublisher() = 0;

    // Hands {this, what, argument} to every subscriber.
    void NotifySubscribers(std::int32_t what, std::intptr_t argument);
    // Offers every subscriber to another publisher (or to none when to is null).
    void TransferSubscribers(ChangePublisher* to, std::intptr_t argument);
    // Tells every subscriber that this publisher goes away and unlinks it.
    void ReleaseAllSubscribers(std::intptr_t argument);
    // The publishing object's tear-down, called by its destructor: every
    // subscriber hears OnPublisherDetach, then the list is empty.
    void DetachAllSubscribers();

    ListLink* Head() { return &head_; }
    bool HasSubscribers() const;

protected:
    ChangePublisher() = default;
    virtual ~ChangePublisher();

private:
    ListLink head_;
};
