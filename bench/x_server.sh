# Shared by the benchmark scripts that run the display on a private X
# server; source it.

# start_x_server WxH FILE [ARG...]: starts Xvfb at WxH in 24 bits, with the
# ARGs added, and waits for it; FILE receives its display number. The server
# does not reset when its last client leaves: a program starting just then
# could not connect. Leaves the
# server's pid in $x_server_pid and its display name in $x_server_display.
start_x_server() {
  local size=$1 file=$2
  shift 2
  rm -f "$file"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset "$@" 3>"$file" </dev/null >/dev/null 2>&1 &
  x_server_pid=$!
  for _ in $(seq 100); do
    [ -s "$file" ] && break
    sleep 0.05
  done
  x_server_display=":$(head -n1 "$file")"
}

# write_ordered_settings FOLDER [SPEED]: settings that show every pattern and
# every word of the default list in order at SPEED (default 7) over the
# default picture, so that two runs draw the same words.
write_ordered_settings() {
  mkdir -p "$1"
  printf '2\r\n""\r\n1\r\n0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n%s\r\n"DEFAULT"\r\n16777215,8454143\r\n1\r\n0\r\n"DEFAULT"\r\n' \
    "${2:-7}" >"$1/DrifStt"
}
