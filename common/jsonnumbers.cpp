// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "jsonnumbers.h"

#include <cmath>
#include <limits>

namespace JsonNumbers
{
quint64 toUInt64(const QJsonValue &value, quint64 defaultValue)
{
    if (!value.isDouble()) {
        return defaultValue;
    }
    const double d = value.toDouble();
    if (std::isnan(d) || d <= 0.0) {
        return 0;
    }
    constexpr double two63 = 9223372036854775808.0; // 2^63, exact as a double
    if (d >= 2.0 * two63) {
        return std::numeric_limits<quint64>::max();
    }
    if (d >= two63) {
        return static_cast<quint64>(d - two63) + (quint64(1) << 63);
    }
    return static_cast<quint64>(d);
}

qint32 toInt32(const QJsonValue &value, qint32 defaultValue)
{
    if (!value.isDouble()) {
        return defaultValue;
    }
    const double d = value.toDouble();
    if (!std::isfinite(d) || std::trunc(d) != d) {
        return defaultValue;
    }
    if (d < double(std::numeric_limits<qint32>::min()) || d > double(std::numeric_limits<qint32>::max())) {
        return defaultValue;
    }
    return static_cast<qint32>(d);
}

QJsonValue fromUInt64(quint64 value)
{
    return QJsonValue(QString::number(value).toDouble());
}

QJsonValue int32FromInt64(qint64 value)
{
    bool ok = false;
    const int result = QString::number(static_cast<quint64>(value)).toInt(&ok);
    return QJsonValue(ok ? result : 0);
}
} // namespace JsonNumbers
