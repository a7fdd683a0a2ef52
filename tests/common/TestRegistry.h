#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace mirevo::test {

// Test classes of one test executable register themselves here; the shared main runs them all.
using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& registeredTests();

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
