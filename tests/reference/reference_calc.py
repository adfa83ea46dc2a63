#!/usr/bin/python3
"""Independent reference calculation of a heatnet basic data file.

Usage:
    /usr/bin/python3 reference_calc.py --slgj PATH_TO_SLGJ.DAT DATAFILE

Runs the hydraulic calculation of one network and, when it completes,
writes the text report <base>_OUT.TXT (GBK, CR LF).  No other file is
written.  stdout carries one line per message shown ("MSG\\t<text>"), the
low-pressure trace lines ("TRACE\\t<text>") and a final status line
("STATUS\\tcompleted" or "STATUS\\tstopped").  Exit status 0 when the
calculation completed, 1 when it stopped.

Only the standard library is used; the module is also imported by the
test tools (compare_reports.py, test_reference_worked_values.py).
"""

import math
import os
import re
import sys
from decimal import Decimal, Context, ROUND_HALF_UP

MAX_RECORDS = 1400
MAX_PROFILE = 2000000
MAX_SOLUTIONS = 1000
TABLE_SIZE = 22

_NUMBER_RE = re.compile(r'^[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?$')
_DEC_CTX = Context(prec=200, rounding=ROUND_HALF_UP)


class CalculationStopped(Exception):
    """The calculation cannot go on; the report is not written."""


# ---------------------------------------------------------------------------
# Number-text conversions and print rules
# ---------------------------------------------------------------------------

def _fixed_digits(a):
    """Plain decimal text of a non-negative value with at most 15
    significant digits, no trailing zeros, no leading 0 before the point."""
    if a == 0:
        return '0'
    if not math.isfinite(a):
        return repr(a)
    mant, exp = ('%.14e' % a).split('e')
    exp = int(exp)
    digits = mant.replace('.', '').rstrip('0')
    point = exp + 1          # digits before the decimal point
    if point <= 0:
        return '.' + '0' * (-point) + digits
    if point >= len(digits):
        return digits + '0' * (point - len(digits))
    return digits[:point] + '.' + digits[point:]


def box_text(v):
    """Number as an entry box shows it: ' 130', ' .4', '-2.5'; unset is ' 0'."""
    if v is None:
        v = 0.0
    return ('-' if v < 0 else ' ') + _fixed_digits(abs(v))


def plain_number(v):
    """Print rule for numbers without a picture: sign position, digits,
    one trailing blank; an unset value writes nothing."""
    if v is None:
        return ''
    return ('-' if v < 0 else ' ') + _fixed_digits(abs(v)) + ' '


_PICTURES = {}


def _picture_parts(pic):
    parts = _PICTURES.get(pic)
    if parts is None:
        ip, dp = pic.split('.')
        parts = (ip.count('0'), len(dp), dp.count('0'))
        _PICTURES[pic] = parts
    return parts


def picture_number(v, pic):
    """Format value v with a '0'/'#' picture such as '###0.0#'.

    The value is first taken as its 15-significant-digit decimal text and
    that text is rounded half away from zero to the picture's decimals."""
    mand_int, max_dec, min_dec = _picture_parts(pic)
    neg = v < 0
    a = abs(v)
    if not math.isfinite(a):
        return ('-' if neg else '') + repr(a)
    d = Decimal('%.14e' % a).quantize(Decimal(1).scaleb(-max_dec), context=_DEC_CTX)
    s = format(d, 'f')
    if '.' in s:
        ip, fp = s.split('.')
    else:
        ip, fp = s, ''
    ip = ip.lstrip('0')
    if len(ip) < mand_int:
        ip = '0' * (mand_int - len(ip)) + ip
    while len(fp) > min_dec and fp.endswith('0'):
        fp = fp[:-1]
    return ('-' if neg else '') + ip + '.' + fp


class ReportWriter:
    """Assembles report lines by the column rules (a Chinese character
    counts as one column)."""

    def __init__(self):
        self.parts = []
        self.col = 1

    def tab(self, x):
        if self.col < x:
            self.parts.append(' ' * (x - self.col))
        elif self.col > x:
            self.parts.append('\r\n' + ' ' * (x - 1))
        self.col = x

    def text(self, s):
        self.parts.append(s)
        self.col += len(s)

    def end_line(self):
        self.parts.append('\r\n')
        self.col = 1

    def data(self):
        return ''.join(self.parts).encode('gbk')


