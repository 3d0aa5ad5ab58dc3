// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QObject>
#include <QVector>

class QSettings;

// The service's only record of presets: an ordered list in memory, mirrored
// entry by entry into the user's settings file. Used from the main thread only.
class Storage : public QObject
{
    Q_OBJECT
public:
    explicit Storage(QObject *parent);

    // Compact JSON array text of all presets, in list order.
    QString getAll() const;
    const QVector<Preset::Ptr> &presets() const { return m_presets; }

    // Writes pending changes to the settings file now.
    void sync();

Q_SIGNALS:
    void presetAdded(Preset::Ptr preset);
    void presetUpdated(Preset::Ptr preset);
    void presetRemoved(QUuid id);

public Q_SLOTS:
    void updatePreset(Preset::Ptr preset);
    void removePreset(QUuid id);

private:
    QSettings *m_settings;
    QVector<Preset::Ptr> m_presets;
};
