#pragma once

#include <map>
#include <string>

#include <QString>
#include <QTranslator>

namespace veldrun {
namespace test {

// A translation of the local formats' unit words and phrases (context "LocalFormat"), installed
// for as long as it lives, so that a test can show that they come from the translation without
// a translation file.
class FakeTranslation : public QTranslator {
public:
    // Takes English source texts and their translations.
    explicit FakeTranslation(std::map<std::string, QString> texts);
    ~FakeTranslation() override;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override;

private:
    std::map<std::string, QString> m_texts;
};

} // namespace test
} // namespace veldrun
