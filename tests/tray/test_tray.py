# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""The status icon end to end: the real service and zel-scheduler-tray, with
a python3-dbusmock org.kde.StatusNotifierWatcher for the panel's tray. The
item's org.kde.StatusNotifierItem properties and its com.canonical.dbusmenu
menu are read, and the menu clicked, as a tray host would; what a click
changes is read back from the service."""
import json
import os
import re
import time
import unittest
import uuid

import dbus

from zelharness import (BUILD_DIR, PYTHON, ForeignProcess, IsolatedTestCase, Process, call, get_all, wait_for_name,
                        wait_for_name_gone, wait_until)

TRAY_BIN = os.path.join(BUILD_DIR, "bin", "zel-scheduler-tray")
TRAY_NAME = "ru.velmora.zel-scheduler-tray"
WINDOW_NAME = "ru.velmora.zel-scheduler"
WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
SHUTDOWN, LOCK = 0, 6
TIMER, SCHEDULED, RANGE = 0, 1, 2
HOUR = 3600000

# What the icon says, per language: LANG, and per part a text or a pattern.
LANGUAGES = [
    ("en_GB.UTF-8", {"idle": "Scheduler: nothing planned", "stop": "Stop", "postpone": "Postpone 10 minutes",
                     "all": "Stop All", "open": "Open Scheduler", "quit": "Quit",
                     "countdown": r"^Shut Down (at|tomorrow at) \d+:\d\d · in (59 min|1 h)$",
                     "later": r" · in 1 h (9|10) min$", "more": r"; 2 more planned$",
                     "lock": r"^Lock (at|tomorrow at) \d+:\d\d · in 19 h 59 min$"}),
    ("ru_RU.UTF-8", {"idle": "Планировщик: ничего не запланировано", "stop": "Остановить",
                     "postpone": "Отложить на 10 минут", "all": "Остановить все", "open": "Открыть планировщик",
                     "quit": "Выход",
                     "countdown": r"^Выключить (в|завтра в) \d+:\d\d · через (59 мин|1 ч)$",
                     "later": r" · через 1 ч (9|10) мин$", "more": r"; ещё 2 плана$",
                     "lock": r"^Заблокировать (в|завтра в) \d+:\d\d · через 19 ч 59 мин$"}),
]


def new_id():
    return "{%s}" % uuid.uuid4()


class TrayTestCase(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.bus = dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])
        self.start_service()

    def tearDown(self):
        # A window the icon started.
        if self.bus.name_has_owner(WINDOW_NAME):
            ForeignProcess(self.pid_of(WINDOW_NAME)).stop()
        super().tearDown()

    def start_watcher(self):
        """The tray host's registry, with a host registered."""
        self.watcher = self.track(Process([PYTHON, "-m", "dbusmock", WATCHER, "/StatusNotifierWatcher", WATCHER]))
        wait_for_name(WATCHER)
        mock = dbus.Interface(self.bus.get_object(WATCHER, "/StatusNotifierWatcher", introspect=False),
                              "org.freedesktop.DBus.Mock")
        mock.AddMethod(WATCHER, "RegisterStatusNotifierItem", "s", "", "")
        mock.AddMethod(WATCHER, "RegisterStatusNotifierHost", "s", "", "")
        mock.AddProperties(WATCHER, {"IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0),
                                     "RegisteredStatusNotifierItems": dbus.Array([], signature="s")},
                           signature="sa{sv}")
        mock.EmitSignal(WATCHER, "StatusNotifierHostRegistered", "", [], signature="sssav")

    def registered_items(self):
        return [l.split()[-1].strip('"') for l in self.watcher.output.snapshot() if "RegisterStatusNotifierItem" in l]

    def start_tray(self, lang="en_GB.UTF-8"):
        env = dict(os.environ, LANG=lang, LANGUAGE="", QT_LOGGING_RULES="ru.velmora.*=true")
        self.tray = self.track(Process([TRAY_BIN], env=env))
        wait_for_name(TRAY_NAME)

    def item_name(self):
        """The item's connection: the tray's own one that serves /StatusNotifierItem."""
        for name in self.bus.list_names():
            if name.startswith(":") and self.pid_of(name) == self.tray.proc.pid:
                try:
                    self.bus.get_object(name, "/StatusNotifierItem", introspect=False).Get(
                        ITEM, "Id", dbus_interface=dbus.PROPERTIES_IFACE)
                    return str(name)
                except dbus.DBusException:
                    continue
        return None

    def pid_of(self, name):
        return self.bus.call_blocking("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                      "GetConnectionUnixProcessID", "s", (name,))

    def props(self):
        name = wait_until(self.item_name, what="the item on the bus")
        item = self.bus.get_object(name, "/StatusNotifierItem", introspect=False)
        return item.GetAll(ITEM, dbus_interface=dbus.PROPERTIES_IFACE)

    def wait_props(self, predicate, what):
        try:
            return wait_until(lambda: (lambda p: p if predicate(p) else None)(self.props()), 10, what=what)
        except AssertionError as e:
            raise AssertionError("%s; the item: %r" % (e, dict(self.props()))) from None

    def menu(self):
        path = self.props()["Menu"]
        return dbus.Interface(self.bus.get_object(self.item_name(), path, introspect=False), MENU)

    def entries(self):
        """The menu's top level as (id, label, enabled), separators as '-'."""
        _, (_, _, children) = self.menu().GetLayout(0, -1, ["label", "type", "enabled"])
        result = []
        for child_id, props, _ in children:
            if props.get("type") == "separator":
                result.append((int(child_id), "-", True))
            else:
                label = str(props.get("label", "")).replace("&", "")
                result.append((int(child_id), label, bool(props.get("enabled", True))))
        return result

    def click(self, label, nth=0):
        ids = [i for i, l, _ in self.entries() if l == label]
        self.menu().Event(ids[nth], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0))

    def add(self, preset):
        preset.update({"preset_id": new_id(), "preset_running": True})
        preset.setdefault("action_type", SHUTDOWN)
        call("updatePreset", json.dumps(preset))
        return preset["preset_id"]

    def preset(self, pid):
        return next(p for p in get_all() if p["preset_id"] == pid)


