#!/usr/bin/env bash
# The check of the libraries' symbols (tools/check_library_symbols.py) on a
# copy of the Windows build's libraries and of the tool's program with one
# object added at a time: an object that calls a function of a folder above
# its library's (or beside it) fails the check, which names the library and
# the function; so does an object of the tool that calls a function of the
# engine that the engine's front door does not declare, declared by hand
# (or a friend's, or the engine's drawing of the picture the door hands a
# program). One that calls a function of its own floor, or, in the tool, one
# that the front door declares (defined in the door or in a family), or one
# that a folder beside the engine defines too, passes. And an object that
# takes or releases a slim lock or a critical section by hand fails, however
# its source spells the call (a "/" before it on its line, the function's
# address, the name apart from its "(", a try, ntdll's name declared by
# hand, the function looked up by its name, narrow or wide, the name in a
# data section of its own, in a plain object or a big one); so does one that
# waits on a condition variable with a critical section. One that holds a
# lock for a scope (and waits on a condition variable within it), or only
# names the call in a comment, or looks up a function that makes a lock, or
# holds the name in a debug section, passes.
# Prints each case and exits non-zero if one goes wrong.
#
# Usage: tests/tools/check_library_symbols_test.sh <source folder> <windows build folder> <c++ compiler> <ar>
set -uo pipefail
root=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
compiler=$3
archiver=$4
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
(cd "$build" && find . -name 'libkorvath_*.a' -exec cp --parents {} "$copy" \;)
(cd "$build" && find app/CMakeFiles/KorvathNpc.dir -name '*.obj' -exec cp --parents {} "$copy" \;)
# The check reads what the front door declares with a tool source's command.
cp "$build/compile_commands.json" "$copy"

# what the check says | the library planted in (or the tool's program) | the
# function called (in korvath::<namespace>) and the types it takes | the
# folder that defines it | the libraries in which a definition of it is
# planted too
cases=(
  # The draw floor reaching into the engine's state again.
  'fails|skin/draw/libkorvath_skin_draw.a|skin::SkinEngineReset|skin/core'
  # The core reaching up to the front door's start.
  'fails|skin/core/libkorvath_skin_core.a|skin::SkinEngineStart|skin/engine'
  'fails|platform/libkorvath_platform.a|app::RunNpcProgram|app'
  # Beside: neither of the two folders stands on the other.
  'fails|skin/button/libkorvath_skin_button.a|skin::TreeCheckImage|skin/edit'
  'passes|skin/core/libkorvath_skin_core.a|skin::SkinMemoryDcList|'
  'passes|app/libkorvath_app.a|skin::SkinEngineStart|'
  'passes|app/libkorvath_app.a|skin::SkinEngineShutdown|'
  # Declared at the door, defined in a family.
  'passes|app/libkorvath_app.a|skin::SkinGetClassNameText(HWND)|'
  'passes|app/KorvathNpc|skin::SkinEngineShutdown|'
  # The tool declaring an inner function of the engine by hand and calling it.
  'fails|app/libkorvath_app.a|skin::SkinInvalidateVisibleChildren(HWND)|skin/core'
  'fails|app/KorvathNpc|skin::SkinInvalidateVisibleChildren(HWND)|skin/core'
  'fails|app/libkorvath_app_layout.a|skin::SkinEngineReset|skin/core'
  # The door's friend, the engine's tests' way to a panel's insides.
  'fails|app/libkorvath_app.a|skin::PanelInsides(korvath::skin::ZqkWindow&)|skin/engine'
  # The picture's drawing side, the engine's own: the door hands a program
  # the picture alone.
  'fails|app/libkorvath_app.a|skin::SkinClearObjectField(korvath::skin::SkinPicture&)|skin/draw'
  # A function that a folder beside the engine defines too is no function of
  # the engine's alone: the door need not declare it.
  'passes|app/libkorvath_app.a|platform::PlantedTwice||skin/draw/libkorvath_skin_draw.a platform/libkorvath_platform.a'
)

