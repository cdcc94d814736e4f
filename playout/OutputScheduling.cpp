#include "playout/OutputScheduling.h"

#include "foundation/Log.h"
#include "playout/DeviceTables.h"

#include <sys/resource.h>

#include <cerrno>
#include <cstring>

namespace {

QString Refusal(int error)
{
    QString text = QString::fromLocal8Bit(std::strerror(error));
    rlimit limit{};
    if (error == EPERM && ::getrlimit(RLIMIT_RTPRIO, &limit) == 0)
        text += QStringLiteral(": the user's real-time priority limit (ulimit -r) is %1").arg(limit.rlim_cur);
    return text;
}

} // namespace

TOutputScheduling::TOutputScheduling(Source source) : source_(std::move(source)) {}

bool TOutputScheduling::LibraryScheduling(int device, audiolib::OutputScheduling& scheduling)
{
    return audiolib::GetOutputScheduling(device, &scheduling);
}

void TOutputScheduling::Check()
{
    QStringList parts;
    bool refused = false;
    for (int device = 0; device < static_cast<int>(logged_.size()); ++device) {
        audiolib::OutputScheduling scheduling;
        if (logged_[device] || !source_(device, scheduling) || !scheduling.thread)
            continue;
        logged_[device] = true;
        const QString& name = OutputDevices[device].Name;
        if (scheduling.priority > 0) {
            parts << QStringLiteral("%1: real-time priority %2").arg(name).arg(scheduling.priority);
        } else {
            refused = true;
            parts << QStringLiteral("%1: normal priority, real-time refused (%2)")
                         .arg(name, Refusal(scheduling.refusal));
        }
    }
    if (!parts.isEmpty())
        WriteLog(1, refused ? 1 : 0, -1, -1, -1,
                 QStringLiteral("Sound output threads. ") + parts.join(QStringLiteral("; ")));
}
