#pragma once
// Clang's thread-safety attributes: what each lock guards, checked at compile time by a clang build
// with -Wthread-safety. Other compilers see nothing.
#if defined(__clang__)
#define THREAD_ATTRIBUTE(x) __attribute__((x))
#else
#define THREAD_ATTRIBUTE(x)
#endif

#define CAPABILITY(x) THREAD_ATTRIBUTE(capability(x))
#define SCOPED_CAPABILITY THREAD_ATTRIBUTE(scoped_lockable)
#define GUARDED_BY(x) THREAD_ATTRIBUTE(guarded_by(x))
#define PT_GUARDED_BY(x) THREAD_ATTRIBUTE(pt_guarded_by(x))
#define ACQUIRED_BEFORE(...) THREAD_ATTRIBUTE(acquired_before(__VA_ARGS__))
#define REQUIRES(...) THREAD_ATTRIBUTE(requires_capability(__VA_ARGS__))
#define ACQUIRE(...) THREAD_ATTRIBUTE(acquire_capability(__VA_ARGS__))
#define RELEASE(...) THREAD_ATTRIBUTE(release_capability(__VA_ARGS__))
#define TRY_ACQUIRE(...) THREAD_ATTRIBUTE(try_acquire_capability(__VA_ARGS__))
#define EXCLUDES(...) THREAD_ATTRIBUTE(locks_excluded(__VA_ARGS__))
#define ASSERT_CAPABILITY(x) THREAD_ATTRIBUTE(assert_capability(x))
#define RETURN_CAPABILITY(x) THREAD_ATTRIBUTE(lock_returned(x))
#define NO_THREAD_SAFETY_ANALYSIS THREAD_ATTRIBUTE(no_thread_safety_analysis)
