"""Drawing of the ship parts as SVG fragments. Each function draws in the pixel
frame of one sprite; a `Frame` converts the part's world coordinates (y up,
the same numbers as its physics outline) into that frame, so a picture always
matches its bodies."""

import math
import random

from velkasset import PPU, pts, shade

STEEL = "#8d9aab"
DARK_STEEL = "#5a6574"
RUBBER = "#3b4049"
ORANGE = "#ef8a2c"
AMBER = "#f5b53d"
GLASS = "#5fc8e8"
TRIM = "#e4e7ea"


class Frame:
    """World box (xmin, ymin)-(xmax, ymax) drawn at PPU pixels per unit."""

    def __init__(self, xmin, ymin, xmax, ymax):
        self.xmin, self.ymin, self.xmax, self.ymax = xmin, ymin, xmax, ymax
        self.w = (xmax - xmin) * PPU
        self.h = (ymax - ymin) * PPU

    def p(self, x, y):
        return ((x - self.xmin) * PPU, (self.ymax - y) * PPU)

    def poly(self, points):
        return pts([self.p(x, y) for x, y in points])

    def size(self):
        return (self.xmax - self.xmin, self.ymax - self.ymin)

    def origin(self):
        return (-self.xmin, self.ymax)

    def s(self, length):
        return length * PPU


def polygon(style, sheet, frame, points, color, width=1.6):
    return style.shape(sheet, "polygon", color, 'points="%s"' % frame.poly(points), width)


def rect(style, sheet, frame, x0, y0, x1, y1, color, rx=0.0, width=1.6, vertical=True):
    px, py = frame.p(x0, y1)
    return style.shape(sheet, "rect", color, 'x="%.2f" y="%.2f" width="%.2f" height="%.2f" rx="%.2f"'
                       % (px, py, frame.s(x1 - x0), frame.s(y1 - y0), frame.s(rx)), width, vertical)


def circle(style, sheet, frame, x, y, radius, color, width=1.6):
    cx, cy = frame.p(x, y)
    return style.shape(sheet, "circle", color, 'cx="%.2f" cy="%.2f" r="%.2f"' % (cx, cy, frame.s(radius)), width)


def light_dot(style, frame, x, y, radius, color):
    cx, cy = frame.p(x, y)
    return '<circle cx="%.2f" cy="%.2f" r="%.2f" %s/>' % (cx, cy, frame.s(radius), style.flat(color))


def line(style, frame, x0, y0, x1, y1, color, width=1.2, opacity=1.0):
    a, b = frame.p(x0, y0), frame.p(x1, y1)
    stroke = "#5fe3ff" if style.test else color
    return ('<line x1="%.2f" y1="%.2f" x2="%.2f" y2="%.2f" stroke="%s" stroke-width="%.2f" '
            'stroke-opacity="%.2f" stroke-linecap="round"/>' % (a[0], a[1], b[0], b[1], stroke, width, opacity))


# --------------------------------------------------------------------------
# Jets

def main_engine(style, sheet, frame, housing, bell):
    out = [polygon(style, sheet, frame, bell, DARK_STEEL, 1.8)]
    out.append(polygon(style, sheet, frame, housing, STEEL, 1.8))
    # Intake grille and a warm exhaust glow ring above the bell.
    for i in range(4):
        x = -0.45 + i * 0.3
        out.append(line(style, frame, x, 0.85, x, 0.55, shade(STEEL, 0.5), 2.0))
    out.append(rect(style, sheet, frame, -0.78, -0.72, 0.78, -0.56, ORANGE, 0.05, 1.2))
    out.append(light_dot(style, frame, 0.0, -0.25, 0.12, AMBER))
    return "".join(out)


def small_engine(style, sheet, frame, w, h, nozzle):
    out = []
    nw = w * 0.75
    top = h / 2
    # Bells at both ends: the thruster pushes either way.
    out.append(polygon(style, sheet, frame, [(-nw / 2, top - 0.05), (nw / 2, top - 0.05),
                                             (nw / 2 + 0.06, top + nozzle), (-nw / 2 - 0.06, top + nozzle)],
                       DARK_STEEL, 1.4))
    out.append(polygon(style, sheet, frame, [(-nw / 2 - 0.06, -top - nozzle), (nw / 2 + 0.06, -top - nozzle),
                                             (nw / 2, -top + 0.05), (-nw / 2, -top + 0.05)],
                       DARK_STEEL, 1.4))
    out.append(rect(style, sheet, frame, -w / 2, -top, w / 2, top, STEEL, 0.12, 1.6))
    out.append(rect(style, sheet, frame, -w / 2 + 0.08, -0.07, w / 2 - 0.08, 0.07, ORANGE, 0.03, 1.0))
    return "".join(out)


def roof(style, sheet, frame, x0, x1):
    return rect(style, sheet, frame, x0, -0.07, x1, 0.07, shade(STEEL, 0.9), 0.04, 1.4)


def trim(style, sheet, frame, w, h):
    return rect(style, sheet, frame, -w / 2, -h / 2, w / 2, h / 2, TRIM, 0.04, 1.2)


