// XmlText: UTF-8 text for the package's XML parts, escaped for element
// content and attribute values (characters XML cannot carry are dropped).
#pragma once

#include <string>
#include <string_view>

namespace hv::sheet {

std::string Utf8(std::wstring_view text);
std::string XmlEscaped(std::wstring_view text);

} // namespace hv::sheet
