// Reading an output back and comparing it with its inputs: matches at the block boundaries,
// the first difference named in both files, files that end early, cancelling, the progress
// figures; and, on a loop device where the machine allows, a change that only the disk holds
// and reads that fail in the block layer.
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <optional>
#include <string>
#include <sys/ioctl.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#include "engine/File.h"
#include "engine/Verifier.h"
#include "tests/support/Mount.h"
#include "tests/support/TempDir.h"

using veldrun::File;
using veldrun::MergeError;
using veldrun::ProgressCallback;
using veldrun::Verifier;
using veldrun::test::Mount;
using veldrun::test::TempDir;

namespace {

const std::int64_t kBlock = 4 << 20;

// How a comparison ended: its result, or the kind and detail of what it threw.
struct Outcome {
    std::optional<Verifier::Result> result;
    std::optional<MergeError::Kind> kind;
    std::string detail;
    std::int64_t verified = 0;
};

// Compares the output at `path`, opened for writing and flushed as the merge leaves it, with
// `inputs` from `start`, counting verified bytes on from `verifiedBefore`.
Outcome Verify(const std::string& path, std::int64_t start,
               const std::vector<Verifier::Input>& inputs,
               const ProgressCallback& progress = ProgressCallback(),
               std::int64_t verifiedBefore = 0) {
    File output;
    EXPECT_EQ(File::Opened::Existing, output.OpenForWriting(path)) << output.Problem();
    EXPECT_TRUE(output.Flush()) << output.Problem();
    Outcome outcome;
    outcome.verified = verifiedBefore;
    try {
        outcome.result = Verifier::Compare(output, start, path, inputs, 0, 1000000000,
                                           outcome.verified, progress);
    } catch (const MergeError& error) {
        outcome.kind = error.GetKind();
        outcome.detail = error.Detail();
    }
    return outcome;
}

// Inputs of the given sizes in `dir`, each of its own bytes, and their concatenation.
std::vector<Verifier::Input> MakeInputs(const TempDir& dir, const std::vector<std::int64_t>& sizes,
                                        std::string& joined) {
    std::vector<Verifier::Input> inputs;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::string bytes =
            TempDir::Pattern(static_cast<std::size_t>(sizes[i]), static_cast<unsigned>(i + 1));
        inputs.push_back({dir.Write("in" + std::to_string(i) + ".MTS", bytes), sizes[i]});
        joined += bytes;
    }
    return inputs;
}

void Overwrite(const std::string& path, std::int64_t offset, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(static_cast<ssize_t>(bytes.size()),
              ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)));
    ASSERT_EQ(0, ::fsync(fd));
    ::close(fd);
}

char Flipped(char byte) {
    return static_cast<char>(byte ^ 0x5a);
}

} // namespace

TEST(VerifyMatch, InputsOfBoundarySizesMatchTheirJoinedCopy) {
    TempDir dir;
    std::string joined;
    const auto inputs =
        MakeInputs(dir, {0, 1, kBlock - 1, kBlock, kBlock + 1, 2 * kBlock, 0, 3}, joined);
    // What the output held before the merge's bytes is not compared.
    const std::string out = dir.Write("out.MTS", "kept before" + joined);

    const Outcome outcome = Verify(out, 11, inputs, ProgressCallback(), 500);
    EXPECT_EQ(Verifier::Result::Match, outcome.result) << outcome.detail;
    EXPECT_EQ(500 + static_cast<std::int64_t>(joined.size()), outcome.verified);
}

TEST(VerifyMatch, NoInputsAndARenamedOutputMatch) {
    TempDir dir;
    std::string joined;
    const auto inputs = MakeInputs(dir, {kBlock + 7}, joined);
    const std::string out = dir.Write("out.MTS", joined);
    File output;
    ASSERT_EQ(File::Opened::Existing, output.OpenForWriting(out));
    // The open file is read again, not whatever its name points at now.
    std::filesystem::rename(out, dir / "moved.MTS");
    dir.Write("out.MTS", std::string(joined.size(), 'x'));
    std::int64_t verified = 0;
    EXPECT_EQ(Verifier::Result::Match,
              Verifier::Compare(output, 0, out, inputs, 0, 0, verified, ProgressCallback()));
    EXPECT_EQ(Verifier::Result::Match,
              Verifier::Compare(output, 0, out, {}, 0, 0, verified, ProgressCallback()));
}

