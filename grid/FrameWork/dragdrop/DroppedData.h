// The target side of a drop: the dropped IDataObject's data converted to
// script values (text, pictures, byte arrays, objects) and its file list.
#pragma once

#include <windows.h>
#include <ole2.h>

class HvDataObjectFiles;
class OleDragDrop;

// The dropped data in clipboard format `format` (already mapped from the
// script value) as a script value in *value. 461 for a format that cannot
// be described or is not offered, 5 for CF_HDROP (the file list has its
// own property), else the OLE error of the transfer or conversion.
HRESULT ReadDroppedData(IDataObject* dropped, CLIPFORMAT format, VARIANT* value, OleDragDrop* dragDrop);

// Fills files with the names of the dropped CF_HDROP data.
HRESULT LoadDroppedFiles(IDataObject* dropped, HvDataObjectFiles& files, OleDragDrop* dragDrop);
