#include "platform/qt/FrameExtents.h"

#include <QGuiApplication>
#include <QWidget>

#include <array>
#include <chrono>
#include <thread>

#if SETTINGS_X11_FRAME_EXTENTS
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace {

#if SETTINGS_X11_FRAME_EXTENTS
// A window manager answers within a few milliseconds; one that never does costs this once per kind.
constexpr auto kAnswerTimeout = std::chrono::milliseconds(200);

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

bool RootSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t atom)
{
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == atom)
            return true;
    return false;
}

// _NET_FRAME_EXTENTS: left, right, top, bottom.
std::optional<FrameMargins> FrameExtentsOf(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extents)
{
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return FrameMargins{static_cast<int>(values[0]), static_cast<int>(values[2]), static_cast<int>(values[1]),
                        static_cast<int>(values[3])};
}

// The window flags the form handle gives a window of this kind (the manager frames by its type).
Qt::WindowFlags FlagsOf(FrameKind kind)
{
    switch (kind) {
    case FrameKind::Dialog: return Qt::Dialog;
    case FrameKind::ToolWindow:
    case FrameKind::SizeableToolWindow: return Qt::Tool;
    default: return Qt::Window;
    }
}

// An X window manager tells the frame it will give a window that is not mapped yet when asked with
// _NET_REQUEST_FRAME_EXTENTS: it sets _NET_FRAME_EXTENTS on it. A probe window of the kind is asked.
std::optional<FrameMargins> AskWindowManager(FrameKind kind)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    QWidget probe(nullptr, FlagsOf(kind) | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const auto window = static_cast<xcb_window_t>(probe.winId());
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry)
        return std::nullopt;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE || !RootSupports(connection, geometry->root, request))
        return std::nullopt;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const std::optional<FrameMargins> margins = FrameExtentsOf(connection, window, extents))
            return margins;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}
#else
std::optional<FrameMargins> AskWindowManager(FrameKind) { return std::nullopt; }
#endif

} // namespace

std::optional<FrameMargins> AnnouncedFrameMargins(FrameKind kind)
{
    struct Answer {
        bool Asked = false;
        std::optional<FrameMargins> Margins;
    };
    static std::array<Answer, 6> answers;
    Answer& answer = answers[static_cast<size_t>(kind)];
    if (!answer.Asked && kind != FrameKind::None) {
        answer.Asked = true;
        answer.Margins = AskWindowManager(kind);
    }
    return answer.Margins;
}
