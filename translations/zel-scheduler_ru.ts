<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Action</name>
    <message>
        <source>Shut Down</source>
        <translation>Выключить</translation>
    </message>
</context>
<context>
    <name>ActionModel</name>
    <message>
        <source>not available on this desktop</source>
        <translation>недоступно в этой среде рабочего стола</translation>
    </message>
    <message>
        <source>%1 does not allow it</source>
        <comment>%1 is the program that would do it, e.g. logind</comment>
        <translation>%1 не разрешает</translation>
    </message>
    <message>
        <source>this machine cannot do it</source>
        <translation>этот компьютер не поддерживает</translation>
    </message>
    <message>
        <source>asks for a password</source>
        <translation>потребуется пароль</translation>
    </message>
    <message>
        <source>%1 cannot be carried out here: %2</source>
        <comment>%1 is an action, %2 why</comment>
        <translation>Действие «%1» здесь невозможно: %2</translation>
    </message>
    <message>
        <source>needs a date and time: choose Schedule</source>
        <translation>нужны дата и время: выберите «Расписание»</translation>
    </message>
</context>
<context>
    <name>Backend</name>
    <message>
        <source>There is no session bus.</source>
        <translation>Нет сеансовой шины D-Bus.</translation>
    </message>
</context>
<context>
    <name>Chooser</name>
    <message>
        <source>%1: %2</source>
        <comment>a chooser read aloud: its label, the entry chosen</comment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>DateEdit</name>
    <message>
        <source>Choose Date</source>
        <translation>Выбрать дату</translation>
    </message>
    <message>
        <source>Space or Enter chooses another date</source>
        <translation>Пробел или Enter — выбрать другую дату</translation>
    </message>
</context>
<context>
    <name>DatePickerDialog</name>
    <message>
        <source>Choose Date</source>
        <translation>Выбор даты</translation>
    </message>
    <message>
        <source>Previous Year</source>
        <translation>Предыдущий год</translation>
    </message>
    <message>
        <source>Previous Month</source>
        <translation>Предыдущий месяц</translation>
    </message>
    <message>
        <source>Month: %1 %2</source>
        <comment>%1 month, %2 year</comment>
        <translation>Месяц: %1 %2</translation>
    </message>
    <message>
        <source>Next Month</source>
        <translation>Следующий месяц</translation>
    </message>
    <message>
        <source>Next Year</source>
        <translation>Следующий год</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Дни</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Open in Browser</source>
        <translation>Открыть в браузере</translation>
    </message>
</context>
<context>
    <name>IconComboBox</name>
    <message>
        <source>%1: %2</source>
        <comment>a chooser read aloud: its label, the entry chosen</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>an action that cannot be chosen, and why</comment>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>NotificationsDialog</name>
    <message>
        <source>Notification</source>
        <translation>Уведомление</translation>
    </message>
    <message>
        <source>Warn %1 h %2 min before the action</source>
        <comment>%1 and %2 are number fields</comment>
        <translation>Предупредить за %1 ч %2 мин до действия</translation>
    </message>
    <message>
        <source>Hours before the action</source>
        <translation>Часов до действия</translation>
    </message>
    <message>
        <source>Minutes before the action</source>
        <translation>Минут до действия</translation>
    </message>
</context>
<context>
    <name>PresetDelegate</name>
    <message>
        <source>Apply the preset to be able to start it.</source>
        <translation>Примените задание, чтобы его можно было запустить.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Запустить</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Приостановить</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>%1, set by your administrator</source>
        <translation>%1, задано вашим администратором</translation>
    </message>
    <message>
        <source>Set by your administrator</source>
        <translation>Задано вашим администратором</translation>
    </message>
