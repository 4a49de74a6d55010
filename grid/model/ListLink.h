// ListLink: the intrusive doubly linked list node on which subscriptions and
// publisher lists are built.
#pragma once

class ListLink {
public:
    ListLink() = default;
    ListLink(const ListLink&) = delete;
    ListLink& operator=(const ListLink&) = delete;
    virtual ~ListLink();

    // Unlinks this node first, then places it immediately before node.
    void InsertBefore(ListLink* node);
    // Unlinks this node first, then places it immediately after node (after a
    // list head: as the first element). Returns the new next.
    ListLink* InsertAfter(ListLink* node);

    ListLink* Next() const { return next_; }
    ListLink* Prev() const { return prev_; }
    bool IsLinked() const { return prev_ != nullptr || next_ != nullptr; }

    friend ListLink* UnlinkListLink(ListLink* link);

private:
    ListLink* next_ = nullptr;
    ListLink* prev_ = nullptr; // a list head for the first element
};

// Joins link's neighbours, leaves link unlinked and returns its former next.
ListLink* UnlinkListLink(ListLink* link);
