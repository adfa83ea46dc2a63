#!/usr/bin/python3
"""Generate basic data files of district-heating networks for cross-checks.

Usage:
    /usr/bin/python3 generate_networks.py --seed S --count N OUTDIR

Writes OUTDIR/net0000.TXT ... (CR LF).  The mix covers trees numbered as an
engineer would (main line from node 0 first, branches numbered from 100 or
200), auto-sized and given diameters, equivalent lengths, dead ends,
secondary heat sources, looped networks, shuffled segment order, swapped
segment ends and temperatures, duplicate load records, a load record for
node 0, empty fields, both file layouts (the basic data window's and the
sized data file's) with padded and compact fields, and a few faulty files.
The output depends only on the seed and the count.
"""

import argparse
import math
import os
import sys

STANDARD = [25, 32, 40, 50, 65, 80, 100, 125, 150, 200, 250, 300, 350, 400,
            450, 500, 600, 700, 800, 900, 1000, 1200]


class Rng:
    """Deterministic helpers built only on random.Random.random()."""

    def __init__(self, seed):
        import random
        self._r = random.Random(seed)

    def random(self):
        return self._r.random()

    def chance(self, p):
        return self._r.random() < p

    def randint(self, lo, hi):
        return lo + min(int(self._r.random() * (hi - lo + 1)), hi - lo)

    def choice(self, seq):
        return seq[self.randint(0, len(seq) - 1)]

    def shuffle(self, seq):
        for i in range(len(seq) - 1, 0, -1):
            j = self.randint(0, i)
            seq[i], seq[j] = seq[j], seq[i]

    def weighted(self, pairs):
        total = sum(w for w, _ in pairs)
        x = self._r.random() * total
        for w, v in pairs:
            if x < w:
                return v
            x -= w
        return pairs[-1][1]


def num_text(v):
    """Plain decimal text of v (15 significant digits, no trailing zeros,
    no leading 0 before the point)."""
    if v == 0:
        return '0'
    neg = v < 0
    a = abs(v)
    mant, exp = ('%.14e' % a).split('e')
    exp = int(exp)
    digits = mant.replace('.', '').rstrip('0')
    point = exp + 1
    if point <= 0:
        s = '.' + '0' * (-point) + digits
    elif point >= len(digits):
        s = digits + '0' * (point - len(digits))
    else:
        s = digits[:point] + '.' + digits[point:]
    return ('-' if neg else '') + s


class Field:
    """One value to write; None is an empty field, str is written as is."""

    def __init__(self, v):
        self.v = v


def render(v, style, rng):
    if v is None:
        return ''
    if isinstance(v, str):
        return v
    t = num_text(v)
    if style == 'writer':
        # the basic data window's writer: sign position, number, one blank
        return (t if v < 0 else ' ' + t) + ' '
    if style == 'compact':
        if 0 < abs(v) < 1 and rng.chance(0.5):
            t = t.replace('.', '0.', 1)
        return t
    # 'padded': blanks and tabs of varying width around the text
    pad = rng.choice(['', ' ', '  ', '   ', '\t'])
    return rng.choice(['', ' ', '  ']) + t + pad


def write_file(path, header, segs, loads, layout, style, rng, extra_tail=None,
               truncate_fields=0, bad_field=None):
    """header: (t1, t2, pin, ru, alpha, N, n, s300); segs: (D, L, Le, a, b);
    loads: (node, load)."""
    lines = []
    t1, t2, pin, ru, alpha, N, n, s300 = header
    lines.append([t1, t2, pin, ru, alpha])
    if layout == 'writer':
        lines.append([N, n])
        lines.append([s300])
    else:
        lines.append([N, n, s300])
    for s in segs:
        lines.append(list(s))
    for ld in loads:
        lines.append(list(ld))
    if bad_field is not None:
        li, fi, text = bad_field
        lines[li][fi] = text
    if truncate_fields:
        k = truncate_fields
        while k > 0 and lines:
            if len(lines[-1]) <= k:
                k -= len(lines[-1])
                lines.pop()
            else:
                lines[-1] = lines[-1][:len(lines[-1]) - k]
                k = 0
    out = []
    for fields in lines:
        if layout == 'sized' and len(fields) == 5 and fields is not lines[0]:
            # the sized data file's segment lines: numbers right-aligned
            parts = []
            for v in fields:
                t = '' if v is None else (v if isinstance(v, str) else num_text(v))
                parts.append(t.rjust(rng.choice([4, 6, 8])) if t else '')
            out.append(','.join(parts))
        else:
            out.append(','.join(render(v, style, rng) for v in fields))
    if extra_tail:
        out.extend(extra_tail)
    data = '\r\n'.join(out)
    if not truncate_fields or rng.chance(0.5):
        data += '\r\n'
    with open(path, 'wb') as f:
        f.write(data.encode('ascii'))


