' A script keeps objects of a grid and of its layout after letting both go:
' every member of a kept object answers that the object is no longer
' active, without a crash; a clone of the layout stands alone and answers.
Option Explicit

Const NotActive = &H800AA21B

Dim target
' Reads or calls one member of the kept object through Eval.
Sub ExpectGone(object, member, text)
    Dim value
    Set target = object
    On Error Resume Next
    value = Eval("target." & member)
    Dim number, description
    number = Err.Number
    description = Err.Description
    Err.Clear
    On Error GoTo 0
    CheckError number, description, NotActive, text & " " & member
End Sub

Dim grid, layout
Set grid = CreateObject("Tavelle.HvTavelle")
Set layout = grid.Layout

Dim appearances, appearance, overrides, item, valueLists, valueList, items, entry
Dim colRegions, colRegion, rowRegions, rowRegion, box, own, bands, images
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
layout.Caption = "Amostras"

Dim clone, cloneAppearance
Set clone = layout.Clone
Set cloneAppearance = clone.Appearances.Add("Copy")

Set grid = Nothing
Set layout = Nothing

ExpectGone appearances, "Count", "Appearances"
ExpectGone appearance, "BackColor", "a shared appearance"
ExpectGone overrides, "Count", "Overrides"
ExpectGone item, "AllowAddNew", "an override of the collection"
ExpectGone valueLists, "Count", "ValueLists"
ExpectGone valueList, "DisplayStyle", "a value list"
ExpectGone items, "Count", "ValueListItems"
ExpectGone entry, "DisplayText", "a value list item"
ExpectGone colRegions, "Count", "ColScrollRegions"
ExpectGone colRegion, "Width", "a column scroll region"
ExpectGone rowRegions, "Count", "RowScrollRegions"
ExpectGone rowRegion, "Height", "a row scroll region"
ExpectGone box, "Prompt", "AddNewBox"
ExpectGone own, "AllowAddNew", "the layout's Override"
ExpectGone bands, "Count", "Bands"

' The images go on without the control.
On Error Resume Next
Dim count
count = images.Count
CheckEqual Err.Number, 0, "Images answers without its control"
Err.Clear
On Error GoTo 0

' The clone is nobody's layout: it and its members answer.
CheckEqual clone.Caption, "Amostras", "the clone keeps the caption"
clone.Caption = "Copia"
CheckEqual clone.Caption, "Copia", "the clone takes a new caption"
cloneAppearance.ForeColor = 65280
CheckEqual cloneAppearance.ForeColor, 65280, "the clone's appearance answers"
CheckEqual clone.Appearances.Count, 2, "the clone has both appearances"

Finish
