# Sourced by the build scripts: runs their stages one by one, prints how long each took, and
# ends with a table of them all.
stage_times=()

# stage NAME COMMAND...: runs COMMAND as the stage NAME and returns its status, so that a
# failing stage stops the script unless the caller tests it.
stage() {
  local name=$1 start=$SECONDS status=0
  shift
  echo "== $name"
  "$@" || status=$?
  local took=$((SECONDS - start)) verdict=
  [ $status = 0 ] || verdict="  (failed)"
  stage_times+=("$(printf '%6d s  %s%s' "$took" "$name" "$verdict")")
  echo "== $name: $took s$verdict"
  return $status
}

stage_summary() {
  local title=$1
  echo "$title, stage by stage:"
  printf '  %s\n' "${stage_times[@]}"
}
