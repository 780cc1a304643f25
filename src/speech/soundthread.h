#pragma once
// The one thread of the process that talks to the sound server: looking up
// devices, opening them, playing and recording can each block when the
// server misbehaves, and none of that may reach the window.

class QObject;
class QThread;

namespace soundthread {

/// The sound thread, started on first use and given a second to end at exit.
QThread *thread();
/// An object living on the sound thread, to post work to.
QObject *context();

} // namespace soundthread
