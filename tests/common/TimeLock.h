#pragma once
// The guard that keeps every test (and every program a test starts) from moving the machine's clock:
// a seccomp filter that answers EPERM to every call that sets or steers the clock, inherited by child
// processes, with no-new-privileges. Even a test run as root cannot set the clock.

// Installs the filter for this process and its children; false when it could not be installed.
bool InstallTimeLock();
