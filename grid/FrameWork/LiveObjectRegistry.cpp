// The live-object registry: two hash tables under one lock.
#include "LiveObjectRegistry.h"

#include "CriticalSectionLock.h"

#include <unordered_map>

namespace {

struct Tables {
    CCriticalSection lock;
    std::unordered_map<const CUnknownObject*, unsigned long long> objects;
    unsigned long long nextSerial = 1;
    std::unordered_map<const void*, CUnknownObject*> byInterface;
};

// Built on first use and never destroyed: objects may still die while the
// module's static destructors run.
Tables& GetTables()
{
    static Tables* tables = new Tables;
    return *tables;
}

} // namespace

void LiveObjectRegistry::Add(const CUnknownObject* object, const void* primaryInterface)
{
    Tables& t = GetTables();
    CriticalSectionLock guard(t.lock);
    t.objects[object] = t.nextSerial++;
    if (primaryInterface) {
        try {
            t.byInterface[primaryInterface] = const_cast<CUnknownObject*>(object);
        } catch (...) {
            t.objects.erase(object);
            throw;
        }
    }
}

void LiveObjectRegistry::Remove(const CUnknownObject* object, const void* primaryInterface)
{
    Tables& t = GetTables();
    CriticalSectionLock guard(t.lock);
    t.objects.erase(object);
    if (primaryInterface) {
        auto it = t.byInterface.find(primaryInterface);
        if (it != t.byInterface.end() && it->second == object)
            t.byInterface.erase(it);
    }
}

bool LiveObjectRegistry::Contains(const CUnknownObject* object)
{
    if (!object)
        return false;
    Tables& t = GetTables();
    CriticalSectionLock guard(t.lock);
    return t.objects.count(object) != 0;
}

CUnknownObject* LiveObjectRegistry::FromPrimaryInterface(const void* primaryInterface)
{
    if (!primaryInterface)
        return nullptr;
    Tables& t = GetTables();
    CriticalSectionLock guard(t.lock);
    auto it = t.byInterface.find(primaryInterface);
    return it == t.byInterface.end() ? nullptr : it->second;
}

long LiveObjectRegistry::Count()
{
    Tables& t = GetTables();
    CriticalSectionLock guard(t.lock);
    return static_cast<long>(t.objects.size());
}

unsigned long long LiveObjectRegistry::SerialOf(const CUnknownObject* object)
{
    if (!object)
        return 0;
    Tables& t = GetTables();
    CriticalSectionLock guard(t.lock);
    auto it = t.objects.find(object);
    return it == t.objects.end() ? 0 : it->second;
}
