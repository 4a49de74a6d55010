' Checks for the scripts that the test harness runs: each check prints "ok"
' or "FAIL" and its text; Finish prints the end marker the harness requires.
Dim hvChecks, hvFailures
hvChecks = 0
hvFailures = 0

Sub Check(condition, text)
    hvChecks = hvChecks + 1
    If condition Then
        WScript.Echo "ok " & text
    Else
        hvFailures = hvFailures + 1
        WScript.Echo "FAIL " & text
    End If
End Sub

Function DescribeValue(value)
    If IsObject(value) Then
        DescribeValue = "object " & TypeName(value)
    ElseIf IsNull(value) Then
        DescribeValue = "Null"
    ElseIf IsEmpty(value) Then
        DescribeValue = "Empty"
    Else
        DescribeValue = TypeName(value) & " " & CStr(value)
    End If
End Function

' Numbers of any width are one kind; other kinds by their variant type.
Function ValueKind(value)
    Select Case VarType(value)
        Case 2, 3, 4, 5, 6, 14, 17
            ValueKind = "number"
        Case Else
            ValueKind = CStr(VarType(value))
    End Select
End Function

' Equal values of the same kind (Null equals Null).
Sub CheckEqual(actual, expected, text)
    Dim same
    If IsNull(actual) Or IsNull(expected) Then
        same = IsNull(actual) And IsNull(expected)
    ElseIf ValueKind(actual) <> ValueKind(expected) Then
        same = False
    Else
        same = (actual = expected)
    End If
    Check same, text & " (got " & DescribeValue(actual) & ", expected " & DescribeValue(expected) & ")"
End Sub

' The error of the statement just run under On Error Resume Next: pass
' Err.Number and Err.Description; the number expected and a description.
Sub CheckError(number, description, expected, text)
    Check number = expected And Len(description) > 0, _
          text & " (error &H" & Hex(number) & ": " & description & ")"
End Sub

Sub Finish()
    WScript.Echo "END checks=" & hvChecks & " failures=" & hvFailures
End Sub
