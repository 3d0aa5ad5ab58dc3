<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Action</name>
    <message>
        <source>Turn On</source>
        <translation>Включить</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Выключить</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Перезагрузить</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Ждущий режим</translation>
    </message>
    <message>
        <source>Hibernation</source>
        <translation>Спящий режим</translation>
    </message>
    <message>
        <source>Switch User</source>
        <translation>Сменить пользователя</translation>
    </message>
    <message>
        <source>New Session In Window</source>
        <translation>Новый сеанс в окне</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Заблокировать</translation>
    </message>
    <message>
        <source>Log Out</source>
        <translation>Завершить сеанс</translation>
    </message>
</context>
<context>
    <name>ManagedPresets</name>
    <message>
        <source>&quot;%1&quot; is not a known key.</source>
        <translation>«%1» — неизвестный ключ.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing.</source>
        <translation>Нет ключа «%1».</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be true or false.</source>
        <translation>«%1» должен быть true или false.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text.</source>
        <translation>«%1» должен быть строкой.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number from %2 to %3.</source>
        <translation>«%1» должен быть целым числом от %2 до %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be an object.</source>
        <translation>«%1» должен быть объектом.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of whole numbers from %2 to %3.</source>
        <translation>«%1» должен быть списком целых чисел от %2 до %3.</translation>
    </message>
    <message>
        <source>It is not a preset object.</source>
        <translation>Это не объект задания.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be an id such as %2.</source>
        <translation>«%1» должен быть идентификатором вида %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be the number of an action, from %2 to %3.</source>
        <translation>«%1» должен быть номером действия, от %2 до %3.</translation>
    </message>
    <message>
        <source>A preset cannot be running and paused at once.</source>
        <translation>Задание не может быть одновременно запущено и приостановлено.</translation>
    </message>
    <message>
        <source>Line %1, column %2: %3; this is not valid JSON.</source>
        <translation>Строка %1, столбец %2: %3; это некорректный JSON.</translation>
    </message>
    <message>
        <source>Its &quot;preset_id&quot; is that of preset %1 of this file.</source>
        <translation>Его «preset_id» совпадает с заданием %1 этого файла.</translation>
    </message>
</context>
<context>
    <name>PresetRules</name>
    <message>
        <source>A countdown of zero never runs. Set how long it lasts.</source>
        <translation>Обратный отсчёт нулевой длительности не запустится. Укажите, сколько он длится.</translation>
    </message>
    <message>
        <source>A warning this long before the end of the countdown would come before it starts. Choose a shorter one.</source>
        <translation>Предупреждение за такое время до конца отсчёта пришло бы раньше его начала. Выберите меньшее время.</translation>
    </message>
    <message>
        <source>The end is before the start, so the preset would never act.</source>
        <translation>Конец раньше начала, поэтому задание не сработает ни разу.</translation>
    </message>
    <message>
        <source>This schedule would never act: none of its occurrences lies ahead.</source>
        <translation>Это расписание никогда не сработает: ни одно из его срабатываний не приходится на будущее.</translation>
    </message>
    <message>
        <source>A daily window must start and end within the day, so this one would never act.</source>
        <translation>Ежедневный интервал должен начинаться и заканчиваться в пределах суток, поэтому этот не сработает ни разу.</translation>
    </message>
    <message>
        <source>A window that starts when it ends is empty. To run past midnight, end it on the next day&apos;s time, as in 23:00 to 01:00.</source>
        <translation>Интервал, который заканчивается тогда же, когда начинается, пуст. Чтобы он проходил через полночь, укажите конец по времени следующих суток, например с 23:00 до 01:00.</translation>
    </message>
    <message>
        <source>Turn On needs a date and time: make it a schedule.</source>
        <translation>Для «Включить» нужны дата и время: сделайте задание расписанием.</translation>
    </message>
    <message>
        <source>The scheduler service may not wake this computer. Grant it the right with &quot;%1&quot; and restart the service.</source>
        <translation>Службе планировщика не разрешено будить этот компьютер. Дайте ей это право командой &quot;%1&quot; и перезапустите службу.</translation>
    </message>
