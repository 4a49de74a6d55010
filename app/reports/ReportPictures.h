// The pictures of Ostrelvia's reports: the emblem of the page headers and
// the two small pictures of the page footers, drawn once and shared.
#pragma once

#include <memory>

#include "ReportPicture.h"

namespace ostrelvia::reports {

// A drop of alcohol in a blue disc.
std::shared_ptr<const hv::report::ReportPicture> Emblema();
// The program's name beside a small emblem (left of the page footer).
std::shared_ptr<const hv::report::ReportPicture> Assinatura();
// A graduated scale, as on an alcoholometer's stem (right of the page footer).
std::shared_ptr<const hv::report::ReportPicture> Escala();

} // namespace ostrelvia::reports
