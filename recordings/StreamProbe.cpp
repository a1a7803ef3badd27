#include "recordings/StreamProbe.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <vector>

#include <boost/crc.hpp>

#include "recordings/RecordedDate.h"

namespace veldrun {

namespace {

typedef unsigned char Byte;

const std::size_t kPacket = 188;
const Byte kSync = 0x47;
const std::size_t kNowhere = static_cast<std::size_t>(-1);
const int kNoPid = -1;
const int kNullPid = 0x1FFF;
const Byte kH264 = 0x1B;
const std::size_t kStrides[] = {188, 192};
// A file is a stream when its first kCheckPackets packets (all of them when it has fewer, but
// at least kMinPackets) start with the sync byte: fewer would call any file that begins with
// a 'G' a stream.
const std::size_t kCheckPackets = 64;
const std::size_t kMinPackets = 8;
// Packets in a row that must line up again after bytes that are not packets, and at the start
// of the end piece, which begins anywhere in a packet.
const std::size_t kResyncPackets = 4;
// The first read at either end. Camcorders put the tables and a PCR in the first packets and
// a PCR at least every 100 ms, so this is nearly always all that is read.
const std::size_t kFirstRead = 128 * 1024;

// CRC-32 of MPEG-2 sections; over a whole section, its own CRC included, it comes to 0.
typedef boost::crc_optimal<32, 0x04C11DB7, 0xFFFFFFFF, 0, false, false> SectionCrc;

// The number of packets in a row from `at`, up to `most`, that are complete in `size` bytes
// and start with the sync byte.
std::size_t SyncRun(const Byte* data, std::size_t size, std::size_t at, std::size_t stride,
                    std::size_t most) {
    std::size_t count = 0;
    for (; count < most && at + kPacket <= size && data[at] == kSync; at += stride)
        ++count;
    return count;
}

std::size_t CompletePackets(std::size_t size, std::size_t at, std::size_t stride) {
    return at + kPacket <= size ? (size - at - kPacket) / stride + 1 : 0;
}

// The offset of the first packet when the start of a file is a run of packets at `stride`;
// kNowhere otherwise. A clip cut by another tool may begin inside a packet.
std::size_t StreamStart(const Byte* data, std::size_t size, std::size_t stride) {
    for (std::size_t at = 0; at < stride; ++at) {
        const std::size_t wanted = std::min(kCheckPackets, CompletePackets(size, at, stride));
        if (wanted >= kMinPackets && SyncRun(data, size, at, stride, wanted) == wanted)
            return at;
    }
    return kNowhere;
}

// The first place from `at` where kResyncPackets packets line up; kNowhere when none does.
std::size_t NextRun(const Byte* data, std::size_t size, std::size_t at, std::size_t stride) {
    for (; at + kPacket <= size; ++at) {
        if (SyncRun(data, size, at, stride, kResyncPackets) == kResyncPackets)
            return at;
    }
    return kNowhere;
}

// The PCRs seen on one PID.
struct ClockSpan {
    int pid;
    std::int64_t first;
    std::int64_t last;
};

// What a walk over packets found.
struct Findings {
    int pmtPid = kNoPid;
    bool mapRead = false;
    int pmtClockPid = kNoPid;
    // The programme map's first H.264 stream, where the camera's date is looked for.
    int videoPid = kNoPid;
    RecordedDate date;
    // In the order their PIDs were first seen; streams carry a handful of PIDs at most.
    std::vector<ClockSpan> clocks;

    const ClockSpan* Clock(int pid) const {
        for (const ClockSpan& span : clocks) {
            if (span.pid == pid)
                return &span;
        }
        return nullptr;
    }

    void AddClock(int pid, std::int64_t value) {
        for (ClockSpan& span : clocks) {
            if (span.pid == pid) {
                span.last = value;
                return;
            }
        }
        clocks.push_back(ClockSpan{pid, value, value});
    }

