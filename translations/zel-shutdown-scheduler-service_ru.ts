<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ScheduledWorker</name>
    <message>
        <source>Schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 action will be executed soon</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimerWorker</name>
    <message>
        <source>The %1 action will be executed after %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
