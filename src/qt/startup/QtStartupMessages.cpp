#include "qt/startup/QtStartupMessages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>

namespace gf {

namespace {

constexpr std::size_t kKept = 20;

std::mutex gMutex;
std::deque<QString> gHeld;

void Print(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const QString line = qFormatLogMessage(type, context, message);
    const std::lock_guard lock(gMutex);
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        // What came before says why.
        for (const QString& held : gHeld)
            Print(held);
        gHeld.clear();
        Print(line);
        return;
    }
    gHeld.push_back(line);
    if (gHeld.size() > kKept)
        gHeld.pop_front();
}

} // namespace

void HoldBackQtMessages() {
    if (std::getenv("GLIMMERFRAME_TRACE"))
        return;
    qInstallMessageHandler(Filter);
}

} // namespace gf
