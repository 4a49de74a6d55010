// The application's state and the hand-over of its workbooks.
#include "SpreadsheetSession.h"

#include "SheetError.h"

#include <windows.h>

namespace hv::sheet {

SpreadsheetSession::SpreadsheetSession(HandOverSettings settings) : settings_(std::move(settings))
{
}

SpreadsheetSession::~SpreadsheetSession()
{
    for (const auto& book : books_) {
        if (book->Path().empty() || !book->ChangedSinceWrite())
            continue;
        try {
            HandOverAgain(*book);
        } catch (const std::exception&) {
            // Nobody is left to tell; the file keeps what it had.
            OutputDebugStringW(L"HvSpreadsheet: a changed workbook could not be written again\n");
        }
    }
}

std::shared_ptr<Workbook> SpreadsheetSession::AddWorkbook()
{
    auto book = std::make_shared<Workbook>(L"Workbook" + std::to_wstring(nextNumber_));
    books_.push_back(book);
    ++nextNumber_;
    active_ = books_.size() - 1;
    return book;
}

std::shared_ptr<Workbook> SpreadsheetSession::WorkbookAt(int index) const
{
    if (index < 1 || index > WorkbookCount())
        throw SheetError(L"There is no workbook at index " + std::to_wstring(index) + L".");
    return books_[static_cast<size_t>(index - 1)];
}

std::shared_ptr<Workbook> SpreadsheetSession::ActiveWorkbook() const
{
    return books_.empty() ? nullptr : books_[active_];
}

void SpreadsheetSession::Activate(const Workbook* book)
{
    for (size_t i = 0; i < books_.size(); ++i)
        if (books_[i].get() == book)
            active_ = i;
}

std::shared_ptr<Workbook> SpreadsheetSession::OwnerOf(const Worksheet* sheet) const
{
    for (const auto& book : books_)
        if (book->IndexOf(sheet) != 0)
            return book;
    return nullptr;
}

void SpreadsheetSession::Close(const Workbook* book, bool save)
{
    for (size_t i = 0; i < books_.size(); ++i) {
        if (books_[i].get() != book)
            continue;
        if (save) {
            if (book->Path().empty())
                books_[i]->MarkWritten(HandOverNew(*book, settings_));
            else if (book->ChangedSinceWrite())
                HandOverAgain(*book);
        }
        books_.erase(books_.begin() + static_cast<std::ptrdiff_t>(i));
        if (active_ >= i && active_ > 0)
            --active_;
        return;
    }
    throw SheetError(L"The workbook is no longer open.");
}

void SpreadsheetSession::Quit()
{
    books_.clear();
    active_ = 0;
    visible_ = false;
}

void SpreadsheetSession::SetVisible(bool visible)
{
    if (visible && !visible_) {
        for (const auto& book : books_)
            if (book->Path().empty())
                book->MarkWritten(HandOverNew(*book, settings_));
    }
    visible_ = visible;
}

} // namespace hv::sheet
