// ListLink: intrusive list node operations.
#include "ListLink.h"

ListLink::~ListLink()
{
    UnlinkListLink(this);
}

void ListLink::InsertBefore(ListLink* node)
{
    UnlinkListLink(this);
    next_ = node;
    prev_ = node->prev_;
    node->prev_ = this;
    if (prev_)
        prev_->next_ = this;
}

ListLink* ListLink::InsertAfter(ListLink* node)
{
    UnlinkListLink(this);
    prev_ = node;
    next_ = node->next_;
    if (next_)
        next_->prev_ = this;
    node->next_ = this;
    return next_;
}

ListLink* UnlinkListLink(ListLink* link)
{
    ListLink* next = link->next_;
    if (link->prev_)
        link->prev_->next_ = next;
    if (next)
        next->prev_ = link->prev_;
    link->next_ = nullptr;
    link->prev_ = nullptr;
    return next;
}
