#pragma once

#include <QFile>
#include <QObject>
#include <QTest>

#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace mirevo::test {

// Test classes of one test executable register themselves here; the shared main runs them all.
using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& registeredTests();

// One row of a data table: the row's name, then its values in column order.
template <typename... Values> void row(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}

// Writes `bytes` to `path`, replacing what was there.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The whole content of `path`; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes a symbolic link at `path` whose text is `text`, relative or absolute as given.
inline void makeLink(const QString& text, const QString& path)
{
    QCOMPARE(::symlink(QFile::encodeName(text).constData(), QFile::encodeName(path).constData()),
             0);
}

struct TestRegistration {
    explicit TestRegistration(TestFactory factory)
    {
        registeredTests().push_back(std::move(factory));
    }
};

} // namespace mirevo::test

#define MIREVO_TEST_CLASS(Class)                                                                   \
    static const ::mirevo::test::TestRegistration Class##Registration{                             \
        [] { return std::unique_ptr<QObject>(new Class); }};
