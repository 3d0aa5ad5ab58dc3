// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The client's mirror of the service's presets: rows, roles, selection and
// current row, under QAbstractItemModelTester.

#include "presetsmodel.h"
#include "zeltest.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>

namespace
{
QString idText(int n)
{
    return QUuid(QStringLiteral("{abcdef00-0000-0000-0000-%1}").arg(n, 12, 10, QLatin1Char('0'))).toString();
}

QJsonObject presetObject(int n, const QString &name = QString())
{
    return QJsonObject{
        {QStringLiteral("preset_id"), idText(n)},
        {QStringLiteral("preset_name"), name.isEmpty() ? QStringLiteral("preset %1").arg(n) : name},
        {QStringLiteral("preset_type"), 1},
        {QStringLiteral("action_type"), 1},
    };
}

QString presetText(int n, const QString &name = QString())
{
    return QString::fromUtf8(QJsonDocument(presetObject(n, name)).toJson(QJsonDocument::Compact));
}

std::vector<Preset> presets(int count)
{
    std::vector<Preset> result;
    for (int n = 0; n < count; ++n) {
        result.emplace_back(presetObject(n));
    }
    return result;
}

QStringList ids(const PresetsModel &model)
{
    QStringList result;
    for (int row = 0; row < model.rowCount(); ++row) {
        result << model.data(model.index(row, 0), PresetsModel::IdRole).toString();
    }
    return result;
}

QList<int> selectedRows(const PresetsModel &model)
{
    QList<int> result;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QVariant selected = model.data(model.index(row, 0), PresetsModel::SelectedRole);
        if (selected.toBool()) {
            result << row;
        }
    }
    return result;
}
} // namespace

class PresetsModelTest : public QObject
{
    Q_OBJECT

private:
    // Every test works on a model that QAbstractItemModelTester watches.
    struct Fixture
    {
        PresetsModel model;
        QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    };

private Q_SLOTS:
    void rolesAndNames()
    {
        Fixture f;
        const QHash<int, QByteArray> roles = f.model.roleNames();
        QCOMPARE(roles.size(), 11);
        QCOMPARE(roles.value(257), QByteArray("id"));
        QCOMPARE(roles.value(258), QByteArray("name"));
        QCOMPARE(roles.value(259), QByteArray("selected"));
        QCOMPARE(roles.value(260), QByteArray("actionIconName"));
        QCOMPARE(roles.value(261), QByteArray("isStarted"));
        QCOMPARE(roles.value(262), QByteArray("isPaused"));
        QCOMPARE(roles.value(263), QByteArray("isStored"));
        QCOMPARE(roles.value(264), QByteArray("status"));
        QCOMPARE(roles.value(265), QByteArray("description"));
        QCOMPARE(roles.value(266), QByteArray("followsClock"));
        QCOMPARE(roles.value(267), QByteArray("isManaged"));

        QJsonObject running = presetObject(1);
        running.insert(QStringLiteral("preset_running"), true);
        running.insert(QStringLiteral("action_type"), 3);
        f.model.reset({Preset(running)});
        const QModelIndex row = f.model.index(0, 0);
        QCOMPARE(f.model.data(row, 257).toString(), idText(1));
        QCOMPARE(f.model.data(row, 258).toString(), QStringLiteral("preset 1"));
        QCOMPARE(f.model.data(row, 260).toString(), QStringLiteral("system-suspend-hibernate-symbolic"));
        QCOMPARE(f.model.data(row, 261).toBool(), true);
        QCOMPARE(f.model.data(row, 262).toBool(), false);
        QCOMPARE(f.model.data(row, 263).toBool(), true);
        QVERIFY(!f.model.data(row, Qt::DisplayRole).isValid());
        QCOMPARE(f.model.data(row, 267).toBool(), false);
        QVERIFY(!f.model.data(row, 268).isValid());
        QVERIFY(!f.model.data(f.model.index(1, 0), 257).isValid());
    }

