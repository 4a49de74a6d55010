// A client's sort filter for the registered grid's tests: it records each
// call, may cancel a sort, may order the values of a pair of cells the
// other way round, and may dawdle over its first comparison so that the
// grid shows the wait cursor.
#pragma once

#include <Tavelle.h>

#include <string>
#include <vector>

class RecordingSortFilter final : public IHvTVSortFilter {
public:
    enum class Order { Default, Reversed };

    bool cancel = false;
    Order order = Order::Default;
    DWORD firstCompareDelayMs = 0;

    // What the grid told the filter: "begin", "end", in order; and per
    // comparison the direction and the cursor shown meanwhile.
    std::vector<std::wstring> calls;
    std::vector<Constants_SortIndicator> directions;
    std::vector<HCURSOR> cursors;
    bool bandGiven = true;
    bool parentGiven = false;
    // When set, the grid window asked for its cursor at the start of each
    // sort, and the cursor it set.
    HWND cursorProbe = nullptr;
    std::vector<HCURSOR> cursorsAtBegin;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IHvTVSortFilter) {
            *out = static_cast<IHvTVSortFilter*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; } // lives on the test's stack

    STDMETHODIMP BeforeSortBegin(IHvBand* band, IHvRow* parentRow, VARIANT_BOOL* cancelOut) override
    {
        calls.push_back(L"begin");
        if (cursorProbe) {
            SetCursor(nullptr);
            SendMessageW(cursorProbe, WM_SETCURSOR, reinterpret_cast<WPARAM>(cursorProbe),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            cursorsAtBegin.push_back(GetCursor());
        }
        bandGiven = bandGiven && band != nullptr;
        parentGiven = parentGiven || parentRow != nullptr;
        if (cancel)
            *cancelOut = VARIANT_TRUE;
        return S_OK;
    }
    STDMETHODIMP Compare(IHvCell* first, IHvCell* second, Constants_SortIndicator direction,
                         VARIANT_BOOL* byDefault, VARIANT_BOOL* firstLess) override
    {
        if (directions.empty() && firstCompareDelayMs)
            Sleep(firstCompareDelayMs);
        directions.push_back(direction);
        cursors.push_back(GetCursor());
        if (order == Order::Default)
            return S_OK;
        const double a = ValueOf(first);
        const double b = ValueOf(second);
        *byDefault = VARIANT_FALSE;
        *firstLess = a > b ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    STDMETHODIMP AfterSortEnd(IHvBand* band, IHvRow*) override
    {
        calls.push_back(L"end");
        bandGiven = bandGiven && band != nullptr;
        return S_OK;
    }

    ULONG References() const { return refs_; }

private:
    static double ValueOf(IHvCell* cell)
    {
        VARIANT v;
        VariantInit(&v);
        double number = 0;
        if (cell && SUCCEEDED(cell->get_Value(&v)) && SUCCEEDED(VariantChangeType(&v, &v, 0, VT_R8)))
            number = v.dblVal;
        VariantClear(&v);
        return number;
    }

    ULONG refs_ = 1;
};
