// Report sections: their controls and group settings.
#include "ReportSection.h"

#include <utility>

namespace hv::report {

ReportSection::ReportSection(SectionKind kind, std::wstring name, int height)
    : kind_(kind), name_(std::move(name)), height_(height)
{
}

ReportControl& ReportSection::Add(ReportControl control)
{
    controls_.push_back(std::move(control));
    return controls_.back();
}

} // namespace hv::report
