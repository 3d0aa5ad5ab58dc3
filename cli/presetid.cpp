// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetid.h"

#include <QCoreApplication>

namespace PresetId
{
namespace
{
QString tr(const char *text, const char *comment = nullptr, int n = -1)
{
    return QCoreApplication::translate("PresetId", text, comment, n);
}

QString bare(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces);
}
} // namespace

QString shortId(const QUuid &id)
{
    return bare(id).left(8);
}

Result<int> resolve(const QString &given, const QVector<Preset> &presets)
{
    const QString text = given.trimmed();
    const QUuid full(text);
    QVector<int> matches;
    for (int i = 0; i < presets.size(); ++i) {
        const Preset &preset = presets.at(i);
        if (!full.isNull()) {
            if (preset.id() == full) {
                matches.append(i);
            }
            continue;
        }
        const QString prefix = text.startsWith(QLatin1Char('{')) ? text.mid(1).toLower() : text.toLower();
        if ((!prefix.isEmpty() && bare(preset.id()).startsWith(prefix)) || (!text.isEmpty() && preset.name() == text)) {
            matches.append(i);
        }
    }
    if (matches.size() == 1) {
        return matches.first();
    }
    if (matches.isEmpty()) {
        return Result<int>::failure(tr("No preset matches \"%1\". \"zel-scheduler-cli list\" shows the presets.").arg(printable(given)));
    }
    QString message = tr("\"%1\" matches %n presets; name one by more of its id:", nullptr, matches.size()).arg(printable(given));
    for (int index : qAsConst(matches)) {
        message += QStringLiteral("\n  %1  %2").arg(presets.at(index).id().toString(), printable(presets.at(index).name()));
    }
    return Result<int>::failure(message);
}

QString printable(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c.category() == QChar::Other_Control) {
            c = QLatin1Char(' ');
        }
    }
    return result;
}
} // namespace PresetId
