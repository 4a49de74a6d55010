// Process-wide record of the library's live COM objects: the liveness test
// that every "is it still alive" question of the library goes through.
#pragma once

class CUnknownObject;

// Objects enter at construction and leave at destruction. Lookups never read
// the object itself, so a pointer to freed memory answers false without a fault.
class LiveObjectRegistry {
public:
    LiveObjectRegistry() = delete;

    // Both may throw std::bad_alloc (Add only); Remove never fails.
    static void Add(const CUnknownObject* object, const void* primaryInterface);
    static void Remove(const CUnknownObject* object, const void* primaryInterface);

    static bool Contains(const CUnknownObject* object);
    // The live object whose primary interface has this address, or null.
    static CUnknownObject* FromPrimaryInterface(const void* primaryInterface);
    static long Count();
};
