// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "application.h"

#include "backend.h"
#include "translations.h"
#include "view.h"

#include <QFile>
#include <QIcon>
#include <QQuickWindow>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unistd.h>

namespace
{
// Milliseconds since the kernel started this process (to within a clock
// tick), -1 when that cannot be read.
qint64 msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // The fields after the command name, which may itself hold spaces; the
    // start time is the 22nd field of the line, the 20th after the name.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    timespec now{};
    if (fields.size() < 20 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return -1;
    }
    const qint64 startMs = fields.at(19).toLongLong() * 1000 / sysconf(_SC_CLK_TCK);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000 - startMs;
}
} // namespace

Application::Application(int &argc, char **argv) : QApplication(argc, argv), m_backend(new Backend), m_view(new View(m_backend))
{
    Translations::install({QStringLiteral("zel-scheduler"), QStringLiteral("zel-scheduler-common")});
    setWindowIcon(QIcon::fromTheme(QStringLiteral("system-schedule")));
}

Application::~Application()
{
    delete m_view;
    delete m_backend;
}

int Application::run()
{
    m_view->load();
    m_backend->connectToService();

    // For start-up tests: ZEL_SCHEDULER_QUIT_AFTER_MS=<n> ends the event loop
    // n milliseconds after the process started, with exit code 0 when the
    // window has drawn its first frame by then and 1 when not. It prints on
    // standard error how long after the start the first frame came.
    const int quitAfter = qEnvironmentVariableIntValue("ZEL_SCHEDULER_QUIT_AFTER_MS");
    if (quitAfter > 0) {
        auto firstFrame = std::make_shared<qint64>(-1);
        if (auto window = qobject_cast<QQuickWindow *>(m_view->rootObject())) {
            connect(window, &QQuickWindow::frameSwapped, this, [firstFrame] {
                if (*firstFrame < 0) {
                    *firstFrame = msSinceProcessStart();
                }
            });
        }
        QTimer::singleShot(std::max<qint64>(0, quitAfter - msSinceProcessStart()), this, [firstFrame] {
            fprintf(stderr, "zel-scheduler: first frame after %lld ms\n", static_cast<long long>(*firstFrame));
            exit(*firstFrame >= 0 ? 0 : 1);
        });
    }

    return exec();
}
