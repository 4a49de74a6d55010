// Change notices: order, the walks' resistance to callbacks that change the
// list, transfers, detaches and the refresh helpers over fake regions.
#include <doctest/doctest.h>

#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "HvUIElementOwner.h"
#include "LayoutRegionsSeam.h"
#include "ScrollRegionSeam.h"
#include "SubscriptionLink.h"
#include "UIElementSeam.h"
#include "UIRefresh.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A publishing object with a reference count; it deletes itself at zero.
class FakePublisher final : public ChangePublisher {
public:
    explicit FakePublisher(int* deletions = nullptr) : deletions_(deletions) {}
    int KindCode() const override { return 10; }
    unsigned long AddRefPublisher() override { return ++count_; }
    unsigned long ReleasePublisher() override
    {
        const unsigned long remaining = --count_;
        if (remaining == 0)
            delete this;
        return remaining;
    }
    unsigned long count_ = 1;
    std::function<void()> onDestroy;

private:
    ~FakePublisher() override
    {
        if (deletions_)
            ++*deletions_;
        if (onDestroy)
            onDestroy();
        DetachAllSubscribers();
    }
    int* deletions_;
};

class Subscriber final : public ChangeSubscriber {
public:
    Subscriber(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log), link(this) {}
    void OnChange(const ChangeNotice* notice) override
    {
        log_.push_back(name_ + ":" + std::to_string(notice->what));
        if (onChange)
            onChange(*notice);
    }
    bool OnTransfer(ChangePublisher*, ChangePublisher*, std::intptr_t) override
    {
        log_.push_back(name_ + ":transfer");
        if (onTransfer)
            onTransfer();
        return follow;
    }
    void OnPublisherDetach(ChangePublisher*, std::intptr_t argument) override
    {
        log_.push_back(name_ + ":detach" + std::to_string(argument));
        if (onDetach)
            onDetach();
    }
    unsigned long AddRefSubscriber() override { return ++refs; }
    unsigned long ReleaseSubscriber() override { return --refs; }

    std::string name_;
    std::vector<std::string>& log_;
    SubscriptionLink link;
    std::function<void(const ChangeNotice&)> onChange;
    std::function<void()> onTransfer;
    std::function<void()> onDetach;
    bool follow = true;
    unsigned long refs = 1;
};

struct Fixture {
    std::vector<std::string> log;
    FakePublisher* publisher = new FakePublisher;
    Subscriber a{"A", log}, b{"B", log}, c{"C", log};
    Fixture()
    {
        c.link.RelinkSubscription(publisher);
        b.link.RelinkSubscription(publisher);
        a.link.RelinkSubscription(publisher); // list: A B C
    }
    ~Fixture()
    {
        if (publisher)
            publisher->ReleasePublisher();
    }
};

using Log = std::vector<std::string>;

} // namespace

TEST_CASE("notices reach the most recent subscriber first, holding publisher and subscriber")
{
    Fixture f;
    unsigned long publisherCountSeen = 0, subscriberCountSeen = 0;
    f.b.onChange = [&](const ChangeNotice& n) {
        CHECK(n.publisher == f.publisher);
        CHECK(n.argument == 7);
        publisherCountSeen = f.publisher->count_;
        subscriberCountSeen = f.b.refs;
    };
    f.publisher->NotifySubscribers(1032, 7);
    CHECK(f.log == Log{"A:1032", "B:1032", "C:1032"});
    CHECK(publisherCountSeen == 2);
    CHECK(subscriberCountSeen == 2);
    CHECK(f.publisher->count_ == 1);
    CHECK(f.b.refs == 1);
}

TEST_CASE("a publisher without subscribers only takes and drops a reference")
{
    FakePublisher* publisher = new FakePublisher;
    publisher->NotifySubscribers(1, 0);
    CHECK(publisher->count_ == 1);
    CHECK_FALSE(publisher->HasSubscribers());
    publisher->ReleasePublisher();
}

TEST_CASE("a link without subscriber is skipped by notices and dropped by transfers and detaches")
{
    Fixture f;
    SubscriptionLink empty(nullptr);
    empty.RelinkSubscription(f.publisher);
    f.publisher->NotifySubscribers(5, 0);
    CHECK(f.log == Log{"A:5", "B:5", "C:5"});
    CHECK(empty.IsLinked());

    f.a.follow = f.b.follow = f.c.follow = false;
    f.publisher->TransferSubscribers(nullptr, 0);
    CHECK_FALSE(empty.IsLinked());
    CHECK(f.a.link.IsLinked());

    empty.RelinkSubscription(f.publisher);
    f.publisher->ReleaseAllSubscribers(3);
    CHECK_FALSE(empty.IsLinked());
    CHECK_FALSE(f.publisher->HasSubscribers());
}

