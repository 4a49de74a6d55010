// Test switches and counters.
#include "TestSwitches.h"

#include "ErrorRecords.h"

#include <algorithm>

namespace hv::recordset {

bool TestSwitches::IsDisabled(REFIID iid) const
{
    return std::any_of(disabled_.begin(), disabled_.end(), [&](const IID& d) { return IsEqualIID(d, iid); });
}

void TestSwitches::FailCall(const std::string& method, HRESULT hr, const std::wstring& description, int times,
                            int after)
{
    failures_[method] = Failure{hr, description, times, after};
}

HRESULT TestSwitches::Enter(const char* method)
{
    ++calls_[method];
    auto it = failures_.find(method);
    if (it == failures_.end())
        return S_OK;
    if (it->second.after > 0) {
        --it->second.after;
        return S_OK;
    }
    Failure f = it->second;
    if (--it->second.times <= 0)
        failures_.erase(it);
    if (!f.description.empty()) {
        const std::wstring name(method, method + strlen(method));
        ErrorRecords::Raise(f.hr, {name + L" failed", f.description});
    }
    return f.hr;
}

int TestSwitches::Calls(const std::string& method) const
{
    auto it = calls_.find(method);
    return it == calls_.end() ? 0 : it->second;
}

long TestSwitches::TotalCalls() const
{
    long total = 0;
    for (const auto& [method, count] : calls_)
        total += count;
    return total;
}

bool TestSwitches::IsVetoed(DBREASON reason, DBEVENTPHASE phase) const
{
    return std::find(vetoes_.begin(), vetoes_.end(), std::make_pair(reason, phase)) != vetoes_.end();
}

} // namespace hv::recordset
