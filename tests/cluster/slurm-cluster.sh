#!/usr/bin/env bash
# A private one-node Slurm cluster for tests, run as root.
#
#   slurm-cluster.sh start DIR   makes DIR, starts munged, slurmctld and slurmd, waits until the
#                                node is idle and prints `export SLURM_CONF=...` (also in DIR/env)
#   slurm-cluster.sh stop DIR    cancels every job and stops the daemons `start DIR` started, by
#                                their recorded process ids
#
# Exit status 0, 1 on failure, 2 for a usage error, 77 when Slurm or munge is not installed or
# the caller is not root (the test is then skipped). It never installs anything.
#
# DIR holds etc/slurm.conf, log/, state/, pids ("name pid starttime") and jobs/ (1777, for the
# jobs' files). The munge key and socket and slurmd's spool go to DIR, or to a short
# /tmp/slurm-test.XXXXXX (named in DIR/short-dir) when DIR is too long for a Unix socket path.
set -euo pipefail

program=${0##*/}
# Set in the daemons' environment only, and so inherited by slurmstepd and the jobs: it finds
# what they left once the daemons are gone.
mark_var=SLURM_TEST_DAEMON_OF

die() {
    echo "$program: $*" >&2
    if [[ ${starting:-0} == 1 ]]; then
        starting=0
        stop || true
    fi
    exit 1
}
skip() { echo "$program: SKIP: $*" >&2; exit 77; }
say() { echo "$program: $*" >&2; }

tools=(munged munge unmunge slurmctld slurmd sbatch squeue scancel scontrol sinfo)
missing_tools() {
    local tool missing=()
    for tool in "${tools[@]}"; do
        command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
    done
    echo "${missing[*]}"
}

# A process is known by its id and start time (field 22 of /proc/PID/stat), so a later process
# that got the same id is never taken for it.
starttime() { awk '{sub(/^.*\) /, ""); print $20}' "/proc/$1/stat" 2>/dev/null; }
alive() { # pid starttime
    [[ -e /proc/$1 && "$(starttime "$1")" == "$2" ]] &&
        ! grep -q '^State:.*Z' "/proc/$1/status" 2>/dev/null
}
record() { # name pid
    local start
    start=$(starttime "$2") || true
    [[ -n $start ]] || die "$1 (pid $2) ended right after it started; see $dir/log/"
    echo "$1 $2 $start" >>"$dir/pids"
}

free_port() { # the first port from $1 on that is free with the next one
    local port=$1 used
    used=$(ss -Htan 2>/dev/null | awk '{n = split($4, a, ":"); print a[n]}' | sort -u)
    while grep -qx "$port" <<<"$used" || grep -qx "$((port + 1))" <<<"$used"; do
        port=$((port + 2))
    done
    echo "$port"
}

wait_for() { # seconds, command...
    local end=$(($(date +%s) + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        (($(date +%s) < end)) || return 1
        sleep 0.1
    done
}

start() {
    [[ $(id -u) -eq 0 ]] || skip "Slurm runs its test cluster as root"
    export PATH="$PATH:/usr/sbin:/sbin"
    [[ -z "$(missing_tools)" ]] || skip "not installed: $(missing_tools)"
    id munge >/dev/null 2>&1 || skip "there is no user munge"

    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd -P)
    if [[ -s $dir/pids ]]; then
        while read -r name pid start; do
            alive "$pid" "$start" && die "a cluster runs in $dir ($name, pid $pid)"
        done <"$dir/pids"
    fi
    : >"$dir/pids"
    starting=1
    # munged, running as munge, must pass through the folder.
    chmod 0755 "$dir"
    mkdir -p "$dir"/{etc,log,state,run,jobs}
    chmod 0755 "$dir"/{etc,log,state,run}
    chmod 1777 "$dir/jobs"

    # Unix socket paths (munge's, slurmstepd's in the spool) must fit in 108 bytes.
    local host short
    host=$(hostname -s)
    short=$dir
    if ((${#dir} + ${#host} * 2 + 40 > 107)); then
        short=$(mktemp -d /tmp/slurm-test.XXXXXX)
        chmod 0755 "$short"
        echo "$short" >"$dir/short-dir"
    fi
    mkdir -p "$short/spool/slurmd-$host"
    chmod 0755 "$short/spool"

    # munged wants its key 0400 and its folders owned by munge, not writable by others.
    local munge=$short/munge socket
    mkdir -p "$munge"
    chown munge:munge "$munge"
    chmod 0711 "$munge"
    socket=$munge/munge.socket
    [[ -s $munge/munge.key ]] || dd if=/dev/urandom of="$munge/munge.key" bs=1 count=1024 status=none
    chown munge:munge "$munge/munge.key"
    chmod 0400 "$munge/munge.key"
    env "$mark_var=$dir" setpriv --reuid=munge --regid=munge --clear-groups \
        munged --foreground --socket="$socket" --key-file="$munge/munge.key" \
        --pid-file="$munge/munged.pid" --seed-file="$munge/munged.seed" \
        </dev/null >"$dir/log/munged.out" 2>&1 &
    record munged $!
    wait_for 10 test -S "$socket" || die "munged made no socket $socket"
    munge -n -S "$socket" | unmunge -S "$socket" >/dev/null || die "munge does not answer"

    # The node as slurmd sees it: a node claiming more than the machine has is never used.
    local port conf node
    port=$(free_port $((20000 + RANDOM % 20000)))
    conf=$dir/etc/slurm.conf
    node=$(slurmd -C | head -1)
    [[ $node == NodeName=* ]] || die "slurmd -C said: $node"
    node=${node/NodeName=* CPUs=/NodeName=$host CPUs=}
    cat >"$conf" <<CONF
ClusterName=test
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$socket
StateSaveLocation=$dir/state
SlurmdSpoolDir=$short/spool/slurmd-%n
SlurmctldPidFile=$dir/run/slurmctld.pid
SlurmdPidFile=$dir/run/slurmd-%n.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd-%n.log
PlugStackConfig=$dir/etc/plugstack.conf
MpiDefault=none
MailProg=/bin/true
SwitchType=switch/none
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/filetxt
JobCompLoc=$dir/log/jobcomp.txt
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
SchedulerType=sched/backfill
SchedulerParameters=batch_sched_delay=0
ReturnToService=2
MinJobAge=600
KillWait=5
InactiveLimit=0
Waittime=0
$node NodeAddr=127.0.0.1 State=UNKNOWN
PartitionName=test Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
    : >"$dir/etc/plugstack.conf"

    export SLURM_CONF=$conf
    env "$mark_var=$dir" slurmctld -D -f "$conf" </dev/null >"$dir/log/slurmctld.out" 2>&1 &
    record slurmctld $!
    wait_for 20 scontrol ping || die "slurmctld does not answer; see $dir/log/"
    env "$mark_var=$dir" slurmd -D -f "$conf" -N "$host" </dev/null >"$dir/log/slurmd.out" 2>&1 &
    record slurmd $!

    local end=$(($(date +%s) + 60)) state name pid start
    while :; do
        state=$(sinfo -h -n "$host" -o '%T' 2>/dev/null | head -1)
        case $state in
        idle | mixed | allocated) break ;;
        down* | drain* | fail*) scontrol update nodename="$host" state=resume >/dev/null 2>&1 || true ;;
        esac
        (($(date +%s) < end)) || die "the node is not idle but '$state'; see $dir/log/"
        for name in slurmctld slurmd; do
            read -r _ pid start < <(grep "^$name " "$dir/pids")
            alive "$pid" "$start" || die "$name ended; see $dir/log/"
        done
        sleep 0.1
    done
    starting=0
    echo "export SLURM_CONF=$conf" | tee "$dir/env"
}

stop_process() { # name pid starttime [tenths of a second to wait for TERM]
    local name=$1 pid=$2 start=$3 grace=${4:-100} tick
    alive "$pid" "$start" || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for ((tick = 0; tick < grace; tick++)); do alive "$pid" "$start" || return 0; sleep 0.1; done
    say "$name (pid $pid) ignored TERM; KILL"
    kill -KILL "$pid" 2>/dev/null || true
    for ((tick = 0; tick < 50; tick++)); do alive "$pid" "$start" || return 0; sleep 0.1; done
    say "$name (pid $pid) is still there"
    return 1
}

marked() { # the processes whose environment names this cluster
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        [[ $pid == "$$" ]] && continue
        { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "$mark_var=$dir" && echo "$pid"
    done
    return 0
}

descendants() { # every descendant of the pids given, the deepest first
    local found=() frontier=("$@") next stat pid parent ancestor
    while ((${#frontier[@]})); do
        next=()
        for stat in /proc/[0-9]*/stat; do
            pid=${stat#/proc/}
            pid=${pid%/stat}
            parent=$({ awk '{sub(/^.*\) /, ""); print $2}' "$stat"; } 2>/dev/null) || continue
            for ancestor in "${frontier[@]}"; do [[ $parent == "$ancestor" ]] && next+=("$pid"); done
        done
        found=("${next[@]}" "${found[@]}")
        frontier=("${next[@]}")
    done
    echo "${found[*]}"
}

stop() {
    [[ -d $dir ]] || die "there is no $dir"
    dir=$(cd "$dir" && pwd -P)
    [[ -s $dir/pids ]] || return 0
    export SLURM_CONF=$dir/etc/slurm.conf PATH="$PATH:/usr/sbin:/sbin"
    local status=0 name pid start jobs left

    # Jobs first, so that their processes end: they outlive slurmd.
    if grep -q '^slurmctld ' "$dir/pids" && read -r _ pid start < <(grep '^slurmctld ' "$dir/pids") &&
        alive "$pid" "$start"; then
        jobs=$(squeue -h -o '%A' 2>/dev/null | sort -u | tr '\n' ' ')
        if [[ -n ${jobs// /} ]]; then
            # shellcheck disable=SC2086
            scancel $jobs 2>/dev/null || true
            wait_for 15 bash -c '[[ -z $(squeue -h -o %A 2>/dev/null) ]]' || say "jobs still listed"
        fi
    fi
    for name in slurmd slurmctld munged; do
        while read -r recorded pid start; do
            [[ $recorded == "$name" ]] || continue
            stop_process "$name" "$pid" "$start" || status=1
        done <"$dir/pids"
    done
    # What slurmd started and left (slurmstepd ignores TERM), its jobs' processes first.
    left=$(marked)
    if [[ -n $left ]]; then
        # shellcheck disable=SC2086
        for pid in $(descendants $left) $left; do
            stop_process leftover "$pid" "$(starttime "$pid")" 20 || status=1
        done
    fi
    if [[ -s $dir/short-dir ]] && ((status == 0)); then
        local short
        short=$(cat "$dir/short-dir")
        [[ $short == /tmp/slurm-test.* ]] && rm -rf "$short"
        rm -f "$dir/short-dir"
    fi
    ((status == 0)) && : >"$dir/pids"
    return $status
}

case ${1:-} in
start | stop)
    [[ $# -eq 2 ]] || { echo "usage: $program start|stop DIR" >&2; exit 2; }
    dir=$2
    "$1"
    ;;
*) echo "usage: $program start|stop DIR" >&2; exit 2 ;;
esac
