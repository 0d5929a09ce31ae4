#!/usr/bin/env bash
# Drives `flyback --tty` in a tmux pane of a fixed size, as a user at a
# terminal does, and checks what the screen shows. Expected lines come from the
# golden transcripts (the terminal lays pages out as the script transcript
# does) and from the layout rules.
#
# Usage: terminal_session_test.sh FLYBACK GOLDEN_DATA_DIR WORK_DIR CASE
set -euo pipefail
flyback=$1
golden=$2
work=$3
case=$4

rm -rf "$work"
mkdir -p "$work"
# The session's answers are kept in the work folder; the terminal's last line
# says where.
export XDG_STATE_HOME="$work/state"
kept="$XDG_STATE_HOME/flyback/last-session.txt"
resume_hint="flyback: the answers of this session are in $kept; to go on from where it ended: \
flyback --resume $kept"
socket="flyback-terminal-test-$case-$$"
# No status line, so the pane is the whole window; the pane stays readable
# after its program has ended.
printf '%s\n' 'set -g status off' 'set -g remain-on-exit on' 'set -g default-terminal screen' \
  >"$work/tmux.conf"
tmux_() { tmux -u -L "$socket" -f "$work/tmux.conf" "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true' EXIT

screen() { tmux_ capture-pane -p -t t; }
# Row N of the screen (0 is the top row), trailing blanks removed.
row() { screen | sed -n "$(($1 + 1))p"; }
fail() {
  echo "FAIL ($case): $*" >&2
  echo "--- the screen:" >&2
  tmux_ capture-pane -p -S - -t t >&2 || true
  exit 1
}

# start WIDTH HEIGHT COMMAND: a new pane running COMMAND in the work folder,
# in a server of its own: a server still shutting down on the old socket
# would take the new session with it.
starts=0
start() {
  tmux_ kill-server 2>/dev/null || true
  starts=$((starts + 1))
  socket="flyback-terminal-test-$case-$$-$starts"
  tmux_ new-session -d -x "$1" -y "$2" -s t -c "$work" "$3"
}

# Waits until a row of the screen matches the extended regular expression.
wait_for() {
  local deadline=$((SECONDS + 15))
  until screen | grep -qE -- "$1"; do
    ((SECONDS < deadline)) || fail "no row matches: $1"
    sleep 0.02
  done
}

# Waits until the top rows of the screen are the given lines (the screen may
# still be drawn when a row that the test waited for appears).
expect_rows() {  # expect_rows FIRST_ROW LINES
  local count shown deadline=$((SECONDS + 15))
  count=$(printf '%s\n' "$2" | wc -l)
  until shown=$(screen | tail -n "+$(($1 + 1))" | head -n "$count") && [[ $shown == "$2" ]]; do
    ((SECONDS < deadline)) ||
      fail "rows from $1 differ (expected, shown):
$(diff <(printf '%s\n' "$2") <(printf '%s\n' "$shown") || true)"
    sleep 0.02
  done
}
expect_row() { expect_rows "$1" "$2"; }

# What the shell printed in a pane whose program has ended: every line with
# text, also those scrolled into the history (a dead pane adds a line), lines
# wider than the pane joined again.
shell_lines() { tmux_ capture-pane -p -J -S - -t t | grep -v -e '^$' -e '^Pane is dead'; }

expect_shell_lines() {  # expect_shell_lines LINES
  local shown deadline=$((SECONDS + 15))
  until shown=$(shell_lines) && [[ $shown == "$1" ]]; do
    ((SECONDS < deadline)) || fail "the shell shows:
$shown"
    sleep 0.02
  done
}

# The screen without the line on a simulation, which changes on its own.
question_screen() { screen | sed -E 's/ {2,}(Simulating|Simulated|Cannot simulate).*$//'; }

# Types each answer and Return, as the answer lines of a golden case give
# them, each once its question is on the screen: a question drops the keys
# typed before it was drawn.
type_answers() {
  local answer before deadline
  while IFS= read -r answer; do
    if [[ -n $answer ]]; then
      tmux_ send-keys -t t -l -- "$answer"
      wait_for "^ > $(sed 's/[][\\.^$*+?(){}|]/\\&/g' <<<"$answer")( |$)"
    fi
    before=$(question_screen)
    tmux_ send-keys -t t Enter
    # The next question, or the same one asked again on an unchanged screen.
    deadline=$((SECONDS + 5))
    while [[ $(question_screen) == "$before" ]] && ((SECONDS < deadline)); do sleep 0.02; done
  done
}


# The number of the first question of golden case $1 whose transcript line
# begins with $2.
question_number() {
  grep '^?> ' "$golden/$1/transcript.txt" | grep -nF -m1 -- "$2" | cut -d: -f1
}

# start_flyback WIDTH HEIGHT: `flyback --tty` at its first question.
start_flyback() {
  start "$1" "$2" "$flyback --tty"
  wait_for '^ continue with OK'
}

# Types the answers of golden case $1 from the question the program stands at
# up to its first question that begins with $2; `question` becomes that
# question's number (counted from 1 in the transcript).
question=1
answer_until() {
  local from=$question
  question=$(question_number "$1" "$2")
  sed -n "${from},$((question - 1))p" "$golden/$1/answers.txt" | type_answers
}

# The lines on the page when question $2 of golden case $1 is asked: the
# lines written since the last cleared page, without the question lines.
page_at() {
  awk -v target="$2" '
    /^\?> / { if (++asked == target) { for (i = 0; i < n; ++i) print page[i]; exit } next }
    /^\f$/ { n = 0; next }
    { page[n++] = $0 }' "$golden/$1/transcript.txt"
}

# Each line cut at WIDTH characters ("µ" and "²" are one), without trailing
# blanks.
cut_columns() {  # cut_columns WIDTH
  local LC_ALL=C.UTF-8 line
  while IFS= read -r line; do
    line=${line:0:$1}
    printf '%s\n' "${line%"${line##*[! ]}"}"
  done
}

# The lines of page_at as the terminal shows them: the last ROWS lines, each
# cut at WIDTH columns.
page_as_shown() {  # page_as_shown CASE QUESTION ROWS WIDTH
  page_at "$1" "$2" | tail -n "$3" | cut_columns "$4"
}

expect_page() {  # expect_page CASE QUESTION ROWS WIDTH
  expect_rows 0 "$(page_as_shown "$@")"
}

case $case in
  main_menu)
    # Every choice number of the main menu at column 42; a smaller terminal
    # redraws with the newest lines and can page back.
    start_flyback 100 30
    answer_until demo-3-outputs '?> Choice for continuation [1]'
    wait_for '^Start from the beginning +\(10\)'
    for choice in 1 2 3 4 5 6 7 8 9 10; do
      column=$(screen | awk -v mark="($choice)" 'index($0, mark) { print index($0, mark) - 1; exit }')
      [[ $column == 42 ]] || fail "($choice) stands at column '$column', not 42"
    done
    expect_row 27 ' Choice for continuation'
    expect_row 28 ' [1]'
    expect_row 29 ' >'
    tmux_ resize-window -t t -x 60 -y 20
    wait_for '^ Choice for continuation +lines 5-21 of 21, PgUp/PgDn$'
    expect_row 0 'Print the result                          (2)'
    expect_row 19 ' >'
    tmux_ send-keys -t t PPage
    wait_for '^ Choice for continuation +lines 1-17 of 21, PgUp/PgDn$'
    expect_row 2 'Optimization of the output voltages       (1)'
    ;;

  winding_table)
    # The result screen ("µH", "mm²") and the winding table as in the
    # transcript, the question area below them, editing keys, unknown escape
    # sequences, the answers typed before, and a question without default.
    start_flyback 120 30
    answer_until demo-3-outputs '?> Show number of turns and voltages?'
    wait_for '^ Show number of turns and voltages\?$'
    expect_page demo-3-outputs "$question" 27 120
    answer_until demo-3-outputs '?> Choice for continuation [transformer data'
    wait_for '^ Choice for continuation$'
    expect_page demo-3-outputs "$question" 27 120
    expect_row 27 ' Choice for continuation'
    expect_row 28 ' [transformer data (Ret)  continue(1) change manually (2) optimization (3)]'
    expect_row 29 ' >'
    tmux_ send-keys -t t -l 'x12'
    tmux_ send-keys -t t Left Left BSpace End
    tmux_ send-keys -t t -l 3
    tmux_ send-keys -t t Home DC
    wait_for '^ > 23$'
    # Keys that send escape sequences the terminal's description lacks are
    # ignored; they do not end the program as Escape does.
    tmux_ send-keys -t t M-x C-Left
    tmux_ send-keys -t t -l 4
    wait_for '^ > 423$'
    tmux_ send-keys -t t End C-u
    tmux_ send-keys -t t -l 2
    tmux_ send-keys -t t Enter
    wait_for '^ Manually Change( |$)'
    tmux_ send-keys -t t Up
    wait_for '^ > 2$'
    tmux_ send-keys -t t C-u
    tmux_ send-keys -t t -l p
    tmux_ send-keys -t t Enter
    wait_for '^ New number of primary turns\?( |$)'
    expect_row 28 ' Ctrl-D ends the program'
    expect_row 26 'New number of primary turns ?'
    tmux_ send-keys -t t Up Up
    wait_for '^ > 2$'
    tmux_ send-keys -t t Down
    wait_for '^ > p$'
    ;;

  long_page)
    # 80 x 24: lines cut at the right edge, never wrapped; a page taller than
    # the rows above the question area shows its newest lines.
    start_flyback 80 24
    expect_page demo-3-outputs 1 21 80
    answer_until optimization-continuation '?> Magnetization [300] {Enter Bmax'
    wait_for '^ Magnetization +lines [0-9]+-[0-9]+ of [0-9]+, PgUp/PgDn$'
    expect_page optimization-continuation "$question" 21 80
    expect_row 19 'Please enter Bmax ! (The greater cfmax (0 < cfmax < 1), the better'
    expect_row 20 'are the output voltages in the middle of the tolerances !)'
    expect_row 22 ' Enter Bmax in mT  [300]'
    ;;

  replace)
    # An existing report file is replaced only after "y"; Return keeps it and
    # asks for another name, a key that ends the program keeps it too.
    printf 'kept\n' >"$work/Name0001.doc"
    start 100 30 "sh -c '$flyback --tty; echo status \$?'"
    wait_for '^ continue with OK'
    answer_until report-demo '?> Name of output file'
    wait_for '^ Name of output file$'
    tmux_ send-keys -t t Enter
    wait_for '^ Name0001.doc exists. Replace it\?$'
    expect_row 28 ' [y/N]'
    tmux_ send-keys -t t Enter
    wait_for '^ Please enter another file name.  \[Name0001.doc\]$'
    expect_row 27 ' Name of output file'
    [[ $(cat "$work/Name0001.doc") == kept ]] || fail "Name0001.doc was changed after No"
    tmux_ send-keys -t t Enter
    wait_for '^ Name0001.doc exists. Replace it\?$'
    tmux_ send-keys -t t y Enter
    wait_for '^ Choice for continuation$'
    cmp -s "$work/Name0001.doc" "$golden/report-demo/Name0001.doc" ||
      fail "Name0001.doc is not the result report of the demonstration design"
    tmux_ send-keys -t t 2 Enter
    wait_for '^ Name of output file$'
    tmux_ send-keys -t t Enter
    wait_for '^ Name0001.doc exists. Replace it\?$'
    tmux_ send-keys -t t C-d
    expect_shell_lines "$resume_hint
