// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// Administrators' drop-in files: what is read from them, what is refused
// and why, how several files combine, and what the user may change.

#include "managedpresets.h"
#include "zeltest.h"

using namespace ManagedPresets;

namespace
{
const QByteArray idA = "{0f8fad5b-d9cb-469f-a165-70867728950e}";
const QByteArray idB = "{7c9e6679-7425-40de-944b-e07fc1f90ae7}";

QByteArray countdown(const QByteArray &id, const QByteArray &extra = {})
{
    return "{\"preset_id\": \"" + id + "\", \"preset_type\": 0, \"action_type\": 0, \"preset_running\": true, \"timer\": {\"timeout\": 600000}" + extra + "}";
}

Preset managed(const QByteArray &id, quint64 timeout, ManagedRights rights = {})
{
    File file = parse(countdown(id).replace("600000", QByteArray::number(timeout)), QDateTime::fromMSecsSinceEpoch(0));
    Q_ASSERT(file.presets.size() == 1);
    file.presets[0].setManaged(rights);
    return file.presets.at(0);
}
} // namespace

class ManagedPresetsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("presets");
        QTest::addColumn<QString>("problem"); // the first one, in part; empty: none

        const QByteArray daily = "{\"preset_id\": \"" + idB +
            "\", \"preset_type\": 1, \"action_type\": 1, \"preset_running\": true, \"managed\": {\"user_may_stop\": false},\n"
            "               \"schedule\": {\"start\": 1767643200000, \"end\": 1893456000000, \"repeat_settings\": {\"repeat_settings_type\": 2}}}";
        QTest::newRow("one object") << countdown(idA) << 1 << "";
        QTest::newRow("an array") << "[" + countdown(idA) + ", " + daily + "]" << 2 << "";
        QTest::newRow("an empty array") << QByteArray("[]") << 0 << "";
        // What "list --json" prints of a managed preset, copied as it is.
        QTest::newRow("as list --json prints it") << "{\"preset_id\": \"" + idA +
                "\", \"preset_name\": \"\", \"preset_type\": 0, \"action_type\": 0, \"preset_force\": false, \"preset_running\": true, "
                "\"preset_paused\": false, \"preset_managed\": true, \"timer\": {\"timeout\": 600000, \"notify\": 0, \"remainingTime\": 0}, "
                "\"schedule\": {\"start\": 0, \"end\": 0, \"notify\": 0, \"repeat_settings\": {\"repeat_settings_type\": 1, "
                "\"repeat_settings_custom_type\": 0, \"repeat_settings_count\": 1, \"repeat_settings_selected\": []}}, "
                "\"interval\": {\"start\": 0, \"end\": 0, \"regularity\": 5000}}"
                                                  << 1 << "";

        QTest::newRow("broken JSON, second line") << QByteArray("[\n  {\"preset_id\": }]") << 0 << "Line 2, column 17: ";
        QTest::newRow("not an object") << QByteArray("42") << 0 << "Line 1, column";
        QTest::newRow("array of a number") << QByteArray("[1]") << 0 << "It is not a preset object.";
        QTest::newRow("no id") << countdown(idA).replace("\"preset_id\": \"" + idA + "\", ", "") << 0 << "\"preset_id\" is missing.";
        QTest::newRow("id no id") << countdown("lab-shutdown") << 0 << "\"preset_id\" must be an id such as";
        QTest::newRow("no running") << countdown(idA).replace("\"preset_running\": true, ", "") << 0 << "\"preset_running\" is missing.";
        QTest::newRow("timing of the kind missing") << countdown(idA).replace("\"timer\"", "\"interval\"") << 0 << "\"timer\" is missing.";
        QTest::newRow("unknown action") << countdown(idA).replace("\"action_type\": 0", "\"action_type\": 42") << 0 << "the number of an action";
        QTest::newRow("a text for a number") << countdown(idA).replace("600000", "\"10m\"") << 0 << "\"timer.timeout\" must be a whole number from 0 to";
        QTest::newRow("negative") << countdown(idA).replace("600000", "-1") << 0 << "\"timer.timeout\" must be a whole number";
        QTest::newRow("typo in managed") << countdown(idA, ", \"managed\": {\"user_may_stopp\": false}") << 0
                                         << "\"managed.user_may_stopp\" is not a known key.";
        QTest::newRow("managed no object") << countdown(idA, ", \"managed\": true") << 0 << "\"managed\" must be an object.";
        QTest::newRow("right no boolean") << countdown(idA, ", \"managed\": {\"user_may_stop\": \"no\"}") << 0
                                          << "\"managed.user_may_stop\" must be true or false.";
        QTest::newRow("running and paused") << countdown(idA, ", \"preset_paused\": true") << 0 << "running and paused at once";
        QTest::newRow("repeat out of range") << QByteArray(daily).replace("\"repeat_settings_type\": 2", "\"repeat_settings_type\": 9") << 0
                                             << "repeat_settings_type";
        QTest::newRow("never acts") << countdown(idA).replace("600000", "0") << 0 << "countdown of zero";
        QTest::newRow("schedule passed before now") << QByteArray(daily).replace("1893456000000", "1767643200000") << 0 << "none of its occurrences lies ahead";
        // One bad preset takes its file with it.
        QTest::newRow("same id twice") << "[" + countdown(idA) + ", " + countdown(idA) + "]" << 0 << "that of preset 1 of this file";
        QTest::newRow("one bad of two") << "[" + countdown(idA) + ", " + countdown(idB).replace("600000", "0") + "]" << 0 << "countdown of zero";
    }

    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, presets);
        QFETCH(QString, problem);
        // Monday 5 January 2026, 20:00 UTC.
        const File file = ManagedPresets::parse(text, QDateTime::fromMSecsSinceEpoch(1767643200000 + 1));
        QCOMPARE(file.presets.size(), presets);
        QCOMPARE(file.problems.isEmpty(), problem.isEmpty());
        if (!problem.isEmpty()) {
            QVERIFY2(file.problems.first().english.contains(problem), qPrintable(file.problems.first().english));
        }
        for (const Preset &preset : file.presets) {
            QVERIFY(preset.managed());
            QVERIFY(preset.toJsonObject().value(QStringLiteral("preset_managed")).toBool());
        }
    }

    void rights()
    {
        const File file = ManagedPresets::parse(countdown(idA, ", \"managed\": {\"user_may_postpone\": false}"), QDateTime::fromMSecsSinceEpoch(0));
        QCOMPARE(file.presets.size(), 1);
        QVERIFY(file.presets.first().managed()->userMayStop);
        QVERIFY(!file.presets.first().managed()->userMayPostpone);
    }

    void allows_data()
    {
        QTest::addColumn<bool>("managed");
        QTest::addColumn<bool>("mayStop");
        QTest::addColumn<bool>("mayPostpone");
        QTest::addColumn<QString>("allowed"); // the changes allowed: U R S P T C O
        QTest::newRow("the user's own") << false << false << false << "URSPTCO";
        QTest::newRow("managed, all rights") << true << true << true << "SPTCO";
        QTest::newRow("may not stop") << true << false << true << "SO";
        QTest::newRow("may not postpone") << true << true << false << "SPTC";
        QTest::newRow("neither") << true << false << false << "S";
    }

    void allows()
    {
        QFETCH(bool, managed);
        QFETCH(bool, mayStop);
        QFETCH(bool, mayPostpone);
        QFETCH(QString, allowed);
        const std::optional<ManagedRights> rights = managed ? std::optional<ManagedRights>(ManagedRights{mayStop, mayPostpone}) : std::nullopt;
        const std::pair<QChar, Change> changes[] = {{'U', Change::Update},
            {'R', Change::Remove},
            {'S', Change::Start},
            {'P', Change::Pause},
            {'T', Change::Stop},
            {'C', Change::Cancel},
            {'O', Change::Postpone}};
        QString got;
        for (const auto &[letter, change] : changes) {
            if (ManagedPresets::allows(rights, change)) {
                got += letter;
            }
        }
        QCOMPARE(got, allowed);
    }

    void combining()
    {
        // A name in the more important folder hides the same name elsewhere;
        // the rest are read by name, whatever their folder.
        QCOMPARE(filesInOrder({{"/etc/xdg/p", {"20-lab.json", "10-all.json", ".20-lab.json.tmp", "notes.txt"}}, {"/usr/etc/p", {"20-lab.json", "15-x.json"}}}),
            QStringList({"/etc/xdg/p/10-all.json", "/usr/etc/p/15-x.json", "/etc/xdg/p/20-lab.json"}));

        // A later file overrides an earlier one's preset in its place.
        const File first{{managed(idA, 60000), managed(idB, 60000)}, {}};
        const File second{{managed(idA, 120000)}, {}};
        QStringList overridden;
        const QVector<Preset> merged = merge({first, second}, &overridden);
        QCOMPARE(merged.size(), 2);
        QCOMPARE(merged.at(0).id(), QUuid::fromString(QLatin1String(idA)));
        QCOMPARE(merged.at(0).timer().timeout, quint64(120000));
        QCOMPARE(overridden, QStringList{QString::fromLatin1(idA)});
    }

    void userState()
    {
        const Preset admin = managed(idA, 600000);
        Preset mine = admin;
        mine.markPaused();
        mine.timer().remainingTime = 123000;
        const QJsonObject state = ManagedPresets::userState(mine, fingerprint(admin));

        const Preset same = withUserState(admin, state);
        QVERIFY(same.isPaused());
        QCOMPARE(same.timer().remainingTime, quint64(123000));
        QVERIFY(same.managed());

        // Any change by the administrator, rights included, drops the user's state.
        for (const Preset &changed : {managed(idA, 900000), managed(idA, 600000, ManagedRights{false, true})}) {
            const Preset fresh = withUserState(changed, state);
            QVERIFY(fresh.isRunning());
            QCOMPARE(fresh.timer().remainingTime, changed.timer().timeout);
        }
    }
};

ZEL_TEST_MAIN(ManagedPresetsTest)

#include "managedpresetstest.moc"
