#!/usr/bin/env bash
# One whole game of the real desktop program, as built or as installed, on a private Xvfb, driven
# with xdotool and watched through screenshots: menu by keys and pointer, a close request, options
# by keys and clicks, full screen with clicks on its letterboxed picture, help pages, play on a
# seeded sea (one cast lands a fish) with pause and the leave question, the name entry with its
# check box sent to a score server of the test's own (first stopped, then running: the entry must
# land on its world page), the table, and the exit question. The program must then end by itself
# with status 0 and a clean log, and Config.cfg must hold what was set. A failure prints the logs
# and the last screenshot into the test's output.
#
# usage: whole_game.sh --built GAME HELPER SERVER OUTDIR
#        whole_game.sh --installed BUILD HELPER SERVER OUTDIR
#   GAME    the built executable, with Data/ and Sound/ beside it, played from a copy
#   BUILD   a build folder, installed into a scratch prefix whose games/brinecast is played,
#           keeping its Config.cfg in the player's folder
#   HELPER  brinecast_desktop_helper (close requests, full screen, Config.cfg)
#   SERVER  the built brinecast-scores
#   OUTDIR  where the logs, the last screenshot and the world page are kept
set -u

how=$1
from=$2
helper=$3
server=$4
out=$5
case $how in
  --built | --installed) ;;
  *)
    echo "whole_game: the first argument must be --built or --installed, not '$how'" >&2
    exit 2
    ;;
esac
source "$(dirname "$0")/score_server.sh"
source "$(dirname "$0")/../support/poll.sh"
source "$(dirname "$0")/../support/xvfb.sh"
source "$(dirname "$0")/../support/report.sh"
screen_w=1280 # not 4:3, so full screen is letterboxed and scaled
screen_h=800
started=$SECONDS
# The game runs with a fixed seed, so its first level always sends the same fish, at the same
# moments of play, whatever the machine's speed: with seed 8, a fish of the level's goal kind swims
# along the top of the sea past the boat's starting place some six seconds into play, and more
# follow later. A hook that has been lowered once and has come back up catches whatever touches
# it at rest, so one short cast early in the level lands that fish without any timing of keys;
# the test needs no luck to reach the name entry.
seed=8

rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/brinecast-desktop.XXXXXX") || exit 1
shot=$work/shot.rgb
wm_pid=
game_pid=
step_name="setting up"

cleanup() {
  # Only what this script started, by process id; the game first, the display last.
  local pid
  for pid in $game_pid $score_server_pid $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null
  done
  for pid in $game_pid $score_server_pid $wm_pid $xvfb_pid; do
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap '{ echo "whole_game: interrupted during: $step_name"; report_failure; } >&2; exit 130' INT TERM HUP

step() {
  step_name=$*
  echo "[$((SECONDS - started))s] $step_name"
}

# What CI keeps is the test's text output, so a failure prints what is needed to understand it
# there: the logs, and the last screenshot as a small PNG in base64.
report_failure() {
  print_log "the game's output" "$out/game.log"
  print_log "the score server's log" "$out/server.log"
  print_log "the window manager's log" "$out/wm.log"
  print_log "Xvfb's log" "$out/xvfb.log"
  [ -s "$shot" ] || return 0
  /usr/bin/convert -size "${screen_w}x${screen_h}" -depth 8 "rgb:$shot" "$out/last-screen.png" ||
    return 0
  echo "whole_game: the last screenshot is $out/last-screen.png"
  print_screenshot "$out/last-screen.png" "$work/small.png"
}

fail() {
  {
    echo "whole_game: FAILED during: $step_name"
    echo "whole_game: $*"
    report_failure
  } >&2
  exit 1
}

# --- the screen -------------------------------------------------------------------------------

take_shot() {
  timeout 20 import -window root -depth 8 "rgb:$shot" 2>/dev/null || fail "import could not take a screenshot"
}

# The game window's place and the frame inside it, as the game letterboxes it.
win_x=0 win_y=0 win_w=800 win_h=600 frame_x=0 frame_y=0 frame_w=800 frame_h=600
read_geometry() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$win" 2>/dev/null)" || fail "the game's window is gone"
  win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
  frame_w=$win_w
  frame_h=$((win_w * 600 / 800))
  if [ "$frame_h" -gt "$win_h" ]; then
    frame_h=$win_h
    frame_w=$((win_h * 800 / 600))
  fi
  frame_x=$(((win_w - frame_w) / 2))
  frame_y=$(((win_h - frame_h) / 2))
}

