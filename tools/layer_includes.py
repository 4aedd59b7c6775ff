#!/usr/bin/env python3
"""The includes of the layer check (tools/check_layers.sh): the headers each
object of the program opened, as the compiler listed them while the builds
compiled it, against the floor of the object's folder.

Usage: tools/layer_includes.py --floor 'FOLDER|FOLDER...' ...
           [--header-floor 'FOLDER|FOLDER...' ...] [--planted FILE]
           ROOT WINDOWS_BUILD NATIVE_BUILD

A reading of the sources' lines misses what the compiler takes another way
(a byte-order mark, an extension nobody walks, a link, an include folder or
a forced include in a target's options, a header under a folder the reading
skips). So the headers an object opens are the build's own record of them:
the list GCC writes as it compiles the object (-MD), which ninja keeps
(`ninja -t deps`), over the objects of both builds, the Windows one and the
native one, so that both sides of a platform's `#if` are read. A file that
a compile command forces in (-include, -imacros) is read from the compiler
too, since an object compiled with a precompiled header is listed without
the header's own list. Each path counts for the folder its real path lies
in (a link inside the tree counts for the folder it leads to): a header of
the project (ROOT, or the tree the build was made from) belongs to its
family of skin/, or to its top folder; a file of a build folder is the
build's own and belongs to none, nor does one outside the project.

An object belongs to the folder of its source. Every header it opens must lie
in that folder or on its floor: the record is one flat list per object, not
who included what, but a folder's floor holds its floor's floors (checked
first: the line says which does not), so a header that reaches above the
floor of the file that includes it reaches above the object's floor too.
The front door's headers (skin/engine/) may include less than its sources
(--header-floor): what a folder above opens through them is that alone.

A header that no object of its own folder opens, or one of a folder whose
headers have a floor of their own, is judged by what every object that opens
it opened too (whatever a header includes, each of them opened): where that
lies on the header's floor, so does what the header includes; where not, the
header is compiled alone, with the command of one of those objects, and the
compiler says. A file of the program's folders that no object of either
build compiles or opens is named: no compiler says what it includes.

The engine's state (skin/core/engine_state.h) and the modules of the core
and of the drawing vocabulary it includes, directly or through another (the
compiler lists them, the state compiled alone): none of them, nor its
source, opens the state back, nor engine_startup.h or window_list.h, which
include it, so that the state stands below everything that reads it. A
module is judged by the objects of its source; one without a source (or
whose source does not open it) as a header no object of its folder opens.

--planted names a JSON list of objects compiled anew from a copy (the
planted cases, tests/tools/check_layers_test.sh): for each, "build" (its
folder), "object" (as ninja names it), "directory", "file", "command" (as
run) and "deps" (the list it wrote, -M or -MD). Each stands in for the
build's record and command of that object. ROOT is then the copy.

Exits 1 when a header lies above the floor of what opened it, 2 when a build
folder cannot be read.
"""
import argparse
import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys

STATE = 'skin/core/engine_state.h'
# The state and the headers that include it.
STATE_BACK = (STATE, 'skin/core/engine_startup.h', 'skin/core/window_list.h')
STATE_MODULES = ('skin/core/', 'skin/draw/')
FORCED = ('-include', '-imacros', '--include', '--imacros')
# Words of a compile command that name its output and its list, with what
# follows them, or that make it compile: none of a run that only lists.
OUTPUT_WORDS = ('-o', '-MF', '-MT', '-MQ')
COMPILE_WORDS = ('-c', '-MD', '-MMD', '-MP')
SOURCE_ENDINGS = ('.c', '.cc', '.cpp', '.cxx')


class Unreadable(Exception):
    """A build folder that gives no answer."""


def folder_of(path):
    """The folder a path of the project belongs to: its family of skin/, its
    top folder, or "." for a file at the top."""
    parts = path.split('/')
    if parts[0] == 'skin' and len(parts) > 2:
        return 'skin/' + parts[1]
    return parts[0] if len(parts) > 1 else '.'


def inside(path, folder):
    return path == folder or path.startswith(folder + os.sep)


def words_of(command):
    """The words of a compile command (CMake quotes only words with blanks)."""
    return shlex.split(command) if '"' in command or "'" in command or '\\' in command else command.split()


