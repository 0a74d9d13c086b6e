#include "platform/child_process.h"

#include <QElapsedTimer>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ChildProcess {

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

[[noreturn]] void childMain(int out, const std::function<QByteArray()> &work, int timeoutMs)
{
    // A fault ends the child plainly, whatever handlers the parent had (a sanitizer's
    // or a fuzzer's would report it as their own and write files).
    for (int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGALRM})
        signal(fault, SIG_DFL);
    alarm(unsigned(timeoutMs / 1000 + 2));
    const bool written = writeAll(out, work());
    _exit(written ? 0 : 1);
}

QString lastError()
{
    return QString::fromLocal8Bit(strerror(errno));
}

} // namespace

Outcome run(const std::function<QByteArray()> &work, int timeoutMs)
{
    Outcome outcome;
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        outcome.error = lastError();
        return outcome;
    }
    const pid_t child = fork();
    if (child < 0) {
        outcome.error = lastError();
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return outcome;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        childMain(pipeEnds[1], work, timeoutMs);
    }
    ::close(pipeEnds[1]);

    QElapsedTimer clock;
    clock.start();
    bool timedOut = false;
    char chunk[65536];
    for (;;) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd watch{pipeEnds[0], POLLIN, 0};
        const int ready = poll(&watch, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t n = ::read(pipeEnds[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        outcome.answer.append(chunk, qsizetype(n));
    }
    ::close(pipeEnds[0]);

    int status = 0;
    if (!timedOut) {
        // The child closes its end only when it exits; give it the rest of the time.
        for (;;) {
            const pid_t done = waitpid(child, &status, WNOHANG);
            if (done == child || (done < 0 && errno != EINTR))
                break;
            if (clock.elapsed() >= timeoutMs) {
                timedOut = true;
                break;
            }
            usleep(100);
        }
    }
    if (timedOut) {
        kill(child, SIGKILL);
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        outcome.status = Outcome::Status::TimedOut;
    } else if (WIFSIGNALED(status)) {
        outcome.status = Outcome::Status::Died;
        outcome.signal = WTERMSIG(status);
    } else {
        outcome.status = Outcome::Status::Answered;
    }
    return outcome;
}

} // namespace ChildProcess
