// Start-up time of a program under X: from exec to its first window mapped
// and painted. Painted means the pixels at the window's centre differ from
// what the root window showed there before. Prints the median of N runs in ms.
//
//   startup_bench RUNS PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

unsigned long pixelAt(Display* d, Window w, int x, int y)
{
    XImage* img = XGetImage(d, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img)
        return ~0ul;
    const unsigned long p = XGetPixel(img, 0, 0);
    XDestroyImage(img);
    return p;
}

// One run: ms from fork to a painted window, or -1 on a time-out.
double oneRun(Display* d, char** argv)
{
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, True);

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[0], argv);
        _exit(127);
    }

    double result = -1;
    Window mapped = 0;
    const auto deadline = start + std::chrono::seconds(20);
    while (Clock::now() < deadline && result < 0) {
        while (!mapped && XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && !e.xmap.override_redirect)
                mapped = e.xmap.window;
        }
        if (mapped) {
            XWindowAttributes a;
            if (XGetWindowAttributes(d, mapped, &a)) {
                const int cx = a.x + a.width / 2, cy = a.y + a.height / 2;
                // Xvfb's root is black: anything else at the centre is the window's paint.
                if (pixelAt(d, root, cx, cy) != 0 && pixelAt(d, root, cx, cy - a.height / 4) != 0)
                    result = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            }
        }
        if (result < 0)
            std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XSelectInput(d, root, NoEventMask);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = oneRun(d, argv + 2);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: no painted window\n", i);
            return 1;
        }
        times.push_back(ms);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::sort(times.begin(), times.end());
    std::printf("%.1f\n", times[times.size() / 2]);
    XCloseDisplay(d);
    return 0;
}
