// A measure against height, one dot per body: the bodies outside the table's
// filter faint, the flagged ones ringed (in the flag's colour where the flag
// is on one of the two plotted measures), the selected ones in their compare
// colour. The axes span the bodies whose height the study did not flag; a
// value beyond them sits on the edge as a triangle.
// Pointing at a dot names its figure and values; a click selects it.
const StudyScatter = (() => {
  const kMargin = { left: 56, right: 16, top: 14, bottom: 40 };  // CSS pixels
  const kReach = 8;  // CSS pixels from a dot that still point at it

  function create(study, elements, colours, say) {
    const plot = {
      study,
      canvas: elements.canvas,
      stage: elements.stage,
      select: elements.select,
      pointed: elements.pointed,
      context: elements.canvas.getContext("2d"),
      colours,
      say,
      column: 1,
      dots: [],  // [x, y, body index] of the last drawing, CSS pixels
      hover: -1,
      width: 1,
      height: 1,
      frame: 0,
    };
    study.columns.forEach((column, i) => {
      if (i === 0) return;
      const option = document.createElement("option");
      option.value = String(i);
      option.textContent = column.name;
      plot.select.appendChild(option);
    });
    const shank = study.columns.findIndex((c) => c.id === "shank_right");
    plot.column = shank > 0 ? shank : 1;
    plot.select.value = String(plot.column);
    plot.select.addEventListener("change", () => {
      plot.column = Number(plot.select.value);
      plot.hover = -1;
      showPointed(plot);
      draw(plot);
    });
    new ResizeObserver(() => draw(plot)).observe(plot.stage);
    plot.canvas.addEventListener("pointermove", (e) => {
      const index = dotAt(plot, e);
      if (index === plot.hover) return;
      plot.hover = index;
      showPointed(plot);
      draw(plot);
    });
    plot.canvas.addEventListener("pointerleave", () => {
      plot.hover = -1;
      showPointed(plot);
      draw(plot);
    });
    plot.canvas.addEventListener("click", (e) => {
      const index = dotAt(plot, e);
      if (index >= 0 && !StudyData.toggle(study, index)) say();
    });
    // A new order alone moves no dot.
    StudyData.watch(study, (what, why) => {
      if (why !== "sort") requestDraw(plot);
    });
    draw(plot);
    return plot;
  }

  function requestDraw(plot) {
    if (plot.frame) return;
    plot.frame = requestAnimationFrame(() => {
      plot.frame = 0;
      draw(plot);
    });
  }

  function studyFlag(body, column) {
    const flag = body.flags.get(column);
    return flag && flag.kind.includes("study") ? flag : null;
  }

  // The range of the values of `column` over the bodies whose height the
  // study did not flag (a form in another unit would squeeze all the others
  // into a corner; those sit on the edge), all of them when that leaves none,
  // widened a little.
  function rangeOf(study, column) {
    let low = Infinity, high = -Infinity;
    for (const pass of [false, true]) {
      for (const body of study.bodies) {
        const value = body.values[column];
        if (value === null || (!pass && studyFlag(body, 0))) continue;
        low = Math.min(low, value);
        high = Math.max(high, value);
      }
      if (low <= high) break;
    }
    if (!(low <= high)) return { low: 0, high: 1 };
    const pad = high > low ? (high - low) * 0.06 : Math.max(Math.abs(low) * 0.1, 1);
    return { low: low - pad, high: high + pad };
  }

  // Round steps for an axis: 1, 2 or 5 times a power of ten, about `count` of them.
  function ticks(range, count) {
    const raw = (range.high - range.low) / count;
    const power = Math.pow(10, Math.floor(Math.log10(raw)));
    const step = [1, 2, 5, 10].map((s) => s * power).find((s) => s >= raw) || raw;
    const values = [];
    for (let v = Math.ceil(range.low / step) * step; v <= range.high + step * 1e-9; v += step) {
      values.push(Number(v.toPrecision(12)));
    }
    return values;
  }

  function fit(plot) {
    const box = plot.stage.getBoundingClientRect();
    const ratio = window.devicePixelRatio || 1;
    plot.width = Math.max(1, box.width);
    plot.height = Math.max(1, box.height);
    // A canvas given its size again starts anew even when it is the same size.
    const width = Math.max(1, Math.round(plot.width * ratio));
    const height = Math.max(1, Math.round(plot.height * ratio));
    if (plot.canvas.width !== width) plot.canvas.width = width;
    if (plot.canvas.height !== height) plot.canvas.height = height;
    plot.context.setTransform(ratio, 0, 0, ratio, 0, 0);
  }

  function draw(plot) {
    fit(plot);
    const { study, context, colours } = plot;
    const column = plot.column;
    const xs = rangeOf(study, 0), ys = rangeOf(study, column);
    const left = kMargin.left, right = plot.width - kMargin.right;
    const top = kMargin.top, bottom = plot.height - kMargin.bottom;
    const x = (v) => left + (v - xs.low) / (xs.high - xs.low) * (right - left);
    const y = (v) => bottom - (v - ys.low) / (ys.high - ys.low) * (bottom - top);
    context.fillStyle = colours.back;
    context.fillRect(0, 0, plot.width, plot.height);

    // Axes, grid and their numbers.
    context.font = "11px system-ui, sans-serif";
    context.lineWidth = 1;
    context.strokeStyle = colours.grid;
    context.fillStyle = colours.muted;
    context.textAlign = "center";
    context.textBaseline = "top";
    for (const v of ticks(xs, 6)) {
      context.beginPath();
      context.moveTo(x(v), top);
      context.lineTo(x(v), bottom);
      context.stroke();
      context.fillText(View3D.format(v), x(v), bottom + 4);
    }
    context.textAlign = "right";
    context.textBaseline = "middle";
    for (const v of ticks(ys, 5)) {
      context.beginPath();
      context.moveTo(left, y(v));
      context.lineTo(right, y(v));
      context.stroke();
      context.fillText(View3D.format(v), left - 5, y(v));
    }
    context.fillStyle = colours.text;
    context.textAlign = "center";
    context.textBaseline = "bottom";
    context.fillText("height", (left + right) / 2, plot.height - 2);
    context.save();
    context.translate(12, (top + bottom) / 2);
    context.rotate(-Math.PI / 2);
    context.textBaseline = "top";
    context.fillText(study.columns[column].name, 0, -8);
    context.restore();

    // The dots: the plain ones in two paths, faint (outside the filter) and
    // in the filter; the flagged, selected, pointed and off-scale ones after
    // them, each on its own, on top.
    const inFilter = new Uint8Array(study.bodies.length);
    for (const index of study.order) inFilter[index] = 1;
    const plain = [new Path2D(), new Path2D()];
    const special = [];
    plot.dots = [];
    for (const body of study.bodies) {
      const h = body.values[0], v = body.values[column];
      if (h === null || v === null) continue;
      const cx = Math.min(right, Math.max(left, x(h)));
      const cy = Math.min(bottom, Math.max(top, y(v)));
      const offScale = x(h) !== cx || y(v) !== cy;
      if (offScale || StudyData.flagged(body) || body.index === plot.hover ||
          StudyData.isSelected(study, body.index)) {
        special.push([body, cx, cy, offScale]);
        continue;
      }
      plot.dots.push([cx, cy, body.index]);
      const path = plain[inFilter[body.index]];
      path.moveTo(cx + 3, cy);
      path.arc(cx, cy, 3, 0, 2 * Math.PI);
    }
    context.fillStyle = colours.ink;
    context.globalAlpha = 0.25;
    context.fill(plain[0]);
    context.globalAlpha = 1;
    context.fill(plain[1]);
    special.sort((a, b) => inFilter[a[0].index] - inFilter[b[0].index]);
    for (const [body, cx, cy, offScale] of special) {
      plot.dots.push([cx, cy, body.index]);
      dot(plot, body, cx, cy, offScale, inFilter[body.index]);
    }
  }

  function dot(plot, body, cx, cy, offScale, inFilter) {
    const { context, colours, study } = plot;
    const selected = study.selected.indexOf(body.index);
    const here = studyFlag(body, 0) || studyFlag(body, plot.column) || body.flags.has(plot.column);
    const flagged = StudyData.flagged(body);
    context.globalAlpha = inFilter ? 1 : 0.25;
    context.fillStyle = selected >= 0 ? StudyCompare.colour(selected, 1) : here ? colours.flag : colours.ink;
    context.beginPath();
    if (offScale) {
      // A triangle on the edge: the value lies beyond it.
      context.moveTo(cx, cy - 5);
      context.lineTo(cx + 5, cy + 4);
      context.lineTo(cx - 5, cy + 4);
      context.closePath();
    } else {
      context.arc(cx, cy, selected >= 0 ? 4.5 : 3, 0, 2 * Math.PI);
    }
    context.fill();
    if (flagged) {
      context.strokeStyle = here ? colours.flag : colours.farFlag;
      context.lineWidth = 1.5;
      context.beginPath();
      context.arc(cx, cy, 7, 0, 2 * Math.PI);
      context.stroke();
    }
    if (body.index === plot.hover) {
      context.strokeStyle = colours.text;
      context.lineWidth = 1.5;
      context.beginPath();
      context.arc(cx, cy, 10, 0, 2 * Math.PI);
      context.stroke();
    }
    context.globalAlpha = 1;
  }

  // The body of the dot nearest the pointer within reach, the last drawn
  // (the one on top) among equals; -1 for none.
  function dotAt(plot, e) {
    const box = plot.canvas.getBoundingClientRect();
    const px = e.clientX - box.left, py = e.clientY - box.top;
    let best = -1, bestDistance = kReach;
    for (const [cx, cy, index] of plot.dots) {
      const distance = Math.hypot(cx - px, cy - py);
      if (distance <= bestDistance) {
        best = index;
        bestDistance = distance;
      }
    }
    return best;
  }

  function showPointed(plot) {
    const body = plot.study.bodies[plot.hover];
    if (!body) {
      plot.pointed.textContent = "";
      return;
    }
    const column = plot.study.columns[plot.column];
    const flags = [0, plot.column].map((c) => body.flags.get(c)).filter(Boolean).map((f) => f.reason);
    plot.pointed.textContent = StudyData.nameOf(body) + ": " + column.name + " " +
        StudyData.shown(body.values[plot.column]) + ", height " + StudyData.shown(body.values[0]) +
        (flags.length ? " \u2014 " + flags.join("; ") : "");
  }

  return { create };
})();
