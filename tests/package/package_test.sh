#!/usr/bin/env bash
# The Debian package, tested without changing the machine:
#   build     makes the package from a finished build with cpack
#   contents  lintian, appstreamcli, desktop-file-validate, shellcheck, the file list,
#             the control fields and the binaries
#   start     unpacks the package with dpkg-deb -x and starts the pupil program from
#             there under Xvfb, with the system's libraries, until its chooser is painted,
#             and the lesson editor until its window is painted
#   scripts   installs, upgrades, removes and purges the package with the real dpkg in
#             an overlay of the root file system, in a mount namespace of its own, and
#             checks the lesson store's owner, group and modes and who may write it
# Usage: package_test.sh MODE BUILD_DIR WORK_DIR EDITOR_BUILT(0|1) [CPACK]
set -euo pipefail

mode=$1
build=$(cd "$2" && pwd)
work=$(realpath -m "$3")
editor=${4:-0}
cpack=${5:-cpack}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
deb=$work/cloze-trainer.deb
program_dir=usr/lib/cloze-trainer
store_dir=/var/lib/cloze-trainer
group=cloze-teachers
skip=77

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
check() { # description, command...
  local what=$1
  shift
  "$@" || fail "$what"
}
same() { # description, got, expected
  [[ "$2" == "$3" ]] || fail "$1: got '$2', expected '$3'"
}
names() { # folder, find tests...: the names in the folder, sorted, on one line
  find "$1" -mindepth 1 -maxdepth 1 "${@:2}" -printf '%f\n' | sort | xargs
}

