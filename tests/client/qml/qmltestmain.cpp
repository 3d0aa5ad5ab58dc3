// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// Runs the tst_*.qml files of this folder against the window's documents as
// the client packs them, with a fake "backend" in place of the real one, in
// the time zone of Berlin, whose clocks change. A warning (a binding loop, a
// type error, a layout conflict) fails the run: every warning of the QML
// engines, and every other warning logged from the second file on (the test
// log takes over the message handler when the first file starts).

#include "fakebackend.h"
#include "view.h"
#include "zeltest.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtQuickTest>

namespace
{
QStringList warnings;
QtMessageHandler previousHandler = nullptr;

// Keeps every warning but the spelling checker's complaint that the test
// machine has no dictionary, then hands it on to the test log.
void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((type == QtWarningMsg || type == QtCriticalMsg) && qstrcmp(context.category, "kf.sonnet.core") != 0 && !warnings.contains(message)) {
        warnings << message;
    }
    previousHandler(type, context, message);
}
} // namespace

class Setup : public QObject
{
    Q_OBJECT
public Q_SLOTS:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        View::registerTypes();
        const QtMessageHandler current = qInstallMessageHandler(recordWarnings);
        if (current != recordWarnings) {
            previousHandler = current;
        }
        connect(engine, &QQmlEngine::warnings, engine, [](const QList<QQmlError> &found) {
            for (const QQmlError &warning : found) {
                warnings << warning.toString();
            }
        });
        // Each test file gets a backend of its own, freed with its engine.
        engine->rootContext()->setContextProperty(QStringLiteral("backend"), new FakeBackend(engine));
    }
};

int main(int argc, char **argv)
{
    qputenv("TZ", "Europe/Berlin");
    ZelTest::isolate(argc, argv, true);
    // The window's style draws through QStyle and needs a QApplication.
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QUICK_CONTROLS_STYLE")) {
        QQuickStyle::setStyle(QStringLiteral("org.kde.desktop"));
    }
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) {
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    }
    Setup setup;
    const int result = quick_test_main_with_setup(argc, argv, "zelqml", QUICK_TEST_SOURCE_DIR, &setup);
    for (const QString &warning : qAsConst(warnings)) {
        fprintf(stderr, "FAIL: warning: %s\n", qPrintable(warning));
    }
    return warnings.isEmpty() ? result : 1;
}

#include "qmltestmain.moc"
