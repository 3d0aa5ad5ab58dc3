// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// Runs the tst_*.qml files of this folder against the window's documents as
// the client packs them, with a fake "backend" in place of the real one.

#include "enumerations.h"
#include "fakebackend.h"
#include "zeltest.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT
public Q_SLOTS:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        qmlRegisterUncreatableMetaObject(ActionType::staticMetaObject, "zel.scheduler", 1, 0, "ActionType", QStringLiteral("Enum class for action type"));
        qmlRegisterUncreatableMetaObject(PresetType::staticMetaObject, "zel.scheduler", 1, 0, "PresetType", QStringLiteral("Enum class for preset type"));
        qmlRegisterUncreatableMetaObject(RepeatType::staticMetaObject, "zel.scheduler", 1, 0, "RepeatType", QStringLiteral("Enum class for repeat type"));
        qmlRegisterUncreatableMetaObject(
            RepeatCustomType::staticMetaObject, "zel.scheduler", 1, 0, "RepeatCustomType", QStringLiteral("Enum class for custom repeat type"));
        qmlRegisterType(QUrl(QStringLiteral("qrc:/qml/widgets/TimeEdit.qml")), "zel.scheduler.widgets", 1, 0, "TimeEdit");
        qmlRegisterType(QUrl(QStringLiteral("qrc:/qml/widgets/DateEdit.qml")), "zel.scheduler.widgets", 1, 0, "DateEdit");
        qmlRegisterType(QUrl(QStringLiteral("qrc:/qml/widgets/IconComboBox.qml")), "zel.scheduler.widgets", 1, 0, "IconComboBox");

        // Each test file gets a backend of its own, freed with its engine.
        engine->rootContext()->setContextProperty(QStringLiteral("backend"), new FakeBackend(engine));
    }
};

int main(int argc, char **argv)
{
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
    return quick_test_main_with_setup(argc, argv, "zelqml", QUICK_TEST_SOURCE_DIR, &setup);
}

#include "qmltestmain.moc"
