// ChangeSubscriber: default answers to transfers and detaches.
#include "ChangeSubscriber.h"

bool ChangeSubscriber::OnTransfer(ChangePublisher*, ChangePublisher*, std::intptr_t)
{
    return true;
}

void ChangeSubscriber::OnPublisherDetach(ChangePublisher*, std::intptr_t)
{
}
