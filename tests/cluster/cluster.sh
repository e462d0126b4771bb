#!/usr/bin/env bash
# A plan converted by a Slurm job array on a one-node cluster of this machine: the four parts
# together write exactly what one machine writes; a part cancelled in the middle and run again
# with --resume keeps what it completed, renders only what is missing and renders no page twice.
# Usage: cluster.sh APP_DIR. Needs root and Slurm; skipped (77) without them.
set -euo pipefail
app=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/vez-cluster.XXXXXX)
# munged, running as its own user, passes through it.
chmod 0755 "$work"
cluster=$work/cluster
started=0
finish() {
    local status=$?
    ((started)) && "$here/slurm-cluster.sh" stop "$cluster" || true
    if ((status == 0 || status == 77)); then rm -rf "$work"; else echo "kept for a look: $work"; fi
    exit $status
}
trap finish EXIT
fail() { echo "FAIL: $*"; exit 1; }

set +e
environment=$("$here/slurm-cluster.sh" start "$cluster")
status=$?
set -e
((status == 0)) || exit $status
started=1
eval "$environment"

# The installation, with a renderer that is Ghostscript counting the pages each part renders,
# and slowed down per page for a part with a delay file, so that it can be cancelled in the
# middle.
cp -a "$app" "$work/app"
cat >"$work/app/P2I.exe" <<SCRIPT
#!/bin/bash
set -o pipefail
gs "\$@" | while IFS= read -r line; do
    printf '%s\n' "\$line"
    case \$line in "Page "*)
        echo "\${SLURM_ARRAY_TASK_ID:-one} \${line#Page }" >>"$work/rendered"
        sleep "\$(cat "$work/delay-\${SLURM_ARRAY_TASK_ID:-}" 2>/dev/null || echo 0)" ;;
    esac
done
SCRIPT
chmod +x "$work/app/P2I.exe"

# Four PDFs of different lengths, made by Ghostscript.
mkdir "$work/in"
for pages in 9 14 5 12; do
    gs -q -sDEVICE=pdfwrite -o "$work/in/doc$pages.pdf" -c "1 1 $pages {
        /Helvetica findfont 60 scalefont setfont 100 400 moveto 3 string cvs show showpage } for"
done
vezudiri=$work/app/vezudiri
choices=(-r 72 --naming number)

"$vezudiri" --convert "${choices[@]}" -o "$work/one" "$work/in" >"$work/one.txt" ||
    fail "the one-machine run failed: $(cat "$work/one.txt")"
"$vezudiri" --convert "${choices[@]}" -o "$work/out" --plan-out "$work/plan.json" "$work/in" >/dev/null ||
    fail "no plan"

cat >"$work/part.sh" <<SCRIPT
#!/bin/bash
exec "$vezudiri" --convert --plan "$work/plan.json" \
    --shard "\${SHARD:-\$SLURM_ARRAY_TASK_ID/\$SLURM_ARRAY_TASK_COUNT}" --json \$MORE
SCRIPT
chmod +x "$work/part.sh"
submit() { # sbatch options...: the job's id
    sbatch --parsable --chdir="$work" --output="$work/part-%A_%a.json" "$@" "$work/part.sh"
}
states() { squeue -h -t all -j "$1" -o %T 2>/dev/null | sort -u | tr '\n' ' '; }
wait_job() { # job id: waits until all its tasks ended
    for _ in $(seq 1200); do
        [[ -n "$(states "$1")" && -z "$(states "$1" | tr ' ' '\n' |
            grep -vE '^(COMPLETED|FAILED|CANCELLED|TIMEOUT|NODE_FAIL|OUT_OF_MEMORY|PREEMPTED|BOOT_FAIL|DEADLINE)?$')" ]] &&
            return 0
        sleep 0.1
    done
    fail "job $1 did not end: $(states "$1")"
}
same_as_one() { # every image one machine wrote, byte for byte, and nothing else
    diff -r -x .vezudiri-plan -x '.vezudiri-done-*' -x .vezudiri-complete "$work/one" "$work/out" || fail "the parts differ from one machine"
}
parses() { # JSON lines of the files given, one object a line, a summary last
    python3 -c '
import json, sys
for name in sys.argv[1:]:
    lines = [json.loads(line) for line in open(name)]
    assert lines and lines[-1].get("summary") is True, name
    assert all(line["status"] in ("ok", "failed", "skipped") for line in lines[:-1]), name
' "$@" || fail "a part did not report in JSON lines"
}

# The four parts at once, as a job array.
job=$(submit --array=0-3 --export=ALL,MORE=)
wait_job "$job"
[[ $(states "$job") == "COMPLETED " ]] || fail "parts ended $(states "$job")"
parses "$work"/part-"$job"_*.json
same_as_one
echo "4 parts wrote what one machine writes"

# Again, slowly; shard 1 is cancelled in the middle and resumed.
rm -rf "$work/out" "$work/rendered"
echo 1 >"$work/delay-1"
job=$(submit --array=0-3 --export=ALL,MORE=)
for _ in $(seq 600); do
    [[ $(grep -c '^1 ' "$work/rendered" 2>/dev/null) -ge 4 ]] && break
    sleep 0.1
done
[[ $(grep -c '^1 ' "$work/rendered" 2>/dev/null) -ge 4 ]] || fail "shard 1 did not start"
scancel "${job}_1"
wait_job "$job"
scontrol show job "${job}_1" | grep -q 'JobState=CANCELLED' || fail "shard 1 was not cancelled"
images() { find "$work/out" -type f ! -name .vezudiri-plan ! -name '.vezudiri-done-*' ! -path '*/.rendering*' -printf '%P %i %T@\n' | sort; }
images >"$work/kept"
expected=$(find "$work/one" -type f ! -name .vezudiri-complete | wc -l)
missing=$((expected - $(wc -l <"$work/kept")))
((missing > 0)) || fail "shard 1 was not cancelled in the middle"
mv "$work/rendered" "$work/rendered-before"
rm "$work/delay-1"
job=$(submit --array=1 --export=ALL,SHARD=1/4,MORE=--resume)
wait_job "$job"
[[ $(states "$job") == "COMPLETED " ]] || fail "the resumed part ended $(states "$job")"
parses "$work"/part-"$job"_*.json
same_as_one
images | comm -23 "$work/kept" - >"$work/redone"
[[ ! -s $work/redone ]] || fail "images of the cancelled part were written again: $(cat "$work/redone")"
rendered=$(wc -l <"$work/rendered")
((rendered == missing)) || fail "the resumed part rendered $rendered pages for $missing missing images"
[[ -z $(find "$work/out" -name '.rendering*') ]] || fail "work folders were left"
echo "the cancelled part, resumed, rendered its $missing missing pages and nothing twice"
