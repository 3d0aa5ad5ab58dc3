// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The action list and the login manager's answers behind it, against the
// python3-dbusmock "logind" template on the private system bus, without any
// login manager, and with one that never answers. The questions never hold
// up the thread that asks them.

#include "actionmodel.h"
#include "zeldbus.h"
#include "zelpeers.h"
#include "zeltest.h"

#include <QAbstractItemModelTester>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QJsonObject>

#include <utility>

namespace
{
const QString logindName = QStringLiteral("org.freedesktop.login1");

bool logindPresent()
{
    return QDBusConnection::systemBus().interface()->isServiceRegistered(logindName).value();
}

// A login manager that takes every question and answers none by itself;
// answerSuspend() answers the "CanSuspend" questions it holds.
class SilentLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    SilentLogind() : m_bus(QDBusConnection::connectToBus(QDBusConnection::SystemBus, QStringLiteral("silent-logind")))
    {
        m_bus.registerObject(QStringLiteral("/org/freedesktop/login1"), this, QDBusConnection::ExportAllSlots);
        m_bus.registerService(logindName);
    }
    ~SilentLogind() override
    {
        m_bus.unregisterService(logindName);
        QDBusConnection::disconnectFromBus(QStringLiteral("silent-logind"));
    }

    int heldSuspendQuestions() const { return m_suspendQuestions.size(); }
    void answerSuspend(const QString &answer)
    {
        for (const QDBusMessage &question : std::exchange(m_suspendQuestions, {})) {
            m_bus.send(question.createReply(answer));
        }
    }

public Q_SLOTS:
    QString CanSuspend(const QDBusMessage &message)
    {
        message.setDelayedReply(true);
        m_suspendQuestions << message;
        return QString();
    }
    QString CanHybridSleep(const QDBusMessage &message)
    {
        message.setDelayedReply(true);
        return QString();
    }
    QString CanHibernate(const QDBusMessage &message)
    {
        message.setDelayedReply(true);
        return QString();
    }

private:
    QDBusConnection m_bus;
    QList<QDBusMessage> m_suspendQuestions;
};

bool enabled(const ActionModel &model, int row)
{
    return model.data(model.index(row, 0), ActionModel::EnabledRole).toBool();
}

// The three answers of the asynchronous questions, in the order asked.
QList<int> askAll()
{
    QObject context;
    QList<int> answers{-2, -2, -2};
    dbus_Logind_CanSuspendAsync(&context, [&answers](int answer) { answers[0] = answer; });
    dbus_Logind_CanHybridSleepAsync(&context, [&answers](int answer) { answers[1] = answer; });
    dbus_Logind_CanHibernateAsync(&context, [&answers](int answer) { answers[2] = answer; });
    if (!QTest::qWaitFor([&answers] { return !answers.contains(-2); }, 10 * zelDBusLogindTimeoutMs)) {
        return {}; // not all answered
    }
    return answers;
}

void verifyAlwaysEnabledRows(const ActionModel &model)
{
    for (int row : {0, 1, 4, 5, 6, 7}) {
        QVERIFY2(enabled(model, row), qPrintable(QStringLiteral("row %1").arg(row)));
    }
}
} // namespace

class ActionModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDBusConnection::systemBus().isConnected());
        QVERIFY(!logindPresent());
    }

    void answersOfTheLoginManager_data()
    {
        QTest::addColumn<QString>("suspend");
        QTest::addColumn<QString>("hybridSleep");
        QTest::addColumn<QString>("hibernate");
        QTest::addColumn<bool>("sleepEnabled");
        QTest::addColumn<bool>("hibernationEnabled");
        QTest::newRow("hybrid sleep alone") << "no"
                                            << "yes"
                                            << "no" << true << false;
        QTest::newRow("suspend and hibernate") << "yes"
                                               << "na"
                                               << "yes" << true << true;
        QTest::newRow("challenge counts as yes") << "challenge"
                                                 << "no"
                                                 << "challenge" << true << true;
        QTest::newRow("nothing") << "na"
                                 << "no"
                                 << "na" << false << false;
    }

    void answersOfTheLoginManager()
    {
        QFETCH(QString, suspend);
        QFETCH(QString, hybridSleep);
        QFETCH(QString, hibernate);
        QFETCH(bool, sleepEnabled);
        QFETCH(bool, hibernationEnabled);

        ZelPeers::MockPeer logind(QStringLiteral("logind"),
            logindName,
            QStringLiteral("/org/freedesktop/login1"),
            QJsonObject{
                {QStringLiteral("CanSuspend"), suspend},
                {QStringLiteral("CanHybridSleep"), hybridSleep},
                {QStringLiteral("CanHibernate"), hibernate},
            });
        QVERIFY(logind.start());

        const auto expected = [](const QString &answer) { return answer == QLatin1String("yes") || answer == QLatin1String("challenge") ? 1 : 0; };
        QCOMPARE(dbus_Logind_CanSuspend(), expected(suspend));
        QCOMPARE(dbus_Logind_CanHybridSleep(), expected(hybridSleep));
        QCOMPARE(dbus_Logind_CanHibernate(), expected(hibernate));
        QCOMPARE(askAll(), (QList<int>{expected(suspend), expected(hybridSleep), expected(hibernate)}));

        // The model asks nobody until told to, and then fills in the answers.
        ActionModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 8);
        QVERIFY(!enabled(model, 2));
        QVERIFY(!enabled(model, 3));
        model.askLoginManager();
        QTRY_COMPARE(enabled(model, 2), sleepEnabled);
        QTRY_COMPARE(enabled(model, 3), hibernationEnabled);
        QTest::qWait(100);
        QCOMPARE(enabled(model, 2), sleepEnabled);
        verifyAlwaysEnabledRows(model);
    }

    void withoutLoginManager()
    {
        QCOMPARE(dbus_Logind_CanSuspend(), -1);
        QCOMPARE(dbus_Logind_CanHybridSleep(), -1);
        QCOMPARE(dbus_Logind_CanHibernate(), -1);
        QCOMPARE(askAll(), (QList<int>{-1, -1, -1}));

        ActionModel model;
        model.askLoginManager();
        QTest::qWait(200);
        QVERIFY(!enabled(model, 2));
        QVERIFY(!enabled(model, 3));
        verifyAlwaysEnabledRows(model);
    }

    void silentLoginManagerIsWaitedForBoundedly()
    {
        SilentLogind logind;
        QTRY_VERIFY_WITH_TIMEOUT(logindPresent(), 5000);

        // Unanswered questions end at the bound, well before the bus's own
        // 25 s (the bound here only catches a wait for those).
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(dbus_Logind_CanSuspend(), -1);
        QVERIFY2(clock.elapsed() < 10 * zelDBusLogindTimeoutMs, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
        QCOMPARE(askAll(), (QList<int>{-1, -1, -1}));

        // Asked without waiting: the login manager (served by this thread)
        // only gets the question once the model has returned, and its
        // answer then still counts, as it would not had the model waited
        // for it.
        const int held = logind.heldSuspendQuestions();
        ActionModel model;
        model.askLoginManager();
        QTRY_COMPARE(logind.heldSuspendQuestions(), held + 1);
        logind.answerSuspend(QStringLiteral("yes"));
        QTRY_VERIFY(enabled(model, 2));
        QVERIFY(!enabled(model, 3));
        verifyAlwaysEnabledRows(model);
    }

    void rowsRolesAndInvokables()
    {
        ActionModel model;
        const QHash<int, QByteArray> roles = model.roleNames();
        QCOMPARE(roles.size(), 4);
        QCOMPARE(roles.value(257), QByteArray("type"));
        QCOMPARE(roles.value(258), QByteArray("name"));
        QCOMPARE(roles.value(259), QByteArray("icon"));
        QCOMPARE(roles.value(260), QByteArray("enabled"));

        const QList<int> types{0, 1, 2, 3, 4, 5, 6, 7}; // TurnOn is not offered
        for (int row = 0; row < model.rowCount(); ++row) {
            QCOMPARE(model.data(model.index(row, 0), ActionModel::TypeRole).toInt(), types.at(row));
        }
        QCOMPARE(model.data(model.index(4, 0), ActionModel::NameRole).toString(), QStringLiteral("Switch User"));
        QCOMPARE(model.data(model.index(7, 0), ActionModel::NameRole).toString(), QStringLiteral("Log Out"));
        QVERIFY(!model.data(model.index(0, 0), Qt::DisplayRole).isValid());

        QCOMPARE(model.getIcon(3), QVariant(QStringLiteral("system-suspend-hibernate-symbolic")));
        QCOMPARE(model.getIcon(0), QVariant(QStringLiteral("system-shutdown-symbolic")));
        QVERIFY(!model.getIcon(8).isValid());
        QVERIFY(!model.getIcon(-1).isValid());

        // QML sees exactly the one invokable.
        const QMetaObject *meta = model.metaObject();
        QCOMPARE(meta->methodCount() - meta->methodOffset(), 1);
        QCOMPARE(meta->method(meta->methodOffset()).methodSignature(), QByteArray("getIcon(int)"));
    }
};

ZEL_TEST_MAIN(ActionModelTest)

#include "actionmodeltest.moc"
