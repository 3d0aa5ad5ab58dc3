// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "view.h"

#include "backend.h"
#include "client_debug.h"
#include "enumerations.h"
#include "localtime.h"
#include "presetform.h"
#include "presetsummary.h"

#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QUrl>

View::View(Backend *backend, QObject *parent) : QObject(parent), m_engine(new QQmlApplicationEngine(this)), m_backend(backend)
{
    registerTypes();

    // Both variables are read by Qt itself when they hold a value.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_CONTROLS_STYLE")) {
        QQuickStyle::setStyle(QStringLiteral("org.kde.desktop"));
    }
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) {
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    }
}

void View::registerTypes()
{
    const char *uri = "zel.scheduler";
    qmlRegisterUncreatableType<ActionType>(uri, 1, 0, "ActionType", QStringLiteral("Enum class for action type"));
    qmlRegisterUncreatableType<PresetType>(uri, 1, 0, "PresetType", QStringLiteral("Enum class for preset type"));
    qmlRegisterUncreatableType<RepeatType>(uri, 1, 0, "RepeatType", QStringLiteral("Enum class for repeat type"));
    qmlRegisterUncreatableType<RepeatCustomType>(uri, 1, 0, "RepeatCustomType", QStringLiteral("Enum class for custom repeat type"));
    // For its ServiceState values; the one backend is the context property.
    qmlRegisterUncreatableType<Backend>(uri, 1, 0, "Backend", QStringLiteral("The backend is the context property \"backend\""));
    qmlRegisterSingletonType<LocalTime>(uri, 1, 0, "LocalTime", [](QQmlEngine *, QJSEngine *) -> QObject * { return new LocalTime; });
    qmlRegisterSingletonType<PresetForm>(uri, 1, 0, "PresetForm", [](QQmlEngine *, QJSEngine *) -> QObject * { return new PresetForm; });
    qmlRegisterSingletonType<PresetSummary>(uri, 1, 0, "PresetSummary", [](QQmlEngine *, QJSEngine *) -> QObject * { return new PresetSummary; });

    const char *widgetsUri = "zel.scheduler.widgets";
    qmlRegisterType(QUrl(QStringLiteral("qrc:/qml/widgets/TimeEdit.qml")), widgetsUri, 1, 0, "TimeEdit");
    qmlRegisterType(QUrl(QStringLiteral("qrc:/qml/widgets/DateEdit.qml")), widgetsUri, 1, 0, "DateEdit");
    qmlRegisterType(QUrl(QStringLiteral("qrc:/qml/widgets/IconComboBox.qml")), widgetsUri, 1, 0, "IconComboBox");
    qmlRegisterType(QUrl(QStringLiteral("qrc:/qml/widgets/ModalDialog.qml")), widgetsUri, 1, 0, "ModalDialog");
}

View::~View()
{
    // The window goes before the engine that runs its bindings.
    delete m_root;
}

void View::load()
{
    m_engine->rootContext()->setContextProperty(QStringLiteral("backend"), m_backend);
    QQmlComponent component(m_engine, QUrl(QStringLiteral("qrc:///qml/main.qml")));
    m_root = component.create();
    if (!m_root) {
        // No window then; the event loop runs on regardless.
        const QList<QQmlError> errors = component.errors();
        for (const QQmlError &error : errors) {
            qCWarning(CLIENT).noquote() << error.toString();
        }
    }
}
