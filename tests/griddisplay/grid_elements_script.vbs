' The grid's elements and scroll regions driven from a script: the root
' element and its type, the element outside the grid, a popup that does
' not exist, and a scroll action out of range.
Dim grid, root, region, popup

Set grid = CreateObject("Tavelle.HvTavelle")
Set root = grid.GetUIElement()
CheckEqual root.Type, 100, "the root element is the grid"
CheckEqual root.ParentUIElement Is Nothing, True, "the root has no parent"

Set region = grid.Layout.RowScrollRegions.Item(0)
On Error Resume Next
region.Scroll 4
CheckEqual Err.Number, 5, "scroll action 4 is an invalid argument"
Err.Clear
Set popup = grid.GetUIElementPopup(700)
CheckEqual Err.Number, 380, "popup 700 is an invalid value"
Err.Clear
region.Scroll 1
CheckEqual Err.Number, 0, "a valid scroll action is taken"
On Error GoTo 0
Finish
