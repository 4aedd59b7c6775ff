#!/usr/bin/env python3
"""Compiles objects of the builds anew from a copy of the tree, as the builds
compile them, and lists each one for the layer check's --planted
(tools/layer_includes.py): the planted cases of tests/tools/check_layers_test.sh.

Usage: compile_planted.py COPY OUT.json [--source S]... [--opening H]...
           [--options OPTIONS] [--pch HEADER] [--compile] BUILD...

The objects are those of the sources S, and those whose build's record says
they opened the header H (paths of the tree). Each is run with its own
compile command (the build's compile_commands.json), its source and the
tree's include folder moved to COPY (a source the copy lacks, a generated one,
read where it is), OPTIONS added (as a target's options
would add them; "{copy}" stands for COPY), and made to list what it opens
(-M; with --compile, compiled as the build compiles it, -c -MD). --pch first
makes a precompiled header of HEADER (of the copy) with the first object's
command, and fails when an object's list names HEADER: the compiler did not
take the precompiled one. Exits 1, with the compiler's words, when a run
fails.
"""
import argparse
import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys


def objects(build, sources, opening):
    """[(object, compile entry)] of the build to compile anew."""
    with open(os.path.join(build, 'compile_commands.json'), encoding='utf-8') as f:
        entries = json.load(f)
    with open(os.path.join(build, 'CMakeCache.txt'), encoding='utf-8') as f:
        tree = re.search(r'^CMAKE_HOME_DIRECTORY:INTERNAL=(.*)$', f.read(), re.M).group(1)
    wanted = set()
    if opening:
        headers = {os.path.realpath(os.path.join(tree, h)) for h in opening}
        deps = subprocess.run(['ninja', '-t', 'deps'], cwd=build, capture_output=True, text=True, check=True)
        current = None
        real = {}
        for line in deps.stdout.splitlines():
            if ': #deps ' in line:
                current = line.split(': #deps ')[0]
            elif line.startswith('    '):
                if line not in real:
                    real[line] = os.path.realpath(os.path.join(build, line[4:]))
                if real[line] in headers:
                    wanted.add(current)
    found = []
    for entry in entries:
        output = re.search(r' -o (\S+)', entry['command'])
        if output and (output.group(1) in wanted or os.path.relpath(entry['file'], tree) in sources):
            found.append((output.group(1), entry, tree))
    return found


def source_of(entry, tree, copy):
    """The entry's source in the copy, or where it is when the copy lacks it."""
    there = os.path.join(copy, os.path.relpath(entry['file'], tree))
    return there if os.path.exists(there) else entry['file']


def moved(entry, tree, copy, options):
    """The entry's command without its output, reading the copy."""
    command = []
    skip = False
    for word in shlex.split(entry['command']):
        if skip:
            skip = False
        elif word == '-o':
            skip = True
        elif word == '-c':
            pass
        elif word == '-I' + tree:
            command.append('-I' + copy)
        elif word == entry['file']:
            command.append(source_of(entry, tree, copy))
        else:
            command.append(word)
    return command + shlex.split(options.replace('{copy}', copy))


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument('copy')
    parser.add_argument('out')
    parser.add_argument('--source', action='append', default=[])
    parser.add_argument('--opening', action='append', default=[])
    parser.add_argument('--options', default='')
    parser.add_argument('--pch')
    parser.add_argument('--compile', action='store_true')
    parser.add_argument('builds', nargs='+')
    arguments = parser.parse_args()
    copy = os.path.realpath(arguments.copy)
    where = os.path.dirname(os.path.abspath(arguments.out))
    jobs = [(os.path.abspath(build),) + found for build in arguments.builds
            for found in objects(os.path.abspath(build), arguments.source, arguments.opening)]
    if arguments.pch and jobs:
        _, _, entry, tree = jobs[0]
        header = os.path.join(copy, arguments.pch)
        command = [w for w in moved(entry, tree, copy, '') if w != source_of(entry, tree, copy)]
        run = subprocess.run(command + ['-x', 'c++-header', header, '-o', header + '.gch'],
                             cwd=entry['directory'], capture_output=True, text=True)
        if run.returncode != 0:
            print(f'the precompiled header does not compile:\n{run.stderr}', file=sys.stderr)
            return 1

    def compile_anew(number, job):
        build, output, entry, tree = job
        deps = os.path.join(where, f'{number}.d')
        if arguments.compile:
            tail = ['-c', '-o', os.path.join(where, f'{number}.o'), '-MD', '-MT', output, '-MF', deps]
        else:
            tail = ['-M', '-MT', output, '-MF', deps]
        command = moved(entry, tree, copy, arguments.options) + tail
        run = subprocess.run(command, cwd=entry['directory'], capture_output=True, text=True)
        if run.returncode != 0:
            return f'{output} does not compile from the copy:\n{run.stderr}'
        if arguments.pch:
            with open(deps, encoding='utf-8') as f:
                if os.path.join(copy, arguments.pch) in f.read():
                    return f'{output} was compiled without the precompiled {arguments.pch}'
        return {'build': build, 'object': output, 'directory': entry['directory'],
                'file': source_of(entry, tree, copy), 'command': shlex.join(command), 'deps': deps}

    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2) as pool:
        listed = list(pool.map(compile_anew, range(len(jobs)), jobs))
    for failure in (item for item in listed if isinstance(item, str)):
        print(failure, file=sys.stderr)
        return 1
    with open(arguments.out, 'w', encoding='utf-8') as f:
        json.dump(listed, f)
    return 0


if __name__ == '__main__':
    sys.exit(main())
