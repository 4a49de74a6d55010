// CallLog: the calls that a hosted control makes on its container, in
// order, so that tests can check the order of a negotiation.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hv::container {

class CallLog {
public:
    void Add(std::wstring entry);
    void Clear() { entries_.clear(); }
    const std::vector<std::wstring>& Entries() const { return entries_; }
    // Position of the first entry equal to entry, or -1.
    int IndexOf(const std::wstring& entry) const;
    bool Contains(const std::wstring& entry) const { return IndexOf(entry) >= 0; }
    int Count(const std::wstring& entry) const;
    // The entries joined by ", ", for failure messages.
    std::wstring Text() const;

    // Logging can be switched off while a test sets things up.
    void SetEnabled(bool enabled) { enabled_ = enabled; }

private:
    std::vector<std::wstring> entries_;
    bool enabled_ = true;
};

// A readable name of the interfaces a container is asked for, or the
// identifier's text.
std::wstring InterfaceName(const IID& iid);

} // namespace hv::container
