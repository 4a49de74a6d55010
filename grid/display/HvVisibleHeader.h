// HvVisibleHeader: one header shown in a column scroll region. It keeps the
// header item referenced and passes the item's change notices on to the
// region, so that the region refreshes.
#pragma once

#include "ChangeSubscriber.h"
#include "ListLink.h"
#include "SubscriptionLink.h"

class ChangePublisher;

// What a visible header needs of the column's or group's header part.
class VisibleHeaderSubject {
public:
    virtual void AddRefHeader() = 0;
    virtual void ReleaseHeader() = 0;
    // The item's right edge and its owner's start, in pixels.
    virtual long Extent() = 0;
    virtual long OwnerStart() = 0;
    // The publisher of the item's change notices, or null.
    virtual ChangePublisher* Publisher() = 0;

protected:
    ~VisibleHeaderSubject() = default;
};

class HvVisibleHeader final : public ListLink, public ChangeSubscriber {
public:
    // A new entry with one reference; region (not referenced) hears the
    // item's notices.
    static HvVisibleHeader* Create(ChangeSubscriber* region, VisibleHeaderSubject& item);

    unsigned long AddRef() { return ++refs_; }
    unsigned long Release();

    VisibleHeaderSubject& Item() const { return item_; }
    long Width() const { return item_.Extent() - item_.OwnerStart(); }

    // ChangeSubscriber
    void OnChange(const ChangeNotice* notice) override;
    unsigned long AddRefSubscriber() override { return AddRef(); }
    unsigned long ReleaseSubscriber() override { return Release(); }

private:
    HvVisibleHeader(ChangeSubscriber* region, VisibleHeaderSubject& item);
    ~HvVisibleHeader() override;

    ChangeSubscriber* region_;
    VisibleHeaderSubject& item_;
    unsigned long refs_ = 1;
    SubscriptionLink itemLink_;
};
