// Visible headers: the item's reference and the forwarding of its notices.
#include "HvVisibleHeader.h"

#include <new>

HvVisibleHeader* HvVisibleHeader::Create(ChangeSubscriber* region, VisibleHeaderSubject& item)
{
    return new (std::nothrow) HvVisibleHeader(region, item);
}

HvVisibleHeader::HvVisibleHeader(ChangeSubscriber* region, VisibleHeaderSubject& item)
    : region_(region), item_(item), itemLink_(this)
{
    item_.AddRefHeader();
    if (ChangePublisher* publisher = item_.Publisher())
        itemLink_.RelinkSubscription(publisher);
}

HvVisibleHeader::~HvVisibleHeader()
{
    itemLink_.Unlink();
    UnlinkListLink(this);
    item_.ReleaseHeader();
}

unsigned long HvVisibleHeader::Release()
{
    const unsigned long left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

void HvVisibleHeader::OnChange(const ChangeNotice* notice)
{
    if (region_ && notice)
        region_->OnChange(notice);
}
