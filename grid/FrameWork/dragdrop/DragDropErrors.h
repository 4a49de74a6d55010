// The errors of OLE drag and drop and of the data objects: their string
// identifiers (each also the low word of its result code and its help
// context), and the mapping of the conversions' small error numbers.
#pragma once

#include <windows.h>

class OleDragDrop;

namespace DragDropError {
constexpr WORD InvalidProcedureCall = 5;
constexpr WORD OutOfMemory = 7;
constexpr WORD ShellFunctionsMissing = 48;
constexpr WORD InvalidPropertyValue = 380;
constexpr WORD InvalidObjectUse = 425;
constexpr WORD FormatMismatch = 461;
constexpr WORD FormatsFrozen = 672;
constexpr WORD ArgumentExpected = 673;
constexpr WORD RecursiveDrag = 674;
constexpr WORD ByteArrayRequired = 675;
constexpr WORD DataNotSupplied = 676;
} // namespace DragDropError

// One entry of a control's list of drag-and-drop errors; a list ends with
// an entry whose identifier is 0.
struct DragDropErrorEntry {
    WORD stringId;
    DWORD helpContext;
};

// The grid's list: every error of the table above, its identifier as help context.
const DragDropErrorEntry* GridDragDropErrors();

// 0x800A0000 | number.
constexpr HRESULT DragDropResult(WORD number)
{
    return static_cast<HRESULT>(0x800A0000u | number);
}

// 0 gives E_FAIL, 7 E_OUTOFMEMORY, any other n 0x800A0000 | n.
HRESULT ErrorNumberToResult(long number);

// Raises error id through the drag-and-drop object when it is still alive
// (the control is then the error's source); once the control is gone the
// error is raised with the data object's own source name. Returns the
// error's result code.
HRESULT RaiseDragDropError(OleDragDrop* dragDrop, WORD id, const char* fallbackSource = "HvDataObject");