TEST_CASE("a notice walk survives every kind of callback")
{
    Fixture f;
    SUBCASE("a subscriber that unsubscribes itself: the later ones still hear")
    {
        f.a.onChange = [&](const ChangeNotice&) { f.a.link.Unlink(); };
        f.publisher->NotifySubscribers(1, 0);
        CHECK(f.log == Log{"A:1", "B:1", "C:1"});
        CHECK_FALSE(f.a.link.IsLinked());
    }
    SUBCASE("a subscriber that unsubscribes the next one: that one is not called")
    {
        f.a.onChange = [&](const ChangeNotice&) { f.b.link.Unlink(); };
        f.publisher->NotifySubscribers(1, 0);
        CHECK(f.log == Log{"A:1", "C:1"});
    }
    SUBCASE("a subscriber that relinks itself to the front is not called twice")
    {
        f.b.onChange = [&](const ChangeNotice&) { f.b.link.RelinkSubscription(f.publisher); };
        f.publisher->NotifySubscribers(1, 0);
        CHECK(f.log == Log{"A:1", "B:1", "C:1"});
        f.log.clear();
        f.publisher->NotifySubscribers(2, 0);
        CHECK(f.log == Log{"B:2", "A:2", "C:2"});
    }
    SUBCASE("a subscriber that moves itself to another publisher does not lead the walk there")
    {
        FakePublisher* other = new FakePublisher;
        std::vector<std::string> otherLog;
        Subscriber z("Z", f.log);
        z.link.RelinkSubscription(other);
        f.a.onChange = [&](const ChangeNotice&) { f.a.link.RelinkSubscription(other); };
        f.publisher->NotifySubscribers(1, 0);
        CHECK(f.log == Log{"A:1", "B:1", "C:1"});
        other->ReleasePublisher();
    }
    SUBCASE("a subscriber that drops the last outside reference of the publisher")
    {
        int deletions = 0;
        FakePublisher* owned = new FakePublisher(&deletions);
        Subscriber x("X", f.log), y("Y", f.log);
        y.link.RelinkSubscription(owned);
        x.link.RelinkSubscription(owned);
        x.onChange = [&](const ChangeNotice&) { owned->ReleasePublisher(); };
        owned->NotifySubscribers(9, 0);
        CHECK(f.log == Log{"X:9", "Y:9", "X:detach0", "Y:detach0"});
        CHECK(deletions == 1);
        CHECK_FALSE(x.link.IsLinked());
    }
    SUBCASE("a subscriber that detaches everyone ends the walk")
    {
        f.a.onChange = [&](const ChangeNotice&) { f.publisher->ReleaseAllSubscribers(0); };
        f.publisher->NotifySubscribers(1, 0);
        CHECK(f.log == Log{"A:1", "A:detach0", "B:detach0", "C:detach0"});
    }
    SUBCASE("a notice published from inside a notice reaches everyone, then the outer walk goes on")
    {
        bool again = true;
        f.a.onChange = [&](const ChangeNotice&) {
            if (again) {
                again = false;
                f.publisher->NotifySubscribers(2, 0);
            }
        };
        f.publisher->NotifySubscribers(1, 0);
        CHECK(f.log == Log{"A:1", "A:2", "B:2", "C:2", "B:1", "C:1"});
    }
}

TEST_CASE("publishing from the publisher's destructor deletes it once")
{
    int deletions = 0;
    std::vector<std::string> log;
    Subscriber s("S", log);
    FakePublisher* publisher = new FakePublisher(&deletions);
    s.link.RelinkSubscription(publisher);
    publisher->onDestroy = [&] { publisher->NotifySubscribers(-1, 0); };
    publisher->ReleasePublisher();
    CHECK(deletions == 1);
    CHECK(log == Log{"S:-1", "S:detach0"});
    CHECK_FALSE(s.link.IsLinked());
}

TEST_CASE("transfers move agreeing subscribers to the front of the new publisher, in reverse order")
{
    Fixture f;
    FakePublisher* to = new FakePublisher;
    Subscriber own("O", f.log);
    own.link.RelinkSubscription(to);
    f.b.follow = false;
    f.publisher->TransferSubscribers(to, 4);
    CHECK(f.log == Log{"A:transfer", "B:transfer", "C:transfer"});
    f.log.clear();
    to->NotifySubscribers(1, 0);
    CHECK(f.log == Log{"C:1", "A:1", "O:1"});
    f.log.clear();
    f.publisher->NotifySubscribers(2, 0);
    CHECK(f.log == Log{"B:2"});

    SUBCASE("a transfer to none unlinks the agreeing ones")
    {
        f.log.clear();
        f.b.follow = true;
        f.publisher->TransferSubscribers(nullptr, 0);
        CHECK_FALSE(f.b.link.IsLinked());
    }
    to->ReleasePublisher();
}

TEST_CASE("a transfer callback that moves the next link does not lead the walk into another list")
{
    Fixture f;
    FakePublisher* to = new FakePublisher;
    FakePublisher* elsewhere = new FakePublisher;
    std::vector<std::string> log2;
    Subscriber e("E", log2);
    e.link.RelinkSubscription(elsewhere);
    f.a.onTransfer = [&] { f.b.link.RelinkSubscription(elsewhere); };
    f.publisher->TransferSubscribers(to, 0);
    CHECK(f.log == Log{"A:transfer", "C:transfer"});
    CHECK(e.link.IsLinked());
    f.log.clear();
    log2.clear();
    elsewhere->NotifySubscribers(3, 0);
    CHECK(f.log == Log{"B:3"});
    CHECK(log2 == Log{"E:3"});
    f.log.clear();
    to->NotifySubscribers(4, 0);
    CHECK(f.log == Log{"C:4", "A:4"});
    to->ReleasePublisher();
    elsewhere->ReleasePublisher();
}

