#include "tests/i18n/TsFile.h"

#include <map>
#include <set>
#include <stdexcept>

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace veldrun {
namespace test {

namespace {

// How often each placeholder and the mnemonic marker occur in a text.
std::map<std::string, int> Markers(const std::string& text) {
    static const QRegularExpression marker("%[1-9n]|%i|&");
    std::map<std::string, int> counts;
    auto found = marker.globalMatch(QString::fromStdString(text));
    while (found.hasNext())
        ++counts[found.next().captured().toStdString()];
    return counts;
}

} // namespace

TsFile::TsFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path);
    QXmlStreamReader xml(&file);
    std::string context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS")) {
            m_language = xml.attributes().value("language").toString().toStdString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText().toStdString();
        } else if (name == QLatin1String("message")) {
            message = Message();
            message.context = context;
            message.numerus = xml.attributes().value("numerus") == QLatin1String("yes");
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText().toStdString();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value("type").toString().toStdString();
            if (!message.numerus)
                message.forms.push_back(xml.readElementText().toStdString());
            else {
                while (xml.readNextStartElement())
                    message.forms.push_back(xml.readElementText().toStdString());
            }
            m_messages.push_back(message);
        }
    }
    if (xml.hasError())
        throw std::runtime_error(path + ": " + xml.errorString().toStdString());
}

std::vector<std::string> TsFile::Problems(const TsFile& sources) const {
    std::vector<std::string> problems;
    std::set<std::pair<std::string, std::string>> have;
    for (const Message& m : m_messages) {
        const std::string where = m_language + " " + m.context + " \"" + m.source + "\"";
        have.insert({m.context, m.source});
        if (!m.type.empty())
            problems.push_back(where + ": " + m.type);
        if (m.forms.empty())
            problems.push_back(where + ": no translation");
        for (const std::string& form : m.forms) {
            if (form.empty())
                problems.push_back(where + ": an empty form");
            else if (Markers(form) != Markers(m.source))
                problems.push_back(where + ": placeholders or & differ in \"" + form + "\"");
        }
    }
    for (const Message& m : sources.Messages()) {
        if (!have.count({m.context, m.source}))
            problems.push_back(m_language + " " + m.context + " \"" + m.source + "\": missing");
    }
    return problems;
}

} // namespace test
} // namespace veldrun
