// HvResolveRequest: the request that every appearance resolution of the
// grid carries: the requested property mask, the mask of what the steps so
// far resolved, the kind of object asking, and eight state flags. It is the
// record the resolved override and the bands already pass around.
#pragma once

#include "OverrideBandSeam.h"

using HvResolveRequest = AppearanceRequest;

// Kinds of asker.
namespace ResolveAsker {
constexpr DWORD AddNewButton = 8; // also the layout's caption
constexpr DWORD LayoutCaption = 8;
constexpr DWORD Row = 15;
constexpr DWORD Cell = 26;
constexpr DWORD Header = 34;
constexpr DWORD AddNewBox = 47;
} // namespace ResolveAsker

// The state flags, in order.
namespace ResolveState {
constexpr int Alternate = 0;
constexpr int Selected = 1;
constexpr int ActiveRow = 2;
constexpr int ActiveCell = 3;
constexpr int Caption = 4;
constexpr int EditMode = 5;
constexpr int RowSelector = 6;
constexpr int CellWithoutRow = 7;
} // namespace ResolveState
