#include "qt/preview/QtX11.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace gf {
namespace {

xcb_connection_t* Connection() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

bool QtX11::available() {
    return Connection() != nullptr;
}

bool QtX11::windowExists(std::uint32_t window) {
    xcb_connection_t* c = Connection();
    if (!c || window == 0)
        return false;
    // The error, if any, comes back with the reply, so Qt's event loop never sees it.
    xcb_generic_error_t* error = nullptr;
    auto* reply = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), &error);
    std::free(error);
    const bool exists = reply != nullptr;
    std::free(reply);
    return exists;
}

std::optional<std::pair<int, int>> QtX11::windowSize(std::uint32_t window) {
    xcb_connection_t* c = Connection();
    if (!c || window == 0)
        return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    auto* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &error);
    std::free(error);
    if (!reply)
        return std::nullopt;
    std::pair<int, int> size{reply->width, reply->height};
    std::free(reply);
    return size;
}

std::uint32_t QtX11::rootWindow() {
    xcb_connection_t* c = Connection();
    if (!c)
        return 0;
    auto it = xcb_setup_roots_iterator(xcb_get_setup(c));
    return it.rem > 0 ? it.data->root : 0;
}

std::uint32_t QtX11::atom(const char* name) {
    xcb_connection_t* c = Connection();
    if (!c)
        return 0;
    auto* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    if (!reply)
        return 0;
    const std::uint32_t a = reply->atom;
    std::free(reply);
    return a;
}

} // namespace gf
