// How an engine run ended, for callers that must tell success from failure even
// where the window stays silent. File errors are raised, not returned.
#pragma once

#include <string>

struct Outcome {
    enum Status { kDone, kRefused, kFailed, kStopped };
    Status status = kDone;
    std::string reason;  // what the user was told, or what a silent end means

    static Outcome Done() { return {kDone, {}}; }
    static Outcome Refused(std::string why) { return {kRefused, std::move(why)}; }
    static Outcome Failed(std::string why) { return {kFailed, std::move(why)}; }
    // The user stopped the run; reason says what it left on the disk.
    static Outcome Stopped(std::string why) { return {kStopped, std::move(why)}; }
    bool ok() const { return status == kDone; }
};
