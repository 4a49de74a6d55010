// A stand-in for the grid control that shows a layout: window, state and
// answers set by the test, and a record of what the layout asked of it.
#pragma once

#include "LayoutGridSeam.h"

#include <windows.h>

#include <string>
#include <vector>

class FakeGrid final : public LayoutGridSeam {
public:
    bool IsAlive() override { return alive; }
    HWND GridWindow() override { return window; }
    bool IsDesignMode() override { return designMode; }
    bool TestState(LONG code) override { return code == state; }
    bool IsTearingDown() override { return false; }
    HvLayout* CurrentLayout() override { return current; }
    bool CanFireEvents() override { return true; }
    int ContainerScaleMode() override { return 0; }
    // Container units are pixels times two, so that they are told apart.
    double PixelsToContainerX(long pixels) override { return pixels * 2.0; }
    double PixelsToContainerY(long pixels) override { return pixels * 2.0; }
    long ContainerXToPixels(double units) override { return static_cast<long>(units / 2); }
    long ContainerYToPixels(double units) override { return static_cast<long>(units / 2); }
    bool GetAmbientFont(IFont**) override { return false; }
    SIZE ImageSize() override { return SIZE{16, 16}; }
    bool HasBindHost() override { return bindHost; }
    HRESULT DownloadLayout(BSTR url, LONG categories, bool, HvLayout*) override
    {
        downloads.push_back(url ? url : L"");
        downloadCategories = categories;
        return S_OK;
    }
    void RebuildLayout(bool fire) override { rebuilds.push_back(fire); }
    HRESULT BindDataSource() override
    {
        ++binds;
        return bindResult;
    }
    IDispatch* GridDispatch() override { return nullptr; }
    void NotifyAttachedInterface() override { ++attachedNotices; }
    HRESULT ReportMessage(long, const wchar_t*, const wchar_t*) override { return S_OK; }
    std::wstring DialogString(int) override { return L""; }
    ScrollRegionItem* ActiveColScrollRegion() override { return nullptr; }
    ScrollRegionItem* ActiveRowScrollRegion() override { return nullptr; }
    void SetActiveColScrollRegion(ScrollRegionItem*) override {}
    void SetActiveRowScrollRegion(ScrollRegionItem*) override {}
    RegionControlSeam* RegionControl() override { return nullptr; }
    SelectionControlSeam* SelectionControl() override { return nullptr; }
    BandGridSeam* BandGrid() override { return nullptr; }
    bool FireBeforeColPosChanged(Constants_PosChanged, IHvSelectedCols*) override { return false; }
    void FireAfterColPosChanged(Constants_PosChanged, IHvSelectedCols*) override {}
    bool FireBeforeGroupPosChanged(Constants_PosChanged, IHvGroups*) override { return false; }
    void FireAfterGroupPosChanged(Constants_PosChanged, IHvGroups*) override {}
    HvSelectedRows* SelectedRows() override { return selectedRows; }
    LONG UpdateMode() override { return updateMode; }
    bool FireBeforeRowsDeleted(IHvSelectedRows*, bool* displayPrompt) override
    {
        ++beforeRowsDeleted;
        *displayPrompt = displayPromptAnswer;
        return cancelDelete;
    }
    void FireAfterRowsDeleted() override { ++afterRowsDeleted; }
    int AskUser(const wchar_t* text, const wchar_t* caption, UINT flags) override
    {
        questions.push_back(text);
        questionCaption = caption;
        questionFlags = flags;
        return answer;
    }
    HWND EditorOwnerWindow() override { return window; }
    void ExitEditMode() override { ++editExits; }
    bool IsActiveCellColumn(HvColumn*) override { return false; }
    void ReportMaskError(const std::wstring&, short) override {}
    void RepositionEditWindow() override {}

    bool alive = true;
    bool designMode = false;
    bool bindHost = false;
    LONG state = 0;
    HWND window = nullptr;
    HvLayout* current = nullptr;
    HRESULT bindResult = S_OK;
    int binds = 0;
    int attachedNotices = 0;
    int editExits = 0;
    std::vector<bool> rebuilds;
    std::vector<std::wstring> downloads;
    LONG downloadCategories = 0;
    HvSelectedRows* selectedRows = nullptr;
    LONG updateMode = 0;
    bool cancelDelete = false;
    bool displayPromptAnswer = true;
    int answer = IDNO;
    int beforeRowsDeleted = 0;
    int afterRowsDeleted = 0;
    std::vector<std::wstring> questions;
    std::wstring questionCaption;
    UINT questionFlags = 0;
};
