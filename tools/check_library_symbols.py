#!/usr/bin/env python3
"""Fails when a library of the program needs a symbol that only a library
above it (or beside it) defines: the floors of tools/check_layers.sh, held
for what the linker joins as the layer check holds them for includes; when
the tool needs of the engine a symbol that the engine's front door does not
declare; and when an object takes or releases a lock by hand.

Usage: tools/check_library_symbols.py <folder of a Windows build>

Reads every library libkorvath_*.a below the folder with the cross nm
(i686-w64-mingw32-nm -C, or $NM), and the objects of the programs built
there (a target's objects, <folder>/CMakeFiles/<target>.dir, that make no
library). A library or a program belongs to the folder of the program it is
built from (the build mirrors the source tree:
skin/draw/libkorvath_skin_draw.a is skin/draw/'s); libraries of folders
without a floor (the tests') are not read. Each symbol that a library uses
and does not define is looked up among the symbols that the libraries of the
other folders define. The folders below a folder are those of its floor,
those of their floors, and so on (the tool's floor is the front door, and
the door's floor every family: all of them are below the tool). When its own
folder and the folders below it define none of the symbol and another folder
does, the library needs a folder above it (or beside it, when neither stands
on the other), and the line says so.

Below the tool the whole engine lies, but the tool may call only what the
front door offers: a symbol that the tool (app/) uses and only the engine
(skin/) defines must be one that the headers a program may include of the
engine declare (the front door, skin/engine/, and the values it includes:
those that tools/check_app_headers.py lets a source of the tool pull in),
by its qualified name. Which those are the compiler tells: the headers of
the front door are preprocessed with the compile command of a source of the
tool (compile_commands.json of the build folder), and the declarations in
the lines that come from those headers are read, a class's members under
its name; a friend declared in a class is no declaration of the door's. So
a source that declares an engine function by hand and calls it fails the
check as an include of the engine's own header fails the header check.

And fails when an object of a library or of a program calls one of the
system's functions that take or release a slim lock or a critical section
(AcquireSRWLock*, TryAcquireSRWLock*, ReleaseSRWLock*, EnterCriticalSection,
TryEnterCriticalSection, LeaveCriticalSection, SleepConditionVariableCS,
which leaves a critical section and enters it again, and ntdll's Rtl names
of them), unless it is the object of the scoped lock,
platform::SlimLockHold (platform/slim_lock.h), which no throw can leave
held: the one object that defines the hold, wherever it lives (more than
one is refused too). The hold takes slim locks alone, so a critical section
waited on was entered by hand; a wait on a slim lock
(SleepConditionVariableSRW) has the lock again when it returns, and is one
within a hold. A call is a symbol the object needs however its source
spells it (the function's address taken, its name apart from its
arguments, a comment before it on the line), where a reading of the
source's lines is not exact. A function looked up by name
(GetProcAddress(module, "AcquireSRWLockExclusive")) leaves no such symbol,
only its name in the object's data: the sections of each object but its
debug sections are searched for the names, narrow and wide (UTF-16), and an
object that holds one is refused as one that calls it. A hold placed by
hand (a placement new whose destructor is called by hand, a new never
deleted) needs only the hold's own symbols, as one held for a scope does:
the check cannot tell the two apart, and passes it.

Exits 1 when a library needs what it may not, 2 when the folder holds no
such library or its door cannot be read.
"""
import json
import os
import re
import struct
import subprocess
import sys
import tempfile

import check_app_headers

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The tool, and the engine whose symbols it may need only as the engine's
# front door declares them.
TOOL = 'app'
ENGINE = 'skin/'
DOOR = 'skin/engine'


def floors():
    """{folder: the folders it may include besides itself}, as the layer check
    names them."""
    with open(os.path.join(ROOT, 'tools', 'check_layers.sh'), encoding='utf-8') as f:
        text = f.read()
    table = re.search(r'^floors=\((.*?)^\)', text, re.S | re.M).group(1)
    found = {}
    for folder, below in re.findall(r'^\s*"([^"|]+)\|([^"]*)"', table, re.M):
        found[folder] = set(below.split())
    return found


