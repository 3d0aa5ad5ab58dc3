// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "managedpresets.h"

#include "presetrules.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <map>

namespace ManagedPresets
{
namespace
{
// The largest whole number a JSON reader keeps exactly.
constexpr double largestExact = 9007199254740991.0;
constexpr double int32Max = 2147483647.0;

const QString keyManaged = QStringLiteral("managed");
const QString keyMayStop = QStringLiteral("user_may_stop");
const QString keyMayPostpone = QStringLiteral("user_may_postpone");
const QString keyStateFingerprint = QStringLiteral("administrator_version");

// Collects the problems of one preset, in the order they are found.
class Checker
{
public:
    explicit Checker(int preset, QVector<Problem> *problems) : m_preset(preset), m_problems(problems) { }

    void add(const char *source, const QStringList &args = {})
    {
        QString english = QString::fromLatin1(source);
        QString translated = QCoreApplication::translate("ManagedPresets", source);
        for (const QString &arg : args) {
            english = english.arg(arg);
            translated = translated.arg(arg);
        }
        m_problems->append({m_preset, english, translated});
    }
    void addTranslated(const QString &text) { m_problems->append({m_preset, text, text}); }
    int count() const { return m_problems->size(); }

    // Checks the keys of object at path ("" for the preset itself): no key
    // but the known ones, each required one present.
    void keys(const QJsonObject &object, const QString &path, const QStringList &known, const QStringList &required)
    {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!known.contains(it.key())) {
                add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" is not a known key."), {path + it.key()});
            }
        }
        for (const QString &key : required) {
            if (!object.contains(key)) {
                add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" is missing."), {path + key});
            }
        }
    }

    void boolean(const QJsonObject &object, const QString &path, const QString &key)
    {
        if (object.contains(key) && !object.value(key).isBool()) {
            add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" must be true or false."), {path + key});
        }
    }

    void text(const QJsonObject &object, const QString &key)
    {
        if (object.contains(key) && !object.value(key).isString()) {
            add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" must be a text."), {key});
        }
    }

    static bool isWhole(const QJsonValue &value, double low, double high)
    {
        const double number = value.toDouble();
        return value.isDouble() && std::floor(number) == number && number >= low && number <= high;
    }

    void number(const QJsonObject &object, const QString &path, const QString &key, double low, double high)
    {
        if (object.contains(key) && !isWhole(object.value(key), low, high)) {
            add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" must be a whole number from %2 to %3."),
                {path + key, QString::number(low, 'f', 0), QString::number(high, 'f', 0)});
        }
    }

    // The object at key, or nullopt (told) when it is there but no object.
    std::optional<QJsonObject> object(const QJsonObject &parent, const QString &path, const QString &key)
    {
        if (!parent.contains(key)) {
            return QJsonObject();
        }
        if (!parent.value(key).isObject()) {
            add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" must be an object."), {path + key});
            return std::nullopt;
        }
        return parent.value(key).toObject();
    }

private:
    int m_preset;
    QVector<Problem> *m_problems;
};

std::pair<int, int> actionRange()
{
    int low = 0;
    int high = 0;
    for (int type = -16; type <= 64; ++type) {
        if (ActionType::sourceName(type)) {
            low = std::min(low, type);
            high = std::max(high, type);
        }
    }
    return {low, high};
}

void checkTiming(Checker &check, const QJsonObject &object)
{
    const QString timerPath = QStringLiteral("timer.");
    if (const std::optional<QJsonObject> timer = check.object(object, {}, QStringLiteral("timer"))) {
        check.keys(*timer, timerPath, {QStringLiteral("timeout"), QStringLiteral("notify"), QStringLiteral("remainingTime")}, {});
        for (const QString &key : {QStringLiteral("timeout"), QStringLiteral("notify"), QStringLiteral("remainingTime")}) {
            check.number(*timer, timerPath, key, 0, largestExact);
        }
    }
    const QString schedulePath = QStringLiteral("schedule.");
    if (const std::optional<QJsonObject> schedule = check.object(object, {}, QStringLiteral("schedule"))) {
        check.keys(*schedule, schedulePath, {QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("notify"), QStringLiteral("repeat_settings")}, {});
        for (const QString &key : {QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("notify")}) {
            check.number(*schedule, schedulePath, key, 0, largestExact);
        }
        const QString repeatPath = schedulePath + QStringLiteral("repeat_settings.");
        if (const std::optional<QJsonObject> repeat = check.object(*schedule, schedulePath, QStringLiteral("repeat_settings"))) {
            const QString selected = QStringLiteral("repeat_settings_selected");
            check.keys(*repeat,
                repeatPath,
                {QStringLiteral("repeat_settings_type"), QStringLiteral("repeat_settings_custom_type"), QStringLiteral("repeat_settings_count"), selected},
                {});
            check.number(*repeat, repeatPath, QStringLiteral("repeat_settings_type"), RepeatType::Never, RepeatType::Custom);
            check.number(*repeat, repeatPath, QStringLiteral("repeat_settings_custom_type"), RepeatCustomType::Days, RepeatCustomType::Monthes);
            check.number(*repeat, repeatPath, QStringLiteral("repeat_settings_count"), 1, int32Max);
            if (repeat->contains(selected)) {
                const QJsonValue days = repeat->value(selected);
                const QJsonArray array = days.toArray();
                if (!days.isArray() || std::any_of(array.begin(), array.end(), [](const QJsonValue &day) { return !Checker::isWhole(day, 1, 31); })) {
                    check.add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" must be a list of whole numbers from %2 to %3."),
                        {repeatPath + selected, QStringLiteral("1"), QStringLiteral("31")});
                }
            }
        }
    }
    const QString intervalPath = QStringLiteral("interval.");
    if (const std::optional<QJsonObject> interval = check.object(object, {}, QStringLiteral("interval"))) {
        check.keys(*interval, intervalPath, {QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("regularity")}, {});
        check.number(*interval, intervalPath, QStringLiteral("start"), 0, largestExact);
        check.number(*interval, intervalPath, QStringLiteral("end"), 0, largestExact);
        check.number(*interval, intervalPath, QStringLiteral("regularity"), 1, int32Max);
    }
}

