#include "tests/support/TestStream.h"

#include <boost/crc.hpp>

#include "tests/support/TempDir.h"

namespace veldrun {
namespace test {

namespace {

std::string Bytes16(int value) {
    return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

// The BCD digits of a value written in hexadecimal, `count` bytes, most significant first.
std::string Digits(unsigned value, int count) {
    std::string bytes;
    for (int at = count - 1; at >= 0; --at)
        bytes += static_cast<char>((value >> (8 * at)) & 0xFF);
    return bytes;
}

} // namespace

TestStream::TestStream(int packetSize) : m_packetSize(packetSize) {}

TestStream& TestStream::Tables(int clockPid) {
    // PAT: programme 1 with its map at kPmtPid.
    Packet(Header(0, true, 1) + '\0' +
           Section(std::string("\x00", 1) + Bytes16(1) + Bytes16(0xE000 | kPmtPid)));
    // PMT: the clock PID, no programme descriptors, H.264 video and AC-3 audio.
    Packet(Header(kPmtPid, true, 1) + '\0' +
           Section(std::string("\x02", 1) + Bytes16(0xE000 | clockPid) + Bytes16(0xF000) + '\x1B' +
                   Bytes16(0xE000 | kVideoPid) + Bytes16(0xF000) + '\x81' +
                   Bytes16(0xE000 | kAudioPid) + Bytes16(0xF000)));
    return *this;
}

TestStream& TestStream::Clock(std::int64_t pcr, int pid) {
    pcr = ((pcr % kWrap) + kWrap) % kWrap;
    const std::int64_t base = pcr / 300;
    const int extension = static_cast<int>(pcr % 300);
    std::string field = {'\xB7',
                         '\x10',
                         static_cast<char>(base >> 25),
                         static_cast<char>(base >> 17),
                         static_cast<char>(base >> 9),
                         static_cast<char>(base >> 1),
                         static_cast<char>(((base & 1) << 7) | 0x7E | (extension >> 8)),
                         static_cast<char>(extension & 0xFF)};
    Packet(Header(pid, false, 2) + field);
    return *this;
}

TestStream& TestStream::Payload(int count, int pid) {
    for (int i = 0; i < count; ++i) {
        std::string body = TempDir::Pattern(184, m_seed++);
        body[7] = body[100] = '\x47';
        Packet(Header(pid, false, 1) + body);
    }
    return *this;
}

TestStream& TestStream::Recording(std::int64_t first, std::int64_t last, int clocks, int fill,
                                  bool tables) {
    for (int i = 0; i < clocks; ++i) {
        if (tables && i % 10 == 0)
            Tables();
        const std::int64_t step = clocks > 1 ? (last - first) * i / (clocks - 1) : 0;
        Clock(first + step);
        Payload(fill);
    }
    return *this;
}

TestStream& TestStream::Raw(const std::string& bytes) {
    m_bytes += bytes;
    return *this;
}

TestStream& TestStream::Video(const std::string& es, int pid) {
    // PES header: video stream 0xE0, unbounded length, a PTS of 0.
    std::string pes = std::string("\x00\x00\x01\xE0\x00\x00\x80\x80\x05\x21\x00\x01\x00\x01", 14);
    pes += es;
    for (std::size_t at = 0; at < pes.size(); at += 184)
        PayloadPacket(pid, at == 0, pes.substr(at, 184));
    return *this;
}

TestStream& TestStream::Dated(unsigned yearMonth, unsigned dayTime) {
    return Tables().Video(AccessUnit(SeiMessage(5, DateMessage(yearMonth, dayTime))));
}

std::string TestStream::DateMessage(unsigned yearMonth, unsigned dayTime,
                                    const std::string& extra) {
    const std::string uuid("\x17\xEE\x8C\x60\xF8\x4D\x11\xD9\x8C\xD6\x08\x00\x20\x0C\x9A\x66", 16);
    const std::string tags =
        extra + '\x18' + '\x00' + Digits(yearMonth, 3) + '\x19' + Digits(dayTime, 4);
    return uuid + "MDPM" + static_cast<char>(tags.size() / 5) + tags;
}

std::string TestStream::SeiMessage(int type, const std::string& payload) {
    std::string message;
    for (int value : {type, static_cast<int>(payload.size())}) {
        for (; value >= 255; value -= 255)
            message += '\xFF';
        message += static_cast<char>(value);
    }
    return message + payload;
}

std::string TestStream::Nal(int type, const std::string& rbsp) {
    std::string nal = std::string("\x00\x00\x00\x01", 4) + static_cast<char>(0x60 | type);
    int zeros = 0;
    for (char c : rbsp) {
        if (zeros >= 2 && static_cast<unsigned char>(c) <= 3) {
            nal += '\x03';
            zeros = 0;
        }
        nal += c;
        zeros = c == 0 ? zeros + 1 : 0;
    }
    return nal;
}

std::string TestStream::AccessUnit(const std::string& messages) {
    return Nal(9, "\xF0") + Nal(6, messages + '\x80') +
           Nal(5, "\x88\x84\x21\xA0" + TempDir::Pattern(300, 11));
}

void TestStream::PayloadPacket(int pid, bool unitStart, const std::string& payload) {
    if (payload.size() == 184) {
        Packet(Header(pid, unitStart, 1) + payload);
        return;
    }
    // Fewer bytes: the adaptation field's stuffing fills the packet.
    const std::size_t field = 183 - payload.size();
    std::string stuffing(1, static_cast<char>(field));
    if (field > 0)
        stuffing += '\x00' + std::string(field - 1, '\xFF');
    Packet(Header(pid, unitStart, 3) + stuffing + payload);
}

void TestStream::Packet(const std::string& body) {
    if (m_packetSize == 192) {
        // The arrival time stamp header; its value does not matter here.
        const unsigned stamp = m_counter * 1000;
        m_bytes += {static_cast<char>((stamp >> 24) & 0x3F), static_cast<char>(stamp >> 16),
                    static_cast<char>(stamp >> 8), static_cast<char>(stamp)};
    }
    std::string packet = body;
    packet.resize(188, '\xFF');
    m_bytes += packet;
}

std::string TestStream::Header(int pid, bool unitStart, int control) {
    ++m_counter;
    // The continuity counter counts a PID's packets with a payload.
    unsigned& continuity = m_continuity[pid];
    const unsigned counter = control & 1 ? continuity++ : continuity;
    return {'\x47', static_cast<char>((unitStart ? 0x40 : 0) | (pid >> 8)),
            static_cast<char>(pid & 0xFF), static_cast<char>((control << 4) | (counter & 0x0F))};
}

std::string TestStream::Section(const std::string& content) const {
    // content: table id, then what follows the section header's fixed part.
    const std::string body = content.substr(1);
    std::string section = content.substr(0, 1) + Bytes16(0xB000 | int(body.size() + 9)) +
                          Bytes16(1) + '\xC1' + '\0' + '\0' + body;
    boost::crc_optimal<32, 0x04C11DB7, 0xFFFFFFFF, 0, false, false> crc;
    crc.process_bytes(section.data(), section.size());
    const std::uint32_t sum = crc.checksum();
    return section + Bytes16(int(sum >> 16)) + Bytes16(int(sum & 0xFFFF));
}

} // namespace test
} // namespace veldrun