build_package() {
  rm -rf "$work"
  mkdir -p "$work"
  "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/cpack" > "$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack"; }
  local made=("$work"/cpack/*.deb)
  same "packages made" "${#made[@]}" 1
  mv "${made[0]}" "$deb"
  echo "package: $(basename "${made[0]}"), $(stat -c %s "$deb") bytes"
}

unpack() { # folder
  rm -rf "$1"
  mkdir -p "$1"
  dpkg-deb -x "$deb" "$1"
}

# --- contents --------------------------------------------------------------------

contents() {
  local root=$work/contents-root control=$work/control
  unpack "$root"
  rm -rf "$control"
  dpkg-deb -e "$deb" "$control"

  echo "== lintian"
  local lintian_out=$work/lintian.txt lintian_status=0
  lintian --fail-on error --display-info "$deb" > "$lintian_out" 2>&1 || lintian_status=$?
  grep -E '^[EWIX]:' "$lintian_out" || true
  # A non-zero status without an error tag is lintian failing to read the package.
  [[ $lintian_status == 0 ]] || { cat "$lintian_out"; fail "lintian"; }
  grep -q '^E:' "$lintian_out" && fail "lintian reports errors"

  echo "== appstreamcli, desktop-file-validate, shellcheck"
  local expected_desktop=(cloze-trainer.desktop) expected_metainfo=(org.example.ClozeTrainer.metainfo.xml)
  if [[ $editor == 1 ]]; then
    expected_desktop+=(cloze-editor.desktop)
    expected_metainfo+=(org.example.ClozeLessonEditor.metainfo.xml)
  fi
  same "menu entries" "$(names "$root/usr/share/applications")" "$(printf '%s\n' "${expected_desktop[@]}" | sort | xargs)"
  same "metainfo files" "$(names "$root/usr/share/metainfo")" "$(printf '%s\n' "${expected_metainfo[@]}" | sort | xargs)"
  local file
  for file in "${expected_metainfo[@]}"; do
    check "appstreamcli validate $file" appstreamcli validate --no-net "$root/usr/share/metainfo/$file"
  done
  for file in "${expected_desktop[@]}"; do
    # desktop-file-validate reports on standard output and still exits 0 on some errors.
    local said
    said=$(desktop-file-validate "$root/usr/share/applications/$file" 2>&1) || fail "desktop-file-validate $file: $said"
    [[ -z "$said" ]] || fail "desktop-file-validate $file: $said"
    grep -q '^Name\[he\]=' "$root/usr/share/applications/$file" || fail "$file has no Hebrew name"
    grep -q '^Comment\[he\]=' "$root/usr/share/applications/$file" || fail "$file has no Hebrew comment"
    grep -q '^Categories=\(.*;\)\?Education;' "$root/usr/share/applications/$file" || fail "$file is not in the Education menu"
  done
  local launchers=("$root/usr/bin/cloze-trainer")
  [[ $editor == 1 ]] && launchers+=("$root/usr/bin/cloze-editor")
  check "shellcheck" shellcheck "$control/postinst" "$control/postrm" "${launchers[@]}"

  echo "== control fields"
  same "Package" "$(dpkg-deb -f "$deb" Package)" cloze-trainer
  same "Section" "$(dpkg-deb -f "$deb" Section)" education
  local version changelog_version depends
  version=$(dpkg-deb -f "$deb" Version)
  changelog_version=$(zcat "$root/usr/share/doc/cloze-trainer/changelog.gz" | sed -n '1s/^cloze-trainer (\([^)]*\)).*/\1/p')
  same "newest changelog entry" "$changelog_version" "$version"
  depends=$(dpkg-deb -f "$deb" Depends)
  # Found by dpkg-shlibdeps from the binaries, not written by hand.
  for lib in libqt6widgets6 libqt6multimedia6 libsqlite3-0 libmdb3; do
    [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib: $depends"
  done
  [[ "$depends" == *adduser* ]] || fail "Depends lacks adduser, which postinst calls"
  for script in postinst postrm; do
    same "mode of $script" "$(stat -c %a "$control/$script")" 755
  done

  echo "== file list"
  local listing=$work/listing.txt
  dpkg-deb -c "$deb" > "$listing"
  awk '$2 != "root/root" {print; bad = 1} END {exit bad}' "$listing" || fail "entries not owned by root/root"
  awk '$1 !~ /^l/ && (substr($1, 6, 1) == "w" || substr($1, 9, 1) == "w" || $1 ~ /[sStT]/) {print; bad = 1} END {exit bad}' "$listing" \
    || fail "group- or world-writable, setuid, setgid or sticky entries"
  grep -E ' \./(var|etc)/' "$listing" && fail "the package ships files below /var or /etc; the store is made by postinst"
  same "store link" "$(readlink "$root/$program_dir/db1.sqlite")" "$store_dir/db1.sqlite"
  same "Access store link" "$(readlink "$root/$program_dir/db1.mdb")" "$store_dir/db1.mdb"
  same "cloze-lessons command" "$(readlink "$root/usr/bin/cloze-lessons")" ../lib/cloze-trainer/cloze-lessons
  local programs=(cloze-trainer cloze-lessons)
  [[ $editor == 1 ]] && programs+=(cloze-editor)
  for file in "${programs[@]/#/$program_dir/}" usr/bin/cloze-trainer; do
    [[ -f "$root/$file" && -x "$root/$file" ]] || fail "no executable $file"
  done
  if [[ $editor == 1 ]]; then
    [[ -x "$root/usr/bin/cloze-editor" ]] || fail "no command cloze-editor"
  else
    [[ ! -e "$root/$program_dir/cloze-editor" && ! -e "$root/usr/bin/cloze-editor" ]] || fail "an editor without its target"
  fi
  for file in $program_dir/helpVorn.txt usr/share/cloze-trainer/db1.sqlite \
    usr/share/doc/cloze-trainer/copyright usr/share/icons/hicolor/scalable/apps/cloze-trainer.svg; do
    [[ -s "$root/$file" ]] || fail "missing $file"
  done
  for size in 16 32 48 64 128 256; do
    local png=$root/usr/share/icons/hicolor/${size}x${size}/apps/cloze-trainer.png
    [[ "$(file -b "$png")" == "PNG image data, $size x $size,"* ]] || fail "icon $png is not a ${size}px PNG"
  done
  local page
  for page in "${programs[@]}"; do
    gzip -t "$root/usr/share/man/man1/$page.1.gz" || fail "manual page $page"
  done
  # Exactly the shipped content: every help text and sound, and no working file.
  same "help texts" "$(names "$root/$program_dir/data/help")" "$(names "$source_dir/data/help" -name '*.txt')"
  same "files in data/" "$(names "$root/$program_dir/data" -type f)" "$(names "$source_dir/data" -name '*.wav')"
  cmp -s "$root/usr/share/cloze-trainer/db1.sqlite" "$build/bin/db1.sqlite" || fail "the sample store is not the built store"

  echo "== binaries"
  for file in "${programs[@]}"; do
    local binary=$root/$program_dir/$file
    readelf -S "$binary" | grep -qE '\.symtab|\.debug_' && fail "$file is not stripped"
    readelf -d "$binary" | grep -qE 'RPATH|RUNPATH' && fail "$file has a run path"
    local missing
    missing=$(ldd "$binary" | grep -E 'not found|'"$build" || true)
    [[ -z "$missing" ]] || fail "$file does not take all its libraries from the system: $missing"
  done
  echo "contents: all checks passed"
}

# --- start -----------------------------------------------------------------------

start() {
  local root=$work/start-root
  unpack "$root"
  local program=$root/$program_dir
  # The store names point into /var/lib, which this machine must not get: point them
  # at a store made from the sample inside the unpacked root instead.
  mkdir -p "$root$store_dir"
  cp "$root/usr/share/cloze-trainer/db1.sqlite" "$root$store_dir/db1.sqlite"
  ln -sfn "$root$store_dir/db1.sqlite" "$program/db1.sqlite"
  ln -sfn "$root$store_dir/db1.mdb" "$program/db1.mdb"

  echo "== the lesson tool reads the store beside the program"
  local listed
  listed=$("$root/usr/bin/cloze-lessons" list) || fail "cloze-lessons list"
  same "patterns listed" "$(wc -l <<< "$listed")" 24
  same "store read through the link" "$listed" "$("$program/cloze-lessons" list "$root/usr/share/cloze-trainer/db1.sqlite")"

  echo "== the lesson tool makes a worksheet without a display"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/cloze-lessons" worksheet \
    "$root/usr/share/cloze-trainer/db1.sqlite" 24 1 "$work/sheet.pdf" > /dev/null || fail "cloze-lessons worksheet"
  same "worksheet file" "$(head -c 5 "$work/sheet.pdf")" "%PDF-"

  echo "== the pupil program under Xvfb"
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 0700 "$XDG_RUNTIME_DIR"
  timeout 120 "$(dirname "$0")/../../scripts/with-xvfb.sh" "$0" start-inside "$build" "$work" "$editor" \
    || fail "the pupil program under Xvfb"
  echo "start: all checks passed"
}

# Runs on a display of its own, with DISPLAY set.
start_inside() {
  local root=$work/start-root
  local program=$root/$program_dir
  # The test suite runs with the offscreen platform; here the program meets the X server.
  export QT_QPA_PLATFORM=xcb
  # The launcher, started elsewhere, must still find the program folder.
  cd /
  local log=$work/start.log
  if ! CLOZE_QUIT_WHEN_SHOWN=1 timeout 60 "$root/usr/bin/cloze-trainer" > "$log" 2>&1; then
    cat "$log"
    fail "the program did not end after painting its chooser"
  fi

  # Left running, the chooser window shows its name, class and icon.
  "$root/usr/bin/cloze-trainer" > "$log" 2>&1 &
  local pid=$! window=""
  for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"תרגול דקדוק אנגלית"/ {print $1; exit}')
    [[ -n "$window" ]] && break
    sleep 0.1
  done
  local cwd
  cwd=$(readlink "/proc/$pid/cwd" || true)
  local class icons
  class=$(xprop -id "$window" WM_CLASS 2>/dev/null || true)
  icons=$(xprop -id "$window" _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | xargs || true)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ -n "$window" ]] || fail "no chooser window"
  same "working folder of the program" "$cwd" "$program"
  same "window class" "$class" 'WM_CLASS(STRING) = "cloze-trainer", "cloze-trainer"'
  [[ "$icons" == *"Icon (16 x 16)"*"Icon (32 x 32)"*"Icon (48 x 48)"* ]] || fail "window icon sizes: '$icons'"
  [[ $editor == 1 ]] && start_editor
  return 0
}

