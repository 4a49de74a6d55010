// BandsLayoutSeam: what the Bands, Columns and Groups collections need of
// the layout that owns them: whether it is its grid's own layout, the view
// style, the re-layout it is told about, the control's attached interface,
// and the making of bands.
#pragma once

#include <windows.h>

class CDualString;
class ChangeSubscriber;
class GridBandSeam;

class BandsLayoutSeam {
public:
    enum ViewStyle { SingleBand = 0, MultiBand = 1 };

    // The grid control's own layout keeps its bands and columns on copy
    // and reset; a copy or a stand-alone layout is rebuilt.
    virtual bool IsGridOwnLayout() = 0;
    virtual int GetViewStyle() = 0;
    virtual bool ScrollRegionUpdatesSuspended() = 0;
    virtual void SetColumnMetricsDirty(bool force) = 0;
    virtual void DirtyRootUIElement(bool a, bool b) = 0;
    // Every column scroll region (fetched with recalculation) marked dirty;
    // nothing when the layout has none.
    virtual void MarkColScrollRegionsDirty() = 0;
    virtual void MarkRowScrollRegionsDirty() = 0;
    // The grid control's attached notification interface, when it has one.
    virtual void NotifyAttachedInterface() = 0;

    // A new band (one reference, given) that subscribes subscriber.
    virtual HRESULT CreateBand(ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                               GridBandSeam** out) = 0;

protected:
    ~BandsLayoutSeam() = default;
};
