#pragma once
// The 4-byte header that starts every MPEG audio frame (MPEG 1, 2 and 2.5; layers I, II and III).
#include <cstdint>

namespace audiolib {

// The samples per channel the frame starting with `header` decodes to; 0 when it is not a header the
// decoder accepts (free-format bit rates included).
int Mp3FrameSamples(const uint8_t* header);

} // namespace audiolib