def below(floor_of):
    """{folder: every folder below it}."""
    found = {}

    def walk(folder):
        if folder not in found:
            found[folder] = set()
            for lower in floor_of.get(folder, ()):
                found[folder] |= {lower} | walk(lower)
        return found[folder]

    for folder in floor_of:
        walk(folder)
    return found


def symbols(paths):
    """(the symbols the library or the objects define, those they use and do
    not define, and {each object: (what it defines, what it uses)})."""
    tool = os.environ.get('NM', 'i686-w64-mingw32-nm')
    output = subprocess.run([tool, '-C'] + paths, check=True, capture_output=True, text=True).stdout
    defined, used = set(), set()
    objects = {}
    # nm names each object (an archive's member, or an object given) on a
    # line of its own before its symbols.
    current = objects.setdefault(paths[0], (set(), set()))
    for line in output.splitlines():
        match = re.match(r'^(?:[0-9a-f]+)?\s+([A-Za-z])\s+(.*)$', line)
        if not match:
            if line.endswith(':'):
                current = objects.setdefault(line[:-1], (set(), set()))
            continue
        kind, name = match.groups()
        if kind == 'U':
            used.add(name)
            current[1].add(name)
        elif kind.isupper():
            defined.add(name)
            current[0].add(name)
    return defined, used - defined, objects


# ---- the locks taken by hand ----------------------------------------------------

# The scoped lock, the one type of the program that takes and releases a lock.
LOCK_HOLD = 'korvath::platform::SlimLockHold'
# The system's functions that take or release a slim lock or a critical
# section; a condition variable's wait on a section leaves it and enters it
# again (no hold takes a section, so it was entered by hand).
LOCK_FUNCTIONS = ('AcquireSRWLockExclusive', 'AcquireSRWLockShared', 'TryAcquireSRWLockExclusive',
                  'TryAcquireSRWLockShared', 'ReleaseSRWLockExclusive', 'ReleaseSRWLockShared',
                  'EnterCriticalSection', 'TryEnterCriticalSection', 'LeaveCriticalSection',
                  'SleepConditionVariableCS')
# A call of one (ntdll's own names too), as an object names it: plain or
# through its import slot, with the size of its arguments.
LOCK_CALL = re.compile(r'^(?:_*imp_+)?_?(?:Rtl)?(' + '|'.join(LOCK_FUNCTIONS) + r')(?:@\d+)?$')
# One looked up by name (GetProcAddress), ntdll's too: the name as a string
# in an object's data, narrow or wide; the longest first, so that a try is
# named as one.
LOCK_NAME = re.compile(b'|'.join(re.escape(name.encode(encoding))
                                 for name in sorted(LOCK_FUNCTIONS, key=len, reverse=True)
                                 for encoding in ('ascii', 'utf-16-le')))


def archive_members(path):
    """(name, bytes) of each object of an archive as nm names it (GNU ar: long
    names in the "//" member), or the path and bytes of an object."""
    with open(path, 'rb') as f:
        data = f.read()
    if not data.startswith(b'!<arch>\n'):
        yield path, data
        return
    position, long_names = 8, b''
    while position + 60 <= len(data):
        header = data[position:position + 60]
        name = header[:16].decode('ascii', 'replace').rstrip()
        size = int(header[48:58])
        body = data[position + 60:position + 60 + size]
        position += 60 + size + (size & 1)
        if name == '//':
            long_names = body
        elif name.startswith('/') and name[1:].isdigit():
            start = int(name[1:])
            yield long_names[start:long_names.index(b'/\n', start)].decode('utf-8', 'replace'), body
        elif name not in ('/', '/SYM64/'):
            yield name[:-1] if name.endswith('/') else name, body


