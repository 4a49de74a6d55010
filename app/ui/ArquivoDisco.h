// Files and folders of the application on disk. A file is always replaced
// whole: the new contents go to a temporary file in the same folder, which
// then takes the old file's place in one move, so a failure leaves the old
// file as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

bool fExisteArquivo(const std::wstring& caminho);
bool fExistePasta(const std::wstring& caminho);
// Creates the folder; true when it exists afterwards.
bool fCriaPasta(const std::wstring& caminho);

// Writes the file whole, or leaves the old one untouched and answers false.
bool fGravaArquivo(const std::wstring& caminho, std::string_view bytes);
// The whole file, or nullopt when it cannot be opened or read.
std::optional<std::string> fLeArquivo(const std::wstring& caminho);