# --------------------------------------------------------------------------
# Flames: a teardrop with a hot core, drawn pointing down from the nozzle

def flame_defs(sheet, name, colors):
    outer, mid, core = colors
    sheet.add_def('<linearGradient id="fo%s" x1="0" y1="0" x2="0" y2="1">'
                  '<stop offset="0" stop-color="%s" stop-opacity="0.95"/>'
                  '<stop offset="0.45" stop-color="%s" stop-opacity="0.85"/>'
                  '<stop offset="1" stop-color="%s" stop-opacity="0"/></linearGradient>'
                  % (name, mid, outer, outer))
    sheet.add_def('<linearGradient id="fc%s" x1="0" y1="0" x2="0" y2="1">'
                  '<stop offset="0" stop-color="#ffffff"/>'
                  '<stop offset="1" stop-color="%s" stop-opacity="0"/></linearGradient>' % (name, core))


def flame_shape(name, fw, fh, length, width, alpha=1.0, sway=0.0):
    cx = fw / 2
    L = fh * length
    W = fw * width

    def drop(wid, lng, fill):
        tip = cx + sway * wid
        return ('<path d="M %.2f 0 C %.2f %.2f %.2f %.2f %.2f %.2f C %.2f %.2f %.2f %.2f %.2f 0 Z" '
                'fill="url(#%s)" fill-opacity="%.2f"/>'
                % (cx - wid / 2, cx - wid * 0.62, lng * 0.3, tip - wid * 0.22, lng * 0.8, tip, lng,
                   tip + wid * 0.22, lng * 0.8, cx + wid * 0.62, lng * 0.3, cx + wid / 2, fill, alpha))

    return drop(W, L, "fo" + name) + drop(W * 0.45, L * 0.55, "fc" + name)


def smoke_puff(fw, fh, y, radius, alpha):
    return ('<circle cx="%.2f" cy="%.2f" r="%.2f" fill="#9aa3ad" fill-opacity="%.2f"/>'
            % (fw / 2, fh * y, fw * radius, alpha))


# --------------------------------------------------------------------------
# Tracks

def track_frame(style, sheet, frame, belt, plate, wheel_y, radius, span):
    x0, y0, x1, y1 = belt
    out = [rect(style, sheet, frame, x0, y0, x1, y1, RUBBER, (y1 - y0) / 2.2, 1.8)]
    # Tread blocks along the bottom run of the belt.
    n = int((x1 - x0) / 0.3)
    for i in range(n):
        x = x0 + 0.25 + i * ((x1 - x0 - 0.5) / max(1, n - 1))
        out.append(line(style, frame, x, y0 + 0.09, x, y0 + 0.18, shade(RUBBER, 1.6), 2.2))
    px0, py0, px1, py1 = plate
    out.append(rect(style, sheet, frame, px0, py0, px1, py1, STEEL, 0.08, 1.6))
    # Warm running light at the front end.
    out.append(light_dot(style, frame, px1 - 0.18, (py0 + py1) / 2, 0.07, AMBER))
    return "".join(out)


def wheel(style, sheet, frame, radius):
    out = [circle(style, sheet, frame, 0, 0, radius, shade(RUBBER, 1.3), 1.6)]
    out.append(circle(style, sheet, frame, 0, 0, radius * 0.62, STEEL, 1.2))
    for k in range(4):
        a = k * math.pi / 4
        out.append(line(style, frame, -math.cos(a) * radius * 0.55, -math.sin(a) * radius * 0.55,
                        math.cos(a) * radius * 0.55, math.sin(a) * radius * 0.55, shade(STEEL, 0.45), 1.6))
    out.append(light_dot(style, frame, 0, 0, radius * 0.16, ORANGE))
    return "".join(out)


# --------------------------------------------------------------------------
# Drills

def drill_housing(style, sheet, frame, w, h):
    out = [rect(style, sheet, frame, -w / 2, -h / 2, w / 2, h / 2, STEEL, 0.1, 1.8)]
    # Hazard stripes on the front face.
    stripe_w = 0.14
    x = w / 2 - 0.42
    for i in range(3):
        xs = x + i * stripe_w * 1.6
        out.append(polygon(style, sheet, frame, [(xs, -h / 2 + 0.06), (xs + stripe_w, -h / 2 + 0.06),
                                                 (xs + stripe_w - 0.12, h / 2 - 0.06), (xs - 0.12, h / 2 - 0.06)],
                           ORANGE, 0.8))
    out.append(light_dot(style, frame, -w / 2 + 0.2, h / 2 - 0.17, 0.07, AMBER))
    return "".join(out)


def drill_rail(style, sheet, frame, length, thick):
    out = [rect(style, sheet, frame, -length / 2, -thick / 2, length / 2, thick / 2, shade(STEEL, 1.1), 0.05, 1.4)]
    n = int(length / 0.16)
    for i in range(n):
        x = -length / 2 + 0.1 + i * 0.16
        out.append(line(style, frame, x, -thick / 2 + 0.04, x, -thick / 2 + 0.1, shade(STEEL, 0.5), 1.4))
    return "".join(out)


