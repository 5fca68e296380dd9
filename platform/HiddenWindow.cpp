#include "platform/HiddenWindow.h"

#include <QTimerEvent>

namespace {
bool& TimersExhausted()
{
    static bool exhausted = false;
    return exhausted;
}
} // namespace

THiddenWindow::THiddenWindow(TWndMethod windowProc) : FWindowProc(std::move(windowProc)) {}

THiddenWindow::~THiddenWindow()
{
    for (const auto& [id, timer] : FTimers)
        killTimer(timer);
}

bool THiddenWindow::SetTimer(uintptr_t id, unsigned intervalMs)
{
    KillTimer(id);
    if (TimersExhausted())
        return false;
    const int timer = startTimer(static_cast<int>(intervalMs), Qt::PreciseTimer);
    if (timer == 0)
        return false;
    FTimers[id] = timer;
    return true;
}

bool THiddenWindow::KillTimer(uintptr_t id)
{
    auto it = FTimers.find(id);
    if (it == FTimers.end())
        return false;
    killTimer(it->second);
    FTimers.erase(it);
    return true;
}

intptr_t THiddenWindow::Perform(uint32_t message, intptr_t wParam, intptr_t lParam)
{
    TMessage m{message, wParam, lParam, 0};
    if (FWindowProc)
        FWindowProc(m);
    else
        DefWindowProc(m);
    return m.Result;
}

void THiddenWindow::DefWindowProc(TMessage& message)
{
    message.Result = 0;
}

void THiddenWindow::SetTimersExhausted(bool exhausted)
{
    TimersExhausted() = exhausted;
}

void THiddenWindow::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, timer] : FTimers) {
        if (timer == event->timerId()) {
            // The window procedure may stop or restart timers, so the list isn't touched after this.
            const uintptr_t timerId = id;
            Perform(WM_TIMER, static_cast<intptr_t>(timerId), 0);
            return;
        }
    }
}