# what the check says | the library planted in (or the tool's program) | the
# lock function it names | the planted source's lines (\n between two)
lock_cases=(
  'fails|skin/draw/libkorvath_skin_draw.a|AcquireSRWLockExclusive|void Held(SRWLOCK& lock) { AcquireSRWLockExclusive(&lock); }'
  'fails|skin/core/libkorvath_skin_core.a|ReleaseSRWLockShared|void Freed(SRWLOCK& lock) { ReleaseSRWLockShared(&lock); }'
  'fails|platform/libkorvath_platform.a|EnterCriticalSection|void Entered(CRITICAL_SECTION& section) { EnterCriticalSection(&section); }'
  'passes|skin/draw/libkorvath_skin_draw.a||// AcquireSRWLockExclusive(&lock) by hand would stay held after a throw\nvoid Held() {}'
  # However the source spells the call.
  'fails|skin/draw/libkorvath_skin_draw.a|AcquireSRWLockExclusive|int Held(SRWLOCK& lock, int n) { const int half = n / 2; AcquireSRWLockExclusive(&lock); return half; }'
  'fails|skin/core/libkorvath_skin_core.a|ReleaseSRWLockExclusive|void Freed(SRWLOCK& l) { auto r = &ReleaseSRWLockExclusive; r(&l); }'
  'fails|skin/edit/libkorvath_skin_edit.a|AcquireSRWLockShared|void Held(SRWLOCK& lock) {\n  AcquireSRWLockShared\n      (&lock);\n}'
  'fails|skin/draw/libkorvath_skin_draw.a|TryAcquireSRWLockExclusive|bool Held(SRWLOCK& lock) { return TryAcquireSRWLockExclusive(&lock); }'
  'fails|gdip/libkorvath_gdip.a|TryAcquireSRWLockShared|bool Held(SRWLOCK& lock) { return TryAcquireSRWLockShared(&lock); }'
  'fails|platform/libkorvath_platform.a|TryEnterCriticalSection|bool Entered(CRITICAL_SECTION& section) { return TryEnterCriticalSection(&section); }'
  'fails|app/KorvathNpc|LeaveCriticalSection|void Left(CRITICAL_SECTION& section) { LeaveCriticalSection(&section); }'
  # ntdll's names, declared by hand: called plainly and through the import
  # slot.
  'fails|skin/draw/libkorvath_skin_draw.a|EnterCriticalSection|extern "C" void WINAPI RtlEnterCriticalSection(PRTL_CRITICAL_SECTION);\nvoid Entered(CRITICAL_SECTION& s) { RtlEnterCriticalSection(&s); }'
  'fails|app/KorvathNpc|ReleaseSRWLockExclusive|extern "C" __declspec(dllimport) void WINAPI RtlReleaseSRWLockExclusive(PSRWLOCK);\nvoid Freed(SRWLOCK& l) { RtlReleaseSRWLockExclusive(&l); }'
  # A condition variable's wait on a critical section leaves it and enters
  # it again; one on a slim lock within its hold has the lock again when it
  # returns.
  'fails|skin/core/libkorvath_skin_core.a|SleepConditionVariableCS|BOOL Waited(CONDITION_VARIABLE& c, CRITICAL_SECTION& s) { return SleepConditionVariableCS(&c, &s, INFINITE); }'
  'fails|platform/libkorvath_platform.a|SleepConditionVariableCS|extern "C" __declspec(dllimport) NTSTATUS WINAPI RtlSleepConditionVariableCS(PRTL_CONDITION_VARIABLE, PRTL_CRITICAL_SECTION, const LARGE_INTEGER*);\nNTSTATUS Waited(CONDITION_VARIABLE& c, CRITICAL_SECTION& s) { return RtlSleepConditionVariableCS(&c, &s, nullptr); }'
  'fails|app/KorvathNpc|SleepConditionVariableCS|using Wait = BOOL(WINAPI*)(PCONDITION_VARIABLE, PCRITICAL_SECTION, DWORD);\nBOOL Waited(CONDITION_VARIABLE& c, CRITICAL_SECTION& s) { return reinterpret_cast<Wait>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SleepConditionVariableCS"))(&c, &s, INFINITE); }'
  'passes|skin/draw/libkorvath_skin_draw.a||#include "platform/slim_lock.h"\nvoid Waited(SRWLOCK& lock, CONDITION_VARIABLE& c) { const korvath::platform::SlimLockHold hold(lock, korvath::platform::LockUse::Exclusive); SleepConditionVariableSRW(&c, &lock, INFINITE, 0); }'
  # The hold made again in an object of its own: that object's calls are
  # by hand too.
  'fails|skin/draw/libkorvath_skin_draw.a|AcquireSRWLockExclusive|#include "platform/slim_lock.cpp"'
  # Held for a scope.
  'passes|skin/draw/libkorvath_skin_draw.a||#include "platform/slim_lock.h"\nvoid Held(SRWLOCK& lock) { const korvath::platform::SlimLockHold hold(lock, korvath::platform::LockUse::Exclusive); }'
  # Looked up by name: no symbol, the name in the object's data, narrow or
  # wide, ntdll's too.
  'fails|skin/draw/libkorvath_skin_draw.a|AcquireSRWLockExclusive|using Take = void(WINAPI*)(PSRWLOCK);\nvoid Held(SRWLOCK& lock) { reinterpret_cast<Take>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AcquireSRWLockExclusive"))(&lock); }'
  'fails|app/KorvathNpc|EnterCriticalSection|using Enter = void(WINAPI*)(LPCRITICAL_SECTION);\nvoid Entered(CRITICAL_SECTION& s) { reinterpret_cast<Enter>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "EnterCriticalSection"))(&s); }'
  'fails|skin/core/libkorvath_skin_core.a|TryAcquireSRWLockShared|using Try = BOOLEAN(WINAPI*)(PSRWLOCK);\nbool Held(SRWLOCK& lock) { return reinterpret_cast<Try>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlTryAcquireSRWLockShared"))(&lock); }'
  'fails|platform/libkorvath_platform.a|LeaveCriticalSection|FARPROC Found(const wchar_t* name) { char narrow[64] = {}; WideCharToMultiByte(936, 0, name, -1, narrow, 64, nullptr, nullptr); return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), narrow); }\nvoid Left(CRITICAL_SECTION& s) { reinterpret_cast<void(WINAPI*)(LPCRITICAL_SECTION)>(Found(L"LeaveCriticalSection"))(&s); }'
  'fails|gdip/libkorvath_gdip.a|ReleaseSRWLockShared|const wchar_t* const kFreed[] = {L"ReleaseSRWLockShared"};\nconst wchar_t* Freed() { return kFreed[0]; }'
  # A lock made or dropped by name takes none.
  'passes|skin/draw/libkorvath_skin_draw.a||using Make = void(WINAPI*)(LPCRITICAL_SECTION);\nvoid Made(CRITICAL_SECTION& s) { reinterpret_cast<Make>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "InitializeCriticalSection"))(&s); }'
  # A name in a section of the object's data fails, one in a debug section
  # (a debugger's record of the source, which the program never reads)
  # passes: each section is read where its header says it lies, its size
  # and its offset, its long name from the object's string table. The debug
  # section lies before the compiler's own data section (.rdata$zzz), which a
  # reading of a section's size as its offset would run over.
  'fails|skin/core/libkorvath_skin_core.a|AcquireSRWLockExclusive|asm(".section .rdata$lock_names,\"dr\"\\n.ascii \"AcquireSRWLockExclusive\"\\n.text");'
  'passes|skin/core/libkorvath_skin_core.a||asm(".section .debug_str,\"dr\"\\n.ascii \"AcquireSRWLockExclusive\"\\n.text");'
)
# The same in a big object (COFF's bigobj form, which the compiler writes for
# an object of more sections than the plain form counts): its header is
# another, and its symbol records, after which the long section names lie,
# are of 20 bytes, not 18.
big_lock_cases=(
  'fails|skin/core/libkorvath_skin_core.a|AcquireSRWLockExclusive|asm(".section .rdata$lock_names,\"dr\"\\n.ascii \"AcquireSRWLockExclusive\"\\n.text");'
  'passes|skin/core/libkorvath_skin_core.a||asm(".section .debug_str,\"dr\"\\n.ascii \"AcquireSRWLockExclusive\"\\n.text");'
  'fails|app/KorvathNpc|ReleaseSRWLockShared|void Freed(SRWLOCK& lock) { ReleaseSRWLockShared(&lock); }'
)

