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

void Timer::Start() {
    if (running)
        return;
    Create();
    SetTimer(parent ? parent->hwnd : nullptr, static_cast<UINT_PTR>(id),
             static_cast<UINT>(interval), nullptr);
    running = true;
}

void Timer::Stop() {
    if (!running)
        return;
    KillTimer(parent ? parent->hwnd : nullptr, static_cast<UINT_PTR>(id));
    running = false;
}

} // namespace TarnUtility
