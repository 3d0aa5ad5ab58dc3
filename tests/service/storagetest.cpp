// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The preset store against a real settings file in a temporary XDG_CONFIG_HOME.

#include "storage.h"
#include "zeltest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>

#include <memory>
#include <sched.h>
#include <sys/mount.h>

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
    return QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QLatin1Char('/') + QCoreApplication::organizationName() + QLatin1Char('/') +
        QCoreApplication::applicationName() + QStringLiteral(".conf");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

enum Cause { DiskFull, ReadOnly, FolderInTheWay };

QStringList s_warnings;
QtMessageHandler s_previousHandler = nullptr;

void recordWarning(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && qstrcmp(context.category, "ru.velmora.shutdown.scheduler.service.Storage") == 0) {
        s_warnings << text;
    }
    s_previousHandler(type, context, text);
}

// Mounts made from here on stay in this process: a tiny tmpfs over the
// settings folder fills up or turns read-only without touching the machine.
bool privateMountNamespace()
{
    return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}
} // namespace

class StorageTest : public QObject
{
    Q_OBJECT

    int m_round = 0;
    bool m_privateMounts = false;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(QStringLiteral("/tmp/")));
        QCoreApplication::setOrganizationName(QStringLiteral("velmora-test"));
        qRegisterMetaType<Preset::Ptr>("Preset::Ptr");
        s_previousHandler = qInstallMessageHandler(recordWarning);
        m_privateMounts = privateMountNamespace();
    }

    void init()
    {
        // A settings file of its own for every test, in a folder of its own
        // (over which a test may mount).
        QCoreApplication::setOrganizationName(QStringLiteral("velmora-test-%1").arg(++m_round));
        QCoreApplication::setApplicationName(QStringLiteral("storagetest"));
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

    // What QSettings reads back from our lines, and we from its: the same
    // object, written byte for byte as QSettings writes it.
    void valuesAsQSettingsWritesThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("evening");
        QTest::newRow("quotes and backslashes") << QStringLiteral("say \"hi\" \\ there");
        QTest::newRow("list and key characters") << QStringLiteral("a;b,c=d");
        QTest::newRow("spaces at the ends") << QStringLiteral("  padded  ");
        QTest::newRow("hex digits after escaped bytes") << QStringLiteral("\u00e91a \u04360F");
        QTest::newRow("long") << QString(700, QLatin1Char('x'));
    }

    void valuesAsQSettingsWritesThem()
    {
        QFETCH(QString, name);
        const QJsonObject object = presetWith(idA, name)->toJsonObject();
        const QString path = QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/codec.conf");
        QFile::remove(path);
        {
            QSettings settings(path, QSettings::IniFormat);
            settings.setValue(idA, QVariant(object));
        }
        const QByteArray line = readFile(path).split('\n').at(1);
        QCOMPARE(line, SettingsFile::encodeKey(idA) + '=' + SettingsFile::encodeJsonObject(object));
        QCOMPARE(SettingsFile::decodeJsonObject(line.mid(line.indexOf('=') + 1)), std::optional<QJsonObject>(object));
    }

    // Entries are known by their keys. What cannot be read as a preset is not
    // loaded, is logged, and stays in the file byte for byte through every
    // later write.
    void entriesAreKnownByTheirKeys()
    {
        const QString noId = QStringLiteral("{10000000-0000-0000-0000-000000000001}");
        const QString otherId = QStringLiteral("{20000000-0000-0000-0000-000000000002}");
        const QString sharedId = QStringLiteral("{30000000-0000-0000-0000-000000000003}");
        const auto entry = [](const QString &key, const QJsonObject &object) -> QByteArray {
            return SettingsFile::encodeKey(key) + '=' + SettingsFile::encodeJsonObject(object) + '\n';
        };
        // Each of these is unreadable: kept as it is, never loaded.
        const QByteArrayList unreadable{
            "%7B40000000-0000-0000-0000-000000000004%7D=just some text\n",
            "%7B50000000-0000-0000-0000-000000000005%7D=\"@Variant(\\0\\0\\0\\x8f\\0\\0\\0\\x6{\\\"n\\\":1)\"\n",
            "%7B60000000-0000-0000-0000-000000000006%7D=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\tMyType99\\0\\0\\0\\0\\x1)\n",
            "%7B70000000-0000-0000-0000-000000000007%7D={\"preset_id\":\"{70000000-0000-0000-0000-000000000007}\"}\n",
            "%7B80000000-0000-0000-0000-000000000008%7D=\"@Variant(\\0\\0\\0\\x8f\\0\\0\\0\\a[1,2,3])\"\n",
            "%7BA0000000-0000-0000-0000-00000000000A%7D=" + SettingsFile::encodeJsonObject(presetWith(idB)->toJsonObject()) + '\n',
            entry(QStringLiteral("not-an-id"), presetWith(idC)->toJsonObject()),
        };
        QByteArray file = "[General]\n" + entry(noId, {{"preset_name", "no id"}}) + entry(otherId, {{"preset_id", idA}, {"preset_name", "other"}}) +
            entry(sharedId, {{"preset_id", idA}, {"preset_name", "shared"}});
        for (const QByteArray &line : unreadable) {
            file += line;
        }
        file += "\n[group]\nkey=value\n";
        QDir().mkpath(QFileInfo(settingsPath()).path());
        QFile out(settingsPath());
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();

        s_warnings.clear();
        {
            Storage storage(nullptr);
            QCOMPARE(ids(storage), (QStringList{noId, otherId, sharedId}));
            QCOMPARE(storage.presets().at(0)->name(), QStringLiteral("no id"));
            QCOMPARE(s_warnings.size(), unreadable.size());
            QVERIFY(s_warnings.join('\n').contains(QStringLiteral("{40000000-0000-0000-0000-000000000004}")));
            QVERIFY(s_warnings.join('\n').contains(QStringLiteral("not-an-id")));
            // Loading wrote nothing.
            QCOMPARE(readFile(settingsPath()), file);

            QVERIFY(storage.updatePreset(presetWith(idA, QStringLiteral("new"))));
            QVERIFY(storage.updatePreset(presetWith(sharedId, QStringLiteral("renamed"))));
            QVERIFY(storage.removePreset(QUuid::fromString(otherId)));
        }
        const QByteArray after = readFile(settingsPath());
        for (const QByteArray &line : unreadable) {
            QVERIFY2(after.contains(line), line.constData());
        }
        QVERIFY(after.endsWith("\n[group]\nkey=value\n"));
        Storage reloaded(nullptr);
        QCOMPARE(ids(reloaded), (QStringList{noId, sharedId, idA}));
        QCOMPARE(reloaded.presets().at(1)->name(), QStringLiteral("renamed"));
        // QSettings still reads the file as before.
        QCOMPARE(QSettings(settingsPath(), QSettings::IniFormat).value(idA).toJsonObject(), presetWith(idA, QStringLiteral("new"))->toJsonObject());
    }

    // A write replaces the file a symbolic link points at, not the link,
    // keeps the file's permissions and leaves no temporary file behind.
    void replacementKeepsLinkAndPermissions()
    {
        const QString folder = QFileInfo(settingsPath()).path();
        const QString real = folder + QStringLiteral("/dotfiles/settings.conf");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/dotfiles")));
        QVERIFY(QFile::link(real, settingsPath()));
        const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        Storage storage(nullptr);
        QVERIFY(storage.updatePreset(presetWith(idA)));
        QVERIFY(QFile::setPermissions(real, ownerOnly));
        QVERIFY(storage.updatePreset(presetWith(idB)));
        QVERIFY(QFileInfo(settingsPath()).isSymLink());
        QCOMPARE(QFile::permissions(real), ownerOnly);
        QCOMPARE(ids(Storage(nullptr)), (QStringList{idB, idA})); // in the order of the keys
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{QFileInfo(settingsPath()).fileName()});
        QCOMPARE(QDir(folder + QStringLiteral("/dotfiles")).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("settings.conf")});
    }

    // A write that fails keeps the change in memory and staged, is logged once
    // with the path and the system's reason until a write succeeds, and the
    // next write after the cause is gone carries every staged change.
    // A countdown's minute is written without the folder's sync: on disk,
    // but not durable (nothing may act on it) until a durable write follows,
    // even one with nothing left to write.
    void progressIsDurableOnlyAfterADurableWrite()
    {
        Storage storage(nullptr);
        QVERIFY(storage.updatePreset(presetWith(idA, QStringLiteral("started"))));
        storage.stagePreset(presetWith(idA, QStringLiteral("a minute later")));
        QVERIFY(!storage.isSaved(QUuid::fromString(idA)));
        QVERIFY(storage.writePending(SettingsFile::Durability::Progress));
        QCOMPARE(Storage(nullptr).presets().value(0)->name(), QStringLiteral("a minute later"));
        QVERIFY(!storage.isSaved(QUuid::fromString(idA)));
        QVERIFY(storage.writePending());
        QVERIFY(storage.isSaved(QUuid::fromString(idA)));
    }

    void failedWritesAreLoggedOnceAndRetried_data()
    {
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << int(DiskFull) << QStringLiteral("No space left on device");
        QTest::newRow("read-only") << int(ReadOnly) << QStringLiteral("Read-only file system");
        QTest::newRow("path taken by a folder") << int(FolderInTheWay) << QStringLiteral("Is a directory");
    }

    void failedWritesAreLoggedOnceAndRetried()
    {
        QFETCH(int, cause);
        QFETCH(QString, reason);
        const QString folder = QFileInfo(settingsPath()).path();
        QVERIFY(QDir().mkpath(folder));
        if (cause != FolderInTheWay) {
            if (!m_privateMounts) {
                QSKIP("needs a mount namespace of its own (root)");
            }
            QCOMPARE(::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=16k"), 0);
        }
        Storage storage(nullptr);
        QVERIFY(storage.updatePreset(presetWith(idA, QStringLiteral("before"))));
        QFile filler(folder + QStringLiteral("/filler"));
        switch (cause) {
        case DiskFull:
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) { }
            filler.close();
            break;
        case ReadOnly:
            QCOMPARE(::mount(nullptr, folder.toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
            break;
        case FolderInTheWay:
            QVERIFY(QFile::remove(settingsPath()));
            QVERIFY(QDir().mkdir(settingsPath()));
            break;
        }
        QSignalSpy failed(&storage, &Storage::writeFailed);
        s_warnings.clear();
        QVERIFY(!storage.updatePreset(presetWith(idB, QStringLiteral("staged"))));
        QVERIFY(!storage.removePreset(QUuid::fromString(idA)));
        QVERIFY(!storage.updatePreset(presetWith(idC)));
        QVERIFY(!storage.isSaved(QUuid::fromString(idB)));
        QCOMPARE(ids(storage), (QStringList{idB, idC}));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(1).toString(), reason);
        QCOMPARE(s_warnings, QStringList{QStringLiteral("Could not write settings %1: %2").arg(settingsPath(), reason)});

        switch (cause) {
        case DiskFull:
            QVERIFY(filler.remove());
            break;
        case ReadOnly:
            QCOMPARE(::mount(nullptr, folder.toLocal8Bit().constData(), nullptr, MS_REMOUNT, nullptr), 0);
            break;
        case FolderInTheWay:
            QVERIFY(QDir().rmdir(settingsPath()));
            break;
        }
        QVERIFY(storage.writePending());
        QVERIFY(storage.isSaved(QUuid::fromString(idB)));
        QCOMPARE(ids(Storage(nullptr)), (QStringList{idB, idC}));
        if (cause != FolderInTheWay) {
            QCOMPARE(::umount(folder.toLocal8Bit().constData()), 0);
        }
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