# The lesson editor from the unpacked package, over the store beside the program, with
# a home of its own for its settings.
start_editor() {
  local root=$work/start-root
  local program=$root/$program_dir
  local log=$work/editor.log
  mkdir -p "$work/editor-home"
  if ! HOME=$work/editor-home CLOZE_QUIT_WHEN_SHOWN=1 timeout 60 "$root/usr/bin/cloze-editor" > "$log" 2>&1; then
    cat "$log"
    fail "the editor did not end after painting its window"
  fi
  HOME=$work/editor-home "$root/usr/bin/cloze-editor" > "$log" 2>&1 &
  local pid=$! window="" title=""
  # The window shows first; its title names the store once the store is open.
  for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/עורך השיעורים/ {print $1; exit}')
    [[ -n "$window" ]] && title=$(xprop -id "$window" _NET_WM_NAME 2>/dev/null || true)
    [[ "$title" == *"db1.sqlite"* ]] && break
    sleep 0.1
  done
  local cwd class icons
  cwd=$(readlink "/proc/$pid/cwd" || true)
  class=$(xprop -id "$window" WM_CLASS 2>/dev/null || true)
  icons=$(xprop -id "$window" _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | xargs || true)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ -n "$window" ]] || { cat "$log"; fail "no editor window"; }
  same "working folder of the editor" "$cwd" "$program"
  same "editor window class" "$class" 'WM_CLASS(STRING) = "cloze-editor", "cloze-editor"'
  [[ "$icons" == *"Icon (16 x 16)"*"Icon (32 x 32)"* ]] || fail "editor window icon sizes: '$icons'"
  # The store it opened is the pupils' one, through the program folder's link.
  [[ "$title" == *"db1.sqlite"* ]] || fail "the editor did not open the store beside the program: $title"
}