// The preset of one object of a file, or nullopt with its problems told.
std::optional<Preset> parsePreset(const QJsonValue &value, Checker &check, const QDateTime &now)
{
    if (!value.isObject()) {
        check.add(QT_TRANSLATE_NOOP("ManagedPresets", "It is not a preset object."));
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    const QString keyId = QStringLiteral("preset_id");
    const QString keyType = QStringLiteral("preset_type");
    const QString keyAction = QStringLiteral("action_type");
    const QString keyRunning = QStringLiteral("preset_running");
    const QString keyPaused = QStringLiteral("preset_paused");
    const QStringList timingKeys{QStringLiteral("timer"), QStringLiteral("schedule"), QStringLiteral("interval")};

    const int before = check.count();
    QStringList required{keyId, keyType, keyAction, keyRunning};
    const int type = object.value(keyType).toInt(-1);
    if (type >= PresetType::Timer && type <= PresetType::Range && object.value(keyType).isDouble()) {
        required << timingKeys.at(type);
    }
    check.keys(object,
        {},
        QStringList{keyId,
            QStringLiteral("preset_name"),
            keyType,
            keyAction,
            QStringLiteral("preset_force"),
            keyRunning,
            keyPaused,
            keyManaged,
            QStringLiteral("preset_managed")} +
            timingKeys,
        required);
    if (object.contains(keyId) && QUuid::fromString(object.value(keyId).toString()).isNull()) {
        check.add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" must be an id such as %2."), {keyId, QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}")});
    }
    check.text(object, QStringLiteral("preset_name"));
    check.number(object, {}, keyType, PresetType::Timer, PresetType::Range);
    const auto [lowAction, highAction] = actionRange();
    if (object.contains(keyAction) &&
        (!Checker::isWhole(object.value(keyAction), lowAction, highAction) || !ActionType::sourceName(object.value(keyAction).toInt()))) {
        check.add(QT_TRANSLATE_NOOP("ManagedPresets", "\"%1\" must be the number of an action, from %2 to %3."),
            {keyAction, QString::number(lowAction), QString::number(highAction)});
    }
    for (const QString &key : {QStringLiteral("preset_force"), keyRunning, keyPaused, QStringLiteral("preset_managed")}) {
        check.boolean(object, {}, key);
    }
    if (object.value(keyRunning).toBool() && object.value(keyPaused).toBool()) {
        check.add(QT_TRANSLATE_NOOP("ManagedPresets", "A preset cannot be running and paused at once."));
    }
    checkTiming(check, object);

    ManagedRights rights;
    const QString managedPath = keyManaged + QLatin1Char('.');
    if (const std::optional<QJsonObject> managed = check.object(object, {}, keyManaged)) {
        check.keys(*managed, managedPath, {keyMayStop, keyMayPostpone}, {});
        check.boolean(*managed, managedPath, keyMayStop);
        check.boolean(*managed, managedPath, keyMayPostpone);
        rights.userMayStop = managed->value(keyMayStop).toBool(true);
        rights.userMayPostpone = managed->value(keyMayPostpone).toBool(true);
    }
    if (check.count() > before) {
        return std::nullopt;
    }
    Preset preset(object);
    // Judged as the service judges a preset it starts, on the settings read
    // back from the JSON form.
    const PresetRules::NeverActs never = PresetRules::whyNeverActs(preset, now);
    if (!never.isEmpty()) {
        check.addTranslated(never.reason);
        return std::nullopt;
    }
    preset.setManaged(rights);
    return preset;
}
} // namespace

