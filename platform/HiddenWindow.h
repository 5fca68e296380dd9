#pragma once

#include "platform/Messages.h"

#include <QObject>

#include <functional>
#include <map>

// A hidden window that exists only to receive messages, above all the WM_TIMER messages of its timers.
// Its window procedure gets every message; what it doesn't handle goes to DefWindowProc.
class THiddenWindow : public QObject {
    Q_OBJECT
public:
    using TWndMethod = std::function<void(TMessage& message)>;

    explicit THiddenWindow(TWndMethod windowProc);
    ~THiddenWindow() override;

    // Starts (or restarts) timer `id` with the interval in milliseconds; false when no timer could be
    // started.
    bool SetTimer(uintptr_t id, unsigned intervalMs);
    bool KillTimer(uintptr_t id);
    bool TimerRunning(uintptr_t id) const { return FTimers.count(id) != 0; }
    intptr_t Perform(uint32_t message, intptr_t wParam, intptr_t lParam);

    // The default handling of a message nobody handled: nothing, with result 0.
    static void DefWindowProc(TMessage& message);

    // Makes every SetTimer fail while set, as when the system has run out of timers (tests).
    static void SetTimersExhausted(bool exhausted);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    TWndMethod FWindowProc;
    std::map<uintptr_t, int> FTimers; // our identifier → the toolkit's
};
