' A script keeps objects of a grid and of its layout after letting both go:
' without a crash, a kept object answers that it is no longer active; its
' collections answer from their storage, emptied or holding dead items;
' an appearance reads unset but refuses writes; a clone of the layout
' stands alone and answers.

' The error of a member of an object that is no longer active, as a script
' sees it: the code of the control's facility.
Const NotActive = 41499

' The error of the member just called under On Error Resume Next.
Sub Gone(number, description, text)
    CheckError number, description, NotActive, text
    Err.Clear
End Sub

' A collection outlives its owner emptied: it counts 0.
Sub Emptied(number, count, text)
    CheckEqual number, 0, text & " Count answers"
    CheckEqual count, 0, text & " Count"
    Err.Clear
End Sub

' A collection that keeps its dead items answers Count all the same.
Sub Counted(number, text)
    CheckEqual number, 0, text & " Count answers"
    Err.Clear
End Sub

' A collection of the grid's display or selection outlives it: it answers
' from its storage or that it is no longer active, and does not crash.
Sub Answered(number, description, text)
    If number <> 0 Then CheckError number, description, NotActive, text
    Err.Clear
End Sub

' A color that is not set reads -1.
Sub Unset(number, value, text)
    CheckEqual number, 0, text & " answers"
    CheckEqual CLng(value), -1, text & " reads unset"
    Err.Clear
End Sub

Dim grid, layout
Set grid = CreateObject("Tavelle.HvTavelle")
Set layout = grid.Layout

Dim appearances, appearance, overrides, item, valueLists, valueList, items, entry
Dim colRegions, colRegion, rowRegions, rowRegion, box, own, bands, images
Dim ownAppearance, element, rect
Set appearances = layout.Appearances
Set appearance = appearances.Add("Stripe")
appearance.BackColor = 255
Set overrides = layout.Overrides
Set item = overrides.Add("Narrow")
Set valueLists = layout.ValueLists
Set valueList = valueLists.Add("Units")
Set items = valueList.ValueListItems
Set entry = items.Add(7, "seven")
Set colRegions = layout.ColScrollRegions
Set colRegion = colRegions(0)
Set rowRegions = layout.RowScrollRegions
Set rowRegion = rowRegions(0)
Set box = layout.AddNewBox
Set own = layout.Override
Set bands = layout.Bands
Set images = grid.Images
Dim image
Set image = images.Add(1, "Frasco")
Set ownAppearance = layout.Appearance
ownAppearance.ForeColor = 128
Set element = grid.GetUIElement()
Set rect = element.Rect
Dim headers, visibleRows, elements, selected, selectedRows, selectedColumns, selectedCells
Set headers = colRegion.VisibleHeaders
Set visibleRows = rowRegion.VisibleRows
Set elements = element.UIElements
Set selected = grid.Selected
Set selectedRows = selected.Rows
Set selectedColumns = selected.Columns
Set selectedCells = selected.Cells
layout.Caption = "Amostras"

Dim clone, cloneAppearance
Set clone = layout.Clone
Set cloneAppearance = clone.Appearances.Add("Copy")

Set grid = Nothing
Set layout = Nothing

