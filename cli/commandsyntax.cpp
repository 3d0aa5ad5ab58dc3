// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "commandsyntax.h"

#include "exitstatus.h"
#include "output.h"

namespace
{
QString optionNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names()) {
        names << (name.size() == 1 ? QLatin1String("-") : QLatin1String("--")) + name;
    }
    QString result = names.join(QLatin1String(", "));
    if (!option.valueName().isEmpty()) {
        result += QLatin1Char(' ') + option.valueName();
    }
    return result;
}
} // namespace

CommandSyntax::CommandSyntax(const QString &command, const QString &usage, const QString &description, const QString &examples)
    : m_command(command), m_usage(usage), m_description(description), m_examples(examples)
{
    addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, tr("Show this help.")));
}

void CommandSyntax::addOption(const QCommandLineOption &option)
{
    m_options.append(option);
    m_parser.addOption(option);
}

std::optional<int> CommandSyntax::parse(const QStringList &arguments)
{
    if (!m_parser.parse(QStringList{QStringLiteral("zel-scheduler-cli")} + arguments)) {
        return usageError(m_parser.errorText());
    }
    if (m_parser.isSet(QStringLiteral("help"))) {
        Output::line(help());
        return ExitStatus::Success;
    }
    return std::nullopt;
}

QString CommandSyntax::help() const
{
    int width = 0;
    for (const QCommandLineOption &option : m_options) {
        width = std::max(width, int(optionNames(option).size()));
    }
    QStringList lines;
    // Each form of the command on a line of its own, aligned under the first;
    // a line that starts with a space continues the form above it.
    const QString program = QStringLiteral("zel-scheduler-cli ");
    QStringList forms = m_usage.split(QLatin1Char('\n'));
    for (QString &form : forms) {
        form.prepend(form.startsWith(QLatin1Char(' ')) ? QString(program.size(), QLatin1Char(' ')) : program);
    }
    const QString usage = tr("Usage: %1").arg(forms.join(QLatin1Char('\n')));
    const int formIndent = usage.indexOf(program);
    lines << usage.split(QLatin1Char('\n')).join(QLatin1Char('\n') + QString(formIndent, QLatin1Char(' '))) << QString() << wrap(m_description, helpWidth)
          << QString() << tr("Options:");
    for (const QCommandLineOption &option : m_options) {
        lines << wrap(QStringLiteral("  ") + optionNames(option).leftJustified(width + 2) + option.description(), helpWidth, width + 4);
    }
    if (!m_examples.isEmpty()) {
        lines << QString() << tr("Examples:") << m_examples;
    }
    return lines.join(QLatin1Char('\n'));
}

QString CommandSyntax::wrap(const QString &text, int width, int indent)
{
    QStringList result;
    for (QString rest : text.split(QLatin1Char('\n'))) {
        // Breaks only after the indentation, so that a line never starts
        // before the column it continues.
        int space;
        while (rest.size() > width && (space = rest.lastIndexOf(QLatin1Char(' '), width)) > indent) {
            QString line = rest.left(space);
            while (line.endsWith(QLatin1Char(' '))) {
                line.chop(1);
            }
            result << line;
            rest = QString(indent, QLatin1Char(' ')) + rest.mid(space + 1).trimmed();
        }
        result << rest;
    }
    return result.join(QLatin1Char('\n'));
}

int CommandSyntax::usageError(const QString &message) const
{
    Output::error(message);
    Output::error(tr("Try \"%1\" for more information.").arg(QStringLiteral("zel-scheduler-cli %1 --help").arg(m_command)));
    return ExitStatus::Usage;
}
