// ChangePublisher: the notification, transfer and release walks.
//
// Each walk keeps its place with a marker link threaded just behind the link
// whose subscriber is being called. Whatever the callback does to its own
// link or to others (unlink, relink, delete, subscribe more), the walk goes
// on from the marker, which stays in this publisher's list.
#include "ChangePublisher.h"

#include "ChangeSubscriber.h"

namespace {

class WalkMarker final : public SubscriptionLink {
public:
    WalkMarker() : SubscriptionLink(MarkerTag{}) {}
};

SubscriptionLink* AsSubscription(ListLink* link)
{
    return static_cast<SubscriptionLink*>(link);
}

// Keeps the publishing object alive during a walk. An object already on its
// way out (count 0, publishing from its destructor) answers 1 to AddRef: a
// Release then would delete it a second time, so none is made.
class PublisherHold {
public:
    explicit PublisherHold(ChangePublisher& publisher)
        : publisher_(publisher), held_(publisher.AddRefPublisher() > 1)
    {
    }
    ~PublisherHold()
    {
        if (held_)
            publisher_.ReleasePublisher();
    }
    PublisherHold(const PublisherHold&) = delete;
    PublisherHold& operator=(const PublisherHold&) = delete;

private:
    ChangePublisher& publisher_;
    bool held_;
};

} // namespace

ChangePublisher::~ChangePublisher()
{
    // The publishing object's destructor has told its subscribers already
    // (DetachAllSubscribers); what is left is let go without calls into a
    // half-destroyed object.
    for (ListLink* link = head_.Next(); link;) {
        ListLink* next = link->Next();
        UnlinkListLink(link);
        link = next;
    }
}

bool ChangePublisher::HasSubscribers() const
{
    for (ListLink* link = head_.Next(); link; link = link->Next())
        if (!AsSubscription(link)->IsWalkMarker())
            return true;
    return false;
}

void ChangePublisher::NotifySubscribers(std::int32_t what, std::intptr_t argument)
{
    PublisherHold hold(*this);
    const ChangeNotice notice{this, what, argument};
    WalkMarker marker;
    ListLink* link = head_.Next();
    while (link) {
        SubscriptionLink* subscription = AsSubscription(link);
        ChangeSubscriber* subscriber = subscription->Subscriber();
        if (subscription->IsWalkMarker() || !subscriber) {
            link = link->Next();
            continue;
        }
        marker.InsertAfter(subscription);
        subscriber->AddRefSubscriber();
        subscriber->OnChange(&notice);
        link = marker.Next();
        marker.Unlink();
        subscriber->ReleaseSubscriber();
    }
}

void ChangePublisher::TransferSubscribers(ChangePublisher* to, std::intptr_t argument)
{
    if (to == this)
        return;
    WalkMarker marker;
    ListLink* link = head_.Next();
    while (link) {
        SubscriptionLink* subscription = AsSubscription(link);
        if (subscription->IsWalkMarker()) {
            link = link->Next();
            continue;
        }
        marker.InsertAfter(subscription);
        ChangeSubscriber* subscriber = subscription->Subscriber();
        bool follow = !subscriber || subscriber->OnTransfer(this, to, argument);
        // Only a link that the callback left where it was is still ours to move.
        if (follow && marker.Prev() == subscription) {
            if (to)
                subscription->RelinkSubscription(to);
            else
                subscription->Unlink();
        }
        link = marker.Next();
        marker.Unlink();
    }
}

void ChangePublisher::ReleaseAllSubscribers(std::intptr_t argument)
{
    WalkMarker marker;
    ListLink* link = head_.Next();
    while (link) {
        SubscriptionLink* subscription = AsSubscription(link);
        if (subscription->IsWalkMarker()) {
            link = link->Next();
            continue;
        }
        marker.InsertAfter(subscription);
        if (ChangeSubscriber* subscriber = subscription->Subscriber())
            subscriber->OnPublisherDetach(this, argument);
        if (marker.Prev() == subscription)
            subscription->Unlink();
        link = marker.Next();
        marker.Unlink();
    }
}

void ChangePublisher::DetachAllSubscribers()
{
    ReleaseAllSubscribers(0);
    // Whatever subscribed again from a detach callback is let go without a call.
    for (ListLink* link = head_.Next(); link;) {
        ListLink* next = link->Next();
        if (!AsSubscription(link)->IsWalkMarker())
            UnlinkListLink(link);
        link = next;
    }
}
