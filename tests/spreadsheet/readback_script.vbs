' The spreadsheet application driven from a script, late bound: a new
' workbook trimmed to two named sheets, values, a merge, formats, then
' Visible hands it over as a file.
Dim xl, book, sheets, n, cell, fso, path

Set xl = CreateObject("Excel.Application")
Set book = xl.Workbooks.Add
Set sheets = book.Sheets
CheckEqual sheets.Count, 3, "a new workbook has three sheets"
sheets.Add
CheckEqual xl.ActiveSheet.Index, 4, "Add appends and activates"
For n = sheets.Count To 3 Step -1
    sheets(n).Delete
Next
CheckEqual sheets.Count, 2, "deleted down to two"
sheets(1).Name = "Tabela 1"
sheets(2).Name = "Tabela 2"
CheckEqual xl.Sheets(2).Name, "Tabela 2", "named"
sheets(1).Select

xl.Cells(1, 1).Value = 812.5
xl.Cells(1, 2).Value = "x"
xl.Cells(1, 3).Value = Null
xl.Cells(2, 1).Value = CInt(7)
CheckEqual xl.Cells(1, 1).Value, 812.5, "a double"
CheckEqual xl.Cells(1, 2).Value, "x", "a text"
CheckEqual IsEmpty(xl.Cells(1, 3).Value), True, "Null leaves the cell empty"
CheckEqual xl.Cells(2, 1).Value, 7, "a 16-bit integer"

n = 4
xl.Range(xl.Cells(n, 1), xl.Cells(n + 1, 1)).Merge
CheckEqual xl.Range("A4:A5").MergeCells, True, "merged from two cells in variables"

xl.Range("A1:I1").Select
xl.Selection.HorizontalAlignment = -4108
xl.Selection.Font.Bold = True
CheckEqual xl.Cells(1, 9).Font.Bold, True, "I1 bold"
CheckEqual xl.Cells(1, 10).Font.Bold, False, "J1 untouched"
xl.Columns("D:H").Select
xl.Selection.Style = "Comma"
xl.Selection.NumberFormat = "0.0"
CheckEqual xl.Cells(9, 5).NumberFormat, "0.0", "a column format"
xl.Rows("1:1").RowHeight = 30
CheckEqual xl.Cells(1, 1).RowHeight, 30, "a row height"

On Error Resume Next
Set cell = xl.Range("A0")
CheckError Err.Number, Err.Description, 1004, "A0 is no cell"
Err.Clear
xl.Cells(1, 1).RowHeight = "high"
CheckError Err.Number, Err.Description, &H80020005, "a text for a height is a type mismatch"
Err.Clear
Set cell = sheets(9)
Check Err.Number <> 0, "Sheets(9) of two fails"
Err.Clear
On Error GoTo 0

xl.Visible = True
path = book.FullName
Set fso = CreateObject("Scripting.FileSystemObject")
CheckEqual fso.FileExists(path), True, "Visible wrote " & path
CheckEqual LCase(fso.GetExtensionName(path)), "xlsx", "a workbook file"
fso.DeleteFile path
Set xl = Nothing
Finish
