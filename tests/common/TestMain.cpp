#include "common/TestRegistry.h"
#include "platform/StringTables.h"

#include <QApplication>
#include <QTest>

namespace mirevo::test {

std::vector<TestFactory>& registeredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

} // namespace mirevo::test

// Runs every registered test class; the exit status counts the classes that failed.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // The program's English texts, as users see them (the runner's locale is C).
    mirevo::installTranslations(QLocale(QLocale::English));
    int failedClasses = 0;
    for (const auto& factory : mirevo::test::registeredTests()) {
        auto test = factory();
        if (QTest::qExec(test.get(), argc, argv) != 0)
            ++failedClasses;
    }
    return failedClasses;
}