# --- scripts ---------------------------------------------------------------------

scripts() {
  if [[ $(id -u) -ne 0 ]]; then
    echo "skipped: installing into an overlay of the root file system needs root"
    exit "$skip"
  fi
  if ! unshare --mount --propagation private true 2> /dev/null; then
    echo "skipped: no mount namespace can be made here"
    exit "$skip"
  fi
  # What the machine looks like now; it must look the same afterwards.
  local before after
  before=$(machine_state)
  local status=0
  unshare --mount --propagation private --fork "$0" scripts-namespace "$build" "$work" "$editor" || status=$?
  after=$(machine_state)
  same "the machine after the test" "$after" "$before"
  [[ $status == 0 ]] && echo "scripts: all checks passed"
  exit "$status"
}

machine_state() {
  getent group "$group" || echo "no group"
  ls -la "$store_dir" 2> /dev/null || echo "no store folder"
  dpkg-query -W -f='${Status} ${Version}\n' cloze-trainer 2> /dev/null || echo "not installed"
}

# Runs in the mount namespace: a root of its own whose changes go to memory.
scripts_namespace() {
  local over=$work/overlay
  rm -rf "$over"
  mkdir -p "$over"
  mount -t tmpfs tmpfs "$over"
  mkdir "$over/upper" "$over/work" "$over/root"
  if ! mount -t overlay overlay -o "lowerdir=/,upperdir=$over/upper,workdir=$over/work" "$over/root"; then
    echo "skipped: no overlay file system here"
    exit "$skip"
  fi
  local root=$over/root
  same "root of the test" "$(findmnt -n -o FSTYPE "$root")" overlay
  mount --rbind /dev "$root/dev"
  mount --rbind /proc "$root/proc"
  mount -t tmpfs tmpfs "$root/tmp"
  mount -t tmpfs tmpfs "$root/run"
  cp "$deb" "$root/tmp/cloze-trainer.deb"
  cp "$0" "$root/tmp/package_test.sh"
  chroot "$root" /bin/bash /tmp/package_test.sh scripts-chroot / /tmp "$editor"
}

as_pupil() { setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp "$@"; }
as_teacher() { setpriv --reuid=4242 --regid=4242 --groups="$(getent group "$group" | cut -d: -f3)" env HOME=/tmp "$@"; }