status 0"
    cmp -s "$work/Name0001.doc" "$golden/report-demo/Name0001.doc" ||
      fail "Name0001.doc was changed by the end of the program"
    ;;

  cancel)
    # Escape, Ctrl-D and Ctrl-C end the program with status 0, and the
    # shell's screen comes back without the page.
    for key in Escape C-d C-c; do
      start 100 30 "sh -c 'echo shell-before; $flyback --tty; echo status \$?'"
      wait_for '^ continue with OK'
      tmux_ send-keys -t t "$key"
      expect_shell_lines "shell-before
$resume_hint
status 0"
    done
    ;;

  signal)
    # A signal that ends the program restores the shell's screen and the
    # terminal's modes first, then ends it as usual (status 128 + signal).
    for signal in TERM HUP; do
      start 100 30 "sh -c 'echo shell-before; $flyback --tty </dev/tty & echo \$! >pid; wait \$!; \
echo status \$?; stty -a | tr \" \" \"\\n\" | grep -x -e icanon -e echo | tr \"\\n\" \" \"; echo'"
      wait_for '^ continue with OK'
      kill "-$signal" "$(cat "$work/pid")"
      wait_for '^icanon echo$'
      shown=$(shell_lines)
      [[ $(head -n 1 <<<"$shown") == shell-before ]] || fail "the shell shows: $shown"
      grep -qx "status $((128 + $(kill -l "$signal")))" <<<"$shown" || fail "the shell shows: $shown"
      ! grep -q 'This program calculates' <<<"$shown" || fail "the page stayed: $shown"
    done
    ;;

  simulation)
    # --simulate runs beside the dialogue. Keys typed while the program was
    # busy (here: stopped) before a question was drawn do not answer it; the
    # line on the run is kept up to date; Ctrl-C during a run ends the
    # program within 0.5 s (judged where it is not built with the sanitizers,
    # FLYBACK_SANITIZED) and kills the run's worker process.
    python3 -c 'import ctypes.util, sys; sys.exit(ctypes.util.find_library("ngspice") is None)' || {
      echo "ngspice's shared library is not installed (scripts/setup.sh): skipped"
      exit 77
    }
    launch="sh -c '$flyback --tty --simulate </dev/tty & echo \$! >pid; wait \$!; echo status \$?'"
    start 120 30 "$launch"
    wait_for '^ continue with OK'
    answer_until demo-3-outputs '?> Show number of turns and voltages?'
    wait_for '^ Show number of turns and voltages\?$'
    wait_for '^ > +Simulating\.\.\. [0-9]+ %$'
    # Return answers the question on the screen; what follows it was typed
    # before the next question was drawn.
    kill -STOP "$(cat "$work/pid")"
    tmux_ send-keys -t t Enter 1 Enter 1 Enter
    sleep 0.5
    kill -CONT "$(cat "$work/pid")"
    wait_for '^ Cross section / number of wires( |$)'
    sleep 1
    expect_row 27 ' Cross section / number of wires (see note above)'
    [[ $(row 29) =~ ^\ \>(\ {2,}(Simulating|Simulated|Cannot\ simulate).*)?$ ]] ||
      fail "the keys typed ahead reached the question: $(row 29)"

    start 120 30 "$launch"
    wait_for '^ continue with OK'
    question=1
    answer_until demo-3-outputs '?> Show number of turns and voltages?'
    wait_for '^ > +Simulating\.\.\. [0-9]+ %$'
    flyback_pid=$(cat "$work/pid")
    worker_pid=$(pgrep -P "$flyback_pid" -x flyback-ngspice || true)
    [[ -n $worker_pid ]] || fail "no worker process runs while the screen says Simulating"
    pressed_ns=$(date +%s%N)
    tmux_ send-keys -t t C-c
    while kill -0 "$flyback_pid" 2>/dev/null; do
      (($(date +%s%N) - pressed_ns < 5000000000)) || fail "the program goes on after Ctrl-C"
      sleep 0.005
    done
    ended_ms=$((($(date +%s%N) - pressed_ns) / 1000000))
    echo "Ctrl-C during a run: the program ended after $ended_ms ms"
    if [[ -z ${FLYBACK_SANITIZED:-} ]]; then
      ((ended_ms <= 500)) || fail "the program ended $ended_ms ms after Ctrl-C, not within 500 ms"
    fi
    ! kill -0 "$worker_pid" 2>/dev/null || fail "the worker process $worker_pid still runs"
    expect_shell_lines "$resume_hint
status 0"
    ;;

  no_terminal)
    # Without a terminal: one line on standard error, status 2.
    status=0
    "$flyback" --tty </dev/null >"$work/out" 2>"$work/err" || status=$?
    [[ $status == 2 ]] || fail "status $status, expected 2"
    [[ $(wc -l <"$work/err") == 1 ]] || fail "standard error: $(cat "$work/err")"
    grep -q '^flyback: standard input is not a terminal' "$work/err" ||
      fail "standard error: $(cat "$work/err")"
    ;;

  *)
    fail "unknown case"
    ;;
esac
