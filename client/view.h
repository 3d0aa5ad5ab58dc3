// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

class QQmlApplicationEngine;
class Backend;

// Holds the QML engine and creates the window. Registers the types the user
// interface imports and chooses the Qt Quick style and renderer.
class View : public QObject
{
    Q_OBJECT
public:
    explicit View(Backend *backend, QObject *parent = nullptr);
    ~View() override;

    // Registers the QML types the user interface imports.
    static void registerTypes();

    // Publishes the backend as "backend" and creates the root document.
    void load();

    QQmlApplicationEngine *engine() const { return m_engine; }
    // The window, once load() has made it.
    QObject *rootObject() const { return m_root; }

private:
    QQmlApplicationEngine *m_engine;
    Backend *m_backend;
    QPointer<QObject> m_root;
};