# ---------------------------------------------------------------------------
# Files
# ---------------------------------------------------------------------------

def split_data_file_name(name):
    """(input file, base name): the first '.' of the file-name part ends the
    base name; a name without one (or starting with one) gets '.TXT'."""
    slash = name.rfind('/')
    fname = name[slash + 1:]
    p = fname.find('.')
    if p >= 1:
        return name, name[:slash + 1] + fname[:p]
    return name + '.TXT', name


def read_fields(path):
    """Fields of a basic data file in file order; None stands for an empty
    field.  Raises OSError when the file cannot be read."""
    with open(path, 'rb') as f:
        raw = f.read()
    text = raw.decode('gbk', errors='replace')
    lines = text.split('\n')
    if lines and lines[-1] == '':
        lines.pop()            # the text after the last line end is no line
    fields = []
    for line in lines:
        if line.endswith('\r'):
            line = line[:-1]
        for piece in line.split(','):
            fields.append(piece.strip(' \t'))
    return fields


class FieldReader:
    def __init__(self, fields):
        self.fields = fields
        self.i = 0

    def next(self, what):
        if self.i >= len(self.fields):
            raise CalculationStopped('数据文件不完整: 缺少' + what)
        t = self.fields[self.i]
        self.i += 1
        if t == '':
            return None
        if not _NUMBER_RE.match(t):
            raise CalculationStopped('数据文件格式错误: "' + t + '" 不是数值(' + what + ')')
        return float(t)


def val(v):
    return 0.0 if v is None else v


def load_pipe_table(path, rho):
    """22 standard diameters with friction factor and coefficient."""
    try:
        fields = []
        for piece in read_fields(path):
            if piece == '':
                fields.append('')
            else:
                fields.extend(piece.split())
    except OSError:
        raise CalculationStopped('找不到管径表SLGJ.DAT')
    if len(fields) < TABLE_SIZE:
        raise CalculationStopped('管径表SLGJ.DAT数据不足')
    d = [0.0]
    lam = [0.0]
    A = [0.0]
    ln10 = math.log(10.0)
    for k in range(TABLE_SIZE):
        t = fields[k]
        if t == '' or not _NUMBER_RE.match(t):
            raise CalculationStopped('管径表SLGJ.DAT数据错误')
        di = float(t)
        if not di > 0:
            raise CalculationStopped('管径表SLGJ.DAT数据错误')
        den = 1.14 + math.log(di / 0.5) * 2 / ln10
        li = 1 / (den * den)
        d.append(di)
        lam.append(li)
        A.append(_div(6.25e13 * li, di ** 5 * rho))
    return d, lam, A


def density(t1, t2):
    t = (t1 + t2) / 2
    return 1007 - 0.27 * t - 0.0022 * (t * t)


# ---------------------------------------------------------------------------
# The calculation
# ---------------------------------------------------------------------------

