#pragma once

#include "platform/qt/Handles.h"

#include <optional>

// The frame the window manager will put around a window of this kind, asked of it before any such window
// is shown (so that a window can be centred or kept on the screen by its outer size the first time it
// opens). Asked once per kind; nothing when the window system cannot tell.
std::optional<FrameMargins> AnnouncedFrameMargins(FrameKind kind);