TEST(VerifyDifference, TheFirstDifferingByteIsNamedInTheOutputAndItsInput) {
    TempDir dir;
    std::string joined;
    const auto inputs = MakeInputs(dir, {kBlock + 1, 0, 2 * kBlock, 9}, joined);
    const std::int64_t start = 4;
    const std::string header = "head";
    const std::string in0 = inputs[0].path, in2 = inputs[2].path, in3 = inputs[3].path;
    // Offsets in the joined inputs, with the input and its offset that they come from.
    const std::vector<std::tuple<std::int64_t, std::string, std::int64_t>> places = {
        {0, in0, 0},
        {kBlock - 1, in0, kBlock - 1},
        {kBlock, in0, kBlock},
        {kBlock + 1, in2, 0},
        {2 * kBlock + 1, in2, kBlock},
        {3 * kBlock + 1, in3, 0},
        {3 * kBlock + 9, in3, 8},
    };
    for (const auto& [offset, input, inInput] : places) {
        std::string bytes = header + joined;
        bytes[start + offset] = Flipped(bytes[start + offset]);
        // A later difference is not the one reported.
        if (static_cast<std::size_t>(start + offset) + 1 < bytes.size())
            bytes.back() = Flipped(bytes.back());
        const std::string out = dir.Write("out.MTS", bytes);

        const Outcome outcome = Verify(out, start, inputs);
        EXPECT_EQ(MergeError::Kind::OutputMismatch, outcome.kind) << offset;
        EXPECT_EQ(out + ": byte " + std::to_string(start + offset) + " differs from byte " +
                      std::to_string(inInput) + " of " + input,
                  outcome.detail);
    }
    EXPECT_STREQ("Output file does not match its inputs",
                 MergeError(MergeError::Kind::OutputMismatch).what());
}

TEST(VerifyDifference, AnInputChangedSinceTheMergeIsADifference) {
    TempDir dir;
    std::string joined;
    const auto inputs = MakeInputs(dir, {100, 200}, joined);
    const std::string out = dir.Write("out.MTS", joined);
    Overwrite(inputs[1].path, 150, "z");

    const Outcome outcome = Verify(out, 0, inputs);
    EXPECT_EQ(MergeError::Kind::OutputMismatch, outcome.kind);
    EXPECT_EQ(out + ": byte 250 differs from byte 150 of " + inputs[1].path, outcome.detail);
}

TEST(VerifyShort, FilesThatEndEarlyOrAreGoneAreNamed) {
    TempDir dir;
    std::string joined;
    const auto inputs = MakeInputs(dir, {kBlock, 10}, joined);

    const std::string shortOut = dir.Write("short.MTS", "ab" + joined.substr(0, kBlock + 4));
    Outcome outcome = Verify(shortOut, 2, inputs);
    EXPECT_EQ(MergeError::Kind::OutputMismatch, outcome.kind);
    EXPECT_EQ(shortOut + ": it ends after " + std::to_string(kBlock + 6) + " bytes, short of the " +
                  std::to_string(kBlock + 12) + " that its inputs fill",
              outcome.detail);
    EXPECT_EQ(kBlock, outcome.verified);

    const std::string out = dir.Write("out.MTS", joined);
    std::filesystem::resize_file(inputs[1].path, 3);
    outcome = Verify(out, 0, inputs);
    EXPECT_EQ(MergeError::Kind::InputChanged, outcome.kind);
    EXPECT_EQ(inputs[1].path + ": it ended after 3 of the 10 bytes merged from it", outcome.detail);

    std::filesystem::remove(inputs[1].path);
    outcome = Verify(out, 0, inputs);
    EXPECT_EQ(MergeError::Kind::CantOpenInput, outcome.kind);
    EXPECT_EQ(inputs[1].path + ": No such file or directory", outcome.detail);
}

