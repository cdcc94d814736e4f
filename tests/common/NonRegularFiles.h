#pragma once
// Files named like audio files that are none, as an operator or a stray process may leave them in a
// music folder: a FIFO, a socket, a character device and a folder. Opening a FIFO the plain way waits
// for a writer; a test that would hang on one is released instead, and fails.
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct NonRegularFile {
    const char* kind; // what the log calls it: "a FIFO", "a socket", ...
    QString path;
};

// Each kind in `folder` (with its trailing "/"), named "<kind>" + `suffix` ("fifo.mp3").
std::vector<NonRegularFile> MakeNonRegularFiles(const QString& folder, const QString& suffix);

// While it lives, a reader still waiting on one of the FIFOs `limit` after its creation is given a
// writer for a moment, so it sees the FIFO's end and the test goes on; Released() then tells.
class FifoWatch {
public:
    explicit FifoWatch(const std::vector<NonRegularFile>& files,
                       std::chrono::milliseconds limit = std::chrono::milliseconds(2000));
    ~FifoWatch();
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;

    // Whether a reader had to be released: something waited on a FIFO.
    bool Released();

private:
    std::vector<QString> fifos_;
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    bool released_ = false;
    std::thread thread_;

    void Watch(std::chrono::milliseconds limit);
};
