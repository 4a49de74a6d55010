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
    // The serial the object got when it entered (every object gets a new
    // one), or 0 when it is not live: an address that a new object reuses
    // answers another serial.
    static unsigned long long SerialOf(const CUnknownObject* object);
    // The live object whose primary interface has this address, or null.
    static CUnknownObject* FromPrimaryInterface(const void* primaryInterface);
    static long Count();
};

// A weak reference by liveness, not by address: the object and its serial,
// taken while it was live. Alive() answers false once the object is gone,
// even when another object now stands at the same address.
class LiveRef {
public:
    LiveRef() = default;
    explicit LiveRef(const CUnknownObject* object)
        : object_(object), serial_(LiveObjectRegistry::SerialOf(object)) {}
    bool Alive() const { return object_ && serial_ != 0 && LiveObjectRegistry::SerialOf(object_) == serial_; }
    const CUnknownObject* Object() const { return object_; }
    void Reset() { object_ = nullptr; serial_ = 0; }

private:
    const CUnknownObject* object_ = nullptr;
    unsigned long long serial_ = 0;
};