def section_contents(data):
    """The bytes of each section of a COFF object (plain or big) but its debug
    sections; the whole of anything else."""
    if data[:4] == b'\0\0\xff\xff' and len(data) >= 56:  # a big object
        count, table, symbols_count = struct.unpack_from('<III', data, 44)
        first, symbol_size = 56, 20
    elif len(data) >= 20 and struct.unpack_from('<H', data)[0] == 0x14c:  # i386
        count, table, symbols_count = struct.unpack_from('<H', data, 2)[0], *struct.unpack_from('<II', data, 8)
        first, symbol_size = 20 + struct.unpack_from('<H', data, 16)[0], 18
    else:
        yield data
        return
    strings = table + symbols_count * symbol_size
    for i in range(count):
        header = first + 40 * i
        name = data[header:header + 8].rstrip(b'\0')
        if name.startswith(b'/') and name[1:].isdigit():
            start = strings + int(name[1:])
            name = data[start:data.index(b'\0', start)]
        size, offset = struct.unpack_from('<II', data, header + 16)
        if offset and not name.startswith(b'.debug'):
            yield data[offset:offset + size]


def lock_names(paths):
    """{each object of the libraries or the objects (as nm names it): the lock
    functions whose names it holds in its data}."""
    found = {}
    for path in paths:
        for name, data in archive_members(path):
            named = {match.group().decode('utf-16-le' if b'\0' in match.group() else 'ascii')
                     for contents in section_contents(data) for match in LOCK_NAME.finditer(contents)}
            if named:
                found.setdefault(name, set()).update(named)
    return found


def hand_taken_locks(read, named):
    """The lines that name each object (other than the scoped lock's own)
    calling the system's lock functions, or holding the name of one in its
    data (`named`, {library: {object: the names}}: one looked up by name),
    and every object that defines the scoped lock when more than one does: a
    call by hand, however the source spells it (its address taken, its name
    split from its arguments, a try), is a symbol the object needs."""
    said = []
    holds = sorted((library, name) for library, (_, _, objects) in read.items()
                   for name, (defined, _) in objects.items()
                   if any(qualified(symbol).startswith(LOCK_HOLD + '::') for symbol in defined))
    if len(holds) > 1:
        said.append(f"symbols: {LOCK_HOLD} is defined in {len(holds)} objects, "
                    f"{', '.join(f'{l}({os.path.basename(o)})' for l, o in holds)}: one object of its own holds it")
    for library, (_, _, objects) in sorted(read.items()):
        for name, (_, used) in sorted(objects.items()):
            calls = sorted({m.group(1) for m in map(LOCK_CALL.match, used) if m})
            if calls and (holds != [(library, name)]):
                said.append(f"symbols: {library}({os.path.basename(name)}) calls {', '.join(calls)}: a lock taken "
                            f"or released by hand (hold it for a scope: {LOCK_HOLD}, platform/slim_lock.h)")
    for library, objects in sorted(named.items()):
        for name, names in sorted(objects.items()):
            if holds != [(library, name)]:
                said.append(f"symbols: {library}({os.path.basename(name)}) names {', '.join(sorted(names))} in its "
                            f"data: a lock function looked up by name, a lock taken or released by hand (hold it "
                            f"for a scope: {LOCK_HOLD}, platform/slim_lock.h)")
    return said


# ---- what the front door declares ---------------------------------------------

TOKEN = re.compile(r'''
    (?:u8|u|U|L)?"(?:\\.|[^"\\])*"   # a string
  | (?:u8|u|U|L)?'(?:\\.|[^'\\])*'   # a character
  | [A-Za-z_]\w*                     # a word
  | \d[\w.']*                        # a number
  | ::
  | \S                               # any other mark
''', re.X)
WORD = re.compile(r'[A-Za-z_]\w*$')
# Words whose bracketed group is no parameter list.
GROUPED = {'decltype', 'alignas', 'noexcept', '__attribute__', '__declspec', 'throw'}
OPENING = {'(', '[', '{'}
CLOSING = {')', ']', '}'}


