#!/usr/bin/env python3
"""Fails when a source of the tool (app/) pulls in a header of the engine other
than the engine's front door and the values the door hands a program, or a
value it reaches but through the door.

Usage: tools/check_app_headers.py <windows build folder> [--sources <folder>] [app/<source>.cpp ...]

The rule is docs/engine.md's ("What the tool may call"): a source of the
tool includes of the engine the front door (skin/engine/) alone, and the
door's headers include of the engine the values alone (skin/values/: the
settings, the picture and the other values a program hands the engine). So
what a source pulls in of the engine is the door and, through it, the values.
Which headers a source pulls in is the compiler's own answer, not a reading of
its `#include` lines: each source of app/ that the build compiles is
preprocessed with its own compile command (compile_commands.json of the
build) and -H, which lists every header the preprocessor opens and the chain
of headers that opened it, however it was named (a macro, a header of the
front door that includes another). -H lists nothing that a file forced in
by the command (-include, -imacros) opens, nor the file itself: so the
source is read through a few lines that include those files first, then the
source, as the compiler takes them (from the build folder, then the include
folders), each forced file counting as one the source names itself. (A
precompiled header is one of those files: a run that only preprocesses
reads the header itself.) A header of the engine that is not the
door's nor a value, skin/core/ above all, is named with that chain; so is a
value whose chain enters the engine elsewhere than at the door (a value
header named by a source or a header of app/ itself, or forced in: the
layer check, tools/check_layers.sh, which reads one list of headers per
object, cannot tell who named it). With --sources, the sources
and headers are read from that folder instead of from the tree the build
was made from (a copy with a planted include,
tests/tools/check_app_headers_test.sh); sources named after it are the only
ones checked. Exits 1 when a source pulls in a header it may not, or does
not preprocess; 2 when the folder holds no Windows build.
"""
import argparse
import concurrent.futures
import json
import os
import shlex
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The engine, its front door, and the values the door hands a program.
ENGINE = 'skin/'
DOOR = 'skin/engine/'
VALUES = 'skin/values/'


def allowed(header):
    """Whether a program's source may hold the header at all: none of the
    engine's but the door's and the values'."""
    return not header.startswith(ENGINE) or header.startswith((DOOR, VALUES))


def refused(header, chain):
    """Why a source may not pull in the header that the chain of headers
    (the source's first) opened, or None: a header of the engine other than
    the door's and the values', or a value the source reaches but through
    the door (the first header of the engine on its way is not the door's)."""
    if not allowed(header):
        return ''
    if header.startswith(VALUES):
        entry = next(h for h in chain + [header] if h.startswith(ENGINE))
        if not entry.startswith(DOOR):
            return f': a value reached but through the front door ({DOOR}), at {entry}'
    return None


FORCED = ('-imacros', '--imacros', '-include', '--include')


def compile_words(entry):
    """The entry's compile command without its output, its dependency files
    and -c: the compiler and the options its source is read with, the source
    among them."""
    words = shlex.split(entry['command'])
    command = []
    skip = False
    for word in words:
        if skip:
            skip = False
            continue
        if word in ('-o', '-MF', '-MT', '-MQ'):
            skip = True
            continue
        if word in ('-c', '-MD', '-MMD'):
            continue
        command.append(word)
    return command


def forced_apart(words):
    """The words without the files they force in, and those files in the
    order the compiler takes them (-imacros before -include)."""
    kept = []
    forced = {option: [] for option in FORCED}
    option = None
    for word in words:
        if option:
            forced[option].append(word)
            option = None
        elif word in FORCED:
            option = word
        elif word.startswith(tuple(f + '=' for f in FORCED)):
            forced[word.partition('=')[0]].append(word.partition('=')[2])
        else:
            kept.append(word)
    return kept, [name for option in FORCED for name in forced[option]]


def preprocess_command(entry, built_from, sources):
    """The entry's compile command as a preprocessing run with -H of its
    source read through lines that include the files it forces in first (the
    run's input), its source and its include folder moved from the tree it was
    built from to `sources`."""
    command = []
    words, forced = forced_apart(compile_words(entry))
    source = os.path.join(sources, os.path.relpath(entry['file'], built_from))
    for word in words:
        if word == '-I' + built_from:
            command.append('-I' + sources)
        elif word != entry['file']:
            command.append(word)
    lines = ''.join(f'#include "{name}"\n' for name in forced + [source])
    return command + ['-E', '-H', '-o', os.devnull, '-x', 'c++', '-'], lines, source, entry['directory']


def pulled_in(command, lines, source, directory, sources):
    """(header relative to `sources`, the chain of headers that led to it) of
    every header of `sources` the run opens (in the build folder, as the
    build runs it), the source itself left out of each chain, and the
    compiler's complaint when it fails."""
    run = subprocess.run(command, input=lines, cwd=directory, capture_output=True, text=True, encoding='utf-8',
                         errors='replace')
    if run.returncode != 0:
        return [], run.stderr.strip()
    found = []
    chain = []
    for line in run.stderr.splitlines():
        dots = len(line) - len(line.lstrip('.'))
        if dots == 0 or not line[dots:].startswith(' '):
            continue  # the closing list of headers that want include guards
        path = os.path.realpath(line[dots + 1:].strip())
        header = os.path.relpath(path, sources) if path.startswith(sources + os.sep) else None
        del chain[dots - 1:]
        chain.append(header or os.path.basename(path))
        if header and path != os.path.realpath(source):
            found.append((header, [h for h in chain[:-1] if h != os.path.relpath(source, sources)]))
    return found, None


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument('build')
    parser.add_argument('--sources', default=ROOT)
    parser.add_argument('only', nargs='*')
    arguments = parser.parse_intermixed_args()
    build = os.path.abspath(arguments.build)
    sources = os.path.realpath(arguments.sources)
    try:
        with open(os.path.join(build, 'compile_commands.json'), encoding='utf-8') as f:
            entries = json.load(f)
    except OSError:
        print(f'app headers: {build} holds no compile_commands.json (configure the Windows build first)',
              file=sys.stderr)
        return 2
    built_from = os.path.realpath(ROOT)
    app = [e for e in entries
           if os.path.relpath(e['file'], built_from).startswith('app' + os.sep) and 'mingw' in e['command']
           and (not arguments.only or os.path.relpath(e['file'], built_from) in arguments.only)]
    if not app:
        print(f'app headers: {build} compiles no source of app/ for Windows', file=sys.stderr)
        return 2

    def check(entry):
        source = os.path.relpath(entry['file'], built_from)
        found, failure = pulled_in(*preprocess_command(entry, built_from, sources), sources)
        if failure:
            return source, [f'does not preprocess:\n{failure}']
        said = []
        seen = set()
        for header, chain in found:
            why = refused(header, chain)
            if why is None or header in seen:
                continue
            seen.add(header)
            through = f" (through {' > '.join(chain)})" if chain else ''
            said.append(f'pulls in {header}{through}{why}')
        return source, said

    status = 0
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2) as pool:
        for source, said in sorted(pool.map(check, app)):
            for text in said:
                print(f'app headers: {source} {text}', file=sys.stderr)
                status = 1
    if status == 0:
        print(f'app headers: the {len(app)} sources of app/ pull in of the engine only its front door '
              f'({DOOR}) and, through it, the values ({VALUES})')
    return status


if __name__ == '__main__':
    sys.exit(main())
