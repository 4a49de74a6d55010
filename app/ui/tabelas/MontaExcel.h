// MontaExcel: the two generated tables written into a new workbook of the
// spreadsheet application, sheet "Tabela 1" and sheet "Tabela 2": the frame,
// the temperature row under heading blocks of ten columns, then one record
// after the other (two rows each in Tabela 1, one in Tabela 2), striped in
// two colours that run on from one sheet into the next. Progress and the
// cancel poll follow every record; on success the application is left
// visible with the unsaved workbook for the user. A cancel or a failure closes
// the workbook unsaved, quits the application and restores the form.
#pragma once

#include "CadenciaPausas.h"
#include "ControlesTabelas.h"

#include <LateObject.h>

#include <string>

class ProgressoTabelas;

namespace hv::recordset {
class Recordset;
}

enum class FimMontagem
{
    Concluida,
    Cancelada,
    Falhou,
};

class MontaExcel
{
public:
    // bGerandoTabela: the form's flag, true from the workbook's creation until
    // the output ends. Nothing here is owned.
    MontaExcel(const ControlesTabelas& controles, ProgressoTabelas& progresso, bool& bGerandoTabela);

    FimMontagem sMontaExcel(hv::recordset::Recordset& RstImpTab1, hv::recordset::Recordset& RstImpTab2);

    void DefinirIntervaloPausas(unsigned milissegundos) { m_pausas.DefinirIntervalo(milissegundos); }

private:
    using LateObject = hv::automation::LateObject;

    bool sMontaTabela(const LateObject& oExcel, hv::recordset::Recordset& rst, short iTab);
    long sLinhaTemperaturas(const LateObject& oExcel, const hv::recordset::Recordset& rst, short iTab);
    void sRegistro(const LateObject& oExcel, const hv::recordset::Recordset& rst, long iLin, short iTab);
    void Pausar(long registro);
    void sDesfaz(LateObject& oExcel, bool temPasta);
    void sRestauraForm();

    ControlesTabelas m_c;
    ProgressoTabelas& m_progresso;   // not owned
    bool& m_bGerandoTabela;          // not owned
    CadenciaPausas m_pausas;
    short m_iCor = 0;                // the stripe of the next record
};