# Surface pixel (of the game's 800 x 600 picture) to a screen position, the pixel's centre.
sx=0 sy=0
to_screen() {
  sx=$((win_x + frame_x + (2 * $1 + 1) * frame_w / 1600))
  sy=$((win_y + frame_y + (2 * $2 + 1) * frame_h / 1200))
}

# Colour of a surface pixel in the last screenshot, into r g b.
r=0 g=0 b=0
pixel() {
  to_screen "$1" "$2"
  set -- $(od -An -tu1 -j $(((sy * screen_w + sx) * 3)) -N3 "$shot")
  r=${1:-0} g=${2:-0} b=${3:-0}
}

# The lit main-menu label carries an orange fish at (290, y + 15) of its row.
menu_rows="179 225 275 321 370 419"
fish_at() {
  pixel 290 $(($1 + 15))
  [ "$r" -gt 225 ] && [ "$g" -gt 135 ] && [ "$g" -lt 205 ] && [ "$b" -lt 125 ]
}
# Main menu over its background (sand at the bottom, not the game's dark strip), item $1 alone lit.
menu_lit() {
  pixel 150 590
  [ "$r" -gt 150 ] && [ "$g" -gt 110 ] || return 1
  local item=1 row
  for row in $menu_rows; do
    if [ "$item" -eq "$1" ]; then fish_at "$row" || return 1; else ! fish_at "$row" || return 1; fi
    item=$((item + 1))
  done
}
# A lit choice or button of the options, high-score and help screens: a yellow pill.
pill_at() {
  pixel "$1" "$2"
  [ "$r" -gt 230 ] && [ "$g" -gt 180 ] && [ "$b" -lt 150 ]
}
# The wooden question panel.
wood_at() {
  pixel "$1" "$2"
  [ "$r" -gt 125 ] && [ "$r" -lt 190 ] && [ "$g" -gt 80 ] && [ "$g" -lt 135 ] && [ "$b" -gt 30 ] && [ "$b" -lt 90 ]
}
# The play field's dark strip at the bottom.
play_field() {
  pixel 150 590
  [ "$r" -lt 80 ] && [ "$g" -lt 80 ] && [ "$b" -lt 80 ]
}
exit_question() { wood_at 570 240 && menu_background_behind; }
menu_background_behind() {
  pixel 150 590
  [ "$r" -gt 150 ] && [ "$g" -gt 110 ]
}
leave_question() { wood_at 570 240 && play_field; }
no_question() { ! wood_at 570 240; }
# Name entry: the panel lower down and the check box, empty (white) or ticked (green).
box_empty() {
  pixel 386 381
  [ "$r" -gt 235 ] && [ "$g" -gt 235 ] && [ "$b" -gt 235 ]
}
box_ticked() {
  pixel 386 381
  [ "$r" -lt 110 ] && [ "$g" -gt 140 ] && [ "$b" -lt 140 ]
}
name_entry() { wood_at 539 307 && play_field && { box_empty || box_ticked; }; }
options_screen() {
  menu_background_behind && pixel 600 420 && [ "$r" -gt 235 ] && [ "$g" -gt 225 ] && [ "$b" -gt 180 ]
}
# Options rows as lit: $1 window|full, $2 music on|off, $3 sound on|off.
options_show() {
  options_screen || return 1
  if [ "$1" = window ]; then pill_at 305 239 && ! pill_at 451 239; else pill_at 451 239 && ! pill_at 305 239; fi || return 1
  if [ "$2" = on ]; then pill_at 305 287 && ! pill_at 395 287; else pill_at 395 287 && ! pill_at 305 287; fi || return 1
  if [ "$3" = on ]; then pill_at 305 335 && ! pill_at 395 335; else pill_at 395 335 && ! pill_at 305 335; fi
}
# The one lit main-menu item, as its number.
lit_item() {
  local n
  for n in 1 2 3 4 5 6; do
    if menu_lit "$n"; then
      echo "$n"
      return 0
    fi
  done
  return 1
}
back_lit() { pill_at 50 477; }
# High-score and help screens open with their back button (41, 505) lit.
sub_screen_back_lit() { menu_background_behind && pill_at 50 517; }

