#pragma once
// The ffmpeg program as the tests' encoder and oracle: every suite that makes MP3, Ogg or WMA fixtures
// runs it through here.
#include <QString>
#include <QStringList>

namespace testing_support {

// Runs the ffmpeg program with `arguments` (quiet, overwriting); false with the reason in `failure`.
bool RunFfmpeg(const QStringList& arguments, QString* failure);

} // namespace testing_support