    // A countdown's title shows the time left after its name, the user's or
    // made up; other kinds show a name of the user's as it is.
    void titles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("presetType");
        QTest::addColumn<QString>("title");
        QTest::newRow("made-up countdown") << "Shut Down 1:30" << 0 << "Reboot 00:01:30";
        QTest::newRow("named countdown") << "stored" << 0 << "stored 00:01:30";
        QTest::newRow("named schedule") << "stored" << 1 << "stored";
        QTest::newRow("kind -1") << "stored" << -1 << "stored";
        QTest::newRow("made-up window") << "Reboot 10:00 - 11:00" << 2 << "Reboot 00:00 - 00:00";
    }

    void titles()
    {
        QFETCH(QString, name);
        QFETCH(int, presetType);
        QFETCH(QString, title);
        const QJsonObject object{
            {QStringLiteral("preset_name"), name},
            {QStringLiteral("preset_type"), presetType},
            {QStringLiteral("action_type"), 1},
            {QStringLiteral("timer"), QJsonObject{{QStringLiteral("timeout"), 90000}, {QStringLiteral("remainingTime"), 90000}}},
        };
        Fixture f;
        f.model.reset({Preset(object)});
        QCOMPARE(f.model.data(f.model.index(0, 0), PresetsModel::NameRole).toString(), title);
        // The client keeps an unknown kind as its number.
        QCOMPARE(Preset(object).presetType(), presetType);
    }

    // A running countdown ends when its first report says; the reports that
    // follow, a second apart and a little late, do not move it.
    void countdownEndStaysPut()
    {
        Fixture f;
        // Half a second before a whole minute, so that an end moved by a late
        // report shows as another minute.
        QDateTime clock = QDateTime::fromString(QStringLiteral("2026-01-05T18:47:59.500"), Qt::ISODateWithMs);
        f.model.setClock([&clock] { return clock; });
        QJsonObject object = presetObject(1);
        object.insert(QStringLiteral("preset_type"), 0);
        object.insert(QStringLiteral("preset_running"), true);
        const auto report = [&](qint64 remaining) {
            object.insert(QStringLiteral("timer"), QJsonObject{{QStringLiteral("timeout"), 3600000}, {QStringLiteral("remainingTime"), double(remaining)}});
            f.model.onPresetUpdated(QString::fromUtf8(QJsonDocument(object).toJson()));
        };
        const auto status = [&] { return f.model.data(f.model.index(0, 0), PresetsModel::StatusRole).toString(); };
        report(600000);
        QCOMPARE(status(), QStringLiteral("Ends at 18:57"));
        // A second later, and 400 ms late: taken anew, the end would be 18:58:00.9.
        clock = clock.addMSecs(1400);
        report(599000);
        clock = clock.addMSecs(600);
        QCOMPARE(status(), QStringLiteral("Ends at 18:57"));
        // Paused and started again five minutes later: it ends later.
        object.insert(QStringLiteral("preset_running"), false);
        object.insert(QStringLiteral("preset_paused"), true);
        report(599000);
        QCOMPARE(status(), QStringLiteral("Paused"));
        clock = clock.addSecs(300);
        object.insert(QStringLiteral("preset_running"), true);
        object.insert(QStringLiteral("preset_paused"), false);
        report(599000);
        QCOMPARE(status(), QStringLiteral("Ends at 19:03"));
    }

    // Only the rows whose texts follow the clock are announced as it ticks.
    void clockTexts()
    {
        Fixture f;
        QJsonObject window = presetObject(1);
        window.insert(QStringLiteral("preset_type"), 2);
        window.insert(QStringLiteral("preset_running"), true);
        QJsonObject stopped = presetObject(2);
        stopped.insert(QStringLiteral("preset_type"), 2);
        f.model.reset({Preset(presetObject(0)), Preset(window), Preset(stopped)});
        QCOMPARE(f.model.data(f.model.index(1, 0), PresetsModel::FollowsClockRole).toBool(), true);
        QSignalSpy changes(&f.model, &QAbstractItemModel::dataChanged);
        f.model.updateClockTexts();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.first().at(0).toModelIndex().row(), 1);
        QCOMPARE(changes.first().at(2).value<QVector<int>>(), (QVector<int>{PresetsModel::StatusRole, PresetsModel::DescriptionRole}));
    }

    void resetSelectsTheFirstRow()
    {
        Fixture f;
        QSignalSpy current(&f.model, &PresetsModel::currentIndexChanged);
        f.model.reset(presets(3));
        QCOMPARE(f.model.rowCount(), 3);
        QCOMPARE(f.model.currentIndex(), 0);
        QCOMPARE(selectedRows(f.model), QList<int>{0});
        QCOMPARE(f.model.currentItem().value(QStringLiteral("preset_id")).toString(), idText(0));
        QVERIFY(!current.isEmpty());

        // A new list keeps the current preset current, wherever it is now;
        // without it, no row is current.
        f.model.setCurrentIndex(1);
        f.model.reset({Preset(presetObject(2)), Preset(presetObject(1))});
        QCOMPARE(f.model.currentIndex(), 1);
        QCOMPARE(f.model.currentItem().value(QStringLiteral("preset_id")).toString(), idText(1));
        QCOMPARE(selectedRows(f.model), QList<int>{1});
        f.model.reset(presets(1));
        QCOMPARE(f.model.currentIndex(), -1);
        QVERIFY(selectedRows(f.model).isEmpty());
        // Without a current preset before, the first row becomes current.
        f.model.reset(presets(2));
        QCOMPARE(f.model.currentIndex(), 0);
        QCOMPARE(selectedRows(f.model), QList<int>{0});

        f.model.reset({});
        QCOMPARE(f.model.rowCount(), 0);
        QCOMPARE(f.model.currentIndex(), -1);
        QVERIFY(f.model.currentItem().isEmpty());
    }

    void currentIndexAndSelection()
    {
        Fixture f;
        f.model.reset(presets(3));
        QSignalSpy selectedChanges(&f.model, &QAbstractItemModel::dataChanged);

        f.model.setCurrentIndex(2);
        QCOMPARE(f.model.currentIndex(), 2);
        QCOMPARE(selectedRows(f.model), QList<int>{2});
        // Both the newly selected and the deselected rows announce "selected".
        bool sawRow0 = false;
        bool sawRow2 = false;
        for (const QList<QVariant> &change : qAsConst(selectedChanges)) {
            QCOMPARE(change.at(2).value<QVector<int>>(), QVector<int>{PresetsModel::SelectedRole});
            sawRow0 |= change.at(0).toModelIndex().row() == 0;
            sawRow2 |= change.at(0).toModelIndex().row() == 2;
        }
        QVERIFY(sawRow0 && sawRow2);

        f.model.select(1);
        QCOMPARE(f.model.currentIndex(), 1);
        QCOMPARE(selectedRows(f.model), QList<int>{1});

        f.model.setCurrentIndex(-1);
        QCOMPARE(f.model.currentIndex(), -1);
        QVERIFY(selectedRows(f.model).isEmpty());
        QVERIFY(f.model.currentItem().isEmpty());

        f.model.setCurrentIndex(7);
        QCOMPARE(f.model.currentIndex(), -1);
        QVERIFY(selectedRows(f.model).isEmpty());

        f.model.setCurrentIndex(0);
        f.model.deselect();
        QCOMPARE(f.model.currentIndex(), -1);
        QVERIFY(selectedRows(f.model).isEmpty());
    }

    void selectAll()
    {
        Fixture f;
        f.model.selectAll(); // empty: nothing happens
        QCOMPARE(f.model.currentIndex(), -1);

        f.model.reset(presets(3));
        f.model.deselect();
        f.model.selectAll();
        QCOMPARE(f.model.currentIndex(), 0);
        QCOMPARE(selectedRows(f.model), (QList<int>{0, 1, 2}));

        // With a selection, the current row stays where it was.
        f.model.setCurrentIndex(2);
        f.model.selectAll();
        QCOMPARE(f.model.currentIndex(), 2);
        QCOMPARE(selectedRows(f.model), (QList<int>{0, 1, 2}));
    }

    void removeSelectedAsksInRowOrder()
    {
        Fixture f;
        f.model.reset(presets(3));
        QSignalSpy removals(&f.model, &PresetsModel::removePreset);

        f.model.deselect();
        f.model.removeSelected(); // nothing selected: nothing asked
        QVERIFY(removals.isEmpty());

        // Row 2 first, then row 0 added to the selection.
        f.model.setCurrentIndex(2);
        f.model.selectionModel()->select(f.model.index(0, 0), QItemSelectionModel::Select);
        f.model.removeSelected();
        QCOMPARE(removals.size(), 2);
        QCOMPARE(removals.at(0).at(0).toString(), idText(0));
        QCOMPARE(removals.at(1).at(0).toString(), idText(2));
        QVERIFY(selectedRows(f.model).isEmpty());
        QCOMPARE(f.model.currentIndex(), -1);
        // The rows stay until the service confirms.
        QCOMPARE(f.model.rowCount(), 3);
    }

    void updatedPresetReplacesInPlaceOrAppends()
    {
        Fixture f;
        f.model.reset(presets(3));
        f.model.setCurrentIndex(1);
        QSignalSpy item(&f.model, &PresetsModel::currentItemChanged);
        QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);

        f.model.onPresetUpdated(presetText(1, QStringLiteral("renamed")));
        QCOMPARE(ids(f.model), (QStringList{idText(0), idText(1), idText(2)}));
        QCOMPARE(f.model.data(f.model.index(1, 0), PresetsModel::NameRole).toString(), QStringLiteral("renamed"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
        QCOMPARE(item.size(), 1);
        QCOMPARE(f.model.currentItem().value(QStringLiteral("preset_name")).toString(), QStringLiteral("renamed"));

        // Not the current row: no currentItemChanged.
        f.model.onPresetUpdated(presetText(2, QStringLiteral("other")));
        QCOMPARE(item.size(), 1);

        // The identifier is compared as an identifier, whatever its spelling.
        f.model.onPresetUpdated(presetText(0, QStringLiteral("upper")).replace(idText(0), idText(0).toUpper()));
        QCOMPARE(f.model.rowCount(), 3);
        QCOMPARE(f.model.data(f.model.index(0, 0), PresetsModel::NameRole).toString(), QStringLiteral("upper"));

        f.model.onPresetUpdated(presetText(9));
        QCOMPARE(ids(f.model), (QStringList{idText(0), idText(1), idText(2), idText(9)}));
        QCOMPARE(f.model.currentIndex(), 1);
        QCOMPARE(selectedRows(f.model), QList<int>{1});
    }

    void removalNeedsTheExactIdText()
    {
        Fixture f;
        f.model.reset(presets(3));
        f.model.onPresetRemoved(idText(1).toUpper());
        f.model.onPresetRemoved(idText(1).mid(1, 36));
        f.model.onPresetRemoved(idText(7));
        QCOMPARE(f.model.rowCount(), 3);

        f.model.onPresetRemoved(idText(1));
        QCOMPARE(ids(f.model), (QStringList{idText(0), idText(2)}));
    }

    void removalAndTheCurrentRow()
    {
        Fixture f;
        // The current first row goes: no other preset becomes current.
        f.model.reset(presets(3));
        f.model.onPresetRemoved(idText(0));
        QCOMPARE(f.model.currentIndex(), -1);
        QVERIFY(selectedRows(f.model).isEmpty());
        QVERIFY(f.model.currentItem().isEmpty());

        // A row above the current one goes: the current preset stays current.
        f.model.reset(presets(3));
        f.model.setCurrentIndex(1);
        f.model.onPresetRemoved(idText(0));
        QCOMPARE(f.model.currentIndex(), 0);
        QCOMPARE(f.model.currentItem().value(QStringLiteral("preset_id")).toString(), idText(1));
        QCOMPARE(selectedRows(f.model), QList<int>{0});

        // The current row below others goes: none of them becomes current.
        f.model.reset(presets(3));
        f.model.setCurrentIndex(2);
        QSignalSpy item(&f.model, &PresetsModel::currentItemChanged);
        f.model.onPresetRemoved(idText(2));
        QCOMPARE(f.model.currentIndex(), -1);
        QVERIFY(selectedRows(f.model).isEmpty());
        // The editor never saw a neighbour as the current preset.
        QCOMPARE(item.size(), 1);

        // A row below the current one goes: nothing moves.
        f.model.reset(presets(3));
        f.model.onPresetRemoved(idText(2));
        QCOMPARE(f.model.currentIndex(), 0);
        QCOMPARE(selectedRows(f.model), QList<int>{0});

        // The only row goes.
        f.model.reset(presets(1));
        f.model.onPresetRemoved(idText(0));
        QCOMPARE(f.model.rowCount(), 0);
        QCOMPARE(f.model.currentIndex(), -1);
    }

    // Drafts: added current, kept over reloads until the service stores
    // them, removed without asking the service.
    void drafts()
    {
        Fixture f;
        f.model.reset(presets(2));
        QSignalSpy saves(&f.model, &PresetsModel::updatePreset);
        QSignalSpy removals(&f.model, &PresetsModel::removePreset);

        f.model.createDefault(QJsonObject{{QStringLiteral("preset_name"), QStringLiteral("new")}});
        QCOMPARE(f.model.rowCount(), 3);
        QCOMPARE(f.model.currentIndex(), 2);
        QCOMPARE(selectedRows(f.model), QList<int>{2});
        QCOMPARE(f.model.data(f.model.index(2, 0), PresetsModel::IsStoredRole).toBool(), false);
        // A fresh identifier, and nothing sent to the service.
        const QString draftId = f.model.data(f.model.index(2, 0), PresetsModel::IdRole).toString();
        QVERIFY(!QUuid::fromString(draftId).isNull());
        QVERIFY(saves.isEmpty());

        // A reload keeps it, current, after the listed presets.
        f.model.reset(presets(1));
        QCOMPARE(ids(f.model), (QStringList{idText(0), draftId}));
        QCOMPARE(f.model.currentIndex(), 1);

        // Removing it with a stored row asks the service for the stored one
        // only, and drops the draft at once.
        f.model.selectAll();
        f.model.removeSelected();
        QCOMPARE(removals.size(), 1);
        QCOMPARE(removals.at(0).at(0).toString(), idText(0));
        QCOMPARE(ids(f.model), QStringList{idText(0)});

        // Once the service reports it, it is a stored row like the others.
        f.model.createDefault(QJsonObject{});
        const QString storedId = f.model.data(f.model.index(1, 0), PresetsModel::IdRole).toString();
        QJsonObject stored = f.model.currentItem();
        f.model.onPresetUpdated(QString::fromUtf8(QJsonDocument(stored).toJson()));
        QCOMPARE(f.model.rowCount(), 2);
        QCOMPARE(f.model.data(f.model.index(1, 0), PresetsModel::IsStoredRole).toBool(), true);
        f.model.reset(presets(1));
        QCOMPARE(ids(f.model), QStringList{idText(0)});
        QVERIFY(storedId != idText(0));
    }

    void sameSettings_data()
    {
        QTest::addColumn<QJsonObject>("change");
        QTest::addColumn<bool>("same");
        QTest::newRow("nothing") << QJsonObject{} << true;
        QTest::newRow("another id") << QJsonObject{{QStringLiteral("preset_id"), idText(7)}} << true;
        QTest::newRow("running") << QJsonObject{{QStringLiteral("preset_running"), true}} << true;
        QTest::newRow("paused") << QJsonObject{{QStringLiteral("preset_paused"), true}} << true;
        QTest::newRow("remaining time") << QJsonObject{{QStringLiteral("timer"),
                                               QJsonObject{{QStringLiteral("timeout"), 60000}, {QStringLiteral("remainingTime"), 1000}}}}
                                        << true;
        QTest::newRow("name") << QJsonObject{{QStringLiteral("preset_name"), QStringLiteral("other")}} << false;
        QTest::newRow("action") << QJsonObject{{QStringLiteral("action_type"), 6}} << false;
        QTest::newRow("kind") << QJsonObject{{QStringLiteral("preset_type"), 2}} << false;
        QTest::newRow("countdown") << QJsonObject{{QStringLiteral("timer"), QJsonObject{{QStringLiteral("timeout"), 120000}}}} << false;
        QTest::newRow("warning") << QJsonObject{{QStringLiteral("timer"), QJsonObject{{QStringLiteral("timeout"), 60000}, {QStringLiteral("notify"), 1}}}}
                                 << false;
        QTest::newRow("repeated days") << QJsonObject{{QStringLiteral("schedule"),
                                              QJsonObject{{QStringLiteral("repeat_settings"),
                                                  QJsonObject{{QStringLiteral("repeat_settings_selected"), QJsonArray{1, 3}}}}}}}
                                       << false;
        QTest::newRow("window end") << QJsonObject{{QStringLiteral("interval"), QJsonObject{{QStringLiteral("end"), 3600000}}}} << false;
    }

    void sameSettings()
    {
        QFETCH(QJsonObject, change);
        QFETCH(bool, same);
        QJsonObject base = presetObject(1);
        base.insert(QStringLiteral("timer"), QJsonObject{{QStringLiteral("timeout"), 60000}, {QStringLiteral("remainingTime"), 60000}});
        QJsonObject changed = base;
        for (auto key = change.constBegin(); key != change.constEnd(); ++key) {
            changed.insert(key.key(), key.value());
        }
        QCOMPARE(PresetsModel::sameSettings(base, changed), same);
        QCOMPARE(PresetsModel::sameSettings(changed, base), same);
    }

    void savePresetSendsCompactText()
    {
        Fixture f;
        f.model.reset(presets(1));
        QSignalSpy requests(&f.model, &PresetsModel::updatePreset);
        const QJsonObject object = presetObject(5, QStringLiteral("\u00e9t\u00e9"));
        f.model.savePreset(object);
        QCOMPARE(requests.size(), 1);
        const QString text = requests.at(0).at(0).toString();
        QVERIFY(!text.contains(QLatin1Char('\n')));
        QVERIFY(!text.contains(QLatin1String("\": ")));
        QCOMPARE(QJsonDocument::fromJson(text.toUtf8()).object(), object);
        QCOMPARE(f.model.rowCount(), 1); // unchanged until the service answers
    }
};

ZEL_TEST_MAIN(PresetsModelTest)

#include "presetsmodeltest.moc"