# Pixels of a surface rectangle matching an awk condition on r, g and b.
count_pixels() {
  local x0=$1 y0=$2 x1=$3 y1=$4 cond=$5 ax ay
  to_screen "$x0" "$y0"
  ax=$sx ay=$sy
  to_screen "$x1" "$y1"
  /usr/bin/convert -size "${screen_w}x${screen_h}" -depth 8 "rgb:$shot" \
    -crop "$((sx - ax))x$((sy - ay))+$ax+$ay" +repage -depth 8 rgb:- 2>/dev/null |
    od -An -v -tu1 |
    awk "{ for (i = 1; i <= NF; i++) { v[n % 3] = \$i; n++; if (n % 3 == 0) { r = v[0]; g = v[1]; b = v[2]; if ($cond) c++ } } } END { print c + 0 }"
}
# A fingerprint of a surface rectangle, to tell pictures apart.
region_sum() {
  local ax ay
  to_screen "$1" "$2"
  ax=$sx ay=$sy
  to_screen "$3" "$4"
  /usr/bin/convert -size "${screen_w}x${screen_h}" -depth 8 "rgb:$shot" \
    -crop "$((sx - ax))x$((sy - ay))+$ax+$ay" +repage -depth 8 rgb:- 2>/dev/null | cksum
}
# The "Pause" banner: white letters in the middle of the sea, where nothing else is white.
pause_banner() {
  play_field && [ "$(count_pixels 355 280 480 325 'r > 235 && g > 235 && b > 235')" -gt 40 ]
}
# The "Level 1" banner in gold.
level_banner() {
  [ "$(count_pixels 325 295 440 330 'r > 200 && g > 150 && b < 110')" -gt 20 ]
}
# The server message box: a light panel in the middle over a dimmed picture.
message_box() {
  pixel 275 300
  [ "$r" -gt 230 ] && [ "$g" -gt 230 ] && [ "$b" -gt 230 ] || return 1
  pixel 150 590
  [ "$r" -lt 40 ] && [ "$g" -lt 40 ] && [ "$b" -lt 40 ]
}

game_alive() { kill -0 "$game_pid" 2>/dev/null; }

# The condition over a fresh screenshot and the window's geometry; false once the game has ended.
seen() { game_alive && take_shot && read_geometry && "$@"; }
# Says whether the condition came on screen within the time limit (seconds) while the game ran.
came_within() {
  local limit=$1
  shift
  poll_for --every 0.2 --while-alive "$game_pid" "$limit" seen "$@"
}
# As came_within, but fails the test when it did not come.
wait_for() {
  local limit=$1 what=$2
  shift 2
  came_within "$limit" "$@" && return 0
  game_alive || fail "the game ended while waiting for $what"
  fail "no $what after ${limit}s"
}

key() { xdotool key --delay 80 "$@" || fail "xdotool could not press $*"; }
# Holds key $1 down for $2 seconds, as a player does: how long is the input itself, not a wait.
hold_key() {
  xdotool keydown "$1" || fail "xdotool could not press $1"
  sleep "$2"
  xdotool keyup "$1" || fail "xdotool could not let go of $1"
}
pointer_at() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell 2>/dev/null)" && [ "$X" = "$1" ] && [ "$Y" = "$2" ]
}
# Moves the pointer over a surface pixel (hover), optionally clicking there once the
# display has it there: the game sees the move before the click.
point() {
  read_geometry
  to_screen "$1" "$2"
  xdotool mousemove "$sx" "$sy" || fail "xdotool could not move the pointer"
  poll_for 30 pointer_at "$sx" "$sy" || fail "the pointer did not reach ($sx, $sy) within 30s"
  if [ "${3:-}" = click ]; then xdotool click 1 || fail "xdotool could not click"; fi
}
config_line() { "$helper" config-read "$config" | sed -n "${1}p"; }
expect_options() {
  local got
  got=$(config_line 1) || fail "Config.cfg could not be read"
  [ "$got" = "options $1" ] || fail "Config.cfg holds '$got', expected 'options $1' (music sound windowed send)"
}

# --- start -------------------------------------------------------------------------------------

mkdir -p "$work/home" "$work/cwd" || fail "cannot make the work folder"
if [ "$how" = --built ]; then
  step "copying the game and writing a table of low scores"
  app=$(dirname "$from")
  mkdir -p "$work/app" || fail "cannot make the work folder"
  cp -r "$app/Data" "$app/Sound" "$from" "$work/app/" || fail "cannot copy the game from $app"
  game=$work/app/brinecast
  config=$work/app/Config.cfg
  sim=$(dirname "$app")/brinecast-sim
  game_data=$work/app
else
  step "installing the game and writing a table of low scores"
  cmake --install "$from" --prefix "$work/prefix" >"$out/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$out/install.log")"
  game=$work/prefix/games/brinecast
  config=$work/home/data/brinecast/Config.cfg
  sim=$from/brinecast-sim
  game_data=$from/AppDir
  mkdir -p "$(dirname "$config")" || fail "cannot make the player's folder"
