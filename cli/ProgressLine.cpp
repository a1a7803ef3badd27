#include "cli/ProgressLine.h"

#include <cstdio>
#include <utility>

#include "engine/Amount.h"
#include "engine/PathName.h"
#include "engine/QuotedName.h"

namespace veldrun {

namespace {

// The terminal columns a character takes: two for the wide scripts of East Asia (a clip named
// in Japanese), none for combining marks, one for the rest. The program sets no locale, so
// wcwidth() cannot tell.
std::size_t ColumnsOf(char32_t code) {
    if ((code >= 0x300 && code <= 0x36F) || (code >= 0x200B && code <= 0x200F) ||
        (code >= 0xFE00 && code <= 0xFE0F))
        return 0;
    static const std::pair<char32_t, char32_t> wide[] = {
        {0x1100, 0x115F},   {0x2E80, 0x303E},  {0x3041, 0x33FF}, {0x3400, 0x4DBF},
        {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},  {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
        {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},  {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F},
        {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD}};
    for (const auto& range : wide)
        if (code >= range.first && code <= range.second)
            return 2;
    return 1;
}

// One character of a name: where it starts and the columns it takes.
struct Character {
    std::size_t at;
    std::size_t columns;
};

// Takes UTF-8 text, which QuotedName guarantees; returns its characters.
std::vector<Character> CharactersOf(const std::string& text) {
    std::vector<Character> characters;
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t next = 1; next < length && at + next < text.size(); ++next)
            code = (code << 6) | (static_cast<unsigned char>(text[at + next]) & 0x3F);
        characters.push_back({at, ColumnsOf(code)});
        at += length;
    }
    return characters;
}

// Takes a name and the columns there are for it; returns it whole when it fits, else "..."
// and as much of its end as fits, else "" when not even one character would.
std::string Fitted(const std::string& name, std::size_t columns) {
    const std::vector<Character> characters = CharactersOf(name);
    std::size_t total = 0;
    for (const Character& character : characters)
        total += character.columns;
    if (total <= columns)
        return name;
    const std::string cut = "...";
    if (columns <= cut.size())
        return "";
    std::size_t kept = 0, from = name.size();
    for (auto character = characters.rbegin(); character != characters.rend(); ++character) {
        if (kept + character->columns > columns - cut.size())
            break;
        kept += character->columns;
        from = character->at;
    }
    return from == name.size() ? "" : cut + name.substr(from);
}

std::string Joined(const std::string& head, const std::vector<std::string>& fields) {
    std::string line = head;
    for (const std::string& field : fields)
        line += " | " + field;
    return line;
}

} // namespace

ProgressLine::ProgressLine(const std::vector<std::string>& inputs, Clock::time_point start)
    : m_passStart(start) {
    for (const std::string& input : inputs)
        m_names.push_back(QuotedName(PathName::Last(input)));
}

void ProgressLine::Update(Pass pass, std::int32_t fileIndex, std::int64_t totalSize,
                          std::int64_t totalDone, Clock::time_point now) {
    if (pass != m_pass) {
        m_pass = pass;
        m_passStart = now;
        m_passStartDone = totalDone;
    }
    m_fileIndex = fileIndex;
    m_totalSize = totalSize;
    m_totalDone = totalDone;
}

bool ProgressLine::Due(Clock::time_point now) {
    if (m_drawn && now - m_lastDrawn < kInterval)
        return false;
    m_drawn = true;
    m_lastDrawn = now;
    return true;
}

std::string ProgressLine::Text(Clock::time_point now, std::size_t columns) const {
    // An empty merge is complete from the start; integer division keeps 100% for the end.
    const std::int64_t percent = m_totalSize > 0 ? m_totalDone * 100 / m_totalSize : 100;
    const double seconds = std::chrono::duration<double>(now - m_passStart).count();
    const double bytesPerSecond =
        seconds > 0 ? static_cast<double>(m_totalDone - m_passStartDone) / seconds : 0;

    char head[80];
    std::snprintf(head, sizeof head, "%s%3d%% | file %d of %zu",
                  m_pass == Pass::Verifying ? "verifying " : "", static_cast<int>(percent),
                  static_cast<int>(m_fileIndex) + 1, m_names.size());
    char rate[40];
    std::snprintf(rate, sizeof rate, "%.1f MB/s", bytesPerSecond / 1e6);
    std::vector<std::string> figures = {Amount::Size(m_totalDone, Amount::Style::Rounded) + " of " +
                                            Amount::Size(m_totalSize, Amount::Style::Rounded),
                                        rate};
    // As in the dialog: no guess from the first moments, and none once all is done.
    if (seconds >= 1 && bytesPerSecond > 0 && m_totalDone < m_totalSize)
        figures.push_back(
            Amount::TimeLeft(static_cast<double>(m_totalSize - m_totalDone) / bytesPerSecond));

    // The figures are ASCII: their length is their width.
    const std::string figuresText = Joined("", figures);
    const std::string separator = " | ";
    const std::size_t fixed = std::string(head).size() + figuresText.size() + separator.size();
    const std::size_t file = static_cast<std::size_t>(m_fileIndex);
    if (file < m_names.size() && !m_names[file].empty() && fixed < columns) {
        const std::string name = Fitted(m_names[file], columns - fixed);
        if (!name.empty())
            return head + separator + name + figuresText;
    }
    // Without the name: the rate goes first, since the time left says more; then the time
    // left, then the amounts.
    if (Joined(head, figures).size() > columns)
        figures.erase(figures.begin() + 1);
    while (!figures.empty() && Joined(head, figures).size() > columns)
        figures.pop_back();
    std::string line = Joined(head, figures);
    if (line.size() > columns)
        line.resize(columns);
    return line;
}

} // namespace veldrun
