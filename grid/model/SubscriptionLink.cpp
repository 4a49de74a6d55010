// SubscriptionLink: moving a subscription between publishers.
#include "SubscriptionLink.h"

#include "ChangePublisher.h"

void SubscriptionLink::RelinkSubscription(ChangePublisher* publisher)
{
    InsertAfter(publisher->Head());
}
