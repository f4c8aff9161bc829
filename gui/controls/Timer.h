#pragma once
// A periodic timer. It is an element with an id and a hidden host window so
// that ElementWndProc can route each WM_TIMER to it by id; the native timer
// is set on the parent's window with that id.
#include "gui/GUIElement.h"

namespace TarnUtility {

class Timer;
using TickHandler = void (*)(Timer* timer);

class Timer : public Child {
public:
    Timer(GUIElement* parent, int intervalMs);
    // A running timer is killed first.
    ~Timer() override;

    bool running = false;
    int32_t interval;
    TickHandler tickHandler = nullptr;

    void Create() override;
    void Start();
    void Stop();
};

} // namespace TarnUtility
