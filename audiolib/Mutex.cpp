#include "audiolib/Mutex.h"

namespace audiolib {

Mutex::Mutex()
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    // Without priority inheritance (a system that does not offer it) the mutex is a plain one.
    if (pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT) != 0 ||
        pthread_mutex_init(&mutex_, &attributes) != 0) {
        pthread_mutexattr_destroy(&attributes);
        pthread_mutexattr_init(&attributes);
        pthread_mutex_init(&mutex_, &attributes);
    }
    pthread_mutexattr_destroy(&attributes);
}

Mutex::~Mutex()
{
    pthread_mutex_destroy(&mutex_);
}

void Mutex::Lock()
{
    pthread_mutex_lock(&mutex_);
}

void Mutex::Unlock()
{
    pthread_mutex_unlock(&mutex_);
}

CondVar::CondVar()
{
    pthread_cond_init(&cond_, nullptr);
}

CondVar::~CondVar()
{
    pthread_cond_destroy(&cond_);
}

void CondVar::Wait(Mutex& mutex)
{
    pthread_cond_wait(&cond_, mutex.Native());
}

void CondVar::NotifyOne()
{
    pthread_cond_signal(&cond_);
}

void CondVar::NotifyAll()
{
    pthread_cond_broadcast(&cond_);
}

} // namespace audiolib
