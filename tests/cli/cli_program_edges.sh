#!/usr/bin/env bash
# The real gradation-cli at the edges a library test cannot reach: descriptors that
# are closed or full, a directory or an endless device as input, a read error
# half-way (strace fault injection), a reader that goes away, a file name that would
# break the message's line, a user without a home or without permission.
# Usage: cli_program_edges.sh CLI WORK_DIR [sanitized]
# (a sanitized build reserves more address space than a memory limit leaves it)
set -uo pipefail
cli=$1
work=$2
sanitized=${3:-}
rm -rf "$work" && mkdir -p "$work/config"
export XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/config
cd "$work" || exit 1
standard='起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0'
heaviest='重,ON,ON,ON,ON,ON,ON, 1, 0, 4,ON, 2,V,ON, 0, 255, 0, 0, 0, 0, 255,1'
abc_markup=$'<FONT COLOR="#0080AA">a</FONT><FONT COLOR="#558055">b</FONT><FONT COLOR="#AA8000">c</FONT>\r\n'
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# check NAME CODE STDERR_PATTERN: the exit code of the last run, one line on standard
# error matching the pattern (empty pattern: nothing on standard error), no output.
check() {
  local name=$1 want=$2 pattern=$3 got=$code
  local err lines
  err=$(cat err)
  lines=$(wc -l <err)
  [ "$got" = "$want" ] || fail "$name: exit $got, not $want (stderr: $err)"
  if [ -z "$pattern" ]; then
    [ -z "$err" ] || fail "$name: unexpected message: $err"
  else
    [ "$lines" = 1 ] || fail "$name: $lines lines on standard error: $err"
    [[ $err == gradation-cli:* && $err == *"$pattern"* ]] || fail "$name: message '$err' lacks '$pattern'"
  fi
  if [ "$want" != 0 ] && [ -s out ]; then fail "$name: wrote output on failure"; fi
}

python3 -c "import sys; sys.stdout.write('重' * 32767)" >longest.txt
mkdir -p a_directory
mkfifo fifo

# Inputs that cannot be read, or never end.
"$cli" --line "$standard" a_directory >out 2>err; code=$?
check directory 1 "cannot read a_directory: Is a directory"
"$cli" --line "$standard" <&- >out 2>err; code=$?
check closed_stdin 1 "cannot read standard input"
"$cli" --line "$standard" </dev/zero >out 2>err; code=$?
check endless_input 1 "the input is over 131068 bytes"
if [ -z "$sanitized" ]; then
  (ulimit -v 200000; "$cli" --line "$standard" </dev/zero >out 2>err); code=$?
  check endless_input_memory_limit 1 "the input is over 131068 bytes"
fi
(printf 'abc\n' >fifo &) ; "$cli" --line "$standard" fifo >out 2>err; code=$?
check fifo 0 ""
printf '%s' "$abc_markup" >abc.expected
cmp -s out abc.expected || fail "fifo: the final LF was converted: $(cat -A out)"

# A read error half-way: the second read of standard input fails.
if command -v strace >/dev/null; then
  # LeakSanitizer cannot run under ptrace.
  no_leak_check="ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
  env "$no_leak_check" strace -o reads.log -e trace=read "$cli" --line "$standard" <longest.txt >/dev/null 2>&1
  nth=$(grep '^read(' reads.log | grep -n '^read(0,' | sed -n 2p | cut -d: -f1)
  env "$no_leak_check" strace -o /dev/null -e trace=read -e inject=read:error=EIO:when="$nth" \
    "$cli" --line "$standard" <longest.txt >out 2>err; code=$?
  check read_error_half_way 1 "cannot read standard input: Input/output error"
else
  fail "strace is not installed (tools/packages.txt lists it)"
fi

