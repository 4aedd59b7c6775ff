#!/usr/bin/env python3
"""Fails when a library of the program needs a symbol that only a library
above it (or beside it) defines: the floors of tools/check_layers.sh, held
for what the linker joins as the layer check holds them for includes.

Usage: tools/check_library_symbols.py <folder of a Windows build>

Reads every library libkorvath_*.a below the folder with the cross nm
(i686-w64-mingw32-nm -C, or $NM). A library belongs to the folder of the
program it is built from (the build mirrors the source tree:
skin/draw/libkorvath_skin_draw.a is skin/draw/'s); libraries of folders
without a floor (the tests') are not read. Each symbol that a library uses
and does not define is looked up among the symbols that the libraries of the
other folders define. The folders below a folder are those of its floor,
those of their floors, and so on (the tool's floor is the front door, and
the door's floor every family: all of them are below the tool). When its own
folder and the folders below it define none of the symbol and another folder
does, the library needs a folder above it (or beside it, when neither stands
on the other), and the line says so. Exits 1 when one does, 2 when the
folder holds no such library.
"""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


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


def symbols(library):
    """(the symbols the library defines, those it uses and does not define)."""
    tool = os.environ.get('NM', 'i686-w64-mingw32-nm')
    output = subprocess.run([tool, '-C', library], check=True, capture_output=True, text=True).stdout
    defined, used = set(), set()
    for line in output.splitlines():
        match = re.match(r'^(?:[0-9a-f]+)?\s+([A-Za-z])\s+(.*)$', line)
        if not match:
            continue
        kind, name = match.groups()
        if kind == 'U':
            used.add(name)
        elif kind.isupper():
            defined.add(name)
    return defined, used - defined


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    build = os.path.abspath(sys.argv[1])
    floor_of = floors()
    under = below(floor_of)
    libraries = {}
    for base, _, files in os.walk(build):
        folder = os.path.relpath(base, build)
        if folder not in floor_of:
            continue
        for name in sorted(files):
            if name.startswith('libkorvath_') and name.endswith('.a'):
                libraries[os.path.join(folder, name)] = folder
    if not libraries:
        print(f'symbols: {build} holds no library of the program (build the Windows build first)',
              file=sys.stderr)
        return 2

    read = {library: symbols(os.path.join(build, library)) for library in sorted(libraries)}
    definers = {}
    for library, (defined, _) in read.items():
        for name in defined:
            definers.setdefault(name, set()).add(libraries[library])

    status = 0
    for library, (_, used) in read.items():
        folder = libraries[library]
        reachable = under[folder] | {folder}
        for name in sorted(used):
            where = definers.get(name, set())
            if not where or where & reachable:
                continue
            for other in sorted(where):
                side = 'above' if folder in under[other] else 'beside'
                print(f'symbols: {library} needs {name}, which {other}/ defines, {side} {folder}/',
                      file=sys.stderr)
            status = 1
    if status == 0:
        print(f'symbols: each of the {len(read)} libraries of the program needs only what its own folder '
              'and the folders below it define')
    return status


if __name__ == '__main__':
    sys.exit(main())