</context>
<context>
    <name>PresetSummary</name>
    <message>
        <source>%1 d</source>
        <comment>days</comment>
        <translation>%1 д</translation>
    </message>
    <message>
        <source>%1 h</source>
        <comment>hours</comment>
        <translation>%1 ч</translation>
    </message>
    <message>
        <source>%1 min</source>
        <comment>minutes</comment>
        <translation>%1 мин</translation>
    </message>
    <message>
        <source>%1 s</source>
        <comment>seconds</comment>
        <translation>%1 с</translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>Manage events</source>
        <translation>Управление заданиями</translation>
    </message>
    <message>
        <source>Add Event</source>
        <translation>Добавить задание</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Удалить выбранные</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Выделить все</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Задания</translation>
    </message>
    <message>
        <source>No events yet</source>
        <translation>Заданий пока нет</translation>
    </message>
    <message>
        <source>Add an event, choose its action and when it runs, then apply it.</source>
        <translation>Добавьте задание, выберите действие и время его выполнения, затем примените.</translation>
    </message>
</context>
<context>
    <name>RangeComponent</name>
    <message>
        <source>Every Minute</source>
        <translation>Каждую минуту</translation>
    </message>
    <message>
        <source>Every 5 Minutes</source>
        <translation>Каждые 5 минут</translation>
    </message>
    <message>
        <source>Every 10 Minutes</source>
        <translation>Каждые 10 минут</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Начало:</translation>
    </message>
    <message>
        <source>End:</source>
        <translation>Конец:</translation>
    </message>
    <message>
        <source>Regularity:</source>
        <translation>Периодичность:</translation>
    </message>
    <message>
        <source>Start of the window</source>
        <translation>Начало интервала</translation>
    </message>
    <message>
        <source>End of the window</source>
        <translation>Конец интервала</translation>
    </message>
    <message>
        <source>Regularity</source>
        <translation>Периодичность</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Другая</translation>
    </message>
    <message>
        <source>every %1 min</source>
        <comment>the period of a daily window: %1 is a number field</comment>
        <translation>каждые %1 мин</translation>
    </message>
    <message>
        <source>Minutes between the actions</source>
        <translation>Минут между действиями</translation>
    </message>
</context>
<context>
    <name>RepeatDialog</name>
    <message>
        <source>Repeat</source>
        <translation>Повтор</translation>
    </message>
    <message>
        <source>In a month without day %1, the preset acts on the month&apos;s last day.</source>
        <translation>В месяце без %1-го числа задание сработает в последний день месяца.</translation>
    </message>
    <message>
        <source>Every %1 day</source>
        <translation>Каждый %1 день</translation>
    </message>
    <message numerus="yes">
        <source>Every %1 days</source>
        <comment>%1 is a number field</comment>
        <translation>
            <numerusform>Каждый %1 день</numerusform>
            <numerusform>Каждые %1 дня</numerusform>
            <numerusform>Каждые %1 дней</numerusform>
        </translation>
    </message>
    <message>
        <source>Every few days</source>
        <translation>Раз в несколько дней</translation>
    </message>
    <message>
        <source>Number of days</source>
        <translation>Число дней</translation>
    </message>
    <message>
        <source>Every %1 week, on</source>
        <translation>Каждую %1 неделю, по дням:</translation>
    </message>
    <message numerus="yes">
        <source>Every %1 weeks, on</source>
        <comment>%1 is a number field</comment>
        <translation>
            <numerusform>Каждую %1 неделю, по дням:</numerusform>
            <numerusform>Каждые %1 недели, по дням:</numerusform>
            <numerusform>Каждые %1 недель, по дням:</numerusform>
        </translation>
    </message>
    <message>
        <source>Every few weeks, on chosen weekdays</source>
        <translation>Раз в несколько недель, в выбранные дни недели</translation>
    </message>
    <message>
        <source>Number of weeks</source>
        <translation>Число недель</translation>
    </message>
    <message>
        <source>Every %1 month, on the days</source>
        <translation>Каждый %1 месяц, числа:</translation>
    </message>
    <message numerus="yes">
        <source>Every %1 months, on the days</source>
        <comment>%1 is a number field</comment>
        <translation>
            <numerusform>Каждый %1 месяц, числа:</numerusform>
            <numerusform>Каждые %1 месяца, числа:</numerusform>
            <numerusform>Каждые %1 месяцев, числа:</numerusform>
        </translation>
    </message>
    <message>
        <source>Every few months, on chosen days of the month</source>
        <translation>Раз в несколько месяцев, в выбранные числа</translation>
    </message>
    <message>
        <source>Number of months</source>
        <translation>Число месяцев</translation>
    </message>
    <message>
        <source>Day %1</source>
        <translation>%1-е число</translation>
    </message>
