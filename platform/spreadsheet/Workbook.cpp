// A workbook's sheets.
#include "Workbook.h"

#include "SheetError.h"

#include <windows.h>

namespace hv::sheet {

namespace {

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace

Workbook::Workbook(std::wstring name, int sheets) : name_(std::move(name)), core_(std::make_shared<BookCore>())
{
    for (int i = 1; i <= sheets; ++i)
        sheets_.push_back(std::make_shared<Worksheet>(core_, L"Sheet" + std::to_wstring(i)));
}

std::shared_ptr<Worksheet> Workbook::Sheet(int index) const
{
    if (index < 1 || index > SheetCount())
        throw SheetError(L"There is no sheet at index " + std::to_wstring(index) + L": indexes run from 1 to " +
                         std::to_wstring(SheetCount()) + L".");
    return sheets_[static_cast<size_t>(index - 1)];
}

std::shared_ptr<Worksheet> Workbook::FindSheet(const std::wstring& name) const
{
    for (const auto& sheet : sheets_)
        if (SameName(sheet->Name(), name))
            return sheet;
    return nullptr;
}

int Workbook::IndexOf(const Worksheet* sheet) const
{
    for (size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i].get() == sheet)
            return static_cast<int>(i + 1);
    return 0;
}

std::wstring Workbook::UnusedSheetName() const
{
    for (int n = SheetCount() + 1;; ++n) {
        std::wstring name = L"Sheet" + std::to_wstring(n);
        if (!FindSheet(name))
            return name;
    }
}

std::shared_ptr<Worksheet> Workbook::AddSheet()
{
    sheets_.push_back(std::make_shared<Worksheet>(core_, UnusedSheetName()));
    active_ = sheets_.size() - 1;
    core_->Touch();
    return sheets_.back();
}

void Workbook::DeleteSheet(const Worksheet* sheet)
{
    const int index = IndexOf(sheet);
    if (index == 0)
        throw SheetError(L"The sheet is no longer in the workbook.");
    if (SheetCount() == 1)
        throw SheetError(L"A workbook must keep at least one sheet.");
    const size_t at = static_cast<size_t>(index - 1);
    sheets_.erase(sheets_.begin() + static_cast<std::ptrdiff_t>(at));
    if (active_ > at || active_ == sheets_.size())
        --active_;
    core_->Touch();
}

void Workbook::RenameSheet(Worksheet* sheet, const std::wstring& name)
{
    if (name.empty() || name.size() > 31 || name.find_first_of(L"[]:*?/\\") != std::wstring::npos)
        throw SheetError(L"A sheet name has 1 to 31 characters, none of [ ] : * ? / \\.");
    const auto other = FindSheet(name);
    if (other && other.get() != sheet)
        throw SheetError(L"Another sheet is already named \"" + name + L"\".");
    sheet->SetName(name);
}

void Workbook::Activate(const Worksheet* sheet)
{
    const int index = IndexOf(sheet);
    if (index == 0)
        throw SheetError(L"The sheet is no longer in the workbook.");
    active_ = static_cast<size_t>(index - 1);
}

void Workbook::MarkWritten(std::wstring path)
{
    path_ = std::move(path);
    written_ = core_->revision;
}

} // namespace hv::sheet
