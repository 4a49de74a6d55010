' A script with text outside ASCII is refused: the script host reads it in
' the code page of the locale. Amostra válida.
CheckEqual 1, 1, "never run"
Finish
