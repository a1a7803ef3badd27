#include "engine/QuotedName.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "engine/TextConversion.h"

using veldrun::QuotedName;

namespace {

// What bash makes of `quoted` as a word of its script: the name a user gets by pasting it.
std::string ReadByShell(const std::string& quoted) {
    int pipe[2];
    if (::pipe(pipe) != 0)
        return "(no pipe)";
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, pipe[0]);
    const std::string script = "printf %s " + quoted;
    const char* argv[] = {"/bin/bash", "-c", script.c_str(), nullptr};
    pid_t pid = -1;
    const int spawned =
        ::posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    std::string got;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        got.append(buffer, static_cast<std::size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || status != 0)
        return "(bash failed)";
    return got;
}

} // namespace

TEST(QuotedName, PrintableNamesStayAsTheyAre) {
    for (const std::string name :
         {"", "/media/card/00001.MTS", "with space.MTS", "it's.MTS", "$HOME*?.MTS", "back\\slash",
          "\xC3\xA4\xE6\x97\xA5 \xF0\x9F\x8E\xA5", "\xC2\xA0no-break", "\"quoted\""})
        EXPECT_EQ(QuotedName(name), name);
}

TEST(QuotedName, ControlCharactersAndBrokenUtf8AreQuotedAsCoreutilsDoes) {
    // Expected texts as GNU ls --quoting-style=shell-escape prints these names.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a\nb.MTS", "'a'$'\\n''b.MTS'"},
        {"\nb", "''$'\\n''b'"},
        {"a\n", "'a'$'\\n'"},
        {"a\n\n\nb", "'a'$'\\n\\n\\n''b'"},
        {"x\x1B[31my", "'x'$'\\033''[31my'"},
        {"\r\a\b\f\v\tz", "''$'\\r\\a\\b\\f\\v\\t''z'"},
        {"a\x01", "'a'$'\\001'"},
        {"\x7F", "''$'\\177'"},
        {"a'b\nc", "'a'\\''b'$'\\n''c'"},
        {"'a\n", "''\\''a'$'\\n'"},
        {"\n'x", "''$'\\n'\\''x'"},
        {"ab''\ncd", "'ab'\\'''\\'''$'\\n''cd'"},
        {"c\xFF"
         "d",
         "'c'$'\\377''d'"},
        {"e\xC2\x85"
         "f",
         "'e'$'\\302\\205''f'"},
        {"x\xE2\x82", "'x'$'\\342\\202'"},
        {"x\xE2\x82y", "'x'$'\\342\\202''y'"},
        {"over\xC0\xAFlong", "'over'$'\\300\\257''long'"},
        {"surrogate\xED\xA0\x80", "'surrogate'$'\\355\\240\\200'"},
        {"\xC3\xA4\n\xC3\xA4", "'\xC3\xA4'$'\\n''\xC3\xA4'"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(QuotedName(name), expected);
        EXPECT_EQ(ReadByShell(QuotedName(name)), name) << expected;
    }
}

TEST(QuotedName, AnyNameReadsBackAsItselfAndPrintsNoControlByte) {
    // Random names built from the bytes that need care, and printable ones between them.
    static const char kAlphabet[] = "ab' \"\\$`!*\n\t\x1B\x7F\x01\xC2\x85\xC3\xA4\xE2\x82\xFF";
    const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
    std::mt19937 random(15);
    for (int round = 0; round < 200; ++round) {
        std::string name;
        const int length = 1 + static_cast<int>(random() % 12);
        for (int k = 0; k < length; ++k)
            name += alphabet[random() % alphabet.size()];
        const std::string quoted = QuotedName(name);
        // Printed text: valid UTF-8 without a character a terminal would act on.
        const std::optional<std::wstring> shown = veldrun::ToWide(quoted);
        ASSERT_TRUE(shown) << quoted;
        for (wchar_t c : *shown)
            ASSERT_TRUE(c >= 0x20 && (c < 0x7F || c > 0x9F)) << quoted;
        if (quoted != name) {
            ASSERT_EQ(ReadByShell(quoted), name) << quoted;
        }
    }
}
