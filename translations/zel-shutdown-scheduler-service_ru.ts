<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ScheduledWorker</name>
    <message>
        <source>Schedule</source>
        <translation>Расписание</translation>
    </message>
    <message>
        <source>The %1 action will be executed soon</source>
        <translation>Скоро будет выполнено действие «%1»</translation>
    </message>
</context>
<context>
    <name>TimerWorker</name>
    <message>
        <source>The %1 action will be executed after %2</source>
        <translation>Действие «%1» будет выполнено через %2</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Таймер</translation>
    </message>
</context>
</TS>
