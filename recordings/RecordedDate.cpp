#include "recordings/RecordedDate.h"

#include <algorithm>
#include <cstring>

namespace veldrun {

namespace {

typedef unsigned char Byte;

const std::size_t kNowhere = static_cast<std::size_t>(-1);
const Byte kUuid[16] = {0x17, 0xEE, 0x8C, 0x60, 0xF8, 0x4D, 0x11, 0xD9,
                        0x8C, 0xD6, 0x08, 0x00, 0x20, 0x0C, 0x9A, 0x66};
const int kSeiNal = 6;
const int kUserDataUnregistered = 5;
const Byte kTagYearMonth = 0x18;
const Byte kTagDayTime = 0x19;
const std::size_t kTagSize = 5;

// The place just after the next start code (00 00 01) from `from`; kNowhere when none.
std::size_t NextNal(const Byte* data, std::size_t size, std::size_t from) {
    for (std::size_t at = from + 2; at < size; ++at) {
        if (data[at] == 1 && data[at - 1] == 0 && data[at - 2] == 0)
            return at + 1;
        if (data[at] > 1)
            at += 2; // no start code can end within the next two bytes
    }
    return kNowhere;
}

// Takes the NAL's bytes after its header; drops the emulation-prevention bytes (00 00 03 is
// 00 00) in place and returns the length left.
std::size_t Unescape(Byte* data, std::size_t size) {
    std::size_t kept = 0;
    int zeros = 0;
    for (std::size_t at = 0; at < size; ++at) {
        if (zeros >= 2 && data[at] == 3) {
            zeros = 0;
            continue;
        }
        zeros = data[at] == 0 ? zeros + 1 : 0;
        data[kept++] = data[at];
    }
    return kept;
}

bool Bcd(Byte byte, int& value) {
    if ((byte >> 4) > 9 || (byte & 0x0F) > 9)
        return false;
    value = (byte >> 4) * 10 + (byte & 0x0F);
    return true;
}

int DaysIn(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Takes the two tags' data (4 bytes each); the date when every field is valid.
boost::optional<RecordedTime> FromTags(const Byte* yearMonth, const Byte* dayTime) {
    int century = 0, year = 0;
    RecordedTime time;
    // The first byte of the year's tag is not part of the date (zone flags on some cameras).
    if (!Bcd(yearMonth[1], century) || !Bcd(yearMonth[2], year) || !Bcd(yearMonth[3], time.month) ||
        !Bcd(dayTime[0], time.day) || !Bcd(dayTime[1], time.hour) ||
        !Bcd(dayTime[2], time.minute) || !Bcd(dayTime[3], time.second))
        return boost::none;
    time.year = century * 100 + year;
    if (time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > DaysIn(time.year, time.month) || time.hour > 23 || time.minute > 59 ||
        time.second > 59)
        return boost::none;
    return time;
}

// Takes the payload of a user-data SEI message; the date when it is the camera's message and
// holds a valid one.
boost::optional<RecordedTime> FromMessage(const Byte* payload, std::size_t size) {
    const std::size_t header = sizeof kUuid + 4 + 1;
    if (size < header || std::memcmp(payload, kUuid, sizeof kUuid) != 0 ||
        std::memcmp(payload + sizeof kUuid, "MDPM", 4) != 0)
        return boost::none;
    const std::size_t count =
        std::min<std::size_t>(payload[header - 1], (size - header) / kTagSize);
    const Byte* yearMonth = nullptr;
    const Byte* dayTime = nullptr;
    for (const Byte* tag = payload + header; tag < payload + header + count * kTagSize;
         tag += kTagSize) {
        if (tag[0] == kTagYearMonth && !yearMonth)
            yearMonth = tag + 1;
        else if (tag[0] == kTagDayTime && !dayTime)
            dayTime = tag + 1;
    }
    if (!yearMonth || !dayTime)
        return boost::none;
    return FromTags(yearMonth, dayTime);
}

// Reads a payload type or size: a run of 0xFF bytes, each adding 255, then the last byte.
bool SeiNumber(const Byte* data, std::size_t size, std::size_t& at, std::size_t& value) {
    value = 0;
    while (at < size && data[at] == 0xFF) {
        value += 255;
        ++at;
    }
    if (at >= size)
        return false;
    value += data[at++];
    return true;
}

// True when only the RBSP's stop bit (0x80) and zeros are left from `at`.
bool TrailingBits(const Byte* data, std::size_t size, std::size_t at) {
    return data[at] == 0x80 &&
           std::all_of(data + at + 1, data + size, [](Byte b) { return b == 0; });
}

// Takes an SEI's RBSP (emulation prevention removed, after the NAL header).
boost::optional<RecordedTime> FromSei(const Byte* data, std::size_t size) {
    std::size_t at = 0, type = 0, length = 0;
    while (at < size && !TrailingBits(data, size, at)) {
        if (!SeiNumber(data, size, at, type) || !SeiNumber(data, size, at, length) ||
            length > size - at)
            return boost::none; // cut off, or not SEI messages at all
        if (type == kUserDataUnregistered) {
            if (const boost::optional<RecordedTime> found = FromMessage(data + at, length))
                return found;
        }
        at += length;
    }
    return boost::none;
}

} // namespace

void RecordedDate::Add(const unsigned char* payload, std::size_t size, bool unitStart,
                       int counter) {
    if (m_found)
        return;
    if (unitStart) {
        if (m_gathering)
            Look();
        if (m_found)
            return;
        m_pes.clear();
        m_gathering = true;
    } else if (!m_gathering || counter == m_counter) {
        return;
    } else if (counter != ((m_counter + 1) & 0x0F)) {
        // A packet was lost or skipped: what follows does not belong to these bytes.
        m_gathering = false;
        return;
    }
    m_counter = counter;
    const std::size_t take = std::min(size, kPesLimit - m_pes.size());
    m_pes.insert(m_pes.end(), payload, payload + take);
    if (m_pes.size() == kPesLimit) {
        Look();
        m_gathering = false;
    }
}

void RecordedDate::Finish() {
    if (m_gathering && !m_found)
        Look();
}

void RecordedDate::Look() {
    // The PES header: start code, stream id, length, two flag bytes, the header's length.
    const std::size_t size = m_pes.size();
    if (size < 9 || m_pes[0] != 0 || m_pes[1] != 0 || m_pes[2] != 1)
        return;
    const std::size_t start = 9 + std::size_t(m_pes[8]);
    Byte* data = m_pes.data();
    for (std::size_t nal = NextNal(data, size, start); nal != kNowhere && nal < size;) {
        const int type = data[nal] & 0x1F;
        // SEI comes before the pictures of its access unit.
        if (type >= 1 && type <= 5)
            return;
        const std::size_t next = NextNal(data, size, nal + 1);
        if (type == kSeiNal) {
            std::size_t end = next == kNowhere ? size : next - 3;
            const std::size_t length = Unescape(data + nal + 1, end - nal - 1);
            m_found = FromSei(data + nal + 1, length);
            if (m_found)
                return;
        }
        nal = next;
    }
}

} // namespace veldrun