Dim v
On Error Resume Next
v = appearances.Count: Emptied Err.Number, v, "Appearances"
appearance.BackColor = 1: Gone Err.Number, Err.Description, "a shared appearance BackColor set"
v = appearance.BackColor: Unset Err.Number, v, "a shared appearance BackColor"
v = overrides.Count: Counted Err.Number, "Overrides"
item.AllowAddNew = 1: Gone Err.Number, Err.Description, "an override of the collection AllowAddNew set"
v = valueLists.Count: Counted Err.Number, "ValueLists"
valueList.DisplayStyle = 1: Gone Err.Number, Err.Description, "a value list DisplayStyle set"
v = items.Count: Counted Err.Number, "ValueListItems"
entry.DisplayText = "x": Gone Err.Number, Err.Description, "a value list item DisplayText set"
v = colRegions.Count: Emptied Err.Number, v, "ColScrollRegions"
v = colRegion.Width: Gone Err.Number, Err.Description, "a column scroll region Width"
v = rowRegions.Count: Emptied Err.Number, v, "RowScrollRegions"
v = rowRegion.Height: Gone Err.Number, Err.Description, "a row scroll region Height"
v = box.Prompt: Gone Err.Number, Err.Description, "AddNewBox Prompt"
own.AllowAddNew = 1: Gone Err.Number, Err.Description, "the layout's Override AllowAddNew set"
v = bands.Count: Emptied Err.Number, v, "Bands"
ownAppearance.ForeColor = 5: Gone Err.Number, Err.Description, "the layout's Appearance ForeColor set"
v = element.Type: Gone Err.Number, Err.Description, "the grid's element Type"
v = headers.Count: Answered Err.Number, Err.Description, "VisibleHeaders Count"
v = visibleRows.Count: Answered Err.Number, Err.Description, "VisibleRows Count"
v = elements.Count: Answered Err.Number, Err.Description, "UIElements Count"
For Each v In elements
Next
Answered Err.Number, Err.Description, "For Each over UIElements"
v = selectedRows.Count: Answered Err.Number, Err.Description, "Selected.Rows Count"
v = selectedColumns.Count: Answered Err.Number, Err.Description, "Selected.Columns Count"
v = selectedCells.Count: Answered Err.Number, Err.Description, "Selected.Cells Count"
selectedRows.Clear: Answered Err.Number, Err.Description, "Selected.Rows Clear"
Set v = selected.Rows: Answered Err.Number, Err.Description, "Selected Rows"
' The members every object shares answer the same.
appearance.TagVariant = 1: Gone Err.Number, Err.Description, "a shared appearance TagVariant set"
Set item.TagVariant = rect: Gone Err.Number, Err.Description, "an override TagVariant set to an object"
v = own.IsSameAs(own): Gone Err.Number, Err.Description, "the layout's Override IsSameAs"
v = entry.TagVariant: Gone Err.Number, Err.Description, "a value list item TagVariant"
v = entry.IsReadOnly(): Gone Err.Number, Err.Description, "a value list item IsReadOnly"
On Error GoTo 0

' The images go on without the control, from their own list.
On Error Resume Next
Dim count, added, one, seen
count = images.Count
CheckEqual Err.Number, 0, "Images answers without its control"
CheckEqual count, 1, "Images keeps its image"
Err.Clear
Set added = images.Add(1, "Tubo")
CheckEqual Err.Number, 0, "Images takes an image without its control"
Err.Clear
CheckEqual images("frasco").Index, 2, "an image found by key"
CheckEqual image.Index, 2, "a kept image moved down"
image.Key = "Balao"
CheckEqual Err.Number, 0, "a kept image takes a new key"
Err.Clear
seen = 0
For Each one In images
    seen = seen + 1
Next
CheckEqual seen, 2, "For Each over the images"
images.Remove "Tubo"
CheckEqual Err.Number, 0, "Images removes an image without its control"
Err.Clear
images.Clear
CheckEqual images.Count, 0, "Images cleared without its control"
CheckEqual image.Index, 0, "a cleared image stands alone"
Err.Clear
On Error GoTo 0

'' A rectangle handed out is a value of its own.
v = rect.Width
CheckEqual Err.Number, 0, "a rectangle answers without its element"
Err.Clear
On Error GoTo 0

' The clone is nobody's layout: it and its members answer.
CheckEqual clone.Caption, "Amostras", "the clone keeps the caption"
clone.Caption = "Copia"
CheckEqual clone.Caption, "Copia", "the clone takes a new caption"
cloneAppearance.ForeColor = 65280
' A color is an unsigned long: Wine's script engine compares it only once
' converted.
CheckEqual CLng(cloneAppearance.ForeColor), 65280, "the clone's appearance answers"
CheckEqual clone.Appearances.Count, 2, "the clone has both appearances"
clone.TagVariant = "c"
CheckEqual clone.TagVariant, "c", "the clone takes a tag"
CheckEqual clone.IsSameAs(clone), True, "the clone is itself"
cloneAppearance.TagVariant = 3
CheckEqual cloneAppearance.TagVariant, 3, "the clone's appearance takes a tag"

'' A layout kept after its grid has gone answers, for itself and its parts,
' that it is no longer active.
Dim kept, keptBands
Set grid = CreateObject("Tavelle.HvTavelle")
Set kept = grid.Layout
Set keptBands = kept.Bands
Set grid = Nothing
On Error Resume Next
kept.Caption = "x": Gone Err.Number, Err.Description, "a kept layout Caption set"
Set v = kept.Appearances: Gone Err.Number, Err.Description, "a kept layout Appearances"
v = keptBands.Count: Emptied Err.Number, v, "a kept layout's Bands"
On Error GoTo 0
Set kept = Nothing
Set keptBands = Nothing

Finish
