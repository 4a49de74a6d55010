// LazyMember: a member of the control made on first need and owned by it
// from then on (the shared drop-down list, the drag tracker).
#pragma once

#include <memory>
#include <new>

template <class T>
class LazyMember
{
public:
    // The member; with create, made by make() when there is none yet
    // (make answers a new object or null). Null when there is none.
    template <class Make>
    T* Get(bool create, Make make)
    {
        if (!m_object && create) {
            try {
                m_object.reset(make());
            } catch (const std::bad_alloc&) {
                m_object.reset();
            }
        }
        return m_object.get();
    }
    T* Peek() const { return m_object.get(); }
    void Reset() { m_object.reset(); }

private:
    std::unique_ptr<T> m_object;
};
