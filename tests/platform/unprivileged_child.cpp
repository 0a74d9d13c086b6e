#include "unprivileged_child.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TestSupport {

namespace {

std::string dropRoot()
{
    if (geteuid() != 0)
        return std::string();
    if (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedId) != 0 || setuid(kUnprivilegedId) != 0)
        return std::string("cannot drop root: ") + strerror(errno);
    // A check that ran with root still in reach would prove nothing.
    if (geteuid() == 0 || getegid() == 0 || setuid(0) == 0)
        return "root is still in reach after dropping it";
    return std::string();
}

} // namespace

std::string runUnprivileged(const std::function<std::string()> &check, unsigned timeoutSeconds)
{
    int ends[2];
    if (pipe(ends) != 0)
        return std::string("cannot make a pipe: ") + strerror(errno);
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        signal(SIGALRM, SIG_DFL);
        alarm(timeoutSeconds);
        // The leading mark tells a child that answered "" from one that died on the way.
        const std::string dropped = dropRoot();
        const std::string answer = "=" + (dropped.empty() ? check() : dropped);
        for (size_t done = 0; done < answer.size();) {
            const ssize_t n = write(ends[1], answer.data() + done, answer.size() - done);
            if (n <= 0)
                break;
            done += size_t(n);
        }
        _exit(0); // the test framework's exit handlers belong to the parent
    }
    close(ends[1]);
    std::string received;
    char chunk[4096];
    for (ssize_t n; child > 0 && (n = read(ends[0], chunk, sizeof chunk)) > 0;)
        received.append(chunk, size_t(n));
    close(ends[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return std::string("cannot run the child: ") + strerror(errno);
    if (WIFSIGNALED(status))
        return WTERMSIG(status) == SIGALRM ? "the check took longer than " + std::to_string(timeoutSeconds) + " s"
                                           : "the check died on signal " + std::to_string(WTERMSIG(status));
    if (received.empty())
        return "the check gave no answer";
    return received.substr(1);
}

} // namespace TestSupport
