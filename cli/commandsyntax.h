// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>

#include <optional>

// The options of one command and its help, read with QCommandLineParser.
// The help shows the usage line, the description, the options and the
// examples. Errors in the command line are written as usage errors with a
// pointer to the command's help.
class CommandSyntax
{
    Q_DECLARE_TR_FUNCTIONS(CommandSyntax)
public:
    // usage follows the program's name, e.g. "list [--json]", one form of the
    // command a line; description and examples are paragraphs of their own.
    CommandSyntax(const QString &command, const QString &usage, const QString &description, const QString &examples);

    void addOption(const QCommandLineOption &option);

    // Reads the command's arguments (those after its name). Returns the
    // status to exit with when the program is done already: Success after
    // printing the help, Usage after an error.
    std::optional<int> parse(const QStringList &arguments);

    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList positionalArguments() const { return m_parser.positionalArguments(); }

    QString help() const;
    // text broken into lines of at most width characters at spaces, each
    // line after the first indented by indent spaces; line breaks in text
    // are kept.
    static QString wrap(const QString &text, int width, int indent = 0);
    // The width the help is written for.
    static constexpr int helpWidth = 79;
    // Writes message and where to find help; returns the Usage status.
    int usageError(const QString &message) const;

private:
    QString m_command;
    QString m_usage;
    QString m_description;
    QString m_examples;
    QList<QCommandLineOption> m_options;
    QCommandLineParser m_parser;
};
