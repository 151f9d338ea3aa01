#!/usr/bin/env python3
"""Reads the test runners' reports.

  test_reports.py merge OUT REPORT...   one GoogleTest JSON report from the
      shards' reports (OUT may be empty: only check); names every failed test
      with its shard; fails when a shard left no report.
  test_reports.py slowest N REPORT...   the N slowest tests of GoogleTest JSON
      and CTest JUnit reports.
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


if __name__ == '__main__':
    if len(sys.argv) >= 3 and sys.argv[1] == 'merge':
        sys.exit(merge(sys.argv[2], sys.argv[3:]))
    if len(sys.argv) >= 3 and sys.argv[1] == 'slowest':
        sys.exit(slowest(int(sys.argv[2]), sys.argv[3:]))
    sys.exit(__doc__)
