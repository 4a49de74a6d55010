// NumberText: the shortest decimal text that reads back as the same double
// (with "." as separator), as the package stores numbers.
#pragma once

#include <string>

namespace hv::sheet {

std::wstring ShortestText(double value);
std::string ShortestTextUtf8(double value);

} // namespace hv::sheet