class Calculation:
    force_literal = False      # always eliminate step by step over the whole band

    def __init__(self, datafile, slgj):
        self.datafile = datafile
        self.slgj = slgj
        self.out = []          # ('MSG'|'TRACE', text) in order
        self._shown = set()
        self.report = None     # bytes when completed
        self.report_path = None
        self.completed = False

    # -- messages -----------------------------------------------------------
    def info(self, text):
        """Informational message: shown once per distinct text."""
        if text not in self._shown:
            self._shown.add(text)
            self.out.append(('MSG', text))

    def stop(self, text):
        self.out.append(('MSG', text))
        raise CalculationStopped(None)

    # -- driver -----------------------------------------------------------
    def run(self):
        try:
            self._run()
            self.completed = True
        except CalculationStopped as e:
            if e.args and e.args[0]:
                self.out.append(('MSG', e.args[0]))
            self.completed = False
        return self

    def _run(self):
        infile, base = split_data_file_name(self.datafile)
        self.report_path = base + '_OUT.TXT'
        try:
            fields = read_fields(infile)
        except OSError:
            raise CalculationStopped('无法打开数据文件' + infile)
        rd = FieldReader(fields)
        t1 = val(rd.next('供水温度'))
        t2 = val(rd.next('回水温度'))
        self.pin = val(rd.next('循环水泵入口压力'))
        self.ru = val(rd.next('最末端用户阻力'))
        alpha = val(rd.next('局部阻力折算系数'))
        if t2 > t1:
            t1, t2 = t2, t1
        self.t1, self.t2 = t1, t2
        N = val(rd.next('节点数'))
        n = val(rd.next('管道数'))
        self.s300 = val(rd.next('起始节点号'))
        if n != math.floor(n) or n < 0 or n > MAX_RECORDS:
            raise CalculationStopped('数据错误: 管道数不合理')
        if N != math.floor(N) or N < 0 or N - 1 > MAX_RECORDS:
            raise CalculationStopped('数据错误: 节点数不合理')
        n = int(n)
        N = int(N)
        M = N - 1
        self.M = M
        rho = density(t1, t2)
        self.rho = rho
        self.d, self.lam, self.A = load_pipe_table(self.slgj, rho)

        raw = []
        for i in range(n):
            D = rd.next('管径')
            L = rd.next('管段长度')
            Le = rd.next('局部阻力折算长度')
            a = rd.next('管段起点编号')
            b = rd.next('管段终点编号')
            if val(Le) != 0:
                Lj = val(Le) + val(L)
            else:
                Lj = val(L) * (1 + alpha)
            if val(a) >= val(b):
                nI, nJ = a, b
            else:
                nI, nJ = b, a
            raw.append((nI, nJ, D, L, Le, Lj))
        loads = []
        for k in range(max(M, 0)):
            nd = rd.next('节点编号')
            Q = rd.next('节点负荷')
            loads.append((val(nd), val(Q)))

        order = self._connection_walk(raw)
        if len(order) != n:
            raise CalculationStopped('数据错误: 有管段未与热源(0节点)连通')
        distinct = {0.0}
        for (nI, nJ, _, _, _, _) in raw:
            distinct.add(val(nI))
            distinct.add(val(nJ))
        if len(distinct) != N:
            raise CalculationStopped('数据错误: 节点数与管段中的节点编号个数不符')
        self._build_model(raw, order)
        self._profile()
        if self.pos[M] > MAX_PROFILE:
            raise CalculationStopped('数据错误: 网络过大')
        self._load_demands(loads)
        self._size_diameters()
        self._node_pressures()
        self.report = self._write_report()

    # -- network model ------------------------------------------------------
    @staticmethod
    def _connection_walk(raw):
        n = len(raw)
        Iv = [val(r[0]) for r in raw]
        Jv = [val(r[1]) for r in raw]
        order = []
        remaining = list(range(n))

        def scan(cur):
            nonlocal remaining
            if not remaining:
                return
            keep = []
            for i in remaining:
                if cur == Jv[i]:
                    order.append(i)
                    cur = Iv[i]
                elif cur == Iv[i]:
                    order.append(i)
                    cur = Jv[i]
                else:
                    keep.append(i)
            remaining = keep

        scan(0.0)
        j = 0
        while j < len(order) and remaining:
            k = order[j]
            scan(Iv[k])
            scan(Jv[k])
            j += 1
        return order

    def _build_model(self, raw, order):
        M = self.M
        src = M + 1
        self.src = src
        segs = [raw[i] for i in order]
        n = len(segs)
        self.n = n
        nI = [s[0] for s in segs]
        nJ = [s[1] for s in segs]
        index = {}
        counter = 0
        for k in range(n):
            for v in (val(nJ[k]), val(nI[k])):
                if v not in index:
                    index[v] = counter
                    counter += 1
        iI = []
        iJ = []
        for k in range(n):
            a = index[val(nI[k])]
            b = index[val(nJ[k])]
            iI.append(src if a == 0 else a)
            iJ.append(src if b == 0 else b)
        for k in range(n):
            if iJ[k] > iI[k]:
                iI[k], iJ[k] = iJ[k], iI[k]
                nI[k], nJ[k] = nJ[k], nI[k]
        self.node_index = {v: (src if c == 0 else c) for v, c in index.items()}
        self.nI, self.nJ, self.iI, self.iJ = nI, nJ, iI, iJ
        self.D = [s[2] for s in segs]
        self.L = [s[3] for s in segs]
        self.Le = [s[4] for s in segs]
        self.Lj = [s[5] for s in segs]
        d = self.d
        size = []
        for k in range(n):
            D = val(self.D[k])
            si = TABLE_SIZE
            for i in range(1, TABLE_SIZE + 1):
                if d[i] >= D:
                    si = i
                    break
            size.append(si)
        self.size = size
        self.auto = [val(x) < 25 for x in self.D]

    def _profile(self):
        """Band layout of the nodal matrix and the structure of its
        elimination (which coefficients can become non-zero)."""
        M = self.M
        band = [0] * (M + 2)
        for k in range(self.n):
            i, j = self.iI[k], self.iJ[k]
            if i <= M and i - j > band[i]:
                band[i] = i - j
        pos = [0] * (M + 2)
        for r in range(1, M + 1):
            pos[r] = pos[r - 1] + band[r] + 1
        self.band, self.pos = band, pos
        below = [set() for _ in range(M + 2)]     # below[c]: rows s > c with (s, c)
        for k in range(self.n):
            i, j = self.iI[k], self.iJ[k]
            if i <= M and i > j:
                below[j].add(i)
        cols = [None] * (M + 2)
        for r in range(1, M + 1):
            rows = sorted(below[r])
            for x in range(len(rows)):
                s = rows[x]
                for t in rows[:x]:
                    below[t].add(s)
            cols[r] = [(s, pos[s] - (s - r), pos[s] - s) for s in rows]
            below[r] = None
        self.cols = cols

    def _load_demands(self, loads):
        M = self.M
        q = [0.0] * (M + 2)
        total = 0.0
        dt = self.t1 - self.t2
        for nd, Q in loads:
            G = _div(Q * 3600 / 4.1868, dt)
            total = total + G
            idx = self.node_index.get(nd)
            if idx is not None:
                q[idx] = G
        self.q = q
        self.total = total

    # -- nodal flow solution -------------------------------------------------
    def _solve_once(self, R):
        M, src, pos = self.M, self.src, self.pos
        n = self.n
        iI, iJ = self.iI, self.iJ
        a = [0.0] * (pos[M] + 1)
        for k in range(n):
            Rk = R[k]
            if Rk == 0:
                self.stop('管段流量为0   检查第' + box_text(self.nI[k]) + '点或第'
                          + box_text(self.nJ[k]) + '点')
            w = 1 / Rk
            jj = iJ[k]
            ii = iI[k]
            if jj <= M:
                a[pos[jj]] += w
            if ii != src:
                a[pos[ii]] += w
                c = pos[ii] - (ii - jj)
                a[c] -= w
                if a[c] == 0:
                    self.info('流量为0  ')
        if n > 0 and iJ[n - 1] <= M and a[pos[iJ[n - 1]]] == 0:
            self.info('流量为0   ')
        b = self.q[:M + 1] + [0.0]
        snapshot = a[:]
        ok = (not self.force_literal) and self._eliminate_banded(a, b)
        if not ok:
            # a non-finite coefficient met: redo the elimination step by step
            # exactly as the procedure is written
            a = snapshot
            b = self.q[:M + 1] + [0.0]
            self._eliminate_literal(a, b)
        b[src] = 0.0
        x = b
        G = [(x[iJ[k]] - x[iI[k]]) / R[k] for k in range(n)]
        return G, x

    def _eliminate_banded(self, a, b):
        """Forward elimination and back substitution, visiting only the
        coefficients that can be non-zero.  Gives the same numbers as the
        step-by-step procedure as long as all values stay finite; returns
        False (leaving a and b half done) when a non-finite value shows up."""
        M, pos, cols = self.M, self.pos, self.cols
        isfinite = math.isfinite
        for r in range(1, M + 1):
            pr = pos[r]
            piv = a[pr]
            if piv == 0:
                self.stop('某管段流量为0' + box_text(pr) + ' ' + box_text(pr))
            br = b[r] / piv
            b[r] = br
            col = cols[r]
            if col:
                ml = []
                for s, idx, base in col:
                    av = a[idx]
                    if av != 0:
                        if not isfinite(av):
                            return False
                        m = av / piv
                        ml.append((s, m))
                        for t, mt in ml:
                            a[base + t] -= mt * av
                        b[s] -= av * br
                        a[idx] = m
            a[pr] = 1.0
        for r in range(1, M + 1):
            if not isfinite(b[r]):
                return False
        for r in range(M - 1, 0, -1):
            br = b[r]
            for s, idx, base in cols[r]:
                br -= a[idx] * b[s]
            if not isfinite(br):
                return False
            b[r] = br
        return True

    def _eliminate_literal(self, a, b):
        """Forward elimination and back substitution over the whole band,
        step by step."""
        M, pos, band = self.M, self.pos, self.band
        for r in range(1, M + 1):
            pr = pos[r]
            piv = a[pr]
            if piv == 0:
                self.stop('某管段流量为0' + box_text(pr) + ' ' + box_text(pr))
            b[r] = b[r] / piv
            m = [0.0] * (M + 2)
            for s in range(r + 1, M + 1):
                if s - r > band[s]:
                    m[s] = 0.0
                    continue
                idx = pos[s] - (s - r)
                m[s] = a[idx]
                if m[s] != 0:
                    av = a[idx]
                    m[s] = av / piv
                    base = pos[s] - s
                    for t in range(r + 1, s + 1):
                        a[base + t] -= m[t] * av
                    b[s] -= av * b[r]
                    a[idx] = m[s]
            a[pr] = 1.0
        for r in range(M - 1, 0, -1):
            for s in range(r + 1, M + 1):
                mm = a[pos[s] - (s - r)] if s - r <= band[s] else 0.0
                b[r] -= mm * b[s]

    def _solve_flows(self):
        n = self.n
        S = [self.Lj[k] * self.A[self.size[k]] for k in range(n)]
        R = list(S)
        prev = [0.0] * n
        counter = 1
        while True:
            G, x = self._solve_once(R)
            settled = True
            for k in range(n):
                if abs(G[k] - prev[k]) >= 1:
                    settled = False
                    break
            if settled:
                return G, x
            if counter >= MAX_SOLUTIONS:
                self.stop('流量迭代' + str(MAX_SOLUTIONS) + '次仍不收敛,计算终止')
            for k in range(n):
                g = G[k]
                if counter != 1:
                    g = (prev[k] + g) / 2
                    G[k] = g
                R[k] = abs(g) * S[k]
                prev[k] = g
            counter += 1

    # -- sizing ---------------------------------------------------------------
    def _size_diameters(self):
        n = self.n
        d, rho = self.d, self.rho
        s300 = self.s300
        size = self.size
        while True:
            G, x = self._solve_flows()
            dP = [0.0] * n
            DP = [0.0] * n
            W = [0.0] * n
            enlarged = False
            for k in range(n):
                p = x[self.iJ[k]] - x[self.iI[k]]
                if p == 0:
                    self.info('管段流量为0,请检查节点' + box_text(self.nI[k]) + '或'
                              + box_text(self.nJ[k]))
                dp = p / self.Lj[k]
                dk = d[size[k]]
                w = velocity(G[k], dk, rho)
                dP[k], DP[k], W[k] = p, dp, w
                if not self.auto[k]:
                    continue
                step = enlargement_step(abs(dp), zone_limit(self.nI[k], self.nJ[k], s300))
                if step:
                    if size[k] >= TABLE_SIZE:
                        self.info('管径已达最大规格仍超出比摩阻限值: 管段' + box_text(self.nI[k])
                                  + ' -' + box_text(self.nJ[k]))
                        continue
                    size[k] = min(size[k] + step, TABLE_SIZE)
                    enlarged = True
                    break
                if abs(G[k]) < 0.1:
                    self.info('节点' + box_text(self.iI[k]) + '到' + box_text(self.iJ[k])
                              + '管段流量太小,请检查' + box_text(self.nI[k]) + ' '
                              + box_text(self.nJ[k]))
            if not enlarged:
                self.G, self.x, self.dP, self.DP, self.W = G, x, dP, DP, W
                return

    # -- node pressures -------------------------------------------------------
    def _node_pressures(self):
        M, src, x = self.M, self.src, self.x
        dpmax = 0.0
        for r in range(1, M + 1):
            if x[r] > dpmax:
                dpmax = x[r]
        x[src] = 0.0
        PG = [0.0] * (M + 2)
        PH = [0.0] * (M + 2)
        DF = [0.0] * (M + 2)
        pin, ru = self.pin, self.ru
        for r in range(1, M + 2):
            PH[r] = x[r] + 1000 * pin
            PG[r] = 1000 * ru + (1000 * pin + 2 * dpmax) - x[r]
            DF[r] = PG[r] - PH[r]
            if not PG[r] > ru:
                self.out.append(('TRACE', 'P<2100 ' + str(r) + ' ' + repr(PG[r])))
        self.q[src] = -self.total
        self.q[0] = -self.total
        PG[0], PH[0], DF[0] = PG[src], PH[src], DF[src]
        self.PG, self.PH, self.DF = PG, PH, DF

    # -- report ---------------------------------------------------------------
    def _write_report(self):
        M, n, src = self.M, self.n, self.src
        w = ReportWriter()
        w.tab(20)
        w.text('水力计算--节点压力和负荷')
        w.end_line()
        w.tab(1); w.text('节点号')
        w.tab(10); w.text('热负荷')
        w.tab(20); w.text('水量')
        w.tab(30); w.text('供水压力')
        w.tab(40); w.text('回水压力')
        w.tab(50); w.text('供回水压差')
        w.end_line()
        w.text('     ')
        w.tab(14); w.text('MW')
        w.tab(26); w.text('t/h')
        w.tab(38); w.text('Kpa')
        w.tab(52); w.text('Kpa')
        w.tab(68); w.text('Kpa')
        w.end_line()
        number = [None] * (M + 2)
        number[0] = 0.0
        for k in range(n):
            if self.iI[k] <= M:
                number[self.iI[k]] = self.nI[k]
            if self.iJ[k] <= M:
                number[self.iJ[k]] = self.nJ[k]
        dt = self.t1 - self.t2
        for k in range(M + 1):
            q = self.q[k]
            w.text(plain_number(number[k]))
            w.tab(14); w.text(picture_number(dt * 4.1868 * q / 3600, '###0.0#'))
            w.tab(26); w.text(picture_number(q, '####0.#'))
            w.tab(38); w.text(picture_number(self.PG[k] / 1000, '###0.##'))
            w.tab(53); w.text(picture_number(self.PH[k] / 1000, '###0.##'))
            w.tab(66); w.text(picture_number(self.DF[k] / 1000, '###0.0#'))
            if q < 0:
                w.tab(76); w.text('热源')
            w.end_line()
        w.end_line()
        w.end_line()

        # order of the segment rows
        found = []
        ok = True
        iI, iJ = self.iI, self.iJ
        for r in range(1, n + 1):
            hit = None
            for p in range(min(n, 399)):
                if iI[p] == r or (r == 1 and iI[p] == src and iJ[p] == 1):
                    hit = p
                    break
            if hit is None:
                ok = False
                break
            found.append(hit)
        self.row_order_ok = ok
        if ok and M >= n:
            rows = [(r + 1, found[r]) for r in range(n)]
        else:
            rows = [(k + 1, k) for k in range(n)]

        w.tab(20); w.text('水力计算书'); w.end_line()
        w.text('序号  起点   终点   管径  管段长度  计算长度  流量     流速    比摩阻  管段压降  供水压力 回水压力 供回水压差')
        w.end_line()
        w.text('       I0    J0       D       L         Lj     Q        W        DP      P         PG       PH       PG-PH')
        w.end_line()
        w.text('                     mm      m          m     t/h      w/s     pa/m     kPa       kPa      kPa       kPa')
        w.end_line()
        w.text(' 0')
        w.tab(15); w.text('0')
        w.tab(82); w.text(picture_number(self.PG[0] / 1000, '####0.0#'))
        w.tab(91); w.text(picture_number(self.PH[0] / 1000, '####0.0#'))
        w.tab(100); w.text(picture_number(self.DF[0] / 1000, '####0.0#'))
        w.end_line()
        d = self.d
        for num, k in rows:
            if iI[k] == src:
                first, second, sign, node = self.nI[k], self.nJ[k], 1, iJ[k]
            else:
                first, second, sign, node = self.nJ[k], self.nI[k], -1, iI[k]
            w.tab(1); w.text(plain_number(num))
            w.tab(7); w.text(plain_number(first))
            w.tab(14); w.text(plain_number(second))
            w.tab(21); w.text(plain_number(d[self.size[k]]))
            w.tab(29); w.text(plain_number(self.L[k]))
            w.tab(38); w.text(plain_number(self.Lj[k]))
            w.tab(46); w.text(picture_number(sign * self.G[k], '#####.0'))
            w.tab(56); w.text(picture_number(sign * self.W[k], '##0.##'))
            w.tab(65); w.text(picture_number(sign * self.DP[k], '####0.#'))
            w.tab(73); w.text(picture_number(sign * self.dP[k] / 1000, '####0.##'))
            w.tab(82); w.text(picture_number(self.PG[node] / 1000, '####0.0#'))
            w.tab(91); w.text(picture_number(self.PH[node] / 1000, '####0.0#'))
            w.tab(100); w.text(picture_number(self.DF[node] / 1000, '####0.0#'))
            w.end_line()
        return w.data()


