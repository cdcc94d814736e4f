#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

volatile sig_atomic_t writeEnd = -1;

// Async-signal-safe: one write, errno kept.
void OnSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    if (writeEnd >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal))
{
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    writeEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &previousTerm_);
    sigaction(SIGINT, &action, &previousInt_);
}

TerminationSignals::~TerminationSignals()
{
    if (pipe_[0] < 0)
        return;
    sigaction(SIGTERM, &previousTerm_, nullptr);
    sigaction(SIGINT, &previousInt_, nullptr);
    writeEnd = -1;
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::Drain()
{
    char bytes[16];
    bool received = false;
    while (::read(pipe_[0], bytes, sizeof bytes) > 0)
        received = true;
    if (received && onSignal_)
        onSignal_();
}

} // namespace platform