def make_tree(rng, nseg):
    """A tree of nseg segments: (list of (a, b) edges from parent to child,
    node list, branch zone start or None)."""
    main_len = max(1, min(nseg, rng.randint(1, max(1, nseg // 2 + 1))))
    step = rng.weighted([(8, 1), (1, 2), (1, 10)])
    edges = []
    main_nodes = [0]
    for i in range(1, main_len + 1):
        main_nodes.append(i * step)
        edges.append((main_nodes[-2], main_nodes[-1]))
    top = main_nodes[-1]
    base = 100 if top < 100 else (200 if top < 200 else (top // 100 + 1) * 100)
    if rng.chance(0.3) and base == 100 and top < 100:
        base = 200
    nodes = list(main_nodes)
    nxt = base
    remaining = nseg - main_len
    while remaining > 0:
        blen = rng.randint(1, min(remaining, rng.choice([1, 2, 3, 5, 8, 12])))
        if rng.chance(0.7):
            parent = rng.choice(main_nodes[1:] if len(main_nodes) > 1 else main_nodes)
        else:
            parent = rng.choice(nodes)
        for _ in range(blen):
            edges.append((parent, nxt))
            nodes.append(nxt)
            parent = nxt
            nxt += step if rng.chance(0.8) else step + 1
        remaining -= blen
    return edges, nodes, (base if nseg > main_len else None), main_nodes


def pick_size(rng):
    return rng.weighted([(70, 'small'), (22, 'medium'), (8, 'large')])


def subtree_loads(edges, loads):
    """Heat load carried by the segment into each node (its subtree)."""
    own = {}
    for nd, q in loads:
        own[nd] = q
    children = {}
    for a, b in edges:
        children.setdefault(a, []).append(b)
    carried = {}
    for a, b in reversed(edges):
        carried[b] = own.get(b, 0.0) + sum(carried.get(c, 0.0) for c in children.get(b, []))
    return carried


def engineer_diameter(rng, load, dt):
    """A standard diameter that keeps the friction loss of the carried
    flow near 30..150 Pa/m, give or take one size."""
    flow = max(abs(load), 0.05) * 859.85 / max(dt, 1)
    pick = len(STANDARD) - 1
    for i, d in enumerate(STANDARD):
        lam = 1 / (1.14 + 2 * math.log10(d / 0.5)) ** 2
        a = 6.25e13 * lam / (d ** 5 * 960)
        if a * flow * flow < rng.choice([40, 80, 150]):
            pick = i
            break
    pick = max(0, min(len(STANDARD) - 1, pick + rng.choice([-1, 0, 0, 1])))
    return STANDARD[pick]


def make_network(rng, idx):
    kind = rng.weighted([
        (60, 'tree'), (10, 'looped'), (6, 'sources'), (5, 'huge'),
        (3, 'faulty_count'), (2, 'faulty_isolated'), (2, 'faulty_text'),
        (2, 'faulty_short'), (2, 'deadlen'), (3, 'tiny'), (2, 'allzero')])
    size_class = pick_size(rng)
    if kind == 'tiny':
        nseg = rng.randint(1, 3)
    elif size_class == 'small':
        nseg = rng.randint(1, 25)
    elif size_class == 'medium':
        nseg = rng.randint(26, 90)
    else:
        nseg = rng.randint(91, 300)
    if kind == 'looped':
        nseg = max(nseg, 3)
    if kind in ('huge', 'allzero'):
        nseg = min(nseg, 40)
    large_given = nseg > 90 and rng.chance(0.85)
    if nseg > 150 and not large_given:
        nseg = rng.randint(91, 150)
    edges, nodes, base, main_nodes = make_tree(rng, nseg)

    # design values
    t1, t2 = rng.choice([(130, 70), (110, 70), (95, 70), (150, 70), (120, 80), (115, 70)])
    if rng.chance(0.15):
        t1, t2 = t2, t1
    pin = rng.choice([100, 150, 200, 250, 300, 0.5 * rng.randint(200, 800)])
    ru = rng.choice([30, 50, 80, 100, 150, 50])
    alpha = rng.choice([0.4, 0.3, 0.5, 0.6, 0.35, None, 0])
    if base is not None:
        s300 = rng.weighted([(5, base), (2, 0), (2, None), (1, main_nodes[-1])])
    else:
        s300 = rng.weighted([(3, 0), (2, None), (1, 100)])

    # loads: every non-source node has one record
    loads = []
    leaves = set(n for n in nodes if n != 0) - set(a for a, _ in edges)
    load_scale = 1.0
    if kind == 'huge':
        load_scale = rng.choice([20.0, 60.0, 200.0])
    dead_end = rng.chance(0.06)
    for nd in nodes[1:]:
        if nd in leaves and dead_end and rng.chance(0.3):
            q = 0
        elif nd not in leaves and rng.chance(0.04):
            q = 0
        else:
            q = rng.randint(5, 500) / 100 * load_scale
            if rng.chance(0.3):
                q = round(q, 1)
        loads.append([nd, q])
    if kind == 'sources' and len(loads) >= 2:
        for _ in range(rng.randint(1, 2)):
            rec = rng.choice(loads)
            rec[1] = -rng.randint(10, 400) / 10
    elif rng.chance(0.05) and len(loads) >= 3:
        rng.choice(loads)[1] = -rng.randint(5, 50) / 10
    if kind == 'allzero':
        # no load anywhere: no flow, every pressure drop 0; with a pump inlet
        # pressure and user resistance of 0 every supply pressure is 0 too
        for rec in loads:
            rec[1] = 0
        if rng.chance(0.5):
            pin, ru = 0, rng.choice([0, None])
    inner = [i for i, rec in enumerate(loads) if rec[0] not in leaves]
    if rng.chance(0.06) and inner:
        # duplicate record: a node on the way (not a dead end then) loses
        # its own record
        i, j = rng.choice(inner), rng.randint(0, len(loads) - 1)
        if i != j:
            loads[i] = [loads[j][0], rng.randint(5, 300) / 100]
    if rng.chance(0.05) and inner:
        loads[rng.choice(inner)] = [0, rng.randint(5, 300) / 100]

    # segments
    auto_share = rng.choice([0.95, 0.85, 0.7, 1.0, 0.5])
    engineer = rng.chance(0.4)
    if large_given:
        # a large network mostly given with diameters an engineer chose for
        # its flows (keeps the number of sizing passes moderate)
        auto_share = rng.choice([0.05, 0.1, 0.2])
        engineer = True
    carried = subtree_loads(edges, loads)
    dt = abs(t1 - t2)
    segs = []
    for (a, b) in edges:
        if rng.chance(auto_share):
            D = rng.weighted([(20, 0), (1, None), (1, 20), (1, 10)])
        elif engineer:
            D = engineer_diameter(rng, carried.get(b, 0.0), dt)
        else:
            D = rng.weighted([(10, rng.choice(STANDARD)), (2, rng.choice([90, 110, 175, 30, 60, 140])),
                              (1, 20), (1, 1400)])
        L = rng.randint(20, 600) if rng.chance(0.7) else rng.randint(200, 6000) / 10
        Le = 0 if rng.chance(0.75) else rng.randint(5, 150) / (1 if rng.chance(0.5) else 2)
        if rng.chance(0.05):
            Le = None
        segs.append([D, L, Le, a, b])

    # loops: extra segments between existing nodes
    if kind == 'looped':
        extra = rng.randint(1, max(1, min(6, len(nodes) // 3)))
        have = set((min(a, b), max(a, b)) for a, b in edges)
        for _ in range(extra * 4):
            if extra == 0:
                break
            a, b = rng.choice(nodes), rng.choice(nodes)
            if a == b or (min(a, b), max(a, b)) in have:
                continue
            have.add((min(a, b), max(a, b)))
            D = 0 if rng.chance(0.7) else rng.choice(STANDARD[4:14])
            segs.append([D, rng.randint(30, 400), 0, a, b])
            extra -= 1

    if kind == 'deadlen' and segs:
        # a segment without length: with an equivalent length it is
        # calculated, without one it has no resistance at all
        seg = rng.choice(segs)
        seg[1] = None
        if rng.chance(0.5):
            seg[2] = rng.randint(10, 80)

    # order and orientation as an engineer might have typed them
    if rng.chance(0.35):
        rng.shuffle(segs)
    elif rng.chance(0.3) and len(segs) > 2:
        i = rng.randint(1, len(segs) - 1)
        segs[i], segs[-1] = segs[-1], segs[i]
    swap_share = rng.choice([0.0, 0.0, 0.2, 0.5, 1.0])
    for s in segs:
        if rng.chance(swap_share):
            s[3], s[4] = s[4], s[3]
    if rng.chance(0.04):
        for s in segs:
            if s[3] == 0:
                s[3] = None
            elif s[4] == 0:
                s[4] = None
    if rng.chance(0.3):
        rng.shuffle(loads)

    N = len(nodes)
    n = len(segs)
    bad_field = None
    truncate = 0
    extra_tail = None
    if kind == 'faulty_count':
        N += rng.choice([1, -1])
    elif kind == 'faulty_isolated':
        a = 900 + rng.randint(0, 50) * 2
        segs.append([0, 100, 0, a, a + 1])
        n += 1
        N += 2
        loads.append([a, 1.0])
        loads.append([a + 1, 1.0])
    elif kind == 'faulty_text':
        line = rng.randint(3, 2 + len(segs))
        bad_field = (line, rng.randint(0, 2), rng.choice(['abc', '1O0', '12a', '--5', 'E5']))
    elif kind == 'faulty_short':
        truncate = rng.randint(3, 3 + 2 * len(loads))
    if rng.chance(0.1) and not truncate:
        extra_tail = ['', ' 1 , 2 ']

    layout = rng.choice(['writer', 'writer', 'sized'])
    style = 'writer' if layout == 'writer' and rng.chance(0.6) else rng.choice(['compact', 'padded', 'writer'])
    header = (t1, t2, pin, ru, alpha, N, n, s300)
    if layout == 'sized' and bad_field is not None:
        bad_field = (bad_field[0] - 1, bad_field[1], bad_field[2])
    return header, segs, loads, layout, style, extra_tail, truncate, bad_field


def generate(seed, count, outdir):
    os.makedirs(outdir, exist_ok=True)
    rng = Rng(seed)
    names = []
    for i in range(count):
        header, segs, loads, layout, style, tail, truncate, bad = make_network(rng, i)
        name = os.path.join(outdir, 'net%04d.TXT' % i)
        write_file(name, header, segs, loads, layout, style, rng, tail, truncate, bad)
        names.append(name)
    return names


def main(argv=None):
    ap = argparse.ArgumentParser(description='generate heatnet test networks')
    ap.add_argument('--seed', type=int, required=True)
    ap.add_argument('--count', type=int, required=True)
    ap.add_argument('outdir')
    args = ap.parse_args(argv)
    generate(args.seed, args.count, args.outdir)
    return 0


if __name__ == '__main__':
    sys.exit(main())
