// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The action list and the scheduler service's word behind it: the answers
// of availableActions as the model takes them, and the way the backend asks
// for them, against a stand-in service that holds its answers until told.
// The question never holds up the thread that asks it.

#include "actionmodel.h"
#include "backend.h"
#include "busaddress.h"
#include "zeltest.h"

#include <QAbstractItemModelTester>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>

#include <utility>

namespace
{
// A scheduler service that takes every question and answers none by
// itself: answerAvailability() answers the availableActions questions it
// holds. Its name can be given up and taken again, as a restarted service
// would.
class SilentService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "ru.velmora.shutdown.scheduler.service.PresetController")
public:
    SilentService() : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("silent-service")))
    {
        m_bus.registerObject(BusAddress::objectPath(), this, QDBusConnection::ExportAllSlots);
        appear();
    }
    ~SilentService() override
    {
        vanish();
        QDBusConnection::disconnectFromBus(QStringLiteral("silent-service"));
    }

    void appear() { m_bus.registerService(BusAddress::serviceName()); }
    void vanish() { m_bus.unregisterService(BusAddress::serviceName()); }

    int heldQuestions() const { return m_questions.size(); }
    // Answers the question asked as number index (from 0) of those held.
    void answerAvailability(int index, const QString &json) { m_bus.send(m_questions.at(index).createReply(json)); }

public Q_SLOTS:
    QString getAll(const QDBusMessage &message)
    {
        message.setDelayedReply(true);
        return QString();
    }
    QString availableActions(const QDBusMessage &message)
    {
        message.setDelayedReply(true);
        m_questions << message;
        return QString();
    }

private:
    QDBusConnection m_bus;
    QList<QDBusMessage> m_questions;
};

bool enabled(const ActionModel &model, int row)
{
    return model.data(model.index(row, 0), ActionModel::EnabledRole).toBool();
}

QList<bool> enabledRows(const ActionModel &model)
{
    QList<bool> result;
    for (int row = 0; row < model.rowCount(); ++row) {
        result << enabled(model, row);
    }
    return result;
}

// An answer with the given actions unavailable (no route), the others
// through logind.
QString answer(const QList<int> &unavailable)
{
    QStringList entries;
    for (int type = 0; type <= 7; ++type) {
        entries << (unavailable.contains(type)
                ? QStringLiteral(R"({"action_type":%1,"available":false,"route":"","reason":"not available on this desktop"})").arg(type)
                : QStringLiteral(R"({"action_type":%1,"available":true,"route":"logind"})").arg(type));
    }
    return QLatin1Char('[') + entries.join(QLatin1Char(',')) + QLatin1Char(']');
}

const QList<bool> allEnabled{true, true, true, true, true, true, true, true, true};
} // namespace

class ActionModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersOfTheService_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("isEnabled");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("problem");

        const QString lock = QStringLiteral(R"([{"action_type":6,"available":false,"route":"","reason":"not available on this desktop"}])");
        QTest::newRow("no route") << lock << 6 << false << "not available on this desktop"
                                  << ""
                                  << "Lock cannot be carried out here: not available on this desktop";
        QTest::newRow("login manager says no") << R"([{"action_type":0,"available":false,"route":"logind","can":"no","reason":"logind says no"}])" << 0 << false
                                               << "logind does not allow it"
                                               << ""
                                               << "Shut Down cannot be carried out here: logind does not allow it";
        QTest::newRow("machine cannot") << R"([{"action_type":3,"available":false,"route":"logind","can":"na","reason":"x"}])" << 3 << false
                                        << "this machine cannot do it"
                                        << ""
                                        << "Hibernation cannot be carried out here: this machine cannot do it";
        QTest::newRow("another reason kept") << R"([{"action_type":7,"available":false,"route":"Plasma session","reason":"peer gone"}])" << 7 << false
                                             << "peer gone"
                                             << ""
                                             << "Log Out cannot be carried out here: peer gone";
        QTest::newRow("password") << R"([{"action_type":2,"available":true,"route":"logind","can":"challenge"}])" << 2 << true << ""
                                  << "asks for a password"
                                  << "";
        QTest::newRow("zel-wm despite the login manager")
            << R"([{"action_type":2,"available":true,"route":"zel-wm","can":"na"},{"action_type":6,"available":false,"route":""}])" << 2 << true << ""
            << ""
            << "";
        QTest::newRow("no right to wake")
            << R"([{"action_type":-1,"available":false,"route":"","reason":"may not","grant":"sudo setcap cap_wake_alarm+ep /bin/s"}])" << 8 << false
            << R"(The scheduler service may not wake this computer. Grant it the right with "sudo setcap cap_wake_alarm+ep /bin/s" and restart the service.)"
            << ""
            << R"(Turn On cannot be carried out here: The scheduler service may not wake this computer. Grant it the right with "sudo setcap cap_wake_alarm+ep /bin/s" and restart the service.)";
        QTest::newRow("not mentioned is offered") << lock << 5 << true << ""
                                                  << ""
                                                  << "";
    }

    void answersOfTheService()
    {
        QFETCH(QString, json);
        QFETCH(int, row);
        QFETCH(bool, isEnabled);
        QFETCH(QString, reason);
        QFETCH(QString, hint);
        QFETCH(QString, problem);

        ActionModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changes(&model, &ActionModel::availabilityChanged);
        // Until the service has answered, everything is offered.
        QCOMPARE(enabledRows(model), allEnabled);
        model.takeAvailability(json);
        const QModelIndex index = model.index(row, 0);
        QCOMPARE(model.data(index, ActionModel::EnabledRole).toBool(), isEnabled);
        QCOMPARE(model.data(index, ActionModel::ReasonRole).toString(), reason);
        QCOMPARE(model.data(index, ActionModel::HintRole).toString(), hint);
        QCOMPARE(model.problems().value(QString::number(model.data(index, ActionModel::TypeRole).toInt())).toString(), problem);
        QCOMPARE(changes.count(), 1);

        // The same answer again changes nothing; one that cannot be read
        // keeps what is known; a new answer replaces the old one.
        model.takeAvailability(json);
        model.takeAvailability(QStringLiteral("{\"action_type\":"));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(enabled(model, row), isEnabled);
        model.takeAvailability(QStringLiteral("[]"));
        QCOMPARE(enabledRows(model), allEnabled);
        QVERIFY(model.problems().isEmpty());
    }

    // The backend asks without waiting (the stand-in, served by this thread,
    // only gets the question once the backend has returned), takes the
    // answer when it comes, asks again when the service re-appears, and
    // drops a late answer to the earlier connection.
    void askedWithoutWaitingAndAgainOnReturn()
    {
        SilentService service;
        Backend backend;
        ActionModel &model = *backend.actions();
        backend.connectToService();
        QTRY_COMPARE(service.heldQuestions(), 1);
        QCOMPARE(enabledRows(model), allEnabled);
        service.answerAvailability(0, answer({6}));
        QTRY_VERIFY(!enabled(model, 6));

        service.vanish();
        QTRY_VERIFY(!backend.hasConnection());
        // What the last service said stays while none runs.
        QVERIFY(!enabled(model, 6));
        service.appear();
        QTRY_COMPARE(service.heldQuestions(), 2);
        service.vanish();
        service.appear();
        QTRY_COMPARE(service.heldQuestions(), 3);
        service.answerAvailability(2, answer({5}));
        QTRY_VERIFY(!enabled(model, 5));
        service.answerAvailability(1, answer({0, 1}));
        QTest::qWait(100);
        QCOMPARE(enabledRows(model), (QList<bool>{true, true, true, true, true, false, true, true, true}));
    }

    // Turn On suits schedules only; the service's word still counts there.
    void turnOnForSchedulesOnly()
    {
        ActionModel model;
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        const QModelIndex turnOn = model.index(8, 0);
        model.setKind(PresetType::Timer);
        QCOMPARE(enabledRows(model), (QList<bool>{true, true, true, true, true, true, true, true, false}));
        QCOMPARE(model.data(turnOn, ActionModel::ReasonRole).toString(), QStringLiteral("needs a date and time: choose Schedule"));
        QVERIFY(model.problems().isEmpty());
        model.setKind(PresetType::Scheduled);
        QCOMPARE(enabledRows(model), allEnabled);
        QCOMPARE(changes.count(), 2);
        model.takeAvailability(QStringLiteral(R"([{"action_type":-1,"available":false,"route":"","grant":"g"}])"));
        QVERIFY(!enabled(model, 8));
        model.setKind(PresetType::Range);
        QVERIFY(model.data(turnOn, ActionModel::ReasonRole).toString().contains(QLatin1String("\"g\"")));
    }

    void rowsRolesAndInvokables()
    {
        ActionModel model;
        const QHash<int, QByteArray> roles = model.roleNames();
        QCOMPARE(roles.size(), 6);
        QCOMPARE(roles.value(257), QByteArray("type"));
        QCOMPARE(roles.value(258), QByteArray("name"));
        QCOMPARE(roles.value(259), QByteArray("icon"));
        QCOMPARE(roles.value(260), QByteArray("enabled"));
        QCOMPARE(roles.value(261), QByteArray("reason"));
        QCOMPARE(roles.value(262), QByteArray("hint"));

        const QList<int> types{0, 1, 2, 3, 4, 5, 6, 7, -1};
        for (int row = 0; row < model.rowCount(); ++row) {
            QCOMPARE(model.data(model.index(row, 0), ActionModel::TypeRole).toInt(), types.at(row));
        }
        QCOMPARE(model.data(model.index(4, 0), ActionModel::NameRole).toString(), QStringLiteral("Switch User"));
        QCOMPARE(model.data(model.index(7, 0), ActionModel::NameRole).toString(), QStringLiteral("Log Out"));
        QVERIFY(!model.data(model.index(0, 0), Qt::DisplayRole).isValid());

        QCOMPARE(model.getIcon(3), QVariant(QStringLiteral("system-suspend-hibernate-symbolic")));
        QCOMPARE(model.getIcon(0), QVariant(QStringLiteral("system-shutdown-symbolic")));
        QVERIFY(!model.getIcon(9).isValid());
        QVERIFY(!model.getIcon(-1).isValid());

        // QML sees the one invokable and the change signal of "problems".
        const QMetaObject *meta = model.metaObject();
        QCOMPARE(meta->methodCount() - meta->methodOffset(), 3);
        QCOMPARE(meta->method(meta->indexOfMethod("getIcon(int)")).methodType(), QMetaMethod::Method);
        QCOMPARE(meta->property(meta->indexOfProperty("problems")).notifySignal().name(), QByteArray("availabilityChanged"));
    }
};

ZEL_TEST_MAIN(ActionModelTest)

#include "actionmodeltest.moc"