QString subfolder()
{
    return QStringLiteral("zel-scheduler/presets.d");
}

bool isDropInName(const QString &fileName)
{
    // Hidden files are what editors and deployment tools write before they
    // rename into place.
    return fileName.endsWith(QLatin1String(".json")) && !fileName.startsWith(QLatin1Char('.'));
}

File parse(const QByteArray &text, const QDateTime &now)
{
    File file;
    Checker check(0, &file.problems);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        // Qt's offset lies just past the character that went wrong.
        const QByteArray before = text.left(std::max(0, error.offset - 1));
        const int line = before.count('\n') + 1;
        const int column = QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1)).size() + 1;
        check.add(QT_TRANSLATE_NOOP("ManagedPresets", "Line %1, column %2: %3; this is not valid JSON."),
            {QString::number(line), QString::number(column), error.errorString()});
        return file;
    }
    QJsonArray items;
    if (document.isObject()) {
        items.append(document.object());
    } else {
        items = document.array();
    }
    QMap<QUuid, int> places;
    for (int i = 0; i < items.size(); ++i) {
        Checker presetCheck(i + 1, &file.problems);
        const std::optional<Preset> preset = parsePreset(items.at(i), presetCheck, now);
        if (!preset) {
            continue;
        }
        if (places.contains(preset->id())) {
            presetCheck.add(
                QT_TRANSLATE_NOOP("ManagedPresets", "Its \"preset_id\" is that of preset %1 of this file."), {QString::number(places.value(preset->id()))});
            continue;
        }
        places.insert(preset->id(), i + 1);
        file.presets.append(*preset);
    }
    if (!file.problems.isEmpty()) {
        file.presets.clear();
    }
    return file;
}

QStringList filesInOrder(const QVector<std::pair<QString, QStringList>> &dirs)
{
    // Name to path; std::map keeps the names in order.
    std::map<QString, QString> files;
    for (const auto &[dir, names] : dirs) {
        for (const QString &name : names) {
            if (isDropInName(name)) {
                files.emplace(name, dir + QLatin1Char('/') + name);
            }
        }
    }
    QStringList result;
    for (const auto &entry : files) {
        result.append(entry.second);
    }
    return result;
}

QVector<Preset> merge(const QVector<File> &files, QStringList *overridden)
{
    QVector<Preset> result;
    for (const File &file : files) {
        for (const Preset &preset : file.presets) {
            auto it = std::find_if(result.begin(), result.end(), [&preset](const Preset &p) { return p.id() == preset.id(); });
            if (it == result.end()) {
                result.append(preset);
                continue;
            }
            *it = preset;
            if (overridden) {
                overridden->append(preset.id().toString());
            }
        }
    }
    return result;
}

bool allows(const std::optional<ManagedRights> &rights, Change change)
{
    if (!rights) {
        return true;
    }
    switch (change) {
    case Change::Update:
    case Change::Remove:
        return false;
    case Change::Start:
        return true;
    case Change::Pause:
    case Change::Stop:
    case Change::Cancel:
        return rights->userMayStop;
    case Change::Postpone:
        return rights->userMayPostpone;
    }
    return false;
}

QByteArray fingerprint(const Preset &managed)
{
    QJsonObject object = managed.toJsonObject();
    const ManagedRights rights = managed.managed().value_or(ManagedRights());
    object.insert(keyManaged, QJsonObject{{keyMayStop, rights.userMayStop}, {keyMayPostpone, rights.userMayPostpone}});
    return QCryptographicHash::hash(QJsonDocument(object).toJson(QJsonDocument::Compact), QCryptographicHash::Sha256).toHex();
}

QJsonObject userState(const Preset &preset, const QByteArray &fingerprint)
{
    return {
        {keyStateFingerprint, QString::fromLatin1(fingerprint)},
        {QStringLiteral("preset_running"), preset.isRunning()},
        {QStringLiteral("preset_paused"), preset.isPaused()},
        {QStringLiteral("remainingTime"), double(preset.timer().remainingTime)},
    };
}

Preset withUserState(const Preset &managed, const QJsonObject &state)
{
    if (state.value(keyStateFingerprint).toString().toLatin1() != fingerprint(managed)) {
        return managed;
    }
    Preset result = managed;
    if (state.value(QStringLiteral("preset_running")).toBool()) {
        result.markStarted();
    } else if (state.value(QStringLiteral("preset_paused")).toBool()) {
        result.markPaused();
    } else {
        result.markStopped();
    }
    const QJsonValue remaining = state.value(QStringLiteral("remainingTime"));
    if (Checker::isWhole(remaining, 0, double(managed.timer().timeout))) {
        result.timer().remainingTime = quint64(remaining.toDouble());
    }
    return result;
}
} // namespace ManagedPresets
