#pragma once

#include "platform/InputEvent.h"

#include <functional>

class TObject;

// Notifications carry the sender; mouse notifications add what the pointer
// did, in the receiving control's coordinates.
using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseButton = platform::MouseButton;
using TShiftState = platform::ShiftState;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState, int x, int y)>;
