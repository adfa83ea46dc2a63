#!/usr/bin/python3
"""Cross-check heatnet-calc against the reference calculation.

Usage:
    /usr/bin/python3 compare_reports.py --calc PATH_TO_heatnet-calc \\
        --slgj PATH_TO_SLGJ.DAT --seed S --count N [--keep DIR] [--jobs J]

Generates N networks (generate_networks.py) twice, into cpp/ and ref/ of a
work directory, so that the two programs never share output files.  For
every network it runs "heatnet-calc DATAFILE" on the cpp/ copy and the
reference calculation on the ref/ copy and checks:

  * the same outcome (completed: exit status 0; stopped: non-zero);
  * for completed calculations, identical bytes of <base>_OUT.TXT;
  * the same sequence of the calculation's flow messages (texts starting
    with "管段流量为0", "流量为0", "某管段流量为0" or "节点"), taken from
    heatnet-calc's stderr lines "<caption>: <text>".

Prints unified diffs of the first mismatches and a summary; exits 1 on any
mismatch, 0 otherwise.  Suitable as a CTest command.
"""

import argparse
import difflib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ProcessPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import generate_networks          # noqa: E402
import reference_calc             # noqa: E402

FLOW_MESSAGE_PREFIXES = ('管段流量为0', '流量为0', '某管段流量为0')
# "节点" messages of the calculation itself: "节点 i到 j管段流量太小,请检查 a b";
# a refusal of the data worded as "节点数..." is not one of them
SMALL_FLOW_MESSAGE = re.compile(r'^节点[ -][0-9.]+到')
CALC_TIMEOUT = 300


def is_flow_message(text):
    return text.startswith(FLOW_MESSAGE_PREFIXES) or bool(SMALL_FLOW_MESSAGE.match(text))


def report_name(datafile):
    return reference_calc.split_data_file_name(datafile)[1] + '_OUT.TXT'


def decode_text(data):
    try:
        return data.decode('utf-8')
    except UnicodeDecodeError:
        return data.decode('gbk', errors='replace')


def messages_from_stderr(data):
    """Texts of the messages heatnet-calc printed as '<caption>: <text>'."""
    texts = []
    for line in decode_text(data).splitlines():
        p = line.find(': ')
        if p < 0:
            continue
        texts.append(line[p + 2:])
    return texts


def run_one(job):
    """Runs both calculations on one network; returns a result dict."""
    calc, slgj, cpp_file, ref_file = job
    res = {'name': os.path.basename(cpp_file)}
    t0 = time.time()
    try:
        proc = subprocess.run([calc, cpp_file], stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=CALC_TIMEOUT, cwd=os.path.dirname(cpp_file))
        res['cpp_completed'] = proc.returncode == 0
        res['cpp_rc'] = proc.returncode
        res['cpp_msgs'] = [m for m in messages_from_stderr(proc.stderr) if is_flow_message(m)]
        res['cpp_stderr'] = decode_text(proc.stderr)
    except (subprocess.TimeoutExpired, OSError) as e:
        res['cpp_completed'] = None
        res['cpp_rc'] = 'timeout' if isinstance(e, subprocess.TimeoutExpired) else 'not run: %s' % e
        res['cpp_msgs'] = []
        res['cpp_stderr'] = ''
    res['cpp_time'] = time.time() - t0
    t0 = time.time()
    try:
        ref = reference_calc.calculate(ref_file, slgj)
    except Exception:                      # a fault of the reference itself
        import traceback
        res.update(ref_time=time.time() - t0, ref_completed='error', ref_msgs=[],
                   ref_all_msgs=[traceback.format_exc()], cpp_report=None, ref_report=None)
        return res
    res['ref_time'] = time.time() - t0
    res['ref_completed'] = ref.completed
    res['ref_msgs'] = [text for kind, text in ref.out if kind == 'MSG' and is_flow_message(text)]
    res['ref_all_msgs'] = [text for kind, text in ref.out if kind == 'MSG']
    res['cpp_report'] = None
    res['ref_report'] = None
    if res['cpp_completed']:
        try:
            with open(report_name(cpp_file), 'rb') as f:
                res['cpp_report'] = f.read()
        except OSError:
            res['cpp_report'] = None
    if ref.completed:
        res['ref_report'] = ref.report
    return res


def report_diff(res, max_lines):
    a = decode_text_gbk(res['ref_report']).splitlines()
    b = decode_text_gbk(res['cpp_report']).splitlines()
    diff = list(difflib.unified_diff(a, b, 'reference/' + res['name'],
                                     'heatnet-calc/' + res['name'], n=1, lineterm=''))
    if not diff and res['ref_report'] != res['cpp_report']:
        diff = ['(the reports differ only in line ends or bytes that do not decode)']
    if len(diff) > max_lines:
        diff = diff[:max_lines] + ['... (%d more diff lines)' % (len(diff) - max_lines)]
    return diff


def decode_text_gbk(data):
    if data is None:
        return ''
    return data.decode('gbk', errors='replace')


