<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ActionsCommand</name>
    <message>
        <source>Show which actions this desktop can carry out, and how.</source>
        <translation>Показать, какие действия может выполнить этот рабочий стол и как.</translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation>ДЕЙСТВИЕ</translation>
    </message>
    <message>
        <source>AVAILABLE</source>
        <translation>ДОСТУПНО</translation>
    </message>
    <message>
        <source>HOW</source>
        <translation>КАК</translation>
    </message>
    <message>
        <source>%1, asks for a password</source>
        <comment>%1 is the route, e.g. logind</comment>
        <translation>%1, запросит пароль</translation>
    </message>
    <message>
        <source>%1 (the login manager says this machine cannot)</source>
        <comment>%1 is the route</comment>
        <translation>%1 (менеджер входа сообщает, что этот компьютер не умеет)</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Shows one action a row: whether this desktop can carry it out, and how: the program that does it (logind, the Plasma session, zel-wm, ...), or why it cannot. A power action that needs a password says so.</source>
        <translation>Показывает по одному действию в строке: может ли этот рабочий стол его выполнить и как: программа, которая его выполняет (logind, сеанс Plasma, zel-wm, ...), или почему не может. Для действий питания, требующих пароль, это указано.</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli actions
  zel-scheduler-cli actions --json | jq &apos;.[] | select(.available | not)&apos;</source>
        <translation>  zel-scheduler-cli actions
  zel-scheduler-cli actions --json | jq &apos;.[] | select(.available | not)&apos;</translation>
    </message>
    <message>
        <source>Print the service&apos;s JSON array, unchanged.</source>
        <translation>Вывести массив JSON службы без изменений.</translation>
    </message>
    <message>
        <source>&quot;actions&quot; takes no arguments.</source>
        <translation>Команда &quot;actions&quot; не принимает аргументов.</translation>
    </message>
    <message>
        <source>The scheduler service sent a list of actions that cannot be read.</source>
        <translation>Служба планировщика прислала список действий, который невозможно прочитать.</translation>
    </message>
</context>
<context>
    <name>AddCommand</name>
    <message>
        <source>Add a preset: a countdown, a schedule or a daily window.</source>
        <translation>Добавить задание: обратный отсчёт, расписание или ежедневный интервал.</translation>
    </message>
    <message>
        <source>Act once when this countdown has run out.</source>
        <translation>Сработать один раз, когда закончится этот обратный отсчёт.</translation>
    </message>
    <message>
        <source>Act at this time: 23:00 is today&apos;s, or tomorrow&apos;s once it has passed; &quot;2027-01-15 08:00&quot; is that day&apos;s.</source>
        <translation>Сработать в это время: 23:00 — сегодня, а если это время уже прошло, то завтра; &quot;2027-01-15 08:00&quot; — в указанный день.</translation>
    </message>
    <message>
        <source>The end of the schedule; a time alone is the first such time after the start. Without it a repeating schedule has no end.</source>
        <translation>Окончание расписания; время без даты — первое такое время после начала. Без него повторяющееся расписание не заканчивается.</translation>
    </message>
    <message>
        <source>never (the default), daily, weekly, monthly, yearly, &quot;every N days&quot;, &quot;every N weeks&quot; or &quot;every N months&quot;.</source>
        <translation>never (по умолчанию), daily, weekly, monthly, yearly, &quot;every N days&quot;, &quot;every N weeks&quot; или &quot;every N months&quot;.</translation>
    </message>
    <message>
        <source>The weekdays (mon,fri or mon-fri) of a weekly rule, or the days of the month (1,15) of a monthly one; a day a month lacks falls on its last day.</source>
        <translation>Дни недели (mon,fri или mon-fri) для еженедельного правила или числа месяца (1,15) для ежемесячного; число, которого нет в месяце, переносится на его последний день.</translation>
    </message>
    <message>
        <source>Act repeatedly inside this daily window; 23:00-01:00 crosses midnight, 24:00 is the end of the day.</source>
        <translation>Срабатывать многократно внутри этого ежедневного интервала; 23:00-01:00 проходит через полночь, 24:00 — конец суток.</translation>
    </message>
    <message>
        <source>Warn with a desktop notification this long before the action.</source>
        <translation>Предупредить уведомлением на рабочем столе за это время до действия.</translation>
    </message>
    <message>
        <source>The preset&apos;s name. Without it the name is the action and when it acts, as the window names a preset (&quot;Shut Down 0:10&quot;).</source>
        <translation>Название задания. Без него название составляется из действия и времени срабатывания, как в окне Планировщика («Выключить 0:10»).</translation>
    </message>
    <message>
        <source>Start the preset at once.</source>
        <translation>Сразу запустить задание.</translation>
    </message>
    <message>
        <source>Name the action: one of %1.</source>
        <translation>Укажите действие: одно из %1.</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;: &quot;add&quot; takes one action.</source>
        <translation>Лишний аргумент &quot;%1&quot;: команда &quot;add&quot; принимает одно действие.</translation>
    </message>
    <message>
        <source>Say when the action comes with exactly one of --in, --at or --between.</source>
        <translation>Укажите время действия ровно одним из параметров --in, --at или --between.</translation>
    </message>
    <message>
        <source>--%1 goes with --at only.</source>
        <translation>--%1 используется только вместе с --at.</translation>
    </message>
    <message>
        <source>A daily window needs both --between and --every.</source>
        <translation>Для ежедневного интервала нужны и --between, и --every.</translation>
    </message>
    <message>
        <source>A daily window gives no warning: leave out --warn.</source>
        <translation>Ежедневный интервал не предупреждает: уберите --warn.</translation>
    </message>
    <message>
        <source>How often the action repeats inside the window, from 1s to 24h.</source>
        <translation>Как часто повторять действие внутри интервала, от 1s до 24h.</translation>
    </message>
    <message>
        <source>Adds a preset that performs ACTION, one of: %1. Say when with exactly one of --in (a countdown), --at (a schedule) or --between (a daily window). Prints the new preset&apos;s short id.
