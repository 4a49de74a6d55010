// SheetPart: one worksheet as its package part; texts go to the shared
// strings, which the package writes after every sheet.
#pragma once

#include "Worksheet.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace hv::sheet {

class SharedStrings {
public:
    int Index(const std::wstring& text);
    std::string Xml() const;

private:
    std::unordered_map<std::wstring, int> index_;
    std::vector<const std::wstring*> order_;
};

std::string SheetPartXml(const Worksheet& sheet, bool selected, SharedStrings& strings);

} // namespace hv::sheet
