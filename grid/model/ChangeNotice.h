// ChangeNotice: what a publisher tells its subscribers about one change.
#pragma once

#include <cstdint>

class ChangePublisher;

struct ChangeNotice {
    ChangePublisher* publisher;
    // The changed property's dispatch identifier, or for an appearance a mask
    // of its property bits (-1: everything).
    std::int32_t what;
    // Usually 0; a re-publishing object passes the address of the inner notice.
    std::intptr_t argument;
};
