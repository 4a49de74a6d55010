// SubscriptionLink: one subscriber's place in one publisher's list. The
// subscribing object (or the object that the Parts name) owns the link; the
// publisher's list only threads through it.
#pragma once

#include "ListLink.h"

class ChangePublisher;
class ChangeSubscriber;

class SubscriptionLink : public ListLink {
public:
    // subscriber is not owned; a link without one is skipped by notices and
    // dropped by transfers.
    explicit SubscriptionLink(ChangeSubscriber* subscriber) : subscriber_(subscriber) {}
    ~SubscriptionLink() override = default;

    // Moves the link to the front of publisher's list.
    void RelinkSubscription(ChangePublisher* publisher);
    void Unlink() { UnlinkListLink(this); }

    ChangeSubscriber* Subscriber() const { return subscriber_; }
    // A walk's place-holder, which every walk steps over.
    bool IsWalkMarker() const { return marker_; }

protected:
    struct MarkerTag {};
    explicit SubscriptionLink(MarkerTag) : subscriber_(nullptr), marker_(true) {}

private:
    ChangeSubscriber* subscriber_;
    bool marker_ = false;
};
