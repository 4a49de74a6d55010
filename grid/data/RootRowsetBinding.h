// RootRowsetBinding: the rowset binding of the top band. It opens the rowset
// of a data source's data member (preferring a row position), and keeps what
// the whole tree of bindings shares: the design-mode flag, the tracking flag
// and the conversion service. In design mode every binding of its tree
// serves two placeholder rows instead of reading data.
#pragma once

#include "RowsetBinding.h"

class RootRowsetBinding : public RowsetBinding {
public:
    // control: the control object that owns the binding (no reference).
    RootRowsetBinding(void* control, bool designMode, bool tracking);

    // S_OK or the attach result; 1000 when the data source offers nothing
    // that could be opened; E_FAIL for no data source.
    HRESULT OpenDataMember(IUnknown* dataSource, const wchar_t* dataMember);
    // Attaches a row position, a rowset or a bare column source.
    HRESULT Open(IUnknown* source);

    void* GetControl() const { return control_; }

    RowsetBinding* GetRootBinding() override { return this; }
    bool IsRoot() const override { return true; }
    bool IsTracking() const override { return tracking_; }
    ConversionService* GetConversionService() override { return &conversion_; }
    void ResetTopLevelCounts() override;

    // Answer of OpenDataMember when nothing could be opened.
    static constexpr HRESULT kNothingToOpen = 1000;

protected:
    ~RootRowsetBinding() override = default;

private:
    bool tracking_;
    void* control_; // not referenced
    ConversionService conversion_;
};
