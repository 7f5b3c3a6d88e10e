# Sourced by the scripts that put the simulated camera on a line (tests, the
# demo). start_simulated_camera SIM FOLDER [ARGS...] starts SIM in the
# background with ARGS, its output and log in FOLDER/sim.out and sim.log, and
# waits up to 10 s for the pseudo-terminal it serves, which it prints first.
# Sets sim_pid and pty; returns 1, with the simulator's log on stderr, when the
# camera did not come up. Stopping it stays with the caller (kill $sim_pid).
start_simulated_camera() {
  local sim=$1 folder=$2
  shift 2
  "$sim" "$@" >"$folder/sim.out" 2>"$folder/sim.log" &
  sim_pid=$!
  pty=
  for _ in $(seq 100); do
    pty=$(head -n 1 "$folder/sim.out" 2>/dev/null)
    [ -n "$pty" ] && return 0
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "the simulated camera did not start:" >&2
  cat "$folder/sim.log" >&2
  return 1
}
