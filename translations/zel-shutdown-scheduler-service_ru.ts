<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AbstractWorker</name>
    <message>
        <source>Cancel</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Postpone 10 minutes</source>
        <translation>Отложить на 10 минут</translation>
    </message>
</context>
<context>
    <name>ActionFailure</name>
    <message>
        <source>Planned action not carried out</source>
        <translation>Запланированное действие не выполнено</translation>
    </message>
    <message>
        <source>The planned action</source>
        <translation>Запланированное действие</translation>
    </message>
    <message>
        <source>%1 was not carried out: not authorized.</source>
        <translation>%1: не выполнено, нет прав.</translation>
    </message>
    <message>
        <source>%1 was not carried out: the authorization was refused in the password dialog.</source>
        <translation>%1: не выполнено, в окне ввода пароля в разрешении отказано.</translation>
    </message>
    <message>
        <source>%1 was not carried out: the authorization service (polkit) could not be asked.</source>
        <translation>%1: не выполнено, не удалось обратиться к службе проверки прав (polkit).</translation>
    </message>
    <message>
        <source>%1 was not carried out: there is no display on which to reach the window manager.</source>
        <translation>%1: не выполнено, нет дисплея, через который можно связаться с диспетчером окон.</translation>
    </message>
    <message>
        <source>%1 was not carried out: no window manager could be reached.</source>
        <translation>%1: не выполнено, не удалось связаться с диспетчером окон.</translation>
    </message>
    <message>
        <source>%1 was not carried out: its state could not be saved (%2).</source>
        <translation>%1: не выполнено, не удалось сохранить состояние задания (%2).</translation>
    </message>
    <message>
        <source>%1 was not carried out: not available on this desktop.</source>
        <translation>%1: не выполнено, на этом рабочем столе это действие недоступно.</translation>
    </message>
    <message>
        <source>%1 was not carried out: blocked by %2.</source>
        <translation>%1: не выполнено, заблокировано: %2.</translation>
    </message>
    <message>
        <source>%1 was not carried out: the %2 did not answer in time.</source>
        <translation>%1: не выполнено, %2 не ответил вовремя.</translation>
    </message>
    <message>
        <source>%1 was not carried out: the desktop refused it (%2).</source>
        <translation>%1: не выполнено, рабочий стол отказал (%2).</translation>
    </message>
    <message>
        <source>%1 was not carried out: the login manager knows no session of this program.</source>
        <translation>%1: не выполнено, менеджер входа не знает сеанса этой программы.</translation>
    </message>
    <message>
        <source>%1 was not carried out: nothing locked the screen.</source>
        <translation>%1: не выполнено, экран ничем не заблокирован.</translation>
    </message>
    <message>
        <source>Planned actions not saved</source>
        <translation>Запланированные действия не сохранены</translation>
    </message>
    <message>
        <source>Changes to the planned actions could not be saved to %1 (%2). They are lost when the scheduler ends.</source>
        <translation>Не удалось сохранить изменения запланированных действий в %1 (%2). При завершении планировщика они будут потеряны.</translation>
    </message>
    <message>
        <source>%1 planned for %2 was skipped: the computer was asleep or too busy to carry it out within a minute of that time.</source>
        <translation>%1 (запланировано на %2): пропущено, компьютер был в спящем режиме или слишком занят, чтобы выполнить действие в течение минуты после назначенного времени.</translation>
    </message>
    <message>
        <source>%1 planned for %2 was skipped: the system clock was set past that time.</source>
        <translation>%1 (запланировано на %2): пропущено, системные часы были переведены вперёд за это время.</translation>
    </message>
    <message>
        <source>%1 postponed to %2 was not carried out: the scheduler was restarted in the meantime.</source>
        <translation>%1 (отложено до %2): не выполнено, планировщик за это время был перезапущен.</translation>
    </message>
    <message>
        <source>%1 planned for %2 was skipped: the scheduler was not running at that time.</source>
        <translation>%1 (запланировано на %2): пропущено, в это время планировщик не работал.</translation>
    </message>
    <message>
        <source>%1 was not started. %2</source>
        <translation>%1: задание не запущено. %2</translation>
    </message>
</context>
<context>
    <name>Notificator</name>
    <message>
        <source>Turned on</source>
        <translation>Включено</translation>
    </message>
    <message>
        <source>Woken up for %1</source>
        <translation>Пробуждение для «%1»</translation>
    </message>
</context>
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
