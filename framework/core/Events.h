#pragma once

#include <functional>

class TObject;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

/// A set of shift-state bits, as key and mouse events report them.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
/// Key is a Windows virtual-key code (VirtualKeys.h); a handler that sets it
/// to 0 consumes the key.
using TKeyEvent = std::function<void(TObject* Sender, unsigned short& Key, TShiftState Shift)>;
/// Key is the typed character; a handler that sets it to 0 consumes it.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
