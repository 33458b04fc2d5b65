#!/usr/bin/env bash
# Checks VEXA as a Linux program: the Debian package's files, dependencies and lint, the
# desktop entry and metainfo, the manual pages against --help, the bash completion, and the
# programs installed into a staging prefix, which must find their files without --home.
# Usage: check_package.sh BUILD_FOLDER [--desktop] [--hardened]
#   --desktop: the desktop program is built; --hardened: an optimised build with the hardening flags
set -euo pipefail
build=$(cd "$1" && pwd)
desktop= hardened=
for option in "${@:2}"; do
  case $option in
    --desktop) desktop=1 ;;
    --hardened) hardened=1 ;;
    "") ;;  # ctest passes an option that does not apply as an empty word
    *) echo "unknown option $option" >&2; exit 2 ;;
  esac
done
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
sim_pid=
trap '[ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

echo "== The package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.out" 2>&1 ||
  { cat "$work/cpack.out"; fail "cpack could not make the package"; }
debs=("$work"/package/vexa_*_amd64.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then fail "no single vexa_<version>_amd64.deb"; fi
deb=${debs[0]}
cat "$here/files.txt" ${desktop:+"$here/files-desktop.txt"} | sort > "$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($6, 2) }' | sort > "$work/packaged"
diff -u "$work/expected" "$work/packaged" || fail "the package's files differ from the list"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libserialport0 ${desktop:+libqt6widgets6}; do
  tr ',' '\n' <<< "$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$library" ||
    fail "Depends lacks $library: $depends"
done
lintian -I --fail-on error "$deb" > "$work/lintian.out" 2>&1 || lint_failed=1
grep -v "running with root privileges" "$work/lintian.out" || true
[ -z "${lint_failed:-}" ] || fail "lintian reports errors"
# Built hardened, as Debian builds its own packages.
[ -z "$hardened" ] || ! grep -q "hardening-" "$work/lintian.out" ||
  fail "the programs are not built hardened"

dpkg-deb -x "$deb" "$work/unpacked"
if [ -n "$desktop" ]; then
  desktop-file-validate "$work"/unpacked/usr/share/applications/*.desktop ||
    fail "desktop-file-validate"
  appstreamcli validate --no-net "$work"/unpacked/usr/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "appstreamcli validate"
fi

echo "== Staging prefix"
stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr > /dev/null
(cd "$stage" && find . ! -type d | cut -c2- | sort) > "$work/staged"
diff -u "$work/expected" "$work/staged" || fail "the staged files differ from the list"
bin=$stage/usr/bin
data=$stage/usr/share/vexa

# A user of the installed programs, with nothing of VEXA in the home folder yet.
export HOME=$work/home
unset XDG_CONFIG_HOME XDG_STATE_HOME
mkdir -p "$HOME"
"$bin/vexa-sim" --profile "$data/HD40.sim" --link "$work/vexa-line" > "$work/sim.out" &
sim_pid=$!
for _ in $(seq 100); do [ -e "$work/vexa-line" ] && break; sleep 0.1; done
[ -e "$work/vexa-line" ] || fail "vexa-sim made no line: $(cat "$work/sim.out")"

identify() {
  "$bin/vexa-cli" --port "$work/vexa-line" "$@" identify > "$work/identify.out" ||
    fail "vexa-cli identify: $(cat "$work/identify.out")"
}
model_name() { sed -n 's/^Model name: *//p' "$work/identify.out"; }

identify
[ "$(model_name)" = "HD40 compact controller (relay output)" ] ||
  fail "identify from the staging prefix: $(cat "$work/identify.out")"
grep -q "^Table: *$data/HD40.prm$" "$work/identify.out" || fail "table not from $data"
[ -s "$HOME/.local/state/vexa/tra.txt" ] || fail "no log in the user's state folder"
[ -z "$(find "$stage" -name 'tra*.txt')" ] || fail "a log was written into the installation"

# A site's own model in the configuration folder comes before the shipped one.
mkdir -p "$HOME/.config/VEXA"
printf '"HD40-R","HD40.prm","HD40 of this site"\nENDOFTABLE,-\n' > "$HOME/.config/VEXA/HD40.tbl"
identify
[ "$(model_name)" = "HD40 of this site" ] || fail "site model not preferred: $(model_name)"

# --home names a folder that holds every file, the log too.
mkdir "$work/portable"
cp "$data"/* "$work/portable/"
identify --home "$work/portable"
[ "$(model_name)" = "HD40 compact controller (relay output)" ] || fail "--home: $(model_name)"
[ -s "$work/portable/tra.txt" ] || fail "--home: no log in the named folder"

echo "== Manual pages against --help"
# Every option and command that --help names is described in the program's manual page.
check_manual() {
  local page=$1 help=$2 word
  local text
  text=$(gzip -dc "$stage/usr/share/man/man1/$page.1.gz" | sed 's/\\-/-/g')
  grep -oE -- '--[a-z][a-z-]*' <<< "$help" | sort -u > "$work/options"
  while read -r word; do
    grep -qF -- "$word" <<< "$text" || fail "$page(1) lacks $word"
  done < "$work/options"
}
cli_help=$("$bin/vexa-cli" --help)
commands=$(sed -n '/^Subcommands:/,$ s/^  \([a-z]\+\) .*/\1/p' <<< "$cli_help")
[ -n "$commands" ] || fail "no commands in vexa-cli --help"
for command in $commands; do
  grep -qE "^\.B[IR]? \"?$command( |\"|$)" \
    <(gzip -dc "$stage/usr/share/man/man1/vexa-cli.1.gz") || fail "vexa-cli(1) lacks $command"
  cli_help+=$'\n'$("$bin/vexa-cli" "$command" --help)
done
check_manual vexa-cli "$cli_help"
check_manual vexa-sim "$("$bin/vexa-sim" --help)"

echo "== Bash completion"
complete_line() {
  (
    cd "$work/complete"
    # shellcheck disable=SC1091
    source /usr/share/bash-completion/bash_completion
    # shellcheck disable=SC1091
    source "$stage/usr/share/bash-completion/completions/vexa-cli"
    read -ra COMP_WORDS <<< "$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$1
    COMP_POINT=${#1}
    _vexa_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
  )
}
mkdir -p "$work/complete/sub"
touch "$work/complete/set.tmf" "$work/complete/set.csv"
expect_completion() {
  local got
  got=$(complete_line "$1")
  [ "$got" = "$2" ] || fail "completing '$1': '$got', expected '$2'"
}
expect_completion "vexa-cli up" "upload "
expect_completion "vexa-cli --parity " "even none odd "
expect_completion "vexa-cli --port /dev/null upload -" \
  "--baud --csv --data-bits --help --home --json --log --parity --port --record --retries --stop-bits --timeout --unit --version --wait-port -o "
expect_completion "vexa-cli show s" "set.tmf sub "
expect_completion "vexa-cli diff set.tmf s" "set.tmf sub "
expect_completion "vexa-cli diff a.tmf b.tmf --table " "sub "
expect_completion "vexa-cli upload --csv s" "set.csv sub "
expect_completion "vexa-cli --port $work/vexa-l" "$work/vexa-line "
echo "All package checks passed."