# Writes that fail: the help and the version too.
printf '[UserSetting]\r\n00=%s\r\n' "$standard" >QX.ini
for args in "--help" "--version" "--list --ini QX.ini" "--line X --text abc"; do
  read -ra argv <<<"$args"
  [ "${argv[1]:-}" = X ] && argv[1]=$standard
  "$cli" "${argv[@]}" >/dev/full 2>err; code=$?
  : >out; check "full_disk ${argv[0]}" 1 "cannot write"
  "$cli" "${argv[@]}" >&- 2>err; code=$?
  check "closed_stdout ${argv[0]}" 1 "cannot write"
done

# An edit written whose report cannot be: exit 3, not a retry-inviting 1.
"$cli" --ini QX.ini --add "$standard" >/dev/full 2>err; code=$?
: >out; check full_disk_add 3 "added to QX.ini as key 01, but cannot write its key"
grep -q "^01=" QX.ini || fail "full_disk_add: the entry is not in the file"
# ... nor death by SIGPIPE when the reader has gone (as for a shell's | head -c 0).
python3 -c 'import os, subprocess, sys; r, w = os.pipe(); os.close(r); sys.exit(subprocess.call(sys.argv[1:], stdout=w))' \
  "$cli" --ini QX.ini --add "$standard" 2>err; code=$?
: >out; check gone_reader_add 3 "added to QX.ini as key 02, but cannot write its key: Broken pipe"

# A reader that goes away: quiet, killed by SIGPIPE (also when the caller ignored it).
"$cli" --line "$heaviest" longest.txt 2>err | head -c 10 >head.out; code=${PIPESTATUS[0]}
: >out; check head_pipe 141 ""
[ "$(wc -c <head.out)" = 10 ] || fail "head_pipe: $(wc -c <head.out) bytes reached head"
(trap '' PIPE; "$cli" --line "$heaviest" longest.txt 2>err | head -c 10 >/dev/null; exit "${PIPESTATUS[0]}"); code=$?
: >out
check head_pipe_ignored 141 ""

# Names that would break the message's line, or show as nothing.
"$cli" --line "$standard" $'no\nsuch\e[31m' >out 2>err; code=$?
check control_characters 1 "cannot read \$'no\\nsuch\\e[31m': No such file or directory"
"$cli" --line "$standard" '' >out 2>err; code=$?
check empty_name 1 "cannot read '': No such file or directory"
"$cli" --ini $'bad\rname' --list >out 2>err; code=$?
check ini_name 1 "no such file: \$'bad\\rname'"
"$cli" --ini $'evil\e[31mRED' --add x >out 2>err; code=$?
check edit_ini_name 1 "no such file: \$'evil\\e[31mRED'"

# Without a home, and (as a user root is not) without permission: messages that say why.
env -u HOME -u XDG_CONFIG_HOME "$cli" --add "$standard" >out 2>err; code=$?
check no_home 1 "neither XDG_CONFIG_HOME nor HOME is set to an absolute folder; nothing written"
as_user=() && [ "$(id -u)" = 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
shared=$(mktemp -d) && chmod 711 "$shared" && install -D -m 644 QX.ini "$shared/locked/QX.ini" && chmod 555 "$shared/locked"
(cd "$shared" && "${as_user[@]}" "$cli" --ini locked/QX.ini --remove 0) >out 2>err; code=$?
check folder_not_writable 1 "cannot write locked/QX.ini: you may not create files in its folder $shared/locked (Permission denied)"
chmod 000 "$shared/locked/QX.ini"
(cd "$shared" && "${as_user[@]}" "$cli" --ini locked/QX.ini --setting 0 --text a) >out 2>err; code=$?
check file_not_readable 1 "cannot read locked/QX.ini: Permission denied"
chmod -R 755 "$shared" && rm -rf "$shared"

# Standard input as text tools give it: signature and one final line break dropped.
printf '\xEF\xBB\xBFabc\r\n' | "$cli" --line "$standard" >out 2>err; code=$?
check signature_and_crlf 0 ""
cmp -s out abc.expected || fail "signature_and_crlf: $(cat -A out)"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all edges hold"
