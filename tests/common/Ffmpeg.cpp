#include "Ffmpeg.h"

#include <QProcess>

namespace testing_support {

bool RunFfmpeg(const QStringList& arguments, QString* failure)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-nostdin", "-y"} + arguments);
    if (!ffmpeg.waitForStarted()) {
        *failure = "the ffmpeg program is missing (scripts/setup installs it)";
        return false;
    }
    if (!ffmpeg.waitForFinished(30000) || ffmpeg.exitStatus() != QProcess::NormalExit ||
        ffmpeg.exitCode() != 0) {
        *failure =
            "ffmpeg " + arguments.join(' ') + " failed: " + QString::fromUtf8(ffmpeg.readAllStandardError());
        return false;
    }
    return true;
}

} // namespace testing_support