def main(argv=None):
    ap = argparse.ArgumentParser(description='cross-check heatnet-calc reports')
    ap.add_argument('--calc', required=True, help='path of heatnet-calc')
    ap.add_argument('--slgj', required=True, help='SLGJ.DAT for the reference')
    ap.add_argument('--seed', type=int, required=True)
    ap.add_argument('--count', type=int, required=True)
    ap.add_argument('--keep', help='work directory to keep (default: a temporary one)')
    ap.add_argument('--jobs', type=int, default=os.cpu_count() or 1)
    ap.add_argument('--show', type=int, default=3, help='mismatches to show in detail')
    ap.add_argument('--diff-lines', type=int, default=40)
    args = ap.parse_args(argv)

    calc = os.path.abspath(args.calc)
    slgj = os.path.abspath(args.slgj)
    if not os.access(calc, os.X_OK):
        print('compare_reports: not an executable: %s' % calc, file=sys.stderr)
        return 2
    if not os.path.isfile(slgj):
        print('compare_reports: SLGJ.DAT not found: %s' % slgj, file=sys.stderr)
        return 2

    if args.keep:
        work = os.path.abspath(args.keep)
        for sub in ('cpp', 'ref'):
            shutil.rmtree(os.path.join(work, sub), ignore_errors=True)
        os.makedirs(work, exist_ok=True)
        cleanup = False
    else:
        work = tempfile.mkdtemp(prefix='heatnet_compare_')
        cleanup = True
    try:
        cpp_files = generate_networks.generate(args.seed, args.count, os.path.join(work, 'cpp'))
        ref_files = generate_networks.generate(args.seed, args.count, os.path.join(work, 'ref'))
        for a, b in zip(cpp_files, ref_files):
            with open(a, 'rb') as fa, open(b, 'rb') as fb:
                if fa.read() != fb.read():
                    print('compare_reports: generator is not deterministic (%s)' % a)
                    return 2
        jobs = [(calc, slgj, a, b) for a, b in zip(cpp_files, ref_files)]
        t0 = time.time()
        if args.jobs > 1 and len(jobs) > 1:
            with ProcessPoolExecutor(max_workers=args.jobs) as ex:
                results = list(ex.map(run_one, jobs, chunksize=1))
        else:
            results = [run_one(j) for j in jobs]
        elapsed = time.time() - t0
        rc = summarize(results, args, elapsed)
        if args.keep:
            print('work directory kept: %s' % work)
        return rc
    finally:
        if cleanup:
            shutil.rmtree(work, ignore_errors=True)


def summarize(results, args, elapsed):
    n_completed = n_stopped = 0
    status_bad = []
    report_bad = []
    msg_bad = []
    for res in results:
        if res['cpp_completed'] != res['ref_completed']:
            status_bad.append(res)
            continue
        if res['ref_completed']:
            n_completed += 1
            if res['cpp_report'] != res['ref_report']:
                report_bad.append(res)
        else:
            n_stopped += 1
        if res['cpp_msgs'] != res['ref_msgs']:
            msg_bad.append(res)

    shown = 0
    for res in status_bad:
        if shown >= args.show:
            break
        shown += 1
        print('=== %s: outcome differs: reference %s, heatnet-calc %s (exit %s)' % (
            res['name'], {True: 'completed', False: 'stopped'}.get(res['ref_completed'], 'failed'),
            {True: 'completed', False: 'stopped', None: 'not finished'}[res['cpp_completed']],
            res['cpp_rc']))
        print('    reference messages: %r' % res['ref_all_msgs'][:6])
        print('    heatnet-calc stderr: %r' % res['cpp_stderr'][:600])
    for res in report_bad:
        if shown >= args.show:
            break
        shown += 1
        if res['cpp_report'] is None:
            print('=== %s: heatnet-calc completed but wrote no report' % res['name'])
            continue
        print('=== %s: reports differ' % res['name'])
        for line in report_diff(res, args.diff_lines):
            print(line)
    for res in msg_bad:
        if shown >= args.show:
            break
        shown += 1
        print('=== %s: flow messages differ' % res['name'])
        print('    reference:    %r' % res['ref_msgs'][:10])
        print('    heatnet-calc: %r' % res['cpp_msgs'][:10])

    ref_time = sum(r['ref_time'] for r in results)
    cpp_time = sum(r['cpp_time'] for r in results)
    print('networks: %d  both completed: %d  both stopped: %d' % (len(results), n_completed, n_stopped))
    print('outcome mismatches: %d  report mismatches: %d  message mismatches: %d' % (
        len(status_bad), len(report_bad), len(msg_bad)))
    print('time: %.1f s wall (reference %.1f s, heatnet-calc %.1f s cpu-side)' % (elapsed, ref_time, cpp_time))
    bad = set(r['name'] for r in status_bad + report_bad + msg_bad)
    if bad:
        print('MISMATCH in: ' + ' '.join(sorted(bad)[:40]) + (' ...' if len(bad) > 40 else ''))
        return 1
    print('all reports and messages agree')
    return 0


if __name__ == '__main__':
    sys.exit(main())
