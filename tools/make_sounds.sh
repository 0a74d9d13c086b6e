#!/usr/bin/env bash
# Makes the four sounds of the program into data/: the answer sounds and the two
# results sounds. Needs sox and espeak-ng (Debian packages of the same names); the
# build does not: the made files are kept in the repository. Run from anywhere:
#   tools/make_sounds.sh
set -euo pipefail
cd "$(dirname "$0")/.."
out=data
work=$(mktemp -d)
trap "rm -rf \"$work\"" EXIT

rate=22050
fmt=(-r "$rate" -c 1 -b 16 -e signed-integer)
# -R makes the noise repeatable, so a rerun gives the same files.
sox_() { sox -R -V1 "$@"; }

# A bell-like note: a sine with a soft octave above it, a quick attack and a long decay.
bell() { # file freq length delay volume
  sox_ -n "${fmt[@]}" "$1" synth "$3" sine "$2" synth "$3" sine mix "$(( $2 * 2 ))" \
    fade h 0.004 "$3" "$(awk -v l="$3" 'BEGIN { print l - 0.01 }')" pad "$4" 0 vol "$5"
}

# right.wav: a rising three-note chime (C6 E6 G6), half a second.
bell "$work/r1.wav" 1047 0.30 0.00 0.5
bell "$work/r2.wav" 1319 0.30 0.08 0.5
bell "$work/r3.wav" 1568 0.38 0.16 0.6
sox_ -m "$work/r1.wav" "$work/r2.wav" "$work/r3.wav" "${fmt[@]}" "$work/right.wav" \
  reverb 20 50 40 norm -4 fade 0 0.6 0.08
sox_ "$work/right.wav" "$out/right.wav" trim 0 0.6

# wrong.wav: a soft two-tone step down, a muted buzz, under half a second.
sox_ -n "${fmt[@]}" "$work/w1.wav" synth 0.18 sawtooth 233 lowpass 700 lowpass 700 fade h 0.01 0.18 0.04
sox_ -n "${fmt[@]}" "$work/w2.wav" synth 0.26 sawtooth 175 lowpass 600 lowpass 600 fade h 0.01 0.26 0.12
sox_ "$work/w1.wav" "$work/w2.wav" "$out/wrong.wav" norm -9

# APPLAUSE.wav: many hands clapping (noise bursts at random moments, each crowd
# member with a hand of its own pitch), with a short fanfare on top; three seconds.
RANDOM=1255
length=3.0
members=24
for m in $(seq 1 $members); do
  centre=$(( 700 + RANDOM % 2200 ))
  sox_ -n "${fmt[@]}" "$work/clap$m.wav" synth 0.035 whitenoise bandpass "$centre" 0.8q \
    fade q 0.001 0.035 0.032
  parts=()
  # Each member starts at a moment of its own and claps three to six times a
  # second, never quite on a beat, so the crowd does not pulse.
  t=$(( RANDOM % 300 ))
  gap=$t
  while (( t < 2900 )); do
    sox_ -n "${fmt[@]}" "$work/gap$m-$t.wav" trim 0 "$(printf '0.%03d' "$gap")"
    parts+=("$work/gap$m-$t.wav" "$work/clap$m.wav")
    gap=$(( 130 + RANDOM % 200 ))
    t=$(( t + gap + 35 ))
  done
  sox_ "${parts[@]}" "$work/member$m.wav" vol "0.$(( 5 + RANDOM % 5 ))"
done
sox_ -m "$work"/member*.wav "${fmt[@]}" "$work/crowd.wav" reverb 45 50 70 trim 0 "$length" \
  fade q 0.25 "$length" 0.8 norm -5
bell "$work/f1.wav" 523 0.25 0.00 0.4
bell "$work/f2.wav" 659 0.25 0.15 0.4
bell "$work/f3.wav" 784 0.25 0.30 0.4
bell "$work/f4.wav" 1047 0.70 0.45 0.5
sox_ -m "$work/f1.wav" "$work/f2.wav" "$work/f3.wav" "$work/f4.wav" "${fmt[@]}" "$work/fanfare.wav" \
  reverb 30 pad 0 2 trim 0 "$length"
sox_ -m -v 1 "$work/crowd.wav" -v 0.7 "$work/fanfare.wav" "${fmt[@]}" "$out/APPLAUSE.wav" \
  trim 0 "$length" norm -3

# wickedlaugh.wav: a playful cartoon laugh, each "ha" a little lower, about three seconds.
pitches=(92 84 76 68 58)
parts=()
for i in "${!pitches[@]}"; do
  word="ha"
  (( i == ${#pitches[@]} - 1 )) && word="haaa"
  espeak-ng -v en-us -s 150 -p "${pitches[$i]}" -a 160 -w "$work/ha$i-raw.wav" "$word"
  sox_ "$work/ha$i-raw.wav" "${fmt[@]}" "$work/ha$i.wav" silence 1 0.01 1% reverse silence 1 0.01 1% reverse
  sox_ -n "${fmt[@]}" "$work/pause$i.wav" trim 0 0.09
  parts+=("$work/ha$i.wav" "$work/pause$i.wav")
done
sox_ "${parts[@]}" "${fmt[@]}" "$work/laugh.wav" pitch 250 tremolo 7 35 echo 0.8 0.7 70 0.25 norm -3
sox_ "$work/laugh.wav" "$out/wickedlaugh.wav" pad 0.05 0.2

for f in right wrong APPLAUSE wickedlaugh; do
  printf '%-16s %s s\n' "$f.wav" "$(soxi -D "$out/$f.wav")"
done
