#pragma once
// The library's configuration; a device takes a snapshot of it when it is initialised.
namespace audiolib {

struct Config {
    int bufferMs = 1000;
    int updatePeriodMs = 10;
    int maxVol = 100;
    bool nullManual = false;
};

Config CurrentConfig();

} // namespace audiolib
