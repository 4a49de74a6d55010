// Drag-and-drop error raising and the mapping of error numbers.
#include "DragDropErrors.h"

#include "DualString.h"
#include "OleDragDrop.h"
#include "ResourceModule.h"

#include <oleauto.h>

namespace {

constexpr DragDropErrorEntry kGridErrors[] = {
    {DragDropError::InvalidProcedureCall, DragDropError::InvalidProcedureCall},
    {DragDropError::InvalidObjectUse, DragDropError::InvalidObjectUse},
    {DragDropError::FormatMismatch, DragDropError::FormatMismatch},
    {DragDropError::InvalidPropertyValue, DragDropError::InvalidPropertyValue},
    {DragDropError::FormatsFrozen, DragDropError::FormatsFrozen},
    {DragDropError::ArgumentExpected, DragDropError::ArgumentExpected},
    {DragDropError::RecursiveDrag, DragDropError::RecursiveDrag},
    {DragDropError::ByteArrayRequired, DragDropError::ByteArrayRequired},
    {DragDropError::DataNotSupplied, DragDropError::DataNotSupplied},
    {0, 0},
};

// The error object of an error raised without a live control.
void SetStandaloneErrorInfo(WORD id, const char* source)
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)))
        return;
    char buffer[256] = {};
    LoadStringA(GetResourceInstance(0), id, buffer, sizeof buffer);
    CDualString description(buffer);
    CDualString sourceName(source ? source : "");
    BSTR text = description.AllocSysString();
    BSTR sourceText = sourceName.AllocSysString();
    create->SetDescription(text);
    create->SetSource(sourceText);
    create->SetHelpContext(id);
    SysFreeString(text);
    SysFreeString(sourceText);
    IErrorInfo* error = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&error)))) {
        SetErrorInfo(0, error);
        error->Release();
    }
    create->Release();
}

} // namespace

const DragDropErrorEntry* GridDragDropErrors()
{
    return kGridErrors;
}

HRESULT ErrorNumberToResult(long number)
{
    if (number == 0)
        return E_FAIL;
    if (number == DragDropError::OutOfMemory)
        return E_OUTOFMEMORY;
    return static_cast<HRESULT>(0x800A0000u | static_cast<WORD>(number));
}

HRESULT RaiseDragDropError(OleDragDrop* dragDrop, WORD id, const char* fallbackSource)
{
    if (OleDragDrop::IsValid(dragDrop))
        return dragDrop->RaiseError(id);
    try {
        SetStandaloneErrorInfo(id, fallbackSource);
    } catch (...) {
        // The result code alone still reaches the caller.
    }
    return DragDropResult(id);
}