def velocity(G, d, rho):
    """Water velocity (m/s) of flow G (t/h) in diameter d (mm); 0.785375
    stands for pi/4."""
    return _div(1e9 * G, 3600 * 0.785375 * (d * d) * rho)


def zone_limit(node_a, node_b, s300):
    """Specific friction loss limit (Pa/m) of an auto-sized segment's zone:
    300 in the branch zone (an end numbered s300 or above), else 90."""
    if s300 > 0 and (val(node_a) >= s300 or val(node_b) >= s300):
        return 300
    return 90


def enlargement_step(abs_dp, zone):
    """Sizes to add for a specific friction loss |DP|; 0 when within limits
    (a loss exactly at a limit passes it)."""
    if abs_dp > 5000:
        return 3
    if abs_dp > 2000:
        return 2
    if abs_dp > zone:
        return 1
    return 0


def _div(a, b):
    """IEEE division (a zero divisor gives an infinity or NaN)."""
    if b == 0:
        if a == 0 or a != a:
            return math.nan
        return math.copysign(math.inf, a) * math.copysign(1.0, b)
    return a / b


def calculate(datafile, slgj, write_report=True):
    """Run one calculation; writes the report when it completes."""
    calc = Calculation(datafile, slgj).run()
    if calc.completed and write_report:
        with open(calc.report_path, 'wb') as f:
            f.write(calc.report)
    return calc


def main(argv=None):
    import argparse
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--slgj', required=True, help='standard pipe table SLGJ.DAT')
    ap.add_argument('datafile')
    args = ap.parse_args(argv)
    calc = calculate(args.datafile, args.slgj)
    lines = ['%s\t%s' % item for item in calc.out]
    lines.append('STATUS\t' + ('completed' if calc.completed else 'stopped'))
    out = sys.stdout.buffer
    out.write(('\n'.join(lines) + '\n').encode('utf-8'))
    out.flush()
    return 0 if calc.completed else 1


if __name__ == '__main__':
    sys.exit(main())