TEST(VerifyProgress, FiguresFollowTheBlocksAndCancelStopsAtOnce) {
    TempDir dir;
    std::string joined;
    const auto inputs = MakeInputs(dir, {kBlock + 1, 0, 5}, joined);
    std::string bytes = joined;
    // A difference in the second block: reached only if the comparison goes on past a cancel.
    bytes[kBlock] = Flipped(bytes[kBlock]);
    const std::string out = dir.Write("out.MTS", bytes);
    File output;
    ASSERT_EQ(File::Opened::Existing, output.OpenForWriting(out));

    typedef std::tuple<std::int32_t, std::int64_t, std::int64_t, std::int64_t, std::int64_t> Call;
    std::vector<Call> calls;
    const auto record = [&](bool goOn) {
        return ProgressCallback([&calls, goOn](std::int32_t index, std::int64_t size,
                                               std::int64_t position, std::int64_t total,
                                               std::int64_t verified) {
            calls.emplace_back(index, size, position, total, verified);
            return goOn || calls.size() < 2;
        });
    };
    std::int64_t verified = 70;
    EXPECT_EQ(Verifier::Result::Cancelled,
              Verifier::Compare(output, 0, out, inputs, 3, 9000, verified, record(false)));
    EXPECT_EQ(70 + kBlock, verified);
    EXPECT_EQ((std::vector<Call>{{3, kBlock + 1, 0, 9000, 70},
                                 {3, kBlock + 1, kBlock, 9000, 70 + kBlock}}),
              calls);

    Overwrite(out, kBlock, std::string(1, joined[kBlock]));
    calls.clear();
    verified = 70;
    EXPECT_EQ(Verifier::Result::Match,
              Verifier::Compare(output, 0, out, inputs, 3, 9000, verified, record(true)));
    const std::int64_t end = 70 + kBlock + 6;
    EXPECT_EQ((std::vector<Call>{{3, kBlock + 1, 0, 9000, 70},
                                 {3, kBlock + 1, kBlock, 9000, 70 + kBlock},
                                 {3, kBlock + 1, kBlock + 1, 9000, 70 + kBlock + 1},
                                 {4, 0, 0, 9000, 70 + kBlock + 1},
                                 {5, 5, 0, 9000, 70 + kBlock + 1},
                                 {5, 5, 5, 9000, end}}),
              calls);
    EXPECT_EQ(end, verified);
}

namespace {

// An ext4 image mounted through a loop device, for faults that happen below the page cache.
class VerifyDisk : public ::testing::Test {
protected:
    void SetUp() override {
        m_disk.emplace(Mount::Image(m_dir / "disk.img", 32,
                                    "mkfs.ext4 -q -F -O ^has_journal -E nodiscard",
                                    m_dir / "disk"));
        if (!m_disk->Ready())
            GTEST_SKIP() << m_disk->Why();
    }

    std::string Image() const { return m_dir / "disk.img"; }
    std::string OnDisk(const std::string& name) const { return m_dir / ("disk/" + name); }

    // Where byte `offset` of the file at `path` lies in the image, -1 when it cannot be told.
    static std::int64_t PlaceInImage(const std::string& path, std::int64_t offset) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        std::vector<std::uint64_t> buffer(
            (sizeof(struct fiemap) + 32 * sizeof(struct fiemap_extent)) / 8 + 1);
        struct fiemap* const map = reinterpret_cast<struct fiemap*>(buffer.data());
        map->fm_start = 0;
        map->fm_length = FIEMAP_MAX_OFFSET;
        map->fm_flags = FIEMAP_FLAG_SYNC;
        map->fm_extent_count = 32;
        const bool mapped = fd >= 0 && ::ioctl(fd, FS_IOC_FIEMAP, map) == 0;
        if (fd >= 0)
            ::close(fd);
        for (unsigned i = 0; mapped && i < map->fm_mapped_extents; ++i) {
            const struct fiemap_extent& extent = map->fm_extents[i];
            const std::int64_t from = static_cast<std::int64_t>(extent.fe_logical);
            if (offset >= from && offset < from + static_cast<std::int64_t>(extent.fe_length))
                return static_cast<std::int64_t>(extent.fe_physical) + offset - from;
        }
        return -1;
    }