fi
"$helper" config-write "$config" || fail "cannot write Config.cfg"

step "starting Xvfb"
xvfb_start "${screen_w}x${screen_h}x24" "$out/xvfb.log" "$work" ||
  fail "Xvfb did not start: $(cat "$out/xvfb.log")"
echo "display $DISPLAY"

step "starting a window manager"
# A desktop has one: it grants full screen and gives the window back its size.
evilwm -fn fixed >"$out/wm.log" 2>&1 &
wm_pid=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if ! poll_for --while-alive "$wm_pid" 60 wm_ready; then
  kill -0 "$wm_pid" 2>/dev/null || fail "the window manager did not start: $(cat "$out/wm.log")"
  fail "the window manager did not announce itself within 60s"
fi

# The pointer in a corner, away from every item, so the first menu shows its own choice.
xdotool mousemove 2 2

# The server replays uploaded recordings with the game's pictures, to prove their scores.
score_server_args=(--game-data "$game_data")
step "starting a score server on loopback"
score_server_start "$server" "$work/scores.db" "$out/server.log" ||
  fail "the score server did not start: $(cat "$out/server.log")"
echo "score server on port $score_server_port"

step "starting the game"
# The suite runs headless tests on SDL's dummy video driver; this one needs the real X11 one.
(cd "$work/cwd" && exec env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy HOME="$work/home" \
  XDG_DATA_HOME="$work/home/data" BRINECAST_SCORE_SERVER="127.0.0.1:$score_server_port" \
  "$game" --seed "$seed") >"$out/game.log" 2>&1 &
game_pid=$!
win=
window_found() {
  win=$(xdotool search --name '^Brinecast$' 2>/dev/null | head -n 1)
  [ -n "$win" ]
}
if ! poll_for --every 0.2 --while-alive "$game_pid" 120 window_found; then
  game_alive || fail "the game ended at start-up"
  fail "the game's window did not appear within 120s"
fi

step "main menu with Start lit"
wait_for 120 "main menu with item 1 lit" menu_lit 1

# --- main menu by keys and by pointer, a close request ------------------------------------------

step "main menu by keys"
key Down
wait_for 60 "item 2 lit after Down" menu_lit 2
key Down
wait_for 60 "item 3 lit after Down" menu_lit 3
key Up Up
wait_for 60 "item 1 lit after Up Up" menu_lit 1
key Up
wait_for 60 "item 6 lit after Up from item 1" menu_lit 6
key Down
wait_for 60 "item 1 lit after Down from item 6" menu_lit 1

step "close request in the menu asks the exit question"
"$helper" close "$win" || fail "the close request could not be sent"
wait_for 60 "exit question after a close request" exit_question
key n
wait_for 60 "main menu again after answering N" menu_lit 1
no_question || fail "the question panel is still shown after N"

step "main menu by pointer"
point 340 335
wait_for 60 "item 4 lit under the pointer" menu_lit 4
point 340 240
wait_for 60 "item 2 lit under the pointer" menu_lit 2
xdotool click 1
wait_for 60 "options screen" options_show window on on
back_lit || fail "Back is not lit on entering the options"

# --- options by keys and by clicks, full screen -------------------------------------------------

step "options by keys"
key Down Down
key Right
wait_for 60 "music off after Right" options_show window off on
key Left
wait_for 60 "music on after Left" options_show window on on
key Down Right
wait_for 60 "sound off after Right" options_show window on off

step "options by clicks"
point 318 336 click
wait_for 60 "sound on after a click" options_show window on on
point 412 288 click
wait_for 60 "music off after a click" options_show window off on

step "full screen chosen by a click"
point 518 240 click
wait_for 60 "a full-screen window" eval '[ "$win_w" -eq "$screen_w" ] && [ "$win_h" -eq "$screen_h" ]'
wait_for 60 "the options drawn full screen" options_show full off on
expect_options "0 1 0 0"

step "full screen: the pointer's hit areas line up (Back, menu items)"
point 90 485 click
wait_for 60 "main menu after clicking Back in full screen" menu_lit 2
expect_options "0 1 0 0"
# Near the lower edges: a pointer shifted down by the window system's old 20 pixels would miss.
point 340 345
wait_for 60 "item 4 lit under the pointer in full screen" menu_lit 4
point 340 200
wait_for 60 "item 1 lit under the pointer in full screen" menu_lit 1
point 340 345 click
wait_for 60 "help screen opened by a click in full screen" sub_screen_back_lit

