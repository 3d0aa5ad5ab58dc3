// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "settingsfile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonDocument>
#include <QSaveFile>
#include <QVariant>
#include <QVector>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The reading rules below follow those of QSettings' INI parser (logical
// lines, sections, escapes), so that a file means to us what it means to
// QSettings.

namespace
{
const char hexDigits[] = "0123456789ABCDEF";
const QByteArray variantPrefix = QByteArrayLiteral("@Variant(");

bool isSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

bool isSpecial(char ch)
{
    return ch == '\n' || ch == '\r' || ch == '"' || ch == ';' || ch == '=' || ch == '\\';
}

bool isHexDigit(uint ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

// One logical line: an entry, a section header or other text. Quoted text
// and backslash-escaped line ends continue a line; comments are skipped.
struct Line
{
    int start = 0;
    int length = 0;
    int equals = -1; // the first '=' outside quotes, or -1
};

bool readLine(const QByteArray &data, int &pos, Line &line)
{
    const int size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    line.start = pos;
    while (line.start < size && isSpace(data.at(line.start))) {
        ++line.start;
    }
    int i = line.start;
    while (i < size) {
        char ch = data.at(i);
        while (!isSpecial(ch)) {
            if (++i == size) {
                goto done;
            }
            ch = data.at(i);
        }
        ++i;
        if (ch == '=') {
            if (!inQuotes && line.equals == -1) {
                line.equals = i - 1;
            }
        } else if (ch == '\n' || ch == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char escaped = data.at(i++);
                if (i < size) {
                    const char next = data.at(i);
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n')) {
                        ++i;
                    }
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else { // ';'
            if (i == line.start + 1) {
                while (i < size && data.at(i) != '\n' && data.at(i) != '\r') {
                    ++i;
                }
                while (i < size && isSpace(data.at(i))) {
                    ++i;
                }
                line.start = i;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        }
    }
done:
    pos = i;
    line.length = i - line.start;
    return line.length > 0;
}

struct Entry
{
    QString key;
    int start; // of the logical line
    int end;
    int valueStart;
};

// Where the top-level entries of a file are, and where new ones go.
struct Layout
{
    QVector<Entry> entries;
    int lastTopLevelEnd = -1; // end of the last top-level line; -1: there is none yet
    int bodyStart = 0; // after a byte order mark
};

// The position after the line break (\n, \r, \r\n or \n\r) at pos, if any.
int afterLineBreak(const QByteArray &text, int pos)
{
    if (pos < text.size() && (text.at(pos) == '\n' || text.at(pos) == '\r')) {
        const char first = text.at(pos++);
        if (pos < text.size() && (text.at(pos) == '\n' || text.at(pos) == '\r') && text.at(pos) != first) {
            ++pos;
        }
    }
    return pos;
}

Layout layoutOf(const QByteArray &data)
{
    Layout layout;
    if (data.startsWith("\xef\xbb\xbf")) {
        layout.bodyStart = 3;
    }
    bool topLevel = true;
    int pos = layout.bodyStart;
    Line line;
    while (readLine(data, pos, line)) {
        const int end = line.start + line.length;
        if (data.at(line.start) == '[') {
            int close = data.indexOf(']', line.start);
            if (close == -1 || close >= end) {
                close = end;
            }
            const QByteArray section = data.mid(line.start + 1, close - line.start - 1).trimmed();
            topLevel = section.compare("general", Qt::CaseInsensitive) == 0;
            if (topLevel) {
                layout.lastTopLevelEnd = end;
            }
            continue;
        }
        if (!topLevel || line.equals == -1) {
            continue;
        }
        int keyEnd = line.equals;
        while (keyEnd > line.start && (data.at(keyEnd - 1) == ' ' || data.at(keyEnd - 1) == '\t')) {
            --keyEnd;
        }
        int valueStart = line.equals + 1;
        while (valueStart < end && (data.at(valueStart) == ' ' || data.at(valueStart) == '\t')) {
            ++valueStart;
        }
        layout.entries.append({SettingsFile::decodeKey(data.mid(line.start, keyEnd - line.start)), line.start, end, valueStart});
        layout.lastTopLevelEnd = end;
    }
    return layout;
}

// A value as QSettings reads it into one string; nullopt for a list (an
// unquoted comma), which no JSON object is written as.
std::optional<QString> unescapedValue(const QByteArray &text)
{
    static const char simpleEscapes[][2] = {
        {'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'}, {'?', '?'}, {'\'', '\''}, {'\\', '\\'}};
    const int size = text.size();
    QString result;
    bool inQuotes = false;
    bool quoted = false;
    int chopLimit = 0;
    int i = 0;
    const auto skipBlanks = [&] {
        while (i < size && (text.at(i) == ' ' || text.at(i) == '\t')) {
            ++i;
        }
    };
    // Digits of a numeric escape; the value is capped, as no character
    // beyond U+FFFF can come out of it anyway.
    const auto number = [&](uint base, uint first) {
        uint value = first;
        while (i < size) {
            const uint ch = uchar(text.at(i));
            const uint digit = ch <= '9' ? ch - '0' : (ch | 0x20) - 'a' + 10;
            if (!(base == 16 ? isHexDigit(ch) : (ch >= '0' && ch <= '7'))) {
                break;
            }
            value = std::min<uint>(value * base + digit, 0xffff);
            ++i;
        }
        result += QChar(ushort(value));
    };

    skipBlanks();
    while (i < size) {
        const char ch = text.at(i);
        if (ch == '\\') {
            if (++i >= size) {
                break;
            }
            const char escaped = text.at(i++);
            const auto simple = std::find_if(std::begin(simpleEscapes), std::end(simpleEscapes), [escaped](const char *e) { return e[0] == escaped; });
            if (simple != std::end(simpleEscapes)) {
                result += QLatin1Char((*simple)[1]);
            } else if (escaped == 'x') {
                if (i < size && isHexDigit(uchar(text.at(i)))) {
                    number(16, 0);
                }
            } else if (escaped >= '0' && escaped <= '7') {
                number(8, escaped - '0');
            } else if ((escaped == '\n' || escaped == '\r') && i < size) {
                const char next = text.at(i);
                if ((next == '\n' || next == '\r') && next != escaped) {
                    ++i;
                }
            }
            chopLimit = result.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = result.size();
            }
        } else if (ch == ',' && !inQuotes) {
            return std::nullopt;
        } else {
            int j = i + 1;
            while (j < size && text.at(j) != '\\' && text.at(j) != '"' && text.at(j) != ',') {
                ++j;
            }
            result += QString::fromLatin1(text.constData() + i, j - i);
            i = j;
        }
    }
    if (!quoted) {
        while (result.size() > chopLimit && (result.endsWith(QLatin1Char(' ')) || result.endsWith(QLatin1Char('\t')))) {
            result.chop(1);
        }
    }
    return result;
}

// A string of Latin-1 characters escaped as QSettings writes it.
QByteArray escapedValue(const QString &text)
{
    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const QChar c : text) {
        const uint ch = c.unicode();
        if (ch == ';' || ch == ',' || ch == '=') {
            needsQuotes = true;
        }
        if (escapeNextIfDigit && isHexDigit(ch)) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (ch <= 0x1f || ch >= 0x7f) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else {
                result += char(ch);
            }
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' ')) {
        result = '"' + result + '"';
    }
    return result;
}

// The first number of a QVariant holding a QJsonObject in QSettings' stream
// version: its type as that version numbers it.
quint32 jsonObjectStreamType()
{
    static const quint32 type = [] {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_4_0);
        stream << QVariant(QJsonObject());
        QDataStream back(bytes);
        back.setVersion(QDataStream::Qt_4_0);
        quint32 first = 0;
        back >> first;
        return first;
    }();
    return type;
}
} // namespace

