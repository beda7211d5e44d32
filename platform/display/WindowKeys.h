#pragma once
// Virtual key codes of the original desktop for GDK key values: letters give
// 'A'..'Z' whatever the case, digits '0'..'9', and the usual named keys their
// codes (Enter 0x0D, Esc 0x1B, arrows 0x25..0x28, F1.. 0x70.., Shift 0x10,
// Ctrl 0x11, Alt 0x12, keypad digits 0x60..). Keys without a code give 0.

unsigned VirtualKeyFromKeyval(unsigned keyval);
