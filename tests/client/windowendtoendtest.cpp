// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The whole client against the real service on the private buses of the
// harness: the window is created by the client's own Application and View
// from its packed documents, and driven with the mouse like a user would.
// The preset it runs is an hour long and is stopped and removed long before
// it could fire; on these buses nothing could act on the machine anyway.
// Any warning logged while the window runs fails the test. Screenshots go
// to test-artifacts/ of the build tree.

#include "application.h"
#include "backend.h"
#include "presetsmodel.h"
#include "view.h"
#include "zel_version.h"
#include "zelintegration.h"
#include "zeltest.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QSignalSpy>

#include <csignal>

namespace
{
const QString busName = QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");

// getAll as the service answers it through gdbus, as a JSON array.
QJsonArray getAllThroughGdbus()
{
    QProcess gdbus;
    gdbus.start(QStringLiteral("gdbus"),
        {QStringLiteral("call"),
            QStringLiteral("--session"),
            QStringLiteral("--dest"),
            busName,
            QStringLiteral("--object-path"),
            QStringLiteral("/Presets"),
            QStringLiteral("--method"),
            busName + QStringLiteral(".getAll")});
    if (!gdbus.waitForFinished(30000) || gdbus.exitCode() != 0) {
        return {};
    }
    // The reply is printed as ('<json>',), with ' and \ escaped.
    QString text = QString::fromUtf8(gdbus.readAllStandardOutput()).trimmed();
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^\\('(.*)',\\)$"), QRegularExpression::DotMatchesEverythingOption).match(text);
    if (!match.hasMatch()) {
        return {};
    }
    text = match.captured(1);
    text.replace(QStringLiteral("\\'"), QStringLiteral("'"));
    text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return QJsonDocument::fromJson(text.toUtf8()).array();
}

// Warnings logged while the window runs, but the spelling checker's
// complaint that the test machine has no dictionary.
QStringList warnings;
QtMessageHandler testLog = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((type == QtWarningMsg || type == QtCriticalMsg) && qstrcmp(context.category, "kf.sonnet.core") != 0) {
        warnings << message;
    }
    testLog(type, context, message);
}

// Remaining seconds of a timer row's name, "<action> hh:mm:ss".
int remainingSeconds(const QString &name)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("(\\d\\d):(\\d\\d):(\\d\\d)$")).match(name);
    if (!match.hasMatch()) {
        return -1;
    }
    return match.captured(1).toInt() * 3600 + match.captured(2).toInt() * 60 + match.captured(3).toInt();
}
} // namespace

class WindowEndToEndTest : public QObject
{
    Q_OBJECT

private:
    Application *app() const { return static_cast<Application *>(qApp); }

    QQuickWindow *window() const
    {
        const auto windows = QGuiApplication::topLevelWindows();
        for (QWindow *window : windows) {
            if (auto quickWindow = qobject_cast<QQuickWindow *>(window)) {
                if (quickWindow->title() == QLatin1String("Scheduler")) {
                    return quickWindow;
                }
            }
        }
        return nullptr;
    }

    // Every item of the window's scene. Delegates of views have no QObject
    // parent, so the search follows the items, not the objects.
    QList<QQuickItem *> allItems() const
    {
        QList<QQuickItem *> found;
        QList<QQuickItem *> todo{window()->contentItem()};
        while (!todo.isEmpty()) {
            QQuickItem *item = todo.takeFirst();
            found.append(item);
            todo.append(item->childItems());
        }
        return found;
    }

    // Visible items of the window with this object name.
    QList<QQuickItem *> items(const QString &name) const
    {
        QList<QQuickItem *> found;
        const auto candidates = allItems();
        for (QQuickItem *item : candidates) {
            if (item->objectName() == name && item->isVisible()) {
                found.append(item);
            }
        }
        return found;
    }

    QQuickItem *item(const QString &name) const
    {
        const auto found = items(name);
        return found.size() == 1 ? found.first() : nullptr;
    }

