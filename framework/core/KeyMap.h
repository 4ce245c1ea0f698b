#pragma once

#include <QtCore/Qt>

#include "framework/core/Events.h"

// Internal to the framework: Qt's keys, buttons and modifiers as the
// Windows codes and shift states the events carry.
unsigned short VirtualKeyFromQt(int qtKey);
TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers);
TShiftState ButtonsFromQt(Qt::MouseButtons buttons);
TMouseButton ButtonFromQt(Qt::MouseButton button);