class TrayTest(TrayTestCase):

    def test_icon_title_and_menu_follow_the_service(self):
        # One tray host for both icons, as a panel outlives the programs
        # in it; each icon registers with it once.
        self.start_watcher()
        for lang, text in LANGUAGES:
            with self.subTest(lang=lang):
                before = len(self.registered_items())
                self.start_tray(lang)
                try:
                    self.follow(text, before)
                finally:
                    for preset in get_all():
                        call("removePreset", preset["preset_id"])
                    self.tray.stop()
                    wait_for_name_gone(TRAY_NAME)

    def follow(self, text, before):
        wait_until(lambda: self.registered_items()[before:], what="the item registered with the watcher")
        self.assertEqual(self.registered_items()[before:], [self.item_name()])
        props = self.wait_props(lambda p: p["Title"] == text["idle"], "the idle title")
        self.assertEqual((props["Status"], props["IconName"]), ("Passive", "system-schedule"))
        self.assertEqual([l for _, l, _ in self.entries()], [text["open"], text["quit"]])

        # A countdown: shown, with the next action's icon and when.
        countdown = self.add({"preset_type": TIMER, "timer": {"timeout": HOUR, "notify": 60000}})
        props = self.wait_props(lambda p: p["Status"] == "Active", "the countdown shown")
        self.assertRegex(props["Title"], text["countdown"])
        self.assertEqual(props["IconName"], "system-shutdown-symbolic")
        self.assertEqual(props["ToolTip"][2], props["Title"])
        self.assertEqual([(l, e) for _, l, e in self.entries()],
                         [(props["Title"], False), (text["stop"], True), (text["postpone"], True), ("-", True),
                          (text["open"], True), (text["quit"], True)])

        # Postponed from the menu: ten minutes more, as from the warning.
        self.click(text["postpone"])
        wait_until(lambda: self.preset(countdown)["timer"]["remainingTime"] > HOUR + 500000, 10,
                   what="ten minutes more")
        self.wait_props(lambda p: re.search(text["later"], p["Title"]), "the later end")

        # A schedule and a daily window join, soonest first: the
        # countdown, the window (without Postpone), the schedule; the
        # title counts the others, the tooltip lists them.
        now = time.time()
        self.add({"preset_type": SCHEDULED, "action_type": LOCK,
                  "schedule": {"start": int(now + 20 * 3600) * 1000, "end": int(now + 21 * 3600) * 1000, "notify": 0,
                               "repeat_settings": {"repeat_settings_type": 1}}})
        opening = time.localtime(now + 12 * 3600)
        opening_ms = (opening.tm_hour * 3600 + opening.tm_min * 60 + opening.tm_sec) * 1000
        self.add({"preset_type": RANGE,
                  "interval": {"start": opening_ms, "end": (opening_ms + HOUR) % (24 * HOUR), "regularity": HOUR}})
        props = self.wait_props(lambda p: re.search(text["more"], p["Title"]), "the others counted")
        sections = [[]]
        for _, label, _ in self.entries():
            if label == "-":
                sections.append([])
            else:
                sections[-1].append(label)
        self.assertEqual([s[1:] for s in sections[:3]] + sections[3:],
                         [[text["stop"], text["postpone"]], [text["stop"]], [text["stop"], text["postpone"]],
                          [text["all"]], [text["open"], text["quit"]]])
        self.assertTrue(props["Title"].startswith(sections[0][0]))
        self.assertRegex(sections[2][0], text["lock"])
        self.assertEqual(props["ToolTip"][3].split("\n"), [sections[1][0], sections[2][0]])

        # Stop on the first section stops the countdown alone; Stop All the rest.
        self.click(text["stop"])
        wait_until(lambda: not self.preset(countdown)["preset_running"], 10, what="the countdown stopped")
        self.wait_props(lambda p: not re.search(text["more"], p["Title"]), "one fewer")
        self.click(text["all"])
        wait_until(lambda: not any(p["preset_running"] for p in get_all()), 10, what="everything stopped")
        self.wait_props(lambda p: p["Status"] == "Passive" and p["Title"] == text["idle"], "hidden again")

    def test_attention_inside_the_warning_lead(self):
        self.start_watcher()
        self.start_tray()
        # The lead begins a second after the start.
        self.add({"preset_type": TIMER, "timer": {"timeout": HOUR, "notify": HOUR - 1000}})
        self.wait_props(lambda p: p["Status"] == "NeedsAttention", "attention")
        self.assertEqual(self.props()["AttentionIconName"], "system-shutdown-symbolic")

    def test_left_click_and_open_raise_one_window_and_quit_ends_the_icon(self):
        self.start_watcher()
        self.start_tray()
        activations = self.track(Process(["dbus-monitor", "--session",
                                          "type='method_call',interface='org.freedesktop.Application'"]))
        # A monitor loses its unique name once it listens.
        activations.output.wait_for(lambda l: "member=NameLost" in l, what="dbus-monitor to listen")
        name = wait_until(self.item_name, what="the item")
        item = self.bus.get_object(name, "/StatusNotifierItem", introspect=False)
        item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)
        wait_for_name(WINDOW_NAME, timeout=60)
        first = self.pid_of(WINDOW_NAME)
        self.click("Open Scheduler")
        # The second start asks the first window to raise itself, and ends.
        activations.output.wait_for(lambda l: "member=Activate" in l, 60, what="the window asked to raise itself")
        wait_until(lambda: not [p for p in os.listdir("/proc") if p.isdigit() and int(p) != first
                                and self.is_window(p)], 60, what="the second start to end")
        self.assertEqual(self.pid_of(WINDOW_NAME), first)
        self.click("Quit")
        # The window the icon started holds the icon's output open: the
        # icon's end is its exit, not the end of that output.
        self.assertEqual(self.tray.proc.wait(timeout=20), 0)
        self.assertTrue(self.bus.name_has_owner(WINDOW_NAME))

    @staticmethod
    def is_window(pid):
        try:
            return os.path.basename(os.readlink("/proc/%s/exe" % pid)) == "zel-scheduler"
        except OSError:
            return False

    def test_without_a_tray_host_it_stays_passive_until_one_comes(self):
        self.start_tray()
        self.add({"preset_type": TIMER, "timer": {"timeout": HOUR, "notify": 0}})
        wait_until(lambda: self.item_name() and self.props()["Title"] != "Scheduler: nothing planned", 10,
                   what="the countdown seen")
        self.assertEqual(self.props()["Status"], "Passive")
        self.start_watcher()
        self.wait_props(lambda p: p["Status"] == "Active", "shown once a tray comes")
        self.assertIsNone(self.tray.proc.poll())
        told = [l for l in self.tray.output.snapshot() if "No system tray" in l]
        self.assertEqual(len(told), 1, self.tray.output.snapshot())


if __name__ == "__main__":
    unittest.main()
