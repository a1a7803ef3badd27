#include "tests/support/TestStream.h"

#include <boost/crc.hpp>

#include "tests/support/TempDir.h"

namespace veldrun {
namespace test {

namespace {

std::string Bytes16(int value) {
    return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
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
    return {'\x47', static_cast<char>((unitStart ? 0x40 : 0) | (pid >> 8)),
            static_cast<char>(pid & 0xFF),
            static_cast<char>((control << 4) | (m_counter++ & 0x0F))};
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
