// The selected bodies laid over each other in one 3-D view, each in its own
// colour, aligned at the sacrum, with a legend and their measures side by side
// (each one's difference from the first selected, in the figure's unit and in
// %). One body alone is shown as its figure page shows it: where it stands,
// its missing landmarks' lines dashed, a landmark named when pointed at, and
// its measures with the side differences.
const StudyCompare = (() => {
  // Colours that stay apart on white and for most colour vision.
  const kColours = ["#1f5fa8", "#d1495b", "#2a9d5c", "#8e44ad", "#e08a00", "#13a3b5", "#7a5230", "#d64fb0"];
  const kReach = 12;  // CSS pixels from a point that still point at it

  function colour(n, alpha) {
    const hex = kColours[n % kColours.length];
    if (alpha === 1) return hex;
    const [r, g, b] = [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16));
    return "rgba(" + r + "," + g + "," + b + "," + alpha + ")";
  }

  function create(study, elements, colours) {
    const view = {
      study,
      elements,
      colours,
      drawn: [],  // per selected body: its lines, circles and points as drawn
      hover: -1,
      viewer: null,
    };
    const empty = { shape: View3D.shapeOf([], 1), paint: (context) => paintBack(view, context) };
    view.viewer = View3D.create(elements.canvas, elements.stage, empty, {
      viewButtons: elements.viewButtons,
      keyTarget: elements.section,
    });
    View3D.listen(view.viewer);
    elements.canvas.addEventListener("pointermove", (e) => {
      if (e.buttons === 0) point(view, pointAt(view, e));
    });
    elements.canvas.addEventListener("pointerleave", () => point(view, -1));
    StudyData.watch(study, (what) => {
      if (what === "selection") show(view);
    });
    show(view);
    return view;
  }

  // A body as the 3-D view draws it: its segments (none to a missing
  // landmark), which of them run across one, and its head, moved by `offset`.
  function figureOf(study, body, offset) {
    const at = (i, k) => body.at[3 * i + k] - offset[k];
    const lines = [], across = [];
    const s = study.segments;
    for (let j = 0; j < s.length; j += 2) {
      const from = s[j], to = s[j + 1];
      if (body.missing[to]) continue;
      lines.push(at(from, 0), at(from, 1), at(from, 2), at(to, 0), at(to, 1), at(to, 2));
      across.push(body.missing[from]);
    }
    const neck = study.points.findIndex((p) => p.code === "NECK");
    const head = [0, 1, 2].map((k) => (at(0, k) + at(neck, k)) / 2);
    const diameter = Math.hypot(at(0, 0) - at(neck, 0), at(0, 1) - at(neck, 1), at(0, 2) - at(neck, 2));
    const figure = {
      lines: Float64Array.from(lines),
      circles: Float64Array.from([...head, diameter]),
      size: 1,
      fillCircles: false,
      points: study.points.map((p, i) => ({
        code: p.code, name: p.name,
        at: body.missing[i] ? null : [at(i, 0), at(i, 1), at(i, 2)],
        form: [body.at[3 * i], body.at[3 * i + 1], body.at[3 * i + 2]],
        approximate: p.approximate,
      })),
    };
    figure.joined = View3D.joinedSegments(figure.lines);
    // What the body panel needs to dash the lines across missing landmarks
    // and ring the pointed landmark.
    figure.panel = {
      across: Uint8Array.from(across),
      acrossCount: across.filter(Boolean).length,
      showAcross: true,
      picks: [],
      hover: -1,
      points: figure.points,
    };
    BodyPanel.separateAcross(figure.panel, figure.joined);
    return figure;
  }

  function paintBack(view, context) {
    context.fillStyle = view.colours.back;
    context.fillRect(0, 0, context.canvas.width, context.canvas.height);
  }

  function paint(view, context, m, ratio) {
    paintBack(view, context);
    context.lineCap = "round";
    context.lineJoin = "round";
    context.lineWidth = 2 * ratio;
    const alone = view.drawn.length === 1;
    view.drawn.forEach((figure, n) => {
      context.strokeStyle = alone ? view.colours.ink : colour(n, 1);
      context.fillStyle = context.strokeStyle;
      View3D.paintLines(context, m, figure.lines, figure.joined, (i) => figure.panel.across[i]);
      View3D.paintCircles(figure, context, m, ratio);
      if (alone) BodyPanel.paint(figure.panel, figure.lines, context, m, ratio, view.colours.flag);
    });
  }

  // The selection again: the scene, fitted anew, the legend and the measures.
  function show(view) {
    const { study, elements } = view;
    const bodies = study.selected.map((i) => study.bodies[i]);
    const sacrum = study.sacrum;
    view.drawn = bodies.map((body) => figureOf(study, body, bodies.length > 1 ?
        [0, 1, 2].map((k) => body.at[3 * sacrum + k]) : [0, 0, 0]));
    view.hover = -1;
    elements.readout.hidden = true;
    const viewer = view.viewer;
    viewer.scene = {
      shape: View3D.shapeOf(view.drawn, 1),
      paint: (context, m, ratio) => paint(view, context, m, ratio),
    };
    View3D.setView(viewer, { yaw: viewer.view.yaw, pitch: viewer.view.pitch }, false);
    View3D.requestDraw(viewer);
    elements.section.classList.toggle("empty", bodies.length === 0);
    elements.hint.hidden = bodies.length > 0;
    showLegend(view, bodies);
    const missing = bodies.length === 1 ? bodies[0].missingCodes : [];
    elements.missing.hidden = missing.length === 0;
    elements.missing.textContent = "Not in the form: " + missing.map((code) =>
      code + " " + study.points.find((p) => p.code === code).name).join(", ") +
      " (their lines dashed, from where the figure puts them)";
    if (bodies.length === 1) showOne(view, bodies[0]);
    else showSeveral(view, bodies);
  }

  function showLegend(view, bodies) {
    const legend = view.elements.legend;
    legend.replaceChildren(...bodies.map((body, n) => {
      const item = document.createElement("li");
      item.dataset.figure = body.path;
      const swatch = document.createElement("span");
      swatch.className = "swatch";
      swatch.style.background = bodies.length === 1 ? view.colours.ink : colour(n, 1);
      const name = document.createElement("span");
      name.textContent = StudyData.nameOf(body);
      const out = document.createElement("button");
      out.type = "button";
      out.textContent = "\u00d7";
      out.title = "Take " + body.path + " out of the comparison";
      out.setAttribute("aria-label", out.title);
      out.addEventListener("click", () => StudyData.toggle(view.study, body.index));
      item.append(swatch, name, out);
      return item;
    }));
  }

  function cell(row, text, tag) {
    const element = document.createElement(tag || "td");
    element.textContent = text;
    row.appendChild(element);
    return element;
  }

  function headRow(table, names) {
    const row = document.createElement("tr");
    for (const name of names) {
      const head = cell(row, "", "th");
      head.scope = "col";
      if (typeof name === "string") head.textContent = name;
      else head.append(...name);
    }
    table.tHead.replaceChildren(row);
  }

  // One body's measures as its figure page gives them: right, left and side
  // difference, and each flag of its row in words.
  function showOne(view, body) {
    const { study, elements } = view;
    const table = elements.table;
    headRow(table, ["measure", "right", "left", "side difference"]);
    const rows = [];
    let paired = 0;
    study.columns.forEach((column, i) => {
      if (column.side === "left") return;
      const row = document.createElement("tr");
      row.dataset.measure = column.measure;
      cell(row, column.measureName, "th").scope = "row";
      const notes = [body.flags.get(i)];
      if (column.side === "right") {
        cell(row, StudyData.shown(body.values[i]) || "\u2014");
        cell(row, StudyData.shown(body.values[i + 1]) || "\u2014");
        const side = body.sides[paired++];
        cell(row, side === null ? "\u2014" : side + " %");
        notes.push(body.flags.get(i + 1));
      } else {
        cell(row, StudyData.shown(body.values[i]) || "\u2014").colSpan = 2;
        cell(row, "");
      }
      rows.push(row);
      // Each reason once: a side difference is on both cells of its pair.
      const said = [];
      for (const flag of notes.filter(Boolean)) {
        for (const part of flag.reason.split("; ")) {
          const text = part.startsWith(column.name) || part.startsWith(column.measureName) ? part :
              column.measureName + ": " + part;
          if (said.includes(text)) continue;
          said.push(text);
          row.classList.add("marked");
          const note = document.createElement("tr");
          note.className = "warning";
          cell(note, "\u26a0 " + text).colSpan = 4;
          rows.push(note);
        }
      }
    });
    table.tBodies[0].replaceChildren(...rows);
    table.hidden = false;
  }

  // "+1.20 (+2.3 %)": b less a in the figure's unit and in % of a, from the
  // two-decimal values the table shows.
  function difference(a, b) {
    const hundredths = Math.round(b * 100) - Math.round(a * 100);
    const sign = hundredths > 0 ? "+" : hundredths < 0 ? "\u2212" : "";
    const unit = sign + (Math.abs(hundredths) / 100).toFixed(2);
    if (a === 0) return unit;
    const percent = Math.abs(hundredths / Math.round(a * 100) * 100).toFixed(1);
    return unit + " (" + (percent === "0.0" ? "" : sign) + percent + " %)";
  }

  function showSeveral(view, bodies) {
    const { study, elements } = view;
    const table = elements.table;
    if (bodies.length === 0) {
      table.hidden = true;
      return;
    }
    headRow(table, ["measure", ...bodies.map((body, n) => {
      const swatch = document.createElement("span");
      swatch.className = "swatch";
      swatch.style.background = colour(n, 1);
      return [swatch, document.createTextNode(body.path)];
    })]);
    const rows = study.columns.map((column, i) => {
      const row = document.createElement("tr");
      row.dataset.measure = column.id;
      cell(row, column.name, "th").scope = "row";
      const first = bodies[0].values[i];
      bodies.forEach((body, n) => {
        const value = body.values[i];
        const element = cell(row, value === null ? "\u2014" : StudyData.shown(value));
        const flag = body.flags.get(i);
        if (flag) {
          element.classList.add(...flag.kind.split(" ").map((k) => "flag-" + k));
          element.title = flag.reason;
        }
        if (n === 0 || value === null || first === null) return;
        const change = document.createElement("span");
        change.className = "difference";
        change.textContent = " " + difference(first, value);
        element.appendChild(change);
      });
      return row;
    });
    table.tBodies[0].replaceChildren(...rows);
    table.hidden = false;
  }

  function pointAt(view, e) {
    if (view.drawn.length !== 1) return -1;
    const box = view.elements.canvas.getBoundingClientRect();
    const reach = e.pointerType === "mouse" ? kReach : 2 * kReach;
    return View3D.nearest(view.viewer, view.drawn[0].points.map((p) => p.at),
                          e.clientX - box.left, e.clientY - box.top, reach);
  }

  function point(view, index) {
    if (index === view.hover || view.drawn.length !== 1) return;
    view.hover = index;
    const figure = view.drawn[0];
    figure.panel.hover = index;
    const readout = view.elements.readout;
    readout.hidden = index < 0;
    if (index >= 0) {
      const p = figure.points[index];
      readout.textContent = BodyPanel.describe({
        code: p.code, name: p.name, at: p.form, approximate: p.approximate,
      });
    }
    View3D.requestDraw(view.viewer);
  }

  return { create, colour, difference };
})();
