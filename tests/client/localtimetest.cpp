// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// A day and a time of day become the instant the local clock shows them, on
// the days the clocks change too.

#include "localtime.h"
#include "zeltest.h"

#include <QDateTime>

#include <ctime>

class LocalTimeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compose_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("msOfDay");
        QTest::addColumn<QDateTime>("instant");
        const QByteArray berlin("Europe/Berlin");
        const auto ms = [](int hour, int minute) { return (hour * 60 + minute) * 60000; };
        const auto utc = [](int month, int day, int hour, int minute) { return QDateTime(QDate(2024, month, day), QTime(hour, minute), Qt::UTC); };
        // The hour that comes twice is taken at its first coming, as the
        // service takes it, whatever conversions came before.
        QTest::newRow("Berlin, 27 October, repeated hour") << berlin << QDate(2024, 10, 27) << ms(2, 30) << utc(10, 27, 0, 30);
        QTest::newRow("Berlin, winter") << berlin << QDate(2024, 1, 15) << ms(10, 0) << utc(1, 15, 9, 0);
        QTest::newRow("Berlin, 31 March, before the change") << berlin << QDate(2024, 3, 31) << ms(1, 59) << utc(3, 31, 0, 59);
        QTest::newRow("Berlin, 31 March, skipped hour") << berlin << QDate(2024, 3, 31) << ms(2, 30) << utc(3, 31, 1, 30);
        QTest::newRow("Berlin, 31 March, after the change") << berlin << QDate(2024, 3, 31) << ms(10, 0) << utc(3, 31, 8, 0);
        QTest::newRow("Berlin, 27 October, before the change") << berlin << QDate(2024, 10, 27) << ms(0, 30) << utc(10, 26, 22, 30);
        QTest::newRow("Berlin, 27 October, after the change") << berlin << QDate(2024, 10, 27) << ms(10, 0) << utc(10, 27, 9, 0);
        QTest::newRow("Berlin, last minute of 27 October") << berlin << QDate(2024, 10, 27) << ms(23, 59) << utc(10, 27, 22, 59);
        // A step of the time field may leave the day before it wraps round.
        QTest::newRow("Berlin, 24:30 is half past midnight of the next day") << berlin << QDate(2024, 1, 15) << ms(24, 30) << utc(1, 15, 23, 30);
        QTest::newRow("Berlin, -1:00 is the evening before") << berlin << QDate(2024, 1, 15) << -ms(1, 0) << utc(1, 14, 22, 0);
        QTest::newRow("UTC") << QByteArray("UTC") << QDate(2024, 3, 31) << ms(2, 30) << utc(3, 31, 2, 30);
    }

    void compose()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, date);
        QFETCH(int, msOfDay);
        QFETCH(QDateTime, instant);
        const bool hadZone = qEnvironmentVariableIsSet("TZ");
        const QByteArray previous = qgetenv("TZ");
        qputenv("TZ", zone);
        tzset();
        const qint64 composed = LocalTime::compose(date, msOfDay);
        if (hadZone) {
            qputenv("TZ", previous);
        } else {
            qunsetenv("TZ");
        }
        tzset();
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(composed, Qt::UTC), instant);
    }
};

ZEL_TEST_MAIN(LocalTimeTest)

#include "localtimetest.moc"
