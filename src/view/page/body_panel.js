// The body panel of a figure torsova wrote: the landmarks the form lacked and
// the lines across them, the measures, the landmark list, and pointing at and
// picking points in the 3-D view, with the distance of two picked ones. The
// measures come computed and rounded in the page's data; this only shows them.
const BodyPanel = (() => {
  const kPickReach = { mouse: 12, touch: 24 };  // CSS pixels from a point
  const kTapSlop = 6;  // CSS pixels a tap may move and still pick
  const kApproximate = "computed back from the head's centre, which the figure file holds " +
                       "to two decimals: within 0.01 of the form's";

  // Checks the "body" value of the data and keeps what drawing needs: the
  // points (their "at" in the file's order of numbers, or null) and, per
  // segment, whether it is a line across a missing landmark. Null for a
  // figure that is not a body figure.
  function read(body, segments) {
    if (body === null || body === undefined) return null;
    const text = (value) => typeof value === "string";
    const point = (p) => p && text(p.code) && text(p.name) &&
        (p.at === null || (Array.isArray(p.at) && p.at.length === 3 && p.at.every(Number.isFinite))) &&
        (p.approximate === undefined ||
         (Array.isArray(p.approximate) && p.approximate.length === 3 && p.approximate.every((a) => a === !!a)));
    if (typeof body !== "object" || !Array.isArray(body.points) || !body.points.every(point) ||
        !Array.isArray(body.missing) || !body.missing.every(text) || !Array.isArray(body.across) ||
        !body.across.every((i) => Number.isInteger(i) && i >= 0 && i < segments)) {
      throw new Error("the body data in this page is damaged");
    }
    const across = new Uint8Array(segments);
    for (const i of body.across) across[i] = 1;
    return {
      points: body.points,
      missing: body.missing,
      across,
      acrossCount: body.across.length,
      showAcross: true,
      picks: [],  // indices into points, at most two
      hover: -1,
      rows: [],  // the landmark list's buttons, by point index
      listed: false,  // whether the landmark list is filled
      viewer: null,  // the 3-D view it points and picks in, once there is one
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

  // A new cell of `tag` (td by default) holding `text` at the end of `row`.
  function cell(row, text, tag) {
    const element = document.createElement(tag || "td");
    element.textContent = text;
    row.appendChild(element);
    return element;
  }

  // Fills the folded landmark list when the page has nothing else to do, or at
  // once when it is opened first.
  function listLater(body) {
    const details = document.getElementById("landmarks");
    details.addEventListener("toggle", () => showLandmarks(body), { once: true });
    const later = window.requestIdleCallback || ((work) => setTimeout(work, 50));
    later(() => showLandmarks(body), { timeout: 1000 });
  }

  // A number of a point as the page shows it; "≈ 0.01" for one the file
  // holds only approximately.
  function coordinate(point, i) {
    return (point.approximate && point.approximate[i] ? "\u2248 " : "") + View3D.format(point.at[i]);
  }

  // The landmarks' list: a button per point the form gave, which picks it.
  function showLandmarks(body) {
    if (body.listed) return;
    body.listed = true;
    const table = document.querySelector("#landmarks tbody");
    body.points.forEach((point, index) => {
      const row = document.createElement("tr");
      if (point.at) {
        const button = document.createElement("button");
        button.type = "button";
        button.textContent = point.code;
        button.setAttribute("aria-pressed", "false");
        button.addEventListener("click", () => pick(body, index));
        cell(row, "").appendChild(button);
        body.rows[index] = button;
      } else {
        cell(row, point.code);
        row.classList.add("absent");
      }
      cell(row, point.name);
      if (point.at) {
        for (const i of [0, 2, 1]) {
          const number = cell(row, coordinate(point, i));
          number.className = "number";
          if (point.approximate && point.approximate[i]) number.title = kApproximate;
        }
      } else {
        cell(row, "not in the form").colSpan = 3;
      }
      table.appendChild(row);
    });
  }

  // "RELB, right elbow: x -24.6, y 2.1, z 113.7", the form's order of numbers.
  function describe(point) {
    return point.code + ", " + point.name + ": x " + coordinate(point, 0) + ", y " +
           coordinate(point, 2) + ", z " + coordinate(point, 1);
  }

  function showPointed(body) {
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

  function redraw(body) {
    if (body.viewer) View3D.requestDraw(body.viewer);
  }

  // Picks a point: the first or second of a pair to measure; a third starts
  // a new pair.
  function pick(body, index) {
    const picks = body.picks;
    if (picks.length === 2) picks.length = 0;
    if (picks[0] !== index) picks.push(index);
    showPointed(body);
    redraw(body);
  }

  function forgetPicks(body) {
    body.picks.length = 0;
    showPointed(body);
    redraw(body);
  }

  // The lines across missing landmarks of `lines`, dashed and faint, then the
  // picked points (joined when there are two) and the one pointed at.
  function paint(body, lines, context, m, ratio, markColour) {
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
    context.strokeStyle = markColour;
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

  // Pointing at points in `viewer`, picking them (a press and release that
  // hardly moves), Escape to forget the picks, and the switch of the lines
  // across missing landmarks. `busy()` tells when Escape belongs to
  // something else, such as an open dialog.
  function listen(body, viewer, busy) {
    body.viewer = viewer;
    document.addEventListener("keydown", (e) => {
      if (e.ctrlKey || e.metaKey || e.altKey) return;
      if (e.key === "Escape" && !busy() && body.picks.length) forgetPicks(body);
    });
    document.getElementById("show-across").addEventListener("change", (e) => {
      body.showAcross = e.target.checked;
      redraw(body);
    });
    const canvas = viewer.canvas;
    const points = body.points.map((p) => p.at);
    const pointAt = (e) => {
      const box = canvas.getBoundingClientRect();
      const reach = e.pointerType === "mouse" ? kPickReach.mouse : kPickReach.touch;
      return View3D.nearest(viewer, points, e.clientX - box.left, e.clientY - box.top, reach);
    };
    const point = (index) => {
      if (index === body.hover) return;
      body.hover = index;
      showPointed(body);
      redraw(body);
    };
    const presses = new Map();
    canvas.addEventListener("pointermove", (e) => {
      const press = presses.get(e.pointerId);
      if (press && Math.hypot(e.clientX - press.x, e.clientY - press.y) > kTapSlop) press.moved = true;
      if (e.buttons === 0) point(pointAt(e));
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
      const index = pointAt(e);
      if (index < 0) return;
      if (e.pointerType !== "mouse") body.hover = -1;
      pick(body, index);
    });
    canvas.addEventListener("pointercancel", (e) => presses.delete(e.pointerId));
  }

  return { read, separateAcross, listLater, paint, listen, describe };
})();
