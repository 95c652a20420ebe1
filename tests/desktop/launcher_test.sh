#!/usr/bin/env bash
# The desktop launcher as `cmake --install` leaves it, in a fresh home folder:
#
#   launcher_test.sh BUILD_DIR install    where the entry and icon go, and that
#                                         the entry names the program of --prefix
#   launcher_test.sh BUILD_DIR validate   desktop-file-validate accepts the entry
#   launcher_test.sh BUILD_DIR start      the desktop's launcher (gio launch)
#                                         starts the installed program
#
# Exit 77 (skipped) when the tool a check needs is not installed.
set -euo pipefail

build="$1"
check="$2"
work="$(mktemp -d)"
started=""
cleanup() {
  if [ -n "$started" ]; then kill "$started" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A prefix with a blank and a dollar sign in it: the launcher must quote it.
prefix="$work/Qudrim 程序 \$HOME"
home="$work/home"
mkdir -p "$home"

install_into() {  # install_into HOME [XDG_DATA_HOME]
  env -u XDG_DATA_HOME HOME="$1" ${2:+XDG_DATA_HOME="$2"} \
    cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
}

# The value of KEY in the [Desktop Entry] group of FILE.
value() {
  awk -v key="$2" '
    /^\[/ { group = $0 }
    group == "[Desktop Entry]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$1"
}

# The program an Exec value starts: its first argument, unquoted as the
# desktop entry rules say (a backslash first undoes the value's own escaping,
# then the quoting inside the double quotes; %% is a percent sign).
exec_program() {
  perl -e '
    $_ = shift;
    s/\\(.)/$1 eq "s" ? " " : $1 eq "n" ? "\n" : $1 eq "t" ? "\t" : $1 eq "r" ? "\r" : $1 eq "\\" ? "\\" : "\\$1"/ge;
    /^"((?:[^"\\]|\\.)*)"/ or die "Exec does not quote the program: $_\n";
    ($program = $1) =~ s/\\(.)/$1/g;
    $program =~ s/%%/%/g;
    print $program;' "$1"
}

entry="$home/.local/share/applications/qudrim.desktop"
icon="$home/.local/share/icons/hicolor/scalable/apps/qudrim.svg"

case "$check" in
install)
  install_into "$home"
  [ -f "$entry" ] || fail "no launcher at $entry"
  [ -f "$icon" ] || fail "no icon at $icon"
  [ -x "$prefix/qudrim" ] || fail "no program at $prefix/qudrim"
  program="$(exec_program "$(value "$entry" Exec)")"
  [ "$program" = "$prefix/qudrim" ] || fail "Exec starts '$program', not '$prefix/qudrim'"
  [ "$(value "$entry" TryExec)" = "$prefix/qudrim" ] || fail "TryExec is '$(value "$entry" TryExec)'"
  [ "$(value "$entry" Icon)" = "qudrim" ] || fail "Icon is '$(value "$entry" Icon)'"
  [ "$(value "$entry" 'Name[zh_CN]')" = "Qudrim 彩票历史分析" ] || fail "Name[zh_CN] is '$(value "$entry" 'Name[zh_CN]')'"
  [ -n "$(value "$entry" Name)" ] || fail "no Name for other languages"
  [ -n "$(value "$entry" 'Comment[zh_CN]')" ] && [ -n "$(value "$entry" Comment)" ] || fail "no Comment"
  [ -n "$(value "$entry" Categories)" ] || fail "no Categories"
  # A data folder of the user's own choosing is where the desktop looks.
  other="$work/data"
  install_into "$home" "$other"
  [ -f "$other/applications/qudrim.desktop" ] || fail "XDG_DATA_HOME was not used"
  [ -f "$other/icons/hicolor/scalable/apps/qudrim.svg" ] || fail "no icon under XDG_DATA_HOME"
  ;;
validate)
  command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is not installed"; exit 77; }
  install_into "$home"
  desktop-file-validate "$entry" || fail "desktop-file-validate refused the launcher"
  ;;
start)
  command -v gio >/dev/null || { echo "gio is not installed"; exit 77; }
  install_into "$home"
  # Started as the desktop does, without a display; it is running once it
  # has opened (and so created) its history beside itself.
  env -u XDG_DATA_HOME HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
    gio launch "$entry" || fail "gio launch refused the launcher"
  for _ in $(seq 1 150); do
    for p in /proc/[0-9]*; do
      if [ "$(readlink "$p/exe" 2>/dev/null)" = "$prefix/qudrim" ]; then started="${p#/proc/}"; fi
    done
    [ -n "$started" ] && [ -f "$prefix/plenvox.mdb" ] && break
    sleep 0.2
  done
  [ -n "$started" ] || fail "the installed program did not start"
  [ -f "$prefix/plenvox.mdb" ] || fail "the program started but made no history in $prefix"
  ;;
*)
  fail "unknown check '$check'"
  ;;
esac
echo "launcher $check: ok"
