// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The preset store against a real settings file in a temporary XDG_CONFIG_HOME.

#include "storage.h"
#include "zeltest.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>

#include <memory>

namespace
{
const QString idA = QStringLiteral("{c0000000-0000-0000-0000-00000000000a}");
const QString idB = QStringLiteral("{a0000000-0000-0000-0000-00000000000b}");
const QString idC = QStringLiteral("{b0000000-0000-0000-0000-00000000000c}");

Preset::Ptr presetWith(const QString &id, const QString &name = QString())
{
    return Preset::make(QJsonObject{{"preset_id", id}, {"preset_name", name}});
}

QStringList ids(const Storage &storage)
{
    QStringList result;
    for (const Preset::Ptr &preset : storage.presets()) {
        result << preset->id().toString();
    }
    return result;
}

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/velmora-test/") + QCoreApplication::applicationName() +
        QStringLiteral(".conf");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class StorageTest : public QObject
{
    Q_OBJECT

    int m_round = 0;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(QStringLiteral("/tmp/")));
        QCoreApplication::setOrganizationName(QStringLiteral("velmora-test"));
        qRegisterMetaType<Preset::Ptr>("Preset::Ptr");
    }

    void init()
    {
        // A settings file of its own for every test.
        QCoreApplication::setApplicationName(QStringLiteral("storagetest-%1").arg(++m_round));
    }

    void firstStartIsEmpty()
    {
        Storage storage(nullptr);
        QVERIFY(storage.presets().isEmpty());
        QCOMPARE(storage.getAll(), QStringLiteral("[]"));
    }

    void orderAcrossRestart()
    {
        {
            Storage storage(nullptr);
            storage.updatePreset(presetWith(idA));
            storage.updatePreset(presetWith(idB));
            storage.updatePreset(presetWith(idC));
            QCOMPARE(ids(storage), (QStringList{idA, idB, idC}));
            const QJsonArray all = QJsonDocument::fromJson(storage.getAll().toUtf8()).array();
            QCOMPARE(all.size(), 3);
            QCOMPARE(all[1].toObject()["preset_id"].toString(), idB);
        }
        Storage reloaded(nullptr);
        QCOMPARE(ids(reloaded), (QStringList{idB, idC, idA}));
    }

    void updateKeepsPositionAndUnknownIdAppends()
    {
        Storage storage(nullptr);
        QSignalSpy added(&storage, &Storage::presetAdded);
        QSignalSpy updated(&storage, &Storage::presetUpdated);
        storage.updatePreset(presetWith(idA));
        storage.updatePreset(presetWith(idB));
        storage.updatePreset(presetWith(idC));
        QCOMPARE(added.count(), 3);

        const Preset::Ptr newB = presetWith(idB, QStringLiteral("renamed"));
        storage.updatePreset(newB);
        QCOMPARE(added.count(), 3);
        QCOMPARE(updated.count(), 1);
        QCOMPARE(updated.first().first().value<Preset::Ptr>(), newB);
        QCOMPARE(ids(storage), (QStringList{idA, idB, idC}));
        QCOMPARE(storage.presets().at(1), newB);

        const QString idD = QStringLiteral("{d0000000-0000-0000-0000-00000000000d}");
        storage.updatePreset(presetWith(idD));
        QCOMPARE(added.count(), 4);
        QCOMPARE(ids(storage).last(), idD);
    }

    void signalComesBeforeTheEntryIsWritten()
    {
        Storage storage(nullptr);
        bool listShowed = false;
        bool settingsShowed = true;
        connect(&storage, &Storage::presetAdded, this, [&](const Preset::Ptr &) {
            listShowed = ids(storage).contains(idA);
            settingsShowed = QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName()).contains(idA);
        });
        storage.updatePreset(presetWith(idA));
        QVERIFY(listShowed);
        QVERIFY(!settingsShowed);
        QVERIFY(QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName()).contains(idA));
    }

    void removal()
    {
        {
            Storage storage(nullptr);
            storage.updatePreset(presetWith(idA));
            storage.updatePreset(presetWith(idB));
            QSignalSpy removed(&storage, &Storage::presetRemoved);

            storage.removePreset(QUuid::fromString(QStringLiteral("{ffffffff-0000-0000-0000-000000000000}")));
            QCOMPARE(removed.count(), 1);
            QCOMPARE(ids(storage), (QStringList{idA, idB}));

            storage.removePreset(QUuid::fromString(idA));
            QCOMPARE(removed.count(), 2);
            QCOMPARE(removed.last().first().value<QUuid>(), QUuid::fromString(idA));
            QCOMPARE(ids(storage), (QStringList{idB}));
            QVERIFY(!QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName()).contains(idA));
        }
        Storage reloaded(nullptr);
        QCOMPARE(ids(reloaded), (QStringList{idB}));
    }

    void foreignEntriesAndNoWriteOnLoad()
    {
        const QJsonObject withoutId{{"preset_name", "no id"}};
        const QJsonObject dup1{{"preset_id", idA}, {"preset_name", "one"}};
        const QJsonObject dup2{{"preset_id", idA}, {"preset_name", "two"}};
        {
            QSettings settings(QCoreApplication::organizationName(), QCoreApplication::applicationName());
            settings.setValue(QStringLiteral("aaa-plain"), QStringLiteral("just some text"));
            settings.setValue(QStringLiteral("bbb-noid"), QVariant(withoutId));
            settings.setValue(QStringLiteral("ccc-dup1"), QVariant(dup1));
            settings.setValue(QStringLiteral("ddd-dup2"), QVariant(dup2));
        }
        const QByteArray before = readFile(settingsPath());
        QVERIFY(before.contains("just some text"));

        QUuid firstNoId;
        {
            Storage storage(nullptr);
            QCOMPARE(storage.presets().size(), 3);
            firstNoId = storage.presets().at(0)->id();
            QCOMPARE(storage.presets().at(0)->name(), QStringLiteral("no id"));
            QCOMPARE(storage.presets().at(1)->id(), QUuid::fromString(idA));
            QCOMPARE(storage.presets().at(2)->id(), QUuid::fromString(idA));
        }
        // Loading wrote nothing back, not even the fresh id of the entry without one.
        QCOMPARE(readFile(settingsPath()), before);

        Storage storage(nullptr);
        QVERIFY(storage.presets().at(0)->id() != firstNoId);
        // An update replaces the first of the duplicates only.
        storage.updatePreset(presetWith(idA, QStringLiteral("three")));
        QCOMPARE(storage.presets().at(1)->name(), QStringLiteral("three"));
        QCOMPARE(storage.presets().at(2)->name(), QStringLiteral("two"));
        // A removal takes both out.
        storage.removePreset(QUuid::fromString(idA));
        QCOMPARE(storage.presets().size(), 1);
        storage.sync();
        QVERIFY(readFile(settingsPath()).contains("just some text"));
    }

    void valuesAreJsonObjects()
    {
        Storage storage(nullptr);
        const Preset::Ptr preset = presetWith(idA, QStringLiteral("stored"));
        storage.updatePreset(preset);
        const QVariant value = QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName()).value(idA);
        QCOMPARE(value.userType(), int(QMetaType::QJsonObject));
        QCOMPARE(value.toJsonObject(), preset->toJsonObject());
    }
};

ZEL_TEST_MAIN(StorageTest)

#include "storagetest.moc"
