#!/usr/bin/env python3
"""Reads the test runners' reports.

  test_reports.py merge OUT REPORT...   one GoogleTest JSON report from the
      shards' reports (OUT may be empty: only check); names every failed test
      with its shard; fails when a shard left no report.
  test_reports.py slowest N REPORT...   the N slowest tests of GoogleTest JSON
      and CTest JUnit reports.
  test_reports.py split N DURATIONS... < LIST   the tests of a --gtest_list_tests
      listing in N shards of about equal time, longest first to the least
      loaded shard, from the durations files given ("<seconds> <test>" lines;
      later files win); one --gtest_filter value per line.
  test_reports.py durations REPORT DURATIONS   adds a report's times to such a file.
"""
import json
import os
import sys
import xml.etree.ElementTree as tree


def seconds(text):
    return float(str(text).rstrip('s') or 0)


def merge(out, paths):
    merged = {'tests': 0, 'failures': 0, 'disabled': 0, 'errors': 0, 'time': 0.0,
              'name': 'AllTests', 'testsuites': []}
    suites = {}
    ok = True
    for shard, path in enumerate(paths, 1):
        try:
            report = json.load(open(path, encoding='utf-8'))
        except (OSError, ValueError):
            print(f'run-e2e: shard {shard} left no report ({path}): it did not finish')
            ok = False
            continue
        for key in ('tests', 'failures', 'disabled', 'errors'):
            merged[key] += report.get(key, 0)
        merged['time'] = max(merged['time'], seconds(report.get('time', 0)))
        for suite in report.get('testsuites', []):
            target = suites.get(suite['name'])
            if target is None:
                target = suites[suite['name']] = {**suite, 'testsuite': []}
                merged['testsuites'].append(target)
            else:
                for key in ('tests', 'failures', 'disabled', 'errors'):
                    target[key] = target.get(key, 0) + suite.get(key, 0)
            target['testsuite'].extend(suite.get('testsuite', []))
            for case in suite.get('testsuite', []):
                if case.get('failures'):
                    print(f"run-e2e: FAILED {suite['name']}.{case['name']} (shard {shard})")
    merged['time'] = f"{merged['time']:.3f}s"
    if out:
        os.makedirs(os.path.dirname(out) or '.', exist_ok=True)
        with open(out, 'w', encoding='utf-8') as file:
            json.dump(merged, file, indent=1)
    return 0 if ok else 1


def cases(path):
    if path.endswith('.json'):
        report = json.load(open(path, encoding='utf-8'))
        for suite in report.get('testsuites', []):
            for case in suite.get('testsuite', []):
                yield f"{suite['name']}.{case['name']}", seconds(case.get('time', 0))
    else:
        for case in tree.parse(path).getroot().iter('testcase'):
            yield case.get('name', '?'), float(case.get('time', 0) or 0)


def slowest(count, paths):
    found = []
    for path in paths:
        if os.path.isfile(path) and os.path.getsize(path):
            layer = os.path.splitext(os.path.basename(path))[0]
            found += [(time, name, layer) for name, time in cases(path)]
    for time, name, layer in sorted(found, reverse=True)[:count]:
        print(f'{time:8.1f} s  {name} ({layer})')
    return 0


def listed(lines):
    suite = None
    for line in lines:
        line = line.rstrip('\r\n')
        if not line.strip() or line.startswith('Running main'):
            continue
        if not line.startswith(' '):
            suite = line.split()[0]
        elif suite:
            yield suite + line.split()[0]


def split(count, paths):
    known = {}
    for path in paths:
        if os.path.isfile(path):
            for line in open(path, encoding='utf-8'):
                parts = line.split()
                if len(parts) == 2:
                    known[parts[1]] = float(parts[0])
    tests = list(listed(sys.stdin))
    typical = sorted(known.values())[len(known) // 2] if known else 10.0
    shards = [[0.0, []] for _ in range(count)]
    for name in sorted(tests, key=lambda name: -known.get(name, typical)):
        shard = min(shards, key=lambda shard: shard[0])
        shard[0] += known.get(name, typical)
        shard[1].append(name)
    for _, names in shards:
        # A shard left without tests runs none: a filter no test matches.
        print(':'.join(names) or '-*')
    return 0


def durations(path, record):
    known = {}
    if os.path.isfile(record):
        for line in open(record, encoding='utf-8'):
            parts = line.split()
            if len(parts) == 2:
                known[parts[1]] = parts[0]
    if os.path.isfile(path) and os.path.getsize(path):
        for name, time in cases(path):
            known[name] = f'{time:.1f}'
    with open(record, 'w', encoding='utf-8') as file:
        for name in sorted(known):
            file.write(f'{known[name]} {name}\n')
    return 0


if __name__ == '__main__':
    if len(sys.argv) >= 3 and sys.argv[1] == 'split':
        sys.exit(split(int(sys.argv[2]), sys.argv[3:]))
    if len(sys.argv) == 4 and sys.argv[1] == 'durations':
        sys.exit(durations(sys.argv[2], sys.argv[3]))
    if len(sys.argv) >= 3 and sys.argv[1] == 'merge':
        sys.exit(merge(sys.argv[2], sys.argv[3:]))
    if len(sys.argv) >= 3 and sys.argv[1] == 'slowest':
        sys.exit(slowest(int(sys.argv[2]), sys.argv[3:]))
    sys.exit(__doc__)
