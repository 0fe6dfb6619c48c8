#!/usr/bin/env python3
"""Worked gradient colours, computed apart from the program with Python's float maths.

Run it to rewrite gradients.txt: one row per case, "n<TAB>gradient<TAB>colours", the
gradient in its stored form; "# mapped" marks rows that pass through gamut mapping."""
import math

M1 = [[0.4122214708, 0.5363325363, 0.0514459929], [0.2119034982, 0.6806995451, 0.1073969566],
      [0.0883024619, 0.2817188376, 0.6299787005]]
M2 = [[0.2104542553, 0.7936177850, -0.0040720468], [1.9779984951, -2.4285922050, 0.4505937099],
      [0.0259040371, 0.7827717662, -0.8086757660]]
M2_INV = [[1, 0.3963377774, 0.2158037573], [1, -0.1055613458, -0.0638541728], [1, -0.0894841775, -1.2914855480]]
M1_INV = [[4.0767416621, -3.3077115913, 0.2309699292], [-1.2684380046, 2.6097574011, -0.3413193965],
          [-0.0041960863, -0.7034186147, 1.7076147010]]
mapped = False
mul = lambda m, v: [sum(m[r][c] * v[c] for c in range(3)) for r in range(3)]
to_linear = lambda c: c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
to_srgb = lambda lin: 12.92 * lin if lin <= 0.0031308 else 1.055 * lin ** (1 / 2.4) - 0.055
to_channel = lambda lin: round(255 * to_srgb(min(max(lin, 0.0), 1.0)))
oklab = lambda rgb: mul(M2, [math.cbrt(x) for x in mul(M1, rgb)])
linear = lambda lab: mul(M1_INV, [x ** 3 for x in mul(M2_INV, lab)])


def gamut_map(lab):  # CSS Color 4, binary search on OKLCH chroma
    global mapped
    if lab[0] >= 1 or lab[0] <= 0:
        return [1.0 if lab[0] >= 1 else 0.0] * 3
    inside = lambda rgb: all(0 <= x <= 1 for x in rgb)
    clip = lambda rgb: [min(max(x, 0.0), 1.0) for x in rgb]
    de = lambda rgb, ref: math.dist(oklab(rgb), ref)
    if inside(linear(lab)):
        return linear(lab)
    mapped = True
    c0, h = math.hypot(lab[1], lab[2]), math.atan2(lab[2], lab[1])
    at = lambda c: [lab[0], c * math.cos(h), c * math.sin(h)]
    clipped = clip(linear(lab))
    if de(clipped, lab) < 0.02:
        return clipped
    lo, hi, lo_inside = 0.0, c0, True
    while hi - lo > 0.0001:
        c = (lo + hi) / 2
        if lo_inside and inside(linear(at(c))):
            lo = c
            continue
        clipped = clip(linear(at(c)))
        e = de(clipped, at(c))
        if e < 0.02:
            if 0.02 - e < 0.0001:
                return clipped
            lo_inside, lo = False, c
        else:
            hi = c
    return clipped


def srgb_channel(s, e, n, i):  # the generator's arithmetic, i 1-based
    step = (s - e) / n
    base, k = (e, n - i) if step >= 0 else (s, i - 1)
    return round(k * abs(step) + base)


def fix_up_hues(h1, h2, longer):  # CSS Color 4: a missing hue takes the other's, then the fix-up
    if h1 is None and h2 is None:
        return 0.0, 0.0  # nothing to fix up; a missing hue converts as 0
    h1, h2 = h2 if h1 is None else h1, h1 if h2 is None else h2
    d = 0 if abs(h2 - h1) < 1e-9 else h2 - h1  # shades of one hue differ by rounding alone (< 6e-13)
    if longer:
        return (h1 + 360, h1 + d) if 0 < d < 180 else (h1, h1 + d + 360) if -180 < d <= 0 else (h1, h1 + d)
    return (h1 + 360, h1 + d) if d > 180 else (h1, h1 + d + 360) if d < -180 else (h1, h1 + d)


def blend(space, a, b, t):
    la, lb = [to_linear(x / 255) for x in a], [to_linear(x / 255) for x in b]
    if space == 'linear-srgb':
        return [to_channel(x + t * (y - x)) for x, y in zip(la, lb)]
    pa, pb = oklab(la), oklab(lb)
    lab = [x + t * (y - x) for x, y in zip(pa, pb)]
    if space != 'oklab':
        (ca, ha), (cb, hb) = [(math.hypot(p[1], p[2]), math.degrees(math.atan2(p[2], p[1])) % 360) for p in (pa, pb)]
        # A grey's hue is powerless, so missing (None).
        ha, hb = fix_up_hues(None if ca < 1e-6 else ha, None if cb < 1e-6 else hb, space == 'oklch-longer')
        c, h = ca + t * (cb - ca), math.radians(ha + t * (hb - ha))
        lab = [lab[0], c * math.cos(h), c * math.sin(h)]
    return [to_channel(x) for x in gamut_map(lab)]


def colours(space, stops, n):
    out = []
    for i in range(n):
        if space == 'srgb':
            for (a, p), (b, q) in zip(stops, stops[1:]):
                first, last = (n * p + 50) // 100, (n * q + 50) // 100
                if first <= i < last:
                    out.append([srgb_channel(a[c], b[c], last - first, i - first + 1) for c in range(3)])
        elif i == 0 or i == n - 1:
            out.append(list((stops[0] if i == 0 else stops[-1])[0]))
        else:
            pos = 100 * i / (n - 1)
            k = max(j for j in range(len(stops) - 1) if stops[j][1] <= pos)
            (a, p), (b, q) = stops[k], stops[k + 1]
            out.append(blend(space, a, b, (pos - p) / (q - p) if q > p else 0))
    return out


CASES = [(n, space, stops) for space in ('srgb', 'linear-srgb', 'oklab', 'oklch', 'oklch-longer')
         for n, stops in ((5, '#FF0000@0 #0000FF@100'), (2, '#00FF80@0 #400080@100'))] + [
    (1, 'oklch', '#FF0000@0 #0000FF@100'), (1, 'srgb', '#0080FF@0 #FF8000@100'),
    (7, 'srgb', '#FF0000@0 #FFFF00@35 #0080FF@100'), (7, 'oklch', '#FF0000@0 #FFFF00@35 #0080FF@100'),
    (9, 'oklab', '#000000@0 #FFFFFF@20 #FF0000@20 #00FF00@90 #0000FF@100'),
    (6, 'oklch', '#FF0080@0 #FF8000@100'), (6, 'oklch', '#FF8000@0 #FF0080@100'),
    (6, 'oklch-longer', '#FFFF00@0 #00FF00@100'), (6, 'oklch-longer', '#FF0000@0 #FF0000@100'),
    (5, 'oklch', '#808080@0 #00C0FF@100'), (5, 'oklch', '#00FF00@0 #FF00FF@100')] + [
    (7, 'oklch-longer', s) for s in ('#FF0000@0 #808080@100', '#808080@0 #00C0FF@100', '#000000@0 #FFFFFF@100',
                                     '#00FF00@0 #00F700@100', '#FFFF00@0 #808000@100', '#00FF00@0 #008000@50 #00FF00@100')]

for n, space, text in CASES:
    stops = [(tuple(int(s[1 + 2 * c:3 + 2 * c], 16) for c in range(3)), int(s[8:])) for s in text.split()]
    mapped = False
    hexes = ' '.join('%02X%02X%02X' % tuple(c) for c in colours(space, stops, n))
    print('%d\t%s %s\t%s%s' % (n, space, text, hexes, '\t# mapped' if mapped else ''))
