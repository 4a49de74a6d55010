// Stand-ins for a row's band and bound row.
#include "RowFakes.h"

#include "HvAppearances.h"
#include "HvRow.h"

FakeRowBand::FakeRowBand()
{
    HvAppearances::Create(this, &appearances);
}

FakeRowBand::~FakeRowBand()
{
    if (appearances) {
        appearances->Deactivate();
        appearances->Release();
    }
}

HRESULT FakeRowBand::BandFromVariant(const VARIANT* argument, RowBandSeam** band)
{
    *band = nullptr;
    // Index 0 names this band; anything else is refused.
    if (!argument || V_VT(argument) != VT_I4 || V_I4(argument) != 0)
        return E_INVALIDARG;
    *band = this;
    return S_OK;
}

HRESULT FakeRowBand::SelectRow(HvRow* row, bool select)
{
    Log(select ? L"select" : L"unselect");
    if (SUCCEEDED(selectResult))
        row->SetSelected(select);
    return selectResult;
}

HRESULT FakeRowBand::ResizeRow(HvRow*, LONG pixels)
{
    Log((L"resize " + std::to_wstring(pixels)).c_str());
    return S_OK;
}

bool FakeRowBand::FireBeforeRowExpand(HvRow*, bool expand)
{
    Log(expand ? L"BeforeRowExpanded" : L"BeforeRowCollapsed");
    return cancel;
}

void FakeRowBand::FireInitializeRow(HvRow* row)
{
    sawInitializingFlag = row->IsInitializing();
    Log(L"InitializeRow");
}

std::wstring FakeRowBand::Joined() const
{
    std::wstring text;
    for (const std::wstring& entry : log)
        text += (text.empty() ? L"" : L",") + entry;
    return text;
}
