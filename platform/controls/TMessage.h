#pragma once
// Window and control messages: the record every message handler receives,
// and the numbers this layer sends.
//
// WParam, LParam and Result are pointer-sized, so that LParam can carry an
// object (CM_BUTTONPRESSED carries the announcing button). Mouse messages
// pack the position into LParam as two signed 16-bit halves, x low, y high,
// and the held buttons and keys into WParam as MK_ flags; MouseX/MouseY read
// them back with their sign.
//
// A message is sent with TControl::Perform (synchronously; the answer is in
// Result). Handlers are registered per class in a message map (TMessageMap.h).

#include <cstdint>

struct TMessage {
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

// Window messages.
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_CHAR = 0x0102;
inline constexpr unsigned WM_TIMER = 0x0113;
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;
inline constexpr unsigned WM_RBUTTONUP = 0x0205;
inline constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
inline constexpr unsigned WM_MBUTTONDOWN = 0x0207;
inline constexpr unsigned WM_MBUTTONUP = 0x0208;
inline constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;

// Component messages of the class library.
inline constexpr unsigned CM_BASE = 0xB000;
inline constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
inline constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
inline constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
inline constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
inline constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
inline constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
inline constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 27;
inline constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 36;

// WParam flags of mouse messages.
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_RBUTTON = 0x0002;
inline constexpr unsigned MK_SHIFT = 0x0004;
inline constexpr unsigned MK_CONTROL = 0x0008;
inline constexpr unsigned MK_MBUTTON = 0x0010;

// Virtual key codes that the layer looks at.
inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_MBUTTON = 0x04;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_ESCAPE = 0x1B;

inline std::intptr_t MakeMouseLParam(int x, int y)
{
    const auto lo = static_cast<std::uint32_t>(static_cast<std::uint16_t>(x));
    const auto hi = static_cast<std::uint32_t>(static_cast<std::uint16_t>(y));
    return static_cast<std::intptr_t>(lo | (hi << 16));
}
inline int MouseX(const TMessage& m) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(m.LParam & 0xFFFF)); }
inline int MouseY(const TMessage& m) { return static_cast<std::int16_t>(static_cast<std::uint16_t>((m.LParam >> 16) & 0xFFFF)); }
