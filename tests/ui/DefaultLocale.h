#pragma once

#include <QLocale>

namespace veldrun {
namespace test {

// Makes `locale` the application's default, which the dialog's formats follow, for as long as
// it lives.
class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_was); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    const QLocale m_was = QLocale();
};

} // namespace test
} // namespace veldrun