. "$(dirname "$0")/planted_cases.sh"
if ! python3 "$root/tools/check_library_symbols.py" "$copy" >/dev/null 2>&1; then
  echo "the libraries as they are fail the check" >&2
  exit 1
fi

# Compiles planted.cpp into planted.obj, as a library's or a program's
# object, with the options given after the case; false (the case said wrong)
# when it does not compile.
compile_planted() {
  if ! "$compiler" -std=c++20 -I"$root" "${@:2}" -c "$copy/planted.cpp" -o "$copy/planted.obj"; then
    echo "WRONG: the planted $1 does not compile" >&2
    status=1
    return 1
  fi
}
# Adds planted.obj to the library (or the program) and takes it out again.
plant() {
  if [[ $1 == *.a ]]; then
    cp "$copy/$1" "$copy/$1.kept"
    "$archiver" r "$copy/$1" "$copy/planted.obj"
  else
    cp "$copy/planted.obj" "$copy/${1%/*}/CMakeFiles/${1##*/}.dir/planted.obj"
  fi
}
unplant() {
  if [[ $1 == *.a ]]; then
    mv "$copy/$1.kept" "$copy/$1"
  else
    rm "$copy/${1%/*}/CMakeFiles/${1##*/}.dir/planted.obj"
  fi
}

