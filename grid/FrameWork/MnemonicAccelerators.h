// Keyboard mnemonics of a control: the '&' characters of its captions
// turned into the accelerator table that IOleControl::GetControlInfo
// reports, so that the container routes Alt+letter to the control.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <string>
#include <vector>

// Appends the mnemonic characters of one caption, upper-cased, to
// mnemonics. "&&" is a literal ampersand and a trailing '&' gives nothing.
void ExtractMnemonics(const wchar_t* caption, std::wstring& mnemonics);

// The four accelerator entries of each mnemonic (all with command 1):
// Alt and Alt+Shift on the character's virtual key, and Alt on the
// character in upper and in lower case.
std::vector<ACCEL> MnemonicAcceleratorEntries(const std::wstring& mnemonics);

// Fills info (size, table, entry count, flags) from the mnemonics. No
// mnemonic, or a table that cannot be made, gives no table and 0 entries.
// The table passes to the caller, who destroys it (DestroyAcceleratorTable).
// Returns TRUE.
BOOL FillMnemonicControlInfo(CONTROLINFO* info, const std::wstring& mnemonics, DWORD flags);

// Collects the mnemonics of count captions and fills info as above. With no
// captions answers FALSE and leaves info alone.
BOOL BuildMnemonicAccelerators(CONTROLINFO* info, const wchar_t* const* captions, int count, DWORD flags);
