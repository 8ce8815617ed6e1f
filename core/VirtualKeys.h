// Key numbers of the grid's key rules: the Windows virtual key codes, so
// that every platform maps its own key events to the same numbers.
#pragma once

namespace mv::vk {
inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kMenu = 18;     // Alt
inline constexpr int kCapital = 20;  // Caps Lock
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPrior = 33;  // Page Up
inline constexpr int kNext = 34;   // Page Down
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kPrint = 42;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
inline constexpr int kAdd = 107;       // keypad plus
inline constexpr int kSubtract = 109;  // keypad minus
inline constexpr int kF1 = 112;
inline constexpr int kF12 = 123;
inline constexpr int kNumLock = 144;
inline constexpr int kScroll = 145;
}  // namespace mv::vk