for entry in "${cases[@]}"; do
  IFS='|' read -r expected library function folder definers <<< "$entry"
  namespace=${function%%::*}
  name=${function#*::}
  name=${name%%(*}
  types=
  [[ $function == *'('* ]] && types=${function#*(} && types=${types%)}
  # The planted function hands its own parameters on.
  parameters= arguments=
  IFS=',' read -ra list <<< "$types"
  for i in "${!list[@]}"; do
    parameters+="${parameters:+, }${list[$i]} a$i"
    arguments+="${arguments:+, }a$i"
  done
  read -ra definers <<< "$definers"
  printf 'namespace korvath::%s { void %s(%s) {} }\n' "$namespace" "$name" "$parameters" > "$copy/planted.cpp"
  [ ${#definers[@]} = 0 ] || compile_planted "definition of $function" || continue
  for definer in "${definers[@]}"; do plant "$definer"; done
  printf '#include <windows.h>\nnamespace korvath::skin { class ZqkWindow; class SkinPicture; }\n' > "$copy/planted.cpp"
  printf 'namespace korvath::%s { void %s(%s); }\nextern "C" void korvath_planted(%s) { korvath::%s::%s(%s); }\n' \
    "$namespace" "$name" "$types" "$parameters" "$namespace" "$name" "$arguments" >> "$copy/planted.cpp"
  if compile_planted "call of $function"; then
    plant "$library"
    said=$(python3 "$root/tools/check_library_symbols.py" "$copy" 2>&1)
    got=$(planted_verdict $?)
    if [ "$got" = fails ] && [[ $said != *"$library needs korvath::$namespace::$name("*"), which $folder/ defines"* ]]; then
      got="fails without naming $function and $folder/"
    elif [ "$got" = fails ] && [[ $library == app/* && $said != *"front door does not declare"* ]]; then
      got="fails without saying that the front door does not declare $function"
    fi
    planted_report "$library calling $function" "$expected" "$got" "$said"
    unplant "$library"
  fi
  for definer in "${definers[@]}"; do unplant "$definer"; done
done

# Plants each case of a table: lock_case <the object's form: plain or big>
# <the compiler's options for it> <the table's cases>...
lock_case() {
  local form=$1 options=$2 entry expected library call lines
  for entry in "${@:3}"; do
    IFS='|' read -r expected library call lines <<< "$entry"
    printf '#include <windows.h>\n%b\n' "$lines" > "$copy/planted.cpp"
    # shellcheck disable=SC2086 # the options are words
    compile_planted "$lines" $options || continue
    if [ $form = big ] && [ "$(head -c 4 "$copy/planted.obj" | od -An -tx1 | tr -d ' ')" != 0000ffff ]; then
      echo "WRONG: the planted $lines compiled with $options is no big object" >&2
      status=1
      continue
    fi
    plant "$library"
    said=$(python3 "$root/tools/check_library_symbols.py" "$copy" 2>&1)
    got=$(planted_verdict $?)
    if [ "$got" = fails ] && [[ $said != *"$library(planted.obj) calls $call"* &&
                                $said != *"$library(planted.obj) names $call"* ]]; then
      got="fails without naming $library(planted.obj) and $call"
    fi
    planted_report "$library, a $form object: $lines" "$expected" "$got" "$said"
    unplant "$library"
  done
}
lock_case plain '' "${lock_cases[@]}"
lock_case big -Wa,-mbig-obj "${big_lock_cases[@]}"
exit $status