    // The programme map's clock PID when it has PCRs here, else the first PID that has one.
    int ClockPid() const {
        if (pmtClockPid != kNoPid && Clock(pmtClockPid))
            return pmtClockPid;
        return clocks.empty() ? kNoPid : clocks.front().pid;
    }
};

// Finds a table section of `tableId` that starts in `payload` (after its pointer field), is
// whole within it and has a correct CRC. Sections of camcorder tables fit in one packet.
const Byte* SectionIn(const Byte* payload, std::size_t size, Byte tableId, std::size_t least,
                      std::size_t& length) {
    const std::size_t at = 1 + std::size_t(payload[0]);
    if (at + 3 > size || payload[at] != tableId)
        return nullptr;
    length = 3 + ((std::size_t(payload[at + 1] & 0x0F) << 8) | payload[at + 2]);
    if (length < least || at + length > size)
        return nullptr;
    SectionCrc crc;
    crc.process_bytes(payload + at, length);
    return crc.checksum() == 0 ? payload + at : nullptr;
}

void ReadTables(int pid, const Byte* payload, std::size_t size, Findings& found) {
    std::size_t length = 0;
    if (pid == 0 && found.pmtPid == kNoPid) {
        // Programme association: the first programme's map PID (number 0 is the network's).
        const Byte* section = SectionIn(payload, size, 0x00, 12, length);
        for (std::size_t at = 8; section && at + 4 + 4 <= length; at += 4) {
            if (section[at] != 0 || section[at + 1] != 0) {
                found.pmtPid = ((section[at + 2] & 0x1F) << 8) | section[at + 3];
                return;
            }
        }
    } else if (pid == found.pmtPid && !found.mapRead) {
        const Byte* section = SectionIn(payload, size, 0x02, 16, length);
        if (!section)
            return;
        found.mapRead = true;
        const int clockPid = ((section[8] & 0x1F) << 8) | section[9];
        if (clockPid != kNullPid)
            found.pmtClockPid = clockPid;
        // The streams follow the programme's descriptors; the CRC ends the section.
        std::size_t at = 12 + (std::size_t(section[10] & 0x0F) << 8 | section[11]);
        for (; at + 5 <= length - 4;
             at += 5 + (std::size_t(section[at + 3] & 0x0F) << 8 | section[at + 4])) {
            if (section[at] == kH264) {
                found.videoPid = ((section[at + 1] & 0x1F) << 8) | section[at + 2];
                return;
            }
        }
    }
}

// Takes one 188-byte packet: notes its PCR, and with `tables` the PAT and PMT it carries.
void Visit(const Byte* packet, bool tables, Findings& found) {
    if (packet[1] & 0x80)
        return; // marked damaged by the demodulator or the recorder
    const int pid = ((packet[1] & 0x1F) << 8) | packet[2];
    const int control = (packet[3] >> 4) & 3;
    std::size_t payload = 4;
    if (control & 2) {
        const std::size_t length = packet[4];
        if (length > kPacket - 5)
            return;
        if (length >= 7 && (packet[5] & 0x10)) {
            const std::int64_t base =
                (std::int64_t(packet[6]) << 25) | (std::int64_t(packet[7]) << 17) |
                (std::int64_t(packet[8]) << 9) | (std::int64_t(packet[9]) << 1) | (packet[10] >> 7);
            const int extension = ((packet[10] & 1) << 8) | packet[11];
            if (extension < 300)
                found.AddClock(pid, base * 300 + extension);
        }
        payload = 5 + length;
    }
    const bool unitStart = packet[1] & 0x40;
    if (!tables || !(control & 1) || payload >= kPacket)
        return;
    if (unitStart)
        ReadTables(pid, packet + payload, kPacket - payload, found);
    if (pid == found.videoPid)
        found.date.Add(packet + payload, kPacket - payload, unitStart, packet[3] & 0x0F);
}

// Visits every complete packet from `at` on, finding the run again after bytes that are not
// packets; an incomplete packet at the end (a cut clip) is left out. With `tables`, also
// reads the programme tables and looks for the camera's date in the video.
Findings Walk(const Byte* data, std::size_t size, std::size_t stride, std::size_t at, bool tables) {
    Findings found;
    while (at != kNowhere && at + kPacket <= size) {
        if (data[at] == kSync) {
            Visit(data + at, tables, found);
            at += stride;
        } else {
            at = NextRun(data, size, at + 1, stride);
        }
    }
    if (tables)
        found.date.Finish();
    return found;
}

// The start of a file as far as it has been read.
struct Start {
    std::size_t stride = 0;
    std::size_t offset = 0;
    Findings found;
};

Start ScanStart(const std::vector<Byte>& head) {
    Start start;
    for (std::size_t stride : kStrides) {
        const std::size_t at = StreamStart(head.data(), head.size(), stride);
        if (at != kNowhere) {
            start.stride = stride;
            start.offset = at;
            start.found = Walk(head.data(), head.size(), stride, at, true);
            break;
        }
    }
    return start;
}

// Where the packets of the end piece, read from `offset`, begin. Sync-like bytes in payloads
// can line up too, so the place in step with the packets at the start is tried first.
std::size_t TailStart(const std::vector<Byte>& tail, std::int64_t offset, const Start& start) {
    const std::int64_t stride = static_cast<std::int64_t>(start.stride);
    const std::int64_t behind = (offset - static_cast<std::int64_t>(start.offset)) % stride;
    const std::size_t inStep = static_cast<std::size_t>(behind == 0 ? 0 : stride - behind);
    if (SyncRun(tail.data(), tail.size(), inStep, start.stride, kResyncPackets) == kResyncPackets)
        return inStep;
    return NextRun(tail.data(), tail.size(), 0, start.stride);
}

// Reads `size` bytes at `offset` into a buffer of that size; false on a read error. A file
// that shrank since its size was taken gives a shorter buffer.
bool ReadPiece(File& file, std::int64_t offset, std::size_t size, std::vector<Byte>& buffer) {
    buffer.resize(size);
    const std::int64_t got =
        file.Seek(offset) ? file.Read(reinterpret_cast<char*>(buffer.data()), size) : -1;
    if (got < 0)
        return false;
    buffer.resize(static_cast<std::size_t>(got));
    return true;
}

std::size_t NextSize(std::size_t size, std::int64_t fileSize) {
    return static_cast<std::size_t>(
        std::min<std::int64_t>(std::min(size * 2, StreamProbe::kReadLimit), fileSize));
}

boost::optional<StreamProbe::Result> ReadClip(const std::string& path, int& error) {
    typedef StreamProbe::Result Result;
    typedef StreamProbe::Kind Kind;
    File file;
    if (!file.OpenForReading(path)) {
        error = file.Error();
        return boost::none;
    }
    // Only the two ends are wanted: read-ahead would fetch what is never looked at.
    file.AdviseRandomAccess();
    Result result;
    result.stamp = file.CurrentStamp();
    const std::int64_t fileSize = result.stamp.size;
    if (fileSize < 0)
        return boost::none;

    // The start, in growing steps, until the programme map's clock PID has shown a PCR and,
    // when the map names an H.264 video stream, its date has been found.
    std::vector<Byte> head;
    Start start;
    for (std::size_t size = std::min<std::int64_t>(kFirstRead, fileSize);;) {
        if (!ReadPiece(file, 0, size, head)) {
            error = file.Error();
            return boost::none;
        }
        start = ScanStart(head);
        const Findings& found = start.found;
        const bool enough = found.pmtClockPid != kNoPid && found.Clock(found.pmtClockPid) &&
                            (found.videoPid == kNoPid || found.date.Found());
        const std::size_t next = NextSize(size, fileSize);
        // A start without packets does not grow into one.
        if (start.stride == 0 || enough || head.size() < size || next == size)
            break;
        size = next;
    }
    if (start.stride == 0)
        return result;
    result.kind = Kind::NoClock;
    result.packetSize = static_cast<int>(start.stride);
    result.recorded = start.found.date.Found();
    const int pid = start.found.ClockPid();
    if (pid == kNoPid)
        return result;
    result.clockPid = pid;

    // The end, in growing steps, until it holds a PCR of that PID.
    const ClockSpan* last = nullptr;
    Findings atEnd;
    bool whole = static_cast<std::int64_t>(head.size()) >= fileSize;
    std::vector<Byte> tail;
    for (std::size_t size = std::min<std::int64_t>(kFirstRead, fileSize); !whole;) {
        if (!ReadPiece(file, fileSize - static_cast<std::int64_t>(size), size, tail)) {
            error = file.Error();
            return boost::none;
        }
        atEnd = Walk(tail.data(), tail.size(), start.stride,
                     TailStart(tail, fileSize - static_cast<std::int64_t>(size), start), false);
        last = atEnd.Clock(pid);
        whole = static_cast<std::int64_t>(head.size() + size) >= fileSize;
        const std::size_t next = NextSize(size, fileSize);
        if (last || tail.size() < size || next == size)
            break;
        size = next;
    }
    // When the two ends meet, the last PCR may lie in the start alone.
    if (!last && whole)
        last = start.found.Clock(pid);
    if (!last)
        return result;
    result.kind = Kind::Clock;
    result.firstClock = start.found.Clock(pid)->first;
    result.lastClock = last->last;
    return result;
}

} // namespace

boost::optional<StreamProbe::Result> StreamProbe::Read(const std::string& path, int* error) {
    // Out of memory (a buffer of up to 1 MiB, on a machine or under a limit that has no more)
    // leaves the clip unread, as a read error does: its seams are unknown, and the caller goes
    // on with the rest of the list.
    int failure = 0;
    boost::optional<Result> result;
    try {
        result = ReadClip(path, failure);
    } catch (const std::exception&) {
        failure = ENOMEM;
    }
    if (error)
        *error = result ? 0 : (failure != 0 ? failure : EIO);
    return result;
}

std::int64_t StreamProbe::ClockDistance(std::int64_t earlier, std::int64_t later) {
    const std::int64_t distance = (later - earlier) % kClockWrap;
    return distance < 0 ? distance + kClockWrap : distance;
}

std::int64_t StreamProbe::Duration(const Result& result) {
    return result.kind == Kind::Clock ? ClockDistance(result.firstClock, result.lastClock) : 0;
}

} // namespace veldrun