def after_group(tokens, i):
    """The index after the bracketed group that opens at tokens[i]."""
    depth = 0
    while i < len(tokens):
        if tokens[i] in OPENING:
            depth += 1
        elif tokens[i] in CLOSING:
            depth -= 1
            if depth == 0:
                return i + 1
        i += 1
    return i


def name_before(head, end):
    """The name, qualified as it is written, that ends just before head[end]."""
    i = end - 1
    if i < 0 or not WORD.match(head[i]):
        return None
    parts = [head[i]]
    if i >= 1 and head[i - 1] == '~':
        parts[0] = '~' + parts[0]
        i -= 1
    while i >= 2 and head[i - 1] == '::' and WORD.match(head[i - 2]):
        parts.insert(0, head[i - 2])
        i -= 2
    return '::'.join(parts)


def declared_by(head):
    """The name that a declaration's head (its tokens up to ';' or a body)
    declares: a function's, before its parameter list, or a variable's."""
    depth = 0
    j = 0
    while j < len(head):
        t = head[j]
        if t in GROUPED and head[j + 1:j + 2] == ['(']:
            j = after_group(head, j + 1)
            continue
        if t == 'operator' and depth == 0:
            k = j + 1
            if head[k:k + 2] == ['(', ')']:
                k += 2
            while k < len(head) and head[k] != '(':
                k += 1
            marks = head[j + 1:k]
            name = 'operator' + (' ' + ' '.join(marks) if marks and WORD.match(marks[0]) else ''.join(marks))
            owner = name_before(head, j - 1) if j >= 2 and head[j - 1] == '::' else None
            return f'{owner}::{name}' if owner else name
        if t in OPENING:
            if t == '(' and depth == 0:
                return name_before(head, j)
            depth += 1
        elif t in CLOSING:
            depth -= 1
        elif t == '=' and depth == 0:
            return name_before(head, j)
        j += 1
    return name_before(head, len(head))


def declared_names(tokens):
    """The qualified names that the tokens declare: the classes they define,
    and the functions and variables they declare in a namespace or a class
    (not a friend of one)."""
    names = set()

    def statement_end(i):
        """The index after the statement that starts at i, bodies skipped."""
        while i < len(tokens):
            t = tokens[i]
            if t == ';':
                return i + 1
            if t in ('(', '['):
                i = after_group(tokens, i)
                continue
            if t == '{':
                i = after_group(tokens, i)
                return i + 1 if tokens[i:i + 1] == [';'] else i
            if t == '}':
                return i
            i += 1
        return i

    def body(i, scope):
        while i < len(tokens) and tokens[i] != '}':
            i = declaration(i, scope)
        return i + 1

    def declaration(i, scope):
        t = tokens[i]
        if t == ';':
            return i + 1
        if t == '{':
            return after_group(tokens, i)
        if t in ('public', 'private', 'protected') and tokens[i + 1:i + 2] == [':']:
            return i + 2
        if t == 'inline' and tokens[i + 1:i + 2] == ['namespace']:
            i += 1
            t = 'namespace'
        if t == 'namespace':
            j = i + 1
            path = []
            while j < len(tokens) and tokens[j] not in ('{', '=', ';'):
                if WORD.match(tokens[j]) and tokens[j] != 'inline':
                    path.append(tokens[j])
                j += 1
            if tokens[j:j + 1] != ['{']:
                return statement_end(i)
            return body(j + 1, scope + (path or ['{anonymous}']))
        if t == 'extern' and tokens[i + 1:i + 2] and tokens[i + 1].startswith('"'):
            return body(i + 3, scope) if tokens[i + 2:i + 3] == ['{'] else declaration(i + 2, scope)
        if t == 'template' and tokens[i + 1:i + 2] == ['<']:
            depth = 0
            j = i + 1
            while j < len(tokens):
                depth += {'<': 1, '>': -1}.get(tokens[j], 0)
                j += 1
                if depth == 0:
                    break
            return declaration(j, scope)
        if t in ('using', 'typedef', 'static_assert', 'friend'):
            return statement_end(i)
        if t in ('class', 'struct', 'union', 'enum'):
            j = i + 1
            while j < len(tokens) and tokens[j] not in ('{', ';', '(', '='):
                j += 1
            words = tokens[i + 1:j]
            # `class X final : public Base {`: the name is the last word before
            # the bases.
            words = [w for w in words[:words.index(':') if ':' in words else len(words)]
                     if WORD.match(w) and w not in ('final', 'class', 'struct')]
            if tokens[j:j + 1] == [';'] and len(words) == 1:
                return j + 1  # named, not defined
            if tokens[j:j + 1] == ['{'] and t != 'enum' and words:
                names.add('::'.join(scope + [words[-1]]))
                return statement_end(body(j + 1, scope + [words[-1]]))
            if tokens[j:j + 1] == ['{']:
                return statement_end(j)
        # A declaration: its head runs to ';' or to a body.
        head = []
        j = i
        while j < len(tokens) and tokens[j] not in (';', '{', '}'):
            if tokens[j] in ('(', '['):
                end = after_group(tokens, j)
                head += tokens[j:end]
                j = end
                continue
            head.append(tokens[j])
            j += 1
        name = declared_by(head)
        if name:
            names.add('::'.join(scope + [name]))
        return statement_end(j) if j < len(tokens) and tokens[j] != '}' else j

    i = 0
    while i < len(tokens):
        i = declaration(i, []) if tokens[i] != '}' else i + 1
    return names


