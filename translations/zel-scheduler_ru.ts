<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Action</name>
    <message>
        <source>Shut Down</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Backend</name>
    <message>
        <source>There is no session bus.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DateEdit</name>
    <message>
        <source>Choose Date</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DatePickerDialog</name>
    <message>
        <source>Choose Date</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotificationsDialog</name>
    <message>
        <source>Notification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remind me a:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>h.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>min. before the event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PresetDelegate</name>
    <message>
        <source>Apply the preset to be able to start it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>Manage events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No presets yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a preset, choose its action and when it runs, then apply it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RangeComponent</name>
    <message>
        <source>A window that starts when it ends is empty. To run past midnight, end it on the next day&apos;s time, as in 23:00 to 01:00.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every Minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 5 Minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 10 Minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regularity:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RepeatDialog</name>
    <message>
        <source>Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every</source>
        <comment>Days</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every</source>
        <comment>Weeks</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fri</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every</source>
        <comment>Monthes</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In a month without day %1, the preset acts on the month&apos;s last day.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SchedulerComponent</name>
    <message>
        <source>The end is before the start, so the preset would never act.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>This preset was changed elsewhere. Your edits are kept and would replace those changes when applied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interval</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsContent</name>
    <message>
        <source>A warning this long before the end of the countdown would come before it starts. Choose a shorter one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 Minutes Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 Minutes Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15 Minutes Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 Minutes Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 Hour Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 Hours Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 Day Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 Days Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Week Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notification:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimerComponent</name>
    <message>
        <source>Timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A countdown of zero never runs. Set how long it lasts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run In:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>h.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>min.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The help could not be opened: it is not installed, or no program is set up to show web pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheduler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the preset “%1”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Remove %n presets?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings of the preset have changed. Do you want to apply the changes or discard them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scheduler service did not carry out a request: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scheduler service is not running. Presets cannot be changed, started or stopped until it runs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scheduler service is not running and could not be started: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting the scheduler service…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the scheduler service to send the presets…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scheduler service does not answer: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
