' A failed check fails the road even though the marker is printed.
CheckEqual 1, 2, "one is not two"
Finish
