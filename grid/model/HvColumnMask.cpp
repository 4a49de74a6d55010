// HvColumn: the column's input mask: the settings its component reads,
// the callback it calls and the grid's editing that the mask meets.
#include "HvColumn.h"

#include "ColumnBandSeam.h"
#include "ColumnLayoutSeam.h"
#include "ColumnMaskCallback.h"

namespace {

constexpr DISPID kCellMultiLineSetting = 0x4a5;

} // namespace

std::wstring HvColumn::MaskInput()
{
    BSTR mask = maskInput_.AllocSysString();
    std::wstring text = mask ? std::wstring(mask, SysStringLen(mask)) : std::wstring();
    SysFreeString(mask);
    return text;
}

bool HvColumn::ResolvedCellMultiLine()
{
    return ResolveCellMultiLine(band_ && band_->ResolveSetting(kCellMultiLineSetting) == 1);
}

bool HvColumn::IsActiveCellColumn()
{
    ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
    return layout && layout->IsActiveCellColumn(this);
}

HWND HvColumn::EditWindow()
{
    ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
    return layout ? layout->GridEditWindow() : nullptr;
}

IUnknown* HvColumn::NotifyObject()
{
    if (!maskCallback_)
        maskCallback_.Attach(ColumnMaskCallback::Create(this));
    return maskCallback_.Get();
}

void HvColumn::ReportMaskError(const std::wstring& text, LONG position)
{
    ColumnLayoutSeam* layout = IsActive() && band_ ? band_->ColumnLayout() : nullptr;
    if (layout && layout->CanFireEvents())
        layout->ReportMaskError(text, static_cast<short>(position));
}

void HvColumn::ApplyMaskSettings()
{
    if (levelCopy_)
        return;
    if (mask_.Engine() || mask_.UsesInputMask())
        mask_.ApplyInputMask(mask_.UsesInputMask());
}