TEST_CASE("a detach callback may unlink or delete further links")
{
    Fixture f;
    auto extra = std::make_unique<Subscriber>("X", f.log);
    extra->link.RelinkSubscription(f.publisher); // X A B C
    f.a.onDetach = [&] { extra.reset(); f.c.link.Unlink(); };
    f.publisher->ReleaseAllSubscribers(6);
    CHECK(f.log == Log{"X:detach6", "A:detach6", "B:detach6"});
    CHECK_FALSE(f.publisher->HasSubscribers());
}

TEST_CASE("list nodes: insertion removes a node from its old list first")
{
    ListLink head1, head2, n1, n2;
    n1.InsertAfter(&head1);
    n2.InsertAfter(&n1);
    CHECK(head1.Next() == &n1);
    CHECK(n1.Next() == &n2);
    n1.InsertAfter(&head2);
    CHECK(head1.Next() == &n2);
    CHECK(n2.Prev() == &head1);
    CHECK(head2.Next() == &n1);
    n2.InsertBefore(&n1);
    CHECK(head2.Next() == &n2);
    CHECK(n2.Next() == &n1);
    CHECK(head1.Next() == nullptr);
    CHECK(UnlinkListLink(&n2) == &n1);
    CHECK(head2.Next() == &n1);
    CHECK_FALSE(n2.IsLinked());
}

namespace {

struct FakeRegion : ScrollRegionSeam {
    bool hidden = false;
    long size = 100;
    bool IsHidden() const override { return hidden; }
    long GetSize() const override { return size; }
};

struct FakeElement : UIElementSeam {
    std::vector<std::string>* log;
    std::string name;
    void SetChanged() override { log->push_back(name + ".changed"); }
    void Update() override { log->push_back(name + ".update"); }
    void Invalidate() override { log->push_back(name + ".invalidate"); }
};

struct FakeLayout : LayoutRegionsSeam {
    std::vector<FakeRegion*> rows, cols;
    int RowScrollRegionCount() const override { return static_cast<int>(rows.size()); }
    ScrollRegionSeam* RowScrollRegionAt(int i) const override { return rows[i]; }
    int ColScrollRegionCount() const override { return static_cast<int>(cols.size()); }
    ScrollRegionSeam* ColScrollRegionAt(int i) const override { return cols[i]; }
};

struct FakeOwner : HvUIElementOwner {
    FakeLayout* layout;
    std::vector<std::string> log;
    std::vector<std::unique_ptr<FakeElement>> elements;
    FakeRegion* noElementIn = nullptr;
    LayoutRegionsSeam* GetShowingLayout() override { return layout; }
    UIElementSeam* GetUIElement(ScrollRegionSeam* r, ScrollRegionSeam* c, int create) override
    {
        CHECK(create == 1);
        if (c == noElementIn)
            return nullptr;
        auto e = std::make_unique<FakeElement>();
        e->log = &log;
        e->name = std::to_string(IndexOf(layout->rows, r)) + std::to_string(IndexOf(layout->cols, c));
        elements.push_back(std::move(e));
        return elements.back().get();
    }
    static int IndexOf(const std::vector<FakeRegion*>& v, ScrollRegionSeam* r)
    {
        for (size_t i = 0; i < v.size(); ++i)
            if (v[i] == r)
                return static_cast<int>(i);
        return -1;
    }
};

} // namespace

TEST_CASE("refresh helpers visit every shown pair of regions")
{
    FakeRegion r0, r1, r2, c0, c1, c2;
    r1.hidden = true;
    c1.size = 0;
    FakeLayout layout;
    layout.rows = {&r0, &r1, nullptr, &r2};
    layout.cols = {&c0, &c1, &c2};
    FakeOwner owner;
    owner.layout = &layout;

    UIRefresh::RefreshBandColumns(&owner, true);
    CHECK(owner.log == Log{"00.changed", "00.invalidate", "00.update", "02.changed", "02.invalidate",
                           "02.update", "30.changed", "30.invalidate", "30.update", "32.changed",
                           "32.invalidate", "32.update"});
    owner.log.clear();
    UIRefresh::RefreshBandColumns(&owner, false);
    CHECK(owner.log == Log{"00.invalidate", "02.invalidate", "30.invalidate", "32.invalidate"});
    owner.log.clear();
    UIRefresh::RefreshRowCells(&owner, &r2);
    CHECK(owner.log == Log{"30.invalidate", "32.invalidate"});
    owner.noElementIn = &c0;
    CHECK_FALSE(UIRefresh::RefreshElementAt(&owner, &r0, &c0, true));
    owner.layout = nullptr;
    owner.log.clear();
    UIRefresh::RefreshBandColumns(&owner, true);
    CHECK(owner.log.empty());
}
