// All the bodies, small, in the front view, side by side in the table's order
// and filter, at one scale so that heights compare at a glance: each stands on
// the foot of its cell. The canvas covers the box in sight; a scrolling layer
// over it makes the rows of cells scroll, and only the cells in sight are
// drawn. A flagged body is framed and marked (one whose flagged height would
// not fit is drawn to fit, marked "own scale"); a selected one is tinted in its
// compare colour; pointing names a body, a click selects it or takes it out.
const StudyBodies = (() => {
  const kCell = { width: 64, height: 150 };  // CSS pixels
  const kFoot = 18;  // CSS pixels under the feet, for the flag's mark

  function create(study, elements, colours, say) {
    const view = {
      study,
      canvas: elements.canvas,
      scroller: elements.scroller,
      spacer: elements.spacer,
      pointed: elements.pointed,
      context: elements.canvas.getContext("2d"),
      colours,
      say,
      scale: scaleOf(study),
      hover: -1,
      columns: 1,
      frame: 0,
    };
    view.scroller.addEventListener("scroll", () => requestDraw(view), { passive: true });
    new ResizeObserver(() => draw(view)).observe(view.scroller);
    view.scroller.addEventListener("pointermove", (e) => point(view, bodyAt(view, e)));
    view.scroller.addEventListener("pointerleave", () => point(view, -1));
    view.scroller.addEventListener("click", (e) => {
      const index = bodyAt(view, e);
      if (index >= 0 && !StudyData.toggle(study, index)) view.say();
    });
    // Drawn in the next frame, after the table's rows: one layout, not two.
    StudyData.watch(study, () => requestDraw(view));
    draw(view);
    return view;
  }

  // The front view's box of a body: across (the first number) and up (the
  // second), over the points the form gave.
  function boxOf(study, body) {
    const box = { left: Infinity, right: -Infinity, low: Infinity, high: -Infinity };
    for (let i = 0; i < study.points.length; i++) {
      if (body.missing[i]) continue;
      const a = body.at[3 * i], h = body.at[3 * i + 1];
      box.left = Math.min(box.left, a);
      box.right = Math.max(box.right, a);
      box.low = Math.min(box.low, h);
      box.high = Math.max(box.high, h);
    }
    return box;
  }

  // CSS pixels per unit: the tallest and widest body fits its cell, leaving
  // out bodies whose height the study flagged (a form in another unit would
  // shrink all the others to dots); those are cut at the cell's edge.
  function scaleOf(study) {
    let high = 0, wide = 0;
    for (const body of study.bodies) {
      const flag = body.flags.get(0);
      if (flag && flag.kind.includes("study")) continue;
      const box = boxOf(study, body);
      if (!(box.high > box.low)) continue;
      high = Math.max(high, box.high - box.low);
      wide = Math.max(wide, box.right - box.left);
    }
    const up = high > 0 ? (kCell.height - kFoot - 10) / high : 1;
    const across = wide > 0 ? (kCell.width - 8) / wide : up;
    return Math.min(up, across);
  }

  function requestDraw(view) {
    if (view.frame) return;
    view.frame = requestAnimationFrame(() => {
      view.frame = 0;
      draw(view);
    });
  }

  function layout(view) {
    const width = Math.max(kCell.width, view.scroller.clientWidth);
    view.columns = Math.max(1, Math.floor(width / kCell.width));
    const rows = Math.ceil(view.study.order.length / view.columns);
    view.spacer.style.height = rows * kCell.height + "px";
  }

  // The body under the pointer, or -1.
  function bodyAt(view, e) {
    const box = view.scroller.getBoundingClientRect();
    const x = e.clientX - box.left, y = e.clientY - box.top + view.scroller.scrollTop;
    const column = Math.floor(x / kCell.width);
    if (column < 0 || column >= view.columns) return -1;
    const place = Math.floor(y / kCell.height) * view.columns + column;
    return place >= 0 && place < view.study.order.length ? view.study.order[place] : -1;
  }

  function point(view, index) {
    if (index === view.hover) return;
    view.hover = index;
    const body = view.study.bodies[index];
    view.pointed.textContent = body ? StudyData.nameOf(body) + (StudyData.flagged(body) ?
        " \u2014 flagged: " + [...body.flags.values()].map((f) => f.reason).join("; ") : "") : "";
    requestDraw(view);
  }

  function draw(view) {
    layout(view);
    const canvas = view.canvas;
    const ratio = window.devicePixelRatio || 1;
    const width = view.scroller.clientWidth, height = view.scroller.clientHeight;
    const pixelsWide = Math.max(1, Math.round(width * ratio));
    const pixelsHigh = Math.max(1, Math.round(height * ratio));
    if (canvas.width !== pixelsWide || canvas.height !== pixelsHigh) {
      canvas.width = pixelsWide;
      canvas.height = pixelsHigh;
      canvas.style.width = width + "px";
      canvas.style.height = height + "px";
    }
    const context = view.context;
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
    context.fillStyle = view.colours.back;
    context.fillRect(0, 0, width, height);
    const top = view.scroller.scrollTop;
    const order = view.study.order;
    const firstRow = Math.floor(top / kCell.height);
    const lastRow = Math.ceil((top + height) / kCell.height);
    for (let r = firstRow; r < lastRow; r++) {
      for (let c = 0; c < view.columns; c++) {
        const place = r * view.columns + c;
        if (place >= order.length) break;
        drawBody(view, view.study.bodies[order[place]], c * kCell.width, r * kCell.height - top);
      }
    }
    if (order.length === 0) {
      context.fillStyle = view.colours.muted;
      context.font = "13px system-ui, sans-serif";
      context.fillText("No body in the table's filter.", 12, 24);
    }
  }

  // One body in the cell whose top left is (x, y), standing on its foot line.
  function drawBody(view, body, x, y) {
    const { context, colours, study } = view;
    const selected = study.selected.indexOf(body.index);
    const flagged = StudyData.flagged(body);
    context.save();
    context.beginPath();
    context.rect(x + 1, y + 1, kCell.width - 2, kCell.height - 2);
    context.clip();
    if (selected >= 0) {
      context.fillStyle = StudyCompare.colour(selected, 0.18);
      context.fillRect(x + 1, y + 1, kCell.width - 2, kCell.height - 2);
    }
    if (body.index === view.hover) {
      context.fillStyle = colours.hover;
      context.fillRect(x + 1, y + 1, kCell.width - 2, kCell.height - 2);
    }
    const box = boxOf(study, body);
    // A body whose height the study flagged (a form in another unit) and
    // that would overflow its cell is drawn to fit it, and says so.
    const heightFlag = body.flags.get(0);
    const own = heightFlag && heightFlag.kind.includes("study") &&
        (box.high - box.low) * view.scale > kCell.height - kFoot - 10;
    const k = own ? Math.min((kCell.height - kFoot - 22) / (box.high - box.low),
                             (kCell.width - 8) / Math.max(box.right - box.left, 1e-9)) : view.scale;
    const px = (a) => x + kCell.width / 2 + (a - (box.left + box.right) / 2) * k;
    const py = (h) => y + kCell.height - kFoot - (h - box.low) * k;
    context.strokeStyle = flagged ? colours.flag : colours.ink;
    context.fillStyle = context.strokeStyle;
    context.lineWidth = 1.25;
    context.lineCap = "round";
    context.beginPath();
    const s = study.segments;
    for (let j = 0; j < s.length; j += 2) {
      const from = s[j], to = s[j + 1];
      if (body.missing[from] || body.missing[to]) continue;
      context.moveTo(px(body.at[3 * from]), py(body.at[3 * from + 1]));
      context.lineTo(px(body.at[3 * to]), py(body.at[3 * to + 1]));
    }
    context.stroke();
    // The head: a circle from the neck to the top of the cranium.
    const neck = study.points.findIndex((p) => p.code === "NECK");
    if (neck >= 0) {
      const ca = body.at[0], ch = body.at[1], na = body.at[3 * neck], nh = body.at[3 * neck + 1];
      const r = Math.hypot(ca - na, ch - nh) / 2 * k;
      context.beginPath();
      context.arc(px((ca + na) / 2), py((ch + nh) / 2), Math.max(r, 1), 0, 2 * Math.PI);
      context.stroke();
    }
    context.restore();
    if (flagged) {
      context.strokeStyle = colours.flag;
      context.lineWidth = 1.5;
      context.strokeRect(x + 2.5, y + 2.5, kCell.width - 5, kCell.height - 5);
      context.fillStyle = colours.flag;
      context.font = "bold 11px system-ui, sans-serif";
      context.textBaseline = "alphabetic";
      context.fillText("\u26a0 flag", x + 6, y + kCell.height - 5);
    }
    if (own) {
      context.fillStyle = colours.flag;
      context.font = "10px system-ui, sans-serif";
      context.textBaseline = "top";
      context.fillText("own scale", x + 6, y + 5);
    }
  }

  return { create, boxOf, kCell };
})();
