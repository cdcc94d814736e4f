#pragma once
// SIGTERM and SIGINT (logout, shutdown, Ctrl+C in a terminal) as a call on the GUI thread: the
// handler only writes a byte to a pipe, whose reading end the event loop watches.
#include <QObject>

#include <csignal>
#include <functional>

class QSocketNotifier;

namespace platform {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // onSignal runs on the GUI thread after a signal arrives while this object lives (signals that
    // arrive together give one call).
    explicit TerminationSignals(std::function<void()> onSignal);
    // The handlers that were in place before come back.
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void Drain();

    std::function<void()> onSignal_;
    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
};

} // namespace platform
