// Owners of a Win32 critical section and of one entry into it.
#pragma once

#include <windows.h>

// A critical section that lives exactly as long as its owner.
class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&section_); }
    ~CCriticalSection() { DeleteCriticalSection(&section_); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    CRITICAL_SECTION* Get() { return &section_; }

private:
    CRITICAL_SECTION section_;
};

// Enters a critical section for the lifetime of the scope.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CRITICAL_SECTION* section) : section_(section) { EnterCriticalSection(section_); }
    explicit CriticalSectionLock(CCriticalSection& section) : CriticalSectionLock(section.Get()) {}
    ~CriticalSectionLock() { LeaveCriticalSection(section_); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CRITICAL_SECTION* section_;
};