SettingsFile::SettingsFile(const QString &path) : m_path(path) { }

QByteArray SettingsFile::encodeKey(const QString &key)
{
    QByteArray result;
    for (const QChar c : key) {
        const uint ch = c.unicode();
        if (ch == '/') {
            result += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.') {
            result += char(ch);
        } else if (ch <= 0xff) {
            result += '%';
            result += hexDigits[ch / 16];
            result += hexDigits[ch % 16];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) {
                result += hexDigits[(ch >> shift) & 0xf];
            }
        }
    }
    return result;
}

QString SettingsFile::decodeKey(const QByteArray &key)
{
    QString result;
    int i = 0;
    while (i < key.size()) {
        const char ch = key.at(i);
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == key.size() - 1) {
            result += QLatin1Char(ch);
            ++i;
            continue;
        }
        int digits = 2;
        int first = i + 1;
        if (key.at(first) == 'U') {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const ushort code = first + digits <= key.size() ? key.mid(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
    return result;
}

QByteArray SettingsFile::encodeJsonObject(const QJsonObject &object)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_4_0);
    stream << QVariant(object);
    QByteArray text = variantPrefix;
    text += bytes;
    text += ')';
    // With its size: the text holds NUL bytes.
    return escapedValue(QString::fromLatin1(text.constData(), text.size()));
}

std::optional<QJsonObject> SettingsFile::decodeJsonObject(const QByteArray &value)
{
    const std::optional<QString> text = unescapedValue(value);
    if (!text || !text->startsWith(QLatin1String(variantPrefix)) || !text->endsWith(QLatin1Char(')'))) {
        return std::nullopt;
    }
    const QString inner = text->mid(variantPrefix.size(), text->size() - variantPrefix.size() - 1);
    if (std::any_of(inner.cbegin(), inner.cend(), [](QChar c) { return c.unicode() > 0xff; })) {
        return std::nullopt;
    }
    const QByteArray bytes = inner.toLatin1();
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_4_0);
    quint32 type = 0;
    QByteArray json;
    stream >> type >> json;
    if (stream.status() != QDataStream::Ok || !stream.atEnd() || type != jsonObjectStreamType()) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

