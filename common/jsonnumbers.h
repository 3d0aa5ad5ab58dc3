// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QJsonValue>
#include <QtGlobal>

// Conversions between JSON numbers (doubles) and the integer fields of a
// preset. Reading never fails and never invokes undefined behaviour:
//  - unsigned 64-bit: truncated toward zero; negative numbers and -inf read
//    as 0, numbers of 2^64 or more and +inf saturate to 2^64-1, NaN reads as 0,
//    anything that is not a number reads as the default;
//  - 32-bit signed: only an integral number inside the 32-bit range counts,
//    anything else reads as the default.
namespace JsonNumbers
{
quint64 toUInt64(const QJsonValue &value, quint64 defaultValue = 0);
qint32 toInt32(const QJsonValue &value, qint32 defaultValue = 0);

// The JSON number of an unsigned value: its decimal text read as a double.
QJsonValue fromUInt64(quint64 value);
// A 64-bit value written as a 32-bit integer: its decimal text, taken as an
// unsigned number, read back as a 32-bit integer; 0 when it does not fit.
QJsonValue int32FromInt64(qint64 value);
} // namespace JsonNumbers
