// The 3-D view: an orthographic view on a canvas that can be turned, tilted,
// moved and zoomed by pointer, wheel, pinch and keys, fitted to a box of the
// scene it shows, with its angles and a scale bar in the page. What it draws
// is the page's business: it calls scene.paint(context, m, ratio) with the
// projection m of the moment (see projection).
const View3D = (() => {
  // The named views, as in the three-view drawing.
  const kViews = {
    front: { yaw: 0, pitch: 0 },
    side: { yaw: 90, pitch: 0 },
    top: { yaw: 0, pitch: 90 },
  };
  const kMargin = 0.92;  // share of the canvas the fitted figure may fill
  const kTurnSpeed = 15;  // degrees per second of the slow turn
  const kDragSpeed = 0.4;  // degrees per CSS pixel dragged
  const kTweenMs = 350;
  const kMinZoom = 0.2;
  const kMaxZoom = 500;

  // A view of `scene` on `canvas`, which fills `stage`. The scene gives
  //   shape: { centre: [a, h, d], reach, rise } (see shapeOf), what is fitted;
  //   paint(context, m, ratio): draws the scene in the projection m.
  // Options, all optional:
  //   address: the view follows the page's address (#view=front, #yaw=..&pitch=..);
  //   viewButtons: buttons with data-view="front|side|top";
  //   turnButton: the slow turn's toggle (aria-pressed);
  //   angles, scaleBar, scaleText: where the angles and the scale bar are shown;
  //   keyTarget: the element whose keys steer the view (the whole document by default);
  //   onFit(box): called with the canvas's box whenever it is fitted.
  // The view is shown at once, from the address when it names one.
  function create(canvas, stage, scene, options) {
    const viewer = {
      canvas,
      stage,
      scene,
      options: options || {},
      context: canvas.getContext("2d", { alpha: false }),
      ratio: 1,
      width: 1,  // CSS pixels
      height: 1,
      view: { yaw: 0, pitch: 0, zoom: 1, panX: 0, panY: 0 },
      turning: false,
      tween: null,
      lastTime: null,
      frameRequested: false,
      addressTimer: 0,
      shown: { angles: "", scale: "" },
    };
    const start = viewer.options.address ? viewFromAddress(location.hash) : null;
    setView(viewer, start || kViews.front, false);
    fitCanvas(viewer);
    draw(viewer);
    return viewer;
  }

  // What a scene of lines and circles needs to be fitted: the centre of the
  // box around its points and circles, which the view turns about; how far it
  // reaches from the vertical axis through that centre (reach) and along it
  // (rise). `least` keeps a scene of one point from having no size.
  function shapeOf(figures, least) {
    const low = [Infinity, Infinity, Infinity];
    const high = [-Infinity, -Infinity, -Infinity];
    const widen = (i, value, r) => {
      low[i] = Math.min(low[i], value - r);
      high[i] = Math.max(high[i], value + r);
    };
    for (const figure of figures) {
      eachPoint(figure, (a, h, d, r) => {
        widen(0, a, r);
        widen(1, h, r);
        widen(2, d, r);
      });
    }
    const centre = low.map((value, i) => (value <= high[i] ? (value + high[i]) / 2 : 0));
    const [ca, ch, cd] = centre;
    let reach = 0;
    let rise = 0;
    for (const figure of figures) {
      eachPoint(figure, (a, h, d, r) => {
        // hypot scales before it squares: a figure of size 1e-200 keeps its reach.
        reach = Math.max(reach, Math.hypot(a - ca, d - cd) + r);
        rise = Math.max(rise, Math.abs(h - ch) + r);
      });
    }
    return { centre, reach: Math.max(reach, least), rise: Math.max(rise, least) };
  }

  // Which segments of `lines` (six numbers each) go on from the end of the
  // previous one, so that a stroke is drawn as one run: 1 for those.
  function joinedSegments(lines) {
    const count = lines.length / 6;
    const joined = new Uint8Array(count);
    for (let i = 1, j = 6; i < count; i++, j += 6) {
      joined[i] = lines[j] === lines[j - 3] && lines[j + 1] === lines[j - 2] &&
                  lines[j + 2] === lines[j - 1] ? 1 : 0;
    }
    return joined;
  }

  // Calls visit(a, h, d, r) for both ends of every line (r 0) and for every
  // circle (r its radius) of a figure { lines, circles, size }.
  function eachPoint(figure, visit) {
    const lines = figure.lines;
    for (let j = 0; j < lines.length; j += 3) visit(lines[j], lines[j + 1], lines[j + 2], 0);
    const circles = figure.circles;
    for (let j = 0; j < circles.length; j += 4) {
      visit(circles[j], circles[j + 1], circles[j + 2], radius(figure, circles[j + 3]));
    }
  }

  // A circle mark's radius in the file's unit; a negative diameter draws as its size.
  function radius(figure, diameter) {
    return Math.abs(diameter) * figure.size / 2;
  }

  // A number as the page shows it: at most six significant digits.
  function format(value) {
    return String(Number(value.toPrecision(6)));
  }

  // Canvas pixels per unit of the file at the view's pitch and zoom. At zoom 1
  // the scene fits whatever its yaw, so a turn never changes the scale.
  function scaleOf(viewer, width, height) {
    const v = viewer.view;
    const shape = viewer.scene.shape;
    const pitch = v.pitch * Math.PI / 180;
    const halfUp = shape.rise * Math.abs(Math.cos(pitch)) + shape.reach * Math.abs(Math.sin(pitch));
    return v.zoom * kMargin * Math.min(width / 2 / shape.reach, height / 2 / halfUp);
  }

  // The projection as an affine map from (a, h, d), the first, second and third
  // numbers of a point, to canvas pixels:
  //   right = a cos(yaw) + d sin(yaw); up = h cos(pitch) + (d cos(yaw) - a sin(yaw)) sin(pitch)
  // that is x = x0 + xa a + xd d and y = y0 + ya a + yh h + yd d; k is the scale.
  function projection(viewer, width, height) {
    const v = viewer.view;
    const k = scaleOf(viewer, width, height);
    const yaw = v.yaw * Math.PI / 180;
    const pitch = v.pitch * Math.PI / 180;
    const cy = Math.cos(yaw), sy = Math.sin(yaw), cp = Math.cos(pitch), sp = Math.sin(pitch);
    const [ca, ch, cd] = viewer.scene.shape.centre;
    const m = {
      k,
      xa: k * cy, xd: k * sy,
      ya: k * sy * sp, yh: -k * cp, yd: -k * cy * sp,
    };
    m.x0 = width / 2 - v.panX * k - m.xa * ca - m.xd * cd;
    m.y0 = height / 2 + v.panY * k - m.ya * ca - m.yh * ch - m.yd * cd;
    return m;
  }

  // The index of the point of `points` (each [a, h, d] or null) nearest to
  // (x, y) in CSS pixels within `reach`; -1 when there is none.
  function nearest(viewer, points, x, y, reach) {
    const m = projection(viewer, viewer.width, viewer.height);
    let best = -1;
    let bestDistance = reach;
    points.forEach((at, index) => {
      if (!at) return;
      const [a, h, d] = at;
      const distance = Math.hypot(m.x0 + m.xa * a + m.xd * d - x, m.y0 + m.ya * a + m.yh * h + m.yd * d - y);
      if (distance <= bestDistance) {
        best = index;
        bestDistance = distance;
      }
    });
    return best;
  }

  // Strokes the segments of `lines` in one path, running on through the
  // joined ones; segments for which skip(i) is true are left out. No arrays
  // are made per frame.
  function paintLines(context, m, lines, joined, skip) {
    const count = lines.length / 6;
    context.beginPath();
    for (let i = 0, j = 0; i < count; i++, j += 6) {
      if (skip && skip(i)) continue;
      const a = lines[j], h = lines[j + 1], d = lines[j + 2];
      if (!joined[i]) context.moveTo(m.x0 + m.xa * a + m.xd * d, m.y0 + m.ya * a + m.yh * h + m.yd * d);
      const a2 = lines[j + 3], h2 = lines[j + 4], d2 = lines[j + 5];
      context.lineTo(m.x0 + m.xa * a2 + m.xd * d2, m.y0 + m.ya * a2 + m.yh * h2 + m.yd * d2);
    }
    context.stroke();
  }

  // The circle marks of a figure { circles, size, fillCircles }, filled or
  // outlined as the figure asks, in the context's current colours.
  function paintCircles(figure, context, m, ratio) {
    const circles = figure.circles;
    context.beginPath();
    const least = 0.75 * ratio;  // a mark never vanishes, however small
    for (let j = 0; j < circles.length; j += 4) {
      const a = circles[j], h = circles[j + 1], d = circles[j + 2];
      const x = m.x0 + m.xa * a + m.xd * d;
      const y = m.y0 + m.ya * a + m.yh * h + m.yd * d;
      const r = Math.max(radius(figure, circles[j + 3]) * m.k, least);
      context.moveTo(x + r, y);
      context.arc(x, y, r, 0, 2 * Math.PI);
    }
    if (figure.fillCircles) context.fill();
    else context.stroke();
  }

  // Paints the scene into a context of the given size in pixels.
  function paintInto(viewer, context, width, height, ratio) {
    viewer.scene.paint(context, projection(viewer, width, height), ratio);
  }

  function draw(viewer) {
    paintInto(viewer, viewer.context, viewer.canvas.width, viewer.canvas.height, viewer.ratio);
    showView(viewer);
    noteViewChanged(viewer);
  }

  // The angles, zoom and a scale bar of a round length in the file's unit.
  function showView(viewer) {
    const v = viewer.view;
    const options = viewer.options;
    const angles = "yaw " + format(Math.round(v.yaw * 10) / 10) + "°, pitch " +
                   format(Math.round(v.pitch * 10) / 10) + "°, zoom " +
                   Math.round(v.zoom * 100) + "%";
    if (angles !== viewer.shown.angles) {
      viewer.shown.angles = angles;
      if (options.angles) options.angles.textContent = angles;
    }
    const bar = scaleBar(scaleOf(viewer, viewer.width, viewer.height), 120);
    const scale = format(bar.length) + " " + Math.round(bar.pixels);
    if (scale !== viewer.shown.scale) {
      viewer.shown.scale = scale;
      if (options.scaleBar) options.scaleBar.style.width = bar.pixels + "px";
      if (options.scaleText) options.scaleText.textContent = format(bar.length);
    }
  }

  // The longest length of 1, 2 or 5 times a power of ten that fits in `most`
  // pixels at `perUnit` pixels per unit.
  function scaleBar(perUnit, most) {
    const raw = most / perUnit;
    const power = Math.pow(10, Math.floor(Math.log10(raw)));
    const step = [5, 2, 1].find((s) => s * power <= raw) || 1;
    return { length: step * power, pixels: step * power * perUnit };
  }

  function fitCanvas(viewer) {
    const box = viewer.stage.getBoundingClientRect();
    viewer.ratio = window.devicePixelRatio || 1;
    viewer.width = Math.max(1, box.width);
    viewer.height = Math.max(1, box.height);
    viewer.canvas.width = Math.max(1, Math.round(viewer.width * viewer.ratio));
    viewer.canvas.height = Math.max(1, Math.round(viewer.height * viewer.ratio));
    if (viewer.options.onFit) viewer.options.onFit(box);
  }

  function requestDraw(viewer) {
    if (viewer.frameRequested) return;
    viewer.frameRequested = true;
    requestAnimationFrame((time) => {
      viewer.frameRequested = false;
      advance(viewer, time);
      draw(viewer);
      if (viewer.turning || viewer.tween) requestDraw(viewer);
      else viewer.lastTime = null;
    });
  }

  // Moves the slow turn and a view change in progress on to `time`.
  function advance(viewer, time) {
    const v = viewer.view;
    if (viewer.turning && viewer.lastTime !== null) {
      v.yaw = normalYaw(v.yaw + kTurnSpeed * Math.min(time - viewer.lastTime, 100) / 1000);
    }
    viewer.lastTime = time;
    const t = viewer.tween;
    if (!t) return;
    if (t.start === null) t.start = time;
    const s = Math.min((time - t.start) / kTweenMs, 1);
    const e = s * s * (3 - 2 * s);
    for (const key of ["pitch", "zoom", "panX", "panY"]) v[key] = t.from[key] + (t.to[key] - t.from[key]) * e;
    v.yaw = normalYaw(t.from.yaw + t.turn * e);
    if (s === 1) {
      Object.assign(v, t.to);
      viewer.tween = null;
    }
  }

  function normalYaw(yaw) {
    const y = ((yaw + 180) % 360 + 360) % 360 - 180;
    return y === -180 ? 180 : y;
  }

  function clampPitch(pitch) {
    return Math.min(90, Math.max(-90, pitch));
  }

  // Shows the given angles fitted (zoom 1, no move); `animate` goes there smoothly.
  function setView(viewer, angles, animate) {
    const to = {
      yaw: normalYaw(angles.yaw), pitch: clampPitch(angles.pitch), zoom: 1, panX: 0, panY: 0,
    };
    setTurning(viewer, false);
    const still = matchMedia("(prefers-reduced-motion: reduce)").matches;
    if (!animate || still) {
      viewer.tween = null;
      Object.assign(viewer.view, to);
      return;
    }
    const from = Object.assign({}, viewer.view);
    viewer.tween = { from, to, turn: normalYaw(to.yaw - from.yaw), start: null };
    requestDraw(viewer);
  }

  function setTurning(viewer, on) {
    viewer.turning = on;
    const button = viewer.options.turnButton;
    if (button) button.setAttribute("aria-pressed", on ? "true" : "false");
    if (on) {
      viewer.tween = null;
      requestDraw(viewer);
    }
  }

  // Zooms by `factor`, keeping the point under (x, y) in CSS pixels where it is.
  function zoomAt(viewer, x, y, factor) {
    const v = viewer.view;
    const before = scaleOf(viewer, viewer.width, viewer.height);
    v.zoom = Math.min(kMaxZoom, Math.max(kMinZoom, v.zoom * factor));
    const after = scaleOf(viewer, viewer.width, viewer.height);
    v.panX += (x - viewer.width / 2) * (1 / before - 1 / after);
    v.panY -= (y - viewer.height / 2) * (1 / before - 1 / after);
    viewer.tween = null;
    requestDraw(viewer);
  }

  function moveBy(viewer, dx, dy) {
    const k = scaleOf(viewer, viewer.width, viewer.height);
    viewer.view.panX -= dx / k;
    viewer.view.panY += dy / k;
    requestDraw(viewer);
  }

  function turnBy(viewer, dyaw, dpitch) {
    const v = viewer.view;
    viewer.tween = null;
    v.yaw = normalYaw(v.yaw + dyaw);
    v.pitch = clampPitch(v.pitch + dpitch);
    requestDraw(viewer);
  }

  // The address of a view: its name for the named ones, otherwise its angles.
  function addressOf(view) {
    const yaw = Math.round(view.yaw * 10) / 10;
    const pitch = Math.round(view.pitch * 10) / 10;
    for (const name of Object.keys(kViews)) {
      if (kViews[name].yaw === yaw && kViews[name].pitch === pitch) return "#view=" + name;
    }
    return "#yaw=" + format(yaw) + "&pitch=" + format(pitch);
  }

  // The angles an address asks for: #view=NAME or #yaw=DEG&pitch=DEG (either
  // may be left out, as 0); null when it asks for nothing this page knows. An
  // angle must be a decimal number: Number() would take "" and "0x10" too.
  function viewFromAddress(hash) {
    const fields = new URLSearchParams(hash.replace(/^#/, ""));
    const name = fields.get("view");
    if (name !== null) return Object.prototype.hasOwnProperty.call(kViews, name) ? kViews[name] : null;
    const angle = (key) => {
      const text = fields.has(key) ? fields.get(key) : "0";
      return /^[-+]?(\d+\.?\d*|\.\d+)(e[-+]?\d+)?$/i.test(text) ? Number(text) : NaN;
    };
    const yaw = angle("yaw");
    const pitch = angle("pitch");
    if (!fields.has("yaw") && !fields.has("pitch")) return null;
    if (!Number.isFinite(yaw) || !Number.isFinite(pitch)) return null;
    return { yaw, pitch };
  }

  // The address follows the view, at most every 400 ms while it moves.
  function noteViewChanged(viewer) {
    if (!viewer.options.address || viewer.addressTimer) return;
    viewer.addressTimer = setTimeout(() => {
      viewer.addressTimer = 0;
      const address = addressOf(viewer.view);
      if (address === location.hash) return;
      try {
        history.replaceState(null, "", address);
      } catch (e) {
        location.replace(address);
      }
    }, 400);
  }

  // The view's buttons, the address, resizing, pointers, the wheel and the keys.
  function listen(viewer) {
    const canvas = viewer.canvas;
    const options = viewer.options;
    for (const button of options.viewButtons || []) {
      button.addEventListener("click", () => setView(viewer, kViews[button.dataset.view], true));
    }
    if (options.turnButton) {
      options.turnButton.addEventListener("click", () => setTurning(viewer, !viewer.turning));
    }

    new ResizeObserver(() => {
      fitCanvas(viewer);
      draw(viewer);
    }).observe(viewer.stage);

    if (options.address) {
      window.addEventListener("hashchange", () => {
        const angles = viewFromAddress(location.hash);
        if (angles && location.hash !== addressOf(viewer.view)) setView(viewer, angles, true);
      });
    }

    // One pointer turns (or moves, with shift or a button other than the
    // first); two pointers pinch to zoom and move.
    const pointers = new Map();
    let moving = false;
    canvas.addEventListener("pointerdown", (e) => {
      try {
        canvas.setPointerCapture(e.pointerId);
      } catch (error) {
        // A pointer already gone: its moves simply stop at the canvas's edge.
      }
      pointers.set(e.pointerId, { x: e.clientX, y: e.clientY });
      moving = e.shiftKey || e.button !== 0;
      setTurning(viewer, false);
      viewer.tween = null;
    });
    canvas.addEventListener("pointermove", (e) => {
      const last = pointers.get(e.pointerId);
      if (!last) return;
      const dx = e.clientX - last.x;
      const dy = e.clientY - last.y;
      if (pointers.size === 1) {
        if (moving) moveBy(viewer, dx, dy);
        else turnBy(viewer, -dx * kDragSpeed, dy * kDragSpeed);
      } else {
        const [p, q] = pointers.values();
        const other = p === last ? q : p;
        const before = Math.hypot(last.x - other.x, last.y - other.y);
        const after = Math.hypot(e.clientX - other.x, e.clientY - other.y);
        const box = canvas.getBoundingClientRect();
        if (before > 0 && after > 0) {
          zoomAt(viewer, (e.clientX + other.x) / 2 - box.left, (e.clientY + other.y) / 2 - box.top,
                 after / before);
        }
        moveBy(viewer, dx / 2, dy / 2);
      }
      last.x = e.clientX;
      last.y = e.clientY;
    });
    const release = (e) => pointers.delete(e.pointerId);
    canvas.addEventListener("pointerup", release);
    canvas.addEventListener("pointercancel", release);
    canvas.addEventListener("contextmenu", (e) => e.preventDefault());
    canvas.addEventListener("dblclick", () => {
      const v = viewer.view;
      setView(viewer, { yaw: v.yaw, pitch: v.pitch }, true);
    });
    canvas.addEventListener("wheel", (e) => {
      e.preventDefault();
      const step = e.deltaMode === 1 ? 0.05 : e.deltaMode === 2 ? 1 : 0.002;
      const box = canvas.getBoundingClientRect();
      zoomAt(viewer, e.clientX - box.left, e.clientY - box.top, Math.exp(-e.deltaY * step));
    }, { passive: false });

    (options.keyTarget || document).addEventListener("keydown", (e) => {
      if (e.ctrlKey || e.metaKey || e.altKey) return;
      const step = e.shiftKey ? 15 : 5;
      const keys = {
        ArrowLeft: () => turnBy(viewer, step, 0),
        ArrowRight: () => turnBy(viewer, -step, 0),
        ArrowUp: () => turnBy(viewer, 0, -step),
        ArrowDown: () => turnBy(viewer, 0, step),
        "+": () => zoomAt(viewer, viewer.width / 2, viewer.height / 2, 1.25),
        "=": () => zoomAt(viewer, viewer.width / 2, viewer.height / 2, 1.25),
        "-": () => zoomAt(viewer, viewer.width / 2, viewer.height / 2, 0.8),
        "0": () => setView(viewer, { yaw: viewer.view.yaw, pitch: viewer.view.pitch }, true),
        f: () => setView(viewer, kViews.front, true),
        s: () => setView(viewer, kViews.side, true),
        t: () => setView(viewer, kViews.top, true),
      };
      const action = keys[e.key.length === 1 ? e.key.toLowerCase() : e.key];
      if (!action) return;
      e.preventDefault();
      action();
    });
  }

  return {
    create,
    listen,
    shapeOf,
    joinedSegments,
    radius,
    format,
    scaleOf,
    scaleBar,
    projection,
    nearest,
    paintLines,
    paintCircles,
    paintInto,
    requestDraw,
    setView,
    addressOf,
  };
})();
