#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
targets=(FuzzSheet FuzzInterpret FuzzOul FuzzDataList FuzzIni FuzzText FuzzRecovery FuzzSentNames FuzzSheetScan FuzzSmtpReplies
         FuzzAutoconfig)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMVUL_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}" >/dev/null

# Seed corpora: small valid inputs of each kind, made afresh every run.
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{FuzzSheet,FuzzInterpret,FuzzOul,FuzzDataList,FuzzIni,FuzzText,FuzzRecovery,FuzzSentNames,FuzzSheetScan,FuzzSmtpReplies,FuzzAutoconfig}
sheet=$'3\r\n1\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n2001\r\n2\r\nbe,1,,,,,,5,0\r\nm,12,34,1234,5,,,v\xe1lt,0\r\nh,14,1,30,25,,,5,0\r\n'
for i in $(seq 4 20); do sheet+=$',,,,,,,0,0\r\n'; done
sheet+=$'1334\r\n10\r\n0\r\n2345\r\n'
printf '%s' "$sheet" > "$seeds/FuzzSheet/full.ulf"
printf '3\r\n0\r\n' > "$seeds/FuzzSheet/short.ulf"
printf 'be|4|45\nism|3\nvd|25\nv|147|12|3|55\nm|12|34|1234|5\nkno|3|2|1130|5\n' > "$seeds/FuzzInterpret/rows"
printf '\x28|1|2\n\x29|5\n\x41|9|40\n' > "$seeds/FuzzInterpret/codes"
oul=""
for i in $(seq 1 31); do
  case $i in
    3) oul+="Kar:  2345                                          17  "$'\r\n' ;;
    7) oul+="1.    be    1     -     -     -     -     -        5  "$'\r\n' ;;
    31) oul+="Ell.szam:   1234  "$'\r\n' ;;
    *) oul+="------"$'\r\n' ;;
  esac
done
printf '%s' "$oul" > "$seeds/FuzzOul/sample.oul"
printf 'Karakterek\r\n2000 Elso\r\n  12   kard  \r\n15000 Szovetseg\r\n2005 x\r\n2005 y\r\n' > "$seeds/FuzzDataList/list.dat"
printf '[Karakterek]\r\n2345=2345\r\nBetolt=Utolso\r\nUtolso=2345\r\n[2345]\r\nKarakternév=Ödön\r\nPortya=12\r\n[Megjelenes]\r\nSavok=3\r\nHatterSzin1=-29\r\n[KeresesiUtvonalak]\r\nutvonal1=C:\\x\r\n' > "$seeds/FuzzIni/mv.ini"
printf 'MVUL-HELYREALLITAS-2\r\n/lapok/2345-3.ulf\r\n812 1765432100.5\r\n%s' "$sheet" > "$seeds/FuzzRecovery/copy.ulr"
printf 'MVUL-HELYREALLITAS\r\n\r\n%s' "$sheet" > "$seeds/FuzzRecovery/old.ulr"
printf '2345\n2345-17-20261207-155800.eul\n2345-18-20261208-064900-2.eul\n2345-19-20261208-064900-bizonytalan-3.eul\n2345-x.eul\n' > "$seeds/FuzzSentNames/names"
printf '3. fordul\xf3   (2345-3.ulf)\n%s' "$sheet" > "$seeds/FuzzSheetScan/entry"
printf '\x00\xfa\x03220 hi\r\n250 ok\r\n354 go on\r\n' > "$seeds/FuzzSmtpReplies/replies"
printf 'jatekos@pelda.hu\n<clientConfig version="1.1"><emailProvider id="pelda.hu"><outgoingServer type="smtp"><hostname>smtp.%%EMAILDOMAIN%%</hostname><port>587</port><socketType>STARTTLS</socketType><authentication>password-cleartext</authentication><username>%%EMAILADDRESS%%</username></outgoingServer></emailProvider></clientConfig>' > "$seeds/FuzzAutoconfig/config.xml"
printf 'Bel\xe9psz \xe9p\xfcletbe $7fffffff 0x10 -12 +5' > "$seeds/FuzzText/mixed"

status=0
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t
  mkdir -p "$corpus"
  log=build-fuzz/$t.log
  if build-fuzz/bin/$t "$corpus" "$seeds/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz $t: clean, $runs runs in ${seconds} s"
  else
    echo "fuzz $t: FAILED, see $log"; tail -30 "$log"; status=1
  fi
done
exit $status