DURATION is written like 90s, 10m, 1h30m or 2d.
A preset that would never act is refused with exit status 1: a countdown of zero, a warning not shorter than the countdown, an end before the start, a schedule whose occurrences all lie in the past, a daily window that ends where it starts.
turn-on wakes the computer from sleep at the times of a schedule (--at), and only where the scheduler service may set wake alarms (&quot;zel-scheduler-cli actions&quot; shows whether it may).</source>
        <translation>Добавляет задание, выполняющее ДЕЙСТВИЕ, одно из: %1. Время задаётся ровно одним из параметров --in (обратный отсчёт), --at (расписание) или --between (ежедневный интервал). Выводит краткий идентификатор нового задания.
ДЛИТЕЛЬНОСТЬ записывается так: 90s, 10m, 1h30m или 2d.
Задание, которое никогда не сработает, отклоняется с кодом выхода 1: обратный отсчёт нулевой длительности, предупреждение не короче отсчёта, конец раньше начала, расписание, все срабатывания которого в прошлом, ежедневный интервал, который заканчивается там же, где начинается.
turn-on будит компьютер из спящего режима в моменты расписания (--at), и только там, где службе планировщика разрешено ставить будильники пробуждения (это показывает &quot;zel-scheduler-cli actions&quot;).</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli add shutdown --in 1h30m --warn 5m --start
  zel-scheduler-cli add reboot --at 23:00 --repeat weekly --on mon --start
  zel-scheduler-cli add sleep --at &quot;2027-01-15 08:00&quot;
  zel-scheduler-cli add logout --at 22:00 --repeat &quot;every 2 weeks&quot; --on mon-fri --until 2027-06-30T22:00
  zel-scheduler-cli add lock --between 12:00-13:00 --every 5m --name &quot;Lunch break&quot; --start
  zel-scheduler-cli add turn-on --at 06:55 --repeat weekly --on mon-fri --start</source>
        <translation>  zel-scheduler-cli add shutdown --in 1h30m --warn 5m --start
  zel-scheduler-cli add reboot --at 23:00 --repeat weekly --on mon --start
  zel-scheduler-cli add sleep --at &quot;2027-01-15 08:00&quot;
  zel-scheduler-cli add logout --at 22:00 --repeat &quot;every 2 weeks&quot; --on mon-fri --until 2027-06-30T22:00
  zel-scheduler-cli add lock --between 12:00-13:00 --every 5m --name &quot;Обеденный перерыв&quot; --start
  zel-scheduler-cli add turn-on --at 06:55 --repeat weekly --on mon-fri --start</translation>
    </message>
    <message>
        <source>Turn On gives no warning: leave out --warn.</source>
        <translation>«Включить» не даёт предупреждения: уберите --warn.</translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>Check administrators&apos; preset files before deploying them.</source>
        <translation>Проверить файлы заданий администратора перед развёртыванием.</translation>
    </message>
    <message>
        <source>Checks files of presets that an administrator puts into zel-scheduler/presets.d under a folder of $XDG_CONFIG_DIRS (normally /etc/xdg), as the scheduler service reads them: valid JSON, one preset or an array of them, the required keys, values in range, and presets that could ever act. Writes a sentence for each problem and exits with status 1 when there is any; the service would skip such a file whole. Does not need the service.</source>
        <translation>Проверяет файлы заданий, которые администратор кладёт в zel-scheduler/presets.d в одной из папок $XDG_CONFIG_DIRS (обычно /etc/xdg), так же, как их читает служба планировщика: корректный JSON, одно задание или массив заданий, обязательные ключи, значения в допустимых пределах и задания, которые могут когда-либо сработать. Пишет по предложению на каждую ошибку и завершается с кодом 1, если ошибки есть; такой файл служба пропустила бы целиком. Службе запускаться не нужно.</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli check /etc/xdg/zel-scheduler/presets.d/*.json
  In Ansible: validate: zel-scheduler-cli check %s</source>
        <translation>  zel-scheduler-cli check /etc/xdg/zel-scheduler/presets.d/*.json
  В Ansible: validate: zel-scheduler-cli check %s</translation>
    </message>
    <message>
        <source>Name the files to check.</source>
        <translation>Укажите файлы для проверки.</translation>
    </message>
    <message>
        <source>%1: The file cannot be read: %2.</source>
        <translation>%1: файл не читается: %2.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1, preset %2: %3</source>
        <translation>%1, задание %2: %3</translation>
    </message>
    <message>
        <source>%1: 1 preset, valid.</source>
        <translation>%1: 1 задание, ошибок нет.</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n presets, valid.</source>
        <translation>
            <numerusform>%1: %n задание, ошибок нет.</numerusform>
            <numerusform>%1: %n задания, ошибок нет.</numerusform>
            <numerusform>%1: %n заданий, ошибок нет.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Name a command.</source>
        <translation>Укажите команду.</translation>
    </message>
    <message>
        <source>Try &quot;%1&quot; for more information.</source>
        <translation>Подробнее: &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a command.</source>
        <translation>&quot;%1&quot; — не команда.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Использование: %1</translation>
    </message>
    <message numerus="yes">
        <source>Plans and controls the power and session actions of Zel Scheduler from a terminal or a script. The scheduler service keeps the presets and carries them out; this program only talks to it over the session bus, starting it there when it is not running, and waits at most %n seconds for each answer.</source>
        <translation>
            <numerusform>Планирует действия с питанием и сеансом Zel Scheduler и управляет ими из терминала или сценария. Задания хранит и выполняет служба планировщика; эта программа только обращается к ней по сеансовой шине, запуская её, если она не запущена, и ждёт каждого ответа не дольше %n секунды.</numerusform>
            <numerusform>Планирует действия с питанием и сеансом Zel Scheduler и управляет ими из терминала или сценария. Задания хранит и выполняет служба планировщика; эта программа только обращается к ней по сеансовой шине, запуская её, если она не запущена, и ждёт каждого ответа не дольше %n секунд.</numerusform>
            <numerusform>Планирует действия с питанием и сеансом Zel Scheduler и управляет ими из терминала или сценария. Задания хранит и выполняет служба планировщика; эта программа только обращается к ней по сеансовой шине, запуская её, если она не запущена, и ждёт каждого ответа не дольше %n секунд.</numerusform>
        </translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Команды:</translation>
    </message>
    <message>
        <source>Show the help of a command: help COMMAND.</source>
        <translation>Показать справку по команде: help КОМАНДА.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Параметры:</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Показать эту справку.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Показать версию.</translation>
    </message>
    <message>
        <source>&quot;zel-scheduler-cli COMMAND --help&quot; shows the options and examples of a command. A preset is named by its id, any unique beginning of it (&quot;list&quot; shows the first 8 digits), or its unique name.</source>
        <translation>&quot;zel-scheduler-cli КОМАНДА --help&quot; показывает параметры и примеры команды. Задание указывается идентификатором, любым однозначным его началом (&quot;list&quot; показывает первые 8 цифр) или однозначным названием.</translation>
    </message>
    <message>
        <source>Exit status:</source>
        <translation>Коды выхода:</translation>
    </message>
    <message>
        <source>  0  Done.</source>
        <translation>  0  Выполнено.</translation>
    </message>
    <message>
        <source>  2  The command line is not understood: an unknown command, option or action, or a malformed duration, date and time, repeat rule, list of days or daily window.</source>
        <translation>  2  Командная строка не понята: неизвестная команда, параметр или действие либо неверно записаны длительность, дата и время, правило повтора, список дней или ежедневный интервал.</translation>
    </message>
    <message>
        <source>  3  A preset named matches no preset, or several; nothing was changed.</source>
        <translation>  3  Указанному заданию не соответствует ни одно задание или соответствует несколько; ничего не изменено.</translation>
    </message>
    <message>
        <source>  4  The scheduler service is not reachable: it did not answer in time, or there is no session bus.</source>
        <translation>  4  Служба планировщика недоступна: она не ответила вовремя или нет сеансовой шины.</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>Примеры:</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli add shutdown --in 10m --warn 2m --start
  zel-scheduler-cli add reboot --at 23:00 --repeat weekly --on mon --start
  zel-scheduler-cli list
  zel-scheduler-cli stop --all</source>
        <translation>  zel-scheduler-cli add shutdown --in 10m --warn 2m --start
  zel-scheduler-cli add reboot --at 23:00 --repeat weekly --on mon --start
  zel-scheduler-cli list
  zel-scheduler-cli stop --all</translation>
    </message>
    <message>
        <source>  1  The preset would never act, so it was not added (an end before the start, say); a file checked has a problem; or your administrator does not let you change a preset.</source>
        <translation>  1  Задание никогда бы не сработало, поэтому не добавлено (например, конец раньше начала); в проверенном файле есть ошибка; или администратор не разрешает менять задание.</translation>
    </message>
</context>
<context>
    <name>CommandSyntax</name>
    <message>
        <source>Show this help.</source>
        <translation>Показать эту справку.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Использование: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Параметры:</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>Примеры:</translation>
    </message>
    <message>
        <source>Try &quot;%1&quot; for more information.</source>
        <translation>Подробнее: &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>ControlCommand</name>
    <message>
        <source>Start presets.</source>
        <translation>Запустить задания.</translation>
    </message>
    <message>
        <source>Pause running presets.</source>
        <translation>Приостановить запущенные задания.</translation>
    </message>
    <message>
        <source>Stop presets, or with --all every running preset.</source>
        <translation>Остановить задания, а с --all — все запущенные задания.</translation>
    </message>
    <message>
        <source>Remove presets.</source>
        <translation>Удалить задания.</translation>
    </message>
    <message>
        <source>ID is the id of a preset, any unique beginning of it (&quot;list&quot; shows the first 8 digits), or the preset&apos;s unique name.</source>
        <translation>ID — идентификатор задания, любое однозначное его начало (&quot;list&quot; показывает первые 8 цифр) или однозначное название задания.</translation>
    </message>
    <message>
        <source>Starts presets: a countdown runs on from where it stands, a schedule or a daily window acts at its next occurrence.</source>
        <translation>Запускает задания: обратный отсчёт продолжается с того места, где остановился, расписание или ежедневный интервал срабатывают в следующий раз в положенное время.</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli start 0f8fad5b
  zel-scheduler-cli start &quot;Lunch break&quot; 7c2e</source>
        <translation>  zel-scheduler-cli start 0f8fad5b
  zel-scheduler-cli start &quot;Обеденный перерыв&quot; 7c2e</translation>
    </message>
    <message>
        <source>Pauses running presets: nothing of theirs acts until they are started again; a countdown keeps its remaining time.</source>
        <translation>Приостанавливает запущенные задания: они не срабатывают, пока их снова не запустят; обратный отсчёт сохраняет оставшееся время.</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli pause 0f8fad5b</source>
        <translation>  zel-scheduler-cli pause 0f8fad5b</translation>
    </message>
    <message>
        <source>Stops presets: nothing of theirs acts until they are started again, and a countdown starts from its full length then. With --all every running preset is stopped, like &quot;shutdown -c&quot;; paused presets stay paused.</source>
        <translation>Останавливает задания: они не срабатывают, пока их снова не запустят, а обратный отсчёт тогда начинается сначала. С --all останавливаются все запущенные задания, как при &quot;shutdown -c&quot;; приостановленные задания остаются приостановленными.</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli stop 0f8fad5b
  zel-scheduler-cli stop --all</source>
        <translation>  zel-scheduler-cli stop 0f8fad5b
  zel-scheduler-cli stop --all</translation>
    </message>
    <message>
        <source>Removes presets for good, running or not.</source>
        <translation>Удаляет задания насовсем, запущенные или нет.</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli remove 0f8fad5b &quot;Lunch break&quot;</source>
        <translation>  zel-scheduler-cli remove 0f8fad5b &quot;Обеденный перерыв&quot;</translation>
    </message>
    <message>
        <source>Stop every running preset.</source>
        <translation>Остановить все запущенные задания.</translation>
    </message>
    <message>
        <source>Name presets or give --all, not both.</source>
        <translation>Укажите задания или --all, но не то и другое сразу.</translation>
    </message>
    <message>
        <source>Name at least one preset: its id, the beginning of its id, or its name.</source>
        <translation>Укажите хотя бы одно задание: его идентификатор, начало идентификатора или название.</translation>
    </message>
    <message>
        <source>%1 is set by your administrator and cannot be removed.</source>
        <translation>Задание %1 задано администратором, его нельзя удалить.</translation>
    </message>
    <message>
        <source>%1 is set by your administrator, who does not let you pause or stop it.</source>
        <translation>Задание %1 задано администратором, который не разрешает приостанавливать или останавливать его.</translation>
    </message>
</context>
<context>
    <name>ListCommand</name>
    <message>
        <source>Show the presets and when each acts next.</source>
        <translation>Показать задания и время их следующего срабатывания.</translation>
    </message>
    <message>
        <source>Shows one preset a row: its short id (enough to name it in other commands), name, kind, action, state, and when it acts next.</source>
        <translation>Показывает по одному заданию в строке: краткий идентификатор (его достаточно, чтобы указать задание в других командах), название, вид, действие, состояние и время следующего срабатывания.</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli list
  zel-scheduler-cli list --json | jq &apos;.[] | select(.preset_running)&apos;</source>
        <translation>  zel-scheduler-cli list
  zel-scheduler-cli list --json | jq &apos;.[] | select(.preset_running)&apos;</translation>
    </message>
    <message>
        <source>Print the presets as the service&apos;s JSON array, unchanged.</source>
        <translation>Вывести задания без изменений, в виде массива JSON, как его отдаёт служба.</translation>
    </message>
    <message>
        <source>&quot;list&quot; takes no arguments.</source>
        <translation>Команда &quot;list&quot; не принимает аргументов.</translation>
    </message>
    <message>
        <source>There are no presets. &quot;zel-scheduler-cli add&quot; adds one.</source>
        <translation>Заданий нет. Добавить задание: &quot;zel-scheduler-cli add&quot;.</translation>
    </message>
</context>
<context>
    <name>NewPreset</name>
    <message>
        <source>The period of a daily window must be between 1 second and 24 hours.</source>
        <translation>Периодичность внутри ежедневного интервала должна быть от 1 секунды до 24 часов.</translation>
    </message>
</context>
<context>
    <name>Parse</name>
    <message>
        <source>&quot;%1&quot; is not a list of weekdays. Write it like mon,wed,fri or mon-fri.</source>
        <translation>&quot;%1&quot; — не список дней недели. Запишите его так: mon,wed,fri или mon-fri.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a list of days of the month. Write it like 1,15 or 1-5 (days 1 to 31).</source>
        <translation>&quot;%1&quot; — не список чисел месяца. Запишите его так: 1,15 или 1-5 (числа от 1 до 31).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an action. Use one of: %2.</source>
        <comment>%2 is the list of action names</comment>
        <translation>&quot;%1&quot; — не действие. Укажите одно из: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a duration. Write it like 90s, 10m, 1h30m or 2d.</source>
        <translation>&quot;%1&quot; — не длительность. Запишите её так: 90s, 10m, 1h30m или 2d.</translation>
    </message>
    <message>
        <source>The duration &quot;%1&quot; is too long: at most 365 days are allowed.</source>
        <translation>Длительность &quot;%1&quot; слишком велика: допускается не более 365 дней.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date and time. Write it like 23:00 or &quot;2027-01-15 08:00&quot;.</source>
        <translation>&quot;%1&quot; — не дата и время. Запишите их так: 23:00 или &quot;2027-01-15 08:00&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is out of range: repeat every 1 to 365 days, 1 to 52 weeks or 1 to 12 months.</source>
        <translation>&quot;%1&quot; вне допустимых пределов: повтор возможен каждые 1–365 дней, 1–52 недели или 1–12 месяцев.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a repeat rule. Use never, daily, weekly, monthly, yearly, or &quot;every N days&quot;, &quot;every N weeks&quot; or &quot;every N months&quot;.</source>
        <translation>&quot;%1&quot; — не правило повтора. Укажите never, daily, weekly, monthly, yearly или &quot;every N days&quot;, &quot;every N weeks&quot;, &quot;every N months&quot;.</translation>
    </message>
    <message>
        <source>--on needs a weekly or monthly rule, or &quot;every N weeks&quot; or &quot;every N months&quot;.</source>
        <translation>Для --on нужно правило weekly или monthly либо &quot;every N weeks&quot; или &quot;every N months&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a daily window. Write it like 12:00-13:00; 23:00-01:00 crosses midnight and 24:00 is the end of the day.</source>
        <translation>&quot;%1&quot; — не ежедневный интервал. Запишите его так: 12:00-13:00; 23:00-01:00 проходит через полночь, 24:00 — конец суток.</translation>
    </message>
</context>
<context>
    <name>PresetId</name>
    <message>
        <source>No preset matches &quot;%1&quot;. &quot;zel-scheduler-cli list&quot; shows the presets.</source>
        <translation>Нет задания, соответствующего &quot;%1&quot;. Список заданий: &quot;zel-scheduler-cli list&quot;.</translation>
    </message>
    <message numerus="yes">
        <source>&quot;%1&quot; matches %n presets; name one by more of its id:</source>
        <translation>
            <numerusform>&quot;%1&quot; соответствует %n заданию; укажите одно из них более длинной частью идентификатора:</numerusform>
            <numerusform>&quot;%1&quot; соответствуют %n задания; укажите одно из них более длинной частью идентификатора:</numerusform>
            <numerusform>&quot;%1&quot; соответствуют %n заданий; укажите одно из них более длинной частью идентификатора:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PresetTable</name>
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
        <source>running</source>
        <translation>запущено</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>приостановлено</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>остановлено</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>НАЗВАНИЕ</translation>
    </message>
    <message>
        <source>KIND</source>
        <translation>ВИД</translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation>ДЕЙСТВИЕ</translation>
    </message>
    <message>
        <source>STATE</source>
        <translation>СОСТОЯНИЕ</translation>
    </message>
    <message>
        <source>WHEN</source>
        <translation>КОГДА</translation>
    </message>
    <message>
        <source>%1, managed</source>
        <comment>%1 is the state, e.g. running</comment>
        <translation>%1, задано администратором</translation>
    </message>
</context>
<context>
    <name>ServiceClient</name>
    <message numerus="yes">
        <source>The scheduler service is not reachable: it did not answer within %n seconds.</source>
        <comment>%n is the longest wait</comment>
        <translation>
            <numerusform>Служба планировщика недоступна: она не ответила за %n секунду.</numerusform>
            <numerusform>Служба планировщика недоступна: она не ответила за %n секунды.</numerusform>
            <numerusform>Служба планировщика недоступна: она не ответила за %n секунд.</numerusform>
        </translation>
    </message>
    <message>
        <source>The scheduler service is not reachable: %1</source>
        <comment>%1 is the bus&apos;s error message</comment>
        <translation>Служба планировщика недоступна: %1</translation>
    </message>
    <message>
        <source>The scheduler service sent a list of presets that cannot be read.</source>
        <translation>Служба планировщика прислала список заданий, который не удаётся прочитать.</translation>
    </message>
</context>
<context>
    <name>WatchCommand</name>
    <message>
        <source>Print each change of the presets until interrupted.</source>
        <translation>Выводить каждое изменение заданий, пока не прервут.</translation>
    </message>
    <message>
        <source>Prints one line for each change the scheduler service announces, until interrupted (Ctrl+C): the time, then the preset as &quot;list&quot; shows it, or &quot;removed&quot;. A running countdown is announced every second. A line also says when the service leaves the bus and when it is back.</source>
        <translation>Выводит по строке на каждое изменение, о котором сообщает служба планировщика, пока не прервут (Ctrl+C): время, затем задание так, как его показывает &quot;list&quot;, или «удалено». О запущенном обратном отсчёте сообщается каждую секунду. Отдельная строка сообщает, когда служба покидает шину и когда возвращается.</translation>
    </message>
    <message>
        <source>  zel-scheduler-cli watch
  zel-scheduler-cli watch --json | jq -c &apos;select(.event == &quot;removed&quot;)&apos;</source>
        <translation>  zel-scheduler-cli watch
  zel-scheduler-cli watch --json | jq -c &apos;select(.event == &quot;removed&quot;)&apos;</translation>
    </message>
    <message>
        <source>Print each change as a JSON object: {&quot;event&quot;:&quot;updated&quot;,&quot;preset&quot;:{...}}, {&quot;event&quot;:&quot;removed&quot;,&quot;preset_id&quot;:&quot;{...}&quot;}, {&quot;event&quot;:&quot;service-gone&quot;} or {&quot;event&quot;:&quot;service-back&quot;}.</source>
        <translation>Выводить каждое изменение объектом JSON: {&quot;event&quot;:&quot;updated&quot;,&quot;preset&quot;:{...}}, {&quot;event&quot;:&quot;removed&quot;,&quot;preset_id&quot;:&quot;{...}&quot;}, {&quot;event&quot;:&quot;service-gone&quot;} или {&quot;event&quot;:&quot;service-back&quot;}.</translation>
    </message>
    <message>
        <source>&quot;watch&quot; takes no arguments.</source>
        <translation>Команда &quot;watch&quot; не принимает аргументов.</translation>
    </message>
    <message>
        <source>%1 %2  removed</source>
        <comment>%1 the time, %2 the short id of a preset</comment>
        <translation>%1 %2  удалено</translation>
    </message>
    <message>
        <source>%1 The scheduler service has left the bus.</source>
        <comment>%1 the time</comment>
        <translation>%1 Служба планировщика покинула шину.</translation>
    </message>
    <message>
        <source>%1 The scheduler service is back.</source>
        <comment>%1 the time</comment>
        <translation>%1 Служба планировщика снова на шине.</translation>
    </message>
    <message>
        <source>Watching the presets; Ctrl+C ends.</source>
        <translation>Отслеживание заданий; Ctrl+C — завершить.</translation>
    </message>
</context>
</TS>
