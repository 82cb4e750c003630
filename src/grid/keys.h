// Key codes and modifier states as the grid engine takes them: the classic
// virtual-key numbers, and a bit set of held modifiers and mouse buttons.
// The window layer maps its toolkit's keys onto these.
#pragma once

#include <cstdint>

constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12; // Alt
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_PRIOR = 0x21; // Page Up
constexpr int VK_NEXT = 0x22;  // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
// Letters are their upper-case ASCII codes ('A' .. 'Z'), digits '0' .. '9'.
constexpr int VK_C = 'C';
constexpr int VK_V = 'V';
constexpr int VK_X = 'X';
constexpr int VK_F1 = 0x70;

// Held modifiers and mouse buttons; combine with |.
using TShiftState = unsigned;
enum TShiftFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6
};

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// The text a backspace key press carries.
constexpr char KeyBackspace = '\b';
