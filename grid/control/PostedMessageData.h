// The data pairs that the control's PostMessage hands to its own window.
// A pair is owned here from the moment it is posted until its message
// arrives; the window takes back only pairs issued here, so that a message
// of the same number sent by anyone else never has its lParam freed. Pairs
// whose message never arrived are freed with the control.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <unordered_map>

class PostedMessageData {
public:
    struct PairDeleter {
        void operator()(VARIANT* pair) const;
    };
    using Pair = std::unique_ptr<VARIANT, PairDeleter>;

    PostedMessageData() = default;
    PostedMessageData(const PostedMessageData&) = delete;
    PostedMessageData& operator=(const PostedMessageData&) = delete;

    // A pair holding copies of the two values (by-reference values copied
    // through), or null when memory is short.
    static Pair MakePair(const VARIANT& first, const VARIANT& second);
    // Keeps pair until Take; its address is the message's lParam. False
    // (and pair freed) when memory is short.
    bool Keep(Pair pair);
    // The pair issued under this lParam, now the caller's; null for an
    // address that was never issued or was taken already.
    Pair Take(LPARAM lParam);
    // A pair kept but never posted (the post failed).
    void Drop(LPARAM lParam) { Take(lParam); }
    size_t Pending() const { return pairs_.size(); }

private:
    std::unordered_map<LPARAM, Pair> pairs_;
};