    // Makes the loop device end at `size` bytes, so that reads beyond fail in the block layer.
    void CutDiskAt(std::int64_t size) {
        std::filesystem::resize_file(Image(), static_cast<std::uintmax_t>(size));
        ASSERT_EQ(0, std::system(("losetup -c \"$(losetup -j '" + Image() +
                                  "' | cut -d: -f1)\" >/dev/null 2>&1")
                                     .c_str()));
    }

    TempDir m_dir;
    std::optional<Mount> m_disk;
};

} // namespace

TEST_F(VerifyDisk, AChangeOnlyTheDiskHoldsIsFound) {
    std::string joined;
    const auto inputs = MakeInputs(m_dir, {kBlock / 2, kBlock}, joined);
    const std::string out = m_dir.Write("disk/out.MTS", joined);
    File output;
    ASSERT_EQ(File::Opened::Existing, output.OpenForWriting(out));
    ASSERT_TRUE(output.Flush());

    const std::int64_t changed = kBlock / 2 + 12345;
    const std::int64_t place = PlaceInImage(out, changed);
    ASSERT_GT(place, 0);
    Overwrite(Image(), place, std::string(1, Flipped(joined[changed])));
    // The page cache still holds the bytes written: only a read from the disk sees the change.
    ASSERT_EQ(joined, TempDir::Read(out));

    std::int64_t verified = 0;
    try {
        Verifier::Compare(output, 0, out, inputs, 0, 0, verified, ProgressCallback());
        ADD_FAILURE() << "the change on the disk was not found";
    } catch (const MergeError& error) {
        EXPECT_EQ(MergeError::Kind::OutputMismatch, error.GetKind());
        EXPECT_EQ(out + ": byte " + std::to_string(changed) + " differs from byte 12345 of " +
                      inputs[1].path,
                  error.Detail());
    }
}

TEST_F(VerifyDisk, AnInputThatReadsDifferentlyFromTheDiskIsFound) {
    // The card's copy changed under the merge's cached copy: the inputs are read again too.
    const std::string joined = TempDir::Pattern(kBlock, 5);
    const std::string input = m_dir.Write("disk/in.MTS", joined);
    ASSERT_EQ(0, ::system("sync"));
    const std::int64_t place = PlaceInImage(input, 99);
    ASSERT_GT(place, 0);
    Overwrite(Image(), place, std::string(1, Flipped(joined[99])));
    ASSERT_EQ(joined, TempDir::Read(input));

    const std::string out = m_dir.Write("out.MTS", joined);
    const Outcome outcome = Verify(out, 0, {{input, kBlock}});
    EXPECT_EQ(MergeError::Kind::OutputMismatch, outcome.kind);
    EXPECT_EQ(out + ": byte 99 differs from byte 99 of " + input, outcome.detail);
}

TEST_F(VerifyDisk, ReadErrorsOfTheDiskAreNamed) {
    const std::string bytes = TempDir::Pattern(kBlock, 3);
    const std::string onDisk = m_dir.Write("disk/clip.MTS", bytes);
    const std::string elsewhere = m_dir.Write("elsewhere.MTS", bytes);
    ASSERT_EQ(0, ::system("sync"));
    const std::int64_t place = PlaceInImage(onDisk, kBlock / 2);
    ASSERT_GT(place, 0);
    // The device now ends inside the file: its second half can no longer be read.
    CutDiskAt(place & ~std::int64_t(4095));

    Outcome outcome = Verify(elsewhere, 0, {{onDisk, kBlock}});
    EXPECT_EQ(MergeError::Kind::CantReadInput, outcome.kind);
    EXPECT_EQ(onDisk + ": Input/output error while verifying", outcome.detail);

    outcome = Verify(onDisk, 0, {{elsewhere, kBlock}});
    EXPECT_EQ(MergeError::Kind::CantReadOutput, outcome.kind);
    EXPECT_EQ(onDisk + ": Input/output error while verifying", outcome.detail);
}
