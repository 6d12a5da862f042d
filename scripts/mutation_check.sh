#!/usr/bin/env bash
# Applies each of ten hand-made faults in turn, builds, and checks that the test suite
# named for it fails (and, unless FULL=0, that the whole suite fails); then restores the
# file. Built with fault injection, which the delete-before-copy fault needs.
#   bash scripts/mutation_check.sh [TREE]      environment: BUILD (build dir), JOBS, FULL=0|1,
#                               ONLY=name,name (run just these faults)
set -uo pipefail
tree=$(cd "${1:-.}" && pwd)
cd "$tree" || exit 2
build=${BUILD:-$tree/build-mutants}
jobs=${JOBS:-2}
full=${FULL:-1}
ctest_args=(--test-dir "$build" --timeout 900 -j"$jobs" -E '^desktop_|^display_sdl_')

# Only what the README's commands install is assumed: Ninja and ccache are used when the
# machine has them, as the test command does.
configure=(-DEDITOR_TESTS=ON -DEDITOR_FAULT_INJECTION=ON)
command -v ninja >/dev/null && configure+=(-G Ninja)
command -v ccache >/dev/null && configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" "${configure[@]}" >/dev/null || exit 2
cmake --build "$build" -j"$jobs" >"$build/unmutated.build.log" 2>&1 ||
  { echo "the unchanged tree does not build"; exit 2; }
ctest "${ctest_args[@]}" >"$build/unmutated.test.log" 2>&1 ||
  { echo "the unchanged tree fails its tests (see $build/unmutated.test.log)"; exit 2; }

missed=()
current=""
restore() {
  if [ -n "$current" ] && [ -f "$current.unmutated" ]; then
    mv -f "$current.unmutated" "$current"
    touch "$current"   # newer than the mutated objects, so the next build recompiles it
  fi
  current=""
}
trap restore EXIT INT TERM

mutant() {  # name file sed-script ctest-regex
  local name=$1 file=$2 script=$3 suite=$4
  if [ -n "${ONLY:-}" ] && [[ ",$ONLY," != *",$name,"* ]]; then return; fi
  current=$file
  cp -p "$file" "$file.unmutated"
  sed -i -e "$script" "$file"
  if cmp -s "$file" "$file.unmutated"; then
    echo "$name: NOT APPLIED, the pattern is not in $file"; missed+=("$name (not applied)"); restore; return
  fi
  diff "$file.unmutated" "$file" | sed -n 's/^[<>] /  /p'
  if ! cmake --build "$build" -j"$jobs" >"$build/$name.build.log" 2>&1; then
    echo "$name: DOES NOT BUILD (see $build/$name.build.log)"; missed+=("$name (no build)"); restore; return
  fi
  if ctest "${ctest_args[@]}" -R "$suite" >"$build/$name.suite.log" 2>&1; then
    echo "$name: MISSED, $suite passes"; missed+=("$name ($suite)")
  else
    echo "$name: caught by $suite"
  fi
  if [ "$full" = 1 ]; then
    if ctest "${ctest_args[@]}" --stop-on-failure >"$build/$name.full.log" 2>&1; then
      echo "$name: MISSED by the whole suite"; missed+=("$name (whole suite)")
    fi
  fi
  restore
}

# B1 a separator not replaced: "(" drops out of the description separators.
mutant separator app/entry_store.cpp \
  '/descriptionSeparators\[\] *=/s/ "(",//' '^Store\.'
# B2 the header written through the form: record 1 becomes a storable position.
mutant header_through_form app/entry_store.cpp \
  '/StoreRefusal storeRefusal(/,/^}/s/record < 2 ||/record < 1 ||/' '^Browsing\.'
# B3 Find stops at the first match.
mutant find_first_match app/word_lookup.cpp \
  's/^\([[:space:]]*\)found = true;/&\n\1break;/' '^Lookup\.|Finding\.'
# B4 pass 44 (class 32) with its protected range off by one: record 39 is no longer kept.
#    (The other direction, 's/record < 40/record <= 40/', which keeps 40, is caught by the same test.)
mutant pass44_record39 app/maintenance_passes.cpp \
  '/bool keepsUnlessClass32/s/record < 40/record < 39/' '^Passes\.'
# B5 an unterminated slot read past its 255 bytes.
mutant slot_past_255 app/translation_records.cpp \
  '/std::string_view slotText/,/^}/s/size_t length = .*;/size_t length = std::strlen(slot); (void)end;/' '^TranslationFile\.'
# B6 the rebuild removes the old dictionary before the new one is in place.
mutant delete_before_rename app/rebuild.cpp \
  's/^\([[:space:]]*\)bool replaced = moveInto(workPath, editorState().workFile, target);/\1DeleteFileA(target.c_str());\n&/' '^FailingFileOperations\.'
# B7 Enter without a default button no longer raises id 1.
mutant enter_not_id1 platform/user/dialogs/dialog_navigation.cpp \
  '/DM_GETDEFID/,/sendCommand/s/: IDOK;/: IDCANCEL;/' '^DialogKeyboardTest\.|EndingTheForm\.'
# B8 WM_SETTEXT sends EN_UPDATE but no EN_CHANGE.
mutant settext_no_en_change platform/user/controls/edit.cpp \
  '/case WM_SETTEXT:/,/return TRUE;/s/^\([[:space:]]*\)textChanged(window, \*state, 0);/\1forgetOffsetsFrom(*state, 0); mirrorText(window, *state); keepCaretVisible(window, *state); redraw(window); notifyParent(window, EN_UPDATE);/' '^EditTest\.'
# B9 ES_NUMBER lets every character in.
mutant es_number_unfiltered platform/user/controls/edit.cpp \
  's/(style & ES_NUMBER) &&/false \&\&/' '^EditTest\.'
# B10 the temporaries stack frees its top but never pops it.
mutant temporaries_not_popped runtime/text.cpp \
  '/void popTemporaries/,/^}/s/temporaries\[--temporariesCount\]/temporaries[temporariesCount - 1]/' '^TextValues\.'

trap - EXIT INT TERM
cmake --build "$build" -j"$jobs" >/dev/null 2>&1   # leave the build as the tree is
if [ ${#missed[@]} -eq 0 ]; then echo "all ten caught"; exit 0; fi
printf 'missed: %s\n' "${missed[@]}"; exit 1