    // The visible button with this text.
    QQuickItem *button(const QString &text) const
    {
        const auto candidates = allItems();
        for (QQuickItem *item : candidates) {
            if (item->inherits("QQuickAbstractButton") && item->isVisible() && item->property("text").toString() == text) {
                return item;
            }
        }
        return nullptr;
    }

    static bool click(QQuickItem *item)
    {
        if (!item || !item->isEnabled() || !item->isVisible()) {
            return false;
        }
        const QPointF center = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(item->window(), Qt::LeftButton, Qt::NoModifier, center.toPoint());
        return true;
    }

    // The rows have slid in and no popup (a tool tip) covers the window.
    bool rowsInPlaceAndNoPopup() const
    {
        const auto candidates = allItems();
        for (QQuickItem *item : candidates) {
            if (item->isVisible() && (item->inherits("QQuickPopupItem") || (item->objectName() == QLatin1String("presetRow") && item->x() != 0.0))) {
                return false;
            }
        }
        return true;
    }

    QString rowName() const
    {
        QQuickItem *row = item(QStringLiteral("presetRow"));
        return row ? row->property("label").toString() : QString();
    }

    void saveScreenshot(const QString &name)
    {
        const QString dir = QStringLiteral(ZEL_ARTIFACTS_DIR);
        QDir().mkpath(dir);
        const QImage image = window()->grabWindow();
        QVERIFY(!image.isNull());
        QVERIFY(image.save(dir + QLatin1Char('/') + name));
    }

    QString presetId;

private Q_SLOTS:
    void initTestCase()
    {
        // As the program does at start; the backend starts the service.
        zelInit(ZEL_VERSION_STRING, "Scheduler");
        testLog = qInstallMessageHandler(recordWarnings);
        app()->view()->load();
        app()->backend()->connectToService();
    }

