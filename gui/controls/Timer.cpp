#include "gui/controls/Timer.h"

#include "gui/ChildControl.h"

namespace TarnUtility {

Timer::Timer(GUIElement* parent, int intervalMs) : Child(nullptr), interval(intervalMs) {
    this->parent = parent;
    text = L"timer";
    typeName = "timer";
    width = 50;
    height = 22;
}

Timer::~Timer() {
    Stop();
}

void Timer::Create() {
    if (created)
        return;
    // Never shown: no WS_VISIBLE, no tooltip, no font.
    CreateControlWindow(*this, L"static", enabled ? WS_CHILD : WS_CHILD | WS_DISABLED, 0);
    SubclassControl(*this);
    created = true;
}

// The ticks come to the parent's window with the timer's id. Without that
// window no timer is set: the system would make one with an id of its own
// that no tick handler hears and Stop() cannot end; Start() once the parent
// has a window.
void Timer::Start() {
    if (running || !parent || !parent->hwnd)
        return;
    Create();
    SetTimer(parent->hwnd, static_cast<UINT_PTR>(id), static_cast<UINT>(interval), nullptr);
    running = true;
}

void Timer::Stop() {
    if (!running)
        return;
    KillTimer(parent ? parent->hwnd : nullptr, static_cast<UINT_PTR>(id));
    running = false;
}

} // namespace TarnUtility
