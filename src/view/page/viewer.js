"use strict";
// The figure page: reads the figure data embedded in the page and draws it on
// the canvas in an orthographic view that can be turned, tilted and zoomed.
// The page tells a reader (such as a test) how it went through attributes on
// <html>: data-ready once the first frame is drawn (its value the milliseconds
// since the page began to load), data-error with the message when something
// failed, and data-canvas, the canvas's box in CSS pixels ("left top width
// height").
(function () {
  const root = document.documentElement;

  function reportError(message) {
    if (!root.hasAttribute("data-error")) root.setAttribute("data-error", String(message));
    const box = document.getElementById("message");
    if (box) {
      box.textContent = "The figure cannot be shown: " + message;
      box.hidden = false;
    }
  }
  window.addEventListener("error", (e) => {
    // A resize that lands while a resize is being handled is delivered in the
    // next frame; the browser's note about that is no failure.
    if (!/^ResizeObserver loop/.test(e.message)) reportError(e.message || "script error");
  });

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

  function start() {
    const figure = readFigure(document.getElementById("figure-data").textContent);
    const shape = measure(figure);
    const body = readBody(figure.body, figure.lines.length / 6);
    if (body) separateAcross(body, shape.joined);
    if (!figure.whiteBack) root.classList.add("dark");
    const canvas = document.getElementById("figure");
    const stage = document.getElementById("stage");
    const viewer = {
      figure,
      shape,
      body,
      canvas,
      stage,
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
      colours: readColours(),
    };
    showFacts(figure);
    showBody(viewer);
    setView(viewer, viewFromAddress(location.hash) || kViews.front, false);
    fitCanvas(viewer);
    draw(viewer);
    root.setAttribute("data-ready", String(Math.round(performance.now())));
    listen(viewer);
    listenBody(viewer);
  }

  // Checks the embedded data and turns its number lists into typed arrays, the
  // one copy the page keeps.
  function readFigure(text) {
    const data = JSON.parse(text);
    const numbers = (list, group) =>
      Array.isArray(list) && list.length % group === 0 && list.every(Number.isFinite);
    if (!data || !numbers(data.lines, 6) || !numbers(data.circles, 4) ||
        !numbers(data.min, 3) || data.min.length !== 3 || !numbers(data.max, 3) ||
        data.max.length !== 3) {
      throw new Error("the figure data in this page is damaged");
    }
    return {
      title: typeof data.title === "string" ? data.title : "",
      whiteBack: data.whiteBack === true,
      fillCircles: data.fillCircles === true,
      min: data.min,
      max: data.max,
      size: Number.isFinite(data.size) && data.size > 0 ? data.size : 1,
      lines: new Float64Array(data.lines),
      circles: new Float64Array(data.circles),
      body: data.body,  // checked by readBody
    };
  }

  // What drawing needs beyond the data: the centre of the drawn figure (the
  // box around its points and circles), which it turns about; how far it
  // reaches from the vertical axis through that centre (reach) and along it
  // (rise); and which segments go on from the end of the previous one, so a
  // stroke is drawn as one run.
  function measure(figure) {
    const lines = figure.lines;
    const circles = figure.circles;
    const low = [Infinity, Infinity, Infinity];
    const high = [-Infinity, -Infinity, -Infinity];
    const widen = (i, value, r) => {
      low[i] = Math.min(low[i], value - r);
      high[i] = Math.max(high[i], value + r);
    };
    eachPoint(figure, (a, h, d, r) => {
      widen(0, a, r);
      widen(1, h, r);
      widen(2, d, r);
    });
    const centre = low.map((value, i) => (value <= high[i] ? (value + high[i]) / 2 : 0));
    const [ca, ch, cd] = centre;
    let reach = 0;
    let rise = 0;
    eachPoint(figure, (a, h, d, r) => {
      // hypot scales before it squares: a figure of size 1e-200 keeps its reach.
      reach = Math.max(reach, Math.hypot(a - ca, d - cd) + r);
      rise = Math.max(rise, Math.abs(h - ch) + r);
    });
    const count = lines.length / 6;
    const joined = new Uint8Array(count);
    for (let i = 1, j = 6; i < count; i++, j += 6) {
      joined[i] = lines[j] === lines[j - 3] && lines[j + 1] === lines[j - 2] &&
                  lines[j + 2] === lines[j - 1] ? 1 : 0;
    }
    const least = figure.size / 100;  // a figure of one point still gets a scale
    return { centre, reach: Math.max(reach, least), rise: Math.max(rise, least), joined };
  }

  // Calls visit(a, h, d, r) for both ends of every line (r 0) and for every
  // circle (r its radius).
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

  function readColours() {
    const style = getComputedStyle(root);
    return {
      back: style.getPropertyValue("--figure-back").trim() || "#ffffff",
      ink: style.getPropertyValue("--figure-ink").trim() || "#000000",
      mark: style.getPropertyValue("--figure-mark").trim() || "#c2410c",
    };
  }

  function format(value) {
    return String(Number(value.toPrecision(6)));
  }

  function showFacts(figure) {
    const title = figure.title || "Untitled figure";
    document.getElementById("title").textContent = title;
    document.title = title;
    const lines = figure.lines.length / 6;
    const circles = figure.circles.length / 4;
    document.getElementById("counts").textContent =
        lines + (lines === 1 ? " line, " : " lines, ") + circles +
        (circles === 1 ? " circle" : " circles");
    // The file's x, z (height) and y are the first, second and third numbers.
    const extent = (i) => format(figure.max[i] - figure.min[i]);
    document.getElementById("extent").textContent =
        "extent x " + extent(0) + ", y " + extent(2) + ", z " + extent(1) + " (height)";
  }

  // The body data the page was written with (see readBody), or null for a
  // figure that is not a body figure. The measures come computed and rounded
  // in this data; the page only shows them.
  const kPickReach = { mouse: 12, touch: 24 };  // CSS pixels from a point
  const kTapSlop = 6;  // CSS pixels a tap may move and still pick

  // Checks the "body" value of the data and keeps what drawing needs: the
  // points (their "at" in the file's order of numbers, or null) and, per
  // segment, whether it is a line across a missing landmark.
  function readBody(body, segments) {
    if (body === null || body === undefined) return null;
    const text = (value) => typeof value === "string";
    const textOrNull = (value) => value === null || text(value);
    const point = (p) => p && text(p.code) && text(p.name) &&
        (p.at === null || (Array.isArray(p.at) && p.at.length === 3 && p.at.every(Number.isFinite)));
    const row = (r) => r && text(r.id) && text(r.name) &&
        ["value", "right", "left", "difference", "warning"].every((k) => r[k] === undefined || textOrNull(r[k]));
    if (typeof body !== "object" || !Array.isArray(body.points) || !body.points.every(point) ||
        !Array.isArray(body.missing) || !body.missing.every(text) || !Array.isArray(body.across) ||
        !body.across.every((i) => Number.isInteger(i) && i >= 0 && i < segments) ||
        !Array.isArray(body.measures) || !body.measures.every(row)) {
      throw new Error("the body data in this page is damaged");
    }
    const across = new Uint8Array(segments);
    for (const i of body.across) across[i] = 1;
    return {
      points: body.points,
      missing: body.missing,
      measures: body.measures,
      across,
      acrossCount: body.across.length,
      showAcross: true,
      picks: [],  // indices into points, at most two
      hover: -1,
      rows: [],  // the landmark list's buttons, by point index
    };
  }

  // A line across a missing landmark never joins the segment before or after
  // it into one run, whether or not it is shown.
  function separateAcross(body, joined) {
    for (let i = 0; i < body.across.length; i++) {
      if (!body.across[i]) continue;
      joined[i] = 0;
      if (i + 1 < joined.length) joined[i + 1] = 0;
    }
  }

  function showBody(viewer) {
    const body = viewer.body;
    if (!body) {
      document.getElementById("not-body").hidden = false;
      return;
    }
    root.classList.add("body");
    const nameOf = (code) => {
      const found = body.points.find((p) => p.code === code);
      return found ? code + " " + found.name : code;
    };
    if (body.missing.length > 0) {
      const missing = document.getElementById("missing");
      missing.textContent = "Not in the form: " + body.missing.map(nameOf).join(", ");
      missing.hidden = false;
    }
    document.getElementById("across-legend").hidden = body.acrossCount === 0;
    showMeasures(body.measures);
    showLandmarks(viewer);
    document.getElementById("body-panel").hidden = false;
  }

  function cell(row, text, tag) {
    const element = document.createElement(tag || "td");
    element.textContent = text;
    row.appendChild(element);
    return element;
  }

  // One row per measure; a paired one with right, left and side difference,
  // and a marked difference followed by a row with its warning in words.
  function showMeasures(measures) {
    const table = document.querySelector("#measures tbody");
    const shown = (value) => (value === null || value === undefined ? "\u2014" : value);
    let gaps = false;
    for (const measure of measures) {
      const row = document.createElement("tr");
      row.dataset.measure = measure.id;
      const head = cell(row, measure.name, "th");
      head.scope = "row";
      if (measure.right === undefined) {
        cell(row, shown(measure.value)).colSpan = 2;
        cell(row, "");
        gaps = gaps || measure.value === null;
      } else {
        cell(row, shown(measure.right));
        cell(row, shown(measure.left));
        cell(row, measure.difference === null ? "\u2014" : measure.difference + " %");
        gaps = gaps || measure.right === null || measure.left === null;
      }
      table.appendChild(row);
      if (measure.warning) {
        row.classList.add("marked");
        const note = document.createElement("tr");
        note.className = "warning";
        cell(note, "\u26a0 " + measure.name + ": " + measure.warning).colSpan = 4;
        table.appendChild(note);
      }
    }
    document.getElementById("measures-note").hidden = !gaps;
  }

  // The landmarks' list: a button per point the form gave, which picks it.
  function showLandmarks(viewer) {
    const body = viewer.body;
    const table = document.querySelector("#landmarks tbody");
    body.points.forEach((point, index) => {
      const row = document.createElement("tr");
      if (point.at) {
        const button = document.createElement("button");
        button.type = "button";
        button.textContent = point.code;
        button.setAttribute("aria-pressed", "false");
        button.addEventListener("click", () => pick(viewer, index));
        cell(row, "").appendChild(button);
        body.rows[index] = button;
      } else {
        cell(row, point.code);
        row.classList.add("absent");
      }
      cell(row, point.name);
      if (point.at) {
        for (const i of [0, 2, 1]) cell(row, format(point.at[i])).className = "number";
      } else {
        cell(row, "not in the form").colSpan = 3;
      }
      table.appendChild(row);
    });
  }

  // "RELB, right elbow: x -24.6, y 2.1, z 113.7", the form's order of numbers.
  function describe(point) {
    const at = point.at;
    return point.code + ", " + point.name + ": x " + format(at[0]) + ", y " + format(at[2]) +
           ", z " + format(at[1]);
  }

  function showPointed(viewer) {
    const body = viewer.body;
    const readout = document.getElementById("readout");
    const shownIndex = body.hover >= 0 ? body.hover : body.picks[body.picks.length - 1];
    readout.hidden = shownIndex === undefined;
    if (shownIndex !== undefined) readout.textContent = describe(body.points[shownIndex]);
    const distance = document.getElementById("distance");
    distance.hidden = body.picks.length === 0;
    if (body.picks.length === 1) {
      distance.textContent = "Picked " + body.points[body.picks[0]].code +
                             "; pick a second point to measure";
    } else if (body.picks.length === 2) {
      const [p, q] = body.picks.map((i) => body.points[i]);
      const d = Math.hypot(p.at[0] - q.at[0], p.at[1] - q.at[1], p.at[2] - q.at[2]);
      distance.textContent = p.code + " to " + q.code + ": " + d.toFixed(2) + " apart";
    }
    body.rows.forEach((button, index) => {
      if (button) button.setAttribute("aria-pressed", body.picks.includes(index) ? "true" : "false");
    });
  }

  // Picks a point: the first or second of a pair to measure; a third starts
  // a new pair.
  function pick(viewer, index) {
    const picks = viewer.body.picks;
    if (picks.length === 2) picks.length = 0;
    if (picks[0] !== index) picks.push(index);
    showPointed(viewer);
    requestDraw(viewer);
  }

  function forgetPicks(viewer) {
    viewer.body.picks.length = 0;
    showPointed(viewer);
    requestDraw(viewer);
  }

  // The point given by the form nearest to (x, y) in CSS pixels, within
  // `reach`; -1 when there is none.
  function pointAt(viewer, x, y, reach) {
    const m = projection(viewer, viewer.width, viewer.height);
    let best = -1;
    let bestDistance = reach;
    viewer.body.points.forEach((point, index) => {
      if (!point.at) return;
      const [a, h, d] = point.at;
      const distance = Math.hypot(m.x0 + m.xa * a + m.xd * d - x, m.y0 + m.ya * a + m.yh * h + m.yd * d - y);
      if (distance <= bestDistance) {
        best = index;
        bestDistance = distance;
      }
    });
    return best;
  }

  // The lines across missing landmarks, dashed and faint, then the picked
  // points (joined when there are two) and the one pointed at.
  function paintBody(viewer, context, m, ratio) {
    const body = viewer.body;
    const lines = viewer.figure.lines;
    const x = (a, d) => m.x0 + m.xa * a + m.xd * d;
    const y = (a, h, d) => m.y0 + m.ya * a + m.yh * h + m.yd * d;
    if (body.showAcross && body.acrossCount > 0) {
      context.save();
      context.globalAlpha = 0.45;
      context.lineWidth = 1.5 * ratio;
      context.setLineDash([6 * ratio, 5 * ratio]);
      context.beginPath();
      for (let i = 0, j = 0; i < body.across.length; i++, j += 6) {
        if (!body.across[i]) continue;
        context.moveTo(x(lines[j], lines[j + 2]), y(lines[j], lines[j + 1], lines[j + 2]));
        context.lineTo(x(lines[j + 3], lines[j + 5]), y(lines[j + 3], lines[j + 4], lines[j + 5]));
      }
      context.stroke();
      context.restore();
    }
    const at = (index) => {
      const [a, h, d] = body.points[index].at;
      return [x(a, d), y(a, h, d)];
    };
    context.save();
    context.strokeStyle = viewer.colours.mark;
    context.lineWidth = 2 * ratio;
    if (body.picks.length === 2) {
      context.beginPath();
      context.moveTo(...at(body.picks[0]));
      context.lineTo(...at(body.picks[1]));
      context.stroke();
    }
    for (const index of body.picks) {
      const [px, py] = at(index);
      context.beginPath();
      context.arc(px, py, 6 * ratio, 0, 2 * Math.PI);
      context.stroke();
    }
    if (body.hover >= 0) {
      const [px, py] = at(body.hover);
      context.lineWidth = 1.5 * ratio;
      context.beginPath();
      context.arc(px, py, 9 * ratio, 0, 2 * Math.PI);
      context.stroke();
    }
    context.restore();
  }

  function openKeys() {
    const dialog = document.getElementById("keys");
    if (!dialog.open) dialog.showModal();
  }

  // The keys dialog for every figure; for a body figure, pointing at points,
  // picking them (a press and release that hardly moves) and the switch of
  // the lines across missing landmarks.
  function listenBody(viewer) {
    const dialog = document.getElementById("keys");
    document.getElementById("keys-button").addEventListener("click", openKeys);
    document.getElementById("keys-close").addEventListener("click", () => dialog.close());
    document.addEventListener("keydown", (e) => {
      if (e.ctrlKey || e.metaKey || e.altKey) return;
      if (e.key === "?") {
        e.preventDefault();
        if (dialog.open) dialog.close();
        else openKeys();
      } else if (e.key === "Escape" && !dialog.open && viewer.body && viewer.body.picks.length) {
        forgetPicks(viewer);
      }
    });
    const body = viewer.body;
    if (!body) return;
    document.getElementById("show-across").addEventListener("change", (e) => {
      body.showAcross = e.target.checked;
      requestDraw(viewer);
    });
    const canvas = viewer.canvas;
    const local = (e) => {
      const box = canvas.getBoundingClientRect();
      return [e.clientX - box.left, e.clientY - box.top];
    };
    const reach = (e) => (e.pointerType === "mouse" ? kPickReach.mouse : kPickReach.touch);
    const point = (index) => {
      if (index === body.hover) return;
      body.hover = index;
      showPointed(viewer);
      requestDraw(viewer);
    };
    const presses = new Map();
    canvas.addEventListener("pointermove", (e) => {
      const press = presses.get(e.pointerId);
      if (press && Math.hypot(e.clientX - press.x, e.clientY - press.y) > kTapSlop) press.moved = true;
      if (e.buttons === 0) point(pointAt(viewer, ...local(e), reach(e)));
      else if (press && press.moved) point(-1);
    });
    canvas.addEventListener("pointerleave", (e) => {
      if (e.pointerType === "mouse") point(-1);
    });
    canvas.addEventListener("pointerdown", (e) => {
      presses.set(e.pointerId, { x: e.clientX, y: e.clientY, moved: false });
    });
    canvas.addEventListener("pointerup", (e) => {
      const press = presses.get(e.pointerId);
      presses.delete(e.pointerId);
      if (!press || press.moved || presses.size > 0) return;
      const index = pointAt(viewer, ...local(e), reach(e));
      if (index < 0) return;
      if (e.pointerType !== "mouse") body.hover = -1;
      pick(viewer, index);
    });
    canvas.addEventListener("pointercancel", (e) => presses.delete(e.pointerId));
  }

  // Canvas pixels per unit of the file at the view's pitch and zoom. At zoom 1
  // the figure fits whatever its yaw, so a turn never changes the scale.
  function scaleOf(viewer, width, height) {
    const v = viewer.view;
    const pitch = v.pitch * Math.PI / 180;
    const halfUp = viewer.shape.rise * Math.abs(Math.cos(pitch)) +
                   viewer.shape.reach * Math.abs(Math.sin(pitch));
    return v.zoom * kMargin * Math.min(width / 2 / viewer.shape.reach, height / 2 / halfUp);
  }

  // The projection as an affine map from (a, h, d), the first, second and third
  // numbers of a point, to canvas pixels:
  //   right = a cos(yaw) + d sin(yaw); up = h cos(pitch) + (d cos(yaw) - a sin(yaw)) sin(pitch)
  function projection(viewer, width, height) {
    const v = viewer.view;
    const k = scaleOf(viewer, width, height);
    const yaw = v.yaw * Math.PI / 180;
    const pitch = v.pitch * Math.PI / 180;
    const cy = Math.cos(yaw), sy = Math.sin(yaw), cp = Math.cos(pitch), sp = Math.sin(pitch);
    const [ca, ch, cd] = viewer.shape.centre;
    const m = {
      k,
      xa: k * cy, xd: k * sy,
      ya: k * sy * sp, yh: -k * cp, yd: -k * cy * sp,
    };
    m.x0 = width / 2 - v.panX * k - m.xa * ca - m.xd * cd;
    m.y0 = height / 2 + v.panY * k - m.ya * ca - m.yh * ch - m.yd * cd;
    return m;
  }

  // Draws the figure into a context of the given size in pixels: one path for
  // all lines, one for all circles, and no arrays made per frame.
  function paint(viewer, context, width, height, ratio) {
    const figure = viewer.figure;
    const m = projection(viewer, width, height);
    context.fillStyle = viewer.colours.back;
    context.fillRect(0, 0, width, height);
    context.strokeStyle = viewer.colours.ink;
    context.fillStyle = viewer.colours.ink;
    context.lineCap = "round";
    context.lineJoin = "round";
    const lines = figure.lines;
    const count = lines.length / 6;
    const joined = viewer.shape.joined;
    context.lineWidth = (count > 5000 ? 1 : 2) * ratio;
    context.beginPath();
    const across = viewer.body ? viewer.body.across : null;
    for (let i = 0, j = 0; i < count; i++, j += 6) {
      if (across && across[i]) continue;
      const a = lines[j], h = lines[j + 1], d = lines[j + 2];
      if (!joined[i]) context.moveTo(m.x0 + m.xa * a + m.xd * d, m.y0 + m.ya * a + m.yh * h + m.yd * d);
      const a2 = lines[j + 3], h2 = lines[j + 4], d2 = lines[j + 5];
      context.lineTo(m.x0 + m.xa * a2 + m.xd * d2, m.y0 + m.ya * a2 + m.yh * h2 + m.yd * d2);
    }
    context.stroke();
    if (figure.circles.length > 0) paintCircles(figure, context, m, ratio);
    if (viewer.body) paintBody(viewer, context, m, ratio);
  }

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

  function draw(viewer) {
    paint(viewer, viewer.context, viewer.canvas.width, viewer.canvas.height, viewer.ratio);
    showView(viewer);
    noteViewChanged(viewer);
  }

  // The angles, zoom and a scale bar of a round length in the file's unit.
  function showView(viewer) {
    const v = viewer.view;
    const angles = "yaw " + format(Math.round(v.yaw * 10) / 10) + "°, pitch " +
                   format(Math.round(v.pitch * 10) / 10) + "°, zoom " +
                   Math.round(v.zoom * 100) + "%";
    if (angles !== viewer.shown.angles) {
      viewer.shown.angles = angles;
      document.getElementById("angles").textContent = angles;
    }
    const bar = scaleBar(scaleOf(viewer, viewer.width, viewer.height), 120);
    const scale = format(bar.length) + " " + Math.round(bar.pixels);
    if (scale !== viewer.shown.scale) {
      viewer.shown.scale = scale;
      document.getElementById("scale-bar").style.width = bar.pixels + "px";
      document.getElementById("scale-text").textContent = format(bar.length);
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
    const place = [box.left, box.top, box.width, box.height].map(Math.round).join(" ");
    root.setAttribute("data-canvas", place);
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
    const button = document.getElementById("turn");
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
    if (viewer.addressTimer) return;
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

  function fileStem() {
    let name = "";
    try {
      name = decodeURIComponent(location.pathname.split("/").pop() || "");
    } catch (e) {
      name = "";
    }
    return name.replace(/\.[^.]*$/, "") || "figure";
  }

  // Saves the view as a PNG at the canvas's resolution, with the title and a
  // scale bar, named after the page and the view (3D_BODY-front.png).
  function savePicture(viewer) {
    const out = document.createElement("canvas");
    out.width = viewer.canvas.width;
    out.height = viewer.canvas.height;
    const context = out.getContext("2d");
    const ratio = viewer.ratio;
    paint(viewer, context, out.width, out.height, ratio);
    const bar = scaleBar(scaleOf(viewer, out.width, out.height), 120 * ratio);
    context.fillStyle = viewer.colours.ink;
    context.font = 15 * ratio + "px system-ui, sans-serif";
    context.textBaseline = "top";
    context.fillText(viewer.figure.title, 12 * ratio, 12 * ratio);
    const x = 12 * ratio, y = out.height - 14 * ratio;
    context.fillRect(x, y, bar.pixels, 2 * ratio);
    context.fillRect(x, y - 6 * ratio, ratio, 6 * ratio);
    context.fillRect(x + bar.pixels - ratio, y - 6 * ratio, ratio, 6 * ratio);
    context.textBaseline = "bottom";
    context.fillText(format(bar.length), x + bar.pixels + 6 * ratio, y + 4 * ratio);
    const view = addressOf(viewer.view).slice(1).replace("view=", "").replace("&", "-");
    const name = fileStem() + "-" + view.replace(/=/g, "") + ".png";
    out.toBlob((blob) => {
      if (!blob) {
        reportError("the picture could not be made");
        return;
      }
      const url = URL.createObjectURL(blob);
      const link = document.createElement("a");
      link.href = url;
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
    }, "image/png");
  }

  function listen(viewer) {
    const canvas = viewer.canvas;
    for (const button of document.querySelectorAll("button[data-view]")) {
      button.addEventListener("click", () => setView(viewer, kViews[button.dataset.view], true));
    }
    document.getElementById("turn").addEventListener("click", () => setTurning(viewer, !viewer.turning));
    document.getElementById("save").addEventListener("click", () => savePicture(viewer));

    new ResizeObserver(() => {
      fitCanvas(viewer);
      draw(viewer);
    }).observe(viewer.stage);

    window.addEventListener("hashchange", () => {
      const angles = viewFromAddress(location.hash);
      if (angles && location.hash !== addressOf(viewer.view)) setView(viewer, angles, true);
    });

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

    document.addEventListener("keydown", (e) => {
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

  try {
    start();
  } catch (e) {
    reportError(e && e.message ? e.message : e);
  }
})();
