' The script road itself: a passing script with its end marker.
CheckEqual 1 + 1, 2, "arithmetic"
CheckEqual "a" & "b", "ab", "text"
CheckEqual Null, Null, "Null equals Null"
Finish