step "help pages by clicks"
take_shot
page1=$(region_sum 60 200 740 440)
point 594 473 click
wait_for 60 "another help page after Next" eval '[ "$(region_sum 60 200 740 440)" != "$page1" ]'
point 86 473 click
wait_for 60 "the first help page again after Previos" eval '[ "$(region_sum 60 200 740 440)" = "$page1" ]'
key Escape
wait_for 60 "main menu after Esc on the help screen" menu_lit 4

step "back to a window with Alt+Enter"
# As a player presses it: Enter is let go while Alt is still held (a plain
# `key alt+Return` lets go of Alt first, and the game reads keys on release).
xdotool keydown Alt_L keydown Return keyup Return keyup Alt_L || fail "xdotool could not press Alt+Enter"
wait_for 60 "the 800 x 600 window again" eval '[ "$win_w" -eq 800 ] && [ "$win_h" -eq 600 ]'
wait_for 60 "main menu in the window" menu_lit 4
expect_options "0 1 1 0"

# --- play -----------------------------------------------------------------------------------------

# Esc in play asks whether to leave; it is ignored while a level's bonus is counted, so ask
# again until it shows. Returns 1 without asking when the level clock has already ended the
# game (the game-over panel, the name entry, or the menu are up).
ask_to_leave() {
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    take_shot
    read_geometry
    if ! play_field || wood_at 539 307; then return 1; fi
    key Escape
    came_within 10 leave_question && return 0
  done
  fail "Esc in play never asked the leave question"
}

step "game 1: start by keys"
# The menu's cursor rests where the last screen left it; walk up to Start, one item at a time,
# each step seen before the next.
for _ in 1 2 3 4 5 6; do
  take_shot
  read_geometry
  lit=$(lit_item) || lit=0
  [ "$lit" -eq 1 ] && break
  key Up
  if [ "$lit" -gt 1 ]; then
    wait_for 60 "item $((lit - 1)) lit after Up" menu_lit $((lit - 1))
  else
    came_within 10 lit_item >/dev/null || true
  fi
done
wait_for 60 "item 1 lit" menu_lit 1
key Return
wait_for 60 "the play field" play_field

step "game 1: the level banner, then one short cast"
came_within 30 level_banner || echo "(the level banner was already gone)"
wait_for 60 "the level banner to end" eval '! level_banner'
# Long enough for a few frames even on a slow machine, short enough that the hook stays in the
# empty top of the sea.
hold_key Down 0.3

step "game 1: the resting hook lands a goal fish and the level is won"
# The next level's banner, in gold, over a field whose level number (bottom left) has changed.
# The game-over panel's words are gold too, and it hides the number: its wood tells it apart.
level_one=$(region_sum 90 560 135 590)
game_over_panel() { wood_at 260 300 && wood_at 300 400; }
next_level() {
  ! game_over_panel && level_banner && [ "$(region_sum 90 560 135 590)" != "$level_one" ]
}
wait_for 120 "the first level won or lost" eval '! play_field || game_over_panel || next_level'
play_field && next_level ||
  fail "the first level ended without a catch: no fish reached the resting hook"
wait_for 60 "the second level's banner to end" eval '! level_banner'

step "game 1: pause with P and resume"
key p
wait_for 60 "the Pause banner" pause_banner
key p
wait_for 60 "play resumed" eval '! pause_banner'

step "game 1: Esc asks to leave, N goes on"
ask_to_leave || fail "game 1 ended before Esc could ask to leave it"
key n
wait_for 60 "play again after N" eval 'play_field && no_question'

step "game 1: Esc and Enter (yes) end the game with the landed fish's score"
ask_to_leave || fail "game 1 ended before Esc could ask to leave it"
key Return
wait_for 120 "the name entry after the game (its score enters the table of low scores)" name_entry

# --- name entry, table --------------------------------------------------------------------------

step "name entry: a name, the check box ticked by a click"
box_empty || fail "the send check box is ticked before anyone ticked it"
key t e s t e r
point 387 376 click
wait_for 60 "the check box ticked" eval 'name_entry && box_ticked'

step "name entry: Enter meets a stopped server, the player is told and the entry stays"
world_page "$out/world-before.html" || fail "the score server did not serve its world page"
! grep -q 'Tester' "$out/world-before.html" || fail "the world page names Tester before anything was sent"
port=$score_server_port
score_server_stop
key Return
wait_for 60 "the server message box" message_box
key Return
wait_for 60 "the name entry again after the message" eval 'name_entry && box_ticked'

