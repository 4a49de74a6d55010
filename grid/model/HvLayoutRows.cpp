// HvLayout: deleting rows, with the grid's BeforeRowsDeleted event and the
// user's confirmation.
#include "HvLayout.h"

#include "HvSelectedRows.h"
#include "LayoutGridSeam.h"
#include "RowDeletionSeam.h"

#include <string>

namespace {

constexpr LONG UpdateOnUpdate = 2;

std::wstring LoadText(HINSTANCE instance, UINT id)
{
    wchar_t buffer[260] = {};
    const int length = LoadStringW(instance, id, buffer, 260);
    return std::wstring(buffer, length > 0 ? length : 0);
}

std::wstring Unescape(std::wstring text)
{
    // The string table keeps the line break as the two characters \n.
    for (size_t at = text.find(L"\\n"); at != std::wstring::npos; at = text.find(L"\\n", at + 1))
        text.replace(at, 2, L"\n");
    return text;
}

RowDeletionSeam* DeletionSideOf(HvKeyedItem* item)
{
    CAutomationObject* object = item ? item->GetItemObject() : nullptr;
    return object ? dynamic_cast<RowDeletionSeam*>(object) : nullptr;
}

} // namespace

std::wstring HvLayout::DeletePromptText(LONG count)
{
    const UINT id = count == 1 ? 6003 : 6002;
    std::wstring text;
    if (grid_ && grid_->IsAlive())
        text = grid_->DialogString(static_cast<int>(id));
    if (text.empty())
        text = LoadText(GetResourceInstance(), id);
    text = Unescape(text);
    const size_t at = text.find(L"|1");
    if (at != std::wstring::npos)
        text.replace(at, 2, std::to_wstring(count));
    return text;
}

HRESULT HvLayout::DeleteSelectedRows(bool checkAllowDelete)
{
    return Active([&]() -> HRESULT {
        if (!grid_ || !grid_->IsAlive())
            return S_OK;
        HvSelectedRows* rows = grid_->SelectedRows();
        if (!rows || rows->ItemCount() < 1)
            return S_OK;
        if (checkAllowDelete) {
            RowDeletionSeam* first = DeletionSideOf(rows->ItemAtPosition(0));
            if (first && first->ResolveAllowDelete() == 2)
                return S_OK;
        }
        return DeleteRowsWithPrompt(rows);
    });
}

HRESULT HvLayout::DeleteRowsWithPrompt(HvSelectedRows* rows)
{
    if (!rows || rows->ItemCount() < 1)
        return S_OK;
    const bool withGrid = grid_ && grid_->IsAlive();
    bool prompt = true;
    if (withGrid && grid_->FireBeforeRowsDeleted(static_cast<IHvSelectedRows*>(rows), &prompt))
        return S_OK;
    if (prompt) {
        const std::wstring text = DeletePromptText(rows->ItemCount());
        std::wstring caption = withGrid ? grid_->DialogString(6001) : std::wstring();
        if (caption.empty())
            caption = LoadText(GetResourceInstance(), 6001);
        const UINT flags = MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL;
        const int answer = withGrid ? grid_->AskUser(text.c_str(), caption.c_str(), flags)
                                    : MessageBoxW(nullptr, text.c_str(), caption.c_str(), flags);
        if (answer != IDYES)
            return S_OK;
    }
    HvSelectedRows* snapshot = rows->CreateSnapshot();
    if (!snapshot)
        return E_OUTOFMEMORY;
    const bool pending = withGrid && grid_->UpdateMode() == UpdateOnUpdate;
    int deleted = 0;
    // Every row is tried; the first failure is what the caller hears.
    HRESULT firstFailure = S_OK;
    auto note = [&](HRESULT hr) {
        if (SUCCEEDED(firstFailure))
            firstFailure = hr;
    };
    for (HvKeyedItem* item : snapshot->ItemsInOrder()) {
        RowDeletionSeam* row = DeletionSideOf(item);
        if (!row || !row->HasRowData())
            continue;
        if (withGrid && !pending) {
            const HRESULT committed = row->CommitPendingEdit();
            if (FAILED(committed)) {
                note(committed);
                continue;
            }
        }
        HRESULT hr = row->DeleteData();
        if (FAILED(hr)) {
            row->ReportDataError(hr);
            note(hr);
            continue;
        }
        if (pending) {
            row->KeepDeletionPending();
        } else {
            hr = row->CommitDeletion();
            if (FAILED(hr)) {
                row->UndoDeletion();
                row->ReportDataError(hr);
                note(hr);
                continue;
            }
        }
        ++deleted;
    }
    if (deleted > 0 && withGrid)
        grid_->FireAfterRowsDeleted();
    snapshot->Release();
    return firstFailure;
}
