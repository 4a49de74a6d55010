// OverrideStrategy: the strategy object that carries out an override's
// CellClickAction or SelectType setting (click handlers and selection
// operations, made by the layout). The override only caches and frees it.
#pragma once

enum class OverrideStrategyKind { CellClickAction, SelectTypeCell, SelectTypeRow, SelectTypeCol };

class OverrideStrategy {
public:
    virtual ~OverrideStrategy() = default;
};
