#pragma once

#include "platform/Forms.h"

#include <QApplication>

// The platform on the offscreen screen, started once for every input. The application object is made
// here and lives until the process ends: the platform destroys one it made itself only when its message
// loop ends, and a harness has none, so it would go with the static objects, after parts of the toolkit.
inline void EnsurePlatform()
{
    static const bool started = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        Application->Initialize();
        return true;
    }();
    (void)started;
}
