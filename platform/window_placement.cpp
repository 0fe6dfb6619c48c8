#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace gradation::platform {
namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Up to `count` 32-bit values of a property; empty when it is missing.
std::vector<std::uint32_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                    xcb_atom_t type, std::uint32_t count) {
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, name, type, 0, count), nullptr));
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// An X11 window manager frames a window only once it is mapped. Asked with
// _NET_REQUEST_FRAME_EXTENTS, it says beforehand which frame it will put around it.
QMargins x11_frame_before_mapping(QWindow& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return {};
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr));
    if (!geometry) return {};
    const xcb_window_t root = geometry->root;

    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    bool supported = false;
    for (std::uint32_t a : property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024))
        supported = supported || a == request;
    if (!supported || extents == XCB_ATOM_NONE) return {};

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // The answer is a property on our window; a window manager that does not give it
    // within a moment leaves the frame unknown.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    do {
        const std::vector<std::uint32_t> v = property(connection, id, extents, XCB_ATOM_CARDINAL, 4);
        if (v.size() == 4) {  // left, right, top, bottom
            return QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                            static_cast<int>(v[3]));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < deadline);
    return {};
}

// The frame the window system will put around `window` once it shows, found out on
// a stand-in that is never shown, so the window itself is left as it is.
QMargins frame_before_showing(const QWidget& window) {
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint)) return {};
    QWindow stand_in;
    stand_in.setFlags(window.windowFlags());
    stand_in.setMinimumSize(window.minimumSize());
    stand_in.setMaximumSize(window.maximumSize());
    stand_in.resize(window.size());
    stand_in.create();
    const QMargins known = stand_in.frameMargins();
    return known.isNull() ? x11_frame_before_mapping(stand_in) : known;
}

}  // namespace

QSize screen_size() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize();
}

// A window's position is that of its frame, also before the window system framed it.
QRect outer_geometry(const QWidget& window) {
    if (!window.isWindow() || window.isVisible()) return window.frameGeometry();
    return QRect(window.pos(), window.size().grownBy(frame_before_showing(window)));
}

void set_left_edge(QWidget& window, int left) { window.move(left, window.pos().y()); }

void set_top_edge(QWidget& window, int top) { window.move(window.pos().x(), top); }

void set_keep_above(QWidget& window, bool on) {
    // QWidget::setWindowFlag would hide the window; tell the widget without telling
    // the window system, then set the flag on the native window if there is one yet.
    window.overrideWindowFlags(on ? window.windowFlags() | Qt::WindowStaysOnTopHint
                                  : window.windowFlags() & ~Qt::WindowStaysOnTopHint);
    if (QWindow* handle = window.windowHandle()) handle->setFlag(Qt::WindowStaysOnTopHint, on);
}

bool keeps_above(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle != nullptr ? handle->flags().testFlag(Qt::WindowStaysOnTopHint)
                             : window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

}  // namespace gradation::platform
