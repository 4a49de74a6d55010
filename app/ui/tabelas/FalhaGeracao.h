// FalhaGeracao: a failure that ends a table generation, with the description
// the user is shown ("Não foi possível gerar as tabelas: " and this text).
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

class FalhaGeracao : public std::runtime_error
{
public:
    explicit FalhaGeracao(std::wstring descricao)
        : std::runtime_error("table generation failed"), m_descricao(std::move(descricao))
    {
    }

    const std::wstring& Descricao() const { return m_descricao; }

    // Throws for a failed result of a component: out of memory as such,
    // anything else with its description, or its code when it has none.
    static void Verificar(HRESULT hr, const wchar_t* oQue);

private:
    std::wstring m_descricao;
};
