// Starts a program on the current X display and measures it: the time from
// the start to its window being shown (mapped and viewable), and the peak
// resident memory of the process up to then. Optionally saves the window's
// image. Usage:
//   window_probe [--grab FILE.png] [--settle MS] TITLE PROGRAM [ARGS...]
// Prints: "<milliseconds to shown> <peak kilobytes>".
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::microseconds(500);
constexpr auto kGiveUp = std::chrono::seconds(30);

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    auto cookie = xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(x, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

std::string property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name) {
    auto cookie = xcb_get_property(x, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(x, cookie, nullptr);
    std::string value;
    if (reply != nullptr) {
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    }
    std::free(reply);
    return value;
}

bool viewable(xcb_connection_t* x, xcb_window_t window) {
    auto* reply = xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, window), nullptr);
    const bool result = reply != nullptr && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return result;
}

// The shown top-level window with the title, if there is one yet.
std::optional<xcb_window_t> findShown(xcb_connection_t* x, xcb_window_t root, xcb_atom_t netName,
                                      const std::string& title) {
    auto* tree = xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr);
    if (tree == nullptr) return std::nullopt;
    std::optional<xcb_window_t> found;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
        const xcb_window_t w = children[i];
        if ((property(x, w, netName) == title || property(x, w, XCB_ATOM_WM_NAME) == title) &&
            viewable(x, w)) {
            found = w;
        }
    }
    std::free(tree);
    return found;
}

bool grab(xcb_connection_t* x, xcb_window_t window, const char* path) {
    auto* geometry = xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr);
    if (geometry == nullptr) return false;
    const int width = geometry->width;
    const int height = geometry->height;
    std::free(geometry);
    auto* image = xcb_get_image_reply(
        x,
        xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, static_cast<uint16_t>(width),
                      static_cast<uint16_t>(height), ~0u),
        nullptr);
    if (image == nullptr) return false;
    // A 24-bit visual: 32 bits a pixel, blue first, which is QImage's RGB32.
    const QImage view(xcb_get_image_data(image), width, height, QImage::Format_RGB32);
    const bool saved = view.copy().save(QString::fromLocal8Bit(path), "PNG");
    std::free(image);
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    const char* grabPath = nullptr;
    int settleMs = 300;
    int arg = 1;
    for (; arg + 1 < argc && argv[arg][0] == '-'; arg += 2) {
        if (std::strcmp(argv[arg], "--grab") == 0) grabPath = argv[arg + 1];
        if (std::strcmp(argv[arg], "--settle") == 0) settleMs = std::atoi(argv[arg + 1]);
    }
    if (argc - arg < 2) {
        std::fprintf(stderr, "usage: %s [--grab FILE.png] [--settle MS] TITLE PROGRAM [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    const std::string title = argv[arg];
    char** program = argv + arg + 1;

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "window_probe: cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t netName = atom(x, "_NET_WM_NAME");

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(program[0], program);
        _exit(127);
    }
    std::optional<xcb_window_t> window;
    while (!(window = findShown(x, root, netName, title)) && Clock::now() - start < kGiveUp) {
        std::this_thread::sleep_for(kPoll);
    }
    const auto shown = Clock::now();
    // Let it paint (and settle its memory) before the picture and the kill.
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const bool grabbed = !window || grabPath == nullptr || grab(x, *window, grabPath);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    xcb_disconnect(x);
    if (!window) {
        std::fprintf(stderr, "window_probe: no window titled \"%s\" was shown\n", title.c_str());
        return 1;
    }
    if (!grabbed) std::fprintf(stderr, "window_probe: could not save %s\n", grabPath);
    const auto ms = std::chrono::duration<double, std::milli>(shown - start).count();
    std::printf("%.1f %ld\n", ms, usage.ru_maxrss);
    return grabbed ? 0 : 1;
}
