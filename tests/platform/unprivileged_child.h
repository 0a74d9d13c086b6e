#pragma once

#include <functional>
#include <string>

/// Tests of what the program does with files it may not read. Root reads any file
/// whatever its permissions, and CI runs the tests as root, so such a check runs in
/// a child process that has given root up first.
namespace TestSupport {

/// The user and group the child becomes when the test runs as root ("nobody").
constexpr unsigned kUnprivilegedId = 65534;

/// Runs check in a forked child. When the test runs as root the child first drops to
/// kUnprivilegedId (supplementary groups, group, then user) and makes sure it cannot
/// take root back; otherwise it keeps the test's own user. check returns "" when all
/// was as expected, else what was wrong. Gives check's answer, or why the child could
/// not run it (it could not drop root, it died, it took longer than timeoutSeconds).
///
/// The child cannot reach files in folders only root may enter: make the folders on
/// the way to the file searchable by others (0755), and take the file's own
/// permissions away. Assertions of a test framework made inside check do not reach
/// the parent; return the failure instead.
std::string runUnprivileged(const std::function<std::string()> &check, unsigned timeoutSeconds = 60);

} // namespace TestSupport