def make_list(text):
    """The files of the first rule of a make-style list (GCC's -M, -MD)."""
    rule = text.replace('\\\n', ' ').split('\n')[0]
    _, _, files = rule.partition(': ')
    return [re.sub(r'\\(.)', r'\1', word).replace('$$', '$')
            for word in re.findall(r'(?:\\.|[^\s\\])+', files)]


class Project:
    """Where a path lies: (its path in the project, as spelt) or None."""

    def __init__(self, root, sources, builds):
        self.trees = [root] + [s for s in sources if s != root]
        self.builds = builds
        self.found = {}

    def locate(self, path, directory):
        joined = os.path.join(directory, path)
        if joined not in self.found:
            self.found[joined] = self.find(os.path.normpath(joined))
        return self.found[joined]

    def find(self, joined):
        real = os.path.realpath(joined)
        if any(inside(real, build) for build in self.builds):
            return None
        for tree in self.trees:
            if inside(real, tree) and real != tree:
                spelt = os.path.relpath(joined, tree) if inside(joined, tree) else None
                here = os.path.relpath(real, tree)
                return here, spelt if spelt and spelt != here else None
        return None


class Build:
    def __init__(self, folder, kind):
        self.folder = os.path.abspath(folder)
        self.kind = kind
        if not os.path.isfile(os.path.join(self.folder, 'build.ninja')):
            raise Unreadable(f'{folder} holds no Ninja build (build.ninja): configure and build the {kind} '
                             'build first (tools/test.sh)')
        try:
            with open(os.path.join(self.folder, 'compile_commands.json'), encoding='utf-8') as f:
                entries = json.load(f)
            with open(os.path.join(self.folder, 'CMakeCache.txt'), encoding='utf-8') as f:
                self.source = re.search(r'^CMAKE_HOME_DIRECTORY:INTERNAL=(.*)$', f.read(), re.M).group(1)
        except (OSError, ValueError, AttributeError) as error:
            raise Unreadable(f'{folder} is no configured build of the program ({error})')
        self.commands = {}
        for entry in entries:
            words = words_of(entry['command'])
            if '-o' in words:
                self.commands[os.path.normpath(os.path.join(entry['directory'], words[words.index('-o') + 1]))] = \
                    dict(entry, mapped=True)
        windows = any('mingw' in os.path.basename(words_of(e['command'])[0]) for e in entries)
        if windows != (kind == 'Windows'):
            raise Unreadable(f'{folder} is no {kind} build (its compiler is {"" if windows else "not "}mingw-w64)')
        try:
            run = subprocess.run(['ninja', '-t', 'deps'], cwd=self.folder, capture_output=True, text=True,
                                 errors='surrogateescape')
        except OSError as error:
            raise Unreadable(f'ninja cannot list what {folder} compiled ({error})')
        if run.returncode != 0:
            raise Unreadable(f'ninja cannot list what {folder} compiled: {run.stderr.strip()}')
        self.records = {}
        files = None
        for line in run.stdout.splitlines():
            if line.startswith('    '):
                files.append(line[4:])
            elif ': #deps ' in line:
                files = self.records[os.path.normpath(os.path.join(self.folder, line.split(': #deps ')[0]))] = []

    def plant(self, entry):
        """An object compiled anew: its record and command stand in for the
        build's."""
        key = os.path.normpath(os.path.join(self.folder, entry['object']))
        if key not in self.records:
            raise Unreadable(f'{entry["object"]} is no object that {self.folder} compiled')
        try:
            with open(entry['deps'], encoding='utf-8', errors='surrogateescape') as f:
                self.records[key] = make_list(f.read())
        except OSError as error:
            raise Unreadable(f'the list of {entry["object"]} compiled anew cannot be read ({error})')
        self.commands[key] = dict(entry, mapped=False)


