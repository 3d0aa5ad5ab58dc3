<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>StatusIcon</name>
    <message>
        <source>Scheduler: nothing planned</source>
        <translation>Планировщик: ничего не запланировано</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Postpone 10 minutes</source>
        <translation>Отложить на 10 минут</translation>
    </message>
    <message>
        <source>Stop All</source>
        <translation>Остановить все</translation>
    </message>
    <message>
        <source>Open Scheduler</source>
        <translation>Открыть планировщик</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>TraySummary</name>
    <message>
        <source>%1 · %2</source>
        <comment>when: at 22:00 · in 14 min</comment>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>an action and when: Shut Down at 22:00 · in 14 min</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>an action and when, then the preset&apos;s name</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%1; %n more planned</source>
        <comment>the next action; how many other presets run</comment>
        <translation>
            <numerusform>%1; ещё %n план</numerusform>
            <numerusform>%1; ещё %n плана</numerusform>
            <numerusform>%1; ещё %n планов</numerusform>
        </translation>
    </message>
</context>
</TS>
