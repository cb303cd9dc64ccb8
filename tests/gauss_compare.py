#!/usr/bin/python3
# gauss_compare.py - errors in quadrature ("mc66 -g") against the python3 package
# 'uncertainties', on generated real formulas that reuse stored variables: values and
# errors must agree to 1e-9 relative.
#   gauss_compare.py BUILD-DIR TCLSH [COUNT]
import math
import os
import random
import subprocess
import sys
import tempfile

from uncertainties import ufloat, umath

DRIVER = r'''
load [file join [lindex $argv 0] libqev.so] Qev
set usys [lindex $argv 1]
set in [open [lindex $argv 2]]
fconfigure $in -encoding utf-8
fconfigure stdout -encoding utf-8
while {[gets $in line] >= 0} {
    puts [string map {"\n" " "} [mc66 -u $usys -g -cr -S2 -p 17 -q $line]]
}
'''

FUNCS = {
    'sqrt': umath.sqrt, 'ln': umath.log, 'exp': umath.exp,
    'sin': umath.sin, 'cos': umath.cos, 'atan': umath.atan,
}


class generator:
    """Formulas over stored variables and typed values with errors; each one's value
    in 'uncertainties' is built beside its text, inside the domain of every function."""

    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.vars = {}  # name -> uncertain value

    def literal(self):
        v = round(self.rng.uniform(0.3, 4.0), 3)
        if self.rng.random() < 0.25:
            return '%g' % v, v
        s = round(v * self.rng.uniform(0.005, 0.08), 4)
        sign = '\u00b1' if self.rng.random() < 0.7 else ' err '
        return '(%g%s%g)' % (v, sign, s), ufloat(v, s)

    def atom(self):
        if self.vars and self.rng.random() < 0.6:
            name = self.rng.choice(sorted(self.vars))
            return '%' + name, self.vars[name]
        return self.literal()

    def expr(self, depth):
        if depth <= 0 or self.rng.random() < 0.3:
            return self.atom()
        for _ in range(20):
            kind = self.rng.random()
            if kind < 0.3:
                name = self.rng.choice(sorted(FUNCS))
                text, v = self.expr(depth - 1)
                x = nominal(v)
                if name in ('sqrt', 'ln') and x < 0.05:
                    continue
                if name == 'exp' and abs(x) > 4:
                    continue
                return '%s(%s)' % (name, text), FUNCS[name](v)
            op = self.rng.choice('+-*/^')
            (ta, a), (tb, b) = self.expr(depth - 1), self.expr(depth - 1)
            if op == '/' and abs(nominal(b)) < 0.1:
                continue
            if op == '^':
                if nominal(a) < 0.1 or abs(nominal(b)) > 3:
                    continue
                if abs(nominal(b) * math.log(nominal(a))) > 8:
                    continue
            v = {'+': lambda: a + b, '-': lambda: a - b, '*': lambda: a * b,
                 '/': lambda: a / b, '^': lambda: a ** b}[op]()
            if abs(nominal(v)) > 1e6:
                continue
            return '(%s)%s(%s)' % (ta, op, tb), v
        return self.atom()

    def formulas(self, count):
        """(text, value) pairs: first the stored variables, then formulas, every
        fifth of them stored too."""
        out = []
        for name in 'abcdef':
            text, v = self.literal()
            if not hasattr(v, 'std_dev'):
                v = ufloat(v, 0.01 * v)
                text = '(%g\u00b1%g)' % (v.nominal_value, v.std_dev)
            self.vars[name] = v
            out.append((text + '=' + name, v))
        while len(out) < count:
            text, v = self.expr(self.rng.randint(1, 4))
            if not hasattr(v, 'std_dev') or v.std_dev == 0 or not math.isfinite(v.std_dev):
                continue
            if abs(nominal(v)) < 1e-3 or v.std_dev < 1e-9 * abs(nominal(v)):
                continue  # a value or error made by cancellation keeps only its rounding
            if len(out) % 5 == 0:
                name = 'pqrstuvwxyz'[len(out) // 5 % 11]
                self.vars[name] = v
                text = '(' + text + ')=' + name
            out.append((text, v))
        return out


def nominal(v):
    return v.nominal_value if hasattr(v, 'nominal_value') else v


def parse(answer):
    """Value (real part) and error of an answer '(re+i * im ±err) '; None when it is none."""
    a = answer.strip()
    if not a.startswith('(') or ')' not in a:
        return None
    body = a[1:a.index(')')]
    err = 0.0
    if '\u00b1' in body:
        body, e = body.split('\u00b1')
        err = float(e)
    body = body.strip()
    im = 0.0
    if '+i * ' in body:
        body, i = body.split('+i * ')
        im = float(i)
    return float(body), im, err


def close(x, y, tol=1e-9):
    return abs(x - y) <= tol * max(abs(x), abs(y))


def main():
    build, tclsh = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 700
    cases = generator(20261208).formulas(count)
    with tempfile.TemporaryDirectory() as tmp:
        units = os.path.join(tmp, 'empty.units')
        open(units, 'w').write('Units\n')
        usys = os.path.join(tmp, 'plain.usys')
        open(usys, 'w').write('plain m kg s K C mol ' + units + '\n')
        fin = os.path.join(tmp, 'formulas')
        with open(fin, 'w', encoding='utf-8') as f:
            for text, _ in cases:
                f.write(text + '\n')
        driver = os.path.join(tmp, 'driver.tcl')
        open(driver, 'w').write(DRIVER)
        env = dict(os.environ)
        if 'QEV_PRELOAD' in env:  # a sanitizer build: its runtime goes first into tclsh
            env['LD_PRELOAD'] = env['QEV_PRELOAD']
        run = subprocess.run([tclsh, driver, build, usys, fin], capture_output=True, encoding='utf-8', env=env)
        if run.returncode != 0:
            print(run.stderr)
            return 1
        answers = run.stdout.split('\n')
    bad = 0
    for (text, v), answer in zip(cases, answers):
        got = parse(answer)
        want, sigma = v.nominal_value, v.std_dev
        if got is None or not close(got[0], want) or abs(got[1]) > 1e-9 * abs(want) or not close(got[2], sigma):
            bad += 1
            if bad <= 20:
                print('%s\n   qev: %s\n   uncertainties: %r +- %r' % (text, answer, want, sigma))
    reused = sum(1 for text, _ in cases if '%' in text)
    print('%d formulas (%d reuse stored variables), %d disagree' % (len(cases), reused, bad))
    return 1 if bad or len(answers) < len(cases) or reused < 500 else 0


if __name__ == '__main__':
    sys.exit(main())
