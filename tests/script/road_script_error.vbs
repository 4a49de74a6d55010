' A script error ends the script before its end marker: the road fails it.
CheckEqual 1, 1, "before the error"
Dim missing
missing.Call
Finish
