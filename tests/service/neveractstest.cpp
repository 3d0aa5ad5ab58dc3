// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// A preset that could never act is not run: neither by the start command nor
// when it is found running as the service starts. It is left stopped, and the
// refusal is logged (and told). One missed while the service was not running
// is left to its worker.

#include "recordingeffects.h"
#include "storage.h"
#include "workercontroller.h"
#include "zeltest.h"

#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <memory>

namespace
{
const QString id = QStringLiteral("{0c000000-0000-0000-0000-0000000000c3}");
constexpr qint64 hour = 3600 * 1000;

QStringList messages;
QtMessageHandler previousHandler = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (qstrcmp(context.category, "ru.velmora.shutdown.scheduler.service.WorkerController") == 0) {
        messages << text;
    }
    previousHandler(type, context, text);
}

QJsonObject preset(int type, bool running, bool paused, const QString &key, const QJsonObject &settings)
{
    return QJsonObject{
        {"preset_id", id},
        {"preset_type", type},
        {"action_type", ActionType::Lock},
        {"preset_running", running},
        {"preset_paused", paused},
        {key, settings},
    };
}

QJsonObject countdown(double timeout, bool running = false, bool paused = false)
{
    return preset(PresetType::Timer, running, paused, "timer", {{"timeout", timeout}});
}

QJsonObject once(const QDateTime &at, bool running = false, bool paused = false)
{
    const double msecs = double(at.toMSecsSinceEpoch());
    return preset(PresetType::Scheduled,
        running,
        paused,
        "schedule",
        {{"start", msecs}, {"end", msecs}, {"repeat_settings", QJsonObject{{"repeat_settings_type", RepeatType::Never}}}});
}

QJsonObject turnOn(QJsonObject preset)
{
    preset["action_type"] = ActionType::TurnOn;
    return preset;
}

QJsonObject window(double start, double end, bool running = false)
{
    return preset(PresetType::Range, running, false, "interval", {{"start", start}, {"end", end}, {"regularity", 60000}});
}
} // namespace

class NeverActsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<Storage> m_storage;
    std::shared_ptr<RecordingEffects> m_effects;
    std::unique_ptr<WorkerController> m_controller;

    Preset::Ptr stored() const
    {
        for (const Preset::Ptr &preset : m_storage->presets()) {
            if (preset->id().toString() == id) {
                return preset;
            }
        }
        return nullptr;
    }

    // Logged and told once.
    bool refused() const
    {
        const auto failures = m_effects->records().failures;
        const bool told = failures.size() == 1 && failures.constFirst().reason == ActionFailure::Reason::NeverActs;
        return messages.filter(QStringLiteral("could never act")).size() == 1 && told;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(QStringLiteral("/tmp/")));
        QCoreApplication::setOrganizationName(QStringLiteral("velmora-test"));
        previousHandler = qInstallMessageHandler(recordMessage);
    }

    void init()
    {
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/velmora-test/") +
            QCoreApplication::applicationName() + QStringLiteral(".conf"));
        m_effects = std::make_shared<RecordingEffects>();
        messages.clear();
        m_storage = std::make_unique<Storage>(nullptr);
    }

    void cleanup()
    {
        m_controller.reset();
        m_storage.reset();
    }

    void startCommand_data()
    {
        const QDateTime past = QDateTime::currentDateTime().addDays(-1);
        QTest::addColumn<QJsonObject>("preset");
        QTest::addColumn<bool>("refused");
        QTest::newRow("countdown of zero") << countdown(0) << true;
        QTest::newRow("warning as long as the countdown") << preset(PresetType::Timer, false, false, "timer", {{"timeout", 60000}, {"notify", 60000}}) << true;
        QTest::newRow("schedule with nothing ahead") << once(past) << true;
        QTest::newRow("paused schedule with nothing ahead") << once(past, false, true) << true;
        QTest::newRow("window that starts when it ends") << window(12 * hour, 12 * hour) << true;
        QTest::newRow("countdown of an hour") << countdown(hour) << false;
        QTest::newRow("whole day") << window(0, 0) << false;
        QTest::newRow("Turn On countdown") << turnOn(countdown(hour)) << true;
        QTest::newRow("Turn On window") << turnOn(window(0, 0)) << true;
        QTest::newRow("Turn On schedule") << turnOn(once(QDateTime::currentDateTime().addDays(1))) << false;
    }

    void startCommand()
    {
        QFETCH(QJsonObject, preset);
        QFETCH(bool, refused);
        m_controller = std::make_unique<WorkerController>(m_storage.get(), m_effects, nullptr);
        m_storage->updatePreset(Preset::make(preset));
        bool answered = false;
        m_controller->start(id, [&answered] { answered = true; });
        QTRY_VERIFY(answered);
        QCOMPARE(stored()->isRunning(), !refused);
        QVERIFY(!stored()->isPaused());
        QCOMPARE(this->refused(), refused);
        QVERIFY(m_effects->records().executions.isEmpty());
    }

    // Found running as the service starts: its settings are judged, while
    // an occurrence missed in the meantime is its worker's to tell.
    void restore_data()
    {
        QTest::addColumn<QJsonObject>("preset");
        QTest::addColumn<bool>("refused");
        QTest::newRow("countdown of zero") << countdown(0, true) << true;
        QTest::newRow("window that starts when it ends") << window(12 * hour, 12 * hour, true) << true;
        QTest::newRow("schedule missed while not running") << once(QDateTime::currentDateTime().addSecs(-10), true) << false;
        QTest::newRow("countdown of an hour") << countdown(hour, true) << false;
        QTest::newRow("Turn On countdown of an older client") << turnOn(countdown(hour, true)) << true;
    }

    void restore()
    {
        QFETCH(QJsonObject, preset);
        QFETCH(bool, refused);
        m_storage->updatePreset(Preset::make(preset));
        m_controller = std::make_unique<WorkerController>(m_storage.get(), m_effects, nullptr);
        QCOMPARE(this->refused(), refused);
        if (refused) {
            QTRY_VERIFY(!stored()->isRunning());
            QVERIFY(!stored()->isPaused());
            QVERIFY(m_effects->records().executions.isEmpty());
        }
    }
};

ZEL_TEST_MAIN(NeverActsTest)

#include "neveractstest.moc"
