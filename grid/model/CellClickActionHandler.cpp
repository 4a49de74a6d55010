// CellClickActionHandler: the handler for each CellClickAction value.
#include "CellClickActionHandler.h"

#include "CellSelectClickHandler.h"
#include "EditClickHandler.h"
#include "RowSelectClickHandler.h"

#include <new>

std::unique_ptr<CellClickActionHandler> CellClickActionHandler::Create(int action)
{
    switch (action) {
    case Edit:
        return std::unique_ptr<CellClickActionHandler>(new (std::nothrow) EditClickHandler);
    case RowSelect:
        return std::unique_ptr<CellClickActionHandler>(new (std::nothrow) RowSelectClickHandler);
    case CellSelect:
        return std::unique_ptr<CellClickActionHandler>(new (std::nothrow) CellSelectClickHandler);
    default:
        return nullptr;
    }
}

CellClickActionHandler* CellClickActionHandler::FromStrategy(OverrideStrategy* strategy)
{
    return dynamic_cast<CellClickActionHandler*>(strategy);
}
