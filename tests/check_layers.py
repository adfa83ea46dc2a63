#!/usr/bin/python3
"""Fails when a source file includes a layer above its own or Qt outside app/.

Layers from the bottom: data, hydraulics, reports, calculation, then app and cli
side by side; tools/ serves tests, benchmarks and fuzzers and may use any layer
below app. Usage: check_layers.py SOURCE_ROOT
"""
import pathlib
import re
import sys

BELOW = {
    'data': {'data'},
    'hydraulics': {'data', 'hydraulics'},
    'reports': {'data', 'hydraulics', 'reports'},
    'calculation': {'data', 'hydraulics', 'reports', 'calculation'},
    'cli': {'data', 'hydraulics', 'reports', 'calculation', 'cli'},
    'app': {'data', 'hydraulics', 'reports', 'calculation', 'app'},
    'tools': {'data', 'hydraulics', 'reports', 'calculation', 'tools'},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
QT_HEADER = re.compile(r'^(Q[A-Z]\w*|Qt\w*/|q\w+\.h$)')

root = pathlib.Path(sys.argv[1])
faults = []
for layer, allowed in BELOW.items():
    for path in sorted((root / layer).rglob('*')):
        if path.suffix not in ('.cpp', '.h'):
            continue
        for bracket, name in INCLUDE.findall(path.read_text(encoding='utf-8')):
            top = name.split('/')[0]
            if bracket == '"' and top in BELOW and top not in allowed:
                faults.append(f'{path.relative_to(root)}: includes {name} from a layer above')
            if bracket == '<' and layer != 'app' and QT_HEADER.match(name):
                faults.append(f'{path.relative_to(root)}: includes Qt ({name}) outside app/')
print('\n'.join(faults) or 'every include runs downward; Qt only in app/')
sys.exit(1 if faults else 0)
