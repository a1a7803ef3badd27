#include "tests/support/CardTree.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

#include "tests/support/TempDir.h"

namespace veldrun {
namespace test {

namespace {

namespace fs = std::filesystem;

void Write(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

CardTree::CardTree(const std::string& folder) : m_root(folder + "/card") {
    const std::string stream = m_root + "/PRIVATE/AVCHD/BDMV/STREAM/";
    unsigned seed = 0;
    const auto clip = [&](const std::string& path) {
        Write(path, TempDir::Pattern(1000 + 100 * seed, seed));
        ++seed;
    };
    // In the order a search must find them: the top folder's own clips in natural order, then
    // AVCHD, then PRIVATE (DCIM is empty, "elsewhere" leaves the card).
    for (const char* name : {"b.m2t", "holiday.M2TS"})
        clip(m_root + "/" + name);
    fs::create_directories(stream);
    fs::create_symlink("PRIVATE/AVCHD/BDMV/STREAM/00002.MTS", m_root + "/latest.MTS");
    for (const char* name : {"scene 2.MTS", "scene 10.MTS"})
        clip(m_root + "/" + name);
    clip(m_root + "/AVCHD/BDMV/STREAM/00003.mts");
    for (const char* name : {"00000.MTS", "00001.MTS", "00002.MTS", "00010.MTS"})
        clip(stream + name);
    m_clips = {m_root + "/b.m2t",        m_root + "/holiday.M2TS",
               m_root + "/latest.MTS",   m_root + "/scene 2.MTS",
               m_root + "/scene 10.MTS", m_root + "/AVCHD/BDMV/STREAM/00003.mts",
               stream + "00000.MTS",     stream + "00001.MTS",
               stream + "00002.MTS",     stream + "00010.MTS"};

    // What is not a clip, or not to be searched.
    for (const char* name :
         {"PRIVATE/AVCHD/BDMV/INDEX.BDM", "PRIVATE/AVCHD/BDMV/MOVIEOBJ.BDM",
          "PRIVATE/AVCHD/BDMV/CLIPINF/00000.CPI", "PRIVATE/AVCHD/BDMV/PLAYLIST/00000.MPL",
          "notes.txt", "._b.m2t", ".Trashes/501/00009.MTS", "clips.mts.txt"})
        Write(m_root + "/" + name, "not a clip");
    fs::create_directories(m_root + "/DCIM");
    if (::mkfifo((m_root + "/pipe.mts").c_str(), 0644) != 0)
        throw std::runtime_error("cannot make a pipe in " + m_root);
    fs::create_symlink("..", stream + "loop");
    Write(folder + "/outside/far.MTS", "outside the card");
    fs::create_symlink("../outside", m_root + "/elsewhere");
}

std::string CardTree::Joined() const {
    std::string bytes;
    for (const std::string& path : m_clips)
        bytes += TempDir::Read(path);
    return bytes;
}

} // namespace test
} // namespace veldrun
