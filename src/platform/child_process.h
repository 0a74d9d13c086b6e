#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

/// Work that may crash or hang (a library that trusts the file it reads) runs in a
/// forked child; the caller gets its answer, or why there is none.
namespace ChildProcess {

struct Outcome
{
    enum class Status { Answered, TimedOut, Died, NotStarted };
    Status status = Status::NotStarted;
    QByteArray answer; ///< what the child wrote, when it answered
    int signal = 0;    ///< the signal that ended it, when it died
    QString error;     ///< why it could not be started
};

/// Forks; the child runs work with the default handlers for fault signals and an
/// alarm a little past timeoutMs (so that a child whose parent died ends too), writes
/// the answer and exits. The parent reads until the child closes its end, and kills
/// the child when the time is up.
Outcome run(const std::function<QByteArray()> &work, int timeoutMs);

} // namespace ChildProcess
