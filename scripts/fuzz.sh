#!/usr/bin/env bash
# Builds the native fuzz targets of tests/fuzz (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer; no Wine, no MinGW) into build/fuzz and runs each one for a bounded time,
# two at a time. A crash, a sanitizer report or a failed property fails the script, naming the input.
#   scripts/fuzz.sh                          every target, REPLYDOCK_FUZZ_SECONDS (default 8) each
#   REPLYDOCK_FUZZ_SECONDS=600 scripts/fuzz.sh json_check line_cut     chosen targets, longer
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/fuzz"
seconds="${REPLYDOCK_FUZZ_SECONDS:-8}"

printf '== building the native fuzz targets (build/fuzz)\n' >&2
cmake -S "$root/tests/fuzz" -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$out" -j "$(nproc)" >/dev/null

targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
    targets=(gbk_text line_cut url_parts request_headers cookie_jar text_between json_check identity_seed)
fi

# run_target <name>: the seeds of tests/fuzz/corpus/<name> plus what earlier runs found (build/fuzz).
run_target() {
    local name="$1"
    mkdir -p "$out/corpus/$name" "$out/artifacts/$name" "$root/tests/fuzz/corpus/$name"
    "$out/${name}_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$out/artifacts/$name/" "$out/corpus/$name" "$root/tests/fuzz/corpus/$name" \
        >"$out/$name.log" 2>&1
}

printf '== fuzzing %s for %ss each\n' "${targets[*]}" "$seconds" >&2
failed=()
pids=()
names=()
for name in "${targets[@]}"; do
    run_target "$name" &
    pids+=($!)
    names+=("$name")
    if [ "${#pids[@]}" -ge 2 ]; then
        wait "${pids[0]}" || failed+=("${names[0]}")
        pids=("${pids[@]:1}")
        names=("${names[@]:1}")
    fi
done
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || failed+=("${names[$i]}")
done

for name in "${targets[@]}"; do
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/$name.log" | grep -o '[0-9]*$' || true)"
    printf '   %-16s %s inputs\n' "$name" "${runs:-?}" >&2
done
printf '== fuzz step: %ss in all (build and runs)\n' "$SECONDS" >&2
if [ "${#failed[@]}" -gt 0 ]; then
    for name in "${failed[@]}"; do
        printf '== fuzz target %s failed; its log (build/fuzz/%s.log) ends:\n' "$name" "$name" >&2
        tail -n 30 "$out/$name.log" >&2
        printf '   rerun the saved input with: %s/%s_fuzz <file from build/fuzz/artifacts/%s>\n' "$out" "$name" "$name" >&2
    done
    exit 1
fi