def door_declarations(build):
    """(the qualified names that the headers a program may include of the
    engine declare, as the compiler reads them; None and the reason when the
    build tells no way to read them)."""
    try:
        with open(os.path.join(build, 'compile_commands.json'), encoding='utf-8') as f:
            entries = json.load(f)
    except OSError:
        return None, f'{build} holds no compile_commands.json'
    tool = sorted((e for e in entries if os.path.relpath(e['file'], ROOT).startswith(TOOL + os.sep)
                   and 'mingw' in e['command']), key=lambda e: e['file'])
    if not tool:
        return None, f'{build} compiles no source of {TOOL}/ for Windows'
    headers = sorted(name for name in os.listdir(os.path.join(ROOT, DOOR)) if name.endswith('.h'))
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, 'door.cpp')
        with open(source, 'w', encoding='utf-8') as f:
            f.writelines(f'#include "{DOOR}/{name}"\n' for name in headers)
        command = [source if word == tool[0]['file'] else word for word in check_app_headers.compile_words(tool[0])]
        run = subprocess.run(command + ['-E'], capture_output=True, text=True, encoding='utf-8', errors='replace')
    if run.returncode != 0:
        return None, f'the front door does not preprocess:\n{run.stderr.strip()}'
    kept = []
    header = None
    for line in run.stdout.splitlines():
        marker = re.match(r'#\s*\d+\s+"(.*)"', line)
        if marker:
            path = os.path.realpath(marker.group(1))
            header = os.path.relpath(path, ROOT) if path.startswith(ROOT + os.sep) else None
        elif header and header.startswith(ENGINE) and check_app_headers.allowed(header):
            kept.append(line)
    return declared_names(TOKEN.findall('\n'.join(kept))), None


# What nm -C puts before the name of a class's tables or a function's stand-ins.
SPECIAL = re.compile(r'^(?:vtable|VTT|typeinfo|typeinfo name|construction vtable|guard variable'
                     r'|(?:non-)?virtual thunk|covariant return thunk|reference temporary #\d+) (?:for|to) ')


