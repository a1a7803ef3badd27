// insert_camera_date IN OUT "YYYY-MM-DD HH:MM:SS"
//
// Copies the transport stream IN (188- or 192-byte packets) to OUT with the camera's date
// message in its H.264 video, as AVCHD camcorders write it: an SEI NAL of its own, put before
// the first slice of the first access unit. The PES that holds it keeps its packets (headers,
// adaptation fields and PCRs as they were) and grows by as many packets as the message needs,
// right after its last one; the video's later continuity counters move on to match. Exits 1
// with a message when IN has no programme map with H.264 video, or cannot be read or written.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/TestStream.h"

namespace {

using veldrun::test::TestStream;

const std::size_t kPacket = 188;

struct Packet {
    std::size_t at; // where the 188 bytes begin in the file
    int pid;
    bool unitStart;
    std::size_t payload; // offset of the payload within the packet; kPacket for none
};

unsigned Bcd(int value) {
    return static_cast<unsigned>(value / 10 * 16 + value % 10);
}

int Fail(const std::string& message) {
    std::cerr << "insert_camera_date: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (argc != 4 || std::sscanf(argv[3], "%4d-%2d-%2d %2d:%2d:%2d", &year, &month, &day, &hour,
                                 &minute, &second) != 6)
        return Fail("usage: insert_camera_date IN OUT \"YYYY-MM-DD HH:MM:SS\"");
    std::ifstream in(argv[1], std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        return Fail(std::string("cannot read ") + argv[1]);
    const std::size_t head = data.size() > 400 && data[4] == 0x47 && data[196] == 0x47 ? 4 : 0;
    const std::size_t stride = kPacket + head;

    // The packets, the programme map's first H.264 stream, and the packets of its first PES.
    std::vector<Packet> packets;
    int mapPid = -1, videoPid = -1;
    std::vector<std::size_t> pes; // indexes into packets
    bool gathered = false;
    for (std::size_t at = head; at + kPacket <= data.size(); at += stride) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(data.data() + at);
        if (p[0] != 0x47)
            return Fail("lost the packets' step at byte " + std::to_string(at));
        Packet packet{at, ((p[1] & 0x1F) << 8) | p[2], (p[1] & 0x40) != 0, kPacket};
        const int control = (p[3] >> 4) & 3;
        if (control & 1)
            packet.payload = control & 2 ? 5 + std::size_t(p[4]) : 4;
        packets.push_back(packet);
        if (packet.payload >= kPacket)
            continue;
        // Tables start after the pointer field; camcorders' and muxers' fit in one packet.
        const unsigned char* section = p + packet.payload + 1 + p[packet.payload];
        if (packet.unitStart && packet.pid == 0 && mapPid < 0) {
            const std::size_t length = ((section[1] & 0x0F) << 8) | section[2];
            for (std::size_t s = 8; s + 4 <= length - 1 && mapPid < 0; s += 4) {
                if (section[s] != 0 || section[s + 1] != 0) // programme 0 is the network's
                    mapPid = ((section[s + 2] & 0x1F) << 8) | section[s + 3];
            }
        } else if (packet.unitStart && packet.pid == mapPid && videoPid < 0) {
            const std::size_t length = ((section[1] & 0x0F) << 8) | section[2];
            for (std::size_t s = 12 + (((section[10] & 0x0F) << 8) | section[11]);
                 s + 5 <= length - 1; s += 5 + (((section[s + 3] & 0x0F) << 8) | section[s + 4])) {
                if (section[s] == 0x1B) {
                    videoPid = ((section[s + 1] & 0x1F) << 8) | section[s + 2];
                    break;
                }
            }
        } else if (packet.pid == videoPid && !gathered) {
            gathered = packet.unitStart && !pes.empty();
            if (!gathered && (packet.unitStart || !pes.empty()))
                pes.push_back(packets.size() - 1);
        }
    }
    if (pes.empty())
        return Fail("no H.264 video found in " + std::string(argv[1]));

    std::string bytes;
    for (std::size_t index : pes) {
        const Packet& packet = packets[index];
        bytes.append(data, packet.at + packet.payload, kPacket - packet.payload);
    }
    if (bytes.size() < 9)
        return Fail("the first PES of the video is cut short");
    // Before the first slice's start code (00 00 01, with a leading zero when it has one).
    std::size_t slice = 9 + static_cast<unsigned char>(bytes[8]);
    for (; slice + 3 < bytes.size(); ++slice) {
        const int type = bytes[slice + 3] & 0x1F;
        if (bytes.compare(slice, 3, std::string("\0\0\1", 3)) == 0 && type >= 1 && type <= 5)
            break;
    }
    if (slice + 3 >= bytes.size())
        return Fail("no slice in the first PES of the video");
    if (slice > 0 && bytes[slice - 1] == 0)
        --slice;
    const std::string sei = TestStream::Nal(
        6, TestStream::SeiMessage(
               5, TestStream::DateMessage(
                      (Bcd(year / 100) << 16) | (Bcd(year % 100) << 8) | Bcd(month),
                      (Bcd(day) << 24) | (Bcd(hour) << 16) | (Bcd(minute) << 8) | Bcd(second))) +
               '\x80');
    bytes.insert(slice, sei);
    const std::size_t length =
        (static_cast<unsigned char>(bytes[4]) << 8) | static_cast<unsigned char>(bytes[5]);
    if (length != 0) {
        if (length + sei.size() > 0xFFFF)
            return Fail("the first PES of the video has no room for the message");
        bytes[4] = static_cast<char>((length + sei.size()) >> 8);
        bytes[5] = static_cast<char>((length + sei.size()) & 0xFF);
    }

    // The PES's own packets take what they held; new packets after them take the rest.
    std::string out = data;
    std::size_t taken = 0;
    for (std::size_t index : pes) {
        const Packet& packet = packets[index];
        out.replace(packet.at + packet.payload, kPacket - packet.payload, bytes, taken,
                    kPacket - packet.payload);
        taken += kPacket - packet.payload;
    }
    const Packet& last = packets[pes.back()];
    unsigned counter = static_cast<unsigned char>(data[last.at + 3]) & 0x0F;
    std::string added;
    int extra = 0;
    for (; taken < bytes.size(); taken += 184, ++extra) {
        const std::string payload = bytes.substr(taken, 184);
        std::string packet = data.substr(last.at - head, head);
        packet += {'\x47', static_cast<char>(videoPid >> 8), static_cast<char>(videoPid & 0xFF),
                   static_cast<char>((payload.size() == 184 ? 0x10 : 0x30) | (++counter & 0x0F))};
        if (payload.size() < 184) {
            const std::size_t field = 183 - payload.size();
            packet += static_cast<char>(field);
            if (field > 0)
                packet += '\0' + std::string(field - 1, '\xFF');
        }
        added += packet + payload;
    }
    // The video's packets after the PES continue the count from the added ones.
    for (std::size_t index = pes.back() + 1; index < packets.size(); ++index) {
        if (packets[index].pid != videoPid)
            continue;
        char& byte = out[packets[index].at + 3];
        byte = static_cast<char>((byte & 0xF0) | ((byte + extra) & 0x0F));
    }
    out.insert(last.at + kPacket, added);

    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << out;
    file.close();
    if (!file)
        return Fail(std::string("cannot write ") + argv[2]);
    return 0;
}
