' The registered recordset driven from a script, the way the application
' drives it: fields appended before Open, records added and read back by
' name in any letter case, moves, clones, chapters and errors.
Dim rs, names, samples, i, seen, copy, v

Set rs = CreateObject("HvRecordset.Recordset")
CheckEqual rs.State, 0, "a new recordset is closed"
rs.Fields.Append "AMOSTRA", 8, 0, 32
names = Array("ME", "TEMP_ENS", "TEMP_EST", "ME20", "GRAU", "GRAU20", "FATOR")
For i = 0 To UBound(names)
    rs.Fields.Append names(i), 5, 0, 32
Next
CheckEqual rs.Fields.Count, 8, "eight fields"
CheckEqual rs.Fields.Item(7).Name, "FATOR", "fields in append order"
CheckEqual rs.Fields.Item("fator").Type, 5, "a double field"

rs.Open
CheckEqual rs.State, 1, "open"
CheckEqual rs.RecordCount, 0, "open and empty"
CheckEqual rs.EOF, True, "an empty recordset is at EOF"

samples = Array(Array("A1", 812.5), Array("A2", 845.25), Array("A3", 990.125))
For i = 0 To 2
    rs.AddNew
    rs.Collect("AMOSTRA") = samples(i)(0)
    rs.Fields.Item("me").Value = samples(i)(1)
    rs.Update
Next
CheckEqual rs.RecordCount, 3, "three records"

rs.MoveFirst
CheckEqual rs.Fields.Item("amostra").Value, "A1", "the first record, its field named in lower case"
CheckEqual rs.Collect("Me"), 812.5, "ME through Collect in mixed case"
CheckEqual rs.Fields.Item(1).Value, 812.5, "ME by index"
CheckEqual rs.Fields("Me").Value, 812.5, "the fields' default member"
CheckEqual rs.Collect("GRAU"), Null, "a nullable field never set is Null"
Dim key
key = "me"
CheckEqual rs.Collect(key), 812.5, "a field named by a variable"

seen = ""
Do While Not rs.EOF
    seen = seen & rs.Collect("AMOSTRA") & " "
    rs.MoveNext
Loop
CheckEqual seen, "A1 A2 A3 ", "a walk in insertion order up to EOF"
rs.MoveLast
CheckEqual rs.Collect("AMOSTRA"), "A3", "MoveLast"
rs.MovePrevious
CheckEqual rs.Collect("AMOSTRA"), "A2", "MovePrevious"
rs.MoveFirst
rs.MovePrevious
CheckEqual rs.BOF, True, "before the first record is BOF"

' A clone has its own position over the same records.
rs.MoveLast
Set copy = rs.Clone(-1)
CheckEqual copy.Collect("AMOSTRA"), "A1", "the clone starts at the first record"
copy.MoveNext
CheckEqual copy.Collect("AMOSTRA"), "A2", "the clone moves"
CheckEqual rs.Collect("AMOSTRA"), "A3", "the original keeps its position"
CheckEqual copy.RecordCount, 3, "the clone's records"

' A text for a double field reads with its decimal point in any locale.
rs.Collect("TEMP_ENS") = "20.5"
CheckEqual rs.Collect("TEMP_ENS"), 20.5, "a text for a double field"
copy.MoveLast
CheckEqual copy.Collect("TEMP_ENS"), 20.5, "the clone sees the change"

' Failures reach the script with a description and their number (the
' script host reports codes of the control facility by their low word).
On Error Resume Next
v = rs.Collect("NOPE")
CheckError Err.Number, Err.Description, &HCC1, "a field name that does not exist"
Check InStr(Err.Description, "NOPE") > 0, "the description names the field: " & Err.Description
Err.Clear
Set v = rs.Fields.Item("NOPE")
CheckError Err.Number, Err.Description, &HCC1, "Fields.Item of a name that does not exist"
Err.Clear
rs.Collect("ME") = "not a number"
Check Err.Number <> 0 And InStr(Err.Description, """ME""") > 0, "a text that is not a number for a double field: " & Err.Description
Err.Clear
rs.Fields.Append "LATE", 5, 0, 32
CheckError Err.Number, Err.Description, &HE79, "a field appended while open"
Err.Clear
rs.Fields.Append "OTHER", 3, 0, 32
CheckError Err.Number, Err.Description, &HBB9, "a field type other than double or wide string"
Err.Clear
On Error GoTo 0
CheckEqual rs.Collect("ME"), 990.125, "a refused value leaves the field as it was"

' A chaptered pair: each sample leads to its readings.
Dim parent, child
Set child = CreateObject("HvRecordset.Recordset")
child.Fields.Append "AMOSTRA", 8, 0, 32
child.Fields.Append "LEITURA", 5, 0, 32
child.Open
For i = 1 To 6
    child.AddNew
    child.Collect("AMOSTRA") = "A" & ((i Mod 2) + 1)
    child.Collect("LEITURA") = i
    child.Update
Next
Set parent = CreateObject("HvRecordset.Recordset")
parent.Fields.Append "AMOSTRA", 8, 0, 32
parent.AppendChapter "LEITURAS", child, "AMOSTRA", "amostra"
CheckEqual parent.Fields.Count, 2, "the chapter field follows the key"
CheckEqual parent.Fields.Item(1).Type, 136, "a chapter field"
On Error Resume Next
parent.AppendChapter "OUTRAS", child, "AMOSTRA", "NOPE"
CheckError Err.Number, Err.Description, &HCC1, "a chapter over a child key that does not exist"
Err.Clear
parent.AppendChapter "OUTRAS", rs.Fields, "AMOSTRA", "AMOSTRA"
CheckError Err.Number, Err.Description, &HBB9, "a chapter over an object that is no recordset"
Err.Clear
On Error GoTo 0
parent.Open
parent.AddNew
parent.Collect("AMOSTRA") = "A1"
parent.Update
parent.AddNew
parent.Collect("AMOSTRA") = "A2"
parent.Update
CheckEqual parent.RecordCount, 2, "parent records"

' Closing drops the records; a clone keeps them.
rs.Close
CheckEqual rs.State, 0, "closed"
CheckEqual copy.RecordCount, 3, "the clone keeps the records"
rs.Open
CheckEqual rs.RecordCount, 0, "reopened empty with the same fields"
CheckEqual rs.Fields.Count, 8, "the fields stay"
Finish
