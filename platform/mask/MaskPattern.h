// MaskPattern: the rules of our input-mask component. A mask is a string in
// which "#" stands for a digit, "A" for a letter, "&" for any character and
// every other character for itself (a literal). A text is read against the
// mask slot by slot; it is shown as the user types it (literals placed
// between the characters typed so far) and given out in five forms, the
// mask modes: 0 the typed characters only, 1 with the literals, 2 with the
// prompt character in every empty slot, 3 with both, 4 with the literals
// and a space in every empty slot.
#pragma once

#include <string>
#include <vector>

namespace hv::mask {

class MaskPattern {
public:
    static constexpr size_t NoPosition = static_cast<size_t>(-1);

    MaskPattern() = default;
    explicit MaskPattern(std::wstring mask) : mask_(std::move(mask)) {}

    const std::wstring& Text() const { return mask_; }
    bool Empty() const { return mask_.empty(); }
    bool IsLiteral(size_t position) const;
    // The character fits the slot at position (false on a literal or past the end).
    bool Accepts(size_t position, wchar_t c) const;

    // The text read slot by slot: one entry per mask position, 0 for an
    // empty slot or a literal. Literals where the mask has them and prompt
    // characters (empty slots) are taken as such; characters that fit no
    // slot are passed over.
    std::vector<wchar_t> Slots(const std::wstring& text, wchar_t prompt) const;
    // The slots as the mask mode gives them out; no slot filled gives "".
    std::wstring Render(const std::vector<wchar_t>& slots, int mode, wchar_t prompt) const;
    std::wstring Format(const std::wstring& text, int mode, wchar_t prompt) const
    {
        return Render(Slots(text, prompt), mode, prompt);
    }
    // The form the user edits: the literals up to the last filled slot.
    std::wstring EditForm(const std::vector<wchar_t>& slots, wchar_t prompt) const;

    // Types c over the selection [start, end) of the edit text. On success
    // text becomes the new edit text and caret the place after c. On a
    // refusal the text is left alone and the answer is the position of
    // the character that does not fit.
    size_t Type(std::wstring& text, size_t start, size_t end, wchar_t c, wchar_t prompt, size_t* caret) const;
    // Types every character of pasted text at the selection; the same answers.
    size_t Paste(std::wstring& text, size_t start, size_t end, const std::wstring& pasted, wchar_t prompt,
                 size_t* caret) const;

private:
    // The mask position of the slot where typing at edit position lands.
    size_t SlotAtOrAfter(size_t position) const;

    std::wstring mask_;
};

} // namespace hv::mask