</context>
<context>
    <name>RowText</name>
    <message>
        <source>%1 %2</source>
        <comment>a duration: %1 hours, %2 minutes</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>not applied yet</source>
        <translation>не применено</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>приостановлено</translation>
    </message>
    <message>
        <source>running</source>
        <translation>запущено</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>остановлено</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a preset&apos;s title: its name, when it acts</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Not applied yet</source>
        <translation>Не применено</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Приостановлено</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Остановлено</translation>
    </message>
    <message>
        <source>Ends %1</source>
        <comment>%1 when: at 14:35, tomorrow at 14:35</comment>
        <translation>Сработает %1</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Запущено</translation>
    </message>
    <message>
        <source>%1, countdown, %2 left, %3</source>
        <comment>read aloud: name, time left, running or paused</comment>
        <translation>%1, обратный отсчёт, ещё %2, %3</translation>
    </message>
    <message>
        <source>%1, countdown of %2, %3</source>
        <comment>read aloud: name, length, stopped or not applied yet</comment>
        <translation>%1, обратный отсчёт, длительность %2, %3</translation>
    </message>
    <message>
        <source>%1, schedule, %2, %3</source>
        <comment>read aloud: name, next action or repetition, running or not</comment>
        <translation>%1, расписание, %2, %3</translation>
    </message>
    <message>
        <source>%1, daily window, %2, %3</source>
        <comment>read aloud: name, next action or window, running or not</comment>
        <translation>%1, ежедневный интервал, %2, %3</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>read aloud: name, running or not</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>1 second</source>
        <translation>1 секунда</translation>
    </message>
    <message numerus="yes">
        <source>%n seconds</source>
        <translation>
            <numerusform>%n секунда</numerusform>
            <numerusform>%n секунды</numerusform>
            <numerusform>%n секунд</numerusform>
        </translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 минута</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n минута</numerusform>
            <numerusform>%n минуты</numerusform>
            <numerusform>%n минут</numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 час</translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n час</numerusform>
            <numerusform>%n часа</numerusform>
            <numerusform>%n часов</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SchedulerComponent</name>
    <message>
        <source>Never</source>
        <translation>Никогда</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Каждый день</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Каждую неделю</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Каждый месяц</translation>
    </message>
    <message>
        <source>Every Year</source>
        <translation>Каждый год</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Особый</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Начало:</translation>
    </message>
    <message>
        <source>Start time</source>
        <translation>Время начала</translation>
    </message>
    <message>
        <source>End:</source>
        <translation>Конец:</translation>
    </message>
    <message>
        <source>End time</source>
        <translation>Время окончания</translation>
    </message>
    <message>
        <source>Repeat:</source>
        <translation>Повтор:</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Дата начала</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>Дата окончания</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Повтор</translation>
    </message>
    <message>
        <source>No end</source>
        <translation>Без окончания</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>This preset was changed elsewhere. Your edits are kept and would replace those changes when applied.</source>
        <translation>Это задание изменено в другом месте. Ваши правки сохранены; если их применить, они заменят те изменения.</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Загрузить заново</translation>
    </message>
    <message>
        <source>Action:</source>
        <translation>Действие:</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Таймер</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Расписание</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Интервал</translation>
    </message>
    <message>
        <source>Set by your administrator. You can start it, and stop or pause it if your administrator allows; you cannot change or remove it.</source>
        <translation>Задано вашим администратором. Вы можете запустить его, а остановить или приостановить — если администратор разрешает; изменить или удалить его нельзя.</translation>
    </message>
