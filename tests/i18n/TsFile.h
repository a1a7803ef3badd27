#pragma once

#include <string>
#include <vector>

namespace veldrun {
namespace test {

// One Qt Linguist translation file, as far as the checks of the shipped translations need it.
class TsFile {
public:
    struct Message {
        std::string context;
        std::string source;
        bool numerus = false;
        // "" for a finished entry, else the translation's type: unfinished, vanished, obsolete.
        std::string type;
        // The translation, or its plural forms.
        std::vector<std::string> forms;
    };

    // Reads the file at `path`; throws std::runtime_error when it cannot be read or parsed.
    explicit TsFile(const std::string& path);

    const std::string& Language() const { return m_language; }
    const std::vector<Message>& Messages() const { return m_messages; }

    // What keeps this file from translating every text of `sources` (a fresh extraction from
    // the code) completely: a text it lacks, an entry that is not finished, an empty form,
    // a form whose %1..%9, %n, %i or & differ in number from its source's; one line each.
    std::vector<std::string> Problems(const TsFile& sources) const;

private:
    std::string m_language;
    std::vector<Message> m_messages;
};

} // namespace test
} // namespace veldrun
