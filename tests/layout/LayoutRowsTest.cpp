// Deleting the grid's selected rows: BeforeRowsDeleted, the confirmation,
// committing or keeping each deletion, and AfterRowsDeleted.
#include <doctest/doctest.h>

#include "FakeGrid.h"
#include "LayoutTestSupport.h"

#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvSelectableItem.h"
#include "HvSelectedRows.h"
#include "RowDeletionSeam.h"

namespace {

// A row with row data whose deletion steps are recorded.
class FakeRow final : public HvObjectBaseImpl<IHvObjectBase>,
                      public HvKeyedItem,
                      public HvSelectableItem,
                      public RowDeletionSeam {
public:
    FakeRow() : HvObjectBaseImpl<IHvObjectBase>(ObjectType::HvRow) {}

    const CDualString* GetKey() override { return &key_; }
    const IID* GetInterfaceId() override { return &IID_IHvObjectBase; }
    CAutomationObject* GetItemObject() override { return this; }

    HvKeyedItem* KeyedItem() override { return this; }
    void SetSelected(bool) override {}
    bool IsSelected() override { return false; }
    SelectionBandSeam* OwnerBand() override { return nullptr; }
    SelectionLayoutSeam* Layout() override { return nullptr; }
    SelectionControlSeam* GridControl() override { return nullptr; }
    HvSelectableItem* RowItem() override { return this; }
    bool MayActivate() override { return true; }
    LONG Activate(bool, LONG, LONG) override { return 0; }
    void EnterEditMode() override {}
    HvSelectableItem* GetCell(HvSelectableItem*) override { return nullptr; }

    bool HasRowData() override { return true; }
    HRESULT CommitPendingEdit() override
    {
        steps += "edit ";
        return S_OK;
    }
    HRESULT DeleteData() override
    {
        steps += "delete ";
        return deleteResult;
    }
    HRESULT CommitDeletion() override
    {
        steps += "commit ";
        return S_OK;
    }
    void UndoDeletion() override { steps += "undo "; }
    void KeepDeletionPending() override { steps += "pending "; }
    void ReportDataError(HRESULT) override { steps += "error "; }
    LONG ResolveAllowDelete() override { return allowDelete; }

    std::string steps;
    HRESULT deleteResult = S_OK;
    LONG allowDelete = 1;

private:
    CDualString key_;
};

struct Fixture {
    FakeGrid grid;
    HvLayout* layout = nullptr;
    HvSelectedRows* rows = nullptr;
    FakeRow* row[3] = {};

    Fixture()
    {
        REQUIRE(HvLayout::Create(nullptr, &grid, &layout) == S_OK);
        grid.current = layout;
        rows = HvSelectedRows::Create(layout, false);
        REQUIRE(rows != nullptr);
        for (FakeRow*& each : row) {
            each = new FakeRow;
            REQUIRE(rows->SelectRow(each, true) == S_OK);
        }
        grid.selectedRows = rows;
    }
    ~Fixture()
    {
        rows->Release();
        for (FakeRow* each : row)
            each->Release();
        layout->Detach();
        layout->Release();
    }
};

} // namespace

TEST_CASE("deleting three selected rows asks first; No deletes nothing")
{
    Fixture f;
    CHECK(f.layout->DeleteSelectedRows(false) == S_OK);
    REQUIRE(f.grid.questions.size() == 1);
    CHECK(f.grid.questions[0] ==
          L"You have selected 3 rows for deletion.\nChoose Yes to delete the rows or No to exit.");
    CHECK(f.grid.questionCaption == L"Delete Rows");
    CHECK(f.grid.questionFlags == static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL));
    CHECK(f.row[0]->steps.empty());
    CHECK(f.grid.afterRowsDeleted == 0);
    CHECK(f.layout->DeletePromptText(1) ==
          L"You have selected 1 row for deletion.\nChoose Yes to delete the row or No to exit.");
}

TEST_CASE("Yes deletes each row and fires AfterRowsDeleted once")
{
    Fixture f;
    f.grid.answer = IDYES;
    SUBCASE("committed at once, a failed row reported and skipped, its failure returned")
    {
        f.row[1]->deleteResult = E_FAIL;
        // The other rows are still deleted; the caller hears the failure.
        CHECK(f.layout->DeleteSelectedRows(false) == E_FAIL);
        CHECK(f.row[0]->steps == "edit delete commit ");
        CHECK(f.row[1]->steps == "edit delete error ");
        CHECK(f.row[2]->steps == "edit delete commit ");
        CHECK(f.grid.afterRowsDeleted == 1);
    }
    SUBCASE("with UpdateMode on Update the deletions stay pending")
    {
        f.grid.updateMode = 2;
        CHECK(f.layout->DeleteSelectedRows(false) == S_OK);
        CHECK(f.row[0]->steps == "delete pending ");
        CHECK(f.grid.afterRowsDeleted == 1);
    }
}

TEST_CASE("BeforeRowsDeleted may cancel or skip the prompt; AllowDelete No stops the key action")
{
    Fixture f;
    SUBCASE("cancelled")
    {
        f.grid.cancelDelete = true;
        CHECK(f.layout->DeleteSelectedRows(false) == S_OK);
        CHECK(f.grid.questions.empty());
        CHECK(f.row[0]->steps.empty());
    }
    SUBCASE("no prompt")
    {
        f.grid.displayPromptAnswer = false;
        CHECK(f.layout->DeleteSelectedRows(false) == S_OK);
        CHECK(f.grid.questions.empty());
        CHECK(f.row[2]->steps == "edit delete commit ");
    }
    SUBCASE("the key action honours AllowDelete")
    {
        f.row[0]->allowDelete = 2;
        CHECK(f.layout->DeleteSelectedRows(true) == S_OK);
        CHECK(f.grid.beforeRowsDeleted == 0);
        CHECK(f.layout->DeleteSelectedRows(false) == S_OK);
        CHECK(f.grid.beforeRowsDeleted == 1);
    }
    SUBCASE("an inactive layout refuses")
    {
        f.layout->Deactivate();
        CHECK(f.layout->DeleteSelectedRows(false) == kNotActive);
    }
}
