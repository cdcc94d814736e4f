#include "playout/OutputHealth.h"

#include "foundation/Log.h"
#include "playout/DeviceTables.h"

namespace {
constexpr int64_t LineIntervalMs = 60 * 1000;

bool Grew(const audiolib::OutputCounts& now, const audiolib::OutputCounts& before)
{
    return now.underruns != before.underruns || now.stalls != before.stalls ||
           now.failures != before.failures;
}
} // namespace

TOutputHealth::TOutputHealth(CountsSource source) : source_(std::move(source)) {}

bool TOutputHealth::LibraryCounts(int device, audiolib::OutputCounts& counts)
{
    return audiolib::GetOutputCounts(device, &counts);
}

void TOutputHealth::Check(int64_t tickMs)
{
    if (anyLine_ && tickMs - lastLineMs_ < LineIntervalMs)
        return;
    QStringList parts;
    for (int device = 0; device < static_cast<int>(logged_.size()); ++device) {
        audiolib::OutputCounts counts;
        if (!source_(device, counts) || !Grew(counts, logged_[device]))
            continue;
        const audiolib::OutputCounts& before = logged_[device];
        parts << QStringLiteral("%1: %2 underruns, %3 stalls, %4 failures")
                     .arg(OutputDevices[device].Name)
                     .arg(counts.underruns - before.underruns)
                     .arg(counts.stalls - before.stalls)
                     .arg(counts.failures - before.failures);
        logged_[device] = counts;
    }
    if (parts.isEmpty())
        return;
    WriteLog(1, 1, -1, -1, -1, QStringLiteral("Sound output trouble. ") + parts.join(QStringLiteral("; ")));
    lastLineMs_ = tickMs;
    anyLine_ = true;
}
