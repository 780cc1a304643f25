#include "speech/soundthread.h"

#include <QCoreApplication>
#include <QThread>
#include <mutex>

namespace soundthread {

namespace {

QThread *g_thread = nullptr;
QObject *g_context = nullptr;

// At exit the sound thread gets a second to end; one held by a sound server
// that never answers is left behind rather than holding up the exit.
void end() {
    if (!g_thread)
        return;
    g_thread->quit();
    if (g_thread->wait(1000))
        delete g_thread;
    g_thread = nullptr;
}

void startOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        g_thread = new QThread;
        g_thread->setObjectName(QStringLiteral("kalimbo-sound"));
        g_context = new QObject;
        g_context->moveToThread(g_thread);
        g_thread->start();
        qAddPostRoutine(end);
    });
}

} // namespace

QThread *thread() {
    startOnce();
    return g_thread;
}

QObject *context() {
    startOnce();
    return g_context;
}

} // namespace soundthread
