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
#include "translations.h"
#include "view.h"
#include "zeltest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QtQuickTest>

namespace
{
QStringList warnings;
QtMessageHandler previousHandler = nullptr;

// Keeps every warning but two, then hands it on to the test log: the
// spelling checker's complaint that the test machine has no dictionary, and
// Qt's own note, now and then on a loaded machine, that the animation timer
// all the test files' windows share was already stopped when one of them
// went.
void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool ignored =
        qstrcmp(context.category, "kf.sonnet.core") == 0 || message == QLatin1String("QUnifiedTimer::stopAnimationDriver: driver is not running");
    if ((type == QtWarningMsg || type == QtCriticalMsg) && !ignored && !warnings.contains(message)) {
        warnings << message;
    }
    previousHandler(type, context, message);
}

// Kirigami's animations take no time, as the desktop's "instant" setting
// makes them: the tests wait for the state they want, never for an
// animation to end. Written into the isolated configuration folder, read
// by the style when the application starts.
void makeAnimationsInstant()
{
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(configDir);
    QFile kdeglobals(configDir + QStringLiteral("/kdeglobals"));
    if (kdeglobals.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        kdeglobals.write("[KDE]\nAnimationDurationFactor=0\n");
    }
}
} // namespace

// Screenshots of a window at the screen's own resolution (twice the size at
// a scale of 2), as the test's "screenshots.save(window, path)".
class Screenshots : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE bool save(QObject *window, const QString &path) const
    {
        auto quickWindow = qobject_cast<QQuickWindow *>(window);
        // Light compression: the screenshots are for looking at, and the
        // default one costs a tenth of a second at a scale of 2.
        return quickWindow && quickWindow->grabWindow().save(path, nullptr, 80);
    }
};

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
        // Where screenshots go, and what tells them apart (the language,
        // font or scale of the run).
        engine->rootContext()->setContextProperty(QStringLiteral("artifactsDir"), QStringLiteral(ZEL_ARTIFACTS_DIR));
        engine->rootContext()->setContextProperty(QStringLiteral("screenshotTag"), qEnvironmentVariable("ZEL_SCREENSHOT_TAG"));
        engine->rootContext()->setContextProperty(QStringLiteral("screenshots"), new Screenshots(engine));
    }
};

int main(int argc, char **argv)
{
    qputenv("TZ", "Europe/Berlin");
    // A frame the test asks for (waitForRendering) is drawn at once rather
    // than after Qt's usual 5 ms pause, which the layout checks' many frames
    // add up to a third of a second per run. What is drawn is the same.
    if (!qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME")) {
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    }
    ZelTest::isolate(argc, argv, true);
    // The window's style draws through QStyle and needs a QApplication.
    // As the program, unless the run asks for fonts that grow without the
    // rest (ZEL_TEST_HIGHDPI=0).
    QCoreApplication::setAttribute(qEnvironmentVariable("ZEL_TEST_HIGHDPI") == QLatin1String("0") ? Qt::AA_DisableHighDpiScaling : Qt::AA_EnableHighDpiScaling);
    makeAnimationsInstant();
    QApplication app(argc, argv);
    QDir().mkpath(QStringLiteral(ZEL_ARTIFACTS_DIR));
    // In the language of the run (English unless the test asks otherwise).
    Translations::install({QStringLiteral("zel-scheduler"), QStringLiteral("zel-scheduler-common")});
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