    void cleanup() { QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n')))); }

    void windowAppears()
    {
        QTRY_VERIFY_WITH_TIMEOUT(window() != nullptr, 10000);
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        QTRY_COMPARE_WITH_TIMEOUT(app()->backend()->serviceState(), Backend::Ready, 20000);
        QVERIFY(getAllThroughGdbus().isEmpty());
        // At least as large as its content asks.
        QVERIFY(window()->minimumWidth() > 0 && window()->minimumHeight() > 0);
        QVERIFY(window()->width() >= window()->minimumWidth());
        QVERIFY(window()->height() >= window()->minimumHeight());
        QVERIFY(item(QStringLiteral("presets")));
        QVERIFY(item(QStringLiteral("presets"))->isEnabled());
        QVERIFY(item(QStringLiteral("presetRow")) == nullptr);
        // The empty list tells how to begin.
        QTRY_VERIFY(item(QStringLiteral("emptyPlaceholder")) != nullptr);
        saveScreenshot(QStringLiteral("client-empty.png"));
    }

    void addEventAndApplyStoresThePreset()
    {
        QVERIFY(click(item(QStringLiteral("addButton"))));
        QTRY_VERIFY(item(QStringLiteral("presetRow")) != nullptr);
        // The new row is current and shown as a timer without edits.
        QQuickItem *settings = item(QStringLiteral("settings"));
        QVERIFY(settings);
        QTRY_VERIFY(settings->isEnabled());
        QVERIFY(!settings->property("hasChanges").toBool());

        // One hour: the hours field one step up.
        QQuickItem *hours = item(QStringLiteral("timerHours"));
        QVERIFY(hours);
        QObject *up = hours->property("up").value<QObject *>();
        QVERIFY(up);
        QVERIFY(click(up->property("indicator").value<QQuickItem *>()));
        QTRY_COMPARE(hours->property("value").toInt(), 1);
        QVERIFY(settings->property("hasChanges").toBool());

        QVERIFY(click(button(QStringLiteral("Apply"))));

        QJsonArray stored;
        QTRY_VERIFY_WITH_TIMEOUT((stored = getAllThroughGdbus()).size() == 1, 10000);
        const QJsonObject preset = stored.first().toObject();
        QCOMPARE(preset.value(QStringLiteral("preset_name")).toString(), QStringLiteral("Shut Down 1:00"));
        QCOMPARE(preset.value(QStringLiteral("preset_type")).toInt(), 0);
        QCOMPARE(preset.value(QStringLiteral("action_type")).toInt(), 0);
        QCOMPARE(preset.value(QStringLiteral("timer")).toObject().value(QStringLiteral("timeout")).toDouble(), 3600000.0);
        QCOMPARE(preset.value(QStringLiteral("preset_running")).toBool(), false);
        presetId = preset.value(QStringLiteral("preset_id")).toString();

        // The row is now the stored preset, and the editor has no edits.
        QTRY_COMPARE(rowName(), QStringLiteral("Shut Down 01:00:00"));
        QTRY_VERIFY(!settings->property("hasChanges").toBool());
    }

    void startButtonRunsTheCountdown()
    {
        QVERIFY(!presetId.isEmpty());
        QSignalSpy startRequests(app()->backend()->presetsModel(), SIGNAL(start(QString)));
        // New rows slide in; click once the row is in place.
        QTRY_COMPARE(item(QStringLiteral("presetRow"))->x(), 0.0);
        QVERIFY(click(item(QStringLiteral("startButton"))));
        QCOMPARE(startRequests.count(), 1);
        QCOMPARE(startRequests.first().first().toString(), presetId);
        QTRY_VERIFY_WITH_TIMEOUT(getAllThroughGdbus().first().toObject().value(QStringLiteral("preset_running")).toBool(), 10000);
        QTRY_VERIFY(item(QStringLiteral("pauseButton")) != nullptr);

        // The service reports every second; the row's name counts down.
        QTRY_VERIFY_WITH_TIMEOUT(remainingSeconds(rowName()) > 0 && remainingSeconds(rowName()) < 3600, 10000);
        const int first = remainingSeconds(rowName());
        QTRY_VERIFY_WITH_TIMEOUT(remainingSeconds(rowName()) > 0 && remainingSeconds(rowName()) < first, 10000);

        saveScreenshot(QStringLiteral("client-window.png"));

        QVERIFY(click(item(QStringLiteral("stopButton"))));
        QTRY_VERIFY_WITH_TIMEOUT(!getAllThroughGdbus().first().toObject().value(QStringLiteral("preset_running")).toBool(), 10000);
    }

    void removeButtonRemovesThePreset()
    {
        QVERIFY(click(item(QStringLiteral("removeButton"))));
        // The question is a message box of its own; answer it with OK.
        QObject *box = nullptr;
        QTRY_VERIFY((box = window()->findChild<QObject *>(QStringLiteral("removeMessage"))) != nullptr);
        QVERIFY(QMetaObject::invokeMethod(box, "accept"));
        QTRY_VERIFY_WITH_TIMEOUT(getAllThroughGdbus().isEmpty(), 10000);
        QTRY_VERIFY(item(QStringLiteral("presetRow")) == nullptr);
    }

    // Running presets of each kind say when they act: a countdown its end,
    // a weekly schedule and a daily window their next action, as the
    // service works them out. The rows and the editor's summary are shown.
    void rowsSayWhenPresetsAct()
    {
        QDBusInterface service(busName, QStringLiteral("/Presets"), busName);
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime monday(now.date().addDays(1 - now.date().dayOfWeek()), QTime(22, 0));
        const QJsonObject presets[] = {
            {{QStringLiteral("preset_id"), QStringLiteral("{00000000-0000-0000-0000-00000000000a}")},
                {QStringLiteral("preset_type"), 0},
                {QStringLiteral("action_type"), 0},
                {QStringLiteral("timer"), QJsonObject{{QStringLiteral("timeout"), 5400000}, {QStringLiteral("notify"), 600000}}}},
            {{QStringLiteral("preset_id"), QStringLiteral("{00000000-0000-0000-0000-00000000000b}")},
                {QStringLiteral("preset_type"), 1},
                {QStringLiteral("action_type"), 1},
                {QStringLiteral("schedule"),
                    QJsonObject{{QStringLiteral("start"), double(monday.toMSecsSinceEpoch())},
                        {QStringLiteral("end"), double(monday.addYears(1).toMSecsSinceEpoch())},
                        {QStringLiteral("notify"), 900000},
                        {QStringLiteral("repeat_settings"),
                            QJsonObject{{QStringLiteral("repeat_settings_type"), 6},
                                {QStringLiteral("repeat_settings_custom_type"), 1},
                                {QStringLiteral("repeat_settings_count"), 1},
                                {QStringLiteral("repeat_settings_selected"), QJsonArray{1, 3, 5}}}}}}},
            {{QStringLiteral("preset_id"), QStringLiteral("{00000000-0000-0000-0000-00000000000c}")},
                {QStringLiteral("preset_name"), QStringLiteral("Lunch break")},
                {QStringLiteral("preset_type"), 2},
                {QStringLiteral("action_type"), 6},
                {QStringLiteral("interval"),
                    QJsonObject{{QStringLiteral("start"), 43200000}, {QStringLiteral("end"), 46800000}, {QStringLiteral("regularity"), 300000}}}},
        };
        for (const QJsonObject &preset : presets) {
            QVERIFY(service.call(QStringLiteral("updatePreset"), QString::fromUtf8(QJsonDocument(preset).toJson(QJsonDocument::Compact))).type() !=
                QDBusMessage::ErrorMessage);
            QVERIFY(service.call(QStringLiteral("start"), preset.value(QStringLiteral("preset_id")).toString()).type() != QDBusMessage::ErrorMessage);
        }
        const auto statuses = [this] {
            QStringList found;
            const auto rows = items(QStringLiteral("presetRow"));
            for (QQuickItem *row : rows) {
                found << row->property("status").toString();
            }
            return found.join(QLatin1Char('|'));
        };
        QTRY_VERIFY2_WITH_TIMEOUT(
            QRegularExpression(QStringLiteral("^Ends [^|]+\\|Next: [^|]+ · in [^|]+\\|Next: [^|]+ · in [^|]+$")).match(statuses()).hasMatch(),
            qPrintable(statuses()),
            10000);
        app()->backend()->presets()->select(1);
        QTRY_COMPARE(item(QStringLiteral("repeatSummary"))->property("text").toString(), QStringLiteral("weekly on Mon, Wed and Fri"));
        // Past the rows' sliding in, with no tool tip in the way.
        QTest::mouseMove(window(), QPoint(window()->width() - 2, 2));
        QTRY_VERIFY(rowsInPlaceAndNoPopup());
        saveScreenshot(QStringLiteral("client-next-actions.png"));

        for (const QJsonObject &preset : presets) {
            service.call(QStringLiteral("removePreset"), preset.value(QStringLiteral("preset_id")).toString());
        }
        QTRY_VERIFY_WITH_TIMEOUT(getAllThroughGdbus().isEmpty(), 10000);
    }

    // The service ends: the window says so and starts it again on request.
    void serviceGoesAndComesBack()
    {
        const uint pid = QDBusConnection::sessionBus().interface()->servicePid(busName).value();
        QVERIFY(pid > 0);
        QCOMPARE(::kill(pid_t(pid), SIGTERM), 0);
        QQuickItem *message = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((message = item(QStringLiteral("serviceMessage"))) != nullptr, 10000);
        QCOMPARE(app()->backend()->serviceState(), Backend::NotRunning);
        QVERIFY(!item(QStringLiteral("presets"))->isEnabled());
        // Past the message's fade-in.
        QTRY_VERIFY(message->opacity() == 1.0 && !message->property("animating").toBool());
        saveScreenshot(QStringLiteral("client-disconnected.png"));

        QVERIFY(click(button(QStringLiteral("Start Service"))));
        QTRY_COMPARE_WITH_TIMEOUT(app()->backend()->serviceState(), Backend::Ready, 20000);
        QTRY_VERIFY(item(QStringLiteral("serviceMessage")) == nullptr);
        QVERIFY(item(QStringLiteral("presets"))->isEnabled());
    }
};

ZEL_TEST_MAIN_WITH(WindowEndToEndTest, Application, true)

#include "windowendtoendtest.moc"