QByteArray SettingsFile::applyEdits(const QByteArray &text, const QMap<QString, std::optional<QByteArray>> &edits)
{
    const Layout layout = layoutOf(text);
    struct Change
    {
        int from;
        int to;
        QByteArray with;
    };
    QVector<Change> changes;
    QByteArray added;
    for (auto edit = edits.cbegin(); edit != edits.cend(); ++edit) {
        const auto last = std::find_if(layout.entries.crbegin(), layout.entries.crend(), [&edit](const Entry &entry) { return entry.key == edit.key(); });
        if (edit.value()) {
            if (last != layout.entries.crend()) {
                // Earlier lines of the same key are shadowed and never read.
                changes.append({last->valueStart, last->end, *edit.value()});
            } else {
                added += encodeKey(edit.key()) + '=' + *edit.value() + '\n';
            }
            continue;
        }
        // A removal takes every line of the key, so that none comes back.
        for (const Entry &entry : layout.entries) {
            if (entry.key == edit.key()) {
                changes.append({entry.start, afterLineBreak(text, entry.end), QByteArray()});
            }
        }
    }
    if (!added.isEmpty()) {
        if (layout.lastTopLevelEnd >= 0) {
            const int at = afterLineBreak(text, layout.lastTopLevelEnd);
            changes.append({at, at, at == layout.lastTopLevelEnd ? '\n' + added : added});
        } else {
            // No top-level part yet: it comes first, as QSettings writes it.
            const bool more = layout.bodyStart < text.size();
            changes.append({layout.bodyStart, layout.bodyStart, "[General]\n" + added + (more ? "\n" : "")});
        }
    }
    // From the back, so that every position still holds when it is used; an
    // insertion goes where a removed line ended, never inside it.
    std::stable_sort(changes.begin(), changes.end(), [](const Change &a, const Change &b) { return a.from > b.from; });
    QByteArray result = text;
    for (const Change &change : changes) {
        result.replace(change.from, change.to - change.from, change.with);
    }
    return result;
}

std::optional<QMap<QString, QByteArray>> SettingsFile::read()
{
    QByteArray text;
    if (!readFile(&text)) {
        return std::nullopt;
    }
    QMap<QString, QByteArray> entries;
    for (const Entry &entry : layoutOf(text).entries) {
        entries.insert(entry.key, text.mid(entry.valueStart, entry.end - entry.valueStart));
    }
    return entries;
}

bool SettingsFile::write(const QMap<QString, std::optional<QByteArray>> &edits, Durability durability)
{
    QByteArray text;
    if (!readFile(&text)) {
        // Never replace a file whose other entries could not be read.
        return false;
    }
    const QByteArray changed = applyEdits(text, edits);
    if (changed != text) {
        return replaceFile(changed, durability);
    }
    return durability == Durability::Progress || settle();
}

bool SettingsFile::settle()
{
    if (m_unsyncedFolder.isEmpty()) {
        return true;
    }
    const int dir = ::open(QFile::encodeName(m_unsyncedFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        const bool synced = ::fsync(dir) == 0 || errno == EINVAL;
        const int error = errno;
        ::close(dir);
        if (!synced) {
            return fail(qt_error_string(error));
        }
    }
    m_unsyncedFolder.clear();
    m_error.clear();
    return true;
}

bool SettingsFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool SettingsFile::readFile(QByteArray *text)
{
    text->clear();
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT || fail(qt_error_string(errno));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text->append(buffer, int(got));
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            const int error = errno;
            ::close(fd);
            return fail(qt_error_string(error));
        }
    }
    ::close(fd);
    return true;
}

bool SettingsFile::replaceFile(const QByteArray &text, Durability durability)
{
    // A symbolic link (a dotfiles folder, say) keeps pointing at the file.
    const QFileInfo link(m_path);
    const QString target = link.isSymLink() ? link.symLinkTarget() : m_path;
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) {
        return fail(qt_error_string(errno));
    }
    // QSaveFile refuses these two as well, but not in the system's words.
    const QByteArray nativeTarget = QFile::encodeName(target);
    struct stat existing;
    if (::stat(nativeTarget.constData(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            return fail(qt_error_string(EISDIR));
        }
        if (::access(nativeTarget.constData(), W_OK) != 0) {
            return fail(qt_error_string(errno));
        }
    }

    // Unbuffered, so that a failed write fails here: Qt 5's commit() would
    // rename a file whose buffer it could not flush. Until commit(), the
    // temporary file is removed whenever this returns.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(file.errorString());
    }
    for (qint64 done = 0; done < text.size();) {
        // A short write is retried, and the retry says what went wrong.
        const qint64 written = file.write(text.constData() + done, text.size() - done);
        if (written <= 0) {
            return fail(file.errorString());
        }
        done += written;
    }
    // commit() syncs too, but goes on to the rename when that fails: the
    // data must be on disk before the new name is.
    if (::fdatasync(file.handle()) != 0) {
        return fail(qt_error_string(errno));
    }
    if (!file.commit()) {
        return fail(file.errorString());
    }
    // The rename itself must reach the disk too, now or with the next
    // durable write.
    m_unsyncedFolder = folder;
    if (durability == Durability::Progress) {
        m_error.clear();
        return true;
    }
    return settle();
}
