// The main form as the user meets it: the grid control library registered
// once in the test prefix, a fresh data folder, message boxes answered from
// a script, and helpers that type into the fields and confirm them the way
// the keyboard does.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "FrmMain.h"
#include "PastaTeste.h"

// Registers Tavelle.ocx in the prefix (once per process).
void RegistraGrade();

struct FrmMainFixture {
    explicit FrmMainFixture(std::deque<int> respostas = {});
    ~FrmMainFixture();

    // Types text into the field (replacing what it has) and confirms it
    // with Tab; the validation runs before this returns.
    void Digita(hv::forms::Control& campo, const std::wstring& texto);
    // The same, confirmed with Enter.
    void DigitaEnter(hv::forms::Control& campo, const std::wstring& texto);
    // Puts the focus in the field (validating the one it leaves).
    void Foca(hv::forms::Control& campo);
    // A date, then the analyses one by one (sample, density, test and
    // storage temperatures), as the user types them.
    void Lanca(const std::wstring& data);
    void LancaAnalise(const std::wstring& amostra, const std::wstring& massa, const std::wstring& ensaio,
                      const std::wstring& estocagem);
    // Bytes of a file of the data folder; empty when missing.
    std::string Arquivo(const std::wstring& nome) const;
    // Texts the grid shows for its rows: the cells' values, by column key.
    std::wstring Celula(const ObjetoAutomacao& linha, const wchar_t* campo) const;
    // The grid's rows in row order (first row, then next siblings).
    std::vector<ObjetoAutomacao> Linhas() const;
    // The records of the list.
    long Registros() const;

    PastaTeste pasta;
    formstest::MsgBoxScript caixas;
    // What the load showed (the boxes shown afterwards are in caixas).
    std::vector<formstest::MsgBoxScript::Shown> mensagensDaCarga;
    std::unique_ptr<FrmMain> form;
};
