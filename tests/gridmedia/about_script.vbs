' The About box from a script: the call returns once the box is closed.
Set grid = CreateObject("Tavelle.HvTavelle")
grid.AboutBox
Check True, "AboutBox returned"
Finish
