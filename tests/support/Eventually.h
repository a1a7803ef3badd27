#pragma once

#include <gtest/gtest.h>

#include <QTest>

// Waits up to five seconds, running the event loop, for a condition to hold, then checks it.
// Qt's own QTRY_* macros report to QTest's log, which GoogleTest never reads: inside a
// GoogleTest test their failures would pass unseen.
#define EXPECT_EVENTUALLY(condition)                                                               \
    EXPECT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); })) << #condition
#define ASSERT_EVENTUALLY(condition)                                                               \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); })) << #condition
#define EXPECT_EVENTUALLY_EQ(actual, expected)                                                     \
    do {                                                                                           \
        static_cast<void>(QTest::qWaitFor([&] { return (actual) == (expected); }));                \
        EXPECT_EQ(actual, expected);                                                               \
    } while (false)