store_state() { # owner:group mode of the folder and the store
  stat -c '%U:%G %a' "$store_dir" "$store_dir/db1.sqlite" | xargs
}

lesson_count() { # pattern
  cloze-lessons list "$store_dir/db1.sqlite" "$1" | wc -l
}

# Runs chrooted into the overlay: this is a machine of its own now.
scripts_chroot() {
  local deb=/tmp/cloze-trainer.deb
  export DEBIAN_FRONTEND=noninteractive
  # Start as a machine that never had the package.
  if dpkg-query -W -f='${Status}' cloze-trainer 2> /dev/null | grep -q 'ok installed'; then
    dpkg --purge cloze-trainer > /dev/null
  fi
  rm -rf "$store_dir"
  if getent group "$group" > /dev/null; then
    delgroup --quiet "$group"
  fi
  local control=/tmp/control
  dpkg-deb -e "$deb" "$control"

  echo "== first install"
  dpkg -i "$deb" > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -i"; }
  local gid
  gid=$(getent group "$group" | cut -d: -f3)
  [[ -n "$gid" && "$gid" -lt 1000 ]] || fail "no system group $group (gid '$gid')"
  same "store folder and store" "$(store_state)" "root:$group 2775 root:$group 664"
  check "the store is the sample" cmp -s "$store_dir/db1.sqlite" /usr/share/cloze-trainer/db1.sqlite
  local commands=(cloze-trainer cloze-lessons)
  [[ $editor == 1 ]] && commands+=(cloze-editor)
  same "commands" "$(command -v "${commands[@]}" | xargs)" "$(printf '/usr/bin/%s\n' "${commands[@]}" | xargs)"
  same "store seen by the program" "$(readlink -f /$program_dir/db1.sqlite)" "$store_dir/db1.sqlite"

  echo "== a pupil reads the store and cannot change it"
  same "patterns a pupil sees" "$(as_pupil cloze-lessons list | wc -l)" 24
  local next lesson=/tmp/lesson.txt
  next=$(($(lesson_count 24) + 1))
  cloze-lessons show "$store_dir/db1.sqlite" 24 1 > "$lesson"
  chmod 0644 "$lesson"
  as_pupil cloze-lessons add "$store_dir/db1.sqlite" 24 "$next" "$lesson" > /dev/null 2>&1 && fail "a pupil changed the store"
  as_pupil touch "$store_dir/pupil" 2> /dev/null && fail "a pupil wrote into the store folder"
  check "the store is still the sample" cmp -s "$store_dir/db1.sqlite" /usr/share/cloze-trainer/db1.sqlite
  as_pupil env XDG_RUNTIME_DIR=/tmp CLOZE_QUIT_WHEN_SHOWN=1 QT_QPA_PLATFORM=offscreen timeout 60 cloze-trainer > /tmp/start.log 2>&1 \
    || { cat /tmp/start.log; fail "a pupil cannot start the program"; }
  if [[ $editor == 1 ]]; then
    as_teacher env XDG_RUNTIME_DIR=/tmp CLOZE_QUIT_WHEN_SHOWN=1 QT_QPA_PLATFORM=offscreen timeout 60 cloze-editor > /tmp/start.log 2>&1 \
      || { cat /tmp/start.log; fail "a teacher cannot start the editor"; }
  fi

  echo "== a teacher changes the store"
  # Through the name in the program folder, as the programs see it: SQLite resolves the
  # link and keeps its journal beside the real store.
  as_teacher cloze-lessons add "/$program_dir/db1.sqlite" 24 "$next" "$lesson" > /dev/null || fail "a teacher cannot add a lesson"
  same "lessons of pattern 24" "$(lesson_count 24)" "$next"
  same "store link after the change" "$(readlink "/$program_dir/db1.sqlite")" "$store_dir/db1.sqlite"
  same "store after the change" "$(store_state)" "root:$group 2775 root:$group 664"
  [[ -z "$(find "$store_dir" -name '*-journal')" ]] || fail "a journal was left behind"
  cp "$store_dir/db1.sqlite" /tmp/teachers.sqlite

  echo "== upgrade and a second configure keep the teachers' lessons"
  dpkg -i "$deb" > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -i over the installed package"; }
  check "the store after the upgrade" cmp -s "$store_dir/db1.sqlite" /tmp/teachers.sqlite
  "$control/postinst" configure 0.1 || fail "postinst configure, run again"
  check "the store after configure again" cmp -s "$store_dir/db1.sqlite" /tmp/teachers.sqlite
  same "store after configure again" "$(store_state)" "root:$group 2775 root:$group 664"

  echo "== an administrator's dpkg-statoverride of the folder is kept"
  dpkg-statoverride --update --add root root 0750 "$store_dir"
  "$control/postinst" configure 0.1 || fail "postinst with a statoverride"
  same "folder with an override" "$(stat -c '%U:%G %a' "$store_dir")" "root:root 750"
  dpkg-statoverride --remove "$store_dir"
  "$control/postinst" configure 0.1 || fail "postinst after the override"
  same "folder after the override" "$(stat -c '%U:%G %a' "$store_dir")" "root:$group 2775"

  echo "== remove keeps the store and the group"
  dpkg -r cloze-trainer > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -r"; }
  [[ ! -e /$program_dir && ! -e /usr/bin/cloze-trainer ]] || fail "program left after remove"
  check "the store after remove" cmp -s "$store_dir/db1.sqlite" /tmp/teachers.sqlite
  getent group "$group" > /dev/null || fail "the group went with remove"
  dpkg -i "$deb" > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -i after remove"; }
  check "the store after installing again" cmp -s "$store_dir/db1.sqlite" /tmp/teachers.sqlite

  echo "== purge keeps lessons that teachers changed"
  dpkg -P cloze-trainer > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -P"; }
  grep -q "is kept" /tmp/dpkg.log || fail "purge did not say that it kept the store"
  check "the changed store after purge" cmp -s "$store_dir/db1.sqlite" /tmp/teachers.sqlite
  [[ ! -e "$store_dir/.sample.sha256" ]] || fail "the sample's sum outlived the purge"
  "$control/postrm" purge 2> /dev/null || fail "postrm purge, run again"
  check "the changed store after a second purge" cmp -s "$store_dir/db1.sqlite" /tmp/teachers.sqlite

  echo "== an Access file a school puts there is used, and purge leaves it"
  rm -rf "$store_dir"
  dpkg -i "$deb" > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -i on a clean machine"; }
  printf 'not really an Access file' > "$store_dir/db1.mdb"
  as_pupil cloze-lessons list > /tmp/list.log 2>&1 && fail "the Access file beside the store was passed over"
  grep -q "db1.mdb" /tmp/list.log || fail "the failure does not name db1.mdb: $(cat /tmp/list.log)"
  dpkg -P cloze-trainer > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -P with an Access file"; }
  same "store folder after purge" "$(names "$store_dir")" db1.mdb

  echo "== purge keeps a store that was being changed"
  rm -rf "$store_dir"
  dpkg -i "$deb" > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -i for a change under way"; }
  : > "$store_dir/db1.sqlite-journal"
  dpkg -P cloze-trainer > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -P with a journal"; }
  same "store folder after purge" "$(names "$store_dir")" "db1.sqlite db1.sqlite-journal"

  echo "== purge of an untouched store leaves nothing"
  rm -rf "$store_dir"
  dpkg -i "$deb" > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -i once more"; }
  dpkg -P cloze-trainer > /tmp/dpkg.log 2>&1 || { cat /tmp/dpkg.log; fail "dpkg -P of an untouched store"; }
  [[ ! -e "$store_dir" ]] || fail "purge left $store_dir: $(names "$store_dir")"
  "$control/postrm" purge || fail "postrm purge without a store folder"
}

case $mode in
build) build_package ;;
contents) contents ;;
start) start ;;
start-inside) start_inside ;;
scripts) scripts ;;
scripts-namespace) scripts_namespace ;;
scripts-chroot) scripts_chroot ;;
*) fail "unknown mode $mode" ;;
esac
