// The four slide-ins on a 3840 x 2160 screen at DissolveDelay 0, painted for real into the Qt
// canvas and composed as the window would show them (offscreen): time and CPU share per step,
// and the area each step repaints next to the area it paints.
#include "IdleDevices.h"
#include "core/show/SlidePresenter.h"
#include "posix/PosixFileSystem.h"
#include "qt/show/QtShowCanvas.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    using namespace gf;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QSize screen(3840, 2160), shown(2560, 1440);
    QImage window(screen, QImage::Format_RGB32);
    QImage photo(shown, QImage::Format_RGB32);
    {
        QPainter p(&photo);
        QLinearGradient g(0, 0, shown.width(), shown.height());
        g.setColorAt(0, Qt::red);
        g.setColorAt(1, Qt::blue);
        p.fillRect(photo.rect(), g);
    }
    std::printf("%-24s %6s %9s %9s %12s %12s\n", "dissolve (3840 x 2160)", "steps", "ms/step",
                "CPU", "repaint px", "largest px");
    for (const char* name : {"Slide Bottom To Center", "Slide Top To Center",
                             "Slide Right To Center", "Slide Left To Center"}) {
        long steps = 0;
        double area = 0, largest = 0;
        QtShowCanvas* target = nullptr;
        QtShowCanvas canvas(screen, 15, 1.0, [&](const QRect& r) {
            ++steps;
            area += double(r.width()) * r.height();
            largest = std::max(largest, double(r.width()) * r.height());
            QPainter p(&window); // what the window's paint event does with the rectangle
            target->compose(p, r);
        });
        target = &canvas;
        canvas.setPicture(std::make_shared<QtDecodedPicture>(photo), shown.width() * 15,
                          shown.height() * 15);
        bench::IdleDevices idle;
        ShowPlatform platform = bench::IdlePlatform(canvas, idle);
        Settings settings;
        settings.Blocks = 10;
        settings.DissolveDelay = 0;
        SeededRandom random(3);
        PlayerState state(settings, platform, random, nullptr);
        SlideList slides;
        PosixFileSystem files;
        SlidePresenter presenter(state, slides, files, false, "/");
        const auto w = shown.width() * 15, h = shown.height() * 15;
        state.geometry = {15, 15, w, h, w / 10, h / 10, w, h, w / 10, h / 10};
        canvas.placeBox({(screen.width() * 15 - w) / 2, (screen.height() * 15 - h) / 2, w, h});
        const auto t0 = std::chrono::steady_clock::now();
        const auto c0 = std::clock();
        presenter.RunDissolve(name);
        const double cpu = double(std::clock() - c0) / CLOCKS_PER_SEC;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const double n = steps ? double(steps) : 1.0;
        std::printf("%-24s %6ld %9.2f %8.0f%% %12.0f %12.0f\n", name, steps, wall * 1000 / n,
                    100 * cpu / wall, area / n, largest);
    }
    return 0;
}
