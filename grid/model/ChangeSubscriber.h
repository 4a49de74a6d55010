// ChangeSubscriber: the part of an object through which it hears of changes
// of the objects it watches.
#pragma once

#include "ChangeNotice.h"

#include <cstdint>

class ChangeSubscriber {
public:
    virtual void OnChange(const ChangeNotice* notice) = 0;
    // The publisher hands its subscribers to another (to may be null); true
    // means this subscriber follows.
    virtual bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument);
    // The publisher is going away.
    virtual void OnPublisherDetach(ChangePublisher* publisher, std::intptr_t argument);
    // Reference counting of the object that embeds the subscriber.
    virtual unsigned long AddRefSubscriber() = 0;
    virtual unsigned long ReleaseSubscriber() = 0;

protected:
    ChangeSubscriber() = default;
    ~ChangeSubscriber() = default;
};
