#pragma once
// The engine's locks: mutexes whose holder inherits the priority of the highest waiter, so a GUI call
// holding a lock an output thread waits for runs at the output thread's priority, and a condition
// variable to go with them. Annotated for the thread-safety analysis.
#include "audiolib/ThreadSafety.h"

#include <pthread.h>

namespace audiolib {

class CAPABILITY("mutex") Mutex {
public:
    Mutex();
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void Lock() ACQUIRE();
    void Unlock() RELEASE();
    pthread_mutex_t* Native() { return &mutex_; }

private:
    pthread_mutex_t mutex_;
};

class SCOPED_CAPABILITY MutexLock {
public:
    explicit MutexLock(Mutex& mutex) ACQUIRE(mutex) : mutex_(mutex) { mutex_.Lock(); }
    ~MutexLock() RELEASE() { mutex_.Unlock(); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

private:
    Mutex& mutex_;
};

class CondVar {
public:
    CondVar();
    ~CondVar();
    CondVar(const CondVar&) = delete;
    CondVar& operator=(const CondVar&) = delete;

    // Releases `mutex` while it sleeps; it may wake without a notification.
    void Wait(Mutex& mutex) REQUIRES(mutex);
    void NotifyOne();
    void NotifyAll();

private:
    pthread_cond_t cond_;
};

} // namespace audiolib
