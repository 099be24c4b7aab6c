// Cell ids: the 16-bit names of the window's selectable elements. The type sits in the high bits
// (tested with kCellTypeMask), the index of a day cell or countdown line in the low 12.
#pragma once

constexpr int kCellNone = 0;
constexpr int kCellDayBase = 0x1000;        // + day cell index
constexpr int kCellMemoBox = 0x2000;
constexpr int kCellCountdownBase = 0x4000;  // + countdown line index
constexpr int kCellTypeMask = 0x7000;
constexpr int kCellIndexMask = 0x0FFF;
constexpr int kMaxCellIndex = kCellIndexMask;  // no more cells than their ids can tell apart

inline bool IsDayCell(int cell) { return (cell & kCellTypeMask) == kCellDayBase; }
inline bool IsCountdownCell(int cell) { return (cell & kCellTypeMask) == kCellCountdownBase; }
inline int CellIndex(int cell) { return cell & kCellIndexMask; }
