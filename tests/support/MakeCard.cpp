// make_test_card FOLDER
//
// Writes a camcorder's card into FOLDER, as the end-to-end checks need one: three recordings
// with 192-byte packets in PRIVATE/AVCHD/BDMV/STREAM, each piece with its own clock continuing
// the piece before it. The first recording (00000-00002) and the second (00003-00004) carry the
// camera's date, 2024-07-14 10:03:41 and 2024-07-14 11:20:00; the third (00005) has none, so it
// is named after its file's date. Every piece is a little over 1 MiB, so that progress shows.

#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/stat.h>

#include "tests/support/TestStream.h"

namespace {

using veldrun::test::TestStream;

const std::int64_t kSecond = TestStream::kSecond;

// One piece: the camera's date when `dated`, then clocks from `first` to `last` seconds with
// payload enough to pass 1 MiB.
std::string Piece(double first, double last, unsigned yearMonth = 0, unsigned dayTime = 0) {
    TestStream stream(192);
    if (yearMonth != 0)
        stream.Dated(yearMonth, dayTime);
    stream.Recording(static_cast<std::int64_t>(first * kSecond),
                     static_cast<std::int64_t>(last * kSecond), 60, 95);
    return stream.Bytes();
}

bool Write(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    file.close();
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "Usage: make_test_card FOLDER\n";
        return 2;
    }
    std::string folder = argv[1];
    ::mkdir(folder.c_str(), 0755);
    for (const char* part : {"/PRIVATE", "/AVCHD", "/BDMV", "/STREAM"}) {
        folder += part;
        ::mkdir(folder.c_str(), 0755);
    }
    const std::string pieces[] = {
        Piece(1, 60, 0x202407, 0x14100341),      Piece(60.5, 120),    Piece(120.4, 180),
        Piece(5000, 5060, 0x202407, 0x14112000), Piece(5060.4, 5100), Piece(9000, 9030),
    };
    for (int i = 0; i < 6; ++i) {
        const std::string path = folder + "/0000" + std::to_string(i) + ".MTS";
        if (!Write(path, pieces[i])) {
            std::cerr << "make_test_card: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
