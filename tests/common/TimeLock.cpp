#include "TimeLock.h"

#include <seccomp.h>

#include <cerrno>
#include <initializer_list>

bool InstallTimeLock()
{
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
    if (filter == nullptr)
        return false;
    bool ok = seccomp_attr_set(filter, SCMP_FLTATR_CTL_NNP, 1) == 0;
    for (const int call :
         {SCMP_SYS(clock_settime), SCMP_SYS(clock_adjtime), SCMP_SYS(settimeofday), SCMP_SYS(adjtimex)})
        ok = ok && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EPERM), call, 0) == 0;
    ok = ok && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return ok;
}