</context>
<context>
    <name>PresetText</name>
    <message>
        <source>1st</source>
        <comment>day of the month</comment>
        <translation>1-го</translation>
    </message>
    <message>
        <source>2nd</source>
        <comment>day of the month</comment>
        <translation>2-го</translation>
    </message>
    <message>
        <source>3rd</source>
        <comment>day of the month</comment>
        <translation>3-го</translation>
    </message>
    <message>
        <source>4th</source>
        <comment>day of the month</comment>
        <translation>4-го</translation>
    </message>
    <message>
        <source>5th</source>
        <comment>day of the month</comment>
        <translation>5-го</translation>
    </message>
    <message>
        <source>6th</source>
        <comment>day of the month</comment>
        <translation>6-го</translation>
    </message>
    <message>
        <source>7th</source>
        <comment>day of the month</comment>
        <translation>7-го</translation>
    </message>
    <message>
        <source>8th</source>
        <comment>day of the month</comment>
        <translation>8-го</translation>
    </message>
    <message>
        <source>9th</source>
        <comment>day of the month</comment>
        <translation>9-го</translation>
    </message>
    <message>
        <source>10th</source>
        <comment>day of the month</comment>
        <translation>10-го</translation>
    </message>
    <message>
        <source>11th</source>
        <comment>day of the month</comment>
        <translation>11-го</translation>
    </message>
    <message>
        <source>12th</source>
        <comment>day of the month</comment>
        <translation>12-го</translation>
    </message>
    <message>
        <source>13th</source>
        <comment>day of the month</comment>
        <translation>13-го</translation>
    </message>
    <message>
        <source>14th</source>
        <comment>day of the month</comment>
        <translation>14-го</translation>
    </message>
    <message>
        <source>15th</source>
        <comment>day of the month</comment>
        <translation>15-го</translation>
    </message>
    <message>
        <source>16th</source>
        <comment>day of the month</comment>
        <translation>16-го</translation>
    </message>
    <message>
        <source>17th</source>
        <comment>day of the month</comment>
        <translation>17-го</translation>
    </message>
    <message>
        <source>18th</source>
        <comment>day of the month</comment>
        <translation>18-го</translation>
    </message>
    <message>
        <source>19th</source>
        <comment>day of the month</comment>
        <translation>19-го</translation>
    </message>
    <message>
        <source>20th</source>
        <comment>day of the month</comment>
        <translation>20-го</translation>
    </message>
    <message>
        <source>21st</source>
        <comment>day of the month</comment>
        <translation>21-го</translation>
    </message>
    <message>
        <source>22nd</source>
        <comment>day of the month</comment>
        <translation>22-го</translation>
    </message>
    <message>
        <source>23rd</source>
        <comment>day of the month</comment>
        <translation>23-го</translation>
    </message>
    <message>
        <source>24th</source>
        <comment>day of the month</comment>
        <translation>24-го</translation>
    </message>
    <message>
        <source>25th</source>
        <comment>day of the month</comment>
        <translation>25-го</translation>
    </message>
    <message>
        <source>26th</source>
        <comment>day of the month</comment>
        <translation>26-го</translation>
    </message>
    <message>
        <source>27th</source>
        <comment>day of the month</comment>
        <translation>27-го</translation>
    </message>
    <message>
        <source>28th</source>
        <comment>day of the month</comment>
        <translation>28-го</translation>
    </message>
    <message>
        <source>29th</source>
        <comment>day of the month</comment>
        <translation>29-го</translation>
    </message>
    <message>
        <source>30th</source>
        <comment>day of the month</comment>
        <translation>30-го</translation>
    </message>
    <message>
        <source>31st</source>
        <comment>day of the month</comment>
        <translation>31-го</translation>
    </message>
    <message>
        <source>ddd</source>
        <comment>date format: the weekday of a day in the coming week</comment>
        <translation>ddd</translation>
    </message>
    <message>
        <source>ddd d MMM</source>
        <comment>date format: a day in this year</comment>
        <translation>ddd, d MMM</translation>
    </message>
    <message>
        <source>ddd d MMM yyyy</source>
        <comment>date format: a day in another year</comment>
        <translation>ddd, d MMM yyyy</translation>
    </message>
    <message>
        <source>now</source>
        <comment>the next action is due</comment>
        <translation>сейчас</translation>
    </message>
    <message>
        <source>in less than a minute</source>
        <translation>меньше чем через минуту</translation>
    </message>
    <message numerus="yes">
        <source>in %n min</source>
        <translation>
            <numerusform>через %n мин</numerusform>
            <numerusform>через %n мин</numerusform>
            <numerusform>через %n мин</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n h</source>
        <comment>hours</comment>
        <translation>
            <numerusform>%n ч</numerusform>
            <numerusform>%n ч</numerusform>
            <numerusform>%n ч</numerusform>
        </translation>
    </message>
    <message>
        <source>in %1</source>
        <comment>hours</comment>
        <translation>через %1</translation>
    </message>
    <message>
        <source>in %1 %2</source>
        <comment>hours and minutes</comment>
        <translation>через %1 %2</translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n мин</numerusform>
            <numerusform>%n мин</numerusform>
            <numerusform>%n мин</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n d</source>
        <comment>days</comment>
        <translation>
            <numerusform>%n дн.</numerusform>
            <numerusform>%n дн.</numerusform>
            <numerusform>%n дн.</numerusform>
        </translation>
    </message>
    <message>
        <source>in %1</source>
        <comment>days</comment>
        <translation>через %1</translation>
    </message>
    <message>
        <source>in %1 %2</source>
        <comment>days and hours</comment>
        <translation>через %1 %2</translation>
    </message>
    <message numerus="yes">
        <source>in %n days</source>
        <translation>
            <numerusform>через %n день</numerusform>
            <numerusform>через %n дня</numerusform>
            <numerusform>через %n дней</numerusform>
        </translation>
    </message>
    <message>
        <source>weekly on %1</source>
        <comment>%1 weekdays</comment>
        <translation>еженедельно: %1</translation>
    </message>
    <message numerus="yes">
        <source>every %n weeks on %1</source>
        <comment>%1 weekdays</comment>
        <translation>
            <numerusform>каждую %n неделю: %1</numerusform>
            <numerusform>каждые %n недели: %1</numerusform>
            <numerusform>каждые %n недель: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>monthly on the %1 (the last day in shorter months)</source>
        <comment>%1 days of the month</comment>
        <translation>ежемесячно, %1 числа (в более коротких месяцах — в последний день)</translation>
    </message>
    <message numerus="yes">
        <source>every %n months on the %1 (the last day in shorter months)</source>
        <comment>%1 days of the month</comment>
        <translation>
            <numerusform>каждый %n месяц, %1 числа (в более коротких месяцах — в последний день)</numerusform>
            <numerusform>каждые %n месяца, %1 числа (в более коротких месяцах — в последний день)</numerusform>
            <numerusform>каждые %n месяцев, %1 числа (в более коротких месяцах — в последний день)</numerusform>
        </translation>
    </message>
    <message>
        <source>monthly on the %1</source>
        <comment>%1 days of the month</comment>
        <translation>ежемесячно, %1 числа</translation>
    </message>
    <message numerus="yes">
        <source>every %n months on the %1</source>
        <comment>%1 days of the month</comment>
        <translation>
            <numerusform>каждый %n месяц, %1 числа</numerusform>
            <numerusform>каждые %n месяца, %1 числа</numerusform>
            <numerusform>каждые %n месяцев, %1 числа</numerusform>
        </translation>
    </message>
    <message>
        <source>yearly on 29 February (28 February in other years)</source>
        <translation>ежегодно, 29 февраля (в невисокосные годы — 28 февраля)</translation>
    </message>
    <message>
        <source>yearly on %1</source>
        <comment>%1 day and month</comment>
        <translation>ежегодно, %1</translation>
    </message>
    <message>
        <source>d MMMM</source>
        <comment>date format: day and month of a yearly repetition</comment>
        <translation>d MMMM</translation>
    </message>
    <message>
        <source>every hour</source>
        <translation>каждый час</translation>
    </message>
    <message numerus="yes">
        <source>every %n hours</source>
        <translation>
            <numerusform>каждый %n час</numerusform>
            <numerusform>каждые %n часа</numerusform>
            <numerusform>каждые %n часов</numerusform>
        </translation>
    </message>
    <message>
        <source>every minute</source>
        <translation>каждую минуту</translation>
    </message>
    <message numerus="yes">
        <source>every %n minutes</source>
        <translation>
            <numerusform>каждую %n минуту</numerusform>
            <numerusform>каждые %n минуты</numerusform>
            <numerusform>каждые %n минут</numerusform>
        </translation>
    </message>
    <message>
        <source>every second</source>
        <translation>каждую секунду</translation>
    </message>
    <message numerus="yes">
        <source>every %n seconds</source>
        <translation>
            <numerusform>каждую %n секунду</numerusform>
            <numerusform>каждые %n секунды</numerusform>
            <numerusform>каждые %n секунд</numerusform>
        </translation>
    </message>
    <message>
        <source>at %1</source>
        <comment>%1 clock time of today</comment>
        <translation>в %1</translation>
    </message>
    <message>
        <source>tomorrow at %1</source>
        <comment>%1 clock time</comment>
        <translation>завтра в %1</translation>
    </message>
    <message>
        <source>on %1 at %2</source>
        <comment>%1 date, %2 clock time</comment>
        <translation>%1 в %2</translation>
    </message>
    <message>
        <source>no further action</source>
        <translation>больше не сработает</translation>
    </message>
    <message>
        <source>next: %1 %2 · %3</source>
        <comment>%1 day, %2 clock time, %3 how long until then</comment>
        <translation>далее: %1 %2 · %3</translation>
    </message>
    <message>
        <source>once</source>
        <translation>однократно</translation>
    </message>
    <message>
        <source>daily</source>
        <translation>ежедневно</translation>
    </message>
    <message numerus="yes">
        <source>every %n days</source>
        <translation>
            <numerusform>каждый %n день</numerusform>
            <numerusform>каждые %n дня</numerusform>
            <numerusform>каждые %n дней</numerusform>
        </translation>
    </message>
    <message>
        <source>never</source>
        <comment>a daily window outside the day</comment>
        <translation>никогда</translation>
    </message>
    <message>
        <source>%1, all day</source>
        <comment>%1 how often</comment>
        <translation>%1, весь день</translation>
    </message>
    <message>
        <source>%1 from %2 until midnight</source>
        <comment>%1 how often, %2 clock time</comment>
        <translation>%1 с %2 до полуночи</translation>
    </message>
    <message>
        <source>daily at %1</source>
        <comment>%1 clock time</comment>
        <translation>ежедневно в %1</translation>
    </message>
    <message>
        <source>%1 between %2 and %3</source>
        <comment>%1 how often, %2 and %3 clock times</comment>
        <translation>%1 с %2 до %3</translation>
    </message>
    <message>
        <source>%1 from %2 until %3 the next day</source>
        <comment>%1 how often, %2 and %3 clock times</comment>
        <translation>%1 с %2 до %3 следующего дня</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>from and until</comment>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>default name of a preset: %1 the action, %2 when it acts</comment>
        <translation>%1 %2</translation>
    </message>
</context>
</TS>
