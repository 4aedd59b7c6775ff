#!/usr/bin/env python3
"""Fails when a public function of the GDI+ library is called by no test of it.

Usage: tools/check_gdip_calls.py <windows build folder>

What the library offers is read from the compiled code: the functions that
its objects define, and the inline functions of its headers, which the build
compiles once with every inline function kept (target gdip_header_functions).
What its tests call is read from the tests' objects, which are compiled without
inlining (tests/gdip/CMakeLists.txt), so that a call of an inline function
stays a call. A function counts as public unless its header declares it in a
private or protected part of its class, or it is one of the helpers that the
wrappers share among themselves (INTERNAL below). Prints every public
function that no test calls and exits 1 when there is one; exits 2, saying
which objects it looked for and how to build them, when the folder holds no
such build.
"""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NAMESPACE = 'korvath::gdip::'

# Helpers of the wrappers themselves, not functions the library offers: the
# buffers, lengths and list fetches of wrapper_helpers.h, and the status,
# adoption and scoped-handle patterns of object.h.
INTERNAL_HEADERS = {'wrapper_helpers.h'}
INTERNAL = ['StoreStatus', 'RefuseArgument', 'AdoptInto', 'NativeOf', 'ScopedNative']


def nm(paths):
    """Yields (type, demangled name) of every symbol of the objects given."""
    tool = os.environ.get('NM', 'i686-w64-mingw32-nm')
    for start in range(0, len(paths), 200):
        output = subprocess.run([tool, '-C'] + paths[start:start + 200], check=True,
                                capture_output=True, text=True).stdout
        for line in output.splitlines():
            match = re.match(r'^(?:[0-9a-f]+)?\s+([A-Za-z])\s+(.*)$', line)
            if match:
                yield match.group(1), match.group(2)


def objects(folder):
    found = []
    for base, _, files in os.walk(folder):
        found += [os.path.join(base, f) for f in files if f.endswith('.obj')]
    return sorted(found)


def library_function(name):
    """The name without its arguments when it is one of the library's own
    functions (not a variable, a vtable or an anonymous helper)."""
    if not name.startswith(NAMESPACE) or '(' not in name or '(anonymous namespace)' in name:
        return None
    # The optimiser's specialised copies of a function (" [clone .isra.0]") are calls of it.
    return re.sub(r'( \[clone [^]]*\])+$', '', name)


def non_public_members():
    """(class, member) pairs declared in a private or protected part of a
    class of the library's headers ((class, '*') for a class declared in
    such a part), and the names of its internal headers' functions."""
    hidden, internal = set(), set(INTERNAL)
    folder = os.path.join(ROOT, 'gdip')
    for header in sorted(os.listdir(folder)):
        if not header.endswith('.h'):
            continue
        text = open(os.path.join(folder, header), encoding='utf-8').read()
        text = re.sub(r'//[^\n]*', '', text)
        if header in INTERNAL_HEADERS:
            internal.update(re.findall(r'\b([A-Za-z_]\w*)\s*\(', text))
            continue
        # A stack of (class name, access, depth at which its body opened, hidden as a whole).
        stack, depth, pending = [], 0, None
        for token in re.finditer(r'\b(class|struct)\s+(\w+)[^;{()]*\{|\b(public|protected|private)\s*:|[{}]|'
                                 r'\b(~?\w+|operator\s*\S+?)\s*\(', text):
            if token.group(1):
                outer_hidden = bool(stack) and (stack[-1][1] != 'public' or stack[-1][3])
                if outer_hidden:
                    hidden.add((token.group(2), '*'))
                depth += 1
                stack.append([token.group(2), 'public' if token.group(1) == 'struct' else 'private', depth,
                              outer_hidden])
            elif token.group(3):
                if stack:
                    stack[-1][1] = token.group(3)
            elif token.group(0) == '{':
                depth += 1
            elif token.group(0) == '}':
                if stack and stack[-1][2] == depth:
                    stack.pop()
                depth -= 1
            elif token.group(4) and stack and depth == stack[-1][2]:
                cls, access, _, whole = stack[-1]
                if access != 'public' or whole:
                    hidden.add((cls, token.group(4).strip()))
    return hidden, internal


def member_of(name):
    """(innermost class, function) of a demangled name, or (None, function)."""
    head = name[:name.index('(')]
    head = re.sub(r'<[^<>]*(<[^<>]*>[^<>]*)*>', '', head)  # template arguments
    parts = head[len(NAMESPACE):].split('::')
    return (parts[-2] if len(parts) > 1 else None), parts[-1], parts


def missing_build(build, folders):
    """Says which objects of the Windows build are not there, and how to build them."""
    print('check_gdip_calls: %s holds no Windows build of the GDI+ library and its tests; '
          'found no objects (.obj) in:' % build, file=sys.stderr)
    for folder in folders:
        print('  ' + folder, file=sys.stderr)
    print('Build them with tools/test.sh (into build/win), or:\n'
          '  cmake -S %s -B %s -G Ninja -DCMAKE_BUILD_TYPE=Release '
          '-DCMAKE_TOOLCHAIN_FILE=%s\n'
          '  cmake --build %s'
          % (ROOT, build, os.path.join(ROOT, 'cmake', 'mingw-i686.cmake'), build), file=sys.stderr)
    return 2


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    build = sys.argv[1]
    test_folder = os.path.join(build, 'tests', 'gdip', 'CMakeFiles')
    library = [os.path.join(build, 'gdip'), os.path.join(test_folder, 'gdip_header_functions.dir')]
    tests = sorted(os.path.join(test_folder, target) for target in
                   (os.listdir(test_folder) if os.path.isdir(test_folder) else []) if target.endswith('_tests.dir'))
    missing = [folder for folder in library if not objects(folder)]
    if not any(objects(folder) for folder in tests):
        missing.append(os.path.join(test_folder, '*_tests.dir'))
    if missing:
        return missing_build(build, missing)
    offered = set()
    for folder in library:
        for kind, name in nm(objects(folder)):
            function = library_function(name)
            if function and kind in 'TW':
                offered.add(function)
    called = set()
    for folder in tests:
        for kind, name in nm(objects(folder)):
            function = library_function(name)
            if function:
                called.add(function)
    if not offered or not called:
        print('check_gdip_calls: no library or test functions in the objects under ' + build)
        return 1
    hidden, internal = non_public_members()

    def is_public(function):
        cls, member, parts = member_of(function)
        if any(part in internal for part in parts):
            return False
        # A destructor's variants are named after its class.
        return not cls or ((cls, member) not in hidden and (cls, '*') not in hidden and
                           not (member.startswith('~') and (cls, '~' + cls) in hidden))

    public = sorted(f for f in offered if is_public(f))
    uncalled = [f for f in public if f not in called]
    if uncalled:
        print('check_gdip_calls: %d of the %d public functions of gdip/ are called by no test of tests/gdip:'
              % (len(uncalled), len(public)))
        for function in uncalled:
            print('  ' + function)
        return 1
    print('check_gdip_calls: each of the %d public functions of gdip/ is called by a test' % len(public))
    return 0


if __name__ == '__main__':
    sys.exit(main())
