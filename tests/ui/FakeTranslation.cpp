#include "tests/ui/FakeTranslation.h"

#include <cstring>

#include <QCoreApplication>

namespace veldrun {
namespace test {

FakeTranslation::FakeTranslation(std::map<std::string, QString> texts) : m_texts(std::move(texts)) {
    QCoreApplication::installTranslator(this);
}

FakeTranslation::~FakeTranslation() {
    QCoreApplication::removeTranslator(this);
}

QString FakeTranslation::translate(const char* context, const char* source, const char*,
                                   int) const {
    if (std::strcmp(context, "LocalFormat") != 0)
        return QString();
    const auto found = m_texts.find(source);
    return found == m_texts.end() ? QString() : found->second;
}

} // namespace test
} // namespace veldrun
