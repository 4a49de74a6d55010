// ControlSwapList: a header's swap list.
#include "ControlSwapList.h"

#include "AutomationObject.h"
#include "DualString.h"
#include "HvColumnGroupImpl.h"

ControlSwapList::~ControlSwapList()
{
    Forget();
}

void ControlSwapList::Forget()
{
    if (owner_.object)
        owner_.object->Release();
    owner_ = Entry{nullptr, nullptr};
    std::vector<Entry> entries;
    entries.swap(entries_);
    for (const Entry& entry : entries)
        entry.object->Release();
    list_ = nullptr;
    // The header's swap button no longer looks pressed.
    if (window_ && IsWindow(window_))
        InvalidateRect(window_, &header_, FALSE);
    window_ = nullptr;
}

bool ControlSwapList::IsOpenFor(HvColumnGroupImpl* item) const
{
    return item && owner_.item == item && list_ && list_->IsDroppedDown();
}

void ControlSwapList::Close()
{
    if (closing_)
        return;
    closing_ = true;
    if (list_ && list_->IsDroppedDown())
        list_->ShowDropDown(false);
    closing_ = false;
    Forget();
}

void ControlSwapList::Toggle(CSimpleDropDown& list, HvColumnGroupImpl* item, const RECT& header, HFONT font,
                             HWND window)
{
    if (list.IsDroppedDown()) {
        list_ = &list;
        Close();
        return;
    }
    Forget();
    if (!item || !CAutomationObject::IsActive(&item->Automation()))
        return;
    std::vector<HvColumnGroupImpl*> partners;
    item->FillSwapList(partners);
    list.ResetContent();
    list_ = &list;
    owner_ = Entry{item, &item->Automation()};
    owner_.object->AddRef();
    for (HvColumnGroupImpl* partner : partners) {
        CDualString caption;
        partner->GetCaption(caption);
        CAutomationObject* object = &partner->Automation();
        object->AddRef();
        entries_.push_back(Entry{partner, object});
        BSTR text = caption.AllocSysString();
        list.AddItem(text ? text : L"", static_cast<LPARAM>(entries_.size() - 1));
        SysFreeString(text);
    }
    if (entries_.empty() || !list.ShowAt(static_cast<ControlDropDownOwner*>(this), header, font) || !list.Open()) {
        Forget();
        return;
    }
    window_ = window;
    header_ = header;
    if (window_)
        InvalidateRect(window_, &header_, FALSE);
}

void ControlSwapList::OnDropDownChoose(LPARAM data)
{
    if (!owner_.item || data < 0 || static_cast<size_t>(data) >= entries_.size())
        return;
    // The list closes before the events, whose handlers may do anything;
    // both items stay referenced through the swap.
    Entry mine = owner_;
    Entry theirs = entries_[static_cast<size_t>(data)];
    mine.object->AddRef();
    theirs.object->AddRef();
    Close();
    if (CAutomationObject::IsActive(mine.object) && CAutomationObject::IsActive(theirs.object))
        mine.item->Swap(theirs.item);
    theirs.object->Release();
    mine.object->Release();
}

void ControlSwapList::OnDropDownClose()
{
    Close();
}

bool ControlSwapList::ForwardDropDownMessage(HWND, UINT, WPARAM, LPARAM)
{
    // The open list keeps its keys and clicks: the grid's key actions would
    // move the active row under it.
    return false;
}