class Checker:
    def __init__(self, arguments):
        self.floor = self.table(arguments.floor)
        self.header_floor = self.table(arguments.header_floor or [])
        self.root = os.path.realpath(arguments.root)
        self.builds = [Build(arguments.windows, 'Windows'), Build(arguments.native, 'native')]
        for entry in self.planted(arguments.planted):
            build = next((b for b in self.builds if os.path.realpath(b.folder) == os.path.realpath(entry['build'])),
                         None)
            if build is None:
                raise Unreadable(f'{entry["build"]} is neither build folder given')
            build.plant(entry)
        self.project = Project(self.root, [os.path.realpath(b.source) for b in self.builds],
                               [os.path.realpath(b.folder) for b in self.builds])
        self.said = []
        self.status = 0
        self.pool = concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2)
        self.runs = {}

    @staticmethod
    def table(entries):
        found = {}
        for entry in entries:
            folder, _, below = entry.partition('|')
            found[folder] = set(below.split())
        return found

    @staticmethod
    def planted(path):
        if not path:
            return []
        try:
            with open(path, encoding='utf-8') as f:
                planted = json.load(f)
            return [{key: entry[key] for key in ('build', 'object', 'directory', 'file', 'command', 'deps')}
                    for entry in planted]
        except (OSError, ValueError, TypeError, KeyError) as error:
            raise Unreadable(f'{path} lists no objects compiled anew ({error!r})')

    def fail(self, heading, lines):
        if lines:
            self.said.append(f'layers: {heading}')
            self.said.extend(f'  {line}' for line in lines)
            self.status = 1

    def may_open(self, folder, header):
        """Whether a header's folder is open to the folder's objects (or, for a
        header of the folder, to what the folder's headers include)."""
        floor = self.header_floor.get(folder, self.floor.get(folder, set())) if header else self.floor[folder]
        return lambda path: folder_of(path) in floor or folder_of(path) == folder

    # What the compiler says.

    def command(self, build, entry, main, forced):
        """The entry's compile command as a run that lists what `main` opens,
        read from ROOT; the files the command forces in kept or left out."""
        words = words_of(entry['command'])
        source = os.path.normpath(os.path.join(entry['directory'], entry['file']))
        run = []
        skip = False
        for word in words:
            if skip:
                skip = False
            elif word in OUTPUT_WORDS or (word in FORCED and not forced):
                skip = True
            elif word in COMPILE_WORDS or (word.startswith(tuple(f + '=' for f in FORCED)) and not forced):
                pass
            elif os.path.normpath(os.path.join(entry['directory'], word)) == source:
                pass
            else:
                run.append(self.to_root(build, word) if entry['mapped'] else word)
        return run + ['-M', '-MT', 'listed', '-x', 'c++', main]

    def to_root(self, build, word):
        """A word of the build's command that names its source tree, naming
        ROOT instead (the same tree unless ROOT is a copy)."""
        for prefix in ('', '-I', '-iquote', '-isystem', '-idirafter'):
            path = word[len(prefix):]
            if word.startswith(prefix) and inside(path, build.source) and not inside(path, build.folder):
                return prefix + self.root + path[len(build.source):]
        return word

    def listed(self, build, entry, main, forced=False):
        """{path in the project: as spelt} of what `main` opens, itself left
        out, compiled with the entry's command; or the compiler's complaint.
        (A future of it: the runs go side by side.)"""
        key = (build.folder, entry['command'], main, forced)
        if key not in self.runs:
            self.runs[key] = self.pool.submit(self.list_now, build, entry, main, forced)
        return self.runs[key]

    def list_now(self, build, entry, main, forced):
        run = subprocess.run(self.command(build, entry, main, forced), cwd=entry['directory'],
                             capture_output=True, text=True, errors='surrogateescape')
        if run.returncode != 0:
            return None, run.stderr.strip()
        found = {}
        for path in make_list(run.stdout)[1:]:
            where = self.project.locate(path, entry['directory'])
            if where:
                found.setdefault(*where)
        return found, None

    # The objects.

    def objects(self, build):
        """(the object, its source in the project or None, {each header it
        opened in the project: as spelt}) of each object of the build."""
        found = []
        forced_lists = {}
        for key, files in sorted(build.records.items()):
            if not files:
                continue
            where = self.project.locate(files[0], build.folder)
            source = where[0] if where else None
            opened = {}
            for path in files[1:]:
                where = self.project.locate(path, build.folder)
                if where:
                    opened.setdefault(*where)
            entry = build.commands.get(key)
            if entry and any(w in FORCED or w.startswith(tuple(f + '=' for f in FORCED))
                             for w in words_of(entry['command'])):
                # What the command forces in, compiled with nothing else.
                text = entry['command'].replace(entry['file'], '')
                if text not in forced_lists:
                    forced_lists[text] = self.listed(build, entry, os.devnull, forced=True)
                forced_in, failure = forced_lists[text].result()
                if failure:
                    self.fail(f'{build.folder}: what the compile command of {source or key} forces in does not '
                              'compile:', failure.splitlines())
                for path, spelt in (forced_in or {}).items():
                    opened.setdefault(path, spelt)
            found.append((key, source, opened))
        return found

    def check(self):
        self.check_floors()
        seen = set()
        judged = []
        for build in self.builds:
            self.state_alone(build, [])
            objects = self.objects(build)
            self.check_unbuilt(build, objects)
            self.check_objects(build, objects)
            judged.append((build, objects))
            for _, source, opened in objects:
                seen.add(source)
                seen.update(opened)
        reports = {}
        for build, objects in judged:
            self.check_headers(build, objects, reports)
        modules = [self.state_modules(build, objects) for build, objects in judged]
        for folder, found in sorted(reports.items()):
            lines = []
            for report in found:
                report(lines)
            floor = self.header_floor.get(folder, self.floor[folder])
            self.fail(f'{folder}/ has headers that include above their floor (their floor: '
                      f'{" ".join(sorted(floor))}):', lines)
        self.check_unopened(seen)
        self.check_state(judged, modules)
        return self.status

    def check_floors(self):
        """Each folder's floor holds its floor's floors (or what the headers of
        a folder on it include)."""
        lines = []
        for folder, floor in self.floor.items():
            for lower in sorted(floor):
                if lower not in self.floor:
                    lines.append(f'{folder}/ stands on {lower}/, which has no floor of its own')
                    continue
                through = self.header_floor.get(lower, self.floor[lower])
                for missing in sorted(through - floor - {folder}):
                    what = "whose headers include" if lower in self.header_floor else "which stands on"
                    lines.append(f'{folder}/ stands on {lower}/, {what} {missing}/, not on {folder}/\'s floor')
        self.fail('a floor that does not hold its floor\'s floors (the check reads each object\'s headers as '
                  'one list):', lines)

    def check_unbuilt(self, build, objects):
        recorded = {key for key, _, _ in objects}
        lines = []
        for key, entry in sorted(build.commands.items()):
            where = self.project.locate(entry['file'], entry['directory'])
            if where and folder_of(where[0]) in self.floor and key not in recorded:
                lines.append(where[0])
        self.fail(f'{build.folder} has not compiled these sources (no list of what they open): build it first:',
                  lines)

    def check_objects(self, build, objects):
        offending = {}
        for _, source, opened in objects:
            folder = folder_of(source) if source else None
            if folder not in self.floor:
                continue
            may = self.may_open(folder, header=False)
            for path, spelt in sorted(opened.items()):
                if not may(path):
                    offending.setdefault(folder, []).append(
                        f'{source} opens {path}{self.spelling(spelt)} ({build.kind} build): '
                        f'{folder_of(path)}/ is not on {folder}/\'s floor')
        for folder, lines in sorted(offending.items()):
            self.fail(f'{folder}/ opens above its floor (its floor: {" ".join(sorted(self.floor[folder]))}):',
                      lines)

    @staticmethod
    def spelling(spelt):
        return f' (as {spelt})' if spelt else ''

    def openers(self, objects):
        """{header: the objects that opened it}."""
        found = {}
        for item in objects:
            for path in item[2]:
                found.setdefault(path, []).append(item)
        return found

    def alone(self, build, header, openers, may, label=''):
        """What reports the lines for what the header opens that `may`
        refuses: from what each of its openers opened, or from the header
        compiled alone where that does not say; None where nothing is."""
        common = set.intersection(*(set(opened) for _, _, opened in openers)) - {header}
        if all(may(path) for path in common):
            return None
        entry = next((build.commands[key] for key, _, _ in openers if key in build.commands), None)
        if entry is None:
            return lambda lines: lines.append(f'{header}: no compile command opens it in {build.folder}')
        run = self.listed(build, entry, os.path.join(self.root, header))

        def report(lines):
            found, failure = run.result()
            if failure:
                lines.append(f'{header} does not compile alone ({build.kind} build), so no compiler says what '
                             f'it opens: {failure}')
                return
            lines.extend(f'{header} opens {path}{self.spelling(spelt)} ({build.kind} build, compiled alone)'
                         f'{label.format(folder_of(path))}'
                         for path, spelt in sorted(found.items()) if not may(path))
        return report

    def check_headers(self, build, objects, reports):
        for header, openers in sorted(self.openers(objects).items()):
            folder = folder_of(header)
            if folder not in self.floor:
                continue
            if folder not in self.header_floor and any(s and folder_of(s) == folder for _, s, _ in openers):
                continue
            report = self.alone(build, header, openers, self.may_open(folder, header=True),
                                f': {{}}/ is not on the floor of {folder}/\'s headers')
            if report:
                reports.setdefault(folder, []).append(report)

    def check_unopened(self, seen):
        lines = []
        for folder in sorted(self.floor):
            for where, folders, names in os.walk(os.path.join(self.root, folder)):
                folders.sort()
                for name in sorted(names):
                    path = os.path.relpath(os.path.join(where, name), self.root)
                    if name != 'CMakeLists.txt' and not os.path.islink(os.path.join(where, name)) \
                            and folder_of(path) == folder and path not in seen:
                        lines.append(path)
        self.fail('no object of either build compiles or opens these files, so no compiler says what they '
                  'include (include them or take them out):', lines)

    def state_alone(self, build, objects):
        """The state compiled alone: with its source's command where the
        build compiles it, else with that of an object that opens it."""
        for key, entry in sorted(build.commands.items()):
            where = self.project.locate(entry['file'], entry['directory'])
            if where and where[0] == STATE[:-2] + '.cpp':
                return self.listed(build, entry, os.path.join(self.root, STATE))
        entry = next((build.commands[k] for k, _, opened in objects if STATE in opened and k in build.commands),
                     None)
        return entry and self.listed(build, entry, os.path.join(self.root, STATE))

    def state_modules(self, build, objects):
        """{module: what reports what it opens back} for each header that may
        be a module of the state (one its source's object opens), its run
        started beside the state's own: which are modules, the state's run
        says."""
        openers = self.openers(objects)
        own = [opened for _, source, opened in objects if source == STATE[:-2] + '.cpp']
        candidates = set().union(*own) if own else set(openers)
        found = {}
        for module in sorted(m for m in candidates if m.startswith(STATE_MODULES) and m in openers):
            stem = os.path.splitext(module)[0]
            sources = [item for item in objects if item[1] and os.path.splitext(item[1])[0] == stem
                       and item[1].endswith(SOURCE_ENDINGS)]
            lines = [f'{source} opens {back} ({build.kind} build)'
                     for _, source, opened in sources for back in STATE_BACK if back in opened]
            report = None
            if not any(module in opened for _, _, opened in sources):
                report = self.alone(build, module, openers[module], lambda path: path not in STATE_BACK)
            found[module] = (lines, report)
        return found

    def check_state(self, judged, candidates):
        lines = []
        for (build, objects), found in zip(judged, candidates):
            if not any(STATE in opened for _, _, opened in objects):
                continue
            # The state's modules, as the compiler lists them.
            modules, failure = self.state_alone(build, objects).result()
            if failure:
                lines.append(f'{STATE} does not compile alone ({build.kind} build): {failure}')
                continue
            lines.extend(f'{STATE} opens {back} ({build.kind} build, compiled alone)'
                         for back in STATE_BACK if back in modules)
            for module in sorted(m for m in modules if m.startswith(STATE_MODULES)):
                said, report = found.get(module) or self.state_modules(build, objects).get(module, ([], None))
                lines.extend(said)
                if report:
                    report(lines)
        self.fail(f'a module that the engine\'s state ({STATE}) includes opens it back, or a header that '
                  'includes it:', lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument('--floor', action='append', required=True)
    parser.add_argument('--header-floor', action='append')
    parser.add_argument('--planted')
    parser.add_argument('root')
    parser.add_argument('windows')
    parser.add_argument('native')
    arguments = parser.parse_args()
    try:
        checker = Checker(arguments)
        status = checker.check()
    except Unreadable as error:
        print(f'layers: {error}', file=sys.stderr)
        return 2
    for line in checker.said:
        print(line, file=sys.stderr)
    return status


if __name__ == '__main__':
    sys.exit(main())
