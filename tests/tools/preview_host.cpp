// A stand-in for a screen-saver host in the end-to-end tests: makes a window, starts a program
// with the window's id, then runs steps against both.
//   preview_host WxH STEP... -- PROGRAM ARG...   ({id} in an ARG becomes the window's id)
// Steps: "sleep MS", "run SHELL-COMMAND", "until SHELL-COMMAND" (run again until it succeeds,
// for up to a minute), "destroy", "close" (WM_DELETE_WINDOW to the window's lowest child),
// "resize WxH", "term", "alive", "expect-exit MS".
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

xcb_connection_t* c = nullptr;
xcb_window_t window = 0;
pid_t child = -1;
int childStatus = -1;

void Sync() {
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

xcb_atom_t Atom(const char* name) {
    auto* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : 0;
    std::free(r);
    return a;
}

bool Exited() {
    if (childStatus >= 0)
        return true;
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
        childStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }
    return false;
}

bool Step(const std::string& step) {
    const auto space = step.find(' ');
    const std::string verb = step.substr(0, space);
    const std::string arg = space == std::string::npos ? "" : step.substr(space + 1);
    if (verb == "sleep") {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(arg.c_str())));
    } else if (verb == "run") {
        if (std::system(arg.c_str()) != 0) {
            std::fprintf(stderr, "preview_host: '%s' failed\n", arg.c_str());
            return false;
        }
    } else if (verb == "until") {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (std::system(arg.c_str()) != 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                std::fprintf(stderr, "preview_host: '%s' did not succeed within a minute\n",
                             arg.c_str());
                return false;
            }
            if (Exited()) {
                std::fprintf(stderr, "preview_host: the program ended early (status %d)\n",
                             childStatus);
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    } else if (verb == "destroy") {
        xcb_destroy_window(c, window);
        Sync();
    } else if (verb == "close") {
        auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
        if (!tree || xcb_query_tree_children_length(tree) == 0) {
            std::fprintf(stderr, "preview_host: the window has no child to close\n");
            std::free(tree);
            return false;
        }
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = xcb_query_tree_children(tree)[0];
        ev.type = Atom("WM_PROTOCOLS");
        ev.data.data32[0] = Atom("WM_DELETE_WINDOW");
        ev.data.data32[1] = XCB_CURRENT_TIME;
        std::free(tree);
        xcb_send_event(c, 0, ev.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<char*>(&ev));
        Sync();
    } else if (verb == "resize") {
        unsigned w = 0, h = 0;
        std::sscanf(arg.c_str(), "%ux%u", &w, &h);
        const std::uint32_t values[] = {w, h};
        xcb_configure_window(c, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
        Sync();
    } else if (verb == "term") {
        kill(child, SIGTERM);
    } else if (verb == "alive") {
        if (Exited()) {
            std::fprintf(stderr, "preview_host: the program ended early (status %d)\n",
                         childStatus);
            return false;
        }
    } else if (verb == "expect-exit") {
        const auto start = std::chrono::steady_clock::now();
        const auto limit = std::chrono::milliseconds(std::atoi(arg.c_str()));
        while (!Exited() && std::chrono::steady_clock::now() - start < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        if (!Exited()) {
            std::fprintf(stderr, "preview_host: still running after %lld ms\n", (long long)ms);
            return false;
        }
        std::printf("exited with status %d after %lld ms\n", childStatus, (long long)ms);
        if (childStatus != 0)
            return false;
    } else {
        std::fprintf(stderr, "preview_host: unknown step '%s'\n", step.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int sep = 1;
    while (sep < argc && std::strcmp(argv[sep], "--") != 0)
        ++sep;
    if (argc < 4 || sep >= argc - 1) {
        std::fprintf(stderr, "usage: %s WxH STEP... -- PROGRAM ARG...\n", argv[0]);
        return 2;
    }
    unsigned w = 0, h = 0;
    std::sscanf(argv[1], "%ux%u", &w, &h);
    // A freshly started or busy server may refuse a connection for a moment.
    for (int attempt = 0; attempt < 50; ++attempt) {
        c = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(c))
            break;
        xcb_disconnect(c);
        c = nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!c) {
        std::fprintf(stderr, "preview_host: no X display\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    window = xcb_generate_id(c);
    const std::uint32_t values[] = {screen->black_pixel};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, std::uint16_t(w),
                      std::uint16_t(h), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL, values);
    xcb_map_window(c, window);
    Sync();

    std::vector<std::string> args;
    for (int i = sep + 1; i < argc; ++i) {
        std::string a = argv[i];
        if (auto at = a.find("{id}"); at != std::string::npos)
            a.replace(at, 4, std::to_string(window));
        args.push_back(a);
    }
    child = fork();
    if (child == 0) {
        std::vector<char*> cargs;
        for (auto& a : args)
            cargs.push_back(a.data());
        cargs.push_back(nullptr);
        execv(cargs[0], cargs.data());
        _exit(127);
    }
    bool ok = true;
    for (int i = 2; i < sep && ok; ++i)
        ok = Step(argv[i]);
    if (!Exited()) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    xcb_disconnect(c);
    return ok ? 0 : 1;
}