step "name entry: the server back, Enter sends the entry and shows the table"
score_server_start "$server" "$work/scores.db" "$out/server.log" "$port" ||
  fail "the score server did not start again on port $port: $(cat "$out/server.log")"
key Return
wait_for 60 "the high-score table or a message box" eval 'sub_screen_back_lit || message_box'
message_box && fail "sending to a running score server showed a message box"
/usr/bin/convert -size "${screen_w}x${screen_h}" -depth 8 "rgb:$shot" "$out/high-scores.png"

# --- the exit question ----------------------------------------------------------------------------

step "Esc back to the main menu"
key Escape
wait_for 60 "main menu with item 3 lit" menu_lit 3

step "close request, answered N"
"$helper" close "$win" || fail "the close request could not be sent"
wait_for 60 "exit question after a close request" exit_question
key n
wait_for 60 "main menu with item 1 lit after N" menu_lit 1

step "Exit clicked, answered Y"
point 335 430
wait_for 60 "item 6 lit under the pointer" menu_lit 6
xdotool click 1
wait_for 60 "exit question after clicking Exit" exit_question
key y
game_ended() { ! game_alive; }
poll_for --every 0.2 120 game_ended || fail "the game did not end within 120s of answering Y"
wait "$game_pid"
status=$?
game_pid=

# --- what the game left behind --------------------------------------------------------------------

step "checking the exit status, the log and Config.cfg"
[ "$status" -eq 0 ] || fail "the game ended with status $status"
if grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: ' "$out/game.log"; then
  fail "the game's log holds a sanitizer report"
fi
# The box ticked on the name entry is remembered.
expect_options "0 1 1 1"
table=$("$helper" config-read "$config") || fail "Config.cfg could not be read"
echo "$table" >"$out/config.txt"
row1=$(echo "$table" | sed -n 2p)
case $row1 in
  "row 1 "*" Tester") ;;
  *) fail "row 1 of the saved table is '$row1', expected the new score of Tester" ;;
esac
score=$(echo "$row1" | cut -d' ' -f3)
[ "$score" -gt 9 ] || fail "the new row's score $score does not beat the old best (9)"

step "checking the world page for the entry sent"
world_page "$out/world.html" || fail "the score server did not serve its world page"
# One row a line; the score's digits are grouped with narrow no-break spaces.
sent=$(grep '>Tester<' "$out/world.html" | sed 's/\xe2\x80\xaf//g')
[ -n "$sent" ] || fail "Tester is not on the world page ($out/world.html)"
case $sent in
  *">$score<"*) ;;
  *) fail "the world page shows Tester without the score $score: $sent" ;;
esac
step "the game's recording proves the score on the world page"
# Verified in the background after the upload: the row turns proven within a while.
proven_on_page() {
  world_page "$out/world.html" || fail "the score server did not serve its world page"
  grep '>Tester<' "$out/world.html" | grep -q 'class="proven"'
}
poll_for --every 1 120 proven_on_page ||
  fail "Tester's row never became proven: $(grep '>Tester<' "$out/world.html")"

step "the player's folder keeps the game's recording, and the simulator replays it to its score"
shelf=$(dirname "$config")/Recordings
row_file=$shelf/row-$(printf 'Tester' | od -An -tx1 | tr -d ' \n')-$score-1.bcreplay
[ -f "$row_file" ] || fail "no recording for Tester's row in $shelf: $(ls "$shelf" 2>&1)"
[ -f "$shelf/last.bcreplay" ] || fail "no recording of the last game in $shelf"
verdict=$("$sim" --verify "$row_file" 2>"$out/verify.log") ||
  fail "the simulator did not verify the row's recording: $verdict $(cat "$out/verify.log")"
echo "$verdict" >"$out/verify.json"
case $verdict in
  *'"score":'"$score"','*'"complete":true'*'"name":"Tester"'*) ;;
  *) fail "the row's recording replays otherwise than the game went: $verdict (score $score)" ;;
esac

letters=(- a b c d e f g h i j)
for i in 2 3 4 5 6 7 8 9 10; do
  want="row $i $((11 - i)) Low${letters[i - 1]}"
  got=$(echo "$table" | sed -n "$((i + 1))p")
  [ "$got" = "$want" ] || fail "row $i of the saved table is '$got', expected '$want'"
done

echo "whole_game: passed in $((SECONDS - started))s (seed $seed, score $score)"
