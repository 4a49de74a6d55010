// The grid control's reaction to its layout's change notices.
#include "HvTavelle.h"

#include "ControlEditor.h"
#include "HvBands.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"

namespace {

// True when a notice that the publisher passed on carries entry id among
// the notices it was caused by.
bool ChainHolds(const ChangeNotice* notice, std::int32_t id)
{
    int depth = 0;
    for (auto* inner = reinterpret_cast<const ChangeNotice*>(notice->argument); inner && depth < 16;
         inner = reinterpret_cast<const ChangeNotice*>(inner->argument), ++depth)
        if (inner->what == id)
            return true;
    return false;
}

} // namespace

void HvTavelle::OnChange(const ChangeNotice* notice)
{
    if (!notice || !layout_ || !IsValidObjectPointer(layout_) ||
        notice->publisher != static_cast<ChangePublisher*>(layout_))
        return;
    editor_->OnLayoutNotice(notice);
    HvGridUIElement* root = GetRootElement(false);
    auto invalidate = [root] {
        if (root)
            root->Invalidate(false, false);
    };
    switch (notice->what) {
    case -535:
    case -504:
        layout_->DirtyRootUIElement(true, true);
        break;
    case -520:
    case 1251:
    case 2171:
    case 2172:
    case 2173:
        if (ChainHolds(notice, 1))
            invalidate();
        else
            layout_->DirtyRootUIElement(false, true);
        break;
    case -518:
        NotifyAttachedInterface();
        layout_->DirtyRootUIElement(true, true);
        break;
    case -512:
        if (layout_->Bands())
            layout_->Bands()->InvalidateAll();
        layout_->DirtyRootUIElement(true, true);
        break;
    case 1192:
    case 2107:
        if (ChainHolds(notice, 1127) || ChainHolds(notice, 1092) || ChainHolds(notice, 2002))
            layout_->DirtyRootUIElement(true, true);
        else
            invalidate();
        break;
    case 2114:
        ClearAllSelections();
        layout_->SetColumnMetricsDirty(false);
        layout_->DirtyRootUIElement(true, true);
        layout_->MarkColScrollRegionsDirty();
        break;
    case 2115:
        layout_->SetColumnMetricsDirty(false);
        break;
    default:
        break;
    }
    SetDirty(true);
    if (IsAlive())
        PropertyChanged(notice->what);
}
