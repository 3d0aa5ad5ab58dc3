// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The view: QML types the window imports, the style and renderer rules, the
// window itself, and the help page.

#include "view.h"
#include "backend.h"
#include "zeltest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QScopeGuard>
#include <QTemporaryDir>

namespace
{
const char probeVariable[] = "ZEL_VIEWTEST_PROBE";

// What a fresh process with the given environment chooses.
QString probe(const QProcessEnvironment &changes)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QUICK_CONTROLS_STYLE"));
    env.remove(QStringLiteral("QT_QUICK_BACKEND"));
    env.insert(changes);
    env.insert(QString::fromLatin1(probeVariable), QStringLiteral("1"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("printChoices")});
    if (!process.waitForFinished(30000)) {
        return QStringLiteral("probe did not finish");
    }
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("choices: ")) {
            return QString::fromUtf8(line.mid(9));
        }
    }
    return QStringLiteral("no choices printed");
}

QObject *create(QQmlEngine *engine, const QByteArray &source, QString *errors = nullptr)
{
    QQmlComponent component(engine);
    component.setData(source, QUrl(QStringLiteral("qrc:/test.qml")));
    QObject *object = component.create();
    if (errors) {
        *errors = component.errorString();
    }
    return object;
}
} // namespace

class ViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Run in a child process by the style test; prints what the view chose.
    void printChoices()
    {
        if (!qEnvironmentVariableIsSet(probeVariable)) {
            QSKIP("only run as a probe");
        }
        Backend backend;
        View view(&backend);
        printf("choices: %s %s\n", qPrintable(QQuickStyle::name()), qPrintable(QQuickWindow::sceneGraphBackend()));
        fflush(stdout);
    }

    void styleAndRenderer_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("renderer");
        QTest::addColumn<QString>("choices");
        QTest::newRow("both unset") << QString() << QString() << QStringLiteral("org.kde.desktop software");
        QTest::newRow("style set") << QStringLiteral("Fusion") << QString() << QStringLiteral("Fusion software");
        QTest::newRow("style empty") << QStringLiteral("") << QString() << QStringLiteral("org.kde.desktop software");
        // Left to Qt, which reads the variable when the first window is made.
        QTest::newRow("renderer set") << QString() << QStringLiteral("rhi") << QStringLiteral("org.kde.desktop ");
        QTest::newRow("renderer empty") << QString() << QStringLiteral("") << QStringLiteral("org.kde.desktop software");
    }

    void styleAndRenderer()
    {
        if (qEnvironmentVariableIsSet(probeVariable)) {
            QSKIP("not in a probe");
        }
        QFETCH(QString, style);
        QFETCH(QString, renderer);
        QFETCH(QString, choices);
        QProcessEnvironment env;
        if (!style.isNull()) {
            env.insert(QStringLiteral("QT_QUICK_CONTROLS_STYLE"), style);
        }
        if (!renderer.isNull()) {
            env.insert(QStringLiteral("QT_QUICK_BACKEND"), renderer);
        }
        QCOMPARE(probe(env), choices);
    }

    void enumerationsInQml()
    {
        Backend backend;
        View view(&backend);
        QScopedPointer<QObject> object(create(view.engine(),
            "import QtQml 2.15\n"
            "import zel.scheduler 1.0\n"
            "QtObject {\n"
            "  property int action: ActionType.Reboot\n"
            "  property int turnOn: ActionType.TurnOn\n"
            "  property int kind: PresetType.Range\n"
            "  property bool noUndefinedKind: PresetType.Undefined === undefined\n"
            "  property int repeat: RepeatType.Custom\n"
            "  property int unit: RepeatCustomType.Monthes\n"
            "}\n"));
        QVERIFY(object);
        QCOMPARE(object->property("action").toInt(), 1);
        QCOMPARE(object->property("turnOn").toInt(), -1);
        QCOMPARE(object->property("kind").toInt(), 2);
        QCOMPARE(object->property("noUndefinedKind").toBool(), true);
        QCOMPARE(object->property("repeat").toInt(), 6);
        QCOMPARE(object->property("unit").toInt(), 2);
    }

    void enumerationHoldersAreUncreatable_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QString>("reason");
        QTest::newRow("ActionType") << QByteArray("ActionType") << QStringLiteral("Enum class for action type");
        QTest::newRow("PresetType") << QByteArray("PresetType") << QStringLiteral("Enum class for preset type");
        QTest::newRow("RepeatType") << QByteArray("RepeatType") << QStringLiteral("Enum class for repeat type");
        QTest::newRow("RepeatCustomType") << QByteArray("RepeatCustomType") << QStringLiteral("Enum class for custom repeat type");
    }

    void enumerationHoldersAreUncreatable()
    {
        QFETCH(QByteArray, type);
        QFETCH(QString, reason);
        Backend backend;
        View view(&backend);
        QString errors;
        QScopedPointer<QObject> object(create(view.engine(), "import zel.scheduler 1.0\n" + type + " {}\n", &errors));
        QVERIFY(!object);
        QVERIFY2(errors.contains(reason), qPrintable(errors));
    }

    // The page in the user's language where it is translated, in English
    // otherwise.
    void helpOpensTheShippedPage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("English") << "en_GB"
                                 << "/zel-scheduler/help/index.html" << QByteArray("Timer");
        QTest::newRow("Russian") << "ru_RU"
                                 << "/zel-scheduler/help/ru/index.html" << QStringLiteral("Таймер").toUtf8();
        QTest::newRow("not translated") << "de_DE"
                                        << "/zel-scheduler/help/index.html" << QByteArray("Timer");
    }

    void helpOpensTheShippedPage()
    {
        QFETCH(QString, language);
        QFETCH(QString, page);
        QFETCH(QByteArray, text);
        QLocale::setDefault(QLocale(language));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        // A stand-in for the desktop's URL handler records what it was given.
        QTemporaryDir bin;
        const QString record = bin.filePath(QStringLiteral("opened"));
        QFile handler(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(handler.open(QIODevice::WriteOnly));
        handler.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'\n").arg(record).toUtf8());
        handler.close();
        handler.setPermissions(handler.permissions() | QFileDevice::ExeOwner);
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + qgetenv("PATH"));

        Backend backend;
        QVERIFY(backend.showHelp());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QFile opened(record);
        QVERIFY(opened.open(QIODevice::ReadOnly));
        const QUrl url = QUrl::fromUserInput(QString::fromLocal8Bit(opened.readAll().trimmed()));
        QVERIFY2(url.isLocalFile(), qPrintable(url.toString()));
        QVERIFY2(url.toLocalFile().endsWith(page), qPrintable(url.toString()));
        QFile shown(url.toLocalFile());
        QVERIFY(shown.open(QIODevice::ReadOnly));
        QVERIFY(shown.readAll().contains(text));
    }

    // Nothing that could show the page: the window is told.
    void helpWithoutViewer()
    {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", empty.path().toLocal8Bit());
        Backend backend;
        const bool shown = backend.showHelp();
        qputenv("PATH", path);
        QVERIFY(!shown);
    }
    // Last: once Qt Quick Controls are loaded, the style is fixed for the
    // process.
    void loadCreatesTheWindow()
    {
        Backend backend;
        View view(&backend);
        view.load();
        QCOMPARE(view.engine()->rootContext()->contextProperty(QStringLiteral("backend")).value<QObject *>(), &backend);
        const QWindowList windows = QGuiApplication::topLevelWindows();
        const auto window = std::find_if(
            windows.cbegin(), windows.cend(), [](QWindow *candidate) { return qobject_cast<QQuickWindow *>(candidate) && candidate->isVisible(); });
        QVERIFY(window != windows.cend());
        // The window reads the backend's models through their base type.
        QQmlExpression expression(view.engine()->rootContext(), nullptr, QStringLiteral("backend.presetsModel.rowCount() + backend.actionModel.rowCount()"));
        QCOMPARE(expression.evaluate().toInt(), 9);
        QVERIFY(!expression.hasError());

        // The three widgets registered as types are found in the resource.
        for (const QByteArray &type : {QByteArray("TimeEdit"), QByteArray("DateEdit"), QByteArray("IconComboBox")}) {
            QString errors;
            QScopedPointer<QObject> object(create(view.engine(), "import QtQuick 2.15\nimport zel.scheduler.widgets 1.0\n" + type + " {}\n", &errors));
            QVERIFY2(object, qPrintable(type + ": " + errors));
        }
    }
};

ZEL_TEST_MAIN_WITH(ViewTest, QApplication, false)

#include "viewtest.moc"