def drill_mount(style, sheet, frame, radius):
    return (circle(style, sheet, frame, 0, 0, radius, DARK_STEEL, 1.6)
            + light_dot(style, frame, 0, 0, radius * 0.35, ORANGE))


def drill_bit(style, sheet, frame, cone, hub, color, tip_color, phase, clip_id):
    """A cone pointing down (world -y) from the hub at the origin; spiral
    grooves shifted by `phase` (0..1) make the spin frames."""
    out = []
    sheet.add_def('<clipPath id="%s"><polygon points="%s"/></clipPath>' % (clip_id, frame.poly(cone)))
    out.append(polygon(style, sheet, frame, cone, color, 1.6))
    top = max(y for _, y in cone)
    bottom = min(y for _, y in cone)
    width = max(x for x, _ in cone) - min(x for x, _ in cone)
    grooves = []
    step = 0.26
    y = top + step * phase
    while y > bottom - width:
        grooves.append(line(style, frame, -width, y - width * 0.45, width, y + width * 0.45,
                            shade(color, 0.4), 2.2, 0.9))
        y -= step
    out.append('<g clip-path="url(#%s)">%s</g>' % (clip_id, "".join(grooves)))
    if tip_color:
        out.append(polygon(style, sheet, frame, [(-0.12, bottom + 0.3), (0.12, bottom + 0.3), (0.0, bottom)],
                           tip_color, 1.0))
    out.append(circle(style, sheet, frame, 0, 0, hub, DARK_STEEL, 1.6))
    out.append(light_dot(style, frame, 0, 0, hub * 0.4, ORANGE))
    return "".join(out)


# --------------------------------------------------------------------------
# Cockpits, antenna, lamps

def cockpit(style, sheet, frame, base, glass, state, glass_id):
    out = [polygon(style, sheet, frame, base, STEEL, 1.8)]
    if state == "Online" and not style.test:
        sheet.add_def('<linearGradient id="%s" x1="0" y1="0" x2="1" y2="1">'
                      '<stop offset="0" stop-color="#c9f4ff"/><stop offset="1" stop-color="#2f8fb8"/>'
                      '</linearGradient>' % glass_id)
        out.append('<polygon points="%s" fill="url(#%s)" stroke="%s" stroke-width="1.6"/>'
                   % (frame.poly(glass), glass_id, shade(GLASS, 0.4)))
        hx = min(x for x, _ in glass) * 0.45
        hy = max(y for _, y in glass)
        out.append(line(style, frame, hx, hy - 0.12, hx + 0.35, hy - 0.05, "#ffffff", 2.4, 0.8))
        out.append(light_dot(style, frame, max(x for x, _ in base) - 0.22, -0.12, 0.07, AMBER))
    elif state == "Offline" and not style.test:
        out.append(polygon(style, sheet, frame, glass, "#26323d", 1.6))
        out.append(light_dot(style, frame, max(x for x, _ in base) - 0.22, -0.12, 0.07, "#5b4a35"))
    else:
        out.append('<polygon points="%s" fill="#5fe3ff" fill-opacity="0.25" stroke="#5fe3ff" stroke-width="1.6"/>'
                   % frame.poly(glass))
    return "".join(out)


def antenna(style, sheet, frame):
    out = [rect(style, sheet, frame, -0.3, -0.02, 0.3, 0.22, STEEL, 0.06, 1.6)]
    out.append(rect(style, sheet, frame, -0.05, 0.2, 0.05, 1.45, shade(STEEL, 1.1), 0.02, 1.2))
    out.append('<path d="M %.2f %.2f Q %.2f %.2f %.2f %.2f" fill="none" %s/>'
               % (frame.p(-0.4, 1.25) + frame.p(0.0, 0.95) + frame.p(0.4, 1.25)
                  + (style.stroke(STEEL, 2.2),)))
    out.append(light_dot(style, frame, 0, 1.55, 0.11, AMBER))
    return "".join(out)


def lamp_body(style, sheet, frame, w, h):
    out = [rect(style, sheet, frame, -w / 2, -h / 2, w / 2, h / 2, DARK_STEEL, 0.08, 1.6)]
    out.append(rect(style, sheet, frame, w / 2 - 0.12, -h / 2 + 0.04, w / 2 + 0.04, h / 2 - 0.04, AMBER, 0.05, 1.2))
    return "".join(out)


def light_cone(style, sheet, frame, length, half_width, start_half, gid):
    if style.test:
        color, alpha = "#5fe3ff", 0.25
    else:
        color, alpha = "#ffd27a", 0.5
    sheet.add_def('<linearGradient id="%s" x1="0" y1="0" x2="1" y2="0">'
                  '<stop offset="0" stop-color="%s" stop-opacity="%.2f"/>'
                  '<stop offset="1" stop-color="%s" stop-opacity="0"/></linearGradient>'
                  % (gid, color, alpha, color))
    cone = [(0, -start_half), (length, -half_width), (length, half_width), (0, start_half)]
    return '<polygon points="%s" fill="url(#%s)"/>' % (frame.poly(cone), gid)


def jitter(seed):
    return random.Random(seed)
