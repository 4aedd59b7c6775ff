#!/usr/bin/env python3
"""Gathers the figure lines of one tools/bench.sh run into one table.

Usage: bench_table.py <run folder>
The run folder holds jobs.tsv (one job a line: name, program, arguments) and
<k>.out / <k>.status for the k-th job (1-based). Each benchmark program
prints its figures as lines
    figure|<figure>|<value>|<unit>|<reference>|<reference value>|<goal>|<n>
(bench/figure_line.h). A figure printed by several jobs of one program (a
long run split over Wine groups) is merged: a time (unit "ms") as the mean
weighted by n, any other unit summed; n is summed. Prints a Markdown table.
"""
import re
import sys
from pathlib import Path


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


def show(value, unit):
    if value is None:
        return "-"
    if unit != "ms":
        return f"{value:g} {unit}"
    for limit, digits in ((0.1, 4), (10, 3), (100, 2), (1000, 1)):
        if abs(value) < limit:
            return f"{value:.{digits}f} ms"
    return f"{value:.0f} ms"


def verdict(goal, value, ratio):
    """'met', 'NOT met' or '-' for no goal."""
    match = re.fullmatch(r"\s*(ratio\s*)?(<=|=)\s*([0-9.]+)\s*(\S*)\s*", goal)
    if not match:
        return "-"
    measured = ratio if match.group(1) else value
    if measured is None:
        return "?"
    limit = float(match.group(3))
    met = measured <= limit if match.group(2) == "<=" else abs(measured - limit) < 1e-9
    return "met" if met else "**NOT met**"


def main():
    run = Path(sys.argv[1])
    jobs = [line.split("\t") for line in (run / "jobs.tsv").read_text().splitlines() if line.strip()]
    rows = {}  # (program, figure, reference) -> merged row, in the order first seen
    failures = []
    for k, job in enumerate(jobs, 1):
        program = job[0]
        out = run / f"{k}.out"
        status = (run / f"{k}.status").read_text().strip() if (run / f"{k}.status").exists() else "not run"
        found = 0
        for line in out.read_text(errors="replace").splitlines() if out.exists() else []:
            fields = line.rstrip("\r").split("|")
            if fields[0] != "figure" or len(fields) != 8:
                continue
            found += 1
            _, figure, value, unit, reference, ref_value, goal, n = fields
            value, ref_value, n = number(value), number(ref_value), int(number(n) or 0)
            key = (program, figure, reference)
            row = rows.get(key)
            if row is None:
                rows[key] = {"program": program, "figure": figure, "unit": unit, "reference": reference,
                             "value": value, "ref": ref_value, "goal": goal, "n": n, "jobs": 1}
                continue
            row["jobs"] += 1
            total = row["n"] + n
            if unit == "ms" and total > 0:
                for field, new in (("value", value), ("ref", ref_value)):
                    if row[field] is not None and new is not None:
                        row[field] = (row[field] * row["n"] + new * n) / total
            else:
                row["value"] = (row["value"] or 0) + (value or 0)
                if row["ref"] is not None and ref_value is not None:
                    row["ref"] += ref_value
            row["n"] = total
        if status != "0" or found == 0:
            failures.append(f"{program} {' '.join(job[2:])}: exit status {status}, {found} figures")

    print("| program | figure | n | value | reference, measured in the same run | reference value | ratio | goal | |")
    print("|---|---|---:|---:|---|---:|---:|---|---|")
    # Each program's rows together, its times before its counts.
    order = list(dict.fromkeys(row["program"] for row in rows.values()))
    seen = list(rows.values())
    for row in sorted(seen, key=lambda r: (order.index(r["program"]), r["unit"] != "ms", seen.index(r))):
        ratio = row["value"] / row["ref"] if row["value"] is not None and row["ref"] else None
        program = row["program"] + (f" ({row['jobs']} parts)" if row["jobs"] > 1 else "")
        print(f"| {program} | {row['figure']} | {row['n']} | {show(row['value'], row['unit'])} | "
              f"{row['reference'] if row['reference'] != '-' else 'none'} | "
              f"{show(row['ref'], row['unit']) if row['reference'] != '-' else '-'} | "
              f"{f'{ratio:.2f} x' if ratio is not None else '-'} | {row['goal']} | "
              f"{verdict(row['goal'], row['value'], ratio)} |")
    if failures:
        print()
        for failure in failures:
            print(f"FAILED: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
