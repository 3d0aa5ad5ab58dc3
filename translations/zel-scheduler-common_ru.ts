<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Action</name>
    <message>
        <source>Turn On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hibernation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Session In Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log Out</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PresetText</name>
    <message>
        <source>1st</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2nd</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3rd</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>13th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>17th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>18th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>21st</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>22nd</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>23rd</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>25th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>26th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>27th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>28th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>29th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30th</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>31st</source>
        <comment>day of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ddd</source>
        <comment>date format: the weekday of a day in the coming week</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ddd d MMM</source>
        <comment>date format: a day in this year</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ddd d MMM yyyy</source>
        <comment>date format: a day in another year</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>now</source>
        <comment>the next action is due</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in less than a minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>in %n min</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n h</source>
        <comment>hours</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>in %1</source>
        <comment>hours</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1 %2</source>
        <comment>hours and minutes</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n d</source>
        <comment>days</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>in %1</source>
        <comment>days</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in %1 %2</source>
        <comment>days and hours</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>in %n days</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>weekly on %1</source>
        <comment>%1 weekdays</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>every %n weeks on %1</source>
        <comment>%1 weekdays</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>monthly on the %1 (the last day in shorter months)</source>
        <comment>%1 days of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>every %n months on the %1 (the last day in shorter months)</source>
        <comment>%1 days of the month</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>monthly on the %1</source>
        <comment>%1 days of the month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>every %n months on the %1</source>
        <comment>%1 days of the month</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>yearly on 29 February (28 February in other years)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yearly on %1</source>
        <comment>%1 day and month</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>d MMMM</source>
        <comment>date format: day and month of a yearly repetition</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>every %n hours</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>every minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>every %n minutes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>every second</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>every %n seconds</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>at %1</source>
        <comment>%1 clock time of today</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tomorrow at %1</source>
        <comment>%1 clock time</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on %1 at %2</source>
        <comment>%1 date, %2 clock time</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no further action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next: %1 %2 · %3</source>
        <comment>%1 day, %2 clock time, %3 how long until then</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>daily</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>every %n days</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>never</source>
        <comment>a daily window outside the day</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, all day</source>
        <comment>%1 how often</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 from %2 until midnight</source>
        <comment>%1 how often, %2 clock time</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>daily at %1</source>
        <comment>%1 clock time</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 between %2 and %3</source>
        <comment>%1 how often, %2 and %3 clock times</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 from %2 until %3 the next day</source>
        <comment>%1 how often, %2 and %3 clock times</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
