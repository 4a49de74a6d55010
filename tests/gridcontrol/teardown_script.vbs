' A script keeps objects of a grid and of its layout after letting both go:
' every member of a kept object answers that the object is no longer
' active, without a crash; a clone of the layout stands alone and answers.

' The error of a member of an object that is no longer active, as a script
' sees it: the code of the control's facility.
Const NotActive = 41499

' The error of the member just called under On Error Resume Next.
Sub Gone(number, description, text)
    CheckError number, description, NotActive, text
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
Set ownAppearance = layout.Appearance
ownAppearance.ForeColor = 128
Set element = grid.GetUIElement()
Set rect = element.Rect
layout.Caption = "Amostras"

Dim clone, cloneAppearance
Set clone = layout.Clone
Set cloneAppearance = clone.Appearances.Add("Copy")

Set grid = Nothing
Set layout = Nothing

Dim v
On Error Resume Next
v = appearances.Count: Gone Err.Number, Err.Description, "Appearances Count"
v = appearance.BackColor: Gone Err.Number, Err.Description, "a shared appearance BackColor"
v = overrides.Count: Gone Err.Number, Err.Description, "Overrides Count"
v = item.AllowAddNew: Gone Err.Number, Err.Description, "an override of the collection AllowAddNew"
v = valueLists.Count: Gone Err.Number, Err.Description, "ValueLists Count"
v = valueList.DisplayStyle: Gone Err.Number, Err.Description, "a value list DisplayStyle"
v = items.Count: Gone Err.Number, Err.Description, "ValueListItems Count"
v = entry.DisplayText: Gone Err.Number, Err.Description, "a value list item DisplayText"
v = colRegions.Count: Gone Err.Number, Err.Description, "ColScrollRegions Count"
v = colRegion.Width: Gone Err.Number, Err.Description, "a column scroll region Width"
v = rowRegions.Count: Gone Err.Number, Err.Description, "RowScrollRegions Count"
v = rowRegion.Height: Gone Err.Number, Err.Description, "a row scroll region Height"
v = box.Prompt: Gone Err.Number, Err.Description, "AddNewBox Prompt"
v = own.AllowAddNew: Gone Err.Number, Err.Description, "the layout's Override AllowAddNew"
v = bands.Count: Gone Err.Number, Err.Description, "Bands Count"
v = ownAppearance.ForeColor: Gone Err.Number, Err.Description, "the layout's Appearance ForeColor"
v = element.Type: Gone Err.Number, Err.Description, "the grid's element Type"

On Error GoTo 0

' The images go on without the control.
On Error Resume Next
Dim count
count = images.Count
CheckEqual Err.Number, 0, "Images answers without its control"
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

'' A layout kept after its grid has gone answers, for itself and its parts,
' that it is no longer active.
Dim kept, keptBands
Set grid = CreateObject("Tavelle.HvTavelle")
Set kept = grid.Layout
Set keptBands = kept.Bands
Set grid = Nothing
On Error Resume Next
v = kept.Caption: Gone Err.Number, Err.Description, "a kept layout Caption"
kept.Caption = "x": Gone Err.Number, Err.Description, "a kept layout Caption set"
v = kept.Appearances.Count: Gone Err.Number, Err.Description, "a kept layout Appearances"
v = keptBands.Count: Gone Err.Number, Err.Description, "a kept layout's Bands Count"
On Error GoTo 0
Set kept = Nothing
Set keptBands = Nothing

Finish
