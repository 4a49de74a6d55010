' The grid's images, image-list switch and drop mode as a script sees them.
Set grid = CreateObject("Tavelle.HvTavelle")
Set images = grid.Images
CheckEqual images.Count, 0, "a new grid has no images"
images.Add , "a"
images.Add , "b"
images.Add , "k"
CheckEqual images.Count, 3, "three images added"
CheckEqual images.Item(2.9).Key, "b", "Item(2.9) is the second image"
CheckEqual images.Item("K").Index, 3, "a key is found whatever its letter case"
images.Remove "k"
CheckEqual images.Count, 2, "Remove by key"

On Error Resume Next
images.Remove "k"
CheckError Err.Number, Err.Description, &HA21C&, "Remove of a key no image has"
Err.Clear
Set found = images.Item("")
CheckError Err.Number, Err.Description, &HA21F&, "Item of an empty key"
Err.Clear
images.Add , "12"
CheckError Err.Number, Err.Description, &HA21E&, "a key made of digits"
Err.Clear
On Error GoTo 0
CheckEqual images.Count, 2, "refused adds leave the images"

CheckEqual grid.UseImageList, False, "the grid's own images by default"
grid.UseImageList = True
CheckEqual grid.UseImageList, True, "UseImageList set"
grid.UseImageList = False
CheckEqual grid.ImagesMasking, True, "images are masked by default"
grid.ImagesMasking = False
CheckEqual grid.ImagesMasking, False, "ImagesMasking cleared"

CheckEqual grid.OLEDropMode, 0, "no drops by default"
On Error Resume Next
grid.OLEDropMode = 2
CheckError Err.Number, Err.Description, 380, "OLEDropMode 2"
Err.Clear
On Error GoTo 0
CheckEqual grid.OLEDropMode, 0, "a refused mode leaves the mode"
grid.OLEDropMode = 1
CheckEqual grid.OLEDropMode, 1, "manual drops"
Finish
