' The registered grid driven from a script: made by CreateObject (no
' container, no window), bound to the in-memory recordset, its rows walked
' and written the way the laboratory application finds and updates a
' sample, a chaptered recordset reached through the child rows, and the
' errors a script sees.
Dim rs, grid, names, i, row, found, parent, child, readings

Function MakeAnalyses(count)
    Dim r, k
    Set r = CreateObject("HvRecordset.Recordset")
    r.Fields.Append "AMOSTRA", 8, 0, 32
    names = Array("ME", "TEMP_ENS", "TEMP_EST", "ME20", "GRAU", "GRAU20", "FATOR")
    For k = 0 To UBound(names)
        r.Fields.Append names(k), 5, 0, 32
    Next
    r.Open
    For k = 1 To count
        r.AddNew
        r.Collect("AMOSTRA") = "A" & k
        r.Collect("ME") = 811.5 + k
        r.Update
    Next
    Set MakeAnalyses = r
End Function

' The first row, then each next sibling, until the sample is found.
Function FindSample(g, sample)
    Dim r, value
    Set FindSample = Nothing
    On Error Resume Next
    Set r = g.GetRow(0)
    If Err.Number <> 0 Then
        Err.Clear
        Exit Function
    End If
    On Error GoTo 0
    Do While Not r Is Nothing
        value = r.Cells("AMOSTRA").Value
        If Not IsNull(value) Then
            If value = sample Then
                Set FindSample = r
                Exit Function
            End If
        End If
        If Not r.HasNextSibling(False) Then
            Exit Do
        End If
        Set r = r.GetSibling(2, False)
    Loop
End Function

Set rs = MakeAnalyses(3)
Set grid = CreateObject("Tavelle.HvTavelle")
Set grid.DataSource = rs
CheckEqual grid.Bands.Count, 1, "one band for a recordset without chapters"
CheckEqual grid.Bands(0).Columns.Count, 8, "a column per field"
CheckEqual grid.Bands(0).Columns(1).Key, "ME", "columns keyed by field"
CheckEqual grid.GetRow(0).Cells("AMOSTRA").Value, "A1", "the first row"
CheckEqual grid.GetRow(1).Cells("ME").Value, 814.5, "the last row"

Set found = FindSample(grid, "A3")
Check Not found Is Nothing, "the walk finds A3"
If Not found Is Nothing Then
    CheckEqual found.Cells("ME").Value, 814.5, "the row found is A3's"
    found.Cells("ME").Value = 900.25
    CheckEqual found.Cells("ME").Value, 900.25, "the cell reads what was written"
    grid.Update
    rs.MoveLast
    CheckEqual rs.Collect("ME"), 900.25, "Update reaches the recordset"
End If
Check FindSample(grid, "A9") Is Nothing, "a sample the grid lacks"
Check FindSample(grid, "a1") Is Nothing, "the walk compares case-sensitively"

' Records added through the recordset are rows of the grid.
rs.AddNew
rs.Collect("AMOSTRA") = "A4"
rs.Update
Check Not FindSample(grid, "A4") Is Nothing, "a record added to the recordset is a row"

' Sorted from the script: ME descending, the empty ME of A4 last; cleared,
' the recordset's order again.
grid.Bands(0).SortedCols.Add grid.Bands(0).Columns("ME"), True
CheckEqual grid.GetRow(0).Cells("AMOSTRA").Value, "A3", "the largest ME first"
CheckEqual grid.GetRow(0).GetSibling(2, False).Cells("AMOSTRA").Value, "A2", "then the next largest"
CheckEqual grid.GetRow(1).Cells("AMOSTRA").Value, "A4", "the empty ME last"
grid.Bands(0).SortedCols.Clear
CheckEqual grid.GetRow(0).Cells("AMOSTRA").Value, "A1", "unsorted, the first record first"

' The layout saved to a stream and loaded again: a header caption set to
' the empty text stays empty (the field name does not come back).
Dim saved
grid.Bands(0).Columns("ME").Header.Caption = ""
CheckEqual grid.Bands(0).Columns("ME").Header.Caption, "", "an empty header caption"
grid.Layout.Save saved, 2
grid.Bands(0).Columns("ME").Header.Caption = "Outra"
grid.Layout.Load saved, 2
CheckEqual grid.Bands(0).Columns("ME").Header.Caption, "", "the empty header caption loaded"

' A chaptered recordset: a child band per chapter field.
Set child = CreateObject("HvRecordset.Recordset")
child.Fields.Append "amostra", 8, 0, 32
child.Fields.Append "LEITURA", 5, 0, 32
Set parent = CreateObject("HvRecordset.Recordset")
parent.Fields.Append "AMOSTRA", 8, 0, 32
parent.AppendChapter "LEITURAS", child, "AMOSTRA", "amostra"
parent.Open
For i = 1 To 3
    parent.AddNew
    parent.Collect("AMOSTRA") = "P" & i
    parent.Update
Next
readings = 0
child.Open
For i = 1 To 3
    Dim k
    For k = 1 To 5
        child.AddNew
        child.Collect("amostra") = "P" & i
        child.Collect("LEITURA") = i * 10 + k
        child.Update
    Next
Next
Set grid.DataSource = parent
CheckEqual grid.Bands.Count, 2, "a child band for the chapter field"
CheckEqual grid.Bands(1).Key, "LEITURAS", "the child band keyed by the chapter"
Set row = grid.GetRow(0).GetChild(0)
CheckEqual row.Cells("LEITURA").Value, 11, "the first child row of the first sample"
CheckEqual grid.GetRow(1).GetChild(1).Cells("LEITURA").Value, 35, "the last child row of the last sample"

' Errors a script sees: a raised 0x800Axxxx error reaches it as Err.Number
' &Hxxxx (written in decimal above &H7FFF: a four-digit hex literal is
' a negative Integer in VBScript).
On Error Resume Next
grid.UpdateMode = 3
CheckError Err.Number, Err.Description, &H17C, "an update mode out of range"
Err.Clear
v = grid.DialogStrings(11)
CheckError Err.Number, Err.Description, 40002, "a dialog string index out of range"
Err.Clear
Set grid.DataSource = Nothing
Set row = grid.GetRow(0)
CheckError Err.Number, Err.Description, 40007, "GetRow without a data source"
Err.Clear
On Error GoTo 0

Finish