</context>
<context>
    <name>SettingsContent</name>
    <message>
        <source>Never</source>
        <translation>Никогда</translation>
    </message>
    <message>
        <source>5 Minutes Before</source>
        <translation>За 5 минут</translation>
    </message>
    <message>
        <source>10 Minutes Before</source>
        <translation>За 10 минут</translation>
    </message>
    <message>
        <source>15 Minutes Before</source>
        <translation>За 15 минут</translation>
    </message>
    <message>
        <source>30 Minutes Before</source>
        <translation>За 30 минут</translation>
    </message>
    <message>
        <source>1 Hour Before</source>
        <translation>За 1 час</translation>
    </message>
    <message>
        <source>2 Hours Before</source>
        <translation>За 2 часа</translation>
    </message>
    <message>
        <source>1 Day Before</source>
        <translation>За 1 день</translation>
    </message>
    <message>
        <source>2 Days Before</source>
        <translation>За 2 дня</translation>
    </message>
    <message>
        <source>Week Before</source>
        <translation>За неделю</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Другое время</translation>
    </message>
    <message>
        <source>Notification:</source>
        <translation>Уведомление:</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Уведомление</translation>
    </message>
</context>
<context>
    <name>TimeEdit</name>
    <message>
        <source>Hours and minutes; the arrow keys change the part selected, Tab moves to the other part</source>
        <translation>Часы и минуты; стрелки меняют выделенную часть, Tab переходит к другой части</translation>
    </message>
</context>
<context>
    <name>TimerComponent</name>
    <message>
        <source>Run In:</source>
        <translation>Через:</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <comment>length of a countdown: %1 and %2 are number fields</comment>
        <translation>%1 ч %2 мин</translation>
    </message>
    <message>
        <source>Hours of the countdown</source>
        <translation>Часы отсчёта</translation>
    </message>
    <message>
        <source>Minutes of the countdown</source>
        <translation>Минуты отсчёта</translation>
    </message>
    <message>
        <source>Set to %1</source>
        <comment>a countdown length the fields cannot show, kept until they change</comment>
        <translation>Задано: %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The help could not be opened: it is not installed, or no program is set up to show web pages.</source>
        <translation>Не удалось открыть справку: она не установлена или не настроена программа для просмотра веб-страниц.</translation>
    </message>
    <message>
        <source>Scheduler</source>
        <translation>Планировщик</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Удалить выбранные</translation>
    </message>
    <message>
        <source>Remove the preset “%1”?</source>
        <translation>Удалить задание «%1»?</translation>
    </message>
    <message numerus="yes">
        <source>Remove %n presets?</source>
        <translation>
            <numerusform>Удалить %n задание?</numerusform>
            <numerusform>Удалить %n задания?</numerusform>
            <numerusform>Удалить %n заданий?</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Apply Settings</source>
        <translation>Применить настройки</translation>
    </message>
    <message>
        <source>The settings of the preset have changed. Do you want to apply the changes or discard them?</source>
        <translation>Настройки задания изменены. Применить изменения или отказаться от них?</translation>
    </message>
    <message>
        <source>The scheduler service did not carry out a request: %1</source>
        <translation>Служба планировщика не выполнила запрос: %1</translation>
    </message>
    <message>
        <source>The scheduler service is not running. Presets cannot be changed, started or stopped until it runs.</source>
        <translation>Служба планировщика не запущена. Пока она не работает, задания нельзя изменять, запускать и останавливать.</translation>
    </message>
    <message>
        <source>The scheduler service is not running and could not be started: %1</source>
        <translation>Служба планировщика не запущена, и её не удалось запустить: %1</translation>
    </message>
    <message>
        <source>Starting the scheduler service…</source>
        <translation>Запуск службы планировщика…</translation>
    </message>
    <message>
        <source>Waiting for the scheduler service to send the presets…</source>
        <translation>Ожидание списка заданий от службы планировщика…</translation>
    </message>
    <message>
        <source>The scheduler service does not answer: %1</source>
        <translation>Служба планировщика не отвечает: %1</translation>
    </message>
    <message>
        <source>Start Service</source>
        <translation>Запустить службу</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Скрыть</translation>
    </message>
    <message>
        <source>The preset “%1” that was open in the editor was removed by another program.</source>
        <translation>Задание «%1», открытое в редакторе, удалено другой программой.</translation>
    </message>
</context>
</TS>