def qualified(symbol):
    """The qualified name of a symbol as nm -C tells it, without its
    parameters, template arguments, return type and ABI tags."""
    text = re.sub(r'\[abi:\w+\]', '', SPECIAL.sub('', symbol).replace('(anonymous namespace)', '{anonymous}'))
    kept = []
    depth = 0
    i = 0
    while i < len(text):
        c = text[i]
        if depth == 0 and text.startswith('operator', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == '_')):
            rest = text[i:]
            cut = rest.find('(', len('operator()') if rest.startswith('operator()') else 0)
            kept.append(rest if cut < 0 else rest[:cut])
            break
        if c == '<':
            depth += 1
        elif c == '>':
            depth -= 1
        elif c == '(' and depth == 0:
            break
        elif depth == 0:
            kept.append(c)
        i += 1
    name = ''.join(kept).strip()
    # A template function's return type stands before its name.
    owner, _, last = name.rpartition('operator')
    return (owner.rsplit(' ', 1)[-1] + 'operator' + last) if _ else name.rsplit(' ', 1)[-1]


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    build = os.path.abspath(sys.argv[1])
    floor_of = floors()
    under = below(floor_of)
    # {a library's path, or a program's folder and name: its folder}
    libraries = {}
    programs = {}  # {a program: its objects}
    for base, _, files in os.walk(build):
        folder = os.path.relpath(base, build)
        if folder not in floor_of:
            continue
        for name in sorted(files):
            if name.startswith('libkorvath_') and name.endswith('.a'):
                libraries[os.path.join(folder, name)] = folder
        # The programs built here: the targets whose objects make no library.
        targets = os.path.join(base, 'CMakeFiles')
        for target in sorted(os.listdir(targets)) if os.path.isdir(targets) else ():
            if not target.endswith('.dir') or f'lib{target[:-4]}.a' in files:
                continue
            objects = sorted(os.path.join(where, name) for where, _, names in os.walk(os.path.join(targets, target))
                             for name in names if name.endswith('.obj'))
            if objects:
                libraries[os.path.join(folder, target[:-4])] = folder
                programs[os.path.join(folder, target[:-4])] = objects
    if not libraries:
        print(f'symbols: {build} holds no library of the program (build the Windows build first)',
              file=sys.stderr)
        return 2

    paths = {library: programs.get(library) or [os.path.join(build, library)] for library in sorted(libraries)}
    read = {library: symbols(paths[library]) for library in sorted(libraries)}
    definers = {}
    for library, (defined, _, _) in read.items():
        for name in defined:
            definers.setdefault(name, set()).add(libraries[library])
    declared = set()
    if TOOL in libraries.values():
        declared, failure = door_declarations(build)
        if declared is None:
            print(f'symbols: cannot read what the front door declares: {failure}', file=sys.stderr)
            return 2

    status = 0
    for library, (_, used, _) in read.items():
        folder = libraries[library]
        reachable = under[folder] | {folder}
        for name in sorted(used):
            where = definers.get(name, set())
            if not where:
                continue
            if not where & reachable:
                for other in sorted(where):
                    side = 'above' if folder in under[other] else 'beside'
                    print(f'symbols: {library} needs {name}, which {other}/ defines, {side} {folder}/',
                          file=sys.stderr)
                status = 1
            elif folder == TOOL and all(w.startswith(ENGINE) for w in where) and qualified(name) not in declared:
                print(f"symbols: {library} needs {name}, which {', '.join(w + '/' for w in sorted(where))} "
                      "defines and the engine's front door does not declare", file=sys.stderr)
                status = 1
    for line in hand_taken_locks(read, {library: lock_names(paths[library]) for library in sorted(libraries)}):
        print(line, file=sys.stderr)
        status = 1
    if status == 0:
        print(f'symbols: each of the {len(read)} libraries and programs needs only what its own folder and the '
              'folders below it define, the tool needs of the engine only what its front door declares, and '
              f'no object but the one of {LOCK_HOLD} calls or names a function that takes or releases a slim '
              'lock or a critical section')
    return status


if __name__ == '__main__':
    sys.exit(main())
