// MaskPattern: reading a text against the mask, typing into it and giving
// it out in the mask modes.
#include "MaskPattern.h"

#include <cwctype>

namespace hv::mask {

bool MaskPattern::IsLiteral(size_t position) const
{
    if (position >= mask_.size())
        return false;
    const wchar_t m = mask_[position];
    return m != L'#' && m != L'A' && m != L'&';
}

bool MaskPattern::Accepts(size_t position, wchar_t c) const
{
    if (position >= mask_.size() || c == 0)
        return false;
    switch (mask_[position]) {
    case L'#':
        return c >= L'0' && c <= L'9';
    case L'A':
        return std::iswalpha(static_cast<wint_t>(c)) != 0;
    case L'&':
        return c >= L' ';
    default:
        return false;
    }
}

std::vector<wchar_t> MaskPattern::Slots(const std::wstring& text, wchar_t prompt) const
{
    std::vector<wchar_t> slots(mask_.size(), 0);
    size_t position = 0;
    for (size_t i = 0; i < text.size() && position < mask_.size();) {
        const wchar_t c = text[i];
        if (IsLiteral(position)) {
            if (c == mask_[position])
                ++i;
            ++position;
        } else if (prompt && c == prompt) {
            ++i;
            ++position;
        } else if (Accepts(position, c)) {
            slots[position++] = c;
            ++i;
        } else {
            ++i;
        }
    }
    return slots;
}

std::wstring MaskPattern::EditForm(const std::vector<wchar_t>& slots, wchar_t prompt) const
{
    size_t last = 0;
    for (size_t p = 0; p < slots.size(); ++p)
        if (slots[p])
            last = p + 1;
    std::wstring text;
    for (size_t p = 0; p < last; ++p)
        text += IsLiteral(p) ? mask_[p] : (slots[p] ? slots[p] : (prompt ? prompt : L' '));
    return text;
}

std::wstring MaskPattern::Render(const std::vector<wchar_t>& slots, int mode, wchar_t prompt) const
{
    bool any = false;
    for (wchar_t c : slots)
        any = any || c != 0;
    if (!any)
        return {};
    if (mode == 1)
        return EditForm(slots, prompt);
    const wchar_t empty = mode == 4 ? L' ' : (prompt ? prompt : L' ');
    std::wstring text;
    for (size_t p = 0; p < mask_.size(); ++p) {
        if (IsLiteral(p)) {
            if (mode == 3 || mode == 4)
                text += mask_[p];
        } else if (slots[p]) {
            text += slots[p];
        } else if (mode != 0) {
            text += empty;
        }
    }
    return text;
}

size_t MaskPattern::SlotAtOrAfter(size_t position) const
{
    while (position < mask_.size() && IsLiteral(position))
        ++position;
    return position;
}

size_t MaskPattern::Type(std::wstring& text, size_t start, size_t end, wchar_t c, wchar_t prompt,
                         size_t* caret) const
{
    if (end < start)
        std::swap(start, end);
    std::vector<wchar_t> slots = Slots(text, prompt);
    for (size_t p = start; p < end && p < slots.size(); ++p)
        slots[p] = 0;
    // A literal typed where the mask has it only moves on.
    if (IsLiteral(start) && c == mask_[start]) {
        text = EditForm(slots, prompt);
        if (text.size() < start + 1)
            text = text + mask_.substr(text.size(), start + 1 - text.size());
        *caret = start + 1;
        return NoPosition;
    }
    const size_t slot = SlotAtOrAfter(start);
    if (!Accepts(slot, c))
        return slot < mask_.size() ? slot : mask_.size();
    slots[slot] = c;
    text = EditForm(slots, prompt);
    *caret = slot + 1;
    return NoPosition;
}

size_t MaskPattern::Paste(std::wstring& text, size_t start, size_t end, const std::wstring& pasted, wchar_t prompt,
                          size_t* caret) const
{
    std::wstring work = text;
    size_t at = start;
    size_t to = end;
    for (wchar_t c : pasted) {
        size_t next = 0;
        const size_t bad = Type(work, at, to, c, prompt, &next);
        if (bad != NoPosition)
            return bad;
        at = to = next;
    }
    text = work;
    *caret = at;
    return NoPosition;
}

} // namespace hv::mask
