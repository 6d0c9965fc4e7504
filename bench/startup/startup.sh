#!/bin/bash
# Start-up of the installed program under Xvfb with generated catalogs of 20, 200 and 2000 tools, against
# a bare Qt window started the same way: time from the process start to its first viewable window of at
# least 200x200 (polled with xwininfo every few milliseconds), best of 3 runs; and the program's peak RSS
# with 2000 tools, 3 s after its window appeared. A measurement, not a test.
# With 20000 tools also the time to read the two XML files alone (bench_market --read, same run) and the
# memory each tool adds.
# Usage: startup.sh <installed program folder> <bench_bare_window executable> [<bench_market executable>]
set -u
PROGRAM_DIR=$(cd "$1" && pwd)
BARE=$2
READER=${3:-}
RUNS=${RW_BENCH_RUNS:-3}
WORK=$(mktemp -d /tmp/rw-bench-startup.XXXXXX)
WAIT_MS=$(( ${RW_BENCH_WAIT_S:-120} * 1000 ))
XPID=""
LAST_PID=""
RUN_PID=""
cleanup() {
    for pid in $RUN_PID $LAST_PID $XPID; do kill "$pid" 2>/dev/null; done
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

for tool in Xvfb xwininfo; do
    command -v $tool >/dev/null || { echo "startup: $tool is not installed, skipped"; exit 0; }
done
[ -x "$PROGRAM_DIR/RigWarden" ] || { echo "startup: no RigWarden in $PROGRAM_DIR, skipped"; exit 0; }

# A display of our own.
for n in $(seq 140 160); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    XPID=$!
    for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
    [ -e /tmp/.X11-unix/X$n ] && { export DISPLAY=:$n; break; }
    kill $XPID 2>/dev/null; XPID=""
done
[ -n "$XPID" ] || { echo "startup: no Xvfb display could be started"; exit 1; }

# Milliseconds from now until a viewable top-level window of at least 200x200 exists (0 on timeout).
wait_window() {
    local start=$1 pid=$2
    local deadline=$(( $(date +%s%N) / 1000000 + WAIT_MS ))
    while [ $(( $(date +%s%N) / 1000000 )) -lt $deadline ]; do
        kill -0 "$pid" 2>/dev/null || { echo 0; return; }
        for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/{print $1}'); do
            if xwininfo -id "$id" 2>/dev/null | awk '/Map State: IsViewable/{v=1} /Width:/{w=$2} /Height:/{h=$2}
                 END{exit !(v && w>=200 && h>=200)}'; then
                echo $(( $(date +%s%N) / 1000000 - start )); return
            fi
        done
        sleep 0.003
    done
    echo 0
}

# Writes a catalog of N tools (the shipped material and program entries, then N copies of a demo tool).
make_catalog() {
    local folder=$1 count=$2 list="$1/ToolsFile/ToolsInfoList.xml"
    local source="$PROGRAM_DIR/ToolsFile/ToolsInfoList.xml"
    {
        echo '<?xml version="1.0" encoding="UTF-8"?>'
        echo '<ToolsInfoList>'
        awk '/<Tool>/{n++} n>=1 && n<=2' "$source" | sed '/<\/ToolsInfoList>/d'
        # One awk for all copies: a process per tool would make the large catalogs take minutes.
        awk -v count="$count" '
            function put(s, tag, text, keep,   open, a, b) {
                open = "<" tag ">"; a = index(s, open); b = index(s, "</" tag ">")
                if (!a || !b) return s
                a += length(open)
                return substr(s, 1, a - 1) (keep ? substr(s, a, b - a) : "") text substr(s, b)
            }
            /<Tool>/{n++} n==3{t = t $0 "\n"} /<\/Tool>/ && n==3{exit}
            END{ for (i = 2; i <= count + 1; i++) {
                s = put(t, "ToolKey", i, 0); s = put(s, "ToolENName", " " i, 1); s = put(s, "ExeName", i, 1)
                printf "%s", s } }' "$source"
        echo '</ToolsInfoList>'
    } > "$list.new" && mv "$list.new" "$list"
}

# Best start-up time of <runs> runs of a command in a folder (0: no window in time). With KEEP_LAST set,
# the last run is left running as LAST_PID.
measure() {
    local best=0 runs=$1
    shift
    for run in $(seq "$runs"); do
        local start=$(( $(date +%s%N) / 1000000 ))
        ( cd "$1" && HOME="$WORK/home" exec "${@:2}" ) >/dev/null 2>&1 &
        local pid=$!
        RUN_PID=$pid
        local ms
        ms=$(wait_window "$start" "$pid")
        if [ "$run" -lt "$runs" ] || [ -z "${KEEP_LAST:-}" ]; then
            kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
        else
            LAST_PID=$pid
        fi
        RUN_PID=""
        [ "$ms" -gt 0 ] && { [ "$best" -eq 0 ] || [ "$ms" -lt "$best" ]; } && best=$ms
    done
    echo "$best"
}

mkdir -p "$WORK/home"
echo "Start-up to the first viewable window under Xvfb, best of $RUNS runs"
measure "$RUNS" "$WORK" "$BARE" > "$WORK/result"; bare=$(cat "$WORK/result")
echo "  bare Qt window (baseline): ${bare} ms"
declare -A times
declare -A rss
for count in 20 200 2000 20000; do
    folder="$WORK/program-$count"
    cp -a "$PROGRAM_DIR" "$folder"
    make_catalog "$folder" "$count"
    if [ "$count" -ge 2000 ]; then KEEP_LAST=1; else unset KEEP_LAST; fi
    LAST_PID=""
    # The large catalogs run once: they are the slow ones.
    runs=$RUNS; [ "$count" -ge 2000 ] && runs=1
    if [ "$count" -eq 20000 ] && [ -n "$READER" ] && [ -x "$READER" ]; then
        read_ms=$("$READER" --read "$folder" 2>/dev/null | tail -1)
        echo "  reading ToolsInfoList.xml and ToolsStateList.xml alone, $count tools: ${read_ms:-?} ms"
    fi
    measure "$runs" "$folder" "$folder/RigWarden" > "$WORK/result"; times[$count]=$(cat "$WORK/result")
    ratio=$(awk -v a="${times[$count]}" -v b="$bare" 'BEGIN{ if (b > 0) printf "%.2f", a / b; else print "n/a" }')
    if [ "${times[$count]}" -eq 0 ]; then
        echo "  RigWarden, $count tools: no window within $((WAIT_MS / 1000)) s"
    else
        echo "  RigWarden, $count tools: ${times[$count]} ms (ratio to baseline $ratio)"
    fi
    if [ -n "$LAST_PID" ]; then
        sleep 3
        rss=$(awk '/VmHWM/{printf "%.1f", $2 / 1024}' /proc/$LAST_PID/status 2>/dev/null)
        echo "  RigWarden peak RSS with $count tools: ${rss:-?} MiB"
        rss[$count]=${rss:-0}
        kill "$LAST_PID" 2>/dev/null; wait "$LAST_PID" 2>/dev/null
        LAST_PID=""
    fi
    rm -rf "$folder"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{ if (a > 0 && b > 0) printf "%.2f", a / b; else print "n/a" }'; }
echo "  target: 200 tools at most 2x the bare window (is $(ratio "${times[200]}" "$bare")x);" \
    "2000 tools at most 3x (is $(ratio "${times[2000]}" "$bare")x), peak RSS at most 100 MiB (is ${rss[2000]:-?} MiB)"
above=$(( ${times[20000]} - bare ))
echo "  target: 20000 tools, time above the bare window at most 2x the XML reading (is ${above} ms against" \
    "${read_ms:-?} ms: $(ratio "$above" "${read_ms:-0}")x)"
per_tool=$(awk -v a="${rss[20000]:-0}" -v b="${rss[2000]:-0}" 'BEGIN{ if (a > 0 && b > 0) printf "%.1f", (a - b) * 1024 / 18000; else print "n/a" }')
echo "  target: memory per additional tool under 10 KiB (is ${per_tool} KiB, 2000 -> 20000 tools)"
