// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// Entry point of the C++ tests. A test started directly (by ctest or by
// hand) re-executes itself under isolate.py, so that it never touches the
// user's buses, settings or display.

#include <QTest>

#include <ctime>
#include <unistd.h>
#include <vector>

#ifndef ZEL_ISOLATE_SCRIPT
#error "ZEL_ISOLATE_SCRIPT must name tests/harness/isolate.py"
#endif
#ifndef ZEL_BUILD_DATA_DIR
#error "ZEL_BUILD_DATA_DIR must name the build tree's share folder"
#endif

namespace ZelTest
{
// Returns only when already isolated.
inline void isolate(int argc, char **argv, bool needsDisplay)
{
    if (qEnvironmentVariableIsSet("ZEL_TEST_ISOLATED")) {
        return;
    }
    std::vector<char *> args;
    args.push_back(const_cast<char *>("/usr/bin/python3"));
    args.push_back(const_cast<char *>(ZEL_ISOLATE_SCRIPT));
    args.push_back(const_cast<char *>("--data-dir"));
    args.push_back(const_cast<char *>(ZEL_BUILD_DATA_DIR));
    if (!needsDisplay) {
        args.push_back(const_cast<char *>("--no-x"));
    }
    args.push_back(const_cast<char *>("--"));
    for (int i = 0; i < argc; ++i) {
        args.push_back(argv[i]);
    }
    args.push_back(nullptr);
    execv(args[0], args.data());
    qFatal("cannot run %s", ZEL_ISOLATE_SCRIPT);
}

// Makes ZEL_TEST_TZ (Europe/Berlin when unset) the local time zone. A test
// registered twice with different zones checks its dates in both.
inline void useTestTimeZone()
{
    const QByteArray zone = qgetenv("ZEL_TEST_TZ");
    qputenv("TZ", zone.isEmpty() ? QByteArray("Europe/Berlin") : zone);
    tzset();
}
} // namespace ZelTest

// Like QTEST_MAIN / QTEST_GUILESS_MAIN, with isolation first. AppClass is the
// application class to create (QCoreApplication, QGuiApplication, QApplication).
#define ZEL_TEST_MAIN_WITH(TestObject, AppClass, needsDisplay)                                                                                                 \
    int main(int argc, char *argv[])                                                                                                                           \
    {                                                                                                                                                          \
        ZelTest::isolate(argc, argv, needsDisplay);                                                                                                            \
        AppClass app(argc, argv);                                                                                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                                                               \
        TestObject tc;                                                                                                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                                                             \
        return QTest::qExec(&tc, argc, argv);                                                                                                                  \
    }

#define ZEL_TEST_MAIN(TestObject) ZEL_TEST_MAIN_WITH(TestObject, QCoreApplication, false)
