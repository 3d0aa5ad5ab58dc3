// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

#include <optional>
#include <utility>

// A value, or the text that tells the user, in their words, why there is
// none. The parsers and the bus client return it instead of throwing, so that
// every failure reaches the user as a sentence.
template<typename T>
class Result
{
public:
    Result(T value) : m_value(std::move(value)) { }

    static Result failure(QString message)
    {
        Result result;
        result.m_error = std::move(message);
        return result;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    const T &operator*() const { return *m_value; }
    const T *operator->() const { return &*m_value; }
    const QString &error() const { return m_error; }

private:
    Result() = default;

    std::optional<T> m_value;
    QString m_error;
};
