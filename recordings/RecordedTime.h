#pragma once

#include <string>
#include <tuple>

namespace veldrun {

// A date and time as the camera's clock showed it when recording began: the camera's local
// time, without a zone.
struct RecordedTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // "YYYY-MM-DD HH:MM:SS". Throws only std::bad_alloc.
    std::string Text() const;

    bool operator<(const RecordedTime& other) const { return Tie() < other.Tie(); }
    bool operator==(const RecordedTime& other) const { return Tie() == other.Tie(); }

private:
    std::tuple<int, int, int, int, int, int> Tie() const {
        return std::make_tuple(year, month, day, hour, minute, second);
    }
};

} // namespace veldrun
