#pragma once
// A private X server for end-to-end tests: Xvfb on a display it picks itself (-displayfd), reachable
// only through its local socket (-nolisten tcp). Tests pass its display name explicitly to what they
// start and to their own connections, never the inherited DISPLAY, so no test moves a developer's
// pointer or grabs their screen.
#include <QString>

#include <sys/types.h>

namespace testing_support {

class XvfbServer {
public:
    // Starts the server with one screen of the size; waits (bounded) until it answers.
    explicit XvfbServer(int width = 1280, int height = 1024);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return !display_.isEmpty(); }
    // ":N", or empty when the server did not start (Error says why).
    QString Display() const { return display_; }
    QString Error() const { return error_; }

private:
    pid_t pid_ = 0;
    int displayPipe_ = -1; // kept open while the server runs: a write to a closed pipe would end it
    QString display_;
    QString error_;
};

} // namespace testing_support
