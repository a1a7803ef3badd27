#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace veldrun {
namespace test {

// Writes small MPEG transport streams with chosen clock values, packet by packet: the
// programme tables, packets whose adaptation field carries a PCR, and payload packets. With
// 192-byte packets each packet gets the 4-byte header that AVCHD clips have.
class TestStream {
public:
    static const int kPmtPid = 0x100;
    static const int kVideoPid = 0x1011;
    static const int kAudioPid = 0x1100;
    static const std::int64_t kSecond = 27000000;
    // PCR values wrap to 0 here: the 33-bit base times 300.
    static const std::int64_t kWrap = (std::int64_t(1) << 33) * 300;

    explicit TestStream(int packetSize = 188);

    // Appends the PAT (programme 1, map at kPmtPid) and the PMT, which names `clockPid` as the
    // PCR PID and lists a video and an audio stream.
    TestStream& Tables(int clockPid = kVideoPid);
    // Appends one packet whose adaptation field carries `pcr` (27 MHz ticks, wrapped).
    TestStream& Clock(std::int64_t pcr, int pid = kVideoPid);
    // Appends `count` payload packets of `pid`, their bytes including sync-like 0x47s.
    TestStream& Payload(int count, int pid = kAudioPid);
    // Appends `clocks` PCRs evenly from `first` to `last` (which may pass the wrap), each
    // followed by `fill` payload packets, with the tables before every tenth.
    TestStream& Recording(std::int64_t first, std::int64_t last, int clocks = 20, int fill = 3,
                          bool tables = true);
    // Appends raw bytes, not packets.
    TestStream& Raw(const std::string& bytes);

    // Appends one PES of `pid` (a video stream's, with a PTS) whose payload is `es`, over as
    // many packets as it needs; the last is filled up by its adaptation field.
    TestStream& Video(const std::string& es, int pid = kVideoPid);
    // Appends the tables and a video access unit whose SEI holds the camera's date (see
    // DateMessage).
    TestStream& Dated(unsigned yearMonth, unsigned dayTime);

    // The payload of the camera's date message: its UUID, "MDPM", the tag count, then `extra`
    // (whole 5-byte tags) and the tags 0x18 and 0x19 with the BCD digits given in hexadecimal:
    // 0x202407 and 0x14101502 are 2024-07-14 10:15:02.
    static std::string DateMessage(unsigned yearMonth, unsigned dayTime,
                                   const std::string& extra = "");
    // One SEI message, its type and size written with 0xFF bytes beyond 254.
    static std::string SeiMessage(int type, const std::string& payload);
    // A NAL unit with a 4-byte start code, emulation-prevention bytes put into `rbsp`.
    static std::string Nal(int type, const std::string& rbsp);
    // An access unit: its delimiter, an SEI NAL of `messages` (stop bit added) and a slice.
    static std::string AccessUnit(const std::string& messages);

    const std::string& Bytes() const { return m_bytes; }

private:
    void Packet(const std::string& body);
    void PayloadPacket(int pid, bool unitStart, const std::string& payload);
    std::string Header(int pid, bool unitStart, int control);
    std::string Section(const std::string& content) const;

    int m_packetSize;
    std::string m_bytes;
    unsigned m_counter = 0;
    std::map<int, unsigned> m_continuity; // per PID, counting packets with a payload
    unsigned m_seed = 1;
};

} // namespace test
} // namespace veldrun
